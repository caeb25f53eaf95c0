// MenuArt.cpp -- painters of the menu screens' sprites: backgrounds, bars, bands, windows, the title and logo.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "kit/SpriteText.h"
#include "menu/MenuArtKit.h"
#include "menu/SpriteArt.h"

namespace contentgen {

namespace {

using namespace menuart;

// The dark translucent panel of the interface and its light edge.
constexpr std::uint32_t kFill = 0xC80E121Au;
// Head and foot bars are opaque: lists scroll beneath them and must not read through.
constexpr std::uint32_t kBarFill = 0xFF0A0E16u;
constexpr std::uint32_t kEdge = 0xFFD0DCEBu;
constexpr std::uint32_t kDim = 0xFFB4BCC8u;
constexpr std::uint32_t kOutline = 0xE0101018u;

// ---- backgrounds ---------------------------------------------------------------------------

// The menus' backdrop: a deep night-blue gradient crossed by light streaks, a faint circuit
// drawn in the accent and the name as a watermark.
bool PaintMenuBackground(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, 0xFF4CC8FFu);
    VerticalGradient(c, 0, 0, c.width, c.height, 0xFF0B1628u, 0xFF060A12u);
    // A soft glow low on the right.
    Glow(c, c.width * 0.78f, c.height * 0.72f, c.height * 0.9f, WithAlpha(accent, 70));
    Glow(c, c.width * 0.1f, c.height * 0.05f, c.height * 0.6f, 0x303C5A90u);
    // Diagonal streaks, thin and faint, like lights passing at speed.
    for (int i = 0; i < 46; ++i) {
        const float y0 = Noise(91, i) * c.height * 1.4f - c.height * 0.2f;
        const float len = 200.0f + Noise(92, i) * 700.0f;
        const float x0 = Noise(93, i) * c.width;
        const float alpha = 20.0f + Noise(94, i) * 50.0f;
        const float thick = 1.0f + Noise(95, i) * 2.5f;
        ThickLine(c, x0, y0, x0 + len, y0 - len * 0.32f, thick,
                  WithAlpha(i % 3 == 0 ? accent : 0xFFFFFFFFu, static_cast<int>(alpha)));
    }
    // A circuit drawn as a wide ribbon in the accent colour.
    std::vector<Point> loop;
    const float cx = c.width * 0.72f, cy = c.height * 0.47f;
    for (int i = 0; i < 240; ++i) {
        const float a = i / 240.0f * 6.2831853f;
        const float r = 1.0f + 0.22f * std::sin(3 * a + 0.6f) + 0.12f * std::cos(5 * a);
        loop.push_back({cx + std::cos(a) * 330.0f * r, cy + std::sin(a) * 190.0f * r});
    }
    Polyline(c, loop, true, 26.0f, WithAlpha(accent, 26));
    Polyline(c, loop, true, 3.0f, WithAlpha(accent, 90));
    // Dots of a fine grid.
    for (int y = 24; y < c.height; y += 48)
        for (int x = 24; x < c.width; x += 48) c.Blend(x, y, 0x30FFFFFFu);
    if (!s.caption.empty()) {
        TextStyle t;
        t.pixelHeight = 250;
        t.fillTop = 0x16FFFFFFu;
        t.fillBottom = 0x08FFFFFFu;
        t.outline = 0;
        t.shear = 0.18f;
        DrawStyledText(c, s.caption, c.width - 40, c.height - 40, 2, t);
    }
    return true;
}

bool PaintWhiteBoard(const SpriteStyle&, SpriteCanvas& c) {
    VerticalGradient(c, 0, 0, c.width, c.height, 0xFFFFFFFFu, 0xFFF1F3F6u);
    return true;
}

// The makers' logo on white: three chevrons in a disc, the name and a line under it.
bool PaintMakersLogo(const SpriteStyle& s, SpriteCanvas& c) {
    const float cx = c.width / 2.0f, cy = 190.0f;
    Disc(c, cx, cy, 120.0f, 0xFF1E2A3Au);
    Disc(c, cx, cy, 108.0f, 0xFFFFFFFFu);
    Disc(c, cx, cy, 100.0f, 0xFF1E2A3Au);
    const std::uint32_t colours[3] = {0xFFFF5A3Cu, 0xFFFFA028u, 0xFFFFD23Cu};
    for (int k = 0; k < 3; ++k) {
        const float x = cx - 52.0f + 34.0f * k;
        ThickLine(c, x, cy - 40, x + 16, cy + 40, 11.0f, colours[k]);
        ThickLine(c, x + 16, cy + 40, x + 32, cy - 40, 11.0f, colours[k]);
    }
    TextStyle t;
    t.pixelHeight = 96;
    t.fillTop = t.fillBottom = 0xFF1E2A3Au;
    t.outline = 0;
    bool ok = DrawStyledText(c, s.caption, static_cast<int>(cx), 390, 1, t);
    c.FillRect(static_cast<int>(cx) - 260, 452, 520, 4, 0xFFFF5A3Cu);
    t.pixelHeight = 30;
    t.fillTop = t.fillBottom = 0xFF6A7480u;
    ok &= DrawStyledText(c, "PRESENTS", static_cast<int>(cx), 500, 1, t);
    return ok;
}

// The title: a circuit at dusk under a wide sky, the road running into the distance, and the
// name large and slanted with the accent stripe under it.
bool PaintTitleArt(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, 0xFFFF5A3Cu);
    const float horizon = c.height * 0.56f;
    VerticalGradient(c, 0, 0, c.width, static_cast<int>(horizon), 0xFF0C1230u, 0xFFB04A5Au);
    VerticalGradient(c, 0, static_cast<int>(horizon * 0.7f), c.width, static_cast<int>(horizon * 0.3f) + 1, 0x00FFA060u,
                     0xB0FFB070u);
    Glow(c, c.width * 0.30f, horizon, c.height * 0.5f, 0xA0FFC890u);
    Disc(c, c.width * 0.30f, horizon - 26, 46.0f, 0xFFFFE6C0u);
    // Stars in the upper sky.
    for (int i = 0; i < 160; ++i)
        c.Blend(static_cast<int>(Noise(11, i) * c.width), static_cast<int>(Noise(12, i) * horizon * 0.5f),
                WithAlpha(0xFFFFFFFFu, 60 + static_cast<int>(Noise(13, i) * 150)));
    Skyline(c, "hills", 0xFF3A2448u, horizon - 8, c.height * 0.10f, 31);
    Skyline(c, "city", 0xFF22182Eu, horizon + 4, c.height * 0.07f, 32);
    // The ground: dusk light fading toward the viewer, with lines running to the vanishing point.
    const float vx = c.width * 0.30f, vy = horizon;
    VerticalGradient(c, 0, static_cast<int>(horizon), c.width, c.height - static_cast<int>(horizon), 0xFF3A2A40u,
                     0xFF0C0E14u);
    for (int i = -14; i <= 14; ++i) {
        const float x = vx + i * 190.0f;
        ThickLine(c, vx + i * 6.0f, vy, vx + (x - vx) * 3.0f, static_cast<float>(c.height) * 1.6f, 1.2f, 0x26FFB080u);
    }
    for (int k = 1; k < 9; ++k) {
        const float y = vy + (c.height - vy) * std::pow(k / 9.0f, 2.0f);
        c.FillRect(0, static_cast<int>(y), c.width, 1, WithAlpha(0xFFFFB080u, 20 + 4 * k));
    }
    // The road: a trapezoid from the vanishing point with kerbs and a centre line.
    for (int y = static_cast<int>(vy); y < c.height; ++y) {
        const float t = (y - vy) / (c.height - vy);
        const float half = 6.0f + t * c.width * 0.42f;
        const float kerb = half * 0.08f;
        // The first row lies a fraction above the horizon (t slightly negative): its stripe is the first one.
        const bool stripe = static_cast<int>(std::pow(std::max(t, 0.0f), 0.35f) * 40.0f) % 2 == 0;
        for (int x = static_cast<int>(vx - half - kerb); x <= static_cast<int>(vx + half + kerb); ++x) {
            const float d = std::fabs(x - vx);
            std::uint32_t col = Mix(0xFF3A3E48u, 0xFF22252Cu, t);
            if (d > half)
                col = stripe ? 0xFFE03A30u : 0xFFF2F2F2u;
            else if (d < half * 0.015f + 0.5f && stripe)
                col = 0xFFE8E8E8u;
            c.Blend(x, y, Mix(col, 0xFF2A2230u, (1.0f - t) * 0.55f));
        }
    }
    // Light streaks along the ground, rushing out of the vanishing point.
    for (int i = 0; i < 40; ++i) {
        const float side = i % 2 ? 1.0f : -1.0f;
        const float a = 0.06f + Noise(21, i) * 0.55f;  // below the horizon
        const float dx = side * std::cos(a), dy = std::sin(a);
        const float r0 = 160.0f + Noise(22, i) * 420.0f, r1 = r0 + 180.0f + Noise(23, i) * 520.0f;
        ThickLine(c, vx + dx * r0, vy + dy * r0, vx + dx * r1, vy + dy * r1, 1.2f + Noise(24, i) * 2.2f,
                  WithAlpha(i % 4 == 0 ? accent : 0xFFFFE8D0u, 50 + static_cast<int>(Noise(25, i) * 90)));
    }
    // The name: large, slanted, light top to warm bottom, with the accent stripe.
    const int lx = static_cast<int>(c.width * 0.667f), ly = static_cast<int>(c.height * 0.36f);
    TextStyle t;
    t.pixelHeight = 210;
    t.fillTop = 0xFFFFFFFFu;
    t.fillBottom = 0xFFFFC8A0u;
    t.outline = 0xF0101018u;
    t.outlineRadius = 7;
    t.shear = 0.2f;
    bool ok = DrawStyledText(c, s.caption, lx, ly, 1, t);
    const int stripeW = 560;
    for (int k = 0; k < 3; ++k)
        ThickLine(c, lx - stripeW / 2 + k * 26.0f, ly + 106.0f + k * 10, lx + stripeW / 2 - 60 + k * 26.0f,
                  ly + 106.0f + k * 10, 5.0f - k, WithAlpha(k == 0 ? accent : 0xFFFFFFFFu, 230 - k * 60));
    t.pixelHeight = 34;
    t.fillTop = t.fillBottom = 0xFFE8ECF2u;
    t.outlineRadius = 3;
    t.shear = 0.12f;
    ok &= DrawStyledText(c, "ARCADE  RACING", lx + 150, ly + 150, 1, t);
    return ok;
}

