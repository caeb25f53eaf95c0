// tmSeqFrontendViewerTest.cpp -- the race display viewer: the machine it shows, the keys and their limits, the two
// boost gauges under G, the finish mark, the viewer element and the way back.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "content_tables.h"
#include "frontend/tmFrontend.h"
#include "frontend/tmHudRecords.h"
#include "menu/MenuRig.h"
#include "sys/text/tmDxFont.h"
#include "table/RaceDisplayTables.h"
#include "test/tmSeqFrontendViewer.h"

namespace {

class FrontendViewerTest : public ::testing::Test {
protected:
    void Start(int parameter = 0) {
        tmMenuFlow::SetDebugParameter(parameter);
        rig_.Start(screen_);
    }
    void TearDown() override {
        rig_.Finish();
        tmMenuFlow::SetDebugParameter(0);
        EXPECT_EQ(tmDxFont::GetInstance(), nullptr) << "the race display releases the debug font it made";
    }
    const tmHudMachineRecord& M() const { return *screen_.GetMachineRecord(); }
    // Holds a key for `steps` steps, then lets it go.
    void Hold(int key, int steps) {
        rig_.input.SetKey(key, true);
        for (int i = 0; i < steps; ++i) rig_.Step();
        rig_.input.SetKey(key, false);
        rig_.Step();
    }
    void TapTimes(int key, int n) {
        for (int i = 0; i < n; ++i) rig_.Tap(key);
    }

    MenuRig rig_{true};
    tmSeqFrontendViewer screen_;
};

}  // namespace

TEST_F(FrontendViewerTest, ShowsTheMachineAfterTheMenuValueAndMarksTheFinishOnTheSecondUpdate) {
    Start(2);
    ASSERT_NE(screen_.GetFrontend(), nullptr);
    EXPECT_EQ(screen_.GetFrontend()->GetMachineId(), 3);
    ASSERT_NE(screen_.GetFrontend()->GetCockpit(), nullptr);
    rig_.Step();
    EXPECT_EQ(screen_.GetFrontend()->GetCommon()->GetFrame(), 0);
    EXPECT_FALSE(screen_.GetFrontend()->GetCockpit()->IsFinished());
    rig_.Step();
    EXPECT_GT(screen_.GetFrontend()->GetCommon()->GetFrame(), 0);
    EXPECT_TRUE(screen_.GetFrontend()->GetCockpit()->IsFinished());
    EXPECT_EQ(screen_.GetFrameCount(), 2);
}

TEST_F(FrontendViewerTest, LastMenuValueHasNoCockpitButStillRuns) {
    Start(11);
    EXPECT_EQ(screen_.GetFrontend()->GetMachineId(), 12);
    EXPECT_EQ(screen_.GetFrontend()->GetCockpit(), nullptr);
    EXPECT_EQ(rig_.Steps(3), 0);
}

TEST_F(FrontendViewerTest, HoldingGRunsTheFirstGaugeDownRefillsItStartsTheSecondThenEmptiesBoth) {
    Start();
    rig_.Tap(tmKey::kH);  // the first gauge full, the second off
    EXPECT_EQ(M().gaugeA1, 100);
    EXPECT_EQ(M().gaugeB1, 0);
    std::vector<std::pair<int, int>> seen;
    rig_.input.SetKey(tmKey::kG, true);
    for (int i = 0; i < 205; ++i) {
        rig_.Step();
        seen.emplace_back(M().gaugeA1, M().gaugeB1);
    }
    rig_.input.SetKey(tmKey::kG, false);
    EXPECT_EQ(seen[0], std::make_pair(99, 0));
    EXPECT_EQ(seen[98], std::make_pair(1, 0));
    EXPECT_EQ(seen[99], std::make_pair(100, 100));  // refilled from its total, the second started
    EXPECT_EQ(seen[100], std::make_pair(100, 99));
    EXPECT_EQ(seen[198], std::make_pair(100, 1));
    EXPECT_EQ(seen[199], std::make_pair(0, 0));  // both emptied
    EXPECT_EQ(seen[204], std::make_pair(0, 0));
    // The totals and the flash threshold are set every step.
    EXPECT_EQ(M().gaugeA2, 100);
    EXPECT_EQ(M().gaugeB2, 100);
    EXPECT_EQ(M().flashThreshold, 80);
    // The cockpit sees the record.
    EXPECT_EQ(screen_.GetFrontend()->GetCockpit()->GetRecord().gaugeA1, 0);
}

