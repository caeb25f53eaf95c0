// tmRaceMessagesTest.cpp -- the race messages' wire form: check word, sizes, byte offsets and field checks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "format/ByteIO.h"
#include "race/tmRaceMessages.h"

namespace {

uint32_t U32At(const uint8_t* p, size_t offset) { return zfmt::LoadU32(p + offset); }

tmNetPlayerTable TwoPlayerTable() {
    tmNetPlayerTable t;
    t.count = 2;
    t.course = 5;
    for (int i = 0; i < 2; ++i) {
        t.entries[i].netId = 0x0100007Fu + (static_cast<uint32_t>(i) << 24);
        std::strcpy(t.entries[i].driverName, i ? "Bo" : "Al");
        t.entries[i].gridSlot = 1 - i;
        t.entries[i].machine = 2 + static_cast<uint32_t>(i);
    }
    return t;
}

}  // namespace

TEST(RaceMessages, CheckWordIsTheUncomplementedCrcRegister) {
    EXPECT_EQ(tmNetCheckWord("123456789", 9), 0x340BC6D9u);
    EXPECT_EQ(tmNetCheckWord("", 0), 0xFFFFFFFFu);
}

TEST(RaceMessages, DatagramSizesByType) {
    const uint32_t types[] = {1, 2, 3, 4, 5};
    const size_t sizes[] = {72, 72, 988, 60, 36};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(kNetHeaderSize + tmNetPayloadSize(types[i]), sizes[i]) << types[i];
    EXPECT_EQ(tmNetPayloadSize(0), 0u);
    EXPECT_EQ(tmNetPayloadSize(6), 0u);
    EXPECT_EQ(tmNetPayloadSize(0xFFFFFFFFu), 0u);
}

TEST(RaceMessages, EntryBytesSitAtTheirOffsets) {
    tmNetPlayerEntry e;
    e.sequence = 0x11223344;
    e.netId = 0x0200007F;  // 127.0.0.2: bytes 127, 0, 0, 2 on the wire
    std::strcpy(e.driverName, "Driver");
    std::strcpy(e.teamName, "Team");
    e.gridSlot = -1;
    e.machine = 9;
    e.variant = 1;
    e.ready = 1;
    uint8_t b[kNetEntrySize];
    std::memset(b, 0xAA, sizeof b);
    tmNetWriteEntry(e, b);
    EXPECT_EQ(U32At(b, 0), 0x11223344u);
    EXPECT_EQ(b[4], 127);
    EXPECT_EQ(b[7], 2);
    EXPECT_STREQ(reinterpret_cast<const char*>(b + 8), "Driver");
    EXPECT_STREQ(reinterpret_cast<const char*>(b + 25), "Team");
    EXPECT_EQ(b[42], 0);
    EXPECT_EQ(b[43], 0);
    EXPECT_EQ(U32At(b, 44), 0xFFFFFFFFu);
    EXPECT_EQ(U32At(b, 48), 9u);
    EXPECT_EQ(U32At(b, 52), 1u);
    EXPECT_EQ(b[56], 1);
    EXPECT_EQ(b[57] | b[58] | b[59], 0);

    tmNetPlayerEntry back;
    ASSERT_TRUE(tmNetReadEntry(b, &back));
    EXPECT_EQ(back.sequence, e.sequence);
    EXPECT_EQ(back.netId, e.netId);
    EXPECT_STREQ(back.driverName, "Driver");
    EXPECT_STREQ(back.teamName, "Team");
    EXPECT_EQ(back.gridSlot, -1);
    EXPECT_EQ(back.machine, 9u);
    EXPECT_EQ(back.variant, 1u);
    EXPECT_EQ(back.ready, 1);
}

