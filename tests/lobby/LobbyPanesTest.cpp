// LobbyPanesTest.cpp -- the player, room, chat, information and bottom panes of a lobby filled by the test server.
#include <gtest/gtest.h>

#include <ctime>
#include <fstream>

#include "app/tmConfig.h"
#include "lobby/LobbyModes.h"
#include "lobby/LobbySessionFixture.h"
#include "lobby/LobbyText.h"
#include "lobby/WidgetBottomPain.h"
#include "lobby/WidgetButton.h"
#include "lobby/WidgetChatPain.h"
#include "lobby/WidgetInfoPain.h"
#include "lobby/WidgetLobbyDialogs.h"
#include "lobby/WidgetRoomPain.h"
#include "lobby/WidgetRoot.h"
#include "lobby/WidgetScroll.h"
#include "lobby/WidgetSelector.h"
#include "lobby/WidgetText.h"
#include "lobby/WidgetUserPain.h"
#include "sys/input/tmInputActions.h"

using g2lobby::WidgetInfoPain;
using lobbytest::MakePlayer;
using lobbytest::MakeRoom;

namespace {

class LobbyPanes : public lobbytest::LobbySessionBase {
protected:
    // Players of several levels and four rooms: open, started, full, and one whose members are all unknown.
    static lobbytest::LobbyScript Busy() {
        lobbytest::LobbyScript s;
        s.others = {MakePlayer(7, "Kaede", 12), MakePlayer(9, "Bruno", 3), MakePlayer(11, "Yoshi", 60),
                    MakePlayer(12, "Mika", 5)};
        std::vector<uint32_t> sixteen;
        for (uint32_t i = 0; i < 16; ++i) sixteen.push_back(900 + i);
        s.rooms = {MakeRoom(300, "Open", 0, 3, {7}), MakeRoom(301, "Started", 14, 5, {9}, 1),
                   MakeRoom(302, "Full", 5, 7, sixteen), MakeRoom(303, "Ghosts", 4, 3, {800, 801})};
        return s;
    }
    void Enter(const lobbytest::LobbyScript& s = Busy()) {
        visit->Begin(s);
        ASSERT_TRUE(visit->Connect(static_cast<int>(s.others.size()) + 1, static_cast<int>(s.rooms.size())));
        visit->Step();
    }
    // A click in the player pane at pane position (px, py).
    void ClickUsers(float px, float py) { visit->Click(12 + px, 12 + py); }
    void ClickRooms(float px, float py) { visit->Click(12 + px, 768 - 423 + py); }
    g2lobby::WidgetUserPain& Users() { return *Screen().GetUserPain(); }
    g2lobby::WidgetRoomPain& Rooms() { return *Screen().GetRoomPain(); }
    WidgetInfoPain& Info() { return *Screen().GetInfoPain(); }
    std::string InfoText(WidgetInfoPain::Text t) { return Info().GetText(t)->GetText(); }
};

}  // namespace

TEST_F(LobbyPanes, PlayersAreListedByLevelAndClicksFollowTheRowRules) {
    Enter();
    ASSERT_EQ(Users().GetCount(), 5);
    EXPECT_STREQ(Users().GetPlayer(0)->name, "Yoshi");
    EXPECT_STREQ(Users().GetPlayer(1)->name, "Kaede");
    const int own = Users().FindIndex(100);
    ClickUsers(40, 36 + 20 * 1 + 5);
    EXPECT_EQ(Users().GetSelectedId(), 7);
    EXPECT_EQ(Screen().GetSelectedPlayer()->id, 7);
    // Over the scroll bar or left of the rows: nothing.
    ClickUsers(280, 36 + 5);
    ClickUsers(20, 36 + 5);
    EXPECT_EQ(Users().GetSelectedId(), 7);
    // The own row leaves the selection as it is.
    ClickUsers(40, 36 + 20 * own + 5);
    EXPECT_EQ(Users().GetSelectedId(), 7);
    // Above the first row (truncation toward zero) selects the first visible row.
    ClickUsers(40, 20);
    EXPECT_EQ(Users().GetSelectedId(), 11);
    // Below the last row clears it.
    ClickUsers(40, 36 + 20 * 8);
    EXPECT_EQ(Users().GetSelectedId(), -1);
    EXPECT_EQ(Screen().GetSelectedPlayer(), nullptr);
}

