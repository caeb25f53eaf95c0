// Mesh.h -- a CPU mesh: vertices in one layout, triangle indices, face attributes.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/mesh/VertexLayout.h"

namespace platform::mesh {

// One subset of a mesh after the attribute sort: the faces [faceStart,
// faceStart + faceCount) carry attribId and use vertices within
// [vertexStart, vertexStart + vertexCount).
struct AttributeRange {
    uint32_t attribId = 0;
    uint32_t faceStart = 0;
    uint32_t faceCount = 0;
    uint32_t vertexStart = 0;
    uint32_t vertexCount = 0;
};

// A triangle-list mesh held in memory. Model readers build one, the resource
// cache copies its buffers to the device. Pure data, no device.
class Mesh {
public:
    // Limits on counts a mesh accepts; a reader's counts are checked first.
    static constexpr uint32_t kMaxVertices = 4u * 1024u * 1024u;
    static constexpr uint32_t kMaxFaces = 4u * 1024u * 1024u;

    // Makes an empty mesh of the given size (vertex bytes zeroed, indices and
    // attributes 0). False (mesh left empty) for zero faces or vertices, counts
    // over the limits, an empty layout, or 16-bit indices with more than 65535
    // vertices.
    bool Create(uint32_t faceCount, uint32_t vertexCount, const VertexElement* layout, bool index32);
    void Clear();

    uint32_t FaceCount() const { return faceCount_; }
    uint32_t VertexCount() const { return vertexCount_; }
    uint32_t Stride() const { return stride_; }
    bool Index32() const { return index32_; }
    // The layout, end-marker terminated.
    const VertexElement* Layout() const { return layout_.data(); }
    uint32_t Fvf() const { return LayoutFvf(layout_.data()); }

    std::vector<uint8_t>& Vertices() { return vertices_; }
    const std::vector<uint8_t>& Vertices() const { return vertices_; }
    // Three indices per face, widened to 32 bits whatever the index size.
    std::vector<uint32_t>& Indices() { return indices_; }
    const std::vector<uint32_t>& Indices() const { return indices_; }
    std::vector<uint32_t>& Attributes() { return attributes_; }
    const std::vector<uint32_t>& Attributes() const { return attributes_; }
    const std::vector<AttributeRange>& AttributeTable() const { return table_; }

    // Index bytes as the device takes them (16 or 32 bits, little-endian).
    std::vector<uint8_t> IndexBytes() const;

    // True when every index names an existing vertex.
    bool IndicesValid() const;

    // Stable sort of the faces by attribute id; vertices are renumbered in
    // order of first use so each subset's vertices are near one another, and
    // the attribute table is rebuilt. With `compact`, unused vertices are
    // dropped (else they follow the used ones). False when an index is out of
    // range (nothing changes).
    bool SortByAttribute(bool compact);

    // Offset of the element (usage, index) in a vertex, or -1.
    int ElementOffset(uint8_t usage, uint8_t usageIndex) const;

    // A copy with another layout: elements found in both are converted, others
    // are zero (colours white). Faces, attributes and the table are kept.
    bool CloneWithLayout(const VertexElement* layout, Mesh& out) const;

    // Fills the tangent element from positions and texture set 0, made
    // perpendicular to the normal when there is one. False without a float3
    // tangent or a float2 texture set 0.
    bool ComputeTangents();

private:
    uint32_t faceCount_ = 0;
    uint32_t vertexCount_ = 0;
    uint32_t stride_ = 0;
    bool index32_ = false;
    std::vector<VertexElement> layout_{kEndElement};
    std::vector<uint8_t> vertices_;
    std::vector<uint32_t> indices_;
    std::vector<uint32_t> attributes_;
    std::vector<AttributeRange> table_;
};

// Bounding sphere of `count` positions (float3 at the start of each vertex):
// centre = mean position, radius = largest distance from it. Zero when empty.
void ComputeBoundingSphere(const uint8_t* vertices, uint32_t count, uint32_t stride, float centre[3], float* radius);

// Little-endian float and word access into vertex bytes.
float ReadF32(const uint8_t* p);
void WriteF32(uint8_t* p, float v);
uint32_t ReadU32(const uint8_t* p);
void WriteU32(uint8_t* p, uint32_t v);

}  // namespace platform::mesh
