// tmMachineControl.h -- the per-step control record every machine is driven by.
#pragma once
#include <cstdint>

// One logic step of input for one machine. The local pad, the computer
// driver, a replay and a network peer are four sources of this record; a
// machine sees nothing else of its driver, so a race is a pure function of
// its setup, the seed and these records. Replay files and network machine
// states carry the same values.
struct tmMachineControl {
    float steering = 0.0f;     // -1 full left .. 1 full right
    float accelerator = 0.0f;  // 0..1 from a pad; the computer driver gives up to 1.75
    float brake = 0.0f;        // 0..1 from a pad; the computer driver up to 1.2, the viewer's pad up to 7
    uint8_t shiftUp = 0;       // 1 = the button went down in this step
    uint8_t shiftDown = 0;
    uint8_t bodyMode = 0;
    uint8_t boost = 0;
};
static_assert(sizeof(tmMachineControl) == 16, "the control record is 16 bytes");

// The largest values any source produces; records from outside the program
// (replay files, peers) are held to them before a machine uses them.
constexpr float kMaxControlAccelerator = 1.75f;
constexpr float kMaxControlBrake = 7.0f;

// A record from outside made safe: non-finite axes read 0, axes are held to
// the ranges above, button bytes read 0 or 1.
tmMachineControl SanitizeControl(const tmMachineControl& in);
