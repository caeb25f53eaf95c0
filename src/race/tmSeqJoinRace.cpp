// tmSeqJoinRace.cpp -- the waiting room's states, input, entry exchange, course loading and the hand-over.
#include "race/tmSeqJoinRace.h"

#include "app/tmCameraCtrl.h"
#include "course/tmCourse.h"
#include "menu/tmSeqLoadingCourse.h"
#include "menu/tmSpriteTween.h"
#include "race/tmJoinRaceSprites.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmDraw.h"
#include "sys/sound/tmSound.h"
#include "sys/sound/tmSoundIds.h"
#include "table/MachineTable.h"
#include "table/tmSpriteGroup.h"
#include "table/yiResourceGroup.h"

namespace {

constexpr int kRoomGroup = 20;
constexpr int kCommonGroup = 13;
constexpr int kSharedEffectsGroup = 32;
constexpr int kNetworkRaceGroup = 34;
constexpr int kFixedPathCamera = 22;

// Machines 1, 9, 2 ... 11 with automatic gears, then the same with manual gears.
constexpr uint32_t kMachineOrder[11] = {1, 9, 2, 3, 4, 5, 6, 7, 8, 10, 11};

// Title sprites: where they start, where they show and where they go when the room closes.
struct TitleLayout {
    uint32_t sprite;
    SpritePlacement start;
    SpriteTarget shown;
    SpriteTarget closed;
};
// The virtual screen's x runs from -171 (the left edge of a 1366-wide screen) to 1195.
const TitleLayout kTitles[tmSeqJoinRace::kTitleSprites] = {
    {tmJoinRaceSprites::kTitleBase, {-151, -100, 0, 0, 0, 0, 0}, {-151, 16, 1, 0}, {-151, -100, 0, 0}},
    {tmJoinRaceSprites::kTitleHost, {-131, -90, 0, 0, 0, 0, 0}, {-131, 20, 1, 2}, {-131, -90, 0, 0}},
    {tmJoinRaceSprites::kHead, {0, 98, 0, 0, 0, 0, 0}, {0, 98, 1, 4}, {0, 98, 0, 0}},
    {tmJoinRaceSprites::kLeave, {795, -80, 0, 0, 0, 0, 0}, {795, 26, 1, 6}, {795, -80, 0, 0}},
    {tmJoinRaceSprites::kReady, {985, -80, 0, 0, 0, 0, 0}, {985, 26, 1, 8}, {985, -80, 0, 0}},
    {tmJoinRaceSprites::kStatusWaiting, {-131, 62, 0, 0, 0, 0, 0}, {-131, 62, 1, 10}, {-131, 62, 0, 0}},
};
enum Title { kBase = 0, kCaption = 1, kHead = 2, kLeaveButton = 3, kReadyButton = 4, kStatus = 5 };

void Play(uint32_t id) {
    if (tmSound* sound = tmSound::GetInstance()) sound->Play(id);
}

float RowY(int32_t slot) { return tmSeqJoinRace::kRowTop + tmSeqJoinRace::kRowSpacing * static_cast<float>(slot); }

}  // namespace

tmSeqJoinRace::Choice tmSeqJoinRace::GetChoice(int index) {
    index = ((index % kChoices) + kChoices) % kChoices;
    return {kMachineOrder[index % 11], static_cast<uint32_t>(index / 11)};
}

tmSeqJoinRace::tmSeqJoinRace() = default;

tmSeqJoinRace::~tmSeqJoinRace() { Term(); }

tmRaceNetwork* tmSeqJoinRace::Net() const { return tmRaceNetwork::Get(); }

