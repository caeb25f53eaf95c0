// TextureArt.cpp -- colours, tileable noise and canvas drawing for generated textures.
#include "kit/TextureArt.h"

#include <algorithm>
#include <cmath>

#include "kit/ContentPng.h"

namespace contentgen::art {

Colour Rgb(std::uint32_t hex, float alpha) {
    return {((hex >> 16) & 0xFF) / 255.0f, ((hex >> 8) & 0xFF) / 255.0f, (hex & 0xFF) / 255.0f, alpha};
}

Colour Mix(const Colour& a, const Colour& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Colour Shade(const Colour& c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }
Colour WithAlpha(const Colour& c, float a) { return {c.r, c.g, c.b, a}; }
float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

float SmoothStep(float e0, float e1, float x) {
    const float t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

std::uint32_t Rng::Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}
float Rng::Unit() { return (Next() >> 8) * (1.0f / 16777216.0f); }
float Rng::Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }
int Rng::Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint32_t>(hi - lo + 1)); }

std::uint32_t Seed(const char* text, std::uint32_t salt) {
    std::uint32_t h = 2166136261u ^ (salt * 0x9E3779B1u);
    for (const char* p = text; *p; ++p) h = (h ^ static_cast<unsigned char>(*p)) * 16777619u;
    return h ? h : 1u;
}

namespace {

std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
    std::uint32_t h = seed ^ (x * 0x8DA6B343u) ^ (y * 0xD8163841u);
    h ^= h >> 13;
    h *= 0x85EBCA6Bu;
    h ^= h >> 16;
    return h;
}

float Lattice(int x, int y, int cells, std::uint32_t seed) {
    const int wx = ((x % cells) + cells) % cells, wy = ((y % cells) + cells) % cells;
    return (Hash(static_cast<std::uint32_t>(wx), static_cast<std::uint32_t>(wy), seed) >> 8) * (1.0f / 16777216.0f);
}

}  // namespace

float Noise(float u, float v, int cells, std::uint32_t seed) {
    const float x = u * cells, y = v * cells;
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    float fx = x - x0, fy = y - y0;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    const float a = Lattice(x0, y0, cells, seed), b = Lattice(x0 + 1, y0, cells, seed);
    const float c = Lattice(x0, y0 + 1, cells, seed), d = Lattice(x0 + 1, y0 + 1, cells, seed);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

float Fbm(float u, float v, int cells, int octaves, std::uint32_t seed) {
    float sum = 0, weight = 0.5f, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * Noise(u, v, cells << o, seed + 977u * o);
        total += weight;
        weight *= 0.5f;
    }
    return sum / total;
}

float CellDistance(float u, float v, int cells, std::uint32_t seed, std::uint32_t* cellId) {
    const float x = u * cells, y = v * cells;
    const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
    float best = 9.0f;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int gx = cx + dx, gy = cy + dy;
            const std::uint32_t wx = static_cast<std::uint32_t>(((gx % cells) + cells) % cells);
            const std::uint32_t wy = static_cast<std::uint32_t>(((gy % cells) + cells) % cells);
            const std::uint32_t h = Hash(wx, wy, seed);
            const float px = gx + ((h & 0xFFFF) / 65536.0f), py = gy + ((h >> 16) / 65536.0f);
            const float d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
            if (d < best) {
                best = d;
                if (cellId) *cellId = h;
            }
        }
    return best;
}

Canvas::Canvas(int width, int height) : m_w(width), m_h(height), m_px(static_cast<size_t>(width) * height) {}

Colour& Canvas::At(int x, int y) {
    x = ((x % m_w) + m_w) % m_w;
    y = ((y % m_h) + m_h) % m_h;
    return m_px[static_cast<size_t>(y) * m_w + x];
}

const Colour& Canvas::At(int x, int y) const { return const_cast<Canvas*>(this)->At(x, y); }

void Canvas::Fill(const Colour& c) { std::fill(m_px.begin(), m_px.end(), c); }

void Canvas::Blend(int x, int y, const Colour& c, float k) {
    const float a = Clamp01(c.a * k);
    if (a <= 0) return;
    Colour& d = At(x, y);
    const float out = a + d.a * (1 - a);
    if (out <= 0) return;
    d.r = (c.r * a + d.r * d.a * (1 - a)) / out;
    d.g = (c.g * a + d.g * d.a * (1 - a)) / out;
    d.b = (c.b * a + d.b * d.a * (1 - a)) / out;
    d.a = out;
}

void Canvas::Rect(int x0, int y0, int x1, int y1, const Colour& c, float k) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) Blend(x, y, c, k);
}

void Canvas::Frame(int x0, int y0, int x1, int y1, int width, const Colour& c) {
    Rect(x0, y0, x1, y0 + width, c);
    Rect(x0, y1 - width, x1, y1, c);
    Rect(x0, y0 + width, x0 + width, y1 - width, c);
    Rect(x1 - width, y0 + width, x1, y1 - width, c);
}

void Canvas::Disc(float cx, float cy, float r, const Colour& c, float soft) {
    const int x0 = static_cast<int>(std::floor(cx - r - soft)), x1 = static_cast<int>(std::ceil(cx + r + soft));
    const int y0 = static_cast<int>(std::floor(cy - r - soft)), y1 = static_cast<int>(std::ceil(cy + r + soft));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float d = std::sqrt((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy));
            Blend(x, y, c, Clamp01((r - d) / soft + 0.5f));
        }
}

