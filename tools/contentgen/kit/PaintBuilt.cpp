// PaintBuilt.cpp -- painters of built things: walls, floors, barriers, stands, buildings, signs, lights.
#include <algorithm>
#include <cmath>

#include "kit/TexturePaint.h"

namespace contentgen::paint {

using namespace art;

namespace {

constexpr float kPi = 3.14159265f;

float Grain(int x, int y, Seed s) {
    std::uint32_t h = s ^ (static_cast<std::uint32_t>(x) * 0x9E3779B1u) ^ (static_cast<std::uint32_t>(y) * 0x85EBCA77u);
    h = (h ^ (h >> 15)) * 0x2C1B3C6Du;
    h ^= h >> 12;
    return (h & 0xFFFF) / 65535.0f;
}

float CellRandom(int i, int j, Seed s) {
    return (Rng(s ^ (i * 73856093u) ^ (j * 19349663u)).Next() >> 8) / 16777216.0f;
}

}  // namespace

void Concrete(Canvas& c, Colour base, int style, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Paint([&](int x, int y, float u, float v) {
        float k = 0.82f + 0.22f * Fbm(u, v, 4, 4, s) + 0.08f * (Grain(x, y, s) - 0.5f);
        if (Grain(x, y, s + 1) > 0.985f) k *= 0.7f;  // pores
        if (style == 3) k -= 0.25f * SmoothStep(0.55f, 0.8f, Fbm(u * 0.5f, v * 0.2f, 4, 3, s + 2)) * v;
        Colour col = Shade(base, k);
        if (style == 1 && (x % (w / 2) < 1 || y % (h / 2) < 1)) col = Shade(col, 0.6f);
        if (style == 1 &&
            ((x % (w / 2) - w / 4) * (x % (w / 2) - w / 4) + (y % (h / 2) - h / 8) * (y % (h / 2) - h / 8)) < 4)
            col = Shade(col, 0.55f);  // tie holes
        if (style == 2) {
            const int row = y / (h / 4), off = row % 2 ? w / 4 : 0;
            if (y % (h / 4) < 1 || (x + off) % (w / 2) < 1) col = Shade(col, 0.65f);
        }
        return col;
    });
}

void Tiles(Canvas& c, Colour a, Colour b, Colour grout, int across, int style, Seed s) {
    const int w = c.Width();
    const float cell = static_cast<float>(w) / across;
    c.Paint([&](int x, int y, float u, float v) {
        if (style == 2) {
            std::uint32_t id = 0;
            const float d = CellDistance(u, v, across, s, &id);
            std::uint32_t id2 = 0;
            CellDistance(u + 0.02f, v + 0.013f, across, s, &id2);
            if (id != id2 || d > 0.9f) return grout;
            static const std::uint32_t kBright[6] = {0xE8B22E, 0x2E7FD1, 0xD9472B, 0x3FA34D, 0xF2F2F2, 0x8E3FA3};
            return Shade(Mix(Rgb(kBright[id % 6]), a, 0.15f), 0.85f + 0.25f * (1 - d));
        }
        if (style == 3) {
            const float q = u * across * 1.1547f, r = v * across - 0.5f * (static_cast<int>(std::floor(q)) % 2);
            const float fx = q - std::floor(q), fy = r - std::floor(r);
            const bool edge = fx < 0.08f || fy < 0.08f;
            return edge ? grout
                        : Shade((static_cast<int>(std::floor(q)) + static_cast<int>(std::floor(r))) % 2 ? a : b,
                                0.9f + 0.15f * Fbm(u, v, 4, 2, s));
        }
        const int i = static_cast<int>(x / cell), j = static_cast<int>(y / cell);
        const float fx = x - i * cell, fy = y - j * cell;
        if (fx < 1 || fy < 1) return grout;
        const Colour base = style == 1 ? (((i + j) & 1) ? a : b) : Mix(a, b, CellRandom(i, j, s));
        return Shade(base, 0.9f + 0.12f * Fbm(u, v, 8, 2, s) + 0.05f * (fx + fy) / (2 * cell));
    });
}

void Bricks(Canvas& c, Colour brick, Colour mortar, Seed s) {
    const int w = c.Width(), h = c.Height();
    const int bw = w / 4, bh = h / 8;
    c.Paint([&](int x, int y, float u, float v) {
        const int row = y / bh, off = row % 2 ? bw / 2 : 0, col = (x + off) / bw;
        if (y % bh < 2 || (x + off) % bw < 2) return Shade(mortar, 0.9f + 0.2f * Grain(x, y, s));
        const float tint = CellRandom(col, row, s);
        return Shade(Mix(brick, Shade(brick, 0.7f), tint), 0.85f + 0.25f * Fbm(u, v, 8, 3, s) + 0.05f * Grain(x, y, s));
    });
}

void Cobbles(Canvas& c, Colour base, Seed s) {
    c.Paint([&](int x, int y, float u, float v) {
        std::uint32_t id = 0;
        const float d = CellDistance(u, v, 8, s, &id);
        const float edge = SmoothStep(0.55f, 0.75f, d);
        const Colour stone = Shade(base, 0.75f + 0.35f * ((id >> 8 & 0xFF) / 255.0f) + 0.1f * (Grain(x, y, s) - 0.5f));
        return Mix(Shade(stone, 1.1f - 0.3f * d), Shade(base, 0.35f), edge);
    });
}

void Metal(Canvas& c, Colour base, int style, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Paint([&](int x, int y, float u, float v) {
        float k = 0.85f;
        switch (style) {
            case 0:  // brushed: fine streaks across, a soft sheen down the sheet
                k += 0.22f * Fbm(0.37f, v, 32, 3, s) + 0.06f * Fbm(u, v, 4, 2, s + 1) + 0.06f * Grain(x, y, s) +
                     0.12f * std::sin(v * kPi) - 0.1f;
                break;
            case 1: {
                const float du = std::fmod(u * 8 + (static_cast<int>(v * 8) % 2) * 0.5f, 1.0f),
                            dv = std::fmod(v * 8, 1.0f);
                const float bump = std::fabs((du - 0.5f) * 0.5f + (dv - 0.5f)) < 0.1f ? 1.0f : 0.0f;
                k += 0.25f * bump - 0.05f + 0.1f * Fbm(u, v, 4, 3, s);
                break;
            }
            case 2: k += 0.25f * std::sin(u * 12 * 2 * kPi) + 0.05f * Fbm(u, v, 4, 3, s); break;
            case 3: {
                const float rust = SmoothStep(0.45f, 0.7f, Fbm(u, v, 4, 5, s));
                return Mix(Shade(base, 0.8f + 0.2f * Fbm(u, v, 8, 2, s)),
                           Shade(Rgb(0x8A4A22), 0.7f + 0.5f * Fbm(u, v, 16, 2, s + 3)), rust);
            }
            default: {
                const bool seam = x % (w / 2) < 1 || y % (h / 2) < 1;
                const int rx = x % (w / 2), ry = y % (h / 2);
                const bool rivet = (rx == 4 || rx == w / 2 - 5) && (ry % 8 == 4);
                k += 0.1f * Fbm(u, v, 4, 3, s) - (seam ? 0.3f : 0.0f) + (rivet ? 0.3f : 0.0f) - 0.1f * v;
                break;
            }
        }
        return Shade(base, k);
    });
}

void Armco(Canvas& c, Colour steel, Seed s) {
    const int w = c.Width();
    c.Paint([&](int x, int, float u, float v) {
        const float wave = std::sin(v * 2 * kPi * 2);
        float k = 0.75f + 0.3f * wave + 0.08f * Fbm(u, v, 8, 2, s);
        if (x % (w / 2) < 3) k *= 0.6f;  // post
        Colour col = Shade(steel, k);
        if ((x % (w / 2) == w / 4 || x % (w / 2) == w / 4 + 1) && std::fabs(std::fmod(v * 2, 1.0f) - 0.5f) < 0.05f)
            col = Shade(steel, 0.4f);  // bolt
        if (Fbm(u, v, 8, 3, s + 4) > 0.7f) col = Mix(col, Rgb(0x7A4B2A), 0.3f);
        return col;
    });
}

void TyreWall(Canvas& c, Colour band, Seed s) {
    c.Fill(Rgb(0x1A1A1A));
    const int w = c.Width(), h = c.Height();
    const float r = w / 8.0f;
    Rng rng(s);
    for (int row = 0; row < static_cast<int>(h / (2 * r)) + 1; ++row)
        for (int col = 0; col < 4; ++col) {
            const float cx = r + col * 2 * r + (row % 2) * r, cy = r + row * 2 * r;
            c.Disc(cx, cy, r * 0.98f, Rgb(0x262626));
            c.Ring(cx, cy, r * 0.55f, r * 0.75f, Rgb(0x333333));
            c.Disc(cx, cy, r * 0.45f, Rgb(0x0C0C0C));
            if (row % 3 == 1) c.Ring(cx, cy, r * 0.78f, r * 0.95f, Shade(band, rng.Range(0.85f, 1.05f)));
        }
}

void StripedBarrier(Canvas& c, Colour a, Colour b, Seed s) {
    c.Paint([&](int x, int y, float u, float v) {
        const bool stripe = std::fmod(u + v * 0.5f, 0.5f) < 0.25f;
        const float k = 0.85f + 0.15f * Fbm(u, v, 4, 3, s) + 0.05f * Grain(x, y, s) - (v > 0.85f ? 0.2f : 0.0f);
        return Shade(stripe ? a : b, k);
    });
}

void Mesh(Canvas& c, Colour wire, int style, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Fill(WithAlpha(wire, 0));
    switch (style) {
        case 0:
            for (int k = -w; k < w * 2; k += w / 8) {
                c.Line(static_cast<float>(k), 0, static_cast<float>(k + h), static_cast<float>(h), 1.2f, wire);
                c.Line(static_cast<float>(k), static_cast<float>(h), static_cast<float>(k + h), 0, 1.2f, wire);
            }
            c.Rect(0, 0, 3, h, Shade(wire, 0.7f));
            break;
        case 1:
            c.Paint([&](int, int, float u, float v) {
                const float q = u * 8 * 1.1547f, r = v * 8 - 0.5f * (static_cast<int>(std::floor(q)) % 2);
                const float fx = q - std::floor(q), fy = r - std::floor(r);
                const bool edge = fx < 0.18f || fy < 0.18f;
                return WithAlpha(Shade(wire, 0.8f + 0.2f * fy), edge ? 1.0f : 0.0f);
            });
            break;
        case 2:
            c.Rect(0, h / 10, w, h / 10 + 3, wire);
            c.Rect(0, h * 9 / 10 - 3, w, h * 9 / 10, wire);
            for (int x = 2; x < w; x += w / 8) c.Rect(x, h / 10, x + 2, h * 9 / 10, Shade(wire, 0.85f));
            break;
        default:
            c.Rect(0, 0, w, 4, wire);
            c.Rect(0, h - 4, w, h, wire);
            for (int k = 0; k < 4; ++k) {
                const float x0 = k * w / 4.0f;
                c.Line(x0, 4, x0 + w / 4.0f, h - 4.0f, 3, Shade(wire, 0.85f));
                c.Line(x0 + w / 4.0f, 4, x0, h - 4.0f, 3, Shade(wire, 0.75f));
                c.Rect(static_cast<int>(x0), 0, static_cast<int>(x0) + 3, h, wire);
            }
            break;
    }
    (void)s;
}

void Seats(Canvas& c, Colour seat, Colour step, Seed s) {
    const int w = c.Width(), h = c.Height();
    const int rowH = h / 8, seatW = w / 8;
    c.Paint([&](int x, int y, float u, float v) {
        const int ry = y % rowH, sx = x % seatW;
        const float k = 0.9f + 0.1f * Fbm(u, v, 8, 2, s);
        if (ry < rowH / 3) return Shade(step, k);
        if (sx < 1 || sx >= seatW - 1) return Shade(step, 0.6f * k);
        return Shade(seat, k * (ry < rowH * 2 / 3 ? 1.0f : 0.8f));
    });
}

void Crowd(Canvas& c, Colour stand, Seed s) {
    Seats(c, Shade(stand, 0.6f), Shade(stand, 0.5f), s);
    static const std::uint32_t kShirts[8] = {0xD8D8D8, 0xC23B22, 0x2E5EAA, 0xE8C547,
                                             0x2E8B57, 0x1E1E1E, 0xF08A24, 0x8E44AD};
    static const std::uint32_t kSkin[4] = {0xF1C27D, 0xC68642, 0x8D5524, 0xE0AC69};
    Rng r(s);
    const int w = c.Width(), h = c.Height();
    for (int row = 0; row < 8; ++row)
        for (int x = 2; x < w; x += r.Int(3, 6)) {
            if (r.Chance(0.12f)) continue;
            const float y = row * (h / 8.0f) + h / 16.0f;
            c.Rect(x - 1, static_cast<int>(y), x + 2, static_cast<int>(y + h / 16.0f), Rgb(kShirts[r.Int(0, 7)]));
            c.Disc(x + 0.5f, y - 1, 1.4f, Rgb(kSkin[r.Int(0, 3)]));
            if (r.Chance(0.1f))
                c.Rect(x - 2, static_cast<int>(y - 4), x + 3, static_cast<int>(y - 2), Rgb(kShirts[r.Int(0, 7)]));
        }
}

void Facade(Canvas& c, Colour wall, Colour glass, Colour lit, float litShare, int style, Seed s) {
    const int w = c.Width(), h = c.Height();
    const int cols = style == 2 ? 6 : 4, rows = style == 2 ? 12 : 8;
    const float cw = static_cast<float>(w) / cols, ch = static_cast<float>(h) / rows;
    c.Paint([&](int x, int y, float u, float v) {
        const int i = static_cast<int>(x / cw), j = static_cast<int>(y / ch);
        const float fx = (x - i * cw) / cw, fy = (y - j * ch) / ch;
        const float n = Fbm(u, v, 4, 3, s);
        if (style == 2) {
            const bool mullion = fx < 0.06f || fy < 0.05f;
            if (mullion) return Shade(wall, 0.8f);
            Colour g =
                Mix(glass, Rgb(0xFFFFFF), 0.25f * SmoothStep(0.3f, 0.9f, 1 - std::fabs(u - v * 0.6f - 0.2f) * 3));
            if (CellRandom(i, j, s) < litShare) g = Mix(g, lit, 0.7f);
            return Shade(g, 0.9f + 0.15f * n);
        }
        const float wx0 = style == 3 ? 0.2f : 0.15f, wy0 = style == 1 ? 0.3f : 0.2f;
        const bool window = fx > wx0 && fx < 1 - wx0 && fy > wy0 && fy < 0.85f;
        Colour col = Shade(wall, 0.85f + 0.2f * n);
        if (style == 3 && (fx < 0.03f || fy < 0.03f)) col = Shade(col, 0.7f);
        if (window) {
            const float on = CellRandom(i, j, s);
            col = on < litShare ? Shade(lit, 0.85f + 0.3f * fy) : Shade(glass, 0.7f + 0.3f * (1 - fy));
            if (std::fabs(fx - 0.5f) < 0.03f) col = Shade(wall, 0.6f);
        }
        if (style == 1 && fy > 0.85f && fy < 0.95f) col = Shade(wall, 0.6f);  // balcony slab
        if (style == 1 && fy > 0.6f && fy < 0.85f && !window) col = Shade(wall, 0.75f);
        return col;
    });
}

void Neon(Canvas& c, Colour wall, Colour a, Colour b, Seed s) {
    Facade(c, wall, Shade(wall, 0.7f), Shade(a, 0.5f), 0.15f, 3, s);
    Rng r(s);
    const int w = c.Width(), h = c.Height();
    for (int k = 0; k < 5; ++k) {
        const Colour col = k % 2 ? a : b;
        const float x = r.Range(0.1f, 0.7f) * w, y = r.Range(0.1f, 0.8f) * h;
        const float sw = r.Range(0.15f, 0.3f) * w, sh = r.Range(0.08f, 0.2f) * h;
        for (int glow = 3; glow >= 1; --glow) {
            const Colour halo = WithAlpha(col, 0.18f);
            c.Rect(static_cast<int>(x - glow * 2), static_cast<int>(y - glow * 2), static_cast<int>(x + sw + glow * 2),
                   static_cast<int>(y + sh + glow * 2), halo);
        }
        c.Frame(static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + sw), static_cast<int>(y + sh), 2,
                Mix(col, Rgb(0xFFFFFF), 0.4f));
        if (r.Chance(0.5f))
            c.Disc(x + sw / 2, y + sh / 2, sh * 0.3f, Mix(col, Rgb(0xFFFFFF), 0.2f));
        else
            c.Line(x + 3, y + sh / 2, x + sw - 3, y + sh / 2, 2, Mix(col, Rgb(0xFFFFFF), 0.2f));
    }
}

