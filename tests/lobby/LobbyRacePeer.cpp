// LobbyRacePeer.cpp -- one player of a lobby race, the whole game headless: main menu, lobby, waiting room, race,
// lobby.
//
// lobby_race_peer RUNDIR PORT host|guest
// Starts a test lobby server of its own (the lobby as this player sees it:
// one other player and a room of the two, the host first) and the game at a
// main-menu stand-in that enters the lobby in race mode 5. Once connected the
// server starts the room; the lobby hands it over to the waiting room, where
// the player gets ready (the host starts once the guest is), the autopilot
// drives the race through the pad and the panels are confirmed, and the race
// returns to the lobby. RUNDIR/ownip.txt is this player's address; the race
// port is PORT for the probe and the transport alike. RUNDIR/result.txt gets
// the screens passed ("14 27 26 25 27"), then "finish N update M stup K",
// then "host FLAG own ADDRESS hostaddr ADDRESS", then "finishers N" (as the results panel showed).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "app/tmConfig.h"
#include "harness/Autopilot.h"
#include "harness/Harness.h"
#include "lobby/LobbyVisit.h"
#include "lobby/ggSeqLobby.h"
#include "race/tmRaceNetwork.h"
#include "race/tmRaceState.h"
#include "race/tmSeqJoinRace.h"
#include "race/tmSeqRace.h"
#include "sys/input/tmInputActions.h"
#include "sys/net/tmNetwork.h"

namespace {

constexpr int kFrameLimit = 60 * 60 * 10;
constexpr uint32_t kHostId = 100, kGuestId = 101;

// The main menu's lobby entry: race mode 5, then the lobby.
class LobbyEntry : public tmSequence {
public:
    void Init() override { tmRaceState::Get().setup.mode = kRaceModeLobby; }
    int Update() override { return kSeqLobby; }
    void Term() override {}
    void Draw() override {}
};

harness::SessionSetup Setup(uint16_t port) {
    harness::SessionSetup setup;
    setup.runData = true;
    setup.firstScreen = kSeqMainMenu;
    setup.networkPort = port;
    return setup;
}

tmSequenceFactory Screens() {
    tmSequenceFactory f = tmMakeScreenFactory();
    f.Set(kSeqMainMenu, []() -> tmSequence* { return new LobbyEntry(); });
    return f;
}

lobbytest::Ip4 Address(const std::string& text) {
    lobbytest::Ip4 a{};
    int o[4] = {};
    std::sscanf(text.c_str(), "%d.%d.%d.%d", &o[0], &o[1], &o[2], &o[3]);
    for (int i = 0; i < 4; ++i) a[static_cast<size_t>(i)] = static_cast<uint8_t>(o[i]);
    return a;
}

std::string ReadLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

class LobbyRacePeer {
public:
    LobbyRacePeer(const std::string& run, uint16_t port, bool host)
        : run_(run), host_(host), port_(port), s_(Screens(), Setup(port)) {}

    bool Start() {
        const std::string own = ReadLine(run_ + "/ownip.txt");
        const std::string other = ReadLine(run_ + "/otherip.txt");
        std::ofstream(s_.Folder() + "/ownip.txt") << own;
        lobbytest::LobbyScript script;
        script.ownId = host_ ? kHostId : kGuestId;
        const uint32_t otherId = host_ ? kGuestId : kHostId;
        script.others = {lobbytest::MakePlayer(otherId, host_ ? "GUEST" : "HOST", 5)};
        lobbytest::RoomInfo room = lobbytest::MakeRoom(500, "Duel", 3, 1, {});
        hostAddress_ = host_ ? Address(own) : Address(other);
        room.members.push_back({kHostId, hostAddress_});
        room.members.push_back({kGuestId, host_ ? Address(other) : Address(own)});
        script.rooms = {room};
        server_.StartLobby(script);
        std::ofstream(s_.Folder() + "/network.conf")
            << "LobbyHost=127.0.0.1\nLobbyPort=" << server_.Port() << "\nLobbyURL=\nBattlePort=" << port_ << "\n";
        harness::Autopilot::Prepare(s_);
        if (!s_.Start()) return false;
        tmConfig::GetInstance().SetPlayerName(host_ ? "HOST" : "GUEST");
        return true;
    }

    void Run() {
        for (; frames_ < kFrameLimit; ++frames_) {
            Pace();
            Script();
            if (!s_.Frame()) break;
            if (backInLobby_ && Lobby() && Lobby()->GetModeName() == "NOTACTIVE") break;
        }
    }

