// Autopilot.cpp -- the computer driver's record turned into stick, pedal and button input.
#include "harness/Autopilot.h"

#include <algorithm>
#include <cmath>

#include "app/tmConfig.h"
#include "harness/Harness.h"
#include "machine/tmMachineCore.h"
#include "race/tmRaceState.h"
#include "race/tmSeqRace.h"
#include "sys/input/tmInputActions.h"

namespace harness {

namespace {
// The pad's dead zones and full travel (steering 220..950, pedal axis 10..950).
int32_t StickAxis(float v) {
    v = std::clamp(v, -1.0f, 1.0f);
    if (v == 0.0f) return 0;
    const float magnitude = 220.0f + std::fabs(v) * 730.0f + 1.0f;
    return static_cast<int32_t>(v > 0 ? magnitude : -magnitude);
}
int32_t PedalAxis(float accelerator, float brake) {
    accelerator = std::clamp(accelerator, 0.0f, 1.0f);
    brake = std::clamp(brake, 0.0f, 1.0f);
    if (brake > accelerator) return static_cast<int32_t>(11.0f + brake * 940.0f);
    if (accelerator > 0.0f) return -static_cast<int32_t>(11.0f + accelerator * 940.0f);
    return 0;
}
}  // namespace

void Autopilot::Prepare(Session& session) {
    session.Input().joystickCount = 1;
    tmConfig::GetInstance().SetKeyDevice(tmPedalType::kXbox360);
}

void Autopilot::Release(Session& session) {
    platform::ScriptedInput& in = session.Input();
    in.joystickCount = 1;
    in.joy[0] = platform::JoyState{};
    in.SetKey(tmKey::kS, false);
    in.SetKey(tmKey::kX, false);
}

void Autopilot::BeforeFrame(Session& session) {
    tmSequenceManager* m = session.Loop().GetSequenceManager();
    auto* race = m ? dynamic_cast<tmSeqRace*>(m->GetScreen()) : nullptr;
    const tmRaceState& rs = tmRaceState::Get();
    tmMachineCore* core = rs.cores[rs.setup.local % kRaceEntrants];
    if (!race || !core || rs.status != 3 || core->raceState != 1) {
        Release(session);
        return;
    }
    if (core != core_ || race->GetCourse() != course_) {
        driver_ = tmMachineDriver();
        driver_.Init(core, race->GetCourse());
        core_ = core;
        course_ = race->GetCourse();
    }
    const tmMachineControl c = driver_.GetControl();
    driver_.UpdateCounters();
    platform::ScriptedInput& in = session.Input();
    in.joystickCount = 1;
    in.joy[0].x = StickAxis(c.steering);
    in.joy[0].z = PedalAxis(c.accelerator, c.brake);
    in.SetKey(tmKey::kS, c.boost != 0);
    in.SetKey(tmKey::kX, c.bodyMode != 0);
    ++steps_;
}

}  // namespace harness
