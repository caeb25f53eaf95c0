// RaceNetFixture.cpp -- sessions over the in-process hub and hand-made datagrams.
#include "tests/race/RaceNetFixture.h"

#include <cstring>

#include "app/tmConfig.h"
#include "race/tmRaceState.h"

namespace racetest {

void RaceNetTest::SetUp() {
    tmConfig::GetInstance().SetPlayerName("Tester");
    tmConfig::GetInstance().SetTeamName("Team Z");
    tmRaceState::Get().setup = tmRaceSetup();
    tmRaceState::Get().setup.course = 4;
    tmRaceState::Get().setup.mode = kRaceModeDirect;
    tmRaceNetwork::SetQuietLog(true);
}

void RaceNetTest::TearDown() { tmRaceNetwork::SetQuietLog(false); }

Player RaceNetTest::Make(int own, int host) {
    Player p;
    auto endpoint = hub_.MakeEndpoint(Loopback(own), Loopback(host));
    p.endpoint = endpoint.get();
    p.id = Loopback(own);
    p.net = std::make_unique<tmRaceNetwork>(std::move(endpoint));
    return p;
}

Player RaceNetTest::Join(int own, int host) {
    Player p = Make(own, host);
    EXPECT_TRUE(p.net->Start(own == host));
    if (own != host) {
        p.net->SetOwnStatus(1, 0);
        p.net->Send(kNetMsgEntry);
    }
    return p;
}

void RaceNetTest::PollAll(std::initializer_list<Player*> players) {
    for (Player* p : players) p->net->Poll();
}

std::vector<uint8_t> RaceNetTest::Datagram(uint32_t type, uint32_t sender, const uint8_t* payload) {
    std::vector<uint8_t> out(kNetHeaderSize + tmNetPayloadSize(type));
    tmNetBuildDatagram(type, sender, payload, out.data());
    return out;
}

std::vector<uint8_t> RaceNetTest::EntryDatagram(const tmNetPlayerEntry& e, uint32_t sender) {
    uint8_t p[kNetEntrySize];
    tmNetWriteEntry(e, p);
    return Datagram(kNetMsgEntry, sender, p);
}

std::vector<uint8_t> RaceNetTest::TableDatagram(const tmNetPlayerTable& t, uint32_t sender) {
    uint8_t p[kNetTableSize];
    tmNetWriteTable(t, p);
    return Datagram(kNetMsgTable, sender, p);
}

std::vector<uint8_t> RaceNetTest::StateDatagram(const tmPeerMachineState& s, uint32_t sender) {
    uint8_t p[kNetStateSize];
    tmNetWriteState(s, p);
    return Datagram(kNetMsgState, sender, p);
}

std::vector<uint8_t> RaceNetTest::ControlDatagram(const tmNetRaceControl& c, uint32_t sender) {
    uint8_t p[kNetControlSize];
    tmNetWriteControl(c, p);
    return Datagram(kNetMsgControl, sender, p);
}

tmNetPlayerEntry RaceNetTest::Entry(uint32_t id, uint32_t sequence, const char* driver) {
    tmNetPlayerEntry e;
    e.sequence = sequence;
    e.netId = id;
    std::strncpy(e.driverName, driver, kRaceNameSize - 1);
    std::strncpy(e.teamName, "Team", kRaceNameSize - 1);
    e.machine = 3;
    return e;
}

}  // namespace racetest
