// Wire messages: every sendable and receivable against the test server's own codec.
#include <gtest/gtest.h>

#include <cstring>

#include "lobbyclient/LobbyReceivables.h"
#include "lobbyclient/LobbySendables.h"
#include "lobbyclient/LobbyWire.h"

namespace {

using namespace lobbytest;
using lobby::ByteBuffer;

ClientMsg Encode(const lobby::CLobbySendable& m) {
    ByteBuffer b(20484);
    b.put(m.Code(), 4);
    m.Write(b);
    ClientMsg out;
    out.code.assign(reinterpret_cast<const char*>(b.data()), 4);
    out.body.assign(b.data() + 4, b.data() + b.position());
    return out;
}

std::unique_ptr<lobby::CReceived> Decode(const Bytes& plain) {
    ByteBuffer b(20480);
    b.put(plain.data(), static_cast<uint32_t>(plain.size()));
    b.flip();
    uint8_t code[4];
    b.get(code, 4);
    return lobby::CreateReceivable(code, b);
}

template <class T>
T& As(const std::unique_ptr<lobby::CReceived>& r) {
    return *static_cast<T*>(r->message.get());
}

lobby::CPlayer SamplePlayer() {
    lobby::CPlayer p;
    p.id = 42;
    p.SetName("Driver");
    p.SetTeam("Team Z");
    p.SetComment("hello there");
    const int rec[6] = {0x1FF, 7, 0x12345, 300, 65535, 2};  // narrowed to 8/8/16/16/16/16 bits
    std::memcpy(p.record.value, rec, sizeof rec);
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 11; ++c) {
            p.tableA[r][c] = r * 100 + c;
            p.tableB[r][c] = -(r * 100 + c);
        }
    return p;
}

PlayerInfo SampleInfo(uint32_t id) {
    PlayerInfo p;
    p.id = id;
    p.name = "ABCDEFGHIJKLMNOP";  // exactly 16: no terminator on the wire
    p.team = "tm";
    p.comment = std::string(96, 'k');
    const uint32_t rec[6] = {255, 1, 65535, 2, 3, 4};
    std::memcpy(p.record, rec, sizeof rec);
    for (int i = 0; i < 132; ++i) {
        p.tableA[i] = 0x80000000u + uint32_t(i);
        p.tableB[i] = uint32_t(i) * 3;
    }
    p.status1 = 1;
    p.status2 = 2;
    return p;
}

TEST(LobbyMessages, PlayerBlocksAre1196BytesOutAnd1200InWithFieldsInOrder) {
    const lobby::CPlayer p = SamplePlayer();
    const ClientMsg upd = Encode(lobby::CSendableUPDT(p, 28464));
    EXPECT_EQ(upd.code, "UPDT");
    ASSERT_EQ(upd.body.size(), lobby::kPlayerBlockOutSize);
    EXPECT_EQ(upd.body.size(), 1196u);
    WireReader r(upd.body);
    const PlayerInfo got = DecodePlayerOut(r);
    EXPECT_EQ(got.name, "Driver");
    EXPECT_EQ(got.team, "Team Z");
    EXPECT_EQ(got.comment, "hello there");
    const uint32_t rec[6] = {0xFF, 7, 0x2345, 300, 65535, 2};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(got.record[i], rec[i]) << i;
    EXPECT_EQ(got.tableA[131], 1110u);
    EXPECT_EQ(got.tableB[12], uint32_t(-101));
    EXPECT_EQ(got.port, 28464u);

    const ClientMsg stup = Encode(lobby::CSendableSTUP(p, 28484, 14, "{12345678-9ABC-DEF0-0102-030405060708}"));
    const StupOut s = DecodeSTUP(stup);
    EXPECT_EQ(stup.body.size(), 1196u + 4 + 38);
    EXPECT_EQ(s.player.port, 28484u);
    EXPECT_EQ(s.protocol, 14u);
    EXPECT_EQ(s.guid, "{12345678-9ABC-DEF0-0102-030405060708}");

    const Bytes in = EncUPDT(SampleInfo(9));
    EXPECT_EQ(in.size(), 4 + lobby::kPlayerBlockInSize);
    EXPECT_EQ(lobby::kPlayerBlockInSize, 1200u);
    auto rd = Decode(in);
    ASSERT_TRUE(rd);
    const lobby::CPlayer& q = As<lobby::CReceivableUPDT>(rd).player;
    EXPECT_EQ(q.id, 9);
    EXPECT_STREQ(q.name, "ABCDEFGHIJKLMNOP");
    EXPECT_STREQ(q.team, "tm");
    EXPECT_EQ(std::strlen(q.comment), 96u);
    EXPECT_EQ(q.record.value[0], 255);
    EXPECT_EQ(q.record.value[2], 65535);  // zero-extended
    EXPECT_EQ(q.tableA[0][0], int(0x80000000u));
    EXPECT_EQ(q.tableB[11][10], 131 * 3);
    EXPECT_EQ(q.status1, 1);
    EXPECT_EQ(q.status2, 2);

    auto st = Decode(EncSTUP(SampleInfo(5), 7));
    EXPECT_TRUE(As<lobby::CReceivableSTUP>(st).busy);
    EXPECT_EQ(As<lobby::CReceivableSTUP>(st).player.id, 5);
}

