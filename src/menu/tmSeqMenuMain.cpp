// tmSeqMenuMain.cpp -- the main menu's states, pages and the dispatch into every road of the game.
#include "menu/tmSeqMenuMain.h"

#include <algorithm>

#include "menu/tmCommonWindow.h"
#include "menu/tmMenuCommon.h"
#include "menu/tmMenuFlow.h"
#include "menu/tmMenuMainLayout.h"
#include "race/tmRaceState.h"
#include "race/tmReplay.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmInputActions.h"
#include "sys/render/tmDraw.h"
#include "table/ScreenLayoutTables.h"
#include "table/tmSpriteGroup.h"

namespace L = tmMenuMainLayout;

namespace {
constexpr int kCommonGroup = 13;
constexpr int kMenuGroup = 36;
constexpr int kBackgroundGroup = 38;
constexpr int kIntroSoundStep = 20;
constexpr int kIntroSteps = 60;
constexpr float kLevelStep = 0.1f;

// The page of each top entry in the page table.
const MenuPageLayout& Page(int entry) { return MainMenuPageTable[entry >= 0 && entry < 6 ? entry : 5]; }

// Whether the entry comes back to this menu with its frames standing (the viewers and options).
bool FramesStand(int previousId) { return previousId >= 14 && previousId <= 20; }

void Approach(float* level, bool selected) {
    *level = selected ? std::min(1.0f, *level + kLevelStep) : std::max(0.0f, *level - kLevelStep);
}
}  // namespace

tmSeqMenuMain::tmSeqMenuMain() = default;
tmSeqMenuMain::~tmSeqMenuMain() { Term(); }

int tmSeqMenuMain::GetPageCursor(int entry) const {
    if (entry == kCup) return cupCursor_;
    return entry >= 0 && entry < kEntries ? pageCursor_[entry] : 0;
}

int* tmSeqMenuMain::PageCursor(int entry) { return &pageCursor_[entry >= 0 && entry < kEntries ? entry : 0]; }

int tmSeqMenuMain::PageCount(int entry) { return static_cast<int>(Page(entry).count); }

void tmSeqMenuMain::Init() {
    tmDraw::GetInstance()->SetClearColor(0xFFFFFFFFu);
    tmSpriteGroup::Load(kCommonGroup);
    tmSpriteGroup::Load(kMenuGroup);
    tmSpriteGroup::Load(kBackgroundGroup);
    for (int k = 0; k < kEntries; ++k) {
        const SpritePlacement p = {L::kTopX, L::kTopStartY, 0.0f, L::kTopEntries[k].off, 0, 0.0f, 0.0f};
        entries_[k] = tmMenu::MakeTween(p);
        tmMenu::Move(entries_[k], L::kTopX, L::kTopY + L::kTopStep * k, 1.0f, L::kTopFirstDelay - L::kTopDelayStep * k);
    }
    if (FramesStand(tmGetPreviousSequenceId())) {
        for (int f = 0; f < kFrames; ++f) frames_[f] = tmMenu::MakeTween(L::kFramesInPlace[f]);
    } else {
        for (int f = 0; f < kFrames; ++f) frames_[f] = tmMenu::MakeTween(MainMenuPlacements[f]);
        tmMenu::Move(frames_[kHead], frames_[kHead]->x, L::kHeadY, 1.0f);
        tmMenu::Move(frames_[kFoot], frames_[kFoot]->x, L::kFootY, 1.0f);
        tmMenu::Move(frames_[kSubFrame], frames_[kSubFrame]->x, L::kSubRestY, 1.0f, L::kSubEnterDelay);
        tmMenu::Move(frames_[kInfoFrame], frames_[kInfoFrame]->x, L::kInfoY, 1.0f, L::kInfoEnterDelay);
    }
    frames_[kCover]->scaleX = L::kCoverScaleX;
    frames_[kCover]->scaleY = L::kCoverScaleY;
    tmMenu::PlayMusic(tmMusicStream::kMenu);
    window_ = TM_NEW tmCommonWindow();
    state_ = kIntro;
    previous_ = -1;
    steps_ = 0;
    next_ = 0;
    waitCounter_ = 0;
    waitLimit_ = -1;
    total_ = 0;
    chosenPage_ = -1;
    chosenEntry_ = 0;
}

void tmSeqMenuMain::Term() {
    if (!window_ && !frames_[0] && !entries_[0]) return;
    tmSpriteGroup::Unload(kCommonGroup);
    tmSpriteGroup::Unload(kMenuGroup);
    tmSpriteGroup::Unload(kBackgroundGroup);
    TM_DELETE(window_);
    window_ = nullptr;
    tmMenu::DeleteTweens(frames_, kFrames);
    tmMenu::DeleteTweens(entries_, kEntries);
}

// ---- update ---------------------------------------------------------------------------------

