// Helpers shared by every vertex program (put before each program's own text).
// Registers (named by the defines in front): VC_TRANSFORM (4, transposed),
// VC_LIGHT object-space light, VC_AMBIENT, VC_EYE, VC_WORLD (4, rows),
// VC_TARGET_TRANSFORM to target texture space (4, transposed), VC_NEAR_SHADOW
// and VC_FAR_SHADOW matrices (4 each, transposed), VC_DIFFUSE, VC_UP object-space up.
vec4 rowTransform(vec4 p, int r) {
    return vec4(dot(p, VC[r]), dot(p, VC[r + 1]), dot(p, VC[r + 2]), dot(p, VC[r + 3]));
}
vec4 objectPosition() { return vec4(inPosition.xyz, 1.0); }
vec4 vertexColour() { return devLayout.y > 0.5 ? inColour : vec4(1.0); }
vec3 objectNormal() { return devLayout.x > 0.5 ? normalize(inNormal) : vec3(0.0, 1.0, 0.0); }
// Screen position, texture coordinates and vertex colour: what every scene
// program writes.
void writeCommon(vec4 p) {
    gl_Position = toClip(rowTransform(p, VC_TRANSFORM));
    vColour = vertexColour();
    vUv0 = vec4(inUv0, 0.0, 1.0);
    vUv1 = vec4(inUv1, 0.0, 1.0);
}
// Lit scene: normal, eye vector, shadow and target coordinates for the pixel program.
void writeLit(vec4 p) {
    writeCommon(p);
    vExtra[0] = vec4(objectNormal(), 0.0);
    vExtra[1] = vec4(VC[VC_EYE].xyz - p.xyz, 0.0);
    vExtra[2] = rowTransform(p, VC_NEAR_SHADOW);
    vExtra[3] = rowTransform(p, VC_FAR_SHADOW);
#ifdef TYPE_REFLECTFLOOR
    vExtra[4] = rowTransform(p, VC_TARGET_TRANSFORM);
#else
    vec3 r = reflect(-normalize(VC[VC_EYE].xyz - p.xyz + vec3(0.0, 1e-5, 0.0)), objectNormal());
    vExtra[4] = vec4(r.x * VC[VC_WORLD].xyz + r.y * VC[VC_WORLD + 1].xyz + r.z * VC[VC_WORLD + 2].xyz, 0.0);
#endif
    vExtra[5] = vec4(inTangent, 0.0);
}
