// LobbyScreenTest.cpp -- a whole lobby visit against the test lobby server: connect, lists, chat, rooms, hand-over.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "app/tmConfig.h"
#include "lobby/LineEdit.h"
#include "lobby/LobbyModes.h"
#include "lobby/LobbyPortProbe.h"
#include "lobby/LobbySessionFixture.h"
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
#include "lobby/WidgetSelector.h"
#include "lobby/WidgetText.h"
#include "lobby/WidgetUserPain.h"
#include "platform/net/TcpSocket.h"
#include "platform/net/UdpSocket.h"
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
class LobbySession : public lobbytest::LobbySessionBase {
protected:
    static uint32_t Loopback() {
        uint32_t a = 0;
        platform::ParseIPv4("127.0.0.1", a);
        return a;
    }
    // The server's TCP probe of the race port: the answer read back ("" when none came). The
    // screen answers and closes first, so its end of the connection stays in TIME_WAIT.
    std::string ProbeOverTcp(const std::string& guid) {
        int error = 0;
        auto tcp = platform::TcpSocket::Connect(Loopback(), visit->battlePort, 2000, nullptr, &error);
        if (!tcp) return "";
        visit->Step();
        if (!tcp->SendAll(guid.data(), guid.size())) return "";
        if (!visit->StepUntil([&] { return tcp->WaitReadable(0); }, 200)) return "";
        char buf[128];
        const auto r = tcp->Recv(buf, sizeof buf);
        return r.status == platform::StreamSocket::Status::kOk ? std::string(buf, static_cast<size_t>(r.bytes)) : "";
    }
};
}  // namespace

TEST_F(LobbySession, ConnectsAndListsPlayersAndRooms) {
    lobbytest::LobbyScript held = Crowd();
    held.holdLogin = true;  // the connecting dialog is seen before the login is answered
    visit->Begin(held);
    visit->Step();
    EXPECT_EQ(visit->Mode(), "CONNECT");
    EXPECT_TRUE(Screen().IsModal());
    visit->server.ReleaseLogin();
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

TEST_F(LobbySession, AMissingOrDefaultNameAsksForANameBeforeConnecting) {
    visit->Begin(Crowd(), "No Name");
    visit->Step();
    EXPECT_EQ(visit->Mode(), "UNKNOWN");
    EXPECT_TRUE(Screen().IsModal());
    EXPECT_FALSE(Screen().GetLobby()) << "nothing connects before a name is given";
    auto* dialog = ModeAs<g2lobby::LobbyUnknown>()->GetDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->GetButton(0)->disabled);
    EXPECT_FALSE(dialog->IsNameReady());
    // Return on the default name commits it but goes nowhere, and saves nothing.
    visit->TypeAndCommit("");
    EXPECT_EQ(visit->Mode(), "UNKNOWN");
    EXPECT_FALSE(dialog->IsNameReady());
    EXPECT_STREQ(tmConfig::GetInstance().GetPlayerName(), "No Name");
    // A real name typed and committed with Return connects under it.
    dialog->GetRow(1)->SetEditable(true, true);
    visit->text.Press(platform::EditKey::A, false, true);
    visit->text.Press(platform::EditKey::Backspace);
    visit->TypeAndCommit("Racer");
    // Connecting (a quick test server may already have logged it in: idle).
    EXPECT_NE(visit->Mode(), "UNKNOWN");
    EXPECT_TRUE(Screen().GetLobby());
    EXPECT_STREQ(tmConfig::GetInstance().GetPlayerName(), "Racer");
    lobbytest::ClientMsg stup;
    ASSERT_TRUE(StepUntilSent("STUP", &stup));
    EXPECT_EQ(lobbytest::DecodeSTUP(stup).player.name, "Racer");
}

