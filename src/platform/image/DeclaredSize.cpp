// DeclaredSize.cpp -- checks that an image file holds the bytes its header declares, before decoding.
#include <cstdint>
#include <cstring>

#include "platform/image/Image.h"

namespace platform::image {

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t Be16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }
uint32_t Be32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | static_cast<uint32_t>(p[3]);
}

bool Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return false;
}

bool SideOk(uint64_t w, uint64_t h) {
    return w != 0 && h != 0 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
}

// TGA: header, id, colour map, then raw pixels or run-length packets that must
// cover every pixel within the file.
bool CheckTga(const uint8_t* p, size_t size, std::string* error) {
    if (size < 18) return Fail(error, "TGA header truncated");
    const uint32_t idLen = p[0], mapType = p[1], type = p[2];
    const uint32_t mapLen = U16(p + 5), mapBits = p[7];
    const uint64_t w = U16(p + 12), h = U16(p + 14);
    const uint32_t bpp = p[16];
    if (!SideOk(w, h)) return Fail(error, "TGA dimensions out of range");
    const uint64_t mapBytes = mapType == 1 ? uint64_t(mapLen) * ((mapBits + 7) / 8) : 0;
    const uint64_t start = 18 + uint64_t(idLen) + mapBytes;
    if (start > size) return Fail(error, "TGA colour map truncated");
    const uint64_t pixelBytes = (bpp + 7) / 8;
    const uint64_t pixels = w * h;
    if (type < 8) {
        if (size - start < pixels * pixelBytes) return Fail(error, "TGA pixel data truncated");
        return true;
    }
    // Each packet: a count byte, then one pixel (a run) or count pixels (raw).
    uint64_t at = start, covered = 0;
    while (covered < pixels) {
        if (at >= size) return Fail(error, "TGA pixel data truncated");
        const uint8_t head = p[at++];
        const uint64_t count = (head & 0x7F) + 1u;
        const uint64_t need = (head & 0x80) ? pixelBytes : count * pixelBytes;
        if (size - at < need) return Fail(error, "TGA pixel data truncated");
        at += need;
        covered += count;
    }
    return true;
}

// BMP: the rows from the pixel offset; the last row may lack its padding.
bool CheckBmp(const uint8_t* p, size_t size, std::string* error) {
    if (size < 18) return Fail(error, "BMP header truncated");
    const uint32_t offBits = U32(p + 10), infoSize = U32(p + 14);
    if (infoSize < 12 || infoSize > size - 14) return Fail(error, "BMP header truncated");
    uint64_t w = 0, h = 0;
    uint32_t bpp = 0, compression = 0;
    if (infoSize == 12) {
        w = U16(p + 18);
        h = U16(p + 20);
        bpp = U16(p + 24);
    } else {
        if (infoSize < 20) return Fail(error, "BMP header truncated");
        const int32_t sw = static_cast<int32_t>(U32(p + 18)), sh = static_cast<int32_t>(U32(p + 22));
        if (sw <= 0 || sh == 0 || sh == INT32_MIN) return Fail(error, "BMP dimensions out of range");
        w = static_cast<uint64_t>(sw);
        h = static_cast<uint64_t>(sh < 0 ? -static_cast<int64_t>(sh) : sh);
        bpp = U16(p + 28);
        compression = infoSize >= 20 ? U32(p + 30) : 0;
    }
    if (!SideOk(w, h)) return Fail(error, "BMP dimensions out of range");
    if (bpp == 0 || bpp > 32) return Fail(error, "BMP bit count out of range");
    if (compression == 1 || compression == 2) return true;  // run-length: refused by the decoder
    const uint64_t rowBits = w * bpp;
    const uint64_t stride = (rowBits + 31) / 32 * 4;
    const uint64_t start = offBits > 14 + infoSize ? offBits : 14 + infoSize;
    if (start > size || size - start < stride * (h - 1) + (rowBits + 7) / 8)
        return Fail(error, "BMP pixel data truncated");
    return true;
}

