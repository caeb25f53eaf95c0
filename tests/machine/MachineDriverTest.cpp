// MachineDriverTest.cpp -- the computer driver's aim, pedals, body and boost buttons, lanes and races.
#include <algorithm>
#include <cmath>
#include <map>

#include <functional>

#include "machine/tmMachineDriver.h"
#include "race/tmLapTimer.h"
#include "sys/base/tmRandom.h"
#include "tests/machine/MachineFixture.h"
#include "tests/machine/TestTrack.h"

namespace {

class Driver : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        TrackSpec spec = OvalTrack(1500.0f, 500.0f);
        spec.nextRoute = 6;
        spec.boostSections = {5};
        spec.routeSpeed.assign(spec.centre.size(), 2000.0f);
        spec.routeSpeed[7] = 150.0f;
        track_ = std::make_unique<TestTrack>(spec);
    }
    tmMachineDriver& DriverOf(tmMachine& m) { return *m.GetMove()->GetDriver(); }
    const tmCourse* Course() { return &track_->Course(); }
    std::unique_ptr<TestTrack> track_;
};

TEST_F(Driver, AimsTwoSectionsAheadWhenSlowAndTheRouteLookAheadWhenFast) {
    tmMachine& m = AddMachine(Course(), 1, kControllerComputer, 0);
    tmMachineCore* c = m.GetCore();
    c->section = 10;
    c->kmh = 80.0f;
    EXPECT_EQ(DriverOf(m).GetTargetSection(), 12);
    c->kmh = 81.0f;
    EXPECT_EQ(DriverOf(m).GetTargetSection(), 16);
    // Near the end of the list the target wraps to the first sections.
    c->section = track_->Sections() - 2;
    EXPECT_EQ(DriverOf(m).GetTargetSection(), 4);
    c->section = -3;  // an index outside the route is taken round it
    EXPECT_EQ(DriverOf(m).GetTargetSection(), 3);
}

TEST_F(Driver, SteersTowardTheTargetWithTheRecordsSign) {
    tmMachine& m = AddMachine(Course(), 1, kControllerComputer, 0);
    tmMachineCore* c = m.GetCore();
    c->section = 30;  // on the first bend, which turns toward +x
    c->kmh = 50.0f;
    c->position = (track_->GateA(30) + track_->GateB(30)) * 0.5f;
    c->SetRotation(0.0f, 0.0f, 0.0f);
    tmMachineControl r = DriverOf(m).GetControl();
    EXPECT_LT(r.steering, 0.0f);  // +x lies on the machine's left
    EXPECT_GE(r.steering, -1.0f);
    EXPECT_GT(DriverOf(m).targetAngle, 0.0f);
}

TEST_F(Driver, AcceleratorFollowsDifficultyAndGridWithAFloorWhenSlow) {
    race_.setup.count = 16;
    tmMachine& back = AddMachine(Course(), 1, kControllerComputer, 0);  // last on a 16 grid: handicap 0.2
    race_.setup.count = 16;
    tmMachineCore* c = back.GetCore();
    c->section = 20;
    race_.setup.difficulty = 0;
    c->kmh = 99.0f;
    EXPECT_FLOAT_EQ(DriverOf(back).GetControl().accelerator, 1.0f);
    c->kmh = 101.0f;
    EXPECT_FLOAT_EQ(DriverOf(back).GetControl().accelerator, 0.2f * 0.6f);
    tmMachine& front = AddMachine(Course(), 1, kControllerComputer, 15);
    front.GetCore()->section = 20;
    front.GetCore()->kmh = 150.0f;
    race_.setup.difficulty = 3;
    EXPECT_FLOAT_EQ(DriverOf(front).GetControl().accelerator, 1.75f);
    // Out-of-range set-up values are held to the tables.
    race_.setup.difficulty = 9;
    EXPECT_FLOAT_EQ(DriverOf(front).GetControl().accelerator, 1.75f);
    race_.setup.count = 4;  // grid index 15 beyond the count: handicap index held at 0
    EXPECT_FLOAT_EQ(DriverOf(front).GetControl().accelerator, 1.75f);
}