    void Write() {
        std::FILE* f = std::fopen((run_ + "/result.txt").c_str(), "w");
        if (!f) return;
        for (const harness::Switch& sw : s_.Switches()) std::fprintf(f, "%d ", sw.next);
        std::fprintf(f, "\n");
        lobbytest::ClientMsg finish;
        const bool finished = server_.WaitFor("RMFN", &finish, 2000);
        server_.WaitFor("UPDT", nullptr, 2000);
        std::fprintf(f, "finish %d update %d stup %d\n", finished && !finish.body.empty() ? finish.body[0] : -1,
                     server_.CountOf("UPDT"), server_.CountOf("STUP"));
        std::fprintf(f, "host %d own %s hostaddr %s\n", handOverHost_, handOverOwn_.c_str(), handOverHostText_.c_str());
        std::fprintf(f, "finishers %d\n", finishers_);
        std::fclose(f);
    }

private:
    tmSequence* Screen() {
        tmSequenceManager* m = s_.Loop().GetSequenceManager();
        return m ? m->GetScreen() : nullptr;
    }
    g2lobby::ggSeqLobby* Lobby() { return dynamic_cast<g2lobby::ggSeqLobby*>(Screen()); }
    tmSeqJoinRace* Room() { return dynamic_cast<tmSeqJoinRace*>(Screen()); }
    tmSeqRace* Race() { return dynamic_cast<tmSeqRace*>(Screen()); }

    void Tap(int key) {
        s_.Input().SetKey(key, true);
        held_ = key;
    }

    // What the player (and the lobby server) does before the coming frame.
    void Script() {
        if (held_) s_.Input().SetKey(held_, false), held_ = 0;
        if (g2lobby::ggSeqLobby* lobby = Lobby()) {
            if (seenRace_) backInLobby_ = true;
            // The server starts the room once this player is in the lobby.
            if (!started_ && lobby->GetModeName() == "NOTACTIVE") {
                server_.Send(lobbytest::EncRMST(500, hostAddress_, port_));
                started_ = true;
            }
            return;
        }
        if (tmSeqJoinRace* room = Room()) {
            if (handOverOwn_.empty()) {
                const tmNetworkAddress& a = tmNetwork::GetInstance()->GetAddresses();
                handOverHost_ = tmRaceState::Get().hostFlag;
                handOverOwn_ = a.ownText;
                handOverHostText_ = a.hostText;
            }
            const tmRaceNetwork* net = tmRaceNetwork::Get();
            if (room->GetState() != tmSeqJoinRace::kWaiting || room->IsReady() || frames_ % 20 != 0) return;
            const tmNetPlayerTable& t = net->GetTable();
            const bool go = host_ ? t.count >= 2 && t.entries[1].ready : room->GetOwnIndex() >= 0;
            if (go) Tap(tmKey::kReturn);
            return;
        }
        tmSeqRace* race = Race();
        if (!race) return;
        seenRace_ = true;
        if (race->GetPhase() == tmSeqRace::kResults) {
            const tmRaceState& rs = tmRaceState::Get();
            finishers_ = 0;
            for (uint32_t k = 0; k < rs.setup.count && k < kRaceEntrants; ++k)
                finishers_ += rs.results[k].finished != 0;
        }
        pilot_.BeforeFrame(s_);
        const tmRaceNetwork* net = tmRaceNetwork::Get();
        const bool allDone = net && (!net->IsOpen() || net->GetRaceControl().phase == 4);
        if (race->GetPhase() >= tmSeqRace::kResults && race->GetPhase() != tmSeqRace::kConnectionLost && allDone &&
            ++settle_ > 60 && frames_ % 15 == 0)
            Tap(tmKey::kReturn);
    }

    // Real time for the lobby client's worker and the datagrams; never far ahead of the other player in a race.
    void Pace() {
        const tmRaceNetwork* net = tmRaceNetwork::Get();
        if (!net || !net->IsOpen() || Room() || !Race()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return;
        }
        if (net->GetRaceControl().phase == 4 || net->GetSilence() <= 30) return;
        tmNetwork* udp = tmNetwork::GetInstance();
        for (int i = 0; i < 4000; ++i) {
            udp->Lock();
            const int queued = udp->GetPacketCount();
            udp->Unlock();
            if (queued > 0) return;
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    }

    std::string run_;
    bool host_;
    uint16_t port_ = 0;
    harness::Session s_;
    lobbytest::TestLobbyServer server_;
    harness::Autopilot pilot_;
    lobbytest::Ip4 hostAddress_{};
    int held_ = 0;
    int frames_ = 0;
    int settle_ = 0;
    bool started_ = false;
    bool seenRace_ = false;
    bool backInLobby_ = false;
    int handOverHost_ = -1;
    int finishers_ = -1;
    std::string handOverOwn_;
    std::string handOverHostText_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: lobby_race_peer RUNDIR PORT host|guest\n");
        return 2;
    }
    LobbyRacePeer peer(argv[1], static_cast<uint16_t>(std::atoi(argv[2])), std::string(argv[3]) == "host");
    if (!peer.Start()) return 2;
    peer.Run();
    peer.Write();
    return 0;
}
