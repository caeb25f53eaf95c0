// tmRaceStateTest.cpp -- cups, points, driver and team standings, results and setup validation.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/tmConfig.h"
#include "race/tmRaceState.h"
#include "table/MachineTable.h"

namespace {

class RaceStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        tmConfig& c = tmConfig::GetInstance();
        c.SetPlayerName("PLAYER ONE");
        c.SetTeamName("HOME TEAM");
        c.SetGameOption1(2);  // difficulty
        c.SetGameOption2(5);  // laps
    }

    tmEntrant Entrant(uint32_t machine, uint32_t type, uint32_t id, const char* team = "") {
        tmEntrant e;
        e.machineId = machine;
        e.controllerType = type;
        e.entrantId = id;
        std::strncpy(e.teamName, team, kRaceNameSize - 1);
        return e;
    }

    tmRaceState rs;
};

// ---- defaults and entrants ----

TEST_F(RaceStateTest, StartsEmptyWithOneLocalEntrant) {
    EXPECT_EQ(rs.setup.count, 1u);
    EXPECT_EQ(rs.setup.laps, 3u);
    EXPECT_EQ(rs.entrants[0].controllerType, (uint32_t)kControllerPlayer);
    for (int i = 0; i < kRaceEntrants; ++i) {
        EXPECT_EQ(rs.cores[i], nullptr);
        EXPECT_EQ(rs.GetDriverStanding(i), nullptr);
        EXPECT_EQ(rs.teams[i].members[0], -1);
    }
    EXPECT_EQ(&tmRaceState::Get(), &tmRaceState::Instance());
}

TEST_F(RaceStateTest, EntrantNamesComeFromWhoDrives) {
    tmEntrant e = Entrant(4, kControllerComputer, 3);
    std::strcpy(e.driverName, "ignored");
    rs.SetEntrant(2, e);
    const MachineSpec* spec = GetMachineSpec(4);
    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(std::string(rs.entrants[2].driverName), std::string(spec->driverName, strnlen(spec->driverName, 16)));
    EXPECT_EQ(std::string(rs.entrants[2].teamName), std::string(spec->teamName, strnlen(spec->teamName, 16)));

    rs.SetEntrant(0, Entrant(1, kControllerPlayer, 0));
    EXPECT_STREQ(rs.entrants[0].driverName, "PLAYER ONE");
    EXPECT_STREQ(rs.entrants[0].teamName, "HOME TEAM");

    // Replayed and network entrants keep what they were given, always terminated.
    tmEntrant net = Entrant(5, kControllerNetwork, 7);
    std::memset(net.driverName, 'N', sizeof net.driverName);
    std::strcpy(net.teamName, "PEERS");
    rs.SetEntrant(5, net);
    EXPECT_EQ(std::strlen(rs.entrants[5].driverName), 16u);
    EXPECT_STREQ(rs.entrants[5].teamName, "PEERS");

    // A computer driver on a machine without a record keeps its names; a bad slot changes nothing.
    tmEntrant odd = Entrant(40, kControllerComputer, 1);
    std::strcpy(odd.driverName, "KEPT");
    rs.SetEntrant(6, odd);
    EXPECT_STREQ(rs.entrants[6].driverName, "KEPT");
    rs.SetEntrant(16, Entrant(2, kControllerComputer, 1));
    rs.SetEntrant(-1, Entrant(2, kControllerComputer, 1));
}

// ---- cups ----

