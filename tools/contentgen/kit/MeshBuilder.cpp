// MeshBuilder.cpp -- placed primitives and the ybm writer of generated meshes.
#include "kit/MeshBuilder.h"

#include <algorithm>

namespace contentgen {

namespace {
constexpr float kPi = 3.14159265f;

// The renderer keeps faces whose corners run clockwise on screen (the
// original's convention): counter-clockwise-from-outside triangles are
// written reversed.
constexpr bool kWriteReversed = false;
}  // namespace

uint32_t Argb(float a, float r, float g, float b) {
    auto c = [](float f) { return static_cast<uint32_t>(std::clamp(f, 0.0f, 1.0f) * 255.0f + 0.5f); };
    return c(a) << 24 | c(r) << 16 | c(g) << 8 | c(b);
}

// ---- placements ----------------------------------------------------------------------

Place Place::RotX(float a) {
    Place m;
    const float c = std::cos(a), s = std::sin(a);
    m.r[1][1] = c;
    m.r[1][2] = -s;
    m.r[2][1] = s;
    m.r[2][2] = c;
    return m;
}

Place Place::RotY(float a) {
    Place m;
    const float c = std::cos(a), s = std::sin(a);
    m.r[0][0] = c;
    m.r[0][2] = s;
    m.r[2][0] = -s;
    m.r[2][2] = c;
    return m;
}

Place Place::RotZ(float a) {
    Place m;
    const float c = std::cos(a), s = std::sin(a);
    m.r[0][0] = c;
    m.r[0][1] = -s;
    m.r[1][0] = s;
    m.r[1][1] = c;
    return m;
}

Place Place::Scale(float sx, float sy, float sz) {
    Place m;
    m.r[0][0] = sx;
    m.r[1][1] = sy;
    m.r[2][2] = sz;
    return m;
}

Place Place::operator*(const Place& in) const {
    Place m;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m.r[i][j] = r[i][0] * in.r[0][j] + r[i][1] * in.r[1][j] + r[i][2] * in.r[2][j];
    m.t = Point(in.t);
    return m;
}

V3 Place::Point(const V3& p) const {
    return {r[0][0] * p.x + r[0][1] * p.y + r[0][2] * p.z + t.x, r[1][0] * p.x + r[1][1] * p.y + r[1][2] * p.z + t.y,
            r[2][0] * p.x + r[2][1] * p.y + r[2][2] * p.z + t.z};
}

V3 Place::Normal(const V3& n) const {
    // Cofactor matrix: the inverse transpose up to the determinant's scale.
    const float c[3][3] = {
        {r[1][1] * r[2][2] - r[1][2] * r[2][1], r[1][2] * r[2][0] - r[1][0] * r[2][2],
         r[1][0] * r[2][1] - r[1][1] * r[2][0]},
        {r[0][2] * r[2][1] - r[0][1] * r[2][2], r[0][0] * r[2][2] - r[0][2] * r[2][0],
         r[0][1] * r[2][0] - r[0][0] * r[2][1]},
        {r[0][1] * r[1][2] - r[0][2] * r[1][1], r[0][2] * r[1][0] - r[0][0] * r[1][2],
         r[0][0] * r[1][1] - r[0][1] * r[1][0]},
    };
    V3 out(c[0][0] * n.x + c[0][1] * n.y + c[0][2] * n.z, c[1][0] * n.x + c[1][1] * n.y + c[1][2] * n.z,
           c[2][0] * n.x + c[2][1] * n.y + c[2][2] * n.z);
    if (Mirrors()) out = -out;
    return Normalised(out);
}

bool Place::Mirrors() const {
    const float det = r[0][0] * (r[1][1] * r[2][2] - r[1][2] * r[2][1]) -
                      r[0][1] * (r[1][0] * r[2][2] - r[1][2] * r[2][0]) +
                      r[0][2] * (r[1][0] * r[2][1] - r[1][1] * r[2][0]);
    return det < 0.0f;
}

// ---- builder -------------------------------------------------------------------------

int MeshBuilder::AddVertex(const V3& p, const V3& n, float u, float v, uint32_t colour) {
    const Place& m = stack_.back();
    const V3 wp = m.Point(p), wn = m.Normal(n);
    zfmt::BinaryMeshVertex vx;
    vx.position[0] = wp.x;
    vx.position[1] = wp.y;
    vx.position[2] = wp.z;
    vx.normal[0] = wn.x;
    vx.normal[1] = wn.y;
    vx.normal[2] = wn.z;
    // A tangent across the normal for the lit programs.
    const V3 t = Normalised(std::fabs(wn.y) < 0.9f ? Cross(V3(0, 1, 0), wn) : Cross(V3(1, 0, 0), wn));
    vx.tangent[0] = t.x;
    vx.tangent[1] = t.y;
    vx.tangent[2] = t.z;
    vx.colour = colour;
    vx.uv0[0] = vx.uv1[0] = u;
    vx.uv0[1] = vx.uv1[1] = v;
    vertices_.push_back(vx);
    return static_cast<int>(vertices_.size()) - 1;
}

void MeshBuilder::Triangle(int a, int b, int c, uint32_t material) {
    if (a == b || b == c || a == c) return;
    const bool reverse = kWriteReversed != stack_.back().Mirrors();
    indices_.push_back(static_cast<uint16_t>(a));
    indices_.push_back(static_cast<uint16_t>(reverse ? c : b));
    indices_.push_back(static_cast<uint16_t>(reverse ? b : c));
    attributes_.push_back(material);
}

void MeshBuilder::Quad(int a, int b, int c, int d, uint32_t material) {
    Triangle(a, b, c, material);
    Triangle(a, c, d, material);
}

void MeshBuilder::Push(const Place& p) { stack_.push_back(stack_.back() * p); }

void MeshBuilder::Pop() {
    if (stack_.size() > 1) stack_.pop_back();
}

void MeshBuilder::Sheet(const std::vector<std::vector<V3>>& rings, const std::vector<std::vector<V3>>& normals,
                        bool closed, UvRect uv, uint32_t material, uint32_t colour) {
    if (rings.size() < 2) return;
    const size_t n = rings[0].size();
    const size_t cols = closed ? n + 1 : n;
    std::vector<std::vector<int>> ids(rings.size());
    for (size_t i = 0; i < rings.size(); ++i) {
        for (size_t k = 0; k < cols; ++k) {
            const size_t kk = k % n;
            const float s = static_cast<float>(k) / static_cast<float>(closed ? n : n - 1);
            const float t = static_cast<float>(i) / static_cast<float>(rings.size() - 1);
            ids[i].push_back(AddVertex(rings[i][kk], normals[i][kk], uv.U(s), uv.V(t), colour));
        }
    }
    for (size_t i = 0; i + 1 < rings.size(); ++i)
        for (size_t k = 0; k + 1 < cols; ++k)
            Quad(ids[i][k], ids[i][k + 1], ids[i + 1][k + 1], ids[i + 1][k], material);
}

void MeshBuilder::Fan(const std::vector<V3>& points, const V3& normal, UvRect uv, uint32_t material, uint32_t colour) {
    if (points.size() < 3) return;
    // Wound to face `normal` whatever the order given (Newell's polygon normal).
    V3 newell;
    for (size_t i = 0; i < points.size(); ++i) {
        const V3& p = points[i];
        const V3& q = points[(i + 1) % points.size()];
        newell = newell + V3((p.y - q.y) * (p.z + q.z), (p.z - q.z) * (p.x + q.x), (p.x - q.x) * (p.y + q.y));
    }
    if (Dot(newell, normal) < 0.0f) {
        std::vector<V3> reversed(points.rbegin(), points.rend());
        Fan(reversed, normal, uv, material, colour);
        return;
    }
    // Texture coordinates from the polygon's extent in its own plane.
    const V3 a = Normalised(points[1] - points[0]);
    const V3 b = Normalised(Cross(normal, a));
    float lo[2] = {1e9f, 1e9f}, hi[2] = {-1e9f, -1e9f};
    for (const V3& p : points) {
        const float s = Dot(p, a), t = Dot(p, b);
        lo[0] = std::min(lo[0], s);
        hi[0] = std::max(hi[0], s);
        lo[1] = std::min(lo[1], t);
        hi[1] = std::max(hi[1], t);
    }
    // A narrow face (a plate's edge, a strut's side) samples the middle of its
    // rectangle across its narrow side: stretching the whole rectangle over a few
    // pixels would make the texture's footprint, and its filtering, huge.
    const float kNarrow = 0.6f;
    const bool narrowS = hi[0] - lo[0] < kNarrow, narrowT = hi[1] - lo[1] < kNarrow;
    std::vector<int> ids;
    for (const V3& p : points) {
        const float s = narrowS ? 0.5f : (Dot(p, a) - lo[0]) / std::max(hi[0] - lo[0], 1e-6f);
        const float t = narrowT ? 0.5f : (Dot(p, b) - lo[1]) / std::max(hi[1] - lo[1], 1e-6f);
        ids.push_back(AddVertex(p, normal, uv.U(s), uv.V(t), colour));
    }
    for (size_t i = 1; i + 1 < ids.size(); ++i) Triangle(ids[0], ids[i], ids[i + 1], material);
}

void MeshBuilder::QuadUv(const V3 (&corners)[4], const float (&uv)[4][2], const V3& normal, uint32_t material,
                         uint32_t colour) {
    int id[4];
    for (int k = 0; k < 4; ++k) id[k] = AddVertex(corners[k], normal, uv[k][0], uv[k][1], colour);
    if (Dot(Cross(corners[1] - corners[0], corners[2] - corners[0]), normal) >= 0)
        Quad(id[0], id[1], id[2], id[3], material);
    else
        Quad(id[0], id[3], id[2], id[1], material);
}

void MeshBuilder::Box(const V3& lo, const V3& hi, UvRect uv, uint32_t material, uint32_t colour) {
    const V3 c[8] = {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z},
                     {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}};
    // Each side counter-clockwise seen from outside.
    const int sides[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 4, 7, 3}, {1, 2, 6, 5}, {3, 7, 6, 2}, {0, 1, 5, 4}};
    const V3 normals[6] = {{0, 0, -1}, {0, 0, 1}, {-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    for (int s = 0; s < 6; ++s) {
        std::vector<V3> pts;
        for (int k = 0; k < 4; ++k) pts.push_back(c[sides[s][k]]);
        Fan(pts, normals[s], uv, material, colour);
    }
}

void MeshBuilder::CylinderX(float radius, float width, int sides, UvRect side, UvRect cap, uint32_t material,
                            uint32_t capMaterial, uint32_t colour) {
    const float h = width * 0.5f;
    std::vector<std::vector<V3>> rings(2), normals(2);
    for (int k = 0; k < sides; ++k) {
        const float a = 2.0f * kPi * static_cast<float>(k) / static_cast<float>(sides);
        const V3 n(0, std::cos(a), std::sin(a));
        rings[0].push_back(V3(-h, 0, 0) + n * radius);
        rings[1].push_back(V3(h, 0, 0) + n * radius);
        normals[0].push_back(n);
        normals[1].push_back(n);
    }
    Sheet(rings, normals, true, side, material, colour);
    for (int end = 0; end < 2; ++end) {
        std::vector<V3> pts;
        const float x = end ? h : -h;
        for (int k = 0; k < sides; ++k) {
            const int kk = end ? k : sides - 1 - k;
            const float a = 2.0f * kPi * static_cast<float>(kk) / static_cast<float>(sides);
            pts.push_back(V3(x, radius * std::cos(a), radius * std::sin(a)));
        }
        Fan(pts, V3(end ? 1.0f : -1.0f, 0, 0), cap, capMaterial, colour);
    }
}

void MeshBuilder::TubeZ(float r0, float r1, float z0, float z1, int sides, UvRect uv, uint32_t material,
                        uint32_t colour0, uint32_t colour1) {
    const float slope = (r0 - r1) / std::max(std::fabs(z1 - z0), 1e-6f) * (z1 > z0 ? 1.0f : -1.0f);
    std::vector<int> a, b;
    for (int k = 0; k <= sides; ++k) {
        const float ang = 2.0f * kPi * static_cast<float>(k) / static_cast<float>(sides);
        const V3 dir(std::cos(ang), std::sin(ang), 0);
        // A tube built toward -Z faces its axis (the inner wall of a ring or nozzle).
        const V3 n = Normalised(V3(dir.x, dir.y, slope)) * (z1 > z0 ? 1.0f : -1.0f);
        const float s = static_cast<float>(k) / static_cast<float>(sides);
        a.push_back(AddVertex(V3(dir.x * r0, dir.y * r0, z0), n, uv.U(s), uv.V(0), colour0));
        b.push_back(AddVertex(V3(dir.x * r1, dir.y * r1, z1), n, uv.U(s), uv.V(1), colour1));
    }
    const bool forward = z1 > z0;
    for (int k = 0; k < sides; ++k) {
        if (forward)
            Quad(a[k], a[k + 1], b[k + 1], b[k], material);
        else
            Quad(a[k], b[k], b[k + 1], a[k + 1], material);
    }
}

void MeshBuilder::DiscZ(float r, float z, int sides, float facing, UvRect uv, uint32_t material, uint32_t colour) {
    std::vector<V3> pts;
    for (int k = 0; k < sides; ++k) {
        const int kk = facing > 0 ? k : sides - 1 - k;
        const float a = 2.0f * kPi * static_cast<float>(kk) / static_cast<float>(sides);
        pts.push_back(V3(r * std::cos(a), r * std::sin(a), z));
    }
    Fan(pts, V3(0, 0, facing > 0 ? 1.0f : -1.0f), uv, material, colour);
}

void MeshBuilder::Plate(const std::vector<V3>& outline, float thickness, UvRect uv, uint32_t material,
                        uint32_t colour) {
    if (outline.size() < 3) return;
    const float h = thickness * 0.5f;
    std::vector<V3> top, bottom;
    V3 centre;
    for (const V3& p : outline) {
        top.push_back(V3(p.x, h, p.z));
        bottom.push_back(V3(p.x, -h, p.z));
        centre = centre + V3(p.x, 0, p.z) * (1.0f / static_cast<float>(outline.size()));
    }
    Fan(top, V3(0, 1, 0), uv, material, colour);
    Fan(bottom, V3(0, -1, 0), uv, material, colour);
    for (size_t i = 0; i < outline.size(); ++i) {
        const V3& p = outline[i];
        const V3& q = outline[(i + 1) % outline.size()];
        const V3 e = q - p;
        V3 n = Normalised(V3(e.z, 0, -e.x));
        if (Dot(n, V3((p.x + q.x) * 0.5f, 0, (p.z + q.z) * 0.5f) - centre) < 0) n = -n;
        Fan({V3(p.x, -h, p.z), V3(q.x, -h, q.z), V3(q.x, h, q.z), V3(p.x, h, p.z)}, n, uv, material, colour);
    }
}

void MeshBuilder::Dome(float rx, float ry, float rz, int sides, int rings, UvRect uv, uint32_t material,
                       uint32_t colour) {
    std::vector<std::vector<V3>> pts, nrm;
    for (int i = 0; i <= rings; ++i) {
        const float phi = 0.5f * kPi * static_cast<float>(i) / static_cast<float>(rings);  // 0 at the rim
        std::vector<V3> ring, ns;
        for (int k = 0; k < sides; ++k) {
            const float a = 2.0f * kPi * static_cast<float>(k) / static_cast<float>(sides);
            const float c = std::cos(phi);
            const V3 unit(c * std::cos(a), std::sin(phi), -c * std::sin(a));
            ring.push_back(V3(unit.x * rx, unit.y * ry, unit.z * rz));
            ns.push_back(Normalised(V3(unit.x / rx, unit.y / ry, unit.z / rz)));
        }
        pts.push_back(ring);
        nrm.push_back(ns);
    }
    Sheet(pts, nrm, true, uv, material, colour);
}

void MeshBuilder::RingZ(float inner, float outer, float depth, int sides, UvRect uv, uint32_t material,
                        uint32_t colour) {
    const float h = depth * 0.5f;
    TubeZ(outer, outer, -h, h, sides, uv, material, colour, colour);
    // The inner wall faces the axis: a tube built backwards.
    TubeZ(inner, inner, h, -h, sides, uv, material, colour, colour);
    for (int end = 0; end < 2; ++end) {
        const float z = end ? h : -h;
        const float f = end ? 1.0f : -1.0f;
        std::vector<int> in, out;
        for (int k = 0; k <= sides; ++k) {
            const float a = 2.0f * kPi * static_cast<float>(k) / static_cast<float>(sides);
            const V3 d(std::cos(a), std::sin(a), 0);
            in.push_back(AddVertex(V3(d.x * inner, d.y * inner, z), V3(0, 0, f), uv.U(0), uv.V(0), colour));
            out.push_back(AddVertex(V3(d.x * outer, d.y * outer, z), V3(0, 0, f), uv.U(1), uv.V(1), colour));
        }
        for (int k = 0; k < sides; ++k) {
            if (end)
                Quad(in[k], out[k], out[k + 1], in[k + 1], material);
            else
                Quad(in[k], in[k + 1], out[k + 1], out[k], material);
        }
    }
}

void MeshBuilder::Append(const MeshBuilder& other) {
    const int base = static_cast<int>(vertices_.size());
    const Place& m = stack_.back();
    for (const zfmt::BinaryMeshVertex& v : other.vertices_) {
        const V3 p = m.Point(V3(v.position[0], v.position[1], v.position[2]));
        const V3 n = m.Normal(V3(v.normal[0], v.normal[1], v.normal[2]));
        zfmt::BinaryMeshVertex w = v;
        w.position[0] = p.x;
        w.position[1] = p.y;
        w.position[2] = p.z;
        w.normal[0] = n.x;
        w.normal[1] = n.y;
        w.normal[2] = n.z;
        vertices_.push_back(w);
    }
    const bool flip = m.Mirrors();
    for (size_t i = 0; i < other.attributes_.size(); ++i) {
        const int a = other.indices_[i * 3] + base, b = other.indices_[i * 3 + 1] + base,
                  c = other.indices_[i * 3 + 2] + base;
        indices_.push_back(static_cast<uint16_t>(a));
        indices_.push_back(static_cast<uint16_t>(flip ? c : b));
        indices_.push_back(static_cast<uint16_t>(flip ? b : c));
        attributes_.push_back(other.attributes_[i]);
    }
}

void MeshBuilder::Bounds(V3& lo, V3& hi) const {
    lo = V3(1e9f, 1e9f, 1e9f);
    hi = V3(-1e9f, -1e9f, -1e9f);
    for (const auto& v : vertices_) {
        lo = V3(std::min(lo.x, v.position[0]), std::min(lo.y, v.position[1]), std::min(lo.z, v.position[2]));
        hi = V3(std::max(hi.x, v.position[0]), std::max(hi.y, v.position[1]), std::max(hi.z, v.position[2]));
    }
}

zfmt::Bytes MeshBuilder::Write(const std::vector<zfmt::MaterialRecord>& materials) const {
    // Faces sorted by material so each material is one contiguous subset.
    std::vector<size_t> order(attributes_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return attributes_[a] < attributes_[b]; });
    std::vector<uint16_t> idx;
    std::vector<uint32_t> attr;
    for (size_t f : order) {
        for (int k = 0; k < 3; ++k) idx.push_back(indices_[f * 3 + static_cast<size_t>(k)]);
        attr.push_back(attributes_[f]);
    }
    return zfmt::WriteBinaryMesh(vertices_, idx, attr, {}, materials);
}

}  // namespace contentgen
