// TextTexture.cpp -- glyph queueing, the clipped CPU rasteriser and the upload of text textures.
#include "lobby/TextTexture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "lobby/TextTextureFont.h"
#include "lobby/WidgetRoot.h"
#include "sys/base/tmMemory.h"
#include "sys/render/tmDraw.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmTexture.h"
#include "sys/text/tmSjis.h"

namespace g2ui {

namespace {
// Text shown smaller than it is drawn (a lobby scaled into a small window)
// is sampled more than a texel apart, so a one-texel stroke between two
// samples would all but vanish. Spread over its neighbours first, each
// stroke reaches a sample; the colour of a texel that had none is its
// strongest neighbour's, so edges do not darken.
std::vector<uint32_t> Prefiltered(const std::vector<uint32_t>& pixels, uint32_t width, uint32_t height, float scale) {
    const float side = std::clamp((1.0f / scale - 1.0f) / 2.0f, 0.0f, 0.25f);
    const float weight[3] = {side, 1.0f - 2.0f * side, side};
    std::vector<uint32_t> out(pixels.size());
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            float alpha = 0.0f, strongest = 0.0f;
            uint32_t rgb = pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFFu;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int64_t sx = int64_t(x) + dx, sy = int64_t(y) + dy;
                    if (sx < 0 || sy < 0 || sx >= int64_t(width) || sy >= int64_t(height)) continue;
                    const uint32_t p = pixels[static_cast<size_t>(sy) * width + static_cast<size_t>(sx)];
                    const float a = static_cast<float>(p >> 24) * weight[dx + 1] * weight[dy + 1];
                    alpha += a;
                    if (a > strongest) strongest = a, rgb = p & 0xFFFFFFu;
                }
            }
            const uint32_t a8 = std::min<uint32_t>(static_cast<uint32_t>(alpha + 0.5f), 255u);
            out[static_cast<size_t>(y) * width + x] = a8 << 24 | rgb;
        }
    }
    return out;
}

uint32_t Channel(float v) {
    if (!(v > 0.0f)) return 0;
    const float scaled = std::trunc(v * 255.0f);
    return scaled >= 255.0f ? 255u : static_cast<uint32_t>(scaled);
}
}  // namespace

TextTexture* TextTexture::Create(const std::string& name, uint32_t width, uint32_t height) {
    auto* text = TM_NEW TextTexture(name, width, height);
    if (text->pixels_.empty()) return text;
    tmResourceHolder* cache = tmDraw::GetInstance()->GetResourceHolder();
    if (!cache) return text;  // no renderer: the pixels stay on the CPU
    if (cache->Find(sys::tmResource::kTexture, name.c_str())) {
        std::fprintf(stderr, "lobby: text texture %s: the name is taken, its pixels are not shown\n", name.c_str());
        return text;
    }
    if (sys::tmTexture* texture =
            tmDraw::GetInstance()->CreateTexture(name.c_str(), static_cast<int>(width), static_cast<int>(height)))
        cache->Register(texture);
    return text;
}

TextTexture::TextTexture(const std::string& name, uint32_t width, uint32_t height) : name_(name) {
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        std::fprintf(stderr, "lobby: text texture %s of %ux%u refused\n", name.c_str(), width, height);
        return;
    }
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * height, 0);
}

uint32_t TextTexture::GetPixel(uint32_t x, uint32_t y) const {
    return x < width_ && y < height_ ? pixels_[static_cast<size_t>(y) * width_ + x] : 0;
}

void TextTexture::Clear() {
    pending_.clear();
    clear_ = true;
    drawnCount_ = 0;
}

void TextTexture::SetColor(float r, float g, float b) { colour_ = Channel(r) << 16 | Channel(g) << 8 | Channel(b); }

bool TextTexture::DrawString(TextTextureFont* font, const std::string& text) {
    if (!font) return false;
    font->Select();
    for (size_t i = 0; i < text.size();) {
        const uint8_t lead = static_cast<uint8_t>(text[i]);
        uint32_t code = lead;
        size_t step = 1;
        if (tmSjis::IsLeadByte(lead)) {
            // A lead byte with no byte after it has no character.
            code = i + 1 < text.size() ? (uint32_t(lead) << 8 | static_cast<uint8_t>(text[i + 1])) : 0;
            step = i + 1 < text.size() ? 2 : 1;
        }
        pending_.push_back({penX, penY, font, colour_, code});
        penX += font->GetAdvance(code);
        i += step;
    }
    font->Deselect();
    return true;
}

