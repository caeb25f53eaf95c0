// SpriteArt.cpp -- painters of the interface sprites: one look for panels, rows, captions and boards.
#include "menu/SpriteArt.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "kit/SpriteText.h"
#include "menu/MenuArtKit.h"

namespace contentgen {

namespace {

// The interface look: dark translucent panels with a thin light edge.
constexpr std::uint32_t kPanelFill = 0xC80E121Au;
// A question window stands over buttons: its plate is opaque so that nothing beneath reads through.
constexpr std::uint32_t kWindowPlate = 0xFF0E121Au;
constexpr std::uint32_t kRowFill = 0xAA10141Cu;
constexpr std::uint32_t kRowAltFill = 0xAA1A202Bu;
constexpr std::uint32_t kEdge = 0xFFD0DCEBu;
constexpr std::uint32_t kDimText = 0xFFB4BCC8u;
constexpr std::uint32_t kDefaultAccent = 0xFFFF9A28u;  // race panels: orange

}  // namespace

// ---- painting helpers (shared with the menu art) ------------------------------------

std::uint32_t WithAlpha(std::uint32_t argb, int alpha) {
    return (argb & 0x00FFFFFFu) | (static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24);
}

// "rrggbb" (or "#rrggbb") to an opaque colour; `fallback` when it is not one.
std::uint32_t ParseColour(const std::string& text, std::uint32_t fallback) {
    std::string t = text;
    if (!t.empty() && t[0] == '#') t = t.substr(1);
    if (t.size() != 6) return fallback;
    char* end = nullptr;
    const unsigned long v = std::strtoul(t.c_str(), &end, 16);
    return end && *end == '\0' ? 0xFF000000u | static_cast<std::uint32_t>(v) : fallback;
}

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::stringstream in(s);
    std::string part;
    while (std::getline(in, part, sep)) out.push_back(part);
    return out;
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, float t) {
    std::uint32_t out = 0;
    for (int s = 0; s < 32; s += 8) {
        const float x = static_cast<float>((a >> s) & 0xFF), y = static_cast<float>((b >> s) & 0xFF);
        out |= static_cast<std::uint32_t>(std::lround(x + (y - x) * t)) << s;
    }
    return out;
}

// Inside test of a rounded rectangle (corner radius r) with soft edges: coverage 0..1.
float RoundedCoverage(float px, float py, float x0, float y0, float x1, float y1, float r) {
    const float cx = std::clamp(px, x0 + r, x1 - r), cy = std::clamp(py, y0 + r, y1 - r);
    const float d = std::hypot(px - cx, py - cy) - r;
    return std::clamp(0.5f - d, 0.0f, 1.0f);
}

// A rounded panel with an edge of `edgeWidth` pixels.
void Panel(SpriteCanvas& c, int x, int y, int w, int h, std::uint32_t fill, std::uint32_t edge, int edgeWidth,
           float radius) {
    const float x0 = static_cast<float>(x), y0 = static_cast<float>(y);
    const float x1 = x0 + static_cast<float>(w), y1 = y0 + static_cast<float>(h);
    const float e = static_cast<float>(edgeWidth);
    for (int py = y; py < y + h; ++py) {
        for (int px = x; px < x + w; ++px) {
            const float fx = px + 0.5f, fy = py + 0.5f;
            const float outer = RoundedCoverage(fx, fy, x0, y0, x1, y1, radius);
            if (outer <= 0.0f) continue;
            const float inner =
                edgeWidth > 0 ? RoundedCoverage(fx, fy, x0 + e, y0 + e, x1 - e, y1 - e, std::max(0.0f, radius - e))
                              : outer;
            c.Blend(px, py, fill, inner);
            if (outer > inner) c.Blend(px, py, edge, outer - inner);
        }
    }
}

void VerticalGradient(SpriteCanvas& c, int x, int y, int w, int h, std::uint32_t top, std::uint32_t bottom) {
    for (int py = 0; py < h; ++py) {
        const std::uint32_t col = Mix(top, bottom, h > 1 ? static_cast<float>(py) / (h - 1) : 0.0f);
        for (int px = 0; px < w; ++px) c.Blend(x + px, y + py, col);
    }
}

