// ContentPng.cpp -- PNG encoding through stb_image_write.
#include "kit/ContentPng.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace contentgen {

namespace {
void Append(void* ctx, void* data, int size) {
    auto* out = static_cast<zfmt::Bytes*>(ctx);
    out->insert(out->end(), static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
}
}  // namespace

zfmt::Bytes EncodePng(int width, int height, const std::vector<std::uint8_t>& rgba) {
    zfmt::Bytes out;
    stbi_write_png_to_func(Append, &out, width, height, 4, rgba.data(), width * 4);
    return out;
}

std::uint32_t ColourOf(const std::string& text) {
    std::uint32_t h = 2166136261u;
    for (unsigned char c : text) h = (h ^ c) * 16777619u;
    // Keep colours mid-bright so labels and edges stay visible.
    std::uint32_t r = 64 + (h & 0x7F), g = 64 + ((h >> 8) & 0x7F), b = 64 + ((h >> 16) & 0x7F);
    return r | (g << 8) | (b << 16) | 0xFF000000u;
}

}  // namespace contentgen
