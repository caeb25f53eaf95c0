// tmCameraFixedPath.h -- a per-course loop of camera moves, each blending one stored state into another.
#pragma once
#include <cstdint>

#include "table/ReplayCameraTable.h"

// Plays the course's list of fixed-path shots over and over (the network
// waiting room's background, camera mode 22): each shot blends camera state
// A into B over its frame count, then the next starts. Borrows the course's
// shot list from the replay camera tables; owns only its current state.
class tmCameraFixedPath {
public:
    tmCameraFixedPath() = default;

    // The course's shots (none for an id without a list), shot 0, frame 0;
    // state: eye and look-at 0, up (0, 1, 0), fov 0.
    void Init(int courseId);
    // The same with a list of the caller's (kept, not owned).
    void Init(const ReplayShot* shots, int32_t count);
    // The advance step alone: entering mode 22 again continues where the path stood.
    void Reset();
    // Advance, blend the current shot at the current frame, count the frame.
    void Update();

    const CameraState& GetState() const { return state_; }
    uint32_t GetShotIndex() const { return shot_; }
    int32_t GetFrame() const { return frame_; }

    // Blend of states A and B at frame f of a shot of `frames` frames:
    // t = f / frames (at most 1, 0 when frames <= 0); eye, look-at and fov
    // linear in t; up always (0, 1, 0).
    static CameraState Blend(const CameraState& a, const CameraState& b, int32_t frames, int32_t f);

private:
    void Advance();

    int32_t courseId_ = 0;
    const ReplayShot* shots_ = nullptr;
    uint32_t count_ = 0;
    uint32_t shot_ = 0;
    int32_t frame_ = 0;
    CameraState state_{};
};
