// CourseMesh.h -- vectors, colours and the vertex-coloured mesh builder the course scenery is made with.
#pragma once

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "format/ByteIO.h"

namespace contentgen {

struct V3 {
    float x = 0, y = 0, z = 0;
};
inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator*(V3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline V3 operator*(float s, V3 a) { return a * s; }
inline float Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline float Length(V3 a) { return std::sqrt(Dot(a, a)); }
inline V3 Normalise(V3 a) {
    const float n = Length(a);
    return n > 1e-12f ? a * (1.0f / n) : V3{0, 1, 0};
}
inline V3 Lerp(V3 a, V3 b, float t) { return a + (b - a) * t; }

// A colour with components 0..1.
struct Rgb {
    float r = 1, g = 1, b = 1;
};
inline Rgb Mix(Rgb a, Rgb b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
inline Rgb Scale(Rgb a, float s) { return {a.r * s, a.g * s, a.b * s}; }
Rgb Hex(std::uint32_t rrggbb);
std::uint32_t Argb(Rgb c, float alpha = 1.0f);

// How a surface is shaded.
enum class Finish {
    Lit,   // lit through the course's lighting ramp; the vertex colour is the surface colour
    Glow,  // self-lit at its own colour (lamps, neon, windows at night)
    Sky,   // self-lit and textured (the sky dome)
};

// A right-handed placement: origin and axes, for building parts in their own frame. Looking along
// `ahead` with `up` up, `right` points to the viewer's left (as x does looking along +z).
struct Frame {
    V3 origin;
    V3 right{1, 0, 0}, up{0, 1, 0}, ahead{0, 0, 1};
    V3 At(float x, float y, float z) const { return origin + right * x + up * y + ahead * z; }
    V3 Dir(float x, float y, float z) const { return right * x + up * y + ahead * z; }
    // A frame at `origin` standing upright and turned by `yaw` radians about the vertical.
    static Frame Upright(V3 origin, float yaw);
    // An upright frame whose `ahead` follows the horizontal part of `forward`.
    static Frame Facing(V3 origin, V3 forward);
};

// Builds one model: triangles grouped into materials by finish, texture and base colour, written as a
// binary mesh. Triangles are given counter-clockwise as seen from their visible side (right-handed,
// y up), which is the side the renderer draws. Every material is lit by the course ramp
// (shader path) and carries an emissive share of its base colour so the fixed-function path keeps
// unlit sides readable.
class CourseMesh {
public:
    // Starts a new material group for the following triangles.
    void Use(Finish finish, Rgb base, const std::string& texture = std::string());
    // Flat-shaded triangle and quad in the current material; the colour defaults to the base.
    void Tri(V3 a, V3 b, V3 c);
    void Tri(V3 a, V3 b, V3 c, Rgb colour);
    void Quad(V3 a, V3 b, V3 c, V3 d);
    void Quad(V3 a, V3 b, V3 c, V3 d, Rgb colour);
    // Triangle and quad turned so that their front faces `toward` (any winding given).
    void TriFacing(V3 a, V3 b, V3 c, Rgb colour, V3 toward);
    void QuadFacing(V3 a, V3 b, V3 c, V3 d, Rgb colour, V3 toward);
    // Indexed triangle turned to face `toward`.
    void IndexFacing(int a, int b, int c, V3 toward);
    // Quad seen from both sides.
    void TwoSided(V3 a, V3 b, V3 c, V3 d, Rgb colour);
    // Smooth-shaded pieces: a vertex with its own normal, colour and texture coordinates; then
    // triangles by the indices Vertex returned (in the current material).
    int Vertex(V3 p, V3 n, Rgb colour, float u = 0, float v = 0);
    void Index(int a, int b, int c);

    // Sets every normal written from now on (0 length: computed normals again). Used for the
    // cube-face models, whose per-vertex lighting must see the whole surface at full light.
    void ForceNormal(V3 n) { forcedNormal_ = n; }

    // Every vertex position (world units), group by group.
    std::vector<V3> Positions() const;
    // Every triangle's corners (world units), counter-clockwise seen from its visible side.
    struct Triangle {
        V3 a, b, c;
    };
    std::vector<Triangle> Triangles() const;
    std::size_t VertexCount() const;
    std::size_t TriangleCount() const;
    bool Empty() const { return TriangleCount() == 0; }
    // The binary mesh with positions (p - offset) / scale; empty bytes when the model is empty or
    // exceeds 16-bit indices.
    zfmt::Bytes Write(float scale = 1.0f, V3 offset = V3{}) const;

    // Adds another mesh's triangles.
    void Append(const CourseMesh& other);
    // A copy for the cube-face layers, whose programs light per vertex without a ramp or glow:
    // every normal faces the light and self-lit parts become lit ones, so all show their colour.
    CourseMesh CubeFaceCopy(V3 towardLight) const;
    // The mesh parted in two: its material groups, about half the vertices each, or a single
    // group's triangles (the second empty when there is only one triangle).
    std::vector<CourseMesh> Halves() const;
    // The triangles split into `pieces` sectors by the direction of their middle from `centre`.
    std::vector<CourseMesh> SplitByAzimuth(V3 centre, int pieces) const;

    // Solid helpers (in the current material).
    // A box spanned by a frame: x in [-w/2, w/2], y in [0, h], z in [-d/2, d/2]; bottom left open.
    void Box(const Frame& f, float w, float h, float d, Rgb colour, bool bottom = false);
    // A prism of `sides` around the frame's up axis: radius r0 at y = 0, r1 at y = h.
    void Prism(const Frame& f, int sides, float r0, float r1, float h, Rgb colour, bool cap = true);
    // Same with smooth side normals (round trunks, towers, balloons).
    void Round(const Frame& f, int sides, float r0, float r1, float y0, float y1, Rgb colour, bool cap = true);
    // A lathed body: radii and heights along the up axis, smooth.
    void Lathe(const Frame& f, int sides, const std::vector<float>& radius, const std::vector<float>& height,
               Rgb colour);

private:
    struct Key {
        int finish;
        std::string texture;
        std::uint32_t base;
        bool operator<(const Key& o) const {
            return std::tie(finish, texture, base) < std::tie(o.finish, o.texture, o.base);
        }
    };
    struct Vtx {
        V3 p, n;
        std::uint32_t colour;
        float u, v;
    };
    struct Group {
        Key key;
        Rgb base;
        std::vector<Vtx> vertices;
        std::vector<std::uint32_t> indices;
    };
    Group& Current();

    std::vector<Group> groups_;
    std::map<Key, std::size_t> index_;
    std::size_t current_ = 0;
    bool haveCurrent_ = false;
    V3 forcedNormal_{0, 0, 0};
};

// Deterministic random numbers for placement (a small xorshift; the same seed gives the same art).
class CourseRandom {
public:
    explicit CourseRandom(std::uint32_t seed) : s_(seed * 2654435761u + 0x9E3779B9u) {
        if (s_ == 0) s_ = 1;
    }
    std::uint32_t Next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    // Uniform in [0, 1).
    float Unit() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }
    float Range(float a, float b) { return a + (b - a) * Unit(); }
    int Below(int n) { return n > 0 ? static_cast<int>(Next() % static_cast<std::uint32_t>(n)) : 0; }

private:
    std::uint32_t s_;
};

// Smooth value noise in two dimensions, 0..1, and its fractal sum.
float ValueNoise(float x, float y, std::uint32_t seed);
float FractalNoise(float x, float y, int octaves, std::uint32_t seed);

constexpr float kPi = 3.14159265358979f;

}  // namespace contentgen