int CaptionHeight(int h, float share, int most) { return std::max(8, std::min(most, static_cast<int>(h * share))); }

namespace {

// ---- painters ------------------------------------------------------------------------

bool PaintPanel(const SpriteStyle& s, SpriteCanvas& c) {
    Panel(c, 0, 0, c.width, c.height, kPanelFill, kEdge, 2, 10.0f);
    if (!s.param.empty()) {
        const std::uint32_t accent = ParseColour(s.param, kDefaultAccent);
        c.FillRect(10, 10, 5, c.height - 20, accent);
    }
    if (s.caption.empty()) return true;
    const int h = CaptionHeight(c.height, 0.42f, 56);
    return c.width > 600
               ? DrawCaption(c, s.caption, 40, c.height / 2, h, 0, 0xFFFFFFFFu, 0xE0101018u, 2, c.width - 60)
               : DrawCaption(c, s.caption, c.width / 2, c.height / 2, h, 1, 0xFFFFFFFFu, 0xE0101018u, 2, c.width - 24);
}

// The yes/no frame: the question's place and the two answers, dim, under their cursors.
bool PaintWindow(const SpriteStyle& s, SpriteCanvas& c) {
    Panel(c, 0, 0, c.width, c.height, kWindowPlate, kEdge, 2, 12.0f);
    const std::uint32_t accent = ParseColour(s.param, 0xFF4CC8FFu);
    c.FillRect(24, 74, c.width - 48, 2, WithAlpha(accent, 200));
    const std::vector<std::string> answers = Split(s.caption, '|');
    bool ok = true;
    if (answers.size() == 2) {
        ok &= DrawCaption(c, answers[0], c.width / 2, 79 + 32, 34, 1, kDimText);
        ok &= DrawCaption(c, answers[1], c.width / 2, 160 + 32, 34, 1, kDimText);
    }
    return ok;
}

// A highlighted answer or choice: an accent bar with a bright caption.
bool PaintCursor(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, 0xFF4CC8FFu);
    Panel(c, 12, 4, c.width - 24, c.height - 8, WithAlpha(accent, 150), 0xFFFFFFFFu, 2, 8.0f);
    return s.caption.empty() || DrawCaption(c, s.caption, c.width / 2, c.height / 2, CaptionHeight(c.height, 0.55f, 40),
                                            1, 0xFFFFFFFFu, 0xE0101018u, 2, c.width - 48);
}

bool PaintCaption(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t colour = ParseColour(s.param, 0xFFFFFFFFu);
    return DrawCaption(c, s.caption, c.width / 2, c.height / 2, CaptionHeight(c.height, 0.7f, 64), 1, colour,
                       0xE0101018u, 2, c.width - 8);
}

// A row of a results table; "alt" rows are lighter, "own" rows carry the accent.
bool PaintRow(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> words = Split(s.param, ',');
    const bool alt = std::find(words.begin(), words.end(), "alt") != words.end();
    const bool own = std::find(words.begin(), words.end(), "own") != words.end();
    std::uint32_t fill = alt ? kRowAltFill : kRowFill;
    if (own) fill = Mix(fill, WithAlpha(kDefaultAccent, 0xC0), 0.45f);
    Panel(c, 0, 1, c.width, c.height - 2, fill, WithAlpha(kEdge, own ? 255 : 110), 1, 4.0f);
    if (own) c.FillRect(4, 4, 6, c.height - 8, kDefaultAccent);
    return true;
}

// A table header: the title on the left, column labels at their x ("112=POS;168=NO").
bool PaintHead(const SpriteStyle& s, SpriteCanvas& c) {
    Panel(c, 0, 0, c.width, c.height, kPanelFill, kEdge, 2, 8.0f);
    c.FillRect(2, c.height - 4, c.width - 4, 2, kDefaultAccent);
    bool ok = DrawCaption(c, s.caption, 24, 18, 26, 0);
    for (const std::string& column : Split(s.param, ';')) {
        const size_t eq = column.find('=');
        if (eq == std::string::npos) continue;
        const int x = std::atoi(column.substr(0, eq).c_str());
        ok &= DrawCaption(c, column.substr(eq + 1), x, c.height - 13, 14, 0, kDimText, 0xC0101018u, 1);
    }
    return ok;
}

