// PaintMachine.cpp -- painters of machine liveries and parts, cockpit instruments, markers and test pictures.
#include <algorithm>
#include <cmath>

#include "kit/TexturePaint.h"

namespace contentgen::paint {

using namespace art;

namespace {
constexpr float kPi = 3.14159265f;
}  // namespace

void Livery(Canvas& c, Colour base, Colour stripe, Colour accent, int number, int style, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Paint([&](int, int, float u, float v) {
        Colour col = Shade(base, 0.85f + 0.25f * (1 - v) + 0.03f * Fbm(u, v, 4, 2, s));
        bool onStripe = false;
        switch (style % 4) {
            case 0: onStripe = std::fabs(u - 0.42f) < 0.05f || std::fabs(u - 0.58f) < 0.05f; break;
            case 1: onStripe = std::fabs(std::fmod(v * 2 + std::fabs(u - 0.5f) * 2, 1.0f) - 0.5f) < 0.12f; break;
            case 2: onStripe = u + v * 0.3f > 0.65f; break;
            default: onStripe = std::fabs(v - 0.55f) < 0.09f; break;
        }
        if (onStripe) col = Shade(stripe, 0.9f + 0.15f * (1 - v));
        if (std::fabs(v - 0.55f) < 0.012f && style % 4 != 3) col = accent;
        return col;
    });
    // Panel lines.
    c.Line(0, h * 0.25f, static_cast<float>(w), h * 0.25f, 1.0f, Shade(base, 0.55f));
    c.Line(w * 0.2f, 0, w * 0.2f, static_cast<float>(h), 1.0f, Shade(base, 0.55f));
    // Number roundel.
    const float cx = w * 0.74f, cy = h * 0.7f, r = h * 0.2f;
    c.Disc(cx, cy, r, Rgb(0xF4F4F0));
    c.Ring(cx, cy, r - 2.5f, r, accent);
    const float dh = r * 1.1f, dw = dh * 0.48f, stroke = std::max(2.0f, dh * 0.15f);
    if (number >= 10) {
        c.Digit(number / 10, cx - dw - dw * 0.12f, cy - dh / 2, dw, dh, stroke, Rgb(0x111111));
        c.Digit(number % 10, cx + dw * 0.12f, cy - dh / 2, dw, dh, stroke, Rgb(0x111111));
    } else {
        c.Digit(number, cx - dw / 2, cy - dh / 2, dw, dh, stroke, Rgb(0x111111));
    }
}

void Carbon(Canvas& c, Colour tint) {
    c.Paint([&](int x, int y, float, float) {
        const int cell = 4;
        const int i = x / cell, j = y / cell;
        const bool warp = ((i + j / 2) % 2) == 0;
        const float f = warp ? static_cast<float>(x % cell) / cell : static_cast<float>(y % cell) / cell;
        return Shade(tint, 0.55f + 0.45f * std::sin(f * kPi) * (warp ? 1.0f : 0.8f));
    });
}

void Leather(Canvas& c, Colour base, Colour stitch, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Paint([&](int, int, float u, float v) {
        const float d = CellDistance(u, v, 24, s);
        return Shade(base, 0.75f + 0.2f * d + 0.1f * Fbm(u, v, 4, 2, s));
    });
    for (int y = 4; y < h; y += h / 2)
        for (int x = 0; x < w; x += 6)
            c.Line(static_cast<float>(x), static_cast<float>(y), x + 3.0f, static_cast<float>(y), 1.2f, stitch);
}

void TyreTread(Canvas& c, Colour rubber, Seed s) {
    c.Paint([&](int, int, float u, float v) {
        const float groove =
            std::fabs(std::fmod(v * 8 + std::fabs(u - 0.5f) * 1.5f, 1.0f) - 0.5f) < 0.08f ? 1.0f : 0.0f;
        const bool channel = std::fabs(u - 0.33f) < 0.03f || std::fabs(u - 0.67f) < 0.03f;
        const float k = 0.8f + 0.2f * Fbm(u, v, 8, 2, s) - 0.5f * groove - (channel ? 0.5f : 0.0f);
        return Shade(rubber, k);
    });
}

void TyreSide(Canvas& c, Colour rubber, Colour mark) {
    const int w = c.Width();
    c.Paint([&](int, int, float u, float v) {
        const float d = std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f)) * 2;
        if (d > 1) return WithAlpha(rubber, 0);
        if (d < 0.62f) return WithAlpha(Shade(rubber, 0.4f), 0);
        Colour col = Shade(rubber, 0.8f + 0.2f * std::sin((d - 0.62f) * kPi / 0.38f));
        const float ang = std::atan2(v - 0.5f, u - 0.5f);
        if (std::fabs(d - 0.8f) < 0.05f && std::fmod(ang + kPi, kPi / 6) < kPi / 12 && ang < 0) col = mark;
        return col;
    });
    (void)w;
}

