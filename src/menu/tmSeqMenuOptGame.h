// tmSeqMenuOptGame.h -- screen 17: difficulty, laps and the three race display flags.
#pragma once
#include "menu/tmMenuOption.h"

// The game options: the computer drivers' difficulty, the laps of a race and
// three flags (brake assist, wide overlay, mini map), written to the settings
// when the screen is left.
class tmSeqMenuOptGame : public tmMenuOption {
public:
    enum RowId { kDifficulty = 0, kLaps = 1, kFlag1 = 2, kFlag2 = 3, kFlag3 = 4, kReturn = 5, kRows = 6 };
    static constexpr int kLapChoices[5] = {3, 5, 7, 11, 15};

protected:
    const Row* Rows(int* count) const override;
    uint32_t HeadSprite() const override;
    int LeaveDelay(int row) const override { return (6 - row) * 4; }
    const char* ConsoleText() const override { return "Menu Opt Game. ( %d )"; }
    void ReadValues() override;
    void Apply() override;
};
