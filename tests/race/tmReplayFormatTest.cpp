// tmReplayFormatTest.cpp -- replay header and record bytes against the layout table, and the checks
// that refuse or hold back a hostile file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "format/ByteIO.h"
#include "race/tmReplayFormat.h"

namespace {

using Bytes = std::vector<uint8_t>;

void PutU32(Bytes& b, size_t at, uint32_t v) { zfmt::StoreU32(&b[at], v); }
void PutF32(Bytes& b, size_t at, float v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    PutU32(b, at, u);
}
void PutText(Bytes& b, size_t at, const char* text) { std::memcpy(&b[at], text, std::strlen(text)); }

// A header laid out byte by byte from the table: a 3-lap cup replay of two entrants.
Bytes TableHeader(uint32_t records, uint32_t lastFrame) {
    Bytes b(936, 0);
    PutText(b, 0, "QUVASE_REP0220");
    PutU32(b, 24, 0x89ABCDEFu);  // creation time, low word
    PutU32(b, 28, 0x00000001u);  // high word
    PutText(b, 36, "Ann");
    const uint32_t setup[6] = {9, 1, 2, 1, 2, 3};  // course, mode, count, local, difficulty, laps
    for (int i = 0; i < 6; ++i) PutU32(b, 56 + 4 * i, setup[i]);
    for (int i = 0; i < 16; ++i) {
        const size_t e = 80 + 52 * static_cast<size_t>(i);
        PutU32(b, e + 0, 1);  // defaults: machine 1, type 1, variant 0, id 0
        PutU32(b, e + 4, 1);
    }
    PutU32(b, 80 + 0, 7);  // entrant 0: machine 7, computer, manual gears, id 5
    PutU32(b, 80 + 4, 3);
    PutU32(b, 80 + 8, 1);
    PutText(b, 80 + 12, "Driver Seven");
    PutText(b, 80 + 29, "Team Seven");
    PutU32(b, 80 + 48, 5);
    PutU32(b, 132 + 0, 11);  // entrant 1: machine 11, the player, id 15
    PutU32(b, 132 + 4, 1);
    PutText(b, 132 + 12, "Ann");
    PutText(b, 132 + 29, "No Team");
    PutU32(b, 132 + 48, 15);
    PutU32(b, 912, 1);
    PutU32(b, 916, 123456);
    PutU32(b, 920, 40001);
    PutU32(b, 924, records);
    PutU32(b, 928, lastFrame);
    return b;
}

void AppendRecord(Bytes& b, float steer, uint8_t boost, uint32_t body, float x, float z, float yaw, uint32_t frame) {
    const size_t at = b.size();
    b.resize(at + 36, 0);
    PutF32(b, at + 0, steer);
    PutF32(b, at + 4, 0.75f);
    PutF32(b, at + 8, 0.25f);
    b[at + 12] = 1;  // shift up
    b[at + 15] = boost;
    PutU32(b, at + 16, body);
    PutF32(b, at + 20, x);
    PutF32(b, at + 24, z);
    PutF32(b, at + 28, yaw);
    PutU32(b, at + 32, frame);
}

// Reads bytes as a whole file; "" when accepted.
std::string Read(const Bytes& b, tmReplayHeader* h, std::string* notes = nullptr) {
    return ReadReplayHeader(b.data(), b.size(), static_cast<int64_t>(b.size()), h, notes);
}

Bytes Write(const tmReplayHeader& h, const std::vector<tmReplayRecord>& records) {
    zfmt::ByteWriter w;
    WriteReplayHeader(h, &w);
    for (const tmReplayRecord& r : records) WriteReplayRecord(r, &w);
    return w.Take();
}

}  // namespace

