// MachineBody.cpp -- the lofted machine bodies: family shapes by pose, blending, hull, canopy, wings and engines.
#include <algorithm>
#include <cmath>

#include "machine/MachineArt.h"

namespace contentgen {

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kKeyS[BodyParams::kKeys] = {0.0f, 0.1f, 0.25f, 0.45f, 0.65f, 0.85f, 1.0f};

void SetKeys(float (&dst)[BodyParams::kKeys], std::initializer_list<float> v) {
    int i = 0;
    for (float x : v) dst[i++] = x;
}

// ---- flame points of the description ----------------------------------------------------

struct Nozzle {
    float x, y, zFirst, zLast;  // exit of the first stage and of the second
};

// Distinct flame exits (x, y) with their nearest and farthest z; boost parts name them.
std::vector<Nozzle> Nozzles(const MachineDescription& d) {
    std::vector<Nozzle> out;
    for (const MachinePart& p : d.parts) {
        if (p.role != "flame") continue;
        bool merged = false;
        for (Nozzle& n : out)
            if (std::fabs(n.x - p.pos[0]) < 0.01f && std::fabs(n.y - p.pos[1]) < 0.01f) {
                n.zFirst = std::min(n.zFirst, p.pos[2]);
                n.zLast = std::max(n.zLast, p.pos[2]);
                merged = true;
            }
        if (!merged) out.push_back({p.pos[0], p.pos[1], p.pos[2], p.pos[2]});
    }
    return out;
}

float AverageFlameY(const MachineDescription& d, float fallback) {
    const std::vector<Nozzle> n = Nozzles(d);
    if (n.empty()) return fallback;
    float y = 0;
    for (const Nozzle& z : n) y += z.y;
    return y / static_cast<float>(n.size());
}

float MaxFlameX(const MachineDescription& d) {
    float x = 0;
    for (const Nozzle& n : Nozzles(d)) x = std::max(x, std::fabs(n.x));
    return x;
}

// ---- the hull ---------------------------------------------------------------------------

// Catmull-Rom through the keys, by key index.
float KeyAt(const float (&k)[BodyParams::kKeys], float s) {
    s = std::clamp(s, 0.0f, 1.0f);
    int i = 0;
    while (i < BodyParams::kKeys - 2 && s > kKeyS[i + 1]) ++i;
    const float t = (s - kKeyS[i]) / (kKeyS[i + 1] - kKeyS[i]);
    const float p0 = k[std::max(i - 1, 0)], p1 = k[i], p2 = k[i + 1], p3 = k[std::min(i + 2, BodyParams::kKeys - 1)];
    const float t2 = t * t, t3 = t2 * t;
    return 0.5f * (2 * p1 + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2 + (-p0 + 3 * p1 - 3 * p2 + p3) * t3);
}

struct Section {
    float z, halfW, top, bottom;
};

Section SectionAt(const BodyParams& p, float s) {
    Section c;
    c.z = p.noseZ + (p.tailZ - p.noseZ) * s;
    c.halfW = std::max(KeyAt(p.halfW, s), 0.05f);
    c.top = KeyAt(p.top, s);
    c.bottom = KeyAt(p.bottom, s);
    if (c.top < c.bottom + 0.1f) c.top = c.bottom + 0.1f;
    return c;
}

float SAtZ(const BodyParams& p, float z) { return std::clamp((z - p.noseZ) / (p.tailZ - p.noseZ), 0.0f, 1.0f); }

V3 SectionPoint(const BodyParams& p, const Section& c, float theta) {
    const float e = 2.0f / p.exponent;
    const float cs = std::cos(theta), sn = std::sin(theta);
    const float x = c.halfW * (cs < 0 ? -1.0f : 1.0f) * std::pow(std::fabs(cs), e);
    const float mid = 0.5f * (c.top + c.bottom), half = 0.5f * (c.top - c.bottom);
    const float y = mid + half * (sn < 0 ? -1.0f : 1.0f) * std::pow(std::fabs(sn), e);
    return V3(x, y, c.z);
}

uint32_t Shade(const V3& n) {
    const float g = 0.72f + 0.28f * (0.5f + 0.5f * n.y);
    return Argb(1, g, g, g);
}

void BuildHull(const BodyParams& p, int stations, int around, MeshBuilder& mb) {
    std::vector<std::vector<V3>> rings, normals;
    std::vector<float> ss;
    for (int i = 0; i <= stations; ++i) {
        // Denser near the nose, where the shape turns fastest.
        const float t = static_cast<float>(i) / static_cast<float>(stations);
        ss.push_back(t * t * 0.35f + t * 0.65f);
    }
    for (float s : ss) {
        const Section c = SectionAt(p, s);
        std::vector<V3> ring;
        for (int k = 0; k < around; ++k)
            ring.push_back(SectionPoint(p, c, 2.0f * kPi * static_cast<float>(k) / static_cast<float>(around)));
        rings.push_back(ring);
    }
    // Normals from the neighbouring points along and around.
    for (size_t i = 0; i < rings.size(); ++i) {
        std::vector<V3> ns;
        const size_t a = i == 0 ? 0 : i - 1, b = std::min(i + 1, rings.size() - 1);
        for (int k = 0; k < around; ++k) {
            const V3 along = rings[b][static_cast<size_t>(k)] - rings[a][static_cast<size_t>(k)];
            const V3 across = rings[i][static_cast<size_t>((k + 1) % around)] -
                              rings[i][static_cast<size_t>((k + around - 1) % around)];
            V3 n = Normalised(Cross(across, along));
            const V3 out = rings[i][static_cast<size_t>(k)] -
                           V3(0, 0.5f * (rings[i][0].y + rings[i][static_cast<size_t>(around / 2)].y), rings[i][0].z);
            if (Dot(n, out) < 0) n = -n;
            if (i == 0) n = Normalised(n + V3(0, 0, -1.5f));
            ns.push_back(n);
        }
        normals.push_back(ns);
    }
    // Per-vertex shading: a sheet per band keeps the colours with their normals.
    for (size_t i = 0; i + 1 < rings.size(); ++i) {
        std::vector<int> ra, rb;
        for (int k = 0; k <= around; ++k) {
            const size_t kk = static_cast<size_t>(k % around);
            const float u = static_cast<float>(k) / static_cast<float>(around);
            ra.push_back(mb.AddVertex(rings[i][kk], normals[i][kk], livery::kPaint.U(u), livery::kPaint.V(ss[i]),
                                      Shade(normals[i][kk])));
            rb.push_back(mb.AddVertex(rings[i + 1][kk], normals[i + 1][kk], livery::kPaint.U(u),
                                      livery::kPaint.V(ss[i + 1]), Shade(normals[i + 1][kk])));
        }
        for (int k = 0; k < around; ++k) mb.Quad(ra[k], ra[k + 1], rb[k + 1], rb[k], kMatPaint);
    }
    // The tail face.
    std::vector<V3> tail = rings.back();
    mb.Fan(tail, V3(0, 0, 1), livery::kVent, kMatDark);
}

float HullTopAt(const BodyParams& p, float z) { return SectionAt(p, SAtZ(p, z)).top; }
float HullHalfWidthAt(const BodyParams& p, float z) { return SectionAt(p, SAtZ(p, z)).halfW; }

// ---- pieces -----------------------------------------------------------------------------

// A wing: a trapezoid plate, half-span `span`, placed with its root chord centred at (0, y, z).
void Wing(MeshBuilder& mb, float y, float z, float span, float chord, float tipChord, float sweep, float pitch,
          float dihedral, float thickness, bool endplates) {
    mb.Push(Place::At(V3(0, y, z)) * Place::RotX(pitch));
    for (int side = -1; side <= 1; side += 2) {
        const float s = static_cast<float>(side);
        const float tipY = std::sin(dihedral) * span;
        const float tipX = std::cos(dihedral) * span * s;
        // The outline in XZ for the plate, then the dihedral as a roll about Z.
        mb.Push(Place::RotZ(s * dihedral));
        mb.Plate({V3(0, 0, -chord * 0.5f), V3(span * s, 0, sweep - tipChord * 0.5f),
                  V3(span * s, 0, sweep + tipChord * 0.5f), V3(0, 0, chord * 0.5f)},
                 thickness, livery::kWing, kMatPaint);
        mb.Pop();
        if (endplates) {
            const float h = chord * 0.45f;
            mb.Push(Place::At(V3(tipX, tipY, sweep)));
            mb.Box(V3(-0.2f, -h * 0.6f, -tipChord * 0.6f), V3(0.2f, h * 0.4f, tipChord * 0.6f), livery::kStripe,
                   kMatPaint);
            mb.Pop();
        }
    }
    mb.Pop();
}

// A vertical fin: outline in (z, height) from the root at (x, y0, z0), canted by `cant` about Z.
void Fin(MeshBuilder& mb, float x, float y0, float z0, float len, float h, float sweep, float cant, float thickness) {
    mb.Push(Place::At(V3(x, y0, z0)) * Place::RotZ(cant) * Place::RotZ(kPi * 0.5f));
    // In the plate's frame X is up (after the turn about Z) and Z runs along the machine.
    mb.Plate({V3(0, 0, 0), V3(0, 0, len), V3(h, 0, len + sweep * 0.3f), V3(h, 0, sweep)}, thickness, livery::kWing,
             kMatPaint);
    mb.Pop();
}

// An engine nacelle along +Z ending at (x, y, exitZ): body, nose cone, nozzle ring and throat.
void Nacelle(MeshBuilder& mb, float x, float y, float exitZ, float len, float r, float open, int sides) {
    mb.Push(Place::At(V3(x, y, 0)));
    const float z0 = exitZ - len;
    mb.TubeZ(r * 0.55f, r, z0 - r * 1.2f, z0, sides, livery::kPaint, kMatPaint);
    mb.TubeZ(r, r, z0, exitZ - r * 0.6f, sides, livery::kPaint, kMatPaint);
    // The nozzle flares when open.
    const float flare = r * (0.85f + 0.25f * open);
    mb.TubeZ(r, flare, exitZ - r * 0.6f, exitZ, sides, livery::kMetal, kMatMetal);
    mb.TubeZ(flare * 0.8f, flare * 0.8f, exitZ, exitZ - r * 0.5f, sides, livery::kMetal, kMatDark);
    mb.DiscZ(r * 0.55f, z0 - r * 1.2f, sides, -1, livery::kTrim, kMatDark);
    mb.DiscZ(flare * 0.8f, exitZ - r * 0.5f, sides, 1, open > 0.5f ? livery::kHot : livery::kTrim,
             open > 0.5f ? kMatGlow : kMatDark);
    mb.Pop();
}

// A strut: a thin box between two points (flat across Y).
void Strut(MeshBuilder& mb, const V3& a, const V3& b, float w, float h, UvRect uv, uint32_t material) {
    const V3 d = b - a;
    const float len = Length(d);
    if (len < 1e-3f) return;
    const float yaw = std::atan2(d.x, d.z);
    const float pitch = -std::asin(std::clamp(d.y / len, -1.0f, 1.0f));
    mb.Push(Place::At(a) * Place::RotY(yaw) * Place::RotX(pitch));
    mb.Box(V3(-w * 0.5f, -h * 0.5f, 0), V3(w * 0.5f, h * 0.5f, len), uv, material);
    mb.Pop();
}

// The number roundel on both sides and on the nose.
void Decals(const BodyParams& p, MeshBuilder& mb) {
    const float z = p.canopyZ + p.canopyLen * 0.9f + 2.5f;
    const Section c = SectionAt(p, SAtZ(p, z));
    const float size = std::min(3.4f, (c.top - c.bottom) * 0.75f);
    const float y = 0.5f * (c.top + c.bottom);
    const UvRect& n = livery::kNumber;
    for (int side = -1; side <= 1; side += 2) {
        const float x = (c.halfW + 0.06f) * static_cast<float>(side);
        const float h = size * 0.5f;
        // Seen from its side the roundel's left edge is toward the nose on the left and the tail on the right.
        const float left = side > 0 ? z + h : z - h, right = side > 0 ? z - h : z + h;
        const V3 corners[4] = {V3(x, y + h, left), V3(x, y + h, right), V3(x, y - h, right), V3(x, y - h, left)};
        const float uv[4][2] = {{n.u0, n.v0}, {n.u1, n.v0}, {n.u1, n.v1}, {n.u0, n.v1}};
        mb.QuadUv(corners, uv, V3(static_cast<float>(side), 0, 0), kMatPaint);
    }
}

// ---- family poses -----------------------------------------------------------------------

BodyParams Torvin(const MachineDescription& d, int pose) {
    BodyParams p;
    p.noseZ = pose == 0 ? -29.0f : -31.5f;
    p.tailZ = 21.5f;
    SetKeys(p.halfW, {0.25f, 1.0f, 2.2f, 4.0f, 6.0f, 6.4f, 5.0f});
    SetKeys(p.top, {1.7f, 2.6f, 3.6f, 5.6f, 6.6f, 6.4f, 5.6f});
    SetKeys(p.bottom, {1.3f, 1.4f, 1.5f, 1.3f, 1.2f, 1.3f, 1.8f});
    p.exponent = 2.4f;
    p.canopyZ = -7;
    p.canopyLen = 7.5f;
    p.canopyW = 2.3f;
    p.canopyH = 1.9f;
    const float flameY = AverageFlameY(d, 10.4f);
    p.podY = pose == 0 ? flameY - 2.6f : flameY;
    p.podLen = 12;
    p.podR = 1.7f;
    p.wingY = p.podY - 0.2f;
    p.wingZ = 18.5f;
    p.wingSpan = MaxFlameX(d);
    p.wingChord = 4.2f;
    p.wingPitch = pose == 0 ? -0.32f : (pose == 1 ? -0.04f : (pose == 2 ? 0.05f : 0.16f));
    p.frontWingSpan = pose == 0 ? 7.5f : 6.0f;
    p.frontWingY = 1.5f;
    p.frontWingZ = p.noseZ + 3.0f;
    p.frontWingChord = 2.6f;
    p.open = pose >= 2 ? 1.0f : 0.0f;
    p.extend = pose == 3 ? 2.5f : 0.0f;
    p.spread = pose == 0 ? -0.55f : (pose == 2 ? 0.5f : (pose == 3 ? 1.0f : 0.0f));
    if (pose == 3) p.tailZ = 23.5f;
    if (pose == 1) SetKeys(p.top, {1.6f, 2.4f, 3.4f, 5.3f, 6.2f, 6.1f, 5.4f});
    return p;
}

BodyParams Belmar(const MachineDescription& d, int pose) {
    BodyParams p;
    p.noseZ = pose == 1 ? -27.5f : -26.0f;
    p.tailZ = 22.5f;
    SetKeys(p.halfW, {0.9f, 3.0f, 5.4f, 7.0f, 7.6f, 7.4f, 6.2f});
    SetKeys(p.top, {1.6f, 2.6f, 3.9f, 5.2f, 5.4f, 5.0f, 4.6f});
    SetKeys(p.bottom, {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.1f, 1.4f});
    p.exponent = 3.2f;
    p.canopyZ = -6;
    p.canopyLen = 8;
    p.canopyW = 3.0f;
    p.canopyH = 1.8f;
    const float flameY = AverageFlameY(d, 8.6f);
    const float reach = MaxFlameX(d);
    p.wingY = (pose == 1 ? flameY - 1.3f : flameY) + 0.7f;
    p.wingZ = 19.5f;
    p.wingSpan = pose == 1 ? reach + 6.0f : (pose == 3 ? reach + 10.0f : reach + 7.5f);
    p.wingChord = 7.0f;
    p.wingSweep = pose == 1 ? 2.5f : 1.0f;
    p.wingDihedral = pose == 1 ? -0.12f : (pose == 3 ? 0.12f : 0.03f);
    p.podY = pose == 1 ? flameY - 1.3f : flameY;
    p.podLen = 6.5f;
    p.podR = 1.15f;
    p.frontWingSpan = 8.5f;
    p.frontWingY = 1.4f;
    p.frontWingZ = p.noseZ + 3.0f;
    p.frontWingChord = 3.0f;
    p.open = pose >= 2 ? 1.0f : 0.0f;
    p.spread = pose >= 2 ? 1.0f : 0.0f;
    return p;
}

BodyParams Quessa(const MachineDescription& d, int pose) {
    BodyParams p;
    p.noseZ = -26;
    p.tailZ = 20;
    SetKeys(p.halfW, {0.4f, 1.5f, 2.8f, 3.7f, 3.6f, 3.0f, 2.0f});
    SetKeys(p.top, {1.9f, 2.8f, 4.2f, 5.6f, 5.4f, 4.8f, 4.2f});
    SetKeys(p.bottom, {1.5f, 1.4f, 1.3f, 1.3f, 1.3f, 1.4f, 1.8f});
    p.exponent = 2.2f;
    p.canopyZ = -7;
    p.canopyLen = 7;
    p.canopyW = 2.2f;
    p.canopyH = 2.0f;
    const float flameY = AverageFlameY(d, 6.6f);
    p.podY = pose == 0 ? flameY - 1.0f : flameY;
    p.podLen = 10;
    p.podR = 1.35f;
    p.wingY = 7.2f;
    p.wingZ = 17;
    p.wingSpan = pose == 0 ? 7.5f : 6.0f;
    p.wingChord = 3.4f;
    p.wingPitch = pose == 0 ? -0.2f : 0.0f;
    p.finH = pose >= 2 ? 5.5f : 4.0f;
    p.finZ = 9;
    p.finLen = 9;
    p.open = pose >= 2 ? 1.0f : 0.0f;
    p.armDrop = pose == 0 ? 0.0f : 0.6f;
    return p;
}

BodyParams Dravik(const MachineDescription& d, int pose) {
    BodyParams p;
    const bool boost = pose >= 2;
    p.noseZ = -25;
    p.tailZ = 20;
    SetKeys(p.halfW, {0.8f, 2.6f, 4.2f, 5.2f, 5.4f, 4.8f, 3.6f});
    SetKeys(p.top, {2.2f, 3.4f, 4.8f, 6.2f, 6.6f, 6.2f, 5.4f});
    SetKeys(p.bottom, {1.8f, 1.7f, 1.6f, 1.6f, 1.6f, 1.7f, 2.0f});
    p.exponent = 2.8f;
    p.canopyZ = -8;
    p.canopyLen = 7;
    p.canopyW = 2.6f;
    p.canopyH = 2.0f;
    const float flameY = AverageFlameY(d, 12.3f);
    p.podY = boost ? flameY : flameY - 2.4f;
    p.podLen = 13;
    p.podR = 2.1f;
    p.finH = 1;  // the engine pylon
    p.open = boost ? 1.0f : 0.0f;
    p.spread = boost ? 1.0f : 0.0f;
    p.wingY = 3.6f;
    p.wingZ = -14;
    return p;
}

BodyParams Olvane(const MachineDescription& d, int pose) {
    BodyParams p;
    const bool boost = pose >= 2;
    (void)d;
    p.noseZ = -21;
    p.tailZ = 19;
    SetKeys(p.halfW, {0.8f, 3.0f, 5.0f, 6.0f, 5.9f, 5.0f, 3.6f});
    SetKeys(p.top, {2.6f, 4.8f, 7.8f, 10.4f, 10.8f, 9.4f, 7.6f});
    SetKeys(p.bottom, {1.5f, 1.4f, 1.3f, 1.3f, 1.3f, 1.6f, 2.2f});
    p.exponent = 2.1f;
    p.canopyZ = -6;
    p.canopyLen = 8;
    p.canopyW = 3.8f;
    p.canopyH = 2.4f;
    p.podLen = 4;
    p.podR = 1.2f;
    p.frontWingSpan = boost ? 8.5f : 7.0f;
    p.frontWingY = 2.0f;
    p.frontWingZ = -15;
    p.frontWingChord = 3.0f;
    p.finH = boost ? 4.0f : 3.0f;
    p.finZ = 6;
    p.finLen = 10;
    p.finX = 5.2f;
    p.finCant = boost ? 0.9f : 0.5f;
    p.open = boost ? 1.0f : 0.0f;
    return p;
}

BodyParams Prentis(const MachineDescription& d, int pose) {
    BodyParams p;
    const bool boost = pose >= 2;
    (void)d;
    p.noseZ = -28;
    p.tailZ = 22;
    SetKeys(p.halfW, {0.4f, 1.8f, 3.4f, 4.8f, 5.4f, 5.2f, 4.6f});
    SetKeys(p.top, {1.4f, 2.5f, 4.0f, 5.4f, 6.0f, 6.2f, 6.0f});
    SetKeys(p.bottom, {1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.2f, 1.6f});
    p.exponent = 2.9f;
    p.canopyZ = -7;
    p.canopyLen = 7;
    p.canopyW = 2.5f;
    p.canopyH = 2.0f;
    p.podLen = 5;
    p.podR = 1.5f;
    p.wingY = 3.4f;  // the delta
    p.wingZ = 2;
    p.wingSpan = boost ? 14.5f : 13.0f;
    p.finH = 9.5f;
    p.finZ = 11;
    p.finLen = 10;
    p.finX = 5.5f;
    p.finCant = boost ? 0.42f : 0.18f;
    p.open = boost ? 1.0f : 0.0f;
    return p;
}

void Proportion(const MachineDescription& d, BodyParams& p) {
    const float L = d.scale[0], W = d.scale[1], H = d.scale[2];
    p.noseZ *= L;
    p.tailZ *= L;
    for (float& w : p.halfW) w *= W;
    for (int i = 0; i < BodyParams::kKeys; ++i) p.top[i] = p.bottom[i] + (p.top[i] - p.bottom[i]) * H;
    p.canopyZ *= L;
    p.canopyW *= W;
    p.canopyH *= H;
    p.canopyLen *= L;
    p.frontWingZ *= L;
    p.frontWingSpan *= W;
    p.finH *= H;
    p.finLen *= L;
    p.podR *= std::sqrt(W * H);
    p.podLen *= L;
    p.wingSpan *= W;
    p.wingChord *= L;
    // Engines mounted on top follow the body's height; nozzle exits stay where the flames are.
    p.podY += (H - 1.0f) * 3.0f;
}

}  // namespace

