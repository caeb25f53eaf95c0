// Writes the geometry-tied rows of the course and replay camera tables as C++ constants.
#include "tools/tablerows/CircuitRowsOutput.h"

#include <cstdio>
#include <string>

#include "table/CircuitFixedRows.h"
#include "tools/tablerows/CircuitLayout.h"

namespace tablerows {
namespace {

std::string F(float v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    std::string s = buf;
    if (s.find_first_of(".en") == std::string::npos) s += ".0";
    return s + "f";
}

std::string V(const yiVec3& v) { return "{" + F(v.x) + ", " + F(v.y) + ", " + F(v.z) + "}"; }

std::string State(const CameraState& c) {
    return "{" + V(c.eye) + ", " + V(c.target) + ", " + V(c.up) + ", " + F(c.fov) + "}";
}

}  // namespace

bool WriteCircuitRows(std::ostream& out, const std::vector<CircuitLayout>& layouts,
                      const std::vector<CircuitRows>& rows) {
    if (layouts.size() != 14 || rows.size() != 14) return false;
    for (int id = 2; id < 14; ++id)
        if (layouts[id].SectionCount() == 0) return false;
    out << "#include \"table/ReplayCameraTable.h\"\n\nnamespace content {\nnamespace circuit_rows {\n\n";
    out << "constexpr int32_t kSectionCounts[14] = {";
    for (int id = 0; id < 14; ++id) out << (id ? ", " : "") << layouts[id].SectionCount();
    out << "};\n\nconstexpr yiVec3 kGrid[14][16] = {\n";
    for (int id = 0; id < 14; ++id) {
        out << "    {";
        for (int k = 0; k < 16; ++k) out << (k ? ", " : "") << V(rows[id].grid[k]);
        out << "},\n";
    }
    out << "};\n\n";
    for (int id = 2; id < 14; ++id) {
        out << "constexpr ReplayShot kShots" << id << "[] = {\n";
        for (const ReplayShot& s : rows[id].shots)
            out << "    {" << State(s.start) << ", " << State(s.end) << ", " << s.frames << "},\n";
        out << "};\nconstexpr ReplayTrack kTracks" << id << "[] = {\n";
        for (const ReplayTrack& t : rows[id].tracks)
            out << "    {" << State(t.start) << ", " << State(t.end) << ", " << t.frames << ", " << t.kind << ", "
                << F(t.follow) << ", {" << F(t.reserved[0]) << ", " << F(t.reserved[1]) << "}},\n";
        out << "};\nconstexpr ReplayZone kZones" << id << "[] = {\n";
        for (const ReplayZone& z : rows[id].zones) {
            out << "    {" << z.fromSection << ", " << z.toSection << ", {";
            for (int i = 0; i < kReplayZoneTracks; ++i) out << (i ? ", " : "") << z.tracks[i];
            out << "}},\n";
        }
        out << "};\n\n";
    }
    const char* lists[3][2] = {{"ReplayShot", "kShots"}, {"ReplayTrack", "kTracks"}, {"ReplayZone", "kZones"}};
    for (const auto& l : lists) {
        out << "constexpr const " << l[0] << "* " << l[1] << "[14] = {nullptr, nullptr";
        for (int id = 2; id < 14; ++id) out << ", " << l[1] << id;
        out << "};\n";
    }
    out << "constexpr int32_t kShotCounts[14] = {0, 0";
    for (int id = 2; id < 14; ++id) out << ", " << rows[id].shots.size();
    out << "};\nconstexpr int32_t kTrackCounts[14] = {0, 0";
    for (int id = 2; id < 14; ++id) out << ", " << rows[id].tracks.size();
    out << "};\nconstexpr int32_t kZoneCounts[14] = {0, 0";
    for (int id = 2; id < 14; ++id) out << ", " << rows[id].zones.size();
    out << "};\n\n}  // namespace circuit_rows\n}  // namespace content\n";
    return true;
}

}  // namespace tablerows