void RoofTiles(Canvas& c, Colour base, Seed s) {
    const int w = c.Width(), h = c.Height();
    const int tw = w / 8, th = h / 8;
    c.Paint([&](int x, int y, float u, float v) {
        const int row = y / th, off = row % 2 ? tw / 2 : 0;
        const float fx = static_cast<float>((x + off) % tw) / tw, fy = static_cast<float>(y % th) / th;
        const float arch = std::sin(fx * kPi);
        float k = 0.6f + 0.45f * arch * (1 - 0.4f * fy) + 0.1f * Fbm(u, v, 4, 3, s);
        if (fy > 0.9f) k *= 0.6f;
        return Shade(Mix(base, Shade(base, 0.75f), CellRandom((x + off) / tw, row, s) * 0.6f), k);
    });
}

void SailTiles(Canvas& c, Colour base, Seed s) {
    c.Paint([&](int x, int y, float u, float v) {
        const float a = std::fmod(u * 8 + std::fabs(std::fmod(v * 8, 2.0f) - 1.0f), 1.0f);
        const float b = std::fmod(v * 16, 1.0f);
        float k = 0.92f + 0.08f * Fbm(u, v, 8, 2, s) + 0.03f * Grain(x, y, s);
        if (a < 0.05f || b < 0.06f) k *= 0.8f;
        const bool matte = ((static_cast<int>(u * 8) + static_cast<int>(v * 16)) % 3) == 0;
        return Shade(matte ? Mix(base, Rgb(0xE6DCC8), 0.6f) : base, k);
    });
}

