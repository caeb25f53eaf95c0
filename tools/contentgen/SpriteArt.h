// SpriteArt.h -- the interface art of sprite sheets: panels, rows, captions, digit strips, badges and boards.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace contentgen {

// An RGBA8 picture, row 0 at the top, that sprite art is painted into.
struct SpriteCanvas {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
    SpriteCanvas(int w, int h) : width(w), height(h), rgba(size_t(w) * h * 4, 0) {}
    // Blends colour (0xAARRGGBB) over pixel x, y with extra coverage 0..1.
    void Blend(int x, int y, std::uint32_t argb, float coverage = 1.0f);
    void FillRect(int x, int y, int w, int h, std::uint32_t argb);
};

// How one sprite is painted, from its manifest line: a style word, an
// optional caption and an optional parameter (colours, column labels).
struct SpriteStyle {
    std::string style;
    std::string caption;
    std::string param;
};

// Paints a w x h sprite in `style`; false (and *error set) for an unknown style
// or a caption that cannot be rendered.
bool PaintSprite(const SpriteStyle& style, int w, int h, SpriteCanvas* out, std::string* error);
// True for the style words PaintSprite knows.
bool IsKnownStyle(const std::string& style);

// Draws `text` in white with a dark outline; align 0 left of x, 1 centred on x,
// 2 right of x; y is the vertical middle of the line. A line wider than
// maxWidth (0: no limit) is set smaller until it fits. False without a face.
bool DrawCaption(SpriteCanvas& c, const std::string& text, int x, int y, int pixelHeight, int align,
                 std::uint32_t colour = 0xFFFFFFFFu, std::uint32_t outline = 0xE0101018u, int outlineRadius = 2,
                 int maxWidth = 0);

}  // namespace contentgen
