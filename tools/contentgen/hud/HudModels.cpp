// HudModels.cpp -- the race display's flat models (six cockpits, mini map, markers, view frames) and their tables.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "format/BinaryMesh.h"
#include "hud/HudArt.h"
#include "hud/HudShapes.h"
#include "table/HudPlane.h"

namespace contentgen {

namespace {

using hud::FlatMesh;
using hud::Vec2;

constexpr float kPi = 3.14159265f;
float Rad(float degrees) { return degrees * kPi / 180.0f; }
Vec2 Polar(Vec2 c, float r, float a) { return {c.x + r * std::cos(a), c.y + r * std::sin(a)}; }

// ---- palette -----------------------------------------------------------------------------
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kInk = 0xE0000000u;   // outlines under light strokes
constexpr uint32_t kDial = 0xD20C1016u;  // dial and panel grounds
constexpr uint32_t kDialRim = 0xFF2A313Bu;
constexpr uint32_t kTrack = 0x46FFFFFFu;  // unlit segments and empty gauges
constexpr uint32_t kTick = 0xD8E8EEF4u;
constexpr uint32_t kRed = 0xFFFF3030u;
constexpr uint32_t kBoost = 0xFF2ADCFFu;   // the first boost
constexpr uint32_t kBoost2 = 0xFFFF4CD2u;  // the second boost
constexpr uint32_t kLampOff = 0xFF33404Cu;
constexpr uint32_t kLampOn = 0xFF60F0FFu;

uint32_t Shade(uint32_t argb, float k) {
    auto ch = [&](int s) {
        const float v = static_cast<float>((argb >> s) & 0xFF) * k;
        return static_cast<uint32_t>(std::min(255.0f, std::max(0.0f, v))) << s;
    };
    return (argb & 0xFF000000u) | ch(16) | ch(8) | ch(0);
}
uint32_t Blend(uint32_t a, uint32_t b, float t) {
    auto ch = [&](int s) {
        const float x = static_cast<float>((a >> s) & 0xFF), y = static_cast<float>((b >> s) & 0xFF);
        return static_cast<uint32_t>(std::lround(x + (y - x) * t)) << s;
    };
    return ch(24) | ch(16) | ch(8) | ch(0);
}

// The colour of lit segment i of n on a revolution meter: the accent, then white, then red at the top.
uint32_t MeterColour(uint32_t accent, int i, int n) {
    const float t = static_cast<float>(i) / static_cast<float>(std::max(1, n - 1));
    if (t > 0.86f) return kRed;
    if (t > 0.62f) return Blend(accent, kWhite, (t - 0.62f) / 0.24f);
    return accent;
}

// ---- shared pieces -----------------------------------------------------------------------
constexpr float kDigitHeight = 22.0f;
constexpr float kDigitAdvance = 17.0f;

FlatMesh DigitMesh(int d) {
    FlatMesh m;
    m.Text(std::string(1, static_cast<char>('0' + d)), {0, 0}, kDigitHeight, 4.4f, kWhite, 2.2f, kInk);
    return m;
}

const char* const kBodyModeNames[4] = {"NORM", "AERO", "BOOST", "BST+"};
const uint32_t kBodyModeColours[4] = {0xFFD8DEE6u, 0xFF6CFF7Cu, kBoost, kBoost2};

// A badge of body mode `mode` centred at c.
FlatMesh BodyBadge(Vec2 c, int mode, float w = 76.0f, float h = 22.0f) {
    FlatMesh m;
    m.RoundRect(c.x - w / 2 - 1.5f, c.y - h / 2 - 1.5f, c.x + w / 2 + 1.5f, c.y + h / 2 + 1.5f, 6,
                kBodyModeColours[mode]);
    m.RoundRect(c.x - w / 2, c.y - h / 2, c.x + w / 2, c.y + h / 2, 5,
                mode == 0 ? 0xF0161A20u : Shade(kBodyModeColours[mode], 0.28f));
    m.Text(kBodyModeNames[mode], {c.x, c.y - h * 0.3f}, h * 0.6f, 2.2f, mode == 0 ? 0xFFD8DEE6u : kWhite, 0, 0, 1);
    return m;
}

// Boost-stock lamps: `lit` of the diamonds at `points` glow.
FlatMesh Lamps(const std::vector<Vec2>& points, int lit, float r = 9.0f) {
    FlatMesh m;
    for (size_t i = 0; i < points.size(); ++i) {
        const Vec2 p = points[i];
        const bool on = static_cast<int>(i) < lit;
        auto diamond = [&](float s, uint32_t c) {
            m.Convex({{p.x, p.y - s}, {p.x + s, p.y}, {p.x, p.y + s}, {p.x - s, p.y}}, c);
        };
        if (on) diamond(r + 5, 0x5060F0FFu);
        diamond(r + 1.8f, kInk);
        diamond(r, on ? kLampOn : kLampOff);
        if (on) diamond(r * 0.45f, kWhite);
    }
    return m;
}

// A bar from x0 to x1 at height y0..y1 filled to `fill` (0..1) from the left, over its track.
void Bar(FlatMesh& m, float x0, float y0, float x1, float y1, float fill, uint32_t colour) {
    m.Rect(x0 - 1.5f, y0 - 1.5f, x1 + 1.5f, y1 + 1.5f, kInk);
    m.Rect(x0, y0, x1, y1, kTrack);
    if (fill > 0.0f) m.Rect(x0, y0, x0 + (x1 - x0) * std::min(1.0f, fill), y1, colour);
}

// A vertical bar filled from the bottom.
void VBar(FlatMesh& m, float x0, float y0, float x1, float y1, float fill, uint32_t colour) {
    m.Rect(x0 - 1.5f, y0 - 1.5f, x1 + 1.5f, y1 + 1.5f, kInk);
    m.Rect(x0, y0, x1, y1, kTrack);
    if (fill > 0.0f) m.Rect(x0, y0, x1, y0 + (y1 - y0) * std::min(1.0f, fill), colour);
}

// A ring gauge around c filled clockwise from the top to `fill`.
void RingGauge(FlatMesh& m, Vec2 c, float r0, float r1, float fill, uint32_t colour) {
    m.Arc(c, r0 - 1.5f, r1 + 1.5f, 0, 2 * kPi, kInk, 48);
    m.Arc(c, r0, r1, 0, 2 * kPi, kTrack, 48);
    if (fill > 0.0f) m.Arc(c, r0, r1, kPi / 2, kPi / 2 - 2 * kPi * std::min(1.0f, fill), colour);
}

// ---- model ids and tables ----------------------------------------------------------------
// Ids are 1-based positions in their group; 0 is none. Slots come at emission.
struct Group {
    int id = 0;
    int count = 0;
    std::vector<zfmt::Bytes> models;
    uint32_t Add(const FlatMesh& m, uint32_t shaderKind = 0) {
        models.push_back(m.Ybm(shaderKind));
        return static_cast<uint32_t>(models.size());
    }
    uint32_t AddBytes(zfmt::Bytes b) {
        models.push_back(std::move(b));
        return static_cast<uint32_t>(models.size());
    }
};

struct Cockpit {
    const char* name = "";
    int kind = 0;
    Group group;
    std::vector<HudMeterStep> meter;  // model field holds ids
    HudModelLayout meterPlace{}, face{}, fixed[2]{};
    std::vector<uint32_t> lamps;
    HudModelLayout lampPlace{};
    float lampSpacing = 0.0f;
    std::vector<uint32_t> digits;
    HudNumberLayout speed{}, state1Number{}, gaugeANumber{}, gaugeBNumber{};
    std::vector<uint32_t> state1, state2, gaugeA, gaugeB;
    HudModelLayout state1Place{}, state2Place{}, gaugeAPlace{}, gaugeBPlace{};
    uint32_t gaugeAWarning = 0, gaugeBWarning = 0;
    HudModelLayout gaugeBFrames[2]{};
};

// Screen anchor of every cockpit's cluster (the meter's centre).
constexpr Vec2 kAnchor = {1192.0f, 604.0f};

HudModelLayout At(uint32_t id, float lx = 0.0f, float ly = 0.0f, float scale = 1.0f) {
    return hudplane::Place(id, kAnchor.x + lx, kAnchor.y - ly, scale);
}
HudNumberLayout Number(float x, float y, float scale, bool rightAlign) {
    return HudNumberLayout{At(0), x, y, kDigitAdvance, scale, rightAlign ? 1u : 0u};
}

void AddDigits(Cockpit& c) {
    for (int d = 0; d < 10; ++d) c.digits.push_back(c.group.Add(DigitMesh(d)));
}
// Gear pictures: the digit of gear + 1.
std::vector<uint32_t> GearPictures(const Cockpit& c) {
    std::vector<uint32_t> out;
    for (int g = 0; g < 10; ++g) out.push_back(c.digits[(g + 1) % 10]);
    return out;
}
void AddBodyBadges(Cockpit& c, Vec2 centre) {
    for (int mode = 0; mode < 4; ++mode) c.state2.push_back(c.group.Add(BodyBadge(centre, mode)));
}
// Three lamp pictures: one, two and three lit.
void AddLampPictures(Cockpit& c, const std::vector<Vec2>& points) {
    for (int lit = 1; lit <= 3; ++lit) c.lamps.push_back(c.group.Add(Lamps(points, lit)));
}
// The group's count is fixed: positions the tables name no model for hold copies of one of its models.
void FillGroup(Cockpit& c, int count, uint32_t copyOf) {
    c.group.count = count;
    while (static_cast<int>(c.group.models.size()) < count) c.group.AddBytes(c.group.models[copyOf - 1]);
}

// ---- Torvin: round tachometer with a sweep and a bar needle ------------------------------
float TorvinAngle(float rpm) { return Rad(225.0f - 270.0f * rpm / 14000.0f); }

Cockpit BuildTorvin() {
    Cockpit c;
    c.name = "Torvin";
    c.kind = 1;
    c.group.id = 13;
    const uint32_t accent = 0xFFFF8A1Eu;
    const Vec2 o{0, 0};
    const float R = 130.0f;
    for (int i = 0; i < 36; ++i) {
        const float rpm = 400.0f * static_cast<float>(i);
        const float a = TorvinAngle(rpm);
        FlatMesh m;
        m.Disc(o, R + 2, kInk, 64);
        m.Disc(o, R, kDial, 64);
        if (i > 0) m.Arc(o, 96, 110, TorvinAngle(0), a, (accent & 0x00FFFFFFu) | 0x90000000u);
        m.Capsule(Polar(o, 88, a), Polar(o, 114, a), 5.0f, kInk);
        m.Capsule(Polar(o, 88, a), Polar(o, 114, a), 3.2f, MeterColour(accent, i, 36));
        m.Capsule(Polar(o, 92, a), Polar(o, 112, a), 1.2f, kWhite);
        c.meter.push_back({rpm, c.group.Add(m)});
    }
    c.meterPlace = At(0);
    {  // face: ticks, red zone, labels
        FlatMesh m;
        m.Arc(o, 118, 126, TorvinAngle(11600), TorvinAngle(14000), kRed);
        for (int r = 0; r <= 14000; r += 500) {
            const float a = TorvinAngle(static_cast<float>(r));
            const bool major = r % 1000 == 0;
            m.Capsule(Polar(o, major ? 112.0f : 118.0f, a), Polar(o, 126, a), major ? 1.8f : 1.0f,
                      r >= 11600 ? kWhite : kTick);
        }
        for (int k = 0; k <= 14; k += 2) {
            const Vec2 p = Polar(o, 88, TorvinAngle(1000.0f * k));
            m.Text(std::to_string(k), {p.x, p.y - 7}, 14, 2.4f, kWhite, 1.4f, kInk, 1);
        }
        c.face = At(c.group.Add(m));
    }
    {  // bezel
        FlatMesh m;
        m.Arc(o, R, R + 6, 0, 2 * kPi, accent, 96);
        m.Arc(o, R + 6, R + 7.5f, 0, 2 * kPi, kInk, 96);
        c.fixed[0] = At(c.group.Add(m));
    }
    {  // unit label
        FlatMesh m;
        m.Text("KM/H", {0, -94}, 11, 2.0f, 0xFFD8DEE6u, 1.2f, kInk, 1);
        c.fixed[1] = At(c.group.Add(m));
    }
    // Lamps for a stock of 1, 2 and 3, outside the dial's top right.
    AddLampPictures(c, {Polar(o, 152, Rad(60)), Polar(o, 152, Rad(49)), Polar(o, 152, Rad(38))});
    c.lampPlace = At(0);
    AddDigits(c);
    c.speed = Number(46, -66, 1.8f, true);
    c.state1 = GearPictures(c);
    c.state1Place = At(0, -13, -4, 1.5f);
    AddBodyBadges(c, {0, 0});
    c.state2Place = At(0, 0, 46);
    // Gauge A: a band up the dial's left side, filled from the bottom.
    const float a0 = Rad(238), a1 = Rad(122);
    for (int i = 0; i < 24; ++i) {
        FlatMesh m;
        m.Arc(o, 137, 151, a0, a1, kInk);
        m.Arc(o, 139, 149, a0, a1, kTrack);
        m.Arc(o, 139, 149, a0, a0 + (a1 - a0) * static_cast<float>(i + 1) / 24.0f, kBoost);
        c.gaugeA.push_back(c.group.Add(m));
    }
    {
        FlatMesh m;
        m.Arc(o, 137, 151, a0, a1, kInk);
        m.Arc(o, 139, 149, a0, a1, kRed);
        c.gaugeAWarning = c.group.Add(m);
    }
    c.gaugeAPlace = At(0);
    c.gaugeANumber = Number(-118, 128, 0.7f, true);
    // Gauge B: a ring below left; 96 pictures are four turns of 24 fills.
    const Vec2 b{-150, -112};
    std::vector<uint32_t> ring;
    for (int i = 0; i < 24; ++i) {
        FlatMesh m;
        RingGauge(m, b, 16, 24, static_cast<float>(i + 1) / 24.0f, kBoost2);
        ring.push_back(c.group.Add(m));
    }
    for (int i = 0; i < 96; ++i) c.gaugeB.push_back(ring[i % 24]);
    c.gaugeBPlace = At(0);
    {
        FlatMesh m;
        m.Arc(b, 25.5f, 28, 0, 2 * kPi, kBoost2, 48);
        m.Text("B", {b.x + 30, b.y + 14}, 10, 2.0f, kBoost2, 1.0f, kInk);
        c.gaugeBFrames[0] = At(c.group.Add(m));
        FlatMesh n;
        n.Disc(b, 14.5f, 0xE0101418u, 32);
        c.gaugeBFrames[1] = At(c.group.Add(n));
    }
    c.gaugeBNumber = Number(b.x - 0.5f * kDigitAdvance * 0.6f, b.y - kDigitHeight * 0.3f, 0.6f, false);
    FillGroup(c, 112, c.face.model);
    return c;
}

// ---- Belmar: fifteen-block bar with stacked gauges ---------------------------------------
Cockpit BuildBelmar() {
    Cockpit c;
    c.name = "Belmar";
    c.kind = 2;
    c.group.id = 14;
    const uint32_t accent = 0xFFFFD21Eu;
    auto block = [](int i, float* x0, float* y0, float* x1, float* y1) {
        *x0 = -196.0f + 23.0f * static_cast<float>(i);
        *x1 = *x0 + 18.0f;
        *y0 = 44.0f;
        *y1 = 62.0f + 3.0f * static_cast<float>(i);
    };
    for (int i = 0; i < 15; ++i) {
        FlatMesh m;
        m.RoundRect(-212, -118, 158, 126, 14, kInk);
        m.RoundRect(-210, -116, 156, 124, 12, kDial);
        m.Rect(-210, 36, 156, 38, accent);
        for (int k = 0; k < 15; ++k) {
            float x0, y0, x1, y1;
            block(k, &x0, &y0, &x1, &y1);
            m.Rect(x0, y0, x1, y1, k <= i ? MeterColour(accent, k, 15) : kTrack);
        }
        c.meter.push_back({1000.0f * static_cast<float>(i), c.group.Add(m)});
    }
    c.meterPlace = At(0);
    {  // face: block numbers and captions
        FlatMesh m;
        for (int k = 0; k < 15; k += 2) {
            float x0, y0, x1, y1;
            block(k, &x0, &y0, &x1, &y1);
            m.Text(std::to_string(k), {(x0 + x1) / 2, y1 + 6}, 10, 1.8f, kTick, 0, 0, 1);
        }
        m.Text("KM/H", {66, -82}, 11, 2.0f, 0xFFD8DEE6u, 1.2f, kInk, 0);
        m.Text("GEAR", {112, 8}, 9, 1.6f, accent, 0, 0, 1);
        c.face = At(c.group.Add(m));
    }
    c.lamps.push_back(c.group.Add(Lamps({{0, 0}}, 1, 8.0f)));
    c.lampPlace = At(0, -184, -98);
    c.lampSpacing = 24.0f;
    AddDigits(c);
    c.speed = Number(60, -70, 2.0f, true);
    c.state1Number = Number(112 - kDigitAdvance * 0.8f, -40, 1.6f, false);
    AddBodyBadges(c, {0, 0});
    c.state2Place = At(0, -158, 14);
    for (int i = 0; i < 12; ++i) {
        FlatMesh a, b;
        Bar(a, -196, -28, -96, -18, static_cast<float>(i + 1) / 12.0f, kBoost);
        Bar(b, -196, -28, -96, -18, static_cast<float>(i + 1) / 12.0f, kBoost2);
        c.gaugeA.push_back(c.group.Add(a));
        c.gaugeB.push_back(c.group.Add(b));
    }
    FlatMesh wa, wb;
    Bar(wa, -196, -28, -96, -18, 1.0f, kRed);
    Bar(wb, -196, -28, -96, -18, 1.0f, 0xFFFF8020u);
    c.gaugeAWarning = c.group.Add(wa);
    c.gaugeBWarning = c.group.Add(wb);
    c.gaugeAPlace = c.gaugeBPlace = At(0);
    c.gaugeANumber = c.gaugeBNumber = Number(-90, -33, 0.75f, false);
    FillGroup(c, 66, c.face.model);
    return c;
}

// ---- Quessa: segmented arc ---------------------------------------------------------------
Cockpit BuildQuessa() {
    Cockpit c;
    c.name = "Quessa";
    c.kind = 3;
    c.group.id = 15;
    const uint32_t accent = 0xFF1EE6FFu;
    const Vec2 o{0, 0};
    const float a0 = Rad(205), sweep = Rad(230);
    auto seg = [&](int k, float* s0, float* s1) {
        *s0 = a0 - sweep * static_cast<float>(k) / 35.0f - Rad(0.7f);
        *s1 = a0 - sweep * static_cast<float>(k + 1) / 35.0f + Rad(0.7f);
    };
    for (int i = 0; i < 35; ++i) {
        FlatMesh m;
        m.Disc(o, 138, kInk, 72);
        m.Disc(o, 136, kDial, 72);
        for (int k = 0; k < 35; ++k) {
            float s0, s1;
            seg(k, &s0, &s1);
            const float r1 = 126.0f + (k % 5 == 0 ? 4.0f : 0.0f);
            m.Arc(o, 100, r1, s0, s1, k <= i ? MeterColour(accent, k, 35) : kTrack, 3);
        }
        for (int k = 0; k < 35; k += 5) {
            float s0, s1;
            seg(k, &s0, &s1);
            const Vec2 p = Polar(o, 84, (s0 + s1) / 2);
            m.Text(std::to_string(k * 4 / 10), {p.x, p.y - 6}, 12, 2.0f, kTick, 0, 0, 1);
        }
        m.Text("KM/H", {0, -96}, 10, 1.8f, 0xFFD8DEE6u, 0, 0, 1);
        c.meter.push_back({400.0f * static_cast<float>(i), c.group.Add(m)});
    }
    c.meterPlace = At(0);
    AddBodyBadges(c, {0, 0});
    c.state2Place = At(0, 0, 44);
    AddDigits(c);
    c.speed = Number(58, -68, 2.0f, true);
    AddLampPictures(c, {{112, 124}, {134, 110}, {154, 94}});
    c.lampPlace = At(0);
    for (int i = 0; i < 24; ++i) {
        FlatMesh m;
        VBar(m, 152, -110, 166, 60, static_cast<float>(i + 1) / 24.0f, kBoost);
        c.gaugeA.push_back(c.group.Add(m));
    }
    c.gaugeAPlace = At(0);
    c.face = At(0);
    FillGroup(c, 86, c.meter[0].model);
    return c;
}

// ---- Dravik: long slanted bar ------------------------------------------------------------
Cockpit BuildDravik() {
    Cockpit c;
    c.name = "Dravik";
    c.kind = 5;
    c.group.id = 16;
    const uint32_t accent = 0xFFFF3C3Cu;
    const float x0 = -248, x1 = 128, y0 = 40, y1 = 68, lean = 10;
    auto cell = [&](int k, uint32_t colour, FlatMesh& m) {
        const float w = (x1 - x0) / 35.0f;
        const float a = x0 + w * static_cast<float>(k) + 1.0f, b = a + w - 2.0f;
        m.Quad({a, y0}, {b, y0}, {b + lean, y1}, {a + lean, y1}, colour);
    };
    for (int i = 0; i < 35; ++i) {
        FlatMesh m;
        m.RoundRect(-266, -112, 156, 122, 12, kInk);
        m.RoundRect(-264, -110, 154, 120, 10, kDial);
        m.Quad({x0 - 3, y0 - 3}, {x1 + 3, y0 - 3}, {x1 + lean + 3, y1 + 3}, {x0 + lean - 3, y1 + 3}, kInk);
        for (int k = 0; k < 35; ++k) cell(k, k <= i ? MeterColour(accent, k, 35) : kTrack, m);
        for (int k = 0; k < 35; k += 5)
            m.Text(std::to_string(k * 4 / 10), {x0 + (x1 - x0) * k / 35.0f + 10, y1 + 8}, 11, 1.8f, kTick, 0, 0, 1);
        m.Text("KM/H", {100, -96}, 10, 1.8f, 0xFFD8DEE6u, 0, 0, 2);
        m.Text("GEAR", {-244, -26}, 9, 1.6f, accent, 0, 0, 0);
        c.meter.push_back({400.0f * static_cast<float>(i), c.group.Add(m)});
    }
    c.meterPlace = At(0);
    AddLampPictures(c, {{-240, 102}, {-216, 102}, {-192, 102}});
    c.lampPlace = At(0);
    AddDigits(c);
    c.state1 = GearPictures(c);
    c.state1Place = At(0, -244, -68, 1.6f);
    c.speed = Number(100, -68, 2.0f, true);
    for (int i = 0; i < 24; ++i) {
        FlatMesh m;
        Bar(m, x0, 18, x1, 28, static_cast<float>(i + 1) / 24.0f, kBoost);
        c.gaugeA.push_back(c.group.Add(m));
    }
    c.gaugeAPlace = At(0);
    c.gaugeANumber = Number(x1 + 4, 14, 0.65f, false);
    c.face = At(0);
    FillGroup(c, 80, c.meter[0].model);
    return c;
}

// ---- Olvane: half-round needle dial ------------------------------------------------------
float OlvaneAngle(float rpm) { return Rad(180.0f - 180.0f * rpm / 13600.0f); }

Cockpit BuildOlvane() {
    Cockpit c;
    c.name = "Olvane";
    c.kind = 3;
    c.group.id = 17;
    const uint32_t accent = 0xFF50FF78u;
    const Vec2 o{0, -10};
    for (int i = 0; i < 35; ++i) {
        const float rpm = 400.0f * static_cast<float>(i);
        const float a = OlvaneAngle(rpm);
        FlatMesh m;
        m.RoundRect(-182, -140, 182, -4, 14, kInk);
        m.RoundRect(-180, -138, 180, -6, 12, kDial);
        m.Arc(o, 0, 148, 0, kPi, kInk, 64);
        m.Arc(o, 0, 146, 0, kPi, kDial, 64);
        m.Arc(o, 126, 134, OlvaneAngle(11200), 0, kRed);
        for (int r = 0; r <= 13600; r += 800) {
            const float t = OlvaneAngle(static_cast<float>(r));
            m.Capsule(Polar(o, r % 1600 == 0 ? 118.0f : 124.0f, t), Polar(o, 134, t), r % 1600 == 0 ? 1.8f : 1.0f,
                      kTick);
        }
        for (int k = 0; k <= 12; k += 4) {
            const Vec2 p = Polar(o, 98, OlvaneAngle(1000.0f * k));
            m.Text(std::to_string(k), {p.x, p.y - 6}, 13, 2.2f, kWhite, 1.0f, kInk, 1);
        }
        if (i > 0) m.Arc(o, 104, 114, OlvaneAngle(0), a, (accent & 0x00FFFFFFu) | 0x90000000u);
        m.Capsule(Polar(o, 30, a), Polar(o, 132, a), 4.6f, kInk);
        m.Capsule(Polar(o, 30, a), Polar(o, 132, a), 2.8f, MeterColour(accent, i, 35));
        m.Disc(o, 16, kInk, 32);
        m.Disc(o, 13, 0xFF1A1E24u, 32);
        m.Arc(o, 9, 13, 0, 2 * kPi, accent, 32);
        m.Text("KM/H", {168, -130}, 10, 1.8f, 0xFFD8DEE6u, 0, 0, 2);
        m.Text("GEAR", {-166, -84}, 9, 1.6f, accent, 0, 0, 0);
        c.meter.push_back({rpm, c.group.Add(m)});
    }
    c.meterPlace = At(0);
    AddBodyBadges(c, {0, 0});
    c.state2Place = At(0, -118, -26);
    AddLampPictures(c, {{98, -26}, {122, -26}, {146, -26}});
    c.lampPlace = At(0);
    AddDigits(c);
    c.state1 = GearPictures(c);
    c.state1Place = At(0, -166, -126, 1.5f);
    c.speed = Number(84, -104, 2.0f, true);
    for (int i = 0; i < 24; ++i) {
        FlatMesh m;
        const float x = -96.0f + 8.0f * static_cast<float>(i);
        m.Rect(x - 1, -134, x + 7, -122, kInk);
        m.Rect(x, -133, x + 6, -123, i >= 18 ? kBoost2 : kBoost);
        c.gaugeA.push_back(c.group.Add(m));
    }
    c.gaugeAPlace = At(0);
    c.gaugeANumber = Number(98, -138, 0.6f, false);
    c.face = At(0);
    FillGroup(c, 83, c.meter[0].model);
    return c;
}

// ---- Prentis: climbing quarter arc -------------------------------------------------------
float PrentisAngle(float rpm) { return Rad(235.0f - 140.0f * rpm / 13600.0f); }

Cockpit BuildPrentis() {
    Cockpit c;
    c.name = "Prentis";
    c.kind = 3;
    c.group.id = 18;
    const uint32_t accent = 0xFFB478FFu;
    const Vec2 o{20, -30};
    // The speed is drawn before the meter: the meter leaves its place free and
    // floats on a dark backing of its own.
    for (int i = 0; i < 35; ++i) {
        FlatMesh m;
        m.Arc(o, 118, 158, PrentisAngle(-300), PrentisAngle(14000), 0xB80C1016u);
        for (int k = 0; k < 35; ++k) {
            const float s0 = PrentisAngle(400.0f * k) - Rad(0.5f), s1 = PrentisAngle(400.0f * (k + 1)) + Rad(0.5f);
            const float w = 12.0f + 12.0f * static_cast<float>(k) / 34.0f;
            m.Arc(o, 152 - w, 154, s0, s1, k <= i ? MeterColour(accent, k, 35) : kTrack, 2);
        }
        for (int k = 0; k <= 12; k += 4) {
            const Vec2 p = Polar(o, 108, PrentisAngle(1000.0f * k));
            m.Text(std::to_string(k), {p.x, p.y - 6}, 12, 2.0f, kTick, 1.0f, kInk, 1);
        }
        m.Text("KM/H", {154, -50}, 10, 1.8f, 0xFFD8DEE6u, 1.0f, kInk, 2);
        m.Text("GEAR", {8, 74}, 9, 1.6f, accent, 1.0f, kInk, 0);
        c.meter.push_back({400.0f * static_cast<float>(i), c.group.Add(m)});
    }
    c.meterPlace = At(0);
    AddDigits(c);
    c.speed = Number(154, -30, 2.0f, true);
    c.state1 = GearPictures(c);
    c.state1Place = At(0, 8, 34, 1.5f);
    AddLampPictures(c, {{-36, -150}, {-12, -150}, {12, -150}});
    c.lampPlace = At(0);
    const Vec2 g{110, 70};
    for (int i = 0; i < 24; ++i) {
        FlatMesh m;
        RingGauge(m, g, 20, 30, static_cast<float>(i + 1) / 24.0f, kBoost);
        c.gaugeA.push_back(c.group.Add(m));
    }
    c.gaugeAPlace = At(0);
    c.face = At(0);
    FillGroup(c, 83, c.meter[0].model);
    return c;
}

// ---- group 12: the view frames -----------------------------------------------------------
// Positions of group 12 (0-based) the race display makes: the second view's frame (3) and
// the mirrored view's frame (7). The course maps and markers of the group are the course art's.
constexpr int kSecondViewFrame = 3;
constexpr int kMirrorFrame = 7;

// A unit quad showing a view picture (its own picture comes from sampler 12).
FlatMesh ViewQuad(float w, float h) {
    FlatMesh m;
    m.Rect(-w / 2, -h / 2, w / 2, h / 2, 0xFFFFFFFFu);
    return m;
}

// The mirrored view's frame: the picture (untextured, so the view on sampler 12 shows through), a
// brushed-metal bezel round it and a cyan line along the bezel's outer edge, as the other panels
// of the display are edged. The picture spans 1.2 x 0.6 units; the bezel and the line lie outside
// it and never overlap it (the view layers draw without depth).
zfmt::Bytes MirrorFrame() {
    constexpr float kHalfW = 0.6f, kHalfH = 0.3f;
    constexpr float kBezel = 0.05f, kLine = 0.035f;
    constexpr int kCornerSteps = 6;
    std::vector<zfmt::BinaryMeshVertex> v;
    std::vector<uint16_t> idx;
    std::vector<uint32_t> attr;
    auto vertex = [&](float x, float y, float u, float w, uint32_t argb) {
        zfmt::BinaryMeshVertex x0;
        x0.position[0] = x;
        x0.position[1] = y;
        x0.normal[2] = -1.0f;
        x0.tangent[0] = 1.0f;
        x0.colour = argb;
        x0.uv0[0] = x0.uv1[0] = u;
        x0.uv0[1] = x0.uv1[1] = w;
        v.push_back(x0);
        return static_cast<uint16_t>(v.size() - 1);
    };
    auto quad = [&](uint16_t a, uint16_t b, uint16_t c, uint16_t d, uint32_t material) {
        for (uint16_t i : {a, b, c, a, c, d}) idx.push_back(i);
        attr.push_back(material);
        attr.push_back(material);
    };
    // The picture, its texture coordinates as the second view's quad has them.
    const uint16_t p0 = vertex(-kHalfW, -kHalfH, 1, 1, kWhite), p1 = vertex(kHalfW, -kHalfH, 0, 1, kWhite);
    const uint16_t p2 = vertex(kHalfW, kHalfH, 0, 0, kWhite), p3 = vertex(-kHalfW, kHalfH, 1, 0, kWhite);
    quad(p0, p1, p2, p3, 0);
    // A band between offsets t0 and t1 round the picture (its corners rounded), as quads.
    struct Edge {
        float x, y, nx, ny, along;
    };
    std::vector<Edge> edge;
    const float corners[4][2] = {{kHalfW, kHalfH}, {-kHalfW, kHalfH}, {-kHalfW, -kHalfH}, {kHalfW, -kHalfH}};
    float along = 0.0f;
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i <= kCornerSteps; ++i) {
            const float a = kPi / 2 * (static_cast<float>(k) + static_cast<float>(i) / kCornerSteps);
            const Edge e{corners[k][0], corners[k][1], std::cos(a), std::sin(a), 0.0f};
            if (!edge.empty()) along += std::hypot(e.x - edge.back().x, e.y - edge.back().y) + 0.01f;
            edge.push_back(e);
            edge.back().along = along;
        }
    auto band = [&](float t0, float t1, uint32_t material, bool acrossUv, uint32_t inner, uint32_t outer) {
        const size_t n = edge.size();
        std::vector<uint16_t> in, out;
        for (const Edge& e : edge) {
            const float xi = e.x + e.nx * t0, yi = e.y + e.ny * t0, xo = e.x + e.nx * t1, yo = e.y + e.ny * t1;
            // Light from above: the upper side of the bezel brighter than the lower.
            const float lift = 0.85f + 0.15f * e.ny;
            if (acrossUv) {
                in.push_back(vertex(xi, yi, 0.0f, e.along * 4.0f, inner));
                out.push_back(vertex(xo, yo, 1.0f, e.along * 4.0f, outer));
            } else {
                in.push_back(vertex(xi, yi, xi * 2.0f, yi * 2.0f, Shade(inner, lift)));
                out.push_back(vertex(xo, yo, xo * 2.0f, yo * 2.0f, Shade(outer, lift)));
            }
        }
        for (size_t i = 0; i < n; ++i) {
            const size_t j = (i + 1) % n;
            quad(in[i], out[i], out[j], in[j], material);
        }
    };
    band(0.0f, kBezel, 1, false, 0xFFB4BAC4u, kWhite);
    band(kBezel, kBezel + kLine, 2, true, 0xFF40E8FFu, 0xFF40E8FFu);
    // Both sides, as the display's other flat models.
    const size_t front = idx.size();
    for (size_t t = 0; t + 2 < front; t += 3) {
        idx.push_back(idx[t]);
        idx.push_back(idx[t + 2]);
        idx.push_back(idx[t + 1]);
    }
    const size_t faces = attr.size();
    for (size_t f = 0; f < faces; ++f) attr.push_back(attr[f]);
    auto material = [](const char* texture) {
        zfmt::MaterialRecord m;
        for (int k = 0; k < 4; ++k) m.diffuse[k] = m.ambient[k] = 1.0f;
        m.emissive[3] = 1.0f;
        m.shaderKind = 21;
        m.featureFlags = 0x400;  // vertex colours
        if (texture) {
            m.stages[0].type = 1;
            m.stages[0].fileName = texture;
            m.featureFlags |= 1u;
        }
        return m;
    };
    return zfmt::WriteBinaryMesh(
        v, idx, attr, {},
        {material(nullptr), material("F_CMN_mirror_frame.dds"), material("F_CMN_map_line_ALPHA.dds")});
}

constexpr int kSpareCockpitGroup = 19;
constexpr int kSpareCockpitModels = 60;  // its group's model count

struct Hud {
    Cockpit cockpits[kCockpitFamilies];
    // Group 19, the cockpit group no machine family draws: a whole cockpit of its own build, so its
    // bank holds working race-display parts.
    Cockpit spare;
    zfmt::Bytes secondViewFrame, mirrorFrame;
};

const Hud& Content() {
    static const Hud hud = [] {
        Hud h;
        h.cockpits[0] = BuildTorvin();
        h.cockpits[1] = BuildBelmar();
        h.cockpits[2] = BuildQuessa();
        h.cockpits[3] = BuildDravik();
        h.cockpits[4] = BuildOlvane();
        h.cockpits[5] = BuildPrentis();
        h.spare = BuildOlvane();
        h.spare.name = "Fendrake";
        h.spare.group.id = kSpareCockpitGroup;
        h.spare.group.models.resize(kSpareCockpitModels);
        h.spare.group.count = kSpareCockpitModels;
        h.secondViewFrame = ViewQuad(1, 1).YbmWithViewUv(21);
        h.mirrorFrame = MirrorFrame();
        return h;
    }();
    return hud;
}

// ---- emission ----------------------------------------------------------------------------
std::string F(float v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    std::string s = buf;
    if (s.find_first_of(".en") == std::string::npos) s += ".0";
    return s + "f";
}

struct Emitter {
    std::ostream& h;
    int first;
    uint32_t Slot(uint32_t id) const { return id ? static_cast<uint32_t>(first) + id - 1 : 0u; }
    std::string Layout(const HudModelLayout& l) const {
        return "{" + std::to_string(Slot(l.model)) + "u, " + F(l.x) + ", " + F(l.y) + ", " + F(l.z) + ", " +
               F(l.scale) + ", " + F(l.angleY) + ", " + F(l.angleX) + "}";
    }
    std::string Number(const HudNumberLayout& n) const {
        return "{" + Layout(n.place) + ", " + F(n.x) + ", " + F(n.y) + ", " + F(n.advance) + ", " + F(n.scale) + ", " +
               std::to_string(n.rightAlign) + "u}";
    }
    // An array of slots named `name`, or "nullptr" when empty; returns the expression.
    std::string Slots(const std::string& name, const std::vector<uint32_t>& ids) const {
        if (ids.empty()) return "nullptr";
        h << "constexpr uint32_t " << name << "[" << ids.size() << "] = {";
        for (size_t i = 0; i < ids.size(); ++i) h << (i ? ", " : "") << Slot(ids[i]) << "u";
        h << "};\n";
        return name;
    }
    std::string Set(const std::string& array, const std::vector<uint32_t>& ids, const HudModelLayout& place) const {
        return "{" + array + ", " + std::to_string(ids.size()) + ", " + Layout(place) + "}";
    }
};

}  // namespace

