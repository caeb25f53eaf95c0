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

// ---- painting helpers shared by the interface painters ----
std::uint32_t WithAlpha(std::uint32_t argb, int alpha);
// "rrggbb" (or "#rrggbb") to an opaque colour; `fallback` when it is not one.
std::uint32_t ParseColour(const std::string& text, std::uint32_t fallback);
std::vector<std::string> Split(const std::string& s, char sep);
// Per channel a + (b - a) t, alpha included.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, float t);
// Inside test of a rounded rectangle (corner radius r) with soft edges: coverage 0..1.
float RoundedCoverage(float px, float py, float x0, float y0, float x1, float y1, float r);
// A rounded panel of `fill` with an edge of `edgeWidth` pixels in `edge`.
void Panel(SpriteCanvas& c, int x, int y, int w, int h, std::uint32_t fill, std::uint32_t edge, int edgeWidth,
           float radius);
void VerticalGradient(SpriteCanvas& c, int x, int y, int w, int h, std::uint32_t top, std::uint32_t bottom);
// A caption height: `share` of h, at least 8 and at most `most` pixels.
int CaptionHeight(int h, float share, int most);
// A deterministic value 0..1 from a seed and an index.
float Noise(std::uint32_t seed, int i);
// A silhouette layer across the canvas: smooth hills ("hills"), blocks ("city"), spikes ("trees").
void Skyline(SpriteCanvas& c, const std::string& kind, std::uint32_t colour, float base, float height,
             std::uint32_t seed);

// A trophy's emblem centred at cx, cy within size pixels: param "kind,colour[,label]" (kinds cup,
// crown, laurel, globe, podium, star, medal, flag, versus, bolt, arrow, zero; colour rrggbb, "gold"
// or "m<id>" for a machine's paint). False when the label cannot be set.
bool DrawTrophyEmblem(SpriteCanvas& c, int cx, int cy, int size, const std::string& param);

// The menu screens' painters (MenuArt.cpp): true for their style words.
bool IsMenuStyle(const std::string& style);
bool PaintMenuSprite(const SpriteStyle& style, SpriteCanvas& out);

}  // namespace contentgen