void Billboard(Canvas& c, Colour bg, Colour fg, Colour accent, int design, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Paint(
        [&](int, int, float u, float v) { return Mix(bg, Shade(bg, 0.75f), v * 0.6f + 0.1f * Fbm(u, v, 4, 2, s)); });
    const float cx = w * 0.3f, cy = h * 0.5f, r = h * 0.3f;
    switch (design % 4) {
        case 0:
            c.Disc(cx, cy, r, fg);
            c.Disc(cx + r * 0.3f, cy - r * 0.2f, r * 0.55f, bg);
            break;
        case 1:
            for (int k = 0; k < 3; ++k)
                c.Line(cx - r + k * r * 0.6f, cy + r, cx + k * r * 0.6f, cy - r, r * 0.3f, k == 1 ? accent : fg);
            break;
        case 2:
            for (int k = 0; k < 5; ++k) {
                const float a0 = k * 2 * kPi / 5 - kPi / 2, a1 = a0 + 4 * kPi / 5;
                c.Triangle(cx, cy, cx + r * std::cos(a0), cy + r * std::sin(a0), cx + r * std::cos(a1),
                           cy + r * std::sin(a1), fg);
            }
            break;
        default:
            c.Rect(static_cast<int>(cx - r), static_cast<int>(cy - r), static_cast<int>(cx + r),
                   static_cast<int>(cy + r), fg);
            c.Rect(static_cast<int>(cx - r * 0.5f), static_cast<int>(cy - r * 0.5f), static_cast<int>(cx + r * 0.5f),
                   static_cast<int>(cy + r * 0.5f), accent);
            break;
    }
    // A "word" of bold blocks and an underline.
    Rng rng(s);
    float x = w * 0.55f;
    while (x < w * 0.92f) {
        const float bw = rng.Range(0.03f, 0.07f) * w;
        c.Rect(static_cast<int>(x), static_cast<int>(h * 0.35f), static_cast<int>(x + bw), static_cast<int>(h * 0.6f),
               fg);
        x += bw + w * 0.015f;
    }
    c.Rect(static_cast<int>(w * 0.55f), static_cast<int>(h * 0.68f), static_cast<int>(w * 0.92f),
           static_cast<int>(h * 0.74f), accent);
    c.Frame(0, 0, w, h, 3, Shade(bg, 0.4f));
}

