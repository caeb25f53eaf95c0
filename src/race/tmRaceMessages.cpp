// tmRaceMessages.cpp -- field-by-field little-endian wire form of the network race messages.
#include "race/tmRaceMessages.h"

#include <cmath>
#include <cstring>

#include "format/ByteIO.h"
#include "machine/tmMachineParams.h"
#include "sys/base/tmFile.h"
#include "table/CourseTable.h"
#include "table/MachineTable.h"

static_assert(kNetHeaderSize + kNetEntrySize == 72, "entry datagrams are 72 bytes");
static_assert(kNetHeaderSize + kNetTableSize == 988, "table datagrams are 988 bytes");
static_assert(kNetHeaderSize + kNetStateSize == 60, "state datagrams are 60 bytes");
static_assert(kNetHeaderSize + kNetControlSize == 36, "control datagrams are 36 bytes");
static_assert(kNetTableSize == 4 + kNetPlayers * kNetEntrySize + 12, "the table is its entries and four words");

namespace {

using zfmt::LoadU32;
using zfmt::StoreU32;

uint32_t FloatBits(float v) {
    uint32_t u;
    std::memcpy(&u, &v, sizeof u);
    return u;
}
float BitsFloat(uint32_t u) {
    float v;
    std::memcpy(&v, &u, sizeof v);
    return v;
}

// A name field is valid when it holds its terminator.
bool Terminated(const char* name) { return std::memchr(name, 0, kRaceNameSize) != nullptr; }

bool Finite(float v) { return std::isfinite(v); }

}  // namespace

size_t tmNetPayloadSize(uint32_t type) {
    switch (type) {
        case kNetMsgEntry:
        case kNetMsgUnused: return kNetEntrySize;
        case kNetMsgTable: return kNetTableSize;
        case kNetMsgState: return kNetStateSize;
        case kNetMsgControl: return kNetControlSize;
        default: return 0;
    }
}

uint32_t tmNetCheckWord(const void* payload, size_t size) { return tmCrc32(0xFFFFFFFFu, payload, size); }

void tmNetWriteHeader(const tmNetHeader& header, uint8_t* out) {
    StoreU32(out + 0, header.type);
    StoreU32(out + 4, header.sender);
    StoreU32(out + 8, header.check);
}

tmNetHeader tmNetReadHeader(const uint8_t* in) {
    tmNetHeader h;
    h.type = LoadU32(in + 0);
    h.sender = LoadU32(in + 4);
    h.check = LoadU32(in + 8);
    return h;
}

// ---------------------------------------------------------------- entry (60 bytes)

void tmNetWriteEntry(const tmNetPlayerEntry& e, uint8_t* out) {
    std::memset(out, 0, kNetEntrySize);
    StoreU32(out + 0, e.sequence);
    StoreU32(out + 4, e.netId);
    std::memcpy(out + 8, e.driverName, kRaceNameSize);
    std::memcpy(out + 25, e.teamName, kRaceNameSize);
    // 42..43 padding
    StoreU32(out + 44, static_cast<uint32_t>(e.gridSlot));
    StoreU32(out + 48, e.machine);
    StoreU32(out + 52, e.variant);
    out[56] = e.ready;
    // 57..58 reserved, 59 padding: zero
}

bool tmNetIsEntryValid(const tmNetPlayerEntry& e) {
    return e.netId != 0 && Terminated(e.driverName) && Terminated(e.teamName) && e.gridSlot >= -1 &&
           e.gridSlot < kNetPlayers && e.machine <= static_cast<uint32_t>(kLastMachineId) && e.variant <= 1 &&
           e.ready <= 1;
}

namespace {
void ReadEntryFields(const uint8_t* in, tmNetPlayerEntry* e) {
    e->sequence = LoadU32(in + 0);
    e->netId = LoadU32(in + 4);
    std::memcpy(e->driverName, in + 8, kRaceNameSize);
    std::memcpy(e->teamName, in + 25, kRaceNameSize);
    e->gridSlot = static_cast<int32_t>(LoadU32(in + 44));
    e->machine = LoadU32(in + 48);
    e->variant = LoadU32(in + 52);
    e->ready = in[56];
}
}  // namespace

bool tmNetReadEntry(const uint8_t* in, tmNetPlayerEntry* out) {
    tmNetPlayerEntry e;
    ReadEntryFields(in, &e);
    if (!tmNetIsEntryValid(e)) return false;
    *out = e;
    return true;
}

// ---------------------------------------------------------------- table (976 bytes)

void tmNetWriteTable(const tmNetPlayerTable& t, uint8_t* out) {
    StoreU32(out + 0, t.sequence);
    for (int i = 0; i < kNetPlayers; ++i) tmNetWriteEntry(t.entries[i], out + 4 + kNetEntrySize * i);
    StoreU32(out + 964, t.count);
    StoreU32(out + 968, t.sessionState);
    StoreU32(out + 972, t.course);
}

