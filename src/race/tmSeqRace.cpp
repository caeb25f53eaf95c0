// tmSeqRace.cpp -- the race screen's set-up, its phases, retry and the choice of the next screen.
#include "race/tmSeqRace.h"

#include "app/tmCameraCtrl.h"
#include "app/tmConfig.h"
#include "course/tmCourse.h"
#include "effect/tyBoostTail.h"
#include "effect/tyEffectManager.h"
#include "frontend/tmFrontend.h"
#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "menu/tmCommonWindow.h"
#include "menu/tmMenuFlow.h"
#include "race/tmLevelUp.h"
#include "race/tmRaceChoiceMenu.h"
#include "race/tmRaceNetwork.h"
#include "race/tmRaceResultPanel.h"
#include "race/tmTrophyInfo.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmDraw.h"
#include "sys/sound/tmSound.h"
#include "table/yiResourceGroup.h"

namespace {

constexpr int kSharedEffectsGroup = 32;
// The race's trails: enabled, eight-point sections at the table's intervals.
constexpr int kTrailQuality = 2;
constexpr float kHdrBorder = 0.996f;
// The camera mode of the results and what follows.
constexpr uint32_t kResultsCamera = 21;

void PlaySound(uint32_t id) {
    if (tmSound* sound = tmSound::GetInstance()) sound->Play(id);
}

bool IsReplayMode(uint32_t mode) { return mode == kRaceModeReplay || mode == kRaceModeDemo; }

// The barriers the race phases show the other players.
constexpr uint32_t kBarrierIntro = 1;
constexpr uint32_t kBarrierStart = 3;
constexpr uint32_t kBarrierFinished = 4;

// The open network session of a network race, else null.
tmRaceNetwork* NetworkOf(const tmRaceState& rs) {
    tmRaceNetwork* net = rs.IsNetworkMode() ? tmRaceNetwork::Get() : nullptr;
    return net && net->IsOpen() ? net : nullptr;
}

}  // namespace

tmSeqRace::tmSeqRace() = default;

tmSeqRace::~tmSeqRace() { Term(); }

int tmSeqRace::Count() const {
    const uint32_t count = tmRaceState::Get().setup.count;
    return static_cast<int>(count < kRaceEntrants ? count : kRaceEntrants);
}

tmMachine* tmSeqRace::Local() const { return machines_[tmRaceState::Get().setup.local % kRaceEntrants]; }

void tmSeqRace::Init() {
    tmRaceState& rs = tmRaceState::Get();
    rs.ValidateSetup();
    // The race fills the window: its panels stand in the virtual screen's middle at the display's scale.
    tmDraw::SetRaceLayout(true);
    tmDraw::GetInstance()->SetClearColor(0xFF000000u);
    rs.status = 1;
    // The particles and trails start empty before the machines' effect parts take their trail slots.
    ty_sEffectManager::Instance().Init();
    tyBoostTailManager::Instance().Reset();
    tyBoostTailManager::Instance().Create(true, kTrailQuality);
    effectsStarted_ = true;
    if (const yiResourceGroup* g = yiResourceGroup::Get(kSharedEffectsGroup)) group32Loaded_ = g->Load();

    course_ = TM_NEW tmCourse();
    course_->Init(static_cast<int>(rs.setup.course));
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        machines_[i] = TM_NEW tmMachine();
        machines_[i]->Init(course_, rs.entrants[i], i, static_cast<uint32_t>(i) == rs.setup.local, false);
        rs.cores[i] = machines_[i]->GetCore();
    }

    hud_ = TM_NEW tmFrontend();
    hud_->Init(rs.entrants[rs.setup.local].machineId);
    hud_->SetVisible(1, 1);
    camera_ = TM_NEW tmCameraCtrl();
    camera_->Init();
    camera_->SetTarget(Local() ? Local()->GetCore() : nullptr);
    const int stored = tmConfig::GetInstance().GetGameOption3();
    view_ = IsReplayMode(rs.setup.mode) ? 0u : static_cast<uint32_t>(stored >= 0 ? stored : 0) % 4u;
    ApplyView();

    pause_ = TM_NEW tmRaceChoiceMenu();
    postRace_ = TM_NEW tmRaceChoiceMenu2();
    results_ = TM_NEW tmRaceResultPanel();
    results_->Init();
    levelUp_ = TM_NEW tmLevelUp();
    levelUp_->Init();
    trophy_ = TM_NEW tmTrophyInfo();
    trophy_->Init();
    window_ = nullptr;

    tmDraw::GetInstance()->SetFakeHdr(0.0f, kHdrBorder, 0.7f / (1.0f - kHdrBorder));
    tmDraw::GetInstance()->SetBloomRate(0.0f);
    speedEffect_ = 0.0f;

    countdown_ = kCountdownFrames;
    afterFinish_ = 0;
    raceFrame_ = 0;
    StartReplayRecord();
    replayFrame_ = 0;
    rs.ClearResults();
    quit_ = 0;
    phase_ = kFadeIn;
    previousPhase_ = 0xFFFFFFFFu;
    phaseCounter_ = 0;
    retry_ = 0;
    musicStarted_ = false;
}