void tmSeqJoinRace::Init() {
    tmDraw::GetInstance()->SetClearColor(0xFF000000u);
    tmSpriteGroup::Load(kRoomGroup);
    tmSpriteGroup::Load(kCommonGroup);
    digits_.Setup(tmJoinRaceSprites::kDigits, tmJoinRaceSprites::kDigitsWidth, tmJoinRaceSprites::kDigitsHeight,
                  tmJoinRaceSprites::kDigitCell, tmJoinRaceSprites::kDigitsHeight, tmJoinRaceSprites::kDigitCell);
    names_.Setup(tmJoinRaceSprites::kNameFont, tmJoinRaceSprites::kNameFontWidth, tmJoinRaceSprites::kNameFontHeight,
                 tmJoinRaceSprites::kNameCell, tmJoinRaceSprites::kNameCell, tmJoinRaceSprites::kNameAdvance);
    for (int i = 0; i < kTitleSprites; ++i) {
        titles_[i] = TM_NEW tmSpriteTween();
        SpritePlacement p = kTitles[i].start;
        p.spriteId = kTitles[i].sprite;
        titles_[i]->SetTarget(p);
    }
    for (int i = 0; i < kNetPlayers; ++i) {
        rows_[i] = TM_NEW tmSpriteTween();
        rows_[i]->SetTarget({kRowOut, RowY(i), 0.0f, tmJoinRaceSprites::kRow, 0, 0.0f, 0.0f});
    }

    tmRaceState& rs = tmRaceState::Get();
    state_ = kFadeIn;
    previous_ = 0xFFFFFFFFu;
    stateCounter_ = frames_ = 0;
    cursor_ = kCursorReady;
    choice_ = 0;
    resend_ = 0;
    ownIndex_ = -1;
    ready_ = leaving_ = 0;
    decision_ = 0;
    picked_ = -1;
    nextId_ = 0;
    tmRaceNetwork* net = Net();
    started_ = net && net->Start(rs.hostFlag != 0);
    if (started_) {
        const Choice c = GetChoice(choice_);
        net->SetOwnStatus(c.machine, c.variant);
    }
    previewReady_ = 0;
    if (rs.setup.course != 0) MakePreview();
}

void tmSeqJoinRace::MakePreview() {
    const tmRaceState& rs = tmRaceState::Get();
    if (!camera_) camera_ = TM_NEW tmCameraCtrl();
    camera_->Init();
    camera_->SetMode(kFixedPathCamera);
    if (!preview_) preview_ = TM_NEW tmCourse();
    preview_->Init(static_cast<int>(rs.setup.course));
    previewReady_ = 1;
}

int tmSeqJoinRace::Update() {
    if (!started_) {
        // The session could not open: nobody can be reached, so the room gives up at once.
        if (tmRaceNetwork* net = Net()) net->Stop();
        Leave();
        return nextId_ = kSeqTitle;
    }
    for (tmSpriteTween* s : titles_)
        if (s) s->Update();
    for (tmSpriteTween* s : rows_)
        if (s) s->Update();
    if (state_ != previous_) {
        previous_ = state_;
        stateCounter_ = 0;
        EnterState();
    }
    switch (state_) {
        case kFadeIn:
            if (stateCounter_ >= kFadeInFrames) state_ = kWaiting;
            break;
        case kWaiting: RunWaiting(); break;
        case kDeciding:
            if (stateCounter_ >= kLeaveFrames) Decide();
            break;
        default: break;
    }
    SyncEntryList();
    UpdateTitleSprites();
    if (preview_ && previewReady_) {
        preview_->Update();
        if (camera_) camera_->Update();
    }
    ++stateCounter_;
    ++frames_;
    return nextId_;
}

void tmSeqJoinRace::EnterState() {
    if (state_ == kWaiting) {
        const bool host = tmRaceState::Get().hostFlag != 0;
        for (int i = 0; i < kTitleSprites; ++i) {
            if (i == kCaption)
                titles_[i]->spriteId = host ? tmJoinRaceSprites::kTitleHost : tmJoinRaceSprites::kTitleGuest;
            titles_[i]->MoveTo(kTitles[i].shown, static_cast<int32_t>(kTitles[i].shown.delay));
        }
    }
}

bool tmSeqJoinRace::IsReadyForStart(const tmNetPlayerTable& table, bool countSelf) const {
    const tmRaceNetwork* net = Net();
    for (int i = 0; i < static_cast<int>(table.count); ++i) {
        if (i == ownIndex_ && !countSelf) continue;
        // A player silent for long has left: it does not hold the others up.
        if (!table.entries[i].ready && !(net && net->IsPlayerSilent(i))) return false;
    }
    return true;
}

