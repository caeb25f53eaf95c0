// CourseMap.cpp -- the mini maps (each circuit's outline at a tenth of world size) and the markers.
#include "course/CourseMap.h"

#include <cmath>

#include "course/CourseMesh.h"
#include "tools/track/Layout.h"

namespace contentgen {

namespace {

// The map lies in the x-z plane like the world it shows; it is seen from above or, once the
// display tilts it, from the front, so every face is two-sided.
void Flat(CourseMesh& m, V3 a, V3 b, V3 c, V3 d, Rgb colour) {
    m.QuadFacing(a, b, c, d, colour, V3{0, 1, 0});
    m.QuadFacing(a, b, c, d, colour, V3{0, -1, 0});
}

// A band along the centre line, `half` to each side, `lift` above the plate.
void Band(CourseMesh& m, const track::CentreLine& line, float half, float lift, Rgb colour) {
    const auto& s = line.Samples();
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n; ++i) {
        const track::Sample& a = s[i];
        const track::Sample& b = s[(i + 1) % n];
        auto at = [&](const track::Sample& q, float l) {
            const yiVec3 left = q.Left();
            return V3{q.centre.x + left.x * l, lift, q.centre.z + left.z * l};
        };
        Flat(m, at(a, half), at(a, -half), at(b, -half), at(b, half), colour);
    }
}

zfmt::Bytes Outline(int courseId) {
    const auto& layouts = track::AllLayouts();
    const track::Layout& layout = layouts[static_cast<std::size_t>(courseId)];
    if (!layout.error.empty() || layout.gates.empty()) return {};
    CourseMesh m;
    m.Use(Finish::Glow, Hex(0x101420));
    Band(m, layout.line, 420.0f, 0.0f, Hex(0x101420));
    m.Use(Finish::Glow, Hex(0xE8ECF4));
    Band(m, layout.line, 220.0f, 20.0f, Hex(0xE8ECF4));
    // The start line across the road.
    const track::Sample s = layout.line.At(layout.gates[0].arc);
    const yiVec3 l = s.Left();
    const V3 c{s.centre.x, 40.0f, s.centre.z}, f{s.forward.x, 0, s.forward.z}, left{l.x, 0, l.z};
    m.Use(Finish::Glow, Hex(0xFF3A2A));
    Flat(m, c + left * 520.0f - f * 90.0f, c - left * 520.0f - f * 90.0f, c - left * 520.0f + f * 90.0f,
         c + left * 520.0f + f * 90.0f, Hex(0xFF3A2A));
    return m.Write(10.0f);
}

// A marker: an arrow head pointing along +z (or -z), about one unit long.
zfmt::Bytes Marker(Rgb fill, bool backward) {
    CourseMesh m;
    const float z = backward ? -1.0f : 1.0f;
    const V3 tip{0, 0, 0.55f * z}, l{0.38f, 0, -0.45f * z}, r{-0.38f, 0, -0.45f * z}, notch{0, 0, -0.22f * z};
    m.Use(Finish::Glow, Hex(0x101010));
    const float k = 1.25f;
    m.TriFacing(tip * k, l * k, notch * k, Hex(0x101010), V3{0, 1, 0});
    m.TriFacing(tip * k, notch * k, r * k, Hex(0x101010), V3{0, 1, 0});
    m.TriFacing(tip * k, l * k, notch * k, Hex(0x101010), V3{0, -1, 0});
    m.TriFacing(tip * k, notch * k, r * k, Hex(0x101010), V3{0, -1, 0});
    const V3 up{0, 0.02f, 0};
    m.Use(Finish::Glow, fill);
    m.TriFacing(tip + up, l + up, notch + up, fill, V3{0, 1, 0});
    m.TriFacing(tip + up, notch + up, r + up, fill, V3{0, 1, 0});
    m.TriFacing(tip + up, l + up, notch + up, fill, V3{0, -1, 0});
    m.TriFacing(tip + up, notch + up, r + up, fill, V3{0, -1, 0});
    return m.Write();
}

}  // namespace

zfmt::Bytes MiniMapModel(const std::string& file) {
    static const struct {
        const char* file;
        int course;
    } kMaps[] = {{"F_BER_layout_obj.ybm", 4}, {"F_CND_layout_obj.ybm", 7}, {"F_QIR_layout_obj.ybm", 5},
                 {"F_NSK_layout_obj.ybm", 3}, {"F_SPA_layout_obj.ybm", 2}, {"F_SYD_layout_obj.ybm", 6}};
    for (const auto& map : kMaps)
        if (file == map.file) return Outline(map.course);
    // Model 234 marks a team mate, 235 any other rival, 236 (turned round by the display) the player.
    if (file == "F_CMN_marker_player.ybm") return Marker(Hex(0x3CE070), false);
    if (file == "F_CMN_marker_rival.ybm") return Marker(Hex(0xFF5A3A), false);
    if (file == "F_CMN_marker_goal.ybm") return Marker(Hex(0xFFE03A), true);
    return {};
}

}  // namespace contentgen
