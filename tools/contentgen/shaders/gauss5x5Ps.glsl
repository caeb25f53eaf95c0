// 13-tap Gaussian blur: offsets in PC[16..23], weights in PC[24..27].
void main() {
    vec4 sum = vec4(0.0);
    for (int i = 0; i < 13; ++i) {
        vec4 pair = PC[16 + i / 2];
        vec2 offset = (i % 2 == 0) ? pair.xy : pair.zw;
        sum += texture(s0, vUv0.xy + offset) * PC[24 + i / 4][i % 4];
    }
    finish(vec4(sum.rgb, 1.0));
}
