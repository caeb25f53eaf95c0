// MenuArtLists.cpp -- painters of the viewers' sprites: list rows and their covers, scroll bars, trophy rows.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "machine/MachineCard.h"
#include "menu/MenuArtKit.h"

namespace contentgen {

namespace {

using namespace menuart;

constexpr std::uint32_t kEdge = 0xFFD0DCEBu;
constexpr std::uint32_t kDim = 0xFFB4BCC8u;
constexpr std::uint32_t kOutline = 0xE0101018u;

// param "accent,L|R[,...]": the accent and which half of a two-sprite row this is.
struct RowParam {
    std::uint32_t accent;
    bool left;
    std::vector<std::string> rest;
};
RowParam ParseRow(const SpriteStyle& s, std::uint32_t fallback) {
    const std::vector<std::string> p = Split(s.param, ',');
    RowParam r{ParseColour(p.empty() ? "" : p[0], fallback), p.size() < 2 || p[1] != "R", {}};
    if (p.size() > 2) r.rest.assign(p.begin() + 2, p.end());
    return r;
}

// One half of a list row: a dark panel rounded at its outer end, the accent along its top; the
// left half may name its columns ("A|B" at the replay rows' time places); "gold" warms a won
// trophy's row.
bool PaintListBar(const SpriteStyle& s, SpriteCanvas& c) {
    const RowParam r = ParseRow(s, 0xFFA88CFFu);
    const bool gold = !r.rest.empty() && r.rest[0] == "gold";
    const int x0 = r.left ? 0 : -40, w = c.width + 40;
    Panel(c, x0, 3, w, c.height - 6, gold ? 0xD8261E10u : 0xD40C1018u, WithAlpha(gold ? r.accent : kEdge, 170), 2,
          14.0f);
    if (gold) VerticalGradient(c, 0, 5, c.width, c.height / 2, WithAlpha(r.accent, 50), WithAlpha(r.accent, 0));
    c.FillRect(r.left ? 14 : 0, 5, c.width - (r.left ? 14 : 0), 3, WithAlpha(r.accent, 200));
    if (r.left) c.FillRect(10, 18, 5, c.height - 36, r.accent);
    const std::vector<std::string> labels = Split(s.caption, '|');
    bool ok = true;
    if (labels.size() > 0) ok &= DrawCaption(c, labels[0], 36, 110, 16, 0, kDim, kOutline, 1);
    if (labels.size() > 1) ok &= DrawCaption(c, labels[1], 300, 110, 16, 0, kDim, kOutline, 1);
    return ok;
}

// The dimming cover of a list row that is not the cursor's.
bool PaintBarCover(const SpriteStyle& s, SpriteCanvas& c) {
    const RowParam r = ParseRow(s, 0xFFA88CFFu);
    const int x0 = r.left ? 0 : -40, w = c.width + 40;
    Panel(c, x0, 3, w, c.height - 6, 0x9A04060Au, 0x00000000u, 0, 14.0f);
    return true;
}

// A scroll bar's track and its thumb.
bool PaintScrollBase(const SpriteStyle& s, SpriteCanvas& c) {
    (void)s;
    Panel(c, 4, 0, c.width - 8, c.height, 0xA00A0E16u, WithAlpha(kEdge, 140), 1, (c.width - 8) / 2.0f);
    return true;
}
bool PaintGauge(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, 0xFFA88CFFu);
    Panel(c, 2, 0, c.width - 4, c.height, accent, 0xFFFFFFFFu, 1, (c.width - 4) / 2.0f);
    return true;
}

// A locked trophy's cover: the row darkened, a padlock and "LOCKED" on the left half.
bool PaintLockCover(const SpriteStyle& s, SpriteCanvas& c) {
    const RowParam r = ParseRow(s, 0xFFFFD24Cu);
    const int x0 = r.left ? 0 : -40, w = c.width + 40;
    Panel(c, x0, 3, w, c.height - 6, 0xC8040608u, 0x00000000u, 0, 14.0f);
    if (!r.left) return true;
    const float cx = 44, cy = 44;
    Panel(c, static_cast<int>(cx) - 16, static_cast<int>(cy) - 4, 32, 26, 0xFF8C94A0u, 0xFFD0DCEBu, 1, 4.0f);
    std::vector<Point> shackle;
    for (int i = 0; i <= 16; ++i) {
        const float a = 3.14159f + i / 16.0f * 3.14159f;
        shackle.push_back({cx + std::cos(a) * 10, cy - 4 + std::sin(a) * 12});
    }
    Polyline(c, shackle, false, 4.0f, 0xFF8C94A0u);
    return DrawCaption(c, s.caption, 92, 112, 18, 0, 0xFF8C94A0u, kOutline, 1);
}

// A large digit of a counter.
bool PaintDigit(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t colour = ParseColour(s.param, 0xFFFFFFFFu);
    return DrawCaption(c, s.caption, c.width / 2, c.height / 2, c.height, 1, colour, kOutline, 1);
}

// A record row; "race" and "lap" light the column of a machine holding that column's best.
bool PaintRecordRow(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const std::uint32_t accent = ParseColour(p.empty() ? "" : p[0], 0xFFA88CFFu);
    const bool race = std::find(p.begin(), p.end(), "race") != p.end();
    const bool lap = std::find(p.begin(), p.end(), "lap") != p.end();
    Panel(c, 0, 3, c.width, c.height - 6, 0xC80C1018u, WithAlpha(kEdge, 110), 1, 8.0f);
    c.FillRect(8, 10, 4, c.height - 20, WithAlpha(accent, 200));
    const std::uint32_t gold = 0xFFFFD24Cu;
    for (int k = 0; k < 2; ++k) {
        if (!(k == 0 ? race : lap)) continue;
        const int x = k == 0 ? 496 : 700;
        Panel(c, x, 5, 190, c.height - 10, WithAlpha(gold, 70), gold, 2, 6.0f);
        // A crown beside the best time.
        const float cx = x + 174.0f, cy = c.height / 2.0f;
        FillPolygon(c,
                    {{cx - 9, cy + 6},
                     {cx - 9, cy - 5},
                     {cx - 4, cy},
                     {cx, cy - 8},
                     {cx + 4, cy},
                     {cx + 9, cy - 5},
                     {cx + 9, cy + 6}},
                    gold);
    }
    return true;
}

// The record viewer's backdrop veil: dark in the middle where the table stands.
bool PaintVignette(const SpriteStyle& s, SpriteCanvas& c) {
    (void)s;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float dx = (x - c.width / 2.0f) / (c.width / 2.0f), dy = (y - c.height / 2.0f) / (c.height / 2.0f);
            const float d = std::min(1.0f, std::sqrt(dx * dx + dy * dy));
            c.Blend(x, y, 0xFF04060Au, 0.55f - 0.25f * d);
        }
    return true;
}