TEST_F(RaceStateTest, PlayerOutsideTheCupListJoinsAsAnExtraDriver) {
    ASSERT_TRUE(rs.StartCup(1, 10, 1));
    EXPECT_EQ(rs.setup.mode, (uint32_t)kRaceModeCup);
    EXPECT_EQ(rs.setup.course, 3u);
    EXPECT_EQ(rs.setup.count, 10u);
    EXPECT_EQ(rs.setup.local, 0u);
    EXPECT_EQ(rs.setup.difficulty, 2u);
    EXPECT_EQ(rs.setup.laps, 5u);
    EXPECT_EQ(rs.entrants[0].machineId, 10u);
    EXPECT_EQ(rs.entrants[0].controllerType, (uint32_t)kControllerPlayer);
    EXPECT_EQ(rs.entrants[0].variant, 1u);
    EXPECT_EQ(rs.entrants[0].entrantId, 9u);
    // The nine computer drivers follow in grid order with their driver ids.
    const uint32_t machines[9] = {6, 9, 8, 5, 7, 4, 3, 2, 1};
    const uint32_t ids[9] = {5, 8, 7, 4, 6, 3, 2, 1, 0};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(rs.entrants[i + 1].machineId, machines[i]);
        EXPECT_EQ(rs.entrants[i + 1].controllerType, (uint32_t)kControllerComputer);
        EXPECT_EQ(rs.entrants[i + 1].entrantId, ids[i]);
    }
    for (int i = 10; i < kRaceEntrants; ++i) {
        EXPECT_EQ(rs.entrants[i].controllerType, (uint32_t)kControllerNone);
        EXPECT_EQ(rs.entrants[i].machineId, 0u);
    }
    // Machine 11 is not in cup 1 either.
    ASSERT_TRUE(rs.StartCup(1, 11, 0));
    EXPECT_EQ(rs.setup.count, 10u);
}

TEST_F(RaceStateTest, PlayerOnAListedMachineTakesThatDriversId) {
    ASSERT_TRUE(rs.StartCup(1, 6, 0));
    EXPECT_EQ(rs.setup.count, 9u);
    EXPECT_EQ(rs.entrants[0].machineId, 6u);
    EXPECT_EQ(rs.entrants[0].entrantId, 5u);
    // The machine is not entered twice; the other eight keep their order.
    for (int i = 1; i < 9; ++i) EXPECT_NE(rs.entrants[i].machineId, 6u);
    EXPECT_EQ(rs.entrants[1].machineId, 9u);
    EXPECT_EQ(rs.entrants[8].machineId, 1u);
    EXPECT_EQ(rs.entrants[9].controllerType, (uint32_t)kControllerNone);

    // Race 2 of the cup puts machine 6 second: still the same driver id.
    ASSERT_TRUE(rs.NextCupRace());
    EXPECT_EQ(rs.setup.course, 2u);
    EXPECT_EQ(rs.entrants[0].entrantId, 5u);
}

TEST_F(RaceStateTest, CupRunsItsRacesAndStopsAfterTheLast) {
    ASSERT_TRUE(rs.StartCup(2, 3, 0));
    rs.points[0][0] = 7;
    EXPECT_EQ(rs.setup.course, 9u);
    EXPECT_FALSE(rs.IsLastCupRace());
    const uint32_t courses[6] = {9, 8, 10, 12, 13, 11};
    for (int race = 1; race < 6; ++race) {
        ASSERT_TRUE(rs.NextCupRace());
        EXPECT_EQ(rs.cup.raceIndex, (uint32_t)race);
        EXPECT_EQ(rs.setup.course, courses[race]);
    }
    EXPECT_TRUE(rs.IsLastCupRace());
    EXPECT_FALSE(rs.NextCupRace());
    EXPECT_EQ(rs.cup.raceIndex, 6u);
    EXPECT_EQ(rs.setup.course, 11u);  // nothing else changed
    EXPECT_FALSE(rs.NextCupRace());
    EXPECT_EQ(rs.cup.raceIndex, 6u);
    EXPECT_EQ(rs.points[0][0], 7u);  // the points stay for the final standings

    // A new cup clears the points; ClearCup clears progress and points.
    ASSERT_TRUE(rs.StartCup(1, 3, 0));
    EXPECT_EQ(rs.points[0][0], 0u);
    rs.points[3][2] = 4;
    rs.ClearCup();
    EXPECT_EQ(rs.cup.cupId, 0u);
    EXPECT_EQ(rs.cup.machineId, 0u);
    EXPECT_EQ(rs.points[3][2], 0u);
}