void Rim(Canvas& c, Colour metal, int spokes) {
    c.Paint([&](int, int, float u, float v) {
        const float dx = u - 0.5f, dy = v - 0.5f, d = std::sqrt(dx * dx + dy * dy) * 2;
        const float ang = std::atan2(dy, dx);
        if (d > 1) return WithAlpha(metal, 0);
        if (d > 0.86f) return Shade(metal, 0.75f + 0.25f * (d - 0.86f) / 0.14f);
        if (d < 0.22f) return Shade(metal, d < 0.08f ? 0.5f : 0.95f);
        const float spoke = std::fabs(std::sin(ang * spokes * 0.5f));
        const float width = 0.25f + 0.1f * (1 - d);
        if (spoke < width) return Shade(metal, 0.85f + 0.3f * std::cos(ang) * 0.5f);
        return WithAlpha(Shade(metal, 0.2f), 0.0f);
    });
}

void Lens(Canvas& c, Colour light, Colour reflector) {
    c.Paint([&](int, int, float u, float v) {
        const float d = std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f)) * 2;
        if (d > 1) return Shade(reflector, 0.3f);
        const float rings = 0.5f + 0.5f * std::cos(d * 18);
        Colour col = Mix(Shade(reflector, 0.6f + 0.4f * rings), light, SmoothStep(0.55f, 0.1f, d));
        if (d > 0.92f) col = Shade(reflector, 0.5f);
        return col;
    });
    c.Disc(c.Width() * 0.38f, c.Height() * 0.34f, c.Width() * 0.07f, Rgb(0xFFFFFF, 0.8f));
}

void Nozzle(Canvas& c, Colour metal) {
    c.Paint([&](int, int, float u, float v) {
        const float d = std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f)) * 2;
        if (d > 1) return Shade(metal, 0.4f);
        // Heat tint from the core outwards: gold, purple, blue, then bare metal.
        static const std::uint32_t kHeat[4] = {0xC9A24A, 0x8E5BA8, 0x3E6FB8, 0x9AA0A8};
        const float t = Clamp01(d) * 3;
        const int i = static_cast<int>(t);
        const Colour heat = i >= 3 ? Rgb(kHeat[3]) : Mix(Rgb(kHeat[i]), Rgb(kHeat[i + 1]), t - i);
        Colour col = Mix(Shade(metal, 0.9f), heat, 0.75f);
        if (d < 0.35f) col = Shade(Rgb(0x201810), 0.6f + d);
        const float ang = std::atan2(v - 0.5f, u - 0.5f);
        if (d > 0.35f && std::fabs(std::sin(ang * 8)) < 0.08f) col = Shade(col, 0.6f);
        return col;
    });
}