TEST_F(LobbySession, AnEmptyNameAlsoAsksForAName) {
    visit->Begin(Crowd(), "");
    visit->Step();
    EXPECT_EQ(visit->Mode(), "UNKNOWN");
    // Escape while no field is typed in leaves the lobby for the main menu.
    ModeAs<g2lobby::LobbyUnknown>()->GetDialog()->GetRow(1)->SetEditable(true, false);
    visit->Tap(tmKey::kEscape);
    EXPECT_TRUE(visit->StepUntil([&] { return visit->LastResult() != 0; }, 10));
    EXPECT_EQ(visit->LastResult(), kSeqMainMenu);
}

TEST_F(LobbySession, TheConnectingDialogGainsADotEveryTwentyUpdates) {
    lobbytest::LobbyScript silent = Crowd();
    silent.neverAnswer = true;
    visit->Begin(silent);
    for (int update = 0; update <= 80; ++update) {
        visit->Step();
        ASSERT_EQ(visit->Mode(), "CONNECT");
        g2lobby::WidgetDialog* dialog = ModeAs<g2lobby::LobbyConnect>()->GetDialog();
        ASSERT_NE(dialog->GetRow(0), nullptr);
        EXPECT_EQ(dialog->GetRow(0)->GetText(), g2lobby::ConnectingText(update)) << "update " << update;
    }
    EXPECT_EQ(ModeAs<g2lobby::LobbyConnect>()->GetDialog()->GetRow(0)->GetText(), "サーバーに接続中　　　");
}

