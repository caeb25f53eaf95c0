// GlPrograms.h -- GLSL text the OpenGL device puts around and beside every program.
#pragma once
#include <string>

namespace gfx {

// Uniform block bindings shared by every program.
enum GlBlock : unsigned { kBlockVC = 0, kBlockPC = 1, kBlockDevice = 2, kBlockFixed = 3 };

// Attribute locations by vertex element usage.
enum GlAttrib : unsigned {
    kAttrPosition = 0,
    kAttrNormal = 1,
    kAttrColour = 2,
    kAttrUv0 = 3,
    kAttrUv1 = 4,
    kAttrTangent = 5
};

// "#version 330 core", the stage prologue and "#line 1", put before a
// program's own text. The vertex prologue offers:
//   VC[kConstantRegisters] (vertex constant registers), inPosition/inNormal/inColour/inUv0/
//   inUv1/inTangent, the varyings vColour, vUv0, vUv1, vExtra[6], and
//   vec4 toClip(vec4 c) which every vertex program applies to its projected
//   position before writing gl_Position.
// The pixel prologue offers PC[kConstantRegisters], the same varyings, samplers s0..s12
// (s8 and s9 are cube samplers) and void finish(vec4 colour), which applies
// the alpha test and writes the colour; every pixel program ends with it.
const std::string& GlVertexPrologue();
const std::string& GlPixelPrologue();

// Built-in programs: screen-space positions (pre-transformed layouts) and the
// fixed-function pipeline (one directional light, material, stage-0 texture).
const char* GlScreenVertexSource();
const char* GlFixedVertexSource();
const char* GlFixedPixelSource();

}  // namespace gfx
