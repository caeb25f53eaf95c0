// MenuArtMachine.cpp -- the machine select's pictures: each machine in a studio, its name plate and spec panel.
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

int IntAt(const std::vector<std::string>& p, size_t i, int fallback) {
    return i < p.size() && !p[i].empty() ? std::atoi(p[i].c_str()) : fallback;
}

// caption: the family's name; param "machine[,variant]" (variant "garage": the garage's
// turntable light). The machine rendered from its model in a dark studio, its livery's colours
// in the light behind it and on the floor.
bool PaintMachineCard(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const int machine = IntAt(p, 0, 1);
    std::uint32_t paint = 0xFF808890u, stripe = 0xFFFFFFFFu;
    MachineColours(machine, &paint, &stripe);
    const float floorY = c.height * 0.62f;
    VerticalGradient(c, 0, 0, c.width, static_cast<int>(floorY), 0xFF0C111Cu, 0xFF182232u);
    VerticalGradient(c, 0, static_cast<int>(floorY), c.width, c.height - static_cast<int>(floorY), 0xFF1A2230u,
                     0xFF06080Cu);
    Glow(c, c.width / 2.0f, floorY - 60.0f, c.height * 0.75f, WithAlpha(Mix(paint, 0xFFFFFFFFu, 0.3f), 90));
    // Light bars of the studio wall, and the floor's ring of light.
    for (int k = 0; k < 7; ++k) {
        const int x = 60 + k * 210;
        VerticalGradient(c, x, 40, 6, static_cast<int>(floorY) - 80, 0x00FFFFFFu, 0x1CFFFFFFu);
    }
    for (int r = 0; r < 3; ++r) {
        std::vector<Point> ring;
        for (int i = 0; i < 120; ++i) {
            const float a = i / 120.0f * 6.2831853f;
            ring.push_back(
                {c.width / 2.0f + std::cos(a) * (430.0f + r * 40), floorY + 95 + std::sin(a) * (70.0f + r * 7)});
        }
        Polyline(c, ring, true, 2.0f, WithAlpha(r == 0 ? paint : 0xFFFFFFFFu, 70 - r * 20));
    }
    // The family's name, large and faint across the wall.
    TextStyle t;
    t.pixelHeight = 230;
    t.fillTop = 0x1EFFFFFFu;
    t.fillBottom = 0x08FFFFFFu;
    t.outline = 0;
    t.shear = 0.15f;
    t.maxWidth = c.width - 120;
    bool ok = DrawStyledText(c, s.caption, c.width / 2, 190, 1, t);
    // A slanted stripe of the livery behind the machine.
    FillPolygon(c,
                {{0, floorY - 210}, {c.width * 1.0f, floorY - 330}, {c.width * 1.0f, floorY - 300}, {0, floorY - 180}},
                WithAlpha(paint, 70));
    FillPolygon(c,
                {{0, floorY - 170}, {c.width * 1.0f, floorY - 290}, {c.width * 1.0f, floorY - 282}, {0, floorY - 162}},
                WithAlpha(stripe, 60));
    // The shadow, then the machine.
    for (int y = -40; y <= 40; ++y)
        for (int x = -420; x <= 420; ++x) {
            const float d = std::hypot(x / 420.0f, y / 40.0f);
            if (d < 1.0f) c.Blend(c.width / 2 + x, static_cast<int>(floorY) + 120 + y, 0xFF000000u, 0.55f * (1 - d));
        }
    MachineShot shot;
    shot.machine = machine;
    shot.centreX = c.width / 2.0f;
    shot.centreY = floorY - 10.0f;
    shot.width = 980.0f;
    shot.yaw = 0.75f;
    shot.elevation = 0.28f;
    ok &= RenderMachine(shot, c);
    return ok;
}

// caption "NAME|line": the machine's name plate on the select's bottom bar.
bool PaintMachineName(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> text = Split(s.caption, '|');
    const std::vector<std::string> p = Split(s.param, ',');
    const int machine = IntAt(p, 0, 1);
    std::uint32_t paint = 0xFFFF4C5Au, stripe = 0xFFFFFFFFu;
    MachineColours(machine, &paint, &stripe);
    FillPolygon(c, {{212, 10}, {236, 10}, {224, c.height - 10.0f}, {200, c.height - 10.0f}}, paint);
    TextStyle t;
    t.pixelHeight = 52;
    t.shear = 0.15f;
    t.outlineRadius = 3;
    t.maxWidth = c.width - 260;
    bool ok = DrawStyledText(c, text.empty() ? "" : text[0], 248, 30, 0, t);
    if (text.size() > 1) ok &= DrawCaption(c, text[1], 252, c.height - 16, 18, 0, kDim, kOutline, 1, c.width - 260);
    return ok;
}