void Checker(Canvas& c, Colour a, Colour b, int across) {
    const int w = c.Width(), h = c.Height();
    c.Paint([&](int x, int y, float, float) { return ((x * across / w) + (y * across / h)) % 2 ? a : b; });
}

void Chevrons(Canvas& c, Colour bg, Colour fg, int count) {
    const int w = c.Width(), h = c.Height();
    c.Fill(bg);
    const float step = static_cast<float>(w) / count;
    for (int k = 0; k < count; ++k) {
        const float x = k * step + step * 0.2f;
        c.Line(x, h * 0.15f, x + step * 0.5f, h * 0.5f, step * 0.28f, fg);
        c.Line(x + step * 0.5f, h * 0.5f, x, h * 0.85f, step * 0.28f, fg);
    }
    c.Frame(0, 0, w, h, 2, fg);
}

void Banner(Canvas& c, Colour a, Colour b, Colour d, Seed s) {
    c.Paint([&](int, int, float u, float v) {
        const Colour col = v < 0.33f ? a : (v < 0.66f ? b : d);
        const float fold = 0.85f + 0.15f * std::sin((u * 3 + 0.3f * Noise(u, v, 2, s)) * 2 * kPi);
        return Shade(col, fold);
    });
}

void Glow(Canvas& c, Colour colour, float falloff) {
    c.Paint([&](int, int, float u, float v) {
        const float d = std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f)) * 2;
        const float a = std::pow(Clamp01(1 - d), falloff);
        return WithAlpha(Mix(colour, Rgb(0xFFFFFF), a * a), a);
    });
}

