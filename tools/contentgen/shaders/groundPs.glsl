// Course ground: the shared lit surface.
void main() { finish(litSurface()); }
