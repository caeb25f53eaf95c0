// tmCupRoadTest.cpp -- a whole cup headless: title, main menu, machine select, every race driven by the autopilot
// with its panels confirmed, then the ending with the rank of the final standings and back to the title.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/tmConfig.h"
#include "harness/Autopilot.h"
#include "harness/Harness.h"
#include "harness/RaceRoad.h"
#include "menu/tmMachineSelectFrontend.h"
#include "menu/tmMenuFlow.h"
#include "menu/tmSeqEnding.h"
#include "menu/tmSeqMachineSelect.h"
#include "menu/tmSeqMenuMain.h"
#include "menu/tmSeqTitle.h"
#include "race/tmRaceState.h"
#include "race/tmSeqRace.h"
#include "sys/input/tmInputActions.h"

TEST(CupRoad, CupOneFromTheTitleThroughEveryRaceToTheEndingAndBack) {
    tmMenuFlow::SetNormalPlay(true);
    harness::SessionSetup setup;
    setup.runData = true;
    setup.firstScreen = kSeqTitle;
    harness::Session s(setup);
    harness::Autopilot::Prepare(s);
    tmConfig::GetInstance().SetGameOption2(1);  // one lap a race
    ASSERT_TRUE(s.Start());

    // Title, main menu, the cup page's first cup, the first machine with automatic gears.
    ASSERT_TRUE(s.RunUntil(
        [&] { return harness::LiveScreen<tmSeqTitle>(s) && harness::LiveScreen<tmSeqTitle>(s)->GetState() >= 1; }, 40));
    s.TapKey(tmKey::kReturn);
    s.TapKey(tmKey::kReturn);
    ASSERT_TRUE(s.RunUntil(
        [&] {
            return harness::LiveScreen<tmSeqMenuMain>(s) &&
                   harness::LiveScreen<tmSeqMenuMain>(s)->GetState() == tmSeqMenuMain::kTop;
        },
        200));
    for (int key : {tmKey::kReturn, tmKey::kDown, tmKey::kReturn, tmKey::kReturn}) s.TapKey(key);
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveScreen<tmSeqMachineSelect>(s) != nullptr; }, 120));
    ASSERT_TRUE(s.RunUntil(
        [&] {
            const tmSeqMachineSelect* m = harness::LiveScreen<tmSeqMachineSelect>(s);
            return m->GetState() == tmSeqMachineSelect::kMachine && !m->GetFrontend()->IsBusy();
        },
        120));
    s.TapKey(tmKey::kReturn);
    s.TapKey(tmKey::kReturn);
    tmRaceState& rs = tmRaceState::Get();
    ASSERT_EQ(rs.setup.mode, uint32_t(kRaceModeCup));
    ASSERT_EQ(rs.cup.cupId, 1u);
    const uint32_t races = tmRaceState::GetCup(1)->raceCount;

    // Every race: the autopilot drives, the panels after it are confirmed, until the ending.
    harness::Autopilot pilot;
    int frame = 0;
    for (; frame < 60000 && s.CurrentId() != kSeqEnding; ++frame) {
        pilot.BeforeFrame(s);
        const tmSeqRace* race = harness::LiveScreen<tmSeqRace>(s);
        const uint32_t phase = race ? race->GetPhase() : 0;
        const bool panels = race && phase >= tmSeqRace::kResults && phase <= tmSeqRace::kSaveReplay;
        // Several steps a frame while the machines race: the draws of the skipped frames are not needed.
        s.SetStepsPerFrame(race && phase == tmSeqRace::kRacing ? 4 : 1);
        if (panels && frame % 15 == 14)
            s.TapKey(tmKey::kReturn);
        else
            ASSERT_TRUE(s.Frame());
    }
    ASSERT_EQ(s.CurrentId(), kSeqEnding) << "the cup did not end";
    EXPECT_EQ(rs.cup.raceIndex, races);
    for (uint32_t r = 0; r < races; ++r) {
        uint32_t awarded = 0;
        for (int d = 0; d < kRaceEntrants; ++d) awarded += rs.points[d][r];
        EXPECT_EQ(awarded, 26u) << "race " << r;  // 10 + 6 + 4 + 3 + 2 + 1: every race was run and scored
    }
    const int standing = rs.FindStanding(static_cast<int>(rs.entrants[rs.setup.local].entrantId));
    ASSERT_GE(standing, 0);
    const int rank = std::min(standing, 3);
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveScreen<tmSeqEnding>(s) != nullptr; }, 5));
    EXPECT_EQ(harness::LiveScreen<tmSeqEnding>(s)->GetRank(), rank);
    const uint64_t endingFrom = s.Switches().back().step;

    // Without input the ending runs its course (the staff roll for a podium) and gives way to the title.
    ASSERT_TRUE(s.RunUntil([&] { return s.CurrentId() == kSeqTitle; }, 4500));
    std::vector<int> trace;
    for (const harness::Switch& sw : s.Switches()) trace.push_back(sw.next);
    const std::vector<int> tail(trace.end() - 3, trace.end());
    EXPECT_EQ(tail, (std::vector<int>{kSeqRace, kSeqEnding, kSeqTitle}));
    EXPECT_EQ(std::count(trace.begin(), trace.end(), kSeqRace), static_cast<long>(races));
    int rankSounds = 0, fanfares = 0;
    for (const harness::SoundRequest& r : s.Sounds()) {
        if (r.step < endingFrom) continue;
        rankSounds += r.id == tmSeqEnding::RankSound(rank);
        fanfares += r.id == 0x10004;
    }
    EXPECT_EQ(rankSounds, 1);
    EXPECT_EQ(fanfares, rank == 0 ? 1 : 0);
}
