// Lobby state: what each received message does to the lists and the queue.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "lobbyclient/ByteBuffer.h"
#include "lobbyclient/LobbyState.h"
#include "lobbyclient/LobbyWire.h"

namespace {

using namespace lobbytest;

class State : public ::testing::Test {
protected:
    void Apply(const Bytes& plain) {
        lobby::ByteBuffer b(20480);
        b.put(plain.data(), static_cast<uint32_t>(plain.size()));
        b.flip();
        uint8_t code[4];
        b.get(code, 4);
        auto r = lobby::CreateReceivable(code, b);
        ASSERT_TRUE(r);
        ASSERT_TRUE(state.Dispatch(*r));
    }

    // Drains the queue, keeping the types; the records are freed.
    std::vector<int> Drain() {
        std::vector<int> types;
        for (lobby::CLobbyMsg m = state.PopMessage(); m.type != lobby::LOBBY_MSG_NONE; m = state.PopMessage()) {
            types.push_back(m.type);
            delete m.data;
        }
        return types;
    }

    lobby::CLobbyMsg PopKept() { return state.PopMessage(); }

    void Login(uint32_t own = 10, std::vector<uint32_t> others = {}) {
        Apply(EncSTUR(own, 0, 0));
        for (uint32_t id : others) Apply(EncSTUP(Player(id), 0));
        Apply(EncSTUP(Player(own), 0));
        Drain();
    }

    static PlayerInfo Player(uint32_t id) {
        PlayerInfo p;
        p.id = id;
        p.name = "p" + std::to_string(id);
        return p;
    }

