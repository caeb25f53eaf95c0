// FileSystemTest.cpp -- files, sorted listings, path translation and safe replacement.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fs/FileSystem.h"

using platform::File;
using platform::TempDirectory;

namespace {
void Put(const std::string& path, const std::string& data) {
    auto f = File::Open(path, File::Mode::Write);
    ASSERT_TRUE(f);
    ASSERT_TRUE(f->Write(data.data(), data.size()));
}
}  // namespace

TEST(FileSystemTest, BackslashPathsReachTheSameFile) {
    TempDirectory tmp;
    ASSERT_FALSE(tmp.Path().empty());
    ASSERT_TRUE(platform::MakeDirectory(tmp.Join("data")));
    Put(tmp.Join("data/a.txt"), "hello");
    std::string got;
    EXPECT_TRUE(platform::ReadWholeFile(tmp.Path() + "\\data\\a.txt", &got));
    EXPECT_EQ(got, "hello");
    EXPECT_EQ(platform::ToNativePath("data\\bank01.dat"), "data/bank01.dat");
    EXPECT_TRUE(platform::FileExists(tmp.Join("data\\a.txt")));
    EXPECT_FALSE(platform::FileExists(tmp.Join("data")));
    EXPECT_TRUE(platform::DirectoryExists(tmp.Join("data")));
    EXPECT_EQ(platform::FileSize(tmp.Join("data/a.txt")), 5);
    EXPECT_EQ(platform::FileSize(tmp.Join("missing")), -1);
    EXPECT_FALSE(platform::ReadWholeFile(tmp.Join("missing"), &got));
    EXPECT_FALSE(File::Open(tmp.Join("data"), File::Mode::Read));  // a directory is not a file
}

TEST(FileSystemTest, ListingIsSortedAndSkipsDotEntries) {
    TempDirectory tmp;
    for (const char* n : {"c.rep", "a.rep", "%d.rep", "b"}) Put(tmp.Join(n), "x");
    ASSERT_TRUE(platform::MakeDirectory(tmp.Join("sub")));
    std::vector<platform::DirEntry> list;
    ASSERT_TRUE(platform::ListDirectory(tmp.Path(), &list));
    std::vector<std::string> names;
    for (auto& e : list) names.push_back(e.name + (e.isDirectory ? "/" : ""));
    EXPECT_EQ(names, (std::vector<std::string>{"%d.rep", "a.rep", "b", "c.rep", "sub/"}));
    EXPECT_FALSE(platform::ListDirectory(tmp.Join("nope"), &list));
    EXPECT_TRUE(list.empty());
}

TEST(FileSystemTest, AtomicWriteReplacesOrKeepsTheOldFile) {
    TempDirectory tmp;
    std::string path = tmp.Join("save.sav");
    Put(path, "old contents");
    std::string next = "new";
    ASSERT_TRUE(platform::WriteFileAtomic(path, next.data(), next.size()));
    std::string got;
    ASSERT_TRUE(platform::ReadWholeFile(path, &got));
    EXPECT_EQ(got, "new");
    EXPECT_FALSE(platform::FileExists(path + ".tmp"));
    // A target in a missing folder fails and leaves nothing behind.
    EXPECT_FALSE(platform::WriteFileAtomic(tmp.Join("no/such/file"), "x", 1));
}

TEST(FileSystemTest, ReadsStopAtTheEndAndNegativeSeeksFail) {
    TempDirectory tmp;
    Put(tmp.Join("f"), "0123456789");
    auto f = File::Open(tmp.Join("f"), File::Mode::Read);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Size(), 10);
    char buf[16] = {};
    ASSERT_TRUE(f->Seek(7));
    EXPECT_EQ(f->Read(buf, sizeof buf), 3);
    EXPECT_EQ(std::string(buf, 3), "789");
    EXPECT_EQ(f->Read(buf, sizeof buf), 0);
    EXPECT_FALSE(f->Seek(-1));
    EXPECT_EQ(f->Tell(), 10);
}