TEST_F(LobbyPanes, ASelectedPlayerWhoLeavesTakesTheSelectionAlong) {
    Enter();
    Screen().SelectPlayer(12);  // Mika, row 3
    visit->Step();
    ASSERT_EQ(Screen().GetSelectedPlayer()->id, 12);
    visit->server.Send(lobbytest::EncFNSH(12));
    ASSERT_TRUE(visit->StepUntil([&] { return Users().GetCount() == 4; }));
    visit->Step();
    EXPECT_EQ(Screen().GetSelectedPlayer(), nullptr) << "no other player stands in for the one who left";
    EXPECT_EQ(Users().GetSelectedIndex(), -1);
    // A tell typed now goes to nobody.
    Screen().ExecuteCommand("/TELL　are you there");
    for (int i = 0; i < 10; ++i) visit->Step();
    EXPECT_EQ(visit->server.CountOf("SAID"), 0);
}

TEST_F(LobbyPanes, ASelectionOnTheFirstRowFollowsItsPlayerWhenTheListReSorts) {
    Enter();
    Screen().SelectPlayer(11);
    visit->Step();
    ASSERT_EQ(Users().GetSelectedIndex(), 0);
    lobbytest::PlayerInfo yoshi = MakePlayer(11, "Yoshi", 1);
    visit->server.Send(lobbytest::EncUPDT(yoshi));
    ASSERT_TRUE(visit->StepUntil([&] { return Users().GetPlayer(0)->id != 11; }));
    visit->Step();
    EXPECT_EQ(Screen().GetSelectedPlayer()->id, 11);
    EXPECT_GT(Users().GetSelectedIndex(), 0);
}

TEST_F(LobbyPanes, TellsGoToTheSelectedPlayerAndToTheOwnLogButNeverToOneself) {
    Enter();
    Screen().SendTell(100, "to myself");
    Screen().SendTell(4242, "to nobody");
    Screen().SendTell(-1, "to nobody");
    visit->Step();
    EXPECT_EQ(visit->server.CountOf("SAID"), 0);
    Screen().SelectPlayer(9);
    visit->Step();
    Screen().ExecuteCommand("/tell　psst");
    lobbytest::ClientMsg first, second;
    ASSERT_TRUE(StepUntilSent("SAID", &second, 1));
    ASSERT_TRUE(visit->server.WaitFor("SAID", &first));
    EXPECT_EQ(lobbytest::DecodeSAID(first).target, 9u);
    EXPECT_EQ(lobbytest::DecodeSAID(first).text, "psst");
    EXPECT_EQ(lobbytest::DecodeSAID(second).target, 100u);
    // The line to the selected player is highlighted in the chat.
    ASSERT_TRUE(visit->StepUntil([&] { return Screen().GetChatPain()->GetLines().size() == 2; }));
    visit->Step();
    int highlighted = 0;
    for (const auto& line : Screen().GetChatPain()->GetLines()) highlighted += line.highlight;
    EXPECT_EQ(highlighted, 1);
}

TEST_F(LobbyPanes, RoomDetailsShowTheNameOwnerCourseLapsAndMembers) {
    Enter();
    Screen().SelectRoom(300);
    visit->Step();
    using R = g2lobby::WidgetRoomPain;
    EXPECT_EQ(Rooms().GetDetail(R::kName)->GetText(), "Open");
    EXPECT_EQ(Rooms().GetDetail(R::kOwner)->GetText(), "Kaede");
    EXPECT_EQ(Rooms().GetDetail(R::kCourse)->GetText(), "BARCELONA CIRCUIT") << "course 0 shows course 2's name";
    EXPECT_EQ(Rooms().GetDetail(R::kRound)->GetText(), "3周");
    EXPECT_EQ(Rooms().GetDetail(R::kNumber)->GetText(), "1人");
    // Right-aligned at 279: the owner's five bytes are 35 pixels wide.
    EXPECT_FLOAT_EQ(Rooms().GetDetail(R::kOwner)->x, 279 - 35);
    Screen().SelectRoom(301);
    visit->Step();
    EXPECT_EQ(Rooms().GetDetail(R::kCourse)->GetText(), "CANADA CIRCUIT(Rev)") << "course 14 shows course 13's";
    Screen().SelectRoom(303);
    visit->Step();
    EXPECT_EQ(Rooms().GetDetail(R::kOwner)->GetText(), "") << "no member is in the player list";
    EXPECT_EQ(Rooms().GetDetail(R::kNumber)->GetText(), "2人");
}

