// Helpers shared by every vertex program (put before each program's own text).
// Registers: VC[0..3] transform (transposed), VC[4] object-space light,
// VC[5] ambient, VC[6] eye, VC[8..11] world (rows), VC[12..15] transform to
// target texture space (transposed), VC[16..19] near and VC[22..25] far shadow
// matrices (transposed), VC[20] diffuse, VC[21] object-space up.
vec4 rowTransform(vec4 p, int r) {
    return vec4(dot(p, VC[r]), dot(p, VC[r + 1]), dot(p, VC[r + 2]), dot(p, VC[r + 3]));
}
vec4 objectPosition() { return vec4(inPosition.xyz, 1.0); }
vec4 vertexColour() { return devLayout.y > 0.5 ? inColour : vec4(1.0); }
vec3 objectNormal() { return devLayout.x > 0.5 ? normalize(inNormal) : vec3(0.0, 1.0, 0.0); }
// Screen position, texture coordinates and vertex colour: what every scene
// program writes.
void writeCommon(vec4 p) {
    gl_Position = toClip(rowTransform(p, 0));
    vColour = vertexColour();
    vUv0 = vec4(inUv0, 0.0, 1.0);
    vUv1 = vec4(inUv1, 0.0, 1.0);
}
// Lit scene: normal, eye vector, shadow and target coordinates for the pixel program.
void writeLit(vec4 p) {
    writeCommon(p);
    vExtra[0] = vec4(objectNormal(), 0.0);
    vExtra[1] = vec4(VC[6].xyz - p.xyz, 0.0);
    vExtra[2] = rowTransform(p, 16);
    vExtra[3] = rowTransform(p, 22);
#ifdef TYPE_REFLECTFLOOR
    vExtra[4] = rowTransform(p, 12);
#else
    vec3 r = reflect(-normalize(VC[6].xyz - p.xyz + vec3(0.0, 1e-5, 0.0)), objectNormal());
    vExtra[4] = vec4(r.x * VC[8].xyz + r.y * VC[9].xyz + r.z * VC[10].xyz, 0.0);
#endif
    vExtra[5] = vec4(inTangent, 0.0);
}
