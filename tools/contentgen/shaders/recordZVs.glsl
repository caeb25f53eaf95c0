// Depth record: projected depth for the depth and shadow maps.
void main() {
    vec4 c = rowTransform(objectPosition(), VC_TRANSFORM);
    gl_Position = toClip(c);
    vExtra[0] = c;
    vColour = vec4(1.0);
    vUv0 = vec4(inUv0, 0.0, 1.0);
    vUv1 = vec4(0.0);
}
