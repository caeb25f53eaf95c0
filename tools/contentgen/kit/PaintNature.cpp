// PaintNature.cpp -- painters of road surfaces, ground, water, plants, far scenery and skies.
#include <cmath>

#include "kit/TexturePaint.h"

namespace contentgen::paint {

using namespace art;

namespace {

constexpr float kPi = 3.14159265f;

// Per-pixel grain: a hash of the position, 0..1.
float Grain(int x, int y, Seed s) {
    std::uint32_t h = s ^ (static_cast<std::uint32_t>(x) * 0x27D4EB2Du) ^ (static_cast<std::uint32_t>(y) * 0x165667B1u);
    h = (h ^ (h >> 15)) * 0x2C1B3C6Du;
    h ^= h >> 12;
    return (h & 0xFFFF) / 65535.0f;
}

// Road paint worn by traffic: coverage reduced where the noise is low.
float Worn(float u, float v, Seed s) { return 0.55f + 0.45f * SmoothStep(0.3f, 0.6f, Fbm(u, v, 8, 3, s)); }

}  // namespace

void Asphalt(Canvas& c, Colour base, float wear, Seed s) {
    c.Paint([&](int x, int y, float u, float v) {
        const float n = Fbm(u, v, 4, 4, s);
        const float g = Grain(x, y, s);
        float k = 0.82f + 0.32f * n + (g > 0.93f ? 0.25f : 0.0f) - (g < 0.05f ? 0.2f : 0.0f);
        // Darker, smoother lanes where tyres run (the road runs along v).
        const float lane =
            std::exp(-std::pow((u - 0.3f) / 0.08f, 2.0f)) + std::exp(-std::pow((u - 0.7f) / 0.08f, 2.0f));
        k -= wear * 0.18f * lane * (0.7f + 0.3f * Noise(u, v, 16, s + 5));
        return Shade(base, k);
    });
}

void RoadMarks(Canvas& c, Colour base, Colour paint, int style, Seed s) {
    Asphalt(c, base, 0.5f, s);
    const int w = c.Width(), h = c.Height();
    auto mark = [&](int x0, int y0, int x1, int y1, Colour col) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) c.Blend(x, y, col, Worn((x + 0.5f) / w, (y + 0.5f) / h, s + 11));
    };
    const int line = std::max(2, w / 24);
    switch (style) {
        case 0:
            mark(w / 16, 0, w / 16 + line, h, paint);
            mark(w - w / 16 - line, 0, w - w / 16, h, paint);
            break;
        case 1: mark(w / 2 - line / 2, h / 8, w / 2 + line - line / 2, h * 5 / 8, paint); break;
        case 2: {
            const int cell = w / 8;
            for (int row = 0; row < 2; ++row)
                for (int col = 0; col < 8; ++col)
                    mark(col * cell, h / 2 - cell + row * cell, (col + 1) * cell, h / 2 + row * cell,
                         ((row + col) & 1) ? paint : Rgb(0x141414));
            break;
        }
        case 3:
            mark(w / 8, h / 4, w / 8 + line, h * 3 / 4, paint);
            mark(w - w / 8 - line, h / 4, w - w / 8, h * 3 / 4, paint);
            mark(w / 8, h / 4, w - w / 8, h / 4 + line, paint);
            break;
        case 4:
            mark(w / 2 - line, 0, w / 2, h, paint);
            for (int y = 0; y < h; y += h / 4) mark(w / 2, y, w / 2 + line, y + h / 8, Rgb(0x2050C0));
            break;
        default:
            for (int k = 0; k < 2; ++k) {
                const float cy = h * (0.3f + 0.4f * k);
                c.Line(w * 0.5f, cy - h * 0.12f, w * 0.3f, cy + h * 0.05f, line, paint);
                c.Line(w * 0.5f, cy - h * 0.12f, w * 0.7f, cy + h * 0.05f, line, paint);
                c.Line(w * 0.5f, cy - h * 0.1f, w * 0.5f, cy + h * 0.15f, line, paint);
            }
            break;
    }
}

