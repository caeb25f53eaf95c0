// A circuit's route as the table rows need it: one gate per route section, in driving order.
#pragma once

#include <cstdint>
#include <vector>

#include "table/TableTypes.h"

namespace tablerows {

// The sections of one circuit. A section's reference point is the midpoint of its gate (the
// line across the road where the section begins); `forward` is the unit driving direction there.
struct CircuitLayout {
    std::vector<yiVec3> gateMid;
    std::vector<yiVec3> forward;
    std::vector<float> gateArc;     // distance along the centre line from gate 0
    float length = 0.0f;            // lap length
    std::vector<yiVec3> grid;       // the 16 grid slots when the track placed them, else empty
    std::vector<float> crossSlope;  // at each gate, the road's height gained per unit toward the left (banking)

    int SectionCount() const { return static_cast<int>(gateMid.size()); }
    // Centre-line point and driving direction at distance `arc` along the lap.
    void PointAt(float arc, yiVec3& point, yiVec3& dir) const;
    // The road's banking at distance `arc` along the lap (0 where the layout has none).
    float CrossSlopeAt(float arc) const;
};

// Builds a layout from a closed centre line (points in driving order) cut into gates at the
// given distances along it (gateArc ascending from 0, one per section).
CircuitLayout LayoutFromCentreLine(const std::vector<yiVec3>& centreLine, const std::vector<float>& gateArc);

// Section holding distance `arc` along the lap.
int SectionAt(const CircuitLayout& layout, float arc);

}  // namespace tablerows
