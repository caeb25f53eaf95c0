// MeshBuilder.h -- triangle meshes for generated models: vertices, materials, placed primitives, ybm output.
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

#include "format/BinaryMesh.h"
#include "format/ByteIO.h"

namespace contentgen {

struct V3 {
    float x = 0, y = 0, z = 0;
    V3() = default;
    V3(float a, float b, float c) : x(a), y(b), z(c) {}
    V3 operator+(const V3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    V3 operator-(const V3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    V3 operator*(float k) const { return {x * k, y * k, z * k}; }
    V3 operator-() const { return {-x, -y, -z}; }
};
inline float Dot(const V3& a, const V3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V3 Cross(const V3& a, const V3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(const V3& a) { return std::sqrt(Dot(a, a)); }
inline V3 Normalised(const V3& a) {
    const float l = Length(a);
    return l > 1e-12f ? a * (1.0f / l) : V3(0, 1, 0);
}
inline V3 Lerp(const V3& a, const V3& b, float t) { return a + (b - a) * t; }
inline float Lerp(float a, float b, float t) { return a + (b - a) * t; }

// An affine placement: p' = R p + t (R: rows of a 3 x 3 matrix, scale folded in).
struct Place {
    float r[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    V3 t;

    static Place At(const V3& p) {
        Place m;
        m.t = p;
        return m;
    }
    static Place RotX(float a);
    static Place RotY(float a);
    static Place RotZ(float a);
    static Place Scale(float sx, float sy, float sz);
    // this applied after `inner`.
    Place operator*(const Place& inner) const;
    V3 Point(const V3& p) const;
    V3 Normal(const V3& n) const;  // inverse transpose, normalised
    bool Mirrors() const;          // negative determinant
};

// A rectangle of the model's texture a primitive samples (fractions 0..1).
struct UvRect {
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
    float U(float s) const { return u0 + (u1 - u0) * s; }
    float V(float t) const { return v0 + (v1 - v0) * t; }
};

// Collects triangles with one material index each. Every primitive is built in
// its own frame and placed by the current placement (Push/Pop), so parts are
// written once and positioned by the caller. Faces keep their outward normals;
// mirroring placements flip the winding so culling stays right.
class MeshBuilder {
public:
    int AddVertex(const V3& p, const V3& n, float u, float v, uint32_t colour = 0xFFFFFFFFu);
    // An outward-facing triangle (counter-clockwise seen from outside).
    void Triangle(int a, int b, int c, uint32_t material);
    void Quad(int a, int b, int c, int d, uint32_t material);  // a b c d counter-clockwise from outside

    void Push(const Place& p);
    void Pop();
    const Place& Current() const { return stack_.back(); }

    // ---- primitives (own frame, then the current placement) ----
    // A grid of rings: rings[i][k] with normals; u runs around (k), v along (i).
    // Closed around when `closed`; the ends are not capped.
    void Sheet(const std::vector<std::vector<V3>>& rings, const std::vector<std::vector<V3>>& normals, bool closed,
               UvRect uv, uint32_t material, uint32_t colour = 0xFFFFFFFFu);
    // A flat polygon fan (convex, counter-clockwise about its normal).
    void Fan(const std::vector<V3>& points, const V3& normal, UvRect uv, uint32_t material,
             uint32_t colour = 0xFFFFFFFFu);
    // One quad with its own texture corners, wound to face `normal`.
    void QuadUv(const V3 (&corners)[4], const float (&uv)[4][2], const V3& normal, uint32_t material,
                uint32_t colour = 0xFFFFFFFFu);
    // A box from lo to hi, flat sides.
    void Box(const V3& lo, const V3& hi, UvRect uv, uint32_t material, uint32_t colour = 0xFFFFFFFFu);
    // A cylinder along X (axis from -w/2 to w/2) with capped ends; `sides` segments.
    void CylinderX(float radius, float width, int sides, UvRect side, UvRect cap, uint32_t material,
                   uint32_t capMaterial, uint32_t colour = 0xFFFFFFFFu);
    // A tube along +Z from z0 to z1 with radii r0, r1 (a cone when one is 0), open ends.
    void TubeZ(float r0, float r1, float z0, float z1, int sides, UvRect uv, uint32_t material,
               uint32_t colour0 = 0xFFFFFFFFu, uint32_t colour1 = 0xFFFFFFFFu);
    // A disc facing `facing` (+1: +Z, -1: -Z) at z, radius r.
    void DiscZ(float r, float z, int sides, float facing, UvRect uv, uint32_t material, uint32_t colour = 0xFFFFFFFFu);
    // A plate from an outline in the XZ plane, thickness along Y (top at +t/2), with sides.
    void Plate(const std::vector<V3>& outline, float thickness, UvRect uv, uint32_t material,
               uint32_t colour = 0xFFFFFFFFu);
    // A half ellipsoid (y >= 0) with radii (rx, ry, rz) centred at the origin.
    void Dome(float rx, float ry, float rz, int sides, int rings, UvRect uv, uint32_t material,
              uint32_t colour = 0xFFFFFFFFu);
    // A ring (torus with a square section) around Z: inner and outer radius, depth along Z.
    void RingZ(float inner, float outer, float depth, int sides, UvRect uv, uint32_t material,
               uint32_t colour = 0xFFFFFFFFu);

    void Append(const MeshBuilder& other);  // placed by the current placement
    size_t VertexCount() const { return vertices_.size(); }
    size_t TriangleCount() const { return attributes_.size(); }
    // Lowest and highest vertex positions.
    void Bounds(V3& lo, V3& hi) const;

    zfmt::Bytes Write(const std::vector<zfmt::MaterialRecord>& materials) const;

private:
    std::vector<zfmt::BinaryMeshVertex> vertices_;
    std::vector<uint16_t> indices_;
    std::vector<uint32_t> attributes_;
    std::vector<Place> stack_{Place()};
};

// ARGB from 0..1 channels.
uint32_t Argb(float a, float r, float g, float b);

}  // namespace contentgen
