// tmCubeTexture.cpp -- release of the device cube texture at the last reference.
#include "sys/resource/tmCubeTexture.h"

#include "platform/gfx/Device.h"
#include "sys/gfx/tmDevice.h"

namespace sys {

tmCubeTexture::~tmCubeTexture() { FreeTexture(); }

void tmCubeTexture::FreeTexture() {
    if (texture_ && tmGetDevice()) tmGetDevice()->releaseTexture(texture_);
    texture_ = {};
}

int tmCubeTexture::Release() {
    if (refCount_ == 1) FreeTexture();
    return tmResource::Release();
}

}  // namespace sys