void tmSeqJoinRace::RunWaiting() {
    tmRaceNetwork* net = Net();
    if (!net) return;
    const tmNetPlayerTable& table = net->GetTable();
    const bool host = net->IsHost();
    const tmPeripheral* in = tmPeripheral::GetInstance();

    // 1. Confirm on leave or ready/start.
    if (in && in->IsDecideTriggered() && !ready_ && !leaving_) {
        if (cursor_ == kCursorReady) {
            bool becomes = true;
            if (host) {
                becomes = table.count >= 2 && IsReadyForStart(table, false);
                if (!becomes) Play(tmSoundId::kRefused);
            } else {
                Play(tmSoundId::kReady);
            }
            if (becomes) {
                ready_ = 1;
                net->FreezeOwnStatus();
                net->Send(kNetMsgEntry);
                resend_ = 0;
            }
        } else if (cursor_ == kCursorLeave) {
            // Guests may leave too, not only the host.
            Play(tmSoundId::kConfirm);
            StartLeaving();
        }
    }

    // 2. The decision: 180 frames of rows sliding out, then the last 60.
    if (table.sessionState != kNetSessionOpen) {
        if (++decision_ > kDecisionFrames) {
            state_ = kDeciding;
            SlideOut();
            return;
        }
    }

    // 3. The host decides.
    if (host && table.sessionState == kNetSessionOpen) {
        if (leaving_) {
            net->Cancel();
            net->Send(kNetMsgTable);
        } else if (table.count >= 2 && IsReadyForStart(table, true)) {
            net->CheckAllReady();
            net->Send(kNetMsgTable);
            Play(tmSoundId::kAllReady);
        }
    }

    // 4. A guest follows the host's cancel.
    if (!host && !leaving_ && table.sessionState == kNetSessionCancelled) {
        Play(tmSoundId::kConfirm);
        StartLeaving();
    }

    // 5. Silence: in every waiting state (a lone host never runs out).
    if (net->GetSilence() > tmRaceNetwork::kRoomSilenceLimit && !leaving_) {
        Play(tmSoundId::kConfirm);
        StartLeaving();
        state_ = kDeciding;
        SlideOut();
        return;
    }
    if (leaving_ && !host) {
        // A guest has nobody to tell: it goes at once.
        state_ = kDeciding;
        SlideOut();
        return;
    }

    // 6. Choosing.
    if (!ready_ && !leaving_ && table.sessionState == kNetSessionOpen) {
        SlideRowsIn(table);
        HandleInput();
        if (in && in->IsRepeat(tmAction::kLeft, tmPlayer::kOne)) ChangeMachine(-1);
        if (in && in->IsRepeat(tmAction::kRight, tmPlayer::kOne)) ChangeMachine(1);
    }
    StartCourseLoad();
    // 7. The course loads for a guest that learnt it.
    UpdateLoading();
}

void tmSeqJoinRace::ChangeMachine(int step) {
    const Choice before = GetChoice(choice_);
    choice_ = (choice_ + step + kChoices) % kChoices;
    Play(tmSoundId::kCursor);
    const Choice now = GetChoice(choice_);
    if (now.machine == before.machine && now.variant == before.variant) return;
    tmRaceNetwork* net = Net();
    net->SetOwnStatus(now.machine, now.variant);
    net->Send(kNetMsgEntry);
    resend_ = 0;
}

void tmSeqJoinRace::HandleInput() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    tmRaceNetwork* net = Net();
    if (!in || !net) return;
    const tmNetPlayerTable& table = net->GetTable();
    const bool up = in->IsRepeat(tmAction::kUp, tmPlayer::kOne);
    const bool down = in->IsRepeat(tmAction::kDown, tmPlayer::kOne);
    if (net->IsHost()) {
        HandleHostRows(table);
        return;
    }
    // A guest moves between leave, ready and (once it has one) its own row.
    const int32_t own = ownIndex_ >= 0 ? kCursorFirstRow + ownIndex_ : kCursorLeave;
    if (up) {
        cursor_ = cursor_ == kCursorReady ? kCursorLeave : cursor_ == kCursorLeave ? own : kCursorReady;
        Play(tmSoundId::kRowCursor);
    } else if (down) {
        cursor_ = cursor_ == kCursorLeave ? kCursorReady : cursor_ == kCursorReady ? own : kCursorLeave;
        Play(tmSoundId::kRowCursor);
    }
}

