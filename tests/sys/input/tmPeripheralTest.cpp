// tmPeripheralTest.cpp -- actions, repeats, steering and pedals, clicks and lost devices on scripted devices.
#include <gtest/gtest.h>

#include "platform/input/PadMapping.h"
#include "platform/window/Window.h"
#include "sys/input/tmPeripheral.h"

namespace {

class tmPeripheralTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(p.Init(&in, true), 0); }
    // One logic step: read, directions, then the caller's checks, then the step's end.
    void Begin() {
        p.Update();
        p.UpdatePov();
    }
    void End() { p.StorePrevious(); }
    void Step() {
        Begin();
        End();
    }
    void WithPad() {
        in.joystickCount = 1;
        ASSERT_EQ(p.Init(&in, true), 0);
    }

    platform::ScriptedInput in;
    tmPeripheral p;
};

}  // namespace

TEST_F(tmPeripheralTest, SteeringFollowsTheStickWithDeadZoneAndKeysWin) {
    WithPad();
    in.joy[0].x = -600;  // stick to the left
    Begin();
    EXPECT_NEAR(p.GetSteering(0), 0.5205f, 1e-4f);
    End();
    in.joy[0].x = 200;  // inside the dead zone
    Begin();
    EXPECT_EQ(p.GetSteering(0), 0.0f);
    End();
    in.joy[0].x = 1000;
    Begin();
    EXPECT_EQ(p.GetSteering(0), -1.0f);
    End();
    in.joy[0].x = 0;
    in.SetKey(tmKey::kLeft, true);
    Begin();
    EXPECT_EQ(p.GetSteering(0), 1.0f);
    End();
    in.SetKey(tmKey::kRight, true);  // right wins when both are held
    Begin();
    EXPECT_EQ(p.GetSteering(0), -1.0f);
    // Only players 0 and 1 steer.
    EXPECT_EQ(p.GetSteering(-1), 0.0f);
    EXPECT_EQ(p.GetSteering(2), 0.0f);
    End();
}

TEST_F(tmPeripheralTest, NoControllerReadsAsNothing) {
    in.joy[0].x = -1000;  // present in the script but not found at Init
    in.joy[0].buttons[2] = 0x80;
    Begin();
    EXPECT_EQ(p.GetSteering(0), 0.0f);
    EXPECT_FALSE(p.IsPress(tmAction::kAccelerator, 0));
    p.SetPedalType(tmPedalType::kXbox360, 0);
    EXPECT_EQ(p.GetAccelerator(0), 0.0f);
    EXPECT_EQ(p.GetTriggeredJoyButton(0), -1);
    End();
}

TEST_F(tmPeripheralTest, DirectionRepeatsEveryTwelveStepsAtAnyFrameRateButtonsDoNot) {
    // Up held for `frames` frames of `steps` logic steps each: the frames in which it triggered and repeated.
    auto hold = [&](int frames, int steps, std::vector<int>* triggers = nullptr) {
        std::vector<int> repeats;
        in.SetKey(tmKey::kUp, true);
        for (int frame = 1; frame <= frames; ++frame) {
            for (int step = 0; step < steps; ++step) {
                p.Update();
                p.UpdatePov(step == 0);
                if (triggers && p.IsTrigger(tmAction::kUp, 0)) triggers->push_back(frame);
                if (p.IsRepeat(tmAction::kUp, -1)) repeats.push_back(frame);
                EXPECT_TRUE(p.IsPress(tmAction::kUp, 0));
                End();
            }
        }
        in.SetKey(tmKey::kUp, false);
        Step();
        return repeats;
    };
    std::vector<int> triggers;
    EXPECT_EQ(hold(25, 1, &triggers), std::vector<int>({1, 13, 25}));
    EXPECT_EQ(triggers, std::vector<int>({1}));
    // At eight steps a frame the frame that first sees the press counts one step: a short press that two
    // slow frames see moves once, and a held key first repeats in the third frame (then every step 12).
    triggers.clear();
    EXPECT_EQ(hold(2, 8, &triggers), std::vector<int>({1}));
    EXPECT_EQ(triggers, std::vector<int>({1}));
    EXPECT_EQ(hold(4, 8), std::vector<int>({1, 3, 4}));

    std::vector<int> buttonRepeats;
    in.SetKey(tmKey::kReturn, true);
    for (int step = 1; step <= 14; ++step) {
        Begin();
        if (p.IsRepeat(tmAction::kDecide, 0)) buttonRepeats.push_back(step);
        End();
    }
    EXPECT_EQ(buttonRepeats, std::vector<int>({1}));
    Begin();
    EXPECT_FALSE(p.IsPress(tmAction::kCount, 0));
    EXPECT_FALSE(p.IsPress(-1, 0));
    EXPECT_FALSE(p.IsPress(tmAction::kDecide, 2));
    End();
}

