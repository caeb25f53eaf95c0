// tmBinaryMeshLoader.cpp -- checked "ybm" parse, mesh creation and attribute sort.
#include "sys/model/tmBinaryMeshLoader.h"

#include <cstdio>
#include <string>

#include "sys/model/tmModelText.h"

namespace {
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);
}

int32_t tmBinaryMeshLoader::LoadFromFile(const char* path, platform::mesh::Mesh& mesh,
                                         std::vector<uint8_t>& materials) {
    std::vector<uint8_t> bytes;
    if (!tmModelText::ReadFile(path, bytes)) {
        std::fprintf(stderr, "ybm: cannot read %s\n", path ? path : "(null)");
        return kFail;
    }
    return Parse(bytes.data(), bytes.size(), mesh, materials);
}

int32_t tmBinaryMeshLoader::Parse(const uint8_t* bytes, size_t size, platform::mesh::Mesh& mesh,
                                  std::vector<uint8_t>& materials) {
    std::string why;
    if (!zfmt::ParseBinaryMesh(bytes, size, last_, &why)) {
        std::fprintf(stderr, "ybm: refused (%s)\n", why.c_str());
        return kFail;
    }
    platform::mesh::Mesh built;
    if (!built.Create(static_cast<uint32_t>(last_.attributes.size()), last_.vertexCount,
                      platform::mesh::BuiltinLayout(static_cast<int>(zfmt::kBinaryMeshLayout)), false)) {
        std::fprintf(stderr, "ybm: refused (no faces or vertices)\n");
        return kFail;
    }
    built.Vertices() = last_.vertexBytes;
    built.Indices().assign(last_.indices.begin(), last_.indices.end());
    built.Attributes() = last_.attributes;
    if (!built.SortByAttribute(false)) return kFail;
    mesh = std::move(built);
    materials = last_.materialBytes;
    return 0;
}

void tmBinaryMeshLoader::Release() { last_ = zfmt::BinaryMesh{}; }
