// Distant level-of-detail models: lit per vertex only.
void main() {
    vec4 p = objectPosition();
    writeCommon(p);
    vec3 l = -normalize(VC[4].xyz);
    float d = max(dot(objectNormal(), l), 0.0);
    vExtra[0] = vec4(VC[5].rgb * (0.35 + VC[4].w) + VC[20].rgb * d, 1.0);
}