// The record table's column titles at the columns' places.
bool PaintColumns(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, 0xFFA88CFFu);
    Panel(c, 0, 2, c.width, c.height - 4, 0xE0080C12u, WithAlpha(accent, 200), 1, 6.0f);
    const std::vector<std::string> labels = Split(s.caption, '|');
    const int xs[3] = {144, 512, 716};
    bool ok = true;
    for (size_t i = 0; i < labels.size() && i < 3; ++i)
        ok &= DrawCaption(c, labels[i], xs[i], c.height / 2, 16, 0, Mix(accent, 0xFFFFFFFFu, 0.6f), kOutline, 1);
    return ok;
}

// The plate the course's title stands on, with the left and right keys' arrows at its ends.
bool PaintCoursePlate(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, 0xFFA88CFFu);
    Panel(c, 200, 0, 624, c.height, 0xE00A0E16u, WithAlpha(kEdge, 180), 2, c.height / 2.0f);
    const float y = c.height / 2.0f;
    FillPolygon(c, {{216, y}, {236, y - 12}, {236, y + 12}}, accent);
    FillPolygon(c, {{808, y}, {788, y - 12}, {788, y + 12}}, accent);
    return true;
}

// A description in up to two lines, words wrapped to the width.
bool PaintDescription(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t colour = ParseColour(s.param, 0xFFFFFFFFu);
    const int size = 21;
    std::vector<std::string> lines(1);
    for (const std::string& word : Split(s.caption, ' ')) {
        const std::string tryLine = lines.back().empty() ? word : lines.back() + " " + word;
        if (!lines.back().empty() && TextWidth(tryLine, size) > c.width - 8 && lines.size() < 2)
            lines.push_back(word);
        else
            lines.back() = tryLine;
    }
    bool ok = true;
    for (size_t i = 0; i < lines.size(); ++i)
        ok &= DrawCaption(c, lines[i], 4, 14 + static_cast<int>(i) * 28, size, 0, colour, kOutline, 1, c.width - 8);
    return ok;
}

