// tmRaceMessages.h -- the network race messages: records, their little-endian wire form and its checks.
#pragma once
#include <cstddef>
#include <cstdint>

#include "machine/tmMachineSources.h"
#include "race/tmRaceState.h"

// Message types of the race network.
enum tmNetMessageType : uint32_t {
    kNetMsgEntry = 1,    // a player's own entry, to the host
    kNetMsgUnused = 2,   // entry-sized, never sent
    kNetMsgTable = 3,    // the host's player table, to all
    kNetMsgState = 4,    // a player's machine state, to all
    kNetMsgControl = 5,  // the host's race control, to all
};

constexpr int kNetPlayers = 16;         // rows of the player table
constexpr size_t kNetHeaderSize = 12;   // type, sender id, check word
constexpr size_t kNetEntrySize = 60;    // player entry
constexpr size_t kNetTableSize = 976;   // player table
constexpr size_t kNetStateSize = 48;    // machine state
constexpr size_t kNetControlSize = 24;  // race control
constexpr size_t kNetMaxDatagram = kNetHeaderSize + kNetTableSize;

// Session states of the player table.
enum tmNetSessionState : uint32_t { kNetSessionOpen = 0, kNetSessionStart = 1, kNetSessionCancelled = 2 };

// One player's entry in the waiting room.
struct tmNetPlayerEntry {
    uint32_t sequence = 0;
    uint32_t netId = 0;  // the player's IPv4 address, network order
    char driverName[kRaceNameSize] = {};
    char teamName[kRaceNameSize] = {};
    int32_t gridSlot = -1;  // -1 until the host assigns one
    uint32_t machine = 0;   // chosen machine id (0 = none yet)
    uint32_t variant = 0;   // chosen manual-gear flag
    uint8_t ready = 0;      // the choice is locked
};

// The host's player table: players in join order, each with its grid slot.
struct tmNetPlayerTable {
    uint32_t sequence = 0;
    tmNetPlayerEntry entries[kNetPlayers];
    uint32_t count = 0;
    uint32_t sessionState = kNetSessionOpen;
    uint32_t course = 0;  // 0 while unknown
};

// The host's race control: the barrier phase and the published finishing order.
struct tmNetRaceControl {
    uint32_t sequence = 0;
    uint32_t phase = 0;          // 0, then 1, 3, 4
    uint8_t order[kNetPlayers];  // machine index at each position
    tmNetRaceControl() { ResetOrder(); }
    void ResetOrder() {
        for (int k = 0; k < kNetPlayers; ++k) order[k] = static_cast<uint8_t>(k);
    }
};

// Why a datagram was refused (kNetOk: it may be applied).
enum class tmNetVerdict {
    kOk,
    kShort,           // shorter than a header
    kUnknownType,     // type 0 or above 5
    kWrongLength,     // not exactly header + the type's payload
    kSenderMismatch,  // header id, payload id and source address disagree
    kBadCheck,        // check word does not match the payload
    kBadField,        // a payload field is out of range
};

// Payload size of a message type; 0 for a type without one (0, above 5).
size_t tmNetPayloadSize(uint32_t type);
// The check word: the CRC-32 register preset to 0xFFFFFFFF, not complemented.
uint32_t tmNetCheckWord(const void* payload, size_t size);

struct tmNetHeader {
    uint32_t type = 0;
    uint32_t sender = 0;
    uint32_t check = 0;
};
void tmNetWriteHeader(const tmNetHeader& header, uint8_t* out);
tmNetHeader tmNetReadHeader(const uint8_t* in);

// Writers put exactly the record's size at out. Readers take exactly that
// many bytes, refuse (false, *out untouched) a record with any field out of
// range, and never read past the size.
void tmNetWriteEntry(const tmNetPlayerEntry& entry, uint8_t* out);
bool tmNetReadEntry(const uint8_t* in, tmNetPlayerEntry* out);
void tmNetWriteTable(const tmNetPlayerTable& table, uint8_t* out);
// Rows beyond the count are not checked and come back as empty rows.
bool tmNetReadTable(const uint8_t* in, tmNetPlayerTable* out);
void tmNetWriteState(const tmPeerMachineState& state, uint8_t* out);
bool tmNetReadState(const uint8_t* in, tmPeerMachineState* out);
void tmNetWriteControl(const tmNetRaceControl& control, uint8_t* out);
bool tmNetReadControl(const uint8_t* in, tmNetRaceControl* out);

// Builds a whole datagram (header and payload) of a type; returns its length.
size_t tmNetBuildDatagram(uint32_t type, uint32_t sender, const uint8_t* payload, uint8_t* out);

// Field checks shared by the readers and the session.
bool tmNetIsEntryValid(const tmNetPlayerEntry& entry);
bool tmNetIsTableValid(const tmNetPlayerTable& table);
bool tmNetIsStateValid(const tmPeerMachineState& state);
bool tmNetIsControlValid(const tmNetRaceControl& control);
