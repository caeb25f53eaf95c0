// Screen-space vertices: positions arrive in target pixels.
void main() {
    gl_Position = toClip(rowTransform(objectPosition(), VC_TRANSFORM));
    vColour = vertexColour();
    vUv0 = vec4(inUv0, 0.0, 1.0);
    vUv1 = vec4(0.0);
}
