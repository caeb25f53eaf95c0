// The game's side of libZARVOClientLib.so: linked against the shared library and its public
// headers only, so every call here has to resolve through the exported symbols.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "lobbyclient/Lobby.h"

namespace {

TEST(LobbySharedLibrary, AnIdleFacadeWorksThroughTheExportsAlone) {
    const std::string guid = lobby::CreateGUID();
    ASSERT_EQ(guid.size(), 38u);

    lobby::CLobby lobby("127.0.0.1", 1, "", 14, guid.c_str(), 28464);
    EXPECT_EQ(lobby.GetID(), -1);
    EXPECT_TRUE(lobby.IsLeavable());
    lobby::CLobbyMsg none = lobby.GetMsg();
    EXPECT_EQ(none.type, lobby::LOBBY_MSG_NONE);
    EXPECT_EQ(none.data, nullptr);
    EXPECT_FALSE(lobby.RoomCreate("room", 2, 3));  // not connected
    EXPECT_FALSE(lobby.BattleRequest(7, true));
    EXPECT_EQ(lobby.GetPlayerList().count, 0);
    EXPECT_EQ(lobby.GetRoomList().count, 0);
    EXPECT_EQ(lobby.GetChat().count, 0);
    EXPECT_EQ(lobby.GetPlayerPict(0).state, lobby::CPlayerPict::kNone);
    lobby.Leave();
}

TEST(LobbySharedLibrary, RecordsMadeByTheGameAreCopiedAndFreedByTheLibrary) {
    lobby::CPlayer player;
    player.SetName("A NAME LONGER THAN SIXTEEN");
    const lobby::CPlayer copy = player;  // the record's vtable comes from the library
    EXPECT_STREQ(copy.name, "A NAME LONGER TH");

    lobby::CRoom room(5, "room", 2, 3);
    room.memberCount = 1;
    room.memberIds[0] = 9;
    EXPECT_TRUE(room.isContain(9));

    // A message record made here and deleted there through its virtual destructor.
    std::unique_ptr<lobby::CLobbyMsg::CData> data(new lobby::CLobbyError(4));
    EXPECT_NE(dynamic_cast<lobby::CLobbyError*>(data.get()), nullptr);
    lobby::CLobbyMsg msg(lobby::LOBBY_MSG_ERROR, data.release());
    lobby::CLobby lobby("127.0.0.1", 1, "", 14, "{GUID}", 28464);
    lobby.ReleaseMsg(msg);
    EXPECT_EQ(msg.data, nullptr);
}

}  // namespace
