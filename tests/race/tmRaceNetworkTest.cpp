// tmRaceNetworkTest.cpp -- sessions over the hub: the player table, sequence rule, silence, swaps, barriers, peers.
#include <cstring>

#include "tests/race/RaceNetFixture.h"

using namespace racetest;

TEST_F(RaceNetTest, GuestsJoinInOrderAndLearnTheTable) {
    Player host = Join(1);
    Player a = Join(2);
    Player b = Join(3);
    EXPECT_EQ(host.net->GetTable().count, 1u);
    host.net->Poll();
    const tmNetPlayerTable& t = host.net->GetTable();
    ASSERT_EQ(t.count, 3u);
    EXPECT_EQ(t.entries[0].netId, host.id);
    EXPECT_EQ(t.entries[1].netId, a.id);
    EXPECT_EQ(t.entries[2].netId, b.id);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(t.entries[i].gridSlot, i);  // slot = join position
    EXPECT_EQ(t.course, 4u);
    EXPECT_STREQ(t.entries[1].driverName, "Tester");
    EXPECT_STREQ(t.entries[1].teamName, "Team Z");
    EXPECT_EQ(t.entries[1].machine, 1u);

    EXPECT_EQ(a.net->FindOwnIndex(), -1);
    host.net->Send(kNetMsgTable);
    PollAll({&a, &b});
    EXPECT_EQ(a.net->GetTable().count, 3u);
    EXPECT_EQ(a.net->FindOwnIndex(), 1);
    EXPECT_EQ(b.net->FindOwnIndex(), 2);
    EXPECT_EQ(host.net->FindOwnIndex(), 0);
    // Every datagram of the type's size exactly.
    EXPECT_EQ(a.endpoint->sentBytes, 72u);
    EXPECT_EQ(host.endpoint->sentBytes, 2 * 988u);
}

TEST_F(RaceNetTest, StaleEntryChangesNothingAndNewerOneKeepsTheGridSlot) {
    Player host = Join(1);
    Player a = Join(2);
    Player b = Join(3);
    host.net->Poll();
    ASSERT_TRUE(host.net->SwapSlots(1, 2));
    const uint32_t seqBefore = host.net->GetTable().entries[1].sequence;

    // An older copy of a's entry with another machine and name: nothing moves.
    ASSERT_EQ(seqBefore, 0u);
    tmNetPlayerEntry old = Entry(a.id, seqBefore, "Impostor");
    hub_.Inject(host.id, EntryDatagram(old, a.id).data(), 72, a.id);
    host.net->Poll();
    EXPECT_STREQ(host.net->GetTable().entries[1].driverName, "Tester");
    EXPECT_EQ(host.net->GetTable().entries[1].machine, 1u);

    // A newer one changes machine, variant and ready, never the grid slot.
    a.net->SetOwnStatus(7, 1);
    a.net->FreezeOwnStatus();
    a.net->Send(kNetMsgEntry);
    host.net->Poll();
    const tmNetPlayerEntry& row = host.net->GetTable().entries[1];
    EXPECT_EQ(row.machine, 7u);
    EXPECT_EQ(row.variant, 1u);
    EXPECT_EQ(row.ready, 1);
    EXPECT_EQ(row.gridSlot, 2);
    // The choice is locked once ready.
    a.net->SetOwnStatus(3, 0);
    EXPECT_EQ(a.net->GetOwnEntry().machine, 7u);
}

TEST_F(RaceNetTest, NoSeventeenthPlayer) {
    Player host = Join(1);
    std::vector<Player> guests;
    for (int n = 2; n <= 17; ++n) {
        guests.push_back(Join(n));
        host.net->Poll();
    }
    const tmNetPlayerTable& t = host.net->GetTable();
    EXPECT_EQ(t.count, 16u);
    EXPECT_EQ(t.entries[15].netId, Loopback(16));
    EXPECT_EQ(t.entries[15].gridSlot, 15);
    host.net->Send(kNetMsgTable);
    for (Player& g : guests) g.net->Poll();
    EXPECT_EQ(guests[14].net->FindOwnIndex(), 15);
    EXPECT_EQ(guests[15].net->FindOwnIndex(), -1);  // the 17th has no row
}

TEST_F(RaceNetTest, GuestSilenceIsResetOnlyByTheHostsTableAndRaceControl) {
    Player host = Join(1);
    Player a = Join(2);
    Player b = Join(3);
    host.net->Poll();
    host.net->Send(kNetMsgTable);
    PollAll({&a, &b});
    EXPECT_EQ(a.net->GetSilence(), 1u);
    for (int i = 0; i < 50; ++i) {
        b.net->Send(kNetMsgState);  // machine states from the other guest
        a.net->Poll();
    }
    EXPECT_EQ(a.net->GetSilence(), 51u);
    EXPECT_TRUE(a.net->GetPeerState(2, nullptr) == false);  // no out pointer: refused
    tmPeerMachineState s;
    EXPECT_TRUE(a.net->GetPeerState(2, &s));  // the states did arrive
    host.net->Send(kNetMsgControl);
    a.net->Poll();
    EXPECT_EQ(a.net->GetSilence(), 1u);
    for (int i = 0; i < 10; ++i) a.net->Poll();
    host.net->Send(kNetMsgTable);
    a.net->Poll();
    EXPECT_EQ(a.net->GetSilence(), 1u);
}

