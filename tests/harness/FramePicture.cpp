// FramePicture.cpp -- reading the back buffer (or the window), picture measures and PNG output of the screen shots.
#include "harness/FramePicture.h"

#include <algorithm>
#include <filesystem>
#include <set>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include "platform/gfx/Device.h"
#include "sys/render/tmRender.h"

namespace harness {

void FramePicture::Take() {
    if (!wanted) return;
    tmRender* render = tmRender::GetInstance();
    gfx::Device* device = render ? render->GetDevice() : nullptr;
    if (device && device->readPixels(device->backBuffer(), 0, &pixels, &width, &height)) wanted = false;
}

bool FramePicture::TakeWindow() {
    tmRender* render = tmRender::GetInstance();
    gfx::Device* device = render ? render->GetDevice() : nullptr;
    return device && device->windowPicture(&pixels, &width, &height);
}

uint32_t FramePicture::AtVirtual(float x, float y) const {
    // The virtual screen fitted whole into the picture and centred.
    const float k = std::min(static_cast<float>(height) / 768.0f, static_cast<float>(width) / 1366.0f);
    const float left = (static_cast<float>(width) - 1366.0f * k) / 2.0f;
    const float top = (static_cast<float>(height) - 768.0f * k) / 2.0f;
    const int px = std::clamp(static_cast<int>((x + 171.0f) * k + left), 0, int(width) - 1);
    const int py = std::clamp(static_cast<int>(y * k + top), 0, int(height) - 1);
    return At(px, py);
}

int FramePicture::Variety() const {
    std::set<uint32_t> seen;
    for (uint32_t y = 0; y < height; y += 16)
        for (uint32_t x = 0; x < width; x += 16) seen.insert(At(int(x), int(y)) & 0xF0F0F0u);
    return static_cast<int>(seen.size());
}

int FramePicture::Bright(float x0, float y0, float x1, float y1, int least) const {
    int n = 0;
    for (float y = y0; y < y1; y += 1.0f)
        for (float x = x0; x < x1; x += 1.0f) n += Brightness(AtVirtual(x, y)) > least;
    return n;
}

float FramePicture::DifferenceTo(const FramePicture& o) const {
    if (o.width != width || o.height != height || pixels.empty()) return 1.0f;
    int differ = 0, all = 0;
    for (uint32_t y = 0; y < height; y += 8)
        for (uint32_t x = 0; x < width; x += 8) {
            ++all;
            const uint32_t a = At(int(x), int(y)), b = o.At(int(x), int(y));
            int d = 0;
            for (int s = 0; s < 24; s += 8) d += std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF));
            differ += d > 24;
        }
    return all ? static_cast<float>(differ) / static_cast<float>(all) : 0.0f;
}

namespace {

// "<shots>/<name>.png", its folders made (a name may hold a sub-folder).
std::string ShotPath(const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(ZARVO_RUN_DIR) / ".." / "shots" / (name + ".png");
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    return path.string();
}

// A 5 x 7 pixel font for the contact sheet's labels: digits, capitals, '_' and '-' (rows top first, bit 4 the left).
const uint8_t* Glyph(char c) {
    static const uint8_t kDigits[10][7] = {
        {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}, {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
        {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}, {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
        {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
        {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
        {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}};
    static const uint8_t kLetters[26][7] = {
        {0x0E, 0x11, 0x11, 0x11, 0x1F, 0x11, 0x11}, {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E},
        {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}, {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C},
        {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}, {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10},
        {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}, {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11},
        {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}, {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C},
        {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}, {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F},
        {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}, {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11},
        {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}, {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10},
        {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}, {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11},
        {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}, {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04},
        {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}, {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04},
        {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}, {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11},
        {0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}};
    static const uint8_t kUnderscore[7] = {0, 0, 0, 0, 0, 0, 0x1F};
    static const uint8_t kDash[7] = {0, 0, 0, 0x1F, 0, 0, 0};
    if (c >= '0' && c <= '9') return kDigits[c - '0'];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return kLetters[c - 'A'];
    if (c == '_') return kUnderscore;
    if (c == '-') return kDash;
    return nullptr;  // a space, or anything else
}

// Writes `text` white on a black strip at (x, y) of an RGB image `w` wide, each font pixel `scale` wide.
void Label(std::vector<uint8_t>& rgb, int w, int x, int y, const std::string& text, int scale, int maxWidth) {
    const int advance = 6 * scale;
    const int width = std::min(maxWidth, static_cast<int>(text.size()) * advance + 2 * scale);
    for (int py = y; py < y + 9 * scale; ++py)
        for (int px = x; px < x + width; ++px) {
            uint8_t* o = &rgb[(size_t(py) * w + px) * 3];
            o[0] = o[1] = o[2] = 0;
        }
    for (size_t i = 0; i < text.size(); ++i) {
        const int gx = x + scale + static_cast<int>(i) * advance;
        if (gx + 5 * scale > x + width) break;
        const uint8_t* g = Glyph(text[i]);
        if (!g) continue;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col) {
                if (!(g[row] & (0x10 >> col))) continue;
                for (int sy = 0; sy < scale; ++sy)
                    for (int sx = 0; sx < scale; ++sx) {
                        uint8_t* o = &rgb[(size_t(y + scale + row * scale + sy) * w + gx + col * scale + sx) * 3];
                        o[0] = o[1] = o[2] = 255;
                    }
            }
    }
}

}  // namespace

bool FramePicture::Write(const std::string& name) const {
    if (pixels.empty()) return false;
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    for (size_t i = 0; i < size_t(width) * height; ++i) {
        rgb[i * 3] = uint8_t(pixels[i] >> 16);
        rgb[i * 3 + 1] = uint8_t(pixels[i] >> 8);
        rgb[i * 3 + 2] = uint8_t(pixels[i]);
    }
    const std::string path = ShotPath(name);
    return stbi_write_png(path.c_str(), int(width), int(height), 3, rgb.data(), int(width) * 3) != 0;
}

bool FramePicture::WriteContactSheet(const std::vector<const FramePicture*>& pictures, int columns,
                                     const std::string& name, const std::vector<std::string>& labels) {
    constexpr int kCellW = 455, kCellH = 256, kGap = 6;
    if (pictures.empty() || columns < 1) return false;
    const int rows = (static_cast<int>(pictures.size()) + columns - 1) / columns;
    const int w = columns * (kCellW + kGap) + kGap, h = rows * (kCellH + kGap) + kGap;
    std::vector<uint8_t> rgb(size_t(w) * h * 3, 24);
    for (size_t i = 0; i < pictures.size(); ++i) {
        const FramePicture& p = *pictures[i];
        if (p.pixels.empty()) continue;
        const int cx = kGap + static_cast<int>(i % columns) * (kCellW + kGap);
        const int cy = kGap + static_cast<int>(i / columns) * (kCellH + kGap);
        for (int y = 0; y < kCellH; ++y)
            for (int x = 0; x < kCellW; ++x) {
                const uint32_t c = p.At(int(x * p.width / kCellW), int(y * p.height / kCellH));
                uint8_t* o = &rgb[(size_t(cy + y) * w + cx + x) * 3];
                o[0] = uint8_t(c >> 16);
                o[1] = uint8_t(c >> 8);
                o[2] = uint8_t(c);
            }
        if (i < labels.size()) Label(rgb, w, cx, cy, labels[i], 2, kCellW);
    }
    const std::string path = ShotPath(name);
    return stbi_write_png(path.c_str(), w, h, 3, rgb.data(), w * 3) != 0;
}

}  // namespace harness
