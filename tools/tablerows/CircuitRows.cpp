// Geometry-tied table rows of one circuit: grid slots and replay camera lists.
#include "tools/tablerows/CircuitRows.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "table/CircuitFixedRows.h"

namespace tablerows {
namespace {

constexpr yiVec3 kUp = {0.0f, 1.0f, 0.0f};

yiVec3 Add(yiVec3 a, yiVec3 b, float k = 1.0f) { return {a.x + b.x * k, a.y + b.y * k, a.z + b.z * k}; }
yiVec3 Mid(yiVec3 a, yiVec3 b) { return {0.5f * (a.x + b.x), 0.5f * (a.y + b.y), 0.5f * (a.z + b.z)}; }
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

yiVec3 RoadAt(const CircuitLayout& layout, float arc, yiVec3* dir = nullptr) {
    yiVec3 point, d;
    layout.PointAt(arc, point, d);
    if (dir) *dir = d;
    return point;
}

// A camera's place beside the road: the side (1 on the driver's left), the distance from the
// centre line and the height over the road.
struct Place {
    float side, offset, height;
};

// Places in order of preference: the lowest first, then the driver's left before the right, then
// the distances as listed.
std::vector<Place> Places(std::initializer_list<float> heights, std::initializer_list<float> offsets) {
    std::vector<Place> places;
    for (float h : heights)
        for (float side : {1.0f, -1.0f})
            for (float offset : offsets) places.push_back({side, offset, h});
    return places;
}

// What a camera must see from a place: pairs of an eye and a point of the road.
using Sights = std::vector<std::pair<yiVec3, yiVec3>>;

// The first of `count` places whose sights (`sightsOf(i)`) are all clear; when none is, the one
// with the most clear sights (the earlier on a tie), counted in `unseen`. Without a check, the first.
template <typename Fn>
int ChoosePlace(int count, const SightCheck* sight, Fn sightsOf, int& unseen) {
    if (!sight) return 0;
    int best = 0, bestClear = -1;
    for (int i = 0; i < count; ++i) {
        const Sights sights = sightsOf(i);
        int clear = 0;
        for (const auto& [eye, target] : sights) clear += sight->Sees(eye, target) ? 1 : 0;
        if (clear == static_cast<int>(sights.size())) return i;
        if (clear > bestClear) best = i, bestClear = clear;
    }
    ++unseen;
    return best;
}

// The centre-line gate nearest to p: where the road passes a hand-placed camera.
yiVec3 NearestGate(const CircuitLayout& layout, yiVec3 p) {
    yiVec3 best = layout.gateMid[0];
    float bestDistance = 1e30f;
    for (const yiVec3& g : layout.gateMid) {
        const float d = (g.x - p.x) * (g.x - p.x) + (g.z - p.z) * (g.z - p.z);
        if (d < bestDistance) best = g, bestDistance = d;
    }
    return best;
}

// A hand-placed camera move raised (by the least of a few steps) until its eyes see the road
// they pass; left as it stands when it does or no step helps.
void LiftClear(const CircuitLayout& layout, const SightCheck* sight, CameraState& start, CameraState& end,
               int& unseen) {
    const float lifts[] = {0.0f, 20.0f, 40.0f, 80.0f, 120.0f};
    const int k = ChoosePlace(
        5, sight,
        [&](int i) {
            const yiVec3 a = Add(start.eye, kUp, lifts[i]), b = Add(end.eye, kUp, lifts[i]);
            return Sights{{a, NearestGate(layout, a)}, {b, NearestGate(layout, b)}};
        },
        unseen);
    start.eye = Add(start.eye, kUp, lifts[k]);
    end.eye = Add(end.eye, kUp, lifts[k]);
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

CircuitRows BuildCircuitRows(int courseId, const CircuitLayout& layout, const SightCheck* sight) {
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

    // Tracks: each is set beside the middle of the first zone that lists it, on the side and at
    // the height from which it sees the road over the barrier and past what stands beside it.
    for (int t = 0; t < trackCount; ++t) {
        int section = 0;
        for (const ReplayZone& z : rows.zones) {
            if (z.tracks[0] == t || z.tracks[1] == t) {
                section = MidSection(z, n);
                break;
            }
        }
        const float arc = layout.gateArc[section];
        ReplayTrack track{};
        track.reserved[0] = 1.0f;
        if (courseId == 2 && t < 2) {
            // Course 2's opening moves are placed by hand; lifted only should they not see the road.
            track = t == 0 ? circuit_fixed::kSpainTrack0 : circuit_fixed::kSpainTrack1;
            LiftClear(layout, sight, track.start, track.end, rows.unseen);
        } else if (IsFixedMove(courseId, t)) {
            // A sideways move along 300 of the road, looking across it.
            yiVec3 dp, dq;
            const yiVec3 p = RoadAt(layout, arc, &dp), q = RoadAt(layout, arc + 300.0f, &dq);
            const std::vector<Place> places = Places({80.0f, 160.0f, 260.0f}, {300.0f, 420.0f});
            auto eyes = [&](const Place& c, yiVec3& from, yiVec3& to) {
                from = Add(Add(p, Side(dp), c.side * c.offset), kUp, c.height);
                to = Add(Add(q, Side(dq), c.side * c.offset), kUp, c.height);
            };
            const int k = ChoosePlace(
                static_cast<int>(places.size()), sight,
                [&](int i) {
                    yiVec3 from, to;
                    eyes(places[i], from, to);
                    return Sights{{from, RoadAt(layout, arc)},
                                  {Mid(from, to), RoadAt(layout, arc + 150.0f)},
                                  {to, RoadAt(layout, arc + 300.0f)}};
                },
                rows.unseen);
            yiVec3 from, to;
            eyes(places[k], from, to);
            track.kind = kReplayTrackFixed;
            track.frames = 240;
            track.start = {from, p, kUp, circuit_fixed::kWideFov};
            track.end = {to, q, kUp, circuit_fixed::kWideFov};
            track.follow = 0.0f;
        } else {
            // A move past the machine beside the road, from 400 before the section to 400 after.
            const std::vector<Place> places = Places({70.0f, 110.0f, 160.0f}, {260.0f, 340.0f});
            auto eyes = [&](const Place& c, yiVec3& from, yiVec3& to) {
                yiVec3 da, db;
                const yiVec3 a = RoadAt(layout, arc - 400.0f, &da), b = RoadAt(layout, arc + 400.0f, &db);
                from = Add(Add(a, Side(da), c.side * c.offset), kUp, c.height);
                to = Add(Add(b, Side(db), c.side * c.offset), kUp, c.height + 5.0f);
            };
            const int k = ChoosePlace(
                static_cast<int>(places.size()), sight,
                [&](int i) {
                    yiVec3 from, to;
                    eyes(places[i], from, to);
                    const yiVec3 mid = Mid(from, to);
                    return Sights{{from, RoadAt(layout, arc - 400.0f)},
                                  {from, RoadAt(layout, arc - 200.0f)},
                                  {mid, RoadAt(layout, arc)},
                                  {to, RoadAt(layout, arc + 200.0f)},
                                  {to, RoadAt(layout, arc + 400.0f)}};
                },
                rows.unseen);
            yiVec3 from, to;
            eyes(places[k], from, to);
            track.kind = kReplayTrackChase;
            track.frames = 300;
            track.start = {from, {0, 0, 0}, kUp, 0.35f};
            track.end = {to, {0, 0, 0}, kUp, 0.25f};
            track.follow = (t % 7 == 6) ? 0.45f : 0.8f;
        }
        rows.tracks.push_back(track);
    }

    // Fixed-path shots spread round the lap, each a slow pan along the road from beside it, on
    // the side and at the height from which the road stays in sight all the way.
    const int shotCount = circuit_fixed::kShotCounts[courseId];
    for (int i = 0; i < shotCount; ++i) {
        if (courseId == 2 && i == 0) {  // placed by hand, down the start straight
            ReplayShot shot = circuit_fixed::kSpainShot0;
            LiftClear(layout, sight, shot.start, shot.end, rows.unseen);
            rows.shots.push_back(shot);
            continue;
        }
        const int section = (n * i / std::max(shotCount, 1)) % n;
        const yiVec3 p = layout.gateMid[section];
        const yiVec3 d = layout.forward[section];
        const float arc = layout.gateArc[section];
        float fov = circuit_fixed::kWideFov;
        if (courseId == 7 && i == 1) fov = 0.765f;
        if (courseId == 7 && i == 2) fov = 1.169f;
        if (courseId == 13 && i >= 1 && i <= 3) fov = (i == 1) ? 0.987f : (i == 2) ? 0.924f : 0.882f;
        const std::vector<Place> places = Places({150.0f, 300.0f, 450.0f}, {600.0f, 800.0f, 450.0f});
        auto eyeAt = [&](const Place& c) { return Add(Add(p, Side(d), c.side * c.offset), kUp, c.height); };
        const int k = ChoosePlace(
            static_cast<int>(places.size()), sight,
            [&](int j) {
                const yiVec3 eye = eyeAt(places[j]);
                return Sights{{eye, RoadAt(layout, arc)},
                              {eye, RoadAt(layout, arc + 250.0f)},
                              {eye, RoadAt(layout, arc + 500.0f)}};
            },
            rows.unseen);
        const yiVec3 eye = eyeAt(places[k]);
        ReplayShot shot{{eye, p, kUp, fov},
                        {eye, Add(p, d, 500.0f), kUp, fov},
                        static_cast<uint32_t>(std::min(540 + 165 * i, 1200))};
        rows.shots.push_back(shot);
    }
    return rows;
}

}  // namespace tablerows
