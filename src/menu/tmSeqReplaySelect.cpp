// tmSeqReplaySelect.cpp -- the replay select's list, scrolling, deletion and the load that leads on.
#include "menu/tmSeqReplaySelect.h"

#include <algorithm>
#include <cstdio>

#include "content_tables.h"
#include "menu/tmCommonWindow.h"
#include "menu/tmMenuCommon.h"
#include "race/tmRaceState.h"
#include "race/tmReplay.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmDxFont.h"
#include "table/tmSpriteGroup.h"

namespace {
constexpr int kCommonGroup = 13;
constexpr int kReplayGroup = 41;
constexpr int kBackgroundGroup = 38;
constexpr int kTextFontSize = 22;
constexpr int32_t kRowEnterDelay = 20;
constexpr int32_t kRowLeaveDelay = 8;
constexpr float kVisibleRows = 4.0f;
constexpr float kScrollBaseX = 1160.0f, kScrollBaseY = 83.0f;

// Where the frames stand and where they leave to.
const SpritePlacement kFramePlaces[tmSeqReplaySelect::kFrames] = {
    {-171.0f, -64.0f, 1.0f, content::SPR_RS_FRAME_HEAD_A, content::SPR_RS_FRAME_HEAD_B, 1023.0f, 0.0f},
    {-171.0f, 768.0f, 1.0f, content::SPR_RS_FRAME_FOOT_A, content::SPR_RS_FRAME_FOOT_B, 1023.0f, 0.0f},
    {kScrollBaseX, kScrollBaseY, 0.0f, content::SPR_RS_FRAME_SCROLL_BASE, 0, 0.0f, 0.0f},
    {-171.0f, 0.0f, 1.0f, content::SPR_MM_BG_PLUS, 0, 0.0f, 0.0f},
};
}  // namespace

tmSeqReplaySelect::tmSeqReplaySelect() = default;
tmSeqReplaySelect::~tmSeqReplaySelect() { Term(); }

void tmSeqReplaySelect::Init() {
    raceAgainst_ = tmRaceState::Get().setup.mode == kRaceModeGhost ? 1 : 0;
    mode_ = kList;
    tmDraw::GetInstance()->SetClearColor(0xFFFFFFFFu);
    tmSpriteGroup::Load(kCommonGroup);
    tmSpriteGroup::Load(kReplayGroup);
    tmSpriteGroup::Load(kBackgroundGroup);
    loaded_ = true;
    font_.Setup(content::SPR_CM_FONT01, 512.0f, 128.0f, 20.0f, 20.0f, 15.0f);
    textFont_.Acquire(kTextFontSize, true);
    if (tmDxFont* f = tmDxFont::GetInstance()) f->SetColor(0xFFE8ECF2u);
    window_ = TM_NEW tmCommonWindow();
    window_->Init(tmCommonWindow::kTypeDelete);
    BuildList();
    for (int f = 0; f < kFrames; ++f) frames_[f] = tmMenu::MakeTween(kFramePlaces[f]);
    tmMenu::Move(frames_[kHead], -171.0f, 0.0f, 1.0f);
    tmMenu::Move(frames_[kFoot], -171.0f, 704.0f, 1.0f);
    tmMenu::Move(frames_[kScrollBase], kScrollBaseX, kScrollBaseY, 1.0f, kRowEnterDelay);
    cursor_ = 0;
    scroll_ = 0.0f;
    next_ = 0;
    waitCounter_ = 0;
    waitLimit_ = kOpenWait;
    total_ = 0;
    decided_ = 0;
    tmMenu::PlayMusic(tmMusicStream::kMenu);
}

// The listed headers and names; racing against a ghost lists only time-attack replays.
void tmSeqReplaySelect::BuildList() {
    rows_.clear();
    tmArray<tmReplayHeader> headers;
    tmArray<sys::tmVariant> names;
    tmReplay::ListReplays(&headers, &names);
    for (int i = 0; i < headers.GetCount() && i < names.GetCount() && static_cast<int>(rows_.size()) < kMaxRows; ++i) {
        if (raceAgainst_ && headers[i].setup.mode != kRaceModeSingle) continue;
        Row row;
        row.header = headers[i];
        row.fileName = names[i].GetString();
        rows_.push_back(row);
    }
    scrollMax_ = std::max(0.0f, (static_cast<float>(rows_.size()) - kVisibleRows) * kRowStep);
    for (size_t i = 0; i < rows_.size(); ++i) {
        const float y = kRowY + kRowStep * static_cast<float>(i);
        const SpritePlacement p = {i % 2 == 0 ? kRightOutX : kLeftOutX, y,      1.0f, content::SPR_RS_BAR_BASE_A,
                                   content::SPR_RS_BAR_BASE_B,          511.0f, 0.0f};
        rows_[i].tween = tmMenu::MakeTween(p);
        tmMenu::Move(rows_[i].tween, kRowX, y, 1.0f, kRowEnterDelay);
    }
}

