// PadMappingTest.cpp -- mapped pads and raw joysticks onto the joystick record.
#include <gtest/gtest.h>

#include "platform/input/PadMapping.h"

namespace {

using platform::JoyState;
using platform::PadReading;
using platform::RawJoystickReading;

// An Xbox-style pad as a raw joystick driver reports it: left stick, left
// trigger, right stick, right trigger; released triggers read full negative.
RawJoystickReading RawXboxPad(int16_t leftTrigger, int16_t rightTrigger) {
    RawJoystickReading r;
    r.axisCount = 6;
    r.axes[2] = leftTrigger;
    r.axes[5] = rightTrigger;
    r.hatCount = 1;
    r.buttonCount = 11;
    return r;
}

}  // namespace

TEST(PadMapping, AMappedPadAtRestReadsZeroOnEveryPedalAxis) {
    const JoyState s = platform::JoyStateFromPad(PadReading());
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.y, 0);
    EXPECT_EQ(s.z, 0);
    EXPECT_EQ(s.rz, 0);
    EXPECT_EQ(s.slider[0], 0);
    EXPECT_EQ(s.slider[1], 0);
    for (uint32_t pov : s.pov) EXPECT_EQ(pov, JoyState::kHatCentred);
    for (uint8_t b : s.buttons) EXPECT_EQ(b, 0);

    // The same pad read by raw axes: both released triggers sit at -1000,
    // on the axes the pedal types read as a pressed accelerator.
    const JoyState raw = platform::JoyStateFromRaw(RawXboxPad(-32768, -32768));
    EXPECT_EQ(raw.z, -1000);
    EXPECT_EQ(raw.rz, -1000);
}

TEST(PadMapping, TriggersShareOnePedalAxis) {
    auto pedal = [](int16_t left, int16_t right) {
        PadReading p;
        p.leftTrigger = left;
        p.rightTrigger = right;
        const JoyState s = platform::JoyStateFromPad(p);
        EXPECT_EQ(s.slider[0], s.z) << "slider 0 carries the same pedal axis";
        return s.z;
    };
    EXPECT_EQ(pedal(0, 32767), -1000);  // right trigger: accelerator side
    EXPECT_EQ(pedal(32767, 0), 1000);   // left trigger: brake side
    EXPECT_EQ(pedal(0, 16384), -500);
    EXPECT_EQ(pedal(32767, 32767), 0);  // both pulled alike cancel
    EXPECT_EQ(pedal(-5, -32768), 0);    // a negative reading counts as released
    EXPECT_EQ(platform::ScaleTrigger(32767), platform::pad::kTriggerFull);
}

TEST(PadMapping, SticksScaleSymmetricallyAndTheRightStickAlsoFillsZRotation) {
    PadReading p;
    p.leftX = -32768;
    p.leftY = 32767;
    p.rightX = 16384;
    p.rightY = -32767;
    const JoyState s = platform::JoyStateFromPad(p);
    EXPECT_EQ(s.x, -1000);
    EXPECT_EQ(s.y, 1000);
    EXPECT_EQ(s.rx, 500);
    EXPECT_EQ(s.ry, -1000);
    EXPECT_EQ(s.rz, -1000);  // right stick up: the analog pedal type accelerates
    EXPECT_EQ(platform::ScaleAxis(-1), 0);
    EXPECT_EQ(platform::ScaleAxis(0), 0);
}

TEST(PadMapping, DpadIsHatZeroAndButtonsTakeTheirRecordNumbers) {
    auto hat = [](std::initializer_list<PadReading::Button> held) {
        PadReading p;
        for (PadReading::Button b : held) p.buttons[b] = true;
        return platform::JoyStateFromPad(p).pov[0];
    };
    EXPECT_EQ(hat({PadReading::kDpadUp}), 0u);
    EXPECT_EQ(hat({PadReading::kDpadUp, PadReading::kDpadRight}), 4500u);
    EXPECT_EQ(hat({PadReading::kDpadDown}), 18000u);
    EXPECT_EQ(hat({PadReading::kDpadLeft}), 27000u);
    EXPECT_EQ(hat({PadReading::kDpadUp, PadReading::kDpadLeft}), 31500u);
    EXPECT_EQ(hat({PadReading::kDpadUp, PadReading::kDpadDown}), JoyState::kHatCentred);

    const struct {
        PadReading::Button from;
        int to;
    } places[] = {
        {PadReading::kA, 0},
        {PadReading::kB, 1},
        {PadReading::kX, 2},
        {PadReading::kY, 3},
        {PadReading::kLeftShoulder, 4},
        {PadReading::kRightShoulder, 5},
        {PadReading::kBack, 6},
        {PadReading::kStart, 7},
        {PadReading::kLeftStick, 8},
        {PadReading::kRightStick, 9},
        {PadReading::kGuide, 10},
    };
    for (const auto& place : places) {
        PadReading p;
        p.buttons[place.from] = true;
        const JoyState s = platform::JoyStateFromPad(p);
        for (int b = 0; b < 128; ++b) EXPECT_EQ(s.buttons[b], b == place.to ? 0x80 : 0) << place.from << " " << b;
    }
    PadReading dpad;
    dpad.buttons[PadReading::kDpadDown] = true;
    for (uint8_t b : platform::JoyStateFromPad(dpad).buttons) EXPECT_EQ(b, 0) << "the D-pad presses no button";
}

TEST(PadMapping, RawJoysticksFillAxesHatsAndButtonsInOrder) {
    RawJoystickReading r;
    r.axisCount = 12;  // more than the record holds: the rest are not read
    for (int a = 0; a < RawJoystickReading::kMaxAxes; ++a) r.axes[a] = static_cast<int16_t>(3277 * (a + 1));
    r.hatCount = 2;
    r.hats[1] = RawJoystickReading::kHatRight;
    r.buttonCount = 3;
    r.buttons[2] = true;
    r.buttons[3] = true;  // past the count
    const JoyState s = platform::JoyStateFromRaw(r);
    const int32_t axes[8] = {s.x, s.y, s.z, s.rx, s.ry, s.rz, s.slider[0], s.slider[1]};
    for (int a = 0; a < 8; ++a) EXPECT_EQ(axes[a], 3277 * (a + 1) * 1000 / 32767) << a;
    EXPECT_EQ(s.pov[0], JoyState::kHatCentred);
    EXPECT_EQ(s.pov[1], 9000u);
    EXPECT_EQ(s.pov[2], JoyState::kHatCentred);
    EXPECT_EQ(s.buttons[2], 0x80);
    EXPECT_EQ(s.buttons[3], 0);

    // A wheel with two axes leaves the pedal axes at rest.
    RawJoystickReading wheel;
    wheel.axisCount = 2;
    wheel.axes[0] = -32768;
    const JoyState w = platform::JoyStateFromRaw(wheel);
    EXPECT_EQ(w.x, -1000);
    EXPECT_EQ(w.z, 0);
    EXPECT_EQ(w.slider[0], 0);
}
