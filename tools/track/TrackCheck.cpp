// TrackCheck.cpp -- checks a generated layout's collision set against the invariants the race relies on.
#include "tools/track/TrackCheck.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "table/CircuitFixedRows.h"

namespace track {
namespace {

constexpr float kCentreProbeStep = 10.0f;
constexpr float kHeightTolerance = 0.5f;
constexpr float kMinFloorNormalY = 0.7f;
constexpr float kBucket = 500.0f;

double Orient(double ax, double az, double bx, double bz, double cx, double cz) {
    return (bx - ax) * (cz - az) - (bz - az) * (cx - ax);
}

// Proper or touching intersection of two XZ segments.
bool SegmentsMeet(const zfmt::CollisionVec3& p, const zfmt::CollisionVec3& q, const zfmt::CollisionVec3& a,
                  const zfmt::CollisionVec3& b) {
    const double d1 = Orient(a.x, a.z, b.x, b.z, p.x, p.z), d2 = Orient(a.x, a.z, b.x, b.z, q.x, q.z);
    const double d3 = Orient(p.x, p.z, q.x, q.z, a.x, a.z), d4 = Orient(p.x, p.z, q.x, q.z, b.x, b.z);
    if (d1 == 0.0 && d2 == 0.0) {  // collinear: they meet where their extents overlap
        return std::max(std::min(p.x, q.x), std::min(a.x, b.x)) <= std::min(std::max(p.x, q.x), std::max(a.x, b.x)) &&
               std::max(std::min(p.z, q.z), std::min(a.z, b.z)) <= std::min(std::max(p.z, q.z), std::max(a.z, b.z));
    }
    return ((d1 <= 0 && d2 >= 0) || (d1 >= 0 && d2 <= 0)) && ((d3 <= 0 && d4 >= 0) || (d3 >= 0 && d4 <= 0));
}

zfmt::CollisionVec3 Cv(const yiVec3& v) {
    zfmt::CollisionVec3 c;
    c.x = v.x;
    c.y = v.y;
    c.z = v.z;
    return c;
}

// Convex containment with edges included (winding as stored: negative shoelace).
bool Contains(const zfmt::FloorPolygon& p, float x, float z) {
    const int n = p.vertexCount;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        const double c = Orient(p.x[i], p.z[i], p.x[j], p.z[j], x, z);
        if (c > 1e-6) return false;
    }
    return true;
}

// Height of the floor under (x, z), cells and polygons in file order.
bool FloorAt(const zfmt::FloorFile& f, float x, float z, float& height, std::uint32_t& attribute) {
    for (const zfmt::FloorCell& c : f.cells) {
        if (x < c.minX || x > c.maxX || z < c.minZ || z > c.maxZ) continue;
        for (std::uint32_t i = 0; i < c.polygonCount; ++i) {
            const zfmt::FloorPolygon& p = f.polygons[c.firstPolygon + i];
            if (!Contains(p, x, z)) continue;
            height = -(p.plane[0] * x + p.plane[2] * z + p.plane[3]) / p.plane[1];
            attribute = p.attribute;
            return true;
        }
    }
    return false;
}

// The highest-numbered gate the step crosses, -1 if none.
int CrossedGate(const zfmt::RouteFile& r, const yiVec3& p, const yiVec3& q) {
    for (int s = static_cast<int>(r.sections.size()) - 1; s >= 0; --s) {
        const zfmt::RouteSectionRecord& g = r.sections[s];
        if (SegmentsMeet(Cv(p), Cv(q), g.a, g.b)) return s;
    }
    return -1;
}

void CheckFloor(const Layout& layout, const zfmt::FloorFile& f, std::vector<std::string>& errors) {
    if (f.cells.empty()) errors.push_back("the floor has no cells");
    for (std::size_t ci = 0; ci < f.cells.size(); ++ci) {
        const zfmt::FloorCell& c = f.cells[ci];
        if (std::uint64_t(c.firstPolygon) + c.polygonCount > f.polygons.size()) {
            errors.push_back("cell " + std::to_string(ci) + " names polygons it does not hold");
            continue;
        }
        for (std::uint32_t i = c.firstPolygon; i < c.firstPolygon + c.polygonCount; ++i) {
            const zfmt::FloorPolygon& p = f.polygons[i];
            const std::string where = "polygon " + std::to_string(i);
            if (p.vertexCount < 3 || p.vertexCount > 4) {
                errors.push_back(where + " has " + std::to_string(p.vertexCount) + " corners");
                continue;
            }
            double area = 0.0;
            for (int v = 0; v < p.vertexCount; ++v) {
                const int w = (v + 1) % p.vertexCount;
                area += double(p.x[v]) * p.z[w] - double(p.x[w]) * p.z[v];
                if (p.x[v] < c.minX || p.x[v] > c.maxX || p.z[v] < c.minZ || p.z[v] > c.maxZ)
                    errors.push_back(where + " reaches outside its cell");
                const int u = (v + 2) % p.vertexCount;
                if (Orient(p.x[v], p.z[v], p.x[w], p.z[w], p.x[u], p.z[u]) >= 0.0)
                    errors.push_back(where + " is not convex in the inside test's winding");
            }
            if (!(area < 0.0)) errors.push_back(where + " is wound the wrong way");
            const float nl = std::sqrt(p.normal.x * p.normal.x + p.normal.y * p.normal.y + p.normal.z * p.normal.z);
            if (std::fabs(nl - 1.0f) > 1e-4f || p.plane[1] < kMinFloorNormalY)
                errors.push_back(where + " has a bad normal or is too steep");
            if (p.attribute != kSurfaceRoad - 1 && p.attribute != kSurfaceKerb - 1 &&
                p.attribute != kSurfaceRough - 1 && p.attribute != kSurfaceRefill - 1)
                errors.push_back(where + " has surface attribute " + std::to_string(p.attribute));
        }
    }
    // Floor under every point of the centre line, at the road height, on the road surface.
    for (float a = 0.0f; a < layout.line.Length(); a += kCentreProbeStep) {
        const Sample s = layout.line.At(a);
        float h = 0.0f;
        std::uint32_t attribute = 0;
        if (!FloorAt(f, s.centre.x, s.centre.z, h, attribute)) {
            errors.push_back("no floor under the centre line at arc " + std::to_string(a));
        } else if (std::fabs(h - s.centre.y) > kHeightTolerance || attribute != kSurfaceRoad - 1) {
            errors.push_back("the floor under the centre line at arc " + std::to_string(a) + " is not the road");
        }
        if (errors.size() > 20) return;
    }
}

void CheckWalls(const Layout& layout, const std::vector<zfmt::WallRecord>& walls, std::vector<std::string>& errors) {
    const std::size_t n = layout.line.Samples().size();
    if (walls.size() != 2 * n) {
        errors.push_back("expected two walls per interval");
        return;
    }
    for (std::size_t i = 0; i < walls.size(); ++i) {
        const zfmt::WallRecord& w = walls[i];
        const float nl = std::sqrt(w.normal.x * w.normal.x + w.normal.z * w.normal.z);
        if (std::fabs(nl - 1.0f) > 1e-4f || w.normal.y != 0.0f)
            errors.push_back("wall " + std::to_string(i) + " normal is not a unit vector in the ground plane");
        const Sample& s = layout.line.Samples()[i % n];
        const float mx = 0.5f * (w.a.x + w.b.x), mz = 0.5f * (w.a.z + w.b.z);
        if (w.normal.x * (s.centre.x - mx) + w.normal.z * (s.centre.z - mz) <= 0.0f)
            errors.push_back("wall " + std::to_string(i) + " normal points away from the road");
    }
    // No two walls meet but neighbours along one side: the road never crosses itself.
    std::map<std::pair<int, int>, std::vector<std::size_t>> buckets;
    for (std::size_t i = 0; i < walls.size(); ++i) {
        const zfmt::WallRecord& w = walls[i];
        const int x0 = int(std::floor(std::min(w.a.x, w.b.x) / kBucket)),
                  x1 = int(std::floor(std::max(w.a.x, w.b.x) / kBucket));
        const int z0 = int(std::floor(std::min(w.a.z, w.b.z) / kBucket)),
                  z1 = int(std::floor(std::max(w.a.z, w.b.z) / kBucket));
        for (int x = x0; x <= x1; ++x)
            for (int z = z0; z <= z1; ++z) buckets[{x, z}].push_back(i);
    }
    auto neighbours = [&](std::size_t i, std::size_t j) {
        if (i / n != j / n) return false;
        const std::size_t a = i % n, b = j % n;
        return (a + 1) % n == b || (b + 1) % n == a;
    };
    std::size_t crossings = 0;
    for (const auto& [key, list] : buckets)
        for (std::size_t u = 0; u < list.size(); ++u)
            for (std::size_t v = u + 1; v < list.size(); ++v) {
                const std::size_t i = list[u], j = list[v];
                if (neighbours(i, j)) continue;
                if (SegmentsMeet(walls[i].a, walls[i].b, walls[j].a, walls[j].b)) ++crossings;
            }
    if (crossings > 0) errors.push_back("walls cross each other " + std::to_string(crossings) + " times");
}

void CheckRoute(const Layout& layout, const CollisionSet& set, std::vector<std::string>& errors) {
    const zfmt::RouteFile& r = set.route;
    const int ns = static_cast<int>(r.sections.size());
    if (ns != layout.info->sectionCount) errors.push_back("section count differs from the table's");
    if (r.checkpointCount < 2 || r.checkpointCount > 16) errors.push_back("checkpoint count out of 2..16");
    if (r.Goal() != 0 || r.checkpoints[0].section != 0) errors.push_back("the goal is not section 0 = checkpoint 0");
    for (std::uint32_t i = 1; i < r.checkpointCount && i < 16; ++i)
        if (r.checkpoints[i].section <= r.checkpoints[i - 1].section || r.checkpoints[i].section >= ns)
            errors.push_back("checkpoints out of order");
    // Every gate spans the road from wall to wall: it crosses a wall on each side.
    const std::size_t n = layout.line.Samples().size();
    for (int s = 0; s < ns; ++s) {
        const int i = layout.line.SampleBefore(layout.gates[s].arc);
        bool side[2] = {false, false};
        for (int k = 0; k < 2; ++k)
            for (int d = -1; d <= 1; ++d) {
                const zfmt::WallRecord& w = set.walls[k * n + (i + d + n) % n];
                side[k] = side[k] || SegmentsMeet(r.sections[s].a, r.sections[s].b, w.a, w.b);
            }
        if (!side[0] || !side[1]) errors.push_back("gate " + std::to_string(s) + " does not reach both walls");
    }
    // Walking the centre line at full speed for two laps crosses every gate once, in order.
    const float step = 0.95f * kMaxStepTravel;
    const float start = layout.gates[0].arc + 1.0f;
    int expected = 1, goals = 0;
    yiVec3 p = layout.line.At(start).centre;
    for (float a = step; a <= 2.0f * layout.line.Length() + step; a += step) {
        const yiVec3 q = layout.line.At(start + a).centre;
        const int g = CrossedGate(r, p, q);
        if (g >= 0) {
            if (g != expected) {
                errors.push_back("walking the lap crosses gate " + std::to_string(g) + " where " +
                                 std::to_string(expected) + " was due");
                return;
            }
            if (g == 0) ++goals;
            expected = (expected + 1) % ns;
        }
        p = q;
    }
    if (goals != 2) errors.push_back("two laps crossed the goal " + std::to_string(goals) + " times");
}

void CheckGrid(const Layout& layout, const CollisionSet& set, std::vector<std::string>& errors) {
    const int32_t* start = circuit_fixed::kStartSections[layout.info->courseId];
    const zfmt::RouteSectionRecord& goal = set.route.sections[0];
    const zfmt::RouteSectionRecord& before = set.route.sections.back();
    // A machine's start heading runs from the section before the goal to the goal.
    float hx = 0.5f * (goal.a.x + goal.b.x - before.a.x - before.b.x);
    float hz = 0.5f * (goal.a.z + goal.b.z - before.a.z - before.b.z);
    const float hl = std::sqrt(hx * hx + hz * hz);
    hx /= hl;
    hz /= hl;
    for (int k = 0; k < 16; ++k) {
        const std::string where = "grid slot " + std::to_string(k);
        float h = 0.0f;
        std::uint32_t attribute = 0;
        const yiVec3& g = layout.grid[k];
        if (!FloorAt(set.floor, g.x, g.z, h, attribute) || std::fabs(h - g.y) > kHeightTolerance ||
            attribute != kSurfaceRoad - 1)
            errors.push_back(where + " is not on the road");
        if (layout.SectionAtArc(layout.gridArc[k]) != start[k]) errors.push_back(where + " is outside its section");
        const Sample s = layout.line.At(layout.gridArc[k]);
        if (s.forward.x * hx + s.forward.z * hz < 0.99f) errors.push_back(where + " does not face down the road");
    }
}

}  // namespace

