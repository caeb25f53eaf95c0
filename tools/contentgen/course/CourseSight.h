// CourseSight.h -- whether a camera round a circuit stands clear and sees the road, against the scene's own
// triangles, and the camera rows placed by it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "course/CourseSolids.h"
#include "tools/tablerows/CircuitRows.h"

namespace contentgen {

class CourseBuild;

// A circuit's cameras against the triangles of built parts. Made from one course id's standing
// parts (road, barriers and gantry, ground and water, start area, the place's fixtures), it places
// the cameras before the scenery, which then keeps out of their way; made from the finished near
// parts, it checks them once more. Used by one thread at a time.
class CourseSight : public tablerows::SightCheck {
public:
    explicit CourseSight(int courseId);
    // The given meshes, of the given kinds.
    CourseSight(const std::vector<const CourseMesh*>& parts, const std::vector<CourseSolids::Kind>& kinds);
    ~CourseSight() override;
    // A check against the finished near parts: the road surface first, the ground last, solids between.
    static std::unique_ptr<CourseSight> OfNearParts(const std::vector<CourseMesh>& nearParts);

    // Empty when the layout could be had.
    const std::string& Error() const { return error_; }
    const char* Fault(const yiVec3& eye, const yiVec3& target) const override;
    // Why an eye at `eye` is no good (inside a solid, or nearer a surface than the near plane); null when clear.
    const char* EyeFault(const yiVec3& eye) const;
    const char* ViewFault(const yiVec3& eye, const yiVec3& target, float fov) const override;

private:
    std::string error_;
    std::unique_ptr<CourseBuild> build_;
    std::unique_ptr<CourseSolids> solids_;
};

// The geometry-tied rows (grids, replay tracks and zones, fixed-path shots) of every course id
// 2..13 (indices 0 and 1 empty), the cameras placed where they stand clear; built once and shared.
const std::vector<tablerows::CircuitRows>& AllCircuitRows();

// Every fault the finished near parts of course `courseId` find with its cameras, one line each.
std::vector<std::string> CameraFaults(int courseId, const std::vector<CourseMesh>& nearParts);

}  // namespace contentgen