TEST_F(LobbyPanes, FullOrStartedRoomsCanBeSelectedButNotEntered) {
    Enter();
    g2ui::WidgetButton* enter = Rooms().GetEnterButton();
    Screen().SelectRoom(300);
    visit->Step();
    EXPECT_FALSE(enter->disabled);
    EXPECT_TRUE(Rooms().GetEscapeButton()->disabled);
    for (int id : {301, 302}) {
        EXPECT_TRUE(Screen().SelectRoom(id));
        visit->Step();
        EXPECT_TRUE(enter->disabled) << id;
    }
    // A selected player blocks entering; clicking an empty room row clears that selection again.
    Screen().SelectRoom(300);
    Screen().SelectPlayer(9);
    visit->Step();
    EXPECT_TRUE(enter->disabled);
    Screen().JoinSelectedRoom();
    ClickRooms(40, 36 + 20 * 3 + 5 + 20);  // below the four rooms? only four rows show: this is past them
    visit->Step();
    EXPECT_EQ(Screen().GetSelectedPlayer(), nullptr);
    EXPECT_FALSE(enter->disabled);
    // The enter button joins the selected room.
    const g2ui::Point p = enter->LocalToGlobal({30, 15});
    visit->Click(p.x, p.y);
    lobbytest::ClientMsg rmet;
    ASSERT_TRUE(StepUntilSent("RMET", &rmet));
    EXPECT_EQ(rmet.body.at(0), 44);  // room 300 = 0x12C
    EXPECT_EQ(visit->server.CountOf("RMET"), 1) << "the earlier join with a player selected sent nothing";
}

TEST_F(LobbyPanes, AGuestCannotCreateARoomUntilItLeavesIt) {
    Enter();
    Screen().SelectRoom(300);
    Screen().JoinSelectedRoom();
    ASSERT_TRUE(visit->StepUntil([&] { return Screen().FindOwnRoom().found; }));
    visit->Step();
    g2lobby::WidgetBottomPain* bottom = Screen().GetBottomPain();
    EXPECT_NE(bottom->GetCreateButton()->GetParent(), g2ui::WidgetRoot::GetParkingRoot());
    EXPECT_TRUE(bottom->GetCreateButton()->disabled);
    EXPECT_FALSE(Screen().FindOwnRoom().host);
    EXPECT_FALSE(Screen().CreateRoom()) << "already in a room";
    // As a guest, "/ROOM" neither creates nor starts; leaving enables create on the next update.
    Screen().ExecuteCommand("/ROOM");
    visit->Step();
    EXPECT_EQ(visit->Mode(), "NOTACTIVE");
    EXPECT_EQ(visit->server.CountOf("RMST"), 0);
    EXPECT_FALSE(Rooms().GetEscapeButton()->disabled);
    visit->Tap(tmKey::kL, true);
    ASSERT_TRUE(visit->StepUntil([&] { return !Screen().FindOwnRoom().found; }));
    visit->Step();
    EXPECT_FALSE(bottom->GetCreateButton()->disabled);
}

TEST_F(LobbyPanes, ASelectedRoomThatClosesIsNeverReplacedByTheNext) {
    Enter();
    Screen().SelectRoom(303);  // the last row
    visit->Step();
    visit->server.Send(lobbytest::EncRMTD(303));
    ASSERT_TRUE(visit->StepUntil([&] { return Rooms().GetCount() == 3; }));
    visit->Step();
    EXPECT_EQ(Screen().GetSelectedRoom(), nullptr);
    Screen().SelectPlayer(-1);
    visit->Tap(tmKey::kJ, true);
    for (int i = 0; i < 10; ++i) visit->Step();
    EXPECT_EQ(visit->server.CountOf("RMET"), 0) << "Ctrl+J joins nothing";
    EXPECT_EQ(Rooms().GetDetail(g2lobby::WidgetRoomPain::kName)->GetText(), "");
}

