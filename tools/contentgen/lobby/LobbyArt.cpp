// LobbyArt.cpp -- canvas drawing, outlined FreeType captions and JPEG encoding for interface art.
#include "lobby/LobbyArt.h"

#include <algorithm>
#include <cmath>

#include "platform/text/GlyphSource.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace contentgen {

// ---------------------------------------------------------------- canvas

Canvas::Canvas(int width, int height, Rgba fill)
    : w_(std::max(0, width)), h_(std::max(0, height)), px_(static_cast<size_t>(w_) * h_, fill) {}

Rgba Canvas::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return {0, 0, 0, 0};
    return px_[static_cast<size_t>(y) * w_ + x];
}

void Canvas::Set(int x, int y, Rgba c) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    px_[static_cast<size_t>(y) * w_ + x] = c;
}

void Canvas::Blend(int x, int y, Rgba c, float coverage) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    const float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
    if (a <= 0.0f) return;
    Rgba& d = px_[static_cast<size_t>(y) * w_ + x];
    const float outA = a + d.a * (1.0f - a);
    if (outA <= 0.0f) return;
    d.r = (c.r * a + d.r * d.a * (1.0f - a)) / outA;
    d.g = (c.g * a + d.g * d.a * (1.0f - a)) / outA;
    d.b = (c.b * a + d.b * d.a * (1.0f - a)) / outA;
    d.a = outA;
}

void Canvas::FillRect(int x, int y, int w, int h, Rgba c) {
    for (int yy = std::max(0, y); yy < std::min(h_, y + h); ++yy)
        for (int xx = std::max(0, x); xx < std::min(w_, x + w); ++xx) Blend(xx, yy, c);
}

namespace {
// Signed distance from a point to a rounded rectangle (negative inside).
float RoundRectDistance(float px, float py, float x, float y, float w, float h, float r) {
    const float cx = x + w * 0.5f, cy = y + h * 0.5f;
    const float qx = std::fabs(px - cx) - (w * 0.5f - r), qy = std::fabs(py - cy) - (h * 0.5f - r);
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}
}  // namespace

void Canvas::FillRoundRect(float x, float y, float w, float h, float r, Rgba c) {
    r = std::min(r, std::min(w, h) * 0.5f);
    for (int yy = std::max(0, int(std::floor(y))); yy < std::min(h_, int(std::ceil(y + h))); ++yy)
        for (int xx = std::max(0, int(std::floor(x))); xx < std::min(w_, int(std::ceil(x + w))); ++xx) {
            const float d = RoundRectDistance(xx + 0.5f, yy + 0.5f, x, y, w, h, r);
            Blend(xx, yy, c, std::clamp(0.5f - d, 0.0f, 1.0f));
        }
}

void Canvas::StrokeRoundRect(float x, float y, float w, float h, float r, Rgba c, float thickness) {
    r = std::min(r, std::min(w, h) * 0.5f);
    for (int yy = std::max(0, int(std::floor(y)) - 1); yy < std::min(h_, int(std::ceil(y + h)) + 1); ++yy)
        for (int xx = std::max(0, int(std::floor(x)) - 1); xx < std::min(w_, int(std::ceil(x + w)) + 1); ++xx) {
            const float d = RoundRectDistance(xx + 0.5f, yy + 0.5f, x, y, w, h, r);
            // A band of `thickness` just inside the edge.
            const float inside = std::clamp(0.5f - d, 0.0f, 1.0f);
            const float inner = std::clamp(0.5f - (d + thickness), 0.0f, 1.0f);
            Blend(xx, yy, c, inside - inner);
        }
}

void Canvas::VerticalGradient(int x, int y, int w, int h, Rgba top, Rgba bottom) {
    for (int yy = std::max(0, y); yy < std::min(h_, y + h); ++yy) {
        const float t = h > 1 ? float(yy - y) / float(h - 1) : 0.0f;
        const Rgba c{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t, top.b + (bottom.b - top.b) * t,
                     top.a + (bottom.a - top.a) * t};
        for (int xx = std::max(0, x); xx < std::min(w_, x + w); ++xx) Set(xx, yy, c);
    }
}

void Canvas::HLine(int x0, int x1, int y, Rgba c) {
    for (int x = x0; x < x1; ++x) Blend(x, y, c);
}

void Canvas::VLine(int x, int y0, int y1, Rgba c) {
    for (int y = y0; y < y1; ++y) Blend(x, y, c);
}

void Canvas::FillTriangle(float ax, float ay, float bx, float by, float cx, float cy, Rgba c) {
    auto edge = [](float x0, float y0, float x1, float y1, float px, float py) {
        return (x1 - x0) * (py - y0) - (y1 - y0) * (px - x0);
    };
    const float area = edge(ax, ay, bx, by, cx, cy);
    if (area == 0.0f) return;
    const int x0 = std::max(0, int(std::floor(std::min({ax, bx, cx}))));
    const int x1 = std::min(w_, int(std::ceil(std::max({ax, bx, cx}))) + 1);
    const int y0 = std::max(0, int(std::floor(std::min({ay, by, cy}))));
    const int y1 = std::min(h_, int(std::ceil(std::max({ay, by, cy}))) + 1);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            int in = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    const float px = x + (sx + 0.5f) / 4, py = y + (sy + 0.5f) / 4;
                    const float e0 = edge(ax, ay, bx, by, px, py) / area, e1 = edge(bx, by, cx, cy, px, py) / area,
                                e2 = edge(cx, cy, ax, ay, px, py) / area;
                    in += e0 >= 0 && e1 >= 0 && e2 >= 0;
                }
            if (in) Blend(x, y, c, in / 16.0f);
        }
}

