// HudShapes.cpp -- stroke glyphs, signed-distance painting and flat mesh building for the race display's art.
#include "hud/HudShapes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <sstream>

#include "format/BinaryMesh.h"

namespace contentgen {
namespace hud {

namespace {

constexpr float kPi = 3.14159265f;

// Polylines "x,y x,y ..." separated by '|'; a single point is a dot.
Strokes Parse(const char* text) {
    Strokes out;
    std::vector<Vec2> line;
    std::istringstream in(text);
    std::string token;
    while (in >> token) {
        if (token == "|") {
            if (!line.empty()) out.push_back(line);
            line.clear();
            continue;
        }
        const size_t comma = token.find(',');
        line.push_back({std::stof(token.substr(0, comma)), std::stof(token.substr(comma + 1))});
    }
    if (!line.empty()) out.push_back(line);
    return out;
}

const std::map<char, Strokes>& Font() {
    static const std::map<char, Strokes> font = [] {
        const std::pair<char, const char*> defs[] = {
            {'0', "0,0 6,0 6,10 0,10 0,0"},
            {'1', "1.2,8.4 3,10 3,0"},
            {'2', "0,10 6,10 6,5 0,5 0,0 6,0"},
            {'3', "0,10 6,10 6,0 0,0 | 1.5,5 6,5"},
            {'4', "0,10 0,5 6,5 | 6,10 6,0"},
            {'5', "6,10 0,10 0,5 6,5 6,0 0,0"},
            {'6', "6,10 0,10 0,0 6,0 6,5 0,5"},
            {'7', "0,10 6,10 6,0"},
            {'8', "0,0 6,0 6,10 0,10 0,0 | 0,5 6,5"},
            {'9', "6,5 0,5 0,10 6,10 6,0 0,0"},
            {'A', "0,0 0,10 6,10 6,0 | 0,5 6,5"},
            {'B', "0,0 0,10 4.8,10 6,8.8 6,6.2 4.8,5 0,5 | 4.8,5 6,3.8 6,1.2 4.8,0 0,0"},
            {'C', "6,10 0,10 0,0 6,0"},
            {'D', "0,0 0,10 4,10 6,8 6,2 4,0 0,0"},
            {'E', "6,10 0,10 0,0 6,0 | 0,5 4.5,5"},
            {'F', "6,10 0,10 0,0 | 0,5 4.5,5"},
            {'G', "6,10 0,10 0,0 6,0 6,5 3.2,5"},
            {'H', "0,0 0,10 | 6,0 6,10 | 0,5 6,5"},
            {'I', "3,0 3,10 | 1,10 5,10 | 1,0 5,0"},
            {'J', "6,10 6,0 0,0 0,3"},
            {'K', "0,0 0,10 | 6,10 1.2,5 6,0 | 0,5 1.2,5"},
            {'L', "0,10 0,0 6,0"},
            {'M', "0,0 0,10 3,6 6,10 6,0"},
            {'N', "0,0 0,10 6,0 6,10"},
            {'O', "0,0 6,0 6,10 0,10 0,0"},
            {'P', "0,0 0,10 6,10 6,5 0,5"},
            {'Q', "0,0 6,0 6,10 0,10 0,0 | 4,2 6.4,-1"},
            {'R', "0,0 0,10 6,10 6,5 0,5 | 2.8,5 6,0"},
            {'S', "6,10 0,10 0,5 6,5 6,0 0,0"},
            {'T', "0,10 6,10 | 3,10 3,0"},
            {'U', "0,10 0,0 6,0 6,10"},
            {'V', "0,10 3,0 6,10"},
            {'W', "0,10 1,0 3,5 5,0 6,10"},
            {'X', "0,10 6,0 | 0,0 6,10"},
            {'Y', "0,10 3,5 6,10 | 3,5 3,0"},
            {'Z', "0,10 6,10 0,0 6,0"},
            {':', "3,2.4 | 3,7.6"},
            {'.', "3,0"},
            {',', "3,0.6 2,-1.6"},
            {'-', "1,5 5,5"},
            {'+', "0.8,5 5.2,5 | 3,2.8 3,7.2"},
            {'/', "0.6,0 5.4,10"},
            {'!', "3,10 3,3.6 | 3,0"},
            {'?', "0,10 6,10 6,5 3,5 3,3.4 | 3,0"},
            {'\'', "3,10 3,7.4"},
            {'"', "1.8,10 1.8,7.4 | 4.2,10 4.2,7.4"},
            {'(', "4.4,10.6 2.2,8.4 2.2,1.6 4.4,-0.6"},
            {')', "1.6,10.6 3.8,8.4 3.8,1.6 1.6,-0.6"},
            {'[', "4.4,10.6 2,10.6 2,-0.6 4.4,-0.6"},
            {']', "1.6,10.6 4,10.6 4,-0.6 1.6,-0.6"},
            {'<', "5.4,9 0.6,5 5.4,1"},
            {'>', "0.6,9 5.4,5 0.6,1"},
            {'=', "0.8,6.8 5.2,6.8 | 0.8,3.2 5.2,3.2"},
            {'_', "0,-1 6,-1"},
            {'%', "0,0 6,10 | 0.6,9.4 | 5.4,0.6"},
            {'#', "1.8,0 1.8,10 | 4.2,0 4.2,10 | 0,6.6 6,6.6 | 0,3.4 6,3.4"},
            {'*', "3,8 3,2 | 0.6,6.4 5.4,3.6 | 0.6,3.6 5.4,6.4"},
            {'&', "6,0 0.6,7.6 0.6,10 4.2,10 4.2,7.6 0,3 0,0 3.6,0 6,3"},
            {'@', "4.2,3.6 4.2,6.4 1.8,6.4 1.8,3.6 4.2,3.6 6,3.6 6,10 0,10 0,0 6,0"},
            {'$', "6,8.6 0,8.6 0,5 6,5 6,1.4 0,1.4 | 3,10.6 3,-0.6"},
            {'^', "0.6,7 3,10 5.4,7"},
            {'~', "0,5 2,6.4 4,5 6,6.4"},
            {'|', "3,10.6 3,-0.6"},
            {'\\', "0.6,10 5.4,0"},
            {'{', "4.4,10.6 2.6,10.6 2.6,6 1.4,5 2.6,4 2.6,-0.6 4.4,-0.6"},
            {'}', "1.6,10.6 3.4,10.6 3.4,6 4.6,5 3.4,4 3.4,-0.6 1.6,-0.6"},
            {';', "3,7.6 | 3,2.4 2,-0.6"},
            {'`', "2.2,10 3.8,8"},
        };
        std::map<char, Strokes> m;
        for (const auto& d : defs) m[d.first] = Parse(d.second);
        return m;
    }();
    return font;
}

float Clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

}  // namespace

const Strokes& Glyph(char c) {
    static const Strokes none;
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto& font = Font();
    const auto it = font.find(upper);
    return it == font.end() ? none : it->second;
}

float TextWidth(const std::string& text, float h, float gap, float stretch) {
    if (text.empty()) return 0.0f;
    const float unit = h / kGlyphHeight;
    return (static_cast<float>(text.size()) * (kGlyphWidth * stretch + gap) - gap) * unit;
}

Rgba FromArgb(uint32_t argb) {
    return {static_cast<float>((argb >> 16) & 0xFF) / 255.0f, static_cast<float>((argb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(argb & 0xFF) / 255.0f, static_cast<float>(argb >> 24) / 255.0f};
}

uint32_t ToArgb(const Rgba& c) {
    auto b = [](float v) { return static_cast<uint32_t>(std::lround(Clamp01(v) * 255.0f)); };
    return (b(c.a) << 24) | (b(c.r) << 16) | (b(c.g) << 8) | b(c.b);
}

Rgba Mix(const Rgba& a, const Rgba& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba WithAlpha(const Rgba& c, float a) { return {c.r, c.g, c.b, a}; }

// ---- signed distances ----

float SdSegment(float px, float py, Vec2 a, Vec2 b) {
    const float bax = b.x - a.x, bay = b.y - a.y, pax = px - a.x, pay = py - a.y;
    const float len = bax * bax + bay * bay;
    const float t = len > 0.0f ? Clamp01((pax * bax + pay * bay) / len) : 0.0f;
    const float dx = pax - bax * t, dy = pay - bay * t;
    return std::sqrt(dx * dx + dy * dy);
}

float SdRoundBox(float px, float py, float cx, float cy, float hx, float hy, float r) {
    const float qx = std::fabs(px - cx) - hx + r, qy = std::fabs(py - cy) - hy + r;
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}

float SdPolygon(float px, float py, const std::vector<Vec2>& v) {
    const size_t n = v.size();
    if (n < 3) return 1e9f;
    float d = (px - v[0].x) * (px - v[0].x) + (py - v[0].y) * (py - v[0].y);
    float s = 1.0f;
    for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
        const float ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
        const float wx = px - v[i].x, wy = py - v[i].y;
        const float t = Clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey));
        const float bx = wx - ex * t, by = wy - ey * t;
        d = std::min(d, bx * bx + by * by);
        const bool c1 = py >= v[i].y, c2 = py<v[j].y, c3 = ex * wy> ey * wx;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
}

float SdText(const std::string& text, float x, float y, float h, float slant, float gap, float stretch, float px,
             float py) {
    const float unit = h / kGlyphHeight;
    float best = 1e9f;
    for (size_t i = 0; i < text.size(); ++i) {
        const float gx = x + static_cast<float>(i) * (kGlyphWidth * stretch + gap) * unit;
        if (px < gx - 2.0f * h || px > gx + kGlyphWidth * stretch * unit + 2.0f * h) continue;
        for (const auto& line : Glyph(text[i])) {
            auto at = [&](const Vec2& p) {
                // Glyph y is up from the baseline; the canvas y runs down from the text's top.
                return Vec2{gx + (p.x * stretch + slant * p.y) * unit, y + (kGlyphHeight - p.y) * unit};
            };
            if (line.size() == 1) best = std::min(best, SdSegment(px, py, at(line[0]), at(line[0])));
            for (size_t k = 1; k < line.size(); ++k)
                best = std::min(best, SdSegment(px, py, at(line[k - 1]), at(line[k])));
        }
    }
    return best;
}

// ---- canvas ----

Canvas::Canvas(int width, int height)
    : w_(std::max(1, width)), h_(std::max(1, height)), px_(static_cast<size_t>(w_) * h_, Rgba{0, 0, 0, 0}) {}

void Canvas::Fill(float x0, float y0, float x1, float y1, const Sdf& sdf, const Shade& shade) {
    const int ix0 = std::max(0, static_cast<int>(std::floor(x0)) - 2);
    const int iy0 = std::max(0, static_cast<int>(std::floor(y0)) - 2);
    const int ix1 = std::min(w_, static_cast<int>(std::ceil(x1)) + 2);
    const int iy1 = std::min(h_, static_cast<int>(std::ceil(y1)) + 2);
    for (int y = iy0; y < iy1; ++y)
        for (int x = ix0; x < ix1; ++x) {
            const float cx = static_cast<float>(x) + 0.5f, cy = static_cast<float>(y) + 0.5f;
            const float cover = Clamp01(0.5f - sdf(cx, cy));
            if (cover <= 0.0f) continue;
            const Rgba s = shade(cx, cy);
            const float a = s.a * cover;
            Rgba& d = px_[static_cast<size_t>(y) * w_ + x];
            const float out = a + d.a * (1.0f - a);
            if (out <= 0.0f) continue;
            d.r = (s.r * a + d.r * d.a * (1.0f - a)) / out;
            d.g = (s.g * a + d.g * d.a * (1.0f - a)) / out;
            d.b = (s.b * a + d.b * d.a * (1.0f - a)) / out;
            d.a = out;
        }
}

void Canvas::Fill(float x0, float y0, float x1, float y1, const Sdf& sdf, const Rgba& colour) {
    Fill(x0, y0, x1, y1, sdf, [colour](float, float) { return colour; });
}

void Canvas::RoundRect(float x0, float y0, float x1, float y1, float radius, const Rgba& colour) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    Fill(
        x0, y0, x1, y1, [=](float x, float y) { return SdRoundBox(x, y, cx, cy, hx, hy, radius); }, colour);
}

void Canvas::Panel(float x0, float y0, float x1, float y1, float radius, const Rgba& top, const Rgba& bottom,
                   const Rgba& edgeColour, float edge) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    Fill(
        x0, y0, x1, y1, [=](float x, float y) { return SdRoundBox(x, y, cx, cy, hx, hy, radius); },
        [=](float, float y) { return Mix(top, bottom, Clamp01((y - y0) / std::max(1.0f, y1 - y0))); });
    if (edge > 0.0f)
        Fill(
            x0, y0, x1, y1,
            [=](float x, float y) {
                const float d =
                    SdRoundBox(x, y, cx, cy, hx - edge / 2, hy - edge / 2, std::max(0.0f, radius - edge / 2));
                return std::fabs(d) - edge / 2;
            },
            edgeColour);
}

void Canvas::Disc(float cx, float cy, float r, const Rgba& colour) {
    Fill(
        cx - r, cy - r, cx + r, cy + r, [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; }, colour);
}

void Canvas::Ring(float cx, float cy, float r, float halfWidth, const Rgba& colour) {
    const float o = r + halfWidth;
    Fill(
        cx - o, cy - o, cx + o, cy + o,
        [=](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - r) - halfWidth; }, colour);
}