TEST_F(FrontendViewerTest, HoldingGFromTheStartDrainsTheSecondGaugeFirst) {
    Start();
    Hold(tmKey::kG, 99);
    EXPECT_EQ(M().gaugeB1, 1);
    EXPECT_EQ(M().gaugeA1, 100);
    Hold(tmKey::kG, 1);
    EXPECT_EQ(M().gaugeB1, 0);
    EXPECT_EQ(M().gaugeA1, 0);
}

TEST_F(FrontendViewerTest, GearStopsAtFiveBodyModeAtThreeAndNothingGoesBelowZero) {
    Start(1);  // whatever the machine
    TapTimes(tmKey::kV, 8);
    EXPECT_EQ(M().state1, 5);
    TapTimes(tmKey::kY, 6);
    EXPECT_EQ(M().state2, 3);
    TapTimes(tmKey::kC, 7);
    EXPECT_EQ(M().state1, 0);
    TapTimes(tmKey::kT, 5);
    EXPECT_EQ(M().state2, 0);
    // Tapped keys act once per press, held ones every step.
    rig_.input.SetKey(tmKey::kV, true);
    rig_.Steps(10);
    rig_.input.SetKey(tmKey::kV, false);
    EXPECT_EQ(M().state1, 1);
    TapTimes(tmKey::kN, 2);
    EXPECT_EQ(M().boostStock, 5);
    TapTimes(tmKey::kB, 9);
    EXPECT_EQ(M().boostStock, 0);
}

TEST_F(FrontendViewerTest, SpeedAndRevolutionsMoveWhileHeldWithinTheirLimits) {
    Start();
    Hold(tmKey::kR, 5);
    EXPECT_FLOAT_EQ(M().speed, 105.0f);
    Hold(tmKey::kR, 900);
    EXPECT_FLOAT_EQ(M().speed, 999.0f);
    Hold(tmKey::kE, 1200);
    EXPECT_FLOAT_EQ(M().speed, 0.0f);
    Hold(tmKey::kF, 3);
    EXPECT_FLOAT_EQ(M().revolutions, 10900.0f);
    Hold(tmKey::kF, 60);
    EXPECT_FLOAT_EQ(M().revolutions, 24000.0f);
    Hold(tmKey::kD, 100);
    EXPECT_FLOAT_EQ(M().revolutions, 0.0f);
}

TEST_F(FrontendViewerTest, SpaceHidesOnlyTheViewerElement) {
    Start();
    const int viewer = static_cast<int>(RaceDisplayLayout.viewerElement.model);
    auto count = [&] {
        rig_.draw.Clear();
        screen_.Draw();
        return std::make_pair(rig_.draw.ModelsOf(viewer).size(), rig_.draw.models.size());
    };
    const auto shown = count();
    ASSERT_GT(shown.second, 1u);
    rig_.Tap(tmKey::kSpace);
    EXPECT_FALSE(screen_.IsHudShown());
    const auto hidden = count();
    EXPECT_EQ(hidden.first + 1, shown.first);
    EXPECT_EQ(hidden.second + 1, shown.second);  // the cockpit and the common part stay
    rig_.Tap(tmKey::kSpace);
    EXPECT_TRUE(screen_.IsHudShown());
}

TEST_F(FrontendViewerTest, EnterKeypadEnterOrEscapeGoBackToTheDebugMenu) {
    Start();
    for (int key : {tmKey::kEscape, tmKey::kReturn, tmKey::kNumpadEnter}) {
        rig_.input.SetKey(key, true);
        EXPECT_EQ(rig_.Step(), kSeqDebugMenu) << key;
        rig_.input.SetKey(key, false);
        EXPECT_EQ(rig_.Step(), 0);
    }
    rig_.Finish();
    EXPECT_EQ(screen_.GetFrontend(), nullptr);
    EXPECT_EQ(screen_.GetMachineRecord(), nullptr);
}
