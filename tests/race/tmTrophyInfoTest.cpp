// tmTrophyInfoTest.cpp -- trophy conditions by table and rule, the player-only rule, and the panel's order.
#include <gtest/gtest.h>

#include <initializer_list>

#include "race/PanelRig.h"
#include "race/tmRaceSprites.h"
#include "race/tmTrophyInfo.h"

namespace {

// A race of `count` entrants on `course` in `mode`, the local player (entrant 0)
// on `machine`, finishing at `localPosition` in `timeMs`; the others are computers on machine 3.
void SetRace(uint32_t mode, uint32_t course, uint32_t count, uint32_t machine, uint32_t localPosition,
             uint32_t timeMs) {
    tmRaceState& rs = tmRaceState::Get();
    rs.setup.mode = mode;
    rs.setup.course = course;
    rs.setup.count = count;
    rs.setup.local = 0;
    for (uint32_t i = 0; i < count; ++i) {
        rs.entrants[i].machineId = i == 0 ? machine : 3;
        rs.entrants[i].controllerType = i == 0 ? kControllerPlayer : kControllerComputer;
        rs.entrants[i].entrantId = i;
    }
    for (uint32_t p = 0; p < count; ++p) {
        const uint32_t entrant = (p + count - localPosition) % count;
        rs.SetResult(static_cast<int>(entrant), static_cast<int>(p), timeMs + 1000 * p, true, rs.setup.laps, 0);
    }
}

std::vector<int> Earned() {
    std::vector<int> out;
    for (int id = 0; id < tmTrophyInfo::kTrophyCount; ++id)
        if (tmConfig::GetInstance().IsUnlocked(id)) out.push_back(id);
    return out;
}

void Check() { tmTrophyInfo::CheckConditions(tmConfig::GetInstance(), tmRaceState::Get()); }

}  // namespace

TEST(tmTrophyInfo, CourseTimesAwardEveryLimitMet) {
    PanelRig rig;
    SetRace(kRaceModeSingle, 3, 1, 1, 0, 104000);
    Check();
    EXPECT_EQ(Earned(), (std::vector<int>{53, 54, 55}));
    PanelRig again;
    SetRace(kRaceModeSingle, 3, 1, 1, 0, 104001);
    Check();
    EXPECT_EQ(Earned(), (std::vector<int>{53, 54}));
    PanelRig unfinished;
    SetRace(kRaceModeSingle, 3, 1, 1, 0, 90000);
    tmRaceState::Get().results[0].finished = 0;  // a race not run to its end has no time to judge
    Check();
    EXPECT_TRUE(Earned().empty());
}

TEST(tmTrophyInfo, OnlyAPlayerDrivenLocalEntrantEarns) {
    for (uint32_t type : {kControllerReplay, kControllerComputer}) {
        PanelRig rig;
        SetRace(kRaceModeReplay, 3, 1, 1, 0, 90000);
        tmRaceState::Get().entrants[0].controllerType = type;
        Check();
        EXPECT_TRUE(Earned().empty()) << type;
    }
}

TEST(tmTrophyInfo, WinsByMachineAndTheirCombinations) {
    PanelRig rig;
    SetRace(kRaceModeCup, 2, 10, 9, 0, 200000);
    Check();
    EXPECT_TRUE(tmConfig::GetInstance().IsUnlocked(3));   // cup race won on machine 9
    EXPECT_FALSE(tmConfig::GetInstance().IsUnlocked(4));  // the cup goes on

    PanelRig net;
    SetRace(kRaceModeDirect, 2, 4, 2, 0, 200000);
    tmRaceState::Get().entrants[2].machineId = 1;
    Check();
    for (int id : {8, 34, 91}) EXPECT_TRUE(tmConfig::GetInstance().IsUnlocked(id)) << id;
    EXPECT_FALSE(tmConfig::GetInstance().IsUnlocked(35));

    PanelRig all;
    for (int id : {1, 7, 25, 16, 4, 28, 22, 19, 31}) tmConfig::GetInstance().Unlock(id);
    for (int id : {55, 61, 67, 73, 85, 79, 58, 64, 70, 76, 88}) tmConfig::GetInstance().Unlock(id);
    SetRace(kRaceModeSingle, 2, 1, 1, 0, 300000);
    Check();
    EXPECT_TRUE(tmConfig::GetInstance().IsUnlocked(33));
    EXPECT_FALSE(tmConfig::GetInstance().IsUnlocked(89));  // 82 is missing
    tmConfig::GetInstance().Unlock(82);
    Check();
    EXPECT_TRUE(tmConfig::GetInstance().IsUnlocked(89));
}

