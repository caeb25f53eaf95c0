// tmDebugFont.h -- a per-frame queue of debug text lines drawn in one batch.
#pragma once
#include <cstdint>
#include <memory>

#include "sys/text/tmGlyphFont.h"

namespace gfx {
class Device;
}
class tmTextSprite;

// Holds a glyph font, the queued lines (pen position, colour, string) and the
// bytes of their strings in fixed arrays sized at Create. A line that does not
// fit is dropped silently until the next Flush. Base of tmDxFont and tmConsole.
class tmDebugFont {
public:
    static constexpr uint32_t kWhite = 0xFFFFFFFFu;

    struct Entry {
        tmRect rect;
        const char* text = nullptr;
        int length = 0;
        uint32_t colour = kWhite;
    };

    tmDebugFont();
    virtual ~tmDebugFont();
    tmDebugFont(const tmDebugFont&) = delete;
    tmDebugFont& operator=(const tmDebugFont&) = delete;

    // Returns 0, or 0x80004005 (holding nothing) when the font or the arrays
    // cannot be made. Heights, text and entry capacities below 1 become 16,
    // 16 and 1.
    int32_t Create(gfx::Device* device, int height, int textCapacity, int entryCapacity);
    void Release();

    // Layout coordinates (1024 x 768, centred 4:3) to back-buffer pixels.
    void SetPosition(float x, float y);
    void SetPositionRaw(int x, int y);
    void SetColor(uint32_t colour) { colour_ = colour; }
    // Queues one line at the pen; the pen does not move.
    void DrawText(const char* text);
    // Draws every queued line on the sprite in order, then empties the queue,
    // puts the pen at (0, 0) and the colour back to white.
    void Flush(tmTextSprite* sprite);

    void OnLostDevice();
    void OnResetDevice();

    int GetHeight() const { return height_; }
    int GetTextUsed() const { return textUsed_; }
    int GetTextCapacity() const { return textCapacity_; }
    int GetEntryCount() const { return entryCount_; }
    int GetEntryCapacity() const { return entryCapacity_; }
    const Entry* GetEntry(int i) const { return i >= 0 && i < entryCount_ ? &entries_[i] : nullptr; }
    int GetPenX() const { return penX_; }
    int GetPenY() const { return penY_; }
    uint32_t GetColor() const { return colour_; }
    bool HasFont() const { return font_ != nullptr; }
    tmGlyphFont* GetFont() { return font_.get(); }

private:
    std::unique_ptr<tmGlyphFont> font_;
    std::unique_ptr<Entry[]> entries_;
    std::unique_ptr<char[]> text_;
    int height_ = 0;
    int textUsed_ = 0;
    int textCapacity_ = 0;
    int entryCount_ = 0;
    int entryCapacity_ = 0;
    int penX_ = 0;
    int penY_ = 0;
    uint32_t colour_ = kWhite;
};