void LightPanel(Canvas& c, Colour bulb, Colour housing, int columns, int rows, float litShare, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Fill(housing);
    Rng r(s);
    const float cw = static_cast<float>(w) / columns, ch = static_cast<float>(h) / rows;
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i) {
            const float cx = (i + 0.5f) * cw, cy = (j + 0.5f) * ch, rad = std::min(cw, ch) * 0.38f;
            const bool on = r.Unit() < litShare;
            c.Disc(cx, cy, rad * 1.1f, Shade(housing, 0.5f));
            c.Disc(cx, cy, rad, on ? bulb : Shade(bulb, 0.25f));
            if (on) c.Disc(cx - rad * 0.3f, cy - rad * 0.3f, rad * 0.3f, Mix(bulb, Rgb(0xFFFFFF), 0.7f));
        }
}

void Glass(Canvas& c, Colour tint, Seed s) {
    c.Paint([&](int, int, float u, float v) {
        const float streak = SmoothStep(0.1f, 0.0f, std::fabs(u - v * 0.5f - 0.2f)) +
                             0.6f * SmoothStep(0.04f, 0.0f, std::fabs(u - v * 0.5f - 0.45f));
        return WithAlpha(Mix(tint, Rgb(0xFFFFFF), 0.6f * streak), 0.35f + 0.4f * streak + 0.05f * Fbm(u, v, 4, 2, s));
    });
}