TEST_F(LobbySession, EscapeBeatsALoginAcceptedInTheSameStep) {
    lobbytest::LobbyScript held = Crowd();
    held.holdLogin = true;
    visit->Begin(held);
    visit->Step();
    ASSERT_EQ(visit->Mode(), "CONNECT");
    visit->server.ReleaseLogin();
    // The login is accepted while no step runs; the step that sees it also sees Escape.
    for (int i = 0; i < 2000 && Screen().GetLobby()->GetID() == -1; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_NE(Screen().GetLobby()->GetID(), -1);
    visit->SetKey(tmKey::kEscape, true);
    visit->Step();
    visit->SetKey(tmKey::kEscape, false);
    EXPECT_EQ(Screen().OwnPlayer().id, -1) << "the cancel came first";
    EXPECT_TRUE(visit->StepUntil([&] { return visit->LastResult() != 0; }, 50));
    EXPECT_EQ(visit->LastResult(), kSeqMainMenu);
}

TEST_F(LobbySession, MaintenanceShowsErrorNineWithItsRowsAndLeaves) {
    lobbytest::HttpStub status(200, "<html>\n<!-- mainte:Closed for maintenance<br>Back at 18:00<br> -->\n</html>\n");
    visit->Begin(Crowd(), "Tester", "LobbyURL=" + status.Url() + "\n");
    ASSERT_TRUE(visit->StepUntil([&] { return visit->Mode() == "ERROR"; }));
    EXPECT_EQ(Screen().GetErrorCode(), 9);
    auto* mode = ModeAs<g2lobby::LobbyError>();
    ASSERT_EQ(mode->GetRowCount(), 2);
    g2lobby::WidgetDialog* dialog = mode->GetDialog();
    EXPECT_EQ(dialog->GetRow(0)->GetText(), "Closed for maintenance");
    EXPECT_EQ(dialog->GetRow(1)->GetText(), "Back at 18:00");
    EXPECT_FLOAT_EQ(dialog->height, 2 * 25 + 155);
    EXPECT_FLOAT_EQ(dialog->GetButton(0)->y, 2 * 25 + 91);
    EXPECT_EQ(visit->server.CountOf("STUP"), 0) << "no connection during maintenance";
    // The queue is not read again; Return closes the dialog and the lobby.
    visit->Tap(tmKey::kReturn);
    EXPECT_TRUE(visit->StepUntil([&] { return visit->LastResult() != 0; }, 50));
    EXPECT_EQ(visit->LastResult(), kSeqMainMenu);
}

TEST_F(LobbySession, AFailedConnectionShowsErrorTwo) {
    // A port nothing listens on and outside the ephemeral range, so that no other test's
    // connection can hold it and the client cannot be given it as its own.
    const uint16_t closed = 1;
    visit->BeginWithoutServer("LobbyHost=127.0.0.1\nLobbyPort=" + std::to_string(closed) +
                              "\nLobbyURL=\nBattlePort=" + std::to_string(lobbytest::FreeLoopbackPort()) + "\n");
    ASSERT_TRUE(visit->StepUntil([&] { return visit->Mode() == "ERROR"; }));
    EXPECT_EQ(Screen().GetErrorCode(), 2);
    g2lobby::WidgetDialog* dialog = ModeAs<g2lobby::LobbyError>()->GetDialog();
    EXPECT_EQ(dialog->GetRow(0)->GetText(), " サーバーへの接続に失敗しました。");
    EXPECT_EQ(dialog->GetRow(1)->GetText(), "(エラーコード:2)");
    // Escape closes it as well; while a text field had the keyboard it would not.
    visit->Tap(tmKey::kEscape);
    EXPECT_TRUE(visit->StepUntil([&] { return visit->LastResult() != 0; }, 50));
}

TEST_F(LobbySession, ChatLinesAreSentEchoedAndStampedAndHelpAddsItsRows) {
    visit->Begin(Crowd());
    ASSERT_TRUE(visit->Connect(3, 1));
    // Any text key opens the chat entry, and what it typed is the line's first character.
    g2ui::WidgetText* entry = Screen().GetChatPain()->GetEntry();
    visit->TypeKey(tmKey::kH, "h");
    ASSERT_TRUE(entry->IsEditing());
    visit->TypeAndCommit("ello lobby");
    lobbytest::ClientMsg said;
    ASSERT_TRUE(StepUntilSent("SAID", &said));
    const lobbytest::SaidOut out = lobbytest::DecodeSAID(said);
    EXPECT_EQ(out.text, "hello lobby");
    EXPECT_EQ(out.kind, 1u);
    EXPECT_EQ(out.target, 0xFFFFFFFFu);
    ASSERT_TRUE(visit->StepUntil([&] { return Screen().GetChatPain()->GetLines().size() >= 1; }));
    visit->Step();
    const auto& line = Screen().GetChatPain()->GetLines().back();
    EXPECT_EQ(line.text.substr(0, 11), "hello lobby");
    EXPECT_EQ(line.text.size(), 11u + 8u) << "stamped \" (HH:MM)\"";
    EXPECT_EQ(line.name, "Tester");
    EXPECT_FLOAT_EQ(line.colour[1], 1.0f);  // a player's line is cyan
    EXPECT_TRUE(Screen().GetChatPain()->GetEntry()->GetText().empty());
    // "/HELP" in any case puts the nine help rows into the own log only.
    visit->TypeKey(tmKey::kSlash, "/");
    visit->TypeAndCommit("hElP");
    visit->Step();
    const auto& lines = Screen().GetChatPain()->GetLines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[1].text.substr(0, 50), g2lobby::HelpRows()[0]);
    EXPECT_FLOAT_EQ(lines[1].colour[0], 1.0f) << "local lines are white";
    EXPECT_EQ(visit->server.CountOf("SAID"), 1);
    // Ctrl+H adds them again; "/HELPX" (typed so fast that its keys were up again by the next
    // update: the text alone opens the entry) and "/" add nothing.
    visit->Tap(tmKey::kH, true);
    visit->text.Type("/HELPX");
    visit->Step();
    ASSERT_TRUE(entry->IsEditing());
    visit->TypeAndCommit("");
    visit->TypeKey(tmKey::kSlash, "/");
    visit->TypeAndCommit("");
    visit->Step();
    EXPECT_EQ(Screen().GetChatPain()->GetLines().size(), 19u);
    EXPECT_EQ(visit->server.CountOf("SAID"), 1);
    // Return opens the entry too, and the Return that opened it does not commit it at once.
    visit->text.Press(platform::EditKey::Enter);
    visit->Tap(tmKey::kReturn);
    EXPECT_TRUE(entry->IsEditing());
    EXPECT_TRUE(Screen().GetLineEdit()->GetText().empty());
    // A fast typist's next line, typed after the Enter within the same update, opens the entry again.
    visit->text.Type("one");
    visit->text.Press(platform::EditKey::Enter);
    visit->text.Type("two");
    visit->Step();
    visit->Step();
    ASSERT_TRUE(entry->IsEditing());
    EXPECT_EQ(Screen().GetLineEdit()->GetText(), "two");
    lobbytest::ClientMsg one;
    ASSERT_TRUE(StepUntilSent("SAID", &one, 1));
    EXPECT_EQ(lobbytest::DecodeSAID(one).text, "one");
}