void Canvas::Paste(const Canvas& src, int x, int y) {
    for (int yy = 0; yy < src.h_; ++yy)
        for (int xx = 0; xx < src.w_; ++xx) Set(x + xx, y + yy, src.Get(xx, yy));
}

Canvas Canvas::Crop(int x, int y, int w, int h) const {
    Canvas out(w, h);
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx) out.Set(xx, yy, Get(x + xx, y + yy));
    return out;
}

std::vector<std::uint8_t> Canvas::Bytes() const {
    std::vector<std::uint8_t> out(px_.size() * 4);
    auto byte = [](float v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    for (size_t i = 0; i < px_.size(); ++i) {
        out[i * 4 + 0] = byte(px_[i].r);
        out[i * 4 + 1] = byte(px_[i].g);
        out[i * 4 + 2] = byte(px_[i].b);
        out[i * 4 + 3] = byte(px_[i].a);
    }
    return out;
}

// ---------------------------------------------------------------- captions

std::u32string DecodeUtf8(const std::string& s) {
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t cp = n == 1 ? c : c & (0x7F >> n);
        for (int k = 1; k < n; ++k) cp = cp << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(cp);
        i += n;
    }
    return out;
}

std::unique_ptr<Captions> Captions::Open(std::string* error) {
    std::unique_ptr<Captions> c(new Captions);
    if (!c->Face(16)) {
        if (error) *error = "no Japanese gothic face for captions";
        return nullptr;
    }
    return c;
}

Captions::~Captions() = default;

platform::GlyphSource* Captions::Face(int size) {
    for (auto& f : faces_)
        if (f->PixelHeight() == size) return f.get();
    platform::FaceRequest req;
    req.patterns = {"IPAGothic,VL Gothic,Noto Sans CJK JP:lang=ja", "sans-serif:lang=ja"};
    std::string error;
    auto face = platform::CreateFreeTypeGlyphSource(size, req, &error);
    if (!face) return nullptr;
    faces_.push_back(std::move(face));
    return faces_.back().get();
}

int Captions::Measure(const std::string& utf8, int size) {
    platform::GlyphSource* face = Face(size);
    if (!face) return 0;
    int w = 0;
    for (char32_t cp : DecodeUtf8(utf8)) {
        platform::Glyph g;
        if (face->Render(cp, &g)) w += g.advance;
    }
    return w;
}

void Captions::Draw(Canvas& canvas, const std::string& utf8, int size, int x, int y, Rgba fill, Rgba outlineColour,
                    int outline, bool bold) {
    platform::GlyphSource* face = Face(size);
    if (!face) return;
    // Coverage of the whole caption, with room for the outline.
    const int pad = outline + 2;
    const int w = Measure(utf8, size) + 2 * pad + (bold ? 1 : 0), h = size + 2 * pad;
    std::vector<float> cov(static_cast<size_t>(w) * h, 0.0f);
    int pen = pad;
    const int baseline = pad + face->Ascent();
    for (char32_t cp : DecodeUtf8(utf8)) {
        platform::Glyph g;
        if (!face->Render(cp, &g)) continue;
        for (int gy = 0; gy < g.height; ++gy)
            for (int gx = 0; gx < g.width; ++gx) {
                const float c = g.coverage[size_t(gy) * g.width + gx] / 255.0f;
                for (int b = 0; b <= (bold ? 1 : 0); ++b) {
                    const int cx = pen + g.left + gx + b, cy = baseline - g.top + gy;
                    if (cx < 0 || cy < 0 || cx >= w || cy >= h) continue;
                    float& d = cov[size_t(cy) * w + cx];
                    d = std::max(d, c);
                }
            }
        pen += g.advance;
    }
    if (outline > 0) {
        for (int cy = 0; cy < h; ++cy)
            for (int cx = 0; cx < w; ++cx) {
                float m = 0.0f;
                for (int dy = -outline; dy <= outline; ++dy)
                    for (int dx = -outline; dx <= outline; ++dx) {
                        const int sx = cx + dx, sy = cy + dy;
                        if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
                        if (dx * dx + dy * dy > outline * outline + outline) continue;
                        m = std::max(m, cov[size_t(sy) * w + sx]);
                    }
                canvas.Blend(x - pad + cx, y - pad + cy, outlineColour, m);
            }
    }
    for (int cy = 0; cy < h; ++cy)
        for (int cx = 0; cx < w; ++cx) canvas.Blend(x - pad + cx, y - pad + cy, fill, cov[size_t(cy) * w + cx]);
}

void Captions::DrawCentred(Canvas& canvas, const std::string& utf8, int size, int x, int y, int w, int h, Rgba fill,
                           Rgba outlineColour, int outline, bool bold) {
    const int tw = Measure(utf8, size) + (bold ? 1 : 0);
    Draw(canvas, utf8, size, x + (w - tw) / 2, y + (h - size) / 2, fill, outlineColour, outline, bold);
}

// ---------------------------------------------------------------- JPEG

namespace {
void AppendBytes(void* ctx, void* data, int size) {
    auto* out = static_cast<zfmt::Bytes*>(ctx);
    out->insert(out->end(), static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
}
}  // namespace

zfmt::Bytes EncodeJpeg(int width, int height, const std::vector<std::uint8_t>& rgba, int quality) {
    std::vector<std::uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
        for (int c = 0; c < 3; ++c) rgb[i * 3 + c] = rgba[i * 4 + c];
    zfmt::Bytes out;
    stbi_write_jpg_to_func(AppendBytes, &out, width, height, 3, rgb.data(), quality);
    return out;
}

}  // namespace contentgen
