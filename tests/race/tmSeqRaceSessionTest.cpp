// tmSeqRaceSessionTest.cpp -- whole races run headless through the real screens, input, machines and panels.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/tmCameraCtrl.h"
#include "app/tmConfig.h"
#include "harness/Autopilot.h"
#include "harness/Harness.h"
#include "harness/RaceRoad.h"
#include "machine/tmMachineCore.h"
#include "menu/tmMenuFlow.h"
#include "race/tmLevelUp.h"
#include "race/tmRaceNetwork.h"
#include "race/tmRaceResultPanel.h"
#include "race/tmRaceState.h"
#include "race/tmSeqRace.h"
#include "sys/input/tmInputActions.h"
#include "sys/sound/tmSoundIds.h"
#include "tests/race/RaceHub.h"

namespace {

// Debug menu: the race set-up page of row `row` (3 LOAD, 5 MAIN) with the
// given values, confirmed. Values are reached with right presses from the minimums.
void SetUpRace(harness::Session& s, int row, int mode, int machine, int course) {
    for (int i = 0; i < row; ++i) s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kReturn);
    for (int i = 0; i < mode; ++i) s.TapKey(tmKey::kRight);
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kDown);
    for (int i = 1; i < machine; ++i) s.TapKey(tmKey::kRight);
    s.TapKey(tmKey::kDown);
    for (int i = 2; i < course; ++i) s.TapKey(tmKey::kRight);
    s.TapKey(tmKey::kReturn);
}

class RaceSession : public ::testing::Test {
protected:
    RaceSession() : s(DebugMenuSetup()) {}
    static harness::SessionSetup DebugMenuSetup() {
        harness::SessionSetup setup;
        setup.runData = true;
        setup.firstScreen = kSeqDebugMenu;
        return setup;
    }
    void SetUp() override {
        tmMenuFlow::SetNormalPlay(true);
        harness::Autopilot::Prepare(s);
        tmConfig& cfg = tmConfig::GetInstance();
        cfg.SetGameOption2(1);  // one lap
        ASSERT_TRUE(s.Start());
        s.Frame();
    }
    harness::Session s;
    harness::Autopilot pilot;
};

}  // namespace

TEST_F(RaceSession, PauseAndQuitFromTheDebugMenuComeBackToIt) {
    SetUpRace(s, 3, 0, 2, 3);  // LOAD: single race, machine 2, course 3
    const tmRaceState& rs = tmRaceState::Get();
    EXPECT_EQ(rs.setup.course, 3u);
    EXPECT_EQ(rs.setup.mode, kRaceModeSingle);
    EXPECT_EQ(rs.setup.count, 1u);
    EXPECT_EQ(rs.entrants[0].machineId, 2u);
    EXPECT_EQ(rs.entrants[0].controllerType, kControllerPlayer);
    ASSERT_TRUE(s.RunUntil([&] { return harness::RacePhase(s) == tmSeqRace::kRacing; }, 600));
    EXPECT_EQ(rs.status, 3u);
    for (int i = 0; i < 60; ++i) s.Frame();
    s.TapKey(tmKey::kEscape);
    ASSERT_EQ(harness::RacePhase(s), tmSeqRace::kPause);
    const uint32_t frameAtPause = harness::LiveRace(s)->GetRaceFrame();
    for (int i = 0; i < 30; ++i) s.Frame();
    EXPECT_EQ(harness::LiveRace(s)->GetRaceFrame(), frameAtPause);  // the race stands still under the menu
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kReturn);
    ASSERT_TRUE(s.RunUntil([&] { return s.CurrentId() == kSeqDebugMenu && s.Switches().size() > 3; }, 200));
    EXPECT_EQ(harness::ScreenTrace(s), (std::vector<int>{kSeqDebugMenu, kSeqLoading, kSeqRace, kSeqDebugMenu}));
    EXPECT_EQ(s.CountSound(tmSoundId::kMenuOpen), 1);
    EXPECT_EQ(s.CountSound(tmSoundId::kCursor), 2);
    EXPECT_EQ(s.CountSound(tmSoundId::kMenuClose), 1);
    EXPECT_EQ(tmConfig::GetInstance().GetRaceCount(), 0);  // a quit race is not counted
    EXPECT_EQ(rs.cores[0], nullptr);                       // the race gave its machines back
    s.TapKey(tmKey::kEscape);
    EXPECT_TRUE(s.RunUntilEnd(10));
    // The save written at the end holds the race's frames.
    tmSaveFile file("quvase.sav");
    tmConfig saved(nullptr, &file);
    saved.Load();
    EXPECT_GT(saved.GetRaceFrameCount(), 300u);
}