void tmSeqRace::Retry() {
    tmRaceState& rs = tmRaceState::Get();
    // Every trail slot is freed and made again; the machines' effect parts take theirs as they restart.
    tyBoostTailManager::Instance().Reset();
    tyBoostTailManager::Instance().Create(true, kTrailQuality);
    for (int i = 0; i < Count(); ++i)
        if (machines_[i]) machines_[i]->Restart(course_);
    hud_->Reset();
    hud_->SetVisible(1, 1);
    camera_->Init();
    camera_->SetTarget(Local() ? Local()->GetCore() : nullptr);
    const int stored = tmConfig::GetInstance().GetGameOption3();
    view_ = IsReplayMode(rs.setup.mode) ? 0u : static_cast<uint32_t>(stored >= 0 ? stored : 0) % 4u;
    ApplyView();
    pause_->Reset();
    countdown_ = kCountdownFrames;
    afterFinish_ = 0;
    raceFrame_ = 0;
    StartReplayRecord();
    replayFrame_ = 0;
    quit_ = 0;
    phase_ = kFadeIn;
    previousPhase_ = 0xFFFFFFFFu;
    phaseCounter_ = 0;
    retry_ = 0;
    musicStarted_ = false;
    rs.status = 1;
}

int tmSeqRace::Update() {
    nextId_ = 0;
    tmConfig& cfg = tmConfig::GetInstance();
    if (const tmPeripheral* in = tmPeripheral::GetInstance()) {
        if (in->IsKeyTriggered(tmKey::kF2)) cfg.SetVideoFlag(cfg.GetVideoFlag() ? 0 : 1);
        if (in->IsKeyTriggered(tmKey::kF3)) cfg.SetGameFlag1(cfg.GetGameFlag1() ? 0 : 1);
        if (in->IsKeyTriggered(tmKey::kF4)) cfg.SetGameFlag2(cfg.GetGameFlag2() ? 0 : 1);
        if (in->IsKeyTriggered(tmKey::kF5)) cfg.SetGameFlag3(cfg.GetGameFlag3() ? 0 : 1);
    }
    UpdatePhase();
    if (nextId_ == 0) {
        if (phase_ != kPause && phase_ != kPostRace && phase_ != kSaveReplay) ChangeView();
        // A paused race stands still: no machine, clock or camera moves under the pause menu.
        if (phase_ != kPause) UpdateSimulation();
        SetHiddenByPhase();
    }
    return nextId_;
}

void tmSeqRace::SetHiddenByPhase() {
    const bool hidden =
        phase_ == kFadeIn || phase_ == kPause || phase_ == kPostRace || phase_ == kSaveReplay || phase_ == kFadeOut;
    for (int i = 0; i < Count(); ++i)
        if (machines_[i]) machines_[i]->SetHidden(hidden);
}

