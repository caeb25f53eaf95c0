// Models read from Wavefront files: the shared lit surface.
void main() { finish(litSurface()); }
