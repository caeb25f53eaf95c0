// Bright effects: doubled colour so the bright pass picks them up.
void main() {
    vec4 c = vColour * imageColour();
    c.rgb *= 2.0;
    c.a *= PC[PC_SHAPE_PARAMS].w;
    finish(c);
}
