// Environment cube faces: texture with simple diffuse light, no shadows.
void main() {
    vec4 base = imageColour();
#ifdef STATE_VERTEXCOLOR
    base *= vColour;
#endif
    float d = max(dot(normalize(vExtra[0].xyz), -normalize(PC[PC_LIGHT].xyz)), 0.0);
    vec3 light = PC[PC_AMBIENT].rgb * 0.6 + PC[PC_DIFFUSE].rgb * PC[PC_COURSE_COLOUR].rgb * d;
    finish(vec4(base.rgb * light, base.a));
}
