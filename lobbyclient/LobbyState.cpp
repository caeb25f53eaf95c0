// LobbyState.cpp -- applies received lobby messages to the lists and queues messages for the game.
#include "lobbyclient/LobbyState.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "lobbyclient/LobbyLog.h"

namespace lobby {
namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Copies at most 96 bytes of Shift-JIS text, never splitting a character.
void SetLineText(CChat::CSaying& line, const char* text) {
    size_t n = 0;
    while (text[n] != '\0') {
        const size_t step = IsLeadByte(static_cast<unsigned char>(text[n])) && text[n + 1] != '\0' ? 2 : 1;
        if (n + step > 96) break;
        n += step;
    }
    std::memset(line.text, 0, sizeof line.text);
    std::memcpy(line.text, text, n);
}

}  // namespace

int LoginRefusalCode(int result) {
    switch (result) {
        case 1: return 8;
        case 2: return 7;
        case 3: return 10;
        default: return 11;
    }
}

CLobbyState::CLobbyState(std::unique_ptr<CPlayerPict> ownPicture)
    : ownPicture_(ownPicture ? std::move(ownPicture) : std::make_unique<CPlayerPict>()) {}

CLobbyState::~CLobbyState() {
    for (CLobbyMsg& m : queue_) delete m.data;
}

void CLobbyState::Queue(LOBBY_MESSAGE type, CLobbyMsg::CData* data) { queue_.emplace_back(type, data); }

CPlayer* CLobbyState::FindPlayer(int id) {
    for (CPlayer& p : players_)
        if (p.id == id) return &p;
    return nullptr;
}

CRoom* CLobbyState::FindRoom(int id) {
    for (CRoom& r : rooms_)
        if (r.id == id) return &r;
    return nullptr;
}

CPlayer CLobbyState::PlayerOrDefault(int id) {
    if (const CPlayer* p = FindPlayer(id)) return *p;
    Log("Lobby player %d is not in the player list.\n", id);
    CPlayer p;
    p.id = id;
    return p;
}

bool CLobbyState::Dispatch(const CReceived& received) {
    std::lock_guard<std::mutex> hold(lock_);
    const CLobbyReceivable& m = *received.message;
    switch (received.kind) {
        case kKindSTUR: OnSTUR(static_cast<const CReceivableSTUR&>(m)); break;
        case kKindSTUP: OnSTUP(static_cast<const CReceivableSTUP&>(m)); break;
        case kKindUPDT: OnUPDT(static_cast<const CReceivableUPDT&>(m)); break;
        case kKindFNSH: OnFNSH(static_cast<const CReceivableFNSH&>(m)); break;
        case kKindSAID: OnSAID(static_cast<const CReceivableSAID&>(m)); break;
        case kKindBTST: OnBTST(static_cast<const CReceivableBTST&>(m)); break;
        case kKindBTSR: OnBTSR(static_cast<const CReceivableBTSR&>(m)); break;
        case kKindBTTL: OnBTTL(static_cast<const CReceivableBTTL&>(m)); break;
        case kKindRMRP: {
            auto* reply = new CRoomReply;
            reply->result = static_cast<const CReceivableRMRP&>(m).result;
            Queue(LOBBY_MSG_ROOM_REPLY, reply);
            break;
        }
        case kKindRMST: OnRMST(static_cast<const CReceivableRMST&>(m)); break;
        case kKindRMTC: OnRMTC(static_cast<const CReceivableRMTC&>(m)); break;
        case kKindRMTD: OnRMTD(static_cast<const CReceivableRMTD&>(m)); break;
        case kKindRMTL: OnRMTL(static_cast<const CReceivableRMTL&>(m)); break;
        case kKindPCUP: OnPCUP(static_cast<const CReceivablePCUP&>(m)); break;
        case kKindPCUR: OnPCUR(static_cast<const CReceivablePCUR&>(m)); break;
        case kKindPCDT: OnPCDT(static_cast<const CReceivablePCDT&>(m)); break;
        default: return false;
    }
    return true;
}

void CLobbyState::OnSTUR(const CReceivableSTUR& m) {
    if (m.id != 0) {
        ownId_ = static_cast<int>(m.id);
        Queue(LOBBY_MSG_LOGIN);
        if (!infoText_.empty()) {
            AddLineLocked(infoText_.c_str());
            Queue(LOBBY_MSG_CHAT);
        }
        return;
    }
    Queue(LOBBY_MSG_ERROR, new CLobbyError(LoginRefusalCode(m.result)));
}

void CLobbyState::OnSTUP(const CReceivableSTUP& m) {
    CPlayer* known = FindPlayer(m.player.id);
    if (known) {
        *known = m.player;  // a repeated announcement replaces the entry
    } else if (players_.size() >= static_cast<size_t>(kMaxListEntries)) {
        Log("Lobby player list full, player %d dropped.\n", m.player.id);
        return;
    } else {
        players_.push_back(m.player);
    }
    if (ownSeen_) {
        if (!known) Queue(LOBBY_MSG_PLAYER_JOINED, new CPlayer(m.player));
    } else if (m.player.id == ownId_) {
        ownSeen_ = true;
    }
    Queue(LOBBY_MSG_PLAYER_LIST);
}

