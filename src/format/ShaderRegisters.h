// ShaderRegisters.h -- the shader constant registers: what the shader manager uploads where, and what programs read.
#pragma once
#include <cstdint>
#include <string>

namespace zfmt {
namespace shader {

// The contract between the shader manager, which uploads, and the programs of
// the shader bank, which read. Both take their numbers from here: the manager
// by these names, the programs by the GLSL names of kRegisters, which the
// content generator defines in front of every program. A register is four
// floats; a matrix takes four registers (transposed ones hold columns).

// Vertex program registers (VC[] in GLSL).
enum VertexRegister : uint32_t {
    kVsTransform = 0,         // 0..3: the entry's transform, transposed
    kVsLight = 4,             // light direction in object space (w: ambient share)
    kVsAmbient = 5,           // material ambient (r, g, b, 1)
    kVsEye = 6,               // eye position in object space
    kVsWorld = 8,             // 8..11: the entry's world matrix by rows
    kVsTargetTransform = 12,  // 12..15: transform times the target-texture matrix, transposed
    kVsNearShadow = 16,       // 16..19: world times the near shadow view-projection, transposed
    kVsDiffuse = 20,          // material diffuse (r, g, b, 1)
    kVsUp = 21,               // world up (0, 1, 0) in object space
    kVsFarShadow = 22,        // 22..25: world times the far shadow view-projection, transposed
};

// Pixel program registers (PC[] in GLSL).
enum PixelRegister : uint32_t {
    kPsLight = 1,         // light direction in object space (w: ambient share)
    kPsEye = 2,           // eye position in object space
    kPsShapeParams = 3,   // (shadow strength, specular, reflection, the entry's alpha)
    kPsShapeGloss = 4,    // (gloss, glow, 0, 0)
    kPsPostEffect = 5,    // (fake HDR a, b, c, bloom rate), set once per pass
    kPsAmbient = 6,       // material ambient (r, g, b, 1)
    kPsDiffuse = 7,       // material diffuse (r, g, b, 1)
    kPsCourseColour = 8,  // the course's light colour (r, g, b, 0), set once per pass
    kPsPost = 16,         // first register of the post-process constants (SetPixelConstant 0)
    kPsPostOffsets = 16,  // 16..23: sixteen texel offset pairs, two per register
    kPsPostWeights = 24,  // 24..27: sixteen kernel weights, four per register
};

// The post-process constants, counted from kPsPost.
constexpr uint32_t kPostOffsetRegisters = 8;
constexpr uint32_t kPostWeightRegisters = 4;

enum class Stage : uint8_t { Vertex, Pixel };

// One named register range.
struct Register {
    Stage stage;
    uint32_t first;
    uint32_t count;        // registers the value takes
    const char* glslName;  // the name programs use: VC[VC_WORLD + 1]
};

// Every register range both stages use, vertex first, each in register order.
inline constexpr Register kRegisters[] = {
    {Stage::Vertex, kVsTransform, 4, "VC_TRANSFORM"},
    {Stage::Vertex, kVsLight, 1, "VC_LIGHT"},
    {Stage::Vertex, kVsAmbient, 1, "VC_AMBIENT"},
    {Stage::Vertex, kVsEye, 1, "VC_EYE"},
    {Stage::Vertex, kVsWorld, 4, "VC_WORLD"},
    {Stage::Vertex, kVsTargetTransform, 4, "VC_TARGET_TRANSFORM"},
    {Stage::Vertex, kVsNearShadow, 4, "VC_NEAR_SHADOW"},
    {Stage::Vertex, kVsDiffuse, 1, "VC_DIFFUSE"},
    {Stage::Vertex, kVsUp, 1, "VC_UP"},
    {Stage::Vertex, kVsFarShadow, 4, "VC_FAR_SHADOW"},
    {Stage::Pixel, kPsLight, 1, "PC_LIGHT"},
    {Stage::Pixel, kPsEye, 1, "PC_EYE"},
    {Stage::Pixel, kPsShapeParams, 1, "PC_SHAPE_PARAMS"},
    {Stage::Pixel, kPsShapeGloss, 1, "PC_SHAPE_GLOSS"},
    {Stage::Pixel, kPsPostEffect, 1, "PC_POST_EFFECT"},
    {Stage::Pixel, kPsAmbient, 1, "PC_AMBIENT"},
    {Stage::Pixel, kPsDiffuse, 1, "PC_DIFFUSE"},
    {Stage::Pixel, kPsCourseColour, 1, "PC_COURSE_COLOUR"},
    {Stage::Pixel, kPsPostOffsets, kPostOffsetRegisters, "PC_POST_OFFSETS"},
    {Stage::Pixel, kPsPostWeights, kPostWeightRegisters, "PC_POST_WEIGHTS"},
};
constexpr int kRegisterCount = static_cast<int>(sizeof kRegisters / sizeof kRegisters[0]);

// Registers each stage's constant block holds; every range lies below.
constexpr uint32_t kStageRegisters = 64;

// "#define VC_TRANSFORM 0" and so on, one line per register of the stage:
// the text the content generator puts in front of every program of that stage.
std::string GlslRegisterDefines(Stage stage);

}  // namespace shader
}  // namespace zfmt
