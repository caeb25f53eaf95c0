// tmShape.h -- one drawable subset: buffers, material, textures and draw parameters.
#pragma once
#include "platform/gfx/GfxTypes.h"
#include "sys/resource/tmResource.h"

namespace gfx {
class Device;
}
namespace zfmt {
struct MaterialRecord;
}

namespace sys {

class tmMesh;
class tmTexture;

// One subset of a model (made by the model loaders) or one temporary batch
// built by the render queue from its own vertex buffer (SetupFromBuffers;
// destroyed with DestroyWithBuffer, never registered).
class tmShape : public tmResource {
public:
    struct AttributeRange {
        uint32_t attributeId = 0, firstFace = 0, faceCount = 0, firstVertex = 0, vertexCount = 0;
    };

    int GetType() const override { return kShape; }
    // At the last reference a shape set up from a mesh gives back the
    // references it holds on its stage textures.
    int Release() override;

    // One subset of a loaded mesh: material values and custom shading values
    // from the record, the six stage textures, the subset's attribute range;
    // buffers, layout and stride from the mesh; bounding sphere over the
    // subset's vertices.
    void SetupFromMesh(tmMesh* mesh, const zfmt::MaterialRecord& record, tmTexture* const stageTextures[6],
                       const AttributeRange& range, uint32_t subsetIndex);

    // Geometry the caller built: the shape takes the vertex buffer (no index
    // buffer), texture 0, material and layout; flags 0x401, cull clockwise.
    void SetupFromBuffers(gfx::Buffer vertexBuffer, uint32_t primitiveCount, uint32_t vertexCount, tmTexture* texture,
                          const gfx::Material& material, gfx::Primitive primitiveType, int declIndex,
                          uint32_t shaderKind);
    // Issues the subset's draw (stream, indices and the draw call).
    void Draw(gfx::Device* device) const;
    // Releases the vertex buffer and deletes the shape.
    void DestroyWithBuffer();

    tmMesh* mesh = nullptr;
    tmTexture* textures[6] = {};
    gfx::Material material;
    uint32_t shaderKind = 0;
    uint32_t featureFlags = 0;
    float customA = 0, customB = 0, customC = 0, customD = 0, customE = 0, customF = 0;
    AttributeRange range;
    uint32_t subsetIndex = 0;
    gfx::Buffer vertexBuffer;
    gfx::Buffer indexBuffer;
    gfx::Primitive primitiveType = gfx::Primitive::TriangleList;
    int32_t declIndex = -1;
    uint32_t stride = 0;
    uint32_t vertexCount = 0;
    uint32_t primitiveCount = 0;
    float centre[3] = {0, 0, 0};
    float radius = 0;
    uint32_t cullMode = gfx::Cull::CW;
    uint32_t alphaMode = 0;
    // Set by SetupFromMesh: the stage textures were acquired for this shape.
    bool holdsTextures = false;
};

}  // namespace sys