TEST_F(RaceStateTest, CupOptionsFromTheSaveAreKeptInRange) {
    tmConfig::GetInstance().SetGameOption1(7);
    tmConfig::GetInstance().SetGameOption2(0);
    ASSERT_TRUE(rs.StartCup(1, 2, 0));
    EXPECT_EQ(rs.setup.difficulty, 1u);
    EXPECT_EQ(rs.setup.laps, 3u);
    tmConfig::GetInstance().SetGameOption1(3);
    tmConfig::GetInstance().SetGameOption2(32);
    ASSERT_TRUE(rs.NextCupRace());
    EXPECT_EQ(rs.setup.difficulty, 3u);
    EXPECT_EQ(rs.setup.laps, 32u);
}

TEST_F(RaceStateTest, UnknownCupOrMachineStartsNothing) {
    rs.setup.course = 7;
    EXPECT_FALSE(rs.StartCup(3, 2, 0));
    EXPECT_FALSE(rs.StartCup(1, 0, 0));
    EXPECT_FALSE(rs.StartCup(1, 12, 0));
    EXPECT_EQ(rs.setup.course, 7u);
    EXPECT_EQ(rs.setup.mode, 0u);
    rs.cup.cupId = 9;
    EXPECT_FALSE(rs.NextCupRace());
    EXPECT_TRUE(rs.IsLastCupRace());
}

TEST_F(RaceStateTest, CupDriverIdsStayWithOneMachine) {
    EXPECT_EQ(tmRaceState::GetCup(3), nullptr);
    for (uint32_t c = 1; c < tmRaceState::kCupCount; ++c) {  // cup 0 runs every machine twice
        const tmCup* cup = tmRaceState::GetCup(c);
        uint32_t machineOf[16] = {};
        for (uint32_t r = 0; r < cup->raceCount; ++r) {
            for (uint32_t i = 0; i < cup->races[r].count; ++i) {
                const uint32_t d = cup->races[r].drivers[i];
                if (machineOf[d] == 0) machineOf[d] = cup->races[r].machines[i];
                EXPECT_EQ(machineOf[d], cup->races[r].machines[i]) << "cup " << c << " race " << r;
            }
        }
    }
}

// ---- points and standings ----

TEST_F(RaceStateTest, PointsFollowTheFinishingOrder) {
    const uint32_t expected[16] = {10, 6, 4, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int p = 0; p < 16; ++p) EXPECT_EQ(tmRaceState::PointsForPosition(p), expected[p]);
    EXPECT_EQ(tmRaceState::PointsForPosition(-1), 0u);

    ASSERT_TRUE(rs.StartCup(1, 10, 0));
    // Finishing order: entrant 3 first, then 0, then the rest by index.
    rs.SetResult(3, 0, 60000, true, 5, 0);
    rs.SetResult(0, 1, 61000, true, 5, 0);
    int pos = 2;
    for (int e = 1; e < 10; ++e) {
        if (e != 3) rs.SetResult(e, pos++, 62000, true, 5, 0);
    }
    rs.AwardPoints();
    EXPECT_EQ(rs.points[rs.entrants[3].entrantId][0], 10u);
    EXPECT_EQ(rs.points[9][0], 6u);  // the player (driver id 9)
    EXPECT_EQ(rs.points[rs.entrants[1].entrantId][0], 4u);

    // An entrant id beyond the points table is skipped, not written.
    rs.entrants[1].entrantId = 40;
    rs.AwardPoints();
    EXPECT_EQ(rs.results[0].entrantIndex, 3u);
    EXPECT_EQ(rs.results[1].timeMs, 61000u);
    rs.ClearResults();
    EXPECT_EQ(rs.results[1].timeMs, 0u);
    EXPECT_EQ(rs.results[1].entrantIndex, 0u);
}

