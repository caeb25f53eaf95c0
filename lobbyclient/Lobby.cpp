// Lobby.cpp -- lobby::CLobby, the exported facade: visits, messages, getters and requests.
#include "lobbyclient/Lobby.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "lobbyclient/LobbyLog.h"
#include "lobbyclient/LobbySendables.h"
#include "lobbyclient/LobbyThread.h"

namespace lobby {
namespace {

// 100 ns intervals from 1601 to 1970.
constexpr uint64_t kEpochDifference = 116444736000000000ull;

// A picture file's version stamp: its creation time (the modification time
// where the file system keeps none) in 100 ns units since 1601, low 32 bits
// XORed with the file size.
uint64_t PictureStamp(const char* path, uint32_t size) {
    struct statx sx {};
    int64_t seconds = 0;
    uint32_t nanos = 0;
    if (statx(AT_FDCWD, path, 0, STATX_BTIME | STATX_MTIME, &sx) == 0) {
        const statx_timestamp& t = (sx.stx_mask & STATX_BTIME) ? sx.stx_btime : sx.stx_mtime;
        seconds = t.tv_sec;
        nanos = t.tv_nsec;
    }
    const uint64_t stamp = kEpochDifference + static_cast<uint64_t>(seconds) * 10000000ull + nanos / 100;
    return stamp ^ size;
}

// Reads a whole picture file of at most the picture record's size.
bool ReadPicture(const char* path, CPlayerPict& out) {
    if (!path) return false;
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    const size_t got = std::fread(out.picture, 1, sizeof out.picture, f);
    const bool tooLarge = got == sizeof out.picture && std::fgetc(f) != EOF;
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (tooLarge || failed) return false;
    out.size = static_cast<uint32_t>(got);
    return true;
}

}  // namespace

// The facade's state: the current worker and the copies the getters return.
class CLobbyImpl {
public:
    bool Connected() { return worker && worker->IsConnected(); }

