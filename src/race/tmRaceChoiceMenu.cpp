// tmRaceChoiceMenu.cpp -- unfolding, choosing and folding of the race's choice menus.
#include "race/tmRaceChoiceMenu.h"

#include <algorithm>

#include "sys/input/tmPeripheral.h"
#include "sys/render/tmDraw.h"
#include "sys/sound/tmSound.h"
#include "table/ScreenLayoutTables.h"
#include "table/tmSpriteGroup.h"

namespace {
constexpr int kRaceDisplayGroup = 19;
constexpr float kItemHeight = 80.0f;  // an item unfolds from its middle
constexpr float kHighlightStep = 0.1f;

void PlaySound(uint32_t id) {
    if (tmSound* sound = tmSound::GetInstance()) sound->Play(id);
}
}  // namespace

tmRaceChoiceMenuBase::tmRaceChoiceMenuBase(const MenuItemLayout* items, int count, int cancelChoice)
    : items_(items), count_(std::min(count, kMaxItems)), cancelChoice_(cancelChoice) {
    Reset();
}

tmRaceChoiceMenuBase::~tmRaceChoiceMenuBase() { Term(); }

void tmRaceChoiceMenuBase::Reset() {
    if (!groupLoaded_) groupLoaded_ = tmSpriteGroup::Load(kRaceDisplayGroup);
    choice = 0;
    openness_ = 0.0f;
    for (float& h : highlight_) h = 0.0f;
    state = kClosed;
    previous_ = 0xFFFFFFFFu;
    counter_ = 0;
}

void tmRaceChoiceMenuBase::Term() {
    if (groupLoaded_) tmSpriteGroup::Unload(kRaceDisplayGroup);
    groupLoaded_ = false;
}

void tmRaceChoiceMenuBase::Update() {
    if (state != previous_) {
        previous_ = state;
        counter_ = 0;
    }
    switch (state) {
        case kOpening:
            if (counter_ == 1) PlaySound(tmSoundId::kMenuOpen);
            openness_ = std::min(1.0f, static_cast<float>(counter_) / kFoldSteps);
            if (counter_ >= kFoldSteps) state = kChoosing;
            break;
        case kChoosing: {
            openness_ = 1.0f;
            const tmPeripheral* in = tmPeripheral::GetInstance();
            if (in) {
                if (in->IsRepeat(tmAction::kUp, tmPlayer::kOne)) {
                    choice = (choice + count_ - 1) % count_;
                    PlaySound(tmSoundId::kCursor);
                } else if (in->IsRepeat(tmAction::kDown, tmPlayer::kOne)) {
                    choice = (choice + 1) % count_;
                    PlaySound(tmSoundId::kCursor);
                }
                if (in->IsDecideTriggered()) {
                    PlaySound(tmSoundId::kMenuClose);
                    state = kClosing;
                } else if (in->IsTrigger(tmAction::kPause, tmPlayer::kOne)) {
                    PlaySound(tmSoundId::kMenuClose);
                    state = kClosing;
                    choice = cancelChoice_;
                }
            }
            if (state == kChoosing) {
                for (int i = 0; i < count_; ++i) {
                    const float h = highlight_[i] + (i == choice ? kHighlightStep : -kHighlightStep);
                    highlight_[i] = std::min(1.0f, std::max(0.0f, h));
                }
            } else {
                for (int i = 0; i < count_; ++i) highlight_[i] = i == choice ? 1.0f : 0.0f;
            }
            break;
        }
        case kClosing:
            openness_ = std::max(0.0f, 1.0f - static_cast<float>(counter_) / kFoldSteps);
            if (counter_ > kFoldSteps) state = kClosed;
            break;
        default: break;
    }
    ++counter_;
}

void tmRaceChoiceMenuBase::Draw() const {
    if (openness_ <= 0.0f) return;
    tmDraw* draw = tmDraw::GetInstance();
    const float s = openness_ * openness_;
    for (int i = 0; i < count_; ++i) {
        const MenuItemLayout& item = items_[i];
        const float y = item.y + kItemHeight * 0.5f * (1.0f - s);
        const int placement = static_cast<int>(item.layer);
        draw->DrawSpriteScaledAlpha(static_cast<int>(item.labelSprite), item.x, y, 1.0f, s, openness_, placement);
        if (highlight_[i] > 0.0f)
            draw->DrawSpriteScaledAlpha(static_cast<int>(item.highlightSprite), item.x, y, 1.0f, s,
                                        openness_ * highlight_[i], placement);
    }
}

tmRaceChoiceMenu::tmRaceChoiceMenu() : tmRaceChoiceMenuBase(PauseMenuItems, 3, kResume) {}

tmRaceChoiceMenu2::tmRaceChoiceMenu2() : tmRaceChoiceMenuBase(PostRaceMenuItems, 2, kRetry) {}
