// LobbyRecords.h -- the records that cross the lobby library's exported interface.
#pragma once
#include <cstdint>

#include "lobbyclient/LobbyApi.h"

namespace lobby {

// Message types that GetMsg hands to the game.
enum LOBBY_MESSAGE {
    LOBBY_MSG_NONE = 0,
    LOBBY_MSG_LOGIN = 1,           // login accepted
    LOBBY_MSG_ERROR = 2,           // CLobbyError
    LOBBY_MSG_PLAYER_LIST = 3,     // player list changed
    LOBBY_MSG_CHAT = 4,            // chat log changed
    LOBBY_MSG_PLAYER_JOINED = 5,   // CPlayer
    LOBBY_MSG_PLAYER_LEFT = 6,     // CPlayer
    LOBBY_MSG_BATTLE_REQUEST = 7,  // CBattleRequest
    LOBBY_MSG_BATTLE_REPLY = 8,    // CBattleReply
    LOBBY_MSG_BATTLE_RESULT = 9,   // CBattleResult
    LOBBY_MSG_ROOM_LIST = 10,      // room list changed
    LOBBY_MSG_ROOM_CREATED = 11,   // CRoom
    LOBBY_MSG_ROOM_DELETED = 12,   // CRoom
    LOBBY_MSG_ROOM_REPLY = 13,     // CRoomReply
    LOBBY_MSG_ROOM_START = 14,     // CRoomStart
};

// Answer to a battle request; sent as 0 for 0, 5 for 1, 4 for anything else.
enum BATTLE_ACKNOWLEDGE { BATTLE_ACK_ACCEPT = 0, BATTLE_ACK_DECLINE = 1 };

// A race result, passed through to the server as one byte.
enum BATTLE_RESULT : int {};

constexpr int kMaxListEntries = 200;
constexpr int kMaxChatLines = 1024;
constexpr int kMaxRoomMembers = 16;
constexpr int kPictureBytes = 19456;

// A message for the game: a type and the record it owns until ReleaseMsg.
class LOBBY_API CLobbyMsg {
public:
    // Base of every record a message carries; deleted through its destructor.
    class LOBBY_API CData {
    public:
        CData() = default;
        CData(const CData&) = default;
        virtual ~CData();
        CData& operator=(const CData&) { return *this; }
    };

    CLobbyMsg() = default;
    explicit CLobbyMsg(LOBBY_MESSAGE t) : type(t) {}
    CLobbyMsg(LOBBY_MESSAGE t, CData* d) : type(t), data(d) {}

    LOBBY_MESSAGE type = LOBBY_MSG_NONE;
    CData* data = nullptr;
};

class LOBBY_API CLobbyError : public CLobbyMsg::CData {
public:
    CLobbyError() = default;
    explicit CLobbyError(int c) : code(c) {}
    void SetMsg(const char* msg);  // keeps 255 characters

    int code = 0;
    char text[256] = {};
};

class LOBBY_API CPlayer : public CLobbyMsg::CData {
public:
    // Six values the game gives meaning to; on the wire two bytes and four u16.
    struct CRecord {
        int value[6];
    };

    CPlayer();
    void SetName(const char* s);     // keeps 16 characters
    void SetTeam(const char* s);     // keeps 16 characters
    void SetComment(const char* s);  // keeps 96 characters

    int id;
    char name[17];
    char team[17];
    CRecord record;
    int tableA[12][11];
    int tableB[12][11];
    char comment[97];
    int busy;
    int status1;
    int status2;
};

struct LOBBY_API CPlayerList {
    int count = 0;
    CPlayer players[kMaxListEntries];
};

class LOBBY_API CRoom : public CLobbyMsg::CData {
public:
    CRoom() = default;
    CRoom(int id, const char* name, int course, int laps);
    // True when `playerId` is one of the first memberCount (at most 16) ids.
    bool isContain(int playerId) const;

    int id = -1;
    char name[21] = {};
    int course = 0;
    int laps = 1;
    int memberCount = 0;
    int memberIds[kMaxRoomMembers] = {};
    unsigned char memberAddr[kMaxRoomMembers][4] = {};
    int started = 0;
};

struct LOBBY_API CRoomList {
    int count = 0;
    CRoom rooms[kMaxListEntries];
};

struct LOBBY_API CChat {
    struct LOBBY_API CSaying {
        void SetName(const char* s);    // keeps 16 characters
        void SetSaying(const char* s);  // keeps 96 characters

        int id1 = 0;
        int id2 = 0;
        int kind = 0;
        int64_t time = 0;
        char name[17] = {};
        char text[97] = {};
    };

    int count = 0;
    CSaying lines[kMaxChatLines];  // newest first
};

class LOBBY_API CPlayerPict : public CLobbyMsg::CData {
public:
    enum State { kNone = 0, kStale = 1, kRequested = 2, kPresent = 3 };

    int state = kNone;
    unsigned char picture[kPictureBytes] = {};
    uint32_t size = 0;
    uint64_t stamp = 0;
};

class LOBBY_API CBattleRequest : public CLobbyMsg::CData {
public:
    CPlayer player;
    unsigned char address[4] = {};
    bool flag = false;
};

class LOBBY_API CBattleReply : public CLobbyMsg::CData {
public:
    int code = 0;
    unsigned char address[4] = {};
    int port = 0;
};

class LOBBY_API CBattleResult : public CLobbyMsg::CData {
public:
    void SetName(const char* a, const char* b);  // 16 characters each

    int result = 0;
    char name1[17] = {};
    char name2[17] = {};
};

class LOBBY_API CRoomReply : public CLobbyMsg::CData {
public:
    int result = 0;
};

class LOBBY_API CRoomStart : public CLobbyMsg::CData {
public:
    unsigned char address[4] = {};
    int port = 0;
    int course = 0;
    int laps = 0;
    int memberCount = 0;
    CPlayer members[kMaxRoomMembers];  // room order; the first is the host
    unsigned char memberAddr[kMaxRoomMembers][4] = {};
};

// Field widths both deliverables rely on.
static_assert(sizeof(CPlayer::name) == 17 && sizeof(CPlayer::team) == 17 && sizeof(CPlayer::comment) == 97,
              "player text fields");
static_assert(sizeof(CPlayer::tableA) == 12 * 11 * 4 && sizeof(CPlayer::record) == 24, "player tables");
static_assert(sizeof(CRoom::name) == 21 && sizeof(CRoom::memberAddr) == 64, "room fields");
static_assert(sizeof(CLobbyError::text) == 256 && sizeof(CPlayerPict::picture) == 19456, "record buffers");

}  // namespace lobby
