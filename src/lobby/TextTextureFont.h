// TextTextureFont.h -- the lobby's text font: Shift-JIS glyphs of a fixed-pitch gothic face, 7 pixels per byte.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sys/text/tmFontFace.h"

namespace g2ui {

// One glyph as the text rasteriser reads it: the packed bitmap (freed with
// the record), its size in bytes, and the glyph's metrics.
struct TextGlyph {
    std::vector<uint8_t> buffer;
    uint32_t size = 0;
    tmGlyphMetrics metrics;
};

// A font for text textures: a Japanese fixed-pitch gothic face at one cell
// height (14 in the lobby: ascent plus descent), monochrome or in 5, 17 or
// 65 grey levels. Owns its face. Text is laid out in half-width cells of
// height / 2 pixels: a single-byte character advances one cell, a
// double-byte character two, whatever the face's own widths.
class TextTextureFont {
public:
    // faceName: the face asked for (a Japanese fixed-pitch gothic face is found in its place).
    TextTextureFont(const std::string& faceName, int32_t height, int32_t weight, uint32_t antiAliasMode);
    virtual ~TextTextureFont();
    TextTextureFont(const TextTextureFont&) = delete;
    TextTextureFont& operator=(const TextTextureFont&) = delete;

    // The font must be selected while glyphs are read (kept for the callers' protocol).
    void Select() { selected_ = true; }
    void Deselect() { selected_ = false; }
    bool IsSelected() const { return selected_; }

    // The glyph of a character code in the mode's format. A code the face
    // cannot draw gives an empty glyph (no pixels) and false.
    bool GetGlyph(uint32_t code, TextGlyph* glyph);
    // 5, 17 or 65 for the grey modes, 1 for monochrome.
    int GetGrayLevels() const;
    // One half-width cell for a single-byte code, two for a double-byte one.
    int32_t GetAdvance(uint32_t code) const;

    int32_t GetHeight() const { return height_; }
    int32_t GetWeight() const { return weight_; }
    uint32_t GetAntiAliasMode() const { return antiAlias_; }
    int32_t GetAscent() const { return face_->GetAscent(); }
    const std::string& GetFaceName() const { return faceName_; }
    bool IsBuiltin() const { return face_->IsBuiltin(); }

private:
    std::unique_ptr<tmFontFace> face_;
    std::string faceName_;
    int32_t height_;
    int32_t weight_;
    uint32_t antiAlias_;
    bool selected_ = false;
};

}  // namespace g2ui