void Kerb(Canvas& c, Colour a, Colour b, int style, Seed s) {
    c.Paint([&](int x, int y, float u, float v) {
        float band = style == 1 ? std::fmod(v * 4 + u * 0.5f, 1.0f) : std::fmod(v * 4, 1.0f);
        Colour col = band < 0.5f ? a : b;
        float shade = 0.78f + 0.22f * std::sin(kPi * u);
        if (style == 1) shade *= 0.85f + 0.3f * std::fabs(std::fmod(v * 16, 1.0f) - 0.5f);
        const float edge = std::min(std::fabs(band - 0.5f), std::min(band, 1 - band));
        if (edge < 0.02f) shade *= 0.7f;
        shade *= 0.9f + 0.15f * Fbm(u, v, 8, 3, s) - 0.1f * (Grain(x, y, s) > 0.97f);
        return Shade(col, shade);
    });
}

void Grass(Canvas& c, Colour base, bool mown, Seed s) {
    c.Paint([&](int, int, float u, float v) {
        float k = 0.75f + 0.45f * Fbm(u, v, 4, 4, s);
        if (mown) k *= std::fmod(v * 4, 1.0f) < 0.5f ? 1.08f : 0.92f;
        Colour col = Shade(base, k);
        const float dry = SmoothStep(0.6f, 0.8f, Noise(u, v, 6, s + 3));
        return Mix(col, Shade(Rgb(0xB0A060), k), dry * 0.35f);
    });
    Rng r(s);
    const int w = c.Width(), h = c.Height();
    for (int i = 0; i < w * h / 12; ++i) {
        const float x = r.Range(0, w), y = r.Range(0, h), len = r.Range(2, 5);
        const Colour blade = Shade(base, r.Range(0.6f, 1.35f));
        c.Line(x, y, x + r.Range(-1, 1), y - len, 1.0f, WithAlpha(blade, 0.6f));
    }
}

void Gravel(Canvas& c, Colour base, Seed s) {
    c.Paint([&](int x, int y, float u, float v) {
        return Shade(base, 0.7f + 0.2f * Fbm(u, v, 8, 2, s) + 0.15f * Grain(x, y, s));
    });
    Rng r(s + 1);
    const int w = c.Width(), h = c.Height();
    for (int i = 0; i < w * h / 10; ++i) {
        const float x = r.Range(0, w), y = r.Range(0, h), rad = r.Range(0.8f, 2.2f);
        const Colour stone = Shade(Mix(base, Rgb(0x909090), r.Unit() * 0.5f), r.Range(0.75f, 1.25f));
        c.Disc(x + 0.4f, y + 0.4f, rad, Shade(stone, 0.5f));
        c.Disc(x, y, rad, stone);
        c.Disc(x - rad * 0.3f, y - rad * 0.3f, rad * 0.35f, Shade(stone, 1.2f));
    }
}

void Sand(Canvas& c, Colour base, bool ripples, Seed s) {
    c.Paint([&](int x, int y, float u, float v) {
        float k = 0.85f + 0.2f * Fbm(u, v, 4, 4, s) + 0.1f * (Grain(x, y, s) - 0.5f);
        if (ripples) k += 0.08f * std::sin((v * 10 + 0.6f * Fbm(u, v, 3, 2, s + 9)) * 2 * kPi);
        return Shade(base, k);
    });
}

void Snow(Canvas& c, Colour tint, int style, Seed s) {
    c.Paint([&](int x, int y, float u, float v) {
        const float n = Fbm(u, v, 4, 5, s);
        Colour col = Mix(Rgb(0xFFFFFF), tint, Clamp01(0.95f - 1.1f * n));
        if (style == 2) col = Mix(col, tint, 0.35f * (0.5f + 0.5f * std::sin((u * 3 + n) * 2 * kPi)));
        if (style == 1) {
            for (float track : {0.3f, 0.7f}) {
                const float d = std::fabs(u - track);
                if (d < 0.06f) col = Mix(col, Shade(tint, 0.85f), 0.5f * (1 - d / 0.06f));
                if (d < 0.05f && std::fmod(v * 32, 1.0f) < 0.35f) col = Shade(col, 0.93f);
            }
        }
        if (Grain(x, y, s) > 0.985f) col = Rgb(0xFFFFFF);
        return col;
    });
}

