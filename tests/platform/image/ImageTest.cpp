// ImageTest.cpp -- container sniffing, stb-backed decoding and stacked cube maps.
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
