// MenuArtKit.cpp -- glows, soft discs and lines, polygons and styled text for the menu art.
#include "menu/MenuArtKit.h"

#include <algorithm>
#include <cmath>

#include "kit/SpriteText.h"

namespace contentgen {
namespace menuart {

void Glow(SpriteCanvas& c, float cx, float cy, float radius, std::uint32_t colour) {
    const int x0 = std::max(0, static_cast<int>(cx - radius)),
              x1 = std::min(c.width, static_cast<int>(cx + radius) + 1);
    const int y0 = std::max(0, static_cast<int>(cy - radius)),
              y1 = std::min(c.height, static_cast<int>(cy + radius) + 1);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
            if (d < 1.0f) c.Blend(x, y, colour, (1.0f - d) * (1.0f - d));
        }
}

void Disc(SpriteCanvas& c, float cx, float cy, float radius, std::uint32_t colour) {
    const int x0 = std::max(0, static_cast<int>(cx - radius - 1)),
              x1 = std::min(c.width, static_cast<int>(cx + radius) + 2);
    const int y0 = std::max(0, static_cast<int>(cy - radius - 1)),
              y1 = std::min(c.height, static_cast<int>(cy + radius) + 2);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            c.Blend(x, y, colour, std::clamp(radius + 0.5f - d, 0.0f, 1.0f));
        }
}

namespace {
// Distance from p to the segment a-b.
float SegmentDistance(float px, float py, float ax, float ay, float bx, float by) {
    const float dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0.0f ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}
}  // namespace

void ThickLine(SpriteCanvas& c, float x0, float y0, float x1, float y1, float width, std::uint32_t colour) {
    Polyline(c, {{x0, y0}, {x1, y1}}, false, width, colour);
}

void Polyline(SpriteCanvas& c, const std::vector<Point>& p, bool closed, float width, std::uint32_t colour) {
    if (p.size() < 2) return;
    const float r = width / 2.0f;
    float minX = p[0].x, maxX = p[0].x, minY = p[0].y, maxY = p[0].y;
    for (const Point& q : p) {
        minX = std::min(minX, q.x);
        maxX = std::max(maxX, q.x);
        minY = std::min(minY, q.y);
        maxY = std::max(maxY, q.y);
    }
    const int x0 = std::max(0, static_cast<int>(minX - r - 1)), x1 = std::min(c.width, static_cast<int>(maxX + r) + 2);
    const int y0 = std::max(0, static_cast<int>(minY - r - 1)), y1 = std::min(c.height, static_cast<int>(maxY + r) + 2);
    if (x0 >= x1 || y0 >= y1) return;
    // The distance to the nearest segment per pixel, over the segments' own boxes.
    std::vector<float> best(size_t(x1 - x0) * (y1 - y0), 1e9f);
    const size_t n = p.size(), segments = closed ? n : n - 1;
    for (size_t i = 0; i < segments; ++i) {
        const Point& a = p[i];
        const Point& b = p[(i + 1) % n];
        const int sx0 = std::max(x0, static_cast<int>(std::min(a.x, b.x) - r - 1));
        const int sx1 = std::min(x1, static_cast<int>(std::max(a.x, b.x) + r) + 2);
        const int sy0 = std::max(y0, static_cast<int>(std::min(a.y, b.y) - r - 1));
        const int sy1 = std::min(y1, static_cast<int>(std::max(a.y, b.y) + r) + 2);
        for (int y = sy0; y < sy1; ++y)
            for (int x = sx0; x < sx1; ++x) {
                float& d = best[size_t(y - y0) * (x1 - x0) + (x - x0)];
                d = std::min(d, SegmentDistance(x + 0.5f, y + 0.5f, a.x, a.y, b.x, b.y));
            }
    }
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float d = best[size_t(y - y0) * (x1 - x0) + (x - x0)];
            const float cover = std::clamp(r + 0.5f - d, 0.0f, 1.0f);
            if (cover > 0.0f) c.Blend(x, y, colour, cover);
        }
}

