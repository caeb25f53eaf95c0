// LobbyWire.h -- the test server's own encoders and decoders of lobby messages,
// written from the message tables alone (no library message class is used).
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lobbytest {

using Bytes = std::vector<uint8_t>;
using Ip4 = std::array<uint8_t, 4>;

// Appends little-endian values and zero-filled text fields.
class WireWriter {
public:
    explicit WireWriter(const char* code = nullptr);
    WireWriter& U8(uint32_t v);
    WireWriter& U16(uint32_t v);
    WireWriter& U32(uint32_t v);
    WireWriter& U64(uint64_t v);
    WireWriter& Raw(const void* p, size_t n);
    WireWriter& Text(const std::string& s, size_t width);  // cut or zero-filled to width
    const Bytes& bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

// Reads little-endian values; a read past the end sets !ok() and yields zeros.
class WireReader {
public:
    explicit WireReader(const Bytes& b, size_t start = 0) : b_(b), pos_(start) {}
    uint32_t U8();
    uint32_t U16();
    uint32_t U32();
    uint64_t U64();
    Bytes Raw(size_t n);
    std::string Text(size_t width);  // up to the first zero
    bool ok() const { return ok_; }
    size_t left() const { return ok_ ? b_.size() - pos_ : 0; }

private:
    bool Need(size_t n);
    const Bytes& b_;
    size_t pos_;
    bool ok_ = true;
};

// A player as the server knows it.
struct PlayerInfo {
    uint32_t id = 0;
    std::string name, team, comment;
    uint32_t record[6] = {};
    uint32_t tableA[132] = {};
    uint32_t tableB[132] = {};
    uint32_t status1 = 0, status2 = 0;
    uint32_t port = 0;  // only in blocks the client sends
};

struct ChatLine {
    uint32_t id1 = 0, id2 = 0, kind = 0, time = 0;
    std::string name, text;
};

struct RoomMember {
    uint32_t id;
    Ip4 address;
};

struct RoomInfo {
    uint32_t id = 0;
    std::string name;
    uint32_t course = 0, laps = 1;
    std::vector<RoomMember> members;
    int countOverride = -1;  // member count byte sent instead of members.size()
    uint32_t started = 0;
};

// Server-to-client plaintexts (code first).
Bytes EncSTUR(uint32_t id, uint32_t result, uint64_t stamp);
Bytes EncSTUP(const PlayerInfo& p, uint32_t busy);
Bytes EncUPDT(const PlayerInfo& p);
Bytes EncFNSH(uint32_t id);
Bytes EncSAID(const std::vector<ChatLine>& lines);
Bytes EncBTST(uint32_t id, Ip4 address, uint32_t flag);
Bytes EncBTSR(uint32_t code, Ip4 address, uint32_t port);
Bytes EncBTTL(uint32_t id, uint32_t busy, bool hasResult, uint32_t result, const std::string& n1,
              const std::string& n2);
Bytes EncRMRP(uint32_t result);
Bytes EncRMST(uint32_t room, Ip4 address, uint32_t port);
Bytes EncRMTC(const RoomInfo& r);
Bytes EncRMTD(uint32_t room);
Bytes EncRMTL(const RoomInfo& r, uint32_t action, uint32_t player);
Bytes EncPCUP(uint32_t id, uint64_t stamp);
Bytes EncPCUR(uint32_t result);
Bytes EncPCDT(uint32_t id, const Bytes& picture, uint64_t stamp);

// Client-to-server messages, decoded.
struct ClientMsg {
    std::string code;
    Bytes body;  // after the code
};
PlayerInfo DecodePlayerOut(WireReader& r);
struct StupOut {
    PlayerInfo player;
    uint32_t protocol;
    std::string guid;
};
StupOut DecodeSTUP(const ClientMsg& m);
struct SaidOut {
    uint32_t target, kind, length;
    std::string text;
};
SaidOut DecodeSAID(const ClientMsg& m);
struct RmctOut {
    std::string name;
    uint32_t course, laps, port;
};
RmctOut DecodeRMCT(const ClientMsg& m);
struct PcupOut {
    Bytes picture;
    uint64_t stamp;
};
PcupOut DecodePCUP(const ClientMsg& m);

// Frames and enciphers a server-to-client plaintext: u32 length, DES-CBC.
Bytes Frame(const Bytes& plaintext);
// Deciphers a client frame body; false on bad length or padding.
bool Unframe(const Bytes& cipher, Bytes* plaintext);

}  // namespace lobbytest
