// MachineFixture.h -- shared set-up of the machine tests: a working folder with the run data, race state,
// seeded generator, scripted pad, recorded sounds and machines on a course.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "machine/tmMachineMove.h"
#include "machine/tmMachineSources.h"
#include "machine/tmSimSound.h"
#include "platform/input/InputDevices.h"
#include "race/tmRaceState.h"
#include "sys/input/tmInputActions.h"
#include "tests/harness/WorkFolder.h"

class tmCourse;

// Keeps every sound id the simulation starts, in order, with the step it came in.
class SoundRecorder : public tmSimSound {
public:
    struct Entry {
        int step;
        uint32_t id;
    };
    int Play(uint32_t soundId) override {
        played.push_back({step, soundId});
        return nextVoice++;
    }
    void Stop(int voice) override { stopped.push_back(voice); }
    int Count(uint32_t id) const {
        int n = 0;
        for (const Entry& e : played) n += e.id == id;
        return n;
    }

    int step = 0;
    int nextVoice = 1;
    std::vector<Entry> played;
    std::vector<int> stopped;
};

// A replay source that serves records a test writes, by entrant.
class ScriptedReplay : public tmReplaySource {
public:
    const tmReplayRecord* GetPlaybackRecord(int entrant) const override {
        if (entrant < 0 || entrant >= static_cast<int>(records.size()) || !present[static_cast<size_t>(entrant)])
            return nullptr;
        return &records[static_cast<size_t>(entrant)];
    }
    std::vector<tmReplayRecord> records = std::vector<tmReplayRecord>(16);
    std::vector<bool> present = std::vector<bool>(16, false);
};

// A peer source with one state per network slot.
class ScriptedPeers : public tmPeerSource {
public:
    int FindNetworkSlot(int gridIndex) const override { return gridIndex; }
    bool GetPeerState(int slot, tmPeerMachineState* out) const override {
        if (slot < 0 || slot >= 16 || !present[static_cast<size_t>(slot)]) return false;
        *out = states[static_cast<size_t>(slot)];
        return true;
    }
    std::vector<tmPeerMachineState> states = std::vector<tmPeerMachineState>(16);
    std::vector<bool> present = std::vector<bool>(16, false);
};

// Pad keys of the default bindings.
namespace pad {
constexpr int kLeft = tmKey::kLeft, kRight = tmKey::kRight, kAccelerate = tmKey::kZ, kBrake = tmKey::kA,
              kBoost = tmKey::kS, kBody = tmKey::kX, kGearUp = tmKey::kUp, kGearDown = tmKey::kDown;
}

class MachineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes a machine of entrant `grid` and lists its core in the race state.
    tmMachine& AddMachine(const tmCourse* course, int machineId, uint32_t controller, int grid, bool player = false,
                          uint32_t variant = 0);
    // One logic step: the pad reads the scripted keys, then every machine runs in entrant order.
    void Step(const tmCourse* course, int steps = 1);
    void Key(int dik, bool down) { input_.SetKey(dik, down); }

    tmRaceState& race_ = tmRaceState::Get();
    SoundRecorder sound_;
    platform::ScriptedInput input_;
    std::vector<std::unique_ptr<tmMachine>> machines_;
    int steps_ = 0;

private:
    std::unique_ptr<harness::WorkFolder> folder_;  // a folder of the test's own with the run data linked in
};

// Handling values for closed-form tests: flat torque, one gear, rear drive, no slide.
tmMachineParams SimpleParams();
// Replaces a machine's handling values and starts its movement again.
void UseParams(tmMachine& machine, const tmMachineParams& params, const tmCourse* course);
