// The exported facade against the test lobby server and status-page stub over loopback.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <thread>
#include <vector>

#include "lobbyclient/Lobby.h"
#include "lobbyclient/LobbyThread.h"
#include "lobbyclient/TestDir.h"
#include "lobbyclient/TestLobbyServer.h"

namespace {

using namespace lobbytest;
using Clock = std::chrono::steady_clock;

const char* const kGuid = "{01234567-89AB-CDEF-0123-456789ABCDEF}";

// Polls the facade like the game does, keeping every message until the end.
class Poller {
public:
    explicit Poller(lobby::CLobby& lobby) : lobby_(lobby) {}
    ~Poller() {
        for (lobby::CLobbyMsg& m : kept_) lobby_.ReleaseMsg(m);
    }
    // Polls until a message of `type` arrives after the one found last
    // (returned, still owned here).
    const lobby::CLobbyMsg* WaitFor(int type, int timeoutMs = 5000) {
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        size_t seen = cursor_;
        while (Clock::now() < deadline) {
            for (lobby::CLobbyMsg m = lobby_.GetMsg(); m.type != lobby::LOBBY_MSG_NONE; m = lobby_.GetMsg()) {
                kept_.push_back(m);
                if (m.type == lobby::LOBBY_MSG_ERROR) break;  // the error repeats: stop draining
            }
            for (; seen < kept_.size(); ++seen) {
                if (kept_[seen].type == type) {
                    cursor_ = seen + 1;
                    return &kept_[seen];
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return nullptr;
    }
    template <class R>
    const R& Data(const lobby::CLobbyMsg* m) {
        return *static_cast<const R*>(m->data);
    }

private:
    lobby::CLobby& lobby_;
    std::vector<lobby::CLobbyMsg> kept_;
    size_t cursor_ = 0;
};

lobby::CPlayer Me() {
    lobby::CPlayer p;
    p.SetName("Me");
    p.SetTeam("Z");
    return p;
}

PlayerInfo Other(uint32_t id) {
    PlayerInfo p;
    p.id = id;
    p.name = "other" + std::to_string(id);
    return p;
}

void WriteFile(const char* path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

double SecondsOf(const std::function<void()>& f) {
    const auto t0 = Clock::now();
    f();
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

TEST(Lobby, WholeVisitFromLoginToRoomStart) {
    HttpStub http(200, "<html>\r\n<!-- info:Welcome\r\n</html>\r\n");
    TestLobbyServer server;
    LobbyScript script;
    script.others = {Other(1), Other(2), Other(3)};
    RoomInfo a, b;
    a.id = 40;
    a.name = "alpha";
    a.members = {{1, TestLobbyServer::kLoopback}};
    b.id = 41;
    b.name = "beta";
    script.rooms = {a, b};
    server.StartLobby(script);

    lobby::CLobby lobby("127.0.0.1", server.Port(), http.Url().c_str(), 14, kGuid, 28464);
    Poller poll(lobby);
    EXPECT_EQ(lobby.GetMsg().type, lobby::LOBBY_MSG_NONE);  // never entered
    lobby.Enter(Me(), nullptr, nullptr);
    ASSERT_TRUE(poll.WaitFor(lobby::LOBBY_MSG_LOGIN));
    EXPECT_EQ(lobby.GetID(), 100);
    ASSERT_TRUE(poll.WaitFor(lobby::LOBBY_MSG_CHAT));  // the information text
    EXPECT_STREQ(lobby.GetChat().lines[0].text, "Welcome");
    EXPECT_NE(http.LastRequest().find("User-Agent: DEZI_HTTP"), std::string::npos);
    EXPECT_NE(http.LastRequest().find("Cache-Control: no-cache"), std::string::npos);

    ClientMsg stupMsg;
    ASSERT_TRUE(server.WaitFor("STUP", &stupMsg));
    const StupOut stup = DecodeSTUP(stupMsg);
    EXPECT_EQ(stup.player.name, "Me");
    EXPECT_EQ(stup.protocol, 14u);
    EXPECT_EQ(stup.guid, kGuid);
    EXPECT_EQ(stup.player.port, server.Port());

    const lobby::CLobbyMsg* created = nullptr;
    for (int i = 0; i < 2; ++i) created = poll.WaitFor(lobby::LOBBY_MSG_ROOM_CREATED);
    ASSERT_TRUE(created);
    EXPECT_STREQ(poll.Data<lobby::CRoom>(created).name, "beta");
    const lobby::CPlayerList& players = lobby.GetPlayerList();
    ASSERT_EQ(players.count, 4);
    EXPECT_STREQ(players.players[2].name, "other3");
    EXPECT_EQ(players.players[3].id, 100);
    EXPECT_EQ(lobby.GetRoomList().count, 2);

    lobby.Chat("hello lobby", 0, 0);
    const auto* chat = poll.WaitFor(lobby::LOBBY_MSG_CHAT);
    ASSERT_TRUE(chat);
    EXPECT_STREQ(lobby.GetChat().lines[0].text, "hello lobby");
    EXPECT_STREQ(lobby.GetChat().lines[0].name, "Me");

    EXPECT_FALSE(lobby.RoomCreate("mine", 3, 17));
    EXPECT_FALSE(lobby.RoomCreate("", 3, 5));
    EXPECT_FALSE(lobby.BattleRequest(100, true));
    ASSERT_TRUE(lobby.RoomCreate("mine", 3, 5));
    const auto* mine = poll.WaitFor(lobby::LOBBY_MSG_ROOM_CREATED);
    ASSERT_TRUE(mine);
    EXPECT_STREQ(poll.Data<lobby::CRoom>(mine).name, "mine");
    EXPECT_EQ(poll.Data<lobby::CRoom>(mine).laps, 5);
    EXPECT_TRUE(poll.Data<lobby::CRoom>(mine).isContain(100));

    ASSERT_TRUE(lobby.RoomEnter(40));
    ASSERT_TRUE(poll.WaitFor(lobby::LOBBY_MSG_ROOM_LIST));
    ASSERT_TRUE(lobby.RoomStart());
    const auto* start = poll.WaitFor(lobby::LOBBY_MSG_ROOM_START);
    ASSERT_TRUE(start);
    const auto& rs = poll.Data<lobby::CRoomStart>(start);
    ASSERT_GE(rs.memberCount, 1);
    EXPECT_EQ(rs.address[0], 127);
    EXPECT_EQ(rs.port, 28464);

    EXPECT_TRUE(lobby.IsLeavable());
    lobby.Leave();
    EXPECT_EQ(lobby.GetID(), -1);
    EXPECT_EQ(lobby.GetPlayerList().count, 4);  // the last copy stays
    EXPECT_FALSE(lobby.RoomLeave());
}

TEST(Lobby, PictureIsUploadedOnlyWhenTheServerStampDiffers) {
    WriteFile("NoImage.jpg", std::string("\xFF\xD8 default", 10));
    WriteFile("MyImage.jpg", std::string("\xFF\xD8 my own picture", 17));
    uint64_t stamp = 0;
    {
        TestLobbyServer server;
        server.StartLobby(LobbyScript{});
        lobby::CLobby lobby("127.0.0.1", server.Port(), "", 14, kGuid, 28464);
        lobby.Enter(Me(), "MyImage.jpg", "NoImage.jpg");
        ClientMsg m;
        ASSERT_TRUE(server.WaitFor("PCUP", &m));
        const PcupOut up = DecodePCUP(m);
        EXPECT_EQ(up.picture.size(), 17u);
        EXPECT_EQ(up.picture[3], 'm');
        stamp = up.stamp;
        // A file time in 100 ns units since 1601 (past 1970), low word XORed with the size.
        EXPECT_GT(stamp ^ 17u, 116444736000000000ull);
        Poller poll(lobby);
        ASSERT_TRUE(poll.WaitFor(lobby::LOBBY_MSG_LOGIN));
        // Uploaded and confirmed: the own picture is present.
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (lobby.GetPlayerPict(100).state != lobby::CPlayerPict::kPresent && Clock::now() < deadline) {}
        EXPECT_EQ(lobby.GetPlayerPict(100).size, 17u);
    }
    {
        TestLobbyServer server;
        LobbyScript script;
        script.pictureStamp = stamp;  // the server already has this version
        server.StartLobby(script);
        lobby::CLobby lobby("127.0.0.1", server.Port(), "", 14, kGuid, 28464);
        lobby.Enter(Me(), "MyImage.jpg", "NoImage.jpg");
        Poller poll(lobby);
        ASSERT_TRUE(poll.WaitFor(lobby::LOBBY_MSG_LOGIN));
        lobby.Chat("sync", 0, 0);  // answered after anything sent before it
        ASSERT_TRUE(server.WaitFor("SAID", nullptr));
        EXPECT_EQ(server.CountOf("PCUP"), 0);
        EXPECT_EQ(lobby.GetPlayerPict(100).state, lobby::CPlayerPict::kPresent);
    }
    {
        WriteFile("Same.jpg", std::string("\xFF\xD8 default", 10));
        TestLobbyServer server;
        server.StartLobby(LobbyScript{});
        lobby::CLobby lobby("127.0.0.1", server.Port(), "", 14, kGuid, 28464);
        lobby.Enter(Me(), "Same.jpg", "NoImage.jpg");
        Poller poll(lobby);
        ASSERT_TRUE(poll.WaitFor(lobby::LOBBY_MSG_LOGIN));
        lobby.Chat("sync", 0, 0);
        ASSERT_TRUE(server.WaitFor("SAID", nullptr));
        EXPECT_EQ(server.CountOf("PCUP"), 0);  // the default picture is never uploaded
    }
}

TEST(Lobby, OtherPlayersPicturesAreRequestedOnce) {
    WriteFile("NoImage.jpg", std::string("\xFF\xD8 default", 10));
    TestLobbyServer server;
    LobbyScript script;
    script.others = {Other(7)};
    server.StartLobby(script);
    lobby::CLobby lobby("127.0.0.1", server.Port(), "", 14, kGuid, 28464);
    EXPECT_EQ(lobby.GetPlayerPict(7).state, lobby::CPlayerPict::kNone);  // not connected: the default
    lobby.Enter(Me(), nullptr, "NoImage.jpg");
    Poller poll(lobby);
    ASSERT_TRUE(poll.WaitFor(lobby::LOBBY_MSG_LOGIN));
    EXPECT_EQ(lobby.GetPlayerPict(0).size, 10u);  // id 0: the default record
    EXPECT_EQ(lobby.GetPlayerPict(7).state, lobby::CPlayerPict::kStale);
    ClientMsg rq;
    ASSERT_TRUE(server.WaitFor("PCRQ", &rq));
    EXPECT_EQ(rq.body, (Bytes{7, 0, 0, 0}));
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (lobby.GetPlayerPict(7).state != lobby::CPlayerPict::kPresent && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const lobby::CPlayerPict& p = lobby.GetPlayerPict(7);
    EXPECT_EQ(p.size, 5u);
    EXPECT_EQ(p.stamp, 1007u);
    EXPECT_EQ(server.CountOf("PCRQ"), 1);
}

TEST(Lobby, MaintenanceStopsTheVisitBeforeConnecting) {
    HttpStub http(200, "<html>\r\n<p><!-- mainte:Closed until 18:00 --></p>\r\n</html>");
    TestLobbyServer server;
    lobby::CLobby lobby("127.0.0.1", server.Port(), http.Url().c_str(), 14, kGuid, 28464);
    lobby.Enter(Me(), nullptr, nullptr);
    Poller poll(lobby);
    const auto* err = poll.WaitFor(lobby::LOBBY_MSG_ERROR);
    ASSERT_TRUE(err);
    EXPECT_EQ(poll.Data<lobby::CLobbyError>(err).code, 9);
    EXPECT_STREQ(poll.Data<lobby::CLobbyError>(err).text, "Closed until 18:00");
    lobby::CLobbyMsg again = lobby.GetMsg();  // a fresh record every time
    EXPECT_EQ(again.type, lobby::LOBBY_MSG_ERROR);
    EXPECT_NE(again.data, err->data);
    lobby.ReleaseMsg(again);
    EXPECT_EQ(again.data, nullptr);
    EXPECT_FALSE(server.Accept(200));  // nobody connected
    EXPECT_EQ(lobby.GetID(), -1);
}

TEST(Lobby, StatusPageFailuresAreLoggedAndTheLoginGoesOn) {
    HttpStub http(404, "missing");
    TestLobbyServer server;
    server.StartLobby(LobbyScript{});
    lobby::CLobby lobby("127.0.0.1", server.Port(), http.Url().c_str(), 14, kGuid, 28464);
    lobby.Enter(Me(), nullptr, nullptr);
    Poller poll(lobby);
    ASSERT_TRUE(poll.WaitFor(lobby::LOBBY_MSG_LOGIN));
    EXPECT_TRUE(LogHas("Lobby http request status code error. (404)\n"));

    std::string mainte, info;
    lobby::LobbyEndpoint limits;
    lobby::CLobbyThread::RequestStatus("https://127.0.0.1/x", limits, nullptr, &mainte, &info);
    EXPECT_TRUE(LogHas("Lobby http request not support HTTPS.\n"));
    lobby::CLobbyThread::RequestStatus("ftp://127.0.0.1/x", limits, nullptr, &mainte, &info);
    EXPECT_TRUE(LogHas("Lobby http request illegal url.\n"));
}

TEST(Lobby, MovedStatusPageIsFollowedOverPlainHttpOnly) {
    {
        HttpStub page(200, "<!-- mainte:Moved and closed -->");
        HttpStub first(301, "", false, page.Url());
        HttpStub second(302, "", false, first.Url());
        TestLobbyServer server;
        lobby::CLobby lobby("127.0.0.1", server.Port(), second.Url().c_str(), 14, kGuid, 28464);
        lobby.Enter(Me(), nullptr, nullptr);
        Poller poll(lobby);
        const auto* err = poll.WaitFor(lobby::LOBBY_MSG_ERROR);
        ASSERT_TRUE(err);
        EXPECT_EQ(poll.Data<lobby::CLobbyError>(err).code, 9);
        EXPECT_STREQ(poll.Data<lobby::CLobbyError>(err).text, "Moved and closed");
        EXPECT_EQ(page.Requests(), 1);
    }
    // A move to HTTPS, and a page that moves for ever, are unreadable pages: logged, and the login goes on.
    for (const std::string& where : {std::string("https://127.0.0.1:1/status.html"), std::string("/status.html")}) {
        HttpStub moved(302, "", false, where);
        TestLobbyServer server;
        server.StartLobby(LobbyScript{});
        lobby::CLobby lobby("127.0.0.1", server.Port(), moved.Url().c_str(), 14, kGuid, 28464);
        lobby.Enter(Me(), nullptr, nullptr);
        Poller poll(lobby);
        ASSERT_TRUE(poll.WaitFor(lobby::LOBBY_MSG_LOGIN)) << where;
        EXPECT_TRUE(LogHas("Lobby http request error. \"")) << where;
    }
}

TEST(Lobby, StatusPageTakesTheLastInfoAndMaintenanceMarkersUntrimmed) {
    std::string mainte, info;
    lobby::ParseStatusPage("<!-- info:Welcome\r\nx<!-- info:Later -->y\r\n", &mainte, &info);
    EXPECT_EQ(info, "Later");
    EXPECT_EQ(mainte, "");
    info.clear();
    lobby::ParseStatusPage("<!-- info:Welcome", &mainte, &info);
    EXPECT_EQ(info, "Welcome");
    lobby::ParseStatusPage("<!-- mainte:A<br>B -->\n<!-- mainte: spaced  -->", &mainte, &info);
    EXPECT_EQ(mainte, " spaced ");  // the last line wins, nothing is trimmed
}

TEST(Lobby, FailedConnectionsEndWithTheirErrorCodes) {
    uint16_t closedPort;
    {
        auto listener = platform::TcpListener::Listen("127.0.0.1", 0);
        closedPort = listener->Port();
    }
    lobby::CLobby refused("127.0.0.1", closedPort, "", 14, kGuid, 28464);
    refused.Enter(Me(), nullptr, nullptr);
    Poller poll(refused);
    const auto* err = poll.WaitFor(lobby::LOBBY_MSG_ERROR);
    ASSERT_TRUE(err);
    EXPECT_EQ(poll.Data<lobby::CLobbyError>(err).code, 2);
    EXPECT_TRUE(refused.IsLeavable());

    lobby::CLobby nameless("", closedPort, "", 14, kGuid, 28464);
    nameless.Enter(Me(), nullptr, nullptr);
    Poller poll2(nameless);
    const auto* err2 = poll2.WaitFor(lobby::LOBBY_MSG_ERROR);
    ASSERT_TRUE(err2);
    EXPECT_EQ(poll2.Data<lobby::CLobbyError>(err2).code, 3);
}

TEST(Lobby, ServerClosingBeforeTheLoginAnswerEndsTheVisit) {
    TestLobbyServer server;
    LobbyScript script;
    script.closeBeforeLogin = true;
    server.StartLobby(script);
    lobby::CLobby lobby("127.0.0.1", server.Port(), "", 14, kGuid, 28464);
    lobby.Enter(Me(), nullptr, nullptr);
    Poller poll(lobby);
    const auto* err = poll.WaitFor(lobby::LOBBY_MSG_ERROR);
    ASSERT_TRUE(err);
    EXPECT_EQ(poll.Data<lobby::CLobbyError>(err).code, 4);  // an ended stream is not an abort
    EXPECT_TRUE(lobby.IsLeavable());
}

TEST(Lobby, RefusedLoginReachesTheGameAndNoPictureIsSent) {
    WriteFile("MyImage.jpg", std::string("\xFF\xD8 picture", 10));
    TestLobbyServer server;
    LobbyScript script;
    script.refuseResult = 1;  // the server closes right after the refusal
    server.StartLobby(script);
    lobby::CLobby lobby("127.0.0.1", server.Port(), "", 14, kGuid, 28464);
    lobby.Enter(Me(), "MyImage.jpg", nullptr);
    Poller poll(lobby);
    const auto* err = poll.WaitFor(lobby::LOBBY_MSG_ERROR);
    ASSERT_TRUE(err);
    EXPECT_EQ(poll.Data<lobby::CLobbyError>(err).code, 8);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    lobby::CLobbyMsg later = lobby.GetMsg();
    EXPECT_EQ(static_cast<lobby::CLobbyError*>(later.data)->code, 8);  // not replaced by a connection error
    lobby.ReleaseMsg(later);
    EXPECT_EQ(server.CountOf("PCUP"), 0);
    EXPECT_EQ(lobby.GetID(), -1);
}

TEST(Lobby, LeaveReturnsPromptlyWhateverTheWorkerWaitsFor) {
    {
        TestLobbyServer server;
        server.StartLobby(LobbyScript{});
        lobby::CLobby lobby("127.0.0.1", server.Port(), "", 14, kGuid, 28464);
        lobby.Enter(Me(), nullptr, nullptr);
        Poller poll(lobby);
        ASSERT_TRUE(poll.WaitFor(lobby::LOBBY_MSG_LOGIN));  // now blocked in a receive
        EXPECT_LT(SecondsOf([&] { lobby.Leave(); }), 1.0);
        EXPECT_TRUE(lobby.IsLeavable());
        EXPECT_EQ(lobby.GetMsg().type, lobby::LOBBY_MSG_NONE);
    }
    {
        HttpStub http(200, "", /*hang=*/true);
        TestLobbyServer server;
        lobby::CLobby lobby("127.0.0.1", server.Port(), http.Url().c_str(), 14, kGuid, 28464);
        lobby.Enter(Me(), nullptr, nullptr);
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (http.Requests() == 0 && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_FALSE(lobby.IsLeavable());  // waiting for the status page
        EXPECT_LT(SecondsOf([&] { lobby.Leave(); }), 1.0);
    }
}

TEST(Lobby, EnterAgainEndsAVisitStillWaitingForItsLogin) {
    TestLobbyServer server;
    LobbyScript script;
    script.neverAnswer = true;
    server.StartLobby(script);
    lobby::CLobby lobby("127.0.0.1", server.Port(), "", 14, kGuid, 28464);
    lobby.Enter(Me(), nullptr, nullptr);
    ASSERT_TRUE(server.WaitFor("STUP", nullptr));
    EXPECT_FALSE(lobby.IsLeavable());
    EXPECT_LT(SecondsOf([&] { lobby.Enter(Me(), nullptr, nullptr); }), 1.0);
    EXPECT_LT(SecondsOf([&] { lobby.Leave(); }), 1.0);
    EXPECT_TRUE(lobby.IsLeavable());
}

TEST(Lobby, RequestsWhileNotConnectedSendNothing) {
    lobby::CLobby lobby("127.0.0.1", 1, "", 14, kGuid, 28464);
    EXPECT_TRUE(lobby.IsLeavable());
    EXPECT_EQ(lobby.GetID(), -1);
    EXPECT_FALSE(lobby.RoomCreate("room", 2, 5));
    EXPECT_FALSE(lobby.RoomEnter(1));
    EXPECT_FALSE(lobby.RoomStart());
    EXPECT_FALSE(lobby.BattleRequest(3, true));
    lobby.Chat("x", 0, 0);
    lobby.ChatSelf("local");
    EXPECT_EQ(lobby.GetChat().count, 0);
    EXPECT_EQ(lobby.GetPlayerPict(5).state, lobby::CPlayerPict::kNone);
}

}  // namespace