// caption "TEXT", param "speed,accel,grip,boost": five-step bars of the family's character.
bool PaintMachineSpec(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    static const char* const kLabels[4] = {"SPEED", "ACCEL", "GRIP", "BOOST"};
    bool ok = true;
    for (int i = 0; i < 4; ++i) {
        const int col = i / 2, row = i % 2;
        const int x = 10 + col * 290, y = 6 + row * 30;
        ok &= DrawCaption(c, kLabels[i], x, y + 11, 16, 0, kDim, kOutline, 1);
        const int value = IntAt(p, size_t(i), 3);
        for (int k = 0; k < 5; ++k) {
            const std::uint32_t colour = k < value ? Mix(0xFFFF4C5Au, 0xFFFFD24Cu, k / 4.0f) : 0x40FFFFFFu;
            FillPolygon(c,
                        {{x + 84.0f + k * 34, y + 20.0f},
                         {x + 110.0f + k * 34, y + 20.0f},
                         {x + 116.0f + k * 34, y + 2.0f},
                         {x + 90.0f + k * 34, y + 2.0f}},
                        colour);
        }
    }
    return ok;
}

// caption "L" or "R", param "accent[,on]": the machine select's side arrow, dim, or lit ("on").
bool PaintSelectArrow(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const std::uint32_t accent = ParseColour(p.empty() ? "" : p[0], 0xFFFFB42Bu);
    const bool on = p.size() > 1 && p[1] == "on";
    const bool left = s.caption == "L";
    const float w = static_cast<float>(c.width), h = static_cast<float>(c.height);
    std::vector<Point> chevron = {{w - 10, 10},     {w - 30, 10},     {10, h / 2},
                                  {w - 30, h - 10}, {w - 10, h - 10}, {30, h / 2}};
    if (!left)
        for (Point& q : chevron) q.x = w - q.x;
    if (on) {
        Glow(c, w / 2, h / 2, h / 2, WithAlpha(accent, 140));
        FillPolygon(c, chevron, Mix(accent, 0xFFFFFFFFu, 0.35f));
    } else {
        Polyline(c, chevron, true, 5.0f, 0xC0080A10u);
        FillPolygon(c, chevron, 0xC8D0DCEBu);
    }
    return true;
}

// caption "TITLE|line", param "accent[,on]": one half of the transmission choice.
bool PaintMission(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const std::uint32_t accent = ParseColour(p.empty() ? "" : p[0], 0xFFFFB42Bu);
    const bool on = p.size() > 1 && p[1] == "on";
    const std::vector<std::string> text = Split(s.caption, '|');
    if (on) {
        Panel(c, 8, 4, c.width - 16, c.height - 8, WithAlpha(accent, 120), 0xFFFFFFFFu, 3, 16.0f);
        Panel(c, 16, 12, c.width - 32, c.height - 24, WithAlpha(accent, 70), WithAlpha(accent, 255), 2, 12.0f);
    } else {
        Panel(c, 8, 4, c.width - 16, c.height - 8, 0xD80C1018u, WithAlpha(kEdge, 150), 2, 16.0f);
    }
    bool ok = DrawCaption(c, text.empty() ? "" : text[0], c.width / 2, 52, 44, 1, on ? 0xFFFFFFFFu : kDim, kOutline, 2,
                          c.width - 60);
    if (text.size() > 1)
        ok &=
            DrawCaption(c, text[1], c.width / 2, 98, 20, 1, on ? 0xFFFFFFFFu : 0xFF8C94A0u, kOutline, 1, c.width - 60);
    return ok;
}

}  // namespace

bool IsMachineStyle(const std::string& style) {
    return style == "machinecard" || style == "machinename" || style == "machinespec" || style == "selarrow" ||
           style == "mission";
}

bool PaintMachineSprite(const SpriteStyle& s, SpriteCanvas& c) {
    if (s.style == "machinecard") return PaintMachineCard(s, c);
    if (s.style == "machinename") return PaintMachineName(s, c);
    if (s.style == "machinespec") return PaintMachineSpec(s, c);
    if (s.style == "selarrow") return PaintSelectArrow(s, c);
    if (s.style == "mission") return PaintMission(s, c);
    return false;
}

}  // namespace contentgen
