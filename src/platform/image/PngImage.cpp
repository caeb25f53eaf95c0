// PngImage.cpp -- PNG textures decoded by libpng into RGBA8, with every failure caught.
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <png.h>

#include "platform/image/Image.h"

namespace platform::image {

namespace {

struct PngTrap {
    jmp_buf jump;
    char message[160];
};

// libpng reports through these; an error must not return, so it jumps back
// to the frame in Run that called setjmp.
[[noreturn]] void OnError(png_structp png, png_const_charp message) {
    auto* trap = static_cast<PngTrap*>(png_get_error_ptr(png));
    std::snprintf(trap->message, sizeof trap->message, "%s", message ? message : "libpng error");
    longjmp(trap->jump, 1);
}

void OnWarning(png_structp, png_const_charp) {}

struct Source {
    const uint8_t* data;
    size_t size;
    size_t at;
};

void OnRead(png_structp png, png_bytep out, size_t length) {
    auto* src = static_cast<Source*>(png_get_io_ptr(png));
    if (length > src->size - src->at) png_error(png, "file truncated");
    std::memcpy(out, src->data + src->at, length);
    src->at += length;
}

// Everything with a destructor lives here, outside the frame that calls
// setjmp, so a longjmp out of libpng skips no destructor.
struct Decoder {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngTrap trap{};
    Source source{};
    std::vector<uint8_t> rgba;
    std::vector<png_bytep> rows;
    ~Decoder() {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
};

bool Refuse(std::string* error, const char* why) {
    if (error) *error = std::string("PNG refused: ") + why;
    return false;
}

// The channel count the file stores (a palette counts as RGB, or RGBA when it
// carries transparency), from which the texture's pixel format follows.
int StoredComponents(png_structp png, png_infop info, int colour) {
    switch (colour) {
        case PNG_COLOR_TYPE_GRAY: return 1;
        case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
        case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
        case PNG_COLOR_TYPE_PALETTE: return png_get_valid(png, info, PNG_INFO_tRNS) ? 4 : 3;
        default: return 3;
    }
}

bool Run(Decoder& d, Image& out, std::string* error) {
    if (setjmp(d.trap.jump)) return Refuse(error, d.trap.message);
    d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &d.trap, OnError, OnWarning);
    if (!d.png) return Refuse(error, "no memory for the reader");
    d.info = png_create_info_struct(d.png);
    if (!d.info) return Refuse(error, "no memory for the reader");
    // The pixels and their transparency are all a texture needs: every other
    // ancillary chunk (text, colour profiles, gamma) is skipped unread.
    png_set_keep_unknown_chunks(d.png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_user_limits(d.png, kMaxSide, kMaxSide);
    png_set_read_fn(d.png, &d.source, OnRead);
    png_read_info(d.png, d.info);

    png_uint_32 w = 0, h = 0;
    int depth = 0, colour = 0, interlace = 0;
    png_get_IHDR(d.png, d.info, &w, &h, &depth, &colour, &interlace, nullptr, nullptr);
    if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide || uint64_t(w) * h > kMaxPixels)
        return Refuse(error, "dimensions out of range");
    const int components = StoredComponents(d.png, d.info, colour);

    // Everything becomes 8-bit RGBA: palettes and low-depth grey expand, a
    // colour key becomes alpha, 16-bit samples keep their high byte, grey
    // spreads to RGB and opaque files get alpha 255.
    if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(d.png);
    if (colour == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(d.png);
    if (png_get_valid(d.png, d.info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(d.png);
    if (depth == 16) png_set_strip_16(d.png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(d.png);
    png_set_filler(d.png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(d.png);
    png_read_update_info(d.png, d.info);
    if (png_get_rowbytes(d.png, d.info) != size_t(w) * 4) return Refuse(error, "unexpected row layout");

    d.rgba.assign(size_t(w) * h * 4, 0);
    d.rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y) d.rows[y] = d.rgba.data() + size_t(y) * w * 4;
    png_read_image(d.png, d.rows.data());

    out.width = w;
    out.height = h;
    out.container = Container::Png;
    out.format = components == 1   ? PixelFormat::L8
                 : components == 2 ? PixelFormat::A8L8
                 : components == 4 ? PixelFormat::A8R8G8B8
                                   : PixelFormat::X8R8G8B8;
    out.faces.assign(1, std::move(d.rgba));
    return true;
}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, Image& out, std::string* error) {
    out = Image{};
    if (!data || Sniff(data, size) != Container::Png) return Refuse(error, "not a PNG file");
    Decoder d;
    d.source = Source{data, size, 0};
    const bool ok = Run(d, out, error);
    if (!ok) out = Image{};
    return ok;
}

}  // namespace platform::image
