// tmSeqMachineViewer.cpp -- the garage's list, cover, cameras and the machine rebuilt on the turntable.
#include "menu/tmSeqMachineViewer.h"

#include "app/tmCameraCtrl.h"
#include "content_tables.h"
#include "course/tmCourse.h"
#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "menu/tmMachineSelectFrontend.h"
#include "menu/tmMenuCommon.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmConsole.h"
#include "table/MachineTable.h"
#include "table/ScreenLayoutTables.h"
#include "table/tmSpriteGroup.h"
#include "table/yiResourceGroup.h"

const uint32_t tmSeqMachineViewer::kListMachines[kEntries] = {0, 1, 9, 2, 3, 4, 5, 6, 7, 8, 10, 11};

namespace {
constexpr int kGarageCourse = 1;
constexpr int kCommonResources = 32;
constexpr int kViewerGroup = 35;
constexpr float kWindowX = 0.0f, kWindowY = 94.0f;
constexpr int32_t kWindowFadeDelay = 8;
// The showroom's own light, not the garage course's: from above, a hair off the vertical so the
// shadow view built along it never lines up with the up axis; w (the ambient share) as the course
// lights carry it.
constexpr float kViewerLight[4] = {0.0f, -1.0f, -0.001f, -1.0f};

uint32_t Label(uint32_t machine) {
    switch (machine) {
        case 1: return content::SPR_MV_STR_TORVIN;
        case 9: return content::SPR_MV_STR_PRENTISG;
        case 2: return content::SPR_MV_STR_BELMAR;
        case 3: return content::SPR_MV_STR_QUESSAJ;
        case 4: return content::SPR_MV_STR_QUESSAM;
        case 5: return content::SPR_MV_STR_DRAVIKR;
        case 6: return content::SPR_MV_STR_DRAVIKS;
        case 7: return content::SPR_MV_STR_OLVANEE;
        case 8: return content::SPR_MV_STR_OLVANEL;
        case 10: return content::SPR_MV_STR_CUSTRELK;
        case 11: return content::SPR_MV_STR_CUSTRELS;
        default: return 0;
    }
}

void LoadGroup(int id, bool load) {
    if (id < 0) return;
    if (const yiResourceGroup* g = yiResourceGroup::Get(id)) {
        if (load)
            g->Load();
        else
            g->Unload();
    }
}
}  // namespace

tmSeqMachineViewer::tmSeqMachineViewer() = default;
tmSeqMachineViewer::~tmSeqMachineViewer() { Term(); }

int tmSeqMachineViewer::GetCameraMode() const { return kCameraModes[camera_]; }

void tmSeqMachineViewer::Init() {
    course_ = TM_NEW tmCourse();
    course_->Init(kGarageCourse);
    LoadGroup(kCommonResources, true);
    tmSpriteGroup::Load(kViewerGroup);
    loaded_ = true;
    frontend_ = TM_NEW tmMachineSelectFrontend();
    frontend_->Init(11, tmMachineSelectFrontend::kGarage);
    frontend_->SetCover(1, true, tmMachineSelectFrontend::kWhite);
    frontend_->SetCover(0, false, tmMachineSelectFrontend::kKeepColour);
    window_ = tmMenu::MakeTween(MachineViewerTitlePlacement);
    for (int e = 0; e < kEntries; ++e) cursors_[e] = tmMenu::MakeTween(MachineViewerListPlacements[e]);
    camera_ = 0;
    camera_ctrl_ = TM_NEW tmCameraCtrl();
    camera_ctrl_->Init();
    camera_ctrl_->SetMode(GetCameraMode());
    camera_ctrl_->Update();
    cursor_ = chosen_ = shown_ = 0;
    state_ = kEntering;
    previous_ = -1;
    steps_ = total_ = 0;
    next_ = 0;
    tmMenu::StopMusic();
    tmMenu::PlayMusic(tmMusicStream::kViewers);
}

