// CourseGarage.cpp -- the garage studio: floor, turntable, backdrop, light rigs, cabinets and walls.
#include "course/CourseGarage.h"

#include <cmath>

#include "course/CourseMesh.h"
#include "course/CourseSky.h"

namespace contentgen {

namespace {

constexpr float kTableRadius = 120.0f;
constexpr float kTableTop = 0.8f;  // the machine stands one unit above the floor
constexpr float kRoom = 1100.0f;   // the walls' distance from the turntable
constexpr float kCeiling = 620.0f;

// A flat ring between radii r0 and r1 at height y, facing up, in `segments` pieces.
void Ring(CourseMesh& m, float r0, float r1, float y, int segments, Rgb a, Rgb b) {
    for (int k = 0; k < segments; ++k) {
        const float t0 = 2 * kPi * k / segments, t1 = 2 * kPi * (k + 1) / segments;
        auto p = [&](float t, float r) { return V3{std::cos(t) * r, y, std::sin(t) * r}; };
        m.QuadFacing(p(t0, r0), p(t1, r0), p(t1, r1), p(t0, r1), k % 2 ? a : b, V3{0, 1, 0});
    }
}

void Turntable(CourseMesh& top, CourseMesh& rim) {
    top.Use(Finish::Lit, Hex(0x5A5E68));
    Ring(top, 0.0f, kTableRadius * 0.35f, kTableTop, 24, Hex(0x50545E), Hex(0x5A5E68));
    Ring(top, kTableRadius * 0.35f, kTableRadius * 0.95f, kTableTop, 24, Hex(0x3E424A), Hex(0x4A4E58));
    top.Use(Finish::Glow, Hex(0x8FE4FF));
    Ring(top, kTableRadius * 0.33f, kTableRadius * 0.37f, kTableTop + 0.05f, 48, Hex(0x8FE4FF), Hex(0x8FE4FF));
    rim.Use(Finish::Lit, Hex(0x2A2C32));
    rim.Round(Frame{}, 48, kTableRadius * 1.06f, kTableRadius * 0.95f, 0.0f, kTableTop, Hex(0x2A2C32), false);
    rim.Use(Finish::Glow, Hex(0x3DB8FF));
    Ring(rim, kTableRadius * 1.06f, kTableRadius * 1.12f, 0.3f, 64, Hex(0x3DB8FF), Hex(0x3DB8FF));
}

void Floor(CourseMesh& floor, CourseMesh& marks) {
    // Concentric bands, darker toward the walls.
    floor.Use(Finish::Lit, Hex(0x34363C));
    float r0 = kTableRadius * 1.12f;
    for (int band = 0; band < 8; ++band) {
        const float r1 = r0 + 140.0f + band * 60.0f;
        const Rgb c = Mix(Hex(0x4A4C54), Hex(0x24262C), static_cast<float>(band) / 7.0f);
        Ring(floor, r0, r1, 0.0f, 48, c, Scale(c, 0.97f));
        r0 = r1;
    }
    Ring(floor, r0, 3000.0f, 0.0f, 24, Hex(0x202226), Hex(0x1E2024));
    // Guide marks: a ring of short dashes round the turntable.
    marks.Use(Finish::Glow, Hex(0xF2F4F8));
    for (int k = 0; k < 48; k += 2) {
        const float t0 = 2 * kPi * k / 48, t1 = 2 * kPi * (k + 1) / 48;
        auto p = [&](float t, float r) { return V3{std::cos(t) * r, 0.2f, std::sin(t) * r}; };
        marks.QuadFacing(p(t0, 330.0f), p(t1, 330.0f), p(t1, 338.0f), p(t0, 338.0f), Hex(0xF2F4F8), V3{0, 1, 0});
    }
}

// The curved backdrop behind the turntable: a cove rising from the floor into a half circle of wall.
void Backdrop(CourseMesh& m) {
    m.Use(Finish::Lit, Hex(0xD8DAE0));
    const float wall = kRoom * 0.8f, cove = 180.0f;
    struct Step {
        float r, y, a;  // distance, height, the profile's slope angle (0 floor, pi/2 wall)
    };
    std::vector<Step> profile;
    for (int j = 0; j <= 4; ++j) {
        const float a = 0.5f * kPi * static_cast<float>(j) / 4;
        profile.push_back({wall - cove + cove * std::sin(a), cove * (1 - std::cos(a)), a});
    }
    profile.push_back({wall, 560.0f, 0.5f * kPi});
    const int segments = 24;
    const int rows = static_cast<int>(profile.size());
    std::vector<int> idx;
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i <= segments; ++i) {
            const float t = kPi * (0.1f + 0.8f * static_cast<float>(i) / segments);  // the +z half
            const Step& s = profile[static_cast<std::size_t>(j)];
            const V3 p{std::cos(t) * s.r, s.y, std::sin(t) * s.r};
            const V3 n{-std::cos(t) * std::sin(s.a), std::cos(s.a), -std::sin(t) * std::sin(s.a)};
            idx.push_back(m.Vertex(p, n, Mix(Hex(0xE4E6EC), Hex(0xB0B4C0), s.y / 560.0f)));
        }
    for (int j = 0; j + 1 < rows; ++j)
        for (int i = 0; i < segments; ++i) {
            const int a = idx[j * (segments + 1) + i], b = idx[j * (segments + 1) + i + 1];
            const int c = idx[(j + 1) * (segments + 1) + i + 1], d = idx[(j + 1) * (segments + 1) + i];
            const float t = kPi * (0.1f + 0.8f * (i + 0.5f) / segments);
            const V3 inward{-std::cos(t), 0.6f, -std::sin(t)};
            m.IndexFacing(a, b, c, inward);
            m.IndexFacing(a, c, d, inward);
        }
}

void LightStand(CourseMesh& m, V3 at) {
    const Rgb metal = Hex(0x2C2E34);
    m.Use(Finish::Lit, metal);
    for (int k = 0; k < 3; ++k) {
        const float a = 2 * kPi * k / 3;
        const V3 foot = at + V3{std::cos(a) * 60.0f, 0, std::sin(a) * 60.0f};
        m.Box(Frame::Facing(0.5f * (foot + at), at - foot), 6, 6, 70, metal, true);
    }
    m.Prism(Frame::Upright(at, 0), 4, 5, 4, 300.0f, metal, true);
    // The softbox turned toward the turntable.
    const V3 head = at + V3{0, 300, 0};
    Frame f = Frame::Facing(head, V3{-at.x, 0, -at.z});
    m.Use(Finish::Lit, Hex(0x1A1A1E));
    m.Box(f, 120, 90, 50, Hex(0x1A1A1E), true);
    m.Use(Finish::Glow, Hex(0xFFF6E0));
    m.QuadFacing(f.At(-55, 5, 26), f.At(55, 5, 26), f.At(55, 85, 26), f.At(-55, 85, 26), Hex(0xFFF6E0), f.ahead);
}

void CeilingPanel(CourseMesh& m, V3 centre, float w, float d) {
    m.Use(Finish::Lit, Hex(0x303238));
    m.Box(Frame::Upright(centre + V3{0, 4, 0}, 0), w + 20, 20, d + 20, Hex(0x303238));
    m.Use(Finish::Glow, Hex(0xF6F8FF));
    m.QuadFacing(centre + V3{-w / 2, 3, -d / 2}, centre + V3{w / 2, 3, -d / 2}, centre + V3{w / 2, 3, d / 2},
                 centre + V3{-w / 2, 3, d / 2}, Hex(0xF6F8FF), V3{0, -1, 0});
}

void Truss(CourseMesh& m) {
    const Rgb metal = Hex(0x44464E);
    m.Use(Finish::Lit, metal);
    for (float x : {-300.0f, 300.0f}) m.Box(Frame::Upright(V3{x, kCeiling - 40, 0}, 0), 24, 24, 900, metal, true);
    for (float z : {-300.0f, 300.0f}) m.Box(Frame::Upright(V3{0, kCeiling - 40, z}, kPi / 2), 24, 24, 900, metal, true);
    for (float x : {-420.0f, 420.0f})
        for (float z : {-420.0f, 420.0f}) m.Box(Frame::Upright(V3{x, kCeiling - 40, z}, 0), 14, 60, 14, metal);
}

void Cabinets(CourseMesh& m) {
    const Rgb red = Hex(0xC8281E), steel = Hex(0xB8BCC4);
    for (int k = 0; k < 5; ++k) {
        Frame f = Frame::Upright(V3{-700.0f + k * 70.0f, 0, -kRoom * 0.75f}, 0);
        m.Use(Finish::Lit, red);
        m.Box(f, 64, 100, 50, red);
        m.Use(Finish::Lit, steel);
        for (int d = 0; d < 4; ++d)
            m.QuadFacing(f.At(-26, 14 + d * 22, -25.5f), f.At(26, 14 + d * 22, -25.5f), f.At(26, 18 + d * 22, -25.5f),
                         f.At(-26, 18 + d * 22, -25.5f), steel, V3{0, 0, -1});
    }
}

void Tyres(CourseMesh& m) {
    m.Use(Finish::Lit, Hex(0x18181A));
    for (int s = 0; s < 3; ++s)
        for (int k = 0; k < 4; ++k) {
            Frame f = Frame::Upright(V3{650.0f + s * 70.0f, k * 22.0f, -kRoom * 0.72f}, 0);
            m.Round(f, 12, 30, 30, 0, 20, Hex(0x18181A), true);
        }
}

void Boards(CourseMesh& m) {
    const Rgb accents[3] = {Hex(0xE8401C), Hex(0x2A66C8), Hex(0xF4C430)};
    for (int k = 0; k < 3; ++k) {
        const float t = kPi * (0.3f + 0.2f * k);
        const float r = kRoom * 0.8f - 12.0f;
        Frame f = Frame::Facing(V3{std::cos(t) * r, 260, std::sin(t) * r}, V3{std::cos(t), 0, std::sin(t)});
        m.Use(Finish::Glow, accents[k]);
        m.QuadFacing(f.At(-110, 0, 0), f.At(110, 0, 0), f.At(110, 50, 0), f.At(-110, 50, 0), accents[k],
                     f.ahead * -1.0f);
    }
}

void Spots(CourseMesh& m) {
    for (int k = 0; k < 8; ++k) {
        const float t = 2 * kPi * k / 8;
        const V3 p{std::cos(t) * 200.0f, 0, std::sin(t) * 200.0f};
        m.Use(Finish::Lit, Hex(0x2A2C30));
        m.Box(Frame::Upright(p, t), 16, 8, 16, Hex(0x2A2C30));
        m.Use(Finish::Glow, Hex(0xFFF2C8));
        m.QuadFacing(p + V3{-5, 8.2f, -5}, p + V3{5, 8.2f, -5}, p + V3{5, 8.2f, 5}, p + V3{-5, 8.2f, 5}, Hex(0xFFF2C8),
                     V3{0, 1, 0});
    }
}

// A wall of the room at angle `t` (its middle), with a lit strip along its top.
void Wall(CourseMesh& m, float t, float width, Rgb colour) {
    Frame f = Frame::Facing(V3{std::cos(t) * kRoom, 0, std::sin(t) * kRoom}, V3{std::cos(t), 0, std::sin(t)});
    m.Use(Finish::Lit, colour);
    m.QuadFacing(f.At(-width / 2, 0, 0), f.At(width / 2, 0, 0), f.At(width / 2, kCeiling, 0),
                 f.At(-width / 2, kCeiling, 0), colour, f.ahead * -1.0f);
    m.Use(Finish::Glow, Hex(0x9FD8FF));
    m.QuadFacing(f.At(-width / 2, kCeiling - 30, -1), f.At(width / 2, kCeiling - 30, -1),
                 f.At(width / 2, kCeiling - 18, -1), f.At(-width / 2, kCeiling - 18, -1), Hex(0x9FD8FF),
                 f.ahead * -1.0f);
}

}  // namespace

