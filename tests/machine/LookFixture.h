// LookFixture.h -- machines set up by hand for the model, effect and sound tests, with a drawer and a sound recorder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/tmConfig.h"
#include "effect/DrawLog.h"
#include "effect/tyBoostTail.h"
#include "effect/tyEffectManager.h"
#include "machine/tmMachineCore.h"
#include "machine/tmMachineMove.h"
#include "machine/tmSimSound.h"
#include "race/tmRaceState.h"
#include "sys/sound/tmSound.h"
#include "table/MachineTable.h"
#include "table/yiResourceGroup.h"

// Keeps every sound call of the simulation's seam: one-shots, loops, their values and mutes.
class LoopRecorder : public tmSimSound {
public:
    struct Loop {
        const LoopSoundRecord* record;
        float value;
        bool muted;
        bool stopped;
    };
    int Play(uint32_t soundId) override {
        played.push_back(soundId);
        return 1000 + static_cast<int>(played.size());
    }
    void Stop(int voice) override {
        if (voice >= 1 && voice <= static_cast<int>(loops.size())) loops[size_t(voice - 1)].stopped = true;
    }
    int PlayLoop(const LoopSoundRecord* record, float value) override {
        loops.push_back({record, value, false, false});
        return static_cast<int>(loops.size());
    }
    void SetVoiceParameter(int voice, float value) override {
        if (voice >= 1 && voice <= static_cast<int>(loops.size())) {
            loops[size_t(voice - 1)].value = value;
            loops[size_t(voice - 1)].muted = false;
        }
    }
    void Mute(int voice) override {
        if (voice >= 1 && voice <= static_cast<int>(loops.size())) loops[size_t(voice - 1)].muted = true;
    }
    // The voice playing a sound id, or null.
    const Loop* Of(uint32_t soundId) const {
        for (const Loop& l : loops)
            if (l.record && l.record->soundId == soundId) return &l;
        return nullptr;
    }

    std::vector<uint32_t> played;
    std::vector<Loop> loops;
};

// A machine whose core the test fills by hand (no course, no parameter table).
struct HandMachine {
    tmMachineCore core;
    tmMachineMove move;

    // At (x, 0, z) facing +Z of the world, resting in its drive pose.
    HandMachine(int id, float x, float z, bool player) {
        core.spec = GetMachineSpec(id);
        core.player = player ? 1 : 0;
        core.controllerType = player ? kControllerPlayer : kControllerComputer;
        core.bodyMode = core.previousBodyMode = static_cast<uint32_t>(core.spec->drivePose);
        core.framesInBodyMode = 12;
        Place(x, z);
    }
    void Place(float x, float z) {
        core.position = D3DXVECTOR3(x, 0, z);
        D3DXMATRIX rot, at;
        D3DXMatrixRotationY(&rot, D3DX_PI);
        D3DXMatrixTranslation(&at, x, 0, z);
        core.worldMatrix = rot * at;
    }
    // A change of body mode as the movement makes it.
    void SetMode(uint32_t mode) {
        core.previousBodyMode = core.bodyMode;
        core.bodyMode = mode;
        core.framesInBodyMode = 0;
    }
};

// Race state with the player as entrant 0, a recording drawer and sound, the
// effect and trail managers up, and the effects option on.
class LookTest : public ::testing::Test {
protected:
    void SetUp() override {
        tmSimSound::Set(&sound_);
        race_ = &tmRaceState::Get();
        race_->setup = tmRaceSetup{};
        for (tmMachineCore*& c : race_->cores) c = nullptr;
        yiResourceGroup::ResetState();
        tmConfig::GetInstance().SetVideoFlag(1);
        tmConfig::GetInstance().SetDistanceLevel(0);
        tmConfig::GetInstance().SetGameFlag1(0);
        ty_sEffectManager::Instance().Init();
        tyBoostTailManager::Instance().Create(true, 2);
    }
    void TearDown() override {
        tyBoostTailManager::Instance().Release();
        ty_sEffectManager::Instance().Release();
        for (tmMachineCore*& c : race_->cores) c = nullptr;
        tmSimSound::Set(nullptr);
        yiResourceGroup::ResetState();
    }
    // A machine, registered in the race state as entrant `entrant`.
    HandMachine& Add(int id, float x, float z, bool player, int entrant) {
        machines_.push_back(std::make_unique<HandMachine>(id, x, z, player));
        race_->cores[entrant] = &machines_.back()->core;
        return *machines_.back();
    }

    DrawLog draw_;
    LoopRecorder sound_;
    tmRaceState* race_ = nullptr;
    std::vector<std::unique_ptr<HandMachine>> machines_;
};
