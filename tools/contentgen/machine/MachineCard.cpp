// MachineCard.cpp -- a small z-buffered rasteriser that draws a generated machine for the menus' pictures.
#include "machine/MachineCard.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <mutex>

#include "format/BinaryMesh.h"
#include "kit/MeshBuilder.h"
#include "machine/MachineArt.h"
#include "machine/MachineManifest.h"

namespace contentgen {

namespace {

std::array<MachineDescription, kMachineCount> g_machines;
std::once_flag g_read;
bool g_ready = false;

// The slots of the bodies that show the halos and the one that hides the fin, as the machine model draws them.
constexpr unsigned kHaloFrontBodies[2] = {1025, 1081};
constexpr unsigned kHaloRearBodies[2] = {1024, 1080};
constexpr unsigned kFinHiddenBody = 910;

struct Tri {
    V3 p[3], n[3];
    float u[3], v[3];
    uint32_t colour[3];
    uint32_t material;
};

float F32(const uint8_t* b) {
    float f;
    std::memcpy(&f, b, 4);
    return f;
}
uint32_t U32(const uint8_t* b) {
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

// The triangles of a built mesh, read back through the model format.
void Collect(const MeshBuilder& mb, std::vector<Tri>& out) {
    if (mb.TriangleCount() == 0) return;
    const zfmt::Bytes bytes = mb.Write(MachineMaterials("", ""));
    zfmt::BinaryMesh mesh;
    std::string error;
    if (!zfmt::ParseBinaryMesh(bytes.data(), bytes.size(), mesh, &error)) return;
    auto vertex = [&](uint16_t i, Tri& t, int k) {
        const uint8_t* b = &mesh.vertexBytes[size_t(i) * zfmt::kBinaryMeshVertexSize];
        t.p[k] = {F32(b), F32(b + 4), F32(b + 8)};
        t.n[k] = {F32(b + 12), F32(b + 16), F32(b + 20)};
        t.colour[k] = U32(b + 24);
        t.u[k] = F32(b + 28);
        t.v[k] = F32(b + 32);
    };
    for (size_t f = 0; f < mesh.attributes.size(); ++f) {
        Tri t;
        for (int k = 0; k < 3; ++k) vertex(mesh.indices[f * 3 + k], t, k);
        t.material = mesh.attributes[f];
        out.push_back(t);
    }
}

bool OneOf(unsigned v, const unsigned (&set)[2]) { return v == set[0] || v == set[1]; }

// The machine in its normal body mode: the body, and every part the model shows with it.
std::vector<Tri> MachineTriangles(const MachineDescription& d) {
    std::vector<Tri> tris;
    const unsigned body = d.poses[0];
    {
        MeshBuilder mb;
        float wheels[4][3];
        for (int w = 0; w < 4; ++w)
            for (int k = 0; k < 3; ++k) wheels[w][k] = d.wheelPos[w][0][k];
        BuildBody(d, FamilyPose(d, 0), wheels, false, mb);
        Collect(mb, tris);
    }
    float probe[3];
    const bool wheelTable = d.WheelAt(0, body, probe);
    for (const MachinePart& part : d.parts) {
        if (part.model == 0) continue;
        const unsigned kind = part.kind;
        if (kind >= 14 && kind <= 17 && wheelTable) continue;
        if (kind == 1 || kind == 22 || kind == 9) continue;  // boost flames, other bodies' parts
        if (kind == 18 && !OneOf(body, kHaloFrontBodies)) continue;
        if (kind == 19 && !OneOf(body, kHaloRearBodies)) continue;
        if (kind == 23 && body == kFinHiddenBody) continue;
        V3 at(part.pos[0], part.pos[1], part.pos[2]);
        float off[3];
        if (kind >= 10 && kind <= 13 && d.WheelAt(int(kind) - 10, body, off)) at = at + V3(off[0], off[1], off[2]);
        MeshBuilder mb;
        mb.Push(Place::At(at) * Place::RotZ(part.rot[2]) * Place::RotY(part.rot[1]) * Place::RotX(part.rot[0]));
        BuildPart(d, part, false, mb);
        mb.Pop();
        Collect(mb, tris);
    }
    return tris;
}

struct Camera {
    V3 eye, right, up, forward;
    float focal = 1.0f;  // screen units per unit of depth
    float cx = 0, cy = 0;
};

// The colour of a point of the machine: the livery sampled, shaded by its material.
uint32_t Shade(const Tri& t, float b0, float b1, float b2, const std::vector<uint8_t>& livery, const Camera& cam,
               const V3& world) {
    const float u = t.u[0] * b0 + t.u[1] * b1 + t.u[2] * b2, v = t.v[0] * b0 + t.v[1] * b1 + t.v[2] * b2;
    const int tx = std::clamp(static_cast<int>(u * livery::kSize), 0, livery::kSize - 1);
    const int ty = std::clamp(static_cast<int>(v * livery::kSize), 0, livery::kSize - 1);
    const uint8_t* px = &livery[(size_t(ty) * livery::kSize + tx) * 4];
    float r = px[0] / 255.0f, g = px[1] / 255.0f, b = px[2] / 255.0f;
    const uint32_t vc = t.colour[0];
    r *= ((vc >> 16) & 0xFF) / 255.0f;
    g *= ((vc >> 8) & 0xFF) / 255.0f;
    b *= (vc & 0xFF) / 255.0f;
    const V3 n = Normalised(t.n[0] * b0 + t.n[1] * b1 + t.n[2] * b2);
    const V3 key = Normalised(V3(-0.45f, 0.8f, -0.55f));
    const V3 fill = Normalised(V3(0.7f, 0.3f, 0.3f));
    const V3 view = Normalised(cam.eye - world);
    const V3 half = Normalised(key + view);
    const float diffuse = std::max(0.0f, Dot(n, key)), back = std::max(0.0f, Dot(n, fill));
    const float rim = std::pow(1.0f - std::max(0.0f, Dot(n, view)), 3.0f);
    float ambient = 0.32f, kd = 0.75f, ks = 0.0f, power = 16.0f, kf = 0.18f;
    switch (t.material) {
        case kMatPaint: ks = 0.55f, power = 48.0f; break;
        case kMatGlass:
            r = r * 0.35f + 0.05f, g = g * 0.35f + 0.08f, b = b * 0.35f + 0.14f;
            ks = 0.9f, power = 64.0f;
            break;
        case kMatGlow: ambient = 1.0f, kd = 0.0f, kf = 0.0f; break;
        case kMatDark: ks = 0.12f, power = 8.0f; break;
        case kMatMetal: ks = 0.7f, power = 24.0f; break;
        default: break;
    }
    const float spec = ks * std::pow(std::max(0.0f, Dot(n, half)), power);
    const float light = ambient + kd * diffuse + kf * back;
    const float rimLight = 0.25f * rim;
    auto channel = [&](float c) {
        return static_cast<uint32_t>(std::lround(std::clamp(c * light + spec + rimLight, 0.0f, 1.0f) * 255.0f));
    };
    return 0xFF000000u | channel(r) << 16 | channel(g) << 8 | channel(b);
}

// Rasterises the triangles into a supersampled colour and depth buffer.
void Rasterise(const std::vector<Tri>& tris, const Camera& cam, const std::vector<uint8_t>& livery, int w, int h,
               std::vector<uint32_t>& colour, std::vector<float>& depth, bool mirrored) {
    for (const Tri& t : tris) {
        if (t.material == kMatFlame) continue;
        V3 wp[3];
        float sx[3], sy[3], sz[3];
        bool behind = false;
        for (int k = 0; k < 3; ++k) {
            wp[k] = mirrored ? V3(t.p[k].x, -t.p[k].y, t.p[k].z) : t.p[k];
            const V3 rel = wp[k] - cam.eye;
            const float z = Dot(rel, cam.forward);
            if (z < 0.5f) behind = true;
            sx[k] = cam.cx + Dot(rel, cam.right) / z * cam.focal;
            sy[k] = cam.cy - Dot(rel, cam.up) / z * cam.focal;
            sz[k] = z;
        }
        if (behind) continue;
        const float area = (sx[1] - sx[0]) * (sy[2] - sy[0]) - (sx[2] - sx[0]) * (sy[1] - sy[0]);
        if (std::fabs(area) < 1e-6f) continue;
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min({sx[0], sx[1], sx[2]}))));
        const int x1 = std::min(w - 1, static_cast<int>(std::ceil(std::max({sx[0], sx[1], sx[2]}))));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min({sy[0], sy[1], sy[2]}))));
        const int y1 = std::min(h - 1, static_cast<int>(std::ceil(std::max({sy[0], sy[1], sy[2]}))));
        Tri shaded = t;
        if (mirrored)
            for (V3& n : shaded.n) n.y = -n.y;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const float px = x + 0.5f, py = y + 0.5f;
                float b0 = ((sx[1] - px) * (sy[2] - py) - (sx[2] - px) * (sy[1] - py)) / area;
                float b1 = ((sx[2] - px) * (sy[0] - py) - (sx[0] - px) * (sy[2] - py)) / area;
                float b2 = 1.0f - b0 - b1;
                if (b0 < 0 || b1 < 0 || b2 < 0) continue;
                // Perspective-correct weights.
                const float q0 = b0 / sz[0], q1 = b1 / sz[1], q2 = b2 / sz[2], qs = q0 + q1 + q2;
                const float z = 1.0f / qs;
                float& d = depth[size_t(y) * w + x];
                if (z >= d) continue;
                d = z;
                b0 = q0 / qs, b1 = q1 / qs, b2 = q2 / qs;
                const V3 world = wp[0] * b0 + wp[1] * b1 + wp[2] * b2;
                colour[size_t(y) * w + x] = Shade(shaded, b0, b1, b2, livery, cam, world);
            }
    }
}

}  // namespace