bool HudModelBytes(int group, int position, zfmt::Bytes* out) {
    const Hud& hud = Content();
    if (group == 12) {
        if (position != kSecondViewFrame && position != kMirrorFrame) return false;
        *out = position == kSecondViewFrame ? hud.secondViewFrame : hud.mirrorFrame;
        return true;
    }
    const Cockpit* found = group == kSpareCockpitGroup ? &hud.spare : nullptr;
    for (const Cockpit& c : hud.cockpits)
        if (c.group.id == group) found = &c;
    if (!found || position < 0 || position >= static_cast<int>(found->group.models.size())) return false;
    *out = found->group.models[position];
    return true;
}

void WriteCockpitTables(std::ostream& h, const std::vector<int>& firstSlot) {
    const Hud& hud = Content();
    h << "\n#include \"table/RaceDisplayTables.h\"\n\nnamespace content {\nnamespace hud {\n\n"
      << "// Cockpit tables of the six families, made with their models.\n";
    for (const Cockpit& c : hud.cockpits) {
        const Emitter e{h, firstSlot[c.group.id]};
        const std::string n = c.name;
        h << "constexpr HudMeterStep k" << n << "Meter[" << c.meter.size() << "] = {";
        for (size_t i = 0; i < c.meter.size(); ++i)
            h << (i ? ", " : "") << "{" << F(c.meter[i].threshold) << ", " << e.Slot(c.meter[i].model) << "u}";
        h << "};\n";
        const std::string lamps = e.Slots("k" + n + "Lamps", c.lamps);
        const std::string digits = e.Slots("k" + n + "Digits", c.digits);
        const std::string s1 = e.Slots("k" + n + "State1", c.state1);
        const std::string s2 = e.Slots("k" + n + "State2", c.state2);
        const std::string ga = e.Slots("k" + n + "GaugeA", c.gaugeA);
        const std::string gb = e.Slots("k" + n + "GaugeB", c.gaugeB);
        h << "constexpr CockpitTables k" << n << " = {\n    " << c.kind << ", " << c.group.id << ", k" << n << "Meter, "
          << c.meter.size() << ", " << e.Layout(c.meterPlace) << ",\n    " << e.Layout(c.face) << ", {"
          << e.Layout(c.fixed[0]) << ", " << e.Layout(c.fixed[1]) << "},\n    " << lamps << ", " << c.lamps.size()
          << ", " << e.Layout(c.lampPlace) << ", " << F(c.lampSpacing) << ",\n    " << digits << ", "
          << e.Number(c.speed) << ",\n    " << e.Set(s1, c.state1, c.state1Place) << ", " << e.Number(c.state1Number)
          << ",\n    " << e.Set(s2, c.state2, c.state2Place) << ",\n    " << e.Set(ga, c.gaugeA, c.gaugeAPlace) << ", "
          << e.Slot(c.gaugeAWarning) << "u, " << e.Number(c.gaugeANumber) << ",\n    "
          << e.Set(gb, c.gaugeB, c.gaugeBPlace) << ", " << e.Slot(c.gaugeBWarning) << "u, " << e.Number(c.gaugeBNumber)
          << ",\n    {" << e.Layout(c.gaugeBFrames[0]) << ", " << e.Layout(c.gaugeBFrames[1]) << "}};\n\n";
    }
    h << "}  // namespace hud\n}  // namespace content\n";
}

}  // namespace contentgen
