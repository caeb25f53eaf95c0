// tmSeqMachineSelect.cpp -- the machine select's states, the cover between machines and the race-state writes.
#include "menu/tmSeqMachineSelect.h"

#include "content_tables.h"
#include "menu/tmMachineSelectFrontend.h"
#include "menu/tmMenuCommon.h"
#include "menu/tmMenuFlow.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmInputActions.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmConsole.h"
#include "table/tmSpriteGroup.h"

const tmSeqMachineSelect::Entry tmSeqMachineSelect::kList[kMachineCount] = {
    {1, 24, content::SPR_MACHINESELECT_TORVIN},    {9, 32, content::SPR_MACHINESELECT_PRENTISG},
    {2, 25, content::SPR_MACHINESELECT_BELMAR},    {3, 26, content::SPR_MACHINESELECT_QUESSAJ},
    {4, 27, content::SPR_MACHINESELECT_QUESSAM},   {5, 28, content::SPR_MACHINESELECT_DRAVIKR},
    {6, 29, content::SPR_MACHINESELECT_DRAVIKS},   {7, 30, content::SPR_MACHINESELECT_OLVANEE},
    {8, 31, content::SPR_MACHINESELECT_OLVANEL},   {10, 33, content::SPR_MACHINESELECT_CUSTRELK},
    {11, 34, content::SPR_MACHINESELECT_CUSTRELS},
};

tmSeqMachineSelect::tmSeqMachineSelect() = default;
tmSeqMachineSelect::~tmSeqMachineSelect() { Term(); }

void tmSeqMachineSelect::Init() {
    frontend_ = TM_NEW tmMachineSelectFrontend();
    frontend_->Init(kMachineCount, tmMachineSelectFrontend::kSelect);
    frontend_->SetCover(1, true, tmMachineSelectFrontend::kWhite);
    frontend_->SetCover(0, false, tmMachineSelectFrontend::kKeepColour);
    for (const Entry& e : kList) tmSpriteGroup::Load(e.spriteGroup);
    loaded_ = true;
    cursor_ = shown_ = 0;
    decided_ = 0;
    transmission_ = 0;
    next_ = 0;
    state_ = kEntering;
    previous_ = -1;
    steps_ = total_ = 0;
    tmMenu::PlayMusic(tmMusicStream::kSelect);
}

void tmSeqMachineSelect::Term() {
    TM_DELETE(frontend_);
    frontend_ = nullptr;
    if (!loaded_) return;
    for (const Entry& e : kList) tmSpriteGroup::Unload(e.spriteGroup);
    loaded_ = false;
}

// The picture follows the cursor under a black cover: it closes, the machine changes, it opens.
void tmSeqMachineSelect::CoverRule() {
    if (cursor_ == shown_) {
        if (frontend_->IsCoverFull()) frontend_->SetCover(0, false, tmMachineSelectFrontend::kBlack);
    } else {
        if (frontend_->GetCoverDirection() == 0) frontend_->SetCover(1, false, tmMachineSelectFrontend::kBlack);
        if (frontend_->IsCoverFull()) shown_ = cursor_;
    }
}

// The choice goes to the cup or to the local entrant.
void tmSeqMachineSelect::Decide() {
    tmRaceState& rs = tmRaceState::Get();
    const uint32_t machine = kList[cursor_].machine;
    if (rs.setup.mode == kRaceModeCup) {
        rs.StartCup(rs.cup.cupId, machine, transmission_);
    } else {
        tmEntrant e;
        e.machineId = machine;
        e.controllerType = kControllerPlayer;
        e.variant = transmission_;
        e.entrantId = 0;
        rs.SetEntrant(static_cast<int>(rs.setup.local), e);
    }
}

int tmSeqMachineSelect::Update() {
    if (state_ != previous_) {
        previous_ = state_;
        steps_ = 0;
    }
    switch (state_) {
        case kEntering:
            if (!frontend_->IsBusy() && frontend_->IsCoverClear()) state_ = kMachine;
            break;
        case kMachine: {
            int move = 0;
            if (tmMenu::Triggered(tmAction::kRight)) move = 1;
            if (tmMenu::Triggered(tmAction::kLeft)) move = -1;
            if (move) {
                cursor_ = (cursor_ + move + kMachineCount) % kMachineCount;
                tmMenu::PlaySound(tmMenuSound::kCursor);
            }
            if (tmMenu::Cancel()) {
                state_ = kCancelled;
                tmMenu::PlaySound(tmMenuSound::kBack);
            } else if (tmMenu::Decide()) {
                state_ = kTransmission;
                tmMenu::PlaySound(tmMenuSound::kDecide);
            }
            CoverRule();
            break;
        }
        case kTransmission:
            if (tmMenu::Triggered(tmAction::kRight) || tmMenu::Triggered(tmAction::kLeft)) {
                transmission_ ^= 1u;
                tmMenu::PlaySound(tmMenuSound::kCursor);
            }
            frontend_->ShowTransmission(transmission_ == 0);
            if (tmMenu::Cancel()) {
                state_ = kMachine;
                tmMenu::PlaySound(tmMenuSound::kBack);
                frontend_->HideTransmission();
            } else if (tmMenu::Decide()) {
                state_ = kLeaving;
                decided_ = 1;
                tmMenu::PlaySound(tmMenuSound::kDecide);
            }
            CoverRule();
            break;
        case kCancelled:
            CoverRule();
            if (cursor_ == shown_ && frontend_->IsCoverClear()) state_ = kLeaving;
            break;
        case kLeaving:
            if (steps_ == 0) {
                frontend_->Leave();
                frontend_->SetCover(1, false,
                                    decided_ ? tmMachineSelectFrontend::kBlack : tmMachineSelectFrontend::kWhite);
            }
            if (next_ == 0) {
                if (!tmMenuFlow::IsNormalPlay()) {
                    next_ = 1;
                } else if (decided_) {
                    Decide();
                    next_ = kSeqLoading;
                } else {
                    next_ = kSeqMainMenu;
                }
                tmMenu::StopMusic();
            }
            break;
        default: break;
    }
    ++steps_;
    ++total_;
    tmDraw::GetInstance()->SetQueuePlane(D3DXVECTOR3(0.0f, 10.0f, 0.0f));
    frontend_->Update(kList[shown_].machine);
    return frontend_->IsBusy() || frontend_->IsCoverClear() ? 0 : next_;
}

void tmSeqMachineSelect::Draw() {
    tmDraw::GetInstance()->DrawSpriteScaledAlpha(static_cast<int>(kList[shown_].background), -171.0f, 0.0f, 1.0f, 1.0f,
                                                 1.0f, tmSpritePlacement::kVirtualScreen);
    tmConsole::SetCursor(1, 1, 0);
    tmConsole::Printf("MachineSelect (%d)", state_);
    tmConsole::SetCursor(1, 2, 0);
    tmConsole::Printf("Press Enter to Return. ( %d )", total_);
    tmConsole::SetCursor(1, 3, 0);
    tmConsole::Printf("Press R to ChangeReflect.[%d]", 0);
    if (frontend_) frontend_->Draw(true);
}