TEST_F(LobbyPanes, StartedRoomsAreGreyWithAnOrangeRule) {
    Enter();
    visit->Step();
    const auto* started = visit->FindDrawn("RoomPainRoom301");
    const auto* open = visit->FindDrawn("RoomPainRoom300");
    ASSERT_NE(started, nullptr);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(started->colour, 0xFF808080u);
    EXPECT_EQ(open->colour, 0xFF000000u);
    EXPECT_EQ(visit->CountDrawn("RoomPainSEB"), 1);
    EXPECT_EQ(visit->CountDrawn("RoomPainSEP"), 3);
}

TEST_F(LobbyPanes, TheInfoPaneShowsLevelsMarksAndTheOtherTab) {
    Enter();
    Screen().SelectPlayer(11);
    visit->Step();
    // The strip of the other tab switches; clicks outside the strip do nothing.
    const float infoX = 334, infoY = 13;
    visit->Click(infoX + 400, infoY + 45);
    EXPECT_TRUE(Info().IsOwnTabShown());
    visit->Click(infoX + 400, infoY + 20);
    ASSERT_FALSE(Info().IsOwnTabShown());
    EXPECT_EQ(InfoText(WidgetInfoPain::kName), "Yoshi");
    EXPECT_EQ(InfoText(WidgetInfoPain::kLevel), "50") << "level 60 shows 50";
    EXPECT_EQ(InfoText(WidgetInfoPain::kRank), "-位");
    EXPECT_EQ(InfoText(WidgetInfoPain::kTcp), "TCP/○");
    EXPECT_EQ(InfoText(WidgetInfoPain::kUdp), "UDP/○");
    EXPECT_EQ(InfoText(WidgetInfoPain::kComment), "comment of Yoshi");
    EXPECT_FALSE(Info().GetText(WidgetInfoPain::kName)->IsEditable());
    // Nobody selected: every text empty and the default picture.
    Screen().SelectPlayer(-1);
    visit->Step();
    EXPECT_EQ(InfoText(WidgetInfoPain::kName), "");
    EXPECT_EQ(InfoText(WidgetInfoPain::kLevel), "");
    EXPECT_EQ(Info().GetDrawnPicture(), "InfoPainPhoto");
    // The own tab again, by a click quicker than a step: the own record with its reachability still untested.
    visit->QuickClick(infoX + 100, infoY + 20);
    ASSERT_TRUE(Info().IsOwnTabShown());
    EXPECT_EQ(InfoText(WidgetInfoPain::kName), "Tester");
    EXPECT_EQ(InfoText(WidgetInfoPain::kUdp), "UDP/…");
    EXPECT_TRUE(Info().GetText(WidgetInfoPain::kName)->IsEditable());
    // A quick click on the comment starts its edit.
    g2ui::WidgetText* comment = Info().GetText(WidgetInfoPain::kComment);
    const g2ui::Point p = comment->LocalToGlobal({4, 8});
    visit->QuickClick(p.x, p.y);
    EXPECT_TRUE(comment->IsEditing());
}

TEST_F(LobbyPanes, APictureThatCannotBeDecodedShowsTheDefaultAndOneBeingFetchedShowsNothing) {
    Enter();
    Screen().SelectPlayer(7);
    visit->Step();
    Info().Fill(false, false);
    // The first look at a picture asks the server for it: nothing is drawn while it is fetched.
    visit->Step();
    EXPECT_EQ(Info().GetDrawnPicture(), "");
    // The test server answers picture requests with five bytes that are no JPEG.
    ASSERT_TRUE(
        visit->StepUntil([&] { return Screen().GetLobby()->GetPlayerPict(7).state == lobby::CPlayerPict::kPresent; }));
    visit->Step();
    EXPECT_EQ(Info().GetDrawnPicture(), "InfoPainPhoto");
    EXPECT_EQ(Info().GetShownPictureId(), 7);
}

