// HudSheets.cpp -- the race display's sprite pictures: digit strips, grid font, panels, countdown, banners, notices.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "hud/HudArt.h"
#include "hud/HudShapes.h"
#include "kit/ContentPng.h"

namespace contentgen {

namespace {

using hud::Canvas;
using hud::FromArgb;
using hud::Rgba;

const Rgba kWhite{1, 1, 1, 1};
const Rgba kInk{0.0f, 0.0f, 0.0f, 0.88f};
const Rgba kAccent = FromArgb(0xFF2ADCFFu);  // the common display's cyan
const Rgba kCaption = FromArgb(0xFFB8C4D0u);
const Rgba kPanelTop = FromArgb(0xC81A2230u);
const Rgba kPanelBottom = FromArgb(0xB40A0E14u);
const Rgba kEdge = FromArgb(0x90D8E8FFu);
const Rgba kRecord = FromArgb(0xFFFF3232u);

constexpr char kStripChars[] = "0123456789:+-/.";

// A picture of one sprite: its pixel size and how to paint it.
struct Art {
    int w, h;
    std::function<void(Canvas&)> paint;
};

// ---- digit strips and the grid font ------------------------------------------------------
// Fifteen cells of `pitch` pixels: digits, ':', '+', '-', '/', '.'; glyphs `fill` of the cell tall.
Art Strip(int width, int height, float pitch, float fill, float stretch) {
    return {width, height, [=](Canvas& c) {
                const float gh = pitch * fill, weight = gh * 0.17f, outline = std::max(1.2f, gh * 0.075f);
                for (int k = 0; k < 15; ++k) {
                    const float cx = pitch * (static_cast<float>(k) + 0.5f);
                    c.Text(std::string(1, kStripChars[k]), cx, (pitch - gh) / 2.0f, gh, weight, kWhite, outline, kInk,
                           1, 0.0f, 2.5f, stretch);
                }
            }};
}

// Printable ASCII from the space in rows of 16 cells of `cell` pixels.
Art GridFont(int width, int height, float cell) {
    return {width, height, [=](Canvas& c) {
                const float gh = cell * 0.7f, weight = gh * 0.17f;
                for (int code = 33; code < 127; ++code) {
                    const int i = code - 32;
                    const float cx = cell * (static_cast<float>(i % 16) + 0.5f);
                    const float top = cell * static_cast<float>(i / 16) + (cell - gh) / 2.0f;
                    c.Text(std::string(1, static_cast<char>(code)), cx, top, gh, weight, kWhite, 1.2f, kInk, 1, 0.0f,
                           2.5f, 1.05f);
                }
            }};
}

// ---- panels ------------------------------------------------------------------------------
void PanelGround(Canvas& c, float accentWidth) {
    const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
    c.Panel(1, 1, w - 1, h - 1, 12, kPanelTop, kPanelBottom, kEdge, 1.6f);
    if (accentWidth > 0) c.RoundRect(6, 10, 6 + accentWidth, h - 10, accentWidth / 2, kAccent);
}

void Caption(Canvas& c, const std::string& text, float x, float y, float h = 12.0f, const Rgba& colour = kCaption,
             int align = 0) {
    c.Text(text, x, y, h, h * 0.2f, colour, 1.0f, kInk, align, 0.12f);
}

Art RankBase(bool plain) {
    return {310, 110, [=](Canvas& c) {
                if (plain) {
                    c.Panel(1, 1, 309, 109, 10, FromArgb(0xD00A0D12u), FromArgb(0xD00A0D12u), kEdge, 1.2f);
                    c.RoundRect(14, 100, 296, 104, 2, kAccent);
                } else {
                    PanelGround(c, 6);
                }
                Caption(c, "POS", 20, 12);
                Caption(c, "LAP", 160, 12);
                c.Line(148, 16, 148, 96, 1.0f, hud::WithAlpha(kEdge, 0.5f));
                // The slash between the current lap and the total.
                c.Line(222, 82, 234, 42, 2.6f, kInk);
                c.Line(222, 82, 234, 42, 1.5f, kWhite);
            }};
}

Art Panel(int w, int h, const std::string& caption, float accent = 6.0f) {
    return {w, h, [=](Canvas& c) {
                PanelGround(c, accent);
                if (!caption.empty()) Caption(c, caption, 20, 10);
            }};
}

// A small caption tab in the accent colour (the race time floats beside it).
Art Tab(int w, int h, const std::string& caption) {
    return {w, h, [=](Canvas& c) {
                c.Panel(1, 1, static_cast<float>(w) - 1, static_cast<float>(h) - 1, 6, kPanelTop, kPanelBottom, kEdge,
                        1.2f);
                c.RoundRect(5, 6, 8, static_cast<float>(h) - 6, 1.5f, kAccent);
                Caption(c, caption, 14, (static_cast<float>(h) - 12) / 2, 12, kAccent);
            }};
}

Art RecordBase() {
    return {330, 74, [](Canvas& c) {
                PanelGround(c, 0);
                Caption(c, "COURSE BEST", 14, 6, 9, kAccent);
                Caption(c, "ALL", 120, 6, 9);
                Caption(c, "MACHINE", 226, 6, 9);
                Caption(c, "RACE", 14, 26, 11);
                Caption(c, "LAP", 14, 50, 11);
            }};
}

// ---- countdown ---------------------------------------------------------------------------
Art CountdownBase() {
    return {440, 150, [](Canvas& c) {
                c.Panel(2, 2, 438, 148, 30, FromArgb(0xF0262C36u), FromArgb(0xF00C0F14u), FromArgb(0xFF5A6676u), 3.0f);
                for (int i = 0; i < 3; ++i) {
                    const float x = 75.0f + 145.0f * static_cast<float>(i);
                    c.Disc(x, 75, 52, FromArgb(0xFF05070Au));
                    c.Ring(x, 75, 50, 2.0f, FromArgb(0xFF3A4452u));
                    c.Disc(x, 75, 44, FromArgb(0xFF1A1E24u));
                }
            }};
}

Art Glow(int w, int h) {
    return {w, h, [=](Canvas& c) {
                const float cx = static_cast<float>(w) / 2, cy = static_cast<float>(h) / 2;
                c.Fill(
                    0, 0, static_cast<float>(w), static_cast<float>(h),
                    [=](float x, float y) {
                        const float dx = (x - cx) / cx, dy = (y - cy) / cy;
                        return dx * dx + dy * dy < 1.0f ? -1.0f : 1.0f;
                    },
                    [=](float x, float y) {
                        const float dx = (x - cx) / cx, dy = (y - cy) / cy;
                        return Rgba{0, 0, 0, 0.55f * (1.0f - std::min(1.0f, dx * dx + dy * dy))};
                    });
            }};
}

Art Lamp(const Rgba& core, const Rgba& rim, const std::string& numeral) {
    return {110, 110, [=](Canvas& c) {
                c.Fill(
                    0, 0, 110, 110, [](float x, float y) { return std::hypot(x - 55, y - 55) - 54; },
                    [=](float x, float y) {
                        const float d = std::hypot(x - 55, y - 55) / 54.0f;
                        return hud::WithAlpha(rim, 0.6f * (1.0f - d) * (1.0f - d));
                    });
                c.Fill(
                    10, 10, 100, 100, [](float x, float y) { return std::hypot(x - 55, y - 55) - 43; },
                    [=](float x, float y) {
                        const float d = std::hypot(x - 47, y - 45) / 55.0f;
                        return hud::Mix(hud::Mix(core, kWhite, 0.65f), rim, std::min(1.0f, d * 1.2f));
                    });
                c.Ring(55, 55, 43, 1.5f, hud::WithAlpha(kWhite, 0.7f));
                if (!numeral.empty()) c.Text(numeral, 55, 30, 50, 8.5f, kWhite, 3.0f, kInk, 1, 0.0f);
            }};
}

// ---- banners -----------------------------------------------------------------------------
Art Wing(bool left) {
    return {
        180, 100, [=](Canvas& c) {
            for (int i = 0; i < 3; ++i) {
                const float x = 20.0f + 46.0f * static_cast<float>(i);
                std::vector<hud::Vec2> p = {{x, 10}, {x + 34, 10}, {x + 64, 50}, {x + 34, 90}, {x, 90}, {x + 30, 50}};
                if (!left)
                    for (auto& v : p) v.x = 180.0f - v.x;
                c.Polygon(p, hud::WithAlpha(kAccent, 0.45f + 0.25f * static_cast<float>(i)));
            }
        }};
}

Art Band() {
    return {700, 100, [](Canvas& c) {
                c.Fill(
                    0, 0, 700, 100, [](float, float y) { return std::fabs(y - 50) - 44; },
                    [](float x, float) {
                        const float t = std::fabs(x - 350) / 350.0f;
                        return Rgba{0.02f, 0.04f, 0.07f, 0.86f * (1.0f - t * t * t)};
                    });
                c.Fill(
                    0, 0, 700, 100, [](float, float y) { return std::min(std::fabs(y - 5), std::fabs(y - 95)) - 1.6f; },
                    [](float x, float) {
                        const float t = std::fabs(x - 350) / 350.0f;
                        return hud::WithAlpha(kAccent, 1.0f - t * t);
                    });
            }};
}

Art Word(int w, int h, const std::string& text, float textHeight, const Rgba& colour, float slant = 0.18f) {
    return {w, h, [=](Canvas& c) {
                c.Text(text, static_cast<float>(w) / 2, (static_cast<float>(h) - textHeight) / 2, textHeight,
                       textHeight * 0.16f, colour, textHeight * 0.07f + 1.5f, kInk, 1, slant, 3.0f);
            }};
}

Art RankPicture(int rank) {
    static const char* suffix[4] = {"TH", "ST", "ND", "RD"};
    const int tens = rank % 100 / 10, unit = rank % 10;
    const std::string end = (tens != 1 && unit >= 1 && unit <= 3) ? suffix[unit] : suffix[0];
    const Rgba colour = rank == 1   ? FromArgb(0xFFFFD24Au)
                        : rank == 2 ? FromArgb(0xFFD8E2EEu)
                        : rank == 3 ? FromArgb(0xFFE89A5Au)
                                    : kWhite;
    return {200, 90, [=](Canvas& c) {
                const std::string n = std::to_string(rank);
                const float h = 66, x = 16;
                c.Text(n, x, 12, h, h * 0.16f, colour, 5.0f, kInk, 0, 0.16f, 3.0f);
                const float w = hud::TextWidth(n, h, 3.0f);
                c.Text(end, x + w + 10, 46, 28, 4.8f, colour, 2.5f, kInk, 0, 0.16f);
            }};
}

Art RecordTag() {
    return {170, 30, [](Canvas& c) {
                c.RoundRect(1, 1, 169, 29, 8, kRecord);
                c.Text("NEW RECORD", 85, 8, 14, 2.6f, kWhite, 0, kInk, 1, 0.12f);
            }};
}

// ---- messages, notices, map --------------------------------------------------------------
Art MessageHalf(bool left) {
    return {300, 84, [=](Canvas& c) {
                // Each half has its rounded corners on its own side; together they make one panel.
                const float x0 = left ? 1.0f : -40.0f, x1 = left ? 340.0f : 299.0f;
                c.Panel(x0, 1, x1, 83, 16, FromArgb(0xE01A2230u), FromArgb(0xE00A0E14u), FromArgb(0xD0FFD21Eu), 2.0f);
                if (left) c.RoundRect(8, 14, 14, 70, 3, FromArgb(0xFFFFD21Eu));
            }};
}

Art Icon(int kind) {
    return {64, 64, [=](Canvas& c) {
                const Rgba tone = kind == 0 ? kAccent : kind == 1 ? FromArgb(0xFF6CFF7Cu) : FromArgb(0xFFFF5040u);
                if (kind == 2) {
                    c.Polygon({{32, 4}, {61, 58}, {3, 58}}, tone);
                    c.Polygon({{32, 14}, {52, 52}, {12, 52}}, FromArgb(0xFF101418u));
                    c.Text("!", 32, 24, 22, 4.6f, tone, 0, kInk, 1);
                    return;
                }
                c.Disc(32, 32, 29, tone);
                c.Disc(32, 32, 24, FromArgb(0xFF101418u));
                if (kind == 0) c.Text("I", 32, 20, 24, 4.6f, tone, 0, kInk, 1);
                if (kind == 1) c.Polygon({{36, 12}, {22, 35}, {31, 35}, {27, 52}, {42, 28}, {33, 28}}, tone);
            }};
}

Art MapFrame() {
    return {232, 232, [](Canvas& c) {
                c.Fill(
                    0, 0, 232, 232,
                    [](float x, float y) { return std::fabs(hud::SdRoundBox(x, y, 116, 116, 112, 112, 14)) - 3.0f; },
                    FromArgb(0xE0101418u));
                c.Fill(
                    0, 0, 232, 232,
                    [](float x, float y) { return std::fabs(hud::SdRoundBox(x, y, 116, 116, 112, 112, 14)) - 1.2f; },
                    kEdge);
                // Corner brackets in the accent colour.
                for (int k = 0; k < 4; ++k) {
                    const float sx = (k & 1) ? 226.0f : 6.0f, sy = (k & 2) ? 226.0f : 6.0f;
                    const float dx = (k & 1) ? -30.0f : 30.0f, dy = (k & 2) ? -30.0f : 30.0f;
                    c.Line(sx, sy, sx + dx, sy, 2.4f, kAccent);
                    c.Line(sx, sy, sx, sy + dy, 2.4f, kAccent);
                }
            }};
}

Art MapTab() {
    return {232, 28, [](Canvas& c) {
                c.Panel(1, 1, 120, 27, 8, kPanelTop, kPanelBottom, kEdge, 1.2f);
                Caption(c, "MAP", 14, 8, 11, kAccent);
                c.Line(124, 14, 226, 14, 1.0f, hud::WithAlpha(kEdge, 0.6f));
            }};
}

// Every sprite of the race display's sheet by name.
const std::map<std::string, Art>& FrontendArt() {
    static const std::map<std::string, Art> art = [] {
        std::map<std::string, Art> m;
        m.emplace("FE_RANK_BASE_A", RankBase(false));
        m.emplace("FE_RANK_BASE_B", RankBase(true));
        m.emplace("FE_TIME_BASE", Tab(66, 26, "TIME"));
        m.emplace("FE_TIME_PLATE", Art{264, 56, [](Canvas& c) {
                                           c.Panel(1, 1, 263, 55, 12, hud::WithAlpha(kPanelTop, 0.72f),
                                                   hud::WithAlpha(kPanelBottom, 0.78f), hud::WithAlpha(kEdge, 0.5f),
                                                   1.2f);
                                       }});
        m.emplace("FE_LAPS_BASE", Panel(330, 100, "LAPS"));
        m.emplace("FE_RECORD_BASE", RecordBase());
        m.emplace("FE_CD_BASE", CountdownBase());
        m.emplace("FE_CD_GLOW", Glow(480, 40));
        m.emplace("FE_CD_LAMP_3", Lamp(FromArgb(0xFFFF3A2Au), FromArgb(0xFFB00A0Au), "3"));
        m.emplace("FE_CD_LAMP_2", Lamp(FromArgb(0xFFFF3A2Au), FromArgb(0xFFB00A0Au), "2"));
        m.emplace("FE_CD_LAMP_1", Lamp(FromArgb(0xFFFF3A2Au), FromArgb(0xFFB00A0Au), "1"));
        m.emplace("FE_CD_GREEN", Lamp(FromArgb(0xFF50FF60u), FromArgb(0xFF0A8A20u), ""));
        m.emplace("FE_CD_GO", Word(320, 120, "GO!", 84, FromArgb(0xFF8CFF4Au), 0.2f));
        m.emplace("FE_BANNER_LEFT", Wing(true));
        m.emplace("FE_BANNER_BAND", Band());
        m.emplace("FE_BANNER_RIGHT", Wing(false));
        m.emplace("FE_BANNER_FINISH", Word(520, 90, "FINISH", 60, kWhite));
        m.emplace("FE_BANNER_COMPLETE", Word(520, 90, "COMPLETE", 54, kWhite));
        m.emplace("FE_BANNER_BEST", Word(160, 30, "BEST LAP", 16, kAccent, 0.12f));
        for (int r = 1; r <= 16; ++r) {
            char name[32];
            std::snprintf(name, sizeof name, "FE_RANK_%02d", r);
            m.emplace(name, RankPicture(r));
        }
        m.emplace("FE_POPUP_BASE", Panel(380, 64, "LAP TIME"));
        m.emplace("FE_POPUP_RECORD", RecordTag());
        m.emplace("FE_MSG_FRAME_L", MessageHalf(true));
        m.emplace("FE_MSG_FRAME_R", MessageHalf(false));
        m.emplace("FE_MSG_ICON_INFO", Icon(0));
        m.emplace("FE_MSG_ICON_BOOST", Icon(1));
        m.emplace("FE_MSG_ICON_LINK", Icon(2));
        m.emplace("FE_NOTICE_BASE", Panel(360, 64, ""));
        m.emplace("FE_MAP_FRAME", MapFrame());
        m.emplace("FE_MAP_FRAME_WIDE", MapTab());
        // The race time's strip is three times the size its font is cut for: it is seen
        // through the HUD camera at any size, and only the cell fractions matter there.
        m.emplace("FE_FONT_TIME", Strip(1536, 96, 63.0f, 0.72f, 1.0f));
        m.emplace("FE_FONT_SMALL", Strip(512, 32, 21.0f, 0.78f, 1.25f));
        m.emplace("FE_FONT_PANEL", Strip(512, 32, 26.0f, 0.78f, 1.2f));
        m.emplace("FE_FONT_LARGE", Strip(512, 32, 32.0f, 0.76f, 1.15f));
        m.emplace("CM_FONT01", GridFont(512, 128, 20.0f));
        m.emplace("CM_16x16_WHITE", Art{16, 16, [](Canvas& c) { c.RoundRect(-4, -4, 20, 20, 0, kWhite); }});
        return m;
    }();
    return art;
}

}  // namespace

bool PaintHudSprite(const std::string& name, int* width, int* height, std::vector<std::uint8_t>* rgba) {
    const auto& art = FrontendArt();
    const auto it = art.find(name);
    if (it == art.end()) return false;
    const Art& a = it->second;
    Canvas c(a.w, a.h);
    a.paint(c);
    *width = a.w;
    *height = a.h;
    rgba->assign(static_cast<size_t>(a.w) * a.h * 4, 0);
    c.CopyInto(*rgba, a.w, a.h, 0, 0);
    return true;
}

}  // namespace contentgen