// The start prompt: a bright caption on a dark pill with accent ends.
bool PaintPrompt(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, 0xFFFF5A3Cu);
    Panel(c, 0, 6, c.width, c.height - 12, 0xB00A0E16u, WithAlpha(kEdge, 200), 2, (c.height - 12) / 2.0f);
    Disc(c, 26.0f, c.height / 2.0f, 7.0f, accent);
    Disc(c, c.width - 26.0f, c.height / 2.0f, 7.0f, accent);
    return DrawCaption(c, s.caption, c.width / 2, c.height / 2, CaptionHeight(c.height, 0.5f, 34), 1, 0xFFFFFFFFu,
                       kOutline, 2, c.width - 80);
}

// ---- bars, bands and frames ------------------------------------------------------------------

// "L" the left half of a wide strip (its left end rounded), "R" the right half (it runs to the edge).
bool IsLeftHalf(const SpriteStyle& s) { return s.caption == "L" || (s.caption != "R" && s.param.find('R') == 0); }

// A bar along the top: dark, a light edge and an accent line at its foot, the caption at the left.
// param "accent[,count]": "count" adds the slash of the trophy count ("NN / 97") at x 944.
bool PaintHeadBar(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const std::uint32_t accent = ParseColour(p.empty() ? "" : p[0], 0xFF4CC8FFu);
    if (p.size() > 1 && p[1] == "count") {
        c.FillRect(0, 0, c.width, c.height - 4, kBarFill);
        ThickLine(c, 953, 40, 945, 16, 3.0f, 0xFFE8ECF2u);
        Panel(c, 880, 10, 120, 36, 0x60000000u, WithAlpha(kEdge, 90), 1, 8.0f);
    }
    c.FillRect(0, 0, c.width, c.height - 4, kBarFill);
    c.FillRect(0, c.height - 4, c.width, 2, WithAlpha(kEdge, 230));
    c.FillRect(0, c.height - 2, c.width, 2, accent);
    if (s.caption.empty() || s.caption == "L" || s.caption == "R") return true;
    // A slanted accent block before the title, as a family mark.
    for (int y = 8; y < c.height - 10; ++y)
        for (int x = 0; x < 18; ++x) c.Blend(196 + x + (c.height - y) / 3, y, accent);
    return DrawCaption(c, s.caption, 240, (c.height - 4) / 2, CaptionHeight(c.height, 0.56f, 32), 0, 0xFFFFFFFFu,
                       kOutline, 2, c.width - 280);
}

