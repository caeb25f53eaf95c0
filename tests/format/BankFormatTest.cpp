// Bank scrambling, layout and member naming: writer and reader agree.
#include <gtest/gtest.h>

#include <random>

#include "format/BankCodec.h"
#include "format/BankWriter.h"
#include "format/ByteIO.h"

namespace {

using zfmt::Bytes;

Bytes Sequence(std::size_t n, std::uint8_t start = 1) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = std::uint8_t(start + i);
    return b;
}

TEST(BankCodec, ScrambleXorsWholeWordsAndLeavesTail) {
    Bytes b = Sequence(7);
    EXPECT_TRUE(zfmt::ScrambleWords(0x11223344u, b.data(), b.size()));
    // Key byte 0 (0x44) lands on offset 0.
    EXPECT_EQ(b[0], 0x01 ^ 0x44);
    EXPECT_EQ(b[1], 0x02 ^ 0x33);
    EXPECT_EQ(b[3], 0x04 ^ 0x11);
    EXPECT_EQ(b[4], 5);
    EXPECT_EQ(b[6], 7);
    Bytes none;
    EXPECT_FALSE(zfmt::ScrambleWords(1, none.data(), 0));
}

TEST(BankCodec, MemberReachingTheUnscrambledTailReadsBackExactly) {
    // 15-byte bank, member at offset 6 of size 9: key rotated by 16 bits, one
    // word and two bytes unscrambled, the last three returned as stored.
    const std::uint32_t key = 0xA1B2C3D4u;
    Bytes file = Sequence(15);
    Bytes plain = file;
    zfmt::ScrambleWords(key, file.data(), file.size());
    Bytes member(file.begin() + 6, file.end());
    EXPECT_TRUE(zfmt::UnscrambleMember(key, member.data(), member.size(), 6, 15));
    EXPECT_EQ(member, Bytes(plain.begin() + 6, plain.end()));
    EXPECT_EQ(zfmt::KeyAtOffset(key, 6), 0xC3D4A1B2u);

    // A 3-byte bank is all tail: returned as stored.
    Bytes tiny = {9, 8, 7};
    EXPECT_TRUE(zfmt::UnscrambleMember(key, tiny.data(), tiny.size(), 0, 3));
    EXPECT_EQ(tiny, (Bytes{9, 8, 7}));
}

TEST(BankCodec, ShortMembersAndClippedReadsStayInsideTheirBytes) {
    const std::uint32_t key = 0xDEADBEEFu;
    // Member of 2 bytes inside the 3-byte tail of a 15-byte bank: nothing to do.
    Bytes guard(8, 0x55);
    Bytes member = {1, 2};
    member.insert(member.end(), guard.begin(), guard.end());
    EXPECT_TRUE(zfmt::UnscrambleMember(key, member.data(), 2, 13, 15));
    EXPECT_EQ(member[0], 1);
    EXPECT_EQ(member[1], 2);
    EXPECT_EQ(Bytes(member.begin() + 2, member.end()), guard);

    // A member claimed to run past the end but read clipped to 5 bytes: only
    // those 5 are unscrambled (the bank is 16 bytes, so all are scrambled).
    Bytes file = Sequence(16);
    Bytes plain = file;
    zfmt::ScrambleWords(key, file.data(), file.size());
    Bytes clipped(file.begin() + 11, file.end());
    clipped.insert(clipped.end(), guard.begin(), guard.end());
    EXPECT_TRUE(zfmt::UnscrambleMember(key, clipped.data(), 5, 11, 16));
    EXPECT_EQ(Bytes(clipped.begin(), clipped.begin() + 5), Bytes(plain.begin() + 11, plain.end()));
    EXPECT_EQ(Bytes(clipped.begin() + 5, clipped.end()), guard);

    Bytes empty;
    EXPECT_FALSE(zfmt::UnscrambleMember(key, empty.data(), 0, 0, 16));
}

