// LobbyReceivables.cpp -- field readers of the incoming lobby messages and the factory.
#include "lobbyclient/LobbyReceivables.h"

#include <cstring>

#include "lobbyclient/LobbyLog.h"

namespace lobby {
namespace {

const char* const kCodes[kReceivableKinds] = {"STUR", "STUP", "UPDT", "FNSH", "SAID", "BTST", "BTSR", "BTTL",
                                              "RMRP", "RMST", "RMTC", "RMTD", "RMTL", "PCUP", "PCUR", "PCDT"};

// Reads a fixed text field of `size` bytes into `out` (room size + 1), terminated.
void GetText(ByteBuffer& b, char* out, uint32_t size) {
    b.get(out, size);
    out[size] = '\0';
}

void ReadRoom(ByteBuffer& b, CRoom& room, int& announced) {
    room.id = static_cast<int32_t>(b.getU32());
    GetText(b, room.name, 20);
    room.course = b.getU8();
    room.laps = b.getU8();
    announced = b.getU8();
    const int n = announced < kMaxRoomMembers ? announced : kMaxRoomMembers;
    for (int i = 0; i < kMaxRoomMembers; ++i) {
        if (i < n) {
            room.memberIds[i] = static_cast<int32_t>(b.getU32());
            b.get(room.memberAddr[i], 4);
        } else {
            room.memberIds[i] = -1;
            std::memset(room.memberAddr[i], 0, 4);
        }
    }
    room.memberCount = n;
    room.started = b.getU8() != 0 ? 1 : 0;
    if (announced > kMaxRoomMembers) Log("Lobby room %d has %d members, kept %d.\n", room.id, announced, n);
}

template <class T>
std::unique_ptr<CLobbyReceivable> Make() {
    return std::make_unique<T>();
}

}  // namespace

void ReadPlayerBlock(ByteBuffer& b, CPlayer& p) {
    p.id = static_cast<int32_t>(b.getU32());
    GetText(b, p.name, 16);
    GetText(b, p.team, 16);
    p.record.value[0] = b.getU8();
    p.record.value[1] = b.getU8();
    for (int i = 2; i < 6; ++i) p.record.value[i] = b.getU16();
    for (auto& row : p.tableA)
        for (int& v : row) v = static_cast<int32_t>(b.getU32());
    for (auto& row : p.tableB)
        for (int& v : row) v = static_cast<int32_t>(b.getU32());
    GetText(b, p.comment, 96);
    p.status1 = b.getU8();
    p.status2 = b.getU8();
}

void CReceivableSTUR::Read(ByteBuffer& b) {
    id = b.getU32();
    result = b.getU8();
    stamp = b.getU64();
}

void CReceivableSTUP::Read(ByteBuffer& b) {
    ReadPlayerBlock(b, player);
    busy = b.getU8() != 0;
    player.busy = busy ? 1 : 0;
}

void CReceivableUPDT::Read(ByteBuffer& b) { ReadPlayerBlock(b, player); }

void CReceivableFNSH::Read(ByteBuffer& b) { id = b.getU32(); }

void CReceivableSAID::Read(ByteBuffer& b) {
    const int n = b.getU8();
    lines.resize(static_cast<size_t>(n));
    for (CChat::CSaying& line : lines) {
        line.id1 = static_cast<int32_t>(b.getU32());
        line.id2 = static_cast<int32_t>(b.getU32());
        line.kind = b.getU8();
        line.time = static_cast<int32_t>(b.getU32());
        GetText(b, line.name, 16);
        const uint32_t length = b.getU8();
        uint8_t text[255];
        b.get(text, length);
        const uint32_t kept = length < 96 ? length : 96;
        if (kept < length) ++clippedTexts;
        std::memcpy(line.text, text, kept);
        line.text[kept] = '\0';
    }
    if (clippedTexts > 0) Log("Lobby chat lines cut to 96 bytes. (%d)\n", clippedTexts);
}

void CReceivableBTST::Read(ByteBuffer& b) {
    id = b.getU32();
    b.get(address, 4);
    flag = b.getU8();
}

void CReceivableBTSR::Read(ByteBuffer& b) {
    code = b.getU8();
    b.get(address, 4);
    port = b.getU16();
}

void CReceivableBTTL::Read(ByteBuffer& b) {
    id = b.getU32();
    busy = b.getU8();
    hasResult = b.getU8();
    if (hasResult != 0) {
        result = b.getU8();
        GetText(b, name1, 16);
        GetText(b, name2, 16);
    }
}

void CReceivableRMRP::Read(ByteBuffer& b) { result = b.getU8(); }

void CReceivableRMST::Read(ByteBuffer& b) {
    room = b.getU32();
    b.get(address, 4);
    port = b.getU16();
}

void CReceivableRMTC::Read(ByteBuffer& b) { ReadRoom(b, room, announcedMembers); }

void CReceivableRMTD::Read(ByteBuffer& b) { room = b.getU32(); }

void CReceivableRMTL::Read(ByteBuffer& b) {
    ReadRoom(b, room, announcedMembers);
    action = b.getU8();
    player = b.getU32();
    b.getU8();
}

void CReceivablePCUP::Read(ByteBuffer& b) {
    id = b.getU32();
    stamp = b.getU64();
}

void CReceivablePCUR::Read(ByteBuffer& b) { result = b.getU8(); }

void CReceivablePCDT::Read(ByteBuffer& b) {
    id = b.getU32();
    size = b.getU32();
    if (size > b.remaining()) throw ByteBuffer::BufferUnderflowException();
    if (size > static_cast<uint32_t>(kPictureBytes)) {
        oversized = true;
        Log("Lobby picture of player %u too large, dropped. (%u)\n", id, size);
        b.skip(size);
    } else {
        bytes.resize(size);
        b.get(bytes.data(), size);
    }
    stamp = b.getU64();
}

std::unique_ptr<CReceived> CreateReceivable(const uint8_t code[4], ByteBuffer& buffer) {
    using Factory = std::unique_ptr<CLobbyReceivable> (*)();
    static const Factory kFactories[kReceivableKinds] = {
        Make<CReceivableSTUR>, Make<CReceivableSTUP>, Make<CReceivableUPDT>, Make<CReceivableFNSH>,
        Make<CReceivableSAID>, Make<CReceivableBTST>, Make<CReceivableBTSR>, Make<CReceivableBTTL>,
        Make<CReceivableRMRP>, Make<CReceivableRMST>, Make<CReceivableRMTC>, Make<CReceivableRMTD>,
        Make<CReceivableRMTL>, Make<CReceivablePCUP>, Make<CReceivablePCUR>, Make<CReceivablePCDT>};
    for (int kind = 0; kind < kReceivableKinds; ++kind) {
        if (std::memcmp(code, kCodes[kind], 4) != 0) continue;
        auto received = std::make_unique<CReceived>();
        received->kind = kind;
        std::memcpy(received->code, code, 4);
        received->message = kFactories[kind]();
        received->message->Read(buffer);
        return received;
    }
    return nullptr;
}

const char* ReceivableCode(int kind) { return kind >= 0 && kind < kReceivableKinds ? kCodes[kind] : "????"; }

}  // namespace lobby