TEST_F(RaceSession, SingleRaceByAutopilotLevelsUpAndKeepsItsRecords) {
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetProfileValue1(3);  // shown level 4
    cfg.SetProfileValue2(50);
    ASSERT_TRUE(cfg.Save());
    cfg.RestoreDefaults();
    cfg.Load();                // the prepared save
    SetUpRace(s, 5, 0, 1, 3);  // MAIN: single race, machine 1, course 3
    ASSERT_TRUE(harness::DriveUntil(
        s, pilot, [&] { return harness::RacePhase(s) == tmSeqRace::kAfterFinish; }, 9000));
    const uint32_t raceMs = tmRaceState::Get().results[0].timeMs;
    EXPECT_GT(raceMs, 10000u);
    EXPECT_TRUE(tmRaceState::Get().results[0].finished);
    // One entrant: no results panel, straight to the level-up.
    std::vector<uint32_t> phases;
    ASSERT_TRUE(s.RunUntil(
        [&] {
            if (phases.empty() || phases.back() != harness::RacePhase(s)) phases.push_back(harness::RacePhase(s));
            return harness::RacePhase(s) == tmSeqRace::kLevelUp;
        },
        400));
    s.Frame();  // the level-up starts on the phase's first step
    EXPECT_EQ(phases.front(), tmSeqRace::kAfterFinish);
    EXPECT_EQ(phases.back(), tmSeqRace::kLevelUp);
    EXPECT_EQ(tmLevelUp::ComputeGain(kRaceModeSingle, 3, true), 20u);
    EXPECT_EQ(harness::LiveRace(s)->GetLevelUpPanel()->GetPointsToAdd() +
                  harness::LiveRace(s)->GetLevelUpPanel()->GetPoints(),
              70u);
    ASSERT_TRUE(harness::ConfirmPanelsUntil(s, tmSeqRace::kSaveReplay, 600));
    EXPECT_EQ(cfg.GetProfileValue1(), 3);
    EXPECT_EQ(cfg.GetProfileValue2(), 70);
    EXPECT_EQ(cfg.GetRaceCount(), 0);  // phase 5 (and its count) skipped
    EXPECT_EQ(cfg.GetRecord(1, 3), static_cast<int>(raceMs));
    EXPECT_EQ(cfg.GetModeRecord(1, 3, 1), static_cast<int>(raceMs));
    EXPECT_LE(cfg.GetCourseRecord(3), static_cast<int>(raceMs));
    s.TapKey(tmKey::kReturn);  // keep no replay
    ASSERT_TRUE(s.RunUntil([&] { return harness::RacePhase(s) == tmSeqRace::kPostRace; }, 40));
    for (int i = 0; i < 12; ++i) s.Frame();
    s.TapKey(tmKey::kDown);  // leave
    s.TapKey(tmKey::kReturn);
    ASSERT_TRUE(s.RunUntil([&] { return s.CurrentId() == kSeqDebugMenu && s.Switches().size() > 2; }, 100));
    EXPECT_EQ(harness::ScreenTrace(s), (std::vector<int>{kSeqDebugMenu, kSeqRace, kSeqDebugMenu}));
    // The save was written when the race ended.
    tmSaveFile file("quvase.sav");
    tmConfig saved(nullptr, &file);
    saved.Load();
    EXPECT_EQ(saved.GetProfileValue2(), 70);
    EXPECT_EQ(saved.GetRecord(1, 3), static_cast<int>(raceMs));
}