TEST(RaceMessages, TableStateAndControlOffsets) {
    tmNetPlayerTable t = TwoPlayerTable();
    t.sequence = 77;
    t.sessionState = kNetSessionStart;
    uint8_t tb[kNetTableSize];
    tmNetWriteTable(t, tb);
    EXPECT_EQ(U32At(tb, 0), 77u);
    EXPECT_STREQ(reinterpret_cast<const char*>(tb + 4 + 8), "Al");
    EXPECT_STREQ(reinterpret_cast<const char*>(tb + 4 + 60 + 8), "Bo");
    EXPECT_EQ(U32At(tb, 4 + 60 + 44), 0u);               // the second row's grid slot
    EXPECT_EQ(U32At(tb, 4 + 2 * 60 + 44), 0xFFFFFFFFu);  // an empty row
    EXPECT_EQ(U32At(tb, 964), 2u);
    EXPECT_EQ(U32At(tb, 968), 1u);
    EXPECT_EQ(U32At(tb, 972), 5u);
    tmNetPlayerTable tback;
    ASSERT_TRUE(tmNetReadTable(tb, &tback));
    EXPECT_EQ(tback.entries[1].gridSlot, 0);
    EXPECT_EQ(tback.course, 5u);

    tmPeerMachineState s;
    s.sequence = 5;
    s.barrier = 3;
    s.raceTimeMs = 123456;
    s.x = 1.5f;
    s.z = -2.25f;
    s.yaw = 0.5f;
    s.steering = -1.0f;
    s.accelerator = 1.0f;
    s.brake = 0.25f;
    s.gear = 4;
    s.bodyMode = 2;
    s.speed = 321.0f;
    uint8_t sb[kNetStateSize];
    tmNetWriteState(s, sb);
    EXPECT_EQ(U32At(sb, 4), 3u);
    EXPECT_EQ(U32At(sb, 8), 123456u);
    EXPECT_EQ(U32At(sb, 12), 0x3FC00000u);  // 1.5f
    EXPECT_EQ(U32At(sb, 36), 4u);
    EXPECT_EQ(U32At(sb, 40), 2u);
    EXPECT_EQ(U32At(sb, 44), 0x43A08000u);  // 321.0f
    tmPeerMachineState sback;
    ASSERT_TRUE(tmNetReadState(sb, &sback));
    EXPECT_EQ(std::memcmp(&sback, &s, sizeof s), 0);

    tmNetRaceControl c;
    c.sequence = 9;
    c.phase = 4;
    std::swap(c.order[0], c.order[3]);
    uint8_t cb[kNetControlSize];
    tmNetWriteControl(c, cb);
    EXPECT_EQ(U32At(cb, 4), 4u);
    EXPECT_EQ(cb[8], 3);
    EXPECT_EQ(cb[11], 0);
    EXPECT_EQ(cb[23], 15);
    tmNetRaceControl cback;
    ASSERT_TRUE(tmNetReadControl(cb, &cback));
    EXPECT_EQ(std::memcmp(cback.order, c.order, sizeof c.order), 0);
}

TEST(RaceMessages, ReadersRefuseFieldsOutOfRange) {
    // Tables: each spoiled copy is refused whole and leaves the target untouched.
    auto refused = [](tmNetPlayerTable t) {
        uint8_t b[kNetTableSize];
        tmNetWriteTable(t, b);
        tmNetPlayerTable out;
        out.course = 99;
        return !tmNetReadTable(b, &out) && out.course == 99;
    };
    tmNetPlayerTable t = TwoPlayerTable();
    EXPECT_FALSE(refused(t));
    t = TwoPlayerTable(), t.count = 17;
    EXPECT_TRUE(refused(t));
    t = TwoPlayerTable(), t.count = 0;
    EXPECT_TRUE(refused(t));
    t = TwoPlayerTable(), t.sessionState = 3;
    EXPECT_TRUE(refused(t));
    t = TwoPlayerTable(), t.course = 14;
    EXPECT_TRUE(refused(t));
    t = TwoPlayerTable(), t.entries[1].gridSlot = 1;  // two players on slot 1
    EXPECT_TRUE(refused(t));
    t = TwoPlayerTable(), t.entries[0].gridSlot = 2;  // outside 0..count-1
    EXPECT_TRUE(refused(t));
    t = TwoPlayerTable(), t.entries[1].netId = t.entries[0].netId;
    EXPECT_TRUE(refused(t));
    t = TwoPlayerTable(), t.entries[0].machine = 12;
    EXPECT_TRUE(refused(t));
    t = TwoPlayerTable(), t.entries[1].variant = 2;
    EXPECT_TRUE(refused(t));
    t = TwoPlayerTable(), t.entries[1].netId = 0;
    EXPECT_TRUE(refused(t));
    t = TwoPlayerTable(), std::memset(t.entries[0].teamName, 'x', kRaceNameSize);  // no terminator
    EXPECT_TRUE(refused(t));

    tmNetRaceControl c;
    c.phase = 2;
    uint8_t cb[kNetControlSize];
    tmNetWriteControl(c, cb);
    tmNetRaceControl cout;
    EXPECT_FALSE(tmNetReadControl(cb, &cout));
    c.phase = 1;
    c.order[5] = c.order[6];  // not a permutation
    tmNetWriteControl(c, cb);
    EXPECT_FALSE(tmNetReadControl(cb, &cout));
    c.order[5] = 200;
    c.order[6] = 6;
    tmNetWriteControl(c, cb);
    EXPECT_FALSE(tmNetReadControl(cb, &cout));

    tmPeerMachineState s;
    uint8_t sb[kNetStateSize];
    tmPeerMachineState sout;
    for (int field = 0; field < 6; ++field) {
        tmPeerMachineState bad = s;
        switch (field) {
            case 0: bad.x = std::numeric_limits<float>::quiet_NaN(); break;
            case 1: bad.speed = std::numeric_limits<float>::infinity(); break;
            case 2: bad.barrier = 2; break;
            case 3: bad.bodyMode = 4; break;
            case 4: bad.gear = 1000; break;
            case 5: bad.steering = -std::numeric_limits<float>::infinity(); break;
        }
        tmNetWriteState(bad, sb);
        EXPECT_FALSE(tmNetReadState(sb, &sout)) << field;
    }
}
