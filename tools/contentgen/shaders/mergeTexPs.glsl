// Sums the six blur levels, wider levels weighted less.
void main() {
    vec3 c = texture(s0, vUv0.xy).rgb * 0.30 + texture(s1, vUv0.xy).rgb * 0.25 +
             texture(s2, vUv0.xy).rgb * 0.20 + texture(s3, vUv0.xy).rgb * 0.15 +
             texture(s4, vUv0.xy).rgb * 0.12 + texture(s5, vUv0.xy).rgb * 0.10;
    finish(vec4(c, 1.0));
}
