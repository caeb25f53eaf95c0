// CourseRoad.cpp -- road surface, markings, barriers, elevated decks and the start gantry from the centre line.
#include "course/CourseRoad.h"

#include <algorithm>
#include <cmath>

namespace contentgen {

namespace {

V3 P(const yiVec3& v) { return {v.x, v.y, v.z}; }

// Point at lateral offset l (left positive) on the road's surface plane, lifted by `lift`.
V3 On(const track::Sample& s, float l, float lift = 0) {
    V3 p = P(s.At(l));
    p.y += lift;
    return p;
}

// A flat mark painted on the road: a rectangle from arc a0 to a1 between offsets l0 > l1.
void Mark(CourseMesh& m, const track::CentreLine& line, float a0, float a1, float l0, float l1, Rgb c) {
    const track::Sample s0 = line.At(a0), s1 = line.At(a1);
    m.Quad(On(s0, l0, kDecalLift), On(s0, l1, kDecalLift), On(s1, l1, kDecalLift), On(s1, l0, kDecalLift), c);
}

// A flat mark centred on a world point, aligned with the road's direction there.
void MarkAt(CourseMesh& m, const track::Sample& s, float along0, float along1, float l0, float l1, Rgb c) {
    auto at = [&](float a, float l) {
        V3 p = On(s, l, kDecalLift);
        p = p + V3{s.forward.x, 0, s.forward.z} * a;
        return p;
    };
    m.Quad(at(along0, l0), at(along0, l1), at(along1, l1), at(along1, l0), c);
}

// The arcs the surface is cut at: every sample, and short steps through kerbed stretches so the
// kerb blocks alternate.
std::vector<float> SurfaceArcs(const track::CentreLine& line) {
    const auto& samples = line.Samples();
    const std::size_t n = samples.size();
    std::vector<float> arcs;
    for (std::size_t i = 0; i < n; ++i) {
        const float a0 = samples[i].arc;
        const float a1 = i + 1 < n ? samples[i + 1].arc : line.Length();
        arcs.push_back(a0);
        if (samples[i].kerb || samples[(i + 1) % n].kerb) {
            const int pieces = static_cast<int>(std::ceil((a1 - a0) / 45.0f));
            for (int k = 1; k < pieces; ++k) arcs.push_back(a0 + (a1 - a0) * static_cast<float>(k) / pieces);
        }
    }
    arcs.push_back(line.Length());
    return arcs;
}

}  // namespace

void BuildRoadSurface(const CourseSite& site, CourseMesh& m) {
    const PlaceStyle& st = site.Style();
    const track::CentreLine& line = site.Line();
    const std::vector<float> arcs = SurfaceArcs(line);
    int kerbBlock = 0;
    m.Use(Finish::Lit, st.asphalt);
    for (std::size_t i = 0; i + 1 < arcs.size(); ++i) {
        const track::Sample a = line.At(arcs[i]);
        const track::Sample b = line.At(arcs[i + 1] >= line.Length() ? 0.0f : arcs[i + 1]);
        const float mid = 0.5f * (arcs[i] + arcs[i + 1]);
        const track::Sample c = line.At(mid);
        const bool kerb = c.kerb;
        if (kerb) ++kerbBlock;
        const Rgb kerbColour = kerb ? (kerbBlock % 2 ? st.kerbA : st.kerbB) : st.asphalt;
        const float shade = 0.96f + 0.04f * std::sin(mid * 0.013f);
        const Rgb asphalt = Scale(st.asphalt, shade);
        struct Band {
            float l0, l1;
            Rgb colour;
        };
        const float wl0 = a.WallOffset(0), wl1 = b.WallOffset(0), wr0 = a.WallOffset(1), wr1 = b.WallOffset(1);
        auto verge = [&](int side) {
            if (!c.refill[side]) return st.verge;
            return (static_cast<int>(mid / 90.0f) % 2) ? st.refill : Mix(st.refill, Rgb{1, 1, 1}, 0.45f);
        };
        const float edge = track::kRoadHalfWidth + track::kKerbWidth;
        const Band bands[] = {{edge, track::kRoadHalfWidth, kerbColour},
                              {track::kRoadHalfWidth, kEdgeLineInner, st.line},
                              {kEdgeLineInner, -kEdgeLineInner, asphalt},
                              {-kEdgeLineInner, -track::kRoadHalfWidth, st.line},
                              {-track::kRoadHalfWidth, -edge, kerbColour}};
        for (const Band& band : bands)
            m.Quad(On(a, band.l0), On(a, band.l1), On(b, band.l1), On(b, band.l0), band.colour);
        // Verges reach the walls, which may widen into a refill bay.
        m.Quad(On(a, wl0), On(a, edge), On(b, edge), On(b, wl1), verge(0));
        m.Quad(On(a, -edge), On(a, -wr0), On(b, -wr1), On(b, -edge), verge(1));
    }

    // Dashed lane lines.
    for (float arc = 0; arc + 40.0f < line.Length(); arc += 90.0f)
        for (float l : {kLaneLine, -kLaneLine}) Mark(m, line, arc, arc + 40.0f, l + 3.0f, l - 3.0f, st.line);

    // The start line: a chequered band across the road at the goal gate.
    const track::Layout& layout = site.Layout();
    if (!layout.gates.empty()) {
        const float goal = layout.gates[0].arc;
        const int squares = 20;
        const float w = 2.0f * kEdgeLineInner / squares;
        for (int row = 0; row < 2; ++row)
            for (int k = 0; k < squares; ++k) {
                const float l0 = kEdgeLineInner - w * k, l1 = l0 - w;
                const Rgb colour = (k + row) % 2 ? Hex(0x101012) : Hex(0xF8F8F8);
                Mark(m, line, line.Wrap(goal - w + w * row), line.Wrap(goal + w * row), l0, l1, colour);
            }
    }
    // Grid boxes: a front bar and two side bars behind each slot.
    for (int k = 0; k < 16; ++k) {
        const track::Sample s = line.At(layout.gridArc[k]);
        const float l = k % 2 == 0 ? 50.95f : -50.95f;
        MarkAt(m, s, 32.0f, 38.0f, l + 34.0f, l - 34.0f, st.line);
        MarkAt(m, s, -40.0f, 32.0f, l + 34.0f, l + 28.0f, st.line);
        MarkAt(m, s, -40.0f, 32.0f, l - 28.0f, l - 34.0f, st.line);
    }
}

void BuildBarriers(const CourseSite& site, CourseMesh& m) {
    const PlaceStyle& st = site.Style();
    const track::CentreLine& line = site.Line();
    const auto& samples = line.Samples();
    const std::size_t n = samples.size();
    const float h = st.wallHeight;
    for (std::size_t i = 0; i < n; ++i) {
        const track::Sample& a = samples[i];
        const track::Sample& b = samples[(i + 1) % n];
        const int ia = static_cast<int>(i), ib = static_cast<int>((i + 1) % n);
        const bool high = site.Elevated(ia) || site.Elevated(ib);
        const float panel = 0.5f * (a.arc + (i + 1 < n ? b.arc : line.Length()));
        const Rgb face = (static_cast<int>(panel / 420.0f) % 2) ? st.wallA : st.wallB;
        for (int side = 0; side < 2; ++side) {
            const float sign = side == 0 ? 1.0f : -1.0f;
            const float la = sign * a.WallOffset(side), lb = sign * b.WallOffset(side);
            const float ta = la + sign * kWallThickness, tb = lb + sign * kWallThickness;
            const float drop = high ? 40.0f : 60.0f;
            const V3 a0 = On(a, la), b0 = On(b, lb);
            const V3 a1 = a0 + V3{0, h, 0}, b1 = b0 + V3{0, h, 0};
            const V3 a2 = On(a, ta) + V3{0, h, 0}, b2 = On(b, tb) + V3{0, h, 0};
            const V3 a3 = On(a, ta) - V3{0, drop, 0}, b3 = On(b, tb) - V3{0, drop, 0};
            m.Use(Finish::Lit, face);
            // Inner face toward the road, then the back.
            if (side == 0) {
                m.Quad(a0, b0, b1, a1, face);
                m.Quad(b3, a3, a2, b2, Scale(face, 0.85f));
            } else {
                m.Quad(b0, a0, a1, b1, face);
                m.Quad(a3, b3, b2, a2, Scale(face, 0.85f));
            }
            m.Use(st.wallTopGlows ? Finish::Glow : Finish::Lit, st.wallTop);
            if (side == 0)
                m.Quad(a1, b1, b2, a2, st.wallTop);
            else
                m.Quad(b1, a1, a2, b2, st.wallTop);
        }
        if (!high) continue;
        // The deck under an elevated road, between the barriers' backs.
        const float lA = a.WallOffset(0) + kWallThickness, rA = -(a.WallOffset(1) + kWallThickness);
        const float lB = b.WallOffset(0) + kWallThickness, rB = -(b.WallOffset(1) + kWallThickness);
        m.Use(Finish::Lit, st.pillar);
        const V3 d = {0, -40.0f, 0};
        m.Quad(On(a, rA) + d, On(a, lA) + d, On(b, lB) + d, On(b, rB) + d, Scale(st.pillar, 0.7f));
    }
    // Pillars under elevated stretches, one every few hundred units.
    m.Use(Finish::Lit, st.pillar);
    for (float arc = 0; arc < line.Length(); arc += 520.0f) {
        const int i = line.SampleBefore(arc);
        if (!site.Elevated(i)) continue;
        const track::Sample s = line.At(arc);
        const float top = s.centre.y - 40.0f;
        const float ground = site.BaseHeight(s.centre.x, s.centre.z) - 10.0f;
        if (top - ground < 20.0f) continue;
        Frame f = Frame::Facing(V3{s.centre.x, ground, s.centre.z}, P(s.forward));
        m.Box(f, 150.0f, top - ground, 70.0f, st.pillar);
        Frame cap = f;
        cap.origin.y = top - 30.0f;
        m.Box(cap, 2.0f * s.WallOffset(0) + 20.0f, 30.0f, 80.0f, Scale(st.pillar, 0.9f));
    }
}

void BuildStartGantry(const CourseSite& site, CourseMesh& m) {
    const PlaceStyle& st = site.Style();
    const track::Layout& layout = site.Layout();
    if (layout.gates.empty()) return;
    const track::Sample s = site.Line().At(layout.gates[0].arc);
    const V3 centre = P(s.centre);
    // Frame: x across the road to the driver's left, z along the driving direction.
    Frame f = Frame::Facing(centre, P(s.forward));
    const float reachL = s.WallOffset(0) + 45.0f, reachR = s.WallOffset(1) + 45.0f;
    const float beamLow = 190.0f, beamHigh = 250.0f;
    m.Use(Finish::Lit, st.startLine);
    for (float x : {reachL, -reachR}) {
        Frame leg = f;
        leg.origin = f.At(x, 0, 0);
        leg.origin.y = std::min(centre.y, site.Ground(leg.origin.x, leg.origin.z)) - 20.0f;
        m.Box(leg, 34.0f, centre.y + beamHigh + 20.0f - leg.origin.y, 34.0f, st.startLine);
    }
    Frame beam = f;
    beam.origin = f.At(0.5f * (reachL - reachR), beamLow, 0);
    m.Box(beam, reachL + reachR + 34.0f, beamHigh - beamLow, 26.0f, Scale(st.startLine, 0.8f));
    // Chequered boards on both faces of the beam.
    const int squares = 24;
    const float width = reachL + reachR;
    for (int face = 0; face < 2; ++face) {
        const float z = face == 0 ? -13.5f : 13.5f;
        for (int row = 0; row < 2; ++row)
            for (int k = 0; k < squares; ++k) {
                const float x0 = -reachR + width * k / squares, x1 = -reachR + width * (k + 1) / squares;
                const float y0 = beamHigh - 22.0f * (row + 1), y1 = y0 + 22.0f;
                const Rgb c = (k + row) % 2 ? Hex(0x111114) : Hex(0xF6F6F6);
                if (face == 0)
                    m.Quad(f.At(x1, y0, z), f.At(x0, y0, z), f.At(x0, y1, z), f.At(x1, y1, z), c);
                else
                    m.Quad(f.At(x0, y0, z), f.At(x1, y0, z), f.At(x1, y1, z), f.At(x0, y1, z), c);
            }
    }
    // Five start lamps facing the grid (behind the line).
    for (int k = 0; k < 5; ++k) {
        const float x = (static_cast<float>(k) - 2.0f) * 42.0f;
        Frame housing = f;
        housing.origin = f.At(x, beamLow - 42.0f, -8.0f);
        m.Use(Finish::Lit, Hex(0x18181C));
        m.Box(housing, 32.0f, 42.0f, 16.0f, Hex(0x18181C));
        m.Use(Finish::Glow, Hex(0xFF2A1A));
        const float zf = -16.5f;
        m.Quad(f.At(x + 11, beamLow - 32, zf), f.At(x - 11, beamLow - 32, zf), f.At(x - 11, beamLow - 10, zf),
               f.At(x + 11, beamLow - 10, zf), Hex(0xFF2A1A));
    }
}

}  // namespace contentgen
