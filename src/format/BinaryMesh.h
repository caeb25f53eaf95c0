// BinaryMesh.h -- the "ybm" binary mesh image: header, vertices, faces, parts, materials.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "format/MaterialRecord.h"

namespace zfmt {

constexpr std::size_t kBinaryMeshHeaderSize = 104;
constexpr std::size_t kBinaryMeshVertexSize = 56;  // vertex layout 3
constexpr uint32_t kBinaryMeshLayout = 3;
extern const char kBinaryMeshMagic[16];  // "WemSysBinMsh100" and a NUL

// One vertex of layout 3.
struct BinaryMeshVertex {
    float position[3] = {0, 0, 0};
    float normal[3] = {0, 0, 0};
    uint32_t colour = 0xFFFFFFFFu;  // ARGB
    float uv0[2] = {0, 0};
    float uv1[2] = {0, 0};
    float tangent[3] = {0, 0, 0};
};

// A subset record as stored (kept but not applied by the reader).
struct BinaryMeshPart {
    uint32_t attribId = 0, firstFace = 0, faceCount = 0, firstVertex = 0, vertexCount = 0;
};

// A parsed image. Vertex bytes are kept as stored (56 bytes each, little-endian).
struct BinaryMesh {
    uint32_t layout = kBinaryMeshLayout;
    uint32_t vertexCount = 0;
    std::vector<uint8_t> vertexBytes;
    std::vector<uint16_t> indices;     // three per face
    std::vector<uint32_t> attributes;  // one per face
    std::vector<BinaryMeshPart> parts;
    std::vector<uint8_t> materialBytes;  // materialCount x kMaterialRecordSize
    uint32_t MaterialCount() const { return static_cast<uint32_t>(materialBytes.size() / kMaterialRecordSize); }
};

// Exact file size for the given counts, in 64-bit arithmetic.
uint64_t BinaryMeshFileSize(uint64_t vertices, uint64_t faces, uint64_t materials, uint64_t parts);

// Writes an image. Faces are index triples into `vertices`.
std::vector<uint8_t> WriteBinaryMesh(const std::vector<BinaryMeshVertex>& vertices,
                                     const std::vector<uint16_t>& indices, const std::vector<uint32_t>& attributes,
                                     const std::vector<BinaryMeshPart>& parts,
                                     const std::vector<MaterialRecord>& materials);

// Parses and checks an image: the full magic, the exact size, layout 3 (the
// only one whose vertices are 56 bytes), every index below the vertex count
// and every attribute id below the material count. False with a reason.
bool ParseBinaryMesh(const uint8_t* data, std::size_t size, BinaryMesh& out, std::string* error);

}  // namespace zfmt
