// Quarter-size downsample: the average of a 4 x 4 block (offsets in PC_POST_OFFSETS).
void main() {
    vec4 sum = vec4(0.0);
    for (int i = 0; i < 8; ++i) {
        sum += texture(s0, vUv0.xy + PC[PC_POST_OFFSETS + i].xy);
        sum += texture(s0, vUv0.xy + PC[PC_POST_OFFSETS + i].zw);
    }
    finish(sum / 16.0);
}