void Canvas::Line(float ax, float ay, float bx, float by, float halfWidth, const Rgba& colour) {
    Fill(
        std::min(ax, bx) - halfWidth, std::min(ay, by) - halfWidth, std::max(ax, bx) + halfWidth,
        std::max(ay, by) + halfWidth,
        [=](float x, float y) {
            return SdSegment(x, y, {ax, ay}, {bx, by}) - halfWidth;
        },
        colour);
}

void Canvas::Polygon(const std::vector<Vec2>& points, const Rgba& colour) {
    if (points.size() < 3) return;
    float x0 = points[0].x, x1 = x0, y0 = points[0].y, y1 = y0;
    for (const Vec2& p : points) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    Fill(
        x0, y0, x1, y1, [&points](float x, float y) { return SdPolygon(x, y, points); }, colour);
}

void Canvas::Text(const std::string& text, float x, float y, float h, float weight, const Rgba& colour, float outline,
                  const Rgba& outlineColour, int align, float slant, float gap, float stretch) {
    const float width = TextWidth(text, h, gap, stretch);
    if (align == 1) x -= width / 2;
    if (align == 2) x -= width;
    const float pad = weight + outline + 2.0f + std::fabs(slant) * h;
    auto sd = [=](float px, float py) { return SdText(text, x, y, h, slant, gap, stretch, px, py); };
    if (outline > 0.0f)
        Fill(
            x - pad, y - pad, x + width + pad, y + h + pad,
            [=](float px, float py) { return sd(px, py) - weight / 2 - outline; }, outlineColour);
    Fill(
        x - pad, y - pad, x + width + pad, y + h + pad, [=](float px, float py) { return sd(px, py) - weight / 2; },
        colour);
}

