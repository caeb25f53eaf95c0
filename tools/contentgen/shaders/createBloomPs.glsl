// Copies a blurred level unchanged (kept for chains that need a plain copy).
void main() { finish(texture(s0, vUv0.xy)); }
