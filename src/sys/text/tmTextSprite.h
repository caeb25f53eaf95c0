// tmTextSprite.h -- a batch of alpha-blended screen quads drawn in one go (the debug text's sprite).
#pragma once
#include <cstdint>
#include <vector>

#include "platform/gfx/GfxTypes.h"

namespace gfx {
class Device;
}

// Collects textured, coloured quads in back-buffer pixels between Begin and
// End and draws them at End with alpha blending, no depth test and no
// culling, restoring the render states it changed. Owned by the debug font;
// holds no device objects, so it survives device resets.
class tmTextSprite {
public:
    explicit tmTextSprite(gfx::Device* device) : device_(device) {}

    void Begin();
    // Covers pixels x0..x1-1, y0..y1-1 with the texture rectangle (u0, v0)-(u1, v1).
    void AddQuad(gfx::Texture texture, float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1,
                 uint32_t colour);
    void End();

    // Counts Begin calls, so a font can tell one batch from the next.
    uint32_t GetBatch() const { return batch_; }
    int GetQuadCount() const { return static_cast<int>(quads_.size()); }
    gfx::Device* GetDevice() const { return device_; }

private:
    struct Quad {
        gfx::Texture texture;
        float x0, y0, x1, y1, u0, v0, u1, v1;
        uint32_t colour;
    };

    gfx::Device* device_;
    std::vector<Quad> quads_;
    uint32_t batch_ = 0;
    bool open_ = false;
};