void PrepareMachineCards(const Context& ctx, Output& out) {
    std::call_once(g_read, [&] {
        g_machines = ReadMachineDescriptions(ctx, out);
        g_ready = true;
    });
}

bool MachineColours(int machine, std::uint32_t* paint, std::uint32_t* stripe) {
    if (!g_ready || machine < 1 || machine >= kMachineCount || !g_machines[size_t(machine)].present) return false;
    *paint = 0xFF000000u | g_machines[size_t(machine)].paint;
    *stripe = 0xFF000000u | g_machines[size_t(machine)].stripe;
    return true;
}

bool RenderMachine(const MachineShot& shot, SpriteCanvas& c) {
    if (!g_ready || shot.machine < 1 || shot.machine >= kMachineCount) return false;
    const MachineDescription& d = g_machines[size_t(shot.machine)];
    if (!d.present) return false;
    const std::vector<Tri> tris = MachineTriangles(d);
    const std::vector<uint8_t> livery = DrawLivery(d);
    V3 lo(1e9f, 1e9f, 1e9f), hi(-1e9f, -1e9f, -1e9f);
    for (const Tri& t : tris)
        for (const V3& p : t.p) {
            lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
            hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
        }
    if (tris.empty()) return false;
    // The camera circles the machine (it faces -z) at `yaw`, looking slightly down at its middle.
    constexpr int kSuper = 2;
    const float radius = std::max({hi.x - lo.x, hi.z - lo.z, 1.0f});
    const V3 centre((lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2);
    const float dist = radius * 1.6f;
    Camera cam;
    cam.eye = centre + V3(-std::sin(shot.yaw) * dist * std::cos(shot.elevation), dist * std::sin(shot.elevation),
                          -std::cos(shot.yaw) * dist * std::cos(shot.elevation));
    cam.forward = Normalised(centre - cam.eye);
    cam.right = Normalised(Cross(V3(0, 1, 0), cam.forward));
    cam.up = Cross(cam.forward, cam.right);
    const int w = static_cast<int>(shot.width) * kSuper, h = static_cast<int>(shot.width * 0.62f) * kSuper;
    cam.focal = w * 0.95f;
    cam.cx = w / 2.0f;
    cam.cy = h / 2.0f;
    const float floorY = lo.y;
    std::vector<uint32_t> colour(size_t(w) * h, 0), mirror(size_t(w) * h, 0);
    std::vector<float> depth(size_t(w) * h, 1e30f), mirrorDepth(size_t(w) * h, 1e30f);
    Rasterise(tris, cam, livery, w, h, colour, depth, false);
    if (shot.reflection) {
        std::vector<Tri> below = tris;
        for (Tri& t : below) {
            for (V3& p : t.p) p.y = 2.0f * floorY - p.y;
            for (V3& n : t.n) n.y = -n.y;
        }
        Rasterise(below, cam, livery, w, h, mirror, mirrorDepth, false);
    }
    // Down-sampled onto the canvas: the reflection faint under the machine.
    const int left = static_cast<int>(shot.centreX - w / (2.0f * kSuper)),
              top = static_cast<int>(shot.centreY - h / (2.0f * kSuper));
    for (int y = 0; y < h / kSuper; ++y)
        for (int x = 0; x < w / kSuper; ++x) {
            float acc[2][4] = {};
            for (int sy = 0; sy < kSuper; ++sy)
                for (int sx = 0; sx < kSuper; ++sx) {
                    const size_t i = size_t(y * kSuper + sy) * w + (x * kSuper + sx);
                    const uint32_t* src[2] = {&mirror[i], &colour[i]};
                    for (int l = 0; l < 2; ++l)
                        if (*src[l]) {
                            acc[l][0] += (*src[l] >> 16) & 0xFF;
                            acc[l][1] += (*src[l] >> 8) & 0xFF;
                            acc[l][2] += *src[l] & 0xFF;
                            acc[l][3] += 1.0f;
                        }
                }
            for (int l = 0; l < 2; ++l) {
                if (acc[l][3] <= 0.0f) continue;
                const float k = 1.0f / acc[l][3];
                const uint32_t rgb =
                    uint32_t(acc[l][0] * k) << 16 | uint32_t(acc[l][1] * k) << 8 | uint32_t(acc[l][2] * k);
                const float cover = acc[l][3] / (kSuper * kSuper);
                c.Blend(left + x, top + y, 0xFF000000u | rgb, l == 0 ? cover * 0.22f : cover);
            }
        }
    return true;
}

}  // namespace contentgen
