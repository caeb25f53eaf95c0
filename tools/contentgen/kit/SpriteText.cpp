// SpriteText.cpp -- FreeType glyph rendering of caption lines for the generated sprites.
#include "kit/SpriteText.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <mutex>

namespace contentgen {

namespace {

// Decodes UTF-8 into code points; a broken sequence becomes '?'.
std::vector<char32_t> Decode(const std::string& s) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) {
            out.push_back('?');
            ++i;
            continue;
        }
        char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(cp);
        i += n;
    }
    return out;
}

// The one FreeType face of the generator, opened on first use.
class Face {
public:
    static Face& Get() {
        static Face face;
        return face;
    }
    bool Ok() const { return face_ != nullptr; }
    std::mutex& Lock() { return lock_; }
    FT_Face Handle() { return face_; }

private:
    Face() {
        if (FT_Init_FreeType(&library_) != 0 || !FcInit()) return;
        const char* patterns[] = {"IPAPGothic,IPAGothic,VL Gothic,Noto Sans CJK JP:lang=ja", "DejaVu Sans",
                                  "sans-serif"};
        for (const char* pattern : patterns) {
            FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
            if (!pat) continue;
            FcConfigSubstitute(nullptr, pat, FcMatchPattern);
            FcDefaultSubstitute(pat);
            FcResult result = FcResultNoMatch;
            FcPattern* match = FcFontMatch(nullptr, pat, &result);
            FcPatternDestroy(pat);
            if (!match) continue;
            FcChar8* file = nullptr;
            int index = 0;
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
                FcPatternGetInteger(match, FC_INDEX, 0, &index);
                if (FT_New_Face(library_, reinterpret_cast<const char*>(file), index, &face_) != 0) face_ = nullptr;
            }
            FcPatternDestroy(match);
            if (face_) return;
        }
    }
    ~Face() {
        if (face_) FT_Done_Face(face_);
        if (library_) FT_Done_FreeType(library_);
    }

    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    std::mutex lock_;
};

}  // namespace

bool TextAvailable() { return Face::Get().Ok(); }

TextMask RenderText(const std::string& utf8, int pixelHeight) {
    TextMask mask;
    Face& face = Face::Get();
    if (!face.Ok() || pixelHeight < 1) return mask;
    std::lock_guard<std::mutex> guard(face.Lock());
    FT_Face f = face.Handle();
    FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(pixelHeight));
    const int ascent = static_cast<int>(f->size->metrics.ascender >> 6);
    const int descent = static_cast<int>(-(f->size->metrics.descender >> 6));
    const std::vector<char32_t> text = Decode(utf8);
    // First pass: the line's width.
    int width = 0;
    for (char32_t cp : text) {
        if (FT_Load_Char(f, cp, FT_LOAD_DEFAULT) != 0) continue;
        width += static_cast<int>(f->glyph->advance.x >> 6);
    }
    mask.width = std::max(1, width + 2);
    mask.height = std::max(1, ascent + descent);
    mask.baseline = ascent;
    mask.coverage.assign(size_t(mask.width) * mask.height, 0);
    int pen = 1;
    for (char32_t cp : text) {
        if (FT_Load_Char(f, cp, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot g = f->glyph;
        const FT_Bitmap& bm = g->bitmap;
        for (unsigned row = 0; row < bm.rows; ++row) {
            const int y = ascent - g->bitmap_top + static_cast<int>(row);
            for (unsigned col = 0; col < bm.width; ++col) {
                const int x = pen + g->bitmap_left + static_cast<int>(col);
                if (x < 0 || y < 0 || x >= mask.width || y >= mask.height) continue;
                uint8_t v = 0;
                if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
                    v = bm.buffer[row * bm.pitch + col];
                else if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                    v = (bm.buffer[row * bm.pitch + col / 8] >> (7 - col % 8)) & 1 ? 255 : 0;
                uint8_t& dst = mask.coverage[size_t(y) * mask.width + x];
                dst = std::max(dst, v);
            }
        }
        pen += static_cast<int>(g->advance.x >> 6);
    }
    return mask;
}

}  // namespace contentgen
