// Environment cube faces: texture with simple diffuse light, no shadows.
void main() {
    vec4 base = imageColour();
#ifdef STATE_VERTEXCOLOR
    base *= vColour;
#endif
    float d = max(dot(normalize(vExtra[0].xyz), -normalize(PC[1].xyz)), 0.0);
    vec3 light = PC[6].rgb * 0.6 + PC[7].rgb * PC[8].rgb * d;
    finish(vec4(base.rgb * light, base.a));
}
