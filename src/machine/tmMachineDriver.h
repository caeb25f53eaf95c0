// tmMachineDriver.h -- the computer driver: a control record from the course's route table.
#pragma once
#include <cstdint>

#include "machine/tmMachineControl.h"
#include "sys/base/tmMath.h"

class tmCourse;
class tmRouteTable;
struct tmRouteEntry;
class tmMachineCore;

// Drives a machine along the course's computer route: it aims at a point a
// few route sections ahead on the normal or the overtaking line, brakes where
// the route table's speed is below the machine's, changes to the aero body on
// straights and boosts where the table marks it. Difficulty and grid position
// scale its accelerator. Owned by the machine's movement part, one per
// machine; it drives computer entrants and every machine that has finished,
// and answers the brake assist of the player's pad. It reads the other
// machines only through the race state's cores. With no course or an empty
// route it gives the zero record.
class tmMachineDriver {
public:
    static constexpr int kDifficulties = 4;
    static const float kAcceleratorFactor[kDifficulties];
    static const float kBrakeStrength[kDifficulties];
    static const float kGridHandicap[16];

    void Init(tmMachineCore* core, const tmCourse* course);
    // The record of this step (call once per step).
    tmMachineControl GetControl();
    // Once per movement step with a course, after the attitude.
    void UpdateCounters();
    // 1 when the route speed of the machine's section is below its km/h, else 0.
    float GetAssistBrake() const;
    bool HasCourse() const { return Route() != nullptr; }

    int GetTargetSection() const;
    int ChooseLane() const;
    D3DXVECTOR3 GetTargetPoint() const;

    // ---- state ----
    int32_t lookahead = 2;
    int32_t targetSection = 0;
    int32_t currentSection = 0;
    D3DXVECTOR3 targetPoint;
    float targetAngle = 0.0f;
    uint32_t lane = 0;  // 0 normal line, 1 overtaking line
    tmMachineControl control;
    int32_t straightFrames = 0;
    int32_t framesSinceBody = 0;

private:
    // The course's computer route when it has sections, else null.
    const tmRouteTable* Route() const;
    // The route row of a section (taken round the route) for this machine's driving type.
    const tmRouteEntry* Entry(int section) const;
    float RouteSpeed(int section) const;
    void Steer();
    void Pedals();
    void BodyButton();
    void BoostButton();

    const tmCourse* course_ = nullptr;
    tmMachineCore* core_ = nullptr;
};