// A menu choice: dim when not chosen ("item"), accent glow when chosen ("itemon"). param
// "accent[,rowN]": with rowN the caption is set at N pixels, the common size of the buttons of its row,
// and a caption too wide for one line at that size breaks at a space into two.
bool PaintItem(const SpriteStyle& s, SpriteCanvas& c, bool on) {
    const std::vector<std::string> p = Split(s.param, ',');
    const std::uint32_t accent = ParseColour(p.empty() ? "" : p[0], kDefaultAccent);
    const int rowSize = p.size() > 1 && p[1].rfind("row", 0) == 0 ? std::atoi(p[1].c_str() + 3) : 0;
    if (on) {
        Panel(c, 0, 0, c.width, c.height, WithAlpha(accent, 110), 0xFFFFFFFFu, 2, 14.0f);
        Panel(c, 8, 8, c.width - 16, c.height - 16, WithAlpha(accent, 90), WithAlpha(accent, 255), 2, 10.0f);
    } else {
        Panel(c, 0, 0, c.width, c.height, kPanelFill, WithAlpha(kEdge, 160), 2, 14.0f);
    }
    const std::uint32_t colour = on ? 0xFFFFFFFFu : kDimText;
    if (rowSize <= 0)
        return DrawCaption(c, s.caption, c.width / 2, c.height / 2, CaptionHeight(c.height, 0.5f, 40), 1, colour,
                           0xE0101018u, 2, c.width - 32);
    const int room = c.width - 24;
    const std::size_t space = s.caption.rfind(' ');
    if (menuart::TextWidth(s.caption, rowSize) <= room || space == std::string::npos)
        return DrawCaption(c, s.caption, c.width / 2, c.height / 2, rowSize, 1, colour, 0xE0101018u, 2, room);
    const int gap = rowSize * 11 / 20;
    return DrawCaption(c, s.caption.substr(0, space), c.width / 2, c.height / 2 - gap, rowSize, 1, colour, 0xE0101018u,
                       2, room) &&
           DrawCaption(c, s.caption.substr(space + 1), c.width / 2, c.height / 2 + gap, rowSize, 1, colour, 0xE0101018u,
                       2, room);
}

// The level-up panel: its title, the level and points labels and the gauge's empty track.
bool PaintLevelUp(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, kDefaultAccent);
    Panel(c, 0, 0, c.width, c.height, kPanelFill, kEdge, 2, 12.0f);
    c.FillRect(10, 10, 5, c.height - 20, accent);
    bool ok = DrawCaption(c, s.caption, 40, 44, 40, 0);
    ok &= DrawCaption(c, "LEVEL", 632, 56, 20, 2, kDimText, 0xC0101018u, 1);
    ok &= DrawCaption(c, "POINTS", 744, 111, 18, 0, kDimText, 0xC0101018u, 1);
    Panel(c, 116, 100, 520, 28, 0xE0050608u, WithAlpha(kEdge, 160), 1, 4.0f);
    return ok;
}

// A digit strip: one cell per character of the caption, each glyph centred.
bool PaintDigits(const SpriteStyle& s, SpriteCanvas& c) {
    const int cells = static_cast<int>(s.caption.size());
    if (cells == 0) return false;
    const int cell = c.width / cells;
    bool ok = true;
    for (int i = 0; i < cells; ++i)
        ok &= DrawCaption(c, s.caption.substr(size_t(i), 1), i * cell + cell / 2, c.height / 2,
                          static_cast<int>(c.height * 0.92f), 1, 0xFFFFFFFFu, 0xF0101018u, 2);
    return ok;
}