TEST_F(LobbyPanes, TheOwnPictureFileIsShownOnTheOwnTab) {
    ASSERT_TRUE(lobbytest::WritePortraitJpeg("MyImage.jpg", 122));
    Enter();
    ASSERT_TRUE(visit->StepUntil([&] { return Info().GetDrawnPicture() == "InfoPainPhotoUsr"; }, 200));
    EXPECT_EQ(Info().GetShownPictureId(), 100);
}

TEST_F(LobbyPanes, NameTeamAndCommentEditsAreSentAndSaved) {
    Enter();
    g2ui::WidgetText* name = Info().GetText(WidgetInfoPain::kName);
    const g2ui::Point p = name->LocalToGlobal({4, 8});
    visit->Click(p.x, p.y);
    ASSERT_TRUE(name->IsEditing());
    visit->text.Press(platform::EditKey::A, false, true);
    visit->text.Press(platform::EditKey::Backspace);
    visit->text.Type("Ren");
    visit->Step();
    // A player joining refreshes the pane; the field being typed in keeps its edit and its text.
    visit->server.Send(lobbytest::EncSTUP(MakePlayer(13, "Latecomer", 2), 0));
    ASSERT_TRUE(visit->StepUntil([&] { return Users().GetCount() == 6; }));
    visit->Step();
    ASSERT_TRUE(name->IsEditing());
    // A key typed after the Enter in the same update was meant for the field: it never opens the chat.
    visit->text.Type("amed");
    visit->text.Press(platform::EditKey::Enter);
    visit->text.Type("x");
    visit->SetKey(tmKey::kReturn, true);
    visit->SetKey(tmKey::kX, true);
    visit->Step();
    visit->SetKey(tmKey::kReturn, false);
    visit->SetKey(tmKey::kX, false);
    visit->Step();
    visit->Step();
    EXPECT_FALSE(Screen().GetChatPain()->GetEntry()->IsEditing());
    lobbytest::ClientMsg updt;
    ASSERT_TRUE(StepUntilSent("UPDT", &updt));
    lobbytest::WireReader r(updt.body);
    EXPECT_EQ(lobbytest::DecodePlayerOut(r).name, "Renamed");
    EXPECT_STREQ(tmConfig::GetInstance().GetPlayerName(), "Renamed");
    std::ifstream saved("quvase.sav");
    EXPECT_TRUE(saved.good()) << "the configuration is saved at once";
    // "/COMMENT" fills the comment entry as if typed, and it goes out too.
    Screen().ExecuteCommand("/COMMENT see you on the grid");
    ASSERT_TRUE(StepUntilSent("UPDT", &updt, 1));
    lobbytest::WireReader r2(updt.body);
    EXPECT_EQ(lobbytest::DecodePlayerOut(r2).comment, "see you on the grid");
    EXPECT_STREQ(tmConfig::GetInstance().GetComment(), "see you on the grid");
    EXPECT_EQ(visit->server.CountOf("SAID"), 0);
}

TEST_F(LobbyPanes, TheOtherTabsStripCommitsAnEditInProgress) {
    Enter();
    g2ui::WidgetText* team = Info().GetText(WidgetInfoPain::kTeam);
    const g2ui::Point p = team->LocalToGlobal({4, 8});
    visit->Click(p.x, p.y);
    ASSERT_TRUE(team->IsEditing());
    visit->text.Press(platform::EditKey::A, false, true);
    visit->text.Type("Crew");
    visit->Step();
    visit->Click(334 + 400, 13 + 20);
    EXPECT_FALSE(Info().IsOwnTabShown());
    lobbytest::ClientMsg updt;
    ASSERT_TRUE(StepUntilSent("UPDT", &updt));
    lobbytest::WireReader r(updt.body);
    EXPECT_EQ(lobbytest::DecodePlayerOut(r).team, "Crew");
}

