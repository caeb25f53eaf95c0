// TextureArt.h -- the drawing kit of generated textures: colours, tileable noise and a canvas.
#pragma once

#include <cstdint>
#include <vector>

#include "format/ByteIO.h"

namespace contentgen::art {

// A colour with straight (not premultiplied) alpha, channels 0..1.
struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB as a colour.
Colour Rgb(std::uint32_t hex, float alpha = 1.0f);
Colour Mix(const Colour& a, const Colour& b, float t);
// Scales red, green and blue by k (alpha kept).
Colour Shade(const Colour& c, float k);
Colour WithAlpha(const Colour& c, float a);
float Clamp01(float v);
float SmoothStep(float e0, float e1, float x);

// Small deterministic generator (xorshift32); the seed 0 is replaced.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : m_state(seed ? seed : 0x9E3779B9u) {}
    std::uint32_t Next();
    float Unit();                     // [0, 1)
    float Range(float lo, float hi);  // [lo, hi)
    int Int(int lo, int hi);          // [lo, hi]
    bool Chance(float p) { return Unit() < p; }

private:
    std::uint32_t m_state;
};

// A stable seed from a text and a number.
std::uint32_t Seed(const char* text, std::uint32_t salt = 0);

// Value noise over the unit square that repeats at its edges: `cells` lattice
// cells across, smooth interpolation, result 0..1.
float Noise(float u, float v, int cells, std::uint32_t seed);
// Sum of `octaves` noise layers, each twice as fine and half as strong; 0..1.
float Fbm(float u, float v, int cells, int octaves, std::uint32_t seed);
// Distance to the nearest of one random point per cell (tiling), scaled so
// that 1 is about one cell; and the id of that point's cell.
float CellDistance(float u, float v, int cells, std::uint32_t seed, std::uint32_t* cellId = nullptr);

// An RGBA picture being drawn. Coordinates wrap, so strokes across an edge
// continue on the other side and textures tile.
class Canvas {
public:
    Canvas(int width, int height);
    int Width() const { return m_w; }
    int Height() const { return m_h; }

    Colour& At(int x, int y);
    const Colour& At(int x, int y) const;
    void Fill(const Colour& c);
    // Calls f(x, y, u, v) for every pixel (u, v in [0, 1)) and stores its colour.
    template <typename F>
    void Paint(F f) {
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x) At(x, y) = f(x, y, (x + 0.5f) / m_w, (y + 0.5f) / m_h);
    }
    // Alpha-blends c over the pixel with coverage k (0..1).
    void Blend(int x, int y, const Colour& c, float k = 1.0f);
    // Axis-aligned rectangle [x0, x1) x [y0, y1).
    void Rect(int x0, int y0, int x1, int y1, const Colour& c, float k = 1.0f);
    void Frame(int x0, int y0, int x1, int y1, int width, const Colour& c);
    // Disc with an anti-aliased (or `soft`-pixel feathered) edge.
    void Disc(float cx, float cy, float r, const Colour& c, float soft = 1.0f);
    // Ring between radii r0 and r1.
    void Ring(float cx, float cy, float r0, float r1, const Colour& c);
    // Thick anti-aliased segment.
    void Line(float x0, float y0, float x1, float y1, float width, const Colour& c);
    // Filled triangle.
    void Triangle(float x0, float y0, float x1, float y1, float x2, float y2, const Colour& c);
    // Multiplies every pixel's colour by k.
    void Darken(float k);
    // A seven-segment digit (0..9) in the box [x, x + w) x [y, y + h).
    void Digit(int digit, float x, float y, float w, float h, float stroke, const Colour& c);

    // PNG bytes of the picture.
    zfmt::Bytes Png() const;
    // How much the picture varies: the larger of the luminance's standard
    // deviation relative to its mean and the alpha's standard deviation.
    // A blank fill gives 0.
    float Spread() const;

private:
    int m_w, m_h;
    std::vector<Colour> m_px;
};

}  // namespace contentgen::art