    std::unique_ptr<CLobbyThread> worker;
    LobbyEndpoint endpoint;
    int racePort = 0;
    CPlayerList players;
    CRoomList rooms;
    CChat chat;
    CPlayerPict answer;
    CPlayerPict defaultPicture;
};

CLobby::CLobby(const char* host, int port, const char* url, unsigned long protocol, const char* guid, int racePort)
    : impl_(new CLobbyImpl) {
    impl_->endpoint.host = host ? host : "";
    impl_->endpoint.port = port;
    impl_->endpoint.url = url ? url : "";
    impl_->endpoint.protocol = static_cast<uint32_t>(protocol);
    impl_->endpoint.guid = guid ? guid : "";
    impl_->racePort = racePort;
    Log("Lobby initializing...\n");
}

CLobby::~CLobby() {
    Leave();
    Log("Lobby exiting...\n");
    delete impl_;
}

void CLobby::Enter(const CPlayer& player, const char* ownPictureFile, const char* defaultPictureFile) {
    // The previous worker is cancelled rather than waited for: every wait it
    // can be in ends once its socket is closed, so this never blocks for long.
    Leave();

    impl_->defaultPicture = CPlayerPict();
    if (ReadPicture(defaultPictureFile, impl_->defaultPicture)) {
        impl_->defaultPicture.state = CPlayerPict::kPresent;
    } else {
        impl_->defaultPicture = CPlayerPict();
    }

    auto own = std::make_unique<CPlayerPict>();
    if (ReadPicture(ownPictureFile, *own)) {
        const CPlayerPict& def = impl_->defaultPicture;
        if (def.state == CPlayerPict::kPresent && own->size == def.size &&
            std::memcmp(own->picture, def.picture, own->size) == 0) {
            own = std::make_unique<CPlayerPict>();  // the default picture: nothing to upload
        } else {
            own->state = CPlayerPict::kRequested;
            own->stamp = PictureStamp(ownPictureFile, own->size);
        }
    } else {
        own = std::make_unique<CPlayerPict>();
    }

    impl_->worker = std::make_unique<CLobbyThread>(impl_->endpoint, player, std::move(own));
    impl_->worker->Start();
}

void CLobby::Leave() {
    if (!impl_->worker) return;
    impl_->worker->CloseSocket();
    impl_->worker->Join();
    impl_->worker.reset();
}

bool CLobby::IsLeavable() { return !impl_->worker || impl_->worker->IsReady(); }

int CLobby::GetID() { return impl_->Connected() ? impl_->worker->State().GetOwnId() : -1; }

CLobbyMsg CLobby::GetMsg() {
    if (!impl_->worker) return CLobbyMsg();
    const int error = impl_->worker->GetError();
    if (error != kErrorNone) {
        auto* record = new CLobbyError(error);
        if (error == kErrorMaintenance) record->SetMsg(impl_->worker->GetMaintenanceText().c_str());
        return CLobbyMsg(LOBBY_MSG_ERROR, record);
    }
    if (impl_->Connected()) return impl_->worker->State().PopMessage();
    return CLobbyMsg();
}

void CLobby::ReleaseMsg(CLobbyMsg& msg) {
    delete msg.data;
    msg.data = nullptr;
}

const CPlayerList& CLobby::GetPlayerList() {
    if (impl_->Connected()) impl_->worker->State().CopyPlayers(impl_->players);
    return impl_->players;
}

const CRoomList& CLobby::GetRoomList() {
    if (impl_->Connected()) impl_->worker->State().CopyRooms(impl_->rooms);
    return impl_->rooms;
}

const CChat& CLobby::GetChat() {
    if (impl_->Connected()) impl_->worker->State().CopyChat(impl_->chat);
    return impl_->chat;
}

const CPlayerPict& CLobby::GetPlayerPict(int playerId) {
    if (playerId == 0 || !impl_->Connected()) return impl_->defaultPicture;
    CLobbyState& state = impl_->worker->State();
    state.GetPicture(playerId, impl_->answer);
    if (impl_->answer.state == CPlayerPict::kStale) {
        state.MarkRequested(playerId);
        impl_->worker->Send(CSendablePCRQ(static_cast<uint32_t>(playerId)));
    }
    return impl_->answer.state == CPlayerPict::kNone ? impl_->defaultPicture : impl_->answer;
}

void CLobby::Update(const CPlayer& player) {
    if (impl_->Connected()) impl_->worker->Send(CSendableUPDT(player, static_cast<uint16_t>(impl_->racePort)));
}

void CLobby::Chat(const char* text, int kind, int target) {
    if (impl_->Connected())
        impl_->worker->Send(CSendableSAID(static_cast<uint32_t>(target), static_cast<uint8_t>(kind), text));
}

bool CLobby::BattleRequest(int playerId, bool flag) {
    if (!impl_->Connected() || playerId == GetID()) return false;
    impl_->worker->Send(CSendableBTST(static_cast<uint32_t>(playerId), flag));
    return true;
}

void CLobby::BattleAcknowledge(BATTLE_ACKNOWLEDGE answer) {
    const uint8_t code = answer == 0 ? 0 : answer == 1 ? 5 : 4;
    if (impl_->Connected()) impl_->worker->Send(CSendableBTSR(code));
}

void CLobby::BattleFinish(BATTLE_RESULT result) {
    if (impl_->Connected()) impl_->worker->Send(CSendableBTFN(static_cast<uint8_t>(result)));
}

bool CLobby::RoomCreate(const char* name, int course, int laps) {
    if (!impl_->Connected() || laps < 1 || laps > 16 || !name || name[0] == '\0') return false;
    impl_->worker->Send(CSendableRMCT(name, static_cast<uint8_t>(course), static_cast<uint8_t>(laps),
                                      static_cast<uint16_t>(impl_->racePort)));
    return true;
}

bool CLobby::RoomEnter(int roomId) {
    if (!impl_->Connected()) return false;
    impl_->worker->Send(CSendableRMET(static_cast<uint32_t>(roomId)));
    return true;
}

bool CLobby::RoomLeave() {
    if (!impl_->Connected()) return false;
    impl_->worker->Send(CSendableRMCN());
    return true;
}

bool CLobby::RoomStart() {
    if (!impl_->Connected()) return false;
    impl_->worker->Send(CSendableRMST());
    return true;
}

void CLobby::RoomFinish(BATTLE_RESULT result) {
    if (impl_->Connected()) impl_->worker->Send(CSendableRMFN(static_cast<uint8_t>(result)));
}

void CLobby::ChatSelf(const char* const* lines, int count) {
    if (impl_->Connected()) impl_->worker->State().AddLocalLines(lines, count);
}

void CLobby::ChatSelf(const char* line) {
    if (impl_->Connected()) impl_->worker->State().AddLocalLine(line ? line : "");
}

}  // namespace lobby
