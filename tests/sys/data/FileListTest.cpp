// FileListTest.cpp -- directory listings: filter, order, directories and literal names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fs/FileSystem.h"
#include "sys/data/tmFileList.h"

namespace {
std::vector<std::string> Names(const tmFileList& list, bool fromFront) {
    std::vector<std::string> r;
    for (int i = 0; i < list.GetCount(); ++i) {
        const tmFileEntry* e = list.GetEntry(i, fromFront);
        r.push_back(std::string(e->name) + (e->isDirectory ? "/" : ""));
    }
    return r;
}
void Touch(const std::string& path) {
    auto f = platform::File::Open(path, platform::File::Mode::Write);
    ASSERT_TRUE(f);
}
}  // namespace

TEST(FileListTest, FiltersFilesAndListsDirectoriesOnlyWhenAsked) {
    platform::TempDirectory tmp;
    for (const char* n : {"b_QUVASE_REP0220.rep", "a_QUVASE_REP0220.rep", "%s%n_QUVASE_REP0220", "note.txt"})
        Touch(tmp.Join(n));
    ASSERT_TRUE(platform::MakeDirectory(tmp.Join("QUVASE_REP0220_dir")));
    ASSERT_TRUE(platform::MakeDirectory(tmp.Join("other")));

    tmFileList list;
    list.Search(tmp.Path().c_str(), "QUVASE_REP0220", false);
    using V = std::vector<std::string>;
    EXPECT_EQ(Names(list, true), (V{"%s%n_QUVASE_REP0220", "a_QUVASE_REP0220.rep", "b_QUVASE_REP0220.rep"}));
    EXPECT_EQ(Names(list, false), (V{"b_QUVASE_REP0220.rep", "a_QUVASE_REP0220.rep", "%s%n_QUVASE_REP0220"}));
    EXPECT_STREQ(list.GetEntry(0, true)->directory, tmp.Path().c_str());
    EXPECT_EQ(list.GetEntry(3, true), nullptr);
    EXPECT_EQ(list.GetEntry(-1, false), nullptr);

    list.Search(tmp.Path().c_str(), "QUVASE", true);  // directories regardless of the filter
    EXPECT_EQ(Names(list, true), (V{"%s%n_QUVASE_REP0220", "QUVASE_REP0220_dir/", "a_QUVASE_REP0220.rep",
                                    "b_QUVASE_REP0220.rep", "other/"}));

    std::string percentDir = tmp.Join("100%d");
    ASSERT_TRUE(platform::MakeDirectory(percentDir));
    Touch(percentDir + "/x.rep");
    list.Search(percentDir.c_str(), "%d", false);  // '%' taken literally
    EXPECT_EQ(list.GetCount(), 0);
    list.Search(percentDir.c_str(), ".rep", false);
    EXPECT_EQ(Names(list, true), (V{"x.rep"}));
    EXPECT_STREQ(list.GetDirectory(), percentDir.c_str());

    list.Search(tmp.Join("missing").c_str(), "", true);
    EXPECT_EQ(list.GetCount(), 0);
}