// A bar along the bottom. param "accent[,title]": with "title" the caption is set large at the
// left (a screen's name); otherwise it is the key help at the right ("a|b" in lines).
bool PaintFootBar(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const std::uint32_t accent = ParseColour(p.empty() ? "" : p[0], 0xFF4CC8FFu);
    c.FillRect(0, 4, c.width, c.height - 4, kBarFill);
    c.FillRect(0, 0, c.width, 2, accent);
    c.FillRect(0, 2, c.width, 2, WithAlpha(kEdge, 230));
    if (s.caption.empty() || s.caption == "L" || s.caption == "R") return true;
    if (p.size() > 1 && p[1] == "title") {
        // The screen's title from x (third field; 190 by default) up to `limit` (fourth field): the
        // garage keeps its title at the bar's left end, clear of the name plate laid over the bar.
        const int x0 = p.size() > 2 ? std::atoi(p[2].c_str()) : 190;
        const int limit = p.size() > 3 ? std::atoi(p[3].c_str()) : c.width - 34;
        for (int y = 16; y < 16 + 34; ++y)
            for (int x = 0; x < 14; ++x) c.Blend(x0 + x + (50 - y) / 3, y, accent);
        return DrawCaption(c, s.caption, x0 + 36, 33, 30, 0, 0xFFFFFFFFu, kOutline, 2, limit - x0 - 36);
    }
    const std::vector<std::string> lines = Split(s.caption, '|');
    bool ok = true;
    const int n = static_cast<int>(lines.size());
    const int band = std::min(c.height - 4, 64);
    for (int i = 0; i < n; ++i)
        ok &= DrawCaption(c, lines[size_t(i)], c.width - 24, 4 + band * (2 * i + 1) / (2 * n),
                          std::min(18, (band - 8) / n - 4), 2, kDim, kOutline, 1, c.width - 40);
    return ok;
}