// The garage's list window: a title at the top left, the machine rows' column on the right and
// the RETURN button's place at the bottom left ("TITLE|RETURN").
bool PaintGarageWindow(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, 0xFFFFB42Bu);
    const std::vector<std::string> text = Split(s.caption, '|');
    Panel(c, 0, 0, c.width, c.height, 0xD00A0E16u, WithAlpha(kEdge, 190), 2, 16.0f);
    c.FillRect(16, 20, 5, 40, accent);
    bool ok = DrawCaption(c, text.empty() ? "" : text[0], 32, 40, 28, 0, 0xFFFFFFFFu, kOutline, 2, 220);
    ok &= DrawCaption(c, "↑↓ CHOOSE", 32, 90, 16, 0, kDim, kOutline, 1);
    ok &= DrawCaption(c, "ENTER  LOOK", 32, 114, 16, 0, kDim, kOutline, 1);
    ok &= DrawCaption(c, "P  CAMERA", 32, 138, 16, 0, kDim, kOutline, 1);
    Panel(c, 0, 462, 232, 44, 0xC0141A26u, WithAlpha(kEdge, 130), 2, 12.0f);
    if (text.size() > 1) ok &= DrawCaption(c, text[1], 116, 484, 22, 1, kDim, kOutline, 1);
    return ok;
}

// A list row's base and its lit state.
bool PaintRowBase(const SpriteStyle& s, SpriteCanvas& c, bool on) {
    const std::uint32_t accent = ParseColour(s.param, 0xFFFFB42Bu);
    if (on) {
        Panel(c, 0, 1, c.width, c.height - 2, WithAlpha(accent, 120), 0xFFFFFFFFu, 2, 6.0f);
    } else {
        Panel(c, 0, 1, c.width, c.height - 2, 0x80141A26u, WithAlpha(kEdge, 70), 1, 6.0f);
        c.FillRect(6, 8, 3, c.height - 16, WithAlpha(accent, 160));
    }
    return true;
}

}  // namespace

