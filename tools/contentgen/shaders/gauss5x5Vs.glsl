// Full-target quads arrive pre-transformed; this program serves other layouts.
void main() {
    gl_Position = toClip(rowTransform(objectPosition(), VC_TRANSFORM));
    vColour = vec4(1.0);
    vUv0 = vec4(inUv0, 0.0, 1.0);
    vUv1 = vec4(0.0);
}
