// CourseSky.cpp -- sky colours, cube strip, dome panorama and lighting ramp pictures.
#include "course/CourseSky.h"

#include <algorithm>
#include <vector>

#include "kit/ContentPng.h"

namespace contentgen {

namespace {

float Smooth(float a, float b, float x) {
    const float t = std::min(1.0f, std::max(0.0f, (x - a) / (b - a)));
    return t * t * (3 - 2 * t);
}

void Put(std::vector<std::uint8_t>& px, std::size_t i, Rgb c) {
    auto byte = [](float v) { return static_cast<std::uint8_t>(std::min(1.0f, std::max(0.0f, v)) * 255.0f + 0.5f); };
    px[i * 4] = byte(c.r);
    px[i * 4 + 1] = byte(c.g);
    px[i * 4 + 2] = byte(c.b);
    px[i * 4 + 3] = 255;
}

// Cloud density and lighting over a plane above the viewer.
Rgb Clouds(const SkyStyle& sky, V3 d, Rgb behind) {
    if (sky.cloudCover <= 0 || d.y <= 0.005f) return behind;
    const float k = sky.cloudScale / (d.y + 0.12f);
    const float x = d.x * k, z = d.z * k;
    const float n = FractalNoise(x, z, 5, sky.seed);
    const float edge = 1.0f - sky.cloudCover;
    float density = Smooth(edge - 0.06f, edge + 0.16f, n);
    density *= Smooth(0.0f, 0.18f, d.y);  // thin out toward the horizon
    if (density <= 0) return behind;
    // Sunward edges brighter: compare with the density a little toward the sun.
    const V3 s = Normalise(V3{sky.sun.x, 0, sky.sun.z});
    const float toward = FractalNoise(x + s.x * 0.25f, z + s.z * 0.25f, 4, sky.seed);
    const float lit = std::min(1.0f, std::max(0.0f, 0.55f + (n - toward) * 4.0f));
    const Rgb c = Mix(sky.cloudShade, sky.cloudLit, lit);
    return Mix(behind, c, density * 0.95f);
}

}  // namespace

Rgb SkyColour(const SkyStyle& sky, V3 d) {
    d = Normalise(d);
    Rgb c;
    if (d.y >= 0)
        c = Mix(sky.horizon, sky.zenith, std::pow(d.y, sky.gradientPower));
    else
        c = Mix(sky.horizon, sky.below, Smooth(0.0f, 0.2f, -d.y));
    if (sky.glowBand > 0) {
        const V3 s = Normalise(V3{sky.sun.x, 0, sky.sun.z});
        const float facing = 0.5f + 0.5f * Dot(Normalise(V3{d.x, 0, d.z}), s);
        const float band = std::exp(-std::fabs(d.y) * 9.0f) * sky.glowBand * (0.35f + 0.65f * facing);
        c = Mix(c, sky.glow, std::min(1.0f, band));
    }
    if (sky.stars > 0 && d.y > 0.12f) {
        const float k = 90.0f;
        const float gx = std::floor(d.x / (d.y + 0.3f) * k), gz = std::floor(d.z / (d.y + 0.3f) * k);
        const float h = ValueNoise(gx + 0.5f, gz + 0.5f, sky.seed + 77u);
        if (h > 1.0f - 0.015f * sky.stars) c = Mix(c, Rgb{1, 1, 0.95f}, Smooth(0.12f, 0.3f, d.y));
    }
    c = Clouds(sky, d, c);
    const float cosSun = Dot(d, Normalise(sky.sun));
    if (cosSun > 0) {
        const float halo = std::pow(cosSun, 12.0f) * sky.sunGlow;
        c = Mix(c, sky.sunColour, std::min(1.0f, halo));
        if (cosSun > std::cos(sky.sunDisc)) c = Mix(sky.sunColour, Rgb{1, 1, 1}, 0.5f);
    }
    return c;
}

zfmt::Bytes Picture::Png() const { return EncodePng(width, height, rgba); }

zfmt::Bytes SkyCubePng(const SkyStyle& sky, int size) { return SkyCube(sky, size).Png(); }

Picture SkyCube(const SkyStyle& sky, int size) {
    std::vector<std::uint8_t> px(static_cast<std::size_t>(size) * size * 6 * 4);
    for (int f = 0; f < 6; ++f)
        for (int j = 0; j < size; ++j)
            for (int i = 0; i < size; ++i) {
                const float sc = 2.0f * (static_cast<float>(i) + 0.5f) / static_cast<float>(size) - 1.0f;
                const float tc = 2.0f * (static_cast<float>(j) + 0.5f) / static_cast<float>(size) - 1.0f;
                // The device's face order (+x, -x, +y, -y, +z, -z) and its in-face axes give the
                // lookup vector c; the shaders look world direction d up as c = (-d.z, d.y, -d.x).
                V3 c;
                switch (f) {
                    case 0: c = {1, -tc, -sc}; break;
                    case 1: c = {-1, -tc, sc}; break;
                    case 2: c = {sc, 1, tc}; break;
                    case 3: c = {sc, -1, -tc}; break;
                    case 4: c = {sc, -tc, 1}; break;
                    default: c = {-sc, -tc, -1}; break;
                }
                const V3 d{-c.z, c.y, -c.x};
                Put(px, (static_cast<std::size_t>(f) * size + j) * size + i, SkyColour(sky, d));
            }
    return Picture{size, size * 6, std::move(px)};
}

V3 PanoramaDirection(float u, float v) {
    const float elevation = kPi / 2 + (kPanoramaLowest - kPi / 2) * v;
    const float azimuth = 2 * kPi * u;
    return {std::cos(elevation) * std::cos(azimuth), std::sin(elevation), std::cos(elevation) * std::sin(azimuth)};
}

Picture SkyPanorama(const SkyStyle& sky, int width, int height) {
    std::vector<std::uint8_t> px(static_cast<std::size_t>(width) * height * 4);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) {
            const V3 d = PanoramaDirection((static_cast<float>(i) + 0.5f) / static_cast<float>(width),
                                           (static_cast<float>(j) + 0.5f) / static_cast<float>(height));
            Put(px, static_cast<std::size_t>(j) * width + i, SkyColour(sky, d));
        }
    return Picture{width, height, std::move(px)};
}

float GouraudRampLevel(float floor, int bands, float full, float d) {
    d = std::min(1.0f, std::max(0.0f, d / std::max(0.05f, full)));
    bands = std::max(1, bands);
    // Soft steps: each band rises over the last fifth of its width.
    const float x = d * static_cast<float>(bands);
    const float whole = std::floor(x);
    const float part = Smooth(0.8f, 1.0f, x - whole);
    const float level = std::min(static_cast<float>(bands), whole + part) / static_cast<float>(bands);
    return floor + (1.0f - floor) * level;
}

Picture GouraudRamp(float floor, int bands, float full) {
    std::vector<std::uint8_t> px(256 * 4);
    for (int x = 0; x < 256; ++x) {
        const float v = GouraudRampLevel(floor, bands, full, static_cast<float>(x) / 255.0f);
        Put(px, static_cast<std::size_t>(x), Rgb{v, v, v});
    }
    return Picture{256, 1, std::move(px)};
}

}  // namespace contentgen
