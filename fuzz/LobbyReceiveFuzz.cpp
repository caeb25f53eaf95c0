// LobbyReceiveFuzz.cpp -- feeds untrusted bytes through the lobby receive path:
// raw frames (lengths, ciphertext) and well-enciphered plaintexts of any code,
// each message then applied to a lobby state whose copies and queue are read.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "lobbyclient/Crypt.h"
#include "lobbyclient/LobbyCipherKeys.h"
#include "lobbyclient/LobbyConnection.h"
#include "lobbyclient/LobbyState.h"
#include "platform/net/StreamSocket.h"

namespace {

// Hands out the input in pieces of `chunk` bytes, then reports the peer closed.
class MemoryStream : public platform::StreamSocket {
public:
    MemoryStream(std::vector<uint8_t> bytes, size_t chunk) : bytes_(std::move(bytes)), chunk_(chunk) {}
    Result Send(const void*, size_t size) override { return {Status::kOk, static_cast<long>(size), 0}; }
    Result Recv(void* data, size_t size) override {
        if (at_ >= bytes_.size()) return {Status::kClosed, 0, 0};
        size_t n = size < chunk_ ? size : chunk_;
        if (n > bytes_.size() - at_) n = bytes_.size() - at_;
        std::memcpy(data, bytes_.data() + at_, n);
        at_ += n;
        return {Status::kOk, static_cast<long>(n), 0};
    }
    void Shutdown() override {}

private:
    std::vector<uint8_t> bytes_;
    size_t chunk_;
    size_t at_ = 0;
};

const lobby::CCrypt& ClientCipher() {
    static const lobby::CCrypt crypt(lobby::kCipherPassword, lobby::kSendIV, lobby::kRecvIV);
    return crypt;
}

// Enciphers as the server would (the receive direction's IV).
const lobby::CCrypt& ServerCipher() {
    static const lobby::CCrypt crypt(lobby::kCipherPassword, lobby::kRecvIV, lobby::kRecvIV);
    return crypt;
}

// Input of mode 1: records of [u16 length][plaintext]; each becomes one frame.
std::vector<uint8_t> FramePlaintexts(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out;
    lobby::ByteBuffer buffer(lobby::kSendBufferSize);
    while (size >= 2) {
        size_t n = static_cast<size_t>(data[0] | data[1] << 8);
        data += 2;
        size -= 2;
        if (n > size) n = size;
        if (n > 20000) n = 20000;
        buffer.clear();
        buffer.putU32(0);
        buffer.put(data, static_cast<uint32_t>(n));
        buffer.flip();
        buffer.skip(4);
        buffer.mark();
        ServerCipher().Encrypt(buffer);
        buffer.flip();
        buffer.putU32At(0, buffer.limit() - 4);
        out.insert(out.end(), buffer.data(), buffer.data() + buffer.limit());
        data += n;
        size -= n;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const bool plaintexts = (data[0] & 1) != 0;
    const size_t chunk = data[1] ? data[1] : 20480;
    std::vector<uint8_t> bytes =
        plaintexts ? FramePlaintexts(data + 2, size - 2) : std::vector<uint8_t>(data + 2, data + size);
    lobby::CLobbyConnection conn(ClientCipher());
    conn.Attach(std::make_unique<MemoryStream>(std::move(bytes), chunk));
    static auto players = std::make_unique<lobby::CPlayerList>();
    static auto rooms = std::make_unique<lobby::CRoomList>();
    static auto chat = std::make_unique<lobby::CChat>();
    lobby::CLobbyState state(nullptr);
    for (;;) {
        std::unique_ptr<lobby::CReceived> received;
        if (conn.Receive(&received) != lobby::kRecvOk) break;
        if (!received) continue;
        state.Dispatch(*received);
        for (lobby::CLobbyMsg m = state.PopMessage(); m.type != lobby::LOBBY_MSG_NONE; m = state.PopMessage()) {
            delete m.data;
        }
    }
    state.CopyPlayers(*players);
    state.CopyRooms(*rooms);
    state.CopyChat(*chat);
    lobby::CPlayerPict picture;
    state.GetPicture(1, picture);
    return 0;
}