TEST_F(RaceStateTest, StandingsSumTheCupAndKeepDriverIdOrderOnTies) {
    ASSERT_TRUE(rs.StartCup(1, 6, 0));  // count 9, driver ids 0..8
    rs.cup.raceIndex = 1;
    rs.points[4][0] = 6;
    rs.points[4][1] = 4;
    rs.points[2][0] = 10;  // 2 and 7 tie on 10
    rs.points[7][1] = 10;
    rs.points[5][1] = 3;
    rs.points[5][2] = 99;  // a later race does not count yet
    rs.ComputeStandings();
    const int order[9] = {2, 4, 7, 5, 0, 1, 3, 6, 8};
    for (int i = 0; i < 9; ++i) {
        ASSERT_NE(rs.GetDriverStanding(i), nullptr);
        EXPECT_EQ(rs.GetDriverStanding(i)->id, order[i]) << "rank " << i;
    }
    EXPECT_EQ(rs.GetDriverStanding(0)->total, 10u);
    EXPECT_EQ(rs.GetDriverStanding(0)->last, 0u);
    EXPECT_EQ(rs.GetDriverStanding(1)->total, 10u);
    EXPECT_EQ(rs.GetDriverStanding(1)->last, 4u);
    EXPECT_EQ(rs.GetDriverStanding(9), nullptr);
    EXPECT_EQ(rs.FindStanding(7), 2);
    EXPECT_EQ(rs.FindStanding(8), 8);
    // An id with no standing is reported as absent, not as the leader.
    EXPECT_EQ(rs.FindStanding(12), -1);

    // Recomputing for a smaller field leaves no stale record behind.
    rs.setup.count = 3;
    rs.ComputeStandings();
    EXPECT_EQ(rs.GetDriverStanding(3), nullptr);
    EXPECT_EQ(rs.FindStanding(4), -1);
    EXPECT_EQ(rs.GetDriverStanding(0)->id, 2);

    rs.ClearStandings();
    EXPECT_EQ(rs.GetDriverStanding(0), nullptr);
    EXPECT_EQ(rs.GetTeamStanding(0), nullptr);
}

TEST_F(RaceStateTest, SortKeepsEqualTotalsInTheirOrder) {
    tmStanding s[16];
    tmStanding* p[16];
    for (int i = 0; i < 16; ++i) {
        s[i].id = i;
        s[i].total = static_cast<uint32_t>((i * 7) % 4);
        p[i] = &s[i];
    }
    tmRaceState::SortStandings(p, 16);
    for (int i = 1; i < 16; ++i) {
        EXPECT_GE(p[i - 1]->total, p[i]->total);
        if (p[i - 1]->total == p[i]->total) {
            EXPECT_LT(p[i - 1]->id, p[i]->id);
        }
    }
}

TEST_F(RaceStateTest, TeamsGroupByNameAndNoTeamStandsAlone) {
    rs.setup.mode = kRaceModeSingle;
    rs.setup.count = 5;
    rs.entrants[0] = Entrant(1, kControllerReplay, 0, "No Team");
    rs.entrants[1] = Entrant(2, kControllerReplay, 1, "No Team");
    rs.entrants[2] = Entrant(3, kControllerReplay, 2, "ORION");
    rs.entrants[3] = Entrant(4, kControllerReplay, 3, "VEGA");
    rs.entrants[4] = Entrant(5, kControllerReplay, 4, "ORION");
    rs.cup.raceIndex = 0;
    rs.points[0][0] = 1;
    rs.points[1][0] = 3;
    rs.points[2][0] = 2;
    rs.points[3][0] = 6;
    rs.points[4][0] = 10;
    rs.ComputeTeamStandings();
    ASSERT_EQ(rs.teamCount, 4u);
    EXPECT_STREQ(rs.teams[0].name, "No Team");
    EXPECT_STREQ(rs.teams[1].name, "No Team");
    EXPECT_EQ(rs.teams[0].memberCount, 1u);
    EXPECT_EQ(rs.teams[1].memberCount, 1u);
    EXPECT_STREQ(rs.teams[2].name, "ORION");
    EXPECT_EQ(rs.teams[2].memberCount, 2u);
    EXPECT_EQ(rs.teams[2].members[0], 2);
    EXPECT_EQ(rs.teams[2].members[1], 4);
    EXPECT_EQ(rs.teams[2].members[2], -1);
    EXPECT_EQ(rs.teams[3].memberCount, 1u);
    // ORION 12, VEGA 6, the second No Team 3, the first 1.
    const int order[4] = {2, 3, 1, 0};
    const uint32_t totals[4] = {12, 6, 3, 1};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(rs.GetTeamStanding(i), nullptr);
        EXPECT_EQ(rs.GetTeamStanding(i)->id, order[i]);
        EXPECT_EQ(rs.GetTeamStanding(i)->total, totals[i]);
    }
    EXPECT_EQ(rs.GetTeamStanding(4), nullptr);

    // Two entrants of one other name make one team of two.
    rs.setup.count = 2;
    rs.entrants[0] = Entrant(1, kControllerReplay, 0, "ORION");
    rs.entrants[1] = Entrant(2, kControllerReplay, 1, "ORION");
    rs.ComputeTeamStandings();
    EXPECT_EQ(rs.teamCount, 1u);
    EXPECT_EQ(rs.teams[0].memberCount, 2u);
    EXPECT_EQ(rs.GetTeamStanding(0)->total, 4u);
    EXPECT_EQ(rs.GetTeamStanding(1), nullptr);
}