TEST_F(tmPeripheralTest, DoubleClickWithinTwentyNineStepsAndSevenPixels) {
    auto clickAfter = [&](int gap, int dx) {
        p.Init(&in, true);
        in.cursorX = 100;
        in.cursorY = 100;
        Step();
        in.mouse.buttons[0] = 0x80;
        Step();  // first press
        in.mouse.buttons[0] = 0;
        for (int i = 1; i < gap; ++i) Step();
        in.cursorX = 100 + dx;
        Step();  // the cursor has moved before the second press
        in.mouse.buttons[0] = 0x80;
        Begin();
        const bool dbl = p.mouseDoubleClick[0] != 0;
        End();
        in.mouse.buttons[0] = 0;
        return dbl;
    };
    EXPECT_TRUE(clickAfter(28, 0));   // 29 steps apart
    EXPECT_FALSE(clickAfter(29, 0));  // 30 steps apart
    EXPECT_TRUE(clickAfter(10, 7));
    EXPECT_FALSE(clickAfter(10, 8));
    // Two clicks that both come and go before one reading: pressed, released, pressed in three steps.
    Step();
    in.TapButton(0);
    in.TapButton(0);
    Step();
    Step();
    Begin();
    EXPECT_TRUE(p.mouseButton[0] && p.mouseDoubleClick[0]);
    End();
    Step();
    EXPECT_FALSE(p.mouseButton[0]);
}

// An Xbox-style pad read through its game-controller mapping, step by step.
TEST_F(tmPeripheralTest, AMappedPadDrivesEveryPedalTypeOnlyWhenPulled) {
    WithPad();
    platform::PadReading pad;
    auto pedals = [&](int type) {
        p.SetPedalType(type, 0);
        in.joy[0] = platform::JoyStateFromPad(pad);
        Begin();
        const std::pair<float, float> v(p.GetAccelerator(0), p.GetBrake(0));
        End();
        return v;
    };
    const std::pair<float, float> none(0.0f, 0.0f);
    for (int type : {tmPedalType::kXbox360, tmPedalType::kAnalog, tmPedalType::kDfgt})
        EXPECT_EQ(pedals(type), none) << "a pad at rest never accelerates, type " << type;

    pad.rightTrigger = 32767;
    EXPECT_EQ(pedals(tmPedalType::kXbox360), std::make_pair(1.0f, 0.0f));
    EXPECT_EQ(pedals(tmPedalType::kDfgt), std::make_pair(1.0f, 0.0f));
    pad.rightTrigger = 0;
    pad.leftTrigger = 16384;
    EXPECT_NEAR(pedals(tmPedalType::kXbox360).second, (500.0f - 10.0f) / 940.0f, 1e-4f);
    EXPECT_NEAR(pedals(tmPedalType::kDfgt).second, 0.5f, 1e-3f);
    EXPECT_EQ(pedals(tmPedalType::kAnalog), none) << "the analog type reads the right stick, not the triggers";
    pad.leftTrigger = 0;
    pad.rightY = -32767;  // right stick up
    EXPECT_EQ(pedals(tmPedalType::kAnalog), std::make_pair(1.0f, 0.0f));
    pad.rightY = 32767;
    EXPECT_EQ(pedals(tmPedalType::kAnalog), std::make_pair(0.0f, 1.0f));

    // The same pad read by raw axes would hold the accelerator down at rest.
    platform::RawJoystickReading raw;
    raw.axisCount = 6;
    raw.axes[2] = raw.axes[5] = -32768;
    p.SetPedalType(tmPedalType::kXbox360, 0);
    in.joy[0] = platform::JoyStateFromRaw(raw);
    Begin();
    EXPECT_EQ(p.GetAccelerator(0), 1.0f);
    End();
}

TEST_F(tmPeripheralTest, MappedPadButtonsMeetTheDefaultBindings) {
    WithPad();
    platform::PadReading pad;
    auto triggered = [&](platform::PadReading::Button b, int action) {
        pad = platform::PadReading();
        in.joy[0] = platform::JoyStateFromPad(pad);
        Step();
        pad.buttons[b] = true;
        in.joy[0] = platform::JoyStateFromPad(pad);
        Begin();
        const bool t = p.IsTrigger(action, 0);
        End();
        return t;
    };
    EXPECT_TRUE(triggered(platform::PadReading::kA, tmAction::kDecide));
    EXPECT_TRUE(triggered(platform::PadReading::kB, tmAction::kCancel));
    EXPECT_TRUE(triggered(platform::PadReading::kStart, tmAction::kGearUp));
    EXPECT_TRUE(triggered(platform::PadReading::kRightStick, tmAction::kViewChange));
    EXPECT_TRUE(triggered(platform::PadReading::kDpadLeft, tmAction::kLeft));
    EXPECT_FALSE(triggered(platform::PadReading::kDpadLeft, tmAction::kRight));
}

