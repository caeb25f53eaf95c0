// tmSeqMachineSelectTest.cpp -- the machine select: the cover between machines, the transmission, cup and
// single entry, the leaves under a black or white cover.
#include <gtest/gtest.h>

#include "content_tables.h"
#include "menu/MenuRig.h"
#include "menu/tmMachineSelectFrontend.h"
#include "menu/tmMenuCommon.h"
#include "menu/tmSeqMachineSelect.h"
#include "race/tmRaceState.h"

namespace {
class MachineSelect : public ::testing::Test {
protected:
    // The screen entered and ready for input (the white cover cleared, the frontend's wait over).
    void Start(uint32_t mode) {
        tmRaceState::Get().setup.mode = mode;
        rig.Start(screen);
        for (int i = 0; i < 60 && screen.GetState() != tmSeqMachineSelect::kMachine; ++i) rig.Step();
        ASSERT_EQ(screen.GetState(), tmSeqMachineSelect::kMachine);
    }
    void TearDown() override { rig.Finish(); }
    const tmMachineSelectFrontend& Fe() const { return *screen.GetFrontend(); }

    MenuRig rig;
    tmSeqMachineSelect screen;
};
}  // namespace

TEST_F(MachineSelect, OpensFromWhiteAndWaitsForTheFrontend) {
    tmRaceState::Get().setup.mode = kRaceModeSingle;
    rig.Start(screen);
    EXPECT_EQ(Fe().GetCoverLevel(), 1.0f);
    EXPECT_EQ(Fe().GetCoverColour(), tmMachineSelectFrontend::kWhite);
    screen.Draw();  // the cover spans the whole window (pixels), not the letterboxed virtual screen
    const auto cover = rig.draw.SpritesOf(content::SPR_CM_16X16_WHITE);
    ASSERT_EQ(cover.size(), 1u);
    EXPECT_EQ(cover[0].placement, tmSpritePlacement::kTopLeft);
    EXPECT_TRUE(cover[0].x <= 0.0f && cover[0].y <= 0.0f && cover[0].x + 16.0f * cover[0].scaleX >= 1366.0f &&
                cover[0].y + 16.0f * cover[0].scaleY >= 768.0f);
    rig.Steps(10);
    EXPECT_EQ(Fe().GetCoverLevel(), 0.0f);                        // gone in ten steps
    EXPECT_EQ(screen.GetState(), tmSeqMachineSelect::kEntering);  // the frontend still waits
    rig.Steps(25);
    EXPECT_EQ(screen.GetState(), tmSeqMachineSelect::kMachine);
    EXPECT_TRUE(rig.MusicPlaying());
}

TEST_F(MachineSelect, ChangingTheMachineClosesAndOpensABlackCover) {
    Start(kRaceModeSingle);
    rig.Tap(tmKey::kRight);                  // Prentis/G
    EXPECT_GT(Fe().GetArrowLevel(1), 0.0f);  // the right arrow flashes
    EXPECT_EQ(Fe().GetArrowLevel(0), 0.0f);
    EXPECT_EQ(screen.GetCursor(), 1);
    EXPECT_EQ(screen.GetShownIndex(), 0);
    EXPECT_EQ(Fe().GetCoverColour(), tmMachineSelectFrontend::kBlack);
    rig.Tap(tmKey::kRight);  // Belmar: pressing again while covering only moves the cursor
    EXPECT_EQ(screen.GetCursor(), 2);
    int covered = 0;
    while (screen.GetShownIndex() != 2 && covered < 30) {
        rig.Step();
        ++covered;
    }
    EXPECT_EQ(screen.GetShownIndex(), 2);
    EXPECT_EQ(Fe().GetCoverLevel(), 1.0f);
    EXPECT_LE(covered + 4, 12);  // ten steps from the first press
    rig.Steps(12);
    EXPECT_EQ(Fe().GetCoverLevel(), 0.0f);
    EXPECT_EQ(Fe().GetShownMachine(), 2u);
    EXPECT_EQ(Fe().GetName(2)->targetAlpha, 1.0f);
    EXPECT_EQ(Fe().GetName(1)->targetAlpha, 0.0f);
    rig.Tap(tmKey::kLeft);
    rig.Tap(tmKey::kLeft);
    rig.Tap(tmKey::kLeft);
    EXPECT_EQ(screen.GetCursor(), 10);  // wraps
}

