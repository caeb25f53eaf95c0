// Lobby.h -- the exported interface of the lobby client library.
#pragma once
#include "lobbyclient/LobbyApi.h"
#include "lobbyclient/LobbyRecords.h"

namespace lobby {

class CLobbyImpl;

// The game's one handle on the lobby. Requests are built, enciphered and sent
// at once on the caller's thread; everything else reads the state that the
// visit's worker thread fills. Call every operation from one thread.
class LOBBY_API CLobby {
public:
    CLobby(const char* host, int port, const char* url, unsigned long protocol, const char* guid, int racePort);
    ~CLobby();
    CLobby(const CLobby&) = delete;
    CLobby& operator=(const CLobby&) = delete;

    // Starts a visit (ending an earlier one first); the login result arrives as messages.
    void Enter(const CPlayer& player, const char* ownPictureFile, const char* defaultPictureFile);
    // Ends the visit; returns within about a second whatever the worker waits for.
    void Leave();
    bool IsLeavable();
    int GetID();

    // The next message (type 0 when none); the caller hands it back with ReleaseMsg.
    CLobbyMsg GetMsg();
    void ReleaseMsg(CLobbyMsg& msg);

    // Copies held by the facade, valid until the next call of the same getter.
    const CPlayerList& GetPlayerList();
    const CRoomList& GetRoomList();
    const CChat& GetChat();
    const CPlayerPict& GetPlayerPict(int playerId);

    void Update(const CPlayer& player);
    void Chat(const char* text, int kind, int target);
    bool BattleRequest(int playerId, bool flag);
    void BattleAcknowledge(BATTLE_ACKNOWLEDGE answer);
    void BattleFinish(BATTLE_RESULT result);
    bool RoomCreate(const char* name, int course, int laps);
    bool RoomEnter(int roomId);
    bool RoomLeave();
    bool RoomStart();
    void RoomFinish(BATTLE_RESULT result);

    // Local chat lines (nothing is sent).
    void ChatSelf(const char* const* lines, int count);
    void ChatSelf(const char* line);

private:
    CLobbyImpl* impl_;
};

// Fills one process-wide static string with a new GUID in the form
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (38 upper-case characters) and
// returns it; valid until the next call.
LOBBY_API const char* CreateGUID();

}  // namespace lobby
