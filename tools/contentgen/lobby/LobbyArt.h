// LobbyArt.h -- a small RGBA canvas for interface art: panels, edges, gradients and FreeType captions.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "format/ByteIO.h"

namespace platform {
class GlyphSource;
}

namespace contentgen {

// A colour with straight alpha, channels 0..1.
struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;
};

// A picture being drawn: straight-alpha RGBA floats, row 0 at the top.
// Drawing blends source-over; every operation clips to the canvas.
class Canvas {
public:
    Canvas(int width, int height, Rgba fill = {0, 0, 0, 0});
    int Width() const { return w_; }
    int Height() const { return h_; }

    Rgba Get(int x, int y) const;
    void Set(int x, int y, Rgba c);
    // Blends c over the pixel with the given coverage (0..1).
    void Blend(int x, int y, Rgba c, float coverage = 1.0f);
    void FillRect(int x, int y, int w, int h, Rgba c);
    // A rectangle with rounded corners (radius r), anti-aliased.
    void FillRoundRect(float x, float y, float w, float h, float r, Rgba c);
    // A 1-pixel outline of the same rounded rectangle, inset by half a pixel.
    void StrokeRoundRect(float x, float y, float w, float h, float r, Rgba c, float thickness = 1.0f);
    // Top-to-bottom gradient over a rectangle (replaces, does not blend).
    void VerticalGradient(int x, int y, int w, int h, Rgba top, Rgba bottom);
    void HLine(int x0, int x1, int y, Rgba c);
    void VLine(int x, int y0, int y1, Rgba c);
    // A filled triangle, anti-aliased by 4 x 4 samples.
    void FillTriangle(float ax, float ay, float bx, float by, float cx, float cy, Rgba c);
    // Copies another canvas in at (x, y).
    void Paste(const Canvas& src, int x, int y);
    // The sub-rectangle as a new canvas.
    Canvas Crop(int x, int y, int w, int h) const;

    // RGBA8 bytes (straight alpha).
    std::vector<std::uint8_t> Bytes() const;

private:
    int w_, h_;
    std::vector<Rgba> px_;
};

// Captions set in a Japanese gothic face with FreeType (UTF-8 text).
class Captions {
public:
    // Null when no face can be opened (the reason is in *error).
    static std::unique_ptr<Captions> Open(std::string* error);
    ~Captions();

    // Width in pixels of the text at the size.
    int Measure(const std::string& utf8, int size);
    // Draws the text with its top-left cell corner at (x, y): an outline of
    // `outline` pixels in the outline colour under the fill colour.
    void Draw(Canvas& canvas, const std::string& utf8, int size, int x, int y, Rgba fill, Rgba outlineColour,
              int outline = 1, bool bold = false);
    // Centred in the rectangle.
    void DrawCentred(Canvas& canvas, const std::string& utf8, int size, int x, int y, int w, int h, Rgba fill,
                     Rgba outlineColour, int outline = 1, bool bold = false);

private:
    Captions() = default;
    platform::GlyphSource* Face(int size);
    std::vector<std::unique_ptr<platform::GlyphSource>> faces_;
};

// UTF-8 to code points (a broken byte becomes U+FFFD).
std::u32string DecodeUtf8(const std::string& utf8);
// Encodes RGBA8 pixels as a baseline JPEG (alpha dropped) of the quality given.
zfmt::Bytes EncodeJpeg(int width, int height, const std::vector<std::uint8_t>& rgba, int quality);

}  // namespace contentgen
