// VariantTest.cpp -- variant assignment, number reading and text operations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sys/base/tmVariant.h"

using sys::tmVariant;

TEST(VariantTest, EmptyVariantHasNoTextUntilCopied) {
    tmVariant v;
    EXPECT_EQ(v.GetString(), nullptr);
    EXPECT_EQ(v.GetInt(), 0);
    EXPECT_EQ(v.GetFloat(), 0.0f);
    EXPECT_EQ(v.GetType(), tmVariant::kTypeString);
    EXPECT_EQ(v.GetLength(), 0);
    EXPECT_TRUE(v == nullptr);
    EXPECT_FALSE(v == "");
    EXPECT_EQ(v.Count("a"), 0);
    v.Replace("a", "b");
    EXPECT_EQ(v.GetString(), nullptr);

    tmVariant c(v);
    ASSERT_NE(c.GetString(), nullptr);
    EXPECT_STREQ(c.GetString(), "");
    EXPECT_EQ(c.GetType(), tmVariant::kTypeString);
}

TEST(VariantTest, NumbersAreReadAfterAtMost32Blanks) {
    tmVariant v;
    v = "12.5";
    EXPECT_EQ(v.GetInt(), 12);
    EXPECT_FLOAT_EQ(v.GetFloat(), 12.5f);
    EXPECT_EQ(v.GetType(), tmVariant::kTypeString);
    v = "-3";
    EXPECT_EQ(v.GetInt(), -3);
    EXPECT_FLOAT_EQ(v.GetFloat(), -3.0f);
    v = "x7";
    EXPECT_EQ(v.GetInt(), 0);
    v = (std::string(32, ' ') + "5").c_str();
    EXPECT_EQ(v.GetInt(), 5);
    v = (std::string(40, ' ') + "5").c_str();
    EXPECT_EQ(v.GetInt(), 0);
    EXPECT_EQ(v.GetFloat(), 0.0f);
    v = "-";
    EXPECT_EQ(v.GetInt(), 0);

    tmVariant i(42);
    EXPECT_STREQ(i.GetString(), "42");
    EXPECT_EQ(i.GetType(), tmVariant::kTypeInt);
    EXPECT_FLOAT_EQ(i.GetFloat(), 42.0f);
    tmVariant j(i);
    EXPECT_EQ(j.GetType(), tmVariant::kTypeInt);
    EXPECT_EQ(j.GetInt(), 42);
}

TEST(VariantTest, FormattingIsBounded) {
    tmVariant v("%s-%d", "ab", 7);
    EXPECT_STREQ(v.GetString(), "ab-7");
    EXPECT_EQ(v.GetInt(), 0);
    std::string big(5000, 'z');
    v.Format("%s", big.c_str());
    EXPECT_EQ(v.GetLength(), tmVariant::kFormatBufferSize - 1);
    v.Format(nullptr);
    EXPECT_STREQ(v.GetString(), "");

    char small[4];
    tmVariant t;
    t = "abcdef";
    EXPECT_STREQ(t.CopyTo(small, sizeof small), "abc");
}

TEST(VariantTest, CountsOverlapsAndReplaceRereadsTheNumber) {
    tmVariant v;
    v = "aaaa";
    EXPECT_EQ(v.Count("aa"), 3);
    EXPECT_EQ(v.Count(""), 0);
    EXPECT_EQ(v.Count(nullptr), 0);
    v = "aba";
    v.Replace("a", "aa");
    EXPECT_STREQ(v.GetString(), "aabaa");
    v.Replace("", "x");
    EXPECT_STREQ(v.GetString(), "aabaa");
    v = "data\\a\\b";
    v.Replace("\\", "/");
    EXPECT_STREQ(v.GetString(), "data/a/b");
    v = "one 1";
    v.Replace("one ", "");
    EXPECT_EQ(v.GetInt(), 1);  // numbers are read again
    EXPECT_TRUE(v.Contains("1"));
    EXPECT_FALSE(v.Contains(nullptr));
}

TEST(VariantTest, EditsWorkBytewiseAndAppendingItsOwnTextIsSafe) {
    tmVariant v;
    v = "ab\x82\xA0\x82\x61z";  // byte by byte: a second byte in 'a'..'z' changes too
    v.ToUpper();
    EXPECT_STREQ(v.GetString(), "AB\x82\xA0\x82\x41Z");

    v = "abc";
    v.DropLeft(3);
    EXPECT_STREQ(v.GetString(), "abc");
    v.DropLeft(1);
    EXPECT_STREQ(v.GetString(), "bc");
    v.DropRight(3);
    EXPECT_STREQ(v.GetString(), "bc");
    v.DropRight(2);
    EXPECT_STREQ(v.GetString(), "");

    v = "12";
    v.AppendString("34");
    EXPECT_EQ(v.GetInt(), 1234);
    v.Append(tmVariant(5));
    EXPECT_STREQ(v.GetString(), "12345");
    v.AppendString(v.GetString());  // from its own text
    EXPECT_STREQ(v.GetString(), "1234512345");
    EXPECT_TRUE(v.StartsWith("123"));
    EXPECT_FALSE(v.StartsWith("23"));
    EXPECT_TRUE(sys::IsEqualTo("1234512345", v));
}

TEST(VariantTest, SplitKeepsEmptyCellsButNotATrailingOne) {
    auto split = [](const char* text, const char* d, int k) {
        tmVariant v;
        v = text;
        std::vector<tmVariant> out;
        int n = v.Split(&out, d, k);
        std::vector<std::string> r;
        for (auto& t : out) r.push_back(t.GetString());
        EXPECT_EQ(n, static_cast<int>(r.size()));
        return r;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(split("a,b,,c", ",", 1), (V{"a", "b", "", "c"}));
    EXPECT_EQ(split("a,b,", ",", 1), (V{"a", "b"}));
    EXPECT_EQ(split(",a,b", ",", 1), (V{",a", "b"}));
    EXPECT_EQ(split("a, b", ",", 0), (V{"a", ", b"}));
    EXPECT_EQ(split("a::b", "::", 2), (V{"a", "b"}));
    EXPECT_EQ(split("abc", ",", 1), (V{"abc"}));
    EXPECT_EQ(split("", ",", 1), (V{}));
}
