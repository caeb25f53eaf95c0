// Racing machines: the lit surface plus a rim light that keeps dark paint readable.
void main() {
    vec4 c = litSurface();
    vec3 n = normalize(vExtra[0].xyz);
    vec3 v = normalize(vExtra[1].xyz + vec3(0.0, 0.0, 1e-5));
    float rim = pow(1.0 - max(dot(n, v), 0.0), 3.0);
    c.rgb += PC[PC_COURSE_COLOUR].rgb * rim * 0.25;
    finish(c);
}
