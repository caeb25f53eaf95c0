// LobbyReceivables.h -- the 16 messages the client receives, and their factory.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "lobbyclient/ByteBuffer.h"
#include "lobbyclient/LobbyRecords.h"

namespace lobby {

// Size of a player block as received (id, texts, record, tables, comment, status).
constexpr uint32_t kPlayerBlockInSize = 1200;

// Kinds the factory tags received messages with, in its matching order.
enum ReceivableKind {
    kKindSTUR = 0,
    kKindSTUP,
    kKindUPDT,
    kKindFNSH,
    kKindSAID,
    kKindBTST,
    kKindBTSR,
    kKindBTTL,
    kKindRMRP,
    kKindRMST,
    kKindRMTC,
    kKindRMTD,
    kKindRMTL,
    kKindPCUP,
    kKindPCUR,
    kKindPCDT,
    kReceivableKinds
};

// An incoming message; Read takes its fields with bounded reads, so a message
// shorter than its fields throws ByteBuffer::BufferUnderflowException. Bytes
// after the last field are ignored. Values from the server are untrusted:
// counts and sizes beyond what the records hold are bounded here.
class CLobbyReceivable {
public:
    virtual ~CLobbyReceivable() = default;
    virtual void Read(ByteBuffer& buffer) = 0;
};

// Reads a player block as received into `player` (busy is left alone).
void ReadPlayerBlock(ByteBuffer& buffer, CPlayer& player);

struct CReceivableSTUR : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    uint32_t id = 0;  // 0: login refused
    uint8_t result = 0;
    uint64_t stamp = 0;
};

struct CReceivableSTUP : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    CPlayer player;
    bool busy = false;
};

struct CReceivableUPDT : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    CPlayer player;
};

struct CReceivableFNSH : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    uint32_t id = 0;
};

struct CReceivableSAID : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    std::vector<CChat::CSaying> lines;  // in message order
    int clippedTexts = 0;               // texts longer than 96 bytes, cut
};

struct CReceivableBTST : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    uint32_t id = 0;
    unsigned char address[4] = {};
    uint8_t flag = 0;
};

struct CReceivableBTSR : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    uint8_t code = 0;
    unsigned char address[4] = {};
    uint16_t port = 0;
};

struct CReceivableBTTL : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    uint32_t id = 0;
    uint8_t busy = 0;
    uint8_t hasResult = 0;
    uint8_t result = 0;
    char name1[17] = {};
    char name2[17] = {};
};

struct CReceivableRMRP : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    uint8_t result = 0;
};

struct CReceivableRMST : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    uint32_t room = 0;
    unsigned char address[4] = {};
    uint16_t port = 0;
};

// A room as announced; member counts above 16 are clamped to 16.
struct CReceivableRMTC : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    CRoom room;
    int announcedMembers = 0;  // the count as sent
};

struct CReceivableRMTD : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    uint32_t room = 0;
};

struct CReceivableRMTL : CReceivableRMTC {
    void Read(ByteBuffer& b) override;
    uint8_t action = 0;
    uint32_t player = 0;
};

struct CReceivablePCUP : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    uint32_t id = 0;
    uint64_t stamp = 0;
};

struct CReceivablePCUR : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    uint8_t result = 0;
};

// A picture; one larger than the picture record is consumed and dropped
// (`oversized` set, no bytes kept).
struct CReceivablePCDT : CLobbyReceivable {
    void Read(ByteBuffer& b) override;
    uint32_t id = 0;
    uint32_t size = 0;
    std::vector<uint8_t> bytes;
    uint64_t stamp = 0;
    bool oversized = false;
};

// A received message: its kind, its code and the message itself.
struct CReceived {
    int kind;
    uint8_t code[4];
    std::unique_ptr<CLobbyReceivable> message;
};

// Builds and reads the message for `code` from `buffer` (positioned after the
// code); nullptr when the code matches none. Read failures propagate.
std::unique_ptr<CReceived> CreateReceivable(const uint8_t code[4], ByteBuffer& buffer);

// The code of a kind ("STUR" for 0 ...), 4 characters.
const char* ReceivableCode(int kind);

}  // namespace lobby
