// Layout.h -- one course layout: a circuit's centre line in its driving direction, cut into route sections.
#pragma once

#include <string>
#include <vector>

#include "tools/tablerows/CircuitLayout.h"
#include "tools/track/CentreLine.h"
#include "tools/track/Circuits.h"

namespace track {

// Checkpoints per lap (the goal section is checkpoint 0).
constexpr int kCheckpointCount = 8;
// Gate ends reach this far past the walls, so a machine pressed against a wall still crosses.
constexpr float kGateOverhang = 2.0f;
// The furthest a machine travels in one logic step (800 km/h): gates lie further apart.
constexpr float kMaxStepTravel = 800.0f / 3.6f * 10.0f / 60.0f;

// A gate across the road where a section begins: end A on the driver's left, B on the right.
struct Gate {
    float arc;  // along the layout's centre line
    yiVec3 a, b;
};

// A course layout. The centre line runs in the layout's driving direction; its arcs are its own
// (the goal gate need not be at arc 0).
struct Layout {
    const CourseInfo* info = nullptr;
    CentreLine line;
    std::vector<Gate> gates;  // one per section, in section order, arcs increasing round the lap
    yiVec3 grid[16] = {};     // grid slot positions, slot 0 at the front
    float gridArc[16] = {};   // their arcs along the centre line
    int checkpoints[kCheckpointCount] = {};
    std::string error;  // why the layout could not be made; empty when it is sound

    int SectionCount() const { return static_cast<int>(gates.size()); }
    // Length of section s along the centre line.
    float SectionLength(int s) const;
    // The section holding arc `arc` (between its gate and the next).
    int SectionAtArc(float arc) const;
    // The layout as the table row generator takes it (gate midpoints from the goal on).
    tablerows::CircuitLayout ForTableRows() const;
};

// Builds the layout of course id 2..13; check `error` before use.
Layout BuildLayout(int courseId);

// All twelve layouts by course id (indices 0 and 1 are empty), built once and shared.
const std::vector<Layout>& AllLayouts();

}  // namespace track