TEST(LobbyMessages, RequestsCarryTheirFields) {
    const std::string longText(120, 'q');
    const SaidOut said = DecodeSAID(Encode(lobby::CSendableSAID(77, 2, longText.c_str())));
    EXPECT_EQ(said.target, 77u);
    EXPECT_EQ(said.kind, 2u);
    EXPECT_EQ(said.length, 96u);
    EXPECT_EQ(said.text, longText.substr(0, 96));

    ClientMsg m = Encode(lobby::CSendableBTST(0x01020304, true));
    EXPECT_EQ(m.code, "BTST");
    EXPECT_EQ(m.body, (Bytes{4, 3, 2, 1, 1}));
    EXPECT_EQ(Encode(lobby::CSendableBTST(1, false)).body.back(), 0);
    EXPECT_EQ(Encode(lobby::CSendableBTSR(5)).body, Bytes{5});
    EXPECT_EQ(Encode(lobby::CSendableBTFN(2)).code, "BTFN");
    EXPECT_EQ(Encode(lobby::CSendableRMFN(3)).body, Bytes{3});
    EXPECT_EQ(Encode(lobby::CSendableRMET(0x10)).body, (Bytes{0x10, 0, 0, 0}));
    EXPECT_EQ(Encode(lobby::CSendablePCRQ(2)).code, "PCRQ");
    EXPECT_TRUE(Encode(lobby::CSendableRMCN()).body.empty());
    EXPECT_EQ(Encode(lobby::CSendableRMST()).code, "RMST");

    const RmctOut rm = DecodeRMCT(Encode(lobby::CSendableRMCT("a very long room name!!", 7, 16, 28464)));
    EXPECT_EQ(rm.name, "a very long room nam");
    EXPECT_EQ(rm.course, 7u);
    EXPECT_EQ(rm.laps, 16u);
    EXPECT_EQ(rm.port, 28464u);

    lobby::CPlayerPict pict;
    pict.size = 5;
    std::memcpy(pict.picture, "\xFF\xD8xy\xFF", 5);
    pict.stamp = 0x1122334455667788ull;
    const PcupOut up = DecodePCUP(Encode(lobby::CSendablePCUP(pict)));
    EXPECT_EQ(up.picture, (Bytes{0xFF, 0xD8, 'x', 'y', 0xFF}));
    EXPECT_EQ(up.stamp, 0x1122334455667788ull);
}

