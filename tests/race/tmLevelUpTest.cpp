// tmLevelUpTest.cpp -- level-up gains, counting, the level-49 cap, the clamp of a damaged save and the store on
// confirm.
#include <gtest/gtest.h>

#include "race/PanelRig.h"
#include "race/tmLevelUp.h"

namespace {

// One entrant (or `count`) with the local entrant at position `localPosition`.
void SetRace(uint32_t mode, uint32_t count, uint32_t localPosition) {
    tmRaceState& rs = tmRaceState::Get();
    rs.setup.mode = mode;
    rs.setup.count = count;
    rs.setup.local = 0;
    for (uint32_t p = 0; p < count; ++p) rs.results[p].entrantIndex = (p + count - localPosition) % count;
}

void SetProfile(int level, int points) {
    tmConfig::GetInstance().SetProfileValue1(level);
    tmConfig::GetInstance().SetProfileValue2(points);
}

// Steps until the state is `state`; false when it never came.
bool RunUntil(PanelRig& rig, tmLevelUp& panel, uint32_t state, int limit = 2000) {
    for (int i = 0; i < limit && panel.state != state; ++i) rig.Step([&] { panel.Update(); });
    return panel.state == state;
}

}  // namespace

TEST(tmLevelUp, GainByModeLevelAndWin) {
    EXPECT_EQ(tmLevelUp::ComputeGain(kRaceModeLobby, 5, false), 50u);  // a lost lobby race at level 5
    EXPECT_EQ(tmLevelUp::ComputeGain(kRaceModeCup, 35, false), 0u);    // no halving from level 30: nothing
    EXPECT_EQ(tmLevelUp::ComputeGain(kRaceModeCup, 35, true), 2u);
    EXPECT_EQ(tmLevelUp::ComputeGain(kRaceModeSingle, 9, true), 20u);
    EXPECT_EQ(tmLevelUp::ComputeGain(kRaceModeSingle, 10, true), 10u);
    EXPECT_EQ(tmLevelUp::ComputeGain(kRaceModeDirect, 25, false), 2u);  // 5 halved
    EXPECT_EQ(tmLevelUp::ComputeGain(kRaceModeLobby, 49, true), 10u);
    EXPECT_EQ(tmLevelUp::ComputeGain(kRaceModeSingle, 40, true), 0u);
    for (uint32_t level : {0u, 15u, 45u}) {
        EXPECT_EQ(tmLevelUp::ComputeGain(kRaceModeReplay, level, true), 0u);
        EXPECT_EQ(tmLevelUp::ComputeGain(kRaceModeDemo, level, true), 0u);
    }
    EXPECT_EQ(tmLevelUp::ComputeGain(7, 0, true), 0u);
}

TEST(tmLevelUp, NoGainKeepsThePanelShut) {
    PanelRig rig;
    tmLevelUp panel;
    panel.Init();
    SetRace(kRaceModeCup, 10, 3);
    SetProfile(35, 40);
    panel.Start();
    EXPECT_EQ(panel.state, tmLevelUp::kInactive);
    SetRace(kRaceModeDemo, 1, 0);
    SetProfile(0, 0);
    panel.Start();
    EXPECT_EQ(panel.state, tmLevelUp::kInactive);
}

TEST(tmLevelUp, CountsPointsOverALevelThenStoresOnConfirm) {
    PanelRig rig;
    tmLevelUp panel;
    panel.Init();
    SetRace(kRaceModeSingle, 1, 0);  // a single race is always won
    SetProfile(8, 80);               // shown level 9; the last point fills the level
    panel.Start();
    ASSERT_EQ(panel.state, tmLevelUp::kAppear);
    EXPECT_EQ(panel.GetPointsToAdd(), 20u);

    rig.Press(tmKey::kReturn, [&] { panel.Update(); });  // too early: nothing happens
    ASSERT_TRUE(RunUntil(rig, panel, tmLevelUp::kCount));
    for (int i = 0; i < 200 && panel.GetPointsToAdd() > 0; ++i) rig.Step([&] { panel.Update(); });
    EXPECT_EQ(panel.GetLevel(), 9u);
    EXPECT_EQ(panel.GetPoints(), 0u);
    EXPECT_EQ(panel.GetFlash(), tmLevelUp::kFlashSteps);
    EXPECT_EQ(rig.Count(tmSoundId::kLevelUp), 1);
    EXPECT_EQ(rig.Count(tmSoundId::kPointCount), 19);
    EXPECT_EQ(tmConfig::GetInstance().GetProfileValue1(), 8);  // nothing stored yet

    rig.Press(tmKey::kReturn, [&] { panel.Update(); });  // the flash still runs
    EXPECT_EQ(panel.state, tmLevelUp::kCount);
    for (int i = 0; i < 30; ++i) rig.Step([&] { panel.Update(); });
    rig.Press(tmKey::kReturn, [&] { panel.Update(); });
    EXPECT_EQ(panel.state, tmLevelUp::kLeave);
    EXPECT_EQ(rig.sounds.back(), tmSoundId::kConfirm);
    EXPECT_EQ(tmConfig::GetInstance().GetProfileValue1(), 9);
    EXPECT_EQ(tmConfig::GetInstance().GetProfileValue2(), 0);
    EXPECT_TRUE(RunUntil(rig, panel, tmLevelUp::kInactive, 12));
}

TEST(tmLevelUp, LevelFortyNineStopsAtNinetyNine) {
    PanelRig rig;
    tmLevelUp panel;
    panel.Init();
    SetRace(kRaceModeLobby, 2, 0);
    SetProfile(49, 95);
    panel.Start();
    ASSERT_TRUE(RunUntil(rig, panel, tmLevelUp::kCount));
    for (int i = 0; i < 200 && panel.GetPointsToAdd() > 0; ++i) rig.Step([&] { panel.Update(); });
    EXPECT_EQ(panel.GetLevel(), 49u);
    EXPECT_EQ(panel.GetPoints(), 99u);
    EXPECT_EQ(panel.GetFlash(), 0u);
    rig.Press(tmKey::kReturn, [&] { panel.Update(); });
    EXPECT_EQ(tmConfig::GetInstance().GetProfileValue1(), 49);
    EXPECT_EQ(tmConfig::GetInstance().GetProfileValue2(), 99);
}

TEST(tmLevelUp, DamagedProfileValuesAreHeldInRangeAtStart) {
    PanelRig rig;
    tmLevelUp panel;
    panel.Init();
    SetRace(kRaceModeLobby, 2, 0);
    SetProfile(80, 250);
    panel.Start();
    EXPECT_EQ(panel.GetLevel(), 49u);
    EXPECT_EQ(panel.GetPoints(), 99u);
    SetProfile(-3, -7);
    panel.Start();
    EXPECT_EQ(panel.GetLevel(), 0u);
    EXPECT_EQ(panel.GetPoints(), 0u);
    EXPECT_EQ(panel.GetPointsToAdd(), 100u);
}
