// LobbyBench.cpp -- the game thread's lobby poll while the server floods it:
// 200 players, 200 rooms and 10,000 chat lines in bursts, polled every 16 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "lobbyclient/Lobby.h"
#include "lobbyclient/LobbyWire.h"
#include "lobbyclient/TestLobbyServer.h"

namespace {

using namespace lobbytest;
using Clock = std::chrono::steady_clock;

constexpr int kPlayers = 200;  // with the own entry
constexpr int kRooms = 200;
constexpr int kChatLines = 10000;
constexpr int kLinesPerMessage = 100;

std::string ChatText(uint32_t n) { return "line " + std::to_string(n) + " of the flood"; }

// Counts of what one poll saw.
struct Seen {
    int joined = 0, created = 0, chatMessages = 0;
    bool corrupt = false;
};

// One frame of the lobby screen: drain the queue, refresh the copies that changed.
void Poll(lobby::CLobby& lobby, Seen& seen) {
    bool players = false, rooms = false, chat = false;
    for (lobby::CLobbyMsg m = lobby.GetMsg(); m.type != lobby::LOBBY_MSG_NONE; m = lobby.GetMsg()) {
        switch (m.type) {
            case lobby::LOBBY_MSG_PLAYER_LIST: players = true; break;
            case lobby::LOBBY_MSG_ROOM_LIST: rooms = true; break;
            case lobby::LOBBY_MSG_CHAT:
                chat = true;
                ++seen.chatMessages;
                break;
            case lobby::LOBBY_MSG_PLAYER_JOINED: ++seen.joined; break;
            case lobby::LOBBY_MSG_ROOM_CREATED: ++seen.created; break;
            case lobby::LOBBY_MSG_ERROR: seen.corrupt = true; break;
            default: break;
        }
        const bool isError = m.type == lobby::LOBBY_MSG_ERROR;
        lobby.ReleaseMsg(m);
        if (isError) break;
    }
    if (players) benchmark::DoNotOptimize(lobby.GetPlayerList().count);
    if (rooms) benchmark::DoNotOptimize(lobby.GetRoomList().count);
    if (chat) benchmark::DoNotOptimize(lobby.GetChat().count);
}

void Flood(TestLobbyServer& server) {
    for (int i = 1; i < kPlayers; ++i) {
        PlayerInfo p;
        p.id = static_cast<uint32_t>(1000 + i);
        p.name = "player" + std::to_string(i);
        server.Send(EncSTUP(p, 0));
        if (i % 50 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    for (int i = 0; i < kRooms; ++i) {
        RoomInfo r;
        r.id = static_cast<uint32_t>(1 + i);
        r.name = "room" + std::to_string(i);
        r.members = {{static_cast<uint32_t>(1001 + i % (kPlayers - 1)), TestLobbyServer::kLoopback}};
        server.Send(EncRMTC(r));
        if (i % 50 == 49) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    for (int sent = 0; sent < kChatLines;) {
        std::vector<ChatLine> lines;
        for (int i = 0; i < kLinesPerMessage; ++i, ++sent) {
            lines.push_back({static_cast<uint32_t>(sent), 0, 0, 0, "flooder", ChatText(static_cast<uint32_t>(sent))});
        }
        server.Send(EncSAID(lines));
        if (sent % 1000 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// The newest line comes first; each message's first line is its newest.
bool ChatIntact(const lobby::CChat& chat) {
    if (chat.count != lobby::kMaxChatLines) return false;
    for (int i = 0; i < chat.count; ++i) {
        const int block = kChatLines / kLinesPerMessage - 1 - i / kLinesPerMessage;
        const uint32_t id = static_cast<uint32_t>(block * kLinesPerMessage + i % kLinesPerMessage);
        if (chat.lines[i].id1 != static_cast<int>(id) || ChatText(id) != chat.lines[i].text) return false;
    }
    return true;
}

void BM_LobbyPollUnderFlood(benchmark::State& state) {
    double longestMs = 0;
    for (auto _ : state) {
        TestLobbyServer server;
        server.StartLobby(LobbyScript{});
        lobby::CLobby lobby("127.0.0.1", server.Port(), "", 14, "{00000000-0000-0000-0000-000000000000}", 28464);
        lobby::CPlayer me;
        me.SetName("bench");
        lobby.Enter(me, nullptr, nullptr);
        Seen seen;
        while (lobby.GetID() == -1) Poll(lobby, seen);

        std::thread flooder([&] { Flood(server); });
        const auto deadline = Clock::now() + std::chrono::seconds(30);
        const int chatMessages = kChatLines / kLinesPerMessage;
        while (Clock::now() < deadline &&
               (seen.joined < kPlayers - 1 || seen.created < kRooms || seen.chatMessages < chatMessages)) {
            const auto t0 = Clock::now();
            Poll(lobby, seen);
            longestMs = std::max(longestMs, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            std::this_thread::sleep_until(t0 + std::chrono::milliseconds(16));
        }
        flooder.join();
        const bool intact = !seen.corrupt && seen.joined == kPlayers - 1 && seen.created == kRooms &&
                            seen.chatMessages == chatMessages && lobby.GetPlayerList().count == kPlayers &&
                            lobby.GetRoomList().count == kRooms && ChatIntact(lobby.GetChat());
        if (!intact) state.SkipWithError("messages were lost or corrupted");
        lobby.Leave();
    }
    state.counters["longest_poll_ms"] = longestMs;
    std::printf("longest poll under flood: %.3f ms (target < 1 ms)\n", longestMs);
}
BENCHMARK(BM_LobbyPollUnderFlood)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reference: the same poll of a quiet, fully populated lobby, copies included.
void BM_LobbyPollQuietFullLists(benchmark::State& state) {
    TestLobbyServer server;
    LobbyScript script;
    for (int i = 1; i < kPlayers; ++i) script.others.push_back(PlayerInfo{});
    for (int i = 1; i < kPlayers; ++i) script.others[size_t(i - 1)].id = static_cast<uint32_t>(1000 + i);
    for (int i = 0; i < kRooms; ++i) {
        RoomInfo r;
        r.id = static_cast<uint32_t>(1 + i);
        script.rooms.push_back(r);
    }
    server.StartLobby(script);
    lobby::CLobby lobby("127.0.0.1", server.Port(), "", 14, "{00000000-0000-0000-0000-000000000000}", 28464);
    lobby.Enter(lobby::CPlayer(), nullptr, nullptr);
    Seen seen;
    while (seen.created < kRooms) Poll(lobby, seen);
    for (auto _ : state) {
        Poll(lobby, seen);
        benchmark::DoNotOptimize(lobby.GetPlayerList().count);
        benchmark::DoNotOptimize(lobby.GetRoomList().count);
        benchmark::DoNotOptimize(lobby.GetChat().count);
    }
    lobby.Leave();
}
BENCHMARK(BM_LobbyPollQuietFullLists)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
