// Environment cube faces: a cheaply lit scene.
void main() {
    vec4 p = objectPosition();
    writeCommon(p);
    vExtra[0] = vec4(objectNormal(), 0.0);
}
