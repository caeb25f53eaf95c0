// CourseGround.h -- the land, water, far ring and sky dome around a circuit.
#pragma once

#include "course/CourseMesh.h"
#include "course/CourseSite.h"

namespace contentgen {

// Sizes of the surroundings, from the circuit's own size: the sky dome and the far ring must stay
// inside the camera's far distance from anywhere on the road.
struct Surroundings {
    V3 middle;
    float domeRadius;  // sky dome
    float ringRadius;  // far mountains or skyline
    float landRadius;  // the ground reaches this far from the middle
};
Surroundings SurroundingsOf(const CourseSite& site);

// The ground: a grid, fine around the road and coarser toward the far ring, following the road
// near it; coloured by the place (grass, snow, sand, concrete), shores by the water.
void BuildTerrain(const CourseSite& site, const Surroundings& around, CourseMesh& out);

// The water surface of places with water (sea, harbour, lakes).
void BuildWater(const CourseSite& site, const Surroundings& around, CourseMesh& out);

// The ring of far mountains, hills, cliffs or skyline; `simple` leaves out small detail (the copy
// seen only in the cube map).
void BuildFarRing(const CourseSite& site, const Surroundings& around, CourseMesh& out, bool simple);

// The sky dome showing the place's sky panorama `texture`.
void BuildSkyDome(const Surroundings& around, const std::string& texture, CourseMesh& out, int rings, int segments);

}  // namespace contentgen
