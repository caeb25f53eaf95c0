// GlyphAtlas.cpp -- shelf packing of rendered glyphs into the atlas image.
#include "platform/text/GlyphAtlas.h"

#include <algorithm>

namespace platform {

namespace {
constexpr uint32_t kEmpty = 0x00FFFFFFu;
constexpr int kPad = 1;
}  // namespace

GlyphAtlas::GlyphAtlas(GlyphSource* source, int width, int height)
    : source_(source),
      width_(std::max(1, width)),
      height_(std::max(1, height)),
      pixels_(size_t(width_) * height_, kEmpty) {}

void GlyphAtlas::Clear() {
    std::fill(pixels_.begin(), pixels_.end(), kEmpty);
    glyphs_.clear();
    missing_.clear();
    shelfX_ = kPad;
    shelfY_ = kPad;
    shelfHeight_ = 0;
    dirty_ = true;
    full_ = false;
}

const AtlasGlyph* GlyphAtlas::Find(char32_t cp) {
    auto it = glyphs_.find(cp);
    if (it != glyphs_.end()) return &it->second;
    if (missing_.count(cp)) {
        // Shown as the replacement character, or '?' when the font lacks that too.
        if (cp != 0xFFFD && cp != '?') {
            if (const AtlasGlyph* r = Find(0xFFFD)) return r;
            return Find('?');
        }
        return nullptr;
    }
    return Insert(cp);
}

const AtlasGlyph* GlyphAtlas::Insert(char32_t cp) {
    if (!source_) return nullptr;
    Glyph g;
    if (!source_->Render(cp, &g)) {
        missing_[cp] = true;
        return Find(cp);
    }
    if (g.width > width_ - 2 * kPad || g.height > height_ - 2 * kPad) {
        missing_[cp] = true;
        return Find(cp);
    }
    if (shelfX_ + g.width + kPad > width_) {
        shelfX_ = kPad;
        shelfY_ += shelfHeight_ + kPad;
        shelfHeight_ = 0;
    }
    if (shelfY_ + g.height + kPad > height_) {
        full_ = true;
        return nullptr;
    }
    AtlasGlyph a;
    a.x = shelfX_;
    a.y = shelfY_;
    a.width = g.width;
    a.height = g.height;
    a.left = g.left;
    a.top = g.top;
    a.advance = g.advance;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            pixels_[size_t(a.y + y) * width_ + a.x + x] = uint32_t(g.coverage[size_t(y) * g.width + x]) << 24 | kEmpty;
    shelfX_ += g.width + kPad;
    shelfHeight_ = std::max(shelfHeight_, g.height);
    if (g.width > 0 && g.height > 0) dirty_ = true;
    return &glyphs_.emplace(cp, a).first->second;
}

}  // namespace platform
