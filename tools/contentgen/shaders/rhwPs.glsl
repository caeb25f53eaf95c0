// Screen-space vertices: texture times vertex colour.
void main() { finish(vColour * imageColour()); }
