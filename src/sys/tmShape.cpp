// tmShape.cpp -- set-up from caller buffers and the subset draw.
#include "sys/tmShape.h"

#include "platform/gfx/Device.h"
#include "sys/tmDevice.h"
#include "sys/tmTexture.h"

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
    delete this;
}

}  // namespace sys
