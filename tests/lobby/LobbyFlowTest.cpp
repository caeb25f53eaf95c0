// LobbyFlowTest.cpp -- the real main loop: main menu, lobby, a room started, the race road, and back to the lobby.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "app/tmConfig.h"
#include "harness/Harness.h"
#include "lobby/LobbyModes.h"
#include "lobby/LobbyVisit.h"
#include "lobby/WidgetLobbyDialogs.h"
#include "lobby/WidgetRoomPain.h"
#include "lobby/WidgetText.h"
#include "lobby/WidgetUserPain.h"
#include "lobby/ggSeqLobby.h"
#include "race/tmRaceState.h"
#include "sys/input/tmInputActions.h"
#include "sys/net/tmNetwork.h"
#include "sys/sound/tmSound.h"

namespace {

g2lobby::ggSeqLobby* g_lobbyScreen = nullptr;
int g_lobbyVisits = 0;

// Stand-ins for the waiting room and the race, which end at once (the
// two-process scenario runs the real ones).
class LeaveAtOnce : public tmSequence {
public:
    explicit LeaveAtOnce(int next) : next_(next) {}
    void Init() override {}
    int Update() override { return next_; }
    void Term() override {}
    void Draw() override {}

private:
    int next_;
};

// The game's own title, main menu and lobby.
tmSequenceFactory Screens() {
    tmSequenceFactory f = tmMakeScreenFactory();
    f.Set(kSeqJoinRace, []() -> tmSequence* { return new LeaveAtOnce(kSeqRace); });
    f.Set(kSeqRace, []() -> tmSequence* { return new LeaveAtOnce(kSeqLobby); });
    f.Set(kSeqLobby, []() -> tmSequence* {
        ++g_lobbyVisits;
        return g_lobbyScreen = new g2lobby::ggSeqLobby();
    });
    return f;
}

}  // namespace

TEST(LobbyFlow, MainMenuLobbyARoomStartedTheRaceRoadAndBack) {
    g_lobbyScreen = nullptr;
    g_lobbyVisits = 0;
    harness::Session session(Screens());
    lobbytest::TestLobbyServer server;
    lobbytest::LobbyScript script;
    script.others = {lobbytest::MakePlayer(7, "Kaede", 12), lobbytest::MakePlayer(9, "Bruno", 3)};
    script.rooms = {lobbytest::MakeRoom(300, "FastLane", 4, 5, {7})};
    server.StartLobby(script);
    {
        std::error_code ec;
        std::filesystem::create_directory_symlink(std::string(ZARVO_RUN_DIR) + "/data", "data", ec);
        std::ofstream("ownip.txt") << "127.0.0.1";
        std::ofstream("network.conf") << "LobbyHost=127.0.0.1\nLobbyPort=" << server.Port()
                                      << "\nLobbyURL=\nBattlePort=" << lobbytest::FreeLoopbackPort() << "\n";
    }
    tmConfig::GetInstance().SetPlayerName("Tester");
    ASSERT_TRUE(session.Start());
    const auto frames = [&](const std::function<bool()>& pred, int max = 3000) {
        return session.RunUntil(
            [&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                return pred();
            },
            max);
    };
    const auto mode = [&] { return g_lobbyScreen ? g_lobbyScreen->GetModeName() : std::string(); };

    // Title, then the main menu's network page, its lobby entry and "yes" to the connect question.
    ASSERT_TRUE(frames(
        [&] {
            if (session.CurrentId() == kSeqMainMenu) return true;
            session.TapKey(tmKey::kReturn);
            return false;
        },
        600));
    session.RunUntil([] { return false; }, 62);
    for (int key : {tmKey::kDown, tmKey::kDown, tmKey::kReturn, tmKey::kReturn, tmKey::kUp, tmKey::kReturn})
        session.TapKey(key);
    ASSERT_TRUE(frames([&] { return mode() == "NOTACTIVE"; }));
    EXPECT_EQ(tmRaceState::Get().setup.mode, static_cast<uint32_t>(kRaceModeLobby));
    ASSERT_TRUE(frames([&] { return g_lobbyScreen->GetUserPain()->GetCount() == 3; }));
    EXPECT_EQ(g_lobbyScreen->GetRoomPain()->GetCount(), 1);
    EXPECT_GT(tmConfig::GetInstance().GetLobbyFrameCount(), 0u) << "lobby steps are counted";
    ASSERT_NE(tmSound::GetInstance(), nullptr);
    EXPECT_TRUE(tmSound::GetInstance()->IsStreamPlaying()) << "the lobby's music";

    // A room through the creation dialog, then started by its host.
    g_lobbyScreen->CreateRoom();
    ASSERT_TRUE(frames([&] { return mode() == "RMCRT"; }, 5));
    auto* rmcrt = dynamic_cast<g2lobby::LobbyRmCrt*>(g_lobbyScreen->GetModeCtrl()->GetCurrentMode());
    ASSERT_NE(rmcrt, nullptr);
    rmcrt->GetDialog()->GetNameEntry()->SetEditable(true, false);
    rmcrt->GetDialog()->GetNameEntry()->SetText("Flow");
    session.TapKey(tmKey::kReturn);
    ASSERT_TRUE(frames([&] { return g_lobbyScreen->FindOwnRoom().found; }));
    EXPECT_TRUE(g_lobbyScreen->FindOwnRoom().host);
    g_lobbyScreen->StartRoom();
    ASSERT_TRUE(frames([&] { return mode() == "RMSTT"; }));
    const uint64_t started = session.Loop().GetSequenceManager()->GetTotalSteps();

    // 27 -> 26 (the waiting room's place) -> 25 -> 27: the race road and back.
    ASSERT_TRUE(frames([&] { return g_lobbyVisits == 2 && mode() == "NOTACTIVE"; }));
    std::vector<int> road;
    uint64_t leftLobby = 0;
    for (const harness::Switch& s : session.Switches()) {
        road.push_back(s.next);
        if (s.previous == kSeqLobby && s.next == kSeqJoinRace) leftLobby = s.step;
    }
    EXPECT_EQ(road, (std::vector<int>{kSeqTitle, kSeqMainMenu, kSeqLobby, kSeqJoinRace, kSeqRace, kSeqLobby}));
    EXPECT_EQ(tmRaceState::Get().setup.mode, static_cast<uint32_t>(kRaceModeLobby)) << "the race mode stays 5";
    EXPECT_GE(leftLobby, started + g2lobby::ggSeqLobby::kHandOverUpdates);
    EXPECT_EQ(tmRaceState::Get().hostFlag, 1);
    EXPECT_STREQ(tmNetwork::GetInstance()->GetAddresses().ownText, "127.0.0.1");
    lobbytest::ClientMsg finish;
    ASSERT_TRUE(server.WaitFor("RMFN", &finish));
    EXPECT_EQ(finish.body.at(0), 3);
    EXPECT_TRUE(server.WaitFor("UPDT", nullptr));
    EXPECT_EQ(server.CountOf("STUP"), 1) << "the second visit updates instead of entering";
    g_lobbyScreen = nullptr;
}
