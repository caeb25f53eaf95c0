// Cut-out particles: pixels below half alpha are dropped.
void main() {
    vec4 c = vColour * imageColour();
    if (c.a < 0.5) discard;
    c.a *= PC[PC_SHAPE_PARAMS].w;
    finish(c);
}
