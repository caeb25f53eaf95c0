// ImageTest.cpp -- container sniffing, decoding of every texture format and stacked cube maps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/image/Image.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

using namespace platform::image;

namespace {

void Append(void* ctx, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(ctx);
    out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

std::vector<uint8_t> Pixels(int w, int h, int comp) {
    std::vector<uint8_t> px(static_cast<size_t>(w) * h * comp);
    for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<uint8_t>(i * 7 + 3);
    return px;
}

std::vector<uint8_t> Png(int w, int h, int comp) {
    std::vector<uint8_t> out;
    auto px = Pixels(w, h, comp);
    stbi_write_png_to_func(Append, &out, w, h, comp, px.data(), w * comp);
    return out;
}

}  // namespace

TEST(ImageDecode, PngAlphaDecidesTheFormatAndPixelsComeBackTopDown) {
    Image img;
    auto rgba = Png(3, 2, 4);
    ASSERT_TRUE(Decode(rgba.data(), rgba.size(), img));
    EXPECT_EQ(img.container, Container::Png);
    EXPECT_EQ(img.format, PixelFormat::A8R8G8B8);
    ASSERT_EQ(img.faces.size(), 1u);
    EXPECT_EQ(img.faces[0], Pixels(3, 2, 4));

    auto rgb = Png(3, 2, 3);
    ASSERT_TRUE(Decode(rgb.data(), rgb.size(), img));
    EXPECT_EQ(img.format, PixelFormat::X8R8G8B8);
    EXPECT_EQ(img.faces[0][3], 255);  // opaque alpha filled in
    EXPECT_EQ(img.faces[0][0], Pixels(3, 2, 3)[0]);
}

TEST(ImageDecode, JpegAndTgaAreRecognisedByContentNotName) {
    std::vector<uint8_t> jpg, tga;
    auto px = Pixels(8, 8, 3);
    stbi_write_jpg_to_func(Append, &jpg, 8, 8, 3, px.data(), 90);
    auto px4 = Pixels(4, 4, 4);
    stbi_write_tga_to_func(Append, &tga, 4, 4, 4, px4.data());
    Image img;
    ASSERT_TRUE(Decode(jpg.data(), jpg.size(), img));
    EXPECT_EQ(img.container, Container::Jpeg);
    EXPECT_EQ(img.format, PixelFormat::X8R8G8B8);
    ASSERT_TRUE(Decode(tga.data(), tga.size(), img));
    EXPECT_EQ(img.container, Container::Tga);
    EXPECT_EQ(img.format, PixelFormat::A8R8G8B8);
    EXPECT_EQ(img.faces[0], px4);
}

TEST(ImageDecode, BadInputIsRefusedWithAReason) {
    Image img;
    std::string why;
    const uint8_t junk[] = {1, 2, 3, 4, 5};
    EXPECT_FALSE(Decode(junk, sizeof junk, img, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(Decode(nullptr, 0, img, &why));
    auto png = Png(16, 16, 4);
    png.resize(png.size() / 2);
    EXPECT_FALSE(Decode(png.data(), png.size(), img, &why));
    EXPECT_TRUE(img.faces.empty());
}

TEST(ImageDecode, FuzzedOrDamagedPngIsRefusedAndEmptyDataChunksAreRead) {
    // Found by fuzzing: a broken header (2-bit RGBA, bad checksums) whose first
    // data chunk is empty. It must be refused without touching a null buffer.
    const uint8_t fuzzed[] = {0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
                              0x52, 0x00, 0x00, 0x00, 0xbd, 0x00, 0x00, 0x00, 0x08, 0x02, 0x06, 0x00, 0x00, 0x01, 0x00,
                              0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x39, 0xe4, 0x06, 0xfb, 0x1a, 0xb7, 0x09, 0x59,
                              0x00, 0x00, 0x00, 0x00, 0x49, 0x44, 0x41, 0x54, 0xae, 0x00, 0x00, 0x24, 0x00, 0x00, 0x00,
                              0x13, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8, 0xcf, 0x40, 0x1c, 0x00, 0x00, 0x00,
                              0x00, 0x00, 0x00, 0x00, 0x00, 0x39, 0xe4, 0x06, 0xfb, 0x1a, 0xb7, 0x09, 0x59, 0x00, 0x00,
                              0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    Image img;
    std::string why;
    EXPECT_FALSE(Decode(fuzzed, sizeof fuzzed, img, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_TRUE(img.faces.empty());

    // A damaged data chunk (its checksum no longer matches) is refused, not shown as damaged pixels.
    auto png = Png(5, 3, 4);
    auto damaged = png;
    damaged[damaged.size() - 13] ^= 0xFF;  // the data chunk's checksum, before the 12-byte end chunk
    EXPECT_FALSE(Decode(damaged.data(), damaged.size(), img, &why));

    // A well-formed file may hold an empty data chunk; its pixels still come back.
    const uint8_t emptyIdat[] = {0, 0, 0, 0, 'I', 'D', 'A', 'T', 0x35, 0xAF, 0x06, 0x1E};
    png.insert(png.begin() + 33, emptyIdat, emptyIdat + sizeof emptyIdat);  // after the header chunk
    ASSERT_TRUE(Decode(png.data(), png.size(), img, &why)) << why;
    EXPECT_EQ(img.faces[0], Pixels(5, 3, 4));
}

TEST(ImageDecode, PngPalettesColourKeysAndDeepSamplesBecomeRgba) {
    // 3 x 2, 2-bit palette, interlaced; entries 0 and 1 carry alpha 0 and 128.
    const uint8_t palette[] = {0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
                               0x44, 0x52, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x02, 0x03, 0x00, 0x00,
                               0x01, 0x97, 0x1d, 0xbe, 0x1f, 0x00, 0x00, 0x00, 0x0c, 0x50, 0x4c, 0x54, 0x45, 0xff,
                               0x00, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00, 0xff, 0x0a, 0x14, 0x1e, 0x22, 0x88, 0x29,
                               0x04, 0x00, 0x00, 0x00, 0x02, 0x74, 0x52, 0x4e, 0x53, 0x00, 0x80, 0x9b, 0x2b, 0x4e,
                               0x18, 0x00, 0x00, 0x00, 0x10, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0x60, 0x60,
                               0x68, 0x60, 0x70, 0x60, 0x78, 0x02, 0x00, 0x04, 0x2c, 0x01, 0xa5, 0xb7, 0x2c, 0xbd,
                               0x51, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    Image img;
    std::string why;
    ASSERT_TRUE(Decode(palette, sizeof palette, img, &why)) << why;
    EXPECT_EQ(img.format, PixelFormat::A8R8G8B8);
    const std::vector<uint8_t> rgba = {255, 0,  0,  0,   0, 255, 0,   128, 0, 0,   255, 255,
                                       10,  20, 30, 255, 0, 0,   255, 255, 0, 255, 0,   128};
    EXPECT_EQ(img.faces[0], rgba);

    // 2 x 2, 16-bit grey keyed on 0x1234: the high byte stays, the key turns clear.
    const uint8_t grey16[] = {0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
                              0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x10, 0x00, 0x00, 0x00, 0x00, 0x07,
                              0x4d, 0x8e, 0xbb, 0x00, 0x00, 0x00, 0x02, 0x74, 0x52, 0x4e, 0x53, 0x12, 0x34, 0x2f, 0xd3,
                              0x49, 0x5e, 0x00, 0x00, 0x00, 0x12, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0x10, 0x32,
                              0x59, 0x7d, 0x96, 0xe1, 0x3f, 0x83, 0x90, 0x09, 0x00, 0x10, 0x1b, 0x03, 0x04, 0x60, 0xaf,
                              0x38, 0x5f, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    ASSERT_TRUE(Decode(grey16, sizeof grey16, img, &why)) << why;
    EXPECT_EQ(img.format, PixelFormat::A8L8);  // a key is alpha: a format without it would upload opaque
    const std::vector<uint8_t> grey = {0x12, 0x12, 0x12, 0,   0xAB, 0xAB, 0xAB, 255,
                                       0xFF, 0xFF, 0xFF, 255, 0x12, 0x12, 0x12, 0};
    EXPECT_EQ(img.faces[0], grey);

    // 2 x 1, 8-bit RGB keyed on (10, 20, 30), its first pixel.
    const uint8_t rgbKey[] = {0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
                              0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00, 0x00, 0x7b,
                              0x40, 0xe8, 0xdd, 0x00, 0x00, 0x00, 0x06, 0x74, 0x52, 0x4e, 0x53, 0x00, 0x0a, 0x00, 0x14,
                              0x00, 0x1e, 0xc5, 0x36, 0x29, 0xff, 0x00, 0x00, 0x00, 0x0f, 0x49, 0x44, 0x41, 0x54, 0x78,
                              0xda, 0x63, 0xe0, 0x12, 0x91, 0xd3, 0x30, 0xb2, 0x01, 0x00, 0x02, 0x37, 0x00, 0xd3, 0xe2,
                              0x2d, 0xed, 0x9f, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    ASSERT_TRUE(Decode(rgbKey, sizeof rgbKey, img, &why)) << why;
    EXPECT_EQ(img.format, PixelFormat::A8R8G8B8);
    EXPECT_EQ(img.faces[0], (std::vector<uint8_t>{10, 20, 30, 0, 40, 50, 60, 255}));
}

TEST(ImageDecode, OversizedHeaderIsRefusedBeforeDecoding) {
    // A PNG header claiming 100000 x 100000 pixels.
    auto png = Png(1, 1, 4);
    png[16] = 0;
    png[17] = 1;
    png[18] = 0x86;
    png[19] = 0xA0;
    png[20] = 0;
    png[21] = 1;
    png[22] = 0x86;
    png[23] = 0xA0;
    Image img;
    std::string why;
    EXPECT_FALSE(Decode(png.data(), png.size(), img, &why));
}

TEST(ImageDecode, PicturesFromTheNetworkAreBoundedAndOnlyPictureFormats) {
    std::vector<uint8_t> jpg, big, tga;
    auto px = Pixels(8, 8, 3);
    stbi_write_jpg_to_func(Append, &jpg, 8, 8, 3, px.data(), 90);
    auto bigPx = Pixels(300, 20, 3);
    stbi_write_jpg_to_func(Append, &big, 300, 20, 3, bigPx.data(), 90);
    auto px4 = Pixels(4, 4, 4);
    stbi_write_tga_to_func(Append, &tga, 4, 4, 4, px4.data());
    Image img;
    std::string why;
    ASSERT_TRUE(DecodePicture(jpg.data(), jpg.size(), 256, img, &why));
    EXPECT_EQ(img.width, 8u);
    EXPECT_FALSE(DecodePicture(big.data(), big.size(), 256, img, &why));  // 300 wide
    EXPECT_TRUE(img.faces.empty());
    EXPECT_FALSE(DecodePicture(tga.data(), tga.size(), 256, img, &why));  // not a JPEG
    auto png = Png(8, 8, 3);
    EXPECT_FALSE(DecodePicture(png.data(), png.size(), 256, img, &why));
    // The decoded pixels are the picture's.
    ASSERT_TRUE(DecodePicture(jpg.data(), jpg.size(), 256, img, &why));
    EXPECT_NEAR(int(img.faces[0][0]), int(px[0]), 12);
    EXPECT_EQ(img.faces[0][3], 255);
    // A JPEG cut short is refused, never read past its end.
    for (size_t cut : {size_t(2), size_t(20), jpg.size() / 2}) {
        std::vector<uint8_t> part(jpg.begin(), jpg.begin() + cut);
        EXPECT_FALSE(DecodePicture(part.data(), part.size(), 256, img, &why)) << cut;
    }
}

TEST(ImageDecode, StackedPngMakesSixCubeFacesAndOtherShapesAreRefused) {
    auto strip = Png(4, 24, 4);
    Image img;
    ASSERT_TRUE(DecodeCube(strip.data(), strip.size(), img));
    ASSERT_TRUE(img.IsCube());
    EXPECT_EQ(img.width, 4u);
    EXPECT_EQ(img.height, 4u);
    auto px = Pixels(4, 24, 4);
    EXPECT_EQ(img.faces[5], std::vector<uint8_t>(px.begin() + 5 * 64, px.end()));

    auto square = Png(4, 4, 4);
    EXPECT_FALSE(DecodeCube(square.data(), square.size(), img));
    EXPECT_TRUE(img.faces.empty());
}

TEST(ImageDecode, RowsReachASinkInOrderedBandsAndAStoppedSinkStopsTheDecode) {
    struct Bands : RowSink {
        uint32_t width = 0, stopAt = ~0u;
        std::vector<uint8_t> pixels;
        std::vector<uint32_t> firsts;
        bool Begin(uint32_t w, uint32_t, PixelFormat) override {
            width = w;
            return true;
        }
        bool Rows(uint32_t first, uint32_t count, uint8_t* rgba) override {
            firsts.push_back(first);
            pixels.insert(pixels.end(), rgba, rgba + size_t(count) * width * 4);
            return first < stopAt;
        }
    };
    auto png = Png(1024, 100, 4);  // 4 KB rows: more than one band
    Bands bands;
    std::string why;
    ASSERT_TRUE(DecodeRows(png.data(), png.size(), bands, &why)) << why;
    EXPECT_GT(bands.firsts.size(), 1u);
    EXPECT_EQ(bands.pixels, Pixels(1024, 100, 4));
    Bands stopped;
    stopped.stopAt = 0;
    EXPECT_FALSE(DecodeRows(png.data(), png.size(), stopped, &why));
    EXPECT_EQ(stopped.firsts.size(), 1u);

    // Other containers come whole, as one band.
    std::vector<uint8_t> tga;
    auto px4 = Pixels(4, 4, 4);
    stbi_write_tga_to_func(Append, &tga, 4, 4, 4, px4.data());
    Bands whole;
    ASSERT_TRUE(DecodeRows(tga.data(), tga.size(), whole, &why)) << why;
    EXPECT_EQ(whole.firsts, std::vector<uint32_t>{0});
    EXPECT_EQ(whole.pixels, px4);
}
