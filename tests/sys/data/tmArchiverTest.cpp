// Bank archive reader: lookups, unscrambling and damaged banks.
#include <gtest/gtest.h>

#include "format/BankCodec.h"
#include "sys/data/tmArchiver.h"
#include "tests/sys/data/BankFixture.h"

namespace {

const std::uint32_t kKey = 0x8BADF00Du;

// The member's bytes as a string ("<null>" when the read failed).
std::string ReadText(tmArchiver& a, const char* name) {
    const char* p = a.Read(name);
    return p ? std::string(p, a.GetReadSize()) : std::string("<null>");
}

std::string ReadAtText(tmArchiver& a, std::uint32_t index) {
    const char* p = a.ReadAt(index);
    return p ? std::string(p, a.GetReadSize()) : std::string("<null>");
}

TEST(tmArchiver, MembersReadBackAcrossTheScrambledTail) {
    // A 15-byte bank: the second member (offset 6, size 9) ends in the plain tail.
    TestBank bank("b.dat", {Member("first.bin", "ABCDEF"), Member("second.bin", "ghijklmno")}, kKey, false);
    tmArchiver a;
    ASSERT_TRUE(a.Open(bank.Info()));
    EXPECT_EQ(a.GetFileSize(), 15u);
    EXPECT_EQ(ReadText(a, "second.bin"), "ghijklmno");
    EXPECT_EQ(ReadText(a, "FIRST"), "ABCDEF");
    EXPECT_EQ(a.GetSize("second.bin"), 9u);
    std::string into;
    EXPECT_TRUE(a.ReadInto("x/y/Second.txt", &into));
    EXPECT_EQ(into, "ghijklmno");
    EXPECT_EQ(ReadAtText(a, 0), "ABCDEF");
    EXPECT_EQ(a.ReadAt(2), nullptr);

    EXPECT_EQ(a.Read("third.bin"), nullptr);
    EXPECT_EQ(a.GetSize("third.bin"), 0u);
    EXPECT_FALSE(a.ReadInto("third.bin", &into));
}

TEST(tmArchiver, ThreeByteBankIsReturnedAsStored) {
    TestBank bank("t.dat", {Member("tiny.bin", "xyz")}, kKey, false);
    tmArchiver a;
    ASSERT_TRUE(a.Open(bank.Info()));
    EXPECT_EQ(ReadText(a, "tiny.bin"), "xyz");
}

TEST(tmArchiver, LooksUpByPathThenByStem) {
    std::vector<zfmt::BankMember> members = {
        Member("CourseNiseko\\model\\S_NSK_data_a01.ybm", "niseko-a01"),
        Member("CourseNiseko\\model\\S_NSK_data_a02.ybm", "niseko-a02"),
    };
    TestBank withPaths("p.dat", members, kKey, true);
    TestBank stemsOnly("s.dat", members, kKey, false);
    const char* model = ".\\data\\CourseNiseko\\model\\S_NSK_data_a01.ybm";

    tmArchiver p;
    ASSERT_TRUE(p.Open(withPaths.Info()));
    EXPECT_EQ(p.FindEntry(model), &withPaths.Entries()[0]);
    // A name whose path matches nothing still finds the entry by its stem.
    EXPECT_EQ(p.FindEntry("elsewhere\\S_NSK_DATA_A02.dds"), &withPaths.Entries()[1]);

    tmArchiver s;
    ASSERT_TRUE(s.Open(stemsOnly.Info()));
    EXPECT_EQ(s.FindEntry(model), &stemsOnly.Entries()[0]);
    EXPECT_STREQ(s.FindEntry(model)->name, "S_NSK_DATA_A01");
    EXPECT_EQ(ReadText(s, model), "niseko-a01");
}

TEST(tmArchiver, TableFileNamesFindTheirStem) {
    TestBank bank("rd.dat", {Member("data/Config/ExtDB_Machine.txt", "int,a,b,c,1\n")}, kKey, false);
    tmArchiver a;
    ASSERT_TRUE(a.Open(bank.Info()));
    const tmArchiveEntry* e = a.FindEntry("data/Config/ExtDB_Machine.txt");
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->name, "EXTDB_MACHINE");
    EXPECT_EQ(a.FindEntry("data/Config/ExtDB_Machine.txt.user.txt"), e);
}

TEST(tmArchiver, DirectoryLargerThanTheFileIsClipped) {
    // 15-byte bank; the directory claims more than the file holds.
    TestBank bank("c.dat", {Member("a.bin", "0123456789abcde")}, kKey, false);
    std::vector<tmArchiveEntry>& dir = bank.Entries();
    dir.push_back({8, 20, "PASTEND", nullptr});  // runs 13 bytes past the end
    dir.push_back({13, 2, "INTAIL", nullptr});   // shorter than the plain tail
    dir.push_back({40, 4, "OUTSIDE", nullptr});  // wholly past the end
    tmArchiver a;
    ASSERT_TRUE(a.Open(bank.Info().fileName, kKey, dir.data(), static_cast<std::uint32_t>(dir.size())));
    EXPECT_EQ(ReadText(a, "pastend"), "89abcde");
    EXPECT_EQ(ReadText(a, "intail"), "de");
    EXPECT_EQ(a.Read("outside"), nullptr);
}

TEST(tmArchiver, BankOpenedWholeIsOneMemberWithoutNames) {
    TestBank bank("w.dat", {Member("sheet.png", "PNGDATA-7")}, kKey, false);
    tmArchiver a;
    ASSERT_TRUE(a.OpenWhole(bank.Info().fileName, kKey));
    EXPECT_EQ(ReadAtText(a, 0), "PNGDATA-7");
    EXPECT_EQ(a.ReadAt(1), nullptr);
    EXPECT_EQ(a.Read("sheet"), nullptr);  // no directory to look names up in
}

TEST(tmArchiver, ReadsNeedAnOpenBankAndOpeningTwiceFails) {
    TestBank bank("o.dat", {Member("a.bin", "abcd")}, kKey, false);
    tmArchiver a;
    EXPECT_EQ(a.Read("a.bin"), nullptr);  // closed
    EXPECT_FALSE(a.Open("no/such/bank.dat", kKey, nullptr, 0));
    ASSERT_TRUE(a.Open(bank.Info()));
    EXPECT_FALSE(a.Open(bank.Info()));  // already open
    a.Close();
    EXPECT_FALSE(a.IsOpen());
    EXPECT_EQ(a.Read("a.bin"), nullptr);
    EXPECT_TRUE(a.Open(bank.Info()));
}

}  // namespace