void tmSeqJoinRace::HandleHostRows(const tmNetPlayerTable& table) {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    tmRaceNetwork* net = Net();
    const int count = static_cast<int>(table.count);
    // The row of a grid slot, -1 when none.
    auto rowOfSlot = [&](int slot) {
        for (int i = 0; i < count; ++i)
            if (table.entries[i].gridSlot == slot) return i;
        return -1;
    };
    const int lastSlot = count - 1;
    const int32_t slot = cursor_ >= kCursorFirstRow ? table.entries[cursor_ - kCursorFirstRow].gridSlot : -1;
    if (in->IsRepeat(tmAction::kUp, tmPlayer::kOne)) {
        if (cursor_ == kCursorLeave)
            cursor_ = kCursorFirstRow + rowOfSlot(lastSlot);
        else if (cursor_ == kCursorReady)
            cursor_ = kCursorLeave;
        else
            cursor_ = slot <= 0 ? kCursorReady : kCursorFirstRow + rowOfSlot(slot - 1);
        Play(tmSoundId::kRowCursor);
    } else if (in->IsRepeat(tmAction::kDown, tmPlayer::kOne)) {
        if (cursor_ == kCursorLeave)
            cursor_ = kCursorReady;
        else if (cursor_ == kCursorReady)
            cursor_ = kCursorFirstRow + rowOfSlot(0);
        else
            cursor_ = slot >= lastSlot ? kCursorLeave : kCursorFirstRow + rowOfSlot(slot + 1);
        Play(tmSoundId::kRowCursor);
    }
    if (cursor_ < kCursorFirstRow || !in->IsDecideTriggered()) return;
    const int row = cursor_ - kCursorFirstRow;
    if (picked_ < 0 && count >= 2) {
        picked_ = row;
        Play(tmSoundId::kPick);
    } else if (picked_ >= 0 && picked_ != row && net->SwapSlots(picked_, row)) {
        net->Send(kNetMsgTable);
        picked_ = -1;
        Play(tmSoundId::kSwap);
    } else {
        picked_ = -1;
        Play(tmSoundId::kRefused);
    }
}

void tmSeqJoinRace::StartLeaving() {
    leaving_ = 1;
    picked_ = -1;
}

void tmSeqJoinRace::SlideRowsIn(const tmNetPlayerTable& table) {
    for (int i = 0; i < static_cast<int>(table.count); ++i) {
        const SpriteTarget t = {0.0f, RowY(table.entries[i].gridSlot), 1.0f, 0};
        if (rows_[i]->targetX != t.x || rows_[i]->targetY != t.y) rows_[i]->MoveTo(t, 0);
    }
}

void tmSeqJoinRace::SlideOut() {
    for (int i = 0; i < kTitleSprites; ++i)
        titles_[i]->MoveTo(kTitles[i].closed, static_cast<int32_t>(kTitles[i].closed.delay));
    const tmRaceNetwork* net = Net();
    for (int i = 0; i < kNetPlayers; ++i) {
        const int32_t slot =
            net && i < static_cast<int>(net->GetTable().count) ? net->GetTable().entries[i].gridSlot : i;
        rows_[i]->MoveTo({kRowOut, RowY(slot), 0.0f, 0}, 0);
    }
}

void tmSeqJoinRace::StartCourseLoad() {
    const tmRaceNetwork* net = Net();
    if (preview_ || loading_ || !net || net->GetTable().course == 0) return;
    tmRaceState::Get().setup.course = net->GetTable().course;
    loading_ = TM_NEW tmSeqLoadingCourse();
    loading_->Init();
}

void tmSeqJoinRace::UpdateLoading() {
    if (!loading_ || previewReady_) return;
    if (loading_->Update() != 0) {
        loading_->Term();
        TM_DELETE(loading_);
        loading_ = nullptr;
        MakePreview();
    }
}

