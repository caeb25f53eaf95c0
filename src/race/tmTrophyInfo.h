// tmTrophyInfo.h -- the 97 trophies: which a race earns, and the panel that shows each new one.
#pragma once
#include <cstdint>

class tmSpriteTween;
class tmConfig;
class tmRaceState;

// Decides after a race which trophies the player earned, marks them in
// tmConfig (0 locked, 1 new, 2 seen) and shows each new one in turn, in id
// order, in race phase 7. Holds the trophy sprite group (45) loaded from
// construction to Term. Only a player-driven local entrant earns trophies.
class tmTrophyInfo {
public:
    enum State : uint32_t { kInactive = 0, kAppear = 1, kWait = 2, kLeave = 3 };
    static constexpr int kTrophyCount = 97;
    static constexpr int kNone = 97;  // "no trophy" in the tables

    // ---- the tables ----
    static int CupRaceWonTrophy(uint32_t machine);  // kNone outside 1..11
    static int CupWonTrophy(uint32_t machine);
    static int NetworkRaceWonTrophy(uint32_t machine);
    static int OneTwoTrophy(int32_t teamNumber);  // kNone outside 0..6
    static int LevelTrophy(int32_t level);        // kNone for a level without one
    // The three time limits (ms) and their trophies of a course; false for a course without.
    static bool CourseTimeTrophies(uint32_t course, uint32_t limits[3], int trophies[3]);

    // Awards (tmConfig Unlock) every trophy the race in `race` earns.
    static void CheckConditions(tmConfig& config, tmRaceState& race);

    tmTrophyInfo();
    ~tmTrophyInfo();
    tmTrophyInfo(const tmTrophyInfo&) = delete;
    tmTrophyInfo& operator=(const tmTrophyInfo&) = delete;

    // Creates the sprite; nothing on display.
    void Init();
    // Releases the sprite group and deletes the sprite.
    void Term();
    // Checks the conditions, then shows the first new trophy (state 1) or none (state 0).
    void Start();
    void Update();
    void Draw() const;
    int GetTrophyOnDisplay() const { return trophy_; }

    uint32_t state = kInactive;

private:
    // Puts the lowest new trophy on display; false when there is none.
    bool ShowNext();

    tmSpriteTween* sprite_ = nullptr;
    int32_t trophy_ = -1;
    uint32_t previous_ = 0xFFFFFFFFu;
    int32_t counter_ = 0;
    bool groupLoaded_ = false;
};
