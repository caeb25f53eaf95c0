// Depth record: depth 0..1 packed into the colour channels.
void main() { finish(packDepth(vExtra[0].z / max(vExtra[0].w, 1e-6))); }