// ---- interface --------------------------------------------------------------------------

BodyParams FamilyPose(const MachineDescription& d, int pose) {
    BodyParams p;
    switch (d.family) {
        case Family::Torvin: p = Torvin(d, pose); break;
        case Family::Belmar: p = Belmar(d, pose); break;
        case Family::Quessa: p = Quessa(d, pose); break;
        case Family::Dravik: p = Dravik(d, pose); break;
        case Family::Olvane: p = Olvane(d, pose); break;
        case Family::Prentis: p = Prentis(d, pose); break;
    }
    Proportion(d, p);
    return p;
}

BodyParams BlendBody(const BodyParams& a, const BodyParams& b, float t) {
    // Every member is a float: blend them as an array.
    static_assert(sizeof(BodyParams) % sizeof(float) == 0, "body parameters are floats");
    BodyParams out;
    const float* pa = reinterpret_cast<const float*>(&a);
    const float* pb = reinterpret_cast<const float*>(&b);
    float* po = reinterpret_cast<float*>(&out);
    for (size_t i = 0; i < sizeof(BodyParams) / sizeof(float); ++i) po[i] = pa[i] + (pb[i] - pa[i]) * t;
    return out;
}

void BuildBody(const MachineDescription& d, const BodyParams& p, const float wheels[4][3], bool lowDetail,
               MeshBuilder& mb) {
    const int sides = lowDetail ? 6 : 12;
    BuildHull(p, lowDetail ? 9 : 26, lowDetail ? 10 : 24, mb);

    // Canopy.
    const float canopyTop = HullTopAt(p, p.canopyZ);
    mb.Push(Place::At(V3(0, canopyTop - 0.35f, p.canopyZ)));
    mb.Dome(p.canopyW, p.canopyH, p.canopyLen * 0.5f, lowDetail ? 6 : 14, lowDetail ? 2 : 5, livery::kGlass, kMatGlass);
    mb.Pop();
    if (!lowDetail) {
        Decals(p, mb);
        // Light strips along both flanks from behind the cockpit to the tail, in the stripe colour.
        const float z0 = p.canopyZ + p.canopyLen * 0.6f, z1 = p.tailZ - 3.0f;
        for (int side = -1; side <= 1; side += 2) {
            const float sf = static_cast<float>(side);
            const Section a = SectionAt(p, SAtZ(p, z0)), b = SectionAt(p, SAtZ(p, z1));
            const float ya = a.bottom + (a.top - a.bottom) * 0.3f, yb = b.bottom + (b.top - b.bottom) * 0.3f;
            Strut(mb, V3(sf * (a.halfW + 0.05f), ya, z0), V3(sf * (b.halfW + 0.05f), yb, z1), 0.25f, 0.35f,
                  livery::kStripe, kMatGlow);
        }
    }

    const std::vector<Nozzle> nozzles = Nozzles(d);
    auto exitZ = [&](const Nozzle& n) { return n.zFirst + (n.zLast - n.zFirst) * std::min(p.extend / 2.5f, 1.0f); };

    // Wheel arms: from the hull side to each wheel's inner face, with a fairing over the wheel.
    auto arm = [&](float wx, float wy, float wz, float r) {
        const float side = wx < 0 ? -1.0f : 1.0f;
        const float hull = HullHalfWidthAt(p, wz) * 0.85f;
        const float inner = std::fabs(wx) - 0.9f;
        if (inner > hull + 0.2f) {
            Strut(mb, V3(hull * side, wy + 0.6f + p.armDrop, wz), V3(inner * side, wy + 0.2f, wz), 0.9f, 0.35f,
                  livery::kTrim, kMatDark);
            Strut(mb, V3(hull * side, wy - 0.5f, wz + 0.4f), V3(inner * side, wy - 0.3f, wz + 0.2f), 0.6f, 0.3f,
                  livery::kTrim, kMatDark);
        }
        if (!lowDetail) {
            mb.Push(Place::At(V3(wx, wy + r + 0.5f, wz)));
            mb.Plate({V3(-1.2f, 0, -r * 1.1f), V3(1.2f, 0, -r * 1.1f), V3(1.2f, 0, r * 0.9f), V3(-1.2f, 0, r * 0.9f)},
                     0.3f, livery::kWing, kMatPaint);
            mb.Pop();
        }
    };
    for (const MachinePart& part : d.parts) {
        if (part.role != "wheel") continue;
        if (part.kind >= 10 && part.kind <= 13) {
            const float* w = wheels[part.kind - 10];
            arm(w[0], w[1], w[2], w[1]);
        } else {
            arm(part.pos[0], part.pos[1], part.pos[2], part.pos[1]);
        }
    }

    // Front wing.
    if (p.frontWingSpan > 0.5f)
        Wing(mb, p.frontWingY, p.frontWingZ, p.frontWingSpan, p.frontWingChord, p.frontWingChord * 0.7f, 1.2f, 0, 0,
             0.35f, true);

    switch (d.family) {
        case Family::Torvin: {
            // High nacelles on pylons, joined by the rear wing.
            for (const Nozzle& n : nozzles) {
                Nacelle(mb, n.x, p.podY, exitZ(n), p.podLen, p.podR, p.open, sides);
                const float s = n.x < 0 ? -1.0f : 1.0f;
                const float z = exitZ(n) - p.podLen * 0.5f;
                Strut(mb, V3(HullHalfWidthAt(p, z) * 0.6f * s, HullTopAt(p, z) - 1.0f, z),
                      V3(n.x, p.podY - p.podR * 0.5f, z + 1.0f), 1.8f, 0.5f, livery::kStripe, kMatPaint);
            }
            Wing(mb, p.wingY, p.wingZ, p.wingSpan, p.wingChord, p.wingChord, 0, p.wingPitch, 0, 0.45f, false);
            // Side flaps that open in boost.
            if (!lowDetail)
                for (int s = -1; s <= 1; s += 2)
                    Fin(mb, static_cast<float>(s) * (HullHalfWidthAt(p, 14) - 0.3f), 4.2f, 9.0f, 7.0f,
                        2.0f + 1.6f * p.spread, 1.5f, static_cast<float>(s) * (-0.9f - 0.5f * p.spread), 0.3f);
            break;
        }
        case Family::Belmar: {
            // The wide flat wing with its engines at the trailing edge.
            for (const Nozzle& n : nozzles) {
                Nacelle(mb, n.x, p.podY + (n.y - AverageFlameY(d, n.y)), exitZ(n), p.podLen, p.podR, p.open, sides);
            }
            Wing(mb, p.wingY, p.wingZ, p.wingSpan, p.wingChord, p.wingChord * 0.55f, p.wingSweep, 0, p.wingDihedral,
                 0.5f, true);
            for (int s = -1; s <= 1; s += 2) {
                const float x = static_cast<float>(s) * 4.5f;
                Strut(mb, V3(x, HullTopAt(p, p.wingZ) - 0.8f, p.wingZ - 1.5f), V3(x, p.wingY, p.wingZ - 1.0f), 1.0f,
                      0.6f, livery::kStripe, kMatPaint);
            }
            break;
        }
        case Family::Quessa: {
            // Jet pods on pylons beside the cockpit, a slim rear wing and a spine fin.
            for (const Nozzle& n : nozzles) {
                Nacelle(mb, n.x, p.podY, n.zFirst, p.podLen, p.podR, p.open, sides);
                const float s = n.x < 0 ? -1.0f : 1.0f;
                const float z = n.zFirst - p.podLen * 0.5f;
                Strut(mb, V3(HullHalfWidthAt(p, z) * 0.7f * s, HullTopAt(p, z) - 1.2f, z), V3(n.x, p.podY, z), 2.2f,
                      0.45f, livery::kStripe, kMatPaint);
            }
            Wing(mb, p.wingY, p.wingZ, p.wingSpan, p.wingChord, p.wingChord * 0.8f, 0.6f, p.wingPitch, 0, 0.4f, true);
            Strut(mb, V3(0, HullTopAt(p, p.wingZ) - 0.5f, p.wingZ - 0.5f), V3(0, p.wingY, p.wingZ), 0.5f, 1.6f,
                  livery::kTrim, kMatDark);
            if (p.finH > 0.5f) Fin(mb, 0, HullTopAt(p, p.finZ) - 0.4f, p.finZ, p.finLen, p.finH * 0.5f, 3.5f, 0, 0.3f);
            break;
        }
        case Family::Dravik: {
            // The tall dorsal engine on its pylon, struts out to the booms.
            for (const Nozzle& n : nozzles) {
                Nacelle(mb, n.x, p.podY, n.zFirst, p.podLen, p.podR, p.open, sides);
                const float z0 = n.zFirst - p.podLen + 1.0f;
                const float base = HullTopAt(p, z0 + 4.0f) - 0.5f;
                mb.Push(Place::At(V3(0, base, z0)) * Place::RotZ(kPi * 0.5f));
                mb.Plate({V3(0, 0, 0), V3(0, 0, p.podLen - 2.5f), V3(p.podY - base, 0, p.podLen - 3.0f),
                          V3(p.podY - base, 0, 2.0f)},
                         0.8f, livery::kWing, kMatPaint);
                mb.Pop();
            }
            for (const MachinePart& part : d.parts) {
                if (part.role != "boom") continue;
                for (float z : {-14.0f, 9.0f}) {
                    const float s = part.pos[0] < 0 ? -1.0f : 1.0f;
                    Strut(mb, V3(HullHalfWidthAt(p, z) * 0.8f * s, part.pos[1], z), V3(part.pos[0], part.pos[1], z),
                          1.4f, 0.6f, livery::kStripe, kMatPaint);
                }
            }
            // Intake fins either side of the pylon that spread in boost.
            if (!lowDetail)
                for (int s = -1; s <= 1; s += 2)
                    Fin(mb, static_cast<float>(s) * 1.2f, HullTopAt(p, 12) - 0.3f, 8.0f, 8.0f, 2.5f, 2.0f,
                        static_cast<float>(s) * (-0.4f - 0.6f * p.spread), 0.3f);
            break;
        }
        case Family::Olvane: {
            // The three-nozzle cluster and side fins on the tall bubble.
            for (const Nozzle& n : nozzles)
                Nacelle(mb, n.x, n.y, n.zFirst, p.podLen + (n.y < 5 ? 1.0f : 0.0f), p.podR, p.open, sides);
            for (int s = -1; s <= 1; s += 2)
                Fin(mb, static_cast<float>(s) * p.finX, HullTopAt(p, p.finZ + 4) * 0.55f, p.finZ, p.finLen, p.finH,
                    3.0f, static_cast<float>(s) * -p.finCant, 0.35f);
            break;
        }
        case Family::Prentis: {
            // The delta under the body and the twin tall fins.
            for (int s = -1; s <= 1; s += 2) {
                const float sf = static_cast<float>(s);
                mb.Push(Place::At(V3(0, p.wingY, 0)));
                mb.Plate({V3(0, 0, -10), V3(sf * 3.0f, 0, -10), V3(sf * p.wingSpan, 0, 17.5f),
                          V3(sf * p.wingSpan, 0, 21.0f), V3(0, 0, 21.5f)},
                         0.55f, livery::kWing, kMatPaint);
                mb.Pop();
                Fin(mb, sf * p.finX, HullTopAt(p, p.finZ + 5) - 0.6f, p.finZ, p.finLen, p.finH, 4.0f, sf * -p.finCant,
                    0.45f);
            }
            for (const Nozzle& n : nozzles) Nacelle(mb, n.x, n.y, n.zFirst, p.podLen, p.podR, p.open, sides);
            break;
        }
    }
}

}  // namespace contentgen
