// tmPictureTest.cpp -- pictures decoded from memory, scaled to their texture size, hostile files refused.
#include <gtest/gtest.h>

#include <vector>

#include "sys/resource/tmPicture.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {
void Append(void* ctx, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(ctx);
    out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}
std::vector<uint8_t> Jpeg(int w, int h) {
    // Left half red, right half blue.
    std::vector<uint8_t> px(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &px[(size_t(y) * w + x) * 3];
            p[0] = x < w / 2 ? 255 : 0;
            p[2] = x < w / 2 ? 0 : 255;
        }
    std::vector<uint8_t> out;
    stbi_write_jpg_to_func(Append, &out, w, h, 3, px.data(), 95);
    return out;
}
}  // namespace

TEST(Picture, JpegIsScaledTo122Square) {
    const auto jpg = Jpeg(64, 32);
    std::vector<uint32_t> argb;
    std::string why;
    ASSERT_TRUE(tmDecodePicture(jpg.data(), jpg.size(), 122, 122, &argb, &why)) << why;
    ASSERT_EQ(argb.size(), 122u * 122u);
    const uint32_t left = argb[61 * 122 + 10], right = argb[61 * 122 + 110];
    EXPECT_EQ(left >> 24, 0xFFu);
    EXPECT_GT((left >> 16) & 0xFF, 200u);
    EXPECT_LT(left & 0xFF, 60u);
    EXPECT_GT(right & 0xFF, 200u);
}

TEST(Picture, CorruptTruncatedOversizedAndBadSizesAreRefused) {
    std::vector<uint32_t> argb{1, 2, 3};
    std::string why;
    auto jpg = Jpeg(16, 16);
    EXPECT_FALSE(tmDecodePicture(jpg.data(), jpg.size(), 0, 122, &argb, &why));
    EXPECT_TRUE(argb.empty());
    EXPECT_FALSE(tmDecodePicture(jpg.data(), jpg.size(), 122, 5000, &argb, &why));
    EXPECT_FALSE(tmDecodePicture(nullptr, 0, 122, 122, &argb, &why));
    std::vector<uint8_t> cut(jpg.begin(), jpg.begin() + 30);
    EXPECT_FALSE(tmDecodePicture(cut.data(), cut.size(), 122, 122, &argb, &why));
    const auto huge = Jpeg(1100, 8);  // wider than any picture accepted
    EXPECT_FALSE(tmDecodePicture(huge.data(), huge.size(), 122, 122, &argb, &why));
    EXPECT_FALSE(why.empty());
    // A frame header claiming 65535 x 65535 pixels is refused before decoding.
    size_t sof = 0;
    for (size_t i = 0; i + 8 < jpg.size(); ++i)
        if (jpg[i] == 0xFF && jpg[i + 1] == 0xC0) {
            sof = i;
            break;
        }
    ASSERT_NE(sof, 0u);
    for (size_t i = sof + 5; i < sof + 9; ++i) jpg[i] = 0xFF;
    EXPECT_FALSE(tmDecodePicture(jpg.data(), jpg.size(), 122, 122, &argb, &why));
    EXPECT_TRUE(argb.empty());
}