TEST_F(RaceNetTest, LoneHostNeverTimesOutButAHostWithGuestsDoes) {
    Player host = Join(1);
    for (int i = 0; i < 2000; ++i) host.net->Poll();
    EXPECT_EQ(host.net->GetSilence(), 0u);
    Player a = Join(2);
    host.net->Poll();
    EXPECT_EQ(host.net->GetSilence(), 1u);
    for (int i = 0; i < 700; ++i) host.net->Poll();
    EXPECT_GT(host.net->GetSilence(), tmRaceNetwork::kRoomSilenceLimit);
    a.net->Send(kNetMsgEntry);
    host.net->Poll();
    EXPECT_EQ(host.net->GetSilence(), 1u);
}

TEST_F(RaceNetTest, SwapReachesEveryGuest) {
    Player host = Join(1);
    Player a = Join(2);
    Player b = Join(3);
    host.net->Poll();
    host.net->Send(kNetMsgTable);
    PollAll({&a, &b});
    EXPECT_FALSE(host.net->SwapSlots(0, 3));  // outside the table
    ASSERT_TRUE(host.net->SwapSlots(0, 2));
    host.net->Send(kNetMsgTable);
    PollAll({&a, &b});
    for (Player* p : {&a, &b}) {
        const tmNetPlayerTable& t = p->net->GetTable();
        EXPECT_EQ(t.entries[0].gridSlot, 2);
        EXPECT_EQ(t.entries[1].gridSlot, 1);
        EXPECT_EQ(t.entries[2].gridSlot, 0);
        EXPECT_EQ(p->net->FindNetworkSlot(0), 2);  // grid slot 0 is b's machine
    }
    // A late, older table does not undo it.
    tmNetPlayerTable old = host.net->GetTable();
    old.sequence = 1;
    old.entries[0].gridSlot = 0;
    old.entries[2].gridSlot = 2;
    hub_.Inject(a.id, TableDatagram(old, host.id).data(), 988, host.id);
    a.net->Poll();
    EXPECT_EQ(a.net->GetTable().entries[0].gridSlot, 2);
}

TEST_F(RaceNetTest, StartOnlyWhenAllReadyCancelOnlyWhileOpen) {
    Player host = Join(1);
    Player a = Join(2);
    host.net->SetOwnStatus(4, 0);
    host.net->FreezeOwnStatus();
    host.net->Send(kNetMsgEntry);  // the host applies its own entry
    host.net->Poll();
    host.net->CheckAllReady();
    EXPECT_EQ(host.net->GetTable().sessionState, kNetSessionOpen);  // a is not ready
    a.net->FreezeOwnStatus();
    a.net->Send(kNetMsgEntry);
    host.net->Poll();
    host.net->CheckAllReady();
    EXPECT_EQ(host.net->GetTable().sessionState, kNetSessionStart);
    host.net->Cancel();
    EXPECT_EQ(host.net->GetTable().sessionState, kNetSessionStart);  // already decided
    // Once decided, entries change nothing.
    Player late = Join(3);
    host.net->Poll();
    EXPECT_EQ(host.net->GetTable().count, 2u);
    host.net->Send(kNetMsgTable);
    a.net->Poll();
    EXPECT_EQ(a.net->GetTable().sessionState, kNetSessionStart);
}

TEST_F(RaceNetTest, FreezingWithoutAMachineLocksNothing) {
    Player host = Make(1);
    ASSERT_TRUE(host.net->Start(true));
    host.net->FreezeOwnStatus();
    EXPECT_EQ(host.net->GetOwnEntry().ready, 0);
    host.net->SetOwnStatus(12, 0);  // no such machine
    EXPECT_EQ(host.net->GetOwnEntry().machine, 0u);
}

