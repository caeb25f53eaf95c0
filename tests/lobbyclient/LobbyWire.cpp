// LobbyWire.cpp -- the test server's message encoders, decoders and frame cipher.
#include "lobbyclient/LobbyWire.h"

#include <cstring>

#include "lobbyclient/LobbyCipherKeys.h"
#include "platform/crypto/Crypto.h"

namespace lobbytest {

WireWriter::WireWriter(const char* code) {
    if (code) Raw(code, 4);
}

WireWriter& WireWriter::U8(uint32_t v) { return Raw(&v, 1); }

WireWriter& WireWriter::U16(uint32_t v) {
    const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
    return Raw(b, 2);
}

WireWriter& WireWriter::U32(uint32_t v) {
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    return Raw(b, 4);
}

WireWriter& WireWriter::U64(uint64_t v) {
    U32(static_cast<uint32_t>(v));
    return U32(static_cast<uint32_t>(v >> 32));
}

WireWriter& WireWriter::Raw(const void* p, size_t n) {
    const uint8_t* q = static_cast<const uint8_t*>(p);
    bytes_.insert(bytes_.end(), q, q + n);
    return *this;
}

WireWriter& WireWriter::Text(const std::string& s, size_t width) {
    for (size_t i = 0; i < width; ++i) bytes_.push_back(i < s.size() ? static_cast<uint8_t>(s[i]) : 0);
    return *this;
}

bool WireReader::Need(size_t n) {
    if (!ok_ || b_.size() - pos_ < n) ok_ = false;
    return ok_;
}

uint32_t WireReader::U8() { return Need(1) ? b_[pos_++] : 0; }

uint32_t WireReader::U16() {
    const uint32_t lo = U8();
    return lo | U8() << 8;
}

uint32_t WireReader::U32() {
    const uint32_t lo = U16();
    return lo | U16() << 16;
}

uint64_t WireReader::U64() {
    const uint64_t lo = U32();
    return lo | static_cast<uint64_t>(U32()) << 32;
}

Bytes WireReader::Raw(size_t n) {
    if (!Need(n)) return {};
    Bytes out(b_.begin() + static_cast<long>(pos_), b_.begin() + static_cast<long>(pos_ + n));
    pos_ += n;
    return out;
}

std::string WireReader::Text(size_t width) {
    const Bytes raw = Raw(width);
    std::string s(raw.begin(), raw.end());
    return s.substr(0, s.find('\0'));
}

namespace {

void PlayerIn(WireWriter& w, const PlayerInfo& p) {
    w.U32(p.id).Text(p.name, 16).Text(p.team, 16);
    w.U8(p.record[0]).U8(p.record[1]);
    for (int i = 2; i < 6; ++i) w.U16(p.record[i]);
    for (uint32_t v : p.tableA) w.U32(v);
    for (uint32_t v : p.tableB) w.U32(v);
    w.Text(p.comment, 96).U8(p.status1).U8(p.status2);
}

void Room(WireWriter& w, const RoomInfo& r) {
    w.U32(r.id).Text(r.name, 20).U8(r.course).U8(r.laps);
    w.U8(r.countOverride >= 0 ? static_cast<uint32_t>(r.countOverride) : static_cast<uint32_t>(r.members.size()));
    for (const RoomMember& m : r.members) w.U32(m.id).Raw(m.address.data(), 4);
    w.U8(r.started);
}

platform::DesCbc& Cipher() {
    static platform::DesCbc* des = [] {
        uint8_t digest[platform::kSha1Size];
        platform::Sha1(lobby::kCipherPassword, 8, digest);
        return new platform::DesCbc(digest);
    }();
    return *des;
}

}  // namespace

Bytes EncSTUR(uint32_t id, uint32_t result, uint64_t stamp) {
    return WireWriter("STUR").U32(id).U8(result).U64(stamp).bytes();
}

Bytes EncSTUP(const PlayerInfo& p, uint32_t busy) {
    WireWriter w("STUP");
    PlayerIn(w, p);
    return w.U8(busy).bytes();
}

Bytes EncUPDT(const PlayerInfo& p) {
    WireWriter w("UPDT");
    PlayerIn(w, p);
    return w.bytes();
}

Bytes EncFNSH(uint32_t id) { return WireWriter("FNSH").U32(id).bytes(); }

Bytes EncSAID(const std::vector<ChatLine>& lines) {
    WireWriter w("SAID");
    w.U8(static_cast<uint32_t>(lines.size()));
    for (const ChatLine& l : lines) {
        w.U32(l.id1).U32(l.id2).U8(l.kind).U32(l.time).Text(l.name, 16);
        w.U8(static_cast<uint32_t>(l.text.size())).Raw(l.text.data(), l.text.size());
    }
    return w.bytes();
}

Bytes EncBTST(uint32_t id, Ip4 address, uint32_t flag) {
    return WireWriter("BTST").U32(id).Raw(address.data(), 4).U8(flag).bytes();
}

Bytes EncBTSR(uint32_t code, Ip4 address, uint32_t port) {
    return WireWriter("BTSR").U8(code).Raw(address.data(), 4).U16(port).bytes();
}

Bytes EncBTTL(uint32_t id, uint32_t busy, bool hasResult, uint32_t result, const std::string& n1,
              const std::string& n2) {
    WireWriter w("BTTL");
    w.U32(id).U8(busy).U8(hasResult ? 1 : 0);
    if (hasResult) w.U8(result).Text(n1, 16).Text(n2, 16);
    return w.bytes();
}

Bytes EncRMRP(uint32_t result) { return WireWriter("RMRP").U8(result).bytes(); }

Bytes EncRMST(uint32_t room, Ip4 address, uint32_t port) {
    return WireWriter("RMST").U32(room).Raw(address.data(), 4).U16(port).bytes();
}

Bytes EncRMTC(const RoomInfo& r) {
    WireWriter w("RMTC");
    Room(w, r);
    return w.bytes();
}

Bytes EncRMTD(uint32_t room) { return WireWriter("RMTD").U32(room).bytes(); }

Bytes EncRMTL(const RoomInfo& r, uint32_t action, uint32_t player) {
    WireWriter w("RMTL");
    Room(w, r);
    return w.U8(action).U32(player).U8(0).bytes();
}

Bytes EncPCUP(uint32_t id, uint64_t stamp) { return WireWriter("PCUP").U32(id).U64(stamp).bytes(); }

Bytes EncPCUR(uint32_t result) { return WireWriter("PCUR").U8(result).bytes(); }

Bytes EncPCDT(uint32_t id, const Bytes& picture, uint64_t stamp) {
    return WireWriter("PCDT")
        .U32(id)
        .U32(static_cast<uint32_t>(picture.size()))
        .Raw(picture.data(), picture.size())
        .U64(stamp)
        .bytes();
}

PlayerInfo DecodePlayerOut(WireReader& r) {
    PlayerInfo p;
    p.name = r.Text(16);
    p.team = r.Text(16);
    p.record[0] = r.U8();
    p.record[1] = r.U8();
    for (int i = 2; i < 6; ++i) p.record[i] = r.U16();
    for (uint32_t& v : p.tableA) v = r.U32();
    for (uint32_t& v : p.tableB) v = r.U32();
    p.port = r.U16();
    p.comment = r.Text(96);
    return p;
}

StupOut DecodeSTUP(const ClientMsg& m) {
    WireReader r(m.body);
    StupOut s;
    s.player = DecodePlayerOut(r);
    s.protocol = r.U32();
    s.guid = r.Text(38);
    return s;
}

SaidOut DecodeSAID(const ClientMsg& m) {
    WireReader r(m.body);
    SaidOut s;
    s.target = r.U32();
    s.kind = r.U8();
    s.length = r.U8();
    const Bytes t = r.Raw(s.length);
    s.text.assign(t.begin(), t.end());
    return s;
}

RmctOut DecodeRMCT(const ClientMsg& m) {
    WireReader r(m.body);
    RmctOut o;
    o.name = r.Text(20);
    o.course = r.U8();
    o.laps = r.U8();
    o.port = r.U16();
    return o;
}

PcupOut DecodePCUP(const ClientMsg& m) {
    WireReader r(m.body);
    PcupOut o;
    const uint32_t size = r.U32();
    o.picture = r.Raw(size);
    o.stamp = r.U64();
    return o;
}

Bytes Frame(const Bytes& plaintext) {
    Bytes out(4 + plaintext.size() + 8);
    const long k = Cipher().Encrypt(lobby::kRecvIV, plaintext.data(), plaintext.size(), out.data() + 4, out.size() - 4);
    out.resize(4 + static_cast<size_t>(k));
    for (int i = 0; i < 4; ++i) out[static_cast<size_t>(i)] = static_cast<uint8_t>(uint32_t(k) >> (8 * i));
    return out;
}

bool Unframe(const Bytes& cipher, Bytes* plaintext) {
    plaintext->resize(cipher.size());
    const long p = Cipher().Decrypt(lobby::kSendIV, cipher.data(), cipher.size(), plaintext->data());
    if (p < 0) return false;
    plaintext->resize(static_cast<size_t>(p));
    return true;
}

}  // namespace lobbytest
