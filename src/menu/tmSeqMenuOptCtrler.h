// tmSeqMenuOptCtrler.h -- screen 18: the pad device and the pad buttons of eight game actions.
#pragma once
#include "menu/tmMenuOption.h"

// The controller options: the device row (its pedal type) and one row per
// action whose value is the pad button pressed while the row is chosen; axis
// devices drive the pedals, so their accelerator and brake rows are skipped.
// Only RETURN leaves; the device and the buttons are written to the settings
// and bound on the input service at once.
class tmSeqMenuOptCtrler : public tmMenuOption {
public:
    enum RowId {
        kDevice = 0,
        kAccel = 1,
        kBrake = 2,
        kBoost = 3,
        kTransform = 4,
        kGearUp = 5,
        kGearDown = 6,
        kViewChange = 7,
        kPause = 8,
        kReturn = 9,
        kRows = 10,
    };

protected:
    const Row* Rows(int* count) const override;
    uint32_t HeadSprite() const override;
    int LeaveDelay(int row) const override { return (10 - row) * 2; }
    const char* ConsoleText() const override { return "Menu Opt Video. ( %d )"; }
    void ReadValues() override;
    void Apply() override;
    bool CancelLeaves() const override { return false; }
    void HandleInput() override;
    const Choice* ShownChoice(int row) const override;

private:
    // Whether the chosen device drives accelerator and brake with an axis (their rows are skipped).
    bool PedalsOnAxis() const { return choice_[kDevice] != 0; }
    void Step(int dir);
};
