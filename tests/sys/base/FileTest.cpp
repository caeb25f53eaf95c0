// FileTest.cpp -- ranged and whole-file reads, string writes and CRC-32.
#include <gtest/gtest.h>

#include <string>

#include "sys/base/tmFile.h"

using platform::File;

namespace {
std::string Hundred() {
    std::string s;
    for (int i = 0; i < 100; ++i) s += static_cast<char>('A' + i % 26);
    return s;
}
}  // namespace

TEST(FileTest, Crc32RegisterWithoutPresetOrComplement) {
    EXPECT_EQ(tmCrc32(0xFFFFFFFFu, "", 0), 0xFFFFFFFFu);
    EXPECT_EQ(tmCrc32(0xFFFFFFFFu, "123456789", 9), 0x340BC6D9u);
    EXPECT_EQ(~tmCrc32(0xFFFFFFFFu, "123456789", 9), 0xCBF43926u);  // the standard check value
    // Fed in pieces (crossing the 8-byte fast path) gives the same register.
    std::string text = "The quick brown fox jumps over the lazy dog";
    uint32_t whole = tmCrc32(0xFFFFFFFFu, text.data(), text.size());
    for (size_t cut = 0; cut <= text.size(); cut += 5) {
        uint32_t part = tmCrc32(0xFFFFFFFFu, text.data(), cut);
        EXPECT_EQ(tmCrc32(part, text.data() + cut, text.size() - cut), whole) << cut;
    }
    EXPECT_EQ(~whole, 0x414FA339u);
}

TEST(FileTest, ReadRangeAppendsAndTellsWhetherItReachedTheEnd) {
    platform::TempDirectory tmp;
    std::string path = tmp.Join("r.bin");
    {
        auto w = File::Open(path, File::Mode::Write);
        ASSERT_TRUE(w);
        ASSERT_TRUE(tmFileWriteString(w.get(), Hundred()));
    }
    auto f = File::Open(path, File::Mode::Read);
    ASSERT_TRUE(f);
    std::string out;
    EXPECT_EQ(tmFileReadRange(&out, f.get(), 90, 10), kReadRangeToEnd);
    EXPECT_EQ(out, Hundred().substr(90));
    EXPECT_EQ(f->Tell(), 0);
    out.clear();
    EXPECT_EQ(tmFileReadRange(&out, f.get(), 90, 20), kReadRangeRead);
    EXPECT_EQ(out.size(), 10u);
    EXPECT_EQ(f->Tell(), 0);
    out = "keep";
    EXPECT_EQ(tmFileReadRange(&out, f.get(), 10, 5), kReadRangeRead);
    EXPECT_EQ(out, "keep" + Hundred().substr(10, 5));  // appended
    out.clear();
    EXPECT_EQ(tmFileReadRange(&out, f.get(), 0, 0), kReadRangeNothing);
    EXPECT_EQ(tmFileReadRange(&out, f.get(), -1, 5), kReadRangeNothing);
    EXPECT_EQ(tmFileReadRange(&out, f.get(), 100, 5), kReadRangeNothing);  // at the end
    EXPECT_EQ(tmFileReadRange(&out, f.get(), 200, 5), kReadRangeNothing);  // past it
    EXPECT_TRUE(out.empty());
}

TEST(FileTest, WholeFileLoadsAppendAndShortReadsFail) {
    platform::TempDirectory tmp;
    std::string path = tmp.Join("w.txt");
    {
        auto w = File::Open(path, File::Mode::Write);
        ASSERT_TRUE(tmFileWriteString(w.get(), "abc"));
        ASSERT_TRUE(tmFileWriteString(w.get(), ""));
    }
    std::string out = ">";
    EXPECT_TRUE(tmFileLoad(&out, path.c_str()));
    EXPECT_EQ(out, ">abc");
    EXPECT_FALSE(tmFileLoad(&out, tmp.Join("missing").c_str()));
    EXPECT_EQ(out, ">abc");
    EXPECT_FALSE(tmFileLoad(&out, nullptr));

    auto f = File::Open(path, File::Mode::Read);
    ASSERT_TRUE(f->Seek(1));
    out.clear();
    EXPECT_FALSE(tmFileReadAll(&out, f.get()));  // only 2 of 3 bytes remain: short
    EXPECT_TRUE(out.empty());
    ASSERT_TRUE(f->Seek(0));
    EXPECT_TRUE(tmFileReadAll(&out, f.get()));
    EXPECT_EQ(out, "abc");
}

TEST(FileTest, HeadReadsReplacementAndFolders) {
    platform::TempDirectory tmp;
    const std::string folder = tmp.Join("sub");
    const std::string path = folder + "/h.bin";
    EXPECT_FALSE(tmFileReplace(path.c_str(), "x", 1));  // no folder yet
    EXPECT_TRUE(tmMakeFolder(folder.c_str()));
    EXPECT_TRUE(tmMakeFolder(folder.c_str()));  // already there
    ASSERT_TRUE(tmFileReplace(path.c_str(), "abcdef", 6));
    ASSERT_TRUE(tmFileReplace(path.c_str(), "xyz", 3));  // replaced, not overwritten in place
    EXPECT_FALSE(platform::FileExists(path + ".tmp"));

    std::string out = ">";
    int64_t size = -1;
    EXPECT_TRUE(tmFileLoadHead(&out, path.c_str(), 2, &size));
    EXPECT_EQ(out, ">xy");
    EXPECT_EQ(size, 3);
    out.clear();
    EXPECT_TRUE(tmFileLoadHead(&out, path.c_str(), 100, &size));  // shorter than asked: all of it
    EXPECT_EQ(out, "xyz");
    EXPECT_FALSE(tmFileLoadHead(&out, tmp.Join("missing").c_str(), 10, &size));
    EXPECT_EQ(out, "xyz");

    // A write that cannot finish leaves the old file whole: here the target is a folder.
    EXPECT_FALSE(tmFileReplace(folder.c_str(), "q", 1));
    EXPECT_TRUE(platform::DirectoryExists(folder));
}
