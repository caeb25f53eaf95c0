// CourseProps.h -- low-poly scenery pieces: trees, rocks, houses, towers, stands, bridges, boats and the moving
// objects.
#pragma once

#include "course/CourseMesh.h"

namespace contentgen {

// Frames are right-handed: x across, y up, z ahead (see Frame). Sizes are world units.

// Vegetation and rocks (standing at `base`).
void Palm(CourseMesh& m, V3 base, float height, CourseRandom& rnd);
// `simple` trees (for the woods away from the road) have two tiers of five sides instead of three of six.
void Pine(CourseMesh& m, V3 base, float height, bool snowy, CourseRandom& rnd, bool simple = false);
void LeafTree(CourseMesh& m, V3 base, float height, Rgb leaves, CourseRandom& rnd, bool simple = false);
void Rock(CourseMesh& m, V3 base, float size, Rgb colour, CourseRandom& rnd);

// Buildings.
void House(CourseMesh& m, const Frame& f, float w, float d, float h, Rgb walls, Rgb roof);
// A block with rows of windows; `lit` windows glow (night), else they are dark glass.
void Block(CourseMesh& m, const Frame& f, float w, float d, float h, Rgb body, Rgb windows, bool lit,
           CourseRandom& rnd);
// A tall tower with bands of neon and a lit spire.
void NeonTower(CourseMesh& m, const Frame& f, float w, float h, Rgb body, Rgb neonA, Rgb neonB, CourseRandom& rnd);
// A television tower: a needle with a sphere and lit rings.
void TvTower(CourseMesh& m, V3 base, float h);
// A lamp post with a glowing head.
void Lamp(CourseMesh& m, V3 base, float h, Rgb light);

// Track-side buildings: a grandstand facing along -x of its frame (toward the road), `length` long
// (along z), with a crowd of coloured specks and a roof; a pit building with garage doors.
void Grandstand(CourseMesh& m, const Frame& f, float length, Rgb body, Rgb seats, Rgb roof, CourseRandom& rnd);
void PitBuilding(CourseMesh& m, const Frame& f, float length, Rgb body, Rgb trim, CourseRandom& rnd);
// A billboard on two posts facing -x of its frame.
void Billboard(CourseMesh& m, const Frame& f, float w, float h, Rgb a, Rgb b);

// Landmarks.
// White shell roofs on a podium (a harbour opera house).
void SailRoofs(CourseMesh& m, const Frame& f, float size);
// A steel arch bridge along z of the frame, `span` long, the deck at height `deck`.
void ArchBridge(CourseMesh& m, const Frame& f, float span, float deck, float width, Rgb steel);
// A boat on the water.
void Boat(CourseMesh& m, const Frame& f, float length, Rgb hull, Rgb sail);
void Cabin(CourseMesh& m, const Frame& f, float size);
// A wind rotor's mast from the ground up to the hub height.
void RotorMast(CourseMesh& m, V3 base, float hubHeight);

// The moving scenery objects, each in its own frame at the origin (world units).
void ArrowSign(CourseMesh& m, const Frame& f, bool pointsLeft);  // a blinking corner sign, placed by the frame
void Jet(CourseMesh& m, V3 offset);                              // flies round the origin, nose toward -z at +x
void Train(CourseMesh& m);                                       // cars along x, wheels at y = 0
void Rotor(CourseMesh& m);                                       // blades in the x-y plane, hub at the origin
void Airship(CourseMesh& m, V3 offset);                          // circles the origin, nose toward -z at +x
void Balloon(CourseMesh& m, V3 at, float size, Rgb a, Rgb b);

}  // namespace contentgen
