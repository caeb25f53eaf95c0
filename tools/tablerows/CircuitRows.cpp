// Geometry-tied table rows of one circuit: grid slots and replay camera lists.
#include "tools/tablerows/CircuitRows.h"

#include <algorithm>

#include "table/CircuitFixedRows.h"

namespace tablerows {
namespace {

constexpr yiVec3 kUp = {0.0f, 1.0f, 0.0f};

yiVec3 Add(yiVec3 a, yiVec3 b, float k = 1.0f) { return {a.x + b.x * k, a.y + b.y * k, a.z + b.z * k}; }
yiVec3 Side(yiVec3 dir) { return {dir.z, 0.0f, -dir.x}; }  // +z when driving toward -x

ReplayZone MakeZone(int from, int to) {
    ReplayZone z{from, to, {-1, -1, -1, -1, -1, -1, -1, -1}};
    return z;
}

bool IsFixedMove(int courseId, int track) {
    for (int32_t t : circuit_fixed::kFixedMoveTracks[courseId]) {
        if (t < 0) break;
        if (t == track) return true;
    }
    return false;
}

bool Contains(const ReplayZone& z, int s) {
    if (z.fromSection > z.toSection) return s >= z.fromSection || s <= z.toSection;
    return z.fromSection <= s && s <= z.toSection;
}

int MidSection(const ReplayZone& z, int n) {
    const int length = ((z.toSection - z.fromSection) % n + n) % n;
    return (z.fromSection + length / 2) % n;
}

}  // namespace

void PlaceGrid(const CircuitLayout& layout, const int32_t startSections[16], yiVec3 grid[16]) {
    const int n = layout.SectionCount();
    for (int k = 0; k < 16; ++k) {
        const int s = startSections[k];
        int count = 0, rank = 0;
        for (int j = 0; j < 16; ++j) {
            if (startSections[j] != s) continue;
            if (j < k) ++rank;
            ++count;
        }
        const float from = layout.gateArc[s];
        const float to = s + 1 < n ? layout.gateArc[s + 1] : layout.length;
        // Slots further back (higher k) stand nearer the section's start.
        const float t = 1.0f - (static_cast<float>(rank) + 0.5f) / static_cast<float>(count);
        yiVec3 centre, dir;
        layout.PointAt(from + (to - from) * t, centre, dir);
        const float side = (k % 2 == 0) ? circuit_fixed::kGridHalfGap : -circuit_fixed::kGridHalfGap;
        grid[k] = Add(centre, Side(dir), side);
    }
}

std::vector<ReplayZone> BuildZones(int n, int zoneCount, int trackCount, const std::vector<ReplayZone>& fixedIn) {
    std::vector<ReplayZone> fixed = fixedIn;
    std::sort(fixed.begin(), fixed.end(),
              [](const ReplayZone& a, const ReplayZone& b) { return a.fromSection < b.fromSection; });
    const int freeZones = zoneCount - static_cast<int>(fixed.size());

    // Gaps between the fixed zones (the whole lap from just before the goal when none).
    struct Gap {
        int from;
        int length;
        int zones;
    };
    std::vector<Gap> gaps;
    if (fixed.empty()) {
        gaps.push_back({n - 2, n, freeZones});
    } else {
        for (std::size_t i = 0; i < fixed.size(); ++i) {
            const ReplayZone& a = fixed[i];
            const ReplayZone& b = fixed[(i + 1) % fixed.size()];
            const int from = (a.toSection + 1) % n;
            const int length = ((b.fromSection - from) % n + n) % n;
            if (length > 0) gaps.push_back({from, length, 1});
        }
        int left = freeZones - static_cast<int>(gaps.size());
        while (left > 0) {  // give each further zone to the gap with the longest zones
            Gap* best = &gaps[0];
            for (Gap& g : gaps)
                if (g.length * best->zones > best->length * g.zones) best = &g;
            ++best->zones;
            --left;
        }
    }

    std::vector<ReplayZone> zones = fixed;
    for (const Gap& g : gaps) {
        for (int i = 0; i < g.zones; ++i) {
            const int a = g.from + g.length * i / g.zones;
            const int b = g.from + g.length * (i + 1) / g.zones - 1;
            zones.push_back(MakeZone(a % n, b % n));
        }
    }
    std::sort(zones.begin(), zones.end(),
              [](const ReplayZone& a, const ReplayZone& b) { return a.fromSection < b.fromSection; });
    // Driving order starting with the zone that holds the goal.
    auto first = std::find_if(zones.begin(), zones.end(), [](const ReplayZone& z) { return Contains(z, 0); });
    if (first != zones.end()) std::rotate(zones.begin(), first, zones.end());

    // Tracks: fixed zones keep theirs; the others take the unused ones in turn (track 0 is the
    // opening shot), then a second one each while tracks remain.
    std::vector<bool> used(static_cast<std::size_t>(trackCount), false);
    for (const ReplayZone& z : fixed)
        for (int32_t t : z.tracks)
            if (t >= 0 && t < trackCount) used[t] = true;
    std::vector<int> spare;
    for (int t = 1; t < trackCount; ++t)
        if (!used[t]) spare.push_back(t);
    std::size_t next = 0;
    auto isFixed = [&](const ReplayZone& z) {
        for (const ReplayZone& f : fixed)
            if (f.fromSection == z.fromSection && f.toSection == z.toSection) return true;
        return false;
    };
    for (int pass = 0; pass < 2; ++pass) {
        for (ReplayZone& z : zones) {
            if (isFixed(z)) continue;
            if (pass == 1 && next >= spare.size()) break;
            const int track = spare.empty() ? (pass == 0 ? 1 % trackCount : -1) : spare[next % spare.size()];
            if (track < 0) break;
            z.tracks[pass] = track;
            ++next;
        }
    }
    return zones;
}

CircuitRows BuildCircuitRows(int courseId, const CircuitLayout& layout) {
    CircuitRows rows;
    const int n = layout.SectionCount();
    if (layout.grid.size() == 16)
        for (int k = 0; k < 16; ++k) rows.grid[k] = layout.grid[k];
    else
        PlaceGrid(layout, circuit_fixed::kStartSections[courseId], rows.grid);
    if (courseId == 2)
        for (int k = 0; k < 16; ++k) rows.grid[k] = circuit_fixed::SpainGridSlot(k);
    if (courseId == 5)
        for (int k = 0; k < 4; ++k) rows.grid[k] = circuit_fixed::kQirGrid[k];

    // Zones.
    std::vector<ReplayZone> fixed;
    for (const auto& f : circuit_fixed::kFixedZones)
        if (f.course == courseId) fixed.push_back(f.zone);
    const int trackCount = circuit_fixed::kTrackCounts[courseId];
    rows.zones = BuildZones(n, circuit_fixed::kZoneCounts[courseId], trackCount, fixed);

    // Tracks: each is set beside the middle of the first zone that lists it.
    for (int t = 0; t < trackCount; ++t) {
        int section = 0;
        for (const ReplayZone& z : rows.zones) {
            if (z.tracks[0] == t || z.tracks[1] == t) {
                section = MidSection(z, n);
                break;
            }
        }
        yiVec3 p = layout.gateMid[section];
        yiVec3 d = layout.forward[section];
        const yiVec3 side = Side(d);
        ReplayTrack track{};
        track.reserved[0] = 1.0f;
        if (IsFixedMove(courseId, t)) {
            track.kind = kReplayTrackFixed;
            track.frames = 240;
            track.start = {Add(Add(p, side, 300.0f), kUp, 80.0f), p, kUp, circuit_fixed::kWideFov};
            const yiVec3 q = Add(p, d, 300.0f);
            track.end = {Add(Add(q, side, 300.0f), kUp, 80.0f), q, kUp, circuit_fixed::kWideFov};
            track.follow = 0.0f;
        } else {
            track.kind = kReplayTrackChase;
            track.frames = 300;
            track.start = {Add(Add(Add(p, d, -400.0f), side, 250.0f), kUp, 40.0f), {0, 0, 0}, kUp, 0.35f};
            track.end = {Add(Add(Add(p, d, 400.0f), side, 250.0f), kUp, 45.0f), {0, 0, 0}, kUp, 0.25f};
            track.follow = (t % 7 == 6) ? 0.45f : 0.8f;
        }
        rows.tracks.push_back(track);
    }
    if (courseId == 2) {
        rows.tracks[0] = circuit_fixed::kSpainTrack0;
        rows.tracks[1] = circuit_fixed::kSpainTrack1;
    }

    // Fixed-path shots spread round the lap, each a slow pan.
    const int shotCount = circuit_fixed::kShotCounts[courseId];
    for (int i = 0; i < shotCount; ++i) {
        const int section = (n * i / std::max(shotCount, 1)) % n;
        const yiVec3 p = layout.gateMid[section];
        const yiVec3 d = layout.forward[section];
        float fov = circuit_fixed::kWideFov;
        if (courseId == 7 && i == 1) fov = 0.765f;
        if (courseId == 7 && i == 2) fov = 1.169f;
        if (courseId == 13 && i >= 1 && i <= 3) fov = (i == 1) ? 0.987f : (i == 2) ? 0.924f : 0.882f;
        const yiVec3 eye = Add(Add(p, Side(d), 600.0f), kUp, 150.0f);
        ReplayShot shot{{eye, p, kUp, fov},
                        {eye, Add(p, d, 500.0f), kUp, fov},
                        static_cast<uint32_t>(std::min(540 + 165 * i, 1200))};
        rows.shots.push_back(shot);
    }
    if (courseId == 2) rows.shots[0] = circuit_fixed::kSpainShot0;
    return rows;
}

}  // namespace tablerows
