// 13-tap Gaussian blur: offsets in PC_POST_OFFSETS, weights in PC_POST_WEIGHTS.
void main() {
    vec4 sum = vec4(0.0);
    for (int i = 0; i < 13; ++i) {
        vec4 pair = PC[PC_POST_OFFSETS + i / 2];
        vec2 offset = (i % 2 == 0) ? pair.xy : pair.zw;
        sum += texture(s0, vUv0.xy + offset) * PC[PC_POST_WEIGHTS + i / 4][i % 4];
    }
    finish(vec4(sum.rgb, 1.0));
}
