// MachineProgressTest.cpp -- grid placement, checkpoints and laps, lap times, refills and set-up checks.
#include <cmath>

#include "content_tables.h"
#include "course/tmCollision.h"
#include "race/tmLapTimer.h"
#include "tests/machine/MachineFixture.h"
#include "tests/machine/TestTrack.h"

namespace {

constexpr uint32_t kLapSoundPlayer = content::SND_LAP_02, kLapSoundOther = content::SND_LAP_01,
                   kRefillSound = content::SND_REFILL_01;

class Progress : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        track_ = std::make_unique<TestTrack>(OvalTrack(1500.0f, 500.0f));
        race_.setup.laps = 3;
        core_ = AddMachine(&track_->Course(), 1, kControllerPlayer, 0, true).GetCore();
        const TrackSpec& spec = track_->Spec();
        goal_ = spec.goal;
        cp_ = spec.checkpoints;
    }
    // One core step in which the machine crosses the gate of `section` and ends `after`
    // units beyond it, having moved `length` (backwards when reverse).
    void Cross(int section, float after = 5.0f, float length = 10.0f, bool reverse = false) {
        const int n = track_->Sections();
        const D3DXVECTOR3 mid = (track_->GateA(section) + track_->GateB(section)) * 0.5f;
        D3DXVECTOR3 d = track_->Spec().centre[static_cast<size_t>((section + 1) % n)] -
                        track_->Spec().centre[static_cast<size_t>((section + n - 1) % n)];
        d.y = 0.0f;
        D3DXVec3Normalize(&d, &d);
        if (reverse) d = -d;
        core_->position = mid + d * after;
        core_->step = d * length;
        core_->Update(&track_->Course());
    }
    // Core steps that stand still (no gate crossed).
    void Wait(int steps) {
        core_->step = D3DXVECTOR3();
        for (int i = 0; i < steps; ++i) core_->Update(&track_->Course());
    }
    void Lap() {
        for (int c : cp_) Cross(c);
        Cross(goal_);
    }

    std::unique_ptr<TestTrack> track_;
    tmMachineCore* core_ = nullptr;
    int goal_ = 0;
    std::vector<int> cp_;
};

TEST_F(Progress, StartsOnItsGridSlotFacingTheGoal) {
    const CourseRecord& r = track_->Record();
    EXPECT_FLOAT_EQ(core_->position.x, r.grid[15].x);
    EXPECT_FLOAT_EQ(core_->position.z, r.grid[15].z);
    EXPECT_EQ(core_->section, r.startSection[15]);
    EXPECT_NEAR(core_->rotation.y, 0.0f, 1e-4f);  // the start straight runs along +z
    EXPECT_EQ(core_->boostStock, core_->params.bstEnergy);
    tmMachine& second = AddMachine(&track_->Course(), 1, kControllerComputer, 5);
    EXPECT_FLOAT_EQ(second.GetCore()->position.z, r.grid[10].z);
    // Alone, or against a ghost, every machine takes slot 15.
    for (uint32_t mode : {kRaceModeSingle, kRaceModeGhost}) {
        race_.setup.mode = mode;
        tmMachine& m = AddMachine(&track_->Course(), 1, kControllerComputer, 5);
        EXPECT_FLOAT_EQ(m.GetCore()->position.z, r.grid[15].z);
    }
}

TEST_F(Progress, FirstGoalCrossingAfterTheStartIsNoLap) {
    Cross(goal_);
    EXPECT_EQ(core_->goalCrossed, 1);
    EXPECT_EQ(core_->GetCompletedLaps(), 0);
    EXPECT_EQ(core_->lastCheckpoint, 0);
    EXPECT_EQ(core_->lapFlag, 0);
    Lap();
    EXPECT_EQ(core_->GetCompletedLaps(), 1);
    EXPECT_EQ(core_->lapFlag, 1);
    EXPECT_EQ(core_->lastCheckpoint, 0);
    EXPECT_EQ(sound_.Count(kLapSoundPlayer), 1);
    Wait(1);
    EXPECT_EQ(core_->lapFlag, 0);  // one step only
}

TEST_F(Progress, SkippedCheckpointBlocksTheLapUntilPassed) {
    Cross(goal_);
    Cross(cp_[0]);
    Cross(cp_[2]);  // a shortcut past checkpoint 2
    EXPECT_EQ(core_->lastCheckpoint, 1);
    Cross(goal_);
    EXPECT_EQ(core_->GetCompletedLaps(), 0);
    Cross(cp_[1]);
    Cross(cp_[2]);
    Cross(goal_);
    EXPECT_EQ(core_->GetCompletedLaps(), 1);
}

TEST_F(Progress, DrivingBackwardsCountsNothing) {
    Cross(goal_);
    Cross(cp_[0]);
    Cross(cp_[1]);
    // Turned round: back through checkpoint 2, 1 and the goal.
    Cross(cp_[1], 5.0f, 10.0f, true);
    Cross(cp_[0], 5.0f, 10.0f, true);
    Cross(goal_, 5.0f, 10.0f, true);
    EXPECT_EQ(core_->lastCheckpoint, 2);
    EXPECT_EQ(core_->GetCompletedLaps(), 0);
    Cross(cp_[2], 5.0f, 10.0f, true);
    EXPECT_EQ(core_->lastCheckpoint, 3);  // the next one in order, even if met from behind
    Cross(cp_[1], 5.0f, 10.0f, true);
    EXPECT_EQ(core_->lastCheckpoint, 3);
    EXPECT_EQ(core_->GetCompletedLaps(), 0);
}

