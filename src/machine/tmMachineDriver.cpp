// tmMachineDriver.cpp -- the computer driver's steering, pedals, body and boost decisions.
#include "machine/tmMachineDriver.h"

#include <algorithm>
#include <cmath>

#include "course/tmCourse.h"
#include "course/tmRouteTable.h"
#include "machine/tmMachineCore.h"
#include "machine/tmMachineMath.h"
#include "race/tmRaceState.h"
#include "table/MachineTable.h"

const float tmMachineDriver::kAcceleratorFactor[kDifficulties] = {0.6f, 1.0f, 1.4f, 1.75f};
const float tmMachineDriver::kBrakeStrength[kDifficulties] = {1.0f, 1.0f, 1.1f, 1.2f};
const float tmMachineDriver::kGridHandicap[16] = {1.0f,  0.9f, 0.8f,  0.7f,  0.65f, 0.6f,  0.55f, 0.5f,
                                                  0.45f, 0.4f, 0.35f, 0.32f, 0.29f, 0.26f, 0.23f, 0.2f};

namespace {

int Difficulty() { return std::clamp(static_cast<int>(tmRaceState::Get().setup.difficulty), 0, 3); }

}  // namespace

void tmMachineDriver::Init(tmMachineCore* core, const tmCourse* course) {
    core_ = core;
    course_ = course;
    lookahead = 2;
    targetSection = currentSection = 0;
    targetPoint = D3DXVECTOR3();
    targetAngle = 0.0f;
    lane = 0;
    control = tmMachineControl();
    framesSinceBody = 0;
}

const tmRouteTable* tmMachineDriver::Route() const {
    const tmRouteTable* route = course_ ? course_->GetRouteTable() : nullptr;
    return route && route->GetSectionCount() > 0 ? route : nullptr;
}

const tmRouteEntry* tmMachineDriver::Entry(int section) const {
    const tmRouteTable* route = Route();
    return route ? route->GetEntry(core_->params.drivingType, route->WrapSection(section)) : nullptr;
}

float tmMachineDriver::RouteSpeed(int section) const {
    const tmRouteEntry* entry = Entry(section);
    return entry ? entry->speed : 0.0f;
}

// ============================================================================
// The record of a step
// ============================================================================

tmMachineControl tmMachineDriver::GetControl() {
    control = tmMachineControl();
    if (!Route()) return control;
    const int t = GetTargetSection();
    if (t != targetSection) {
        lane = static_cast<uint32_t>(ChooseLane());
        core_->driverLane = lane;
    }
    targetSection = t;
    currentSection = core_->section;
    targetPoint = GetTargetPoint();
    Steer();
    Pedals();
    BodyButton();
    BoostButton();
    return control;
}

int tmMachineDriver::GetTargetSection() const {
    const tmRouteTable* route = Route();
    if (!route) return 0;
    const int here = route->WrapSection(core_->section);
    int ahead = 2;
    if (core_->kmh > 80.0f) {
        const tmRouteEntry* entry = Entry(here);
        ahead = entry ? entry->nextRoute : 2;
    }
    return route->WrapSection(here + ahead);
}

D3DXVECTOR3 tmMachineDriver::GetTargetPoint() const {
    const tmRouteTable* route = Route();
    if (!route) return D3DXVECTOR3();
    const tmRoutePoint* point = route->GetPoint(core_->params.drivingType, route->WrapSection(targetSection));
    if (!point) return D3DXVECTOR3();
    return lane == 1 ? point->overtake : point->target;
}

void tmMachineDriver::Steer() {
    const D3DXVECTOR3 d = targetPoint - core_->position;
    targetAngle = machine::WrapAngle(std::atan2(d.x, d.z));
    const float error = machine::WrapAngle(targetAngle - core_->rotation.y);
    const float degrees = core_->bodyMode == 0 ? core_->params.handleRate : core_->params.handleRateAero;
    const float rate = degrees / 180.0f * machine::kPi;
    // A target toward +x at yaw 0 lies on the machine's left: the record's negative side.
    control.steering = machine::Clamp(-machine::Divide(error, rate), -1.0f, 1.0f);
}

void tmMachineDriver::Pedals() {
    const tmRaceState& race = tmRaceState::Get();
    const int count = std::clamp(static_cast<int>(race.setup.count), 1, kRaceEntrants);
    const int handicap = std::clamp(count - 1 - static_cast<int>(core_->gridIndex), 0, 15);
    const float kmh = core_->kmh;
    control.accelerator = kGridHandicap[handicap] * kAcceleratorFactor[Difficulty()];
    if (control.accelerator < 1.0f && kmh < 100.0f) control.accelerator = 1.0f;
    control.brake = 0.0f;
    if (core_->bodyMode == 0 && std::fabs(control.steering) >= 1.0f && kmh > 200.0f) {
        control.accelerator = 0.0f;
        control.brake = kBrakeStrength[Difficulty()];
        return;
    }
    if (RouteSpeed(currentSection) < kmh) {
        control.accelerator = 0.0f;
        control.brake = kBrakeStrength[Difficulty()];
    }
}

void tmMachineDriver::BodyButton() {
    const float kmh = core_->kmh;
    bool press = false;
    if (core_->bodyMode == 1)
        press = std::fabs(control.steering) > 0.99f || kmh < 150.0f;
    else if (core_->bodyMode == 0)
        press = kmh > 200.0f && straightFrames > 30 && framesSinceBody > 60;
    if (!press) return;
    control.bodyMode = 1;
    framesSinceBody = 0;
}

void tmMachineDriver::BoostButton() {
    if (core_->framesInBodyMode < 12 || framesSinceBody < 30) return;
    const tmRouteEntry* entry = Entry(currentSection);
    const bool marked = entry && entry->boost != 0;
    const int kind = core_->spec ? core_->spec->boostStages : 0;
    if (marked && core_->boostReady)
        control.boost = 1;
    else if (kind == 2 && core_->bodyMode != 3 && core_->boostFramesLeft == 3)
        control.boost = 1;  // the second stage, three steps before the first ends
}

// ============================================================================
// Lane, counters, brake assist
// ============================================================================

int tmMachineDriver::ChooseLane() const {
    if (core_->standing <= 0) return 0;
    const tmRaceState& race = tmRaceState::Get();
    const int position = std::min(core_->standing - 1, kRaceEntrants - 1);
    const uint32_t ahead = race.results[position].entrantIndex;
    const tmMachineCore* other = ahead < static_cast<uint32_t>(kRaceEntrants) ? race.cores[ahead] : nullptr;
    if (!other || other == core_) return 0;
    if (other->driverLane == 1) return 0;
    const D3DXVECTOR3 apart = other->position - core_->position;
    if (D3DXVec3Length(&apart) > 500.0f && other->section + 1 > core_->section) return 0;
    return core_->kmh - other->kmh > 10.0f ? 1 : 0;
}

void tmMachineDriver::UpdateCounters() {
    straightFrames = std::fabs(control.steering) >= 0.1f ? 0 : straightFrames + 1;
    ++framesSinceBody;
}

float tmMachineDriver::GetAssistBrake() const {
    if (!Route()) return 0.0f;
    return RouteSpeed(core_->section) < core_->kmh ? 1.0f : 0.0f;
}