    lobby::CLobbyState state{nullptr};
    lobby::CPlayerList players;
    lobby::CRoomList rooms;
    lobby::CChat chat;
};

using T = std::vector<int>;

TEST_F(State, LoginAndTheInitialPlayerList) {
    state.SetInfoText("Welcome");
    Apply(EncSTUR(10, 0, 0));
    EXPECT_EQ(state.GetOwnId(), 10);
    Apply(EncSTUP(Player(3), 1));
    Apply(EncSTUP(Player(10), 0));  // the own entry ends the initial list
    Apply(EncSTUP(Player(4), 0));
    EXPECT_EQ(Drain(), (T{1, 4, 3, 3, 5, 3}));
    state.CopyChat(chat);
    ASSERT_EQ(chat.count, 1);
    EXPECT_STREQ(chat.lines[0].text, "Welcome");
    state.CopyPlayers(players);
    ASSERT_EQ(players.count, 3);
    EXPECT_EQ(players.players[0].busy, 1);
    EXPECT_EQ(players.players[2].id, 4);

    // A repeated announcement replaces the entry instead of adding a stale twin.
    PlayerInfo again = Player(4);
    again.name = "renamed";
    Apply(EncSTUP(again, 0));
    EXPECT_EQ(Drain(), (T{3}));
    state.CopyPlayers(players);
    ASSERT_EQ(players.count, 3);
    EXPECT_STREQ(players.players[2].name, "renamed");
}

TEST_F(State, RefusedLoginQueuesTheMappedErrorAndKeepsNoId) {
    const int expected[][2] = {{1, 8}, {2, 7}, {3, 10}, {0, 11}, {9, 11}};
    for (const auto& e : expected) {
        Apply(EncSTUR(0, static_cast<uint32_t>(e[0]), 0));
        lobby::CLobbyMsg m = PopKept();
        ASSERT_EQ(m.type, lobby::LOBBY_MSG_ERROR);
        EXPECT_EQ(static_cast<lobby::CLobbyError*>(m.data)->code, e[1]) << e[0];
        delete m.data;
        EXPECT_EQ(PopKept().type, lobby::LOBBY_MSG_NONE);
    }
    EXPECT_EQ(state.GetOwnId(), -1);
}

TEST_F(State, UnknownPlayersAreAddedByUpdatesAndIgnoredOnLeave) {
    Login(10, {3});
    Apply(EncFNSH(77));
    EXPECT_EQ(Drain(), T{});
    PlayerInfo ghost = Player(77);
    Apply(EncUPDT(ghost));
    EXPECT_EQ(Drain(), (T{3}));

    Apply(EncBTTL(3, 1, false, 0, "", ""));  // busy
    PlayerInfo updated = Player(3);
    updated.comment = "new comment";
    Apply(EncUPDT(updated));  // keeps id and busy
    state.CopyPlayers(players);
    EXPECT_STREQ(players.players[0].comment, "new comment");
    EXPECT_EQ(players.players[0].busy, 1);

    Drain();
    Apply(EncFNSH(3));
    lobby::CLobbyMsg left = PopKept();
    ASSERT_EQ(left.type, lobby::LOBBY_MSG_PLAYER_LEFT);
    EXPECT_EQ(static_cast<lobby::CPlayer*>(left.data)->id, 3);
    delete left.data;
    EXPECT_EQ(Drain(), (T{3}));
    state.CopyPlayers(players);
    EXPECT_EQ(players.count, 1);
}

TEST_F(State, ChatKeepsMessageOrderAndTheNewest1024Lines) {
    std::vector<ChatLine> batch(3);
    for (int i = 0; i < 3; ++i) batch[size_t(i)].text = "L" + std::to_string(i + 1);
    Apply(EncSAID({ChatLine{0, 0, 0, 0, "", "old"}}));
    Apply(EncSAID(batch));
    state.CopyChat(chat);
    ASSERT_EQ(chat.count, 4);
    EXPECT_STREQ(chat.lines[0].text, "L1");
    EXPECT_STREQ(chat.lines[2].text, "L3");
    EXPECT_STREQ(chat.lines[3].text, "old");

    for (int sent = 0; sent < 1030;) {
        std::vector<ChatLine> lines;
        for (int i = 0; i < 200 && sent < 1030; ++i, ++sent) lines.push_back({uint32_t(sent), 0, 0, 0, "n", "x"});
        Apply(EncSAID(lines));
    }
    state.CopyChat(chat);
    EXPECT_EQ(chat.count, 1024);
    EXPECT_EQ(chat.lines[0].id1, 1000);  // the first line of the newest batch
    // Within a batch the first line is the newest: of the oldest batch (0..199)
    // lines 194..199 fell off, after the four earlier lines.
    EXPECT_EQ(chat.lines[1023].id1, 193);

    // A local line never ends in half a double-byte character.
    std::string text(95, 'a');
    text += "\x82\xA0";
    state.AddLocalLine(text.c_str());
    state.CopyChat(chat);
    EXPECT_EQ(std::strlen(chat.lines[0].text), 95u);
    EXPECT_EQ(chat.lines[0].id1, 0);
    EXPECT_GT(chat.lines[0].time, 0);
}

TEST_F(State, BattleResultsBecomeChatLinesAndRequestsKeepUnknownIds) {
    Login(10, {3});
    Apply(EncBTTL(3, 0, true, 2, "Alice", "Bob"));
    std::vector<lobby::CLobbyMsg> got;
    for (lobby::CLobbyMsg m = PopKept(); m.type; m = PopKept()) got.push_back(m);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].type, lobby::LOBBY_MSG_PLAYER_LIST);
    EXPECT_EQ(got[1].type, lobby::LOBBY_MSG_BATTLE_RESULT);
    EXPECT_EQ(got[2].type, lobby::LOBBY_MSG_CHAT);
    EXPECT_STREQ(static_cast<lobby::CBattleResult*>(got[1].data)->name2, "Bob");
    delete got[1].data;
    state.CopyChat(chat);
    EXPECT_STREQ(chat.lines[0].text, "[Alice] と [Bob] の対戦の結果、引分に終わりました");
    Apply(EncBTTL(3, 0, true, 1, "Alice", "Bob"));
    state.CopyChat(chat);
    EXPECT_STREQ(chat.lines[0].text, "[Alice] と [Bob] の対戦の結果、[Bob] が勝利しました");
    Drain();
    Apply(EncBTTL(3, 0, true, 7, "Alice", "Bob"));  // no line for other results
    EXPECT_EQ(Drain(), (T{3, 9}));

    // A request from a player the list does not know still carries the id.
    Apply(EncBTST(55, {127, 0, 0, 5}, 1));
    lobby::CLobbyMsg req = PopKept();
    ASSERT_EQ(req.type, lobby::LOBBY_MSG_BATTLE_REQUEST);
    auto* r = static_cast<lobby::CBattleRequest*>(req.data);
    EXPECT_EQ(r->player.id, 55);
    EXPECT_TRUE(r->flag);
    EXPECT_EQ(r->address[3], 5);
    delete req.data;

    Apply(EncBTSR(5, {1, 2, 3, 4}, 0xFFFF));
    lobby::CLobbyMsg rep = PopKept();
    EXPECT_EQ(static_cast<lobby::CBattleReply*>(rep.data)->port, -1);  // sign-extended
    delete rep.data;
}

