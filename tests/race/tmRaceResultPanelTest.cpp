// tmRaceResultPanelTest.cpp -- the results panel's pages: single race, cup standings, the demo's own page turns.
#include <gtest/gtest.h>

#include "content_tables.h"
#include "menu/tmSpriteTween.h"
#include "race/PanelRig.h"
#include "race/tmRaceResultPanel.h"

namespace {

// `count` entrants; the local entrant (index 1) finishes second, entrant 2 has no time.
void SetRace(uint32_t mode, uint32_t count) {
    tmRaceState& rs = tmRaceState::Get();
    rs.setup.mode = mode;
    rs.setup.count = count;
    rs.setup.local = 1;
    for (uint32_t i = 0; i < count; ++i) {
        tmEntrant e;
        e.machineId = 1 + i;
        e.controllerType = i == 1 ? kControllerPlayer : kControllerComputer;
        e.entrantId = i;
        rs.SetEntrant(static_cast<int>(i), e);
    }
    rs.SetResult(0, 0, 100000, true, 3, 0);
    rs.SetResult(1, 1, 101000, true, 3, 0);
    for (uint32_t p = 2; p < count; ++p) rs.SetResult(static_cast<int>(p), static_cast<int>(p), 0, false, 2, 0);
    rs.AwardPoints();
}

int RunUntil(PanelRig& rig, tmRaceResultPanel& panel, uint32_t state, int limit = 300) {
    int n = 0;
    for (; n < limit && panel.state != state; ++n) rig.Step([&] { panel.Update(false); });
    return n;
}

}  // namespace

TEST(tmRaceResultPanel, OutsideCupsOneConfirmCloses) {
    PanelRig rig;
    SetRace(kRaceModeSingle, 3);
    tmRaceResultPanel panel;
    panel.Init();
    panel.state = tmRaceResultPanel::kOpenRace;
    EXPECT_EQ(RunUntil(rig, panel, tmRaceResultPanel::kRaceShown), 12);
    for (int i = 0; i < 60; ++i) rig.Step([&] { panel.Update(false); });
    EXPECT_EQ(panel.state, tmRaceResultPanel::kRaceShown);  // waits for the player
    for (int r = 0; r < 3; ++r) {
        EXPECT_FLOAT_EQ(panel.GetRow(tmRaceResultPanel::kRacePage, r)->x, 0.0f);
        EXPECT_FLOAT_EQ(panel.GetRow(tmRaceResultPanel::kRacePage, r)->y, 110.0f + 40.0f * r);
    }
    EXPECT_EQ(panel.GetRow(tmRaceResultPanel::kRacePage, 1)->spriteId, content::SPR_FE_RESULT_ROW_OWN_ODD);
    EXPECT_EQ(panel.GetRow(tmRaceResultPanel::kRacePage, 0)->spriteId, content::SPR_FE_RESULT_ROW_EVEN);

    rig.draw.Clear();
    panel.Draw();
    EXPECT_EQ(rig.draw.SpritesOf(content::SPR_FE_RESULT_NO_TIME).size(), 1u);  // the unfinished entrant
    EXPECT_EQ(rig.draw.SpritesOf(content::SPR_FE_EMBLEM_02).size(), 1u);
    EXPECT_FLOAT_EQ(rig.draw.SpritesOf(content::SPR_FE_EMBLEM_02)[0].x, 495.0f);

    rig.Press(tmKey::kReturn, [&] { panel.Update(false); });
    EXPECT_EQ(panel.state, tmRaceResultPanel::kClosing);
    // Closing counts 0 to 12 and closes on its thirteenth step; the press's release step was the first.
    EXPECT_EQ(RunUntil(rig, panel, tmRaceResultPanel::kInactive), 12);
    EXPECT_EQ(rig.Count(tmSoundId::kResultPage), 2);
    // The rows left to either side by their parity.
    for (int i = 0; i < 40; ++i) rig.Step([&] { panel.Update(false); });
    EXPECT_FLOAT_EQ(panel.GetRow(tmRaceResultPanel::kRacePage, 0)->x, 1366.0f);
    EXPECT_FLOAT_EQ(panel.GetRow(tmRaceResultPanel::kRacePage, 1)->x, -1366.0f);
}

TEST(tmRaceResultPanel, CupShowsTheStandingsAfterTheRace) {
    PanelRig rig;
    SetRace(kRaceModeCup, 4);
    tmRaceResultPanel panel;
    panel.Init();
    panel.state = tmRaceResultPanel::kOpenRace;
    RunUntil(rig, panel, tmRaceResultPanel::kRaceShown);
    rig.Press(tmKey::kReturn, [&] { panel.Update(false); });
    EXPECT_EQ(panel.state, tmRaceResultPanel::kStandingsShown);
    for (int i = 0; i < 60; ++i) rig.Step([&] { panel.Update(false); });
    // The standings: 10 points for driver 0, 6 for the local driver.
    const tmStanding* second = tmRaceState::Get().GetDriverStanding(1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->id, 1);
    EXPECT_EQ(second->total, 6u);
    EXPECT_EQ(panel.GetRow(tmRaceResultPanel::kStandingsPage, 1)->spriteId, content::SPR_FE_RESULT_ROW_OWN_ODD);
    EXPECT_FLOAT_EQ(panel.GetRow(tmRaceResultPanel::kStandingsPage, 3)->x, 0.0f);
    rig.Press(tmKey::kReturn, [&] { panel.Update(false); });
    EXPECT_EQ(panel.state, tmRaceResultPanel::kClosing);
    RunUntil(rig, panel, tmRaceResultPanel::kInactive);
    EXPECT_EQ(rig.Count(tmSoundId::kResultPage), 3);
}

TEST(tmRaceResultPanel, DemoTurnsItsPagesByItself) {
    PanelRig rig;
    SetRace(kRaceModeDemo, 2);
    tmRaceResultPanel panel;
    panel.Init();
    panel.state = tmRaceResultPanel::kOpenRace;
    RunUntil(rig, panel, tmRaceResultPanel::kRaceShown);
    EXPECT_EQ(RunUntil(rig, panel, tmRaceResultPanel::kClosing), tmRaceResultPanel::kAutoAdvance + 1);
    RunUntil(rig, panel, tmRaceResultPanel::kInactive);
    EXPECT_FALSE(panel.IsActive());
}
