// tmLevelUp.h -- the level-up panel: points gained by a race counted up into the player's level.
#pragma once
#include <cstdint>

#include "frontend/tmNumberFont.h"

class tmSpriteTween;

// The panel of race phase 6. The player profile in tmConfig keeps a level
// (0-based, shown + 1) and points 0..99; after a race the player gains points
// by race mode, level band and win. The panel counts them in one by one,
// raises the level every hundred points and stores level and points when the
// player confirms. Holds the race display's sprite group (19) loaded from
// construction to destruction. The race sets nothing: it calls Start and
// waits for state 0.
class tmLevelUp {
public:
    enum State : uint32_t { kInactive = 0, kAppear = 1, kCount = 2, kLeave = 3 };
    static constexpr uint32_t kMaxLevel = 49;  // shown as 50
    static constexpr uint32_t kPointsPerLevel = 100;
    static constexpr uint32_t kFlashSteps = 20;

    tmLevelUp();
    ~tmLevelUp();
    tmLevelUp(const tmLevelUp&) = delete;
    tmLevelUp& operator=(const tmLevelUp&) = delete;

    // Creates the panel sprite and the number font.
    void Init();
    // Reads level and points from the profile (held to 0..49 and 0..99) and
    // the gain of the race just run; opens the panel when there is a gain.
    void Start();
    void Update();
    void Draw() const;

    // Points a race gives: by mode 0..6 and stored level; a loss halves them
    // below level 30 and gives none from 30 on.
    static uint32_t ComputeGain(uint32_t mode, uint32_t level, bool won);
    // True when the first finishing position belongs to the local entrant.
    static bool LocalEntrantWon();

    uint32_t GetLevel() const { return level_; }
    uint32_t GetPoints() const { return points_; }
    uint32_t GetPointsToAdd() const { return toAdd_; }
    uint32_t GetFlash() const { return flash_; }

    uint32_t state = kInactive;

private:
    uint32_t level_ = 0;
    uint32_t startLevel_ = 0;
    uint32_t points_ = 0;
    uint32_t startPoints_ = 0;
    uint32_t toAdd_ = 0;
    uint32_t flash_ = 0;
    tmSpriteTween* panel_ = nullptr;
    uint32_t previous_ = 0xFFFFFFFFu;
    int32_t counter_ = 0;
    tmNumberFont font_;
    bool groupLoaded_ = false;
};
