// PanelRig.h -- input, sound log and draw log around a screen or panel driven step by step in a test.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "app/tmConfig.h"
#include "frontend/DrawLog.h"
#include "platform/input/InputDevices.h"
#include "race/tmRaceState.h"
#include "sys/input/tmPeripheral.h"
#include "sys/sound/tmSound.h"

// While it lives: a scripted keyboard behind the input service, a silent
// sound engine whose asked-for ids are logged, a draw recorder, the save
// image at its defaults and the race state fresh. Step runs one logic step
// the way the main loop does (input read, the step, input stored).
class PanelRig {
public:
    PanelRig() {
        tmConfig::GetInstance().SetSaveFile(nullptr);
        tmConfig::GetInstance().RestoreDefaults();
        ResetRaceState();
        tmPeripheral::Create();
        tmPeripheral::GetInstance()->Init(&input, true);
        tmSoundSetup setup;
        setup.backend = platform::AudioBackend::Test;
        tmSound::Create(nullptr, setup);
        tmSound::SetPlayObserver([this](uint32_t id) { sounds.push_back(id); });
    }
    ~PanelRig() {
        tmSound::SetPlayObserver(nullptr);
        tmSound::Destroy();
        tmPeripheral::Destroy();
    }
    PanelRig(const PanelRig&) = delete;
    PanelRig& operator=(const PanelRig&) = delete;

    static void ResetRaceState() {
        tmRaceState& rs = tmRaceState::Get();
        rs.ClearStandings();
        rs.ClearResults();
        rs.ClearCup();
        rs.setup = tmRaceSetup{};
        for (int i = 0; i < kRaceEntrants; ++i) rs.entrants[i] = tmEntrant{};
        rs.status = 0;
        rs.teamCount = 0;
    }

    // One logic step with `step` as its work.
    void Step(const std::function<void()>& step) {
        tmPeripheral* in = tmPeripheral::GetInstance();
        in->Update();
        in->UpdatePov();
        step();
        in->StorePrevious();
    }
    // Holds a key for one step, then releases it for one step; `step` runs in both.
    void Press(int key, const std::function<void()>& step) {
        input.SetKey(key, true);
        Step(step);
        input.SetKey(key, false);
        Step(step);
    }
    int Count(uint32_t id) const {
        int n = 0;
        for (uint32_t s : sounds) n += s == id;
        return n;
    }

    platform::ScriptedInput input;
    std::vector<uint32_t> sounds;
    DrawLog draw;
};