TEST_F(Progress, LapTimeComesFromTheTimerWithTheGoalFraction) {
    Cross(goal_);  // step 1 of the race: the start crossing
    Wait(23);
    Cross(cp_[0]);
    Wait(24);
    Cross(cp_[1]);
    Wait(24);
    Cross(cp_[2]);
    Wait(25);
    ASSERT_EQ(core_->GetLapTimer()->GetLap(0).frames, 100u);
    Cross(goal_, 5.0f, 10.0f);  // half of this step lies beyond the line
    EXPECT_EQ(core_->GetCompletedLaps(), 1);
    const tmLapTime& lap = core_->GetLapTimer()->GetLap(0);
    EXPECT_FLOAT_EQ(lap.fraction, 0.5f);
    EXPECT_EQ(tmLapTimer::ToMilliseconds(lap), 1658u);
}

TEST_F(Progress, GoalFractionStaysBelowOneAndIsZeroForTinySteps) {
    Cross(goal_);
    for (int c : cp_) Cross(c);
    Cross(goal_, 0.02f, 0.05f);
    EXPECT_EQ(core_->GetCompletedLaps(), 1);
    EXPECT_EQ(core_->GetLapTimer()->GetLap(0).fraction, 0.0f);
    core_->position.z += 20.0f;
    core_->step = D3DXVECTOR3(0.0f, 0.0f, 1.0f);
    EXPECT_LT(core_->GetGoalFraction(&track_->Course()), 1.0f);
    core_->section = goal_ + 1;
    EXPECT_EQ(core_->GetGoalFraction(&track_->Course()), -1.0f);
}

TEST_F(Progress, LastLapRaisesTheFinishFlagAndTheMachineFinishes) {
    race_.setup.laps = 2;
    core_->Init(&track_->Course(), race_.entrants[0], 0, true);
    core_->boostStock = 0;
    Cross(goal_);
    Lap();
    EXPECT_EQ(core_->lapFlag, 1);
    EXPECT_EQ(core_->finishFlag, 0);
    EXPECT_EQ(core_->boostStock, 1);  // one boost back per lap
    Lap();
    EXPECT_EQ(core_->finishFlag, 1);
    EXPECT_EQ(core_->lapFlag, 0);
    EXPECT_EQ(core_->raceState, 1);
    Wait(1);
    EXPECT_EQ(core_->raceState, 2);
    const uint32_t total = core_->GetLapTimer()->GetTotal().frames;
    // A finished machine goes on crossing, silently; the timer keeps its time.
    Lap();
    EXPECT_EQ(core_->finishFlag, 0);
    EXPECT_EQ(core_->lapFlag, 0);
    EXPECT_EQ(sound_.Count(kLapSoundPlayer), 2);
    EXPECT_EQ(core_->GetLapTimer()->GetTotal().frames, total);
    EXPECT_EQ(core_->boostStock, 3);
    Lap();
    EXPECT_EQ(core_->boostStock, core_->params.bstEnergy);  // never above the cap from laps
}

TEST_F(Progress, OtherMachinesPlayTheirOwnLapSound) {
    core_->player = 0;
    Cross(goal_);
    Lap();
    EXPECT_EQ(sound_.Count(kLapSoundOther), 1);
    EXPECT_EQ(sound_.Count(kLapSoundPlayer), 0);
}

TEST_F(Progress, RefillOncePerLapAfterLeavingTheRefillSurface) {
    core_->boostStock = 1;
    core_->floorState = 6;
    Wait(1);
    EXPECT_EQ(core_->refills, 1);
    EXPECT_EQ(core_->boostStock, core_->params.bstEnergy);
    EXPECT_EQ(sound_.Count(kRefillSound), 1);
    Wait(5);
    EXPECT_EQ(core_->refills, 1);
    core_->floorState = 1;
    Wait(1);
    EXPECT_EQ(core_->refillArmed, 1);
    core_->floorState = 6;
    Wait(1);
    EXPECT_EQ(core_->refills, 1);  // same lap: no second refill
    core_->floorState = 1;
    Cross(goal_);
    Lap();
    core_->floorState = 6;
    Wait(1);
    EXPECT_EQ(core_->refills, 2);
    // A full stock grows past the cap by one.
    EXPECT_EQ(core_->boostStock, core_->params.bstEnergy + 1);
    // Moving machines take no refill.
    core_->floorState = 1;
    Wait(1);
    Lap();
    core_->floorState = 6;
    core_->kmh = 5.0f;
    Wait(1);
    EXPECT_EQ(core_->refills, 2);
}

TEST_F(Progress, NoLapsNeverFinishAtOnce) {
    race_.setup.laps = 0;
    core_->Init(&track_->Course(), race_.entrants[0], 0, true);
    Wait(10);
    EXPECT_EQ(core_->raceState, 1);
}

TEST_F(Progress, OutOfRangeEntrantsAreHeldToValidValues) {
    tmEntrant bad;
    bad.machineId = 99;
    core_->Init(&track_->Course(), bad, 40, false);
    ASSERT_NE(core_->spec, nullptr);
    EXPECT_EQ(core_->gridIndex, 15u);
    EXPECT_GT(core_->params.weight, 0.0f);
}

TEST_F(Progress, WithoutCourseNothingIsCounted) {
    core_->Init(nullptr, race_.entrants[0], 0, true);
    EXPECT_EQ(core_->position, D3DXVECTOR3());
    EXPECT_EQ(core_->GetLapTimer()->GetCourseId(), 1u);
    core_->Update(nullptr);
    EXPECT_EQ(core_->section, 0);
    EXPECT_EQ(core_->GetGoalFraction(nullptr), -1.0f);
}

}  // namespace
