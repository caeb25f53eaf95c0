// CourseScenery.cpp -- the start area and each place's trees, buildings and landmarks, placed along the centre line.
#include "course/CourseScenery.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "course/CourseProps.h"
#include "course/CourseRoad.h"
#include "course/CourseSight.h"
#include "tools/tablerows/CircuitRows.h"
#include "tools/track/Circuits.h"
#include "tools/track/Layout.h"

namespace contentgen {

namespace {

V3 P(const yiVec3& v) { return {v.x, v.y, v.z}; }

// A start-straight board's post stands this far beyond the wall and needs this much room round it
// (the site keeps 60 clear of the walls besides).
constexpr float kBoardBeyondWall = 80.0f, kBoardRoom = 10.0f;

// A frame on the ground at `p` whose x axis points away from the road (side +1: the left).
Frame Beside(V3 p, const track::Sample& s, float side) {
    Frame f;
    f.origin = p;
    f.right = P(s.Left()) * side;
    f.up = {0, 1, 0};
    f.ahead = Cross(f.right, f.up);
    return f;
}

// True when a rectangle beside the road (offsets `from`..`to` from the centre line of sample s,
// along arcs a0..a1) lies clear of every other stretch of road and of water.
bool RoomBeside(const CourseSite& site, const track::CentreLine& line, float a0, float a1, float side, float from,
                float to) {
    for (float a = a0; a <= a1; a += 100.0f)
        for (float off = from; off <= to; off += 60.0f) {
            const track::Sample s = line.At(a);
            const V3 p = P(s.centre) + P(s.Left()) * (side * off);
            if (site.NearestRoad(p.x, p.z, off + 10.0f).distance < off - 40.0f) return false;
            if (site.Wetness(p.x, p.z) > 0.05f) return false;
        }
    return true;
}

void OccupyBeside(CourseSite& site, const track::CentreLine& line, float a0, float a1, float side, float from,
                  float to) {
    const float r = 0.5f * (to - from);
    for (float a = a0; a <= a1; a += r) {
        const track::Sample s = line.At(a);
        const V3 p = P(s.centre) + P(s.Left()) * (side * (from + r));
        site.Occupy(p.x, p.z, r + 30.0f);
    }
}

// Places things along the road: every `step` (varied) one try on a random side, `near`..`far`
// beyond the wall; `place` builds it at the ground point with the road sample and side.
template <typename Fn>
void AlongRoad(CourseSite& site, const track::CentreLine& line, CourseRandom& rnd, float step, float near, float far,
               float radius, Fn place) {
    for (float arc = rnd.Range(0, step); arc < line.Length(); arc += step * rnd.Range(0.5f, 1.5f)) {
        const track::Sample s = line.At(arc);
        const float side = rnd.Unit() < 0.5f ? 1.0f : -1.0f;
        const float off = s.WallOffset(side > 0 ? 0 : 1) + rnd.Range(near, far);
        V3 p = P(s.centre) + P(s.Left()) * (side * off);
        if (!site.Free(p.x, p.z, radius)) continue;
        p.y = site.Ground(p.x, p.z);
        place(p, s, side);
        site.Occupy(p.x, p.z, radius);
    }
}

// Places `count` tries at random points within `reach` of the circuit's bounds.
template <typename Fn>
void Field(CourseSite& site, CourseRandom& rnd, int count, float reach, float radius, Fn place) {
    for (int k = 0; k < count; ++k) {
        const float x = rnd.Range(site.MinX() - reach, site.MaxX() + reach);
        const float z = rnd.Range(site.MinZ() - reach, site.MaxZ() + reach);
        if (!site.Free(x, z, radius)) continue;
        const V3 p{x, site.Ground(x, z), z};
        if (place(p)) site.Occupy(x, z, radius);
    }
}

// Places boats on open water.
void Boats(CourseSite& site, CourseRandom& rnd, MeshChunks& out, int count, Rgb sail) {
    for (int k = 0; k < count * 6 && count > 0; ++k) {
        const float x = rnd.Range(site.MinX() - 6000, site.MaxX() + 6000);
        const float z = rnd.Range(site.MinZ() - 6000, site.MaxZ() + 6000);
        if (site.Wetness(x, z) < 0.95f || !site.Free(x, z, 200, true)) continue;
        Boat(out.Next(), Frame::Upright(V3{x, kWaterLevel - 4, z}, rnd.Range(0, 2 * kPi)), rnd.Range(120, 220),
             rnd.Unit() < 0.5f ? Hex(0xF4F4F4) : Hex(0x28344A), sail);
        site.Occupy(x, z, 200);
        --count;
    }
}

// The stretch of road on pillars over the harbour, from arc a0 to a1; false when there is none.
bool HarbourStretch(const CourseSite& site, const track::CentreLine& line, float& a0, float& a1) {
    const auto& samples = line.Samples();
    int first = -1, last = -1;
    for (int i = 0; i < static_cast<int>(samples.size()); ++i)
        if (site.Elevated(samples[i]) && site.Wetness(samples[i].centre.x, samples[i].centre.z) > 0.5f) {
            if (first < 0) first = i;
            last = i;
        }
    if (first < 0) return false;
    a0 = samples[static_cast<std::size_t>(first)].arc, a1 = samples[static_cast<std::size_t>(last)].arc;
    return true;
}

// Berlin's elevated railway: two beams along x, each at z = [0] with its top at y = [1].
constexpr float kRails[2][2] = {{4581.5f, 121.832f}, {-8666.8f, 183.066f}};
constexpr float kRailFrom = -17500.0f, kRailTo = 11800.0f;

// ---- the places ---------------------------------------------------------------------------

void Barcelona(CourseSite& site, const track::CentreLine& line, CourseRandom& rnd, MeshChunks& out) {
    AlongRoad(site, line, rnd, 170.0f, 60.0f, 420.0f, 70.0f,
              [&](V3 p, const track::Sample&, float) { Palm(out.Next(), p, rnd.Range(170, 260), rnd); });
    const Rgb walls[3] = {Hex(0xF6F0E4), Hex(0xEFD9B0), Hex(0xF2E6D0)};
    Field(site, rnd, 900, 4500.0f, 130.0f, [&](V3 p) {
        if (site.NearestRoad(p.x, p.z, 900).distance < 700) return false;
        const float w = rnd.Range(110, 200), d = rnd.Range(120, 220);
        House(out.Next(), Frame::Upright(p - V3{0, 10, 0}, rnd.Range(0, kPi)), w, d, rnd.Range(70, 140),
              walls[rnd.Below(3)], Hex(0xC0532E));
        return true;
    });
    Field(site, rnd, 260, 3500.0f, 80.0f, [&](V3 p) {
        if (site.Wetness(p.x, p.z + 600) < 0.2f && site.Wetness(p.x + 600, p.z) < 0.2f) return false;
        Palm(out.Next(), p, rnd.Range(160, 240), rnd);
        return true;
    });
    Boats(site, rnd, out, 14, Hex(0xFFFFFF));
}

void Niseko(CourseSite& site, const track::CentreLine& line, CourseRandom& rnd, MeshChunks& out) {
    AlongRoad(site, line, rnd, 120.0f, 50.0f, 700.0f, 60.0f,
              [&](V3 p, const track::Sample&, float) { Pine(out.Next(), p, rnd.Range(180, 330), true, rnd); });
    Field(site, rnd, 1100, 4000.0f, 70.0f, [&](V3 p) {
        if (rnd.Unit() < 0.12f) {
            Rock(out.Next(), p, rnd.Range(40, 110), Mix(Hex(0x6A7080), Hex(0x8C94A0), rnd.Unit()), rnd);
        } else {
            Pine(out.Next(), p, rnd.Range(200, 380), rnd.Unit() < 0.8f, rnd, true);
        }
        return true;
    });
    Field(site, rnd, 80, 2500.0f, 140.0f, [&](V3 p) {
        if (rnd.Unit() < 0.7f) return false;
        Frame f = Frame::Upright(p - V3{0, 10, 0}, rnd.Range(0, kPi));
        House(out.Next(), f, 140, 180, 80, Hex(0x8A5A3A), Hex(0xF4F8FC));
        return true;
    });
}

void Berlin(CourseSite& site, const track::CentreLine& line, CourseRandom& rnd, MeshChunks& out) {
    // Street lamps along both walls.
    for (float arc = 0; arc < line.Length(); arc += 300.0f) {
        const track::Sample s = line.At(arc);
        for (int side = 0; side < 2; ++side) {
            const float sign = side == 0 ? 1.0f : -1.0f;
            V3 p = P(s.centre) + P(s.Left()) * (sign * (s.WallOffset(side) + 35.0f));
            if (site.NearestRoad(p.x, p.z, 400).distance < s.WallOffset(side) + 20.0f) continue;
            if (site.Taken(p.x, p.z, 20.0f)) continue;  // a camera looks across here
            p.y = s.centre.y;
            Lamp(out.Next(), p, 120.0f, Hex(0xFFD27A));
        }
    }
    // The railway's pillars, where there is room.
    for (const auto& r : kRails)
        for (float x = kRailFrom + 200; x < kRailTo; x += 450.0f) {
            if (!site.Free(x, r[0], 60)) continue;
            const float g = site.Ground(x, r[0]);
            CourseMesh& m = out.Next();
            m.Use(Finish::Lit, Hex(0x6A605A));
            m.Box(Frame::Upright(V3{x, g, r[0]}, 0), 60, r[1] - 30 - g, 60, Hex(0x6A605A));
        }
    // The television tower in the largest open space.
    V3 best{};
    float room = 0;
    for (float x = site.MinX(); x <= site.MaxX(); x += 300)
        for (float z = site.MinZ(); z <= site.MaxZ(); z += 300) {
            const float d = site.NearestRoad(x, z, 3000).distance;
            if (d > room) {
                room = d;
                best = {x, 0, z};
            }
        }
    if (room > 500) {
        TvTower(out.Next(), V3{best.x, site.Ground(best.x, best.z), best.z}, 2200.0f);
        site.Occupy(best.x, best.z, 250);
    }
    // City blocks, lit for the evening.
    const Rgb bodies[4] = {Hex(0x8E8478), Hex(0x6E6A70), Hex(0xA09080), Hex(0x5A5A64)};
    Field(site, rnd, 1600, 4500.0f, 200.0f, [&](V3 p) {
        const float w = rnd.Range(180, 420), d = rnd.Range(160, 380);
        const float near = site.NearestRoad(p.x, p.z, 3000).distance;
        const float h = rnd.Range(180, 420) + (near > 1500 ? rnd.Range(0, 600) : 0.0f);
        Block(out.Next(), Frame::Upright(p - V3{0, 15, 0}, rnd.Unit() < 0.5f ? 0 : kPi / 2), w, d, h,
              bodies[rnd.Below(4)], Hex(0xFFD58A), true, rnd);
        return true;
    });
    Field(site, rnd, 300, 2500.0f, 50.0f, [&](V3 p) {
        LeafTree(out.Next(), p, rnd.Range(120, 190), Mix(Hex(0x3E5A36), Hex(0x5A6A3A), rnd.Unit()), rnd, true);
        return true;
    });
}

// Glowing lines over the flat ground of the future city, kept off the road.
void GroundGrid(CourseSite& site, MeshChunks& out, Rgb colour) {
    const float spacing = 1200.0f, piece = 400.0f, half = 9.0f;
    for (int axis = 0; axis < 2; ++axis)
        for (float u = std::floor((axis ? site.MinX() : site.MinZ()) / spacing) * spacing - 6000.0f;
             u <= (axis ? site.MaxX() : site.MaxZ()) + 6000.0f; u += spacing)
            for (float v = (axis ? site.MinZ() : site.MinX()) - 6000.0f;
                 v < (axis ? site.MaxZ() : site.MaxX()) + 6000.0f; v += piece) {
                const float x0 = axis ? u : v, z0 = axis ? v : u;
                const float x1 = axis ? u : v + piece, z1 = axis ? v + piece : u;
                const float g0 = site.Ground(x0, z0), g1 = site.Ground(x1, z1);
                if (std::fabs(g0) > 1.0f || std::fabs(g1) > 1.0f) continue;
                if (site.NearestRoad(0.5f * (x0 + x1), 0.5f * (z0 + z1), 800.0f).distance < 600.0f) continue;
                const V3 across = axis ? V3{half, 0, 0} : V3{0, 0, half};
                CourseMesh& m = out.Next();
                m.Use(Finish::Glow, colour);
                m.QuadFacing(V3{x0, 2, z0} - across, V3{x0, 2, z0} + across, V3{x1, 2, z1} + across,
                             V3{x1, 2, z1} - across, colour, V3{0, 1, 0});
            }
}

void Qir(CourseSite& site, const track::CentreLine& line, CourseRandom& rnd, MeshChunks& out) {
    GroundGrid(site, out, Hex(0x4A34B8));
    // Rotor masts under the spinning wings (their hubs are fixed by the course's objects).
    const float wings[6][2] = {{-1466.99f, 4152.49f}, {-2025.5f, 2300.22f},  {-1836.35f, 3162.15f},
                               {4158.95f, -7413.75f}, {6045.29f, -7789.47f}, {7714.83f, -7741.77f}};
    for (const auto& w : wings)
        if (site.Free(w[0], w[1], 80)) {
            RotorMast(out.Next(), V3{w[0], site.Ground(w[0], w[1]), w[1]}, 556.397f);
            site.Occupy(w[0], w[1], 80);
        }
    // Cyan lamps on the barriers.
    for (float arc = 0; arc < line.Length(); arc += 260.0f) {
        const track::Sample s = line.At(arc);
        const int side = static_cast<int>(arc / 260.0f) % 2;
        const float sign = side == 0 ? 1.0f : -1.0f;
        V3 p = P(s.centre) + P(s.Left()) * (sign * (s.WallOffset(side) + kWallThickness));
        if (site.Taken(p.x, p.z, 20.0f)) continue;  // a camera looks across here
        p.y = s.centre.y + 40.0f;
        Lamp(out.Next(), p, 60.0f, side ? Hex(0x3DF2FF) : Hex(0xFF2FA8));
    }
    const Rgb bodies[3] = {Hex(0x30344C), Hex(0x3A3050), Hex(0x283448)};
    const Rgb neon[4] = {Hex(0x3DF2FF), Hex(0xFF2FA8), Hex(0xA05CFF), Hex(0xFFD21C)};
    Field(site, rnd, 800, 4800.0f, 230.0f, [&](V3 p) {
        const float near = site.NearestRoad(p.x, p.z, 3000).distance;
        const float w = rnd.Range(200, 380);
        const float h =
            near < 1000 ? rnd.Range(300, 800) : rnd.Range(700, 1600) + (near > 2000 ? rnd.Range(0, 1800) : 0.0f);
        NeonTower(out.Next(), Frame::Upright(p - V3{0, 10, 0}, rnd.Range(0, kPi / 2)), w, h, bodies[rnd.Below(3)],
                  neon[rnd.Below(4)], neon[rnd.Below(4)], rnd);
        return true;
    });
    AlongRoad(site, line, rnd, 900.0f, 120.0f, 400.0f, 150.0f, [&](V3 p, const track::Sample& s, float side) {
        Billboard(out.Next(), Beside(p, s, side), 260, 220, neon[rnd.Below(4)], Hex(0x16161E));
    });
}

void Sydney(CourseSite& site, const track::CentreLine& line, const track::Sample* start, CourseRandom& rnd,
            MeshChunks& out) {
    float a0 = 0, a1 = 0;
    if (HarbourStretch(site, line, a0, a1)) {
        const track::Sample mid = line.At(0.5f * (a0 + a1));
        // Sail roofs on the shore beside the harbour mouth.
        bool placed = false;
        for (float side : {1.0f, -1.0f})
            for (float reach = 2200.0f; reach < 5200.0f && !placed; reach += 300.0f) {
                const V3 across = P(mid.Left()) * side;
                const V3 p = V3{mid.centre.x, 0, mid.centre.z} + across * reach + P(mid.forward) * 1700.0f;
                if (site.Wetness(p.x, p.z) > 0.05f || !site.Free(p.x, p.z, 450)) continue;
                SailRoofs(out.Next(), Frame::Facing(V3{p.x, site.Ground(p.x, p.z), p.z}, across), 420.0f);
                site.Occupy(p.x, p.z, 450);
                placed = true;
            }
    }
    // And on a point of the waterfront the start straight looks out over, a little along from the
    // stands.
    if (start) {
        const V3 sea = site.SeaDirection();
        const V3 ahead = P(start->forward);
        bool placed = false;
        for (float along : {2600.0f, -2600.0f, 3600.0f, -3600.0f, 4600.0f, -4600.0f}) {
            const V3 from = V3{start->centre.x, 0, start->centre.z} + ahead * along;
            for (float d = 300.0f; d < 6000.0f && !placed; d += 150.0f) {
                const V3 p = from + sea * d;
                if (site.Wetness(p.x, p.z) < 0.5f) continue;
                if (site.Free(p.x, p.z, 380, true)) {
                    SailRoofs(out.Next(), Frame::Facing(V3{p.x, kWaterLevel - 5.0f, p.z}, sea), 380.0f);
                    site.Occupy(p.x, p.z, 380);
                    placed = true;
                }
                break;
            }
            if (placed) break;
        }
    }
    AlongRoad(site, line, rnd, 220.0f, 60.0f, 500.0f, 80.0f, [&](V3 p, const track::Sample&, float) {
        LeafTree(out.Next(), p, rnd.Range(160, 260), Mix(Hex(0x4E7A3A), Hex(0x7A9A4A), rnd.Unit()), rnd);
    });
    const Rgb glass[3] = {Hex(0x6E8CB0), Hex(0x8AA4C0), Hex(0x5A7294)};
    Field(site, rnd, 700, 4500.0f, 220.0f, [&](V3 p) {
        const float near = site.NearestRoad(p.x, p.z, 3000).distance;
        if (near < 900 || rnd.Unit() < 0.3f) {
            LeafTree(out.Next(), p, rnd.Range(160, 260), Mix(Hex(0x4E7A3A), Hex(0x7A9A4A), rnd.Unit()), rnd, true);
            return true;
        }
        Block(out.Next(), Frame::Upright(p - V3{0, 10, 0}, rnd.Range(0, kPi / 2)), rnd.Range(180, 300),
              rnd.Range(180, 300), rnd.Range(300, 1300), glass[rnd.Below(3)], Hex(0xCFE6FF), false, rnd);
        return true;
    });
    Boats(site, rnd, out, 18, Hex(0xFFFFFF));
}

void Canada(CourseSite& site, const track::CentreLine& line, CourseRandom& rnd, MeshChunks& out) {
    const Rgb autumn[4] = {Hex(0xE0601C), Hex(0xC8281E), Hex(0xF0A820), Hex(0xB8461A)};
    AlongRoad(site, line, rnd, 140.0f, 60.0f, 600.0f, 70.0f, [&](V3 p, const track::Sample&, float) {
        if (rnd.Unit() < 0.25f)
            Pine(out.Next(), p, rnd.Range(200, 320), false, rnd);
        else
            LeafTree(out.Next(), p, rnd.Range(170, 260), autumn[rnd.Below(4)], rnd);
    });
    Field(site, rnd, 1500, 4000.0f, 75.0f, [&](V3 p) {
        const float wetNear = std::max(site.Wetness(p.x + 300, p.z), site.Wetness(p.x - 300, p.z));
        if (wetNear > 0.3f && rnd.Unit() < 0.5f) {
            Rock(out.Next(), p, rnd.Range(80, 200), Mix(Hex(0x7A7670), Hex(0x9A948C), rnd.Unit()), rnd);
        } else if (rnd.Unit() < 0.3f) {
            Pine(out.Next(), p, rnd.Range(220, 360), false, rnd, true);
        } else {
            LeafTree(out.Next(), p, rnd.Range(180, 300), autumn[rnd.Below(4)], rnd, true);
        }
        return true;
    });
    Field(site, rnd, 60, 2500.0f, 150.0f, [&](V3 p) {
        if (rnd.Unit() < 0.6f) return false;
        Cabin(out.Next(), Frame::Upright(p - V3{0, 10, 0}, rnd.Range(0, kPi)), 140.0f);
        return true;
    });
    Boats(site, rnd, out, 6, Hex(0xC8281E));
}

}  // namespace

CourseMesh& MeshChunks::Next() {
    if (chunks_.empty() || chunks_.back().VertexCount() > limit_) chunks_.emplace_back();
    return chunks_.back();
}

namespace {

// The course ids of a circuit's two directions.
std::vector<int> BothWays(int courseId) {
    const int forward =
        courseId >= track::kFirstLayoutCourse + track::kReverseOffset ? courseId - track::kReverseOffset : courseId;
    std::vector<int> ids;
    for (int id : {forward, forward + track::kReverseOffset})
        if (id >= track::kFirstLayoutCourse && id <= track::kLastLayoutCourse) ids.push_back(id);
    return ids;
}

}  // namespace

std::vector<ReplayShot> FixedPathShots(int courseId) {
    std::vector<ReplayShot> shots;
    for (int id : BothWays(courseId)) {
        const tablerows::CircuitRows& rows = AllCircuitRows()[static_cast<std::size_t>(id)];
        shots.insert(shots.end(), rows.shots.begin(), rows.shots.end());
    }
    return shots;
}

std::vector<tablerows::CameraSights> CameraSightsOf(int courseId) {
    std::vector<tablerows::CameraSights> cameras;
    for (int id : BothWays(courseId)) {
        const tablerows::CircuitRows& rows = AllCircuitRows()[static_cast<std::size_t>(id)];
        cameras.insert(cameras.end(), rows.cameras.begin(), rows.cameras.end());
    }
    return cameras;
}

void KeepCamerasClear(CourseSite& site, const std::vector<tablerows::CameraSights>& cameras) {
    // Room around the eye (trees are taller than the eye stands), and a corridor along each line of
    // sight for the part of it that crosses the scenery before the road. The fixed-path shots stand
    // further out and higher, and look wider, than the replay's track cameras. One disc is laid in
    // each square a sixth of its radius wide.
    constexpr float kSightShare = 0.8f;
    constexpr float kWideMove = 0.5f;
    std::set<std::tuple<int, int, int>> laid;
    auto occupy = [&](float x, float z, float radius) {
        const float q = radius / 6.0f;
        const int i = static_cast<int>(std::floor(x / q)), j = static_cast<int>(std::floor(z / q));
        if (laid.insert({i, j, static_cast<int>(radius)}).second) site.Occupy(x, z, radius);
    };
    for (const tablerows::CameraSights& camera : cameras) {
        // The track cameras' wide moves (looking across the road) take a shot's room.
        const bool wide = camera.shot || camera.fov > kWideMove;
        const float eyeRoom = wide ? 320.0f : 110.0f, sightRoom = wide ? 180.0f : 80.0f;
        for (const auto* lines : {&camera.sights, &camera.watched})
            for (const auto& [eyeAt, targetAt] : *lines) {
                const V3 eye = P(eyeAt), target = P(targetAt);
                occupy(eye.x, eye.z, eyeRoom);
                const V3 flat{target.x - eye.x, 0.0f, target.z - eye.z};
                const float length = Length(flat) * kSightShare;
                if (length <= 0.0f) continue;
                const V3 along = flat * (1.0f / Length(flat));
                for (float d = sightRoom / 2; d <= length; d += sightRoom / 2)
                    occupy(eye.x + along.x * d, eye.z + along.z * d, sightRoom);
            }
    }
}

void BuildStartArea(CourseSite& site, const track::Layout& forward, CourseMesh& m) {
    const PlaceStyle& st = site.Style();
    CourseRandom rnd(st.seed + 1000u);
    const track::CentreLine& line = forward.line;
    const float goal = forward.gates.empty() ? 0.0f : forward.gates[0].arc;
    const float standLength = 1300.0f, pitLength = 1100.0f;
    const track::Sample at = line.At(goal);
    Rgb body = Hex(0xD9A24A), seats = Hex(0xC0532E), roof = Hex(0xE8C48A);
    switch (st.place) {
        case Place::Niseko: body = Hex(0x8A5A3A), seats = Hex(0x2A66C8), roof = Hex(0xF4F8FC); break;
        case Place::Berlin: body = Hex(0x9A9AA0), seats = Hex(0xE8C21C), roof = Hex(0x505058); break;
        case Place::Qir: body = Hex(0x34384E), seats = Hex(0xFF2FA8), roof = Hex(0x3DF2FF); break;
        case Place::Sydney: body = Hex(0xF2F2F2), seats = Hex(0x1F5FD0), roof = Hex(0xF4C430); break;
        case Place::Canada: body = Hex(0x8A4A2A), seats = Hex(0xC8281E), roof = Hex(0x2E6B38); break;
        default: break;
    }
    int standSide = 0;
    for (float side : {1.0f, -1.0f}) {
        const float wall = at.WallOffset(side > 0 ? 0 : 1);
        const float a0 = goal + 150.0f - standLength / 2, a1 = goal + 150.0f + standLength / 2;
        if (!RoomBeside(site, line, a0, a1, side, wall + 60.0f, wall + 360.0f)) continue;
        const track::Sample s = line.At(goal + 150.0f);
        V3 p = P(s.centre) + P(s.Left()) * (side * (wall + 60.0f));
        p.y = std::min(s.centre.y, site.Ground(p.x, p.z)) - 5.0f;
        Grandstand(m, Beside(p, s, side), standLength, body, seats, roof, rnd);
        OccupyBeside(site, line, a0, a1, side, wall + 40.0f, wall + 360.0f);
        standSide = side > 0 ? 1 : -1;
        break;
    }
    const float pitSide = standSide == 1 ? -1.0f : 1.0f;
    {
        const float wall = at.WallOffset(pitSide > 0 ? 0 : 1);
        const float a0 = goal - 200.0f - pitLength / 2, a1 = goal - 200.0f + pitLength / 2;
        if (RoomBeside(site, line, a0, a1, pitSide, wall + 80.0f, wall + 420.0f)) {
            const track::Sample s = line.At(goal - 200.0f);
            V3 p = P(s.centre) + P(s.Left()) * (pitSide * (wall + 80.0f));
            p.y = std::min(s.centre.y, site.Ground(p.x, p.z)) - 5.0f;
            PitBuilding(m, Beside(p, s, pitSide), pitLength, Scale(body, 1.05f), seats, rnd);
            OccupyBeside(site, line, a0, a1, pitSide, wall + 60.0f, wall + 420.0f);
        }
    }
    // Boards along the rest of the straight, as near the wall as the room the road keeps allows.
    for (int k = 0; k < 6; ++k) {
        const float arc = goal + (k < 3 ? -1200.0f - 450.0f * k : 1000.0f + 450.0f * (k - 3));
        const float side = k % 2 ? 1.0f : -1.0f;
        const track::Sample s = line.At(arc);
        V3 p = P(s.centre) + P(s.Left()) * (side * (std::max(s.WallOffset(0), s.WallOffset(1)) + kBoardBeyondWall));
        if (!site.Free(p.x, p.z, kBoardRoom)) continue;
        p.y = std::min(s.centre.y, site.Ground(p.x, p.z));
        Billboard(m, Beside(p, s, side), 300, 150, st.wallB, st.wallA);
        site.Occupy(p.x, p.z, 160);
    }
}

void BuildPlaceFixtures(CourseSite& site, const track::Layout& forward, CourseMesh& m) {
    if (site.Style().place == Place::Berlin) {
        // The elevated railway's beams the trains run on (their tracks are fixed by the course's
        // objects); the pillars are scenery and keep out of the cameras' way.
        for (const auto& r : kRails) {
            const float x0 = kRailFrom, x1 = kRailTo, z = r[0], top = r[1];
            m.Use(Finish::Lit, Hex(0x7A6E66));
            m.Box(Frame{{0.5f * (x0 + x1), top - 30, z}, {0, 0, -1}, {0, 1, 0}, {1, 0, 0}}, 90, 30, x1 - x0,
                  Hex(0x7A6E66));
        }
    }
    float a0 = 0, a1 = 0;
    if (site.Style().place == Place::Sydney && HarbourStretch(site, forward.line, a0, a1)) {
        // The arch over the bridge, its stone pylons at both ends.
        const track::Sample mid = forward.line.At(0.5f * (a0 + a1));
        const float span = (a1 - a0) + 500.0f;
        const Frame f = Frame::Facing(V3{mid.centre.x, 0, mid.centre.z}, P(mid.forward));
        ArchBridge(m, f, span, mid.centre.y - 10.0f, 2.0f * mid.WallOffset(0) + 2.0f * kWallThickness + 40.0f,
                   Hex(0x8A9098));
        for (float z : {-span / 2, span / 2}) {
            const V3 end = f.At(0, 0, z);
            site.Occupy(end.x, end.z, mid.WallOffset(0) + 110.0f);
        }
    }
}

void BuildPlaceScenery(CourseSite& site, const track::Layout& forward, const Surroundings& around, MeshChunks& out) {
    (void)around;
    CourseRandom rnd(site.Style().seed * 31u + 7u);
    switch (site.Style().place) {
        case Place::Barcelona: Barcelona(site, forward.line, rnd, out); break;
        case Place::Niseko: Niseko(site, forward.line, rnd, out); break;
        case Place::Berlin: Berlin(site, forward.line, rnd, out); break;
        case Place::Qir: Qir(site, forward.line, rnd, out); break;
        case Place::Sydney: {
            const track::Sample start = forward.line.At(forward.gates.empty() ? 0.0f : forward.gates[0].arc);
            Sydney(site, forward.line, &start, rnd, out);
            break;
        }
        case Place::Canada: Canada(site, forward.line, rnd, out); break;
    }
}

}  // namespace contentgen