void Canvas::Ring(float cx, float cy, float r0, float r1, const Colour& c) {
    const int x0 = static_cast<int>(std::floor(cx - r1 - 1)), x1 = static_cast<int>(std::ceil(cx + r1 + 1));
    const int y0 = static_cast<int>(std::floor(cy - r1 - 1)), y1 = static_cast<int>(std::ceil(cy + r1 + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float d = std::sqrt((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy));
            Blend(x, y, c, Clamp01(std::min(d - r0, r1 - d) + 0.5f));
        }
}

void Canvas::Line(float x0, float y0, float x1, float y1, float width, const Colour& c) {
    const float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    const int bx0 = static_cast<int>(std::floor(std::min(x0, x1) - width)),
              bx1 = static_cast<int>(std::ceil(std::max(x0, x1) + width));
    const int by0 = static_cast<int>(std::floor(std::min(y0, y1) - width)),
              by1 = static_cast<int>(std::ceil(std::max(y0, y1) + width));
    for (int y = by0; y <= by1; ++y)
        for (int x = bx0; x <= bx1; ++x) {
            const float px = x + 0.5f - x0, py = y + 0.5f - y0;
            const float t = len2 > 0 ? Clamp01((px * dx + py * dy) / len2) : 0.0f;
            const float ex = px - t * dx, ey = py - t * dy;
            Blend(x, y, c, Clamp01(width * 0.5f - std::sqrt(ex * ex + ey * ey) + 0.5f));
        }
}

void Canvas::Triangle(float x0, float y0, float x1, float y1, float x2, float y2, const Colour& c) {
    const int bx0 = static_cast<int>(std::floor(std::min({x0, x1, x2}))),
              bx1 = static_cast<int>(std::ceil(std::max({x0, x1, x2})));
    const int by0 = static_cast<int>(std::floor(std::min({y0, y1, y2}))),
              by1 = static_cast<int>(std::ceil(std::max({y0, y1, y2})));
    const float area = (x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0);
    if (std::fabs(area) < 1e-6f) return;
    for (int y = by0; y <= by1; ++y)
        for (int x = bx0; x <= bx1; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float w0 = ((x1 - px) * (y2 - py) - (x2 - px) * (y1 - py)) / area;
            const float w1 = ((x2 - px) * (y0 - py) - (x0 - px) * (y2 - py)) / area;
            const float w2 = 1 - w0 - w1;
            if (w0 >= 0 && w1 >= 0 && w2 >= 0) Blend(x, y, c);
        }
}

void Canvas::Darken(float k) {
    for (Colour& c : m_px) c = Shade(c, k);
}

void Canvas::Digit(int digit, float x, float y, float w, float h, float stroke, const Colour& c) {
    // Segments a (top), b, c (right), d (bottom), e, f (left), g (middle).
    static const unsigned char kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const unsigned char s = kSegments[((digit % 10) + 10) % 10];
    const float l = x + stroke * 0.5f, r = x + w - stroke * 0.5f;
    const float t = y + stroke * 0.5f, m = y + h * 0.5f, b = y + h - stroke * 0.5f;
    const float gap = stroke * 0.6f;
    if (s & 0x01) Line(l + gap, t, r - gap, t, stroke, c);
    if (s & 0x02) Line(r, t + gap, r, m - gap, stroke, c);
    if (s & 0x04) Line(r, m + gap, r, b - gap, stroke, c);
    if (s & 0x08) Line(l + gap, b, r - gap, b, stroke, c);
    if (s & 0x10) Line(l, m + gap, l, b - gap, stroke, c);
    if (s & 0x20) Line(l, t + gap, l, m - gap, stroke, c);
    if (s & 0x40) Line(l + gap, m, r - gap, m, stroke, c);
}

zfmt::Bytes Canvas::Png() const {
    std::vector<std::uint8_t> px(m_px.size() * 4);
    for (size_t i = 0; i < m_px.size(); ++i) {
        const Colour& c = m_px[i];
        px[i * 4 + 0] = static_cast<std::uint8_t>(std::lround(Clamp01(c.r) * 255));
        px[i * 4 + 1] = static_cast<std::uint8_t>(std::lround(Clamp01(c.g) * 255));
        px[i * 4 + 2] = static_cast<std::uint8_t>(std::lround(Clamp01(c.b) * 255));
        px[i * 4 + 3] = static_cast<std::uint8_t>(std::lround(Clamp01(c.a) * 255));
    }
    return EncodePng(m_w, m_h, px);
}

float Canvas::Spread() const {
    double sum = 0, sq = 0, asum = 0, asq = 0;
    for (const Colour& c : m_px) {
        const double l = (0.3 * Clamp01(c.r) + 0.59 * Clamp01(c.g) + 0.11 * Clamp01(c.b)) * Clamp01(c.a);
        sum += l;
        sq += l * l;
        asum += Clamp01(c.a);
        asq += Clamp01(c.a) * Clamp01(c.a);
    }
    const double n = static_cast<double>(m_px.size());
    const double mean = sum / n, amean = asum / n;
    // Relative to the brightness, so that dark pictures count as fairly as light ones.
    const double lum = std::sqrt(std::max(0.0, sq / n - mean * mean)) / (mean + 0.05);
    const double alpha = std::sqrt(std::max(0.0, asq / n - amean * amean));
    return static_cast<float>(std::max(lum, alpha));
}

}  // namespace contentgen::art
