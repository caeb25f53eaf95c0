// Dynamic sprites: texture times vertex colour.
void main() { finish(vColour * imageColour()); }