// A translucent strip across the screen with light edges and the accent along its top; the left
// half starts at `param`'s second field (pixels; 0 by default) with a rounded end.
bool PaintBand(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const std::uint32_t accent = ParseColour(p.empty() ? "" : p[0], 0xFF4CC8FFu);
    const bool left = IsLeftHalf(s);
    const int start = left && p.size() > 1 ? std::atoi(p[1].c_str()) : 0;
    const int x0 = left ? start : -40;
    Panel(c, x0, 0, c.width - x0 + (left ? 40 : 0), c.height, 0xB80C1220u, WithAlpha(kEdge, 170), 2, 10.0f);
    c.FillRect(left ? start + 10 : 0, 2, c.width - (left ? start + 10 : 0), 3, WithAlpha(accent, 210));
    return true;
}

// The frame of the info line: a dark panel with a rounded right end (left half), and only the
// top edge continuing (right half), so the foot's key help shows beside it.
bool PaintInfoFrame(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, 0xFF4CC8FFu);
    if (IsLeftHalf(s)) {
        Panel(c, -20, 0, c.width - 100 + 20, c.height + 20, 0xE0080C14u, WithAlpha(kEdge, 200), 2, 18.0f);
        c.FillRect(14, 14, 5, c.height - 28, accent);
    }
    return true;
}

