// MachineDrivetrainTest.cpp -- top speeds, braking, free rev, gears, torque table edges and bad handling values.
#include <cmath>

#include "machine/tmMachineDriver.h"
#include "table/MachineTable.h"
#include "tests/machine/MachineFixture.h"
#include "tests/machine/TestTrack.h"

namespace {

constexpr float kPi = 3.14159265f;

// A machine without a course whose movement parts the test drives step by step.
class Drivetrain : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine_ = &AddMachine(nullptr, 1, kControllerPlayer, 0, true);
        core_ = machine_->GetCore();
        move_ = machine_->GetMove();
        core_->raceState = 1;
    }
    void Use(const tmMachineParams& p) { UseParams(*machine_, p, nullptr); }
    // The drivetrain at full throttle, open gate and straight wheels for n steps.
    void Run(int n, float accelerator = 1.0f, float brake = 0.0f, float gate = 1.0f) {
        for (int i = 0; i < n; ++i) move_->UpdateDrivetrain(accelerator, brake, gate, 0.0f);
    }

    tmMachine* machine_ = nullptr;
    tmMachineCore* core_ = nullptr;
    tmMachineMove* move_ = nullptr;
};

TEST_F(Drivetrain, AirLimitedTopSpeedMeetsTheClosedForm) {
    tmMachineParams p = SimpleParams();
    Use(p);
    Run(60 * 120);
    // Drive force T G / (2 pi r) against air a v^2 and rolling 1.6333334e-5 w v.
    const double drive = 100.0 * 3.0 / (2.0 * kPi * 0.35);
    const double a = 0.0068, k = 0.16333334 * 1000.0 * 0.0001;
    const double expected = (-k + std::sqrt(k * k + 4 * a * drive)) / (2 * a);
    EXPECT_NEAR(move_->v, expected, expected * 0.001);
    EXPECT_LT(move_->R, p.revLimit);  // air, not revs, holds it
}

TEST_F(Drivetrain, RevLimitedTopSpeedHoldsTheRpmAtTheLimit) {
    tmMachineParams p = SimpleParams();
    p.airResist = 0.001f;
    p.revLimit = 9000.0f;
    p.weight = 3000.0f;  // small steps: the speed crosses the limit by at most one step's gain
    Use(p);
    Run(60 * 120);
    const double expected = 9000.0 * 2.0 * kPi * 0.35 / (60.0 * 3.0);
    EXPECT_NEAR(move_->v, expected, expected * 0.001);
    EXPECT_FLOAT_EQ(move_->R, 9000.0f);

    // In top gear a boost keeps accelerating past the limit.
    core_->bodyMode = 2;
    const float before = move_->v;
    Run(120);
    EXPECT_GT(move_->v, before * 1.01f);
    EXPECT_GT(move_->R, 9000.0f);
}

TEST_F(Drivetrain, BrakingSlowsAndStopsDeadBelowOne) {
    Use(SimpleParams());
    Run(600);
    const float fast = move_->v;
    Run(1, 0.0f, 1.0f);
    EXPECT_LT(move_->v, fast);
    int steps = 0;
    while (move_->v > 0.0f && steps < 6000) {
        Run(1, 0.0f, 1.0f);
        ++steps;
    }
    EXPECT_EQ(move_->v, 0.0f);
    EXPECT_LT(steps, 6000);

    // Below 1.0 a brake above 0.2 stops at once; 0.2 does not.
    move_->v = 0.9f;
    Run(1, 0.0f, 0.2f);
    EXPECT_GT(move_->v, 0.0f);
    move_->v = 0.9f;
    Run(1, 0.0f, 0.21f);
    EXPECT_EQ(move_->v, 0.0f);
    // Accelerating from standstill with a light brake is unaffected.
    Run(1, 1.0f, 0.2f);
    EXPECT_GT(move_->v, 0.0f);
}

TEST_F(Drivetrain, FreeRevAtStandstillSettlesAtNineteenFifteenthsOfTheWheelTorque) {
    Use(SimpleParams());
    Run(600, 1.0f, 0.0f, 0.0f);
    const float wheelTorque = 3.0f * 100.0f;
    EXPECT_NEAR(move_->N, 19.0f * wheelTorque / 15.0f, 0.01f);
    EXPECT_EQ(move_->v, 0.0f);
    EXPECT_GT(move_->R, 1000.0f);  // the engine revs with the gate closed
}

TEST_F(Drivetrain, EngineBrakesBelowOnePercentThrottle) {
    tmMachineParams p = SimpleParams();
    p.engineBrk = 0.002f;
    Use(p);
    EXPECT_FLOAT_EQ(move_->EngineTorque(0.009f, 5000.0f), -10.0f);
    EXPECT_FLOAT_EQ(move_->EngineTorque(0.0f, 0.0f), 0.0f);
}

