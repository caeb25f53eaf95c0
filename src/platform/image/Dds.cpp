// Dds.cpp -- DDS reader: 2D and cube maps, DXT1/2/3/4/5 and masked RGB formats.
#include "platform/image/Image.h"

#include <cstring>

namespace platform::image {

namespace {

constexpr uint32_t kHeaderSize = 124;
constexpr uint32_t kDataStart = 4 + kHeaderSize;
constexpr uint32_t kFlagMipCount = 0x20000;
constexpr uint32_t kPfAlphaPixels = 0x1;
constexpr uint32_t kPfAlpha = 0x2;
constexpr uint32_t kPfFourCC = 0x4;
constexpr uint32_t kPfRgb = 0x40;
constexpr uint32_t kPfLuminance = 0x20000;
constexpr uint32_t kCaps2Cube = 0x200;
constexpr uint32_t kCaps2AllFaces = 0xFC00;

uint32_t U32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
constexpr uint32_t FourCC(char a, char b, char c, char d) {
    return static_cast<uint8_t>(a) | (static_cast<uint8_t>(b) << 8) | (static_cast<uint8_t>(c) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24);
}

bool Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return false;
}

struct Masks {
    uint32_t bits, r, g, b, a;
    bool luminance;
};

PixelFormat Classify(const Masks& m) {
    if (m.luminance) {
        if (m.bits == 8) return (m.a == 0xF0) ? PixelFormat::A4L4 : PixelFormat::L8;
        if (m.bits == 16) return PixelFormat::A8L8;
        return PixelFormat::Unknown;
    }
    if (m.bits == 8 && m.r == 0 && m.a == 0xFF) return PixelFormat::A8;
    if (m.bits == 32 && m.r == 0x00FF0000 && m.g == 0xFF00 && m.b == 0xFF)
        return m.a ? PixelFormat::A8R8G8B8 : PixelFormat::X8R8G8B8;
    if (m.bits == 32 && m.r == 0xFF && m.g == 0xFF00 && m.b == 0x00FF0000)
        return m.a ? PixelFormat::A8B8G8R8 : PixelFormat::X8B8G8R8;
    if (m.bits == 24 && m.r == 0x00FF0000 && m.g == 0xFF00 && m.b == 0xFF) return PixelFormat::R8G8B8;
    if (m.bits == 16 && m.r == 0xF800 && m.g == 0x07E0 && m.b == 0x1F) return PixelFormat::R5G6B5;
    if (m.bits == 16 && m.r == 0x7C00 && m.g == 0x03E0 && m.b == 0x1F)
        return m.a ? PixelFormat::A1R5G5B5 : PixelFormat::X1R5G5B5;
    if (m.bits == 16 && m.r == 0x0F00 && m.g == 0xF0 && m.b == 0xF)
        return m.a ? PixelFormat::A4R4G4B4 : PixelFormat::X4R4G4B4;
    if (m.bits == 16 && m.r == 0xE0 && m.g == 0x1C && m.b == 0x3 && m.a == 0xFF00) return PixelFormat::A8R3G3B2;
    return PixelFormat::Unknown;
}

// Scales the masked field of v to 0..255; a missing channel gives `absent`.
uint8_t Channel(uint32_t v, uint32_t mask, uint8_t absent) {
    if (mask == 0) return absent;
    int shift = 0;
    while (!((mask >> shift) & 1u)) ++shift;
    uint32_t max = mask >> shift;
    uint32_t x = (v & mask) >> shift;
    return static_cast<uint8_t>((x * 255u + max / 2) / max);
}

void Rgb565(uint16_t c, uint8_t out[3]) {
    out[0] = static_cast<uint8_t>(((c >> 11) & 31) * 255 / 31);
    out[1] = static_cast<uint8_t>(((c >> 5) & 63) * 255 / 63);
    out[2] = static_cast<uint8_t>((c & 31) * 255 / 31);
}

// Colour part of a DXT block; `fourColour` forces the four-colour mode (DXT3/5).
void ColourBlock(const uint8_t* block, bool fourColour, uint8_t out[64]) {
    uint16_t c0 = U16(block), c1 = U16(block + 2);
    uint8_t pal[4][4];
    Rgb565(c0, pal[0]);
    Rgb565(c1, pal[1]);
    pal[0][3] = pal[1][3] = 255;
    if (fourColour || c0 > c1) {
        for (int i = 0; i < 3; ++i) {
            pal[2][i] = static_cast<uint8_t>((2 * pal[0][i] + pal[1][i]) / 3);
            pal[3][i] = static_cast<uint8_t>((pal[0][i] + 2 * pal[1][i]) / 3);
        }
        pal[2][3] = pal[3][3] = 255;
    } else {
        for (int i = 0; i < 3; ++i) pal[2][i] = static_cast<uint8_t>((pal[0][i] + pal[1][i]) / 2);
        pal[2][3] = 255;
        pal[3][0] = pal[3][1] = pal[3][2] = pal[3][3] = 0;
    }
    uint32_t bits = U32(block + 4);
    for (int i = 0; i < 16; ++i) std::memcpy(out + i * 4, pal[(bits >> (2 * i)) & 3], 4);
}

}  // namespace

