// Composite: the scene, its bloom and the glow, with the fake HDR curve
// PC_POST_EFFECT = (saturation boost, bloom share, contrast, bloom rate).
void main() {
    vec3 scene = texture(s0, vUv0.xy).rgb;
    vec3 bloom = texture(s3, vUv0.xy).rgb;
    vec3 glow = texture(s5, vUv0.xy).rgb;
    vec3 c = scene + bloom * (PC[PC_POST_EFFECT].y + PC[PC_POST_EFFECT].w) + glow;
    float grey = dot(c, vec3(0.299, 0.587, 0.114));
    c = mix(vec3(grey), c, 1.0 + PC[PC_POST_EFFECT].x);
    c = (c - 0.5) * (1.0 + PC[PC_POST_EFFECT].z) + 0.5;
    finish(vec4(clamp(c, 0.0, 1.0), 1.0));
}
