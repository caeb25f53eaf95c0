// Derives a circuit's geometry-tied table rows (grid, replay camera lists) from its layout.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "table/ReplayCameraTable.h"
#include "tools/tablerows/CircuitLayout.h"

namespace tablerows {

// What a camera round a circuit meets (ground, water, barriers, buildings, scenery), as the row
// generator asks it. The generator keeps each replay and fixed-path camera where this finds it
// clear; without one, the cameras stand where the layout alone puts them.
class SightCheck {
public:
    virtual ~SightCheck() = default;
    // Why a camera at `eye` looking at `target` is no good (it stands inside something or nearer a
    // surface than the near plane, or something lies between it and the target); null when it is.
    virtual const char* Fault(const yiVec3& eye, const yiVec3& target) const = 0;
    // Why a wide view from `eye` toward `target` (vertical field `fov`) is no good, such as a roof or
    // wall near the eye filling much of the picture; null when it is.
    virtual const char* ViewFault(const yiVec3& /*eye*/, const yiVec3& /*target*/, float /*fov*/) const {
        return nullptr;
    }
    bool Sees(const yiVec3& eye, const yiVec3& target) const { return Fault(eye, target) == nullptr; }
};

// What one camera is seen to do as the game runs it: its eye and look-at point along its move,
// neither moving more than kSightStep between samples, and three views (start, middle, end); and
// for a chase track, the lines from along its move to wherever the machine it follows may be then.
constexpr float kSightStep = 10.0f;
struct CameraSights {
    std::string name;   // "track 4", "shot 0"
    bool shot = false;  // a fixed-path shot (the waiting room's and replay's wide views)
    float fov = 0.0f;
    std::vector<std::pair<yiVec3, yiVec3>> sights, views, watched;
};

// Why `camera` is no good to `check` (the first fault met), with the eye where it was met; null when
// every sight is clear and every wide view shows its road.
const char* CameraFault(const CameraSights& camera, const SightCheck& check, yiVec3* at = nullptr);

// The geometry-tied rows of one course.
struct CircuitRows {
    yiVec3 grid[16] = {};
    std::vector<ReplayShot> shots;
    std::vector<ReplayTrack> tracks;
    std::vector<ReplayZone> zones;
    std::vector<CameraSights> cameras;  // every track, then every shot
    std::vector<std::string> unseen;    // why cameras found no clear place, one line each
};

// Grid slot positions: slot k stands inside startSections[k] in the column of its parity,
// spread evenly among the slots that share the section.
void PlaceGrid(const CircuitLayout& layout, const int32_t startSections[16], yiVec3 grid[16]);

// Zones covering every section of the lap in driving order, `fixed` kept as they stand.
// Every zone lists one or two tracks below trackCount; the zone holding the goal comes first.
std::vector<ReplayZone> BuildZones(int sectionCount, int zoneCount, int trackCount,
                                   const std::vector<ReplayZone>& fixed);

// All rows of course `courseId` from its layout, honouring the fixed rows and list sizes; the
// cameras stand where `sight` (when given) finds the road in view.
CircuitRows BuildCircuitRows(int courseId, const CircuitLayout& layout, const SightCheck* sight = nullptr);

}  // namespace tablerows
