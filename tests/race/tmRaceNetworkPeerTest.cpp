// tmRaceNetworkPeerTest.cpp -- a remote player's machine driven by the states its session receives.
#include <cmath>
#include <vector>

#include "course/tmCourse.h"
#include "race/tmLapTimer.h"
#include "race/tmRaceNetwork.h"
#include "sys/base/tmRandom.h"
#include "tests/machine/MachineFixture.h"
#include "tests/race/RaceHub.h"

using racetest::Loopback;

namespace {

class PeerDriven : public MachineTest {
protected:
    // The states a computer-driven machine on grid slot 1 gives, step by step, until some
    // steps after its finish.
    std::vector<tmPeerMachineState> Record(tmCourse* course) {
        std::vector<tmPeerMachineState> states;
        tmRandom::GetInstance()->SetSeed(7);
        AddMachine(course, 5, kControllerComputer, 0);
        tmMachine& m = AddMachine(course, 8, kControllerComputer, 1);
        int after = 0;
        for (int s = 0; s < 60 * 60 * 4 && after < 30; ++s) {
            Step(course);
            states.push_back(tmRaceNetwork::MakeMachineState(*m.GetCore()));
            if (m.GetCore()->raceState == 2) ++after;
        }
        machines_.clear();
        for (tmMachineCore*& c : race_.cores) c = nullptr;
        return states;
    }
};

}  // namespace

TEST_F(PeerDriven, ARemoteMachineFollowsItsPlayersStatesAndFinishesTheRace) {
    tmCourse course;
    ASSERT_TRUE(course.Init(3));
    race_.setup.course = 3;
    race_.setup.laps = 1;
    race_.setup.mode = kRaceModeDirect;
    const std::vector<tmPeerMachineState> recorded = Record(&course);
    ASSERT_GT(recorded.size(), 600u);
    ASSERT_GT(recorded.back().raceTimeMs, 0u);

    // This process hosts; the remote player is a session on the hub that sends the recorded states.
    racetest::RaceHub hub;
    tmRaceNetwork::SetQuietLog(true);
    tmRaceNetwork host(hub.MakeEndpoint(Loopback(1), Loopback(1)));
    tmRaceNetwork remote(hub.MakeEndpoint(Loopback(2), Loopback(1)));
    ASSERT_TRUE(host.Start(true));
    ASSERT_TRUE(remote.Start(false));
    remote.SetOwnStatus(8, 0);
    remote.Send(kNetMsgEntry);
    host.Poll();
    host.Send(kNetMsgTable);
    remote.Poll();
    ASSERT_EQ(remote.FindOwnIndex(), 1);
    tmPeerSource::Set(&host);

    tmRandom::GetInstance()->SetSeed(7);
    AddMachine(&course, 5, kControllerComputer, 0, true);
    tmMachine& peer = AddMachine(&course, 8, kControllerNetwork, 1);
    EXPECT_EQ(peer.GetCore()->networkSlot, 1u);  // grid slot 1 is the remote player's row

    // No state yet: the copy stands on its grid slot.
    const D3DXVECTOR3 start = peer.GetCore()->position;
    Step(&course);
    EXPECT_NEAR(peer.GetCore()->position.x, start.x, 1e-3f);
    EXPECT_NEAR(peer.GetCore()->position.z, start.z, 1e-3f);

    float worst = 0.0f;
    for (const tmPeerMachineState& s : recorded) {
        ASSERT_TRUE(remote.SyncRace(s));
        ASSERT_TRUE(host.SyncRace(tmRaceNetwork::MakeMachineState(*machines_[0]->GetCore())));
        Step(&course);
        const tmMachineCore* c = peer.GetCore();
        worst = std::max(worst, std::fabs(c->position.x - s.x) + std::fabs(c->position.z - s.z));
        EXPECT_NEAR(c->rotation.y, s.yaw, 1e-4f);
    }
    EXPECT_LT(worst, 1e-2f);
    // It crossed the line where its player did, and its time is the player's own.
    EXPECT_EQ(peer.GetCore()->raceState, 2u);
    EXPECT_EQ(peer.GetCore()->GetCompletedLaps(), 1);
    tmPeerMachineState last;
    ASSERT_TRUE(host.GetPeerState(1, &last));
    EXPECT_EQ(last.raceTimeMs, recorded.back().raceTimeMs);
    tmPeerSource::Set(nullptr);
    tmRaceNetwork::SetQuietLog(false);
    machines_.clear();
    course.Release();
}
