// Scene models: the shared lit surface.
void main() { finish(litSurface()); }