bool PaintEmblem(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t colour = ParseColour(s.param, kDefaultAccent);
    Panel(c, 0, 0, c.width, c.height, WithAlpha(colour, 235), 0xFFFFFFFFu, 1, c.height * 0.3f);
    return DrawCaption(c, s.caption, c.width / 2, c.height / 2, CaptionHeight(c.height, 0.75f, 40), 1, 0xFFFFFFFFu,
                       0xE0101018u, 1, c.width - 4);
}

bool PaintBar(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t colour = ParseColour(s.param, kDefaultAccent);
    VerticalGradient(c, 0, 0, c.width, c.height, Mix(colour, 0xFFFFFFFFu, 0.45f), Mix(colour, 0xFF000000u, 0.25f));
    return true;
}

bool PaintGlow(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t colour = ParseColour(s.param, 0xFFFFF2C0u);
    const float cx = c.width / 2.0f, cy = c.height / 2.0f;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float dx = (x + 0.5f - cx) / cx, dy = (y + 0.5f - cy) / cy;
            const float r = std::min(1.0f, std::sqrt(dx * dx + dy * dy));
            c.Blend(x, y, colour, (1.0f - r) * (1.0f - r));
        }
    return true;
}

// A horizontal bar tile that stretches across the screen.
bool PaintInfoBar(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, 0xFF3CD2B4u);
    c.FillRect(0, 0, c.width, c.height, 0xD20C1016u);
    c.FillRect(0, 2, c.width, 2, kEdge);
    c.FillRect(0, 6, c.width, 2, accent);
    c.FillRect(0, c.height - 4, c.width, 2, kEdge);
    return true;
}

// A trophy banner: a gold cup on the left, "TROPHY" and the trophy's title.
bool PaintTrophy(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t gold = 0xFFF2C14Eu;
    Panel(c, 0, 0, c.width, c.height, kPanelFill, gold, 2, 10.0f);
    // The trophy's own emblem when the manifest gives one, else a cup: a bowl, a stem and a foot.
    if (!s.param.empty()) {
        const int size = c.height - 10;
        bool ok = DrawTrophyEmblem(c, 8 + size / 2, c.height / 2, size, s.param);
        const int x = 16 + size;
        ok &= DrawCaption(c, "TROPHY", x, c.height * 27 / 100, c.height / 4, 0, gold, 0xC0101018u, 1);
        return ok && DrawCaption(c, s.caption, x, c.height * 66 / 100, CaptionHeight(c.height, 0.4f, 30), 0,
                                 0xFFFFFFFFu, 0xE0101018u, 2, c.width - x - 12);
    }
    const int cx = 44, top = 14;
    for (int y = 0; y < 30; ++y) {
        const int half = static_cast<int>(22.0f * std::sqrt(1.0f - (y / 30.0f) * (y / 30.0f)));
        for (int x = -half; x <= half; ++x) c.Blend(cx + x, top + y, Mix(gold, 0xFFFFFFFFu, 0.3f * (1 - y / 30.0f)));
    }
    c.FillRect(cx - 3, top + 30, 6, 12, gold);
    c.FillRect(cx - 14, top + 42, 28, 6, gold);
    bool ok = DrawCaption(c, "TROPHY", 92, 20, 16, 0, gold, 0xC0101018u, 1);
    ok &= DrawCaption(c, s.caption, 92, 50, CaptionHeight(c.height, 0.36f, 30), 0, 0xFFFFFFFFu, 0xE0101018u, 2,
                      c.width - 104);
    return ok;
}

// ---- course boards ---------------------------------------------------------------------

}  // namespace

float Noise(std::uint32_t seed, int i) {
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(i) * 0x9E3779B9u);
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

