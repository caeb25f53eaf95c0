// Distant level-of-detail models: lit per vertex only.
void main() {
    vec4 p = objectPosition();
    writeCommon(p);
    vec3 l = -normalize(VC[VC_LIGHT].xyz);
    float d = max(dot(objectNormal(), l), 0.0);
    vExtra[0] = vec4(VC[VC_AMBIENT].rgb * (0.35 + VC[VC_LIGHT].w) + VC[VC_DIFFUSE].rgb * d, 1.0);
}
