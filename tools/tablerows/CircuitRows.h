// Derives a circuit's geometry-tied table rows (grid, replay camera lists) from its layout.
#pragma once

#include <vector>

#include "table/ReplayCameraTable.h"
#include "tools/tablerows/CircuitLayout.h"

namespace tablerows {

// The geometry-tied rows of one course.
struct CircuitRows {
    yiVec3 grid[16] = {};
    std::vector<ReplayShot> shots;
    std::vector<ReplayTrack> tracks;
    std::vector<ReplayZone> zones;
    int unseen = 0;  // cameras for which the sight check found no place that sees all the road they follow
};

// What stands round a circuit (ground, water, barriers, buildings), as the cameras see it. The row
// generator keeps each replay and fixed-path camera where this finds the road in sight; without
// one, the cameras stand where the layout alone puts them.
class SightCheck {
public:
    virtual ~SightCheck() = default;
    // True when a camera at `eye` stands in the open and nothing solid hides `target` from it.
    virtual bool Sees(const yiVec3& eye, const yiVec3& target) const = 0;
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
