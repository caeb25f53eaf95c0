// tmMesh.h -- a loaded model's mesh: CPU copy plus its device vertex and index buffers.
#pragma once
#include <cstdint>

#include "platform/gfx/GfxTypes.h"
#include "platform/mesh/Mesh.h"
#include "sys/resource/tmResource.h"

namespace sys {

// The mesh of one model file, shared by the model's shapes. Made by the
// resource cache's model loader; keeps the CPU mesh (attribute table, bounds)
// and owns the device buffers made from it.
class tmMesh : public tmResource {
public:
    ~tmMesh() override;
    int Release() override;
    int GetType() const override { return kMesh; }

    // Takes the mesh, makes its device buffers (through the process device)
    // and finds its built-in layout: the first layout it matches by element
    // prefix whose vertex size is the mesh's own stride, else -1 (a layout
    // with a larger vertex would read past the mesh's vertices).
    bool SetMesh(platform::mesh::Mesh&& mesh);

    const platform::mesh::Mesh& GetMesh() const { return mesh_; }
    int32_t GetDeclIndex() const { return declIndex_; }
    uint32_t GetStride() const { return stride_; }
    gfx::Buffer GetVertexBuffer() const { return vertexBuffer_; }
    gfx::Buffer GetIndexBuffer() const { return indexBuffer_; }

    // The layout rule of SetMesh on its own.
    static int32_t LayoutFor(const platform::mesh::Mesh& mesh);

private:
    void FreeBuffers();

    platform::mesh::Mesh mesh_;
    gfx::Buffer vertexBuffer_;
    gfx::Buffer indexBuffer_;
    int32_t declIndex_ = -1;
    uint32_t stride_ = 0;
};

}  // namespace sys