// A silhouette layer: smooth hills ("hills"), blocks ("city"), spikes ("trees").
void Skyline(SpriteCanvas& c, const std::string& kind, std::uint32_t colour, float base, float height,
             std::uint32_t seed) {
    const int w = c.width;
    std::vector<float> top(size_t(w), base);
    if (kind == "city") {
        int x = 0;
        for (int i = 0; x < w; ++i) {
            const int bw = 40 + static_cast<int>(Noise(seed, i) * 90);
            const float bh = height * (0.3f + 0.7f * Noise(seed, i + 500));
            for (int k = x; k < std::min(w, x + bw - 6); ++k) top[size_t(k)] = base - bh;
            x += bw;
        }
    } else if (kind == "trees") {
        for (int x = 0; x < w; ++x) {
            const int tree = x / 28;
            const float local = std::fabs((x % 28) - 14) / 14.0f;
            const float th = height * (0.5f + 0.5f * Noise(seed, tree));
            top[size_t(x)] = base - th * (1.0f - local);
        }
    } else {
        for (int x = 0; x < w; ++x) {
            float v = 0.0f;
            for (int o = 1; o <= 3; ++o)
                v += std::sin(x * 0.0021f * o * (1.0f + Noise(seed, o)) + Noise(seed, o + 9) * 6.28f) / o;
            top[size_t(x)] = base - height * (0.55f + 0.3f * v);
        }
    }
    for (int x = 0; x < w; ++x)
        for (int y = std::max(0, static_cast<int>(top[size_t(x)])); y < c.height; ++y) c.Blend(x, y, colour);
}

namespace {

// param: "skyTop,skyBottom,far,near,kind"; the caption (the course title) seeds the scenery.
bool PaintBoard(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const std::uint32_t skyTop = ParseColour(p.size() > 0 ? p[0] : "", 0xFF1C3C70u);
    const std::uint32_t skyBottom = ParseColour(p.size() > 1 ? p[1] : "", 0xFFE8A060u);
    const std::uint32_t far = ParseColour(p.size() > 2 ? p[2] : "", 0xFF405070u);
    const std::uint32_t nearColour = ParseColour(p.size() > 3 ? p[3] : "", 0xFF182030u);
    const std::string kind = p.size() > 4 ? p[4] : "hills";
    std::uint32_t seed = 2166136261u;
    for (unsigned char ch : s.caption) seed = (seed ^ ch) * 16777619u;
    VerticalGradient(c, 0, 0, c.width, c.height, skyTop, skyBottom);
    // A low sun glow.
    const float sx = c.width * (0.25f + 0.5f * Noise(seed, 1)), sy = c.height * 0.52f;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float d = std::hypot(x - sx, y - sy) / (c.height * 0.45f);
            if (d < 1.0f) c.Blend(x, y, 0xFFFFF0D0u, 0.45f * (1.0f - d) * (1.0f - d));
        }
    Skyline(c, kind == "city" ? "hills" : kind, Mix(far, skyBottom, 0.35f), c.height * 0.62f, c.height * 0.22f,
            seed + 1);
    Skyline(c, kind, far, c.height * 0.70f, c.height * 0.18f, seed + 2);
    Skyline(c, kind == "city" ? "hills" : kind, nearColour, c.height * 0.80f, c.height * 0.08f, seed + 3);
    // The track: a lit band with kerbs across the foreground.
    const int roadTop = static_cast<int>(c.height * 0.84f), roadH = static_cast<int>(c.height * 0.06f);
    c.FillRect(0, roadTop, c.width, roadH, 0xFF2A2C32u);
    for (int x = 0; x < c.width; x += 64) {
        c.FillRect(x, roadTop - 6, 32, 6, 0xFFE03A30u);
        c.FillRect(x + 32, roadTop - 6, 32, 6, 0xFFF2F2F2u);
    }
    c.FillRect(0, roadTop + roadH / 2 - 2, c.width, 4, 0x80FFFFFFu);
    // No title: the screens that show a board name the course in panels of their own.
    return true;
}

}  // namespace

void SpriteCanvas::Blend(int x, int y, std::uint32_t argb, float coverage) {
    if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0.0f) return;
    const float a = static_cast<float>(argb >> 24) / 255.0f * std::min(coverage, 1.0f);
    std::uint8_t* p = &rgba[(size_t(y) * width + x) * 4];
    const float src[3] = {static_cast<float>((argb >> 16) & 0xFF), static_cast<float>((argb >> 8) & 0xFF),
                          static_cast<float>(argb & 0xFF)};
    const float dstA = p[3] / 255.0f;
    const float outA = a + dstA * (1.0f - a);
    for (int i = 0; i < 3; ++i) {
        const float v = outA > 0.0f ? (src[i] * a + p[i] * dstA * (1.0f - a)) / outA : 0.0f;
        p[i] = static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 255.0f)));
    }
    p[3] = static_cast<std::uint8_t>(std::lround(outA * 255.0f));
}