TEST_F(Drivetrain, TorqueTableInterpolatesAndHoldsItsEnds) {
    tmMachineParams p = SimpleParams();
    for (int i = 0; i < tmMachineParams::kTorqueRows; ++i) p.torque[i] = static_cast<float>(10 * i);
    Use(p);
    EXPECT_FLOAT_EQ(move_->EngineTorque(1.0f, 3000.0f), 15.0f);
    EXPECT_FLOAT_EQ(move_->EngineTorque(0.5f, 27000.0f), 67.5f);
    // Beyond the last row the last value holds instead of repeating row 13's slope.
    EXPECT_FLOAT_EQ(move_->EngineTorque(1.0f, 28000.0f), 140.0f);
    EXPECT_FLOAT_EQ(move_->EngineTorque(1.0f, 31000.0f), 140.0f);
    EXPECT_FLOAT_EQ(move_->EngineTorque(1.0f, 1.0e12f), 140.0f);
    EXPECT_FLOAT_EQ(move_->EngineTorque(1.0f, -500.0f), 0.0f);
}

TEST_F(Drivetrain, AutomaticGearsClimbOneAtATimeAndComeBackDown) {
    // Machine 1's own gearbox from the table.
    const tmMachineParams& p = core_->params;
    ASSERT_GE(p.nbGear, 2);
    std::vector<int> sequence = {core_->gear};
    for (int i = 0; i < 60 * 40; ++i) {
        move_->UpdateGears(false, false);
        move_->UpdateDrivetrain(1.0f, 0.0f, 1.0f, 0.0f);
        if (core_->gear != sequence.back()) sequence.push_back(core_->gear);
    }
    std::vector<int> up;
    for (int g = 0; g < p.nbGear; ++g) up.push_back(g);
    EXPECT_EQ(sequence, up);  // every gear in turn, never two at once, never back
    for (int i = 0; i < 60 * 60 && move_->v > 0.0f; ++i) {
        move_->UpdateGears(false, false);
        move_->UpdateDrivetrain(0.0f, 1.0f, 1.0f, 0.0f);
    }
    EXPECT_EQ(core_->gear, 0);
}

TEST_F(Drivetrain, GearButtonsShiftWithSoundsAndStopAtTheEnds) {
    core_->manualGears = 1;
    move_->UpdateGears(false, true);
    EXPECT_EQ(core_->gear, 0);
    for (int i = 0; i < 20; ++i) move_->UpdateGears(true, false);
    EXPECT_EQ(core_->gear, core_->params.nbGear - 1);
    move_->UpdateGears(false, true);
    EXPECT_EQ(core_->gear, core_->params.nbGear - 2);
    const int32_t* shots = core_->spec->soundTable->oneShots;
    ASSERT_GT(shots[0], 0);
    ASSERT_GT(shots[1], 0);
    ASSERT_EQ(sound_.played.size(), static_cast<size_t>(core_->params.nbGear));  // every shift up, one down
    EXPECT_EQ(sound_.played.back().id, static_cast<uint32_t>(shots[1]));
    // No automatic shifting before the start, even with automatic gears.
    core_->manualGears = 0;
    core_->raceState = 0;
    core_->gear = 0;
    move_->R = 1.0e6f;
    move_->UpdateGears(false, false);
    EXPECT_EQ(core_->gear, 0);
}

TEST_F(Drivetrain, RoughGroundRollsAThousandTimesHarder) {
    Use(SimpleParams());
    move_->v = 50.0f;
    const float plain = move_->RollingResistance();
    core_->floorState = 4;
    EXPECT_NEAR(move_->RollingResistance(), plain * 1000.0f, plain);
    core_->floorState = 5;
    EXPECT_NEAR(move_->RollingResistance(), plain * 1000.0f, plain);
}

// Handling values that divide: a zero anywhere gives no drive and no turn, never a NaN.
TEST_F(Drivetrain, ZeroDivisorsGiveNoMotionAndNoNaN) {
    tmMachineParams zero;
    EXPECT_GT(zero.Validate("zero"), 0);
    Use(zero);
    for (int i = 0; i < 120; ++i) {
        move_->ApplySteering(1.0f);
        move_->UpdateDrivetrain(1.0f, 0.0f, 1.0f, move_->steeringAngle);
        move_->UpdateGripLimits();
        move_->TireForcesB(move_->steeringAngle);
        move_->IntegrateHeadingB(move_->steeringAngle);
        move_->TireForcesA(move_->steeringAngle);
        move_->IntegrateHeadingA(move_->steeringAngle);
        move_->UpdateLoadTransfer(1.0f, 0.0f);
    }
    EXPECT_EQ(move_->v, 0.0f);
    EXPECT_TRUE(std::isfinite(move_->R));
    EXPECT_TRUE(std::isfinite(move_->heading));
    EXPECT_TRUE(std::isfinite(move_->psi));
    EXPECT_EQ(move_->HeadingMix(), 0.0f);
    EXPECT_EQ(move_->psi, 0.0f);
}

TEST(MachineParamsValidate, HoldsGearCountsAndMendsNonFiniteValues) {
    tmMachineParams p = SimpleParams();
    p.nbGear = 14;
    p.weight = std::nanf("");
    p.torque[3] = INFINITY;
    p.bstTimeUse = -5;
    p.drivingType = 7;
    EXPECT_GE(p.Validate("bad"), 5);
    EXPECT_EQ(p.nbGear, 10);
    EXPECT_EQ(p.weight, 0.0f);
    EXPECT_EQ(p.torque[3], 0.0f);
    EXPECT_EQ(p.bstTimeUse, 0);
    EXPECT_EQ(p.drivingType, 1);
    tmMachineParams good = SimpleParams();
    EXPECT_EQ(good.Validate("good"), 0);
}

}  // namespace