void tmSeqRace::UpdateSimulation() {
    const tmRaceState& rs = tmRaceState::Get();
    // The trails forget their last tube and rebuild it, then the particles move. (Forgetting
    // after the step, as a post-update, would leave every frame's draw without a tube.)
    tyBoostTailManager::Instance().ClearAll();
    tyBoostTailManager::Instance().Update();
    ty_sEffectManager::Instance().Update();
    for (int i = 0; i < Count(); ++i)
        if (machines_[i]) machines_[i]->Update(course_);
    course_->Update();
    camera_->Update();
    UpdateFrontend();
    UpdateSpeedEffect();
    // The batches start empty for the frame's draw.
    ty_sEffectManager::Instance().DrawBatches();
    RecordReplayFrame();
    ++replayFrame_;
    if (IsReplayMode(rs.setup.mode) && rs.status == 3 && ReplayEnded()) phase_ = kFadeOut;
    ++raceFrame_;
}

void tmSeqRace::ChangeView() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    if (!in || !(in->IsKeyTriggered(tmKey::kP) || in->IsTrigger(tmAction::kViewChange, tmPlayer::kOne))) return;
    const uint32_t mode = tmRaceState::Get().setup.mode;
    view_ = (view_ + 1) % ViewCount(mode);
    if (!IsReplayMode(mode)) tmConfig::GetInstance().SetGameOption3(static_cast<int>(view_));
    ApplyView();
}

void tmSeqRace::ApplyView() {
    const tmRaceState& rs = tmRaceState::Get();
    const View v = GetView(view_, rs.setup.mode, rs.entrants[rs.setup.local % kRaceEntrants].machineId);
    camera_->SetMode(v.camera);
    hudShown_ = v.hud;
    drawOwn_ = v.drawOwn;
}

void tmSeqRace::UpdatePhase() {
    const tmRaceState& rs = tmRaceState::Get();
    if (IsReplayMode(rs.setup.mode) && ReplayEnded()) phase_ = kFadeOut;
    SyncNetwork();
    if (phase_ != previousPhase_) {
        previousPhase_ = phase_;
        phaseCounter_ = 0;
        EnterPhase();
    }
    RunPhase();
    ++phaseCounter_;
}

void tmSeqRace::EnterPhase() {
    tmRaceState& rs = tmRaceState::Get();
    switch (phase_) {
        case kFadeIn:
            raceFrame_ = 0;
            StartReplayRecord();
            replayFrame_ = 0;
            break;
        case kResults:
            // Watching a replay counts no race and awards no points.
            if (!IsReplayMode(rs.setup.mode)) {
                rs.AwardPoints();
                tmConfig::GetInstance().CountRace(tmLevelUp::LocalEntrantWon(), rs.IsNetworkMode());
            }
            results_->state = tmRaceResultPanel::kOpenRace;
            hudShown_ = 0;
            camera_->SetMode(kResultsCamera);
            break;
        case kLevelUp: levelUp_->Start(); break;
        case kTrophies: trophy_->Start(); break;
        case kPostRace: postRace_->state = tmRaceChoiceMenuBase::kOpening; break;
        case kSaveReplay:
            window_ = TM_NEW tmCommonWindow();
            window_->Init(tmCommonWindow::kTypeSaveReplay);
            window_->Open();
            PlaySound(tmSoundId::kMenuOpen);
            break;
        default: break;
    }
}