TEST_F(LobbyPanes, CtrlUpAndDownStepThePlayerSelectionAndPageKeysScrollTheChat) {
    Enter();
    const int own = Users().FindIndex(100);
    ASSERT_EQ(own, Users().GetCount() - 1) << "level 0: the own row is the last";
    // Nothing selected: either key starts at the top, and the top holds.
    visit->Tap(tmKey::kUp, true);
    EXPECT_EQ(Users().GetSelectedIndex(), 0);
    visit->Tap(tmKey::kUp, true);
    EXPECT_EQ(Users().GetSelectedIndex(), 0);
    visit->Tap(tmKey::kDown, true);
    EXPECT_EQ(Screen().GetSelectedPlayer()->id, 7);
    // Down to the end: the own row is never selected, the last other player holds.
    for (int i = 0; i < 4; ++i) visit->Tap(tmKey::kDown, true);
    EXPECT_EQ(Users().GetSelectedIndex(), own - 1);
    EXPECT_EQ(Screen().GetSelectedPlayer()->id, 9);
    visit->Tap(tmKey::kUp, true);
    EXPECT_EQ(Screen().GetSelectedPlayer()->id, 12);
    // Without Ctrl the arrows select nothing.
    visit->Tap(tmKey::kDown);
    EXPECT_EQ(Screen().GetSelectedPlayer()->id, 12);

    // Page Up and Page Down move the chat by the lines in view, within the log.
    g2lobby::WidgetScroll* scroll = Screen().GetChatPain()->GetScroll();
    for (int i = 0; i < 5; ++i) Screen().ShowHelp();
    visit->Step();
    const int visible = scroll->GetVisible(), end = scroll->GetTotal() - visible;
    ASSERT_GT(end, visible);
    ASSERT_EQ(scroll->GetPosition(), end);
    visit->Tap(tmKey::kPageUp);
    EXPECT_EQ(scroll->GetPosition(), end - visible);
    visit->Tap(tmKey::kPageUp);
    EXPECT_EQ(scroll->GetPosition(), 0);
    visit->Tap(tmKey::kPageDown);
    EXPECT_EQ(scroll->GetPosition(), visible);
    visit->Tap(tmKey::kPageDown);
    EXPECT_EQ(scroll->GetPosition(), end);
}

TEST_F(LobbyPanes, RenamingWhileNotConnectedStillSavesTheName) {
    lobbytest::LobbyScript silent = Busy();
    silent.neverAnswer = true;
    visit->Begin(silent);
    visit->Step();
    Screen().SetNameAndTeam("Offline", "Solo");
    EXPECT_STREQ(tmConfig::GetInstance().GetPlayerName(), "Offline");
    EXPECT_STREQ(tmConfig::GetInstance().GetTeamName(), "Solo");
    EXPECT_EQ(visit->server.CountOf("UPDT"), 0);
}

TEST_F(LobbyPanes, ChatGeometryAndTheTargetSwitches) {
    Enter();
    g2lobby::WidgetChatPain& chat = *Screen().GetChatPain();
    EXPECT_EQ(chat.GetTextWidth(), 1024);
    EXPECT_EQ(chat.GetLineLength(), 123);
    EXPECT_EQ(chat.GetEntryLength(), 88);
    // "To one" with nobody selected: the entry cannot be started, by key or click.
    chat.GetSwitches()->Select(1);
    visit->Step();
    visit->Tap(tmKey::kA);
    EXPECT_FALSE(chat.GetEntry()->IsEditing());
    EXPECT_FALSE(chat.GetEntry()->IsEditable());
    Screen().SelectPlayer(7);
    visit->Step();
    visit->Tap(tmKey::kA);
    ASSERT_TRUE(chat.GetEntry()->IsEditing());
    visit->TypeAndCommit("only for you");
    lobbytest::ClientMsg said;
    ASSERT_TRUE(StepUntilSent("SAID", &said));
    EXPECT_EQ(lobbytest::DecodeSAID(said).target, 7u);
}

