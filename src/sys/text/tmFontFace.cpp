// tmFontFace.cpp -- a platform glyph source behind Shift-JIS codes, packed as monochrome bits or grey levels.
#include "sys/text/tmFontFace.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/text/GlyphSource.h"
#include "sys/text/tmSjis.h"

namespace {
bool g_builtin = false;
// Distinct codes kept before the cache starts over (a chat can show many).
constexpr size_t kCacheLimit = 4096;
}  // namespace

void tmFontFace::UseBuiltinGlyphs(bool builtin) { g_builtin = builtin; }
bool tmFontFace::UsesBuiltinGlyphs() { return g_builtin; }

std::unique_ptr<tmFontFace> tmFontFace::Create(int cellHeight, bool monochrome) {
    const int height = std::max(1, cellHeight);
    if (!g_builtin) {
        platform::FaceRequest request;
        // A fixed-pitch Japanese gothic face: text is laid out in half-width cells.
        request.patterns = {"IPAGothic,VL Gothic,Noto Sans Mono CJK JP,monospace:lang=ja:spacing=mono",
                            "monospace:lang=ja", "monospace"};
        request.cellHeight = true;
        request.monochrome = monochrome;
        std::string error;
        if (auto source = platform::CreateFreeTypeGlyphSource(height, request, &error))
            return std::unique_ptr<tmFontFace>(new tmFontFace(std::move(source), height, false));
        std::fprintf(stderr, "font: %s; the built-in glyphs stand in\n", error.c_str());
    }
    return std::unique_ptr<tmFontFace>(new tmFontFace(platform::CreateBuiltinGlyphSource(height), height, true));
}

tmFontFace::tmFontFace(std::unique_ptr<platform::GlyphSource> source, int height, bool builtin)
    : source_(std::move(source)), height_(height), builtin_(builtin) {}

tmFontFace::~tmFontFace() = default;

int tmFontFace::GetAscent() const { return source_->Ascent(); }

const platform::Glyph* tmFontFace::Find(uint32_t code) {
    auto it = cache_.find(code);
    if (it != cache_.end()) return it->second.get();
    if (cache_.size() >= kCacheLimit) cache_.clear();
    auto glyph = std::make_unique<platform::Glyph>();
    const char32_t cp = tmSjis::CodeToUnicode(code);
    if (cp < 0x20 || cp == 0x7F || !source_->Render(cp, glyph.get())) *glyph = platform::Glyph{};
    // A glyph whose bitmap does not match its size is treated as empty.
    if (glyph->width < 0 || glyph->height < 0 ||
        glyph->coverage.size() != static_cast<size_t>(glyph->width) * static_cast<size_t>(glyph->height))
        *glyph = platform::Glyph{};
    return (cache_[code] = std::move(glyph)).get();
}

bool tmFontFace::GetGlyph(uint32_t code, int levels, tmGlyphBitmap* out) {
    *out = tmGlyphBitmap{};
    const platform::Glyph* g = Find(code);
    const bool drawable = g->advance > 0 || g->width > 0;
    out->metrics.blackBoxX = static_cast<uint32_t>(g->width);
    out->metrics.blackBoxY = static_cast<uint32_t>(g->height);
    out->metrics.originX = g->left;
    out->metrics.originY = g->top;
    out->metrics.cellIncX = g->advance;
    if (g->width == 0 || g->height == 0) return drawable;

    const size_t w = static_cast<size_t>(g->width), h = static_cast<size_t>(g->height);
    if (levels <= 0) {
        const size_t stride = (w + 31) / 32 * 4;
        out->buffer.assign(stride * h, 0);
        for (size_t y = 0; y < h; ++y)
            for (size_t x = 0; x < w; ++x)
                if (g->coverage[y * w + x] >= 128) out->buffer[y * stride + x / 8] |= uint8_t(0x80u >> (x % 8));
    } else {
        const size_t stride = (w + 3) / 4 * 4;
        const int top = levels - 1;
        out->buffer.assign(stride * h, 0);
        for (size_t y = 0; y < h; ++y)
            for (size_t x = 0; x < w; ++x)
                out->buffer[y * stride + x] = static_cast<uint8_t>((g->coverage[y * w + x] * top + 127) / 255);
    }
    return true;
}
