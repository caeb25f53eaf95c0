// MachineControlTest.cpp -- where a machine's control record comes from, before the start and after the finish.
#include "app/tmConfig.h"
#include "machine/tmMachineDriver.h"
#include "tests/machine/MachineFixture.h"
#include "tests/machine/TestTrack.h"

namespace {

class Control : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        track_ = std::make_unique<TestTrack>(OvalTrack(1500.0f, 500.0f));
    }
    const tmCourse* Course() { return &track_->Course(); }
    std::unique_ptr<TestTrack> track_;
};

TEST_F(Control, BeforeTheStartTheEngineRevsButTheMachineStands) {
    race_.status = 2;
    tmMachine& m = AddMachine(Course(), 1, kControllerPlayer, 0, true);
    const D3DXVECTOR3 start = m.GetCore()->position;
    Key(pad::kAccelerate, true);
    Step(Course(), 120);
    EXPECT_EQ(m.GetCore()->raceState, 0u);
    EXPECT_GT(m.GetCore()->rpm, m.GetCore()->params.revMin + 1000.0f);
    EXPECT_EQ(m.GetMove()->v, 0.0f);
    EXPECT_FLOAT_EQ(m.GetCore()->position.x, start.x);
    EXPECT_FLOAT_EQ(m.GetCore()->position.z, start.z);
    EXPECT_EQ(m.GetCore()->gear, 0);  // no automatic shifting before the start
    race_.status = 3;
    Step(Course(), 60);
    EXPECT_GT(m.GetMove()->v, 0.0f);
}

TEST_F(Control, FinishedPlayerIsDrivenByTheComputerWithAutomaticGears) {
    tmMachine& m = AddMachine(Course(), 1, kControllerPlayer, 0, true, 1);
    ASSERT_EQ(m.GetCore()->manualGears, 1u);
    m.GetCore()->raceState = 2;
    Step(Course(), 600);  // no key held
    EXPECT_GT(m.GetCore()->control.accelerator, 0.0f);
    EXPECT_GT(m.GetCore()->gear, 0);
    EXPECT_GT(m.GetCore()->kmh, 100.0f);
}

TEST_F(Control, UnknownControllerTypesReadThePad) {
    for (uint32_t type : {0u, 5u}) {
        tmMachine& m = AddMachine(Course(), 1, type, 0, true);
        Key(pad::kAccelerate, true);
        Step(Course(), 30);
        EXPECT_EQ(m.GetCore()->control.accelerator, 1.0f) << type;
        EXPECT_GT(m.GetMove()->v, 0.0f) << type;
        machines_.clear();
    }
}

TEST_F(Control, GhostRaceReplaysEntrantZero) {
    ScriptedReplay replay;
    tmReplaySource::Set(&replay);
    race_.setup.mode = kRaceModeGhost;
    tmMachine& m = AddMachine(Course(), 1, kControllerReplay, 1);
    replay.present[0] = true;
    replay.records[0].control.brake = 0.75f;
    replay.records[0].x = m.GetCore()->position.x;
    replay.records[0].z = m.GetCore()->position.z;
    Step(Course());
    EXPECT_FLOAT_EQ(m.GetCore()->control.brake, 0.75f);
}

TEST_F(Control, BrakeAssistBrakesThePadWhereTheRouteIsSlower) {
    TrackSpec spec = StraightTrack(6000.0f);
    spec.routeSpeed.assign(spec.centre.size(), 100.0f);
    TestTrack slow(spec);
    tmMachine& m = AddMachine(&slow.Course(), 1, kControllerPlayer, 0, true);
    Key(pad::kAccelerate, true);
    tmConfig::GetInstance().SetGameFlag1(0);
    Step(&slow.Course(), 240);
    EXPECT_GT(m.GetCore()->kmh, 100.0f);
    EXPECT_EQ(m.GetCore()->control.accelerator, 1.0f);
    tmConfig::GetInstance().SetGameFlag1(1);
    Step(&slow.Course());
    EXPECT_EQ(m.GetCore()->control.accelerator, 0.0f);
    EXPECT_EQ(m.GetCore()->control.brake, 1.0f);
}

}  // namespace
