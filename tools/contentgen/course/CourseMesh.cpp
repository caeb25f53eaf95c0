// CourseMesh.cpp -- the course mesh builder, its solids, and the noise the scenery uses.
#include "course/CourseMesh.h"

#include <algorithm>

#include "format/BinaryMesh.h"
#include "format/MaterialRecord.h"

namespace contentgen {

namespace {

// Shader feature bits the materials use (the renderer's state flags).
constexpr std::uint32_t kImageMap = 0x1;
constexpr std::uint32_t kGouraud = 0x80;
constexpr std::uint32_t kVertexColour = 0x400;

// Share of a material's base colour it emits: the fixed-function path has no lighting ramp, so
// this keeps the sides turned from its fixed light from going black.
constexpr float kEmissiveShare = 0.42f;

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

zfmt::MaterialRecord MaterialFor(Finish finish, Rgb base, const std::string& texture) {
    zfmt::MaterialRecord m;
    const float e[3] = {Clamp01(base.r), Clamp01(base.g), Clamp01(base.b)};
    m.power = 0.0f;
    m.diffuse[3] = m.ambient[3] = m.emissive[3] = 1.0f;
    switch (finish) {
        case Finish::Lit:
            for (int k = 0; k < 3; ++k) {
                m.diffuse[k] = 1.0f;
                m.emissive[k] = e[k] * kEmissiveShare;
            }
            m.featureFlags = kVertexColour | kGouraud;
            break;
        case Finish::Glow:
            for (int k = 0; k < 3; ++k) m.emissive[k] = e[k] * 0.75f;
            m.featureFlags = kVertexColour;
            m.custom5[0] = 1.0f;  // the shader path's glow: the surface shows its own colour
            break;
        case Finish::Sky:
            for (int k = 0; k < 3; ++k) m.emissive[k] = 1.0f;
            m.featureFlags = kVertexColour;
            m.custom5[0] = 1.0f;
            break;
    }
    if (!texture.empty()) {
        m.stages[0].type = 1;
        m.stages[0].fileName = texture;
        m.featureFlags |= kImageMap;
    }
    return m;
}

}  // namespace

Rgb Hex(std::uint32_t c) {
    return {static_cast<float>((c >> 16) & 0xFF) / 255.0f, static_cast<float>((c >> 8) & 0xFF) / 255.0f,
            static_cast<float>(c & 0xFF) / 255.0f};
}

std::uint32_t Argb(Rgb c, float alpha) {
    auto byte = [](float v) { return static_cast<std::uint32_t>(Clamp01(v) * 255.0f + 0.5f); };
    return byte(alpha) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

Frame Frame::Upright(V3 origin, float yaw) {
    Frame f;
    f.origin = origin;
    f.ahead = {std::sin(yaw), 0, std::cos(yaw)};
    f.right = {f.ahead.z, 0, -f.ahead.x};
    return f;
}

Frame Frame::Facing(V3 origin, V3 forward) {
    V3 h{forward.x, 0, forward.z};
    if (Length(h) < 1e-6f) h = {0, 0, 1};
    h = Normalise(h);
    Frame f;
    f.origin = origin;
    f.ahead = h;
    f.right = {h.z, 0, -h.x};
    return f;
}

// ---- the builder ----------------------------------------------------------------------

void CourseMesh::Use(Finish finish, Rgb base, const std::string& texture) {
    // Near colours share one material (vertex colours keep them apart) to keep draw calls few.
    auto level = [](float v) { return static_cast<std::uint32_t>(Clamp01(v) * 4.0f + 0.5f); };
    const std::uint32_t bin = level(base.r) << 8 | level(base.g) << 4 | level(base.b);
    Key key{static_cast<int>(finish), texture, bin};
    auto it = index_.find(key);
    if (it == index_.end()) {
        it = index_.emplace(key, groups_.size()).first;
        groups_.push_back(Group{key, base, {}, {}});
    }
    current_ = it->second;
    haveCurrent_ = true;
}

CourseMesh::Group& CourseMesh::Current() {
    if (!haveCurrent_) Use(Finish::Lit, Rgb{});
    return groups_[current_];
}

int CourseMesh::Vertex(V3 p, V3 n, Rgb colour, float u, float v) {
    Group& g = Current();
    if (Length(forcedNormal_) > 0) n = forcedNormal_;
    g.vertices.push_back(Vtx{p, Normalise(n), Argb(colour), u, v});
    return static_cast<int>(g.vertices.size() - 1);
}

void CourseMesh::Index(int a, int b, int c) {
    Group& g = Current();
    g.indices.push_back(static_cast<std::uint32_t>(a));
    g.indices.push_back(static_cast<std::uint32_t>(b));
    g.indices.push_back(static_cast<std::uint32_t>(c));
}

void CourseMesh::Tri(V3 a, V3 b, V3 c) { Tri(a, b, c, Current().base); }

void CourseMesh::Tri(V3 a, V3 b, V3 c, Rgb colour) {
    const V3 n = Cross(b - a, c - a);
    if (Length(n) < 1e-10f) return;
    const int i = Vertex(a, n, colour), j = Vertex(b, n, colour), k = Vertex(c, n, colour);
    Index(i, j, k);
}

void CourseMesh::Quad(V3 a, V3 b, V3 c, V3 d) { Quad(a, b, c, d, Current().base); }

void CourseMesh::Quad(V3 a, V3 b, V3 c, V3 d, Rgb colour) {
    V3 n = Cross(c - a, d - b);
    if (Length(n) < 1e-10f) return;
    const int i = Vertex(a, n, colour), j = Vertex(b, n, colour), k = Vertex(c, n, colour), l = Vertex(d, n, colour);
    Index(i, j, k);
    Index(i, k, l);
}

void CourseMesh::TriFacing(V3 a, V3 b, V3 c, Rgb colour, V3 toward) {
    if (Dot(Cross(b - a, c - a), toward) < 0)
        Tri(a, c, b, colour);
    else
        Tri(a, b, c, colour);
}

void CourseMesh::QuadFacing(V3 a, V3 b, V3 c, V3 d, Rgb colour, V3 toward) {
    if (Dot(Cross(c - a, d - b), toward) < 0)
        Quad(d, c, b, a, colour);
    else
        Quad(a, b, c, d, colour);
}

void CourseMesh::IndexFacing(int a, int b, int c, V3 toward) {
    const Group& g = Current();
    const V3 n = Cross(g.vertices[b].p - g.vertices[a].p, g.vertices[c].p - g.vertices[a].p);  // as given
    if (Dot(n, toward) < 0)
        Index(a, c, b);
    else
        Index(a, b, c);
}

void CourseMesh::TwoSided(V3 a, V3 b, V3 c, V3 d, Rgb colour) {
    Quad(a, b, c, d, colour);
    Quad(d, c, b, a, colour);
}

std::vector<V3> CourseMesh::Positions() const {
    std::vector<V3> out;
    for (const Group& g : groups_)
        for (const Vtx& v : g.vertices) out.push_back(v.p);
    return out;
}

std::vector<CourseMesh::Triangle> CourseMesh::Triangles() const {
    std::vector<Triangle> out;
    for (const Group& g : groups_)
        for (std::size_t i = 0; i + 2 < g.indices.size(); i += 3)
            out.push_back({g.vertices[g.indices[i]].p, g.vertices[g.indices[i + 1]].p, g.vertices[g.indices[i + 2]].p});
    return out;
}

std::size_t CourseMesh::VertexCount() const {
    std::size_t n = 0;
    for (const Group& g : groups_) n += g.vertices.size();
    return n;
}

std::size_t CourseMesh::TriangleCount() const {
    std::size_t n = 0;
    for (const Group& g : groups_) n += g.indices.size() / 3;
    return n;
}

void CourseMesh::Append(const CourseMesh& other) {
    for (const Group& g : other.groups_) {
        Use(static_cast<Finish>(g.key.finish), g.base, g.key.texture);
        Group& mine = groups_[current_];
        const std::uint32_t first = static_cast<std::uint32_t>(mine.vertices.size());
        mine.vertices.insert(mine.vertices.end(), g.vertices.begin(), g.vertices.end());
        for (std::uint32_t i : g.indices) mine.indices.push_back(first + i);
    }
}

CourseMesh CourseMesh::CubeFaceCopy(V3 towardLight) const {
    CourseMesh copy;
    const V3 n = Normalise(towardLight);
    for (const Group& g : groups_) {
        copy.Use(Finish::Lit, g.base, g.key.texture);
        Group& mine = copy.groups_[copy.current_];
        const std::uint32_t first = static_cast<std::uint32_t>(mine.vertices.size());
        for (Vtx v : g.vertices) {
            v.n = n;
            mine.vertices.push_back(v);
        }
        for (std::uint32_t i : g.indices) mine.indices.push_back(first + i);
    }
    return copy;
}

std::vector<CourseMesh> CourseMesh::Halves() const {
    std::vector<CourseMesh> out(2);
    auto put = [](CourseMesh& m, const Group& g) {
        m.index_[g.key] = m.groups_.size();
        m.groups_.push_back(g);
    };
    if (groups_.size() == 1) {
        // One material: its triangles parted, each half keeping the vertices.
        const Group& g = groups_[0];
        const std::size_t cut = g.indices.size() / 6 * 3;
        Group a = g, b = g;
        a.indices.assign(g.indices.begin(), g.indices.begin() + static_cast<std::ptrdiff_t>(cut));
        b.indices.assign(g.indices.begin() + static_cast<std::ptrdiff_t>(cut), g.indices.end());
        put(out[0], a);
        if (!b.indices.empty() && !a.indices.empty())
            put(out[1], b);
        else
            out[0] = *this;
        return out;
    }
    const std::size_t half = VertexCount() / 2;
    std::size_t so = 0;
    for (const Group& g : groups_) {
        put(out[so > 0 && so + g.vertices.size() / 2 > half ? 1 : 0], g);
        so += g.vertices.size();
    }
    return out;
}

std::vector<CourseMesh> CourseMesh::SplitByAzimuth(V3 centre, int pieces) const {
    pieces = std::max(1, pieces);
    std::vector<CourseMesh> out(static_cast<std::size_t>(pieces));
    for (const Group& g : groups_)
        for (std::size_t i = 0; i + 2 < g.indices.size(); i += 3) {
            const Vtx& a = g.vertices[g.indices[i]];
            const Vtx& b = g.vertices[g.indices[i + 1]];
            const Vtx& c = g.vertices[g.indices[i + 2]];
            const V3 mid = (a.p + b.p + c.p) * (1.0f / 3.0f) - centre;
            float t = std::atan2(mid.z, mid.x) / (2 * kPi);
            if (t < 0) t += 1;
            const int k = std::min(pieces - 1, static_cast<int>(t * static_cast<float>(pieces)));
            CourseMesh& m = out[static_cast<std::size_t>(k)];
            m.Use(static_cast<Finish>(g.key.finish), g.base, g.key.texture);
            Group& mine = m.groups_[m.current_];
            const std::uint32_t first = static_cast<std::uint32_t>(mine.vertices.size());
            mine.vertices.push_back(a);
            mine.vertices.push_back(b);
            mine.vertices.push_back(c);
            for (std::uint32_t k3 = 0; k3 < 3; ++k3) mine.indices.push_back(first + k3);
        }
    return out;
}

zfmt::Bytes CourseMesh::Write(float scale, V3 offset) const {
    if (Empty() || VertexCount() > 65535) return {};
    std::vector<zfmt::BinaryMeshVertex> vertices;
    std::vector<std::uint16_t> indices;
    std::vector<std::uint32_t> attributes;
    std::vector<zfmt::MaterialRecord> materials;
    for (const Group& g : groups_) {
        if (g.indices.empty()) continue;
        const std::size_t first = vertices.size();
        const std::uint32_t material = static_cast<std::uint32_t>(materials.size());
        materials.push_back(MaterialFor(static_cast<Finish>(g.key.finish), g.base, g.key.texture));
        for (const Vtx& v : g.vertices) {
            zfmt::BinaryMeshVertex o;
            const V3 p = (v.p - offset) * (1.0f / scale);
            o.position[0] = p.x;
            o.position[1] = p.y;
            o.position[2] = p.z;
            o.normal[0] = v.n.x;
            o.normal[1] = v.n.y;
            o.normal[2] = v.n.z;
            o.colour = v.colour;
            o.uv0[0] = o.uv1[0] = v.u;
            o.uv0[1] = o.uv1[1] = v.v;
            vertices.push_back(o);
        }
        for (std::size_t i = 0; i < g.indices.size(); i += 3) {
            for (int k = 0; k < 3; ++k) indices.push_back(static_cast<std::uint16_t>(first + g.indices[i + k]));
            attributes.push_back(material);
        }
    }
    return zfmt::WriteBinaryMesh(vertices, indices, attributes, {}, materials);
}

// ---- solids ---------------------------------------------------------------------------

void CourseMesh::Box(const Frame& f, float w, float h, float d, Rgb colour, bool bottom) {
    const float x0 = -w / 2, x1 = w / 2, z0 = -d / 2, z1 = d / 2;
    const V3 p000 = f.At(x0, 0, z0), p100 = f.At(x1, 0, z0), p010 = f.At(x0, h, z0), p110 = f.At(x1, h, z0);
    const V3 p001 = f.At(x0, 0, z1), p101 = f.At(x1, 0, z1), p011 = f.At(x0, h, z1), p111 = f.At(x1, h, z1);
    Quad(p011, p111, p110, p010, colour);  // top
    Quad(p001, p101, p111, p011, colour);  // front (+z)
    Quad(p100, p000, p010, p110, colour);  // back (-z)
    Quad(p101, p100, p110, p111, colour);  // right (+x)
    Quad(p000, p001, p011, p010, colour);  // left (-x)
    if (bottom) Quad(p000, p100, p101, p001, colour);
}

void CourseMesh::Prism(const Frame& f, int sides, float r0, float r1, float h, Rgb colour, bool cap) {
    std::vector<V3> lo, hi;
    for (int i = 0; i < sides; ++i) {
        const float a = 2 * kPi * static_cast<float>(i) / static_cast<float>(sides);
        const float c = std::cos(a), s = std::sin(a);
        lo.push_back(f.At(r0 * c, 0, r0 * s));
        hi.push_back(f.At(r1 * c, h, r1 * s));
    }
    for (int i = 0; i < sides; ++i) {
        const int j = (i + 1) % sides;
        if (r1 > 1e-4f)
            Quad(lo[j], lo[i], hi[i], hi[j], colour);
        else
            Tri(lo[j], lo[i], hi[i], colour);
    }
    if (cap && r1 > 1e-4f)
        for (int i = 1; i + 1 < sides; ++i) Tri(hi[0], hi[i + 1], hi[i], colour);
}

void CourseMesh::Round(const Frame& f, int sides, float r0, float r1, float y0, float y1, Rgb colour, bool cap) {
    const float slope = (r0 - r1) / std::max(1e-4f, y1 - y0);
    std::vector<int> lo, hi;
    for (int i = 0; i <= sides; ++i) {
        const float a = 2 * kPi * static_cast<float>(i) / static_cast<float>(sides);
        const float c = std::cos(a), s = std::sin(a);
        const V3 n = f.Dir(c, slope, s);
        lo.push_back(Vertex(f.At(r0 * c, y0, r0 * s), n, colour));
        hi.push_back(Vertex(f.At(r1 * c, y1, r1 * s), n, colour));
    }
    for (int i = 0; i < sides; ++i) {
        Index(lo[i + 1], lo[i], hi[i]);
        if (r1 > 1e-4f) Index(lo[i + 1], hi[i], hi[i + 1]);
    }
    if (cap && r1 > 1e-4f) {
        std::vector<V3> top;
        for (int i = 0; i < sides; ++i) {
            const float a = 2 * kPi * static_cast<float>(i) / static_cast<float>(sides);
            top.push_back(f.At(r1 * std::cos(a), y1, r1 * std::sin(a)));
        }
        for (int i = 1; i + 1 < sides; ++i) Tri(top[0], top[i + 1], top[i], colour);
    }
}

void CourseMesh::Lathe(const Frame& f, int sides, const std::vector<float>& radius, const std::vector<float>& height,
                       Rgb colour) {
    const std::size_t rings = std::min(radius.size(), height.size());
    if (rings < 2) return;
    std::vector<std::vector<int>> ring(rings);
    for (std::size_t k = 0; k < rings; ++k) {
        const std::size_t a = k == 0 ? 0 : k - 1, b = k + 1 < rings ? k + 1 : k;
        const float dr = radius[b] - radius[a], dy = height[b] - height[a];
        for (int i = 0; i <= sides; ++i) {
            const float t = 2 * kPi * static_cast<float>(i) / static_cast<float>(sides);
            const float c = std::cos(t), s = std::sin(t);
            // Outward normal of the profile (dy, -dr) turned around the axis.
            const V3 n = f.Dir(c * dy, -dr, s * dy);
            ring[k].push_back(Vertex(f.At(radius[k] * c, height[k], radius[k] * s), n, colour));
        }
    }
    for (std::size_t k = 0; k + 1 < rings; ++k)
        for (int i = 0; i < sides; ++i) {
            Index(ring[k][i + 1], ring[k][i], ring[k + 1][i]);
            Index(ring[k][i + 1], ring[k + 1][i], ring[k + 1][i + 1]);
        }
}

// ---- noise ----------------------------------------------------------------------------

namespace {
float Hash(int x, int y, std::uint32_t seed) {
    std::uint32_t h =
        static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFF) / 16777215.0f;
}
}  // namespace

float ValueNoise(float x, float y, std::uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const float a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed);
    const float c = Hash(ix, iy + 1, seed), d = Hash(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float FractalNoise(float x, float y, int octaves, std::uint32_t seed) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * ValueNoise(x, y, seed + static_cast<std::uint32_t>(o) * 101u);
        norm += amp;
        x *= 2.03f;
        y *= 2.03f;
        amp *= 0.5f;
    }
    return sum / norm;
}

}  // namespace contentgen