TEST_F(State, RoomStartCarriesEveryMemberEvenOnesNotListed) {
    Login(10, {3});
    RoomInfo room;
    room.id = 7;
    room.name = "r";
    room.course = 4;
    room.laps = 3;
    room.members = {{3, {127, 0, 0, 3}}, {10, {127, 0, 0, 10}}, {99, {127, 0, 0, 99}}};
    Apply(EncRMTC(room));
    EXPECT_EQ(Drain(), (T{11, 10}));
    Apply(EncRMTL(room, 0, 10));
    EXPECT_EQ(Drain(), (T{3, 10}));
    state.CopyPlayers(players);
    EXPECT_EQ(players.players[1].busy, 1);
    Apply(EncRMTL(room, 2, 10));
    state.CopyRooms(rooms);
    ASSERT_EQ(rooms.count, 1);
    EXPECT_EQ(rooms.rooms[0].started, 1);
    EXPECT_EQ(Drain(), (T{10}));

    Apply(EncRMST(8, {}, 1));  // an unknown room starts nothing
    EXPECT_EQ(Drain(), T{});
    Apply(EncRMST(7, {127, 0, 0, 3}, 28464));
    lobby::CLobbyMsg m = PopKept();
    ASSERT_EQ(m.type, lobby::LOBBY_MSG_ROOM_START);
    auto* start = static_cast<lobby::CRoomStart*>(m.data);
    EXPECT_EQ(start->memberCount, 3);
    EXPECT_EQ(start->course, 4);
    EXPECT_EQ(start->laps, 3);
    EXPECT_EQ(start->port, 28464);
    EXPECT_STREQ(start->members[0].name, "p3");
    EXPECT_EQ(start->members[2].id, 99);  // not in the player list: a default record with the id
    EXPECT_EQ(start->memberAddr[1][3], 10);
    delete m.data;

    Apply(EncRMTD(7));
    lobby::CLobbyMsg del = PopKept();
    EXPECT_EQ(del.type, lobby::LOBBY_MSG_ROOM_DELETED);
    delete del.data;
    EXPECT_EQ(Drain(), (T{10}));
    Apply(EncRMTD(7));
    EXPECT_EQ(Drain(), (T{10}));
}

TEST_F(State, ListsStopAt200Entries) {
    Login(10);
    for (uint32_t id = 1000; id < 1000 + 205; ++id) Apply(EncSTUP(Player(id), 0));
    for (uint32_t id = 1; id <= 205; ++id) {
        RoomInfo r;
        r.id = id;
        Apply(EncRMTC(r));
    }
    Drain();
    state.CopyPlayers(players);
    state.CopyRooms(rooms);
    EXPECT_EQ(players.count, 200);
    EXPECT_EQ(rooms.count, 200);
    EXPECT_EQ(rooms.rooms[199].id, 200);
}

TEST_F(State, PicturesAreAskedForOnceAndStaleWhenANewerOneExists) {
    Login(10);
    lobby::CPlayerPict out;
    state.GetPicture(5, out);
    EXPECT_EQ(out.state, lobby::CPlayerPict::kStale);
    state.MarkRequested(5);
    state.GetPicture(5, out);
    EXPECT_EQ(out.state, lobby::CPlayerPict::kRequested);

    Apply(EncPCDT(5, Bytes{}, 0));  // the player has no picture
    state.MarkRequested(5);
    state.GetPicture(5, out);
    EXPECT_EQ(out.state, lobby::CPlayerPict::kNone);  // not asked for again

    Apply(EncPCDT(6, Bytes{1, 2, 3}, 9));
    state.GetPicture(6, out);
    EXPECT_EQ(out.state, lobby::CPlayerPict::kPresent);
    EXPECT_EQ(out.size, 3u);
    EXPECT_EQ(out.stamp, 9u);
    Apply(EncPCUP(6, 10));  // a newer picture exists
    state.GetPicture(6, out);
    EXPECT_EQ(out.state, lobby::CPlayerPict::kStale);
    EXPECT_EQ(out.stamp, 10u);
    Apply(EncPCDT(6, Bytes(lobby::kPictureBytes + 1, 1), 11));  // too large: dropped, no picture
    state.GetPicture(6, out);
    EXPECT_EQ(out.state, lobby::CPlayerPict::kNone);
    EXPECT_EQ(out.size, 0u);

    Apply(EncPCUP(10, 10));  // the own id is ignored
    state.GetPicture(10, out);
    EXPECT_EQ(out.state, lobby::CPlayerPict::kNone);
    EXPECT_EQ(Drain(), T{});
}

TEST_F(State, OwnPictureBecomesPresentOnceUploadedAndNoneWhenEmpty) {
    auto own = std::make_unique<lobby::CPlayerPict>();
    own->state = lobby::CPlayerPict::kRequested;
    own->size = 4;
    lobby::CLobbyState s(std::move(own));
    lobby::CPlayerPict out;
    s.CopyOwnPicture(out);
    EXPECT_EQ(out.state, lobby::CPlayerPict::kRequested);
    s.SetOwnPictureUploaded();
    s.CopyOwnPicture(out);
    EXPECT_EQ(out.state, lobby::CPlayerPict::kPresent);

    Apply(EncPCUR(0));  // an empty own picture stays "none"
    state.CopyOwnPicture(out);
    EXPECT_EQ(out.state, lobby::CPlayerPict::kNone);
}

}  // namespace
