// tmSeqTrophyViewer.h -- screen 15: the 97 trophies with their titles and descriptions, locked ones covered.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"
#include "frontend/tmNumberFont.h"

class tmSpriteTween;

// A vertically scrolling list of every trophy: its picture and title, what
// earns it, covered while locked, and the count won out of 97 (or the
// completion mark) in the head. Trophies still new are marked seen when the
// list opens. Up and down held scroll; decide or cancel return to the menu.
class tmSeqTrophyViewer : public tmSequence {
public:
    enum Frame { kHead = 0, kFoot = 1, kScrollBase = 2, kBackground = 3, kFrames = 4 };
    static constexpr int kTrophies = 97;
    static constexpr float kItemX = 189.0f, kItemY = 83.0f, kItemStep = 156.0f;
    static constexpr float kScrollMax = 156.0f * 93.0f;  // item 96 stands at y 551
    static constexpr float kScrollStep = 40.0f;

    // The title and the description sprite of trophy i.
    static uint32_t TitleSprite(int i);
    static uint32_t DescriptionSprite(int i);

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    float GetScroll() const { return scroll_; }
    int CountUnlocked() const { return unlocked_; }
    const tmSpriteTween* GetItem(int i) const { return i >= 0 && i < kTrophies ? items_[i] : nullptr; }

private:
    void DrawCount() const;

    float scroll_ = 0.0f;
    tmSpriteTween* frames_[kFrames] = {};
    tmSpriteTween* items_[kTrophies] = {};
    bool locked_[kTrophies] = {};
    int unlocked_ = 0;
    tmNumberFont font_;
    int next_ = 0;
    int32_t total_ = 0;
    int32_t waitCounter_ = 0;
    int32_t waitLimit_ = 60;
    bool loaded_ = false;
};
