// tmEndingFrontend.h -- the ending's staff roll: sixteen lines drawn in 3D that scroll up past a fixed camera.
#pragma once
#include <cstdint>

class tmCameraCtrl;

// One staff roll line: a sprite placed in the world as the race display places its world
// sprites (position, size, a turn about Y and X), moved up by the roll.
struct tmStaffLine {
    uint32_t spriteId;
    float x, y, z;
    float size;
    float angleY, angleX;
    float unused;
};
static_assert(sizeof(tmStaffLine) == 32, "staff lines are eight words");

// Owns the roll offset and the camera the lines are seen through (the fixed
// front camera, mode 3), and the ending sheet's reference for the lines.
class tmEndingFrontend {
public:
    static constexpr int kLines = 16;
    static const tmStaffLine kStaffLines[kLines];

    tmEndingFrontend();
    ~tmEndingFrontend();
    tmEndingFrontend(const tmEndingFrontend&) = delete;
    tmEndingFrontend& operator=(const tmEndingFrontend&) = delete;

    void SetRollOffset(float offset) { rollOffset_ = offset; }
    float GetRollOffset() const { return rollOffset_; }
    // Steps the camera.
    void Update();
    // The camera's view and the sixteen lines moved up by the roll offset.
    void Draw() const;
    const tmCameraCtrl* GetCamera() const { return camera_; }

private:
    float rollOffset_ = -10.0f;
    tmCameraCtrl* camera_ = nullptr;
};
