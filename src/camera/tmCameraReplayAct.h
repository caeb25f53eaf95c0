// tmCameraReplayAct.h -- the procedural moves of the replay camera around one machine, with their springs.
#pragma once
#include <cstdint>

#include "sys/base/tmMath.h"
#include "table/ReplayCameraTable.h"

class tmCameraRandom;
class tmMachineCore;

// A point that wanders round its goal with a soft spring: the hand-held feel
// of the replay camera's moves. The goal is redrawn every step after the
// first 20, and pushed sideways by the followed machine's lateral speed.
class tmCameraSpring {
public:
    static constexpr float kMaxSpeed = 0.2f;

    void SetMachine(const tmMachineCore* machine) { machine_ = machine; }
    void SetRandom(tmCameraRandom* random) { random_ = random; }
    // Radius of the wander, lateral factor, stiffness; the point at rest at
    // the origin and a first goal drawn.
    void Init(float radius, float lateralFactor, float stiffness);
    // One step; nothing without a machine.
    void Update();

    D3DXVECTOR3 position{0, 0, 0};
    D3DXVECTOR3 goal{0, 0, 0};
    D3DXVECTOR3 velocity{0, 0, 0};
    float lateral = 0.0f;
    float radius = 0.0f;
    float lateralFactor = 0.0f;
    float stiffness = 0.0f;
    int32_t steps = 0;

private:
    D3DXVECTOR3 DrawGoal(bool normalizeAlways);
    const tmMachineCore* machine_ = nullptr;
    tmCameraRandom* random_ = nullptr;
};

// One of six moves around the followed machine, built in the machine's own
// frame: 1 orbit, 2 wander, 3 rising sweep, 5 fly-by, 6 rise, 7 drift away.
// Owns its output camera state and two springs (eye and look-at); borrows the
// machine and the cameras' random sequence.
class tmCameraReplayAct {
public:
    void SetMachine(const tmMachineCore* machine);
    void SetRandom(tmCameraRandom* random);
    // Clears the working values, sets up the kind and runs its step once.
    void Begin(int kind);
    // The kind's step, both springs, then the frame counters.
    void Update();

    const CameraState& GetState() const { return state_; }
    int GetKind() const { return kind_; }
    int32_t GetFramesInAct() const { return framesInAct_; }

private:
    void Step();
    D3DXVECTOR3 InMachine(const D3DXVECTOR3& p) const;
    void SetUp(float angle);
    float Range(float lo, float hi);

    CameraState state_{};
    tmCameraSpring eyeSpring_;
    tmCameraSpring lookSpring_;
    float roll_ = 0.0f;
    D3DXVECTOR3 current_{0, 0, 0};
    D3DXVECTOR3 goal_{0, 0, 0};
    D3DXVECTOR3 goalVelocity_{0, 0, 0};
    float angle_ = 0.0f;
    float angularSpeed_ = 0.0f;
    int kind_ = 0;
    int32_t framesInAct_ = 0;
    int32_t totalFrames_ = 0;
    const tmMachineCore* machine_ = nullptr;
    tmCameraRandom* random_ = nullptr;
};
