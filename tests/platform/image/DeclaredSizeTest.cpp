// DeclaredSizeTest.cpp -- truncated and hostile image files are refused before decoding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/image/Image.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

using namespace platform::image;

namespace {

using Bytes = std::vector<uint8_t>;

void Append(void* ctx, void* data, int size) {
    auto* out = static_cast<Bytes*>(ctx);
    out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

// A picture with some structure, so run-length and deflate do not collapse it.
Bytes Picture(int w, int h, int comp) {
    Bytes px(static_cast<size_t>(w) * h * comp);
    for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<uint8_t>((i / 5) * 37 + (i % 3) * 11);
    return px;
}

enum class Kind { Png, Jpeg, Bmp, TgaRaw, TgaRle };

Bytes Write(Kind kind, int w, int h) {
    Bytes out;
    const Bytes px = Picture(w, h, 3);
    switch (kind) {
        case Kind::Png: stbi_write_png_to_func(Append, &out, w, h, 3, px.data(), w * 3); break;
        case Kind::Jpeg: stbi_write_jpg_to_func(Append, &out, w, h, 3, px.data(), 90); break;
        case Kind::Bmp: stbi_write_bmp_to_func(Append, &out, w, h, 3, px.data()); break;
        case Kind::TgaRaw:
        case Kind::TgaRle:
            stbi_write_tga_with_rle = kind == Kind::TgaRle ? 1 : 0;
            stbi_write_tga_to_func(Append, &out, w, h, 3, px.data());
            stbi_write_tga_with_rle = 1;
            break;
    }
    return out;
}

const char* Name(Kind kind) {
    switch (kind) {
        case Kind::Png: return "png";
        case Kind::Jpeg: return "jpeg";
        case Kind::Bmp: return "bmp";
        case Kind::TgaRaw: return "tga";
        case Kind::TgaRle: return "rle tga";
    }
    return "";
}

}  // namespace

TEST(ImageDeclaredSize, EveryCutOfAFileIsRefusedAndTheWholeFileDecodes) {
    for (Kind kind : {Kind::Png, Kind::Jpeg, Kind::Bmp, Kind::TgaRaw, Kind::TgaRle}) {
        const Bytes file = Write(kind, 36, 21);  // BMP rows of 108 bytes: no padding
        Image img;
        std::string why;
        ASSERT_TRUE(Decode(file.data(), file.size(), img, &why)) << Name(kind) << ": " << why;
        EXPECT_EQ(img.width, 36u);
        // Any shorter file: every byte of pixel data, every chunk and end marker counts.
        for (size_t cut = 1; cut < file.size(); ++cut) {
            const size_t keep = file.size() - cut;
            if (Sniff(file.data(), keep) == Container::Unknown) continue;  // too short to recognise
            why.clear();
            EXPECT_FALSE(Decode(file.data(), keep, img, &why)) << Name(kind) << " cut to " << keep;
            EXPECT_FALSE(why.empty());
            EXPECT_TRUE(img.faces.empty());
        }
    }
}

TEST(ImageDeclaredSize, DdsShorterThanItsTopLevelIsRefused) {
    // 8 x 8 DXT1: a 128-byte header, then four 8-byte blocks.
    Bytes dds(128 + 32, 0);
    const uint32_t fields[][2] = {{0, 0x20534444u}, {4, 124}, {8, 0x1007}, {12, 8},
                                  {16, 8},          {76, 32}, {80, 4},     {84, 0x31545844u}};
    for (const auto& f : fields)
        for (int b = 0; b < 4; ++b) dds[f[0] + b] = static_cast<uint8_t>(f[1] >> (8 * b));
    Image img;
    std::string why;
    ASSERT_TRUE(Decode(dds.data(), dds.size(), img, &why)) << why;
    for (size_t keep = 4; keep < dds.size(); ++keep) {
        EXPECT_FALSE(Decode(dds.data(), keep, img, &why)) << keep;
        EXPECT_NE(why.find("truncated"), std::string::npos) << keep << ": " << why;
    }
}

TEST(ImageDeclaredSize, SmallTgaClaimingALargeImageIsRefusedAsTruncated) {
    // 65 bytes: a header for 4096 x 4096 uncompressed 32-bit pixels, then 47 bytes.
    Bytes tga(65, 0x5A);
    const uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x10, 0x00, 0x10, 32, 8};
    std::copy(header, header + 18, tga.begin());
    ASSERT_EQ(Sniff(tga.data(), tga.size()), Container::Tga);
    Image img;
    std::string why;
    EXPECT_FALSE(Decode(tga.data(), tga.size(), img, &why));
    EXPECT_NE(why.find("truncated"), std::string::npos) << why;

    // The same as run-length packets: 47 bytes cannot cover 16 million pixels.
    tga[2] = 10;
    EXPECT_FALSE(Decode(tga.data(), tga.size(), img, &why));
    EXPECT_NE(why.find("truncated"), std::string::npos) << why;
}

TEST(ImageDeclaredSize, HeadersClaimingMoreThanTheirDataCanHoldAreRefused) {
    Image img;
    std::string why;
    // A PNG whose header is rewritten to 4000 x 4000: its few hundred compressed
    // bytes cannot inflate to 48 MB.
    Bytes png = Write(Kind::Png, 16, 16);
    png[18] = 0x0F, png[19] = 0xA0, png[22] = 0x0F, png[23] = 0xA0;
    EXPECT_FALSE(FitsDeclaredSize(png.data(), png.size(), Container::Png, &why));
    EXPECT_NE(why.find("truncated"), std::string::npos) << why;

    // A JPEG frame claiming 4000 x 4000 over 8 x 8 of coded data.
    Bytes jpg = Write(Kind::Jpeg, 8, 8);
    for (size_t i = 2; i + 8 < jpg.size(); ++i)
        if (jpg[i] == 0xFF && jpg[i + 1] == 0xC0) {
            jpg[i + 5] = 0x0F, jpg[i + 6] = 0xA0, jpg[i + 7] = 0x0F, jpg[i + 8] = 0xA0;
            break;
        }
    EXPECT_FALSE(Decode(jpg.data(), jpg.size(), img, &why));
    EXPECT_NE(why.find("truncated"), std::string::npos) << why;

    // A BMP whose pixel offset points past the rows it holds.
    Bytes bmp = Write(Kind::Bmp, 8, 8);
    bmp[10] = static_cast<uint8_t>(bmp[10] + 4);
    EXPECT_FALSE(Decode(bmp.data(), bmp.size(), img, &why));
    EXPECT_NE(why.find("truncated"), std::string::npos) << why;
}

TEST(ImageDeclaredSize, TrailingBytesAndAShortLastBmpRowAreAccepted) {
    Image img;
    std::string why;
    for (Kind kind : {Kind::Png, Kind::Jpeg, Kind::TgaRle}) {
        Bytes file = Write(kind, 9, 5);
        file.insert(file.end(), 40, 0);
        EXPECT_TRUE(Decode(file.data(), file.size(), img, &why)) << Name(kind) << ": " << why;
    }
    // 9 pixels of 3 bytes: rows of 27 bytes padded to 28; the last may stop at 27.
    Bytes bmp = Write(Kind::Bmp, 9, 5);
    bmp.pop_back();
    EXPECT_TRUE(FitsDeclaredSize(bmp.data(), bmp.size(), Container::Bmp, &why)) << why;
}
