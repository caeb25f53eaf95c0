// tmSeqMenuOptCtrler.cpp -- the controller options: device, buttons taken from the pad, skipping, applying.
#include "menu/tmSeqMenuOptCtrler.h"

#include "app/tmConfig.h"
#include "content_tables.h"
#include "menu/tmMenuCommon.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"

namespace {
using C = tmMenuOption::Choice;
#define MO_PAIR(n) \
    C { content::SPR_MO_CHOICE_##n##_ON, content::SPR_MO_CHOICE_##n##_OFF }
const C kDevices[4] = {MO_PAIR(JOYPAD), MO_PAIR(XBOX360), MO_PAIR(ANALOG), MO_PAIR(DFGT)};
const C kButtons[16] = {MO_PAIR(1),  MO_PAIR(2),  MO_PAIR(3),  MO_PAIR(4),  MO_PAIR(5),  MO_PAIR(6),
                        MO_PAIR(7),  MO_PAIR(8),  MO_PAIR(9),  MO_PAIR(10), MO_PAIR(11), MO_PAIR(12),
                        MO_PAIR(13), MO_PAIR(14), MO_PAIR(15), MO_PAIR(16)};
// The axis that drives the pedals, by device (none for the buttons of device 0).
const C kAxes[4] = {{0, 0}, MO_PAIR(ZAXIS), MO_PAIR(ZROT), MO_PAIR(S)};
#undef MO_PAIR
constexpr uint32_t kBar = content::SPR_MO_FRAME_BAR_BASE;
const tmMenuOption::Row kRowTable[tmSeqMenuOptCtrler::kRows] = {
    {content::SPR_MO_FRAME_BAR_ARROW_BASE, content::SPR_MO_ITEM_CTRL_DEVICE, 4, kDevices},
    {kBar, content::SPR_MO_ITEM_CTRL_ACCEL, 16, kButtons},
    {kBar, content::SPR_MO_ITEM_CTRL_BRAKE, 16, kButtons},
    {kBar, content::SPR_MO_ITEM_CTRL_BOOST, 16, kButtons},
    {kBar, content::SPR_MO_ITEM_CTRL_TRANSFORM, 16, kButtons},
    {kBar, content::SPR_MO_ITEM_CTRL_GEARUP, 16, kButtons},
    {kBar, content::SPR_MO_ITEM_CTRL_GEARDOWN, 16, kButtons},
    {kBar, content::SPR_MO_ITEM_CTRL_VIEWCHANGE, 16, kButtons},
    {kBar, content::SPR_MO_ITEM_CTRL_PAUSE, 16, kButtons},
    {content::SPR_MO_FRAME_RETURN_BASE, 0, 0, nullptr},
};
}  // namespace

const tmMenuOption::Row* tmSeqMenuOptCtrler::Rows(int* count) const {
    *count = kRows;
    return kRowTable;
}

uint32_t tmSeqMenuOptCtrler::HeadSprite() const { return content::SPR_MO_FRAME_CTRLER_HEAD_A; }

void tmSeqMenuOptCtrler::ReadValues() {
    const tmConfig& cfg = tmConfig::GetInstance();
    choice_[kDevice] = ChoiceIndex(kDevice, cfg.GetKeyDevice());
    for (int row = kAccel; row <= kPause; ++row) choice_[row] = ChoiceIndex(row, cfg.GetKeyAssign(row));
}

// The cursor moves by one row, passing over the pedal rows while an axis drives the pedals.
void tmSeqMenuOptCtrler::Step(int dir) {
    MoveCursor(dir);
    while (PedalsOnAxis() && (cursor_ == kAccel || cursor_ == kBrake)) MoveCursor(dir);
}

void tmSeqMenuOptCtrler::HandleInput() {
    if (tmMenu::Repeated(tmAction::kDown)) {
        Step(1);
        tmMenu::PlaySound(tmMenuSound::kSubCursor);
    } else if (tmMenu::Repeated(tmAction::kUp)) {
        Step(-1);
        tmMenu::PlaySound(tmMenuSound::kSubCursor);
    }
    if (cursor_ == kDevice) {
        int dir = 0;
        if (tmMenu::Repeated(tmAction::kRight)) dir = 1;
        if (tmMenu::Repeated(tmAction::kLeft)) dir = -1;
        if (dir != 0) {
            choice_[kDevice] = (choice_[kDevice] + dir + 4) % 4;
            tmMenu::PlaySound(tmMenuSound::kValue);
        }
        return;
    }
    if (cursor_ < kAccel || cursor_ > kPause) return;
    // A button row takes the first pad button pressed on the first pad; an axis or nothing leaves it.
    const tmPeripheral* in = tmPeripheral::GetInstance();
    const int button = in ? in->GetTriggeredJoyButton(0) : -1;
    if (button < 0 || button >= kRowTable[cursor_].choiceCount) return;
    choice_[cursor_] = button;
    Step(1);
    tmMenu::PlaySound(tmMenuSound::kValue);
}

const tmMenuOption::Choice* tmSeqMenuOptCtrler::ShownChoice(int row) const {
    if ((row == kAccel || row == kBrake) && PedalsOnAxis()) return &kAxes[choice_[kDevice]];
    return tmMenuOption::ShownChoice(row);
}

void tmSeqMenuOptCtrler::Apply() {
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetKeyDevice(choice_[kDevice]);
    for (int row = kAccel; row <= kPause; ++row) cfg.SetKeyAssign(row, choice_[row]);
    if (tmPeripheral* in = tmPeripheral::GetInstance()) {
        in->SetPedalType(choice_[kDevice], 0);
        for (int entry = tmPadAssign::kAccel; entry <= tmPadAssign::kPause; ++entry)
            in->SetJoyButtonAssign(tmPadAssign::ActionOf(entry), cfg.GetKeyAssign(entry), 0);
    }
    next_ = tmMenu::NextId(kSeqMainMenu);
}
