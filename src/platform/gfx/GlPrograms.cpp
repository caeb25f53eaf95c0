// GlPrograms.cpp -- prologues and built-in GLSL programs of the OpenGL device.
#include "platform/gfx/GlPrograms.h"

#include "platform/gfx/GfxTypes.h"

namespace gfx {

namespace {
// Device block: target (1/W, 1/H, W, H); alpha test (enable, compare, ref 0..1);
// layout (has normal, has colour, pre-transformed, lighting).
const char* kDeviceBlock = R"(
layout(std140) uniform DeviceBlock {
    vec4 devTarget;
    vec4 devAlphaTest;
    vec4 devLayout;
};
)";

const char* kFixedBlock = R"(
layout(std140) uniform FixedBlock {
    mat4 fxWorld;
    mat4 fxView;
    mat4 fxProjection;
    vec4 fxMatDiffuse;
    vec4 fxMatAmbient;
    vec4 fxMatEmissive;
    vec4 fxLightDiffuse;
    vec4 fxLightAmbient;
    vec4 fxLightDirection;  // w: enabled
};
)";

const char* kVaryings = R"(
VARY vec4 vColour;
VARY vec4 vUv0;
VARY vec4 vUv1;
VARY vec4 vExtra[6];
)";

// "layout(std140) uniform NAME { vec4 ARRAY[n]; };" with the device's register count per stage, the count of the
// shared register list (a test pins the two together: the platform does not include format).
std::string ConstantBlock(const char* name, const char* array) {
    return std::string("layout(std140) uniform ") + name + " { vec4 " + array + "[" +
           std::to_string(kConstantRegisters) + "]; };\n";
}

std::string WithVarying(const char* qualifier) {
    std::string s = kVaryings;
    for (size_t p; (p = s.find("VARY")) != std::string::npos;) s.replace(p, 4, qualifier);
    return s;
}
}  // namespace

const std::string& GlVertexPrologue() {
    static const std::string text =
        std::string("#version 330 core\n") + kDeviceBlock + kFixedBlock + ConstantBlock("VertexConstants", "VC") +
        "layout(location = 0) in vec4 inPosition;\n"
        "layout(location = 1) in vec3 inNormal;\n"
        "layout(location = 2) in vec4 inColour;\n"
        "layout(location = 3) in vec2 inUv0;\n"
        "layout(location = 4) in vec2 inUv1;\n"
        "layout(location = 5) in vec3 inTangent;\n" +
        WithVarying("out") +
        "vec4 toClip(vec4 c) {\n"
        "    return vec4(c.x + c.w * devTarget.x, -c.y + c.w * devTarget.y, 2.0 * c.z - c.w, c.w);\n"
        "}\n"
        "#line 1\n";
    return text;
}

const std::string& GlPixelPrologue() {
    static const std::string text =
        std::string("#version 330 core\n") + kDeviceBlock + kFixedBlock + ConstantBlock("PixelConstants", "PC") +
        WithVarying("in") +
        "uniform sampler2D s0, s1, s2, s3, s4, s5, s6, s7, s10, s11, s12;\n"
        "uniform samplerCube s8, s9;\n"
        "out vec4 outColour;\n"
        "void finish(vec4 c) {\n"
        "    if (devAlphaTest.x > 0.5) {\n"
        "        int f = int(devAlphaTest.y + 0.5);\n"
        "        float r = devAlphaTest.z;\n"
        "        bool pass = f == 8 || (f == 2 && c.a < r) || (f == 3 && c.a == r) || (f == 4 && c.a <= r) ||\n"
        "                    (f == 5 && c.a > r) || (f == 6 && c.a != r) || (f == 7 && c.a >= r);\n"
        "        if (!pass) discard;\n"
        "    }\n"
        "    outColour = c;\n"
        "}\n"
        "#line 1\n";
    return text;
}

const char* GlScreenVertexSource() {
    return R"(
void main() {
    float w = inPosition.w > 0.0 ? 1.0 / inPosition.w : 1.0;
    vec2 p = (inPosition.xy + 0.5) * devTarget.xy * 2.0 - 1.0;
    gl_Position = vec4(p.x, p.y, 2.0 * inPosition.z - 1.0, 1.0) * w;
    vColour = devLayout.y > 0.5 ? inColour : vec4(1.0);
    vUv0 = vec4(inUv0, 0.0, 1.0);
    vUv1 = vec4(0.0);
}
)";
}

const char* GlFixedVertexSource() {
    return R"(
void main() {
    vec4 world = fxWorld * vec4(inPosition.xyz, 1.0);
    gl_Position = toClip(fxProjection * (fxView * world));
    vec4 diffuse = devLayout.y > 0.5 ? inColour : fxMatDiffuse;
    if (devLayout.w > 0.5) {
        vec3 n = devLayout.x > 0.5 ? normalize((fxWorld * vec4(inNormal, 0.0)).xyz) : vec3(0.0);
        float d = fxLightDirection.w > 0.5 ? max(dot(n, -normalize(fxLightDirection.xyz)), 0.0) : 0.0;
        vec3 c = fxMatEmissive.rgb + fxMatAmbient.rgb * fxLightAmbient.rgb + diffuse.rgb * fxLightDiffuse.rgb * d;
        vColour = vec4(clamp(c, 0.0, 1.0), diffuse.a);
    } else {
        vColour = devLayout.y > 0.5 ? inColour : vec4(1.0);
    }
    vUv0 = vec4(inUv0, 0.0, 1.0);
    vUv1 = vec4(inUv1, 0.0, 1.0);
}
)";
}

const char* GlFixedPixelSource() {
    return R"(
uniform float hasTexture0;
void main() {
    vec4 c = vColour;
    if (hasTexture0 > 0.5) c *= texture(s0, vUv0.xy);
    finish(c);
}
)";
}

}  // namespace gfx