TEST_F(RaceNetTest, AFailedStartReportsFalseAndSequencesKeepCountingAcrossSessions) {
    Player g = Make(2);
    g.endpoint->refuseOpen = true;
    EXPECT_FALSE(g.net->Start(false));
    EXPECT_FALSE(g.net->IsOpen());
    g.endpoint->refuseOpen = false;

    Player host = Join(1);
    ASSERT_TRUE(g.net->Start(false));
    g.net->SetOwnStatus(2, 0);
    g.net->Send(kNetMsgEntry);
    host.net->Poll();
    const uint32_t first = host.net->GetTable().entries[1].sequence;
    for (int i = 0; i < 5; ++i) g.net->Send(kNetMsgEntry);
    // The guest restarts its session; its counter runs on, so the host still takes its entries.
    ASSERT_TRUE(g.net->Start(false));
    g.net->SetOwnStatus(6, 0);
    g.net->Send(kNetMsgEntry);
    host.net->Poll();
    EXPECT_GT(host.net->GetTable().entries[1].sequence, first);
    EXPECT_EQ(host.net->GetTable().entries[1].machine, 6u);
    EXPECT_EQ(host.net->GetTable().count, 2u);
}

// ---------------------------------------------------------------- race

TEST_F(RaceNetTest, BarriersMoveTheRaceControlAndReachTheGuests) {
    Player host = Join(1);
    Player a = Join(2);
    host.net->Poll();
    host.net->Send(kNetMsgTable);
    a.net->Poll();
    tmPeerMachineState own;
    auto frame = [&] {
        EXPECT_TRUE(host.net->SyncRace(own));
        EXPECT_TRUE(a.net->SyncRace(own));
    };
    frame();
    host.net->SetOwnBarrier(1);
    frame();
    frame();
    EXPECT_EQ(host.net->GetRaceControl().phase, 0u);  // the guest is not there yet
    a.net->SetOwnBarrier(1);
    frame();
    frame();
    EXPECT_EQ(host.net->GetRaceControl().phase, 1u);
    frame();
    EXPECT_EQ(a.net->GetRaceControl().phase, 1u);
    // Both jump ahead: several steps in one frame.
    host.net->SetOwnBarrier(4);
    a.net->SetOwnBarrier(4);
    frame();
    frame();
    EXPECT_EQ(host.net->GetRaceControl().phase, 1u);  // 3 was never shown by all
    host.net->SetOwnBarrier(3);
    a.net->SetOwnBarrier(3);
    frame();
    frame();
    EXPECT_EQ(host.net->GetRaceControl().phase, 3u);
    // The stored own state keeps its barrier when a new state is stored.
    tmPeerMachineState moved;
    moved.x = 10.0f;
    moved.barrier = 0;
    a.net->StoreOwnState(moved);
    EXPECT_EQ(a.net->GetOwnState().barrier, 3u);
    EXPECT_EQ(a.net->GetOwnState().x, 10.0f);
}

TEST_F(RaceNetTest, AVanishedPlayerLeavesTheBarrierChecksAndNeverFreezesTheRace) {
    Player host = Join(1);
    Player a = Join(2);
    Player gone = Join(3);
    host.net->Poll();
    host.net->Send(kNetMsgTable);
    PollAll({&a, &gone});
    tmPeerMachineState own;
    host.net->SetOwnBarrier(1);
    a.net->SetOwnBarrier(1);
    int frames = 0;
    while (host.net->GetRaceControl().phase == 0 && frames < 2000) {
        ASSERT_TRUE(host.net->SyncRace(own));
        ASSERT_TRUE(a.net->SyncRace(own));
        ++frames;
    }
    EXPECT_EQ(host.net->GetRaceControl().phase, 1u);
    EXPECT_NEAR(frames, static_cast<int>(tmRaceNetwork::kPlayerSilenceLimit), 3);
    EXPECT_TRUE(host.net->IsPlayerSilent(2));
    EXPECT_FALSE(host.net->IsPlayerSilent(1));
    EXPECT_EQ(host.net->GetSilence(), 1u);  // the other guest keeps the host's link alive
    // The vanished player comes back: it counts again.
    gone.net->SetOwnBarrier(0);
    gone.net->Send(kNetMsgState);
    host.net->Poll();
    EXPECT_FALSE(host.net->IsPlayerSilent(2));
    EXPECT_FALSE(host.net->AllInState(1));
}

TEST_F(RaceNetTest, AGuestWhoseHostVanishedLosesTheConnection) {
    Player host = Join(1);
    Player a = Join(2);
    host.net->Poll();
    host.net->Send(kNetMsgTable);
    a.net->Poll();
    host.net->Stop();
    tmPeerMachineState own;
    int frames = 0;
    while (a.net->SyncRace(own) && frames < 5000) ++frames;
    EXPECT_EQ(frames, static_cast<int>(tmRaceNetwork::kRaceSilenceLimit) - 1);
    // Without the silence watch the guest keeps racing.
    EXPECT_TRUE(a.net->SyncRace(own, false));
    a.net->Stop();
    EXPECT_FALSE(a.net->SyncRace(own, false));  // a closed session is lost at once
}