bool TextTexture::Flush() {
    if (pixels_.empty()) return false;  // nothing to lock
    if (clear_) std::fill(pixels_.begin(), pixels_.end(), 0u);
    TextTextureFont* selected = nullptr;
    int32_t skip = drawnCount_;
    for (const Pending& p : pending_) {
        if (skip > 0) {
            --skip;
            continue;
        }
        if (p.font != selected) {
            if (selected) selected->Deselect();
            selected = p.font;
            selected->Select();
        }
        Rasterise(p);
    }
    if (selected) selected->Deselect();
    drawnCount_ = static_cast<int32_t>(pending_.size());

    tmDraw* drawer = tmDraw::GetInstance();
    tmResourceHolder* cache = drawer->GetResourceHolder();
    auto* texture =
        cache ? static_cast<sys::tmTexture*>(cache->Find(sys::tmResource::kTexture, name_.c_str())) : nullptr;
    if (!texture) return true;  // drawn on the CPU; nothing to show it on
    const float scale = WidgetRoot::GetView().scale;
    if (scale < 1.0f) {
        const std::vector<uint32_t> shown = Prefiltered(pixels_, width_, height_, scale);
        return drawer->UploadTexture(texture, shown.data(), static_cast<int>(width_), static_cast<int>(height_));
    }
    return drawer->UploadTexture(texture, pixels_.data(), static_cast<int>(width_), static_cast<int>(height_));
}

void TextTexture::Rasterise(const Pending& p) {
    TextGlyph g;
    if (!p.font->GetGlyph(p.code, &g)) return;  // no glyph: nothing drawn
    const int64_t boxW = g.metrics.blackBoxX, boxH = g.metrics.blackBoxY;
    if (boxW == 0 || boxH == 0 || g.buffer.empty()) return;
    const int64_t x0 = int64_t(p.penX) + g.metrics.originX;
    const int64_t y0 = int64_t(p.font->GetAscent()) - g.metrics.originY + p.penY;
    // Clip all four sides: pixels left of, above, right of or below the image are never written.
    const int64_t left = std::max<int64_t>(0, -x0), top = std::max<int64_t>(0, -y0);
    const int64_t right = std::min<int64_t>(boxW, int64_t(width_) - x0);
    const int64_t bottom = std::min<int64_t>(boxH, int64_t(height_) - y0);
    if (left >= right || top >= bottom) return;
    const uint32_t rgb = p.colour & 0xFFFFFF;
    const int levels = p.font->GetGrayLevels();
    if (levels > 1) {
        const size_t stride = (g.buffer.size() / static_cast<size_t>(boxH)) & ~size_t(3);
        for (int64_t y = top; y < bottom; ++y) {
            uint32_t* row = &pixels_[static_cast<size_t>(y0 + y) * width_];
            for (int64_t x = left; x < right; ++x) {
                const size_t at = static_cast<size_t>(y) * stride + static_cast<size_t>(x);
                const uint32_t s = at < g.buffer.size() ? g.buffer[at] : 0;
                const uint32_t a = std::min<uint32_t>(s * 255 / uint32_t(levels - 1), 255);
                row[x0 + x] = a << 24 | rgb;  // zero coverage overwrites too
            }
        }
    } else {
        const size_t stride = static_cast<size_t>((boxW + 31) / 32 * 4);
        for (int64_t y = top; y < bottom; ++y) {
            uint32_t* row = &pixels_[static_cast<size_t>(y0 + y) * width_];
            for (int64_t x = left; x < right; ++x) {
                const size_t at = static_cast<size_t>(y) * stride + static_cast<size_t>(x / 8);
                if (at < g.buffer.size() && (g.buffer[at] & (0x80u >> (x % 8)))) row[x0 + x] = 0xFF000000u | rgb;
            }
        }
    }
}

}  // namespace g2ui
