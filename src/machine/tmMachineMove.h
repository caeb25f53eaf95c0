// tmMachineMove.h -- a machine's movement: control, drivetrain, tires, position, contact and attitude.
#pragma once
#include <cstdint>

#include "machine/tmMachineControl.h"
#include "sys/base/tmMath.h"

class tmCourse;
class tmCollision;
class tmMachineCore;
class tmMachineDriver;

// The physics of one machine, run once per logic step. It reads the step's
// control record from the machine's source (pad, replay, computer driver or
// network peer), runs the gearbox, drivetrain, body mode and boost, steering,
// load transfer and tire grip, integrates the heading, moves the machine
// against the other machines and the course walls, settles it on the floor
// and writes the result into the core. It owns the computer driver. It never
// reads the clock or the window; its only randomness (bumps on rough ground)
// comes from the shared generator. The methods are split over files by topic:
// tmMachineMove.cpp (control and the step), tmMachineDrivetrain.cpp,
// tmMachineTires.cpp and tmMachineContact.cpp.
class tmMachineMove {
public:
    tmMachineMove();
    ~tmMachineMove();
    tmMachineMove(const tmMachineMove&) = delete;
    tmMachineMove& operator=(const tmMachineMove&) = delete;

    // Binds the movement to its core and course (null: no position, contact or attitude steps).
    void Init(tmMachineCore* core, const tmCourse* course);
    // Stops the two boost sounds and deletes the driver.
    void Release();
    // One logic step (the fixed order of the machine's update, step 2).
    void Update(const tmCourse* course);

    tmMachineDriver* GetDriver() const { return driver_; }

    // ---- control ----
    void ReadControl();
    tmMachineControl ReadPad() const;
    tmMachineControl ReadNetwork() const;

    // ---- gears, drivetrain, body mode, boost ----
    void UpdateGears(bool shiftUp, bool shiftDown);
    float EngineTorque(float accelerator, float rpm) const;
    float AirResistance() const;
    float RollingResistance() const;
    void UpdateDrivetrain(float accelerator, float brake, float gate, float steeringAngle);
    void UpdateBodyMode(bool button);
    bool IsBoostReady() const;
    void UpdateBoost(bool button, bool cancel);
    void UpdateBoostViewer(bool button, bool bodyButton);
    // Plays entry `entry` of the machine's sound table for the player's
    // machine while it is shown; the voice, or 0 when nothing plays.
    int PlaySe(int entry) const;

    // ---- steering, load transfer, tires, heading ----
    void ApplySteering(float input);
    void UpdateLoadTransfer(float accelerator, float brake);
    void UpdateGripLimits();
    void TireForcesA(float steeringAngle);
    void TireForcesB(float steeringAngle);
    void IntegrateHeadingA(float steeringAngle);
    void IntegrateHeadingB(float steeringAngle);
    float HeadingMix() const;

    // ---- position, contact, attitude ----
    void UpdatePosition(const tmCourse* course);
    void CollideMachines(const tmCollision& collision, D3DXVECTOR3* step);
    void CollideWalls(const tmCollision& collision, D3DXVECTOR3* step);
    void UpdateAttitude(const tmCourse* course);
    void UpdateBumps(const int surfaces[4]);
    static D3DXMATRIX BuildMatrix(const D3DXVECTOR3& position, float yaw);

    // ---- drivetrain state (read by tests, the HUD and the sound) ----
    float v = 0.0f;   // forward speed; km/h = v x 3.6
    float dv = 0.0f;  // change of v this step
    float T = 0.0f;   // engine torque
    float F = 0.0f;   // final ratio
    float R = 0.0f;   // rpm
    float W = 0.0f;   // wheel torque
    float N = 0.0f;   // free rev
    float E = 0.0f;   // engine turns this step
    float D = 0.0f;   // drive torque
    float Df = 0.0f, Dr = 0.0f;
    float Pf = 0.0f, Pr = 0.0f;
    float G = 1.0f;  // total ratio
    float A = 0.0f;  // air resistance
    float Q = 0.0f;  // rolling resistance
    float Rf = 0.0f, Rr = 0.0f;
    float Xf = 0.0f, Xr = 0.0f;
    int32_t c1 = 0;  // frames since the boost press
    int32_t c2 = 0;  // frames since the second-boost press
    int32_t cooldown = 0;
    float B = 0.0f;  // boost torque
    int32_t boostVoice[2] = {0, 0};

    // ---- steering and tire state ----
    float L = 0.5f;  // longitudinal load (rear share)
    float M = 0.5f;  // lateral load
    float Gf = 0.0f, Gr = 0.0f;
    float Lf = 0.0f, Lr = 0.0f;
    float steeringInput = 0.0f;
    float steeringAngle = 0.0f;
    float lateralForce = 0.0f;
    float Ff = 0.0f, Fr = 0.0f;
    float frontDrift = 0.0f, rearDrift = 0.0f;
    float rho = 0.0f;
    float heading = 0.0f;
    float h = 0.0f;      // heading turned by the path this step
    float tau = 0.0f;    // yaw torque
    float omega = 0.0f;  // yaw velocity
    float Yf = 0.0f, Yr = 0.0f;
    float kappa = 0.0f;
    float psi = 0.0f;  // yaw step

    // ---- position state ----
    D3DXVECTOR3 push;
    D3DXVECTOR3 rotationStep;
    D3DXVECTOR3 previousPosition;
    uint32_t floorState = 1;
    float bumpVelocity[4] = {};
    float bumpOffset[4] = {};

private:
    void StopBoostVoices();
    void ChangeBodyMode(uint32_t mode);
    void EndBoost(int soundEntry);
    // Front and rear lateral forces and the path turn; loadShared splits the
    // weight by the longitudinal load (driving type 1) instead of half and half.
    void TireForces(float steeringAngle, bool loadShared);
    // The record of the replay or the peer that drives this machine, used by the position step.
    bool RecordedPose(float* x, float* z, float* yaw) const;

    tmMachineCore* core_ = nullptr;
    tmMachineDriver* driver_ = nullptr;  // owned
};
