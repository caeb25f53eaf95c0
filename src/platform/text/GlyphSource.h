// GlyphSource.h -- rasterised glyphs of one font at one pixel height.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// One rendered glyph: an 8-bit coverage bitmap (row 0 at the top) and its
// placement relative to the pen on the baseline.
struct Glyph {
    int width = 0;
    int height = 0;
    int left = 0;     // pen x to the bitmap's left column
    int top = 0;      // baseline to the bitmap's top row (up is positive)
    int advance = 0;  // pen movement in pixels
    std::vector<uint8_t> coverage;
};

// A font at a fixed pixel height.
class GlyphSource {
public:
    virtual ~GlyphSource() = default;
    virtual int PixelHeight() const = 0;
    // Pixels from a line's top to its baseline.
    virtual int Ascent() const = 0;
    // False when the font cannot draw the code point.
    virtual bool Render(char32_t codePoint, Glyph* glyph) = 0;
    virtual const std::string& Name() const = 0;
};

enum class GlyphBackend {
    // FreeType with a Japanese gothic face found through fontconfig, else any
    // face fontconfig knows, else the built-in bitmap glyphs.
    System,
    // Built-in glyphs only: the same on every machine (tests, no fonts).
    Builtin,
};

// Never null: the System backend falls back to the built-in glyphs.
std::unique_ptr<GlyphSource> CreateGlyphSource(GlyphBackend backend, int pixelHeight);

// How the FreeType backend picks and sizes its face.
struct FaceRequest {
    // fontconfig patterns tried in order; empty: a Japanese gothic face, else any sans-serif.
    std::vector<std::string> patterns;
    // Size the face so that ascender plus descender fill the pixel height (a
    // text cell, as a GDI font height means) instead of the em square.
    bool cellHeight = false;
    // One bit per pixel, hinted for monochrome (coverage is 0 or 255).
    bool monochrome = false;
};

// The FreeType backend alone; null (with a reason) when no face can be opened.
std::unique_ptr<GlyphSource> CreateFreeTypeGlyphSource(int pixelHeight, std::string* error);
std::unique_ptr<GlyphSource> CreateFreeTypeGlyphSource(int pixelHeight, const FaceRequest& request, std::string* error);
// The built-in bitmap glyphs: printable ASCII as 5 x 7 cells scaled to the height,
// every other visible code point as a hollow box.
std::unique_ptr<GlyphSource> CreateBuiltinGlyphSource(int pixelHeight);

}  // namespace platform
