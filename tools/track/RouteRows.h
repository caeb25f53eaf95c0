// RouteRows.h -- the computer route table of a layout: target speed, boost marks and lines per section.
#pragma once

#include <vector>

#include "format/RouteTableKeys.h"
#include "tools/track/Layout.h"

namespace track {

// Route speeds in km/h: on a straight the driver runs flat out (above every machine's top speed);
// a bend of radius r (world units, 10 to the metre) allows about kCornerSpeedPerRadius * r.
constexpr float kStraightRouteSpeed = 600.0f;
constexpr float kCornerSpeedPerRadius = 0.36f;
constexpr float kBoostRouteSpeed = 550.0f;  // sections whose whole look-ahead allows this boost

// One row per section of the layout, both driving types: the speed to hold, derived from the
// tightest bend within braking distance ahead; boost on long straights; the normal line toward
// the inside of bends (posShift toward end A in left bends), the overtaking line on the other
// side; the look-ahead as the sections within about 400 units; the bank of the road in degrees.
std::vector<zfmt::RouteEntry> BuildRouteRows(const Layout& layout);

}  // namespace track