// A window with a title and dim rows under which the highlighted rows are drawn.
bool PaintChoiceWindow(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, 0xFF4CC8FFu);
    // Opaque: the window opens over the page's buttons, which must not read through it.
    Panel(c, 0, 0, c.width, c.height, 0xFF0E121Au, kEdge, 2, 14.0f);
    const std::vector<std::string> parts = Split(s.caption, '|');
    bool ok = true;
    if (!parts.empty()) ok &= DrawCaption(c, parts[0], 32, 40, 30, 0, accent, kOutline, 2, c.width - 64);
    c.FillRect(24, 66, c.width - 48, 2, WithAlpha(kEdge, 140));
    for (size_t i = 1; i < parts.size(); ++i) {
        const int y = 84 + 72 * static_cast<int>(i - 1);
        Panel(c, 16, y, c.width - 32, 60, 0xA0141A26u, WithAlpha(kEdge, 110), 2, 12.0f);
        ok &= DrawCaption(c, parts[i], c.width / 2, y + 30, 28, 1, kDim, kOutline, 2, c.width - 80);
    }
    return ok;
}

// A small heading on a dark pill: an accent square and the caption in a light accent, left aligned.
bool PaintLabel(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, 0xFF4CC8FFu);
    const int h = c.height;
    const int textH = CaptionHeight(h, 0.62f, 40);
    const int w = std::min(c.width, TextWidth(s.caption, textH) + 44);
    Panel(c, 0, 0, w, h, 0xD00A0E16u, WithAlpha(kEdge, 150), 1, h / 2.0f);
    c.FillRect(12, h / 2 - 5, 10, 10, accent);
    return DrawCaption(c, s.caption, 30, h / 2, textH, 0, Mix(accent, 0xFFFFFFFFu, 0.6f), kOutline, 1, c.width - 36);
}

// A line of text, white with a dark outline, left aligned (param "c": centred).
bool PaintText(const SpriteStyle& s, SpriteCanvas& c) {
    const bool centred = s.param == "c";
    const std::uint32_t colour = s.param.size() == 6 ? ParseColour(s.param, 0xFFFFFFFFu) : 0xFFFFFFFFu;
    return DrawCaption(c, s.caption, centred ? c.width / 2 : 4, c.height / 2, CaptionHeight(c.height, 0.7f, 40),
                       centred ? 1 : 0, colour, kOutline, 2, c.width - 8);
}

// A flat fill: param "rrggbb,alpha".
bool PaintVeil(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const std::uint32_t colour = ParseColour(p.empty() ? "" : p[0], 0xFF000000u);
    const int alpha = p.size() > 1 ? std::atoi(p[1].c_str()) : 128;
    c.FillRect(0, 0, c.width, c.height, WithAlpha(colour, alpha));
    return true;
}

// ---- option rows ---------------------------------------------------------------------------

// The accent of a param "rrggbb[,...]".
std::uint32_t AccentOf(const SpriteStyle& s, std::uint32_t fallback) {
    const std::vector<std::string> p = Split(s.param, ',');
    return ParseColour(p.empty() ? "" : p[0], fallback);
}

// An option row: a dark bar with the accent at its left; "arrows" adds the dim arrow slots around
// the choice (the lit arrows are drawn over them while left or right is held).
bool PaintOptionRow(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = AccentOf(s, 0xFF50E0A0u);
    Panel(c, 0, 2, c.width, c.height - 4, 0xC80E121Au, WithAlpha(kEdge, 150), 2, 10.0f);
    c.FillRect(8, 10, 4, c.height - 20, WithAlpha(accent, 200));
    Panel(c, 330, 10, 310, c.height - 20, 0x90000000u, WithAlpha(kEdge, 60), 1, 6.0f);
    if (s.param.find("arrows") != std::string::npos) {
        const float y = c.height / 2.0f;
        for (int side = 0; side < 2; ++side) {
            const float tip = side == 0 ? 308.0f : 657.0f, back = side == 0 ? 326.0f : 639.0f;
            FillPolygon(c, {{tip, y}, {back, y - 9}, {back, y + 9}}, 0x70D0DCEBu);
        }
    }
    return true;
}