void tmSeqJoinRace::SyncEntryList() {
    tmRaceNetwork* net = Net();
    if (!net || !net->IsOpen()) return;
    net->Poll();
    if (++resend_ >= kResendFrames) {
        if (!ready_ && !leaving_) {
            const Choice c = GetChoice(choice_);
            net->SetOwnStatus(c.machine, c.variant);
        }
        net->Send(kNetMsgEntry);
        if (net->IsHost()) net->Send(kNetMsgTable);
        resend_ = 0;
    }
    if (ownIndex_ < 0) ownIndex_ = net->FindOwnIndex();
    if (state_ == kDeciding) return;
    // Every player is mirrored into the race state's entrants, by table row.
    tmRaceState& rs = tmRaceState::Get();
    const tmNetPlayerTable& table = net->GetTable();
    for (int i = 0; i < static_cast<int>(table.count); ++i) {
        const tmNetPlayerEntry& e = table.entries[i];
        tmEntrant entrant;
        entrant.machineId = e.machine != 0 ? e.machine : static_cast<uint32_t>(kFirstMachineId);
        entrant.controllerType = i == ownIndex_ ? kControllerPlayer : kControllerNetwork;
        entrant.variant = e.variant;
        for (int k = 0; k < kRaceNameSize; ++k) {
            entrant.driverName[k] = e.driverName[k];
            entrant.teamName[k] = e.teamName[k];
        }
        entrant.entrantId = static_cast<uint32_t>(i);
        rs.SetEntrant(i, entrant);
    }
}

void tmSeqJoinRace::Decide() {
    tmRaceNetwork* net = Net();
    if (!leaving_) {
        if (tmSound* sound = tmSound::GetInstance()) sound->StopStream();
    }
    const uint32_t session = net ? net->GetTable().sessionState : kNetSessionOpen;
    if (!leaving_ && session == kNetSessionStart && net->SetupRaceFromEntries(tmRaceState::Get())) {
        // A lobby race comes here without the loading screen: the race's groups are loaded now.
        if (!yiResourceGroup::IsLoaded(kSharedEffectsGroup)) tmSeqLoadingCourse::LoadRaceGroups();
        nextId_ = kSeqRace;
        return;
    }
    // Left, cancelled, silent, or started without a place for this player.
    nextId_ = kSeqTitle;
    if (net) net->Stop();
    if (leaving_ || session != kNetSessionOpen) Leave();
}

void tmSeqJoinRace::Leave() {
    for (int id : {kSharedEffectsGroup, kNetworkRaceGroup})
        if (const yiResourceGroup* g = yiResourceGroup::Get(id)) g->Unload();
    if (preview_) {
        preview_->Release();
        TM_DELETE(preview_);
        preview_ = nullptr;
    }
    previewReady_ = 0;
    for (int m = kFirstMachineId; m <= kLastMachineId; ++m) {
        const MachineSpec* spec = GetMachineSpec(m);
        if (!spec) continue;
        if (const yiResourceGroup* g = yiResourceGroup::Get(spec->bankGroup)) g->Unload();
        if (spec->secondBankGroup != -1)
            if (const yiResourceGroup* g = yiResourceGroup::Get(spec->secondBankGroup)) g->Unload();
    }
}

void tmSeqJoinRace::Term() {
    if (titles_[0] || rows_[0]) {
        tmSpriteGroup::Unload(kRoomGroup);
        tmSpriteGroup::Unload(kCommonGroup);
    }
    for (tmSpriteTween*& s : titles_) {
        TM_DELETE(s);
        s = nullptr;
    }
    for (tmSpriteTween*& s : rows_) {
        TM_DELETE(s);
        s = nullptr;
    }
    if (preview_) {
        preview_->Release();
        TM_DELETE(preview_);
        preview_ = nullptr;
    }
    TM_DELETE(camera_);
    camera_ = nullptr;
    if (loading_) {
        loading_->Term();
        TM_DELETE(loading_);
        loading_ = nullptr;
    }
}
