// tmMesh.cpp -- device buffers of a loaded mesh and its layout index.
#include "sys/resource/tmMesh.h"

#include <cstring>

#include "platform/gfx/Device.h"
#include "sys/gfx/tmDevice.h"
#include "sys/gfx/tmVertexDecl.h"

namespace sys {

namespace {

gfx::Buffer MakeBuffer(gfx::Device* dev, gfx::BufferKind kind, const std::vector<uint8_t>& bytes) {
    if (!dev || bytes.empty()) return {};
    gfx::Buffer buf = dev->createBuffer(kind, static_cast<uint32_t>(bytes.size()), false);
    if (!buf) return {};
    void* p = dev->lockBuffer(buf, 0, static_cast<uint32_t>(bytes.size()));
    if (!p) {
        dev->releaseBuffer(buf);
        return {};
    }
    std::memcpy(p, bytes.data(), bytes.size());
    dev->unlockBuffer(buf);
    return buf;
}

}  // namespace

tmMesh::~tmMesh() { FreeBuffers(); }

void tmMesh::FreeBuffers() {
    gfx::Device* dev = tmGetDevice();
    if (dev) {
        if (indexBuffer_) dev->releaseBuffer(indexBuffer_);
        if (vertexBuffer_) dev->releaseBuffer(vertexBuffer_);
    }
    indexBuffer_ = {};
    vertexBuffer_ = {};
}

int tmMesh::Release() {
    if (refCount_ == 1) {
        FreeBuffers();
        mesh_.Clear();
    }
    return tmResource::Release();
}

int32_t tmMesh::LayoutFor(const platform::mesh::Mesh& mesh) {
    using namespace platform::mesh;
    const int found = tmVertexDecl::FindIndex(mesh.Layout());
    if (found < 0) return -1;
    if (tmVertexDecl::GetVertexSize(found) == mesh.Stride()) return found;
    // The prefix match names a wider layout: look for one of the same size
    // that the list also matches from the found one on.
    for (int i = found + 1; i < kBuiltinLayoutCount; ++i) {
        if (tmVertexDecl::GetVertexSize(i) != mesh.Stride()) continue;
        const VertexElement* own = BuiltinLayout(i);
        const VertexElement* list = mesh.Layout();
        bool match = ElementCount(own) == ElementCount(list);
        for (int e = 0; match && e < ElementCount(list); ++e)
            match = own[e].usage == list[e].usage && own[e].usageIndex == list[e].usageIndex &&
                    own[e].offset == list[e].offset && own[e].type == list[e].type;
        if (match) return i;
    }
    return -1;
}

bool tmMesh::SetMesh(platform::mesh::Mesh&& mesh) {
    FreeBuffers();
    mesh_ = std::move(mesh);
    stride_ = mesh_.Stride();
    declIndex_ = LayoutFor(mesh_);
    gfx::Device* dev = tmGetDevice();
    vertexBuffer_ = MakeBuffer(dev, gfx::BufferKind::Vertex, mesh_.Vertices());
    indexBuffer_ =
        MakeBuffer(dev, mesh_.Index32() ? gfx::BufferKind::Index32 : gfx::BufferKind::Index16, mesh_.IndexBytes());
    return vertexBuffer_ && indexBuffer_;
}

}  // namespace sys
