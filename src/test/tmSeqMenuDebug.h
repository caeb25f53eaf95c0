// tmSeqMenuDebug.h -- screen 1: the debug menu that starts screens directly or sets up a quick race.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"
#include "sys/text/tmDxFont.h"

// A text menu in the debug font: seven rows that start a screen (with an
// optional numeric parameter), the title row that enters normal play, and a
// race set-up page (mode, computer driver, machine, course) in front of the
// loading screen and the race. Screens started from here return here, since
// it clears the menu-flow flag; only "TITLE" sets it. Value ranges include
// both ends.
class tmSeqMenuDebug : public tmSequence {
public:
    enum Page : uint32_t { kGo = 0, kList = 1, kRaceSetup = 2 };
    enum SetupRow : int { kMode = 0, kAi = 1, kMachine = 2, kCourse = 3, kSetupRows = 4 };
    static constexpr int kRows = 7;

    // One row of the list.
    struct Row {
        uint32_t nextId;
        const char* label;
        int32_t minimum, maximum;  // both reachable; equal when the row has no value
        uint8_t normalPlay;        // the menu-flow flag the row sets
        uint32_t page;             // kGo or kRaceSetup
    };
    static const Row kRowTable[kRows];

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    uint32_t GetPage() const { return page_; }
    int GetCursor() const { return cursor_; }
    int32_t GetValue(int row) const { return row >= 0 && row < kRows ? values_[row] : 0; }
    int GetSetupCursor() const { return setupCursor_; }
    int32_t GetSetupValue(int row) const { return row >= 0 && row < kSetupRows ? setup_[row] : 0; }

private:
    // Moves a cursor and a value with the direction keys; true when anything changed.
    static void Navigate(int* cursor, int rows, int32_t* value, int32_t minimum, int32_t maximum);
    // Writes the race set-up into the race state.
    void ApplyRaceSetup() const;
    void DrawList() const;
    void DrawRaceSetup() const;

    uint32_t page_ = kList;
    int cursor_ = 0;
    int32_t values_[kRows] = {};
    int setupCursor_ = 0;
    int32_t setup_[kSetupRows] = {};
    tmDxFont::Claim font_;  // its own 14-pixel font on the 7 x 16 grid while it runs
};
