// Bright pass: what lies above the fake HDR border, rescaled to 0..1.
void main() {
    vec4 c = texture(s0, vUv0.xy);
    finish(vec4(max(c.rgb - FAKEHDR_BOARDER, 0.0) * BLOOM_RATE, 1.0));
}
