// tmGlyphFont.h -- a screen font: platform glyphs packed into an atlas texture, drawn through a text sprite.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/gfx/GfxTypes.h"
#include "platform/text/GlyphSource.h"

namespace gfx {
class Device;
}
namespace platform {
class GlyphAtlas;
}
class tmTextSprite;

// A rectangle in back-buffer pixels (right and bottom exclusive).
struct tmRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Owns a glyph source of one pixel height, the CPU atlas of the glyphs drawn
// so far and the device texture it is uploaded to. Made by the debug text
// queue. The texture is dropped on device loss and the atlas rebuilt on reset.
class tmGlyphFont {
public:
    static constexpr int kAtlasSize = 1024;

    tmGlyphFont();
    ~tmGlyphFont();
    tmGlyphFont(const tmGlyphFont&) = delete;
    tmGlyphFont& operator=(const tmGlyphFont&) = delete;

    // Which glyph source new fonts use (System unless a test chooses Builtin).
    static void SetBackend(platform::GlyphBackend backend);
    static platform::GlyphBackend GetBackend();

    // False when there is no device or no texture can be made.
    bool Create(gfx::Device* device, int height);
    void Release();
    void OnLostDevice();
    void OnResetDevice();

    // Queues the Shift-JIS text (count bytes, or up to the NUL when negative)
    // on the sprite, starting at the rectangle's top-left corner and clipped
    // to it; '\n' starts a new line. Returns the number of glyphs placed.
    int DrawText(tmTextSprite* sprite, const char* text, int count, const tmRect& rect, uint32_t colour);

    int GetHeight() const { return height_; }
    gfx::Texture GetTexture() const { return texture_; }
    const platform::GlyphAtlas* GetAtlas() const { return atlas_.get(); }

private:
    bool MakeTexture();
    void Upload();

    gfx::Device* device_ = nullptr;
    int height_ = 0;
    std::unique_ptr<platform::GlyphSource> source_;
    std::unique_ptr<platform::GlyphAtlas> atlas_;
    gfx::Texture texture_;
    uint32_t lastBatch_ = 0;
};