void Ice(Canvas& c, Colour tint, Seed s) {
    c.Paint([&](int, int, float u, float v) {
        const float n = Fbm(u, v, 3, 4, s);
        return Mix(tint, Rgb(0xF4FAFF), 0.3f + 0.5f * n);
    });
    Rng r(s + 2);
    const int w = c.Width(), h = c.Height();
    for (int i = 0; i < 14; ++i) {
        float x = r.Range(0, w), y = r.Range(0, h), a = r.Range(0, 2 * kPi);
        for (int k = 0; k < 5; ++k) {
            const float len = r.Range(4, 12), nx = x + std::cos(a) * len, ny = y + std::sin(a) * len;
            c.Line(x, y, nx, ny, 1.0f, Rgb(0xFFFFFF, 0.7f));
            x = nx, y = ny, a += r.Range(-0.8f, 0.8f);
        }
    }
}

void Dirt(Canvas& c, Colour base, Seed s) {
    c.Paint([&](int x, int y, float u, float v) {
        const float d = CellDistance(u, v, 6, s);
        return Shade(base, 0.7f + 0.35f * Fbm(u, v, 4, 4, s) - 0.15f * SmoothStep(0.3f, 0.0f, d) +
                               0.08f * (Grain(x, y, s) - 0.5f));
    });
}

void LeafLitter(Canvas& c, Colour ground, Colour a, Colour b, Colour d, Seed s) {
    Dirt(c, ground, s);
    Rng r(s + 4);
    const int w = c.Width(), h = c.Height();
    const Colour leaves[3] = {a, b, d};
    for (int i = 0; i < w * h / 18; ++i) {
        const float x = r.Range(0, w), y = r.Range(0, h), ang = r.Range(0, kPi), len = r.Range(2, 4.5f);
        const Colour col = Shade(leaves[r.Int(0, 2)], r.Range(0.7f, 1.15f));
        c.Line(x - std::cos(ang) * len, y - std::sin(ang) * len, x + std::cos(ang) * len, y + std::sin(ang) * len,
               r.Range(2.0f, 3.5f), col);
    }
}

void Rock(Canvas& c, Colour base, Colour moss, int style, Seed s) {
    c.Paint([&](int, int, float u, float v) {
        std::uint32_t id = 0;
        const float d = CellDistance(u, v, style == 1 ? 3 : 5, s, &id);
        const float ridge = 1 - std::fabs(2 * Fbm(u, v, 4, 4, s + 1) - 1);
        float k = 0.65f + 0.35f * ridge + 0.1f * ((id & 0xFF) / 255.0f) - 0.3f * SmoothStep(0.12f, 0.0f, d);
        Colour col = Shade(base, k);
        if (style == 1) col = Shade(col, 0.85f + 0.2f * std::sin((v * 9 + 0.8f * Fbm(u, v, 4, 3, s + 7)) * 2 * kPi));
        const float m = style == 2 ? SmoothStep(0.45f, 0.65f, Fbm(u, v, 4, 4, s + 3)) : 0.0f;
        return Mix(col, Shade(moss, 0.8f + 0.3f * ridge), m);
    });
}

void Water(Canvas& c, Colour deep, Colour shallow, float sparkle, Seed s) {
    c.Paint([&](int x, int y, float u, float v) {
        const float warp = Fbm(u, v, 3, 3, s);
        const float wave = 0.5f + 0.5f * std::sin((v * 6 + warp * 2.0f) * 2 * kPi) * std::sin((u * 2 + warp) * 2 * kPi);
        Colour col = Mix(deep, shallow, 0.25f + 0.5f * Fbm(u, v, 4, 4, s + 1) * wave);
        if (wave > 0.9f && Grain(x, y, s) < sparkle) col = Mix(col, Rgb(0xFFFFFF), 0.8f);
        return col;
    });
}

void Foam(Canvas& c, Colour tint, Seed s) {
    c.Paint([&](int, int, float u, float v) {
        const float n = Fbm(u, v * 0.5f, 4, 4, s) + 0.3f * std::sin((u * 5 + v * 2) * 2 * kPi) * 0.3f;
        const float a = SmoothStep(0.35f, 0.65f, n) * (0.6f + 0.4f * Noise(u, v, 16, s + 2));
        return WithAlpha(Mix(tint, Rgb(0xFFFFFF), n), a);
    });
}

