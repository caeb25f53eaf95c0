// tmFontFace.h -- glyphs of Shift-JIS character codes as bitmaps in the layouts a CPU text rasteriser reads.
#pragma once
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace platform {
class GlyphSource;
struct Glyph;
}  // namespace platform

// Placement of one glyph bitmap: its black box, the box's top-left corner
// relative to the pen on the baseline (y up), and the pen's advance.
struct tmGlyphMetrics {
    uint32_t blackBoxX = 0;
    uint32_t blackBoxY = 0;
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t cellIncX = 0;
};

// One glyph bitmap. Monochrome: one bit per pixel, most significant first,
// rows of ((blackBoxX + 31) / 32) * 4 bytes. Grey: one byte per pixel with
// values 0 .. levels - 1, rows rounded up to a multiple of 4 bytes.
struct tmGlyphBitmap {
    std::vector<uint8_t> buffer;
    tmGlyphMetrics metrics;
};

// A fixed-pitch Japanese gothic face at one cell height (ascent plus descent,
// as a GDI font height means), rendered monochrome or in grey. Owns its glyph
// source and a cache of the glyphs drawn so far. The face comes from the
// system (FreeType through fontconfig) unless tests chose the built-in
// glyphs, which look the same on every machine.
class tmFontFace {
public:
    // Glyph source of faces made from now on: true for the built-in glyphs.
    static void UseBuiltinGlyphs(bool builtin);
    static bool UsesBuiltinGlyphs();

    // Never null: without a usable system face the built-in glyphs stand in.
    static std::unique_ptr<tmFontFace> Create(int cellHeight, bool monochrome);
    ~tmFontFace();
    tmFontFace(const tmFontFace&) = delete;
    tmFontFace& operator=(const tmFontFace&) = delete;

    int GetHeight() const { return height_; }
    // Pixels from the cell's top to the baseline.
    int GetAscent() const;
    bool IsBuiltin() const { return builtin_; }

    // The glyph of a character code ((lead << 8) | trail, or one byte) as a
    // bitmap with `levels` grey levels (0: monochrome bits). A code without a
    // character or glyph gives false and an empty bitmap (no pixels, zero
    // advance).
    bool GetGlyph(uint32_t code, int levels, tmGlyphBitmap* out);

private:
    tmFontFace(std::unique_ptr<platform::GlyphSource> source, int height, bool builtin);
    const platform::Glyph* Find(uint32_t code);

    std::unique_ptr<platform::GlyphSource> source_;
    int height_;
    bool builtin_;
    std::unordered_map<uint32_t, std::unique_ptr<platform::Glyph>> cache_;
};
