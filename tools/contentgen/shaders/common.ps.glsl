// Helpers shared by every pixel program (put before each program's own text).
// Registers (named by the defines in front, whose meanings the shader manager
// documents): PC_LIGHT object-space light (w: ambient share), PC_EYE,
// PC_SHAPE_PARAMS (shadow strength, specular, reflection, alpha),
// PC_SHAPE_GLOSS (gloss, glow, 0, 0), PC_POST_EFFECT, PC_AMBIENT, PC_DIFFUSE,
// PC_COURSE_COLOUR, PC_POST_OFFSETS and PC_POST_WEIGHTS (post-process passes).
// Samplers: s0 image, s1 light map, s2 normal map, s3 mask, s4 HDR map,
// s6 lighting ramp, s7 near shadow, s8 environment cube, s10 post texture,
// s11 far shadow, s12 second or mirrored view.
// Varyings: vExtra[0] object normal, [1] object eye vector, [2] near and
// [3] far shadow position, [4] world reflection vector (mirrored-floor
// programs: target texture position), [5] tangent.

// Depth packed into the colour channels of an 8-bit target (alpha stays 1
// so the alpha test never sees it); cleared white reads as farther than any depth.
vec4 packDepth(float d) {
    d = clamp(d, 0.0, 0.999999);
    float a = d * 255.0;
    float r = floor(a);
    float b = (a - r) * 255.0;
    float g = floor(b);
    float c = floor((b - g) * 255.0);
    return vec4(r / 255.0, g / 255.0, c / 255.0, 1.0);
}
float unpackDepth(vec4 p) { return dot(p.rgb, vec3(1.0, 1.0 / 255.0, 1.0 / 65025.0)); }

// The cube faces are rendered with the queue's face cameras (slot 0 looks
// at -Z, 1 at +Z, 2 at +Y, 3 at -Y, 4 at -X, 5 at +X); map a world direction
// to the slot that shows it.
vec3 cubeLookup(vec3 d) { return vec3(-d.z, d.y, -d.x); }

vec2 uvFor(bool secondSet) { return secondSet ? vUv1.xy : vUv0.xy; }

vec4 imageColour() {
#ifdef STATE_IMAGEMAP
#ifdef STATE_IMAGEMAP_UV01
    return texture(s0, vUv1.xy);
#else
    return texture(s0, vUv0.xy);
#endif
#else
    return vec4(1.0);
#endif
}

// 1.0 lit, down to 1 - strength in shadow: near map first, far map beyond it.
float shadowFactor() {
#ifdef STATE_SHADOWMAP
    float strength = clamp(PC[PC_SHAPE_PARAMS].x, 0.0, 1.0);
    vec4 n = vExtra[2];
    if (n.w > 0.0) {
        vec3 q = n.xyz / n.w;
        vec2 uv = vec2(0.5 * q.x + 0.5, -0.5 * q.y + 0.5);
        if (all(greaterThan(uv, vec2(0.0))) && all(lessThan(uv, vec2(1.0))) && q.z < 1.0)
            return q.z - 0.002 > unpackDepth(texture(s7, uv)) ? 1.0 - strength : 1.0;
    }
    vec4 f = vExtra[3];
    if (f.w > 0.0) {
        vec3 q = f.xyz / f.w;
        vec2 uv = vec2(0.5 * q.x + 0.5, -0.5 * q.y + 0.5);
        if (all(greaterThan(uv, vec2(0.0))) && all(lessThan(uv, vec2(1.0))) && q.z < 1.0)
            return q.z - 0.004 > unpackDepth(texture(s11, uv)) ? 1.0 - strength : 1.0;
    }
#endif
    return 1.0;
}

// Diffuse and ambient lighting of the object-space normal n.
vec3 lighting(vec3 n) {
    vec3 l = -normalize(PC[PC_LIGHT].xyz);
    float d = max(dot(n, l), 0.0);
#ifdef STATE_HSLIGHT
    d = 0.5 * dot(n, l) + 0.5;  // half-sphere light: soft wrap-around
#endif
#ifdef STATE_GOURAUD
    d = texture(s6, vec2(clamp(d, 0.02, 0.98), 0.5)).r;
#endif
    vec3 diffuse = PC[PC_DIFFUSE].rgb * PC[PC_COURSE_COLOUR].rgb * d * shadowFactor();
    return PC[PC_AMBIENT].rgb * (0.35 + PC[PC_LIGHT].w) + diffuse;
}

vec3 surfaceNormal() {
    vec3 n = normalize(vExtra[0].xyz);
#ifdef STATE_NORMALMAP
    vec3 t = vExtra[5].xyz;
    if (dot(t, t) > 1e-6) {
        t = normalize(t - n * dot(n, t));
        vec3 b = cross(n, t);
#ifdef STATE_NORMALMAP_UV01
        vec3 m = texture(s2, vUv1.xy).xyz * 2.0 - 1.0;
#else
        vec3 m = texture(s2, vUv0.xy).xyz * 2.0 - 1.0;
#endif
        n = normalize(m.x * t + m.y * b + m.z * n);
    }
#endif
    return n;
}

// The lit surface colour shared by the scene programs.
vec4 litSurface() {
    vec4 base = imageColour();
#ifdef STATE_VERTEXCOLOR
    base *= vColour;
#endif
    vec3 n = surfaceNormal();
    vec3 c = base.rgb * lighting(n);
#ifdef STATE_LIGHTMAP
#ifdef STATE_LIGHTMAP_UV01
    c *= texture(s1, vUv1.xy).rgb * 2.0;
#else
    c *= texture(s1, vUv0.xy).rgb * 2.0;
#endif
#endif
    vec3 v = normalize(vExtra[1].xyz + vec3(0.0, 0.0, 1e-5));
    float mask = 1.0;
#ifdef STATE_MASKMAP
#ifdef STATE_MASKMAP_UV01
    mask = texture(s3, vUv1.xy).r;
#else
    mask = texture(s3, vUv0.xy).r;
#endif
#endif
#if defined(STATE_SPECULARMAP) || defined(STATE_REFLECTMAP)
    vec3 l = -normalize(PC[PC_LIGHT].xyz);
    vec3 h = normalize(l + v);
    float gloss = max(PC[PC_SHAPE_GLOSS].x * 64.0, 4.0);
    c += PC[PC_COURSE_COLOUR].rgb * max(PC[PC_SHAPE_PARAMS].y, 0.0) * pow(max(dot(n, h), 0.0), gloss) * mask;
#endif
#ifdef TYPE_REFLECTFLOOR
    if (vExtra[4].w > 0.0)
        c = mix(c, texture(s12, vExtra[4].xy / vExtra[4].w).rgb, clamp(PC[PC_SHAPE_PARAMS].z, 0.0, 1.0) * mask);
#elif defined(STATE_REFLECTMAP) || defined(STATE_DYNAMICREFLECT)
    c = mix(c, texture(s8, cubeLookup(normalize(vExtra[4].xyz + vec3(0.0, 1e-5, 0.0)))).rgb,
            clamp(PC[PC_SHAPE_PARAMS].z, 0.0, 1.0) * mask);
#endif
#ifdef STATE_HDRMAP
#ifdef STATE_HDRMAP_UV01
    c += texture(s4, vUv1.xy).rgb;
#else
    c += texture(s4, vUv0.xy).rgb;
#endif
#endif
    c += base.rgb * max(PC[PC_SHAPE_GLOSS].y, 0.0);
    return vec4(c, base.a * PC[PC_SHAPE_PARAMS].w);
}