void Bark(Canvas& c, Colour base, bool birch, Seed s) {
    c.Paint([&](int, int, float u, float v) {
        const float streak = Fbm(u, v * 0.15f, 8, 4, s);
        if (birch) {
            const float mark = SmoothStep(0.72f, 0.78f, Fbm(u * 0.5f, v, 6, 3, s + 1));
            return Mix(Shade(Rgb(0xEDE8DD), 0.85f + 0.2f * streak), Rgb(0x1E1A16), mark);
        }
        const float groove = SmoothStep(0.2f, 0.0f, std::fabs(std::fmod(u * 6 + streak * 1.5f, 1.0f) - 0.5f));
        return Shade(base, 0.7f + 0.5f * streak - 0.35f * groove);
    });
}

void Wood(Canvas& c, Colour base, int planks, Seed s) {
    c.Paint([&](int, int, float u, float v) {
        const int plank = static_cast<int>(v * planks);
        const float pv = v * planks - plank;
        const float grain = std::sin((u * 3 + Fbm(u, v, 4, 3, s + plank) * 2.5f) * 2 * kPi * 3);
        float k = 0.8f + 0.1f * grain + 0.15f * ((Seed(plank * 2654435761u + s) >> 24) / 255.0f);
        if (pv < 0.06f || pv > 0.94f) k *= 0.55f;
        const float joint = std::fmod(u + plank * 0.37f, 1.0f);
        if (joint < 0.01f) k *= 0.55f;
        return Shade(base, k);
    });
}

