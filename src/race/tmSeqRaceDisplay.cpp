// tmSeqRaceDisplay.cpp -- what the race hands its display each step, the speed effect and the frame's drawing.
#include <algorithm>
#include <cstring>

#include "app/tmCameraCtrl.h"
#include "app/tmConfig.h"
#include "course/tmCourse.h"
#include "effect/tyBoostTail.h"
#include "effect/tyEffectManager.h"
#include "frontend/tmFrontend.h"
#include "frontend/tmHudRecords.h"
#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "menu/tmCommonWindow.h"
#include "race/tmLapTimer.h"
#include "race/tmLevelUp.h"
#include "race/tmRaceChoiceMenu.h"
#include "race/tmRaceResultPanel.h"
#include "race/tmSeqRace.h"
#include "race/tmTrophyInfo.h"
#include "sys/render/tmDraw.h"
#include "table/MachineTable.h"

namespace {

constexpr float kMsPerFrame = 16.666666f;
constexpr float kSpeedEffectFrom = 200.0f;  // km/h where the speed effect starts
constexpr float kSpeedEffectSpan = 400.0f;  // km/h over which it reaches its full strength
constexpr float kSpeedEffectStrength = 0.7f;
constexpr uint32_t kResultsCamera = 21;
constexpr int kRefillMessage = 2;

uint32_t LapMs(const tmLapTimer* timer, int lap) {
    return timer && lap >= 0 ? tmLapTimer::ToMilliseconds(timer->GetLap(lap)) : 0;
}

}  // namespace

void tmSeqRace::UpdateFrontend() {
    const tmRaceState& rs = tmRaceState::Get();
    const tmMachine* local = Local();
    if (!hud_ || !local) return;
    const tmMachineCore& me = *local->GetCore();
    const tmLapTimer* timer = me.GetLapTimer();

    tmHudMachineRecord machine;
    machine.revolutions = me.rpm;
    machine.speed = me.kmh;
    machine.state1 = me.gear;
    machine.state2 = static_cast<int32_t>(me.bodyMode);
    machine.gaugeA1 = me.boostFramesLeft;
    machine.gaugeA2 = me.params.bstTimeUse;
    machine.gaugeB1 = me.secondBoostFramesLeft;
    machine.gaugeB2 = me.params.bstTimeUse2nd;
    machine.flashThreshold = me.params.bstTimeCharge;
    machine.boostStock = me.boostStock;
    machine.courseId = static_cast<int32_t>(rs.setup.course);
    machine.machineId = me.spec ? me.spec->machineId : 0;
    machine.position[0] = me.position.x;
    machine.position[1] = me.position.y;
    machine.position[2] = me.position.z;
    machine.heading = me.GetYaw();

    tmHudLapRecord lap;
    lap.rank = me.standing;
    lap.raceTime = timer ? tmLapTimer::ToMilliseconds(timer->GetTotal()) : 0;
    const int done = me.GetCompletedLaps();
    for (int k = 0; k < std::min(done, tmHudLapRecord::kLapTimes); ++k) lap.lapTimes[k] = LapMs(timer, k);
    lap.lapsDone = done;
    lap.lapTotal = me.GetLapTotal();
    lap.countdown = static_cast<int32_t>(static_cast<float>(countdown_) * kMsPerFrame);
    lap.bannerTime = static_cast<int32_t>(static_cast<float>(afterFinish_) * kMsPerFrame);

    const tmEntrant& localEntrant = rs.entrants[rs.setup.local % kRaceEntrants];
    rows_.count = Count();
    rows_.player = static_cast<int>(rs.setup.local);
    for (int i = 0; i < Count() && i < tmGaugeArray::kRows; ++i) {
        tmGaugeRow& row = rows_.rows[i];
        const tmEntrant& e = rs.entrants[i];
        rows_.SetName(i, e.driverName);
        row.sameTeam = std::strncmp(e.teamName, localEntrant.teamName, kRaceNameSize) == 0 ? 1 : 0;
        row.lapDone = row.raceDone = 0;
        row.time = 0;
        const tmMachine* m = machines_[i];
        if (!m) continue;
        const tmMachineCore& core = *m->GetCore();
        row.position[0] = core.position.x;
        row.position[1] = core.position.y;
        row.position[2] = core.position.z;
        row.heading = core.GetYaw();
        if (core.lapFlag) {
            row.lapDone = 1;
            row.time = LapMs(core.GetLapTimer(), core.GetCompletedLaps() - 1);
        }
        if (core.finishFlag) {
            row.raceDone = 1;
            row.time = core.GetLapTimer() ? tmLapTimer::ToMilliseconds(core.GetLapTimer()->GetTotal()) : 0;
        }
    }
    hud_->Update(machine, lap, rows_);
    if (!me.refillArmed) hud_->ShowMessage(kRefillMessage);
}

void tmSeqRace::UpdateSpeedEffect() {
    const tmMachine* local = Local();
    const float speed = local ? local->GetCore()->kmh : 0.0f;
    speedEffect_ =
        kSpeedEffectStrength * std::clamp(speed - kSpeedEffectFrom, 0.0f, kSpeedEffectSpan) / kSpeedEffectSpan;
    if (camera_ && camera_->GetMode() == static_cast<int>(kResultsCamera)) speedEffect_ = 0.0f;
    tmDraw::GetInstance()->SetBloomRate(speedEffect_);
}

void tmSeqRace::Draw() {
    if (!hud_) return;
    if (nextId_ == 0) {
        camera_->UpdateView();
        camera_->Apply();
        // The course's part before the scene: its light.
        if (const float* light = course_->GetLightDirection()) tmDraw::GetInstance()->SetLightDirectionDefault(light);
        const tmConfig& cfg = tmConfig::GetInstance();
        const int mode = camera_->GetMode();
        const bool detail = cfg.GetGameFlag2() != 0 && mode >= 7 && mode <= 14;
        const uint32_t local = tmRaceState::Get().setup.local;
        for (int i = 0; i < Count(); ++i) {
            if (!machines_[i]) continue;
            if (static_cast<uint32_t>(i) == local) {
                if (drawOwn_) machines_[i]->Draw(false);
            } else {
                machines_[i]->Draw(detail);
            }
        }
        // The course goes into the mirrored view with the machines, or the mirror shows them on black.
        course_->Draw(detail ? 1 : 0);
    }
    hud_->SetShown(hudShown_ != 0);
    hud_->Draw();
    if (nextId_ != 0) return;
    // The boost trails, then the particles (and the batches the machines filled), facing the race camera.
    ty_sEffectManager& effects = ty_sEffectManager::Instance();
    effects.SetViewMatrix(camera_->GetView());
    tyBoostTailManager::Instance().Draw();
    effects.Draw();
    switch (phase_) {
        case kResults: results_->Draw(); break;
        case kLevelUp: levelUp_->Draw(); break;
        case kTrophies: trophy_->Draw(); break;
        case kPause: pause_->Draw(); break;
        case kPostRace: postRace_->Draw(); break;
        case kSaveReplay:
            if (window_) window_->Draw();
            break;
        default: break;
    }
}
