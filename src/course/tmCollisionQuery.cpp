// tmCollisionQuery.cpp -- the floor, wall, body and route queries of a collision set.
#include <cmath>

#include "course/tmCollision.h"

namespace {

// A step of this squared length or more never hits another machine's body.
constexpr float kLongestBoxStepSq = 3600.0f;
constexpr float kParallel = 0.000001f;
constexpr float kFlatPlaneB = 0.00001f;

// (x, 0, z) scaled to unit length; a zero vector stays zero.
void Unit(float x, float z, float* ox, float* oz) {
    const float len = std::sqrt(x * x + z * z);
    if (len > 0.0f) {
        x /= len;
        z /= len;
    }
    *ox = x;
    *oz = z;
}

// Y of the cross product of (ux, 0, uz) and (vx, 0, vz).
float CrossY(float ux, float uz, float vx, float vz) { return uz * vx - ux * vz; }

}  // namespace

bool tmCollision::SegmentsCross(const D3DXVECTOR3& p1, const D3DXVECTOR3& p2, const D3DXVECTOR3& q1,
                                const D3DXVECTOR3& q2, D3DXVECTOR3* point) {
    // Quick rejection: the fixed segment lies wholly on one side of the step's box.
    if (q1.x < p1.x && q1.x < p2.x && q2.x < p1.x && q2.x < p2.x) return false;
    if (q1.x > p1.x && q1.x > p2.x && q2.x > p1.x && q2.x > p2.x) return false;
    if (q1.z < p1.z && q1.z < p2.z && q2.z < p1.z && q2.z < p2.z) return false;
    if (q1.z > p1.z && q1.z > p2.z && q2.z > p1.z && q2.z > p2.z) return false;

    const float dpx = p2.x - p1.x, dpz = p2.z - p1.z;
    const float dqx = q2.x - q1.x, dqz = q2.z - q1.z;
    const float den = dqx * dpz - dqz * dpx;
    if (std::fabs(den) < kParallel) return false;
    const float wx = q1.x - p1.x, wz = q1.z - p1.z;
    const float t = (dqx * wz - dqz * wx) / den;
    const float u = (dpx * wz - dpz * wx) / den;
    if (!(t >= 0.0f && t <= 1.0f && u >= 0.0f && u <= 1.0f)) return false;
    if (point) *point = D3DXVECTOR3(p1.x + t * dpx, p1.y, p1.z + t * dpz);
    return true;
}

tmCollision::CornerEdges tmCollision::MakeCornerEdges(const Polygon& polygon) {
    CornerEdges e{};
    const int n = static_cast<int>(polygon.vertexCount);
    e.valid = n >= 3 && n <= 4;
    if (!e.valid) return e;
    for (int k = 0; k < 2; ++k) {
        const int a = (2 * k) % n;
        const int b = (2 * k + 1) % n;
        const int c = (n + 2 * k - 1) % n;
        Unit(polygon.x[b] - polygon.x[a], polygon.z[b] - polygon.z[a], &e.e1x[k], &e.e1z[k]);
        Unit(polygon.x[c] - polygon.x[a], polygon.z[c] - polygon.z[a], &e.e2x[k], &e.e2z[k]);
    }
    return e;
}

bool tmCollision::Contains(const Polygon& polygon, const CornerEdges& edges, float x, float z) {
    if (!edges.valid) return false;
    const int n = static_cast<int>(polygon.vertexCount);
    // Tested at two opposite corners: each corner's wedge between its two edges holds the
    // polygon, and for a convex polygon the two wedges meet exactly in it.
    for (int k = 0; k < 2; ++k) {
        const int a = (2 * k) % n;
        float px, pz;
        Unit(x - polygon.x[a], z - polygon.z[a], &px, &pz);
        const float s1 = CrossY(edges.e1x[k], edges.e1z[k], px, pz);
        const float s2 = CrossY(px, pz, edges.e2x[k], edges.e2z[k]);
        if (s1 * s2 < 0.0f || s1 < 0.0f || s2 < 0.0f) return false;
    }
    return true;
}

bool tmCollision::PolygonContains(const Polygon& polygon, float x, float z) {
    return Contains(polygon, MakeCornerEdges(polygon), x, z);
}

bool tmCollision::FloorOfCell(const Cell& cell, float x, float z, float* height, D3DXVECTOR3* normal,
                              std::uint32_t* attribute) const {
    if (!(cell.minX <= x && x <= cell.maxX && cell.minZ <= z && z <= cell.maxZ)) return false;
    // Cell ranges were checked against the polygon count when the floor was read.
    const Polygon* found = nullptr;
    for (std::uint32_t i = 0; i < cell.polygonCount; ++i) {
        const std::uint32_t k = cell.firstPolygon + i;
        if (Contains(polygons_[k], edges_[k], x, z)) {
            found = &polygons_[k];
            break;
        }
    }
    if (!found || std::fabs(found->b) < kFlatPlaneB) return false;
    if (height) *height = -(found->a * x + found->c * z + found->d) / found->b;
    if (normal) *normal = found->normal;
    if (attribute) *attribute = found->attribute + 1;
    return true;
}

bool tmCollision::GetFloor(const D3DXVECTOR3& position, float* height, D3DXVECTOR3* normal,
                           std::uint32_t* attribute) const {
    const float x = position.x, z = position.z;
    if (!cellGrid_.IsBuilt() || !std::isfinite(x) || !std::isfinite(z)) {
        for (const Cell& cell : cells_)
            if (FloorOfCell(cell, x, z, height, normal, attribute)) return true;
        return false;
    }
    // The point's bucket lists, in file order, every cell whose rectangle holds it.
    const tmCollisionGrid::Span s = cellGrid_.Cover(x, z, x, z);
    for (const std::uint32_t* c = cellGrid_.Begin(s.x0, s.z0); c != cellGrid_.End(s.x0, s.z0); ++c)
        if (FloorOfCell(cells_[*c], x, z, height, normal, attribute)) return true;
    return false;
}

