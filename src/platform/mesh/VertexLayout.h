// VertexLayout.h -- vertex element descriptions and the eight built-in layouts.
#pragma once
#include <cstdint>

namespace platform::mesh {

// Element data types (the values a vertex declaration stores).
enum DeclType : uint8_t {
    kFloat1 = 0,
    kFloat2 = 1,
    kFloat3 = 2,
    kFloat4 = 3,
    kColor = 4,
    kUByte4 = 5,
    kShort2 = 6,
    kShort4 = 7,
    kUByte4N = 8,
    kShort2N = 9,
    kShort4N = 10,
    kUShort2N = 11,
    kUShort4N = 12,
    kUDec3 = 13,
    kDec3N = 14,
    kFloat16x2 = 15,
    kFloat16x4 = 16,
    kUnused = 17,
};

// Element meanings.
enum DeclUsage : uint8_t {
    kPosition = 0,
    kBlendWeight = 1,
    kBlendIndices = 2,
    kNormal = 3,
    kPSize = 4,
    kTexCoord = 5,
    kTangent = 6,
    kBinormal = 7,
    kTessFactor = 8,
    kPositionT = 9,
    kColorUsage = 10,
    kFog = 11,
    kDepth = 12,
    kSample = 13,
};

// One element of a vertex layout. Lists end with an element whose stream is
// kEndStream; at most kMaxElements entries (end marker included) are read.
struct VertexElement {
    uint16_t stream;
    uint16_t offset;
    uint8_t type;
    uint8_t method;
    uint8_t usage;
    uint8_t usageIndex;
};
constexpr uint16_t kEndStream = 0xFF;
constexpr int kMaxElements = 65;
constexpr VertexElement kEndElement = {kEndStream, 0, kUnused, 0, 0, 0};

constexpr int kBuiltinLayoutCount = 8;

// Built-in layout `index` (0 to 7), end-marker terminated; null when out of range.
const VertexElement* BuiltinLayout(int index);

// Bytes of one element of `type` (0 for kUnused or unknown types).
uint32_t TypeSize(uint8_t type);

// Number of elements before the end marker (bounded by kMaxElements - 1).
int ElementCount(const VertexElement* list);

// Vertex size of a list on stream 0: the end of its furthest element.
uint32_t LayoutVertexSize(const VertexElement* list);

// Flexible-vertex-format code of a list, or 0 when the list has no such form
// (a tangent, a second stream, elements out of the fixed order).
uint32_t LayoutFvf(const VertexElement* list);

}  // namespace platform::mesh