void Hazard(Canvas& c, Colour a, Colour b, int stripes) {
    c.Paint([&](int, int, float u, float v) { return std::fmod((u + v) * stripes, 1.0f) < 0.5f ? a : b; });
}

void Pegboard(Canvas& c, Colour board, Colour tools, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Paint([&](int x, int y, float u, float v) {
        if (x % 8 == 4 && y % 8 == 4) return Shade(board, 0.4f);
        return Shade(board, 0.9f + 0.1f * Fbm(u, v, 4, 2, s));
    });
    Rng r(s);
    for (int k = 0; k < 7; ++k) {
        const float x = r.Range(0.1f, 0.9f) * w, y = r.Range(0.15f, 0.5f) * h, len = r.Range(0.2f, 0.4f) * h;
        const Colour t = Shade(tools, r.Range(0.7f, 1.2f));
        c.Line(x, y, x, y + len, r.Range(2, 4), t);
        if (r.Chance(0.5f))
            c.Ring(x, y, 3, 5, t);
        else
            c.Rect(static_cast<int>(x - 4), static_cast<int>(y + len), static_cast<int>(x + 4),
                   static_cast<int>(y + len + 5), t);
    }
}

void AcousticFoam(Canvas& c, Colour base) {
    c.Paint([&](int, int, float u, float v) {
        const float fx = std::fmod(u * 8, 1.0f), fy = std::fmod(v * 8, 1.0f);
        const bool flip = (static_cast<int>(u * 8) + static_cast<int>(v * 8)) % 2;
        const float slope = flip ? fx - 0.5f : fy - 0.5f;
        return Shade(base, 0.8f + 0.35f * slope + 0.1f * (1 - std::fabs(fx - 0.5f) - std::fabs(fy - 0.5f)));
    });
}

