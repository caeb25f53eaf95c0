// Lobby records: bounded setters, defaults, room membership, deep copies.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "lobbyclient/LobbyRecords.h"

namespace {

TEST(LobbyRecords, SettersKeepTheFieldLengthAndTerminate) {
    lobby::CPlayer p;
    EXPECT_EQ(p.id, -1);
    EXPECT_STREQ(p.name, "");
    EXPECT_EQ(p.busy, 0);
    std::memset(p.name, 'x', sizeof p.name);  // stale bytes are cleared by the setter
    p.SetName("ABCDEFGHIJKLMNOPQRST");
    EXPECT_STREQ(p.name, "ABCDEFGHIJKLMNOP");
    p.SetName("ab");
    EXPECT_EQ(std::memcmp(p.name, "ab\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 17), 0);
    p.SetTeam(nullptr);
    EXPECT_STREQ(p.team, "");
    const std::string longText(200, 'c');
    p.SetComment(longText.c_str());
    EXPECT_EQ(std::strlen(p.comment), 96u);

    lobby::CLobbyError e;
    e.SetMsg(std::string(300, 'e').c_str());
    EXPECT_EQ(std::strlen(e.text), 255u);

    lobby::CChat::CSaying s;
    s.SetSaying(longText.c_str());
    s.SetName(longText.c_str());
    EXPECT_EQ(std::strlen(s.text), 96u);
    EXPECT_EQ(std::strlen(s.name), 16u);

    lobby::CBattleResult r;
    r.SetName(longText.c_str(), "b");
    EXPECT_EQ(std::strlen(r.name1), 16u);
    EXPECT_STREQ(r.name2, "b");

    const lobby::CRoom room(3, "a room name longer than twenty", 5, 3);
    EXPECT_EQ(std::strlen(room.name), 20u);
}

TEST(LobbyRecords, RoomMembershipLooksAtTheCountedMembersOnly) {
    lobby::CRoom room;
    EXPECT_EQ(room.id, -1);
    EXPECT_FALSE(room.isContain(-1));
    EXPECT_FALSE(room.isContain(0));  // a default room's ids are 0 but not counted
    room.memberCount = 2;
    room.memberIds[0] = 7;
    room.memberIds[1] = 9;
    room.memberIds[2] = 11;
    EXPECT_TRUE(room.isContain(9));
    EXPECT_FALSE(room.isContain(11));
    room.memberCount = 1000;  // never looks past 16 entries
    room.memberIds[15] = 44;
    EXPECT_TRUE(room.isContain(44));
}

TEST(LobbyRecords, CopiesAreDeepAndDataAssignmentCopiesNothing) {
    auto start = std::make_unique<lobby::CRoomStart>();
    start->memberCount = 16;
    for (int i = 0; i < 16; ++i) {
        start->members[i].id = 100 + i;
        start->members[i].SetName("member");
        start->memberAddr[i][3] = static_cast<unsigned char>(i);
    }
    auto copy = std::make_unique<lobby::CRoomStart>(*start);
    start->members[15].id = 0;
    start->memberAddr[15][3] = 0;
    EXPECT_EQ(copy->members[15].id, 115);
    EXPECT_STREQ(copy->members[15].name, "member");
    EXPECT_EQ(copy->memberAddr[15][3], 15);

    // Deleting through the base destroys the whole record.
    lobby::CLobbyMsg msg(lobby::LOBBY_MSG_ROOM_START, copy.release());
    lobby::CLobbyMsg alias = msg;  // copies share the record
    EXPECT_EQ(alias.data, msg.data);
    delete msg.data;
}

}  // namespace