TEST_F(Driver, BrakesWhereTheRouteIsSlowerAndAtFullLockWhenFast) {
    race_.setup.difficulty = 2;
    tmMachine& m = AddMachine(Course(), 1, kControllerComputer, 0);
    tmMachineCore* c = m.GetCore();
    c->section = 7;
    c->kmh = 160.0f;
    c->position = (track_->GateA(7) + track_->GateB(7)) * 0.5f;
    tmMachineControl r = DriverOf(m).GetControl();
    EXPECT_EQ(r.accelerator, 0.0f);
    EXPECT_FLOAT_EQ(r.brake, 1.1f);
    // Full lock above 200 km/h in the normal body brakes too.
    c->section = 20;
    c->kmh = 250.0f;
    c->position = (track_->GateA(20) + track_->GateB(20)) * 0.5f;
    c->SetRotation(0.0f, 3.0f, 0.0f);  // facing away from the target
    r = DriverOf(m).GetControl();
    EXPECT_EQ(std::fabs(r.steering), 1.0f);
    EXPECT_EQ(r.accelerator, 0.0f);
    EXPECT_FLOAT_EQ(r.brake, 1.1f);
    EXPECT_EQ(DriverOf(m).GetAssistBrake(), 0.0f);
    c->section = 7;
    EXPECT_EQ(DriverOf(m).GetAssistBrake(), 1.0f);
}

TEST_F(Driver, BodyAndBoostButtons) {
    tmMachine& m = AddMachine(Course(), 10, kControllerComputer, 0);  // changes body, two boost stages
    tmMachineCore* c = m.GetCore();
    tmMachineDriver& d = DriverOf(m);
    c->section = 20;
    c->position = (track_->GateA(22) + track_->GateB(22)) * 0.5f;
    c->kmh = 250.0f;
    d.straightFrames = 31;
    d.framesSinceBody = 61;
    EXPECT_EQ(d.GetControl().bodyMode, 1);
    EXPECT_EQ(d.framesSinceBody, 0);
    c->bodyMode = 1;
    c->kmh = 140.0f;
    EXPECT_EQ(d.GetControl().bodyMode, 1);  // back to normal below 150
    c->kmh = 250.0f;
    EXPECT_EQ(d.GetControl().bodyMode, 0);
    // Boost where the route marks it, once ready and settled.
    c->bodyMode = 0;
    c->kmh = 150.0f;
    c->section = 5;
    c->position = (track_->GateA(6) + track_->GateB(6)) * 0.5f;
    c->SetRotation(0.0f, 0.0f, 0.0f);
    c->boostReady = 1;
    c->framesInBodyMode = 12;
    d.framesSinceBody = 29;
    EXPECT_EQ(d.GetControl().boost, 0);
    d.framesSinceBody = 30;
    EXPECT_EQ(d.GetControl().boost, 1);
    c->boostReady = 0;
    EXPECT_EQ(d.GetControl().boost, 0);
    // The second stage three steps before the first ends.
    c->section = 20;
    c->bodyMode = 2;
    c->boostFramesLeft = 3;
    EXPECT_EQ(d.GetControl().boost, 1);
    c->boostFramesLeft = 4;
    EXPECT_EQ(d.GetControl().boost, 0);
    EXPECT_EQ(d.GetControl().bodyMode, 0);  // never a body press during a boost
}