void tmSeqReplaySelect::Term() {
    for (Row& r : rows_) TM_DELETE(r.tween);
    rows_.clear();
    tmMenu::DeleteTweens(frames_, kFrames);
    TM_DELETE(window_);
    window_ = nullptr;
    textFont_.Release();
    if (!loaded_) return;
    tmSpriteGroup::Unload(kCommonGroup);
    tmSpriteGroup::Unload(kReplayGroup);
    tmSpriteGroup::Unload(kBackgroundGroup);
    loaded_ = false;
}

void tmSeqReplaySelect::StartLeave() {
    tmMenu::Move(frames_[kHead], -171.0f, -74.0f, 1.0f);
    tmMenu::Move(frames_[kFoot], -171.0f, 778.0f, 1.0f, kRowLeaveDelay);
    tmMenu::Move(frames_[kScrollBase], frames_[kScrollBase]->x, frames_[kScrollBase]->y, 0.0f);
    tmMenu::Move(frames_[kBackground], -171.0f, 0.0f, 0.0f, kRowEnterDelay);
    for (size_t i = 0; i < rows_.size(); ++i) {
        tmSpriteTween* t = rows_[i].tween;
        tmMenu::Move(t, i % 2 == 0 ? kLeftOutX : kRightOutX, t->y, t->alpha, kRowLeaveDelay);
    }
    waitCounter_ = 0;
    waitLimit_ = kLeaveWait;
}

// The chosen file loads (a ghost in race mode 4); a refused file, or no choice, goes back to the menu.
void tmSeqReplaySelect::ChooseNext() {
    if (decided_ && cursor_ < RowCount()) {
        tmReplay* replay = tmReplay::Get();
        if (replay && replay->Load(rows_[size_t(cursor_)].fileName.c_str(), raceAgainst_ != 0)) {
            next_ = tmMenu::NextId(raceAgainst_ ? kSeqMachineSelect : kSeqLoading);
            tmMenu::StopMusic();
            return;
        }
    }
    next_ = tmMenu::NextId(kSeqMainMenu);
}

void tmSeqReplaySelect::DeleteRow(int i) {
    if (i < 0 || i >= RowCount()) return;
    if (std::remove(rows_[size_t(i)].fileName.c_str()) != 0)
        std::fprintf(stderr, "replay select: %s could not be deleted\n", rows_[size_t(i)].fileName.c_str());
    TM_DELETE(rows_[size_t(i)].tween);
    rows_.erase(rows_.begin() + i);
    if (cursor_ >= RowCount()) cursor_ = std::max(0, RowCount() - 1);
}

void tmSeqReplaySelect::UpdateDeleteQuestion() {
    if (cursor_ < RowCount()) {
        tmSpriteTween* t = rows_[size_t(cursor_)].tween;
        tmMenu::Move(t, -32.0f, kRowY + kRowStep * cursor_ - scroll_, 1.0f);
    }
    window_->Update();
    if (!window_->IsClosed()) return;
    if (window_->choice) DeleteRow(cursor_);
    window_->Term();
    window_->Init(tmCommonWindow::kTypeDelete);
    mode_ = kList;
}

void tmSeqReplaySelect::UpdateList() {
    if (next_ == 0 && waitLimit_ != kLeaveWait) {
        const bool decide = tmMenu::Decide(), cancel = tmMenu::Cancel();
        if (decide || cancel || rows_.empty()) {
            if (decide && !rows_.empty()) {
                tmMenu::PlaySound(tmMenuSound::kDecide);
                decided_ = 1;
            } else {
                tmMenu::PlaySound(tmMenuSound::kBack);
            }
            StartLeave();
            ChooseNext();
        }
    }
}

int tmSeqReplaySelect::Update() {
    tmMenu::UpdateTweens(frames_, kFrames);
    for (Row& r : rows_) r.tween->Update();
    if (mode_ == kDeleteQuestion) {
        UpdateDeleteQuestion();
        return 0;
    }
    UpdateList();
    if (waitCounter_++ <= waitLimit_) return 0;
    ++total_;
    if (next_ == 0 && !rows_.empty()) {
        const tmPeripheral* in = tmPeripheral::GetInstance();
        if (in && in->IsTrigger(tmAction::kTransform, -1)) {
            tmMenu::PlaySound(tmMenuSound::kDeleteKey);
            window_->Open();
            mode_ = kDeleteQuestion;
            return 0;
        }
        const int before = cursor_;
        if (tmMenu::Repeated(tmAction::kUp)) cursor_ = (cursor_ - 1 + RowCount()) % RowCount();
        if (tmMenu::Repeated(tmAction::kDown)) cursor_ = (cursor_ + 1) % RowCount();
        if (cursor_ != before) tmMenu::PlaySound(tmMenuSound::kSubCursor);
        scroll_ = std::clamp(static_cast<float>(cursor_ - 1) * kRowStep, 0.0f, scrollMax_);
        for (int i = 0; i < RowCount(); ++i)
            tmMenu::Move(rows_[size_t(i)].tween, kRowX, kRowY + kRowStep * i - scroll_, 1.0f);
    }
    return next_;
}