bool DrawTrophyEmblem(SpriteCanvas& c, int cx, int cy, int size, const std::string& param) {
    const std::vector<std::string> p = Split(param, ',');
    const std::string kind = p.empty() ? "cup" : p[0];
    const std::string colourText = p.size() > 1 ? p[1] : "gold";
    std::uint32_t colour = 0xFFFFD24Cu, second = 0xFFFFFFFFu;
    if (colourText.size() > 1 && colourText[0] == 'm') {
        MachineColours(std::atoi(colourText.c_str() + 1), &colour, &second);
    } else if (colourText != "gold") {
        colour = ParseColour(colourText, colour);
    }
    const std::string label = p.size() > 2 ? p[2] : "";
    const float x = static_cast<float>(cx), y = static_cast<float>(cy), r = size / 2.0f;
    const std::uint32_t dark = 0xFF141820u, light = Mix(colour, 0xFFFFFFFFu, 0.45f);
    // Every emblem sits on a dark disc ringed in its colour.
    Disc(c, x, y, r, dark);
    Polyline(
        c,
        [&] {
            std::vector<Point> ring;
            for (int i = 0; i < 48; ++i)
                ring.push_back(
                    {x + std::cos(i / 48.0f * 6.2832f) * (r - 2), y + std::sin(i / 48.0f * 6.2832f) * (r - 2)});
            return ring;
        }(),
        true, 2.5f, colour);
    const float k = r * 0.62f;
    if (kind == "cup") {
        FillPolygon(
            c,
            {{x - k, y - k * 0.8f}, {x + k, y - k * 0.8f}, {x + k * 0.6f, y + k * 0.1f}, {x - k * 0.6f, y + k * 0.1f}},
            colour);
        c.FillRect(static_cast<int>(x - 2), static_cast<int>(y + k * 0.1f), 4, static_cast<int>(k * 0.5f), colour);
        c.FillRect(static_cast<int>(x - k * 0.5f), static_cast<int>(y + k * 0.6f), static_cast<int>(k), 4, colour);
        ThickLine(c, x - k * 0.5f, y - k * 0.7f, x - k * 0.3f, y - k * 0.1f, 2.0f, light);
    } else if (kind == "crown") {
        FillPolygon(c,
                    {{x - k, y + k * 0.6f},
                     {x - k, y - k * 0.5f},
                     {x - k * 0.5f, y},
                     {x, y - k},
                     {x + k * 0.5f, y},
                     {x + k, y - k * 0.5f},
                     {x + k, y + k * 0.6f}},
                    colour);
        Disc(c, x, y + k * 0.25f, k * 0.18f, light);
    } else if (kind == "laurel") {
        for (int side = -1; side <= 1; side += 2)
            for (int i = 0; i < 5; ++i) {
                const float a = 1.9f + i * 0.33f;
                Disc(c, x + side * std::cos(a) * k * -1.0f, y + std::sin(a - 1.6f) * k, k * 0.2f, colour);
            }
        Disc(c, x, y, k * 0.3f, light);
    } else if (kind == "globe") {
        Disc(c, x, y, k, colour);
        Polyline(c, {{x - k, y}, {x + k, y}}, false, 1.5f, dark);
        Polyline(c, {{x, y - k}, {x, y + k}}, false, 1.5f, dark);
        std::vector<Point> meridian;
        for (int i = 0; i <= 20; ++i)
            meridian.push_back({x + std::sin(i / 20.0f * 3.1416f) * k * 0.5f, y - k + i / 10.0f * k});
        Polyline(c, meridian, false, 1.5f, dark);
    } else if (kind == "podium") {
        c.FillRect(static_cast<int>(x - k * 0.35f), static_cast<int>(y - k * 0.5f), static_cast<int>(k * 0.7f),
                   static_cast<int>(k * 1.2f), colour);
        c.FillRect(static_cast<int>(x - k), static_cast<int>(y - k * 0.1f), static_cast<int>(k * 0.65f),
                   static_cast<int>(k * 0.8f), light);
        c.FillRect(static_cast<int>(x + k * 0.35f), static_cast<int>(y + k * 0.2f), static_cast<int>(k * 0.65f),
                   static_cast<int>(k * 0.5f), Mix(colour, dark, 0.3f));
    } else if (kind == "star") {
        std::vector<Point> star;
        for (int i = 0; i < 10; ++i) {
            const float a = -1.5708f + i * 0.6283f, rr = i % 2 ? k * 0.45f : k;
            star.push_back({x + std::cos(a) * rr, y + std::sin(a) * rr});
        }
        FillPolygon(c, star, colour);
    } else if (kind == "medal") {
        ThickLine(c, x - k * 0.6f, y - k, x, y - k * 0.1f, 4.0f, 0xFF3A6AD0u);
        ThickLine(c, x + k * 0.6f, y - k, x, y - k * 0.1f, 4.0f, 0xFFD04040u);
        Disc(c, x, y + k * 0.25f, k * 0.72f, colour);
        Disc(c, x, y + k * 0.25f, k * 0.52f, light);
    } else if (kind == "flag") {
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 4; ++col)
                c.FillRect(static_cast<int>(x - k + col * k * 0.5f), static_cast<int>(y - k * 0.8f + row * k * 0.4f),
                           static_cast<int>(k * 0.5f) + 1, static_cast<int>(k * 0.4f) + 1,
                           (row + col) % 2 ? dark : 0xFFF2F2F2u);
    } else if (kind == "versus") {
        ThickLine(c, x - k, y - k, x + k, y + k, 4.0f, colour);
        ThickLine(c, x + k, y - k, x - k, y + k, 4.0f, light);
    } else if (kind == "bolt") {
        FillPolygon(c,
                    {{x + k * 0.2f, y - k},
                     {x - k * 0.6f, y + k * 0.15f},
                     {x - k * 0.05f, y + k * 0.15f},
                     {x - k * 0.3f, y + k},
                     {x + k * 0.6f, y - k * 0.2f},
                     {x + k * 0.05f, y - k * 0.2f}},
                    colour);
    } else if (kind == "arrow") {
        FillPolygon(c,
                    {{x, y - k},
                     {x + k * 0.8f, y},
                     {x + k * 0.3f, y},
                     {x + k * 0.3f, y + k},
                     {x - k * 0.3f, y + k},
                     {x - k * 0.3f, y},
                     {x - k * 0.8f, y}},
                    colour);
    } else if (kind == "zero") {
        std::vector<Point> ring;
        for (int i = 0; i < 40; ++i)
            ring.push_back(
                {x + std::cos(i / 40.0f * 6.2832f) * k * 0.55f, y + std::sin(i / 40.0f * 6.2832f) * k * 0.85f});
        Polyline(c, ring, true, 5.0f, colour);
    }
    if (label.empty()) return true;
    const int textSize = label.size() <= 2 ? static_cast<int>(r * 0.7f) : static_cast<int>(r * 0.5f);
    return DrawCaption(c, label, cx, cy + (kind == "medal" ? static_cast<int>(k * 0.25f) : 0), textSize, 1, 0xFFFFFFFFu,
                       0xF0101018u, 2, size - 8);
}

