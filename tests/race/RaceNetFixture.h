// RaceNetFixture.h -- sessions over the in-process hub and hand-made datagrams for the race network tests.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "race/tmRaceNetwork.h"
#include "tests/race/RaceHub.h"

namespace racetest {

// One player: its session and a view of its hub endpoint.
struct Player {
    std::unique_ptr<tmRaceNetwork> net;
    HubEndpoint* endpoint = nullptr;
    uint32_t id = 0;
};

class RaceNetTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A session of 127.0.0.own whose host is 127.0.0.host (not started).
    Player Make(int own, int host = 1);
    // Made and started; a guest's entry is sent once.
    Player Join(int own, int host = 1);
    // Every player polls once, in the order given.
    static void PollAll(std::initializer_list<Player*> players);

    // A whole datagram of a type around a payload, with a correct check word.
    static std::vector<uint8_t> Datagram(uint32_t type, uint32_t sender, const uint8_t* payload);
    static std::vector<uint8_t> EntryDatagram(const tmNetPlayerEntry& e, uint32_t sender);
    static std::vector<uint8_t> TableDatagram(const tmNetPlayerTable& t, uint32_t sender);
    static std::vector<uint8_t> StateDatagram(const tmPeerMachineState& s, uint32_t sender);
    static std::vector<uint8_t> ControlDatagram(const tmNetRaceControl& c, uint32_t sender);
    static tmNetPlayerEntry Entry(uint32_t id, uint32_t sequence, const char* driver = "Guest");

    RaceHub hub_;
};

}  // namespace racetest