void FillPolygon(SpriteCanvas& c, const std::vector<Point>& p, std::uint32_t colour) {
    if (p.size() < 3) return;
    float minY = p[0].y, maxY = p[0].y, minX = p[0].x, maxX = p[0].x;
    for (const Point& q : p) {
        minY = std::min(minY, q.y);
        maxY = std::max(maxY, q.y);
        minX = std::min(minX, q.x);
        maxX = std::max(maxX, q.x);
    }
    const int y0 = std::max(0, static_cast<int>(minY)), y1 = std::min(c.height - 1, static_cast<int>(maxY) + 1);
    const int x0 = std::max(0, static_cast<int>(minX)), x1 = std::min(c.width - 1, static_cast<int>(maxX) + 1);
    if (x1 < x0 || y1 < y0) return;
    constexpr int kSub = 4;
    std::vector<float> cover(size_t(x1 - x0 + 1), 0.0f);
    std::vector<float> xs;
    for (int y = y0; y <= y1; ++y) {
        std::fill(cover.begin(), cover.end(), 0.0f);
        for (int s = 0; s < kSub; ++s) {
            const float sy = y + (s + 0.5f) / kSub;
            xs.clear();
            for (size_t i = 0; i < p.size(); ++i) {
                const Point& a = p[i];
                const Point& b = p[(i + 1) % p.size()];
                if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                    xs.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t k = 0; k + 1 < xs.size(); k += 2) {
                for (int x = std::max(x0, static_cast<int>(xs[k])); x <= std::min(x1, static_cast<int>(xs[k + 1]));
                     ++x) {
                    const float l = std::max(xs[k], static_cast<float>(x)), r = std::min(xs[k + 1], x + 1.0f);
                    if (r > l) cover[size_t(x - x0)] += (r - l) / kSub;
                }
            }
        }
        for (int x = x0; x <= x1; ++x)
            if (cover[size_t(x - x0)] > 0.0f) c.Blend(x, y, colour, cover[size_t(x - x0)]);
    }
}

int TextWidth(const std::string& text, int pixelHeight) { return RenderText(text, pixelHeight).width; }

bool DrawStyledText(SpriteCanvas& c, const std::string& text, int x, int y, int align, const TextStyle& st) {
    if (text.empty()) return true;
    TextMask m = RenderText(text, st.pixelHeight);
    if (m.coverage.empty()) return false;
    if (st.maxWidth > 0 && m.width > st.maxWidth) {
        m = RenderText(text, std::max(6, st.pixelHeight * st.maxWidth / m.width));
        if (m.coverage.empty()) return false;
    }
    const int slant = static_cast<int>(std::ceil(st.shear * m.height));
    const int w = m.width + slant;
    int left = x;
    if (align == 1) left = x - w / 2;
    if (align == 2) left = x - w;
    const int top = y - m.height / 2;
    // Coverage of the slanted line at (mx, my), sampled between the two nearest columns.
    auto at = [&](int mx, int my) -> float {
        const float sx = mx - st.shear * (m.height - my);
        const int ix = static_cast<int>(std::floor(sx));
        const float f = sx - ix;
        return (m.At(ix, my) * (1.0f - f) + m.At(ix + 1, my) * f) / 255.0f;
    };
    const int r = st.outline ? st.outlineRadius : 0;
    if (r > 0) {
        for (int my = -r; my < m.height + r; ++my)
            for (int mx = -r; mx < w + r; ++mx) {
                float best = 0.0f;
                for (int dy = -r; dy <= r && best < 1.0f; ++dy)
                    for (int dx = -r; dx <= r; ++dx)
                        if (dx * dx + dy * dy <= r * r + r) best = std::max(best, at(mx + dx, my + dy));
                if (best > 0.0f) c.Blend(left + mx, top + my, st.outline, best);
            }
    }
    for (int my = 0; my < m.height; ++my) {
        const std::uint32_t col = Mix(st.fillTop, st.fillBottom, m.height > 1 ? my / float(m.height - 1) : 0.0f);
        for (int mx = 0; mx < w; ++mx)
            if (const float v = at(mx, my); v > 0.0f) c.Blend(left + mx, top + my, col, v);
    }
    return true;
}

}  // namespace menuart
}  // namespace contentgen