int tmSeqMenuMain::Update() {
    for (int k = 0; k < kEntries; ++k) Approach(&topLevel_[k], k == top_);
    const int pageCursor = top_ == kQuit ? -1 : pageCursor_[top_];
    for (int i = 0; i < kSubEntries; ++i) Approach(&subLevel_[i], i == pageCursor);
    tmMenu::UpdateTweens(frames_, kFrames);
    tmMenu::UpdateTweens(entries_, kEntries);
    if (waitCounter_++ <= waitLimit_) return 0;
    if (state_ != previous_) {
        previous_ = state_;
        steps_ = 0;
    }
    switch (state_) {
        case kIntro:
            if (steps_ == kIntroSoundStep) tmMenu::PlaySound(tmMenuSound::kSlide);
            if (steps_ > kIntroSteps) state_ = kTop;
            break;
        case kTop: RunTop(); break;
        case kSingle: RunPage(kCircuit); break;
        case kReplay: RunPage(kStands); break;
        case kNetwork: RunPage(kNet); break;
        case kViewer: RunPage(kRecord); break;
        case kOptions: RunPage(kOption); break;
        case kLobbyQuestion: RunLobbyQuestion(); break;
        case kCup: RunCup(); break;
        case kLeave: Dispatch(); break;
        default: break;
    }
    for (int i = 0; i < kCupEntries; ++i) Approach(&cupLevel_[i], state_ == kCup && i == cupCursor_);
    ++steps_;
    ++total_;
    return next_;
}

// Up and down with wrap over `count` entries, skipping disabled ones: the top page's
// (page -1), a sub-page's (its top entry) or the cup choice's (kCup, all enabled).
void tmSeqMenuMain::MoveCursor(int* cursor, int count, int page, uint32_t sound) {
    if (count <= 0) return;
    int dir = 0;
    if (tmMenu::Triggered(tmAction::kUp)) dir = -1;
    if (tmMenu::Triggered(tmAction::kDown)) dir = 1;
    if (dir == 0) return;
    int c = *cursor;
    for (int tries = 0; tries < count; ++tries) {
        c = (c + dir + count) % count;
        bool enabled = true;
        if (page < 0)
            enabled = L::kTopEntries[c].enabled != 0;
        else if (page < kEntries)
            enabled = Page(page).items[c].selectable != 0;
        if (enabled) break;
    }
    *cursor = c;
    tmMenu::PlaySound(sound);
}

void tmSeqMenuMain::RunTop() {
    MoveCursor(&top_, kEntries, -1, tmMenuSound::kCursor);
    if (!tmMenu::Decide()) return;
    tmMenu::Move(frames_[kSubFrame], frames_[kSubFrame]->x, L::kSubOpenY[top_], 1.0f);
    if (top_ == kQuit) {
        tmMenu::PlaySound(tmMenuSound::kLeave);
        StartLeave(false);
        chosenPage_ = kQuit;
        chosenEntry_ = 0;
        state_ = kLeave;
        return;
    }
    tmMenu::Move(frames_[kCover], frames_[kCover]->x, frames_[kCover]->y, 1.0f);
    tmMenu::PlaySound(tmMenuSound::kPageOpen);
    static const int32_t kPageStates[kEntries] = {kSingle, kReplay, kNetwork, kViewer, kOptions, kLeave};
    state_ = kPageStates[top_];
}

void tmSeqMenuMain::ClosePage() {
    tmMenu::Move(frames_[kSubFrame], frames_[kSubFrame]->x, L::kSubRestY, 1.0f);
    tmMenu::Move(frames_[kCover], frames_[kCover]->x, frames_[kCover]->y, 0.0f);
    tmMenu::PlaySound(tmMenuSound::kBack);
    state_ = kTop;
}

void tmSeqMenuMain::RunPage(int entry) {
    int* cursor = PageCursor(entry);
    MoveCursor(cursor, PageCount(entry), entry, tmMenuSound::kSubCursor);
    const bool decide = tmMenu::Decide();
    const bool isReturn = *cursor == PageCount(entry) - 1;
    if (decide && entry == kCircuit) {
        // Every single-player road starts from a plain local player on machine 1.
        tmEntrant e;
        e.machineId = 1;
        e.controllerType = kControllerPlayer;
        e.variant = 0;
        e.entrantId = 0;
        tmRaceState::Get().entrants[0] = e;
    }
    if ((decide && isReturn) || (!decide && tmMenu::Cancel())) {
        ClosePage();
        return;
    }
    if (!decide) return;
    chosenPage_ = entry;
    chosenEntry_ = *cursor;
    if (entry == kCircuit && *cursor == kCupRace) {
        tmMenu::PlaySound(tmMenuSound::kDecide);
        tmMenu::Move(frames_[kRaceSelect], frames_[kRaceSelect]->x, frames_[kRaceSelect]->y, 1.0f);
        state_ = kCup;
    } else if (entry == kNet && *cursor == kLobby) {
        window_->Init(tmCommonWindow::kTypeConnect);
        window_->Open();
        tmMenu::PlaySound(tmMenuSound::kOpen);
        state_ = kLobbyQuestion;
    } else if (entry == kOption) {
        tmMenu::PlaySound(tmMenuSound::kOpen);
        StartLeave(true);
        state_ = kLeave;
    } else {
        tmMenu::PlaySound(tmMenuSound::kDecide);
        state_ = kLeave;
    }
}

