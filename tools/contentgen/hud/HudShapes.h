// HudShapes.h -- the race display's drawing kit: a stroke font, an anti-aliased canvas and flat meshes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "format/ByteIO.h"

namespace contentgen {
namespace hud {

struct Vec2 {
    float x, y;
};

// ---- stroke font ------------------------------------------------------------------------
// Glyphs are polylines in a cell 6 units wide and 10 high (y up, baseline 0),
// drawn with round caps: squared, segment-display-like shapes that read at a
// glance. Lower case draws as upper case; unknown characters draw nothing.
constexpr float kGlyphWidth = 6.0f;
constexpr float kGlyphHeight = 10.0f;
using Strokes = std::vector<std::vector<Vec2>>;
const Strokes& Glyph(char c);
// Width of a text of glyph height h with `gap` glyph units between glyphs.
float TextWidth(const std::string& text, float h, float gap = 2.5f, float stretch = 1.0f);

// ---- colours ----------------------------------------------------------------------------
struct Rgba {
    float r, g, b, a;
};
Rgba FromArgb(uint32_t argb);
uint32_t ToArgb(const Rgba& c);
Rgba Mix(const Rgba& a, const Rgba& b, float t);
Rgba WithAlpha(const Rgba& c, float a);

// ---- canvas -----------------------------------------------------------------------------
// An RGBA picture (row 0 at the top, straight alpha) painted with signed
// distance shapes: every fill is anti-aliased over one pixel.
class Canvas {
public:
    using Sdf = std::function<float(float x, float y)>;   // < 0 inside, in pixels
    using Shade = std::function<Rgba(float x, float y)>;  // colour at a pixel
    Canvas(int width, int height);

    int Width() const { return w_; }
    int Height() const { return h_; }

    // Paints `shade` where `sdf` is inside, over the box (x0, y0)-(x1, y1).
    void Fill(float x0, float y0, float x1, float y1, const Sdf& sdf, const Shade& shade);
    void Fill(float x0, float y0, float x1, float y1, const Sdf& sdf, const Rgba& colour);

    void RoundRect(float x0, float y0, float x1, float y1, float radius, const Rgba& colour);
    // A rounded rectangle with a vertical gradient and an edge line of `edge` pixels.
    void Panel(float x0, float y0, float x1, float y1, float radius, const Rgba& top, const Rgba& bottom,
               const Rgba& edgeColour, float edge);
    void Disc(float cx, float cy, float r, const Rgba& colour);
    void Ring(float cx, float cy, float r, float halfWidth, const Rgba& colour);
    void Line(float ax, float ay, float bx, float by, float halfWidth, const Rgba& colour);
    void Polygon(const std::vector<Vec2>& points, const Rgba& colour);
    // Text with its top-left corner at (x, y), glyphs h pixels tall, strokes
    // `weight` pixels wide, outlined by `outline` pixels in `outlineColour`.
    // align: 0 left, 1 centre, 2 right of x. Slant shears glyphs to the right.
    // Stretch widens glyphs (not the gaps) by a factor.
    void Text(const std::string& text, float x, float y, float h, float weight, const Rgba& colour,
              float outline = 0.0f, const Rgba& outlineColour = {0, 0, 0, 1}, int align = 0, float slant = 0.0f,
              float gap = 2.5f, float stretch = 1.0f);

    // Copies this picture into a larger RGBA8 picture at (ox, oy).
    void CopyInto(std::vector<uint8_t>& rgba, int width, int height, int ox, int oy) const;
    const Rgba& At(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }

private:
    int w_, h_;
    std::vector<Rgba> px_;
};

// Signed distances shared by the canvas and the tests of the art.
float SdSegment(float px, float py, Vec2 a, Vec2 b);
float SdRoundBox(float px, float py, float cx, float cy, float hx, float hy, float r);
float SdPolygon(float px, float py, const std::vector<Vec2>& poly);
// Distance to a text's strokes (no thickness) in the text's own pixel frame.
float SdText(const std::string& text, float x, float y, float h, float slant, float gap, float stretch, float px,
             float py);

// ---- flat meshes ------------------------------------------------------------------------
// A flat, vertex-coloured, double-sided model in the XY plane (y up), built
// from shapes painted back to front: the race display's meters, needles,
// digits, lamps and frames. Units are virtual-screen pixels.
class FlatMesh {
public:
    void Triangle(Vec2 a, Vec2 b, Vec2 c, uint32_t argb);
    void Quad(Vec2 a, Vec2 b, Vec2 c, Vec2 d, uint32_t argb);
    void Rect(float x0, float y0, float x1, float y1, uint32_t argb);
    // A convex polygon as a fan.
    void Convex(const std::vector<Vec2>& points, uint32_t argb);
    void Disc(Vec2 c, float r, uint32_t argb, int segments = 24);
    // Annular sector from angle a0 to a1 (radians, counter-clockwise from +x).
    void Arc(Vec2 c, float r0, float r1, float a0, float a1, uint32_t argb, int segments = 0);
    void RoundRect(float x0, float y0, float x1, float y1, float radius, uint32_t argb);
    void Capsule(Vec2 a, Vec2 b, float halfWidth, uint32_t argb);
    // Text with its baseline-left corner at `origin`, glyphs h tall; an
    // outline of `outline` units in `outlineArgb` is laid under the strokes.
    void Text(const std::string& text, Vec2 origin, float h, float weight, uint32_t argb, float outline = 0.0f,
              uint32_t outlineArgb = 0xFF000000u, int align = 0, float gap = 2.5f);

    bool Empty() const { return indices_.empty(); }
    size_t VertexCount() const { return positions_.size(); }
    // The model file: one material without texture (drawn with the call's
    // shader type, or `shaderKind` when not 0), every triangle on both sides.
    // On the ground plane the shape's y becomes the model's z (maps, markers).
    zfmt::Bytes Ybm(uint32_t shaderKind = 0, bool ground = false) const;
    // The same with texture coordinates u = (maxX - x) / (maxX - minX), v =
    // (maxY - y) / (maxY - minY) over the mesh's bounds (a view picture's quad).
    zfmt::Bytes YbmWithViewUv(uint32_t shaderKind) const;

private:
    uint16_t Vertex(Vec2 p, uint32_t argb);
    std::vector<Vec2> positions_;
    std::vector<uint32_t> colours_;
    std::vector<uint16_t> indices_;
};

}  // namespace hud
}  // namespace contentgen
