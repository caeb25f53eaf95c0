// tmSeqMachineViewerTest.cpp -- the garage: RETURN under the white cover, viewing without a machine, a machine
// swapped behind the black cover, and the cameras cycling only while viewing.
#include <gtest/gtest.h>

#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "menu/MenuRig.h"
#include "menu/tmMachineSelectFrontend.h"
#include "menu/tmSeqMachineViewer.h"

namespace {
class Garage : public ::testing::Test {
protected:
    void SetUp() override {
        rig.Start(screen);
        for (int i = 0; i < 60 && screen.GetState() != tmSeqMachineViewer::kList; ++i) rig.Step();
        ASSERT_EQ(screen.GetState(), tmSeqMachineViewer::kList);
    }
    void TearDown() override { rig.Finish(); }
    MenuRig rig;
    tmSeqMachineViewer screen;
};
}  // namespace

TEST_F(Garage, ReturnLeavesUnderTheWhiteCover) {
    EXPECT_EQ(rig.MusicRow(), tmMusicStream::kViewers);
    rig.Tap(tmKey::kReturn);  // RETURN is the first entry
    EXPECT_GE(screen.GetState(), tmSeqMachineViewer::kLeaving);
    EXPECT_EQ(rig.RunToNext(150), kSeqMainMenu);
    EXPECT_EQ(screen.GetFrontend()->GetCoverColour(), tmMachineSelectFrontend::kWhite);
    EXPECT_FALSE(rig.MusicPlaying());
}

TEST_F(Garage, PauseOnReturnViewsTheEmptyGarage) {
    rig.Tap(tmKey::kEscape);
    EXPECT_EQ(screen.GetState(), tmSeqMachineViewer::kViewing);
    rig.Steps(30);
    EXPECT_EQ(screen.GetMachine(), nullptr);
}

TEST_F(Garage, AChosenMachineIsSwappedInBehindTheBlackCover) {
    rig.Tap(tmKey::kDown);
    rig.Tap(tmKey::kDown);  // Prentis/G
    EXPECT_EQ(screen.GetCursor(), 2);
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(screen.GetState(), tmSeqMachineViewer::kViewing);
    EXPECT_EQ(screen.GetFrontend()->GetCoverColour(), tmMachineSelectFrontend::kBlack);
    for (int i = 0; i < 40 && screen.GetShownEntry() != 2; ++i) rig.Step();
    ASSERT_EQ(screen.GetShownEntry(), 2);
    ASSERT_NE(screen.GetMachine(), nullptr);
    EXPECT_EQ(screen.GetMachine()->GetCore()->viewerMode, 1);
    rig.Steps(15);
    EXPECT_EQ(screen.GetFrontend()->GetCoverLevel(), 0.0f);
    EXPECT_EQ(screen.GetFrontend()->GetShownMachine(), 9u);
    // The machine stands under the showroom's light from above, not the garage course's.
    rig.draw.lights.clear();
    screen.Draw();
    ASSERT_FALSE(rig.draw.lights.empty());
    EXPECT_FLOAT_EQ(rig.draw.lights[0].x, 0.0f);
    EXPECT_FLOAT_EQ(rig.draw.lights[0].y, -1.0f);
    EXPECT_FLOAT_EQ(rig.draw.lights[0].z, -0.001f);
    // Another machine replaces it the same way.
    rig.Tap(tmKey::kReturn);  // back to the list
    EXPECT_EQ(screen.GetState(), tmSeqMachineViewer::kList);
    rig.Tap(tmKey::kDown);
    rig.Tap(tmKey::kReturn);
    for (int i = 0; i < 40 && screen.GetShownEntry() != 3; ++i) rig.Step();
    EXPECT_EQ(screen.GetShownEntry(), 3);
    EXPECT_EQ(screen.GetFrontend()->GetCoverLevel(), 1.0f);  // swapped while covered
    rig.Steps(20);
    EXPECT_EQ(screen.GetFrontend()->GetCoverLevel(), 0.0f);
    EXPECT_EQ(screen.GetFrontend()->GetShownMachine(), 2u);
}

TEST_F(Garage, TheCameraCyclesOnlyWhileViewing) {
    rig.Tap(tmKey::kP);
    EXPECT_EQ(screen.GetCameraMode(), 16);  // not in the list
    rig.Tap(tmKey::kDown);
    rig.Tap(tmKey::kReturn);
    const int expected[6] = {17, 18, 19, 20, 16, 17};
    for (int k = 0; k < 6; ++k) {
        rig.Tap(tmKey::kP);
        EXPECT_EQ(screen.GetCameraMode(), expected[k]) << k;
    }
}
