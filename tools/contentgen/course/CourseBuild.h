// CourseBuild.h -- one circuit layout's whole scene, built from its centre line: near parts, far part, cube-map parts,
// objects.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "course/CourseGround.h"
#include "course/CourseMesh.h"
#include "course/CoursePlace.h"
#include "course/CourseSite.h"

namespace contentgen {

// The scene of course id 2..13 in world units: the layout from the track generator, its place's
// look, and the meshes the course group's slots take. Build in this order: NearParts, then the
// others (the near parts place the start area and scenery the cube-map parts reuse).
class CourseBuild {
public:
    CourseBuild(int courseId, const std::string& skyTexture);

    // Why the layout could not be had; empty when it is sound.
    const std::string& Error() const { return error_; }
    const CourseSite& Site() const { return *site_; }
    const PlaceStyle& Style() const { return *style_; }
    const Surroundings& Around() const { return around_; }

    // The parts that stand where the layout puts them, before any camera is placed: the road
    // surface, the barriers with the gantry, the ground with its water, the start area and the
    // place's fixtures (bridge, railway), in that order. Built once; NearParts goes on from them.
    const std::vector<CourseMesh>& StandingParts();
    // `slots` near parts in drawing order: road surface, barriers with the gantry, the start area,
    // the place's scenery spread over the next ones, and last the ground with its water. Empty when
    // the scenery does not fit. The scenery keeps out of the way of the course's cameras and its
    // reverse's.
    std::vector<CourseMesh> NearParts(int slots);
    // The sky dome and the far ring.
    CourseMesh FarPart() const;
    // `slots` parts for the cube-map layers (sky and ring in sectors, the start area), lit as
    // facing `towardLight`.
    std::vector<CourseMesh> CubeFaceParts(int slots, V3 towardLight) const;
    // The start gantry alone.
    CourseMesh Gantry() const;
    // The moving object of the course group's position `position` (they differ by place).
    CourseMesh MovingObject(int position) const;

    // The layout's sky: the place's, with the sun where the layout's light comes from (a light from
    // straight above keeps the place's own low sun).
    static SkyStyle SkyOf(const PlaceStyle& place, const float light[3]);

private:
    int courseId_ = 0;
    std::string error_, sky_;
    const PlaceStyle* style_ = nullptr;
    const track::Layout* forward_ = nullptr;  // the circuit driven forward (scenery is placed from it)
    std::unique_ptr<CourseSite> site_;
    Surroundings around_{};
    CourseMesh startArea_;
    std::vector<CourseMesh> standing_;
};

}  // namespace contentgen
