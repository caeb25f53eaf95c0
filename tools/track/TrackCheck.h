// TrackCheck.h -- invariants of a generated course layout and its collision files; the content tool refuses to
// write a bank that breaks one.
#pragma once

#include <string>
#include <vector>

#include "tools/track/CollisionSet.h"
#include "tools/track/Layout.h"

namespace track {

// Problems of one layout's collision set, empty when sound:
//  - floor: cells name polygons they hold; every polygon lies inside its cell, has 3 or 4
//    corners, is convex, wound for the inside test, not steeper than a ramp, with a unit normal
//    and a known surface;
//  - walls: unit normals in the ground plane pointing to the road; the walls never cross one
//    another, so the road is one closed loop that never crosses itself;
//  - every point of the centre line has floor under it at the road height;
//  - route: goal section 0 is checkpoint 0, checkpoints in order (2 to 16 of them), the table's
//    section count, every gate spanning the road from wall to wall and further from the next than
//    one step's travel at top speed; walking the centre line at full speed crosses every gate in
//    order and the goal once per lap;
//  - every grid slot stands on the floor inside its start section, facing down the road.
std::vector<std::string> CheckCollisionSet(const Layout& layout, const CollisionSet& set);

// Problems if `reverse` is not `forward`'s road driven the other way.
std::vector<std::string> CheckReverse(const Layout& forward, const Layout& reverse);

// Whether the step p-q crosses the segment a-b in the XZ plane (ends included).
bool CrossesXZ(const yiVec3& p, const yiVec3& q, const yiVec3& a, const yiVec3& b);

}  // namespace track
