// tmLapTimerTest.cpp -- step counting, lap closing, the 99-minute cap and the hand-over to the records.
#include <gtest/gtest.h>

#include "app/tmConfig.h"
#include "race/tmLapTimer.h"
#include "race/tmRaceState.h"

namespace {

class LapTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = tmRaceState::Get().setup.laps;
        tmRaceState::Get().setup.laps = 3;
    }
    void TearDown() override { tmRaceState::Get().setup.laps = saved_; }

    static void TickN(tmLapTimer& t, int n) {
        for (int i = 0; i < n; ++i) t.Tick();
    }

    uint32_t saved_ = 3;
};

TEST_F(LapTimerTest, MillisecondsTruncateTheSingleProductInDoublePrecision) {
    EXPECT_EQ(tmLapTimer::ToMilliseconds({100, 0.5f}), 1658u);
    EXPECT_EQ(tmLapTimer::ToMilliseconds({356400, 0.0f}), 5939999u);
    EXPECT_LT(tmLapTimer::ToMilliseconds({tmLapTimer::kMaxFrames, 0.0f}), kNoTimeMs);
    EXPECT_EQ(tmLapTimer::ToMilliseconds({60, 0.0f}), 999u);  // 16.666666 x 60 falls just short of 1000
    EXPECT_EQ(tmLapTimer::ToMilliseconds({0, 0.0f}), 0u);
    EXPECT_EQ(tmLapTimer::ToMilliseconds({0, 0.5f}), 0u);  // never below zero
}

TEST_F(LapTimerTest, StartClearsEverythingAndTakesTheRaceLaps) {
    tmLapTimer t;
    t.Start(4, 2, false);
    TickN(t, 50);
    t.CompleteLap(0.25f);
    tmRaceState::Get().setup.laps = 5;
    t.Start(6, 7, false);
    EXPECT_EQ(t.GetLapTotal(), 5u);
    EXPECT_EQ(t.GetCurrentLap(), 0u);
    EXPECT_EQ(t.GetTotal().frames, 0u);
    EXPECT_EQ(t.GetLap(0).frames, 0u);
    EXPECT_EQ(t.GetLap(0).fraction, 0.0f);
    EXPECT_EQ(t.GetCourseId(), 6u);
    EXPECT_EQ(t.GetMachineId(), 7u);
    EXPECT_FALSE(t.IsReporting());
    EXPECT_FALSE(t.IsFinished());
}

TEST_F(LapTimerTest, LapsAndTotalCountTicksAndFractions) {
    tmLapTimer t;
    t.Start(3, 1, false);
    TickN(t, 100);
    t.CompleteLap(0.5f);
    EXPECT_EQ(t.GetCurrentLap(), 1u);
    EXPECT_EQ(t.GetLap(0).frames, 100u);
    EXPECT_EQ(tmLapTimer::ToMilliseconds(t.GetLap(0)), 1658u);
    TickN(t, 30);
    EXPECT_EQ(t.GetLap(1).frames, 30u);
    EXPECT_EQ(t.GetTotal().frames, 130u);
    t.CompleteLap(0.0f);
    TickN(t, 20);
    t.CompleteLap(0.75f);
    EXPECT_TRUE(t.IsFinished());
    EXPECT_EQ(t.GetTotal().frames, 150u);
    EXPECT_EQ(t.GetTotal().fraction, 0.75f);
    EXPECT_EQ(t.GetLap(2).frames, 20u);

    // A fourth crossing changes nothing and the total stops growing.
    t.CompleteLap(0.1f);
    TickN(t, 10);
    EXPECT_EQ(t.GetCurrentLap(), 3u);
    EXPECT_EQ(t.GetTotal().frames, 150u);
    EXPECT_EQ(t.GetTotal().fraction, 0.75f);
    EXPECT_EQ(t.GetLap(3).frames, 0u);
    EXPECT_EQ(t.GetLap(-1).frames, 0u);
    EXPECT_EQ(t.GetLap(32).frames, 0u);
}

TEST_F(LapTimerTest, StoppedTimerCountsNothing) {
    tmLapTimer t;
    t.Start(3, 1, false);
    TickN(t, 10);
    t.SetStopped(true);
    TickN(t, 10);
    EXPECT_EQ(t.GetTotal().frames, 10u);
    t.SetStopped(false);
    t.Tick();
    EXPECT_EQ(t.GetTotal().frames, 11u);
}

TEST_F(LapTimerTest, CountsStopAtNinetyNineMinutes) {
    tmLapTimer t;
    t.Start(3, 1, false);
    TickN(t, 356400 + 500);
    EXPECT_EQ(t.GetTotal().frames, 356400u);
    EXPECT_EQ(t.GetLap(0).frames, 356400u);
    t.CompleteLap(0.0f);
    TickN(t, 10);
    EXPECT_EQ(t.GetLap(1).frames, 10u);
    EXPECT_EQ(t.GetTotal().frames, 356400u);
}

TEST_F(LapTimerTest, LapTotalsTheTimerCannotHoldAreKeptInRange) {
    tmLapTimer t;
    tmRaceState::Get().setup.laps = 40;
    t.Start(3, 1, false);
    EXPECT_EQ(t.GetLapTotal(), 32u);
    for (int i = 0; i < 40; ++i) {
        t.Tick();
        t.CompleteLap(0.0f);
    }
    EXPECT_EQ(t.GetCurrentLap(), 32u);
    EXPECT_EQ(t.GetTotal().frames, 32u);

    // A race of no laps would finish before it starts: one lap instead.
    tmRaceState::Get().setup.laps = 0;
    t.Start(3, 1, false);
    EXPECT_EQ(t.GetLapTotal(), 1u);
    EXPECT_FALSE(t.IsFinished());
}

TEST_F(LapTimerTest, ReportingTimerHandsLapsAndTheRaceToTheRecords) {
    tmConfig& config = tmConfig::GetInstance();
    const int course = 9, machine = 4;
    ASSERT_EQ(config.GetCourseRecord(course), tmConfig::kNoTime);
    tmRaceState::Get().setup.laps = 2;

    tmLapTimer quiet;
    quiet.Start(course, machine, false);
    TickN(quiet, 100);
    quiet.CompleteLap(0.0f);
    EXPECT_EQ(config.GetCourseRecord(course), tmConfig::kNoTime);

    tmLapTimer t;
    t.Start(course, machine, true);
    TickN(t, 100);
    t.CompleteLap(0.5f);
    EXPECT_EQ(config.GetCourseRecord(course), 1658);
    EXPECT_EQ(config.GetModeCourseRecord(course, machine), 1658);
    EXPECT_EQ(config.GetRecord(2, course), tmConfig::kNoTime);
    TickN(t, 120);
    t.CompleteLap(0.0f);
    EXPECT_EQ(config.GetCourseRecord(course), 1658);  // the slower lap is no record
    // The race: 220 steps less the last fraction.
    EXPECT_EQ(config.GetRecord(2, course), 3666);
    EXPECT_EQ(config.GetModeRecord(2, course, machine), 3666);
}

}  // namespace
