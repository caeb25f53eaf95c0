// MachineLivery.cpp -- the livery sheet of each machine (paint, stripes, number, parts' swatches) and the effect
// texture.
#include <algorithm>
#include <cmath>
#include <string>

#include "lobby/LobbyArt.h"
#include "machine/MachineArt.h"
#include "platform/text/GlyphSource.h"

namespace contentgen {

namespace {

struct Rgb {
    float r, g, b;
};
Rgb FromHex(uint32_t v) {
    return {static_cast<float>((v >> 16) & 0xFF) / 255.0f, static_cast<float>((v >> 8) & 0xFF) / 255.0f,
            static_cast<float>(v & 0xFF) / 255.0f};
}
Rgb Mix(Rgb a, Rgb b, float t) { return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t)}; }
Rgb Scale(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }

class Sheet {
public:
    explicit Sheet(int size) : n_(size), px_(static_cast<size_t>(size) * size * 4, 255) {}
    void Set(int x, int y, Rgb c, float a = 1.0f) {
        if (x < 0 || y < 0 || x >= n_ || y >= n_) return;
        uint8_t* p = &px_[(static_cast<size_t>(y) * n_ + x) * 4];
        auto q = [](float f) { return static_cast<uint8_t>(std::clamp(f, 0.0f, 1.0f) * 255.0f + 0.5f); };
        p[0] = q(c.r);
        p[1] = q(c.g);
        p[2] = q(c.b);
        p[3] = q(a);
    }
    Rgb Get(int x, int y) const {
        const uint8_t* p = &px_[(static_cast<size_t>(y) * n_ + x) * 4];
        return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f};
    }
    // Calls f(x, y, s, t) for every pixel of a region, s and t 0..1 across it.
    template <class F>
    void Fill(const UvRect& r, F f) {
        const int x0 = static_cast<int>(r.u0 * n_), x1 = static_cast<int>(r.u1 * n_);
        const int y0 = static_cast<int>(r.v0 * n_), y1 = static_cast<int>(r.v1 * n_);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                f(x, y, (static_cast<float>(x - x0) + 0.5f) / static_cast<float>(x1 - x0),
                  (static_cast<float>(y - y0) + 0.5f) / static_cast<float>(y1 - y0));
    }
    int Size() const { return n_; }
    std::vector<uint8_t>& Pixels() { return px_; }

private:
    int n_;
    std::vector<uint8_t> px_;
};

// Sets a text centred at (cx, cy) with the captions' FreeType face, else with the built-in glyphs.
void DrawText(Sheet& sheet, const std::string& text, int pixelHeight, int cx, int cy, Rgb colour) {
    std::string error;
    if (std::unique_ptr<Captions> captions = Captions::Open(&error)) {
        const int box = pixelHeight * 2;
        Canvas layer(box, box);
        captions->DrawCentred(layer, text, pixelHeight, 0, 0, box, box, Rgba{colour.r, colour.g, colour.b, 1.0f},
                              Rgba{1.0f, 1.0f, 1.0f, 1.0f}, 1, true);
        for (int y = 0; y < box; ++y)
            for (int x = 0; x < box; ++x) {
                const Rgba c = layer.Get(x, y);
                const int px = cx - box / 2 + x, py = cy - box / 2 + y;
                if (c.a <= 0.0f || px < 0 || py < 0 || px >= sheet.Size() || py >= sheet.Size()) continue;
                sheet.Set(px, py, Mix(sheet.Get(px, py), Rgb{c.r, c.g, c.b}, c.a));
            }
        return;
    }
    std::unique_ptr<platform::GlyphSource> font =
        platform::CreateGlyphSource(platform::GlyphBackend::System, pixelHeight);
    std::vector<platform::Glyph> glyphs;
    int width = 0, top = 0, bottom = 0;
    for (char ch : text) {
        platform::Glyph g;
        if (!font->Render(static_cast<char32_t>(static_cast<unsigned char>(ch)), &g)) continue;
        width += g.advance;
        top = std::max(top, g.top);
        bottom = std::min(bottom, g.top - g.height);
        glyphs.push_back(std::move(g));
    }
    int pen = cx - width / 2;
    const int baseline = cy + (top + bottom) / 2;
    for (const platform::Glyph& g : glyphs) {
        for (int y = 0; y < g.height; ++y)
            for (int x = 0; x < g.width; ++x) {
                const float a = static_cast<float>(g.coverage[static_cast<size_t>(y) * g.width + x]) / 255.0f;
                if (a <= 0.0f) continue;
                const int px = pen + g.left + x, py = baseline - g.top + y;
                if (px < 0 || py < 0 || px >= sheet.Size() || py >= sheet.Size()) continue;
                sheet.Set(px, py, Mix(sheet.Get(px, py), colour, a));
            }
        pen += g.advance;
    }
}

}  // namespace

