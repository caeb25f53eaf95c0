// tmCameraCtrl.h -- the one camera of the race, the HUD, the waiting room, the ending and the viewers: 22 modes.
#pragma once
#include <cstdint>

#include "camera/tmCamera.h"
#include "camera/tmCameraRandom.h"
#include "table/ReplayCameraTable.h"

class tmCameraFixedPath;
class tmCameraReplay;
class tmMachineCore;

// A camera that runs one of 22 numbered modes: fixed set-ups for the HUD and
// the menus (1 to 4, 15), free look and ground drive steered by mouse and pad
// (5, 6), chase and in-car views that follow one machine (7 to 14), the
// orbit and close-ups of the machine viewer (16 to 20), the replay camera
// (21) and the fixed-path camera (22). The screens choose the mode. Owns the
// replay and fixed-path cameras and the cameras' random sequence; borrows the
// followed machine. Modes that follow a machine do nothing while it has none.
class tmCameraCtrl : public sys::tmCamera {
public:
    static constexpr int kModeCount = 22;
    static constexpr float kWideAspect = 1.5555556f;  // view aspect above which the HUD lens is pi/2
    static constexpr float kNarrowHudFov = 1.7907078f;

    tmCameraCtrl();
    ~tmCameraCtrl() override;

    // Base defaults, mode 1 with its set-up, every state word cleared, no
    // target; the sub-cameras made once for the race state's course.
    void Init();
    // Nothing when the mode is the current one; else stores it and runs its
    // set-up (modes outside 1 to 22 are stored without one).
    void SetMode(int mode);
    void SetTarget(const tmMachineCore* machine);
    // One logic step of the mode.
    void Update();
    // Once per drawn frame: the free look of mode 5, then the matrices to the renderer.
    void UpdateView();

    int GetMode() const { return mode_; }
    const tmMachineCore* GetTarget() const { return target_; }
    tmCameraReplay* GetReplay() const { return replay_; }
    tmCameraFixedPath* GetFixedPath() const { return fixedPath_; }
    float GetChaseYaw() const { return chaseYaw_; }
    float GetPull() const { return pull_; }
    float GetBounceOffset() const { return bounceOffset_; }
    float GetOrbitZoom() const { return orbitZoom_; }
    float GetOrbitAngle() const { return orbitAngle_; }
    tmCameraRandom& GetRandom() { return random_; }

    // The angle between two vectors (acos of the clamped cosine; pi when either is zero).
    static float AngleBetween(const D3DXVECTOR3& a, const D3DXVECTOR3& b);
    // An angle brought into -pi..pi.
    static float Wrap(float angle);

private:
    void RunSetUp();
    void Take(const CameraState& state);
    // eye = point - distance * direction (a yaw) lifted by distance * lift; look-at 5 above the point.
    void Chase(const D3DXVECTOR3& point, float direction, float distance, float lift);
    void RaceChase(float distance);
    void HighChase();
    void InCar(bool withRoll);
    void Bounce(float speed);
    void GroundDrive();
    void Orbit();
    void FreeLook();

    int mode_ = 0;
    float pitch_ = 0.0f, yaw_ = 0.0f;  // free look
    float chaseYaw_ = 0.0f;
    float lean_ = 0.0f, roll_ = 0.0f, pull_ = 0.0f;
    float bounceVelocity_ = 0.0f, bounceOffset_ = 0.0f;
    float orbitZoom_ = 0.0f, orbitAngle_ = 0.0f;
    const tmMachineCore* target_ = nullptr;
    tmCameraReplay* replay_ = nullptr;        // owned
    tmCameraFixedPath* fixedPath_ = nullptr;  // owned
    tmCameraRandom random_;
};
