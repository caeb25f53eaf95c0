// TextTextureFont.cpp -- glyph records and half-width cell advances of the lobby font.
#include "lobby/TextTextureFont.h"

#include <algorithm>

namespace g2ui {

TextTextureFont::TextTextureFont(const std::string& faceName, int32_t height, int32_t weight, uint32_t antiAliasMode)
    : face_(tmFontFace::Create(height, antiAliasMode == 0)),
      faceName_(faceName),
      height_(std::max(1, height)),
      weight_(weight),
      antiAlias_(antiAliasMode > 3 ? 0 : antiAliasMode) {}

TextTextureFont::~TextTextureFont() = default;

int TextTextureFont::GetGrayLevels() const {
    switch (antiAlias_) {
        case 1: return 5;
        case 2: return 17;
        case 3: return 65;
        default: return 1;
    }
}

bool TextTextureFont::GetGlyph(uint32_t code, TextGlyph* glyph) {
    tmGlyphBitmap bitmap;
    const bool ok = face_->GetGlyph(code, antiAlias_ == 0 ? 0 : GetGrayLevels(), &bitmap);
    glyph->buffer = std::move(bitmap.buffer);
    glyph->size = static_cast<uint32_t>(glyph->buffer.size());
    glyph->metrics = bitmap.metrics;
    return ok;
}

int32_t TextTextureFont::GetAdvance(uint32_t code) const { return (code > 0xFF ? 2 : 1) * (height_ / 2); }

}  // namespace g2ui
