// tmSeqEnding.h -- screen 28: the cup's final rank with its sound, the staff roll for a podium, back to the title.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"

class tmSpriteTween;
class tmEndingFrontend;

// Shown after the last race of a cup. The player's rank in the final driver
// standings appears with its sound; a podium finish then rolls the staff
// (a minute, quicker while decide is held) over the trophy; the screen
// returns to the title.
class tmSeqEnding : public tmSequence {
public:
    enum Tween { kBackdrop = 0, kRank = 1, kBackground = 2, kTrophy = 3, kShadow = 4, kTweens = 5 };
    enum State { kOpening = 0, kShowRank = 1, kStaffRoll = 2, kClosing = 3 };
    static constexpr int kRanks = 4;  // first, second, third, off the podium
    static constexpr float kRollEnd = 1.3f;
    static constexpr float kRollStep = 1.3f / 3600.0f;
    static constexpr float kRollHurry = 4.0f / 3600.0f;

    // The rank sprite and sound by rank index.
    static uint32_t RankSprite(int rank);
    static uint32_t RankSound(int rank);

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    int GetRank() const { return rank_; }
    int GetState() const { return state_; }
    float GetRoll() const { return roll_; }
    const tmEndingFrontend* GetFrontend() const { return frontend_; }
    const tmSpriteTween* GetTween(int i) const { return i >= 0 && i < kTweens ? tweens_[i] : nullptr; }

private:
    void Enter();
    void MoveIn(int tween, float ease);
    void MoveOut(int tween);

    tmSpriteTween* tweens_[kTweens] = {};
    tmEndingFrontend* frontend_ = nullptr;
    int rank_ = 0;
    float roll_ = 0.0f;
    int state_ = kOpening;
    int previous_ = -1;
    int32_t steps_ = 0;
    int next_ = 0;
    bool loaded_ = false;
};