bool IsListStyle(const std::string& style) {
    static const char* const kStyles[] = {"listbar", "barcover",  "scrollbase", "gauge",   "lockcover",
                                          "digit",   "recordrow", "vignette",   "columns", "courseplate",
                                          "desc",    "garagewin", "rowon",      "rowbase"};
    for (const char* k : kStyles)
        if (style == k) return true;
    return false;
}

bool PaintListSprite(const SpriteStyle& s, SpriteCanvas& c) {
    if (s.style == "listbar") return PaintListBar(s, c);
    if (s.style == "barcover") return PaintBarCover(s, c);
    if (s.style == "scrollbase") return PaintScrollBase(s, c);
    if (s.style == "gauge") return PaintGauge(s, c);
    if (s.style == "lockcover") return PaintLockCover(s, c);
    if (s.style == "digit") return PaintDigit(s, c);
    if (s.style == "recordrow") return PaintRecordRow(s, c);
    if (s.style == "vignette") return PaintVignette(s, c);
    if (s.style == "columns") return PaintColumns(s, c);
    if (s.style == "courseplate") return PaintCoursePlate(s, c);
    if (s.style == "desc") return PaintDescription(s, c);
    if (s.style == "garagewin") return PaintGarageWindow(s, c);
    if (s.style == "rowon") return PaintRowBase(s, c, true);
    if (s.style == "rowbase") return PaintRowBase(s, c, false);
    return false;
}

}  // namespace contentgen
