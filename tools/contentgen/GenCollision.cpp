// Generator: the collision bank (floor, walls and route of each of the twelve circuit layouts).
#include <cmath>

#include "Generators.h"
#include "format/CollisionFile.h"
#include "table/CircuitFixedRows.h"
#include "tools/tablerows/CircuitLayout.h"

namespace contentgen {
namespace {

constexpr int kSectionCounts[14] = {0, 0, 287, 79, 329, 461, 325, 268, 287, 79, 329, 461, 325, 268};
constexpr const char* kBases[14] = {"",       "",         "Spain",     "Niseko",    "Berlin", "Qir",       "Sydney",
                                    "Canada", "SpainRev", "NisekoRev", "BerlinRev", "QirRev", "SydneyRev", "CanadaRev"};
constexpr float kHalfWidth = 200.0f;

yiVec3 Anchor(int courseId) {
    if (courseId == 2) return {-917.846f, 0.199347f, 5600.0f};
    if (courseId == 5) return {-4032.77f, 0.0f, 8180.05f};
    return {0.0f, 0.0f, 0.0f};
}

zfmt::CollisionVec3 V(float x, float y, float z) {
    zfmt::CollisionVec3 v;
    v.x = x;
    v.y = y;
    v.z = z;
    return v;
}

// Gate ends of section s: A on the driver's left, B on the right.
void Gate(const tablerows::CircuitLayout& l, int s, zfmt::CollisionVec3& a, zfmt::CollisionVec3& b) {
    const yiVec3 m = l.gateMid[s], d = l.forward[s];
    a = V(m.x + d.z * kHalfWidth, m.y, m.z - d.x * kHalfWidth);
    b = V(m.x - d.z * kHalfWidth, m.y, m.z + d.x * kHalfWidth);
}

// Stand-in set: one flat quad per section between its gate and the next, walls along the gate ends.
void MakeSet(int id, zfmt::FloorFile& floor, std::vector<zfmt::WallRecord>& walls, zfmt::RouteFile& route) {
    const tablerows::CircuitLayout l =
        tablerows::MakeStandInLayout(kSectionCounts[id], circuit_fixed::kStartSections[id], Anchor(id));
    const int n = l.SectionCount();
    route.name = kBases[id];
    route.special[zfmt::kRouteGoalEntry].section = 0;
    route.checkpointCount = 4;
    for (int k = 0; k < 4; ++k) route.checkpoints[k].section = n * k / 4;
    for (int s = 0; s < n; ++s) {
        zfmt::RouteSectionRecord g;
        Gate(l, s, g.a, g.b);
        route.sections.push_back(g);
    }
    for (int s = 0; s < n; ++s) {
        const zfmt::RouteSectionRecord& g0 = route.sections[s];
        const zfmt::RouteSectionRecord& g1 = route.sections[(s + 1) % n];
        zfmt::FloorPolygon p;
        p.vertexCount = 4;
        const zfmt::CollisionVec3 q[4] = {g0.a, g0.b, g1.b, g1.a};
        float area = 0.0f;
        for (int i = 0; i < 4; ++i) area += q[i].x * q[(i + 1) % 4].z - q[(i + 1) % 4].x * q[i].z;
        for (int i = 0; i < 4; ++i) {
            const zfmt::CollisionVec3& v = area < 0.0f ? q[i] : q[3 - i];
            p.x[i] = v.x;
            p.z[i] = v.z;
        }
        p.plane[1] = 1.0f;
        p.plane[3] = -g0.a.y;
        p.normal = V(0.0f, 1.0f, 0.0f);
        zfmt::FloorCell c;
        c.firstPolygon = static_cast<std::uint32_t>(floor.polygons.size());
        c.polygonCount = 1;
        c.minX = std::fmin(std::fmin(q[0].x, q[1].x), std::fmin(q[2].x, q[3].x));
        c.maxX = std::fmax(std::fmax(q[0].x, q[1].x), std::fmax(q[2].x, q[3].x));
        c.minZ = std::fmin(std::fmin(q[0].z, q[1].z), std::fmin(q[2].z, q[3].z));
        c.maxZ = std::fmax(std::fmax(q[0].z, q[1].z), std::fmax(q[2].z, q[3].z));
        floor.cells.push_back(c);
        floor.polygons.push_back(p);
        const yiVec3 d = l.forward[s];
        walls.push_back({g0.a, g1.a, V(-d.z, 0.0f, d.x)});
        walls.push_back({g0.b, g1.b, V(d.z, 0.0f, -d.x)});
    }
}

}  // namespace

void GenCollision(Output& out, const Context& /*ctx*/) {
    BankOutput& bank = out.AddBank("bankRC01", DefaultBankKey("bankRC01"), BankDirectory::Stems);
    bank.ExpectCount(36);
    for (int id = 2; id < 14; ++id) {
        zfmt::FloorFile floor;
        std::vector<zfmt::WallRecord> walls;
        zfmt::RouteFile route;
        MakeSet(id, floor, walls, route);
        const std::string base = std::string("data/collision/course") + kBases[id];
        bank.Add(base + "Colli.clb", zfmt::WriteFloorFile(floor));
        bank.Add(base + "Wall.wlb", zfmt::WriteWallFile(walls));
        bank.Add(base + "Route.rtb", zfmt::WriteRouteFile(route));
    }
}

}  // namespace contentgen