TEST_F(LobbyPanes, OldLinesShowTheDateAndAScrolledViewStaysPut) {
    Enter();
    const uint32_t now = static_cast<uint32_t>(std::time(nullptr));
    lobbytest::ChatLine old;
    old.id1 = 9;
    old.id2 = 0xFFFFFFFFu;
    old.kind = 1;
    old.time = now - 2 * 86400;
    old.name = "Bruno";
    old.text = "Bruno";  // a text equal to a name: the two textures are kept apart
    visit->server.Send(lobbytest::EncSAID({old}));
    ASSERT_TRUE(visit->StepUntil([&] { return Screen().GetChatPain()->GetLines().size() == 1; }));
    visit->Step();
    const std::string text = Screen().GetChatPain()->GetLines()[0].text;
    EXPECT_EQ(text.substr(0, 7), "Bruno (");
    EXPECT_EQ(text[9], '/') << text;
    const auto* nameSprite = [&]() -> const g2lobby::ggSpriteManager::DrawRecord* {
        for (const auto& d : visit->Drawn())
            if (d.name.rfind("ChatPainName", 0) == 0) return &d;
        return nullptr;
    }();
    ASSERT_NE(nameSprite, nullptr);
    EXPECT_FLOAT_EQ(Screen().GetSprites()->GetWidth(nameSprite->name), 128.0f);

    // Fill past the view; it follows the newest line while at the end.
    g2lobby::WidgetScroll* scroll = Screen().GetChatPain()->GetScroll();
    for (int i = 0; i < 4; ++i) Screen().ShowHelp();
    visit->Step();
    const int visible = scroll->GetVisible();
    ASSERT_GT(scroll->GetTotal(), visible);
    EXPECT_EQ(scroll->GetPosition(), scroll->GetTotal() - visible);
    // Scrolled away, new lines do not move it.
    scroll->SetPosition(2);
    Screen().ShowHelp();
    visit->Step();
    EXPECT_EQ(scroll->GetPosition(), 2);
}

TEST_F(LobbyPanes, TheNameEntryAndRoomDialogsKeepTheirLimits) {
    Enter();
    visit->Tap(tmKey::kR, true);
    auto* create = ModeAs<g2lobby::LobbyRmCrt>()->GetDialog();
    ASSERT_NE(create, nullptr);
    visit->text.Type("abcdefghijklmnopqrstuvwxyz");
    visit->text.Press(platform::EditKey::Enter);
    visit->Step();
    EXPECT_EQ(create->GetName(), "abcdefghijklmnopqrst") << "20 bytes, as the room record holds";
    // The arrows step round: left from the first course is the last, right from the last laps is the first.
    const g2ui::Point left = create->GetCourseSelector()->GetChildren()[0]->LocalToGlobal({10, 10});
    visit->Click(left.x, left.y);
    EXPECT_EQ(create->GetCourseSelector()->GetValue(), 11);
    EXPECT_EQ(create->GetCourse(), 13);
    create->GetLapsSelector()->SetValue(4, false);
    EXPECT_EQ(create->GetLaps(), 15);
    const g2ui::Point right = create->GetLapsSelector()->GetChildren()[1]->LocalToGlobal({10, 10});
    visit->Click(right.x, right.y);
    EXPECT_EQ(create->GetLaps(), 3);
}

namespace {
std::time_t g_fakeNow = 0;
std::time_t FakeClock() { return g_fakeNow; }
}  // namespace

TEST_F(LobbyPanes, StampsAreMeasuredAgainstTheClockOfEachRebuild) {
    Enter();
    g2lobby::WidgetChatPain& chat = *Screen().GetChatPain();
    chat.SetClock(FakeClock);
    lobbytest::ChatLine line;
    line.id1 = 9;
    line.id2 = 0xFFFFFFFFu;
    line.kind = 1;
    line.time = 1700000000;
    line.name = "Bruno";
    line.text = "hi";
    visit->server.Send(lobbytest::EncSAID({line}));
    g_fakeNow = 1700000000 + 60;
    ASSERT_TRUE(visit->StepUntil([&] { return chat.GetLines().size() == 1; }));
    EXPECT_EQ(chat.GetLines()[0].text, "hi" + g2lobby::ChatStamp(line.time, g_fakeNow));
    EXPECT_EQ(chat.GetLines()[0].text[6], ':');
    // Two days later the same line shows its date: the clock is read again at every rebuild.
    g_fakeNow = 1700000000 + 2 * 86400;
    visit->Step();
    EXPECT_EQ(chat.GetLines()[0].text, "hi" + g2lobby::ChatStamp(line.time, g_fakeNow));
    EXPECT_EQ(chat.GetLines()[0].text[6], '/');
}
