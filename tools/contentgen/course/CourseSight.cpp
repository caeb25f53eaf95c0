// CourseSight.cpp -- lines of sight over a circuit's ground, barriers and start area, and the camera rows placed by
// them.
#include "course/CourseSight.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <thread>

#include "course/CoursePlace.h"
#include "course/CourseRoad.h"
#include "course/CourseScenery.h"
#include "tools/track/Layout.h"

namespace contentgen {

namespace {
constexpr float kStep = 10.0f;          // between the points of a line of sight that are tested
constexpr float kEyeClearance = 30.0f;  // an eye stands at least this high over the ground
constexpr float kRoadTolerance = 3.0f;  // the road surface between centre-line samples, banking
}  // namespace

CourseSight::CourseSight(int courseId) {
    const CourseLayouts layouts = LayoutsOf(courseId);
    error_ = layouts.error;
    if (!error_.empty()) return;
    const track::Layout& layout = *layouts.layout;
    const track::Layout& forward = *layouts.forward;
    // The start area is placed as the course's scene places it, before any camera.
    site_ = std::make_unique<CourseSite>(layout, forward, GetPlaceStyle(courseId));
    CourseMesh startArea;
    BuildStartArea(*site_, forward, startArea);
}

CourseSight::~CourseSight() = default;

bool CourseSight::Solid(float x, float y, float z) const {
    const CourseSite& site = *site_;
    if (y < site.Top(x, z)) return true;
    if (site.Style().water && y < kWaterLevel) return true;
    const CourseSite::Near nr = site.NearestRoad(x, z, 600.0f);
    if (nr.sample >= 0) {
        const track::Sample& s = site.Line().Samples()[static_cast<std::size_t>(nr.sample)];
        const yiVec3 left = s.Left();
        const float lateral = (x - s.centre.x) * left.x + (z - s.centre.z) * left.z;
        const float wall = s.WallOffset(lateral >= 0.0f ? 0 : 1);
        const float road = s.At(std::clamp(lateral, -wall, wall)).y;
        // Over the road nothing but its surface (an elevated stretch's deck below it); on the
        // barrier, the barrier up to its top.
        if (nr.distance < wall - 2.0f) return y < road - kRoadTolerance;
        if (nr.distance < wall + kWallThickness + 2.0f) return y < road + site.Style().wallHeight + kRoadTolerance;
    }
    return y < site.Ground(x, z) + kRoadTolerance;
}

bool CourseSight::Sees(const yiVec3& eye, const yiVec3& target) const {
    if (!site_) return true;
    if (Solid(eye.x, eye.y, eye.z) || eye.y < site_->Ground(eye.x, eye.z) + kEyeClearance) return false;
    const float dx = target.x - eye.x, dy = target.y - eye.y, dz = target.z - eye.z;
    const float length = std::sqrt(dx * dx + dy * dy + dz * dz);
    // The last few units come down onto the road surface the target lies on.
    for (float d = kStep; d < length - 20.0f; d += kStep) {
        const float t = d / length;
        if (Solid(eye.x + dx * t, eye.y + dy * t, eye.z + dz * t)) return false;
    }
    return true;
}

const std::vector<tablerows::CircuitRows>& AllCircuitRows() {
    static const std::vector<tablerows::CircuitRows> kRows = [] {
        const auto& layouts = track::AllLayouts();
        std::vector<tablerows::CircuitRows> rows(track::kLastLayoutCourse + 1);
        std::vector<std::thread> threads;
        for (int id = track::kFirstLayoutCourse; id <= track::kLastLayoutCourse; ++id)
            threads.emplace_back([&rows, &layouts, id] {
                const track::Layout& layout = layouts[static_cast<std::size_t>(id)];
                const CourseSight sight(id);
                if (layout.error.empty() && sight.Error().empty())
                    rows[static_cast<std::size_t>(id)] = tablerows::BuildCircuitRows(id, layout.ForTableRows(), &sight);
            });
        for (std::thread& t : threads) t.join();
        return rows;
    }();
    return kRows;
}

}  // namespace contentgen
