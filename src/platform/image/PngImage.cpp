// PngImage.cpp -- PNG textures decoded by libpng into RGBA8, whole or a band of rows at a time, every failure caught.
#include <algorithm>
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
    std::vector<uint8_t> pixels;  // a band of rows, or an interlaced image whole
    std::vector<png_bytep> rows;
    ~Decoder() {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
};

bool Refuse(std::string* error, const char* why) {
    if (error) *error = std::string("PNG refused: ") + why;
    return false;
}

// The channel count the file stores, from which the texture's pixel format
// follows. Transparency (a palette's alpha table, a grey or RGB colour key)
// counts as an alpha channel: the key decodes to clear pixels, and a format
// without alpha would upload them opaque.
int StoredComponents(png_structp png, png_infop info, int colour) {
    const bool keyed = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    switch (colour) {
        case PNG_COLOR_TYPE_GRAY: return keyed ? 2 : 1;
        case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
        case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
        default: return keyed ? 4 : 3;  // RGB and palettes
    }
}

// Rows go to the sink in bands of about this many bytes: few enough calls, and
// a band buffer that stays in cache.
constexpr size_t kBandBytes = 256 * 1024;

bool Run(Decoder& d, RowSink& sink, std::string* error) {
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
    const int passes = png_set_interlace_handling(d.png);
    png_read_update_info(d.png, d.info);
    const size_t stride = size_t(w) * 4;
    if (png_get_rowbytes(d.png, d.info) != stride) return Refuse(error, "unexpected row layout");

    const PixelFormat format = components == 1   ? PixelFormat::L8
                               : components == 2 ? PixelFormat::A8L8
                               : components == 4 ? PixelFormat::A8R8G8B8
                                                 : PixelFormat::X8R8G8B8;
    if (!sink.Begin(w, h, format)) return Refuse(error, "pixels not taken");
    if (passes == 1) {
        // A plain file goes out a band of rows at a time, so the whole image
        // never sits in memory twice (a title sheet is 32 MB).
        const png_uint_32 band = png_uint_32(std::max<size_t>(1, std::min<size_t>(h, kBandBytes / stride)));
        d.pixels.resize(stride * band);
        for (png_uint_32 y = 0; y < h; y += band) {
            const png_uint_32 n = std::min(band, h - y);
            for (png_uint_32 i = 0; i < n; ++i) png_read_row(d.png, d.pixels.data() + i * stride, nullptr);
            if (!sink.Rows(y, n, d.pixels.data())) return Refuse(error, "pixels not taken");
        }
    } else {
        // An interlaced one revisits its rows, so it is decoded whole first.
        d.pixels.resize(stride * h);
        d.rows.resize(h);
        for (png_uint_32 y = 0; y < h; ++y) d.rows[y] = d.pixels.data() + y * stride;
        png_read_image(d.png, d.rows.data());
        if (!sink.Rows(0, h, d.pixels.data())) return Refuse(error, "pixels not taken");
    }
    return true;
}

// Collects the rows into an Image, written once each: the pixels are reserved
// up front and the bands appended, never first filled with zeros.
class ImageSink : public RowSink {
public:
    explicit ImageSink(Image& out) : out_(out) {}
    bool Begin(uint32_t width, uint32_t height, PixelFormat format) override {
        out_.width = width;
        out_.height = height;
        out_.format = format;
        out_.container = Container::Png;
        out_.faces.resize(1);
        out_.faces[0].reserve(size_t(width) * height * 4);
        return true;
    }
    bool Rows(uint32_t, uint32_t count, uint8_t* rgba) override {
        out_.faces[0].insert(out_.faces[0].end(), rgba, rgba + size_t(count) * out_.width * 4);
        return true;
    }

private:
    Image& out_;
};

}  // namespace

bool DecodePngRows(const uint8_t* data, size_t size, RowSink& sink, std::string* error) {
    if (!data || Sniff(data, size) != Container::Png) return Refuse(error, "not a PNG file");
    Decoder d;
    d.source = Source{data, size, 0};
    return Run(d, sink, error);
}

bool DecodePng(const uint8_t* data, size_t size, Image& out, std::string* error) {
    out = Image{};
    ImageSink sink(out);
    const bool ok = DecodePngRows(data, size, sink, error);
    if (!ok) out = Image{};
    return ok;
}

}  // namespace platform::image
