// tmCubeTexture.h -- a shared cube texture resource.
#pragma once
#include "platform/gfx/GfxTypes.h"
#include "sys/resource/tmResource.h"

namespace sys {

// One device cube texture (sky and reflection maps). Made by the resource
// cache's cube loader; the device texture is freed at the last reference.
class tmCubeTexture : public tmResource {
public:
    ~tmCubeTexture() override;
    int Release() override;
    int GetType() const override { return kCubeTexture; }

    void SetTexture(gfx::Texture texture) { texture_ = texture; }
    gfx::Texture GetTexture() const { return texture_; }

private:
    void FreeTexture();
    gfx::Texture texture_;
};

}  // namespace sys