TEST(tmTrophyInfo, LevelLappedFieldRefillAndComebackRules) {
    PanelRig rig;
    tmConfig::GetInstance().SetProfileValue1(9);
    SetRace(kRaceModeSingle, 2, 1, 5, 0, 300000);
    tmRaceState::Get().leaderLappedField = 1;  // one entrant: never "lapped the field"
    tmRaceState::Get().results[0].refills = 2;
    tmRaceState::Get().lastPlaceLapShort[0] = 1;
    Check();
    EXPECT_EQ(Earned(), (std::vector<int>{44}));

    PanelRig field;
    SetRace(kRaceModeCup, 2, 4, 5, 0, 300000);
    tmRaceState::Get().leaderLappedField = 1;
    tmRaceState::Get().results[0].refills = 1;
    tmRaceState::Get().lastPlaceLapShort[0] = 1;  // the winner ran last on its final lap
    Check();
    for (int id : {90, 93, 94}) EXPECT_TRUE(tmConfig::GetInstance().IsUnlocked(id)) << id;

    PanelRig ghost;
    SetRace(kRaceModeGhost, 2, 2, 5, 0, 300000);
    tmRaceState::Get().leaderLappedField = 1;
    tmRaceState::Get().lastPlaceLapShort[0] = 1;
    Check();
    EXPECT_FALSE(tmConfig::GetInstance().IsUnlocked(90));
    EXPECT_FALSE(tmConfig::GetInstance().IsUnlocked(94));

    PanelRig otherLast;
    SetRace(kRaceModeCup, 2, 4, 5, 0, 300000);
    tmRaceState::Get().lastPlaceLapShort[3] = 1;  // another entrant's flag earns the winner nothing
    Check();
    EXPECT_FALSE(tmConfig::GetInstance().IsUnlocked(94));
}

TEST(tmTrophyInfo, CupOnlyTrophiesNeedACupRace) {
    PanelRig rig;
    tmRaceState& rs = tmRaceState::Get();
    ASSERT_TRUE(rs.StartCup(1, 1, 0));
    const tmCup* cup = tmRaceState::GetCup(1);
    rs.cup.raceIndex = cup->raceCount - 1;  // the last race, no points so far
    rs.SetupCupRace();
    SetRace(kRaceModeCup, rs.setup.course, rs.setup.count, 1, 5, 300000);
    rs.AwardPoints();
    Check();
    EXPECT_TRUE(tmConfig::GetInstance().IsUnlocked(95));

    // After the cup the race index stays at its end: a later network race earns no cup trophy.
    PanelRig later;
    tmRaceState& r2 = tmRaceState::Get();
    ASSERT_TRUE(r2.StartCup(1, 5, 0));
    r2.cup.raceIndex = cup->raceCount;
    SetRace(kRaceModeLobby, 2, 3, 5, 1, 300000);
    r2.points[1][0] = 10;  // entrant 1 leads, the local driver (id 0) is second
    r2.ComputeStandings();
    ASSERT_EQ(r2.FindStanding(0), 1);
    Check();
    EXPECT_FALSE(tmConfig::GetInstance().IsUnlocked(95));
    EXPECT_FALSE(tmConfig::GetInstance().IsUnlocked(96));
}

