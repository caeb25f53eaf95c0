// tmRaceResultPanel.h -- the results panel of race phase 5: finishing order, then the cup standings.
#pragma once
#include <cstdint>

#include "frontend/tmNumberFont.h"
#include "race/tmRaceState.h"

class tmSpriteTween;

// Shows the finishing order of the race and, in a cup, the driver standings
// of the cup so far, one confirm per page (a replay demo turns its pages by
// itself). Reads everything from the race state; draws eased row sprites of
// the race display's sprite group (19), held loaded from construction to
// Term, two number fonts and the driver names in the debug font. The race
// opens it by setting `state` to kOpenRace and waits for kInactive.
// (tmRaceResult names the race state's result record, so the panel is
// tmRaceResultPanel.)
class tmRaceResultPanel {
public:
    enum State : uint32_t {
        kInactive = 0,
        kOpenRace = 1,       // race rows slide in
        kOpenStandings = 2,  // standings rows slide in
        kRaceShown = 3,
        kStandingsShown = 4,
        kTeamsShown = 5,
        kClosing = 6,
    };
    enum Page : int { kRacePage = 0, kStandingsPage = 1, kTeamPage = 2, kPages = 3 };
    static constexpr int kRows = kRaceEntrants;
    static constexpr int kAutoAdvance = 91;  // a demo's page turns at this counter
    static constexpr int kSlideDelay = 10;

    tmRaceResultPanel();
    ~tmRaceResultPanel();
    tmRaceResultPanel(const tmRaceResultPanel&) = delete;
    tmRaceResultPanel& operator=(const tmRaceResultPanel&) = delete;

    // Creates the fonts and the sprites; every row off screen.
    void Init();
    // Releases the sprite group and deletes the sprites.
    void Term();
    // One step; skip turns pages without waiting for a confirm.
    void Update(bool skip);
    void Draw() const;
    bool IsActive() const { return state != kInactive; }
    // The row sprite of a page (null outside), for tests.
    const tmSpriteTween* GetRow(int page, int row) const;
    const tmSpriteTween* GetHeader(int page) const;

    uint32_t state = kInactive;

private:
    void SlideIn(int page, int rows);
    void SlideOut(int page, int rows);
    bool PageTurned(bool skip) const;
    int RowCount(int page) const;
    void DrawRacePage() const;
    void DrawStandingsPage() const;
    void DrawTeamPage() const;
    void DrawRowNumbers(const tmSpriteTween& row, uint32_t position, uint32_t id) const;
    static void DrawName(const tmSpriteTween& row, const char* name);

    tmNumberFont large_;
    tmNumberFont small_;
    tmSpriteTween* headers_[kPages] = {};
    tmSpriteTween* rows_[kPages][kRows] = {};
    uint32_t previous_ = 0xFFFFFFFFu;
    int32_t counter_ = 0;
    bool groupLoaded_ = false;
};
