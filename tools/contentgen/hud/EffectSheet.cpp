// EffectSheet.cpp -- the particle sheet (sprite group 16): sparks, flashes, smoke puffs, glow, trail strips, debris.
#include "hud/EffectSheet.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace contentgen {

namespace {

constexpr float kPi = 3.14159265f;

// A small value-noise in 0..1, fixed by its seed.
float Hash(int x, int y, int seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

float Noise(float x, float y, int seed) {
    const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
    const float fx = x - static_cast<float>(xi), fy = y - static_cast<float>(yi);
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const float a = Hash(xi, yi, seed), b = Hash(xi + 1, yi, seed), c = Hash(xi, yi + 1, seed),
                d = Hash(xi + 1, yi + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

float Fbm(float x, float y, int seed) {
    return 0.55f * Noise(x, y, seed) + 0.3f * Noise(x * 2.1f, y * 2.1f, seed + 7) +
           0.15f * Noise(x * 4.3f, y * 4.3f, seed + 13);
}

struct Texel {
    float r, g, b, a;
};

// The picture of sprite `index` at (u, v) in 0..1 across its cell.
Texel Particle(int index, float u, float v) {
    const float dx = u - 0.5f, dy = v - 0.5f;
    const float r = std::sqrt(dx * dx + dy * dy) * 2.0f;  // 1 at the cell's inscribed circle
    const float ang = std::atan2(dy, dx);
    auto soft = [](float t, float p) { return std::pow(std::max(0.0f, 1.0f - t), p); };
    switch (index) {
        case 42: return {1, 1, 1, 1};  // solid white: the batches' base texture
        case 31: {                     // the start glow: a wide soft disc with a bright core
            const float a = std::min(1.0f, soft(r, 2.0f) + 0.8f * soft(r * 2.5f, 2.0f));
            return {1, 1, 1, a};
        }
        case 0: {  // wind streak and the plain trails: streaks along v, soft at the sides
            const float streak = 0.65f + 0.35f * Noise(u * 14.0f, v * 1.5f, 3);
            return {1, 1, 1, streak * std::pow(std::sin(u * kPi), 0.6f) * (0.7f + 0.3f * std::sin(v * kPi))};
        }
        case 5: {  // boost trail: a hot core band with a glow around it
            const float band = std::exp(-std::pow((u - 0.5f) / 0.16f, 2.0f));
            return {1, 1, 1, std::min(1.0f, 0.35f + 0.8f * band) * (0.8f + 0.2f * Noise(u * 6, v * 8, 5))};
        }
        case 11: {  // pale trail with pulses along it
            const float pulse = 0.6f + 0.4f * std::sin(v * kPi * 6.0f);
            return {1, 1, 1, std::pow(std::sin(u * kPi), 1.5f) * pulse};
        }
        case 4: {  // four-point star
            const float rays = std::pow(std::fabs(std::cos(ang * 2.0f)), 12.0f) * soft(r, 1.2f);
            return {1, 1, 1, std::min(1.0f, rays + soft(r * 3.0f, 2.0f))};
        }
        case 10: {  // six-point star
            const float rays = std::pow(std::fabs(std::cos(ang * 3.0f)), 16.0f) * soft(r, 1.0f);
            return {1, 1, 1, std::min(1.0f, rays + soft(r * 3.5f, 2.0f))};
        }
        case 6: return {1, 1, 1, soft(r, 2.5f)};  // round spark
        case 12: {                                // a ring flash
            const float ring = std::exp(-std::pow((r - 0.62f) / 0.12f, 2.0f));
            return {1, 1, 1, std::min(1.0f, ring + soft(r * 4.0f, 2.0f))};
        }
        case 32: return {1, 1, 1, std::min(1.0f, soft(r * 1.6f, 1.5f) * 1.4f)};  // hot core
        default: break;
    }
    if (index >= 16 && index <= 29) {  // smoke puffs: soft noisy clouds, each its own
        const float n = Fbm(u * 4.0f + static_cast<float>(index) * 3.1f, v * 4.0f, index);
        const float edge = soft(r + (n - 0.5f) * 0.45f, 1.4f);
        const float shade = 0.82f + 0.18f * n;
        return {shade, shade, shade, std::clamp(edge * (0.55f + 0.6f * n), 0.0f, 1.0f)};
    }
    if (index >= 33 && index <= 41) {  // debris shards: small angular pieces
        const int corners = 3 + index % 3;
        const float spin = static_cast<float>(index) * 0.7f;
        const float edgeR = 0.55f + 0.25f * std::cos((ang + spin) * static_cast<float>(corners));
        return {1, 1, 1, r < edgeR ? 1.0f : 0.0f};
    }
    return {1, 1, 1, soft(r, 1.8f)};  // other sheet cells: a soft dot
}

}  // namespace

std::vector<uint8_t> DrawEffectSheet(int width, int height, const std::vector<SpriteCell>& cells) {
    std::vector<uint8_t> px(static_cast<size_t>(width) * height * 4, 0);
    for (size_t i = 0; i < cells.size(); ++i) {
        const SpriteCell& c = cells[i];
        for (int y = c.y; y < c.y + c.h && y < height; ++y)
            for (int x = c.x; x < c.x + c.w && x < width; ++x) {
                const float u = (static_cast<float>(x - c.x) + 0.5f) / static_cast<float>(c.w);
                const float v = (static_cast<float>(y - c.y) + 0.5f) / static_cast<float>(c.h);
                const Texel t = Particle(static_cast<int>(i), u, v);
                uint8_t* p = &px[(static_cast<size_t>(y) * width + x) * 4];
                auto q = [](float f) { return static_cast<uint8_t>(std::clamp(f, 0.0f, 1.0f) * 255.0f + 0.5f); };
                p[0] = q(t.r);
                p[1] = q(t.g);
                p[2] = q(t.b);
                p[3] = q(t.a);
            }
    }
    return px;
}

}  // namespace contentgen
