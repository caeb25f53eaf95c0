// MenuArtEnding.cpp -- painters of the ending: the cup ranks, the podium backdrop, the trophy and the staff roll.
#include <algorithm>
#include <cmath>

#include "menu/MenuArtKit.h"

namespace contentgen {

namespace {

using namespace menuart;

constexpr std::uint32_t kEdge = 0xFFD0DCEBu;
constexpr std::uint32_t kOutline = 0xF0101018u;
constexpr float kTau = 6.2831853f;

struct Metal {
    std::uint32_t light, mid, dark;
};
Metal MetalOf(const std::string& name) {
    if (name == "silver") return {0xFFFFFFFFu, 0xFFC8D2DEu, 0xFF6E7A8Au};
    if (name == "bronze") return {0xFFFFD8B0u, 0xFFD08848u, 0xFF6A3A1Eu};
    if (name == "steel") return {0xFFD8E4F2u, 0xFF7C8CA4u, 0xFF303A4Cu};
    return {0xFFFFF4C0u, 0xFFFFC83Cu, 0xFF8A5A10u};  // gold
}

// A shaded metal band across a polygon's width: light on the left third, dark at the right edge.
std::uint32_t MetalAt(const Metal& m, float t) {
    if (t < 0.3f) return Mix(m.mid, m.light, 1.0f - std::fabs(t - 0.22f) / 0.3f);
    return Mix(m.mid, m.dark, std::min(1.0f, (t - 0.3f) / 0.7f));
}

// A solid of revolution drawn row by row from its half-width profile: each row shaded across.
void Lathe(SpriteCanvas& c, float cx, float top, const std::vector<Point>& profile, const Metal& m) {
    for (std::size_t k = 0; k + 1 < profile.size(); ++k) {
        const Point a = profile[k], b = profile[k + 1];
        for (int y = static_cast<int>(top + a.y); y < static_cast<int>(top + b.y); ++y) {
            const float t = (y - top - a.y) / std::max(1.0f, b.y - a.y);
            const float half = a.x + (b.x - a.x) * t;
            for (int x = static_cast<int>(cx - half); x <= static_cast<int>(cx + half); ++x) {
                const float u = (x - (cx - half)) / std::max(1.0f, 2.0f * half);
                const float edge = std::min(1.0f, std::min(x - (cx - half), cx + half - x) + 0.5f);
                c.Blend(x, y, MetalAt(m, u), std::max(0.0f, edge));
            }
        }
    }
}

TextStyle Heading(int size, std::uint32_t top, std::uint32_t bottom) {
    TextStyle t;
    t.pixelHeight = size;
    t.fillTop = top;
    t.fillBottom = bottom;
    t.outline = kOutline;
    t.outlineRadius = std::max(2, size / 14);
    return t;
}

// The cup rank: "CUP RESULT" over a dark band with a light edge, the place large in its metal,
// and a line under it. caption "PLACE|line", param the metal.
bool PaintCupRank(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> text = Split(s.caption, '|');
    const Metal m = MetalOf(s.param);
    const float cx = c.width / 2.0f, cy = c.height / 2.0f;
    Glow(c, cx, cy, c.height * 0.5f, WithAlpha(m.mid, 70));  // faded out before the edges
    Panel(c, 40, static_cast<int>(cy - 120), c.width - 80, 240, 0xC00A0E16u, WithAlpha(kEdge, 200), 2, 18.0f);
    c.FillRect(60, static_cast<int>(cy - 118), c.width - 120, 4, m.mid);
    // Rays behind the place.
    for (int i = 0; i < 24; ++i) {
        const float a = i / 24.0f * kTau;
        ThickLine(c, cx + std::cos(a) * 90.0f, cy + std::sin(a) * 60.0f, cx + std::cos(a) * 330.0f,
                  cy + std::sin(a) * 170.0f, 6.0f, WithAlpha(m.light, 26));
    }
    bool ok = DrawStyledText(c, "CUP RESULT", static_cast<int>(cx), static_cast<int>(cy - 160), 1,
                             Heading(40, 0xFFFFFFFFu, 0xFFD8E0EAu));
    TextStyle big = Heading(170, m.light, m.dark);
    big.shear = 0.14f;
    big.outlineRadius = 7;
    big.maxWidth = c.width - 140;
    ok &= DrawStyledText(c, text.empty() ? "" : text[0], static_cast<int>(cx), static_cast<int>(cy - 8), 1, big);
    if (text.size() > 1)
        ok &= DrawStyledText(c, text[1], static_cast<int>(cx), static_cast<int>(cy + 160), 1,
                             Heading(44, 0xFFFFFFFFu, Mix(m.light, 0xFFFFFFFFu, 0.5f)));
    return ok;
}

// The podium backdrop: a warm stage light from the left over a night-blue hall, beams, falling
// paper in the team colours and a polished floor line.
bool PaintEndingBackdrop(const SpriteStyle&, SpriteCanvas& c) {
    VerticalGradient(c, 0, 0, c.width, c.height, 0xFF141A34u, 0xFF06080Eu);
    const float sx = c.width * 0.3f;
    Glow(c, sx, c.height * 0.55f, c.height * 0.9f, 0x90FFC860u);
    Glow(c, c.width * 0.85f, c.height * 0.1f, c.height * 0.7f, 0x404C8CFFu);
    for (int i = 0; i < 9; ++i) {
        const float x = sx + (i - 4) * 70.0f;
        FillPolygon(c,
                    {{x - 8, 0},
                     {x + 8, 0},
                     {x + (i - 4) * 60.0f + 70, c.height * 0.8f},
                     {x + (i - 4) * 60.0f - 70, c.height * 0.8f}},
                    WithAlpha(0xFFFFE6A0u, 14));
    }
    const float floor = c.height * 0.8f;
    VerticalGradient(c, 0, static_cast<int>(floor), c.width, c.height - static_cast<int>(floor), 0xFF2A2418u,
                     0xFF0A0A0Eu);
    c.FillRect(0, static_cast<int>(floor), c.width, 2, 0x90FFD890u);
    static const std::uint32_t kPaper[5] = {0xFFFF5A3Cu, 0xFFFFC83Cu, 0xFF4CC8FFu, 0xFF6CE08Au, 0xFFFFFFFFu};
    for (int i = 0; i < 260; ++i) {
        const float x = Noise(301, i) * c.width, y = Noise(302, i) * floor;
        const float a = Noise(303, i) * kTau, len = 4.0f + Noise(304, i) * 7.0f;
        ThickLine(c, x, y, x + std::cos(a) * len, y + std::sin(a) * len * 0.5f, 2.5f,
                  WithAlpha(kPaper[i % 5], 90 + static_cast<int>(Noise(305, i) * 120)));
    }
    return true;
}

// The trophy: a gold cup with handles on a two-step plinth, lit from the left, a halo behind.
bool PaintEndingTrophy(const SpriteStyle& s, SpriteCanvas& c) {
    const Metal gold = MetalOf("gold"), dark = MetalOf("steel");
    const float cx = c.width / 2.0f, top = c.height * 0.16f;
    Glow(c, cx, top + 200.0f, c.width * 0.62f, 0x70FFE0A0u);
    // Handles behind the bowl.
    for (int side = -1; side <= 1; side += 2) {
        std::vector<Point> arc;
        for (int i = 0; i <= 24; ++i) {
            const float a = -1.4f + i / 24.0f * 2.6f;
            arc.push_back({cx + side * (118.0f + std::cos(a) * 60.0f), top + 90.0f + std::sin(a) * 70.0f});
        }
        Polyline(c, arc, false, 16.0f, gold.dark);
        Polyline(c, arc, false, 9.0f, gold.mid);
    }
    // Bowl, stem and foot as one turned profile.
    const std::vector<Point> cup = {{150, 0},  {148, 40}, {138, 100}, {118, 150}, {84, 190}, {40, 214},
                                    {22, 230}, {20, 290}, {34, 306},  {70, 322},  {96, 340}, {96, 352}};
    Lathe(c, cx, top, cup, gold);
    // The rim's inside and its lip.
    for (int x = static_cast<int>(cx - 146); x <= static_cast<int>(cx + 146); ++x) {
        const float u = (x - cx) / 146.0f;
        const float h = 16.0f * std::sqrt(std::max(0.0f, 1.0f - u * u));
        for (int y = static_cast<int>(top - h); y <= static_cast<int>(top + h); ++y)
            c.Blend(x, y, Mix(gold.dark, 0xFF3A2408u, 0.4f + 0.3f * (y - top + h) / (2 * h + 1)));
    }
    ThickLine(c, cx - 150, top, cx + 150, top, 3.0f, gold.light);
    // An engraved band and a star on the bowl.
    ThickLine(c, cx - 130, top + 70, cx + 124, top + 70, 3.0f, WithAlpha(gold.dark, 200));
    std::vector<Point> star;
    for (int i = 0; i < 10; ++i) {
        const float a = -1.5708f + i * 0.6283f, r = i % 2 ? 15.0f : 36.0f;
        star.push_back({cx - 10 + std::cos(a) * r, top + 112 + std::sin(a) * r});
    }
    FillPolygon(c, star, gold.light);
    // Plinth: two dark steps with a plate.
    const float base = top + 352.0f;
    Lathe(c, cx, base, {{120, 0}, {120, 60}, {150, 60}, {150, 120}}, dark);
    c.FillRect(static_cast<int>(cx - 80), static_cast<int>(base + 16), 160, 30, 0xFFE8C060u);
    bool ok = DrawCaption(c, s.caption.empty() ? "CHAMPION" : s.caption, static_cast<int>(cx),
                          static_cast<int>(base + 31), 22, 1, 0xFF2A1A06u, 0, 0, 150);
    // A sparkle on the rim.
    for (int k = 0; k < 4; ++k) {
        const float a = k * 1.5708f;
        ThickLine(c, cx - 92, top + 34, cx - 92 + std::cos(a) * 26.0f, top + 34 + std::sin(a) * 26.0f, 3.0f,
                  0xD0FFFFFFu);
    }
    Glow(c, cx - 92, top + 34, 22.0f, 0xC0FFFFFFu);
    return ok;
}

// The shade over the backdrop: darker toward the edges and a dark band on the right where the
// staff roll runs, so white lines read over the light.
bool PaintEndingShade(const SpriteStyle&, SpriteCanvas& c) {
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float u = x / static_cast<float>(c.width), v = y / static_cast<float>(c.height);
            const float edge = std::pow(std::max(std::fabs(u - 0.5f) * 2.0f, std::fabs(v - 0.5f) * 2.0f), 3.0f);
            const float band = std::clamp((u - 0.5f) / 0.12f, 0.0f, 1.0f);
            const float a = std::min(1.0f, edge * 0.6f + band * 0.55f);
            c.Blend(x, y, 0xFF04060Au, a);
        }
    return true;
}

// One staff roll line: a role in the accent over names in white, left-aligned, or a logo.
// caption "ROLE|name|name..."; param "title" (the name and a heading), "rights" (the name and its
// holder's lines) or "logo" (the makers' mark and name) for the three special lines.
bool PaintStaffLine(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> text = Split(s.caption, '|');
    if (s.param == "title") {
        TextStyle t = Heading(96, 0xFFFFFFFFu, 0xFFFFC8A0u);
        t.shear = 0.2f;
        t.outlineRadius = 5;
        bool ok = DrawStyledText(c, text.empty() ? "" : text[0], 20, 62, 0, t);
        for (int k = 0; k < 3; ++k)
            ThickLine(c, 24.0f + k * 22, 124.0f + k * 9, 380.0f + k * 22, 124.0f + k * 9, 5.0f - k,
                      WithAlpha(k == 0 ? 0xFFFF5A3Cu : 0xFFFFFFFFu, 230 - k * 60));
        if (text.size() > 1) ok &= DrawStyledText(c, text[1], 24, 170, 0, Heading(30, 0xFFE8ECF2u, 0xFFC8D0DCu));
        return ok;
    }
    if (s.param == "logo") {
        const float cx = 70.0f, cy = c.height / 2.0f;
        Disc(c, cx, cy, 54.0f, 0xFFFFFFFFu);
        Disc(c, cx, cy, 48.0f, 0xFF1E2A3Au);
        const std::uint32_t colours[3] = {0xFFFF5A3Cu, 0xFFFFA028u, 0xFFFFD23Cu};
        for (int k = 0; k < 3; ++k) {
            const float x = cx - 26.0f + 17.0f * k;
            ThickLine(c, x, cy - 20, x + 8, cy + 20, 6.0f, colours[k]);
            ThickLine(c, x + 8, cy + 20, x + 16, cy - 20, 6.0f, colours[k]);
        }
        return DrawStyledText(c, text.empty() ? "" : text[0], 140, static_cast<int>(cy), 0,
                              Heading(54, 0xFFFFFFFFu, 0xFFD8E0EAu));
    }
    if (s.param == "rights") {
        // The name as the title sets it, small, its stripe under it, and the holder beside it.
        TextStyle t = Heading(60, 0xFFFFFFFFu, 0xFFFFC8A0u);
        t.shear = 0.2f;
        t.outlineRadius = 3;
        bool ok = DrawStyledText(c, text.empty() ? "" : text[0], 20, 40, 0, t);
        const int w = std::max(120, TextWidth(text.empty() ? "" : text[0], 60));
        ThickLine(c, 22.0f, 78.0f, 22.0f + w, 78.0f, 4.0f, 0xFFFF5A3Cu);
        ThickLine(c, 34.0f, 86.0f, 34.0f + w, 86.0f, 2.0f, WithAlpha(0xFFFFFFFFu, 170));
        for (std::size_t k = 1; k < text.size(); ++k)
            ok &= DrawStyledText(c, text[k], 48 + w, 26 + static_cast<int>(k - 1) * 30, 0,
                                 Heading(22, 0xFFE8ECF2u, 0xFFC8D0DCu));
        return ok;
    }
    const std::uint32_t accent = ParseColour(s.param, 0xFFFFB42Bu);
    bool ok = true;
    if (!text.empty()) {
        c.FillRect(8, 14, 6, 34, accent);
        ok &= DrawStyledText(c, text[0], 26, 31, 0, Heading(34, Mix(accent, 0xFFFFFFFFu, 0.4f), accent));
    }
    for (std::size_t k = 1; k < text.size(); ++k)
        ok &= DrawStyledText(c, text[k], 26, 31 + static_cast<int>(k) * 40, 0, Heading(30, 0xFFFFFFFFu, 0xFFE0E6EEu));
    return ok;
}

}  // namespace

bool IsEndingStyle(const std::string& style) {
    return style == "cuprank" || style == "endbg" || style == "endtrophy" || style == "endshade" || style == "staff";
}

bool PaintEndingSprite(const SpriteStyle& s, SpriteCanvas& c) {
    if (s.style == "cuprank") return PaintCupRank(s, c);
    if (s.style == "endbg") return PaintEndingBackdrop(s, c);
    if (s.style == "endtrophy") return PaintEndingTrophy(s, c);
    if (s.style == "endshade") return PaintEndingShade(s, c);
    return PaintStaffLine(s, c);
}

}  // namespace contentgen
