// LobbyScreenTest.cpp -- a whole lobby visit against the test lobby server: connect, lists, chat, rooms, hand-over.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "app/tmConfig.h"
#include "lobby/LobbyModes.h"
#include "lobby/LobbyTestSupport.h"
#include "lobby/LobbyText.h"
#include "lobby/LobbyVisit.h"
#include "lobby/WidgetBottomPain.h"
#include "lobby/WidgetButton.h"
#include "lobby/WidgetChatPain.h"
#include "lobby/WidgetDialog.h"
#include "lobby/WidgetLobbyDialogs.h"
#include "lobby/WidgetRoomPain.h"
#include "lobby/WidgetRoot.h"
#include "lobby/WidgetText.h"
#include "lobby/WidgetUserPain.h"
#include "race/tmRaceState.h"
#include "sys/input/tmInputActions.h"
#include "sys/net/tmNetwork.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmRenderQueue.h"
#include "sys/text/tmFontFace.h"

using g2lobby::ggSeqLobby;
using lobbytest::LobbyVisit;
using lobbytest::MakePlayer;
using lobbytest::MakeRoom;

namespace {

class LobbySession : public ::testing::Test {
protected:
    void SetUp() override {
        if (!renderer.Ok()) GTEST_SKIP() << renderer.Error();
        tmFontFace::UseBuiltinGlyphs(true);
        visit = std::make_unique<LobbyVisit>();
        visit->afterFrame = [this] { renderer.Render()->GetQueue()->Clear(); };
    }
    void TearDown() override {
        visit.reset();
        tmFontFace::UseBuiltinGlyphs(false);
        lobbytest::ResetToolkit();
    }
    // Two other players and one room of theirs.
    static lobbytest::LobbyScript Crowd() {
        lobbytest::LobbyScript s;
        s.others = {MakePlayer(7, "Kaede", 12), MakePlayer(9, "Bruno", 3)};
        s.rooms = {MakeRoom(300, "FastLane", 4, 5, {7})};
        return s;
    }
    ggSeqLobby& Screen() { return visit->Screen(); }
    // The current mode object, as its class.
    template <class M>
    M* ModeAs() {
        return dynamic_cast<M*>(Screen().GetModeCtrl()->GetCurrentMode());
    }
    std::string ChatText(int line) {
        const auto& lines = Screen().GetChatPain()->GetLines();
        return line >= 0 && line < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(line)].text : "";
    }

    lobbytest::TestRenderer renderer{1366, 768};
    std::unique_ptr<LobbyVisit> visit;
};

}  // namespace

TEST_F(LobbySession, ConnectsAndListsPlayersAndRooms) {
    visit->Begin(Crowd());
    visit->Step();
    EXPECT_EQ(visit->Mode(), "CONNECT");
    EXPECT_TRUE(Screen().IsModal());
    ASSERT_TRUE(visit->Connect(3, 1));
    // The login switches to idle in the step it is seen: the dialog is gone and the panes take input.
    EXPECT_FALSE(Screen().IsModal());
    EXPECT_FALSE(g2ui::WidgetRoot::IsModal());
    EXPECT_TRUE(g2ui::WidgetRoot::GetOverlayRoot()->GetChildren().empty());
    EXPECT_EQ(Screen().OwnPlayer().id, 100);
    visit->Step();
    EXPECT_EQ(Screen().GetUserPain()->GetCount(), 3);
    EXPECT_EQ(Screen().GetRoomPain()->GetCount(), 1);
    // Highest level first.
    EXPECT_STREQ(Screen().GetUserPain()->GetPlayer(0)->name, "Kaede");
    EXPECT_EQ(visit->LastResult(), 0);
}
