// CourseSolids.cpp -- a column grid over a circuit's triangles and the segment, ray, inside and near tests on it.
#include "course/CourseSolids.h"

#include <algorithm>
#include <cmath>

namespace contentgen {

namespace {

constexpr float kReach = 6000.0f;  // how far the inside test's rays look for a surface
constexpr std::size_t kMostColumns = 4u << 20;

// The point of triangle (a, b, c) nearest to p (after Ericson, Real-Time Collision Detection 5.1.5).
V3 NearestOnTriangle(V3 p, V3 a, V3 b, V3 c) {
    const V3 ab = b - a, ac = c - a, ap = p - a;
    const float d1 = Dot(ab, ap), d2 = Dot(ac, ap);
    if (d1 <= 0 && d2 <= 0) return a;
    const V3 bp = p - b;
    const float d3 = Dot(ab, bp), d4 = Dot(ac, bp);
    if (d3 >= 0 && d4 <= d3) return b;
    const float vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0) return a + ab * (d1 / (d1 - d3));
    const V3 cp = p - c;
    const float d5 = Dot(ab, cp), d6 = Dot(ac, cp);
    if (d6 >= 0 && d5 <= d6) return c;
    const float vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0) return a + ac * (d2 / (d2 - d6));
    const float va = d3 * d6 - d5 * d4;
    if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0) return b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)));
    const float denom = 1.0f / (va + vb + vc);
    return a + ab * (vb * denom) + ac * (vc * denom);
}

}  // namespace

CourseSolids::CourseSolids(const std::vector<const CourseMesh*>& parts, const std::vector<Kind>& kinds) {
    float x1 = -1e30f, z1 = -1e30f;
    x0_ = z0_ = 1e30f;
    for (std::size_t k = 0; k < parts.size(); ++k)
        for (const CourseMesh::Triangle& t : parts[k]->Triangles()) {
            const V3 e1 = t.b - t.a, e2 = t.c - t.a, n = Cross(e1, e2);
            if (Dot(n, n) < 1e-8f) continue;  // degenerate: hides nothing
            tris_.push_back({t.a, e1, e2, n, std::min({t.a.y, t.b.y, t.c.y}), std::max({t.a.y, t.b.y, t.c.y}),
                             k < kinds.size() ? kinds[k] : Kind::Solid});
            x0_ = std::min({x0_, t.a.x, t.b.x, t.c.x}), x1 = std::max({x1, t.a.x, t.b.x, t.c.x});
            z0_ = std::min({z0_, t.a.z, t.b.z, t.c.z}), z1 = std::max({z1, t.a.z, t.b.z, t.c.z});
        }
    if (tris_.empty()) return;
    while ((std::ceil((x1 - x0_) / cell_) + 1) * (std::ceil((z1 - z0_) / cell_) + 1) > kMostColumns) cell_ *= 2.0f;
    nx_ = static_cast<int>((x1 - x0_) / cell_) + 1;
    nz_ = static_cast<int>((z1 - z0_) / cell_) + 1;
    // Two passes: count each column's triangles, then file them.
    start_.assign(static_cast<std::size_t>(nx_) * nz_ + 1, 0);
    auto span = [&](const Tri& t, auto fn) {
        const V3 b = t.a + t.e1, c = t.a + t.e2;
        const int i0 = Column(std::min({t.a.x, b.x, c.x}), 0) % nx_, i1 = Column(std::max({t.a.x, b.x, c.x}), 0) % nx_;
        const int j0 = Column(x0_, std::min({t.a.z, b.z, c.z})) / nx_;
        const int j1 = Column(x0_, std::max({t.a.z, b.z, c.z})) / nx_;
        for (int j = j0; j <= j1; ++j)
            for (int i = i0; i <= i1; ++i) fn(static_cast<std::size_t>(j) * nx_ + i);
    };
    for (const Tri& t : tris_) span(t, [&](std::size_t col) { ++start_[col + 1]; });
    for (std::size_t i = 1; i < start_.size(); ++i) start_[i] += start_[i - 1];
    items_.resize(start_.back());
    std::vector<std::uint32_t> fill(start_.begin(), start_.end() - 1);
    for (std::size_t k = 0; k < tris_.size(); ++k)
        span(tris_[k], [&](std::size_t col) { items_[fill[col]++] = static_cast<std::uint32_t>(k); });
}

int CourseSolids::Column(float x, float z) const {
    const int i = std::clamp(static_cast<int>(std::floor((x - x0_) / cell_)), 0, nx_ - 1);
    const int j = std::clamp(static_cast<int>(std::floor((z - z0_) / cell_)), 0, nz_ - 1);
    return j * nx_ + i;
}