void Canvas::CopyInto(std::vector<uint8_t>& rgba, int width, int height, int ox, int oy) const {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const int tx = ox + x, ty = oy + y;
            if (tx < 0 || ty < 0 || tx >= width || ty >= height) continue;
            const Rgba& c = px_[static_cast<size_t>(y) * w_ + x];
            uint8_t* p = &rgba[(static_cast<size_t>(ty) * width + tx) * 4];
            p[0] = static_cast<uint8_t>(std::lround(Clamp01(c.r) * 255.0f));
            p[1] = static_cast<uint8_t>(std::lround(Clamp01(c.g) * 255.0f));
            p[2] = static_cast<uint8_t>(std::lround(Clamp01(c.b) * 255.0f));
            p[3] = static_cast<uint8_t>(std::lround(Clamp01(c.a) * 255.0f));
        }
}

// ---- flat meshes ----

uint16_t FlatMesh::Vertex(Vec2 p, uint32_t argb) {
    positions_.push_back(p);
    colours_.push_back(argb);
    return static_cast<uint16_t>(positions_.size() - 1);
}

void FlatMesh::Triangle(Vec2 a, Vec2 b, Vec2 c, uint32_t argb) {
    indices_.push_back(Vertex(a, argb));
    indices_.push_back(Vertex(b, argb));
    indices_.push_back(Vertex(c, argb));
}