TEST_F(RaceSession, CupRaceShowsResultsAndStandingsAndSetsUpTheNextRace) {
    SetUpRace(s, 5, 1, 4, 3);  // MAIN: cup, machine 4, course 3
    tmRaceState& rs = tmRaceState::Get();
    ASSERT_EQ(rs.setup.mode, kRaceModeCup);
    ASSERT_GT(rs.setup.count, 2u);
    EXPECT_EQ(rs.setup.course, 3u);
    const uint32_t count = rs.setup.count;
    const uint32_t driver = rs.entrants[0].entrantId;
    tmMenuFlow::SetNormalPlay(true);  // as if the cup had been chosen in the main menu
    ASSERT_TRUE(harness::DriveUntil(
        s, pilot, [&] { return harness::RacePhase(s) == tmSeqRace::kResults; }, 12000));
    tmRaceResultPanel* results = harness::LiveRace(s)->GetResults();
    ASSERT_TRUE(s.RunUntil([&] { return results->state == tmRaceResultPanel::kRaceShown; }, 40));
    uint32_t awarded = 0;
    for (uint32_t d = 0; d < kRaceEntrants; ++d) awarded += rs.points[d][0];
    EXPECT_EQ(awarded, count >= 6 ? 26u : 0u);  // 10 + 6 + 4 + 3 + 2 + 1
    int position = -1;
    for (uint32_t p = 0; p < count; ++p)
        if (rs.results[p].entrantIndex == rs.setup.local) position = static_cast<int>(p);
    ASSERT_GE(position, 0);
    EXPECT_EQ(rs.points[driver][0], tmRaceState::PointsForPosition(position));
    EXPECT_EQ(tmConfig::GetInstance().GetRaceCount(), 1);
    s.TapKey(tmKey::kReturn);
    EXPECT_EQ(results->state, tmRaceResultPanel::kStandingsShown);
    ASSERT_TRUE(harness::ConfirmPanelsUntil(s, tmSeqRace::kFadeOut, 1500));
    ASSERT_TRUE(s.RunUntil([&] { return s.CurrentId() == kSeqLoading; }, 60));
    EXPECT_EQ(harness::ScreenTrace(s), (std::vector<int>{kSeqDebugMenu, kSeqRace, kSeqLoading}));
    EXPECT_EQ(rs.cup.raceIndex, 1u);
    EXPECT_EQ(rs.setup.course, tmRaceState::GetCup(1)->races[1].course);
}

TEST_F(RaceSession, ViewKeyCyclesFourViewsAndStoresTheChoice) {
    SetUpRace(s, 5, 0, 5, 3);  // machine 5 uses the second column of the view table
    ASSERT_TRUE(s.RunUntil([&] { return harness::RacePhase(s) == tmSeqRace::kRacing; }, 600));
    const int expected[] = {9, 12, 14, 8, 9};
    for (int k = 0; k < 5; ++k) {
        s.TapKey(tmKey::kP);
        EXPECT_EQ(harness::LiveRace(s)->GetViewIndex(), static_cast<uint32_t>((k + 1) % 4));
        EXPECT_EQ(harness::LiveRace(s)->GetCamera()->GetMode(), expected[k]);
    }
    EXPECT_EQ(tmConfig::GetInstance().GetGameOption3(), 1);
    s.TapKey(tmKey::kSpace);  // the view-change action does the same
    EXPECT_EQ(harness::LiveRace(s)->GetViewIndex(), 2u);
    EXPECT_EQ(tmConfig::GetInstance().GetGameOption3(), 2);
}

TEST_F(RaceSession, NoPauseAfterTheOwnFinishAndARetryKeepsTheFinishingOrderUntilTheNewRaceRuns) {
    SetUpRace(s, 5, 0, 1, 3);
    ASSERT_TRUE(harness::DriveUntil(
        s, pilot, [&] { return harness::RacePhase(s) == tmSeqRace::kAfterFinish; }, 9000));
    for (int i = 0; i < 5; ++i) {
        s.TapKey(tmKey::kEscape);
        EXPECT_EQ(harness::RacePhase(s), tmSeqRace::kAfterFinish);
    }
    ASSERT_TRUE(harness::ConfirmPanelsUntil(s, tmSeqRace::kSaveReplay, 600));
    s.TapKey(tmKey::kReturn);  // keep no replay
    ASSERT_TRUE(s.RunUntil([&] { return harness::RacePhase(s) == tmSeqRace::kPostRace; }, 40));
    for (int i = 0; i < 12; ++i) s.Frame();
    const tmRaceResult before = tmRaceState::Get().results[0];
    ASSERT_TRUE(before.finished);
    s.TapKey(tmKey::kReturn);  // retry
    ASSERT_TRUE(s.RunUntil([&] { return harness::RacePhase(s) == tmSeqRace::kFadeIn; }, 60));
    const tmRaceResult& kept = tmRaceState::Get().results[0];
    EXPECT_TRUE(kept.finished);
    EXPECT_EQ(kept.timeMs, before.timeMs);
    EXPECT_EQ(kept.laps, before.laps);
    s.Frame();  // the new race's first standings
    EXPECT_FALSE(tmRaceState::Get().results[0].finished);
    EXPECT_EQ(tmRaceState::Get().results[0].laps, 0u);
}

