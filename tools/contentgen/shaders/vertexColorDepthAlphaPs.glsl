// Soft particles: fade in over the first units in front of the camera.
void main() {
    vec4 c = vColour * imageColour();
    c.a *= PC[PC_SHAPE_PARAMS].w * clamp((vExtra[0].x - 10.0) / 30.0, 0.0, 1.0);
    finish(c);
}
