// CollisionSet.h -- the three collision files of a course layout: floor polygons in cells, walls and route gates.
#pragma once

#include <vector>

#include "format/CollisionFile.h"
#include "tools/track/Layout.h"

namespace track {

// Surfaces a floor polygon reports (the file stores surface - 1).
enum Surface : std::uint32_t {
    kSurfaceRoad = 1,
    kSurfaceKerb = 3,
    kSurfaceRough = 4,
    kSurfaceRefill = 6,
};

// Intervals of the centre line grouped into one floor cell.
constexpr int kIntervalsPerCell = 4;

struct CollisionSet {
    zfmt::FloorFile floor;
    std::vector<zfmt::WallRecord> walls;  // left walls then right walls, each in driving order
    zfmt::RouteFile route;
};

// Floor: between each pair of neighbouring samples, one polygon per band across the road (verge,
// kerb, road, kerb, verge; a quad where its corners are coplanar, else two triangles), wound for
// the inside test, grouped into cells of kIntervalsPerCell intervals. Walls along both outer
// edges with unit normals toward the road. Route: the layout's gates, goal section 0 and its
// checkpoints.
CollisionSet BuildCollisionSet(const Layout& layout);

}  // namespace track