TEST_F(RaceSession, NetworkRaceCannotBePausedWhileRacing) {
    // A host alone on an in-process hub: the race waits for nobody and runs. The session on the
    // hub goes before the hub, however the test ends.
    struct Hub {
        racetest::RaceHub hub;
        Hub() { tmRaceNetwork::SetQuietLog(true); }
        ~Hub() {
            tmRaceNetwork::Destroy();
            tmRaceNetwork::SetQuietLog(false);
        }
    } hub;
    tmRaceNetwork* net = tmRaceNetwork::Create(hub.hub.MakeEndpoint(racetest::Loopback(1), racetest::Loopback(1)));
    ASSERT_TRUE(net->Start(true));
    SetUpRace(s, 5, 0, 1, 3);
    tmRaceState::Get().setup.mode = kRaceModeDirect;
    ASSERT_TRUE(s.RunUntil([&] { return harness::RacePhase(s) == tmSeqRace::kRacing; }, 600));
    for (int i = 0; i < 5; ++i) {
        s.TapKey(tmKey::kEscape);
        EXPECT_EQ(harness::RacePhase(s), tmSeqRace::kRacing);
    }
    EXPECT_EQ(s.CountSound(tmSoundId::kMenuOpen), 0);
}

TEST_F(RaceSession, NetworkRaceWithoutASessionEndsAsConnectionLost) {
    SetUpRace(s, 5, 0, 1, 3);
    tmRaceState::Get().setup.mode = kRaceModeDirect;  // no race network session exists
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveRace(s) != nullptr; }, 5));
    s.Frame();
    EXPECT_EQ(harness::RacePhase(s), tmSeqRace::kConnectionLost);
    ASSERT_TRUE(s.RunUntil([&] { return s.CurrentId() == kSeqDebugMenu && s.Switches().size() > 2; }, 300));
    EXPECT_EQ(s.CountSound(tmSoundId::kWarning), 1);
    EXPECT_EQ(tmConfig::GetInstance().GetRaceCount(), 0);
}

TEST_F(RaceSession, DemoWithoutReplaysReturnsToTheDebugMenuAtOnce) {
    SetUpRace(s, 5, 0, 1, 3);
    tmRaceState::Get().setup.mode = kRaceModeDemo;
    ASSERT_TRUE(s.RunUntil([&] { return s.CurrentId() == kSeqDebugMenu && s.Switches().size() > 2; }, 100));
    EXPECT_EQ(harness::ScreenTrace(s), (std::vector<int>{kSeqDebugMenu, kSeqRace, kSeqDebugMenu}));
    EXPECT_EQ(tmConfig::GetInstance().GetRaceCount(), 0);
}

TEST(tmSeqRace, StandingsOrderAndTies) {
    using S = tmSeqRace::Standing;
    S finishedSlow{0, 1, 90000, 3, 10, 0.0f}, finishedFast{1, 1, 80000, 3, 10, 0.0f};
    S aheadByLap{2, 0, 0, 2, 5, 0.0f}, aheadByProgress{3, 0, 0, 1, 40, 0.0f}, behind{4, 0, 0, 1, 30, 5.0f};
    S tieA{5, 0, 0, 1, 30, 5.0f}, tieB{6, 0, 0, 1, 30, 5.0f};
    S* order[] = {&tieA, &behind, &aheadByProgress, &tieB, &finishedSlow, &aheadByLap, &finishedFast};
    tmSeqRace::SortStandings(order, 7);
    std::vector<int32_t> machines;
    for (const S* s : order) machines.push_back(s->machine);
    EXPECT_EQ(machines, (std::vector<int32_t>{1, 0, 2, 3, 5, 4, 6}));  // exact ties keep entrant order
    // Equal finished times fall through to the lap and progress rules.
    S sameTimeA{0, 1, 80000, 3, 10, 1.0f}, sameTimeB{1, 1, 80000, 3, 10, 2.0f};
    EXPECT_TRUE(tmSeqRace::CompareStanding(sameTimeB, sameTimeA));
}

TEST(tmSeqRace, EachModeHasItsViewCountAndEachViewItsCameraOwnMachineAndHud) {
    EXPECT_EQ(tmSeqRace::ViewCount(kRaceModeSingle), 4u);
    EXPECT_EQ(tmSeqRace::ViewCount(kRaceModeDemo), 5u);
    EXPECT_EQ(tmSeqRace::GetView(2, kRaceModeCup, 1).camera, 11u);
    EXPECT_EQ(tmSeqRace::GetView(2, kRaceModeCup, 1).drawOwn, 0);
    EXPECT_EQ(tmSeqRace::GetView(2, kRaceModeCup, 6).camera, 12u);
    EXPECT_EQ(tmSeqRace::GetView(0, kRaceModeReplay, 1).camera, 21u);
    EXPECT_EQ(tmSeqRace::GetView(0, kRaceModeReplay, 1).hud, 0);
    EXPECT_EQ(tmSeqRace::GetView(4, kRaceModeReplay, 1).camera, 11u);
}
