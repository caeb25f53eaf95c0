// CourseSite.h -- the ground a circuit lies on: road look-ups, terrain and water heights, room for scenery.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "course/CourseMesh.h"
#include "course/CoursePlace.h"
#include "tools/track/Layout.h"

namespace contentgen {

// One circuit's site in world units: an index of its centre line for distance look-ups, the
// terrain the road is set into (hills, water, the ground following the road), and the room
// taken by scenery placed so far. Built for one
// course group by one thread; not shared.
// A circuit's layout and its forward layout (the same road; itself for a forward course), from its course id;
// `error` says why there are none (an id without a layout, or a layout that failed).
struct CourseLayouts {
    const track::Layout* layout = nullptr;
    const track::Layout* forward = nullptr;
    std::string error;
};
CourseLayouts LayoutsOf(int courseId);

class CourseSite {
public:
    // `forward` is the circuit's forward layout (the same road): water is shaped from it so both
    // directions of a circuit share their place.
    CourseSite(const track::Layout& layout, const track::Layout& forward, const PlaceStyle& style);

    const track::Layout& Layout() const { return layout_; }
    const track::CentreLine& Line() const { return layout_.line; }
    const PlaceStyle& Style() const { return style_; }

    // Bounds of the centre line in x and z, its middle and the radius of a circle around it.
    float MinX() const { return minX_; }
    float MaxX() const { return maxX_; }
    float MinZ() const { return minZ_; }
    float MaxZ() const { return maxZ_; }
    V3 Middle() const { return {(minX_ + maxX_) / 2, 0, (minZ_ + maxZ_) / 2}; }
    float Radius() const;

    // The centre-line sample nearest to (x, z) and the distance to the centre line there; a
    // distance of `within` or more is reported as `within` with sample -1.
    struct Near {
        float distance;
        int sample;
    };
    Near NearestRoad(float x, float z, float within = 6000.0f) const;

    // Height of the road above the ground beneath it at sample i of this layout's line, and whether
    // it stands on pillars; the same for a sample of any line over this road.
    float Clearance(int sample) const;
    bool Elevated(int sample) const;
    float Clearance(const track::Sample& s) const;
    bool Elevated(const track::Sample& s) const;

    // The ground without the road: hills and water beds.
    float BaseHeight(float x, float z) const;
    // The direction the sea lies in from the middle (places with a sea).
    V3 SeaDirection() const { return seaDirection_; }
    // 0 on land, 1 in open water.
    float Wetness(float x, float z) const;
    // The ground: the base, following the road near it (never above it).
    float Ground(float x, float z) const;

    // True when a round thing of `radius` at (x, z) keeps clear of the road, of everything occupied
    // so far and (unless `wet` allows it) of water.
    bool Free(float x, float z, float radius, bool wet = false) const;
    void Occupy(float x, float z, float radius);
    // True when a round thing of `radius` at (x, z) overlaps something occupied (the road aside).
    bool Taken(float x, float z, float radius) const;

private:
    long long Cell(float x, float z) const;
    float LakeMask(float x, float z) const;

    const track::Layout& layout_;
    const PlaceStyle& style_;
    float minX_ = 0, maxX_ = 0, minZ_ = 0, maxZ_ = 0;
    std::unordered_map<long long, std::vector<int>> roadCells_;
    std::vector<float> clearance_;
    // Water shapes: the sea's side, the harbour channel, the lakes.
    V3 seaDirection_{0, 0, 1};
    float seaStart_ = 1e30f;
    V3 channelPoint_, channelAcross_;
    float channelHalfWidth_ = 0;
    std::vector<V3> lakes_;  // x, z = centre, y = radius
    struct Thing {
        float x, z, r;
    };
    std::unordered_map<long long, std::vector<Thing>> things_;
};

}  // namespace contentgen
