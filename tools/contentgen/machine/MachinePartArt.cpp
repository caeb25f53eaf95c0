// MachinePartArt.cpp -- the attached parts of the machines by role, their far models and the effect group's flames.
#include <algorithm>
#include <cmath>

#include "machine/MachineArt.h"

namespace contentgen {

namespace {

constexpr float kPi = 3.14159265f;

float Channel(uint32_t rgb, int shift) { return static_cast<float>((rgb >> shift) & 0xFF) / 255.0f; }

// The drive pose: pose 1 for machines that change between poses 0 and 1, else pose 0.
int DrivePose(const MachineDescription& d) { return d.transition >= 2 ? 1 : 0; }

float WheelRadius(const MachineDescription& d, const MachinePart& p) {
    if (p.kind >= 10 && p.kind <= 13) return std::max(d.wheelPos[p.kind - 10][0][1], 0.5f);
    return std::max(p.pos[1], 0.5f);
}

float WheelWidth(const MachineDescription& d, float r) {
    const float k = d.family == Family::Quessa ? 1.05f : (d.family == Family::Dravik ? 0.8f : 0.72f);
    return r * k + 0.5f;
}

void Wheel(MeshBuilder& mb, float r, float w, int sides) {
    mb.CylinderX(r, w, sides, livery::kTyre, livery::kRim, kMatDark, kMatMetal);
    mb.CylinderX(r * 0.28f, w + 0.3f, 8, livery::kMetal, livery::kTrim, kMatMetal, kMatDark);
}

// A ducted fan facing along X: cowl ring and six blades in the YZ plane.
void Fan(MeshBuilder& mb, float r) {
    mb.Push(Place::RotY(kPi * 0.5f));
    mb.RingZ(r * 0.85f, r, r * 0.7f, 14, livery::kStripe, kMatPaint);
    mb.DiscZ(r * 0.25f, 0.05f, 8, 1, livery::kMetal, kMatMetal);
    mb.DiscZ(r * 0.25f, -0.05f, 8, -1, livery::kMetal, kMatMetal);
    for (int b = 0; b < 6; ++b) {
        mb.Push(Place::RotZ(2.0f * kPi * static_cast<float>(b) / 6.0f) * Place::RotY(0.35f));
        mb.Box(V3(0.2f, -r * 0.12f, -0.05f), V3(r * 0.84f, r * 0.12f, 0.05f), livery::kBlade, kMatMetal);
        mb.Pop();
    }
    mb.Pop();
}

void Flame(MeshBuilder& mb, uint32_t tint, float len, float r) {
    const float tr = Lerp(Channel(tint, 16), 1.0f, 0.45f), tg = Lerp(Channel(tint, 8), 1.0f, 0.45f),
                tb = Lerp(Channel(tint, 0), 1.0f, 0.45f);
    mb.TubeZ(r, r * 0.12f, 0.1f, len, 10, livery::kFlame, kMatFlame, Argb(0.8f, tr, tg, tb), Argb(0.0f, tr, tg, tb));
    mb.TubeZ(r * 0.55f, 0.05f, 0.1f, len * 0.55f, 8, livery::kFlame, kMatFlame, Argb(0.95f, 1, 1, 1),
             Argb(0.1f, tr, tg, tb));
}

}  // namespace

void BuildPart(const MachineDescription& d, const MachinePart& part, bool lit, MeshBuilder& mb) {
    const std::string& role = part.role;
    const BodyParams drive = FamilyPose(d, DrivePose(d));
    if (role == "wheel" || role == "nosewheel") {
        const float r = WheelRadius(d, part);
        Wheel(mb, r, role == "nosewheel" ? 1.2f : WheelWidth(d, r), 18);
    } else if (role == "brake") {
        const float r = WheelRadius(d, part);
        const float w = WheelWidth(d, r);
        mb.CylinderX(r * 0.42f, w + 0.5f, 12, lit ? livery::kGlow : livery::kMetal, lit ? livery::kGlow : livery::kVent,
                     lit ? kMatGlow : kMatMetal, lit ? kMatGlow : kMatDark);
    } else if (role == "lamp") {
        mb.Box(V3(-1.5f, -0.55f, -0.6f), V3(1.5f, 0.55f, 0.1f), livery::kTrim, kMatDark);
        mb.Box(V3(-1.3f, -0.4f, 0.0f), V3(1.3f, 0.4f, 0.3f), lit ? livery::kLampOn : livery::kLampOff,
               lit ? kMatGlow : kMatPaint);
    } else if (role == "flame") {
        Flame(mb, d.stripe, d.family == Family::Dravik ? 13.0f : 9.0f, d.family == Family::Dravik ? 1.9f : 1.2f);
    } else if (role == "nozzle") {
        mb.RingZ(1.0f, 1.6f, 1.0f, 14, livery::kMetal, kMatMetal);
        mb.DiscZ(1.0f, -0.2f, 14, 1, livery::kHot, kMatGlow);
    } else if (role == "fan") {
        Fan(mb, part.pos[0] == 0 ? 1.4f : 1.7f);
    } else if (role == "turbine") {
        // A rotor drum between two painted end caps; its vanes show the turning.
        mb.CylinderX(1.2f, 3.2f, 12, livery::kMetal, livery::kHot, kMatMetal, kMatGlow);
        for (int b = 0; b < 6; ++b) {
            mb.Push(Place::RotX(2.0f * kPi * static_cast<float>(b) / 6.0f));
            mb.Box(V3(-1.5f, 1.0f, -0.14f), V3(1.5f, 1.5f, 0.14f), livery::kTrim, kMatDark);
            mb.Pop();
        }
        for (int s = -1; s <= 1; s += 2) {
            mb.Push(Place::At(V3(static_cast<float>(s) * 1.9f, 0, 0)));
            mb.CylinderX(1.7f, 0.6f, 14, livery::kStripe, livery::kTeam, kMatPaint, kMatPaint);
            mb.Pop();
        }
    } else if (role == "canard" || role == "splitter") {
        const float span = role == "canard" ? 4.8f : 7.0f, chord = role == "canard" ? 2.0f : 2.4f;
        for (int s = -1; s <= 1; s += 2) {
            const float sf = static_cast<float>(s);
            mb.Plate({V3(0, 0, -chord * 0.5f), V3(sf * span, 0, -chord * 0.1f), V3(sf * span, 0, chord * 0.6f),
                      V3(0, 0, chord * 0.5f)},
                     0.3f, role == "canard" ? livery::kWing : livery::kTrim, role == "canard" ? kMatPaint : kMatDark);
            mb.Box(V3(sf * span - 0.15f, -0.8f, -chord * 0.3f), V3(sf * span + 0.15f, 0.5f, chord * 0.7f),
                   livery::kStripe, kMatPaint);
        }
    } else if (role == "vane") {
        mb.Push(Place::RotZ(kPi * 0.5f));
        mb.Plate({V3(-1.5f, 0, -1.8f), V3(-1.5f, 0, 1.4f), V3(1.4f, 0, 1.0f), V3(1.2f, 0, -0.6f)}, 0.25f,
                 livery::kStripe, kMatPaint);
        mb.Pop();
    } else if (role == "halo") {
        mb.RingZ(4.4f, 5.2f, 0.8f, 24, livery::kHalo, kMatPaint);
    } else if (role == "pod") {
        mb.Dome(1.5f, 0.9f, 2.6f, 10, 3, livery::kPaint, kMatPaint);
        mb.Push(Place::Scale(1, -1, 1));
        mb.Dome(1.5f, 0.6f, 2.6f, 10, 2, livery::kGlow, kMatGlow);
        mb.Pop();
    } else if (role == "boom") {
        const float z0 = drive.noseZ * 0.8f, z1 = drive.tailZ * 0.85f;
        mb.TubeZ(1.15f, 1.15f, z0 + 2.5f, z1 - 2.0f, 10, livery::kPaint, kMatPaint);
        mb.TubeZ(0.2f, 1.15f, z0, z0 + 2.5f, 10, livery::kStripe, kMatPaint);
        mb.TubeZ(1.15f, 0.6f, z1 - 2.0f, z1, 10, livery::kTrim, kMatDark);
        mb.DiscZ(0.6f, z1, 10, 1, livery::kGlow, kMatGlow);
    } else if (role == "plate") {
        const float w = drive.halfW[4] * 0.95f;
        mb.Push(Place::At(V3(0, 0.85f, 0)));
        mb.Plate(
            {V3(-w * 0.4f, 0, drive.noseZ * 0.75f), V3(w * 0.4f, 0, drive.noseZ * 0.75f), V3(w, 0, drive.noseZ * 0.3f),
             V3(w, 0, drive.tailZ * 0.8f), V3(-w, 0, drive.tailZ * 0.8f), V3(-w, 0, drive.noseZ * 0.3f)},
            0.3f, livery::kTrim, kMatDark);
        mb.Pop();
    } else if (role == "skirt") {
        const float w = drive.halfW[4] * 0.92f;
        for (int s = -1; s <= 1; s += 2)
            mb.Box(V3(static_cast<float>(s) * w - 0.25f, 0.0f, drive.noseZ * 0.45f),
                   V3(static_cast<float>(s) * w + 0.25f, 0.7f, drive.tailZ * 0.6f), livery::kStripe, kMatPaint);
    } else if (role == "diffuser") {
        const float z = drive.tailZ;
        for (int k = -2; k <= 2; ++k)
            mb.Box(V3(static_cast<float>(k) * 1.4f - 0.12f, -1.2f, z - 4.0f),
                   V3(static_cast<float>(k) * 1.4f + 0.12f, -0.2f, z + 0.5f), livery::kTrim, kMatDark);
    } else if (role == "spoiler") {
        const float z = drive.tailZ;
        const float top = drive.top[6] - part.pos[1];
        mb.Push(Place::At(V3(0, top + 0.5f, z - 1.0f)) * Place::RotX(-0.3f));
        mb.Plate({V3(-4.0f, 0, -1.0f), V3(4.0f, 0, -1.0f), V3(4.0f, 0, 1.2f), V3(-4.0f, 0, 1.2f)}, 0.25f,
                 livery::kStripe, kMatPaint);
        mb.Pop();
    } else if (role == "fin") {
        mb.Push(Place::RotZ(kPi * 0.5f));
        mb.Plate({V3(-2.5f, 0, -3.0f), V3(-2.5f, 0, 3.0f), V3(2.0f, 0, 3.5f), V3(2.0f, 0, 0.5f)}, 0.35f, livery::kWing,
                 kMatPaint);
        mb.Pop();
    } else if (role == "airbrake") {
        mb.Push(Place::RotZ(part.pos[0] < 0 ? 0.5f : -0.5f) * Place::RotZ(kPi * 0.5f));
        mb.Plate({V3(-1.5f, 0, -1.6f), V3(-1.5f, 0, 1.6f), V3(1.8f, 0, 1.2f), V3(1.8f, 0, -1.0f)}, 0.25f,
                 livery::kStripe, kMatPaint);
        mb.Pop();
    } else if (role == "vent") {
        mb.Box(V3(-1.2f, -0.6f, -1.5f), V3(1.2f, 0.6f, 1.5f), livery::kGlow, kMatGlow);
    }
}

void BuildFar(const MachineDescription& d, MeshBuilder& mb) {
    const int pose = DrivePose(d);
    float wheels[4][3];
    for (int t = 0; t < 4; ++t)
        for (int k = 0; k < 3; ++k) wheels[t][k] = d.wheelPos[t][pose][k];
    BuildBody(d, FamilyPose(d, pose), wheels, true, mb);
    for (const MachinePart& part : d.parts) {
        if (part.role != "wheel") continue;
        const float r = WheelRadius(d, part);
        const float* w = part.kind >= 10 && part.kind <= 13 ? wheels[part.kind - 10] : part.pos;
        mb.Push(Place::At(V3(w[0], w[1], w[2])));
        mb.CylinderX(r, WheelWidth(d, r), 8, livery::kTyre, livery::kRim, kMatDark, kMatMetal);
        mb.Pop();
    }
}

// ---- the effect group ----------------------------------------------------------------------

void BuildEffectFlame(int position, MeshBuilder& mb) {
    // 1..3 (slots 1394..1396) are the outer plumes drawn second; 4..6 the hot cores drawn first.
    const bool core = position >= 4;
    const int variant = (position - 1) % 3;
    const float len = (core ? 7.0f : 11.0f) + 1.5f * static_cast<float>(variant);
    const float r = core ? 0.9f : 1.6f;
    const float cr = core ? 0.85f : 0.7f, cg = core ? 0.95f : 0.55f, cb = 1.0f;
    // Crossed flame sheets along +Z whose outline wavers by variant, and a cone through them.
    const int sheets = 3;
    for (int s = 0; s < sheets; ++s) {
        mb.Push(Place::RotZ(kPi * static_cast<float>(s) / static_cast<float>(sheets) + 0.2f * variant));
        const int steps = 6;
        std::vector<int> left, right;
        for (int i = 0; i <= steps; ++i) {
            const float t = static_cast<float>(i) / static_cast<float>(steps);
            const float w = r * (1.0f - t) * (1.0f + 0.25f * std::sin(t * 9.0f + static_cast<float>(variant) * 2.0f));
            const uint32_t c = Argb((core ? 0.95f : 0.8f) * (1.0f - t), Lerp(1.0f, cr, t), Lerp(1.0f, cg, t), cb);
            left.push_back(mb.AddVertex(V3(-w, 0, t * len), V3(0, 1, 0), 0.0f, t, c));
            right.push_back(mb.AddVertex(V3(w, 0, t * len), V3(0, 1, 0), 1.0f, t, c));
        }
        for (int i = 0; i < steps; ++i) {
            mb.Quad(left[i], right[i], right[i + 1], left[i + 1], 0);
            mb.Quad(left[i], left[i + 1], right[i + 1], right[i], 0);
        }
        mb.Pop();
    }
    mb.TubeZ(r * 0.6f, 0.05f, 0.0f, len * 0.6f, 8, UvRect{0.4f, 0, 0.6f, 1}, 0, Argb(0.9f, 1, 1, 1),
             Argb(0.0f, cr, cg, cb));
}

}  // namespace contentgen
