// Geometry-tied table rows of one circuit: grid slots and replay camera lists.
#include "tools/tablerows/CircuitRows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>

#include "table/CircuitFixedRows.h"
#include "tools/track/CentreLine.h"

namespace tablerows {
namespace {

constexpr yiVec3 kUp = {0.0f, 1.0f, 0.0f};
constexpr float kMachineBody = 12.0f;  // how high over the road a machine's body shows
// How far either side of the centre line a machine drives: a machine's half width in from the kerb's edge.
constexpr float kMachineLane = track::kRoadHalfWidth + track::kKerbWidth - 20.0f;

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

yiVec3 RoadAt(const CircuitLayout& layout, float arc, yiVec3* dir = nullptr) {
    yiVec3 point, d;
    layout.PointAt(arc, point, d);
    if (dir) *dir = d;
    return point;
}

yiVec3 Lerp(yiVec3 a, yiVec3 b, float t) { return Add(a, Add(b, a, -1.0f), t); }
float Distance(yiVec3 a, yiVec3 b) {
    const yiVec3 d = Add(b, a, -1.0f);
    return std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
}

constexpr float kWideView = 0.5f;         // a view of a wider field than this is judged for what it shows
constexpr float kPanLeavesRoad = 120.0f;  // a pan's end this far from the road's is off the asphalt

// A camera's place beside the road: the side (1 on the driver's left), the distance from the
// centre line, the height over the road and how far along the road from its section it stands.
struct Place {
    float side, offset, height, along;
};

// Places in order of preference: the lowest first, then the driver's left before the right, then
// the distances as listed; each group of `groups` after the one before.
using PlaceGroup = std::pair<std::initializer_list<float>, std::initializer_list<float>>;
std::vector<Place> Places(std::initializer_list<PlaceGroup> groups, std::initializer_list<float> alongs = {0.0f}) {
    std::vector<Place> places;
    for (float along : alongs)
        for (const PlaceGroup& g : groups)
            for (float h : g.first)
                for (float side : {1.0f, -1.0f})
                    for (float offset : g.second) places.push_back({side, offset, h, along});
    return places;
}

// What a camera is seen to do while its eye goes from a to b and its look-at point runs along
// `targetAt(t)` (t from 0 to 1) over `travel` units.
template <typename Fn>
CameraSights Follow(const std::string& name, bool shot, float fov, yiVec3 a, yiVec3 b, float travel, Fn targetAt) {
    CameraSights c{name, shot, fov, {}, {}};
    const int n = std::max(1, static_cast<int>(std::ceil(std::max(Distance(a, b), travel) / kSightStep)));
    for (int k = 0; k <= n; ++k) {
        const float t = static_cast<float>(k) / static_cast<float>(n);
        c.sights.push_back({Lerp(a, b, t), targetAt(t)});
    }
    for (float t : {0.0f, 0.5f, 1.0f}) c.views.push_back({Lerp(a, b, t), targetAt(t)});
    return c;
}

// What a chase track sees besides its pass: it starts as the machine drives into a zone that lists it
// (the opening track as the machines stand on the grid), its eye reaching the end of its move well
// before the machine leaves the zone and holding there, wherever the machine then is. So from along the
// move the machine's body stays in sight over the whole of each such zone, across the road, and from the
// opening track's eyes over every grid slot.
void HeldSights(const CircuitLayout& layout, const std::vector<ReplayZone>& zones, int track, const yiVec3* grid,
                yiVec3 from, yiVec3 to, CameraSights& camera) {
    const int n = layout.SectionCount();
    const auto body = [](yiVec3 p) { return Add(p, kUp, kMachineBody); };
    for (const ReplayZone& z : zones) {
        if (z.tracks[0] != track && z.tracks[1] != track) continue;
        const float begin = layout.gateArc[z.fromSection];
        const int last = (z.toSection + 1) % n;
        float end = last == 0 ? layout.length : layout.gateArc[last];
        if (end <= begin) end += layout.length;
        for (float u = begin; u <= end; u += kSightStep) {
            yiVec3 dir;
            const yiVec3 centre = RoadAt(layout, u, &dir);
            const float bank = layout.CrossSlopeAt(u);
            for (float across : {-kMachineLane, 0.0f, kMachineLane}) {
                const yiVec3 lane = Add(Add(centre, Side(dir), across), kUp, bank * across);
                for (float along : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f})
                    camera.watched.push_back({Lerp(from, to, along), body(lane)});
            }
        }
    }
    if (grid)
        for (int k = 0; k < 16; ++k) {
            if (grid[k].x == 0.0f && grid[k].y == 0.0f && grid[k].z == 0.0f) continue;  // a slot the course lacks
            for (const yiVec3& eye : {from, Lerp(from, to, 0.5f), to}) camera.watched.push_back({eye, body(grid[k])});
        }
}

// The first of `count` candidate cameras (`cameraOf(i)`) the check finds clear. When none is, the
// first, and a line in `unseen` says why it is not. Without a check, the first.
template <typename Fn>
int ChoosePlace(int count, const SightCheck* check, Fn cameraOf, int courseId, std::vector<std::string>& unseen) {
    if (!check) return 0;
    std::string why;
    for (int i = 0; i < count; ++i) {
        const CameraSights camera = cameraOf(i);
        yiVec3 at{};
        const char* fault = CameraFault(camera, *check, &at);
        if (!fault) return i;
        if (i == 0) {
            char where[96];
            std::snprintf(where, sizeof where, " (eye at %.0f, %.0f, %.0f)", at.x, at.y, at.z);
            why = "course " + std::to_string(courseId) + " " + camera.name + ": no place found; in the first, " +
                  fault + where;
        }
    }
    unseen.push_back(why);
    return 0;
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

// A hand-placed camera move raised (by the least of a few steps) until it is clear; left as it
// stands when it is or no step helps. `chase`: its look-at point follows the machine past the eye;
// otherwise it blends between the move's own targets.
CameraSights LiftClear(int courseId, const std::string& name, const CircuitLayout& layout, const SightCheck* sight,
                       bool chase, CameraState& start, CameraState& end, std::vector<std::string>& unseen) {
    const float lifts[] = {0.0f, 20.0f, 40.0f, 80.0f, 120.0f, 200.0f, 320.0f};
    auto cameraOf = [&](int i) {
        const yiVec3 a = Add(start.eye, kUp, lifts[i]), b = Add(end.eye, kUp, lifts[i]);
        if (chase)
            return Follow(name, false, start.fov, a, b, 0.0f,
                          [&](float t) { return NearestGate(layout, Lerp(a, b, t)); });
        return Follow(name, true, start.fov, a, b, Distance(start.target, end.target),
                      [&](float t) { return Lerp(start.target, end.target, t); });
    };
    const int k = ChoosePlace(static_cast<int>(std::size(lifts)), sight, cameraOf, courseId, unseen);
    start.eye = Add(start.eye, kUp, lifts[k]);
    end.eye = Add(end.eye, kUp, lifts[k]);
    return cameraOf(k);
}

}  // namespace

const char* CameraFault(const CameraSights& camera, const SightCheck& check, yiVec3* at) {
    for (const auto* lines : {&camera.sights, &camera.watched})
        for (const auto& [eye, target] : *lines)
            if (const char* why = check.Fault(eye, target)) {
                if (at) *at = eye;
                return why;
            }
    if (camera.fov > kWideView)
        for (const auto& [eye, target] : camera.views)
            if (const char* why = check.ViewFault(eye, target, camera.fov)) {
                if (at) *at = eye;
                return why;
            }
    return nullptr;
}

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
        const std::string name = "track " + std::to_string(t);
        ReplayTrack track{};
        track.reserved[0] = 1.0f;
        bool placed = false;
        if (courseId == 2 && t < 2) {
            // Course 2's opening moves are placed by hand; lifted should they not be clear, and
            // placed like the others when no lift helps.
            track = t == 0 ? circuit_fixed::kSpainTrack0 : circuit_fixed::kSpainTrack1;
            std::vector<std::string> hidden;
            CameraSights camera = LiftClear(courseId, name, layout, sight, true, track.start, track.end, hidden);
            placed = hidden.empty();
            if (placed)
                rows.cameras.push_back(std::move(camera));
            else
                track = ReplayTrack{}, track.reserved[0] = 1.0f;
        }
        if (!placed && IsFixedMove(courseId, t)) {
            // A sideways move along 300 of the road, looking across it.
            yiVec3 dp, dq;
            const yiVec3 p = RoadAt(layout, arc, &dp), q = RoadAt(layout, arc + 300.0f, &dq);
            // Where those are hidden: just inside the wall, or high.
            const std::vector<Place> places = Places({{{80.0f, 160.0f, 260.0f}, {300.0f, 420.0f}},
                                                      {{80.0f, 160.0f}, {200.0f}},
                                                      {{400.0f}, {300.0f, 420.0f, 560.0f}}});
            auto eyes = [&](const Place& c, yiVec3& from, yiVec3& to) {
                from = Add(Add(p, Side(dp), c.side * c.offset), kUp, c.height);
                to = Add(Add(q, Side(dq), c.side * c.offset), kUp, c.height);
            };
            auto cameraOf = [&](int i) {
                yiVec3 from, to;
                eyes(places[static_cast<std::size_t>(i)], from, to);
                return Follow(name, false, circuit_fixed::kWideFov, from, to, Distance(p, q),
                              [&](float u) { return Lerp(p, q, u); });
            };
            const int k = ChoosePlace(static_cast<int>(places.size()), sight, cameraOf, courseId, rows.unseen);
            yiVec3 from, to;
            eyes(places[static_cast<std::size_t>(k)], from, to);
            rows.cameras.push_back(cameraOf(k));
            track.kind = kReplayTrackFixed;
            track.frames = 240;
            track.start = {from, p, kUp, circuit_fixed::kWideFov};
            track.end = {to, q, kUp, circuit_fixed::kWideFov};
            track.follow = 0.0f;
        } else if (!placed) {
            // A move past the machine beside the road, from 400 before the section to 400 after,
            // its look-at point on the machine as it drives by.
            const std::vector<Place> places = Places({{{70.0f, 110.0f, 160.0f}, {260.0f, 340.0f}},
                                                      {{70.0f, 110.0f, 160.0f}, {200.0f}},
                                                      {{260.0f, 400.0f}, {260.0f, 340.0f, 480.0f}},
                                                      {{600.0f}, {340.0f, 480.0f}}});
            auto eyes = [&](const Place& c, yiVec3& from, yiVec3& to) {
                yiVec3 da, db;
                const yiVec3 a = RoadAt(layout, arc - 400.0f, &da), b = RoadAt(layout, arc + 400.0f, &db);
                from = Add(Add(a, Side(da), c.side * c.offset), kUp, c.height);
                to = Add(Add(b, Side(db), c.side * c.offset), kUp, c.height + 5.0f);
            };
            auto cameraOf = [&](int i) {
                yiVec3 from, to;
                eyes(places[static_cast<std::size_t>(i)], from, to);
                CameraSights camera = Follow(name, false, 0.35f, from, to, 800.0f,
                                             [&](float u) { return RoadAt(layout, arc - 400.0f + 800.0f * u); });
                HeldSights(layout, rows.zones, t, t == 0 ? rows.grid : nullptr, from, to, camera);
                return camera;
            };
            const int k = ChoosePlace(static_cast<int>(places.size()), sight, cameraOf, courseId, rows.unseen);
            yiVec3 from, to;
            eyes(places[static_cast<std::size_t>(k)], from, to);
            rows.cameras.push_back(cameraOf(k));
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
        const std::string name = "shot " + std::to_string(i);
        if (courseId == 2 && i == 0) {  // placed by hand, down the start straight
            ReplayShot shot = circuit_fixed::kSpainShot0;
            rows.cameras.push_back(LiftClear(courseId, name, layout, sight, false, shot.start, shot.end, rows.unseen));
            rows.shots.push_back(shot);
            continue;
        }
        // Where a place beside the section is hidden (a bridge over the pan), one a little further
        // round the lap or back.
        const int first = n * i / std::max(shotCount, 1), step = std::max(1, n / 24);
        const int sectionShifts[] = {0, step, -step, 2 * step, -2 * step};
        const std::vector<Place> places =
            Places({{{150.0f, 300.0f, 450.0f}, {600.0f, 800.0f, 450.0f}}, {{600.0f}, {800.0f, 1100.0f}}},
                   {0.0f, -300.0f, 300.0f, -600.0f, 600.0f});
        struct Pan {
            yiVec3 eye, from, to;
        };
        auto panOf = [&](int j) {
            const int section = ((first + sectionShifts[static_cast<std::size_t>(j) / places.size()]) % n + n) % n;
            const Place& c = places[static_cast<std::size_t>(j) % places.size()];
            const yiVec3 p = layout.gateMid[section];
            const yiVec3 d = layout.forward[section];
            // The pan runs 500 down the road; on a bend, where straight on leaves the road, it
            // follows the road instead.
            yiVec3 panEnd = Add(p, d, 500.0f);
            const yiVec3 roadEnd = RoadAt(layout, layout.gateArc[section] + 500.0f);
            if (Distance(panEnd, roadEnd) > kPanLeavesRoad) panEnd = roadEnd;
            return Pan{Add(Add(Add(p, d, c.along), Side(d), c.side * c.offset), kUp, c.height), p, panEnd};
        };
        float fov = circuit_fixed::kWideFov;
        if (courseId == 7 && i == 1) fov = 0.765f;
        if (courseId == 7 && i == 2) fov = 1.169f;
        if (courseId == 13 && i >= 1 && i <= 3) fov = (i == 1) ? 0.987f : (i == 2) ? 0.924f : 0.882f;
        auto cameraOf = [&](int j) {
            const Pan pan = panOf(j);
            return Follow(name, true, fov, pan.eye, pan.eye, Distance(pan.from, pan.to),
                          [&](float u) { return Lerp(pan.from, pan.to, u); });
        };
        const int k = ChoosePlace(static_cast<int>(places.size() * std::size(sectionShifts)), sight, cameraOf, courseId,
                                  rows.unseen);
        rows.cameras.push_back(cameraOf(k));
        const Pan pan = panOf(k);
        ReplayShot shot{{pan.eye, pan.from, kUp, fov},
                        {pan.eye, pan.to, kUp, fov},
                        static_cast<uint32_t>(std::min(540 + 165 * i, 1200))};
        rows.shots.push_back(shot);
    }
    return rows;
}

}  // namespace tablerows
