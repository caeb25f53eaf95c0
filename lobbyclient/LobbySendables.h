// LobbySendables.h -- the 13 messages the client sends, each writing its fields.
#pragma once
#include <cstdint>
#include <string>

#include "lobbyclient/ByteBuffer.h"
#include "lobbyclient/LobbyRecords.h"

namespace lobby {

// Size of a player block as sent (name, team, record, two tables, port, comment).
constexpr uint32_t kPlayerBlockOutSize = 1196;

// An outgoing message: its 4-byte code and the fields Write appends after it.
class CLobbySendable {
public:
    explicit CLobbySendable(const char code[5]);
    virtual ~CLobbySendable() = default;
    virtual void Write(ByteBuffer& buffer) const = 0;
    const uint8_t* Code() const { return code_; }

private:
    uint8_t code_[4];
};

// Writes a player block as sent, with `port` between the tables and the comment.
void WritePlayerBlock(ByteBuffer& buffer, const CPlayer& player, uint16_t port);

class CSendableSTUP : public CLobbySendable {
public:
    CSendableSTUP(const CPlayer& player, uint16_t port, uint32_t protocol, const std::string& guid)
        : CLobbySendable("STUP"), player_(player), port_(port), protocol_(protocol), guid_(guid) {}
    void Write(ByteBuffer& buffer) const override;

private:
    const CPlayer& player_;
    uint16_t port_;
    uint32_t protocol_;
    std::string guid_;
};

class CSendableUPDT : public CLobbySendable {
public:
    CSendableUPDT(const CPlayer& player, uint16_t port) : CLobbySendable("UPDT"), player_(player), port_(port) {}
    void Write(ByteBuffer& buffer) const override;

private:
    const CPlayer& player_;
    uint16_t port_;
};

class CSendableSAID : public CLobbySendable {
public:
    CSendableSAID(uint32_t target, uint8_t kind, const char* text);
    void Write(ByteBuffer& buffer) const override;

private:
    uint32_t target_;
    uint8_t kind_;
    std::string text_;  // at most 96 bytes
};

class CSendableBTST : public CLobbySendable {
public:
    CSendableBTST(uint32_t player, bool flag) : CLobbySendable("BTST"), player_(player), flag_(flag) {}
    void Write(ByteBuffer& buffer) const override;

private:
    uint32_t player_;
    bool flag_;
};

// A message of one byte after the code (BTSR, BTFN, RMFN).
class CSendableByte : public CLobbySendable {
public:
    CSendableByte(const char code[5], uint8_t value) : CLobbySendable(code), value_(value) {}
    void Write(ByteBuffer& buffer) const override;

private:
    uint8_t value_;
};

class CSendableBTSR : public CSendableByte {
public:
    explicit CSendableBTSR(uint8_t answer) : CSendableByte("BTSR", answer) {}
};

class CSendableBTFN : public CSendableByte {
public:
    explicit CSendableBTFN(uint8_t result) : CSendableByte("BTFN", result) {}
};

class CSendableRMFN : public CSendableByte {
public:
    explicit CSendableRMFN(uint8_t result) : CSendableByte("RMFN", result) {}
};

class CSendableRMCT : public CLobbySendable {
public:
    CSendableRMCT(const char* name, uint8_t course, uint8_t laps, uint16_t port);
    void Write(ByteBuffer& buffer) const override;

private:
    char name_[20];
    uint8_t course_;
    uint8_t laps_;
    uint16_t port_;
};

// A message of one u32 after the code (RMET, PCRQ).
class CSendableId : public CLobbySendable {
public:
    CSendableId(const char code[5], uint32_t id) : CLobbySendable(code), id_(id) {}
    void Write(ByteBuffer& buffer) const override;

private:
    uint32_t id_;
};

class CSendableRMET : public CSendableId {
public:
    explicit CSendableRMET(uint32_t room) : CSendableId("RMET", room) {}
};

class CSendablePCRQ : public CSendableId {
public:
    explicit CSendablePCRQ(uint32_t player) : CSendableId("PCRQ", player) {}
};

// A message with no fields (RMCN, RMST).
class CSendableEmpty : public CLobbySendable {
public:
    explicit CSendableEmpty(const char code[5]) : CLobbySendable(code) {}
    void Write(ByteBuffer&) const override {}
};

class CSendableRMCN : public CSendableEmpty {
public:
    CSendableRMCN() : CSendableEmpty("RMCN") {}
};

class CSendableRMST : public CSendableEmpty {
public:
    CSendableRMST() : CSendableEmpty("RMST") {}
};

class CSendablePCUP : public CLobbySendable {
public:
    explicit CSendablePCUP(const CPlayerPict& picture) : CLobbySendable("PCUP"), picture_(picture) {}
    void Write(ByteBuffer& buffer) const override;

private:
    const CPlayerPict& picture_;
};

}  // namespace lobby