void tmSeqMenuMain::RunCup() {
    MoveCursor(&cupCursor_, kCupEntries, kCup, tmMenuSound::kSubCursor);
    const bool decide = tmMenu::Decide();
    const bool cancel = !decide && tmMenu::Cancel();
    if (!decide && !cancel) return;
    tmMenu::Move(frames_[kRaceSelect], frames_[kRaceSelect]->x, frames_[kRaceSelect]->y, 0.0f);
    if (cancel || cupCursor_ == kCupEntries - 1) {
        tmMenu::PlaySound(tmMenuSound::kBack);
        state_ = kSingle;
        return;
    }
    tmMenu::PlaySound(tmMenuSound::kOpen);
    StartLeave(true);
    chosenPage_ = kCup;
    chosenEntry_ = cupCursor_;
    state_ = kLeave;
}

void tmSeqMenuMain::RunLobbyQuestion() {
    window_->Update();
    if (!window_->IsClosed()) return;
    state_ = window_->choice ? kLeave : kNetwork;
    window_->Term();
}

// The frames and entries slide away; the dispatch follows after kLeaveWait + 1 steps.
void tmSeqMenuMain::StartLeave(bool keepBackground) {
    tmSpriteTween* const* f = frames_;
    tmMenu::Move(f[kHead], f[kHead]->x, L::kHeadLeaveY, f[kHead]->alpha);
    tmMenu::Move(f[kFoot], f[kFoot]->x, L::kOffBottom, f[kFoot]->alpha, L::kFootLeaveDelay);
    tmMenu::Move(f[kSubFrame], f[kSubFrame]->x, L::kOffBottom, f[kSubFrame]->alpha);
    tmMenu::Move(f[kInfoFrame], f[kInfoFrame]->x, L::kOffBottom, f[kInfoFrame]->alpha);
    tmMenu::Move(f[kBackground], f[kBackground]->x, f[kBackground]->y, keepBackground ? 1.0f : 0.0f);
    tmMenu::Move(f[kCover], f[kCover]->x, f[kCover]->y, 0.0f);
    tmMenu::Move(f[kRaceSelect], f[kRaceSelect]->x, f[kRaceSelect]->y, 0.0f);
    for (int k = 0; k < kEntries; ++k)
        tmMenu::Move(entries_[k], L::kTopX, L::kTopStartY, 0.0f, (kEntries - 1 - k) * L::kTopDelayStep);
    waitCounter_ = 0;
    waitLimit_ = kLeaveWait;
    tmMenu::PlaySound(tmMenuSound::kSlide);
}

// The final choice: race-state writes, the next id and the music.
void tmSeqMenuMain::Dispatch() {
    if (next_ != 0) return;
    if (!tmMenuFlow::IsNormalPlay()) {
        tmMenu::StopMusic();
        next_ = 1;
        return;
    }
    tmRaceState& rs = tmRaceState::Get();
    bool stop = true;
    int next = kSeqQuit;
    switch (chosenPage_) {
        case kCircuit:
            if (chosenEntry_ == kVsGhost) {
                rs.setup.mode = kRaceModeGhost;
                next = kSeqReplaySelect;
                stop = false;
            } else {
                rs.setup.mode = kRaceModeSingle;
                next = kSeqCourseSelect;
            }
            break;
        case kCup:
            rs.setup.mode = kRaceModeCup;
            rs.cup.cupId = 1 + static_cast<uint32_t>(chosenEntry_);
            next = kSeqMachineSelect;
            break;
        case kStands:
            if (chosenEntry_ == kWatch) {
                rs.setup.mode = kRaceModeReplay;
                next = kSeqReplaySelect;
                stop = false;
            } else {
                // The demo's mode must stand before the replay sets the race up; a
                // failed pick leaves the mode as it was.
                const uint32_t oldMode = rs.setup.mode;
                rs.setup.mode = kRaceModeDemo;
                tmReplay* replay = tmReplay::Get();
                if (replay && replay->LoadRandom()) {
                    next = kSeqLoading;
                } else {
                    rs.setup.mode = oldMode;
                    next = kSeqTitle;
                }
            }
            break;
        case kNet:
            if (chosenEntry_ == kLobby) {
                rs.setup.mode = kRaceModeLobby;
                next = kSeqLobby;
            } else {
                rs.hostFlag = chosenEntry_ == kCreate ? 1 : 0;
                rs.setup.mode = kRaceModeDirect;
                rs.setup.course = 0;
                rs.setup.laps = 3;
                next = chosenEntry_ == kCreate ? kSeqCourseSelect : kSeqJoinRace;
            }
            break;
        case kRecord: {
            static const int kViewers[3] = {8, 15, 16};
            next = kViewers[std::clamp(chosenEntry_, 0, 2)];
            stop = false;
            break;
        }
        case kOption:
            next = 17 + std::clamp(chosenEntry_, 0, 3);
            stop = false;
            break;
        default: break;  // quit
    }
    if (stop) tmMenu::StopMusic();
    next_ = next;
}
