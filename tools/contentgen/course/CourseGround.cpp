// CourseGround.cpp -- terrain grid, water, far ring and sky dome of a circuit.
#include "course/CourseGround.h"

#include <algorithm>
#include <cmath>

#include "course/CourseSky.h"

namespace contentgen {

namespace {

// The camera sees this far; everything stays inside it from any point of the road.
constexpr float kFarDistance = 38000.0f;
constexpr float kInnerMargin = 3200.0f;  // fine grid this far around the road
constexpr float kInnerCell = 450.0f;

float Smooth(float a, float b, float x) {
    const float t = std::min(1.0f, std::max(0.0f, (x - a) / (b - a)));
    return t * t * (3 - 2 * t);
}

// Grid lines: fine between lo and hi, then growing outward to reach `from - reach` and `from + reach`.
std::vector<float> GridLines(float lo, float hi, float centre, float reach) {
    std::vector<float> lines;
    const int cells = std::max(1, static_cast<int>(std::ceil((hi - lo) / kInnerCell)));
    for (int i = 0; i <= cells; ++i) lines.push_back(lo + (hi - lo) * static_cast<float>(i) / cells);
    std::vector<float> before;
    for (float step = kInnerCell * 1.5f, x = lo; x > centre - reach; step *= 1.5f) {
        x -= step;
        before.push_back(std::max(x, centre - reach));
    }
    for (float step = kInnerCell * 1.5f, x = hi; x < centre + reach; step *= 1.5f) {
        x += step;
        lines.push_back(std::min(x, centre + reach));
    }
    std::reverse(before.begin(), before.end());
    before.insert(before.end(), lines.begin(), lines.end());
    return before;
}

Rgb GroundColour(const CourseSite& site, float x, float z, float h) {
    const PlaceStyle& st = site.Style();
    const float n = FractalNoise(x / 2600.0f, z / 2600.0f, 3, st.seed + 5u);
    Rgb c = Mix(st.ground, st.groundAlt, Smooth(0.35f, 0.7f, n));
    if (st.place == Place::Niseko) c = Mix(c, Hex(0xBFCBDA), Smooth(0.55f, 0.75f, n) * 0.6f);
    if (st.place == Place::Canada) c = Mix(c, Hex(0xB4542A), Smooth(0.62f, 0.8f, n) * 0.7f);
    if (st.place == Place::Barcelona) c = Mix(c, Hex(0x7E8A3E), Smooth(80.0f, 260.0f, h) * 0.7f);
    if (st.water) {
        const float wet = site.Wetness(x, z);
        const float shore = 1.0f - Smooth(kWaterLevel + 15.0f, kWaterLevel + 60.0f, h);
        c = Mix(c, st.shore, std::max(shore, Smooth(0.02f, 0.2f, wet)));
        if (h < kWaterLevel) c = Mix(st.shore, st.waterColour, 0.5f);
    }
    return Scale(c, 0.94f + 0.12f * ValueNoise(x / 700.0f, z / 700.0f, st.seed + 17u));
}

}  // namespace

Surroundings SurroundingsOf(const CourseSite& site) {
    Surroundings s;
    s.middle = site.Middle();
    const float r = site.Radius();
    s.domeRadius = std::max(12000.0f, kFarDistance - r - 1500.0f);
    s.ringRadius = std::max(r + 4000.0f, s.domeRadius * 0.78f);
    s.landRadius = s.ringRadius + 2500.0f;
    return s;
}

void BuildTerrain(const CourseSite& site, const Surroundings& around, CourseMesh& m) {
    const std::vector<float> xs =
        GridLines(site.MinX() - kInnerMargin, site.MaxX() + kInnerMargin, around.middle.x, around.landRadius);
    const std::vector<float> zs =
        GridLines(site.MinZ() - kInnerMargin, site.MaxZ() + kInnerMargin, around.middle.z, around.landRadius);
    const int nx = static_cast<int>(xs.size()), nz = static_cast<int>(zs.size());
    std::vector<float> height(static_cast<std::size_t>(nx) * nz);
    for (int j = 0; j < nz; ++j)
        for (int i = 0; i < nx; ++i) height[static_cast<std::size_t>(j) * nx + i] = site.Ground(xs[i], zs[j]);
    auto H = [&](int i, int j) {
        i = std::min(nx - 1, std::max(0, i));
        j = std::min(nz - 1, std::max(0, j));
        return height[static_cast<std::size_t>(j) * nx + i];
    };
    m.Use(Finish::Lit, site.Style().ground);
    std::vector<int> index(static_cast<std::size_t>(nx) * nz);
    for (int j = 0; j < nz; ++j)
        for (int i = 0; i < nx; ++i) {
            const int i0 = std::max(0, i - 1), i1 = std::min(nx - 1, i + 1);
            const int j0 = std::max(0, j - 1), j1 = std::min(nz - 1, j + 1);
            const V3 dx{xs[i1] - xs[i0], H(i1, j) - H(i0, j), 0};
            const V3 dz{0, H(i, j1) - H(i, j0), zs[j1] - zs[j0]};
            const V3 n = Cross(dz, dx);
            const float h = H(i, j);
            index[static_cast<std::size_t>(j) * nx + i] =
                m.Vertex(V3{xs[i], h, zs[j]}, n, GroundColour(site, xs[i], zs[j], h));
        }
    const V3 up{0, 1, 0};
    for (int j = 0; j + 1 < nz; ++j)
        for (int i = 0; i + 1 < nx; ++i) {
            const int a = index[static_cast<std::size_t>(j) * nx + i],
                      b = index[static_cast<std::size_t>(j) * nx + i + 1];
            const int c = index[static_cast<std::size_t>(j + 1) * nx + i + 1];
            const int d = index[static_cast<std::size_t>(j + 1) * nx + i];
            m.IndexFacing(a, b, c, up);
            m.IndexFacing(a, c, d, up);
        }
}

void BuildWater(const CourseSite& site, const Surroundings& around, CourseMesh& m) {
    const PlaceStyle& st = site.Style();
    if (!st.water) return;
    // Only cells where the ground dips under the water line, so dry land costs no drawing.
    const int cells = 28;
    const float r = around.landRadius + 3000.0f, size = 2 * r / cells;
    m.Use(Finish::Lit, st.waterColour);
    auto colour = [&](float x, float z) {
        return Mix(st.waterColour, Hex(0x7FC8F0), 0.25f * ValueNoise(x / 3000.0f, z / 3000.0f, st.seed + 31u));
    };
    for (int j = 0; j < cells; ++j)
        for (int i = 0; i < cells; ++i) {
            const float x0 = around.middle.x - r + size * i, z0 = around.middle.z - r + size * j;
            bool wet = false;
            for (int k = 0; k < 9 && !wet; ++k) {
                const float x = x0 + size * 0.5f * static_cast<float>(k % 3), z = z0 + size * 0.5f * (k / 3);
                wet = site.Wetness(x, z) > 0.01f || site.Ground(x, z) < kWaterLevel + 10.0f;
            }
            if (!wet) continue;
            const V3 up{0, 1, 0};
            const V3 p[4] = {{x0, kWaterLevel, z0},
                             {x0 + size, kWaterLevel, z0},
                             {x0 + size, kWaterLevel, z0 + size},
                             {x0, kWaterLevel, z0 + size}};
            int v[4];
            for (int k = 0; k < 4; ++k) v[k] = m.Vertex(p[k], up, colour(p[k].x, p[k].z));
            m.IndexFacing(v[0], v[1], v[2], up);
            m.IndexFacing(v[0], v[2], v[3], up);
        }
}

namespace {

// One far mountain or hill: a cone of `sides` faces, rock or grass below and its cap above; in the
// autumn woods a cliff-sided, flat-topped hill.
void PeakCone(CourseMesh& m, const Frame& f, float radius, float height, const PlaceStyle& st, int sides) {
    if (st.place == Place::Canada) {
        // Cliffs: a wooded foot, a sheer rock wall and a flat wooded top.
        Frame part = f;
        m.Use(Finish::Lit, st.farHigh);
        m.Prism(part, sides, radius, radius * 0.82f, height * 0.3f, st.farHigh, false);
        part.origin = f.At(0, height * 0.3f, 0);
        m.Use(Finish::Lit, st.farLow);
        m.Prism(part, sides, radius * 0.8f, radius * 0.74f, height * 0.62f, st.farLow, false);
        part.origin = f.At(0, height * 0.92f, 0);
        m.Use(Finish::Lit, Hex(0x9A4A22));
        m.Prism(part, sides, radius * 0.74f, radius * 0.6f, height * 0.08f, Hex(0x9A4A22), true);
        return;
    }
    float capFrom = 0.7f;
    switch (st.place) {
        case Place::Niseko: capFrom = 0.42f; break;
        case Place::Barcelona:
        case Place::Sydney: capFrom = 0.75f; break;
        default: break;
    }
    Frame part = f;
    float y = 0, r = radius;
    auto band = [&](float upTo, Rgb colour) {
        const float y1 = height * upTo, r1 = radius * (1.0f - upTo);
        m.Use(Finish::Lit, colour);
        part.origin = f.At(0, y, 0);
        m.Prism(part, sides, r, r1, y1 - y, colour, false);
        y = y1;
        r = r1;
    };
    band(capFrom, st.farLow);
    m.Use(Finish::Lit, st.farCap);
    part.origin = f.At(0, y, 0);
    m.Prism(part, sides, r, 0.0f, height - y, st.farCap, false);
}

}  // namespace

void BuildFarRing(const CourseSite& site, const Surroundings& around, CourseMesh& m, bool simple) {
    const PlaceStyle& st = site.Style();
    CourseRandom rnd(st.seed * 7u + 3u);
    auto wetAt = [&](float t) {
        const float x = around.middle.x + std::cos(t) * around.ringRadius;
        const float z = around.middle.z + std::sin(t) * around.ringRadius;
        return site.Wetness(x, z) > 0.3f;
    };
    switch (st.place) {
        case Place::Berlin:
        case Place::Qir: {
            // A skyline: blocks of varying height round the ring, windows lit.
            const bool future = st.place == Place::Qir;
            const int blocks = simple ? 60 : 150;
            for (int k = 0; k < blocks; ++k) {
                const float t = 2 * kPi * (static_cast<float>(k) + rnd.Range(0, 0.5f)) / blocks;
                const float r = around.ringRadius + rnd.Range(-1500, 1500);
                const float h = st.farHeight * (future ? rnd.Range(0.3f, 1.3f) : rnd.Range(0.25f, 1.0f));
                const float w = 2 * kPi * r / blocks * rnd.Range(0.7f, 1.3f);
                const V3 c{around.middle.x + std::cos(t) * r, -100.0f, around.middle.z + std::sin(t) * r};
                Frame f = Frame::Facing(c, V3{-std::cos(t), 0, -std::sin(t)});
                const Rgb body = Mix(st.farLow, st.farHigh, rnd.Unit());
                m.Use(Finish::Lit, st.farLow);
                m.Box(f, w, h, w * 0.6f, body);
                if (simple) continue;
                // Lit windows in rows on the face toward the circuit.
                m.Use(Finish::Glow, st.farCap);
                const int rows = static_cast<int>(h / (future ? 260.0f : 180.0f));
                for (int row = 1; row < rows; ++row) {
                    if (rnd.Unit() < 0.35f) continue;
                    const float y = h * static_cast<float>(row) / rows;
                    const Rgb lit = future ? (rnd.Unit() < 0.5f ? Hex(0x3DF2FF) : Hex(0xFF3FB0)) : st.farCap;
                    const float half = w * (future ? 0.5f : rnd.Range(0.15f, 0.4f));
                    const float zf = -w * 0.3f - 2.0f;
                    m.QuadFacing(f.At(-half, y, zf), f.At(half, y, zf), f.At(half, y + (future ? 40.0f : 60.0f), zf),
                                 f.At(-half, y + (future ? 40.0f : 60.0f), zf), lit, f.ahead * -1.0f);
                }
            }
            break;
        }
        default: {
            // Mountains, hills or cliffs: overlapping peaks round the ring, banded by height.
            const int peaks = simple ? 30 : 64;
            const bool hills = st.place == Place::Barcelona || st.place == Place::Sydney;
            for (int k = 0; k < peaks; ++k) {
                const float t = 2 * kPi * (static_cast<float>(k) + rnd.Range(-0.35f, 0.35f)) / peaks;
                const float r = around.ringRadius + rnd.Range(-1200.0f, 2500.0f);
                const float h = st.farHeight * rnd.Range(0.45f, 1.0f) * (k % 4 == 0 ? 1.3f : 1.0f);
                const V3 c{around.middle.x + std::cos(t) * r, -350.0f, around.middle.z + std::sin(t) * r};
                if (wetAt(t) || site.Wetness(c.x, c.z) > 0.3f) continue;
                const float base = h * (hills ? rnd.Range(2.2f, 3.2f) : rnd.Range(1.0f, 1.6f));
                PeakCone(m, Frame::Upright(c, rnd.Range(0, 2 * kPi)), base, h + 350.0f, st, simple ? 5 : 7);
            }
            if (st.place == Place::Niseko) {
                // The great volcano: a broad cone with a cut-off top.
                const float t = 2.2f, r = around.ringRadius + 1500.0f;
                const V3 c{around.middle.x + std::cos(t) * r, -350.0f, around.middle.z + std::sin(t) * r};
                Frame f = Frame::Upright(c, 0.3f);
                const float h = st.farHeight * 1.9f;
                m.Use(Finish::Lit, st.farLow);
                m.Prism(f, 10, h * 1.3f, h * 0.62f, h * 0.45f, st.farLow, false);
                f.origin.y += h * 0.45f;
                m.Use(Finish::Lit, st.farCap);
                m.Prism(f, 10, h * 0.62f, h * 0.12f, h * 0.55f, st.farCap, true);
            }
            if (st.place == Place::Sydney && !simple) {
                // The city's far skyline on the side away from the sea.
                for (int k = 0; k < 40; ++k) {
                    const float t = std::atan2(-site.SeaDirection().z, -site.SeaDirection().x) + rnd.Range(-0.5f, 0.5f);
                    const float r = around.ringRadius * rnd.Range(0.75f, 0.9f);
                    const V3 c{around.middle.x + std::cos(t) * r, -100.0f, around.middle.z + std::sin(t) * r};
                    const float w = rnd.Range(500.0f, 900.0f);
                    m.Use(Finish::Lit, Hex(0x8AA4C0));
                    m.Box(Frame::Upright(c, rnd.Range(0, kPi)), w, rnd.Range(1200.0f, 3600.0f), w,
                          Mix(Hex(0x7A94B4), Hex(0xA8BCD0), rnd.Unit()));
                }
            }
            break;
        }
    }
}

void BuildSkyDome(const Surroundings& around, const std::string& texture, CourseMesh& m, int rings, int segments) {
    m.Use(Finish::Sky, Rgb{1, 1, 1}, texture);
    std::vector<int> index;
    for (int j = 0; j <= rings; ++j)
        for (int i = 0; i <= segments; ++i) {
            const float u = static_cast<float>(i) / segments, v = static_cast<float>(j) / rings;
            const V3 d = PanoramaDirection(u, v);
            const V3 p = around.middle + d * around.domeRadius;
            index.push_back(m.Vertex(p, d * -1.0f, Rgb{1, 1, 1}, u, v));
        }
    for (int j = 0; j < rings; ++j)
        for (int i = 0; i < segments; ++i) {
            const int a = index[j * (segments + 1) + i], b = index[j * (segments + 1) + i + 1];
            const int c = index[(j + 1) * (segments + 1) + i + 1], d = index[(j + 1) * (segments + 1) + i];
            const float u = (static_cast<float>(i) + 0.5f) / segments, v = (static_cast<float>(j) + 0.5f) / rings;
            const V3 inward = PanoramaDirection(u, v) * -1.0f;
            m.IndexFacing(a, b, c, inward);
            m.IndexFacing(a, c, d, inward);
        }
}

}  // namespace contentgen