TEST_F(LobbySession, ARoomIsCreatedStartedAndHandedOverToTheWaitingRoomAtUpdate91) {
    visit->Begin(Crowd());
    ASSERT_TRUE(visit->Connect(3, 1));
    visit->Tap(tmKey::kR, true);
    ASSERT_EQ(visit->Mode(), "RMCRT");
    auto* create = ModeAs<g2lobby::LobbyRmCrt>()->GetDialog();
    create->GetCourseSelector()->SetValue(11, false);
    create->GetLapsSelector()->SetValue(4, false);
    visit->TypeAndCommit("MyRoom");
    lobbytest::ClientMsg rmct;
    ASSERT_TRUE(StepUntilSent("RMCT", &rmct));
    const lobbytest::RmctOut room = lobbytest::DecodeRMCT(rmct);
    EXPECT_EQ(room.name, "MyRoom");
    EXPECT_EQ(room.course, 13u);
    EXPECT_EQ(room.laps, 15u);
    ASSERT_TRUE(visit->StepUntil([&] { return Screen().GetRoomPain()->GetCount() == 2; }));
    visit->Step();
    EXPECT_EQ(visit->Mode(), "NOTACTIVE");
    const ggSeqLobby::OwnRoom own = Screen().FindOwnRoom();
    ASSERT_TRUE(own.found);
    EXPECT_TRUE(own.host);
    // The host sees the start button in the create button's place, usable once the own room is selected.
    g2lobby::WidgetBottomPain* bottom = Screen().GetBottomPain();
    EXPECT_EQ(bottom->GetCreateButton()->GetParent(), g2ui::WidgetRoot::GetParkingRoot());
    EXPECT_NE(bottom->GetStartButton()->GetParent(), g2ui::WidgetRoot::GetParkingRoot());
    EXPECT_TRUE(bottom->GetStartButton()->disabled);
    Screen().SelectRoom(own.room.id);
    visit->Step();
    EXPECT_FALSE(bottom->GetStartButton()->disabled);
    Screen().SelectRoom(300);
    visit->Step();
    EXPECT_TRUE(bottom->GetStartButton()->disabled) << "another room selected";
    // "/room" as the host starts the room at once (no reachability warning).
    visit->TypeKey(tmKey::kSlash, "/");
    visit->TypeAndCommit("room");
    ASSERT_TRUE(StepUntilSent("RMST"));
    ASSERT_TRUE(visit->StepUntil([&] { return visit->Mode() == "RMSTT"; }));
    // The step that entered the mode was update 0; the hand-over runs at update 91.
    for (int update = 1; update < ggSeqLobby::kHandOverUpdates; ++update) {
        visit->Step();
        ASSERT_EQ(Screen().GetPendingRaceKind(), -1) << "update " << update;
        EXPECT_TRUE(Screen().IsModal());
    }
    tmRaceState::Get().hostFlag = 0;
    visit->Step();
    EXPECT_EQ(Screen().GetPendingRaceKind(), 1);
    EXPECT_EQ(tmRaceState::Get().hostFlag, 1);
    EXPECT_EQ(tmRaceState::Get().setup.course, 13u);
    EXPECT_EQ(tmRaceState::Get().setup.laps, 15u);
    EXPECT_STREQ(tmNetwork::GetInstance()->GetAddresses().ownText, "127.0.0.1");
    EXPECT_TRUE(visit->StepUntil([&] { return visit->LastResult() != 0; }, 20));
    EXPECT_EQ(visit->LastResult(), kSeqJoinRace);
    // Leaving for the race keeps the client, and the probe is closed for the race transport.
    visit->screen->Term();
    EXPECT_NE(g2lobby::GetLobbyClient(), nullptr);
    EXPECT_EQ(Screen().GetProbe(), nullptr);

    // Back from the race: the next visit reports the finish and updates, never enters again.
    visit->screen = std::make_unique<ggSeqLobby>();
    visit->screen->Init();
    visit->Step();
    lobbytest::ClientMsg finish;
    ASSERT_TRUE(StepUntilSent("RMFN", &finish));
    EXPECT_EQ(finish.body.at(0), 3);
    ASSERT_TRUE(StepUntilSent("UPDT"));
    EXPECT_EQ(visit->server.CountOf("STUP"), 1);
    EXPECT_EQ(Screen().GetProbe(), nullptr) << "no probe sockets on the way back";
    EXPECT_TRUE(visit->StepUntil([&] { return visit->Mode() == "NOTACTIVE"; }, 50));
}