TEST_F(tmPeripheralTest, SavedPadAssignmentsBindTheirActions) {
    WithPad();
    // Entries 1..8 take buttons 8..15: each entry's button then drives its action.
    for (int entry = tmPadAssign::kAccel; entry <= tmPadAssign::kPause; ++entry)
        p.SetJoyButtonAssign(tmPadAssign::ActionOf(entry), 7 + entry, 0);
    EXPECT_EQ(tmPadAssign::ActionOf(0), -1);
    EXPECT_EQ(tmPadAssign::ActionOf(tmPadAssign::kCount), -1);
    const struct {
        int button, action;
    } expected[] = {
        {8, tmAction::kAccelerator}, {8, tmAction::kDecide},     {9, tmAction::kBrake},   {9, tmAction::kCancel},
        {10, tmAction::kBoost},      {11, tmAction::kTransform}, {12, tmAction::kGearUp}, {13, tmAction::kGearDown},
        {14, tmAction::kViewChange}, {15, tmAction::kPause},
    };
    for (const auto& e : expected) EXPECT_EQ(p.GetJoyButtonAssign(e.action, 0), e.button) << e.action;
    in.joy[0].buttons[15] = 0x80;
    Begin();
    EXPECT_TRUE(p.IsPauseTriggered(0));
    End();
}

TEST(tmKeyNames, AreTheCodesTheKeyboardMapGives) {
    // Keyboard positions (USB usage numbers, as SDL numbers its scan codes) and their names.
    const struct {
        int usb, key;
    } keys[] = {
        {41, tmKey::kEscape},
        {30, tmKey::k1},
        {39, tmKey::k0},
        {46, tmKey::kEquals},
        {42, tmKey::kBackspace},
        {20, tmKey::kQ},
        {48, tmKey::kRightBracket},
        {40, tmKey::kReturn},
        {4, tmKey::kA},
        {53, tmKey::kGrave},
        {49, tmKey::kBackslash},
        {29, tmKey::kZ},
        {27, tmKey::kX},
        {56, tmKey::kSlash},
        {44, tmKey::kSpace},
        {57, tmKey::kCapsLock},
        {65, tmKey::kF8},
        {95, tmKey::kNumpad7},
        {99, tmKey::kNumpadPeriod},
        {88, tmKey::kNumpadEnter},
        {82, tmKey::kUp},
        {81, tmKey::kDown},
        {80, tmKey::kLeft},
        {79, tmKey::kRight},
        {8, tmKey::kE},
        {21, tmKey::kR},
        {23, tmKey::kT},
        {28, tmKey::kY},
        {19, tmKey::kP},
        {22, tmKey::kS},
        {7, tmKey::kD},
        {9, tmKey::kF},
        {10, tmKey::kG},
        {11, tmKey::kH},
        {6, tmKey::kC},
        {25, tmKey::kV},
        {5, tmKey::kB},
        {17, tmKey::kN},
        {224, tmKey::kLeftControl},
        {230, tmKey::kRightAlt},
    };
    for (const auto& k : keys) EXPECT_EQ(platform::SdlScancodeToDik(k.usb), k.key) << k.usb;
}

TEST_F(tmPeripheralTest, DecideTriggersOnCrossingPointNine) {
    WithPad();
    p.SetPedalType(tmPedalType::kXbox360, 0);
    auto accel = [&](int z) {
        in.joy[0].z = z;
        Begin();
        const float a = p.GetAccelerator(0);
        const bool trig = p.IsDecideTriggered();
        End();
        return std::make_pair(a, trig);
    };
    EXPECT_EQ(accel(-960).first, 1.0f);
    EXPECT_EQ(accel(-10).first, 0.0f);
    EXPECT_FLOAT_EQ(accel(-856).first, 0.9f);
    EXPECT_FALSE(accel(-903).second);  // 0.9 before: not below it
    accel(-847);                       // 0.89
    EXPECT_TRUE(accel(-903).second);
    in.joy[0].z = 960;  // the same axis brakes the other way
    Begin();
    EXPECT_EQ(p.GetBrake(0), 1.0f);
    EXPECT_TRUE(p.IsCancelTriggered());
    End();
}