void DecodeDxt1Block(const uint8_t* block, uint8_t out[64]) { ColourBlock(block, false, out); }

void DecodeDxt3Block(const uint8_t* block, uint8_t out[64]) {
    ColourBlock(block + 8, true, out);
    for (int i = 0; i < 16; ++i) {
        uint8_t nib = (block[i / 2] >> ((i & 1) * 4)) & 0xF;
        out[i * 4 + 3] = static_cast<uint8_t>(nib * 17);
    }
}

void DecodeDxt5Block(const uint8_t* block, uint8_t out[64]) {
    ColourBlock(block + 8, true, out);
    uint8_t a[8];
    a[0] = block[0];
    a[1] = block[1];
    if (a[0] > a[1]) {
        for (int i = 1; i < 7; ++i) a[i + 1] = static_cast<uint8_t>(((7 - i) * a[0] + i * a[1]) / 7);
    } else {
        for (int i = 1; i < 5; ++i) a[i + 1] = static_cast<uint8_t>(((5 - i) * a[0] + i * a[1]) / 5);
        a[6] = 0;
        a[7] = 255;
    }
    uint64_t bits = 0;
    for (int i = 0; i < 6; ++i) bits |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
    for (int i = 0; i < 16; ++i) out[i * 4 + 3] = a[(bits >> (3 * i)) & 7];
}