// The cursor's row: an accent glow and a bright edge over the row.
bool PaintOptionRowOn(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = AccentOf(s, 0xFF50E0A0u);
    Panel(c, 0, 2, c.width, c.height - 4, WithAlpha(accent, 60), 0xFFFFFFFFu, 2, 10.0f);
    c.FillRect(8, 10, 4, c.height - 20, accent);
    return true;
}

// RETURN's row, dim (base) or lit (on).
bool PaintOptionReturn(const SpriteStyle& s, SpriteCanvas& c, bool on) {
    const std::uint32_t accent = AccentOf(s, 0xFF50E0A0u);
    if (on) {
        Panel(c, 0, 2, c.width, c.height - 4, WithAlpha(accent, 110), 0xFFFFFFFFu, 2, 10.0f);
    } else {
        Panel(c, 0, 2, c.width, c.height - 4, 0xC80E121Au, WithAlpha(kEdge, 150), 2, 10.0f);
    }
    return DrawCaption(c, s.caption, c.width / 2, c.height / 2, CaptionHeight(c.height, 0.5f, 30), 1,
                       on ? 0xFFFFFFFFu : kDim, kOutline, 2, c.width - 40);
}

// A choice's caption: dim (off) or bright with an accent underline (on).
bool PaintChoice(const SpriteStyle& s, SpriteCanvas& c, bool on) {
    const std::uint32_t accent = AccentOf(s, 0xFF50E0A0u);
    if (on) c.FillRect(c.width / 2 - 60, c.height - 3, 120, 2, accent);
    return DrawCaption(c, s.caption, c.width / 2, c.height / 2 - 1, CaptionHeight(c.height, 0.78f, 30), 1,
                       on ? Mix(accent, 0xFFFFFFFFu, 0.55f) : kDim, kOutline, on ? 2 : 1, c.width - 8);
}

}  // namespace

bool IsMenuStyle(const std::string& style) {
    static const char* const kStyles[] = {"menubg",    "whiteboard",  "makerslogo", "titleart",  "prompt",
                                          "headbar",   "footbar",     "band",       "infoframe", "choicewin",
                                          "label",     "text",        "veil",       "optrow",    "optrowon",
                                          "optreturn", "optreturnon", "choice",     "choiceon"};
    for (const char* k : kStyles)
        if (style == k) return true;
    return IsMenuStyle2(style);
}

bool PaintMenuSprite(const SpriteStyle& s, SpriteCanvas& c) {
    if (s.style == "menubg") return PaintMenuBackground(s, c);
    if (s.style == "whiteboard") return PaintWhiteBoard(s, c);
    if (s.style == "makerslogo") return PaintMakersLogo(s, c);
    if (s.style == "titleart") return PaintTitleArt(s, c);
    if (s.style == "prompt") return PaintPrompt(s, c);
    if (s.style == "headbar") return PaintHeadBar(s, c);
    if (s.style == "footbar") return PaintFootBar(s, c);
    if (s.style == "band") return PaintBand(s, c);
    if (s.style == "infoframe") return PaintInfoFrame(s, c);
    if (s.style == "choicewin") return PaintChoiceWindow(s, c);
    if (s.style == "label") return PaintLabel(s, c);
    if (s.style == "text") return PaintText(s, c);
    if (s.style == "veil") return PaintVeil(s, c);
    if (s.style == "optrow") return PaintOptionRow(s, c);
    if (s.style == "optrowon") return PaintOptionRowOn(s, c);
    if (s.style == "optreturn") return PaintOptionReturn(s, c, false);
    if (s.style == "optreturnon") return PaintOptionReturn(s, c, true);
    if (s.style == "choice") return PaintChoice(s, c, false);
    if (s.style == "choiceon") return PaintChoice(s, c, true);
    return PaintMenuSprite2(s, c);
}

}  // namespace contentgen
