// Image.cpp -- container sniffing, the choice of reader, and the TGA and BMP readers (stb_image).
#include "platform/image/Image.h"

#include <climits>
#include <cstring>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 8192
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace platform::image {

namespace {

bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

bool LooksLikeTga(const uint8_t* p, size_t size) {
    if (size < 18) return false;
    uint8_t idLen = p[0], mapType = p[1], type = p[2], bpp = p[16];
    (void)idLen;
    if (mapType > 1) return false;
    if (type != 1 && type != 2 && type != 3 && type != 9 && type != 10 && type != 11) return false;
    if (bpp != 8 && bpp != 15 && bpp != 16 && bpp != 24 && bpp != 32) return false;
    uint32_t w = p[12] | (p[13] << 8), h = p[14] | (p[15] << 8);
    return w != 0 && h != 0;
}

// The format a texture loader would give the file's pixels: alpha survives in
// TGA (and PNG, see PngImage.cpp) only; BMP always loads opaque.
PixelFormat FormatFor(Container c, int components, const uint8_t* p) {
    if (c == Container::Tga && (p[16] == 16 || p[16] == 15))
        return (p[17] & 0x0F) ? PixelFormat::A1R5G5B5 : PixelFormat::X1R5G5B5;
    if (c == Container::Bmp) return PixelFormat::X8R8G8B8;
    switch (components) {
        case 1: return PixelFormat::L8;
        case 2: return PixelFormat::A8L8;
        case 4: return PixelFormat::A8R8G8B8;
        default: return PixelFormat::X8R8G8B8;
    }
}

bool DecodeStb(const uint8_t* p, size_t size, Container c, Image& out, std::string* error) {
    if (size > static_cast<size_t>(INT_MAX)) return Fail(error, "image too large");
    if (!FitsDeclaredSize(p, size, c, error)) return false;
    int w = 0, h = 0, comp = 0;
    if (!stbi_info_from_memory(p, static_cast<int>(size), &w, &h, &comp)) return Fail(error, "unreadable image header");
    if (w <= 0 || h <= 0 || static_cast<uint32_t>(w) > kMaxSide || static_cast<uint32_t>(h) > kMaxSide ||
        static_cast<uint64_t>(w) * static_cast<uint64_t>(h) > kMaxPixels)
        return Fail(error, "image dimensions out of range");
    int dw = 0, dh = 0, dc = 0;
    stbi_uc* pixels = stbi_load_from_memory(p, static_cast<int>(size), &dw, &dh, &dc, 4);
    if (!pixels) return Fail(error, std::string("image decode failed: ") + stbi_failure_reason());
    if (dw != w || dh != h) {
        stbi_image_free(pixels);
        return Fail(error, "image size changed while decoding");
    }
    out.width = static_cast<uint32_t>(w);
    out.height = static_cast<uint32_t>(h);
    out.container = c;
    out.format = FormatFor(c, comp, p);
    out.faces.assign(1, std::vector<uint8_t>(pixels, pixels + static_cast<size_t>(w) * h * 4));
    stbi_image_free(pixels);
    return true;
}

}  // namespace

Container Sniff(const void* data, size_t size) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    if (!p) return Container::Unknown;
    if (size >= 8 && std::memcmp(p, "\x89PNG\r\n\x1a\n", 8) == 0) return Container::Png;
    if (size >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF) return Container::Jpeg;
    if (size >= 4 && std::memcmp(p, "DDS ", 4) == 0) return Container::Dds;
    if (size >= 14 && p[0] == 'B' && p[1] == 'M') return Container::Bmp;
    if (LooksLikeTga(p, size)) return Container::Tga;
    return Container::Unknown;
}

bool Decode(const void* data, size_t size, Image& out, std::string* error) {
    out = Image{};
    const uint8_t* p = static_cast<const uint8_t*>(data);
    Container c = Sniff(p, size);
    bool ok = false;
    switch (c) {
        case Container::Unknown: return Fail(error, "unrecognised image format");
        case Container::Dds: ok = DecodeDds(p, size, out, error); break;
        case Container::Png: ok = FitsDeclaredSize(p, size, c, error) && DecodePng(p, size, out, error); break;
        case Container::Jpeg:
            ok = FitsDeclaredSize(p, size, c, error) && DecodeJpeg(p, size, kMaxSide, out, error);
            break;
        default: ok = DecodeStb(p, size, c, out, error); break;
    }
    if (!ok) out = Image{};
    return ok;
}

bool DecodeRows(const void* data, size_t size, RowSink& sink, std::string* error) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    if (Sniff(p, size) == Container::Png)
        return FitsDeclaredSize(p, size, Container::Png, error) && DecodePngRows(p, size, sink, error);
    Image img;
    if (!Decode(data, size, img, error)) return false;
    if (img.faces.size() != 1) return Fail(error, "a cube map, not a 2D image");
    if (!sink.Begin(img.width, img.height, img.format) || !sink.Rows(0, img.height, img.faces[0].data()))
        return Fail(error, "pixels not taken");
    return true;
}

bool DecodeCube(const void* data, size_t size, Image& out, std::string* error) {
    if (!Decode(data, size, out, error)) return false;
    if (out.IsCube()) return true;
    if (out.faces.size() != 1 || out.width == 0 || out.height != out.width * 6) {
        out = Image{};
        return Fail(error, "not a cube map (need six square faces)");
    }
    const size_t faceBytes = static_cast<size_t>(out.width) * out.width * 4;
    std::vector<uint8_t> strip = std::move(out.faces[0]);
    out.faces.clear();
    for (size_t f = 0; f < 6; ++f)
        out.faces.emplace_back(strip.begin() + f * faceBytes, strip.begin() + (f + 1) * faceBytes);
    out.height = out.width;
    return true;
}

}  // namespace platform::image