bool DecodeDds(const uint8_t* p, size_t size, Image& out, std::string* error) {
    if (size < kDataStart || std::memcmp(p, "DDS ", 4) != 0) return Fail(error, "DDS header truncated");
    const uint8_t* h = p + 4;
    if (U32(h) != kHeaderSize) return Fail(error, "DDS header size is not 124");
    const uint32_t flags = U32(h + 4), height = U32(h + 8), width = U32(h + 12);
    uint32_t mips = (flags & kFlagMipCount) ? U32(h + 24) : 1;
    if (mips == 0) mips = 1;
    const uint8_t* pf = h + 72;
    const uint32_t pfFlags = U32(pf + 4), fourcc = U32(pf + 8);
    Masks m{U32(pf + 12),
            U32(pf + 16),
            U32(pf + 20),
            U32(pf + 24),
            (pfFlags & (kPfAlphaPixels | kPfAlpha)) ? U32(pf + 28) : 0u,
            (pfFlags & kPfLuminance) != 0};
    const uint32_t caps2 = U32(h + 108);

    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
        static_cast<uint64_t>(width) * height > kMaxPixels)
        return Fail(error, "DDS dimensions out of range");
    if (mips > 32) return Fail(error, "DDS mip count out of range");
    int faceCount = 1;
    if (caps2 & kCaps2Cube) {
        if ((caps2 & kCaps2AllFaces) != kCaps2AllFaces) return Fail(error, "DDS cube map lacks faces");
        if (width != height) return Fail(error, "DDS cube map faces are not square");
        faceCount = 6;
    }

    PixelFormat format = PixelFormat::Unknown;
    int blockBytes = 0;  // 0: uncompressed
    if (pfFlags & kPfFourCC) {
        switch (fourcc) {
            case FourCC('D', 'X', 'T', '1'):
                format = PixelFormat::DXT1;
                blockBytes = 8;
                break;
            case FourCC('D', 'X', 'T', '2'):
                format = PixelFormat::DXT2;
                blockBytes = 16;
                break;
            case FourCC('D', 'X', 'T', '3'):
                format = PixelFormat::DXT3;
                blockBytes = 16;
                break;
            case FourCC('D', 'X', 'T', '4'):
                format = PixelFormat::DXT4;
                blockBytes = 16;
                break;
            case FourCC('D', 'X', 'T', '5'):
                format = PixelFormat::DXT5;
                blockBytes = 16;
                break;
            default: return Fail(error, "unsupported DDS compression");
        }
    } else if (pfFlags & (kPfRgb | kPfLuminance | kPfAlpha)) {
        if (m.bits != 8 && m.bits != 16 && m.bits != 24 && m.bits != 32)
            return Fail(error, "unsupported DDS bit count");
        if ((pfFlags & kPfAlpha) && !(pfFlags & kPfRgb) && !(pfFlags & kPfLuminance)) m.r = m.g = m.b = 0;
        format = Classify(m);
        if (format == PixelFormat::Unknown) return Fail(error, "unsupported DDS pixel layout");
    } else {
        return Fail(error, "unsupported DDS pixel format");
    }

    // Bytes of every level of one face, in 64-bit arithmetic.
    auto levelBytes = [&](uint64_t w, uint64_t hh) -> uint64_t {
        if (blockBytes) return ((w + 3) / 4) * ((hh + 3) / 4) * blockBytes;
        return w * hh * (m.bits / 8);
    };
    uint64_t chain = 0;
    for (uint32_t l = 0, w = width, hh = height; l < mips; ++l) {
        chain += levelBytes(w, hh);
        w = w > 1 ? w / 2 : 1;
        hh = hh > 1 ? hh / 2 : 1;
    }
    const uint64_t top = levelBytes(width, height);
    const uint64_t available = size - kDataStart;
    // Every face's chain but the last must be whole; the last needs only its top level.
    if (chain * (faceCount - 1) + top > available) return Fail(error, "DDS pixel data truncated");

    out.width = width;
    out.height = height;
    out.format = format;
    out.container = Container::Dds;
    out.faces.clear();
    for (int f = 0; f < faceCount; ++f) {
        const uint8_t* src = p + kDataStart + chain * f;
        std::vector<uint8_t> px(static_cast<size_t>(width) * height * 4);
        if (blockBytes) {
            uint8_t block[64];
            const uint32_t bw = (width + 3) / 4, bh = (height + 3) / 4;
            for (uint32_t by = 0; by < bh; ++by) {
                for (uint32_t bx = 0; bx < bw; ++bx, src += blockBytes) {
                    if (format == PixelFormat::DXT1)
                        DecodeDxt1Block(src, block);
                    else if (format == PixelFormat::DXT2 || format == PixelFormat::DXT3)
                        DecodeDxt3Block(src, block);
                    else
                        DecodeDxt5Block(src, block);
                    for (uint32_t y = 0; y < 4 && by * 4 + y < height; ++y)
                        for (uint32_t x = 0; x < 4 && bx * 4 + x < width; ++x)
                            std::memcpy(&px[((by * 4 + y) * static_cast<size_t>(width) + bx * 4 + x) * 4],
                                        block + (y * 4 + x) * 4, 4);
                }
            }
        } else {
            const uint32_t bpp = m.bits / 8;
            for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i, src += bpp) {
                uint32_t v = 0;
                for (uint32_t b = 0; b < bpp; ++b) v |= static_cast<uint32_t>(src[b]) << (8 * b);
                uint8_t* d = &px[i * 4];
                if (m.luminance) {
                    uint32_t lmask = m.bits == 16 ? 0xFFu : (m.a ? 0x0Fu : 0xFFu);
                    d[0] = d[1] = d[2] = Channel(v, lmask, 0);
                } else {
                    d[0] = Channel(v, m.r, 0);
                    d[1] = Channel(v, m.g, 0);
                    d[2] = Channel(v, m.b, 0);
                }
                d[3] = Channel(v, m.a, 255);
            }
        }
        out.faces.push_back(std::move(px));
    }
    return true;
}

}  // namespace platform::image