void Flame(Canvas& c, Colour core, Colour outer, Seed s) {
    c.Paint([&](int, int, float u, float v) {
        const float flicker = 0.85f + 0.3f * Fbm(u, v * 0.5f, 4, 3, s);
        const float width = (0.08f + 0.4f * v) * flicker;
        const float dx = std::fabs(u - 0.5f) / width;
        const float a = Clamp01(1 - dx) * SmoothStep(1.0f, 0.6f, v) * SmoothStep(0.0f, 0.1f, v);
        return WithAlpha(Mix(outer, core, Clamp01(1 - dx * 1.5f) * (1 - v * 0.5f)), a);
    });
}

void Emblem(Canvas& c, Colour field, Colour mark, int shape) {
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    c.Fill(WithAlpha(field, 0));
    // A shield.
    c.Rect(static_cast<int>(w * 0.15f), static_cast<int>(h * 0.1f), static_cast<int>(w * 0.85f),
           static_cast<int>(h * 0.55f), field);
    c.Triangle(w * 0.15f, h * 0.55f, w * 0.85f, h * 0.55f, w * 0.5f, h * 0.92f, field);
    c.Rect(static_cast<int>(w * 0.15f), static_cast<int>(h * 0.1f), static_cast<int>(w * 0.85f),
           static_cast<int>(h * 0.16f), Shade(field, 1.3f));
    switch (shape % 6) {
        case 0: c.Triangle(w * 0.5f, h * 0.22f, w * 0.3f, h * 0.62f, w * 0.7f, h * 0.62f, mark); break;
        case 1: c.Disc(w * 0.5f, h * 0.45f, w * 0.18f, mark); break;
        case 2:
            c.Line(w * 0.3f, h * 0.3f, w * 0.7f, h * 0.65f, w * 0.08f, mark);
            c.Line(w * 0.7f, h * 0.3f, w * 0.3f, h * 0.65f, w * 0.08f, mark);
            break;
        case 3:
            for (int k = 0; k < 3; ++k)
                c.Line(w * 0.3f, h * (0.3f + 0.12f * k), w * 0.7f, h * (0.3f + 0.12f * k), h * 0.06f, mark);
            break;
        case 4:
            c.Line(w * 0.35f, h * 0.25f, w * 0.55f, h * 0.45f, w * 0.07f, mark);
            c.Line(w * 0.55f, h * 0.45f, w * 0.4f, h * 0.5f, w * 0.07f, mark);
            c.Line(w * 0.4f, h * 0.5f, w * 0.62f, h * 0.72f, w * 0.07f, mark);
            break;
        default: c.Ring(w * 0.5f, h * 0.45f, w * 0.1f, w * 0.2f, mark); break;
    }
}

void Gauge(Canvas& c, Colour face, Colour mark, Colour accent, int style) {
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    const float cx = w / 2, cy = h / 2, r = w * 0.48f;
    c.Fill(WithAlpha(face, 0));
    c.Disc(cx, cy, r, Shade(face, 0.6f));
    c.Disc(cx, cy, r * 0.94f, face);
    const float a0 = kPi * 0.75f, sweep = kPi * 1.5f;
    const int ticks = style == 1 ? 12 : 10;
    for (int k = 0; k <= ticks * 5; ++k) {
        const float a = a0 + sweep * k / (ticks * 5);
        const bool major = k % 5 == 0;
        const float r0 = r * (major ? 0.72f : 0.8f), r1 = r * 0.88f;
        const Colour col = k > ticks * 5 * 0.8f ? accent : mark;
        c.Line(cx + std::cos(a) * r0, cy + std::sin(a) * r0, cx + std::cos(a) * r1, cy + std::sin(a) * r1,
               major ? 2.5f : 1.2f, col);
    }
    if (style == 2)  // a coloured arc band
        for (int k = 0; k < 120; ++k) {
            const float a = a0 + sweep * k / 120;
            c.Disc(cx + std::cos(a) * r * 0.64f, cy + std::sin(a) * r * 0.64f, 1.6f, Mix(mark, accent, k / 120.0f));
        }
    c.Disc(cx, cy, r * 0.08f, Shade(mark, 0.6f));
}