void FlatMesh::Quad(Vec2 a, Vec2 b, Vec2 c, Vec2 d, uint32_t argb) {
    const uint16_t i0 = Vertex(a, argb), i1 = Vertex(b, argb), i2 = Vertex(c, argb), i3 = Vertex(d, argb);
    for (uint16_t i : {i0, i1, i2, i0, i2, i3}) indices_.push_back(i);
}

void FlatMesh::Rect(float x0, float y0, float x1, float y1, uint32_t argb) {
    Quad({x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, argb);
}

void FlatMesh::Convex(const std::vector<Vec2>& points, uint32_t argb) {
    if (points.size() < 3) return;
    std::vector<uint16_t> ids;
    for (const Vec2& p : points) ids.push_back(Vertex(p, argb));
    for (size_t i = 1; i + 1 < ids.size(); ++i)
        for (uint16_t k : {ids[0], ids[i], ids[i + 1]}) indices_.push_back(k);
}

void FlatMesh::Disc(Vec2 c, float r, uint32_t argb, int segments) {
    std::vector<Vec2> pts;
    for (int i = 0; i < segments; ++i) {
        const float a = 2.0f * kPi * static_cast<float>(i) / static_cast<float>(segments);
        pts.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    Convex(pts, argb);
}

void FlatMesh::Arc(Vec2 c, float r0, float r1, float a0, float a1, uint32_t argb, int segments) {
    if (segments <= 0) segments = std::max(1, static_cast<int>(std::ceil(std::fabs(a1 - a0) / (kPi / 48.0f))));
    for (int i = 0; i < segments; ++i) {
        const float t0 = a0 + (a1 - a0) * static_cast<float>(i) / static_cast<float>(segments);
        const float t1 = a0 + (a1 - a0) * static_cast<float>(i + 1) / static_cast<float>(segments);
        Quad({c.x + r0 * std::cos(t0), c.y + r0 * std::sin(t0)}, {c.x + r1 * std::cos(t0), c.y + r1 * std::sin(t0)},
             {c.x + r1 * std::cos(t1), c.y + r1 * std::sin(t1)}, {c.x + r0 * std::cos(t1), c.y + r0 * std::sin(t1)},
             argb);
    }
}

void FlatMesh::RoundRect(float x0, float y0, float x1, float y1, float radius, uint32_t argb) {
    radius = std::min({radius, (x1 - x0) / 2, (y1 - y0) / 2});
    std::vector<Vec2> pts;
    const Vec2 corners[4] = {
        {x1 - radius, y1 - radius}, {x0 + radius, y1 - radius}, {x0 + radius, y0 + radius}, {x1 - radius, y0 + radius}};
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i <= 6; ++i) {
            const float a = kPi / 2 * static_cast<float>(k) + kPi / 2 * static_cast<float>(i) / 6.0f;
            pts.push_back({corners[k].x + radius * std::cos(a), corners[k].y + radius * std::sin(a)});
        }
    Convex(pts, argb);
}

void FlatMesh::Capsule(Vec2 a, Vec2 b, float hw, uint32_t argb) {
    const float dx = b.x - a.x, dy = b.y - a.y, len = std::sqrt(dx * dx + dy * dy);
    if (len > 1e-4f) {
        const float nx = -dy / len * hw, ny = dx / len * hw;
        Quad({a.x + nx, a.y + ny}, {a.x - nx, a.y - ny}, {b.x - nx, b.y - ny}, {b.x + nx, b.y + ny}, argb);
    }
    const int segments = std::max(6, std::min(16, static_cast<int>(hw * 2.0f)));
    Disc(a, hw, argb, segments);
    if (len > 1e-4f) Disc(b, hw, argb, segments);
}

void FlatMesh::Text(const std::string& text, Vec2 origin, float h, float weight, uint32_t argb, float outline,
                    uint32_t outlineArgb, int align, float gap) {
    const float width = TextWidth(text, h, gap), unit = h / kGlyphHeight;
    if (align == 1) origin.x -= width / 2;
    if (align == 2) origin.x -= width;
    for (int pass = outline > 0.0f ? 0 : 1; pass < 2; ++pass) {
        const float hw = weight / 2 + (pass == 0 ? outline : 0.0f);
        const uint32_t c = pass == 0 ? outlineArgb : argb;
        for (size_t i = 0; i < text.size(); ++i) {
            const float gx = origin.x + static_cast<float>(i) * (kGlyphWidth + gap) * unit;
            for (const auto& line : Glyph(text[i])) {
                auto at = [&](const Vec2& p) { return Vec2{gx + p.x * unit, origin.y + p.y * unit}; };
                if (line.size() == 1) Capsule(at(line[0]), at(line[0]), hw, c);
                for (size_t k = 1; k < line.size(); ++k) Capsule(at(line[k - 1]), at(line[k]), hw, c);
            }
        }
    }
}

namespace {
zfmt::Bytes WriteMesh(const std::vector<Vec2>& positions, const std::vector<uint32_t>& colours,
                      const std::vector<uint16_t>& indices, uint32_t shaderKind, bool viewUv, bool ground) {
    float minX = 0, maxX = 1, minY = 0, maxY = 1;
    if (!positions.empty()) {
        minX = maxX = positions[0].x;
        minY = maxY = positions[0].y;
        for (const Vec2& p : positions) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    std::vector<zfmt::BinaryMeshVertex> v;
    for (size_t i = 0; i < positions.size(); ++i) {
        zfmt::BinaryMeshVertex x;
        x.position[0] = positions[i].x;
        x.position[ground ? 2 : 1] = positions[i].y;
        x.normal[ground ? 1 : 2] = ground ? 1.0f : -1.0f;
        x.tangent[0] = 1.0f;
        x.colour = colours[i];
        if (viewUv) {
            x.uv0[0] = x.uv1[0] = (maxX - positions[i].x) / std::max(1e-6f, maxX - minX);
            x.uv0[1] = x.uv1[1] = (maxY - positions[i].y) / std::max(1e-6f, maxY - minY);
        }
        v.push_back(x);
    }
    // Both sides: the HUD places some models turned half about Y.
    std::vector<uint16_t> idx = indices;
    for (size_t t = 0; t + 2 < indices.size(); t += 3) {
        idx.push_back(indices[t]);
        idx.push_back(indices[t + 2]);
        idx.push_back(indices[t + 1]);
    }
    zfmt::MaterialRecord m;
    for (int k = 0; k < 4; ++k) m.diffuse[k] = m.ambient[k] = 1.0f;
    m.emissive[3] = 1.0f;
    m.shaderKind = shaderKind;
    m.featureFlags = 0x400;  // vertex colours
    const std::vector<uint32_t> attributes(idx.size() / 3, 0u);
    return zfmt::WriteBinaryMesh(v, idx, attributes, {}, {m});
}
}  // namespace

zfmt::Bytes FlatMesh::Ybm(uint32_t shaderKind, bool ground) const {
    return WriteMesh(positions_, colours_, indices_, shaderKind, false, ground);
}

zfmt::Bytes FlatMesh::YbmWithViewUv(uint32_t shaderKind) const {
    return WriteMesh(positions_, colours_, indices_, shaderKind, true, false);
}

}  // namespace hud
}  // namespace contentgen
