// MachineContactTest.cpp -- walls, other machines, floor state, slopes, and poses from replays and peers.
#include <cmath>

#include "course/tmCollision.h"
#include "table/MachineTable.h"
#include "tests/machine/MachineFixture.h"
#include "tests/machine/TestTrack.h"

namespace {

class Contact : public MachineTest {
protected:
    tmMachine& Place(const tmCourse* course, int grid, D3DXVECTOR3 position, float yaw, float v = 0.0f) {
        tmMachine& m = AddMachine(course, 1, kControllerPlayer, grid);
        Put(m, position, yaw, v);
        return m;
    }
    static void Put(tmMachine& m, D3DXVECTOR3 position, float yaw, float v) {
        m.GetCore()->position = position;
        m.GetCore()->SetRotation(0.0f, yaw, 0.0f);
        m.GetMove()->heading = yaw;
        m.GetMove()->v = v;
    }
};

TEST_F(Contact, WallHitSetsTheMachineBackRoadSide) {
    TestTrack track(StraightTrack(3000.0f));
    tmMachine& m = Place(&track.Course(), 0, D3DXVECTOR3(60.0f, 0.0f, 500.0f), 0.0f, 100.0f);
    tmMachineCore* c = m.GetCore();
    tmMachineMove* move = m.GetMove();
    D3DXVECTOR3 step(15.0f, 0.0f, 10.0f);
    move->CollideWalls(*track->GetCollision(), &step);
    EXPECT_EQ(c->contact, 1);
    EXPECT_FLOAT_EQ(move->v, 75.0f);
    EXPECT_FLOAT_EQ(c->contactPoint.x, 80.0f);  // where the deepest corner met the left wall
    EXPECT_FLOAT_EQ(move->push.x, -c->params.hitWallRebound);
    // Set back from the old position by the overshoot, 0.1 off the wall.
    const float rearLeft = 60.0f - c->spec->wheelPoints[2].x;  // the body turns by pi
    EXPECT_NEAR(step.x, -(rearLeft + 15.0f - 80.0f) - 0.1f, 1e-3f);
    EXPECT_LT(step.z, 0.0f);
}

TEST_F(Contact, MachineDrivenAtAWallStaysOnTheRoad) {
    TestTrack track(StraightTrack(6000.0f));
    tmMachine& m = Place(&track.Course(), 0, D3DXVECTOR3(0.0f, 0.0f, 600.0f), 0.5f);
    Key(pad::kAccelerate, true);
    int contacts = 0;
    for (int i = 0; i < 600; ++i) {
        Step(&track.Course());
        contacts += m.GetCore()->contact;
        for (const D3DXVECTOR3& p : m.GetCore()->corners) {
            ASSERT_LE(p.x, 80.0f) << "step " << i;
            ASSERT_GE(p.x, -80.0f) << "step " << i;
        }
    }
    EXPECT_GT(contacts, 0);
}

TEST_F(Contact, TouchingMachinesArePushedApart) {
    TestTrack track(StraightTrack(3000.0f));
    tmMachine& a = Place(&track.Course(), 0, D3DXVECTOR3(0.0f, 0.0f, 600.0f), 0.0f);
    tmMachine& b = Place(&track.Course(), 1, D3DXVECTOR3(0.0f, 0.0f, 646.0f), 0.0f);
    Step(&track.Course());  // corners settle on the floor
    Put(a, a.GetCore()->position, 0.0f, 60.0f);
    Step(&track.Course());
    EXPECT_EQ(a.GetCore()->contact, 1);
    EXPECT_EQ(b.GetCore()->contact, 1);
    // Equal and opposite along the line between the centres, 2 long before this step's decay.
    EXPECT_NEAR(a.GetCore()->push.z, -1.8f, 1e-4f);
    EXPECT_NEAR(b.GetCore()->push.z, 1.8f, 1e-4f);
    EXPECT_NEAR(a.GetCore()->push.x, 0.0f, 1e-4f);
    EXPECT_LT(a.GetCore()->position.z, 600.0f);  // set back and pushed off
    EXPECT_EQ(b.GetCore()->pushPending, 0);
    // The push decays by a tenth per step.
    Put(a, a.GetCore()->position, 0.0f, 0.0f);
    Step(&track.Course());
    EXPECT_NEAR(b.GetCore()->push.z, 1.8f * 0.9f, 1e-4f);
}

TEST_F(Contact, CoincidentMachinesPartAlongAFixedDirection) {
    TestTrack track(StraightTrack(3000.0f));
    tmMachine& a = Place(&track.Course(), 0, D3DXVECTOR3(0.0f, 0.0f, 600.0f), 0.0f);
    tmMachine& b = Place(&track.Course(), 1, D3DXVECTOR3(0.0f, 0.0f, 600.0f), 0.0f);
    Step(&track.Course());
    Put(a, b.GetCore()->position, 0.0f, 30.0f);
    Step(&track.Course());
    ASSERT_EQ(a.GetCore()->contact, 1);
    EXPECT_NEAR(a.GetCore()->push.x, 1.8f, 1e-4f);
    EXPECT_NEAR(b.GetCore()->push.x, -1.8f, 1e-4f);
    for (tmMachine* m : {&a, &b})
        for (float v : {m->GetCore()->position.x, m->GetCore()->position.z, m->GetCore()->rotation.y})
            EXPECT_TRUE(std::isfinite(v));
}

TEST_F(Contact, NoContactBeyondSeventyUnitsOrInAloneAndGhostRaces) {
    TestTrack track(StraightTrack(3000.0f));
    tmMachine& a = Place(&track.Course(), 0, D3DXVECTOR3(0.0f, 0.0f, 600.0f), 0.0f);
    Place(&track.Course(), 1, D3DXVECTOR3(0.0f, 0.0f, 675.0f), 0.0f);
    Step(&track.Course());
    Put(a, a.GetCore()->position, 0.0f, 200.0f);  // its step reaches the other's rear edge
    Step(&track.Course());
    EXPECT_EQ(a.GetCore()->contact, 0);

    for (uint32_t mode : {kRaceModeSingle, kRaceModeGhost}) {
        race_.setup.mode = mode;
        Put(a, D3DXVECTOR3(0.0f, 0.0f, 600.0f), 0.0f, 0.0f);
        Put(*machines_[1], D3DXVECTOR3(0.0f, 0.0f, 646.0f), 0.0f, 0.0f);
        Step(&track.Course());
        Put(a, a.GetCore()->position, 0.0f, 60.0f);
        Step(&track.Course());
        EXPECT_EQ(a.GetCore()->contact, 0) << "mode " << mode;
    }
}

TEST_F(Contact, EmptyCoreSlotsAreSkipped) {
    TestTrack track(StraightTrack(3000.0f));
    tmMachine& a = Place(&track.Course(), 3, D3DXVECTOR3(0.0f, 0.0f, 600.0f), 0.0f, 60.0f);
    race_.setup.count = 16;  // slots 0..2 and 4..15 hold no machine
    Step(&track.Course(), 5);
    EXPECT_EQ(a.GetCore()->contact, 0);
    EXPECT_GT(a.GetCore()->position.z, 600.0f);
}

TEST_F(Contact, FloorStateTakesRefillOverRoughOverSand) {
    // Sections 60 long: a machine on a boundary has its front pair on the later section.
    TrackSpec spec = StraightTrack(1200.0f);
    spec.walls = false;
    spec.surface = {1, 4, 3, 4, 4, 4, 1, 6, 4, 3, 6, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    TestTrack track(spec);
    tmMachine& m = Place(&track.Course(), 0, D3DXVECTOR3(), 0.0f);
    struct Case {
        int boundary;  // rear pair on section boundary - 1, front pair on section boundary
        uint32_t state;
    };
    const Case cases[] = {{2, 3}, {4, 4}, {6, 1}, {8, 6}, {10, 6}, {12, 1}};
    for (const Case& k : cases) {
        Put(m, D3DXVECTOR3(0.0f, 0.0f, 60.0f * static_cast<float>(k.boundary) + 1.5f), 0.0f, 0.0f);
        m.GetMove()->UpdateAttitude(&track.Course());
        EXPECT_EQ(m.GetCore()->floorState, k.state) << "boundary " << k.boundary;
    }
}

TEST_F(Contact, SlopePitchesTheBodyAndSitsItOnTheFloor) {
    TestTrack track(StraightTrack(3000.0f, 60.0f, 0.1f));
    tmMachine& m = Place(&track.Course(), 0, D3DXVECTOR3(0.0f, 0.0f, 500.0f), 0.0f);
    m.GetMove()->UpdateAttitude(&track.Course());
    EXPECT_NEAR(m.GetCore()->rotation.x, std::atan(0.1f), 1e-5f);
    EXPECT_NEAR(m.GetCore()->rotation.z, 0.0f, 1e-6f);
    // 0.02 above the floor under the middle of the four corners.
    float meanZ = 0.0f;
    for (const D3DXVECTOR3& p : m.GetCore()->corners) meanZ += p.z / 4.0f;
    EXPECT_NEAR(m.GetCore()->position.y, 0.1f * meanZ + 0.02f, 1e-3f);
    // Facing downhill the pitch is negative.
    m.GetCore()->SetRotation(0.0f, 3.14159265f, 0.0f);
    m.GetMove()->UpdateAttitude(&track.Course());
    EXPECT_NEAR(m.GetCore()->rotation.x, -std::atan(0.1f), 1e-5f);

    // Uphill and let go, the machine rolls back; on the brake it only creeps (the dead
    // stop zeroes the speed, then the slope pulls for one step).
    Put(m, D3DXVECTOR3(0.0f, 50.0f, 500.0f), 0.0f, 0.0f);
    Key(pad::kBrake, true);
    Step(&track.Course(), 60);
    EXPECT_NEAR(m.GetCore()->position.z, 500.0f, 0.2f);
    const float braked = m.GetCore()->position.z;
    Key(pad::kBrake, false);
    Step(&track.Course(), 60);
    EXPECT_LT(m.GetCore()->position.z, braked - 2.0f);
}

TEST_F(Contact, ReplayedMachineFollowsItsRecordsAndRefusesBrokenOnes) {
    TestTrack track(StraightTrack(3000.0f));
    ScriptedReplay replay;
    tmReplaySource::Set(&replay);
    tmMachine& m = AddMachine(&track.Course(), 1, kControllerReplay, 0);
    Put(m, D3DXVECTOR3(0.0f, 0.0f, 500.0f), 0.0f, 0.0f);
    replay.present[0] = true;
    replay.records[0].x = 10.0f;
    replay.records[0].z = 520.0f;
    replay.records[0].yaw = 0.25f;
    replay.records[0].control.accelerator = 1.0f;
    Step(&track.Course());
    EXPECT_FLOAT_EQ(m.GetCore()->position.x, 10.0f);
    EXPECT_FLOAT_EQ(m.GetCore()->position.z, 520.0f);
    EXPECT_FLOAT_EQ(m.GetCore()->rotation.y, 0.25f);
    EXPECT_FLOAT_EQ(m.GetCore()->heading, 0.25f);
    EXPECT_FLOAT_EQ(m.GetCore()->control.accelerator, 1.0f);

    // Non-finite or absurd values move nothing.
    for (float bad : {std::nanf(""), INFINITY, 1.0e9f}) {
        replay.records[0].x = bad;
        replay.records[0].control.steering = bad;
        Step(&track.Course());
        EXPECT_FLOAT_EQ(m.GetCore()->position.x, 10.0f);
        EXPECT_FLOAT_EQ(m.GetCore()->position.z, 520.0f);
        EXPECT_FLOAT_EQ(m.GetCore()->rotation.y, 0.25f);
        EXPECT_TRUE(std::isfinite(m.GetCore()->control.steering));
    }

    // Past the last record: a zero record, and the machine coasts on its own speed and heading.
    replay.present[0] = false;
    m.GetMove()->v = 60.0f;
    Step(&track.Course());
    EXPECT_EQ(m.GetCore()->control.accelerator, 0.0f);
    EXPECT_GT(m.GetCore()->position.z, 520.0f + 9.0f);
}

TEST_F(Contact, PeerMachineTakesItsAbsolutePoseAndFollowsGearAndBody) {
    TestTrack track(StraightTrack(3000.0f));
    ScriptedPeers peers;
    tmPeerSource::Set(&peers);
    race_.setup.mode = kRaceModeLobby;
    tmMachine& m = AddMachine(&track.Course(), 10, kControllerNetwork, 2);
    EXPECT_EQ(m.GetCore()->networkSlot, 2u);
    Put(m, D3DXVECTOR3(0.0f, 0.0f, 500.0f), 0.0f, 0.0f);
    peers.present[2] = true;
    peers.states[2].x = -5.0f;
    peers.states[2].z = 530.0f;
    peers.states[2].yaw = -0.5f;
    peers.states[2].gear = 2;
    peers.states[2].bodyMode = 2;
    peers.states[2].accelerator = 0.5f;
    tmMachineControl c = m.GetMove()->ReadNetwork();
    EXPECT_EQ(c.shiftUp, 1);
    EXPECT_EQ(c.shiftDown, 0);
    EXPECT_EQ(c.bodyMode, 1);  // out of the normal body and into the boost in one step
    EXPECT_EQ(c.boost, 1);
    EXPECT_FLOAT_EQ(c.accelerator, 0.5f);
    Step(&track.Course());
    EXPECT_FLOAT_EQ(m.GetCore()->position.x, -5.0f);
    EXPECT_FLOAT_EQ(m.GetCore()->position.z, 530.0f);
    EXPECT_FLOAT_EQ(m.GetCore()->rotation.y, -0.5f);

    m.GetCore()->bodyMode = 3;
    peers.states[2].bodyMode = 1;
    peers.states[2].gear = 0;
    c = m.GetMove()->ReadNetwork();
    EXPECT_EQ(c.boost, 1);
    EXPECT_EQ(c.bodyMode, 0);
    // Outside network races a peer machine gets the zero record.
    race_.setup.mode = kRaceModeCup;
    c = m.GetMove()->ReadNetwork();
    EXPECT_EQ(c.accelerator, 0.0f);
    EXPECT_EQ(c.boost, 0);
}

}  // namespace