void Foliage(Canvas& c, Tree kind, Colour leaf, Colour shade, Seed s) {
    c.Fill(WithAlpha(leaf, 0));
    Rng r(s);
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    auto clump = [&](float cx, float cy, float rad, int count) {
        for (int i = 0; i < count; ++i) {
            const float a = r.Range(0, 2 * kPi), d = rad * std::sqrt(r.Unit());
            const float px = cx + std::cos(a) * d, py = cy + std::sin(a) * d;
            const float lit = Clamp01(0.5f - (py - cy) / (2 * rad) + 0.3f * r.Unit());
            c.Disc(px, py, r.Range(rad * 0.12f, rad * 0.22f), Mix(shade, leaf, lit));
        }
    };
    switch (kind) {
        case Tree::Pine:
        case Tree::SnowPine:
        case Tree::Cypress: {
            c.Rect(static_cast<int>(w * 0.46f), static_cast<int>(h * 0.8f), static_cast<int>(w * 0.54f),
                   static_cast<int>(h), Rgb(0x4A3020));
            const int tiers = kind == Tree::Cypress ? 1 : 5;
            for (int t = 0; t < tiers; ++t) {
                const float top = h * (0.04f + 0.15f * t), bottom = kind == Tree::Cypress ? h * 0.86f : top + h * 0.28f;
                const float half = kind == Tree::Cypress ? w * 0.16f : w * (0.16f + 0.07f * t);
                c.Triangle(w * 0.5f, top, w * 0.5f - half, bottom, w * 0.5f + half, bottom, shade);
                c.Triangle(w * 0.5f, top, w * 0.5f - half * 0.85f, bottom, w * 0.5f + half * 0.1f, bottom,
                           Mix(shade, leaf, 0.8f));
                if (kind == Tree::SnowPine)
                    c.Triangle(w * 0.5f, top, w * 0.5f - half * 0.45f, top + (bottom - top) * 0.45f,
                               w * 0.5f + half * 0.3f, top + (bottom - top) * 0.4f, Rgb(0xF2F6FA));
            }
            for (int i = 0; i < 60; ++i) {
                const float x = w * 0.5f + r.Range(-0.4f, 0.4f) * w, y = r.Range(0.05f, 0.85f) * h;
                if (c.At(static_cast<int>(x), static_cast<int>(y)).a > 0.5f) c.Disc(x, y, 1.2f, Shade(shade, 0.7f));
            }
            break;
        }
        case Tree::Palm: {
            const float bx = w * 0.5f, by = h * 0.35f;
            for (int k = 0; k < 16; ++k) {
                const float t = k / 16.0f;
                c.Line(bx + std::sin(t * 3) * w * 0.04f, by + t * h * 0.65f, bx + std::sin((t + 0.06f) * 3) * w * 0.04f,
                       by + (t + 0.07f) * h * 0.65f, w * 0.07f, Shade(Rgb(0x8A6A45), k % 2 ? 0.8f : 1.0f));
            }
            for (int f = 0; f < 9; ++f) {
                const float a = -kPi * 0.95f + f * (kPi * 0.9f / 8) + r.Range(-0.1f, 0.1f);
                float x = bx, y = by;
                for (int k = 0; k < 10; ++k) {
                    const float droop = k * 0.05f, len = w * 0.045f;
                    const float nx = x + std::cos(a) * len, ny = y + std::sin(a) * len * 0.6f + droop * len * 2;
                    c.Line(x, y, nx, ny, 1.5f, shade);
                    for (int side : {-1, 1})
                        c.Line(nx, ny, nx + side * len * 0.35f, ny + len * (0.7f - k * 0.03f), 1.3f,
                               Mix(shade, leaf, 0.4f + 0.06f * k));
                    x = nx, y = ny;
                }
            }
            break;
        }
        case Tree::Fern:
            for (int f = 0; f < 7; ++f) {
                const float a = -kPi + 0.2f + f * (kPi - 0.4f) / 6;
                const float ex = w * 0.5f + std::cos(a) * w * 0.45f, ey = h * 0.95f + std::sin(a) * h * 0.8f;
                c.Line(w * 0.5f, h * 0.95f, ex, ey, 1.5f, shade);
                for (int k = 1; k < 9; ++k) {
                    const float t = k / 9.0f, px = w * 0.5f + (ex - w * 0.5f) * t,
                                py = h * 0.95f + (ey - h * 0.95f) * t;
                    c.Line(px, py, px + (1 - t) * 6 * std::cos(a + 1.2f), py + (1 - t) * 6 * std::sin(a + 1.2f), 1.4f,
                           leaf);
                    c.Line(px, py, px + (1 - t) * 6 * std::cos(a - 1.2f), py + (1 - t) * 6 * std::sin(a - 1.2f), 1.4f,
                           Mix(leaf, shade, 0.3f));
                }
            }
            break;
        default: {
            const bool birch = kind == Tree::Birch, bush = kind == Tree::Bush;
            if (!bush) {
                const Colour trunk = birch ? Rgb(0xE8E2D6) : Rgb(0x5A3E28);
                c.Line(w * 0.5f, h, w * 0.5f, h * 0.45f, w * 0.08f, trunk);
                c.Line(w * 0.5f, h * 0.65f, w * 0.3f, h * 0.45f, w * 0.03f, trunk);
                c.Line(w * 0.5f, h * 0.6f, w * 0.7f, h * 0.42f, w * 0.03f, trunk);
            }
            const float cy = bush ? h * 0.62f : h * 0.38f, rad = bush ? w * 0.24f : w * 0.2f;
            for (int k = 0; k < (bush ? 5 : 6); ++k)
                clump(w * 0.5f + r.Range(-0.2f, 0.2f) * w, cy + r.Range(-0.14f, 0.12f) * h, rad, 60);
            break;
        }
    }
}

void Clouds(Canvas& c, Colour tint, float cover, Seed s) {
    c.Paint([&](int, int, float u, float v) {
        const float n = Fbm(u, v, 3, 5, s);
        const float a = SmoothStep(1.0f - cover, 1.0f - cover + 0.25f, n);
        return WithAlpha(Mix(Shade(tint, 0.75f), tint, SmoothStep(0.4f, 0.8f, n)), a);
    });
}

void Horizon(Canvas& c, int style, Colour near, Colour far, Colour accent, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Fill(WithAlpha(far, 0));
    Rng r(s);
    for (int layer = 0; layer < 2; ++layer) {
        const Colour col = layer == 0 ? far : near;
        for (int x = 0; x < w; ++x) {
            const float u = (x + 0.5f) / w;
            float top;
            if (style == 0) {
                const float ridge = 1 - std::fabs(2 * Fbm(u, 0.3f * layer, 3, 5, s + layer) - 1);
                top = h * (0.15f + 0.3f * layer + 0.45f * (1 - ridge));
            } else if (style == 1 || style == 3) {
                top = h * (0.45f + 0.2f * layer - 0.25f * Fbm(u, 0.5f, 2, 3, s + layer) +
                           (style == 1 ? 0.06f * Noise(u, 0.2f, 64, s + 9) : 0.0f));
            } else {
                const int block = static_cast<int>(u * (16 + 8 * layer));
                const float height = (art::Rng(s + block * 7919u + layer).Range(0.2f, 0.75f));
                top = h * (1 - height * (layer ? 0.7f : 1.0f));
            }
            for (int y = static_cast<int>(top); y < h; ++y) {
                Colour px = Shade(col, 0.85f + 0.2f * (y - top) / h);
                if (style == 0 && layer == 0 && y < top + h * 0.08f) px = Mix(px, Rgb(0xF4F8FF), 0.85f);
                c.At(x, y) = px;
            }
        }
        if (style == 2)
            for (int i = 0; i < w * h / 14; ++i) {
                const int x = r.Int(0, w - 1), y = r.Int(0, h - 1);
                if (c.At(x, y).a > 0.5f && r.Chance(0.5f)) c.At(x, y) = accent;
            }
    }
}