bool tmCollision::HitWall(const D3DXVECTOR3& p1, const D3DXVECTOR3& p2, D3DXVECTOR3* hitPoint,
                          D3DXVECTOR3* wallVector) const {
    // The same rejection as the crossing test's first step, against the step's extent once.
    const float minX = std::fmin(p1.x, p2.x), maxX = std::fmax(p1.x, p2.x);
    const float minZ = std::fmin(p1.z, p2.z), maxZ = std::fmax(p1.z, p2.z);
    const auto meets = [&](const Wall& w) {
        return !(w.maxX < minX || w.minX > maxX || w.maxZ < minZ || w.minZ > maxZ) &&
               SegmentsCross(p1, p2, w.a, w.b, nullptr);
    };
    std::size_t first = walls_.size();
    if (!wallGrid_.IsBuilt() || !std::isfinite(p1.x) || !std::isfinite(p1.z) || !std::isfinite(p2.x) ||
        !std::isfinite(p2.z)) {
        for (std::size_t i = 0; i < walls_.size() && first == walls_.size(); ++i)
            if (meets(walls_[i])) first = i;
    } else {
        // The lowest-numbered crossed wall of the buckets under the step is the first in file order:
        // every wall the step can cross meets the step's extent and so one of those buckets.
        const tmCollisionGrid::Span s = wallGrid_.Cover(minX, minZ, maxX, maxZ);
        for (int bz = s.z0; bz <= s.z1; ++bz)
            for (int bx = s.x0; bx <= s.x1; ++bx)
                for (const std::uint32_t* w = wallGrid_.Begin(bx, bz); w != wallGrid_.End(bx, bz) && *w < first; ++w)
                    if (meets(walls_[*w])) first = *w;
    }
    if (first == walls_.size()) return false;
    const Wall& w = walls_[first];
    if (hitPoint) SegmentsCross(p1, p2, w.a, w.b, hitPoint);
    if (wallVector) *wallVector = w.vector;
    return true;
}

bool tmCollision::HitBox(const D3DXVECTOR3& p1, const D3DXVECTOR3& p2, const tmCollisionBox& other,
                         D3DXVECTOR3* hitPoint, D3DXVECTOR3* direction) const {
    const D3DXVECTOR3 step = p2 - p1;
    if (step.x * step.x + step.y * step.y + step.z * step.z >= kLongestBoxStepSq) return false;
    for (int i = 0; i < 4; ++i) {
        if (!SegmentsCross(p1, p2, other.corners[i], other.corners[(i + 1) % 4], hitPoint)) continue;
        if (direction) {
            D3DXVECTOR3 d = p1 - other.position;
            const float lenSq = d.x * d.x + d.y * d.y + d.z * d.z;
            if (lenSq > 0.01f) d /= std::sqrt(lenSq);
            *direction = d;
        }
        return true;
    }
    return false;
}

int tmCollision::FindSection(const D3DXVECTOR3& p1, const D3DXVECTOR3& p2) const {
    const std::vector<Section>& sections = sections_[0];
    if (!sectionGrid_.IsBuilt() || !std::isfinite(p1.x) || !std::isfinite(p1.z) || !std::isfinite(p2.x) ||
        !std::isfinite(p2.z)) {
        for (int s = static_cast<int>(sections.size()) - 1; s >= 0; --s)
            if (SegmentsCross(p1, p2, sections[s].a, sections[s].b, nullptr)) return s;
        return -1;
    }
    // The highest-numbered crossed gate of the buckets under the step: a gate the step crosses
    // meets the step's extent (the crossing test's first rejection) and so one of those buckets.
    const tmCollisionGrid::Span span =
        sectionGrid_.Cover(std::fmin(p1.x, p2.x), std::fmin(p1.z, p2.z), std::fmax(p1.x, p2.x), std::fmax(p1.z, p2.z));
    int last = -1;
    for (int bz = span.z0; bz <= span.z1; ++bz)
        for (int bx = span.x0; bx <= span.x1; ++bx)
            for (const std::uint32_t* g = sectionGrid_.End(bx, bz); g != sectionGrid_.Begin(bx, bz);) {
                const int s = static_cast<int>(*--g);
                if (s <= last) break;
                if (SegmentsCross(p1, p2, sections[s].a, sections[s].b, nullptr)) {
                    last = s;
                    break;
                }
            }
    return last;
}

int tmCollision::GetCheckpoint(int section) const {
    for (std::uint32_t i = 0; i < header_.checkpointCount; ++i)
        if (header_.checkpoints[i].section == section) return static_cast<int>(i);
    return -1;
}

float tmCollision::GetSectionDistance(const D3DXVECTOR3& position, int section) const {
    if (section < 0 || section >= GetSectionCount()) return 0.0f;
    const Section& s = sections_[0][section];
    const float dx = position.x - s.a.x, dz = position.z - s.a.z;
    const float ex = s.b.x - s.a.x, ez = s.b.z - s.a.z;
    const float len = std::sqrt(ex * ex + ez * ez);
    if (!(len > 0.0f)) return 0.0f;  // a gate whose ends coincide has no line
    return std::fabs(CrossY(dx, dz, ex, ez)) / len;
}