template <typename Fn>
void CourseSolids::Walk(V3 from, V3 to, Fn visit) const {
    if (tris_.empty()) return;
    // A grid walk over the plan (Amanatides and Woo), the segment's parameter running 0..1.
    const float fx = (from.x - x0_) / cell_, fz = (from.z - z0_) / cell_;
    const float dx = (to.x - from.x) / cell_, dz = (to.z - from.z) / cell_;
    int i = static_cast<int>(std::floor(fx)), j = static_cast<int>(std::floor(fz));
    const int iEnd = static_cast<int>(std::floor(fx + dx)), jEnd = static_cast<int>(std::floor(fz + dz));
    const int si = dx > 0 ? 1 : -1, sj = dz > 0 ? 1 : -1;
    const float big = 1e30f;
    float tx = dx != 0 ? ((dx > 0 ? std::floor(fx) + 1 - fx : fx - std::floor(fx)) / std::fabs(dx)) : big;
    float tz = dz != 0 ? ((dz > 0 ? std::floor(fz) + 1 - fz : fz - std::floor(fz)) / std::fabs(dz)) : big;
    const float stepX = dx != 0 ? 1.0f / std::fabs(dx) : big, stepZ = dz != 0 ? 1.0f / std::fabs(dz) : big;
    for (int guard = 0; guard < 100000; ++guard) {
        if (i >= 0 && i < nx_ && j >= 0 && j < nz_) {
            const std::size_t col = static_cast<std::size_t>(j) * nx_ + i;
            for (std::uint32_t k = start_[col]; k < start_[col + 1]; ++k)
                if (visit(items_[k])) return;
        }
        if (i == iEnd && j == jEnd) return;
        if (tx < tz) {
            if (tx > 1.0f) return;
            tx += stepX, i += si;
        } else {
            if (tz > 1.0f) return;
            tz += stepZ, j += sj;
        }
    }
}

float CourseSolids::SegmentMeets(const Tri& t, V3 from, V3 d) {
    const V3 p = Cross(d, t.e2);
    const float det = Dot(t.e1, p);
    if (std::fabs(det) < 1e-12f) return -1.0f;
    const float inv = 1.0f / det;
    const V3 s = from - t.a;
    const float u = Dot(s, p) * inv;
    if (u < 0 || u > 1) return -1.0f;
    const V3 q = Cross(s, t.e1);
    const float v = Dot(d, q) * inv;
    if (v < 0 || u + v > 1) return -1.0f;
    const float at = Dot(t.e2, q) * inv;
    return at <= 1 ? at : -1.0f;
}

CourseSolids::Hit CourseSolids::First(V3 from, V3 dir, float reach) const {
    Hit best;
    const V3 d = dir * reach;
    float bestT = 2.0f;  // along the segment, 0..1
    Walk(from, from + d, [&](std::uint32_t k) {
        const Tri& t = tris_[k];
        const float at = SegmentMeets(t, from, d);
        if (at < 0 || at >= bestT) return false;
        bestT = at;
        best = {at * reach, Dot(t.n, d) > 0, t.kind};
        return false;
    });
    return best;
}

bool CourseSolids::Crosses(V3 a, V3 b) const {
    const V3 d = b - a;
    const float lowY = std::min(a.y, b.y), highY = std::max(a.y, b.y);
    bool crossed = false;
    Walk(a, b, [&](std::uint32_t k) {
        const Tri& t = tris_[k];
        if (t.maxY < lowY || t.minY > highY) return false;
        crossed = SegmentMeets(t, a, d) >= 0;
        return crossed;
    });
    return crossed;
}

bool CourseSolids::Inside(V3 p) const {
    // Most eyes have open sky or a front face above them: no closed mesh holds them.
    const Hit up = First(p, V3{0, 1, 0}, kReach);
    if (up.distance < 0 || !up.back) return false;
    int back = 1, front = 0;
    for (V3 d : {V3{0, -1, 0}, V3{1, 0, 0}, V3{-1, 0, 0}, V3{0, 0, 1}, V3{0, 0, -1}}) {
        const Hit h = First(p, d, kReach);
        if (h.distance >= 0) ++(h.back ? back : front);
    }
    return back > front;
}

bool CourseSolids::Near(V3 p, float radius) const {
    if (tris_.empty()) return false;
    const int c0 = Column(p.x - radius, p.z - radius), c1 = Column(p.x + radius, p.z + radius);
    const int i0 = c0 % nx_, j0 = c0 / nx_, i1 = c1 % nx_, j1 = c1 / nx_;
    for (int j = j0; j <= j1; ++j)
        for (int i = i0; i <= i1; ++i) {
            const std::size_t col = static_cast<std::size_t>(j) * nx_ + i;
            for (std::uint32_t k = start_[col]; k < start_[col + 1]; ++k) {
                const Tri& t = tris_[items_[k]];
                if (t.maxY < p.y - radius || t.minY > p.y + radius) continue;
                const V3 q = NearestOnTriangle(p, t.a, t.a + t.e1, t.a + t.e2);
                if (Dot(q - p, q - p) < radius * radius) return true;
            }
        }
    return false;
}

}  // namespace contentgen