TEST_F(tmPeripheralTest, AssignedButtonsAndTheirCompanions) {
    WithPad();
    p.SetJoyButtonAssign(tmAction::kAccelerator, 5, 0);
    EXPECT_EQ(p.GetJoyButtonAssign(tmAction::kDecide, 0), 5);
    in.joy[0].buttons[5] = 0x80;
    Begin();
    EXPECT_TRUE(p.IsTrigger(tmAction::kDecide, 0));
    EXPECT_TRUE(p.IsDecideTriggered());
    End();
    // Bindings outside the pad's 128 buttons read as nothing.
    p.SetJoyButtonAssign(tmAction::kBoost, 200, 0);
    p.SetJoyButtonAssign(tmAction::kTransform, -7, 0);
    Begin();
    EXPECT_FALSE(p.IsPress(tmAction::kBoost, 0));
    EXPECT_FALSE(p.IsPress(tmAction::kTransform, 0));
    End();
}

TEST_F(tmPeripheralTest, TextEntryLockKeepsKeysFromActions) {
    WithPad();
    p.textEntryLock = 1;
    in.SetKey(tmKey::kReturn, true);
    in.SetKey(tmKey::kEscape, true);
    Begin();
    EXPECT_FALSE(p.IsTrigger(tmAction::kDecide, 0));
    EXPECT_FALSE(p.IsEscapeTriggered());
    EXPECT_TRUE(p.IsKeyTriggered(tmKey::kReturn));
    EXPECT_TRUE(p.IsTextKeyTriggered());
    End();
    in.joy[0].buttons[0] = 0x80;  // decide's pad button still works
    Begin();
    EXPECT_TRUE(p.IsTrigger(tmAction::kDecide, 0));
    End();
}

TEST_F(tmPeripheralTest, StickPushesHideButtonsAndHatSteersMenus) {
    WithPad();
    in.joy[0].x = 500;
    Step();
    in.joy[0].x = 501;
    in.joy[0].buttons[3] = 0x80;
    Begin();
    EXPECT_TRUE(p.IsStickPushedRight(0));
    EXPECT_EQ(p.GetTriggeredJoyButton(0), -1);
    End();
    in.joy[0].x = 0;
    in.joy[0].buttons[3] = 0;
    in.joy[0].pov[0] = 27000;  // hat left
    Begin();
    EXPECT_TRUE(p.IsTrigger(tmAction::kLeft, 0));
    EXPECT_FALSE(p.IsPress(tmAction::kRight, 0));
    End();
    in.joy[0].pov[0] = platform::JoyState::kHatCentred;
    in.joy[0].buttons[6] = 0x80;
    Begin();
    EXPECT_FALSE(p.IsPress(tmAction::kLeft, 0));
    EXPECT_EQ(p.GetTriggeredJoyButton(0), 6);
    End();
}

TEST_F(tmPeripheralTest, LostDevicesReadAsAbsentAndAreRetriedEachStep) {
    WithPad();
    in.joy[0].buttons[2] = 0x80;
    in.joy[0].x = -900;
    Step();
    in.joyLost[0] = true;
    Begin();
    EXPECT_FALSE(p.IsPress(tmAction::kAccelerator, 0));
    EXPECT_EQ(p.GetSteering(0), 0.0f);
    End();
    const int before = in.reopenCalls;
    Step();
    Step();
    EXPECT_EQ(in.reopenCalls - before, 2);
    in.joyLost[0] = false;
    Begin();
    EXPECT_TRUE(p.IsPress(tmAction::kAccelerator, 0));
    End();

    in.SetKey(tmKey::kReturn, true);
    in.keyboardLost = true;
    Begin();
    EXPECT_FALSE(p.IsKeyDown(tmKey::kReturn));
    End();
    in.keyboardLost = false;
    Begin();
    EXPECT_TRUE(p.IsKeyTriggered(tmKey::kReturn));
    End();
}

TEST(tmPeripheralStart, WithoutDevicesItReportsAndReadsNothing) {
    platform::RecordingMessageBoxes boxes;
    platform::SetMessageBoxSink(&boxes);
    tmPeripheral p;
    EXPECT_NE(p.Init(nullptr, true), 0);
    platform::SetMessageBoxSink(nullptr);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "Interface System");
    EXPECT_NE(p.Update(), 0);
    p.UpdatePov();
    EXPECT_FALSE(p.IsPress(tmAction::kDecide, -1));
    EXPECT_EQ(p.GetSteering(0), 0.0f);
    p.StorePrevious();
}
