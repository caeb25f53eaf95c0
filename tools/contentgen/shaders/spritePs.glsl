// Sprites and world quads: texture times vertex colour.
void main() { finish(vColour * imageColour()); }