TEST(ReplayFormat, HeaderAndRecordsRoundTripByteForByteAgainstTheTable) {
    Bytes file = TableHeader(4, 1);
    AppendRecord(file, -0.5f, 0, 0, 10.0f, 20.0f, 0.5f, 0);
    AppendRecord(file, 0.25f, 1, 2, -30.0f, 40.5f, -3.0f, 0);
    AppendRecord(file, 1.0f, 0, 1, 11.0f, 21.0f, 0.75f, 1);
    AppendRecord(file, -1.0f, 1, 3, -31.0f, 41.5f, 3.0f, 1);

    tmReplayHeader h;
    ASSERT_EQ(Read(file, &h), "");
    EXPECT_EQ(h.creationTime, 0x189ABCDEFll);
    EXPECT_STREQ(h.playerName, "Ann");
    EXPECT_EQ(h.setup.course, 9u);
    EXPECT_EQ(h.setup.mode, 1u);
    EXPECT_EQ(h.setup.count, 2u);
    EXPECT_EQ(h.setup.local, 1u);
    EXPECT_EQ(h.setup.difficulty, 2u);
    EXPECT_EQ(h.setup.laps, 3u);
    EXPECT_EQ(h.entrants[0].machineId, 7u);
    EXPECT_EQ(h.entrants[0].controllerType, 3u);
    EXPECT_EQ(h.entrants[0].variant, 1u);
    EXPECT_STREQ(h.entrants[0].driverName, "Driver Seven");
    EXPECT_STREQ(h.entrants[0].teamName, "Team Seven");
    EXPECT_EQ(h.entrants[0].entrantId, 5u);
    EXPECT_EQ(h.entrants[1].entrantId, 15u);
    EXPECT_EQ(h.word32, 0u);
    EXPECT_EQ(h.word912, 1u);
    EXPECT_EQ(h.totalMs, 123456u);
    EXPECT_EQ(h.bestLapMs, 40001u);
    EXPECT_EQ(h.recordCount, 4u);
    EXPECT_EQ(h.lastFrame, 1u);

    std::vector<tmReplayRecord> records(4);
    for (uint32_t i = 0; i < 4; ++i) ASSERT_TRUE(ReadReplayRecord(file.data(), file.size(), i, &records[i]));
    EXPECT_FALSE(ReadReplayRecord(file.data(), file.size(), 4, &records[0]));
    const tmReplayRecord& r = records[1];
    EXPECT_EQ(r.control.steering, 0.25f);
    EXPECT_EQ(r.control.accelerator, 0.75f);
    EXPECT_EQ(r.control.brake, 0.25f);
    EXPECT_EQ(r.control.shiftUp, 1);
    EXPECT_EQ(r.control.shiftDown, 0);
    EXPECT_EQ(r.control.bodyMode, 0);
    EXPECT_EQ(r.control.boost, 1);
    EXPECT_EQ(r.bodyMode, 2u);
    EXPECT_EQ(r.x, -30.0f);
    EXPECT_EQ(r.z, 40.5f);
    EXPECT_EQ(r.yaw, -3.0f);
    EXPECT_EQ(records[3].frame, 1u);

    EXPECT_EQ(Write(h, records), file);
}

// The entrant record is given as a field list only; this is the layout our files use.
TEST(ReplayFormat, EntrantRecordLayoutIsPinned) {
    tmReplayHeader h;
    std::memcpy(h.magic, kReplayMagic, sizeof kReplayMagic);
    tmEntrant& e = h.entrants[3];
    e.machineId = 0x04030201u;
    e.controllerType = 0x14131211u;
    e.variant = 0x24232221u;
    std::memset(e.driverName, 'D', 16);
    std::memset(e.teamName, 'T', 16);
    e.entrantId = 0x34333231u;
    const Bytes b = Write(h, {});
    ASSERT_EQ(b.size(), 936u);
    const uint8_t* p = &b[80 + 3 * 52];
    EXPECT_EQ(zfmt::LoadU32(p + 0), 0x04030201u);
    EXPECT_EQ(zfmt::LoadU32(p + 4), 0x14131211u);
    EXPECT_EQ(zfmt::LoadU32(p + 8), 0x24232221u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p + 12), 17), std::string(16, 'D') + '\0');
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p + 29), 17), std::string(16, 'T') + '\0');
    EXPECT_EQ(p[46], 0);
    EXPECT_EQ(p[47], 0);
    EXPECT_EQ(zfmt::LoadU32(p + 48), 0x34333231u);
    EXPECT_EQ(zfmt::LoadU32(&b[80 + 4 * 52]), 1u);  // the next record starts 52 bytes on
}