void CLobbyState::OnUPDT(const CReceivableUPDT& m) {
    if (CPlayer* p = FindPlayer(m.player.id)) {
        const int busy = p->busy;
        *p = m.player;
        p->busy = busy;
    }
    Queue(LOBBY_MSG_PLAYER_LIST);
}

void CLobbyState::OnFNSH(const CReceivableFNSH& m) {
    const int id = static_cast<int>(m.id);
    for (size_t i = 0; i < players_.size(); ++i) {
        if (players_[i].id != id) continue;
        Queue(LOBBY_MSG_PLAYER_LEFT, new CPlayer(players_[i]));
        players_.erase(players_.begin() + static_cast<long>(i));
        Queue(LOBBY_MSG_PLAYER_LIST);
        return;
    }
}

void CLobbyState::OnSAID(const CReceivableSAID& m) {
    for (auto it = m.lines.rbegin(); it != m.lines.rend(); ++it) chat_.push_front(*it);
    TrimChat();
    Queue(LOBBY_MSG_CHAT);
}

void CLobbyState::OnBTST(const CReceivableBTST& m) {
    auto* request = new CBattleRequest;
    request->player = PlayerOrDefault(static_cast<int>(m.id));
    std::memcpy(request->address, m.address, 4);
    request->flag = m.flag != 0;
    Queue(LOBBY_MSG_BATTLE_REQUEST, request);
}

void CLobbyState::OnBTSR(const CReceivableBTSR& m) {
    auto* reply = new CBattleReply;
    reply->code = m.code;
    std::memcpy(reply->address, m.address, 4);
    reply->port = static_cast<int16_t>(m.port);
    Queue(LOBBY_MSG_BATTLE_REPLY, reply);
}

void CLobbyState::OnBTTL(const CReceivableBTTL& m) {
    if (CPlayer* p = FindPlayer(static_cast<int>(m.id))) p->busy = m.busy != 0 ? 1 : 0;
    Queue(LOBBY_MSG_PLAYER_LIST);
    if (m.hasResult == 0) return;
    auto* result = new CBattleResult;
    result->result = m.result;
    result->SetName(m.name1, m.name2);
    Queue(LOBBY_MSG_BATTLE_RESULT, result);
    char line[256];
    if (m.result == 0 || m.result == 1) {
        std::snprintf(line, sizeof line, "[%s] と [%s] の対戦の結果、[%s] が勝利しました", m.name1, m.name2,
                      m.result == 0 ? m.name1 : m.name2);
    } else if (m.result == 2) {
        std::snprintf(line, sizeof line, "[%s] と [%s] の対戦の結果、引分に終わりました", m.name1, m.name2);
    } else {
        return;
    }
    AddLineLocked(line);
    Queue(LOBBY_MSG_CHAT);
}

void CLobbyState::OnRMST(const CReceivableRMST& m) {
    const CRoom* room = FindRoom(static_cast<int>(m.room));
    if (!room) return;
    auto* start = new CRoomStart;
    std::memcpy(start->address, m.address, 4);
    start->port = static_cast<int16_t>(m.port);
    start->course = room->course;
    start->laps = room->laps;
    start->memberCount = room->memberCount < kMaxRoomMembers ? room->memberCount : kMaxRoomMembers;
    for (int i = 0; i < start->memberCount; ++i) {
        start->members[i] = PlayerOrDefault(room->memberIds[i]);
        std::memcpy(start->memberAddr[i], room->memberAddr[i], 4);
    }
    Queue(LOBBY_MSG_ROOM_START, start);
}

void CLobbyState::OnRMTC(const CReceivableRMTC& m) {
    if (CRoom* known = FindRoom(m.room.id)) {
        *known = m.room;  // a repeated announcement replaces the entry
    } else if (rooms_.size() >= static_cast<size_t>(kMaxListEntries)) {
        Log("Lobby room list full, room %d dropped.\n", m.room.id);
        return;
    } else {
        rooms_.push_back(m.room);
    }
    Queue(LOBBY_MSG_ROOM_CREATED, new CRoom(m.room));
    Queue(LOBBY_MSG_ROOM_LIST);
}

void CLobbyState::OnRMTD(const CReceivableRMTD& m) {
    const int id = static_cast<int>(m.room);
    for (size_t i = 0; i < rooms_.size(); ++i) {
        if (rooms_[i].id != id) continue;
        Queue(LOBBY_MSG_ROOM_DELETED, new CRoom(rooms_[i]));
        rooms_.erase(rooms_.begin() + static_cast<long>(i));
        break;
    }
    Queue(LOBBY_MSG_ROOM_LIST);
}

