// TimerAndFileListTest.cpp -- lap timing across the 32-bit wrap; directory listings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/clock/Clock.h"
#include "platform/fs/FileSystem.h"
#include "sys/tmFileList.h"
#include "sys/tmTimer.h"

TEST(TimerTest, LapsAcrossTheWrapAndLongRuns) {
    platform::FakeClock fake;
    platform::ScopedClock scope(&fake);
    tmTimer* t = tmTimer::Create();
    ASSERT_EQ(tmTimer::GetInstance(), t);
    fake.Set(0xFFFFFF00ull);
    EXPECT_EQ(t->GetLap(3), 0xFFFFFF00u);  // never started: the clock itself
    EXPECT_EQ(t->StartLap(3), 0xFFFFFF00u);
    fake.Advance(0x200);
    EXPECT_EQ(t->GetMicroseconds(), 0x100u);  // wrapped
    EXPECT_EQ(t->GetLap(3), 0x200u);
    EXPECT_EQ(t->RestartLap(0, nullptr, 3), 0x200);
    fake.Advance(16667);
    EXPECT_EQ(t->GetLap(3), 16667u);
    // 30 days of uptime: readings still step by exactly one frame.
    fake.Set(30ull * 24 * 3600 * 1000000);
    t->StartLap(0);
    fake.Advance(16667);
    EXPECT_EQ(t->GetLap(0), 16667u);
    // Slots outside 0..9 store nothing and read as unstarted.
    t->StartLap(10);
    EXPECT_EQ(t->GetLap(-1), t->GetMicroseconds());
    tmTimer::Destroy();
    EXPECT_EQ(tmTimer::GetInstance(), nullptr);
}

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
