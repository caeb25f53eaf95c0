// Soft particles: vertex colour times texture, faded with distance.
void main() {
    writeCommon(objectPosition());
    vExtra[0] = vec4(gl_Position.w, 0.0, 0.0, 0.0);
}