// PNG: whole chunks up to IEND, and enough compressed data for the declared
// size (deflate cannot pack more than 1032 bytes into one).
bool CheckPng(const uint8_t* p, size_t size, std::string* error) {
    if (size < 33 || Be32(p + 8) != 13 || std::memcmp(p + 12, "IHDR", 4) != 0)
        return Fail(error, "PNG header truncated");
    const uint64_t w = Be32(p + 16), h = Be32(p + 20);
    const uint32_t depth = p[24], colour = p[25];
    if (!SideOk(w, h)) return Fail(error, "PNG dimensions out of range");
    const uint32_t channels = colour == 2 ? 3 : colour == 4 ? 2 : colour == 6 ? 4 : 1;
    const uint64_t raw = h * (1 + (w * channels * depth + 7) / 8);
    uint64_t at = 8, idat = 0;
    for (;;) {
        if (size - at < 12) return Fail(error, "PNG chunk truncated");
        const uint64_t length = Be32(p + at);
        if (size - at - 12 < length) return Fail(error, "PNG chunk truncated");
        const uint8_t* type = p + at + 4;
        if (std::memcmp(type, "IDAT", 4) == 0) idat += length;
        at += 12 + length;
        if (std::memcmp(type, "IEND", 4) == 0) break;
    }
    if (idat * 1032 < raw) return Fail(error, "PNG pixel data truncated");
    return true;
}

// JPEG: every segment whole, a frame header, at least one scan and the end
// marker; the coded data needs at least one bit per minimum coded unit.
bool CheckJpeg(const uint8_t* p, size_t size, std::string* error) {
    uint64_t w = 0, h = 0, hMax = 1, vMax = 1, coded = 0;
    bool frame = false, scan = false;
    size_t at = 2;
    for (;;) {
        while (at < size && p[at] == 0xFF && at + 1 < size && p[at + 1] == 0xFF) ++at;  // fill bytes
        if (size - at < 2) return Fail(error, "JPEG data truncated (no end marker)");
        if (p[at] != 0xFF) return Fail(error, "JPEG marker expected");
        const uint8_t m = p[at + 1];
        at += 2;
        if (m == 0xD9) break;
        if (m == 0x01 || (m >= 0xD0 && m <= 0xD7)) continue;  // markers without a length
        if (size - at < 2) return Fail(error, "JPEG segment truncated");
        const size_t length = Be16(p + at);
        if (length < 2 || size - at < length) return Fail(error, "JPEG segment truncated");
        const uint8_t* seg = p + at + 2;
        const bool sof = m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
        if (sof) {
            if (length < 8) return Fail(error, "JPEG frame header truncated");
            h = Be16(seg + 1);
            w = Be16(seg + 3);
            const size_t components = seg[5];
            if (components == 0 || length < 8 + 3 * components) return Fail(error, "JPEG frame header truncated");
            for (size_t c = 0; c < components; ++c) {
                const uint64_t hs = seg[6 + 3 * c + 1] >> 4, vs = seg[6 + 3 * c + 1] & 15;
                if (hs > hMax) hMax = hs;
                if (vs > vMax) vMax = vs;
            }
            if (!SideOk(w, h)) return Fail(error, "JPEG dimensions out of range");
            frame = true;
        }
        at += length;
        if (m != 0xDA) continue;
        if (!frame) return Fail(error, "JPEG scan before its frame header");
        scan = true;
        // Coded data runs to the next marker that is neither a stuffed 0xFF nor a restart.
        while (at < size) {
            if (p[at] != 0xFF) {
                ++at;
                ++coded;
                continue;
            }
            if (at + 1 >= size) break;
            const uint8_t next = p[at + 1];
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7)) {
                at += 2;
                coded += next == 0x00 ? 1 : 0;
                continue;
            }
            if (next == 0xFF) {
                ++at;
                continue;
            }
            break;
        }
    }
    if (!frame || !scan) return Fail(error, "JPEG has no frame or scan");
    const uint64_t units = ((w + 8 * hMax - 1) / (8 * hMax)) * ((h + 8 * vMax - 1) / (8 * vMax));
    if (coded * 8 < units) return Fail(error, "JPEG coded data truncated");
    return true;
}

}  // namespace

bool FitsDeclaredSize(const void* data, size_t size, Container c, std::string* error) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    if (!p) return Fail(error, "no image data");
    switch (c) {
        case Container::Tga: return CheckTga(p, size, error);
        case Container::Bmp: return CheckBmp(p, size, error);
        case Container::Png: return CheckPng(p, size, error);
        case Container::Jpeg: return CheckJpeg(p, size, error);
        case Container::Dds: return true;  // the DDS reader checks its own levels
        default: return Fail(error, "unrecognised image format");
    }
}

}  // namespace platform::image