TEST_F(LobbySession, AGuestsHandOverSetsTheHostAddressAndItsOwnMemberAddress) {
    lobbytest::LobbyScript script = Crowd();
    script.rooms.push_back(MakeRoom(310, "Guests", 6, 3, {7, 100}));
    visit->Begin(script);
    ASSERT_TRUE(visit->Connect(3, 2));
    visit->server.Send(lobbytest::EncRMST(310, {127, 0, 0, 9}, 28464));
    ASSERT_TRUE(visit->StepUntil([&] { return visit->Mode() == "RMSTT"; }));
    for (int update = 1; update <= ggSeqLobby::kHandOverUpdates; ++update) visit->Step();
    EXPECT_EQ(Screen().GetPendingRaceKind(), 1);
    EXPECT_EQ(tmRaceState::Get().hostFlag, 0);
    EXPECT_STREQ(tmNetwork::GetInstance()->GetAddresses().hostText, "127.0.0.9");
    EXPECT_STREQ(tmNetwork::GetInstance()->GetAddresses().ownText, "127.0.0.101");
    EXPECT_EQ(tmRaceState::Get().setup.course, 6u);
}

TEST_F(LobbySession, AStartedRoomThatDoesNotListThePlayerIsLeftNotHandedOver) {
    visit->Begin(Crowd());
    ASSERT_TRUE(visit->Connect(3, 1));
    visit->server.Send(lobbytest::EncRMST(300, {127, 0, 0, 9}, 28464));
    ASSERT_TRUE(visit->StepUntil([&] { return visit->Mode() == "RMSTT"; }));
    for (int update = 1; update <= ggSeqLobby::kHandOverUpdates + 1; ++update) visit->Step();
    EXPECT_EQ(Screen().GetPendingRaceKind(), -1);
    EXPECT_EQ(visit->Mode(), "NOTACTIVE");
    EXPECT_FALSE(Screen().IsModal());
    ASSERT_TRUE(StepUntilSent("RMCN"));
    EXPECT_EQ(visit->LastResult(), 0);
}