TEST(BankCodec, StemIsTheUpperCaseNameAfterTheLastSeparatorWithoutExtensions) {
    EXPECT_EQ(zfmt::BankStem("data/Config/ExtDB_Machine.txt"), "EXTDB_MACHINE");
    EXPECT_EQ(zfmt::BankStem("data/Config/ExtDB_Machine.txt.user.txt"), "EXTDB_MACHINE");
    EXPECT_EQ(zfmt::BankStem("CourseNiseko\\model\\S_NSK_data_a01.ybm"), "S_NSK_DATA_A01");
    // A '/' anywhere makes '/' the separator, backslashes then stay in the stem.
    EXPECT_EQ(zfmt::BankStem("a\\b/c\\d.x"), "C\\D");
    EXPECT_EQ(zfmt::BankStem("noext"), "NOEXT");
    EXPECT_EQ(zfmt::BankStem(""), "");
    EXPECT_EQ(zfmt::BankPathKey(".\\data\\CourseNiseko\\model\\S_NSK_data_a01.ybm"),
              "CourseNiseko\\model\\S_NSK_data_a01.ybm");
    EXPECT_EQ(zfmt::BankPathKey(".\\data\\"), ".\\data\\");
}

TEST(BankWriter, EveryMemberReadsBackFromItsDirectoryEntry) {
    std::mt19937 rng(7);
    std::vector<zfmt::BankMember> members;
    for (int i = 0; i < 40; ++i) {
        zfmt::BankMember m;
        m.path = "Folder\\model\\m" + std::to_string(i) + ".ybm";
        m.bytes.resize(rng() % 23);
        for (auto& b : m.bytes) b = std::uint8_t(rng());
        members.push_back(m);
    }
    const std::uint32_t key = 0x5D2A7C19u;
    zfmt::BuiltBank bank = zfmt::BuildBank(members, key);
    ASSERT_TRUE(bank.error.empty());
    EXPECT_EQ(zfmt::CheckDirectory(bank.directory, bank.file.size()), "");
    for (std::size_t i = 0; i < members.size(); ++i) {
        const zfmt::BankEntry& e = bank.directory[i];
        EXPECT_EQ(e.name, zfmt::BankStem(members[i].path));
        Bytes got(bank.file.begin() + e.offset, bank.file.begin() + e.offset + e.size);
        if (!got.empty()) zfmt::UnscrambleMember(key, got.data(), got.size(), e.offset, bank.file.size());
        EXPECT_EQ(got, members[i].bytes) << "member " << i;
    }
}

TEST(BankWriter, DirectoryChecksCatchBrokenLayouts) {
    std::vector<zfmt::BankEntry> dir = {{0, 4, "A", ""}, {4, 2, "B", ""}};
    EXPECT_EQ(zfmt::CheckDirectory(dir, 6), "");
    EXPECT_NE(zfmt::CheckDirectory(dir, 7), "");  // does not end at the end of the file
    dir[1].offset = 5;
    EXPECT_NE(zfmt::CheckDirectory(dir, 7), "");  // gap
    dir[1] = {4, 2, "A", ""};
    EXPECT_NE(zfmt::CheckDirectory(dir, 6), "");  // duplicate stem
    dir[1] = {4, 2, "B", "x\\b.dds"};
    EXPECT_NE(zfmt::CheckDirectory(dir, 6), "");  // paths on some entries only
    dir = {{0, 1, "WRONG", "x\\b.dds"}};
    EXPECT_NE(zfmt::CheckDirectory(dir, 1), "");  // name is not the path's stem
}

TEST(BankWriter, SortsByStem) {
    std::vector<zfmt::BankMember> m(3);
    m[0].path = "b.txt";
    m[1].path = "C.txt";
    m[2].path = "a.txt";
    zfmt::SortMembersByName(m);
    EXPECT_EQ(m[0].path, "a.txt");
    EXPECT_EQ(m[1].path, "b.txt");
    EXPECT_EQ(m[2].path, "C.txt");
}

}  // namespace