void tmSeqRace::RunPhase() {
    tmRaceState& rs = tmRaceState::Get();
    const uint32_t mode = rs.setup.mode;
    switch (phase_) {
        case kFadeIn:
            if (phaseCounter_ == 0) hud_->SetVisible(0, 0);
            UpdateStandings();
            if (phaseCounter_ > kFadeFrames) phase_ = kIntro;
            break;
        case kIntro:
            if (phaseCounter_ == 0) hud_->SetFinished();
            if (tmRaceNetwork* net = NetworkOf(rs)) {
                // Every player waits here until all are in; the counter is held at 1.
                net->SetOwnBarrier(kBarrierIntro);
                if (net->GetRaceControl().phase < kBarrierIntro) phaseCounter_ = 0;
            }
            if (phaseCounter_ > kIntroFrames) {
                phase_ = kCountdown;
                rs.status = 2;
            }
            break;
        case kCountdown:
            if (countdown_ > 0) --countdown_;
            if (tmRaceNetwork* net = NetworkOf(rs)) {
                // The light turns green for everybody at once: the countdown is held at 1 until all are there.
                if (countdown_ < 2) {
                    net->SetOwnBarrier(kBarrierStart);
                    if (net->GetRaceControl().phase < kBarrierStart) countdown_ = 1;
                }
            }
            if (countdown_ < 1) {
                phase_ = kRacing;
                rs.status = 3;
            }
            break;
        case kRacing: {
            if (phaseCounter_ == kMusicFrame && course_->GetMusicId() != 0)
                if (tmSound* sound = tmSound::GetInstance())
                    musicStarted_ = sound->PlayStream(static_cast<int>(course_->GetMusicId()), false) || musicStarted_;
            UpdateStandings();
            const tmMachine* local = Local();
            if (local && local->GetCore()->raceState == 2) {
                phase_ = kAfterFinish;
            } else if (!rs.IsNetworkMode()) {
                const tmPeripheral* in = tmPeripheral::GetInstance();
                if (in && in->IsPauseTriggered(tmPlayer::kOne)) {
                    pause_->state = tmRaceChoiceMenuBase::kOpening;
                    phase_ = kPause;
                }
            }
            break;
        }
        case kAfterFinish:
            ++afterFinish_;
            // Barrier 4 holds nothing: each machine leaves 360 frames after its own finish.
            if (tmRaceNetwork* net = NetworkOf(rs)) net->SetOwnBarrier(kBarrierFinished);
            UpdateStandings();
            if (afterFinish_ > kAfterFinishFrames) {
                rs.status = 4;
                phase_ = Count() < 2 ? kLevelUp : kResults;
            }
            break;
        case kResults:
            UpdateStandings();
            results_->Update(false);
            if (!results_->IsActive()) phase_ = kLevelUp;
            break;
        case kLevelUp:
            levelUp_->Update();
            if (levelUp_->state == tmLevelUp::kInactive) phase_ = kTrophies;
            break;
        case kTrophies:
            trophy_->Update();
            if (trophy_->state == tmTrophyInfo::kInactive) phase_ = IsReplayMode(mode) ? kFadeOut : kSaveReplay;
            break;
        case kPause:
            pause_->Update();
            if (!pause_->IsActive()) {
                if (pause_->choice == tmRaceChoiceMenu::kResume) {
                    phase_ = kRacing;
                } else if (pause_->choice == tmRaceChoiceMenu::kRetry) {
                    retry_ = 1;
                    phase_ = kFadeOut;
                } else {
                    quit_ = 1;
                    phase_ = kFadeOut;
                }
            }
            break;
        case kPostRace:
            postRace_->Update();
            if (!postRace_->IsActive()) {
                if (postRace_->choice == tmRaceChoiceMenu2::kRetry) retry_ = 1;
                phase_ = kFadeOut;
            }
            break;
        case kSaveReplay:
            if (window_) window_->Update();
            if (!window_ || (window_->IsAnswered() && window_->IsClosed())) {
                if (window_) SaveRecordAnswer(window_->choice == 1);
                TM_DELETE(window_);
                window_ = nullptr;
                phase_ = mode == kRaceModeSingle || mode == kRaceModeGhost ? kPostRace : kFadeOut;
            }
            break;
        case kFadeOut:
            if (phaseCounter_ == 0) hud_->SetVisible(1, 0);
            if (phaseCounter_ > kFadeFrames) {
                StopMusic();
                tmConfig::GetInstance().Save();
                if (retry_) {
                    Retry();
                } else {
                    if (tmRaceNetwork* net = NetworkOf(rs)) net->Stop();
                    ChooseNextId();
                }
            }
            break;
        case kConnectionLost:
            if (phaseCounter_ == 1) PlaySound(tmSoundId::kWarning);
            hud_->ShowMessage(3);
            if (phaseCounter_ > kConnectionLostFrames) {
                StopMusic();
                if (tmRaceNetwork* net = tmRaceNetwork::Get()) net->Stop();
                if (!tmMenuFlow::IsNormalPlay())
                    nextId_ = kSeqDebugMenu;
                else
                    nextId_ = mode == kRaceModeLobby ? kSeqLobby : kSeqMainMenu;
            }
            break;
        default: break;
    }
}

