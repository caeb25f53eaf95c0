// DdsTest.cpp -- DDS headers, DXT block decoding, cube maps and truncation.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/image/Image.h"

using namespace platform::image;

namespace {

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A DDS header; fourcc 0 means uncompressed with the given masks.
std::vector<uint8_t> Header(uint32_t w, uint32_t h, uint32_t mips, const char* fourcc, uint32_t bits = 0,
                            uint32_t r = 0, uint32_t g = 0, uint32_t bl = 0, uint32_t a = 0, bool cube = false) {
    std::vector<uint8_t> b(128, 0);
    std::memcpy(b.data(), "DDS ", 4);
    Put32(b, 4, 124);
    Put32(b, 8, 0x1007 | (mips > 1 ? 0x20000 : 0));
    Put32(b, 12, h);
    Put32(b, 16, w);
    Put32(b, 28, mips);
    Put32(b, 76, 32);
    if (fourcc) {
        Put32(b, 80, 0x4);
        std::memcpy(&b[84], fourcc, 4);
    } else {
        Put32(b, 80, 0x40 | (a ? 0x1 : 0));
        Put32(b, 88, bits);
        Put32(b, 92, r);
        Put32(b, 96, g);
        Put32(b, 100, bl);
        Put32(b, 104, a);
    }
    Put32(b, 108, 0x1000);
    if (cube) Put32(b, 112, 0x200 | 0xFC00);
    return b;
}

}  // namespace

TEST(Dxt, Dxt1ColourOrderChoosesFourColoursOrThreeAndTransparent) {
    uint8_t out[64];
    // c0 red (0xF800) > c1 blue (0x001F): four colours; pixel 0 index 0, pixel 1 index 1, pixel 2 index 2.
    const uint8_t fourMode[8] = {0x00, 0xF8, 0x1F, 0x00, 0b00100100, 0, 0, 0};
    DecodeDxt1Block(fourMode, out);
    EXPECT_EQ(out[0], 255);
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(out[3], 255);
    EXPECT_EQ(out[4], 0);
    EXPECT_EQ(out[6], 255);
    EXPECT_EQ(out[8], 170);
    EXPECT_EQ(out[10], 85);  // two thirds red
    // c0 <= c1: index 3 is transparent black.
    const uint8_t threeMode[8] = {0x1F, 0x00, 0x00, 0xF8, 0x03, 0, 0, 0};
    DecodeDxt1Block(threeMode, out);
    EXPECT_EQ(out[3], 0);
    EXPECT_EQ(out[0], 0);
}

TEST(Dxt, Dxt3AlphaIsFourBitAndDxt5AlphaInterpolates) {
    uint8_t out[64];
    uint8_t b3[16] = {0x0F, 0xF0};  // pixel 0 alpha 15 -> 255, pixel 1 0, pixel 3 15
    DecodeDxt3Block(b3, out);
    EXPECT_EQ(out[3], 255);
    EXPECT_EQ(out[7], 0);
    EXPECT_EQ(out[15], 255);
    // DXT5: a0 255 > a1 0; pixel 0 index 1 (a1 = 0), pixel 1 index 2 (6/7 of a0).
    uint8_t b5[16] = {255, 0, 0b00010001, 0, 0, 0, 0, 0};
    DecodeDxt5Block(b5, out);
    EXPECT_EQ(out[3], 0);
    EXPECT_EQ(out[7], 218);
}

