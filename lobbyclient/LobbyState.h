// LobbyState.h -- lobby::CLobbyState: players, rooms, chat, pictures and the message queue of one visit.
#pragma once
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "lobbyclient/LobbyReceivables.h"
#include "lobbyclient/LobbyRecords.h"

namespace lobby {

// The error code a login refusal result maps to (1 -> 8, 2 -> 7, 3 -> 10, else 11).
int LoginRefusalCode(int result);

// The lobby's picture of the world during one visit, owned by the worker.
// The worker applies received messages (Dispatch); the facade reads copies and
// pops the queue from the game's thread. One lock guards everything, held for
// each whole operation and never across a network call. The player and room
// lists hold at most 200 entries (what the facade's records can show); the
// server's announcements beyond that are dropped with a log line.
class CLobbyState {
public:
    explicit CLobbyState(std::unique_ptr<CPlayerPict> ownPicture);
    ~CLobbyState();
    CLobbyState(const CLobbyState&) = delete;
    CLobbyState& operator=(const CLobbyState&) = delete;

    // Applies one received message; false only for a kind outside 0..15.
    bool Dispatch(const CReceived& received);
    // The head of the queue (the caller owns its record), or an empty message.
    CLobbyMsg PopMessage();
    int GetOwnId();

    void CopyPlayers(CPlayerList& list);
    void CopyRooms(CRoomList& list);
    void CopyChat(CChat& chat);
    void AddLocalLines(const char* const* texts, int count);
    void AddLocalLine(const char* text);
    void SetInfoText(const std::string& text);

    // Own id: the own picture; cached id: its entry; else only out.state = 1.
    void GetPicture(int id, CPlayerPict& out);
    void MarkRequested(int id);
    void SetOwnPictureUploaded();
    void CopyOwnPicture(CPlayerPict& out);

    size_t QueuedCount();

private:
    void Queue(LOBBY_MESSAGE type, CLobbyMsg::CData* data = nullptr);
    void AddLineLocked(const char* text);
    void TrimChat();
    CPlayer* FindPlayer(int id);
    CRoom* FindRoom(int id);
    CPlayer PlayerOrDefault(int id);

    void OnSTUR(const CReceivableSTUR& m);
    void OnSTUP(const CReceivableSTUP& m);
    void OnUPDT(const CReceivableUPDT& m);
    void OnFNSH(const CReceivableFNSH& m);
    void OnSAID(const CReceivableSAID& m);
    void OnBTST(const CReceivableBTST& m);
    void OnBTSR(const CReceivableBTSR& m);
    void OnBTTL(const CReceivableBTTL& m);
    void OnRMST(const CReceivableRMST& m);
    void OnRMTC(const CReceivableRMTC& m);
    void OnRMTD(const CReceivableRMTD& m);
    void OnRMTL(const CReceivableRMTL& m);
    void OnPCUP(const CReceivablePCUP& m);
    void OnPCUR(const CReceivablePCUR& m);
    void OnPCDT(const CReceivablePCDT& m);

    std::mutex lock_;
    std::deque<CLobbyMsg> queue_;
    int ownId_ = -1;
    bool ownSeen_ = false;
    std::vector<CPlayer> players_;
    std::vector<CRoom> rooms_;
    std::deque<CChat::CSaying> chat_;  // newest first
    std::string infoText_;
    std::map<int, std::unique_ptr<CPlayerPict>> pictures_;
    std::unique_ptr<CPlayerPict> ownPicture_;
};

}  // namespace lobby
