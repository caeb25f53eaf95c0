// Autopilot.h -- drives the local machine of a running race through the real pad path with the computer driver.
#pragma once
#include <cstdint>

#include "machine/tmMachineDriver.h"

namespace harness {

class Session;

// Before each frame, asks a computer driver of its own what the local machine
// should do and moves a scripted joystick (steering on its X axis, both pedals
// on the combined Z axis) and the boost and body keys accordingly, so the
// machine is driven by the player's pad code. Outside a racing race the
// stick is centred and the pedals released.
class Autopilot {
public:
    // Before the session starts: one scripted joystick and the combined-axis pedal type.
    static void Prepare(Session& session);
    void BeforeFrame(Session& session);
    // Steps the autopilot has driven.
    uint64_t Steps() const { return steps_; }

private:
    void Release(Session& session);

    tmMachineDriver driver_;
    const void* core_ = nullptr;
    const void* course_ = nullptr;
    uint64_t steps_ = 0;
};

}  // namespace harness
