// tmMenuOption.cpp -- the option screens' shared rows, cursor, choices, leave and drawing.
#include "menu/tmMenuOption.h"

#include "content_tables.h"
#include "menu/tmMenuCommon.h"
#include "sys/input/tmInputActions.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmConsole.h"
#include "table/tmSpriteGroup.h"

namespace {
constexpr int kCommonGroup = 13;
constexpr int kOptionGroup = 39;
constexpr int kBackgroundGroup = 38;
enum Frame { kHead = 0, kFoot = 1, kBackground = 2 };
// Where the item label, the choice and the arrows sit on a row.
constexpr float kLabelX = 22.0f, kLabelY = 14.0f;
constexpr float kChoiceX = 344.0f, kChoiceY = 18.0f;
constexpr float kLeftArrowX = 306.0f, kRightArrowX = 627.0f, kArrowY = 18.0f;
constexpr int kRowDelayStep = 5;
}  // namespace

void tmMenuOption::Init() {
    tmDraw::GetInstance()->SetClearColor(0xFFFFFFFFu);
    tmSpriteGroup::Load(kCommonGroup);
    tmSpriteGroup::Load(kOptionGroup);
    tmSpriteGroup::Load(kBackgroundGroup);
    loaded_ = true;
    const Row* rows = Rows(&rowCount_);
    if (rowCount_ > kMaxRows) rowCount_ = kMaxRows;
    for (int i = 0; i < rowCount_; ++i) {
        const SpritePlacement p = {kRowOutX, kRowY + kRowStep * i, 1.0f, rows[i].frame, rows[i].label, kLabelX,
                                   kLabelY};
        rows_[i] = tmMenu::MakeTween(p);
        tmMenu::Move(rows_[i], kRowX, kRowY + kRowStep * i, 1.0f, kRowDelayStep * i);
    }
    frames_[kHead] =
        tmMenu::MakeTween({-171.0f, -64.0f, 1.0f, HeadSprite(), content::SPR_MO_FRAME_HEAD_B, 1023.0f, 0.0f});
    // The key hint: a screen that cancel does not leave names RETURN as its way out instead of BACKSPACE.
    const uint32_t hint = CancelLeaves() ? content::SPR_MO_FRAME_FOOT_B : content::SPR_MO_FRAME_FOOT_CTRLER_B;
    frames_[kFoot] = tmMenu::MakeTween({-171.0f, 768.0f, 1.0f, content::SPR_MO_FRAME_FOOT_A, hint, 1023.0f, 0.0f});
    frames_[kBackground] = tmMenu::MakeTween({-171.0f, 0.0f, 1.0f, content::SPR_MM_BG_PLUS, 0, 0.0f, 0.0f});
    tmMenu::Move(frames_[kHead], -171.0f, 0.0f, 1.0f);
    tmMenu::Move(frames_[kFoot], -171.0f, 704.0f, 1.0f);
    for (int& c : choice_) c = 0;
    cursor_ = 0;
    next_ = 0;
    total_ = 0;
    leaving_ = false;
    ReadValues();
    waitCounter_ = 0;
    waitLimit_ = kOpenWait;
    tmMenu::PlaySound(tmMenuSound::kOptionSlide);
}

void tmMenuOption::Term() {
    tmMenu::DeleteTweens(frames_, 3);
    tmMenu::DeleteTweens(rows_, kMaxRows);
    if (!loaded_) return;
    tmSpriteGroup::Unload(kCommonGroup);
    tmSpriteGroup::Unload(kOptionGroup);
    tmSpriteGroup::Unload(kBackgroundGroup);
    loaded_ = false;
}

int tmMenuOption::ChoiceIndex(int row, int value) const {
    int count = 0;
    const Row* rows = Rows(&count);
    if (row < 0 || row >= count) return 0;
    return value >= 0 && value < rows[row].choiceCount ? value : 0;
}

void tmMenuOption::MoveCursor(int dir) { cursor_ = (cursor_ + dir + rowCount_) % rowCount_; }

