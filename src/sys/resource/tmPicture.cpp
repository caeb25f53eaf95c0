// tmPicture.cpp -- bounded picture decoding and an area-average scale to the wanted size.
#include "sys/resource/tmPicture.h"

#include <algorithm>

#include "platform/image/Image.h"

bool tmDecodePicture(const void* data, size_t size, int width, int height, std::vector<uint32_t>* argb,
                     std::string* why) {
    argb->clear();
    std::string ignored;
    std::string& reason = why ? *why : ignored;
    if (width < 1 || height < 1 || width > kPictureMaxSide || height > kPictureMaxSide) {
        reason = "picture size out of range";
        return false;
    }
    if (!data || size == 0) {
        reason = "no picture data";
        return false;
    }
    platform::image::Image img;
    if (!platform::image::DecodePicture(data, size, kPictureMaxSourceSide, img, &reason)) return false;
    const size_t sw = img.width, sh = img.height;
    const uint8_t* src = img.Pixels();
    argb->resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    // Each target texel averages the source texels its area covers (at least one).
    for (int y = 0; y < height; ++y) {
        const size_t y0 = static_cast<size_t>(y) * sh / static_cast<size_t>(height);
        const size_t y1 = std::max(y0 + 1, static_cast<size_t>(y + 1) * sh / static_cast<size_t>(height));
        for (int x = 0; x < width; ++x) {
            const size_t x0 = static_cast<size_t>(x) * sw / static_cast<size_t>(width);
            const size_t x1 = std::max(x0 + 1, static_cast<size_t>(x + 1) * sw / static_cast<size_t>(width));
            uint32_t sum[4] = {0, 0, 0, 0};
            for (size_t sy = y0; sy < y1; ++sy)
                for (size_t sx = x0; sx < x1; ++sx)
                    for (int c = 0; c < 4; ++c) sum[c] += src[(sy * sw + sx) * 4 + c];
            const uint32_t n = static_cast<uint32_t>((y1 - y0) * (x1 - x0));
            const uint32_t r = (sum[0] + n / 2) / n, g = (sum[1] + n / 2) / n, b = (sum[2] + n / 2) / n,
                           a = (sum[3] + n / 2) / n;
            (*argb)[static_cast<size_t>(y) * width + x] = a << 24 | r << 16 | g << 8 | b;
        }
    }
    return true;
}
