// tmSeqTitle.cpp -- the title screen's states: opening, logo, gap, title, leave.
#include "menu/tmSeqTitle.h"

#include <cmath>

#include "content_tables.h"
#include "menu/tmMenuCommon.h"
#include "sys/input/tmInputActions.h"
#include "sys/render/tmDraw.h"
#include "sys/render/tmRenderLayer.h"
#include "table/ScreenLayoutTables.h"
#include "table/tmSpriteGroup.h"

namespace {
constexpr int kCommonGroup = 13;
constexpr int kTitleGroup = 44;
constexpr int kOpeningSteps = 8;
constexpr float kLogoX = 0.0f, kLogoY = 103.0f;
constexpr float kRevisionX = 40.0f, kRevisionY = 0.0f;  // in from the right, up from the bottom
}  // namespace

void tmSeqTitle::Init() {
    confirm_ = 0;
    state_ = kOpening;
    previous_ = -1;
    steps_ = 0;
    next_ = 0;
    tmSpriteGroup::Load(kCommonGroup);
    tmSpriteGroup::Load(kTitleGroup);
    font_.Setup(content::SPR_CM_FONT01, 512.0f, 128.0f, 20.0f, 20.0f, 15.0f);
    for (int i = 0; i < kElements; ++i) tweens_[i] = tmMenu::MakeTween(TitlePlacements[i]);
}

void tmSeqTitle::Enter(int32_t state) {
    if (state == kLogo) {
        // The centre logo gives way to the four copies that gather from the corners.
        tmMenu::Move(tweens_[kLogoCentre], kLogoX, kLogoY, 0.0f);
        for (int i = kLogoCentre + 1; i < kTitleArt; ++i) tmMenu::Move(tweens_[i], kLogoX, kLogoY, 1.0f);
    } else if (state == kTitle) {
        tmMenu::Move(tweens_[kTitleArt], -171.0f, 0.0f, 1.0f);
        tmMenu::Move(tweens_[kPrompt], 550.0f, 586.0f, 1.0f);
        tweens_[kPrompt]->pulseSpeed = 0.03f;
        tweens_[kPrompt]->pulseAmplitude = -0.8f;
        tmMenu::PlayMusic(tmMusicStream::kTitle);
    }
}

int tmSeqTitle::Update() {
    tmMenu::UpdateTweens(tweens_, kElements);
    if (state_ != previous_) {
        previous_ = state_;
        steps_ = 0;
        Enter(state_);
    }
    switch (state_) {
        case kOpening:
            if (steps_ >= kOpeningSteps) state_ = kLogo;
            break;
        case kLogo: {
            if (steps_ == 2) tmMenu::PlaySound(tmMenuSound::kLogo);
            const bool skip = tmMenu::Decide();
            if (skip || steps_ >= kLogoSteps) {
                for (int i = kLogoCentre; i < kTitleArt; ++i) tmMenu::Move(tweens_[i], kLogoX, kLogoY, 0.0f);
                if (skip) {
                    state_ = kTitle;
                    tmMenu::PlaySound(tmMenuSound::kSkip);
                } else {
                    state_ = kGap;
                }
            }
            break;
        }
        case kGap:
            if (steps_ >= kGapSteps) state_ = kTitle;
            break;
        case kTitle:
            if (confirm_ == 0 && tmMenu::Decide()) {
                tmMenu::Move(tweens_[kTitleArt], tweens_[kTitleArt]->x, tweens_[kTitleArt]->y, 0.0f);
                tmMenu::Move(tweens_[kPrompt], tweens_[kPrompt]->x, tweens_[kPrompt]->y, 0.0f);
                tmMenu::PlaySound(tmMenuSound::kDecide);
                confirm_ = 1;
            } else if (confirm_ >= 1) {
                ++confirm_;
                if (confirm_ > kConfirmSteps) state_ = kLeaving;
            }
            break;
        case kLeaving:
            next_ = tmMenu::NextId(kSeqMainMenu);
            tmMenu::StopMusic();
            break;
        default: break;
    }
    ++steps_;
    return next_;
}

void tmSeqTitle::Draw() {
    tmMenu::DrawTweens(tweens_, kElements);
    if (state_ != kTitle) return;
    // The revision stands in the bottom right corner of the fitted screen, not the window's: a window of another
    // shape than 16:9 leaves black bands around the screen, which stay black.
    const tmDraw* draw = tmDraw::GetInstance();
    const tmDraw::SceneFit fit = draw->GetSceneFit();
    const float bandX = std::floor(static_cast<float>(draw->GetBackBufferWidth()) * (1.0f - fit.scaleX) / 2.0f);
    const float bandY = std::floor(static_cast<float>(draw->GetBackBufferHeight()) * (1.0f - fit.scaleY) / 2.0f);
    font_.DrawString("Rev.D", kRevisionX + bandX, kRevisionY + bandY, 1.0f, tmSpritePlacement::kBottomRight,
                     0xFFFFFFFFu);
}

void tmSeqTitle::Term() {
    tmSpriteGroup::Unload(kCommonGroup);
    tmSpriteGroup::Unload(kTitleGroup);
    tmMenu::DeleteTweens(tweens_, kElements);
}
