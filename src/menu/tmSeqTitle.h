// tmSeqTitle.h -- screen 13: the makers' logo, then the title with its pulsing start prompt.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"
#include "frontend/tmNumberFont.h"

class tmSpriteTween;

// The first screen after start-up and the one the ending and the demo without
// replays return to. Shows the makers' logo (skippable), the title and its
// prompt with the title music, and leads to the main menu once decide is
// pressed. Owns its eight sprites and the version mark's font.
class tmSeqTitle : public tmSequence {
public:
    enum State : int32_t { kOpening = 0, kLogo = 1, kGap = 2, kTitle = 3, kLeaving = 4 };
    enum Element { kBoard = 0, kLogoCentre = 1, kTitleArt = 6, kPrompt = 7, kElements = 8 };
    static constexpr int kLogoSteps = 181;    // the logo stays this long without input
    static constexpr int kGapSteps = 30;      // between the logo and the title
    static constexpr int kConfirmSteps = 20;  // after decide, before the main menu

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    int32_t GetState() const { return state_; }
    const tmSpriteTween* GetElement(int e) const { return e >= 0 && e < kElements ? tweens_[e] : nullptr; }

private:
    void Enter(int32_t state);

    tmSpriteTween* tweens_[kElements] = {};
    tmNumberFont font_;
    int32_t confirm_ = 0;
    int32_t state_ = kOpening;
    int32_t previous_ = -1;
    int32_t steps_ = 0;
    int next_ = 0;
};
