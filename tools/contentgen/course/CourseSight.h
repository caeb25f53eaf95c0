// CourseSight.h -- where a camera round a circuit sees the road, and the camera rows placed by it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "course/CourseSite.h"
#include "tools/tablerows/CircuitRows.h"

namespace contentgen {

// What hides the road from a camera round one circuit layout before its scenery is placed: the
// ground and water, the road's own barriers and the deck of an elevated stretch, and the start
// area's stands, pit building and boards. Trees, houses and the rest are placed afterwards and keep
// out of the cameras' way (KeepShotsClear). Built for one course id by one thread; not shared.
class CourseSight : public tablerows::SightCheck {
public:
    explicit CourseSight(int courseId);
    ~CourseSight() override;

    // Empty when the layout could be had.
    const std::string& Error() const { return error_; }
    bool Sees(const yiVec3& eye, const yiVec3& target) const override;

private:
    // True when a point of a line of sight lies inside something solid.
    bool Solid(float x, float y, float z) const;

    std::string error_;
    std::unique_ptr<CourseSite> site_;
};

// The geometry-tied rows (grids, replay tracks and zones, fixed-path shots) of every course id
// 2..13 (indices 0 and 1 empty), the cameras placed where they see the road; built once and shared.
const std::vector<tablerows::CircuitRows>& AllCircuitRows();

}  // namespace contentgen