TEST_F(LobbySession, StartingWithUnreachableMembersWarnsFirst) {
    lobbytest::LobbyScript script;
    script.others = {MakePlayer(7, "Able", 1, 1), MakePlayer(8, "Baker", 1, 2), MakePlayer(9, "Charlie", 1, 0),
                     MakePlayer(10, "Dog", 1, 2), MakePlayer(11, "Easy", 1, 0), MakePlayer(12, "Fox", 1, 2)};
    script.rooms = {MakeRoom(320, "Mine", 2, 3, {100, 7, 8, 9, 10, 11, 12})};
    visit->Begin(script);
    ASSERT_TRUE(visit->Connect(7, 1));
    // The start button of the bottom pane asks first: the own record's UDP word is still 0 too.
    Screen().SelectRoom(320);
    visit->Step();
    Screen().TryStartRoom();
    visit->Step();
    ASSERT_EQ(visit->Mode(), "RMSTW");
    const std::vector<std::string>& names = Screen().StartWarnings();
    EXPECT_EQ(names, (std::vector<std::string>{"Tester", "Baker", "Charlie", "Dog", "Easy", "Fox"}));
    g2lobby::WidgetDialog* dialog = ModeAs<g2lobby::LobbyRmStw>()->GetDialog();
    EXPECT_FLOAT_EQ(dialog->height, 25 * 7 + 155);
    EXPECT_EQ(dialog->GetRow(6)->GetText(), "他...");
    // Cancel sends nothing; confirming sends the start.
    visit->Tap(tmKey::kEscape);
    visit->Step();
    EXPECT_EQ(visit->Mode(), "NOTACTIVE");
    EXPECT_EQ(visit->server.CountOf("RMST"), 0);
    Screen().TryStartRoom();
    visit->Step();
    ASSERT_EQ(visit->Mode(), "RMSTW");
    visit->Tap(tmKey::kReturn);
    EXPECT_TRUE(StepUntilSent("RMST"));
}

TEST_F(LobbySession, CtrlCommandsDoNothingWhileADialogIsOpen) {
    visit->Begin(Crowd());
    ASSERT_TRUE(visit->Connect(3, 1));
    Screen().SelectRoom(300);
    visit->Tap(tmKey::kR, true);
    ASSERT_EQ(visit->Mode(), "RMCRT");
    visit->Tap(tmKey::kJ, true);
    visit->Tap(tmKey::kH, true);
    for (int i = 0; i < 20; ++i) visit->Step();
    EXPECT_EQ(visit->server.CountOf("RMET"), 0);
    EXPECT_EQ(Screen().GetLobby()->GetChat().count, 0);
    // The cancel button closes the dialog without a request.
    auto* create = ModeAs<g2lobby::LobbyRmCrt>()->GetDialog();
    const g2ui::Point no = create->GetNo()->LocalToGlobal({20, 15});
    visit->Click(no.x, no.y);
    visit->Step();
    EXPECT_EQ(visit->Mode(), "NOTACTIVE");
    EXPECT_EQ(visit->server.CountOf("RMCT"), 0);
}

TEST_F(LobbySession, AnEmptyRoomNameKeepsTheDialogUntilANameIsThere) {
    visit->Begin(Crowd());
    ASSERT_TRUE(visit->Connect(3, 1));
    visit->Tap(tmKey::kR, true);
    auto* create = ModeAs<g2lobby::LobbyRmCrt>()->GetDialog();
    create->GetNameEntry()->SetEditable(true, false);
    const g2ui::Point ok = create->GetYes()->LocalToGlobal({20, 15});
    visit->Click(ok.x, ok.y);
    for (int i = 0; i < 5; ++i) visit->Step();
    EXPECT_EQ(visit->Mode(), "RMCRT");
    EXPECT_EQ(create->GetResult(), 0);
    // Escape does not close it now; the request goes as soon as the field holds a name.
    visit->Tap(tmKey::kEscape);
    EXPECT_EQ(visit->Mode(), "RMCRT");
    create->GetNameEntry()->SetText("Late");
    visit->Step();
    EXPECT_TRUE(StepUntilSent("RMCT"));
}

TEST_F(LobbySession, LeavingWithoutARaceDeletesTheClientAndTheNextVisitEntersAnew) {
    visit->Begin(Crowd());
    ASSERT_TRUE(visit->Connect(3, 1));
    const std::string guid = tmConfig::GetInstance().GetGuid();
    EXPECT_EQ(ProbeOverTcp(guid), guid);
    g2ui::WidgetButton* exit = Screen().GetBottomPain()->GetExitButton();
    const g2ui::Point p = exit->LocalToGlobal({30, 15});
    visit->Click(p.x, p.y);
    EXPECT_TRUE(visit->StepUntil([&] { return visit->LastResult() != 0; }, 50));
    EXPECT_EQ(visit->LastResult(), kSeqMainMenu);
    visit->screen->Term();
    EXPECT_EQ(g2lobby::GetLobbyClient(), nullptr);

    // The next visit, within the minute the answered probe holds the port, opens the probe anew
    // (a new client) and the server still finds the player reachable over TCP.
    visit->screen = std::make_unique<ggSeqLobby>();
    visit->screen->Init();
    visit->Step();
    ASSERT_NE(Screen().GetProbe(), nullptr);
    EXPECT_TRUE(Screen().GetProbe()->IsListening());
    EXPECT_EQ(ProbeOverTcp(guid), guid);
}