void Needle(Canvas& c, Colour colour) {
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    c.Fill(WithAlpha(colour, 0));
    c.Triangle(w * 0.5f, h * 0.04f, w * 0.35f, h * 0.85f, w * 0.65f, h * 0.85f, colour);
    c.Triangle(w * 0.5f, h * 0.04f, w * 0.5f, h * 0.85f, w * 0.65f, h * 0.85f, Shade(colour, 0.75f));
    c.Disc(w * 0.5f, h * 0.85f, w * 0.25f, Rgb(0x202020));
}

void DigitStrip(Canvas& c, Colour on, Colour bg) {
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    c.Fill(bg);
    const float cell = w / 10;
    for (int d = 0; d < 10; ++d) {
        c.Digit(8, d * cell + cell * 0.15f, h * 0.1f, cell * 0.7f, h * 0.8f, cell * 0.12f, Shade(on, 0.18f));
        c.Digit(d, d * cell + cell * 0.15f, h * 0.1f, cell * 0.7f, h * 0.8f, cell * 0.12f, on);
    }
}

void WarningLamps(Canvas& c, Colour housing, Seed s) {
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    c.Fill(housing);
    static const std::uint32_t kLamp[4] = {0xE8352B, 0xF2B705, 0x2FB84B, 0x2F8BE8};
    Rng r(s);
    for (int k = 0; k < 4; ++k) {
        const float cx = (k + 0.5f) * w / 4, cy = h / 2, rad = std::min(w / 10, h * 0.35f);
        c.Disc(cx, cy, rad * 1.15f, Shade(housing, 0.5f));
        c.Disc(cx, cy, rad, Rgb(kLamp[k]));
        c.Disc(cx - rad * 0.3f, cy - rad * 0.3f, rad * 0.3f, Mix(Rgb(kLamp[k]), Rgb(0xFFFFFF), 0.7f));
        if (r.Chance(0.5f))
            c.Line(cx - rad * 0.4f, cy, cx + rad * 0.4f, cy, rad * 0.2f, Shade(Rgb(kLamp[k]), 0.4f));
        else
            c.Ring(cx, cy, rad * 0.3f, rad * 0.45f, Shade(Rgb(kLamp[k]), 0.4f));
    }
}

void Switches(Canvas& c, Colour panel, Colour accent, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Paint([&](int, int, float u, float v) { return Shade(panel, 0.85f + 0.1f * Fbm(u, v, 4, 2, s)); });
    Rng r(s);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 4; ++i) {
            const int x = w / 16 + i * w / 4, y = h / 8 + j * h / 2, bw = w / 6, bh = h / 4;
            c.Rect(x, y, x + bw, y + bh, Shade(panel, 0.5f));
            c.Rect(x + 2, y + 2, x + bw - 2, y + bh - 2, r.Chance(0.4f) ? accent : Shade(panel, 1.4f));
        }
}

void PanelLabel(Canvas& c, Colour panel, Colour accent, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Paint([&](int x, int y, float u, float v) {
        const int edge = std::min(std::min(x, y), std::min(w - 1 - x, h - 1 - y));
        float k = 0.85f + 0.15f * Fbm(u, v, 4, 3, s);
        if (edge < 3) k *= x < 3 || y < 3 ? 1.3f : 0.6f;
        return Shade(panel, k);
    });
    c.Rect(w / 8, h / 8, w / 8 + w / 16, h - h / 8, accent);
    c.Rect(w / 4, h / 2 - 2, w - w / 8, h / 2 + 2, Shade(accent, 0.8f));
    c.Line(w * 0.3f, h * 0.3f, w * 0.7f, h * 0.3f, 2, Shade(panel, 1.4f));
}