TEST_F(Driver, OvertakesOnlyAFollowedSlowerMachine) {
    race_.setup.count = 3;
    tmMachine& lead = AddMachine(Course(), 1, kControllerComputer, 0);
    tmMachine& next = AddMachine(Course(), 1, kControllerComputer, 1);
    AddMachine(Course(), 1, kControllerComputer, 2);
    race_.results[0].entrantIndex = 0;
    race_.results[1].entrantIndex = 1;
    tmMachineCore* a = lead.GetCore();
    tmMachineCore* b = next.GetCore();
    a->standing = 0;
    b->standing = 1;
    a->section = b->section = 20;
    a->kmh = 100.0f;
    b->kmh = 111.0f;
    EXPECT_EQ(DriverOf(lead).ChooseLane(), 0);  // the leader never overtakes
    EXPECT_EQ(DriverOf(next).ChooseLane(), 1);
    b->kmh = 110.0f;
    EXPECT_EQ(DriverOf(next).ChooseLane(), 0);
    b->kmh = 111.0f;
    a->driverLane = 1;  // the one ahead is on the overtaking line already
    EXPECT_EQ(DriverOf(next).ChooseLane(), 0);
    a->driverLane = 0;
    a->position = b->position + D3DXVECTOR3(0.0f, 0.0f, 600.0f);
    a->section = 30;  // far ahead
    EXPECT_EQ(DriverOf(next).ChooseLane(), 0);
    race_.cores[0] = nullptr;  // no core ahead
    EXPECT_EQ(DriverOf(next).ChooseLane(), 0);
    race_.cores[0] = a;

    // The lane is chosen again only when the target section changes.
    a->position = b->position + D3DXVECTOR3(0.0f, 0.0f, 100.0f);
    a->section = 20;
    b->kmh = 60.0f;
    DriverOf(next).GetControl();
    const uint32_t lane = DriverOf(next).lane;
    b->kmh = 75.0f;
    a->kmh = 10.0f;
    DriverOf(next).GetControl();  // same target: the lane stays
    EXPECT_EQ(DriverOf(next).lane, lane);
    b->section = 21;
    DriverOf(next).GetControl();
    EXPECT_EQ(DriverOf(next).lane, 1u);
    EXPECT_EQ(b->driverLane, 1u);
}

TEST_F(Driver, NoRouteGivesTheZeroRecord) {
    tmMachine& m = AddMachine(nullptr, 1, kControllerComputer, 0);
    tmMachineControl r = DriverOf(m).GetControl();
    EXPECT_EQ(r.accelerator, 0.0f);
    EXPECT_EQ(r.steering, 0.0f);
    EXPECT_EQ(DriverOf(m).GetAssistBrake(), 0.0f);
}

// ---- whole races on the test oval ----

struct Outcome {
    std::vector<int> order;           // entrants by finishing step
    std::map<int, uint32_t> totalMs;  // race time per entrant
    int longestStuck = 0;             // steps any machine spent under 5 km/h after the start
};

Outcome RunRace(MachineTest* test, const tmCourse* course, std::vector<std::unique_ptr<tmMachine>>& machines,
                const std::function<void()>& step, int limit) {
    Outcome out;
    std::vector<int> stuck(machines.size(), 0);
    std::vector<bool> done(machines.size(), false);
    for (int s = 0; s < limit && out.order.size() < machines.size(); ++s) {
        step();
        for (size_t i = 0; i < machines.size(); ++i) {
            tmMachineCore* c = machines[i]->GetCore();
            if (!done[i] && c->raceState == 2) {
                done[i] = true;
                out.order.push_back(static_cast<int>(i));
                out.totalMs[static_cast<int>(i)] = tmLapTimer::ToMilliseconds(c->GetLapTimer()->GetTotal());
            }
            stuck[i] = (!done[i] && s > 300 && c->kmh < 5.0f) ? stuck[i] + 1 : 0;
            out.longestStuck = std::max(out.longestStuck, stuck[i]);
        }
    }
    (void)test;
    (void)course;
    return out;
}

TEST_F(Driver, EightComputerMachinesFinishThreeLapsTheSameWayTwice) {
    race_.setup.laps = 3;
    race_.setup.count = 8;
    Outcome runs[2];
    for (Outcome& run : runs) {
        machines_.clear();
        tmRandom::GetInstance()->SetSeed(7);
        for (int i = 0; i < 8; ++i) AddMachine(Course(), 1 + i, kControllerComputer, i);
        run = RunRace(
            this, Course(), machines_, [&]() { Step(Course()); }, 60 * 60 * 4);
        EXPECT_EQ(run.order.size(), 8u);
        EXPECT_LT(run.longestStuck, 300);
    }
    EXPECT_EQ(runs[0].order, runs[1].order);
    EXPECT_EQ(runs[0].totalMs, runs[1].totalMs);
}

}  // namespace