void SpriteCanvas::FillRect(int x, int y, int w, int h, std::uint32_t argb) {
    for (int py = y; py < y + h; ++py)
        for (int px = x; px < x + w; ++px) Blend(px, py, argb);
}

bool DrawCaption(SpriteCanvas& c, const std::string& text, int x, int y, int pixelHeight, int align,
                 std::uint32_t colour, std::uint32_t outline, int outlineRadius, int maxWidth) {
    if (text.empty()) return true;
    TextMask m = RenderText(text, pixelHeight);
    if (m.coverage.empty()) return false;
    if (maxWidth > 0 && m.width > maxWidth) {
        m = RenderText(text, std::max(6, pixelHeight * maxWidth / m.width));
        if (m.coverage.empty()) return false;
    }
    int left = x;
    if (align == 1) left = x - m.width / 2;
    if (align == 2) left = x - m.width;
    const int top = y - m.height / 2;
    // The outline: the coverage spread over a disc of the radius.
    const int r = outlineRadius;
    for (int my = -r; my < m.height + r; ++my)
        for (int mx = -r; mx < m.width + r; ++mx) {
            int best = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx)
                    if (dx * dx + dy * dy <= r * r + r) best = std::max<int>(best, m.At(mx + dx, my + dy));
            if (best) c.Blend(left + mx, top + my, outline, best / 255.0f);
        }
    for (int my = 0; my < m.height; ++my)
        for (int mx = 0; mx < m.width; ++mx)
            if (const int v = m.At(mx, my)) c.Blend(left + mx, top + my, colour, v / 255.0f);
    return true;
}

bool IsKnownStyle(const std::string& style) {
    static const char* const kStyles[] = {"panel",   "window", "cursor", "caption", "row",    "head",
                                          "item",    "itemon", "digits", "emblem",  "bar",    "glow",
                                          "infobar", "trophy", "board",  "white",   "levelup"};
    for (const char* k : kStyles)
        if (style == k) return true;
    return IsMenuStyle(style);
}

bool PaintSprite(const SpriteStyle& s, int w, int h, SpriteCanvas* out, std::string* error) {
    *out = SpriteCanvas(w, h);
    SpriteCanvas& c = *out;
    bool ok = true;
    if (s.style == "panel")
        ok = PaintPanel(s, c);
    else if (s.style == "levelup")
        ok = PaintLevelUp(s, c);
    else if (s.style == "window")
        ok = PaintWindow(s, c);
    else if (s.style == "cursor")
        ok = PaintCursor(s, c);
    else if (s.style == "caption")
        ok = PaintCaption(s, c);
    else if (s.style == "row")
        ok = PaintRow(s, c);
    else if (s.style == "head")
        ok = PaintHead(s, c);
    else if (s.style == "item")
        ok = PaintItem(s, c, false);
    else if (s.style == "itemon")
        ok = PaintItem(s, c, true);
    else if (s.style == "digits")
        ok = PaintDigits(s, c);
    else if (s.style == "emblem")
        ok = PaintEmblem(s, c);
    else if (s.style == "bar")
        ok = PaintBar(s, c);
    else if (s.style == "glow")
        ok = PaintGlow(s, c);
    else if (s.style == "infobar")
        ok = PaintInfoBar(s, c);
    else if (s.style == "trophy")
        ok = PaintTrophy(s, c);
    else if (s.style == "board")
        ok = PaintBoard(s, c);
    else if (s.style == "white")
        c.FillRect(0, 0, w, h, 0xFFFFFFFFu);
    else if (IsMenuStyle(s.style))
        ok = PaintMenuSprite(s, c);
    else {
        *error = "unknown sprite style " + s.style;
        return false;
    }
    if (!ok) *error = "caption \"" + s.caption + "\" could not be rendered (no font face)";
    return ok;
}

}  // namespace contentgen