void Flowers(Canvas& c, Colour ground, Colour a, Colour b, Seed s) {
    Grass(c, ground, false, s);
    Rng r(s + 8);
    const int w = c.Width(), h = c.Height();
    for (int i = 0; i < w * h / 30; ++i) {
        const float x = r.Range(0, w), y = r.Range(0, h);
        const Colour col = r.Chance(0.5f) ? a : b;
        c.Disc(x, y, r.Range(0.9f, 1.8f), Shade(col, r.Range(0.85f, 1.15f)));
    }
}

Canvas SkyCube(int size, const Sky& sky, Seed s) {
    Canvas c(size, size * 6);
    const float sx = std::cos(sky.sunHeading) * std::cos(sky.sunHeight * kPi / 2),
                sy = std::sin(sky.sunHeight * kPi / 2),
                sz = std::sin(sky.sunHeading) * std::cos(sky.sunHeight * kPi / 2);
    for (int f = 0; f < 6; ++f)
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const float a = 2 * (x + 0.5f) / size - 1, b = 2 * (y + 0.5f) / size - 1;
                float d[3];
                switch (f) {
                    case 0: d[0] = 1, d[1] = -b, d[2] = -a; break;
                    case 1: d[0] = -1, d[1] = -b, d[2] = a; break;
                    case 2: d[0] = a, d[1] = 1, d[2] = b; break;
                    case 3: d[0] = a, d[1] = -1, d[2] = -b; break;
                    case 4: d[0] = a, d[1] = -b, d[2] = 1; break;
                    default: d[0] = -a, d[1] = -b, d[2] = -1; break;
                }
                const float len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
                const float e = d[1] / len;
                Colour col;
                if (e >= 0) {
                    col = Mix(sky.horizon, sky.zenith, std::pow(e, 0.55f));
                    // Clouds on a plane above the viewer, thinning toward the horizon.
                    const float px = d[0] / (d[1] + 0.25f * len), pz = d[2] / (d[1] + 0.25f * len);
                    const float n = Fbm(px * 0.35f + 0.5f, pz * 0.35f + 0.5f, 4, 5, s);
                    const float cloud =
                        SmoothStep(1 - sky.cloudCover, 1.15f - sky.cloudCover, n) * SmoothStep(0.0f, 0.25f, e);
                    col = Mix(col, Mix(Shade(sky.cloud, 0.8f), sky.cloud, n), cloud * 0.9f);
                } else {
                    col = Mix(sky.horizon, sky.ground, SmoothStep(0.0f, 0.2f, -e));
                }
                const float sun = (d[0] * sx + d[1] * sy + d[2] * sz) / len;
                col = Mix(col, sky.sun, 0.6f * std::pow(Clamp01(sun), 24.0f) + (sun > 0.997f ? 0.4f : 0.0f));
                c.At(x, f * size + y) = WithAlpha(col, 1);
            }
    return c;
}

Canvas LightRamp(Colour shadow, Colour lit) {
    Canvas c(256, 1);
    for (int i = 0; i < 256; ++i) {
        const float t = i / 255.0f;
        const Colour tint = Mix(shadow, lit, t);
        const float lum = 0.3f * tint.r + 0.59f * tint.g + 0.11f * tint.b;
        c.At(i, 0) = WithAlpha(Shade(tint, lum > 0 ? t / lum : 0), 1);
    }
    return c;
}

}  // namespace contentgen::paint
