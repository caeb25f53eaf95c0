// FreeTypeGlyphSource.cpp -- glyphs rasterised by FreeType from a face that fontconfig finds.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <vector>

#include "platform/text/GlyphSource.h"

namespace platform {

namespace {

// Font file and face index of the best match for a fontconfig pattern, or "".
std::string MatchFontFile(const char* pattern, int* faceIndex) {
    FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
    if (!pat) return {};
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pat, &result);
    FcPatternDestroy(pat);
    std::string file;
    if (match) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
            file = reinterpret_cast<const char*>(path);
        int index = 0;
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) *faceIndex = index;
        FcPatternDestroy(match);
    }
    return file;
}

class FreeTypeGlyphSource : public GlyphSource {
public:
    ~FreeTypeGlyphSource() override {
        if (face_) FT_Done_Face(face_);
        if (library_) FT_Done_FreeType(library_);
    }

    bool Open(int pixelHeight, const FaceRequest& request, std::string* error) {
        height_ = std::max(1, pixelHeight);
        monochrome_ = request.monochrome;
        if (FT_Init_FreeType(&library_) != 0) {
            *error = "FreeType cannot start";
            return false;
        }
        if (!FcInit()) {
            *error = "fontconfig cannot start";
            return false;
        }
        // A Japanese gothic face first, then whatever the system offers.
        std::vector<std::string> patterns = request.patterns;
        if (patterns.empty()) patterns = {"IPAGothic,VL Gothic,Noto Sans CJK JP,monospace:lang=ja", "sans-serif"};
        for (const std::string& pattern : patterns) {
            int index = 0;
            const std::string file = MatchFontFile(pattern.c_str(), &index);
            if (file.empty()) continue;
            FT_Face face = nullptr;
            if (FT_New_Face(library_, file.c_str(), index, &face) != 0) continue;
            if (!SetSize(face, request.cellHeight)) {
                FT_Done_Face(face);
                continue;
            }
            face_ = face;
            name_ = file;
            ascent_ = int(face_->size->metrics.ascender >> 6);
            const int descent = int(-(face_->size->metrics.descender >> 6));
            // Fit the face's line into the requested height.
            if (ascent_ + descent > height_) ascent_ = height_ - descent * height_ / (ascent_ + descent);
            ascent_ = std::clamp(ascent_, 1, height_);
            return true;
        }
        *error = "no usable font face found";
        return false;
    }

    // The em square at the pixel height, or (cell) ascender plus descender at it.
    bool SetSize(FT_Face face, bool cell) {
        if (!cell || !FT_IS_SCALABLE(face)) return FT_Set_Pixel_Sizes(face, 0, FT_UInt(height_)) == 0;
        FT_Size_RequestRec req{};
        req.type = FT_SIZE_REQUEST_TYPE_CELL;
        req.height = FT_Long(height_) * 64;
        return FT_Request_Size(face, &req) == 0;
    }

    int PixelHeight() const override { return height_; }
    int Ascent() const override { return ascent_; }
    const std::string& Name() const override { return name_; }

    bool Render(char32_t cp, Glyph* g) override {
        *g = Glyph{};
        const FT_UInt index = FT_Get_Char_Index(face_, FT_ULong(cp));
        if (index == 0 && cp != 0x20) return false;
        const FT_Int32 load = monochrome_ ? FT_LOAD_TARGET_MONO : FT_LOAD_DEFAULT;
        if (FT_Load_Glyph(face_, index, load) != 0) return false;
        if (FT_Render_Glyph(face_->glyph, monochrome_ ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return false;
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bm = slot->bitmap;
        g->left = slot->bitmap_left;
        g->top = slot->bitmap_top;
        g->advance = int(slot->advance.x >> 6);
        g->width = int(bm.width);
        g->height = int(bm.rows);
        g->coverage.assign(size_t(g->width) * g->height, 0);
        for (int y = 0; y < g->height; ++y) {
            const unsigned char* row = bm.buffer + ptrdiff_t(y) * bm.pitch;
            for (int x = 0; x < g->width; ++x) {
                uint8_t value = 0;
                if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
                    value = row[x];
                else if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                    value = (row[x >> 3] & (0x80 >> (x & 7))) ? 0xFF : 0;
                g->coverage[size_t(y) * g->width + x] = value;
            }
        }
        return true;
    }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    int height_ = 16;
    int ascent_ = 14;
    bool monochrome_ = false;
    std::string name_;
};

}  // namespace

std::unique_ptr<GlyphSource> CreateFreeTypeGlyphSource(int pixelHeight, const FaceRequest& request,
                                                       std::string* error) {
    auto source = std::make_unique<FreeTypeGlyphSource>();
    std::string ignored;
    if (!source->Open(pixelHeight, request, error ? error : &ignored)) return nullptr;
    return source;
}

std::unique_ptr<GlyphSource> CreateFreeTypeGlyphSource(int pixelHeight, std::string* error) {
    return CreateFreeTypeGlyphSource(pixelHeight, FaceRequest{}, error);
}

}  // namespace platform