TEST(tmTrophyInfo, TablesByMachineTeamAndLevel) {
    EXPECT_EQ(tmTrophyInfo::CupRaceWonTrophy(1), 0);
    EXPECT_EQ(tmTrophyInfo::CupWonTrophy(11), 13);
    EXPECT_EQ(tmTrophyInfo::NetworkRaceWonTrophy(8), 32);
    EXPECT_EQ(tmTrophyInfo::CupRaceWonTrophy(0), tmTrophyInfo::kNone);
    EXPECT_EQ(tmTrophyInfo::CupRaceWonTrophy(12), tmTrophyInfo::kNone);
    EXPECT_EQ(tmTrophyInfo::OneTwoTrophy(2), 41);
    EXPECT_EQ(tmTrophyInfo::OneTwoTrophy(5), tmTrophyInfo::kNone);
    EXPECT_EQ(tmTrophyInfo::LevelTrophy(49), 52);
    EXPECT_EQ(tmTrophyInfo::LevelTrophy(48), tmTrophyInfo::kNone);
    // Every id 0..96 is named exactly once by the tables and rules.
    std::vector<int> seen(tmTrophyInfo::kTrophyCount, 0);
    for (uint32_t m = 1; m <= 11; ++m) {
        ++seen[tmTrophyInfo::CupRaceWonTrophy(m)];
        ++seen[tmTrophyInfo::CupWonTrophy(m)];
        ++seen[tmTrophyInfo::NetworkRaceWonTrophy(m)];
    }
    for (int t = 1; t <= 4; ++t) ++seen[tmTrophyInfo::OneTwoTrophy(t)];
    for (int level = 0; level < 50; ++level)
        if (tmTrophyInfo::LevelTrophy(level) != tmTrophyInfo::kNone) ++seen[tmTrophyInfo::LevelTrophy(level)];
    for (uint32_t c = 2; c <= 13; ++c) {
        uint32_t limits[3];
        int ids[3];
        ASSERT_TRUE(tmTrophyInfo::CourseTimeTrophies(c, limits, ids));
        EXPECT_GT(limits[0], limits[1]);
        EXPECT_GT(limits[1], limits[2]);
        for (int id : ids) ++seen[id];
    }
    for (int id : {33, 34, 35, 36, 37, 89, 90, 91, 92, 93, 94, 95, 96}) ++seen[id];
    for (int id = 0; id < tmTrophyInfo::kTrophyCount; ++id) EXPECT_EQ(seen[id], 1) << id;
}

TEST(tmTrophyInfo, PanelShowsNewTrophiesInIdOrderOnce) {
    PanelRig rig;
    tmConfig::GetInstance().Unlock(54);
    tmConfig::GetInstance().MarkSeen(54);  // already shown once
    SetRace(kRaceModeSingle, 3, 1, 1, 0, 104000);
    tmTrophyInfo panel;
    panel.Init();
    panel.Start();
    std::vector<int> shown;
    for (int i = 0; i < 400 && panel.state != tmTrophyInfo::kInactive; ++i) {
        if (panel.state == tmTrophyInfo::kWait) {
            shown.push_back(panel.GetTrophyOnDisplay());
            rig.Press(tmKey::kReturn, [&] { panel.Update(); });
        } else {
            rig.Step([&] { panel.Update(); });
        }
    }
    EXPECT_EQ(shown, (std::vector<int>{53, 55}));
    EXPECT_EQ(rig.Count(tmSoundId::kTrophy), 2);
    EXPECT_EQ(tmConfig::GetInstance().GetUnlockState(53), 2);
    EXPECT_EQ(tmConfig::GetInstance().GetUnlockState(55), 2);
    panel.Start();  // nothing new any more
    EXPECT_EQ(panel.state, tmTrophyInfo::kInactive);
}

TEST(tmTrophyInfo, PanelDrawsTheTrophysPictureCell) {
    PanelRig rig;
    SetRace(kRaceModeSingle, 3, 1, 1, 0, 110000);
    tmTrophyInfo panel;
    panel.Init();
    panel.Start();
    ASSERT_EQ(panel.GetTrophyOnDisplay(), 53);
    for (int i = 0; i < 40; ++i) rig.Step([&] { panel.Update(); });
    panel.Draw();
    const auto cells = rig.draw.SpritesOf(static_cast<int>(tmRaceSprites::kFirstTrophy + 53));
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_FLOAT_EQ(cells[0].x, 229.0f);
    EXPECT_FLOAT_EQ(cells[0].y, 62.0f);
    EXPECT_FLOAT_EQ(cells[0].scaleX, 1.0f);
}
