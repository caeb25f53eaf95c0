// CourseSight.cpp -- cameras round a circuit against its triangles: standing, touching, seeing through and seeing
// the road; and the camera rows placed by them.
#include "course/CourseSight.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>

#include "course/CourseBuild.h"
#include "tools/track/Layout.h"

namespace contentgen {

namespace {

constexpr float kNearPlane = 5.0f;     // the cameras' near plane: an eye keeps this far from any surface
constexpr float kTargetSlack = 10.0f;  // the last stretch of a line of sight, where it comes down on the road
constexpr float kAspect = 16.0f / 9.0f;
// A view's picture is sampled by a grid of rays; a solid (not the road or the ground) met by more
// than a fifth of them nearer than kNearShare of the way to the target fills it.
constexpr int kRaysAcross = 8, kRaysDown = 5;
constexpr float kNearShare = 0.8f;
constexpr int kMostNearRays = kRaysAcross * kRaysDown / 5;

V3 P(const yiVec3& v) { return {v.x, v.y, v.z}; }

}  // namespace

CourseSight::CourseSight(int courseId) : build_(std::make_unique<CourseBuild>(courseId, std::string())) {
    error_ = build_->Error();
    if (!error_.empty()) return;
    std::vector<const CourseMesh*> parts;
    for (const CourseMesh& m : build_->StandingParts()) parts.push_back(&m);
    using Kind = CourseSolids::Kind;
    solids_ = std::make_unique<CourseSolids>(parts, std::vector<Kind>{Kind::Road, Kind::Solid, Kind::Ground});
}

CourseSight::CourseSight(const std::vector<const CourseMesh*>& parts, const std::vector<CourseSolids::Kind>& kinds)
    : solids_(std::make_unique<CourseSolids>(parts, kinds)) {}

CourseSight::~CourseSight() = default;

const char* CourseSight::EyeFault(const yiVec3& eyeAt) const {
    if (!solids_) return nullptr;
    const V3 eye = P(eyeAt);
    if (solids_->Inside(eye)) return "its eye stands inside a solid";
    if (solids_->Near(eye, kNearPlane)) return "its eye stands nearer a surface than the near plane";
    return nullptr;
}

const char* CourseSight::Fault(const yiVec3& eyeAt, const yiVec3& targetAt) const {
    if (!solids_) return nullptr;
    if (const char* why = EyeFault(eyeAt)) return why;
    const V3 eye = P(eyeAt), target = P(targetAt);
    const float length = Length(target - eye);
    if (length > kTargetSlack && solids_->Crosses(eye, eye + (target - eye) * (1.0f - kTargetSlack / length)))
        return "something stands between its eye and the road it looks at";
    return nullptr;
}

const char* CourseSight::ViewFault(const yiVec3& eyeAt, const yiVec3& targetAt, float fov) const {
    if (!solids_) return nullptr;
    const V3 eye = P(eyeAt), target = P(targetAt);
    const float distance = Length(target - eye);
    if (distance < 1.0f) return nullptr;
    const V3 ahead = (target - eye) * (1.0f / distance);
    const V3 right = Normalise(Cross(ahead, V3{0, 1, 0})), up = Cross(right, ahead);
    const float tanY = std::tan(0.5f * fov), tanX = tanY * kAspect;
    const float nearView = kNearShare * distance;
    int nearRays = 0, roadRays = 0;
    for (int j = 0; j < kRaysDown; ++j)
        for (int i = 0; i < kRaysAcross; ++i) {
            const float sx = (2.0f * (i + 0.5f) / kRaysAcross - 1.0f) * tanX;
            const float sy = (2.0f * (j + 0.5f) / kRaysDown - 1.0f) * tanY;
            const V3 dir = Normalise(ahead + right * sx + up * sy);
            const CourseSolids::Hit hit = solids_->First(eye, dir, 3.0f * distance);
            if (hit.distance < 0) continue;
            if (hit.kind == CourseSolids::Kind::Road)
                ++roadRays;
            else if (hit.kind == CourseSolids::Kind::Solid && hit.distance < nearView)
                ++nearRays;
        }
    if (nearRays > kMostNearRays) return "a roof or wall near its eye fills much of its picture";
    if (roadRays == 0) return "its picture shows none of the road";
    return nullptr;
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

std::unique_ptr<CourseSight> CourseSight::OfNearParts(const std::vector<CourseMesh>& nearParts) {
    std::vector<const CourseMesh*> parts;
    std::vector<CourseSolids::Kind> kinds;
    for (const CourseMesh& m : nearParts) {
        parts.push_back(&m);
        kinds.push_back(kinds.empty() ? CourseSolids::Kind::Road : CourseSolids::Kind::Solid);
    }
    if (kinds.size() > 1) kinds.back() = CourseSolids::Kind::Ground;
    return std::make_unique<CourseSight>(parts, kinds);
}

std::vector<std::string> CameraFaults(int courseId, const std::vector<CourseMesh>& nearParts) {
    const std::unique_ptr<CourseSight> solids = CourseSight::OfNearParts(nearParts);
    const CourseSight& sight = *solids;
    std::vector<std::string> faults;
    const auto& all = AllCircuitRows();
    if (courseId < 0 || courseId >= static_cast<int>(all.size())) return {"no camera rows for this course id"};
    for (const tablerows::CameraSights& camera : all[static_cast<std::size_t>(courseId)].cameras) {
        yiVec3 at{};
        if (const char* why = tablerows::CameraFault(camera, sight, &at)) {
            char where[96];
            std::snprintf(where, sizeof where, " (eye at %.0f, %.0f, %.0f)", at.x, at.y, at.z);
            faults.push_back("course " + std::to_string(courseId) + " " + camera.name + ": " + why + where);
        }
    }
    return faults;
}

}  // namespace contentgen