void tmMenuOption::StartLeave() {
    tmMenu::Move(frames_[kHead], -171.0f, -64.0f, 1.0f);
    tmMenu::Move(frames_[kFoot], -171.0f, 768.0f, 1.0f);
    for (int i = 0; i < rowCount_; ++i) tmMenu::Move(rows_[i], kRowOutX, rows_[i]->y, rows_[i]->alpha, LeaveDelay(i));
    waitCounter_ = 0;
    waitLimit_ = kLeaveWait;
    leaving_ = true;
    tmMenu::PlaySound(tmMenuSound::kOptionSlide);
}

void tmMenuOption::HandleInput() {
    if (tmMenu::Repeated(tmAction::kDown)) {
        MoveCursor(1);
        tmMenu::PlaySound(tmMenuSound::kSubCursor);
    } else if (tmMenu::Repeated(tmAction::kUp)) {
        MoveCursor(-1);
        tmMenu::PlaySound(tmMenuSound::kSubCursor);
    }
    int count = 0;
    const Row& row = Rows(&count)[cursor_];
    if (row.choiceCount <= 1) return;
    int dir = 0;
    if (tmMenu::Repeated(tmAction::kRight)) dir = 1;
    if (tmMenu::Repeated(tmAction::kLeft)) dir = -1;
    if (dir == 0) return;
    choice_[cursor_] = (choice_[cursor_] + dir + row.choiceCount) % row.choiceCount;
    tmMenu::PlaySound(tmMenuSound::kValue);
    OnChoiceChanged(cursor_);
}

int tmMenuOption::Update() {
    tmMenu::UpdateTweens(frames_, 3);
    tmMenu::UpdateTweens(rows_, kMaxRows);
    if ((tmMenu::Decide() && cursor_ == ReturnRow()) || (CancelLeaves() && tmMenu::Cancel())) {
        StartLeave();
        Apply();
        tmMenu::PlaySound(tmMenuSound::kApply);
    }
    if (waitCounter_++ <= waitLimit_) return 0;
    HandleInput();
    ++total_;
    return next_;
}

bool tmMenuOption::ShowsArrows(int row) const {
    int count = 0;
    return Rows(&count)[row].frame == content::SPR_MO_FRAME_BAR_ARROW_BASE;
}

const tmMenuOption::Choice* tmMenuOption::ShownChoice(int row) const {
    int count = 0;
    const Row& r = Rows(&count)[row];
    return r.choiceCount > 0 ? &r.choices[choice_[row]] : nullptr;
}

void tmMenuOption::DrawRow(int row) const {
    const tmSpriteTween* t = rows_[row];
    t->Draw();
    const bool onCursor = row == cursor_;
    if (row == ReturnRow()) {
        if (onCursor) t->DrawPart({content::SPR_MO_FRAME_RETURN_ON, 0.0f, 0.0f, 1.0f}, 1.0f, 1.0f);
        return;
    }
    if (onCursor) t->DrawPart({content::SPR_MO_FRAME_BAR_ON, 0.0f, 0.0f, 1.0f}, 1.0f, 1.0f);
    if (const Choice* c = ShownChoice(row))
        t->DrawPart({onCursor ? c->on : c->off, kChoiceX, kChoiceY, 1.0f}, 1.0f, 1.0f);
    int count = 0;
    if (!onCursor || Rows(&count)[row].choiceCount <= 1 || !ShowsArrows(row)) return;
    if (tmMenu::Held(tmAction::kRight))
        t->DrawPart({content::SPR_MO_ARROW_RIGHT_ON, kRightArrowX, kArrowY, 1.0f}, 1.0f, 1.0f);
    if (tmMenu::Held(tmAction::kLeft))
        t->DrawPart({content::SPR_MO_ARROW_LEFT_ON, kLeftArrowX, kArrowY, 1.0f}, 1.0f, 1.0f);
}

void tmMenuOption::Draw() {
    tmConsole::SetCursor(1, 1, 0);
    tmConsole::Printf(ConsoleText(), total_);
    if (!frames_[0]) return;
    frames_[kBackground]->Draw();
    frames_[kHead]->Draw();
    for (int i = 0; i < rowCount_; ++i) DrawRow(i);
    frames_[kFoot]->Draw();
}
