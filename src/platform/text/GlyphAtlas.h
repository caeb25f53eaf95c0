// GlyphAtlas.h -- glyphs packed on demand into one CPU image for upload as a texture.
#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/text/GlyphSource.h"

namespace platform {

// Where a glyph sits in the atlas and how to place it.
struct AtlasGlyph {
    int x = 0, y = 0, width = 0, height = 0;  // rectangle in atlas pixels
    int left = 0, top = 0, advance = 0;       // as in Glyph
};

// Owns an ARGB image (white, coverage in alpha, row 0 at the top) and the
// glyph rectangles packed into it in shelves. Created by whoever draws text
// (the debug font); glyphs are added on first use. The glyph source is
// borrowed and must outlive the atlas.
class GlyphAtlas {
public:
    GlyphAtlas(GlyphSource* source, int width, int height);

    // The glyph, rendered into the atlas on first use. Null when the source
    // cannot draw it (a replacement is tried first) or the atlas is full.
    const AtlasGlyph* Find(char32_t codePoint);
    // Empties the atlas (all glyphs are rendered again on demand).
    void Clear();

    int Width() const { return width_; }
    int Height() const { return height_; }
    const uint32_t* Pixels() const { return pixels_.data(); }
    // True when pixels changed since the last MarkUploaded.
    bool Dirty() const { return dirty_; }
    void MarkUploaded() { dirty_ = false; }
    bool Full() const { return full_; }
    GlyphSource* Source() const { return source_; }

private:
    const AtlasGlyph* Insert(char32_t codePoint);

    GlyphSource* source_;
    int width_, height_;
    std::vector<uint32_t> pixels_;
    std::unordered_map<char32_t, AtlasGlyph> glyphs_;
    std::unordered_map<char32_t, bool> missing_;
    int shelfX_ = 1, shelfY_ = 1, shelfHeight_ = 0;
    bool dirty_ = true;
    bool full_ = false;
};

}  // namespace platform