void CLobbyState::OnRMTL(const CReceivableRMTL& m) {
    CRoom* room = FindRoom(m.room.id);
    if (room) {
        room->memberCount = m.room.memberCount;
        std::memcpy(room->memberIds, m.room.memberIds, sizeof room->memberIds);
        std::memcpy(room->memberAddr, m.room.memberAddr, sizeof room->memberAddr);
        room->started = m.room.started;
    }
    switch (m.action) {
        case 0:
        case 1:
        case 3:
        case 4:
            if (CPlayer* p = FindPlayer(static_cast<int>(m.player))) p->busy = m.action == 0 ? 1 : 0;
            Queue(LOBBY_MSG_PLAYER_LIST);
            break;
        case 2:
            if (room) room->started = 1;
            break;
        default: break;
    }
    Queue(LOBBY_MSG_ROOM_LIST);
}

void CLobbyState::OnPCUP(const CReceivablePCUP& m) {
    const int id = static_cast<int>(m.id);
    if (id == ownId_) return;
    auto entry = std::make_unique<CPlayerPict>();
    entry->state = CPlayerPict::kStale;
    entry->stamp = m.stamp;
    pictures_[id] = std::move(entry);
}

void CLobbyState::OnPCUR(const CReceivablePCUR& m) {
    if (m.result == 0) {
        ownPicture_->state = ownPicture_->size >= 1 ? CPlayerPict::kPresent : CPlayerPict::kNone;
    } else {
        ownPicture_->state = CPlayerPict::kNone;
    }
}

void CLobbyState::OnPCDT(const CReceivablePCDT& m) {
    auto entry = std::make_unique<CPlayerPict>();
    if (!m.oversized && !m.bytes.empty()) {
        entry->state = CPlayerPict::kPresent;
        entry->size = static_cast<uint32_t>(m.bytes.size());
        std::memcpy(entry->picture, m.bytes.data(), m.bytes.size());
        entry->stamp = m.stamp;
    }
    pictures_[static_cast<int>(m.id)] = std::move(entry);
}

CLobbyMsg CLobbyState::PopMessage() {
    std::lock_guard<std::mutex> hold(lock_);
    if (queue_.empty()) return CLobbyMsg();
    const CLobbyMsg m = queue_.front();
    queue_.pop_front();
    return m;
}

int CLobbyState::GetOwnId() {
    std::lock_guard<std::mutex> hold(lock_);
    return ownId_;
}

void CLobbyState::CopyPlayers(CPlayerList& list) {
    std::lock_guard<std::mutex> hold(lock_);
    list.count = static_cast<int>(players_.size());
    for (size_t i = 0; i < players_.size(); ++i) list.players[i] = players_[i];
}

void CLobbyState::CopyRooms(CRoomList& list) {
    std::lock_guard<std::mutex> hold(lock_);
    list.count = static_cast<int>(rooms_.size());
    for (size_t i = 0; i < rooms_.size(); ++i) list.rooms[i] = rooms_[i];
}

void CLobbyState::CopyChat(CChat& chat) {
    std::lock_guard<std::mutex> hold(lock_);
    chat.count = static_cast<int>(chat_.size());
    for (size_t i = 0; i < chat_.size(); ++i) chat.lines[i] = chat_[i];
}

void CLobbyState::AddLineLocked(const char* text) {
    CChat::CSaying line;
    line.time = static_cast<int64_t>(std::time(nullptr));
    SetLineText(line, text ? text : "");
    chat_.push_front(line);
    TrimChat();
}

void CLobbyState::TrimChat() {
    while (chat_.size() > static_cast<size_t>(kMaxChatLines)) chat_.pop_back();
}

void CLobbyState::AddLocalLines(const char* const* texts, int count) {
    std::lock_guard<std::mutex> hold(lock_);
    for (int i = 0; texts && i < count; ++i) AddLineLocked(texts[i]);
}

void CLobbyState::AddLocalLine(const char* text) {
    std::lock_guard<std::mutex> hold(lock_);
    AddLineLocked(text);
}

void CLobbyState::SetInfoText(const std::string& text) {
    std::lock_guard<std::mutex> hold(lock_);
    infoText_ = text;
}

void CLobbyState::GetPicture(int id, CPlayerPict& out) {
    std::lock_guard<std::mutex> hold(lock_);
    if (id == ownId_) {
        out = *ownPicture_;
        return;
    }
    const auto it = pictures_.find(id);
    if (it != pictures_.end()) {
        out = *it->second;
        return;
    }
    out.state = CPlayerPict::kStale;
}

void CLobbyState::MarkRequested(int id) {
    std::lock_guard<std::mutex> hold(lock_);
    auto& entry = pictures_[id];
    if (!entry) {
        entry = std::make_unique<CPlayerPict>();
        entry->state = CPlayerPict::kRequested;
    } else if (entry->state != CPlayerPict::kNone) {
        entry->state = CPlayerPict::kRequested;
    }
}

void CLobbyState::SetOwnPictureUploaded() {
    std::lock_guard<std::mutex> hold(lock_);
    ownPicture_->state = ownPicture_->size >= 1 ? CPlayerPict::kPresent : CPlayerPict::kNone;
}

void CLobbyState::CopyOwnPicture(CPlayerPict& out) {
    std::lock_guard<std::mutex> hold(lock_);
    out = *ownPicture_;
}

size_t CLobbyState::QueuedCount() {
    std::lock_guard<std::mutex> hold(lock_);
    return queue_.size();
}

}  // namespace lobby
