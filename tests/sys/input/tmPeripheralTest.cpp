// tmPeripheralTest.cpp -- actions, repeats, steering and pedals, clicks and lost devices on scripted devices.
#include <gtest/gtest.h>

#include "platform/window/Window.h"
#include "sys/input/tmPeripheral.h"

namespace {

const int kUp = 200, kLeft = 203, kRight = 205, kReturn = 28, kEsc = 1;

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
    in.SetKey(kLeft, true);
    Begin();
    EXPECT_EQ(p.GetSteering(0), 1.0f);
    End();
    in.SetKey(kRight, true);  // right wins when both are held
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
    EXPECT_FALSE(p.IsPress(7, 0));
    p.SetPedalType(1, 0);
    EXPECT_EQ(p.GetAccelerator(0), 0.0f);
    EXPECT_EQ(p.GetTriggeredJoyButton(0), -1);
    End();
}

TEST_F(tmPeripheralTest, DirectionRepeatsEveryTwelveStepsButtonsDoNot) {
    std::vector<int> triggers, repeats;
    in.SetKey(kUp, true);
    for (int step = 1; step <= 25; ++step) {
        Begin();
        if (p.IsTrigger(0, 0)) triggers.push_back(step);
        if (p.IsRepeat(0, -1)) repeats.push_back(step);
        EXPECT_TRUE(p.IsPress(0, 0));
        End();
    }
    EXPECT_EQ(triggers, std::vector<int>({1}));
    EXPECT_EQ(repeats, std::vector<int>({1, 13, 25}));

    std::vector<int> buttonRepeats;
    in.SetKey(kReturn, true);
    for (int step = 1; step <= 14; ++step) {
        Begin();
        if (p.IsRepeat(4, 0)) buttonRepeats.push_back(step);
        End();
    }
    EXPECT_EQ(buttonRepeats, std::vector<int>({1}));
    Begin();
    EXPECT_FALSE(p.IsPress(16, 0));
    EXPECT_FALSE(p.IsPress(-1, 0));
    EXPECT_FALSE(p.IsPress(4, 2));
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
}

TEST_F(tmPeripheralTest, DecideTriggersOnCrossingPointNine) {
    WithPad();
    p.SetPedalType(1, 0);
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
    p.SetJoyButtonAssign(7, 5, 0);
    EXPECT_EQ(p.GetJoyButtonAssign(4, 0), 5);
    in.joy[0].buttons[5] = 0x80;
    Begin();
    EXPECT_TRUE(p.IsTrigger(4, 0));
    EXPECT_TRUE(p.IsDecideTriggered());
    End();
    // Bindings outside the pad's 128 buttons read as nothing.
    p.SetJoyButtonAssign(9, 200, 0);
    p.SetJoyButtonAssign(10, -7, 0);
    Begin();
    EXPECT_FALSE(p.IsPress(9, 0));
    EXPECT_FALSE(p.IsPress(10, 0));
    End();
}

TEST_F(tmPeripheralTest, TextEntryLockKeepsKeysFromActions) {
    WithPad();
    p.textEntryLock = 1;
    in.SetKey(kReturn, true);
    in.SetKey(kEsc, true);
    Begin();
    EXPECT_FALSE(p.IsTrigger(4, 0));
    EXPECT_FALSE(p.IsEscapeTriggered());
    EXPECT_TRUE(p.IsKeyTriggered(kReturn));
    EXPECT_TRUE(p.IsTextKeyTriggered());
    End();
    in.joy[0].buttons[0] = 0x80;  // decide's pad button still works
    Begin();
    EXPECT_TRUE(p.IsTrigger(4, 0));
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
    EXPECT_TRUE(p.IsTrigger(2, 0));
    EXPECT_FALSE(p.IsPress(3, 0));
    End();
    in.joy[0].pov[0] = platform::JoyState::kHatCentred;
    in.joy[0].buttons[6] = 0x80;
    Begin();
    EXPECT_FALSE(p.IsPress(2, 0));
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
    EXPECT_FALSE(p.IsPress(7, 0));
    EXPECT_EQ(p.GetSteering(0), 0.0f);
    End();
    const int before = in.reopenCalls;
    Step();
    Step();
    EXPECT_EQ(in.reopenCalls - before, 2);
    in.joyLost[0] = false;
    Begin();
    EXPECT_TRUE(p.IsPress(7, 0));
    End();

    in.SetKey(kReturn, true);
    in.keyboardLost = true;
    Begin();
    EXPECT_FALSE(p.IsKeyDown(kReturn));
    End();
    in.keyboardLost = false;
    Begin();
    EXPECT_TRUE(p.IsKeyTriggered(kReturn));
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
    EXPECT_FALSE(p.IsPress(4, -1));
    EXPECT_EQ(p.GetSteering(0), 0.0f);
    p.StorePrevious();
}
