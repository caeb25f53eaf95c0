// Effect batches: vertex colour times texture, faded by the entry alpha.
void main() {
    vec4 c = vColour * imageColour();
    c.a *= PC[PC_SHAPE_PARAMS].w;
    finish(c);
}
