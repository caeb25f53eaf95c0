// CourseSolids.h -- the triangles of a circuit's built parts as something a camera can stand in, touch or look
// through.
#pragma once

#include <cstdint>
#include <vector>

#include "course/CourseMesh.h"

namespace contentgen {

// The triangles of some built meshes in a grid of columns over the ground plan, for segment,
// ray, inside and near-surface tests; each mesh is said to be road surface (what a view is meant
// to show), ground (what lies round it) or a solid standing on it. Holds copies; read-only once
// built, so threads may share it.
class CourseSolids {
public:
    enum class Kind : std::uint8_t { Road, Ground, Solid };
    // `kinds[k]` is the kind of parts[k] (Solid where the list is shorter).
    CourseSolids(const std::vector<const CourseMesh*>& parts, const std::vector<Kind>& kinds);

    // The nearest triangle a ray from `from` along the unit `dir` meets within `reach`.
    struct Hit {
        float distance = -1.0f;  // negative when nothing is met
        bool back = false;       // met from behind (from inside a closed mesh)
        Kind kind = Kind::Solid;
    };
    Hit First(V3 from, V3 dir, float reach) const;
    // True when a triangle crosses the segment from a to b.
    bool Crosses(V3 a, V3 b) const;
    // True when p lies inside a closed mesh: the rays from it along the six axes meet more triangles
    // from behind than from the front.
    bool Inside(V3 p) const;
    // True when a surface lies within `radius` of p.
    bool Near(V3 p, float radius) const;
    std::size_t TriangleCount() const { return tris_.size(); }

private:
    struct Tri {
        V3 a, e1, e2, n;  // corner, two edges, unnormalised front normal
        float minY, maxY;
        Kind kind;
    };
    // Where along the segment from `from` by `d` (0..1) it meets `t`; negative when it misses.
    static float SegmentMeets(const Tri& t, V3 from, V3 d);
    // Calls `visit(index)` for every triangle in the columns the segment's plan crosses, column
    // by column from `from`; stops when it returns true.
    template <typename Fn>
    void Walk(V3 from, V3 to, Fn visit) const;
    int Column(float x, float z) const;

    std::vector<Tri> tris_;
    float x0_ = 0, z0_ = 0, cell_ = 100.0f;
    int nx_ = 0, nz_ = 0;
    std::vector<std::uint32_t> start_;  // per column, its first entry in items_ (and one past the last)
    std::vector<std::uint32_t> items_;
};

}  // namespace contentgen
