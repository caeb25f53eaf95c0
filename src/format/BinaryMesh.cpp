// BinaryMesh.cpp -- writer and checked reader of "ybm" images.
#include "format/BinaryMesh.h"

#include <cstring>

namespace zfmt {

const char kBinaryMeshMagic[16] = "WemSysBinMsh100";

namespace {

void PutU32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutF32(std::vector<uint8_t>& b, float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    PutU32(b, u);
}
uint32_t GetU32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
bool Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return false;
}

}  // namespace

uint64_t BinaryMeshFileSize(uint64_t vertices, uint64_t faces, uint64_t materials, uint64_t parts) {
    return kBinaryMeshHeaderSize + kBinaryMeshVertexSize * vertices + 6 * faces + 4 * faces + 20 * parts +
           kMaterialRecordSize * materials;
}

std::vector<uint8_t> WriteBinaryMesh(const std::vector<BinaryMeshVertex>& vertices,
                                     const std::vector<uint16_t>& indices, const std::vector<uint32_t>& attributes,
                                     const std::vector<BinaryMeshPart>& parts,
                                     const std::vector<MaterialRecord>& materials) {
    std::vector<uint8_t> b;
    const uint32_t faces = static_cast<uint32_t>(attributes.size());
    b.reserve(BinaryMeshFileSize(vertices.size(), faces, materials.size(), parts.size()));
    b.insert(b.end(), kBinaryMeshMagic, kBinaryMeshMagic + 16);
    b.resize(80, 0);
    PutU32(b, kBinaryMeshLayout);
    PutU32(b, 0);
    PutU32(b, static_cast<uint32_t>(vertices.size()));
    PutU32(b, faces);
    PutU32(b, static_cast<uint32_t>(materials.size()));
    PutU32(b, static_cast<uint32_t>(parts.size()));
    for (const BinaryMeshVertex& v : vertices) {
        for (float f : v.position) PutF32(b, f);
        for (float f : v.normal) PutF32(b, f);
        PutU32(b, v.colour);
        for (float f : v.uv0) PutF32(b, f);
        for (float f : v.uv1) PutF32(b, f);
        for (float f : v.tangent) PutF32(b, f);
    }
    for (size_t i = 0; i < static_cast<size_t>(faces) * 3; ++i) {
        uint16_t x = i < indices.size() ? indices[i] : 0;
        b.push_back(static_cast<uint8_t>(x));
        b.push_back(static_cast<uint8_t>(x >> 8));
    }
    for (uint32_t a : attributes) PutU32(b, a);
    for (const BinaryMeshPart& p : parts) {
        PutU32(b, p.attribId);
        PutU32(b, p.firstFace);
        PutU32(b, p.faceCount);
        PutU32(b, p.firstVertex);
        PutU32(b, p.vertexCount);
    }
    AppendMaterialRecords(materials, b);
    return b;
}

bool ParseBinaryMesh(const uint8_t* data, std::size_t size, BinaryMesh& out, std::string* error) {
    out = BinaryMesh{};
    if (!data || size < kBinaryMeshHeaderSize) return Fail(error, "shorter than the 104-byte header");
    if (std::memcmp(data, kBinaryMeshMagic, sizeof kBinaryMeshMagic) != 0) return Fail(error, "bad magic");
    const uint32_t layout = GetU32(data + 80);
    const uint32_t vertexCount = GetU32(data + 88);
    const uint32_t faceCount = GetU32(data + 92);
    const uint32_t materialCount = GetU32(data + 96);
    const uint32_t partCount = GetU32(data + 100);
    if (BinaryMeshFileSize(vertexCount, faceCount, materialCount, partCount) != size)
        return Fail(error, "size does not match the header counts");
    if (layout != kBinaryMeshLayout) return Fail(error, "vertex layout is not the 56-byte layout 3");

    const uint8_t* p = data + kBinaryMeshHeaderSize;
    out.layout = layout;
    out.vertexCount = vertexCount;
    out.vertexBytes.assign(p, p + static_cast<size_t>(vertexCount) * kBinaryMeshVertexSize);
    p += static_cast<size_t>(vertexCount) * kBinaryMeshVertexSize;
    out.indices.resize(static_cast<size_t>(faceCount) * 3);
    for (uint16_t& i : out.indices) {
        i = static_cast<uint16_t>(p[0] | (p[1] << 8));
        p += 2;
        if (i >= vertexCount) {
            out = BinaryMesh{};
            return Fail(error, "face index beyond the vertex count");
        }
    }
    out.attributes.resize(faceCount);
    for (uint32_t& a : out.attributes) {
        a = GetU32(p);
        p += 4;
        if (a >= materialCount) {
            out = BinaryMesh{};
            return Fail(error, "attribute id beyond the material count");
        }
    }
    out.parts.resize(partCount);
    for (BinaryMeshPart& part : out.parts) {
        part.attribId = GetU32(p);
        part.firstFace = GetU32(p + 4);
        part.faceCount = GetU32(p + 8);
        part.firstVertex = GetU32(p + 12);
        part.vertexCount = GetU32(p + 16);
        p += 20;
    }
    out.materialBytes.assign(p, p + static_cast<size_t>(materialCount) * kMaterialRecordSize);
    return true;
}

}  // namespace zfmt