void tmSeqMachineViewer::Term() {
    TM_DELETE(frontend_);
    frontend_ = nullptr;
    TM_DELETE(window_);
    window_ = nullptr;
    tmMenu::DeleteTweens(cursors_, kEntries);
    TM_DELETE(machine_);
    machine_ = nullptr;
    LoadMachineGroups(loadedMachine_, false);
    if (loaded_) {
        LoadGroup(kCommonResources, false);
        tmSpriteGroup::Unload(kViewerGroup);
        loaded_ = false;
    }
    if (course_) course_->Release();
    TM_DELETE(course_);
    course_ = nullptr;
    TM_DELETE(camera_ctrl_);
    camera_ctrl_ = nullptr;
}

// The shown machine's model groups stay loaded while it stands in the garage.
void tmSeqMachineViewer::LoadMachineGroups(uint32_t machine, bool load) {
    const MachineSpec* spec = machine ? GetMachineSpec(static_cast<int>(machine)) : nullptr;
    if (!spec) return;
    LoadGroup(spec->bankGroup, load);
    LoadGroup(spec->secondBankGroup, load);
    loadedMachine_ = load ? machine : 0;
}

void tmSeqMachineViewer::RebuildMachine() {
    TM_DELETE(machine_);
    machine_ = nullptr;
    LoadMachineGroups(loadedMachine_, false);
    const uint32_t id = kListMachines[shown_];
    if (id == 0) return;
    LoadMachineGroups(id, true);
    tmEntrant e;
    e.machineId = id;
    e.controllerType = kControllerPlayer;
    e.variant = 0;
    e.entrantId = 0;
    machine_ = TM_NEW tmMachine();
    machine_->Init(course_, e, 0, true, true);
    if (tmMachineCore* core = machine_->GetCore()) core->viewerMode = 1;
}

void tmSeqMachineViewer::MoveCursorTween(int entry, bool selected) {
    const SpritePlacement& p = MachineViewerListPlacements[entry];
    tmMenu::Move(cursors_[entry], p.x, p.y, selected ? 1.0f : 0.0f);
}

void tmSeqMachineViewer::ShowList(bool shown) {
    tmMenu::Move(window_, kWindowX, kWindowY, shown ? 1.0f : 0.0f, shown ? 0 : kWindowFadeDelay);
    MoveCursorTween(cursor_, shown);
}

// The machine follows the chosen entry under a black cover; it is swapped once the cover is full
// and the list has faded.
void tmSeqMachineViewer::CoverRule() {
    if (chosen_ == shown_) {
        if (frontend_->IsCoverFull()) frontend_->SetCover(0, false, tmMachineSelectFrontend::kBlack);
        return;
    }
    if (frontend_->GetCoverDirection() == 0) frontend_->SetCover(1, false, tmMachineSelectFrontend::kBlack);
    if (frontend_->IsCoverFull() && !window_->IsOnScreen()) {
        shown_ = chosen_;
        RebuildMachine();
    }
}

