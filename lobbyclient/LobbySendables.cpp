// LobbySendables.cpp -- field writers of the outgoing lobby messages.
#include "lobbyclient/LobbySendables.h"

#include <cstring>

namespace lobby {
namespace {

// Writes a fixed text field: at most `size` characters, zero-filled after.
void PutText(ByteBuffer& buffer, const char* text, uint32_t size) {
    uint8_t field[128] = {};
    const size_t n = strnlen(text, size);
    std::memcpy(field, text, n);
    buffer.put(field, size);
}

}  // namespace

CLobbySendable::CLobbySendable(const char code[5]) { std::memcpy(code_, code, 4); }

void WritePlayerBlock(ByteBuffer& buffer, const CPlayer& player, uint16_t port) {
    PutText(buffer, player.name, 16);
    PutText(buffer, player.team, 16);
    buffer.putU8(static_cast<uint8_t>(player.record.value[0]));
    buffer.putU8(static_cast<uint8_t>(player.record.value[1]));
    for (int i = 2; i < 6; ++i) buffer.putU16(static_cast<uint16_t>(player.record.value[i]));
    for (const auto& row : player.tableA)
        for (int v : row) buffer.putU32(static_cast<uint32_t>(v));
    for (const auto& row : player.tableB)
        for (int v : row) buffer.putU32(static_cast<uint32_t>(v));
    buffer.putU16(port);
    PutText(buffer, player.comment, 96);
}

void CSendableSTUP::Write(ByteBuffer& buffer) const {
    WritePlayerBlock(buffer, player_, port_);
    buffer.putU32(protocol_);
    PutText(buffer, guid_.c_str(), 38);
}

void CSendableUPDT::Write(ByteBuffer& buffer) const { WritePlayerBlock(buffer, player_, port_); }

CSendableSAID::CSendableSAID(uint32_t target, uint8_t kind, const char* text)
    : CLobbySendable("SAID"), target_(target), kind_(kind), text_(text ? text : "") {
    if (text_.size() > 96) text_.resize(96);
}

void CSendableSAID::Write(ByteBuffer& buffer) const {
    buffer.putU32(target_);
    buffer.putU8(kind_);
    buffer.putU8(static_cast<uint8_t>(text_.size()));
    buffer.put(text_.data(), static_cast<uint32_t>(text_.size()));
}

void CSendableBTST::Write(ByteBuffer& buffer) const {
    buffer.putU32(player_);
    buffer.putU8(flag_ ? 1 : 0);
}

void CSendableByte::Write(ByteBuffer& buffer) const { buffer.putU8(value_); }

CSendableRMCT::CSendableRMCT(const char* name, uint8_t course, uint8_t laps, uint16_t port)
    : CLobbySendable("RMCT"), name_(), course_(course), laps_(laps), port_(port) {
    if (name) std::memcpy(name_, name, strnlen(name, sizeof name_));
}

void CSendableRMCT::Write(ByteBuffer& buffer) const {
    buffer.put(name_, sizeof name_);
    buffer.putU8(course_);
    buffer.putU8(laps_);
    buffer.putU16(port_);
}

void CSendableId::Write(ByteBuffer& buffer) const { buffer.putU32(id_); }

void CSendablePCUP::Write(ByteBuffer& buffer) const {
    const uint32_t size = picture_.size <= static_cast<uint32_t>(kPictureBytes) ? picture_.size : 0;
    buffer.putU32(size);
    buffer.put(picture_.picture, size);
    buffer.putU64(picture_.stamp);
}

}  // namespace lobby