std::vector<uint8_t> DrawLivery(const MachineDescription& d) {
    using namespace livery;
    Sheet s(kSize);
    const Rgb paint = FromHex(d.paint), stripe = FromHex(d.stripe), trim = FromHex(d.trim);
    const Rgb white{0.96f, 0.96f, 0.97f}, black{0.06f, 0.06f, 0.07f};

    // Hull paint: u around (0 and 0.5 are the flanks, 0.25 the top), v from nose to tail.
    s.Fill(kPaint, [&](int x, int y, float u, float v) {
        Rgb c = paint;
        const float dTop = std::fabs(u - 0.25f);
        if (dTop < 0.03f) c = stripe;                 // the racing stripe over the top
        if (dTop >= 0.03f && dTop < 0.04f) c = trim;  // its pinstripes
        if (std::fabs(u - 0.035f) < 0.012f || std::fabs(u - 0.465f) < 0.012f) c = stripe;  // flank stripes
        if (u > 0.56f && u < 0.94f) c = Mix(trim, paint, 0.25f);                           // underside
        if (v < 0.035f) c = trim;                                                          // nose tip
        if (v > 0.97f) c = trim;
        // A soft sheen band along the upper flanks.
        const float sheen = std::exp(-std::pow((std::fabs(u - 0.25f) - 0.12f) / 0.05f, 2.0f));
        c = Mix(c, white, 0.12f * sheen);
        s.Set(x, y, c);
    });
    // Number roundel: white disc in a trim ring, the number set in black.
    s.Fill(kNumber, [&](int x, int y, float u, float v) {
        const float r = std::hypot(u - 0.5f, v - 0.5f);
        Rgb c = paint;
        if (r < 0.47f) c = trim;
        if (r < 0.42f) c = white;
        s.Set(x, y, c);
    });
    {
        const int cx = static_cast<int>((kNumber.u0 + kNumber.u1) * 0.5f * kSize);
        const int cy = static_cast<int>((kNumber.v0 + kNumber.v1) * 0.5f * kSize);
        DrawText(s, std::to_string(d.id), d.id >= 10 ? 30 : 38, cx, cy, black);
    }
    // Team badge: a stripe-coloured chevron on the paint.
    s.Fill(kTeam, [&](int x, int y, float u, float v) {
        const bool chevron = std::fabs(v - 0.35f - std::fabs(u - 0.5f) * 0.6f) < 0.1f;
        s.Set(x, y, chevron ? stripe : paint);
    });
    s.Fill(kTyre, [&](int x, int y, float u, float v) {
        (void)v;
        const float tread = std::fmod(u * 8.0f, 1.0f) < 0.25f ? 0.07f : 0.12f;
        s.Set(x, y, {tread, tread, tread + 0.01f});
    });
    s.Fill(kMetal, [&](int x, int y, float u, float v) {
        (void)u;
        s.Set(x, y, Mix({0.86f, 0.87f, 0.9f}, {0.48f, 0.5f, 0.54f}, v));
    });
    s.Fill(kGlass, [&](int x, int y, float u, float v) {
        Rgb c = Mix({0.16f, 0.32f, 0.42f}, {0.04f, 0.07f, 0.12f}, v);
        if (std::fabs((u - v) - 0.1f) < 0.06f) c = Mix(c, white, 0.45f);  // a reflection streak
        s.Set(x, y, c);
    });
    s.Fill(kStripe, [&](int x, int y, float, float) { s.Set(x, y, stripe); });
    s.Fill(kTrim, [&](int x, int y, float, float) { s.Set(x, y, trim); });
    s.Fill(kLampOff, [&](int x, int y, float, float) { s.Set(x, y, {0.32f, 0.04f, 0.05f}); });
    s.Fill(kLampOn, [&](int x, int y, float u, float v) {
        const float r = std::hypot(u - 0.5f, v - 0.5f);
        s.Set(x, y, Mix({1.0f, 0.85f, 0.8f}, {1.0f, 0.1f, 0.08f}, std::min(r * 2.2f, 1.0f)));
    });
    s.Fill(kGlow, [&](int x, int y, float u, float v) {
        const float r = std::hypot(u - 0.5f, v - 0.5f);
        s.Set(x, y, Mix({1.0f, 0.92f, 0.45f}, {1.0f, 0.38f, 0.05f}, std::min(r * 2.0f, 1.0f)));
    });
    s.Fill(kHot, [&](int x, int y, float u, float v) {
        const float r = std::hypot(u - 0.5f, v - 0.5f);
        s.Set(x, y, Mix({1.0f, 1.0f, 1.0f}, {0.45f, 0.75f, 1.0f}, std::min(r * 2.0f, 1.0f)));
    });
    // Wheel face: a tyre rim, five spokes and a hub, so the turning shows.
    s.Fill(kRim, [&](int x, int y, float u, float v) {
        const float dx = u - 0.5f, dy = v - 0.5f;
        const float r = std::hypot(dx, dy), a = std::atan2(dy, dx);
        Rgb c{0.1f, 0.1f, 0.11f};
        if (r < 0.4f) {
            const bool spoke = std::fabs(std::sin(a * 2.5f)) < 0.35f;
            c = spoke ? Rgb{0.82f, 0.83f, 0.86f} : Rgb{0.16f, 0.16f, 0.18f};
            if (r > 0.34f) c = Scale(stripe, 0.9f);
        }
        if (r < 0.12f) c = {0.7f, 0.7f, 0.74f};
        s.Set(x, y, c);
    });
    s.Fill(kVent, [&](int x, int y, float u, float v) {
        (void)u;
        const float slat = std::fmod(v * 10.0f, 1.0f) < 0.45f ? 0.05f : 0.2f;
        s.Set(x, y, {slat, slat, slat + 0.02f});
    });
    // Wing paint: the paint with a stripe along the leading edge and a trim line behind it.
    s.Fill(kWing, [&](int x, int y, float u, float v) {
        (void)u;
        Rgb c = paint;
        if (v < 0.14f) c = stripe;
        if (v >= 0.14f && v < 0.19f) c = trim;
        if (v > 0.9f) c = Scale(paint, 0.7f);
        s.Set(x, y, c);
    });
    s.Fill(kFlame, [&](int x, int y, float, float) { s.Set(x, y, white); });
    s.Fill(kBlade, [&](int x, int y, float u, float v) {
        (void)u;
        s.Set(x, y, Mix({0.8f, 0.8f, 0.84f}, {0.35f, 0.36f, 0.4f}, v));
    });
    // Halo ring: alternating segments so its turning shows.
    s.Fill(kHalo, [&](int x, int y, float u, float v) {
        (void)v;
        s.Set(x, y, std::fmod(u * 8.0f, 1.0f) < 0.5f ? stripe : trim);
    });
    return std::move(s.Pixels());
}

std::vector<uint8_t> DrawEffectTexture(int size) {
    // A white core going pale blue toward the sides, where the alpha falls, so
    // crossed flame sheets have soft edges.
    std::vector<uint8_t> px(static_cast<size_t>(size) * size * 4, 255);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(size);
            const float edge = std::fabs(u - 0.5f) * 2.0f;
            uint8_t* p = &px[(static_cast<size_t>(y) * size + x) * 4];
            p[0] = static_cast<uint8_t>(255.0f - 90.0f * edge);
            p[1] = static_cast<uint8_t>(255.0f - 45.0f * edge);
            p[3] = static_cast<uint8_t>(std::pow(std::sin(u * 3.14159265f), 0.7f) * 255.0f);
        }
    return px;
}

}  // namespace contentgen