bool tmNetIsTableValid(const tmNetPlayerTable& t) {
    if (t.count < 1 || t.count > static_cast<uint32_t>(kNetPlayers)) return false;
    if (t.sessionState > kNetSessionCancelled) return false;
    if (t.course > static_cast<uint32_t>(kLastCourseId)) return false;
    bool slotSeen[kNetPlayers] = {};
    for (uint32_t i = 0; i < t.count; ++i) {
        const tmNetPlayerEntry& e = t.entries[i];
        if (!tmNetIsEntryValid(e)) return false;
        // Grid slots are race entrant indices: a permutation of 0..count-1.
        if (e.gridSlot < 0 || static_cast<uint32_t>(e.gridSlot) >= t.count || slotSeen[e.gridSlot]) return false;
        slotSeen[e.gridSlot] = true;
        // Ids are send destinations and look-up keys: distinct.
        for (uint32_t j = 0; j < i; ++j)
            if (t.entries[j].netId == e.netId) return false;
    }
    return true;
}

bool tmNetReadTable(const uint8_t* in, tmNetPlayerTable* out) {
    tmNetPlayerTable t;
    t.sequence = LoadU32(in + 0);
    t.count = LoadU32(in + 964);
    t.sessionState = LoadU32(in + 968);
    t.course = LoadU32(in + 972);
    if (t.count > static_cast<uint32_t>(kNetPlayers)) return false;
    for (uint32_t i = 0; i < t.count; ++i) ReadEntryFields(in + 4 + kNetEntrySize * i, &t.entries[i]);
    if (!tmNetIsTableValid(t)) return false;
    *out = t;
    return true;
}

// ---------------------------------------------------------------- machine state (48 bytes)

void tmNetWriteState(const tmPeerMachineState& s, uint8_t* out) {
    StoreU32(out + 0, s.sequence);
    StoreU32(out + 4, s.barrier);
    StoreU32(out + 8, s.raceTimeMs);
    StoreU32(out + 12, FloatBits(s.x));
    StoreU32(out + 16, FloatBits(s.z));
    StoreU32(out + 20, FloatBits(s.yaw));
    StoreU32(out + 24, FloatBits(s.steering));
    StoreU32(out + 28, FloatBits(s.accelerator));
    StoreU32(out + 32, FloatBits(s.brake));
    StoreU32(out + 36, s.gear);
    StoreU32(out + 40, s.bodyMode);
    StoreU32(out + 44, FloatBits(s.speed));
}

bool tmNetIsStateValid(const tmPeerMachineState& s) {
    const bool barrier = s.barrier == 0 || s.barrier == 1 || s.barrier == 3 || s.barrier == 4;
    return barrier && Finite(s.x) && Finite(s.z) && Finite(s.yaw) && Finite(s.steering) && Finite(s.accelerator) &&
           Finite(s.brake) && Finite(s.speed) && s.gear < static_cast<uint32_t>(tmMachineParams::kGearRows) &&
           s.bodyMode <= 3;
}

bool tmNetReadState(const uint8_t* in, tmPeerMachineState* out) {
    tmPeerMachineState s;
    s.sequence = LoadU32(in + 0);
    s.barrier = LoadU32(in + 4);
    s.raceTimeMs = LoadU32(in + 8);
    s.x = BitsFloat(LoadU32(in + 12));
    s.z = BitsFloat(LoadU32(in + 16));
    s.yaw = BitsFloat(LoadU32(in + 20));
    s.steering = BitsFloat(LoadU32(in + 24));
    s.accelerator = BitsFloat(LoadU32(in + 28));
    s.brake = BitsFloat(LoadU32(in + 32));
    s.gear = LoadU32(in + 36);
    s.bodyMode = LoadU32(in + 40);
    s.speed = BitsFloat(LoadU32(in + 44));
    if (!tmNetIsStateValid(s)) return false;
    *out = s;
    return true;
}

// ---------------------------------------------------------------- race control (24 bytes)

void tmNetWriteControl(const tmNetRaceControl& c, uint8_t* out) {
    StoreU32(out + 0, c.sequence);
    StoreU32(out + 4, c.phase);
    std::memcpy(out + 8, c.order, kNetPlayers);
}

bool tmNetIsControlValid(const tmNetRaceControl& c) {
    if (c.phase != 0 && c.phase != 1 && c.phase != 3 && c.phase != 4) return false;
    // The order rearranges 16 records: a permutation of 0..15.
    bool seen[kNetPlayers] = {};
    for (uint8_t m : c.order) {
        if (m >= kNetPlayers || seen[m]) return false;
        seen[m] = true;
    }
    return true;
}

bool tmNetReadControl(const uint8_t* in, tmNetRaceControl* out) {
    tmNetRaceControl c;
    c.sequence = LoadU32(in + 0);
    c.phase = LoadU32(in + 4);
    std::memcpy(c.order, in + 8, kNetPlayers);
    if (!tmNetIsControlValid(c)) return false;
    *out = c;
    return true;
}

size_t tmNetBuildDatagram(uint32_t type, uint32_t sender, const uint8_t* payload, uint8_t* out) {
    const size_t size = tmNetPayloadSize(type);
    tmNetHeader h;
    h.type = type;
    h.sender = sender;
    h.check = tmNetCheckWord(payload, size);
    tmNetWriteHeader(h, out);
    std::memmove(out + kNetHeaderSize, payload, size);
    return kNetHeaderSize + size;
}