void RollerDoor(Canvas& c, Colour base, Seed s) {
    c.Paint([&](int x, int y, float u, float v) {
        const float slat = std::fmod(v * 16, 1.0f);
        float k = 0.75f + 0.3f * std::sin(slat * kPi) + 0.06f * Fbm(u, v, 8, 2, s);
        if (slat < 0.08f) k *= 0.6f;
        if (v > 0.92f) k *= 0.7f;
        (void)x, (void)y;
        return Shade(base, k);
    });
}

void Screen(Canvas& c, Colour bg, Colour line, Colour accent, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Paint([&](int x, int y, float, float) { return (x % 16 == 0 || y % 16 == 0) ? Mix(bg, line, 0.2f) : bg; });
    Rng r(s);
    float py = h * 0.6f;
    for (int x = 0; x < w; x += 2) {
        const float ny = Clamp01(py / h + r.Range(-0.06f, 0.06f)) * h;
        c.Line(static_cast<float>(x), py, x + 2.0f, ny, 1.5f, line);
        py = ny;
    }
    for (int k = 0; k < 6; ++k) {
        const int bh = r.Int(h / 10, h / 3);
        c.Rect(w / 16 + k * w / 8, h - bh, w / 16 + k * w / 8 + w / 16, h, WithAlpha(accent, 0.8f));
    }
    c.Frame(0, 0, w, h, 2, Shade(line, 0.5f));
}

void Turntable(Canvas& c, Colour base, Colour ring) {
    const int w = c.Width();
    c.Paint([&](int, int, float u, float v) {
        const float dx = u - 0.5f, dy = v - 0.5f, d = std::sqrt(dx * dx + dy * dy) * 2;
        const float ang = std::atan2(dy, dx);
        if (d > 1) return Shade(base, 0.5f);
        float k = 0.8f + 0.15f * std::sin(ang * 24) * (d > 0.2f ? 1.0f : 0.0f);
        Colour col = Shade(base, k);
        if (std::fabs(d - 0.95f) < 0.03f || std::fabs(d - 0.2f) < 0.02f) col = ring;
        return col;
    });
    (void)w;
}

