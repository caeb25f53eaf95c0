// LobbyRecords.cpp -- setters and constructors of the exported lobby records.
#include "lobbyclient/LobbyRecords.h"

#include <cstring>

namespace lobby {
namespace {

// Clears the whole field, then copies at most size - 1 characters.
void CopyText(char* field, size_t size, const char* text) {
    std::memset(field, 0, size);
    if (!text) return;
    size_t n = 0;
    while (n + 1 < size && text[n] != '\0') ++n;
    std::memcpy(field, text, n);
}

}  // namespace

CLobbyMsg::CData::~CData() = default;

void CLobbyError::SetMsg(const char* msg) { CopyText(text, sizeof text, msg); }

CPlayer::CPlayer() : id(-1), busy(0), status1(0), status2(0) {
    std::memset(name, 0, sizeof name);
    std::memset(team, 0, sizeof team);
    std::memset(comment, 0, sizeof comment);
    // record and tables are the owner's to fill; start them defined anyway.
    std::memset(&record, 0, sizeof record);
    std::memset(tableA, 0, sizeof tableA);
    std::memset(tableB, 0, sizeof tableB);
}

void CPlayer::SetName(const char* s) { CopyText(name, sizeof name, s); }
void CPlayer::SetTeam(const char* s) { CopyText(team, sizeof team, s); }
void CPlayer::SetComment(const char* s) { CopyText(comment, sizeof comment, s); }

CRoom::CRoom(int roomId, const char* roomName, int roomCourse, int roomLaps)
    : id(roomId), course(roomCourse), laps(roomLaps) {
    CopyText(name, sizeof name, roomName);
}

bool CRoom::isContain(int playerId) const {
    const int n = memberCount < kMaxRoomMembers ? memberCount : kMaxRoomMembers;
    for (int i = 0; i < n; ++i) {
        if (memberIds[i] == playerId) return true;
    }
    return false;
}

void CChat::CSaying::SetName(const char* s) { CopyText(name, sizeof name, s); }
void CChat::CSaying::SetSaying(const char* s) { CopyText(text, sizeof text, s); }

void CBattleResult::SetName(const char* a, const char* b) {
    CopyText(name1, sizeof name1, a);
    CopyText(name2, sizeof name2, b);
}

}  // namespace lobby
