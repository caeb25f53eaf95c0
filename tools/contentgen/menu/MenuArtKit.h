// MenuArtKit.h -- drawing tools of the menu art: glows, antialiased lines and discs, styled large text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "menu/SpriteArt.h"

namespace contentgen {

// The second set of menu painters (MenuArt2.cpp): course maps, machine cards, rows and pictures.
bool IsMenuStyle2(const std::string& style);
bool PaintMenuSprite2(const SpriteStyle& style, SpriteCanvas& out);
// The machines' pictures and panels (MenuArtMachine.cpp).
bool IsMachineStyle(const std::string& style);
bool PaintMachineSprite(const SpriteStyle& style, SpriteCanvas& out);
// The viewers' list rows, covers, scroll bars, and trophies (MenuArtLists.cpp).
bool IsListStyle(const std::string& style);
bool PaintListSprite(const SpriteStyle& style, SpriteCanvas& out);
// The ending's ranks, backdrop, trophy, shade and staff roll lines (MenuArtEnding.cpp).
bool IsEndingStyle(const std::string& style);
bool PaintEndingSprite(const SpriteStyle& style, SpriteCanvas& out);

namespace menuart {

struct Point {
    float x, y;
};

// A radial glow: `colour` at the centre fading to nothing at `radius`.
void Glow(SpriteCanvas& c, float cx, float cy, float radius, std::uint32_t colour);
// A filled disc with a soft edge.
void Disc(SpriteCanvas& c, float cx, float cy, float radius, std::uint32_t colour);
// A line of `width` pixels with round ends and soft edges.
void ThickLine(SpriteCanvas& c, float x0, float y0, float x1, float y1, float width, std::uint32_t colour);
// Joined segments (closed: back to the first point); each pixel is covered once, so
// translucent lines keep an even tone.
void Polyline(SpriteCanvas& c, const std::vector<Point>& points, bool closed, float width, std::uint32_t colour);
// A filled polygon (even-odd), soft-edged by supersampling.
void FillPolygon(SpriteCanvas& c, const std::vector<Point>& points, std::uint32_t colour);

// How DrawStyledText sets a line: a vertical fill gradient, an outline and a slant.
struct TextStyle {
    int pixelHeight = 32;
    std::uint32_t fillTop = 0xFFFFFFFFu, fillBottom = 0xFFFFFFFFu;
    std::uint32_t outline = 0xE0101018u;  // 0: none
    int outlineRadius = 2;
    float shear = 0.0f;  // x moved right by shear x (rows above the baseline)
    int maxWidth = 0;    // a wider line is set smaller until it fits
};
// Sets `text` with its vertical middle at y; align 0 left of x, 1 centred on x, 2 right of x.
// False without a face.
bool DrawStyledText(SpriteCanvas& c, const std::string& text, int x, int y, int align, const TextStyle& style);
// The width in pixels `text` takes at a pixel height (0 without a face).
int TextWidth(const std::string& text, int pixelHeight);

}  // namespace menuart
}  // namespace contentgen
