// CourseRoad.h -- the road of a circuit extruded along its centre line: surface, markings, barriers, decks, gantry.
#pragma once

#include "course/CourseMesh.h"
#include "course/CourseSite.h"

namespace contentgen {

// The cross-section the road is built from (left positive, world units); it matches the floor
// and walls the collision files are made from: asphalt, kerb band, verge, wall.
constexpr float kEdgeLineInner = 140.0f;  // the edge lines run from here to the kerb
constexpr float kLaneLine = 50.0f;        // dashed lines at +-50: three lanes
constexpr float kDecalLift = 1.0f;        // painted marks float this far over the asphalt
constexpr float kWallThickness = 14.0f;

// Asphalt with its edge lines, kerbs in alternating colours on the bends, verges and refill bays,
// dashed lane lines, the chequered start line and the sixteen grid boxes.
void BuildRoadSurface(const CourseSite& site, CourseMesh& out);

// Barriers along both walls in panels of alternating colours with a top rail; where the road is
// elevated, the deck under it and the pillars down to the ground.
void BuildBarriers(const CourseSite& site, CourseMesh& out);

// The gantry over the start line: two towers, a beam with the start lamps and chequered boards.
void BuildStartGantry(const CourseSite& site, CourseMesh& out);

}  // namespace contentgen
