// ggSeqLobbyActions.cpp -- the lobby screen's actions: rooms, chat, tells, profile changes, commands, selections.
#include <algorithm>
#include <vector>

#include "app/tmConfig.h"
#include "lobby/LineEdit.h"
#include "lobby/LobbyText.h"
#include "lobby/WidgetInfoPain.h"
#include "lobby/WidgetRoomPain.h"
#include "lobby/WidgetUserPain.h"
#include "lobby/ggSeqLobby.h"
#include "sys/input/tmPeripheral.h"

namespace g2lobby {

namespace {
int Members(const lobby::CRoom& room) { return std::min(std::max(room.memberCount, 0), lobby::kMaxRoomMembers); }
int Entries(int count) { return std::min(std::max(count, 0), lobby::kMaxListEntries); }
}  // namespace

bool ggSeqLobby::IsUsable() const { return GetLobby() && active_; }

ggSeqLobby::OwnRoom ggSeqLobby::FindOwnRoom() const {
    OwnRoom own;
    if (!IsUsable()) return own;
    const lobby::CRoomList& rooms = GetLobby()->GetRoomList();
    for (int r = 0; r < Entries(rooms.count); ++r) {
        const lobby::CRoom& room = rooms.rooms[r];
        for (int m = 0; m < Members(room); ++m) {
            if (room.memberIds[m] != ownPlayer_.id) continue;
            own.found = true;
            own.room = room;
            own.host = m == 0;
            break;  // the last room that lists the player wins
        }
    }
    return own;
}

bool ggSeqLobby::CreateRoom() {
    if (FindOwnRoom().found) return false;
    RequestMode("RMCRT");
    return true;
}

void ggSeqLobby::ExitLobby() { RequestMode("EXIT"); }

void ggSeqLobby::StartRoom() {
    if (!IsUsable()) return;
    const OwnRoom own = FindOwnRoom();
    if (own.found && own.host) GetLobby()->RoomStart();
}

void ggSeqLobby::TryStartRoom() {
    startWarnings_.clear();
    if (!IsUsable()) return;
    const OwnRoom own = FindOwnRoom();
    if (!own.found || !own.host) return;
    const lobby::CPlayerList& players = GetLobby()->GetPlayerList();
    for (int m = 0; m < Members(own.room); ++m) {
        for (int p = 0; p < Entries(players.count); ++p) {
            const lobby::CPlayer& player = players.players[p];
            if (player.id == own.room.memberIds[m] && player.status2 != 1) startWarnings_.push_back(player.name);
        }
    }
    if (startWarnings_.empty())
        StartRoom();
    else
        RequestMode("RMSTW");
}

void ggSeqLobby::LeaveRoom() {
    if (IsUsable() && FindOwnRoom().found) GetLobby()->RoomLeave();
}

void ggSeqLobby::JoinSelectedRoom() {
    if (!IsUsable()) return;
    const lobby::CRoom* room = GetSelectedRoom();
    if (room && !GetSelectedPlayer()) GetLobby()->RoomEnter(room->id);
}

void ggSeqLobby::SendChat(const std::string& text) {
    if (IsUsable()) GetLobby()->Chat(text.c_str(), 1, -1);
}

void ggSeqLobby::SendTell(int playerId, const std::string& text) {
    if (!IsUsable() || playerId < 0 || playerId == ownPlayer_.id) return;
    const lobby::CPlayerList& players = GetLobby()->GetPlayerList();
    bool listed = false;
    for (int p = 0; p < Entries(players.count) && !listed; ++p) listed = players.players[p].id == playerId;
    if (!listed) return;
    GetLobby()->Chat(text.c_str(), 1, playerId);
    GetLobby()->Chat(text.c_str(), 1, ownPlayer_.id);  // the sender's own log shows the line too
}

void ggSeqLobby::SetNameAndTeam(const std::string& name, const std::string& team) {
    if (IsUsable()) {
        ownPlayer_.SetName(name.c_str());
        ownPlayer_.SetTeam(team.c_str());
        GetLobby()->Update(ownPlayer_);
    }
    tmConfig& config = tmConfig::GetInstance();
    config.SetPlayerName(name.c_str());
    config.SetTeamName(team.c_str());
    config.Save();
}

void ggSeqLobby::SetComment(const std::string& text) {
    if (IsUsable()) {
        ownPlayer_.SetComment(text.c_str());
        GetLobby()->Update(ownPlayer_);
    }
    tmConfig& config = tmConfig::GetInstance();
    config.SetComment(text.c_str());
    config.Save();
}

void ggSeqLobby::ShowHelp() {
    if (!IsUsable()) return;
    std::vector<const char*> rows;
    for (const std::string& row : HelpRows()) rows.push_back(row.c_str());
    GetLobby()->ChatSelf(rows.data(), static_cast<int>(rows.size()));
}

bool ggSeqLobby::IsChatKeyAllowed() const {
    if (!IsUsable() || (lineEdit_ && lineEdit_->IsOpen())) return false;
    const tmPeripheral* in = tmPeripheral::GetInstance();
    return !(in && (in->IsKeyDown(tmKey::kLeftControl) || in->IsKeyDown(tmKey::kRightControl)));
}

void ggSeqLobby::ExecuteCommand(const std::string& line) {
    const ChatCommand c = ParseChatCommand(line);
    if (c.word == "TELL") {
        if (const lobby::CPlayer* p = GetSelectedPlayer()) SendTell(p->id, c.argument);
    } else if (c.word == "COMMENT") {
        if (infoPain_) infoPain_->SetCommentText(c.argument);
    } else if (c.word == "HELP") {
        ShowHelp();
    } else if (c.word == "ROOM") {
        if (!CreateRoom()) StartRoom();
    } else if (c.word == "JOIN") {
        JoinSelectedRoom();
    } else if (c.word == "LEAVE") {
        LeaveRoom();
    }
}

const lobby::CPlayer* ggSeqLobby::GetSelectedPlayer() const {
    if (!userPain_) return nullptr;
    const lobby::CPlayer* p = userPain_->GetPlayer(userPain_->GetSelectedIndex());
    return p && p->id == userPain_->GetSelectedId() ? p : nullptr;
}

const lobby::CRoom* ggSeqLobby::GetSelectedRoom() const {
    if (!roomPain_) return nullptr;
    const WidgetRoomPain::RoomEntry* e = roomPain_->GetRoom(roomPain_->GetSelectedIndex());
    return e && e->room.id == roomPain_->GetSelectedId() ? &e->room : nullptr;
}

bool ggSeqLobby::SelectPlayer(int playerId) {
    const int remembered = selectedPlayerId_;
    selectedPlayerId_ = playerId;
    const bool selected = userPain_ && userPain_->Select(playerId, true);
    if (playerId != remembered && infoPain_) infoPain_->Refresh();
    return selected;
}

bool ggSeqLobby::SelectRoom(int roomId) {
    const bool playerSelected = GetSelectedPlayer() != nullptr;
    const bool selected = roomPain_ && roomPain_->Select(roomId, true);
    if (playerSelected && infoPain_) infoPain_->Refresh();
    return selected;
}

void ggSeqLobby::StepPlayerSelection(int step) {
    if (!userPain_) return;
    const int id = userPain_->NeighbourId(step, ownPlayer_.id);
    if (id < 0) return;  // at the end of the list: the selection stays
    SelectPlayer(id);
    userPain_->ShowRow(userPain_->GetSelectedIndex());
}

void ggSeqLobby::OnSelectionGone(bool player) {
    if (!player) return;
    selectedPlayerId_ = -1;
    if (infoPain_) infoPain_->Refresh();
}

bool ggSeqLobby::IsRoomOpen(const lobby::CRoom& room) { return room.memberCount < lobby::kMaxRoomMembers; }

}  // namespace g2lobby