void tmSeqRace::ChooseNextId() {
    tmRaceState& rs = tmRaceState::Get();
    const uint32_t mode = rs.setup.mode;
    if (tmMenuFlow::IsNormalPlay()) {
        nextId_ = kSeqMainMenu;
        if (mode == kRaceModeDemo && !quit_) {
            nextId_ = LoadRandomReplay() ? kSeqLoading : kSeqMainMenu;
        } else if (mode == kRaceModeReplay) {
            nextId_ = kSeqReplaySelect;
        } else if (mode == kRaceModeCup && !quit_) {
            nextId_ = rs.NextCupRace() ? kSeqLoading : kSeqEnding;
        } else if (mode == kRaceModeLobby) {
            nextId_ = kSeqLobby;
        }
        return;
    }
    // Started from the debug menu: back to it, also when a demo finds no replay
    // (instead of scanning the folder again every frame).
    if (mode == kRaceModeDemo && !quit_ && LoadRandomReplay()) {
        nextId_ = kSeqLoading;
        return;
    }
    nextId_ = kSeqDebugMenu;
    quit_ = 1;
}

void tmSeqRace::StopMusic() {
    if (!musicStarted_) return;
    if (tmSound* sound = tmSound::GetInstance()) sound->StopStream();
    musicStarted_ = false;
}

// ---- hooks of services that come with their own parts -------------------------------------

void tmSeqRace::SyncNetwork() {
    tmRaceState& rs = tmRaceState::Get();
    if (!rs.IsNetworkMode() || phase_ == kConnectionLost) return;
    // The silence check stops once the own machine has finished: a player still
    // racing when the others have left keeps its result and its replay.
    const tmMachine* local = Local();
    const bool finished = local && local->GetCore()->raceState == 2;
    tmRaceNetwork* net = tmRaceNetwork::Get();
    const tmPeerMachineState own = local ? tmRaceNetwork::MakeMachineState(*local->GetCore()) : tmPeerMachineState();
    if (net && net->SyncRace(own, !finished)) {
        ++networkSends_;
        return;
    }
    if (!finished) phase_ = kConnectionLost;
}

void tmSeqRace::Term() {
    TM_DELETE(pause_);
    pause_ = nullptr;
    TM_DELETE(postRace_);
    postRace_ = nullptr;
    if (trophy_) trophy_->Term();
    TM_DELETE(trophy_);
    trophy_ = nullptr;
    TM_DELETE(results_);
    results_ = nullptr;
    TM_DELETE(levelUp_);
    levelUp_ = nullptr;
    TM_DELETE(window_);
    window_ = nullptr;
    for (tmMachine*& m : machines_) {
        TM_DELETE(m);
        m = nullptr;
    }
    // After the machines, whose effect parts hand their trail slots back.
    if (effectsStarted_) {
        tyBoostTailManager::Instance().Release();
        ty_sEffectManager::Instance().Release();
        effectsStarted_ = false;
    }
    if (course_) course_->Release();
    TM_DELETE(course_);
    course_ = nullptr;
    TM_DELETE(hud_);
    hud_ = nullptr;
    TM_DELETE(camera_);
    camera_ = nullptr;
    tmRaceState& rs = tmRaceState::Get();
    for (tmMachineCore*& c : rs.cores) c = nullptr;
    if (group32Loaded_)
        if (const yiResourceGroup* g = yiResourceGroup::Get(kSharedEffectsGroup)) g->Unload();
    group32Loaded_ = false;
    tmDraw::SetRaceLayout(false);
}