TEST(Dds, UncompressedPixelsFollowTheirMasksAndReportTheirFormat) {
    auto argb = Header(2, 1, 1, nullptr, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    const uint8_t px[8] = {0x10, 0x20, 0x30, 0x40, 0x01, 0x02, 0x03, 0x04};  // B G R A
    argb.insert(argb.end(), px, px + 8);
    Image img;
    ASSERT_TRUE(Decode(argb.data(), argb.size(), img));
    EXPECT_EQ(img.format, PixelFormat::A8R8G8B8);
    EXPECT_EQ(img.faces[0], (std::vector<uint8_t>{0x30, 0x20, 0x10, 0x40, 0x03, 0x02, 0x01, 0x04}));

    auto x1555 = Header(1, 1, 1, nullptr, 16, 0x7C00, 0x03E0, 0x1F, 0x8000);
    x1555.push_back(0xFF);
    x1555.push_back(0x7F);  // alpha bit clear, white
    ASSERT_TRUE(Decode(x1555.data(), x1555.size(), img));
    EXPECT_EQ(img.format, PixelFormat::A1R5G5B5);
    EXPECT_EQ(img.faces[0], (std::vector<uint8_t>{255, 255, 255, 0}));

    auto dxt3 = Header(4, 4, 1, "DXT3");
    dxt3.resize(dxt3.size() + 16);
    ASSERT_TRUE(Decode(dxt3.data(), dxt3.size(), img));
    EXPECT_EQ(img.format, PixelFormat::DXT3);
}

TEST(Dds, OddSizedDxtImagesUseWholeBlocks) {
    auto dds = Header(5, 3, 1, "DXT1");
    dds.resize(dds.size() + 2 * 8);  // two blocks wide, one high
    Image img;
    ASSERT_TRUE(Decode(dds.data(), dds.size(), img));
    EXPECT_EQ(img.faces[0].size(), 5u * 3u * 4u);
    dds.pop_back();
    EXPECT_FALSE(Decode(dds.data(), dds.size(), img));
}

TEST(Dds, CubeFacesSkipEachFacesMipChain) {
    // 4x4 DXT1 with 3 levels (8 + 8 + 8 bytes per face); face f's top block starts with colour f.
    auto dds = Header(4, 4, 3, "DXT1", 0, 0, 0, 0, 0, true);
    for (int f = 0; f < 6; ++f) {
        uint8_t top[8] = {0, 0, 0, 0, 0, 0, 0, 0};
        top[0] = static_cast<uint8_t>(f == 0 ? 0x00 : 0x1F);
        top[1] = static_cast<uint8_t>(f == 0 ? 0xF8 : 0x00);
        dds.insert(dds.end(), top, top + 8);
        dds.resize(dds.size() + 16, 0);
    }
    Image img;
    ASSERT_TRUE(Decode(dds.data(), dds.size(), img));
    ASSERT_TRUE(img.IsCube());
    EXPECT_EQ(img.faces[0][0], 255);  // red
    EXPECT_EQ(img.faces[1][2], 255);  // blue
    // The last face needs only its top level; one byte less than that fails.
    dds.resize(dds.size() - 16);
    EXPECT_TRUE(Decode(dds.data(), dds.size(), img));
    dds.pop_back();
    EXPECT_FALSE(Decode(dds.data(), dds.size(), img));
}

TEST(Dds, HostileHeadersAreRefused) {
    Image img;
    std::string why;
    auto huge = Header(0x10000, 0x10000, 1, "DXT5");
    EXPECT_FALSE(Decode(huge.data(), huge.size(), img, &why));
    auto zero = Header(0, 4, 1, "DXT5");
    EXPECT_FALSE(Decode(zero.data(), zero.size(), img, &why));
    auto badMips = Header(4, 4, 1000, "DXT5");
    badMips.resize(badMips.size() + 4096);
    EXPECT_FALSE(Decode(badMips.data(), badMips.size(), img, &why));
    auto unknown = Header(4, 4, 1, "ATI2");
    unknown.resize(unknown.size() + 16);
    EXPECT_FALSE(Decode(unknown.data(), unknown.size(), img, &why));
    auto missingFace = Header(4, 4, 1, "DXT1", 0, 0, 0, 0, 0, true);
    Put32(missingFace, 112, 0x200 | 0x400);
    missingFace.resize(missingFace.size() + 48);
    EXPECT_FALSE(Decode(missingFace.data(), missingFace.size(), img, &why));
    auto header = Header(4, 4, 1, "DXT1");
    header.resize(100);
    EXPECT_FALSE(Decode(header.data(), header.size(), img, &why));
}
