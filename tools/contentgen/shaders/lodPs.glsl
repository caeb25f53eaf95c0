// Distant level-of-detail models: texture times the vertex lighting.
void main() {
    vec4 c = imageColour();
#ifdef STATE_VERTEXCOLOR
    c *= vColour;
#endif
    finish(vec4(c.rgb * vExtra[0].rgb, c.a * PC[PC_SHAPE_PARAMS].w));
}