bool CrossesXZ(const yiVec3& p, const yiVec3& q, const yiVec3& a, const yiVec3& b) {
    return SegmentsMeet(Cv(p), Cv(q), Cv(a), Cv(b));
}

std::vector<std::string> CheckCollisionSet(const Layout& layout, const CollisionSet& set) {
    std::vector<std::string> errors;
    if (!layout.error.empty()) return {layout.error};
    CheckFloor(layout, set.floor, errors);
    CheckWalls(layout, set.walls, errors);
    if (errors.empty()) CheckRoute(layout, set, errors);
    if (errors.empty()) CheckGrid(layout, set, errors);
    for (std::string& e : errors) e = std::string(layout.info->collisionBase) + ": " + e;
    return errors;
}

std::vector<std::string> CheckReverse(const Layout& forward, const Layout& reverse) {
    const std::vector<Sample>& f = forward.line.Samples();
    const std::vector<Sample>& r = reverse.line.Samples();
    const std::string where = std::string(reverse.info->collisionBase) + ": ";
    if (f.size() != r.size() || std::fabs(forward.line.Length() - reverse.line.Length()) > 0.01f)
        return {where + "not the same road as its forward layout"};
    const std::size_t n = f.size();
    for (std::size_t k = 0; k < n; ++k) {
        const Sample& a = f[(n - k) % n];
        const Sample& b = r[k];
        if (std::fabs(a.centre.x - b.centre.x) > 1e-3f || std::fabs(a.centre.z - b.centre.z) > 1e-3f ||
            std::fabs(a.centre.y - b.centre.y) > 1e-3f ||
            a.forward.x * b.forward.x + a.forward.z * b.forward.z > -0.999f)
            return {where + "sample " + std::to_string(k) + " is not its forward road driven the other way"};
    }
    return {};
}

}  // namespace track
