// StringTest.cpp -- string storage, search and the NUL-terminated text helpers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "sys/base/tmMemory.h"
#include "sys/base/tmString.h"

namespace {
size_t HeapBlocks() { return tmLiveBlocksAt("tmString", 0); }
}  // namespace

TEST(StringTest, ShortTextsStayInlineAndLongOnesUseOneBlock) {
    size_t base = HeapBlocks();
    tmString s;
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_STREQ(s.GetText(), "");
    s.Assign("abc");
    EXPECT_TRUE(s.IsInline());
    EXPECT_EQ(HeapBlocks(), base);
    s.Assign("abcd");
    EXPECT_FALSE(s.IsInline());
    EXPECT_EQ(HeapBlocks(), base + 1);
    s.Assign("xy");
    EXPECT_TRUE(s.IsInline());
    EXPECT_STREQ(s.GetText(), "xy");
    EXPECT_EQ(HeapBlocks(), base);

    s.Assign("123456789012");
    const char* block = s.GetText();
    s.Assign("abcdefghij");  // shorter: the block is reused
    EXPECT_EQ(s.GetText(), block);
    EXPECT_STREQ(s.GetText(), "abcdefghij");
    s.Assign("abcdefghijklmnopqrst");  // longer: a new block
    EXPECT_STREQ(s.GetText(), "abcdefghijklmnopqrst");
    EXPECT_EQ(HeapBlocks(), base + 1);
}

TEST(StringTest, LiteralReferencesAreNeitherCopiedNorFreed) {
    static const char kText[] = "hi";
    size_t base = HeapBlocks();
    {
        tmString lit(kText, true);
        EXPECT_EQ(lit.GetText(), kText);
        EXPECT_EQ(lit.GetLength(), 2);
        EXPECT_TRUE(lit.IsLiteral());
        tmString copy(lit);
        EXPECT_EQ(copy.GetText(), kText);
        lit.Assign("a longer owned text");  // becomes owned
        EXPECT_FALSE(lit.IsLiteral());
    }
    EXPECT_EQ(HeapBlocks(), base);
}

TEST(StringTest, AssigningFromItsOwnTextKeepsTheText) {
    tmString s("hello world, a long text");
    s.Assign(s.GetText() + 6);  // shorter, block reused, overlapping copy
    EXPECT_STREQ(s.GetText(), "world, a long text");
    s.Assign(s.GetText(), 2);  // heap to inline from the block being freed
    EXPECT_STREQ(s.GetText(), "wo");
    s.Assign(s.GetText());  // inline onto itself
    EXPECT_STREQ(s.GetText(), "wo");
    tmString t("0123456789");
    tmString& alias = t;
    t = alias;
    EXPECT_STREQ(t.GetText(), "0123456789");
}

TEST(StringTest, FindCountsFromTheStart) {
    tmString s("abcb");
    EXPECT_EQ(s.Find("b", 2), 1);
    EXPECT_EQ(s.Find("b", 0), 1);
    EXPECT_EQ(s.Find("x", 0), -1);
    EXPECT_EQ(s.Find("", 1), 0);
    EXPECT_EQ(s.Find("cb", 0), 2);
    EXPECT_EQ(s.Find("b", 9), -1);
    EXPECT_EQ(s.Find("abcbx", 0), -1);
    EXPECT_TRUE(s == "abcb");
    EXPECT_TRUE(s != "abc");
    EXPECT_TRUE(s != "abcd");
    EXPECT_TRUE(s != nullptr);
}

TEST(StringTest, EqualityIsCaseSensitiveAndNullEqualsOnlyNull) {
    const char* p = "A";
    EXPECT_TRUE(tmStrEqual(nullptr, nullptr));
    EXPECT_TRUE(tmStrEqual(p, p));
    EXPECT_FALSE(tmStrEqual(p, nullptr));
    EXPECT_FALSE(tmStrEqual(nullptr, p));
    EXPECT_FALSE(tmStrEqual("A", "a"));
    std::string copy = "abc";
    EXPECT_TRUE(tmStrEqual("abc", copy.c_str()));
}

TEST(StringTest, CopyTokenStopsAtSeparatorEndOrLimit) {
    char buf[16];
    const char* src = "ab,cd";
    const char* next = tmStrCopyToken(buf, sizeof buf, src, ',');
    EXPECT_STREQ(buf, "ab");
    EXPECT_EQ(next, src + 3);
    next = tmStrCopyToken(buf, sizeof buf, next, ',');
    EXPECT_STREQ(buf, "cd");
    EXPECT_EQ(*next, '\0');
    EXPECT_EQ(next, src + 5);

    std::memset(buf, 'X', sizeof buf);
    EXPECT_EQ(tmStrCopyToken(buf, 2, "abc,", ','), nullptr);
    EXPECT_STREQ(buf, "a");  // terminated within the limit
    EXPECT_EQ(buf[2], 'X');  // nothing written past it
}

TEST(StringTest, OverlongCellDoesNotBreakATokenLoop) {
    // A row of 256-byte cells read the way the data tables read them.
    std::string row = "int," + std::string(300, 'k') + ",x,y,5";
    char cell[256];
    const char* p = row.c_str();
    int cells = 0;
    for (int i = 0; i < 5; ++i) {
        p = tmStrCopyToken(cell, sizeof cell, p, ',');
        EXPECT_LT(std::strlen(cell), sizeof cell);
        ++cells;
    }
    EXPECT_EQ(cells, 5);
    EXPECT_EQ(p, nullptr);
    EXPECT_STREQ(cell, "");
}

TEST(StringTest, FloatsParseAfterLimitedBlanksAndSplitsNeedATrailingSeparator) {
    EXPECT_FLOAT_EQ(tmStrToFloat("  -2.5", 8), -2.5f);
    EXPECT_FLOAT_EQ(tmStrToFloat("x1", 8), 0.0f);
    EXPECT_FLOAT_EQ(tmStrToFloat("   7", 2), 0.0f);  // more blanks than allowed
    EXPECT_FLOAT_EQ(tmStrToFloat("-", 0), 0.0f);
    EXPECT_FLOAT_EQ(tmStrToFloat(nullptr, 0), 0.0f);

    float out[8] = {};
    EXPECT_EQ(tmSplitFloats("1,2,3", ',', out, 8), 2);
    EXPECT_FLOAT_EQ(out[0], 1.0f);
    EXPECT_FLOAT_EQ(out[1], 2.0f);
    EXPECT_EQ(tmSplitFloats("1, 2.5,  3,", ',', out, 8), 3);
    EXPECT_FLOAT_EQ(out[1], 2.5f);
    EXPECT_FLOAT_EQ(out[2], 3.0f);
    float two[2] = {};
    EXPECT_EQ(tmSplitFloats("4,5,6,7,", ',', two, 2), 2);
    EXPECT_FLOAT_EQ(two[1], 5.0f);
}
