// CollisionSet.cpp -- builds a layout's floor, walls and route records from its centre line and gates.
#include "tools/track/CollisionSet.h"

#include <algorithm>
#include <cmath>

namespace track {
namespace {

// A corner closer than this to the plane of the other three keeps a quad flat.
constexpr float kPlanarTolerance = 0.01f;
// Cells reach this far past their polygons so that points on a polygon's rim find the cell.
constexpr float kCellMargin = 0.5f;

struct P3 {
    double x, y, z;
};

P3 Sub(const P3& a, const P3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
P3 Cross(const P3& a, const P3& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(const P3& a, const P3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
P3 ToP3(const yiVec3& v) { return {v.x, v.y, v.z}; }

zfmt::CollisionVec3 Cv(double x, double y, double z) {
    zfmt::CollisionVec3 v;
    v.x = static_cast<float>(x);
    v.y = static_cast<float>(y);
    v.z = static_cast<float>(z);
    return v;
}

// Twice the signed (x, z) area; the inside test wants it negative.
double Shoelace(const std::vector<P3>& v) {
    double sum = 0.0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const P3& a = v[i];
        const P3& b = v[(i + 1) % v.size()];
        sum += a.x * b.z - b.x * a.z;
    }
    return sum;
}

bool ConvexXZ(const std::vector<P3>& v) {
    int sign = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const P3& a = v[i];
        const P3& b = v[(i + 1) % v.size()];
        const P3& c = v[(i + 2) % v.size()];
        const double cr = (b.x - a.x) * (c.z - b.z) - (b.z - a.z) * (c.x - b.x);
        const int s = cr > 0.0 ? 1 : cr < 0.0 ? -1 : 0;
        if (s == 0) return false;
        if (sign != 0 && s != sign) return false;
        sign = s;
    }
    return true;
}

// Appends one polygon in the plane of its first three corners, wound for the inside test.
void AddPolygon(std::vector<P3> v, std::uint32_t surface, std::vector<zfmt::FloorPolygon>& out) {
    if (Shoelace(v) > 0.0) std::reverse(v.begin(), v.end());
    P3 n = Cross(Sub(v[1], v[0]), Sub(v[2], v[0]));
    if (n.y < 0.0) n = {-n.x, -n.y, -n.z};
    const double len = std::sqrt(Dot(n, n));
    if (!(len > 0.0)) return;
    n = {n.x / len, n.y / len, n.z / len};
    zfmt::FloorPolygon p;
    p.vertexCount = static_cast<std::uint16_t>(v.size());
    for (std::size_t i = 0; i < 4; ++i) {
        const P3& c = v[std::min(i, v.size() - 1)];
        p.x[i] = static_cast<float>(c.x);
        p.z[i] = static_cast<float>(c.z);
    }
    p.plane[0] = static_cast<float>(n.x);
    p.plane[1] = static_cast<float>(n.y);
    p.plane[2] = static_cast<float>(n.z);
    p.plane[3] = static_cast<float>(-Dot(n, v[0]));
    p.normal = Cv(n.x, n.y, n.z);
    p.attribute = surface - 1;
    out.push_back(p);
}

// One band between two cross-sections: a flat convex quad, else two triangles.
void AddBand(const P3& a0, const P3& a1, const P3& b1, const P3& b0, std::uint32_t surface,
             std::vector<zfmt::FloorPolygon>& out) {
    const std::vector<P3> quad = {a0, a1, b1, b0};
    P3 n = Cross(Sub(a1, a0), Sub(b1, a0));
    const double len = std::sqrt(Dot(n, n));
    const bool flat = len > 0.0 && std::fabs(Dot(Sub(b0, a0), n) / len) < kPlanarTolerance;
    if (flat && ConvexXZ(quad)) {
        AddPolygon(quad, surface, out);
        return;
    }
    AddPolygon({a0, a1, b1}, surface, out);
    AddPolygon({a0, b1, b0}, surface, out);
}

// Lateral edges of the five bands at a sample, left to right.
void BandEdges(const Sample& s, float edges[6]) {
    edges[0] = s.WallOffset(0);
    edges[1] = kRoadHalfWidth + kKerbWidth;
    edges[2] = kRoadHalfWidth;
    edges[3] = -kRoadHalfWidth;
    edges[4] = -(kRoadHalfWidth + kKerbWidth);
    edges[5] = -s.WallOffset(1);
}

std::uint32_t BandSurface(int band, const Sample& s0, const Sample& s1) {
    switch (band) {
        case 0: return s0.refill[0] && s1.refill[0] ? kSurfaceRefill : kSurfaceRough;
        case 4: return s0.refill[1] && s1.refill[1] ? kSurfaceRefill : kSurfaceRough;
        case 1:
        case 3: return s0.kerb && s1.kerb ? kSurfaceKerb : kSurfaceRoad;
        default: return kSurfaceRoad;
    }
}

zfmt::WallRecord Wall(const yiVec3& a, const yiVec3& b, bool leftWall) {
    double dx = b.x - a.x, dz = b.z - a.z;
    const double len = std::sqrt(dx * dx + dz * dz);
    dx /= len;
    dz /= len;
    zfmt::WallRecord w;
    w.a = Cv(a.x, a.y, a.z);
    w.b = Cv(b.x, b.y, b.z);
    // Toward the road: right of the driving direction for the left wall, left for the right.
    w.normal = leftWall ? Cv(-dz, 0.0, dx) : Cv(dz, 0.0, -dx);
    return w;
}

}  // namespace

CollisionSet BuildCollisionSet(const Layout& layout) {
    CollisionSet set;
    const std::vector<Sample>& samples = layout.line.Samples();
    const std::size_t n = samples.size();

    // Floor.
    zfmt::FloorCell cell;
    for (std::size_t i = 0; i < n; ++i) {
        if (i % kIntervalsPerCell == 0) {
            cell = zfmt::FloorCell();
            cell.firstPolygon = static_cast<std::uint32_t>(set.floor.polygons.size());
        }
        const Sample& s0 = samples[i];
        const Sample& s1 = samples[(i + 1) % n];
        float e0[6], e1[6];
        BandEdges(s0, e0);
        BandEdges(s1, e1);
        for (int band = 0; band < 5; ++band)
            AddBand(ToP3(s0.At(e0[band])), ToP3(s0.At(e0[band + 1])), ToP3(s1.At(e1[band + 1])), ToP3(s1.At(e1[band])),
                    BandSurface(band, s0, s1), set.floor.polygons);
        if (i % kIntervalsPerCell == kIntervalsPerCell - 1 || i + 1 == n) {
            cell.polygonCount = static_cast<std::uint32_t>(set.floor.polygons.size()) - cell.firstPolygon;
            float minX = 1e30f, minZ = 1e30f, maxX = -1e30f, maxZ = -1e30f;
            for (std::uint32_t p = cell.firstPolygon; p < cell.firstPolygon + cell.polygonCount; ++p) {
                const zfmt::FloorPolygon& poly = set.floor.polygons[p];
                for (int v = 0; v < poly.vertexCount; ++v) {
                    minX = std::min(minX, poly.x[v]);
                    maxX = std::max(maxX, poly.x[v]);
                    minZ = std::min(minZ, poly.z[v]);
                    maxZ = std::max(maxZ, poly.z[v]);
                }
            }
            cell.minX = minX - kCellMargin;
            cell.minZ = minZ - kCellMargin;
            cell.maxX = maxX + kCellMargin;
            cell.maxZ = maxZ + kCellMargin;
            set.floor.cells.push_back(cell);
        }
    }

    // Walls along both outer edges.
    for (int side = 0; side < 2; ++side)
        for (std::size_t i = 0; i < n; ++i) {
            const Sample& s0 = samples[i];
            const Sample& s1 = samples[(i + 1) % n];
            const float sign = side == 0 ? 1.0f : -1.0f;
            set.walls.push_back(Wall(s0.At(sign * s0.WallOffset(side)), s1.At(sign * s1.WallOffset(side)), side == 0));
        }

    // Route.
    zfmt::RouteFile& route = set.route;
    route.name = std::string("course") + layout.info->collisionBase;
    route.special[zfmt::kRouteGoalEntry].section = 0;
    route.checkpointCount = kCheckpointCount;
    for (int i = 0; i < kCheckpointCount; ++i) route.checkpoints[i].section = layout.checkpoints[i];
    for (const Gate& g : layout.gates) {
        zfmt::RouteSectionRecord r;
        r.a = Cv(g.a.x, g.a.y, g.a.z);
        r.b = Cv(g.b.x, g.b.y, g.b.z);
        route.sections.push_back(r);
    }
    return set;
}

}  // namespace track
