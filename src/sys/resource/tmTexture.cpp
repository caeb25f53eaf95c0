// tmTexture.cpp -- texture resource set-up, alpha-mode rules and release.
#include "sys/resource/tmTexture.h"

#include <cstring>

#include "platform/gfx/Device.h"
#include "sys/gfx/tmDevice.h"

namespace sys {

tmTexture::~tmTexture() { FreeTexture(); }

void tmTexture::FreeTexture() {
    if (texture_ && tmGetDevice()) tmGetDevice()->releaseTexture(texture_);
    texture_ = {};
}

int tmTexture::Release() {
    if (refCount_ == 1) FreeTexture();
    return tmResource::Release();
}

uint32_t tmTexture::AlphaModeFromFormat(gfx::Format format) {
    using F = gfx::Format;
    switch (format) {
        case F::A8R8G8B8:
        case F::A4R4G4B4:
        case F::A8:
        case F::A8R3G3B2:
        case F::DXT3:
        case F::DXT5: return 2;
        default: return 0;
    }
}

void tmTexture::Setup(gfx::Texture texture, const void* sheet, const tmTextureStage* stage, int mode) {
    texture_ = texture;
    sheet_ = sheet;
    stage_ = stage ? *stage : tmTextureStage{};
    if (mode == 4) {
        gfx::TextureDesc desc;
        gfx::Device* dev = tmGetDevice();
        stage_.alphaMode =
            texture && dev && dev->describeTexture(texture, &desc) ? AlphaModeFromFormat(desc.format) : 0;
    } else if (mode >= 1) {
        stage_.alphaMode = static_cast<uint32_t>(mode);
    } else {
        const char* name = GetName();
        if (std::strstr(name, "_PUNCH"))
            stage_.alphaMode = 1;
        else if (std::strstr(name, "_ALPHA"))
            stage_.alphaMode = 2;
    }
}

bool tmTexture::GetSize(uint32_t* width, uint32_t* height) const {
    gfx::TextureDesc desc;
    gfx::Device* dev = tmGetDevice();
    if (!texture_ || !dev || !dev->describeTexture(texture_, &desc)) return false;
    *width = desc.width;
    *height = desc.height;
    return true;
}

}  // namespace sys
