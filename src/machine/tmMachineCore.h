// tmMachineCore.h -- the shared record of one racing machine and its race progress.
#pragma once
#include <cstdint>

#include "machine/tmMachineControl.h"
#include "machine/tmMachineParams.h"
#include "sys/base/tmMath.h"

struct MachineSpec;
struct tmEntrant;
class tmCourse;
class tmLapTimer;

// What every other part of the race knows of a machine. The race state lists
// the cores of the running race; the cameras, the HUD, the computer driver,
// the network session, the replay recorder and the other machines read a
// machine only through it. The core owns the machine's handling values and
// its lap timer; it places the machine on its grid slot, follows it through
// the race (waiting, racing, finished), counts checkpoints and laps, and keeps
// the boost stock. The movement part writes the physical state each step.
// Another machine reaches this one only through the pending push.
class tmMachineCore {
public:
    static constexpr int kGridSlots = 16;

    tmMachineCore();
    ~tmMachineCore();
    tmMachineCore(const tmMachineCore&) = delete;
    tmMachineCore& operator=(const tmMachineCore&) = delete;

    // Sets the machine up for a race on `course` (null: no course, as the
    // viewer's garage without data; start section, start position and lap
    // logic are then skipped) as entrant `gridIndex`. An entrant whose machine
    // id is outside 1..11 or a grid index outside 0..15 is logged and held to
    // the nearest valid value.
    void Init(const tmCourse* course, const tmEntrant& entrant, int gridIndex, bool player);
    // Reads the handling values of a model code (Init calls it first).
    void LoadParams(const char* modelCode);
    // One step after the movement: race state, laps, lap timer, refills.
    void Update(const tmCourse* course);
    // The share of the step left after the goal gate was crossed (0 .. 0.99999),
    // or -1 when the machine is not on the goal section.
    float GetGoalFraction(const tmCourse* course) const;

    void SetRotation(float pitch, float yaw, float roll);  // yaw kept in -pi..pi
    void SetWorldMatrix(const D3DXMATRIX& m) { worldMatrix = m; }
    void SetPendingPush(const D3DXVECTOR3& direction);
    void ClearPendingPush();

    // Readers for the cameras and the HUD.
    float GetYaw() const { return rotation.y; }
    float GetDriftAngle() const;                           // yaw - heading, in -pi..pi
    float GetLateralSpeed() const;                         // km/h across the body: speed x sin(drift angle)
    float GetTilt1() const { return lateralLoad - 0.5f; }  // body lean the chase camera follows
    float GetTilt2() const { return rotation.z; }          // roll the in-car camera follows
    int GetCompletedLaps() const;
    int GetLapTotal() const;
    tmLapTimer* GetLapTimer() const { return lapTimer; }

    // ---- the record (fields in their documented order) ----
    const MachineSpec* spec = nullptr;
    tmMachineParams params;
    uint32_t manualGears = 0;     // entrant's choice: 0 automatic
    uint32_t controllerType = 1;  // 1 local pad, 2 replayed, 3 computer, 4 network peer
    uint32_t bodyMode = 0;        // 0 normal, 1 aero, 2 boost, 3 second boost
    uint32_t previousBodyMode = 0;
    int32_t framesInBodyMode = 12;
    int32_t gear = 0;
    uint32_t gridIndex = 0;
    uint32_t networkSlot = 0;
    uint8_t player = 0;
    D3DXVECTOR3 position;
    D3DXVECTOR3 rotation;  // pitch, yaw, roll
    D3DXMATRIX worldMatrix;
    D3DXVECTOR3 corners[4];  // on the floor; 0, 1 front, 2, 3 rear
    float kmh = 0.0f;
    float acceleration = 0.0f;  // km/h gained this step
    D3DXVECTOR3 step;
    D3DXVECTOR3 rotationStep;
    D3DXVECTOR3 push;
    float steeringAngle = 0.0f;  // front-wheel angle, radians; positive turns toward +x of the world at yaw 0
    float heading = 0.0f;        // direction of travel
    float rpm = 0.0f;
    float longitudinalLoad = 0.5f;
    float lateralLoad = 0.5f;
    uint32_t floorState = 1;  // 1, 3, 4 or 6
    int32_t boostStock = 0;
    int32_t boostFramesLeft = 0;
    int32_t secondBoostFramesLeft = 0;
    uint8_t boostReady = 0;
    uint8_t displayAtOrigin = 0;
    uint32_t raceState = 0;  // 0 waiting, 1 racing, 2 finished
    int32_t refills = 0;
    int32_t refillLap = 0;
    uint8_t refillArmed = 1;
    uint8_t finishFlag = 0;
    uint8_t lapFlag = 0;
    uint32_t driverLane = 0;
    uint8_t pushPending = 0;
    D3DXVECTOR3 pendingPush;
    uint8_t hidden = 0;
    uint8_t viewerMode = 0;
    tmMachineControl control;
    uint8_t contact = 0;
    D3DXVECTOR3 contactPoint;
    int32_t section = 0;
    float sectionDistance = 0.0f;
    int32_t lastCheckpoint = 0;
    uint8_t goalCrossed = 0;
    int32_t standing = 0;
    tmLapTimer* lapTimer = nullptr;  // owned

private:
    void SetStartSection(const tmCourse* course, int gridSlot);
    void SetStartPosition(const tmCourse* course, int gridSlot);
    void UpdateLap(const tmCourse* course);
    void TakeRefill();
};