SkyStyle StudioSky() {
    SkyStyle studio;
    studio.zenith = Hex(0x6A6E78);
    studio.horizon = Hex(0x2A2C32);
    studio.below = Hex(0x1C1D22);
    studio.sun = {0, 1, 0};
    studio.sunColour = Hex(0xF6F8FF);
    studio.sunDisc = 0.35f;
    studio.sunGlow = 0.6f;
    studio.cloudCover = 0;
    return studio;
}

void MakeGarage(const GroupSpec& spec, Output& out) {
    std::vector<CourseMesh> m(static_cast<std::size_t>(spec.count));
    if (spec.count != 21) {
        out.Fail("garage: 21 models expected");
        return;
    }
    auto at = [&](int position) -> CourseMesh& { return m[static_cast<std::size_t>(position - 1)]; };
    Turntable(at(1), at(2));
    Floor(at(3), at(4));
    Backdrop(at(5));
    LightStand(at(6), V3{-460, 0, 120});
    LightStand(at(7), V3{460, 0, 120});
    CeilingPanel(at(8), V3{-300, kCeiling - 60, -300}, 240, 140);
    CeilingPanel(at(9), V3{300, kCeiling - 60, -300}, 240, 140);
    CeilingPanel(at(10), V3{-300, kCeiling - 60, 300}, 240, 140);
    CeilingPanel(at(11), V3{300, kCeiling - 60, 300}, 240, 140);
    Truss(at(12));
    Cabinets(at(13));
    Tyres(at(14));
    Boards(at(15));
    Spots(at(18));
    Wall(at(19), -kPi / 2, 2 * kRoom, Hex(0x3A3D46));
    Wall(at(20), kPi, 2 * kRoom, Hex(0x34373F));
    Wall(at(21), 0, 2 * kRoom, Hex(0x34373F));
    // Cube-map parts: the room and its lights, for reflections.
    const V3 down{0, 1, 0};
    for (int p : {19, 20, 21, 5}) at(16).Append(at(p).CubeFaceCopy(down));
    for (int p : {8, 9, 10, 11, 6, 7, 3}) at(17).Append(at(p).CubeFaceCopy(down));

    BankOutput& bank = out.AddBank(spec.modelBank, DefaultBankKey(spec.modelBank), BankDirectory::Paths);
    bank.KeepOrder();
    bank.ExpectCount(spec.count);
    for (int p = 1; p <= spec.count; ++p) {
        zfmt::Bytes bytes = at(p).Write();
        if (bytes.empty()) out.Fail("garage: model " + std::to_string(p) + " is empty");
        bank.Add(spec.folder + "\\model\\" + spec.files[static_cast<std::size_t>(p - 1)], std::move(bytes));
    }
}

}  // namespace contentgen