int tmSeqMachineViewer::Update() {
    if (state_ != previous_) {
        previous_ = state_;
        steps_ = 0;
    }
    const tmPeripheral* in = tmPeripheral::GetInstance();
    switch (state_) {
        case kEntering:
            if (!frontend_->IsBusy() && frontend_->IsCoverClear()) {
                state_ = kList;
                ShowList(true);
            }
            break;
        case kList: {
            int move = 0;
            if (tmMenu::Triggered(tmAction::kDown)) move = 1;
            if (tmMenu::Triggered(tmAction::kUp)) move = -1;
            if (move) {
                MoveCursorTween(cursor_, false);
                cursor_ = (cursor_ + move + kEntries) % kEntries;
                MoveCursorTween(cursor_, true);
                tmMenu::PlaySound(tmMenuSound::kCursor);
            }
            const bool decide = tmMenu::Decide();
            const bool pause = in && in->IsPauseTriggered(0);
            if (tmMenu::Cancel() || (decide && cursor_ == 0)) {
                state_ = kLeaving;
                frontend_->HideTransmission();
                tmMenu::Move(window_, kWindowX, kWindowY, 0.0f, kWindowFadeDelay);
                tmMenu::PlaySound(tmMenuSound::kBack);
            } else if (decide || pause) {
                state_ = kViewing;
                chosen_ = cursor_;
                ShowList(false);
                tmMenu::PlaySound(tmMenuSound::kDecide);
            }
            CoverRule();
            break;
        }
        case kViewing:
            if (tmMenu::KeyTriggered(tmKey::kP) || (in && in->IsAction13Triggered(0))) {
                camera_ = (camera_ + 1) % 5;
                camera_ctrl_->SetMode(GetCameraMode());
            }
            camera_ctrl_->Update();
            if (tmMenu::KeyTriggered(tmKey::kEscape) || tmMenu::KeyTriggered(tmKey::kReturn) ||
                tmMenu::KeyTriggered(tmKey::kNumpadEnter) || (in && in->IsPauseTriggered(0))) {
                tmMenu::PlaySound(tmMenuSound::kOpen);
                state_ = kList;
                ShowList(true);
            }
            CoverRule();
            break;
        case kLeaving:
            CoverRule();
            if (chosen_ == shown_ && frontend_->IsCoverClear()) state_ = kDone;
            break;
        case kDone:
            if (steps_ == 0) {
                frontend_->Leave();
                frontend_->SetCover(1, false, tmMachineSelectFrontend::kWhite);
            }
            next_ = tmMenu::NextId(kSeqMainMenu);
            tmMenu::StopMusic();
            break;
        default: break;
    }
    ++steps_;
    ++total_;
    if (machine_) {
        machine_->Update(course_);
        if (tmMachineCore* core = machine_->GetCore()) {
            D3DXMATRIX identity;
            D3DXMatrixIdentity(&identity);
            core->SetWorldMatrix(identity);
        }
    }
    frontend_->Update(kListMachines[shown_]);
    tmMenu::UpdateTweens(&window_, 1);
    tmMenu::UpdateTweens(cursors_, kEntries);
    return frontend_->IsBusy() || frontend_->IsCoverClear() ? 0 : next_;
}

void tmSeqMachineViewer::Draw() {
    tmConsole::SetCursor(1, 1, 0);
    tmConsole::Printf("MachineViewer state %d", state_);
    if (state_ == kList) {
        for (int e = 0; e < kEntries; ++e) {
            const MachineSpec* spec = GetMachineSpec(static_cast<int>(kListMachines[e]));
            tmConsole::SetCursor(1, 2 + e, 0);
            tmConsole::Printf("%s %s", e == cursor_ ? ">" : " ", e == 0 ? "RETURN" : spec ? spec->displayName : "");
        }
    }
    if (!frontend_) return;
    camera_ctrl_->UpdateView();
    camera_ctrl_->Apply();
    tmDraw* draw = tmDraw::GetInstance();
    draw->SetLightDirectionDefault(kViewerLight);
    if (machine_) {
        if (tmMachineCore* core = machine_->GetCore()) {
            D3DXMATRIX lifted;
            D3DXMatrixTranslation(&lifted, 0.0f, 1.0f, 0.0f);
            core->SetWorldMatrix(lifted);
        }
        machine_->Draw(false);
        machine_->DrawViewer();
    }
    course_->Draw(0);
    frontend_->Draw(false);
    window_->Draw();
    for (int k = 1; k < kEntries; ++k) {
        window_->DrawPart({content::SPR_MV_CURSOR_BASE, 256.0f, 65.0f + 32.0f * (k - 1), 1.0f}, 1.0f, 1.0f);
    }
    tmMenu::DrawTweens(cursors_, kEntries);
    for (int k = 1; k < kEntries; ++k)
        window_->DrawPart({Label(kListMachines[k]), 384.0f, 69.0f + 32.0f * (k - 1), 1.0f}, 1.0f, 1.0f);
}