void Poster(Canvas& c, Colour bg, Colour a, Colour b, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Paint([&](int, int, float, float v) { return Mix(bg, Shade(bg, 0.6f), v); });
    Rng r(s);
    for (int k = 0; k < 4; ++k) {
        const float x0 = r.Range(0, 0.6f) * w, y0 = r.Range(0.1f, 0.7f) * h;
        c.Line(x0, y0, x0 + r.Range(0.3f, 0.6f) * w, y0 + r.Range(-0.2f, 0.2f) * h, r.Range(3, 8), k % 2 ? a : b);
    }
    c.Disc(w * r.Range(0.3f, 0.7f), h * 0.3f, w * 0.15f, a);
    c.Rect(w / 10, h * 8 / 10, w * 9 / 10, h * 8 / 10 + 4, b);
    c.Frame(0, 0, w, h, 2, Rgb(0xF0F0F0));
}

void Hologram(Canvas& c, Colour tint, Seed s) {
    c.Paint([&](int, int y, float u, float v) {
        const float scan = (y % 3 == 0) ? 0.5f : 1.0f;
        const float shape = SmoothStep(0.42f, 0.38f, std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f))) *
                            (0.6f + 0.4f * Fbm(u, v, 4, 3, s));
        const float ring =
            SmoothStep(0.02f, 0.0f, std::fabs(std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f)) - 0.45f));
        return WithAlpha(Mix(tint, Rgb(0xFFFFFF), ring * 0.5f), Clamp01((shape * 0.5f + ring) * scan));
    });
}

void CircuitBoard(Canvas& c, Colour board, Colour trace, Seed s) {
    const int w = c.Width(), h = c.Height();
    c.Paint([&](int, int, float u, float v) { return Shade(board, 0.85f + 0.15f * Fbm(u, v, 4, 2, s)); });
    Rng r(s);
    for (int k = 0; k < 24; ++k) {
        float x = static_cast<float>(r.Int(0, 15) * w / 16), y = static_cast<float>(r.Int(0, 15) * h / 16);
        for (int seg = 0; seg < 4; ++seg) {
            const int dir = r.Int(0, 3);
            const float len = r.Int(1, 4) * w / 16.0f;
            const float nx = x + (dir == 0 ? len : dir == 1 ? -len : dir == 2 ? len * 0.7f : 0);
            const float ny = y + (dir == 3 ? len : dir == 2 ? len * 0.7f : 0);
            c.Line(x, y, nx, ny, 1.5f, trace);
            x = nx, y = ny;
        }
        c.Disc(x, y, 2.2f, Mix(trace, Rgb(0xFFFFFF), 0.4f));
    }
}

void Fabric(Canvas& c, Colour a, Colour b, int stripes, Seed s) {
    c.Paint([&](int x, int y, float u, float v) {
        const Colour col = static_cast<int>(u * stripes) % 2 ? a : b;
        const float weave = ((x + y) % 2) ? 0.95f : 1.05f;
        return Shade(col, weave * (0.85f + 0.15f * Fbm(u, v, 4, 3, s)) * (0.85f + 0.15f * std::cos(v * 2 * kPi)));
    });
}

void Lantern(Canvas& c, Colour paper, Colour frame) {
    c.Paint([&](int, int, float u, float v) {
        const float bulge = 1 - std::pow(2 * v - 1, 2.0f);
        const float dx = std::fabs(u - 0.5f) * 2;
        if (dx > 0.2f + 0.75f * bulge || v < 0.08f || v > 0.92f)
            return WithAlpha(frame, v < 0.08f || v > 0.92f ? (dx < 0.3f ? 1.0f : 0.0f) : 0.0f);
        const bool rib = std::fmod(v * 10, 1.0f) < 0.08f;
        return rib ? Shade(paper, 0.6f) : Mix(paper, Rgb(0xFFF2C0), (1 - dx) * 0.6f);
    });
}

}  // namespace contentgen::paint