TEST_F(MachineSelect, CancelDuringTheTransmissionGoesBackToTheMachines) {
    Start(kRaceModeSingle);
    rig.Tap(tmKey::kReturn);
    ASSERT_EQ(screen.GetState(), tmSeqMachineSelect::kTransmission);
    rig.Step();
    EXPECT_EQ(Fe().GetMission(tmMachineSelectFrontend::kAutoOn)->targetAlpha, 1.0f);
    EXPECT_EQ(Fe().GetFrame(tmMachineSelectFrontend::kLeftArrow)->targetX, -235.0f);
    rig.Tap(tmKey::kRight);
    EXPECT_EQ(screen.GetTransmission(), 1u);
    EXPECT_EQ(Fe().GetMission(tmMachineSelectFrontend::kManualOn)->targetAlpha, 1.0f);
    rig.Tap(tmKey::kBackspace);
    EXPECT_EQ(screen.GetState(), tmSeqMachineSelect::kMachine);
    EXPECT_EQ(Fe().GetFrame(tmMachineSelectFrontend::kLeftArrow)->targetX, 0.0f);
    EXPECT_EQ(Fe().GetMission(tmMachineSelectFrontend::kManualOn)->targetAlpha, 0.0f);
    EXPECT_EQ(rig.RunToNext(40), 0);
}

TEST_F(MachineSelect, SingleRaceDecisionBecomesTheLocalEntrantUnderBlack) {
    tmRaceState::Get().setup.local = 0;
    Start(kRaceModeSingle);
    for (int i = 0; i < 3; ++i) rig.Tap(tmKey::kRight);  // Quessa/J
    rig.Steps(25);
    rig.Tap(tmKey::kReturn);
    rig.Tap(tmKey::kRight);  // manual
    const int decide = rig.steps + 1;
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(rig.RunToNext(120), kSeqLoading);
    EXPECT_EQ(rig.nextStep - decide, 71);  // after the 71 busy steps of the leave
    EXPECT_EQ(Fe().GetCoverColour(), tmMachineSelectFrontend::kBlack);
    const tmEntrant& e = tmRaceState::Get().entrants[0];
    EXPECT_EQ(e.machineId, 3u);
    EXPECT_EQ(e.controllerType, uint32_t(kControllerPlayer));
    EXPECT_EQ(e.variant, 1u);
    EXPECT_EQ(e.entrantId, 0u);
    EXPECT_FALSE(rig.MusicPlaying());
}

TEST_F(MachineSelect, CupDecisionStartsTheCup) {
    tmRaceState::Get().cup.cupId = 2;
    Start(kRaceModeCup);
    rig.Tap(tmKey::kLeft);  // Custrel S
    rig.Steps(25);
    rig.Tap(tmKey::kReturn);
    rig.Tap(tmKey::kReturn);  // automatic
    EXPECT_EQ(rig.RunToNext(120), kSeqLoading);
    const tmRaceState& rs = tmRaceState::Get();
    EXPECT_EQ(rs.cup.cupId, 2u);
    EXPECT_EQ(rs.cup.machineId, 11u);
    EXPECT_EQ(rs.cup.variant, 0u);
    EXPECT_EQ(rs.cup.raceIndex, 0u);
    EXPECT_EQ(rs.setup.course, tmRaceState::GetCup(2)->races[0].course);
}

TEST_F(MachineSelect, CancelReturnsToTheMenuUnderWhite) {
    Start(kRaceModeSingle);
    rig.Tap(tmKey::kBackspace);
    EXPECT_EQ(rig.RunToNext(120), kSeqMainMenu);
    EXPECT_EQ(Fe().GetCoverColour(), tmMachineSelectFrontend::kWhite);
    EXPECT_EQ(rig.Count(tmMenuSound::kBack), 1);
}

TEST_F(MachineSelect, CancelAfterAMoveWaitsForThePictureToCatchUp) {
    Start(kRaceModeSingle);
    rig.Tap(tmKey::kRight);
    rig.Tap(tmKey::kBackspace);
    EXPECT_EQ(screen.GetState(), tmSeqMachineSelect::kCancelled);
    EXPECT_EQ(rig.RunToNext(150), kSeqMainMenu);
    EXPECT_EQ(screen.GetShownIndex(), 1);
}
