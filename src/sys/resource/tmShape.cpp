// tmShape.cpp -- set-up from caller buffers and the subset draw.
#include "sys/resource/tmShape.h"

#include "format/MaterialRecord.h"
#include "platform/gfx/Device.h"
#include "platform/mesh/Mesh.h"
#include "sys/base/tmMemory.h"
#include "sys/gfx/tmDevice.h"
#include "sys/resource/tmMesh.h"
#include "sys/resource/tmTexture.h"

namespace sys {

void tmShape::SetupFromBuffers(gfx::Buffer vb, uint32_t primCount, uint32_t vertCount, tmTexture* texture,
                               const gfx::Material& mat, gfx::Primitive primType, int decl, uint32_t kind) {
    mesh = nullptr;
    textures[0] = texture;
    for (int i = 1; i < 6; ++i) textures[i] = nullptr;
    shaderKind = kind;
    featureFlags = 0x401;
    material = mat;
    customA = 0.0f;
    range = {0, 0, primCount, 0, vertCount};
    subsetIndex = 0;
    vertexBuffer = vb;
    indexBuffer = {};
    primitiveType = primType;
    declIndex = decl;
    stride = gfx::GetVertexLayout(decl).stride;
    vertexCount = vertCount;
    primitiveCount = primCount;
    cullMode = gfx::Cull::CW;
    alphaMode = texture ? texture->GetAlphaMode() : 0;
    centre[0] = centre[1] = centre[2] = 0.0f;
    radius = 0.0f;
}

int tmShape::Release() {
    if (refCount_ == 1 && holdsTextures) {
        holdsTextures = false;
        for (tmTexture*& t : textures)
            if (t) {
                t->Release();
                t = nullptr;
            }
    }
    return tmResource::Release();
}

void tmShape::SetupFromMesh(tmMesh* m, const zfmt::MaterialRecord& r, tmTexture* const stageTextures[6],
                            const AttributeRange& subset, uint32_t subsetIdx) {
    mesh = m;
    for (int i = 0; i < 6; ++i) textures[i] = stageTextures ? stageTextures[i] : nullptr;
    shaderKind = r.shaderKind;
    featureFlags = r.featureFlags;
    customA = r.custom7;
    customB = r.custom5[1];
    customC = r.custom5[0];
    customD = r.custom4[1];
    customE = r.custom8;
    customF = 1.0f - r.custom2;
    material.diffuse = {r.diffuse[0], r.diffuse[1], r.diffuse[2], r.diffuse[3]};
    material.ambient = {r.ambient[0], r.ambient[1], r.ambient[2], r.ambient[3]};
    material.specular = {r.specular[0], r.specular[1], r.specular[2], r.specular[3]};
    material.emissive = {r.emissive[0], r.emissive[1], r.emissive[2], r.emissive[3]};
    material.power = r.power;
    range = subset;
    subsetIndex = subsetIdx;
    vertexBuffer = m ? m->GetVertexBuffer() : gfx::Buffer{};
    indexBuffer = m ? m->GetIndexBuffer() : gfx::Buffer{};
    declIndex = m ? m->GetDeclIndex() : -1;
    stride = m ? m->GetStride() : 0;
    primitiveType = gfx::Primitive::TriangleList;
    vertexCount = range.vertexCount;
    primitiveCount = range.faceCount;
    cullMode = gfx::Cull::CW;
    alphaMode = textures[0] ? textures[0]->GetAlphaMode() : 0;
    holdsTextures = true;
    centre[0] = centre[1] = centre[2] = 0.0f;
    radius = 0.0f;
    if (m) {
        const platform::mesh::Mesh& cpu = m->GetMesh();
        const uint64_t end = static_cast<uint64_t>(range.firstVertex) + range.vertexCount;
        if (end <= cpu.VertexCount() && range.vertexCount > 0)
            platform::mesh::ComputeBoundingSphere(&cpu.Vertices()[static_cast<size_t>(range.firstVertex) * stride],
                                                  range.vertexCount, stride, centre, &radius);
    }
}

void tmShape::Draw(gfx::Device* device) const {
    if (!device || !vertexBuffer) return;
    device->setStream(vertexBuffer, stride);
    if (indexBuffer) {
        device->setIndices(indexBuffer);
        device->drawIndexed(primitiveType, 0, 0, range.firstVertex + range.vertexCount, range.firstFace * 3,
                            range.faceCount);
    } else {
        device->draw(primitiveType, 0, range.faceCount);
    }
}

void tmShape::DestroyWithBuffer() {
    if (vertexBuffer && tmGetDevice()) tmGetDevice()->releaseBuffer(vertexBuffer);
    vertexBuffer = {};
    TM_DELETE(this);
}

}  // namespace sys
