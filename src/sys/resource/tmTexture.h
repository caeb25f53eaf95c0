// tmTexture.h -- a shared 2D texture resource with its alpha mode.
#pragma once
#include "platform/gfx/GfxTypes.h"
#include "sys/resource/tmResource.h"

namespace sys {

// The five words of a material texture stage that named a texture; the last
// is the texture's alpha mode (0 opaque, 1 alpha test, 2 blended).
struct tmTextureStage {
    uint32_t type = 0;
    uint32_t word1 = 1;
    uint8_t flag = 0;
    uint32_t uvSet = 0;
    uint32_t alphaMode = 0;
};

// One 2D device texture (null handle when the image could not be made). Made
// by the resource cache, or by screens that build their own textures.
class tmTexture : public tmResource {
public:
    ~tmTexture() override;
    int Release() override;
    int GetType() const override { return kTexture; }

    // Stores the texture and sheet and sets the alpha mode: mode 4 from the
    // texture's format, 1..3 as given, 0 or less from the name ("_PUNCH" 1,
    // "_ALPHA" 2, else the stage's own value).
    void Setup(gfx::Texture texture, const void* sheet, const tmTextureStage* stage, int mode);
    static uint32_t AlphaModeFromFormat(gfx::Format format);

    gfx::Texture GetTexture() const { return texture_; }
    const void* GetSheet() const { return sheet_; }
    const tmTextureStage& GetStage() const { return stage_; }
    uint32_t GetAlphaMode() const { return stage_.alphaMode; }
    // Level-0 size in texels; false without a device texture.
    bool GetSize(uint32_t* width, uint32_t* height) const;

private:
    void FreeTexture();
    gfx::Texture texture_;
    const void* sheet_ = nullptr;
    tmTextureStage stage_;
};

}  // namespace sys