TEST_F(RaceStateTest, NetworkTeamsCountPointsByEntrantIndex) {
    rs.setup.mode = kRaceModeLobby;
    rs.setup.count = 2;
    rs.cup.raceIndex = 3;
    rs.entrants[0] = Entrant(1, kControllerPlayer, 5, "");
    rs.entrants[1] = Entrant(2, kControllerNetwork, 6, "");
    std::strcpy(rs.entrants[0].teamName, "ONE");
    std::strcpy(rs.entrants[1].teamName, "TWO");
    rs.points[0][0] = 2;
    rs.points[1][0] = 8;
    rs.points[5][3] = 50;  // the cup column is not read in network modes
    rs.ComputeTeamStandings();
    ASSERT_EQ(rs.teamCount, 2u);
    EXPECT_EQ(rs.GetTeamStanding(0)->id, 1);
    EXPECT_EQ(rs.GetTeamStanding(0)->total, 8u);
    EXPECT_EQ(rs.GetTeamStanding(1)->total, 2u);
}

// ---- validation ----

TEST_F(RaceStateTest, ValidationBringsIndicesBackIntoRange) {
    EXPECT_TRUE(rs.ValidateSetup());
    rs.setup.count = 40;
    rs.setup.local = 20;
    rs.setup.course = 0;
    rs.setup.difficulty = 9;
    rs.setup.laps = 33;
    rs.setup.mode = 7;
    rs.entrants[1].machineId = 12;
    rs.entrants[2].entrantId = 16;
    rs.entrants[3].variant = 2;
    rs.entrants[4].controllerType = 9;
    std::memset(rs.entrants[5].teamName, 'T', kRaceNameSize);
    EXPECT_FALSE(rs.ValidateSetup());
    EXPECT_EQ(rs.setup.count, 1u);
    EXPECT_EQ(rs.setup.local, 0u);
    EXPECT_EQ(rs.setup.course, 3u);
    EXPECT_EQ(rs.setup.difficulty, 1u);
    EXPECT_EQ(rs.setup.laps, 3u);
    EXPECT_EQ(rs.setup.mode, 0u);
    EXPECT_EQ(std::strlen(rs.entrants[5].teamName), 16u);

    rs.setup.count = 16;
    EXPECT_FALSE(rs.ValidateSetup());
    EXPECT_EQ(rs.entrants[1].machineId, 1u);
    EXPECT_EQ(rs.entrants[2].entrantId, 2u);
    EXPECT_EQ(rs.entrants[3].variant, 0u);
    EXPECT_EQ(rs.entrants[4].controllerType, (uint32_t)kControllerComputer);
    EXPECT_TRUE(rs.ValidateSetup());

    rs.setup.laps = 0;
    EXPECT_FALSE(rs.ValidateSetup());
    EXPECT_EQ(rs.setup.laps, 3u);
}

}  // namespace