void NormalMap(Canvas& c, int style, Seed s) {
    const int w = c.Width(), h = c.Height();
    auto height = [&](float u, float v) {
        if (style == 0) return Fbm(u, v, 4, 4, s);
        const float fx = std::fmod(u * 4, 1.0f), fy = std::fmod(v * 8 + (static_cast<int>(u * 4) % 2) * 0.5f, 1.0f);
        return std::min({fx, 1 - fx, fy * 2, (1 - fy) * 2}) > 0.06f ? 1.0f : 0.0f;
    };
    c.Paint([&](int, int, float u, float v) {
        const float du = 1.0f / w, dv = 1.0f / h;
        const float sx = (height(u + du, v) - height(u - du, v)) * 4, sy = (height(u, v + dv) - height(u, v - dv)) * 4;
        const float len = std::sqrt(sx * sx + sy * sy + 1);
        return Colour{0.5f - 0.5f * sx / len, 0.5f - 0.5f * sy / len, 0.5f + 0.5f / len, 1};
    });
}

void TestPattern(Canvas& c, int style) {
    const int w = c.Width(), h = c.Height();
    static const std::uint32_t kBars[8] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                                           0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
    c.Paint([&](int x, int y, float u, float v) {
        switch (style) {
            case 0: {
                const bool line = x % (w / 8) == 0 || y % (h / 8) == 0;
                return line ? Rgb(0xFFFFFF) : Colour{u, v, 0.25f, 1};
            }
            case 1: return Rgb(kBars[static_cast<int>(u * 8)]);
            case 2: return ((x / (w / 8)) + (y / (h / 8))) % 2 ? Rgb(0xF0F0F0) : Rgb(0x303030);
            case 3: return Colour{u, 1 - u, v, 1};
            case 4: {
                const float d = std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f));
                return std::fmod(d * 16, 1.0f) < 0.5f ? Rgb(0xE04040) : Rgb(0xF0F0F0);
            }
            case 5: return std::fmod(u * (4 + 12 * v), 1.0f) < 0.5f ? Rgb(0x2040C0) : Rgb(0xF0E0A0);
            default: return Colour{1, 1 - v, 0.3f, u};
        }
    });
}

void Shadow(Canvas& c) {
    c.Paint([&](int, int, float u, float v) {
        const float d = std::sqrt((u - 0.5f) * (u - 0.5f) * 1.6f + (v - 0.5f) * (v - 0.5f)) * 2;
        return Colour{0, 0, 0, 0.75f * SmoothStep(1.0f, 0.3f, d)};
    });
}

void Marker(Canvas& c, Colour colour, int shape) {
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    c.Fill(WithAlpha(colour, 0));
    switch (shape) {
        case 0:
            c.Triangle(w * 0.5f, h * 0.08f, w * 0.15f, h * 0.9f, w * 0.85f, h * 0.9f, Shade(colour, 0.6f));
            c.Triangle(w * 0.5f, h * 0.16f, w * 0.24f, h * 0.82f, w * 0.76f, h * 0.82f, colour);
            break;
        case 1:
            c.Disc(w * 0.5f, h * 0.5f, w * 0.42f, Shade(colour, 0.6f));
            c.Disc(w * 0.5f, h * 0.5f, w * 0.34f, colour);
            break;
        default:
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i)
                    c.Rect(static_cast<int>(i * w / 4), static_cast<int>(j * h / 4), static_cast<int>((i + 1) * w / 4),
                           static_cast<int>((j + 1) * h / 4), (i + j) % 2 ? colour : Rgb(0x101010));
            break;
    }
}

void MapLine(Canvas& c, Colour colour) {
    c.Paint([&](int, int, float u, float) {
        const float d = std::fabs(u - 0.5f) * 2;
        const float core = SmoothStep(0.35f, 0.2f, d), glow = std::pow(Clamp01(1 - d), 2.0f);
        return WithAlpha(Mix(colour, Rgb(0xFFFFFF), core * 0.7f), Clamp01(core + glow * 0.6f));
    });
}

}  // namespace contentgen::paint
