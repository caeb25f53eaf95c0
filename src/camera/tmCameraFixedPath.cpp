// tmCameraFixedPath.cpp -- stepping through and blending the fixed-path shots of a course.
#include "camera/tmCameraFixedPath.h"

namespace {
yiVec3 Lerp(const yiVec3& a, const yiVec3& b, float t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
}
}  // namespace

CameraState tmCameraFixedPath::Blend(const CameraState& a, const CameraState& b, int32_t frames, int32_t f) {
    float t = 0.0f;
    if (frames > 0) {
        t = static_cast<float>(f) / static_cast<float>(frames);
        if (t > 1.0f) t = 1.0f;
        if (t < 0.0f) t = 0.0f;
    }
    CameraState s;
    s.eye = Lerp(a.eye, b.eye, t);
    s.target = Lerp(a.target, b.target, t);
    s.up = {0.0f, 1.0f, 0.0f};
    s.fov = a.fov + (b.fov - a.fov) * t;
    return s;
}

void tmCameraFixedPath::Init(int courseId) {
    const bool known = courseId >= 0 && courseId < 14;
    Init(known ? ReplayShotTable[courseId] : nullptr, known ? ReplayShotCounts[courseId] : 0);
    courseId_ = courseId;
}

void tmCameraFixedPath::Init(const ReplayShot* shots, int32_t count) {
    courseId_ = 0;
    shots_ = shots && count > 0 ? shots : nullptr;
    count_ = shots_ ? static_cast<uint32_t>(count) : 0u;
    shot_ = 0;
    frame_ = 0;
    state_ = CameraState{};
    state_.up = {0.0f, 1.0f, 0.0f};
}

void tmCameraFixedPath::Advance() {
    if (!shots_) return;
    // A shot of zero frames is passed over before it is ever shown; a list of
    // such shots alone leaves the state where it stands.
    for (uint32_t tries = 0; tries < count_ && frame_ >= static_cast<int32_t>(shots_[shot_].frames); ++tries) {
        shot_ = (shot_ + 1) % count_;
        frame_ = 0;
    }
}

void tmCameraFixedPath::Reset() { Advance(); }

void tmCameraFixedPath::Update() {
    Advance();
    if (shots_ && static_cast<int32_t>(shots_[shot_].frames) > frame_) {
        const ReplayShot& s = shots_[shot_];
        state_ = Blend(s.start, s.end, static_cast<int32_t>(s.frames), frame_);
    }
    ++frame_;
}