TEST(LobbyMessages, SmallReceivablesRoundTrip) {
    auto r = Decode(EncSTUR(12, 3, 0xAABBCCDDEEFF0011ull));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->kind, lobby::kKindSTUR);
    EXPECT_EQ(As<lobby::CReceivableSTUR>(r).id, 12u);
    EXPECT_EQ(As<lobby::CReceivableSTUR>(r).result, 3);
    EXPECT_EQ(As<lobby::CReceivableSTUR>(r).stamp, 0xAABBCCDDEEFF0011ull);

    EXPECT_EQ(As<lobby::CReceivableFNSH>(Decode(EncFNSH(8))).id, 8u);

    r = Decode(EncBTST(4, {10, 0, 0, 2}, 1));
    EXPECT_EQ(r->kind, lobby::kKindBTST);
    EXPECT_EQ(As<lobby::CReceivableBTST>(r).address[3], 2);
    EXPECT_EQ(As<lobby::CReceivableBTST>(r).flag, 1);

    r = Decode(EncBTSR(5, {1, 2, 3, 4}, 0xFFFE));
    EXPECT_EQ(As<lobby::CReceivableBTSR>(r).code, 5);
    EXPECT_EQ(As<lobby::CReceivableBTSR>(r).address[0], 1);
    EXPECT_EQ(As<lobby::CReceivableBTSR>(r).port, 0xFFFE);

    // Without a result BTTL is 6 bytes after the code and read completely.
    const Bytes bttl = EncBTTL(3, 1, false, 0, "", "");
    EXPECT_EQ(bttl.size(), 4u + 6);
    r = Decode(bttl);
    ASSERT_TRUE(r);
    EXPECT_EQ(As<lobby::CReceivableBTTL>(r).result, 0);
    EXPECT_STREQ(As<lobby::CReceivableBTTL>(r).name1, "");
    r = Decode(EncBTTL(3, 0, true, 2, "one", "two"));
    EXPECT_EQ(As<lobby::CReceivableBTTL>(r).result, 2);
    EXPECT_STREQ(As<lobby::CReceivableBTTL>(r).name2, "two");

    EXPECT_EQ(As<lobby::CReceivableRMRP>(Decode(EncRMRP(9))).result, 9);
    r = Decode(EncRMST(77, {127, 0, 0, 9}, 28464));
    EXPECT_EQ(As<lobby::CReceivableRMST>(r).room, 77u);
    EXPECT_EQ(As<lobby::CReceivableRMST>(r).address[3], 9);
    EXPECT_EQ(As<lobby::CReceivableRMST>(r).port, 28464);
    r = Decode(EncRMTD(31));
    EXPECT_EQ(r->kind, lobby::kKindRMTD);
    EXPECT_EQ(As<lobby::CReceivableRMTD>(r).room, 31u);
    r = Decode(EncPCUP(6, 99));
    EXPECT_EQ(As<lobby::CReceivablePCUP>(r).stamp, 99u);
    EXPECT_EQ(As<lobby::CReceivablePCUR>(Decode(EncPCUR(1))).result, 1);
    r = Decode(EncPCDT(6, Bytes{1, 2, 3}, 5));
    EXPECT_EQ(As<lobby::CReceivablePCDT>(r).bytes, (Bytes{1, 2, 3}));
    EXPECT_EQ(As<lobby::CReceivablePCDT>(r).stamp, 5u);

    // Trailing bytes are ignored; unknown codes build nothing.
    Bytes padded = EncFNSH(1);
    padded.push_back(0xEE);
    EXPECT_TRUE(Decode(padded));
    EXPECT_FALSE(Decode(WireWriter("ABCD").U32(1).bytes()));
}