TEST(ReplayFormat, HostileHeadersAreRefusedWithAReason) {
    struct Case {
        const char* what;
        size_t at;
        uint32_t value;
    };
    const Case cases[] = {
        {"count 0", 64, 0},       {"count 17", 64, 17},   {"local at count", 68, 2},
        {"laps 0", 76, 0},        {"laps 16", 76, 16},    {"laps 99", 76, 99},
        {"course 0", 56, 0},      {"course 14", 56, 14},  {"mode 7", 60, 7},
        {"difficulty 4", 72, 4},  {"machine 0", 80, 0},   {"machine 12", 132, 12},
        {"variant 2", 80 + 8, 2}, {"id 16", 80 + 48, 16}, {"id huge", 132 + 48, 0xFFFFFFFFu},
    };
    for (const Case& c : cases) {
        Bytes b = TableHeader(0, 0);
        PutU32(b, c.at, c.value);
        tmReplayHeader h;
        h.setup.course = 77;
        const std::string why = Read(b, &h);
        EXPECT_FALSE(why.empty()) << c.what;
        EXPECT_EQ(h.setup.course, 77u) << c.what << ": a refused header leaves the output alone";
    }
    // Entrants past the count are never raced, so their fields are not judged.
    Bytes unused = TableHeader(0, 0);
    PutU32(unused, 80 + 5 * 52, 99);
    tmReplayHeader h;
    EXPECT_EQ(Read(unused, &h), "");
    // A race can be set up on the garage, so its replay loads too.
    Bytes garage = TableHeader(0, 0);
    PutU32(garage, 56, 1);
    EXPECT_EQ(Read(garage, &h), "");
    EXPECT_EQ(h.setup.course, 1u);

    Bytes magic = TableHeader(0, 0);
    magic[15] = 'x';  // all 16 bytes count, the two after the text too
    EXPECT_NE(Read(magic, &h), "");
    Bytes foreign = TableHeader(0, 0);
    foreign[13] = '1';
    EXPECT_NE(Read(foreign, &h), "");

    const Bytes whole = TableHeader(0, 0);
    for (size_t n : {size_t(0), size_t(16), size_t(935)}) {
        Bytes cut(whole.begin(), whole.begin() + static_cast<long>(n));
        EXPECT_NE(Read(cut, &h), "") << n << " bytes";
    }
    EXPECT_NE(ReadReplayHeader(nullptr, 936, 936, &h, nullptr), "");
}

TEST(ReplayFormat, NamesAreCutAtTheSeventeenthByte) {
    Bytes b = TableHeader(0, 0);
    std::memset(&b[36], 'P', 17);
    std::memset(&b[80 + 12], 'D', 17);
    std::memset(&b[132 + 29], 'T', 17);
    std::memset(&b[80 + 10 * 52 + 12], 'U', 17);  // an unused entrant too
    tmReplayHeader h;
    ASSERT_EQ(Read(b, &h), "");
    EXPECT_EQ(std::string(h.playerName), std::string(16, 'P'));
    EXPECT_EQ(std::string(h.entrants[0].driverName), std::string(16, 'D'));
    EXPECT_EQ(std::string(h.entrants[1].teamName), std::string(16, 'T'));
    EXPECT_EQ(std::string(h.entrants[10].driverName), std::string(16, 'U'));
}

TEST(ReplayFormat, RecordCountAndLastFrameAreHeldToWhatTheFileHolds) {
    // Two entrants; the header claims 30 records (15 frames) but the file holds 7.
    Bytes b = TableHeader(30, 14);
    for (int i = 0; i < 7; ++i) AppendRecord(b, 0, 0, 0, float(i), 0, 0, uint32_t(i / 2));
    b.push_back(0xAA);  // a stray byte is not a record
    tmReplayHeader h;
    std::string notes;
    ASSERT_EQ(Read(b, &h, &notes), "");
    EXPECT_EQ(h.recordCount, 7u);
    EXPECT_EQ(h.lastFrame, 3u);  // 3 whole frames present
    EXPECT_NE(notes.find("7 of its 30"), std::string::npos) << notes;
    EXPECT_NE(notes.find("last frame 14"), std::string::npos) << notes;

    // Reading only the header bytes with the file's size judges the same.
    tmReplayHeader head;
    ASSERT_EQ(ReadReplayHeader(b.data(), 936, static_cast<int64_t>(b.size()), &head, nullptr), "");
    EXPECT_EQ(head.recordCount, 7u);

    // A whole file keeps its values and notes nothing.
    Bytes whole = TableHeader(4, 1);
    for (int i = 0; i < 4; ++i) AppendRecord(whole, 0, 0, 0, 0, 0, 0, uint32_t(i / 2));
    ASSERT_EQ(Read(whole, &h, &notes), "");
    EXPECT_EQ(h.recordCount, 4u);
    EXPECT_EQ(h.lastFrame, 1u);
    EXPECT_TRUE(notes.empty()) << notes;
}