TEST_F(LobbySession, TheProbeAnswersTheServersTcpAndUdpProbesWithTheGuid) {
    visit->Begin(Crowd());
    ASSERT_TRUE(visit->Connect(3, 1));
    const std::string guid = tmConfig::GetInstance().GetGuid();
    ASSERT_EQ(guid.size(), 38u);
    const uint32_t loopback = Loopback();
    auto udp = platform::UdpSocket::Create(platform::UdpSocket::Backend::Loopback);
    ASSERT_TRUE(udp->Open(loopback, lobbytest::FreeLoopbackPort()));
    ASSERT_TRUE(udp->SendTo(loopback, visit->battlePort, guid.data(), guid.size()));
    EXPECT_EQ(ProbeOverTcp(guid), guid);
    uint8_t dgram[128];
    int n = 0;
    ASSERT_TRUE(visit->StepUntil([&] { return (n = udp->Receive(dgram, sizeof dgram, 0)) > 0; }, 200));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(dgram), static_cast<size_t>(n)), guid);
}

TEST_F(LobbySession, AClosedConnectionShowsTheCommunicationError) {
    visit->Begin(Crowd());
    ASSERT_TRUE(visit->Connect(3, 1));
    visit->server.CloseClient();
    ASSERT_TRUE(visit->StepUntil([&] { return visit->Mode() == "ERROR"; }));
    const int code = Screen().GetErrorCode();
    EXPECT_TRUE(code == 4 || code == 5) << code;
    EXPECT_EQ(ModeAs<g2lobby::LobbyError>()->GetDialog()->GetRow(1)->GetText(), g2lobby::ErrorRows(code, "")[1]);
}

TEST(LobbyLayout, EveryOfferedWindowGetsAWholeLayoutOfItsShapeFittedIntoIt) {
    tmConfig& config = tmConfig::GetInstance();
    const int saved = config.GetVideoMode();
    for (int mode = 0; mode <= 16; ++mode) {
        config.SetVideoMode(mode);
        const int w = static_cast<int>(config.GetVideoParams().width);
        const int h = static_cast<int>(config.GetVideoParams().height);
        const ggSeqLobby::Layout l = ggSeqLobby::LayoutFor(w, h);
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        EXPECT_GE(l.width, ggSeqLobby::kLayoutMinWidth);
        EXPECT_GE(l.height, ggSeqLobby::kLayoutMinHeight);
        if (w >= ggSeqLobby::kLayoutMinWidth && h >= ggSeqLobby::kLayoutMinHeight) {
            // Large enough: the window's own pixels, as before.
            EXPECT_TRUE(l.width == w && l.height == h && l.view.scale == 1.0f && l.view.offsetX == 0.0f &&
                        l.view.offsetY == 0.0f);
            continue;
        }
        // Scaled down whole into the window, filling it but for a pixel.
        const g2ui::Point a = l.view.ToWindow({0.0f, 0.0f});
        const g2ui::Point b = l.view.ToWindow({static_cast<float>(l.width), static_cast<float>(l.height)});
        EXPECT_GE(a.x, 0.0f);
        EXPECT_GE(a.y, 0.0f);
        EXPECT_LE(b.x, w + 0.01f);
        EXPECT_LE(b.y, h + 0.01f);
        EXPECT_GT(b.x - a.x, w - 1.0f);
        EXPECT_GT(b.y - a.y, h - 1.0f);
    }
    config.SetVideoMode(saved);
}