TEST_F(RaceNetTest, RaceOrderIsAPermutationOrRefused) {
    Player host = Join(1);
    const int order[] = {2, 0, 1};
    ASSERT_TRUE(host.net->SetRaceOrder(order, 3));
    const tmNetRaceControl& c = host.net->GetRaceControl();
    EXPECT_EQ(c.order[0], 2);
    EXPECT_EQ(c.order[1], 0);
    EXPECT_EQ(c.order[2], 1);
    for (int k = 3; k < kNetPlayers; ++k) EXPECT_EQ(c.order[k], k);
    const int twice[] = {1, 1, 0};
    const int outside[] = {0, 5, 1};
    EXPECT_FALSE(host.net->SetRaceOrder(twice, 3));
    EXPECT_FALSE(host.net->SetRaceOrder(outside, 3));
    EXPECT_EQ(host.net->GetRaceControl().order[0], 2);  // unchanged
}

TEST_F(RaceNetTest, PeerStatesServeTheMachineOfEachGridSlot) {
    Player host = Join(1);
    Player a = Join(2);
    host.net->Poll();
    host.net->SwapSlots(0, 1);
    host.net->Send(kNetMsgTable);
    a.net->Poll();
    tmPeerMachineState s;
    EXPECT_EQ(host.net->FindNetworkSlot(0), 1);
    EXPECT_EQ(host.net->FindNetworkSlot(1), 0);
    EXPECT_EQ(host.net->FindNetworkSlot(2), -1);
    EXPECT_FALSE(host.net->GetPeerState(1, &s));  // nothing heard yet
    tmPeerMachineState mine;
    mine.x = 12.5f;
    mine.z = -3.0f;
    mine.yaw = 1.0f;
    mine.gear = 3;
    mine.raceTimeMs = 4567;
    ASSERT_TRUE(a.net->SyncRace(mine));
    host.net->Poll();
    ASSERT_TRUE(host.net->GetPeerState(1, &s));
    EXPECT_EQ(s.x, 12.5f);
    EXPECT_EQ(s.gear, 3u);
    EXPECT_EQ(s.raceTimeMs, 4567u);
    // The sender also keeps its own state in its row.
    ASSERT_TRUE(a.net->GetPeerState(1, &s));
    EXPECT_EQ(s.z, -3.0f);
    // An older state is dropped.
    tmPeerMachineState old = mine;
    old.sequence = 0;
    old.x = -99.0f;
    hub_.Inject(host.id, StateDatagram(old, a.id).data(), 60, a.id);
    host.net->Poll();
    ASSERT_TRUE(host.net->GetPeerState(1, &s));
    EXPECT_EQ(s.x, 12.5f);
}

TEST_F(RaceNetTest, TheRaceTakesTheHostsGridSlotsAndEachPlayersRowAsItsId) {
    Player host = Join(1);
    Player a = Join(2);
    Player b = Join(3);
    host.net->Poll();
    host.net->SwapSlots(0, 2);  // b starts first, the host last
    host.net->Send(kNetMsgTable);
    PollAll({&a, &b});
    tmRaceState race;
    race.setup.mode = kRaceModeLobby;
    race.setup.course = 6;
    race.setup.laps = 5;
    ASSERT_TRUE(a.net->SetupRaceFromEntries(race));
    EXPECT_EQ(race.setup.count, 3u);
    EXPECT_EQ(race.setup.local, 1u);  // a's slot, though its own entry never learnt one
    EXPECT_EQ(race.setup.course, 6u);
    EXPECT_EQ(race.setup.laps, 5u);
    EXPECT_EQ(race.setup.mode, static_cast<uint32_t>(kRaceModeLobby));
    EXPECT_EQ(race.entrants[0].entrantId, 2u);  // b
    EXPECT_EQ(race.entrants[1].entrantId, 1u);  // a
    EXPECT_EQ(race.entrants[2].entrantId, 0u);  // the host
    EXPECT_EQ(race.entrants[1].controllerType, static_cast<uint32_t>(kControllerPlayer));
    EXPECT_EQ(race.entrants[0].controllerType, static_cast<uint32_t>(kControllerNetwork));
    EXPECT_EQ(race.entrants[2].controllerType, static_cast<uint32_t>(kControllerNetwork));
    EXPECT_STREQ(race.entrants[0].driverName, "Tester");

    // The host's own slot moved too: it drives the last machine, not the first.
    tmRaceState hostRace;
    hostRace.setup.mode = kRaceModeDirect;
    ASSERT_TRUE(host.net->SetupRaceFromEntries(hostRace));
    EXPECT_EQ(hostRace.setup.local, 2u);
    EXPECT_EQ(hostRace.setup.mode, static_cast<uint32_t>(kRaceModeDirect));

    // A player the host never admitted has no place in the race.
    Player stranger = Join(9);
    stranger.net->Poll();
    tmRaceState none;
    none.setup.count = 7;
    EXPECT_FALSE(stranger.net->SetupRaceFromEntries(none));
    EXPECT_EQ(none.setup.count, 7u);
}