TEST(LobbyMessages, RoomsAndChatAreBoundedByTheirRecords) {
    RoomInfo room;
    room.id = 3;
    room.name = "twenty-char-room-nam";
    room.course = 4;
    room.laps = 5;
    room.started = 1;
    // Count 0: the started byte follows the count directly.
    Bytes plain = EncRMTC(room);
    EXPECT_EQ(plain.size(), 4u + 4 + 20 + 3 + 1);
    auto r = Decode(plain);
    ASSERT_TRUE(r);
    const lobby::CRoom& empty = As<lobby::CReceivableRMTC>(r).room;
    EXPECT_EQ(empty.memberCount, 0);
    EXPECT_EQ(empty.started, 1);
    EXPECT_EQ(empty.memberIds[0], -1);
    EXPECT_STREQ(empty.name, "twenty-char-room-nam");

    for (uint32_t i = 0; i < 16; ++i) room.members.push_back({i + 1, {127, 0, 0, uint8_t(i)}});
    room.countOverride = 40;  // the server claims more than the record holds
    r = Decode(EncRMTL(room, 2, 16));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->kind, lobby::kKindRMTL);
    const auto& rmtl = As<lobby::CReceivableRMTL>(r);
    EXPECT_EQ(rmtl.room.memberCount, 16);
    EXPECT_EQ(rmtl.announcedMembers, 40);
    EXPECT_EQ(rmtl.room.memberIds[15], 16);
    EXPECT_EQ(rmtl.room.memberAddr[15][3], 15);
    EXPECT_EQ(rmtl.action, 2);
    EXPECT_EQ(rmtl.player, 16u);

    EXPECT_TRUE(As<lobby::CReceivableSAID>(Decode(EncSAID({}))).lines.empty());
    std::vector<ChatLine> lines(200);
    for (size_t i = 0; i < lines.size(); ++i) {
        lines[i].id1 = uint32_t(i);
        lines[i].time = 0xFFFFFFFFu;  // -1 as a signed time
        lines[i].name = "sender-name-longer";
        lines[i].text = std::string(i == 5 ? 250 : 10, 'a' + char(i % 26));
    }
    r = Decode(EncSAID(lines));
    ASSERT_TRUE(r);
    const auto& said = As<lobby::CReceivableSAID>(r);
    ASSERT_EQ(said.lines.size(), 200u);
    EXPECT_EQ(std::strlen(said.lines[5].text), 96u);
    EXPECT_EQ(said.clippedTexts, 1);
    EXPECT_EQ(said.lines[199].id1, 199);
    EXPECT_EQ(said.lines[0].time, -1);
    EXPECT_STREQ(said.lines[0].name, "sender-name-long");

    // A picture larger than the picture record is consumed and dropped.
    r = Decode(EncPCDT(6, Bytes(lobby::kPictureBytes + 1, 0xAB), 77));
    ASSERT_TRUE(r);
    EXPECT_TRUE(As<lobby::CReceivablePCDT>(r).oversized);
    EXPECT_TRUE(As<lobby::CReceivablePCDT>(r).bytes.empty());
    EXPECT_EQ(As<lobby::CReceivablePCDT>(r).stamp, 77u);
}

TEST(LobbyMessages, TruncatedMessagesThrowUnderflow) {
    const Bytes all[] = {EncSTUR(1, 0, 0),          EncSTUP(SampleInfo(1), 0),
                         EncSAID({ChatLine{}}),     EncBTTL(1, 0, true, 1, "a", "b"),
                         EncRMTL(RoomInfo{}, 0, 0), EncPCDT(1, Bytes(9), 1)};
    for (const Bytes& full : all) {
        const Bytes cut(full.begin(), full.end() - 1);
        EXPECT_THROW(Decode(cut), ByteBuffer::BufferUnderflowException) << std::string(full.begin(), full.begin() + 4);
    }
    // A picture size beyond the message is refused before anything is skipped.
    EXPECT_THROW(Decode(WireWriter("PCDT").U32(1).U32(0xFFFFFFF0u).U64(0).bytes()),
                 ByteBuffer::BufferUnderflowException);
}

}  // namespace
