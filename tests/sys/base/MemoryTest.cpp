// MemoryTest.cpp -- allocation sites count their live blocks.
#include <gtest/gtest.h>

#include <cstdio>

#include "sys/base/tmMemory.h"

namespace {
struct Base {
    virtual ~Base() = default;
    int a = 1;
};
struct Other {
    virtual ~Other() = default;
    int b = 2;
};
struct Derived : Other, Base {
    int c = 3;
};
}  // namespace

TEST(MemoryTest, SitesCountLiveBlocksUntilReleased) {
    const int line = __LINE__ + 1;
    void* raw = TM_ALLOC(40);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(tmLiveBlocksAt(__FILE__, line), 1u);
    tmFree(raw);
    EXPECT_EQ(tmLiveBlocksAt(__FILE__, line), 0u);
    tmFree(nullptr);

    const int objLine = __LINE__ + 1;
    Base* b = TM_NEW Derived;  // Base sits at an offset inside Derived
    int* arr = TM_NEW int[16];
    EXPECT_EQ(tmLiveBlocksAt(__FILE__, objLine), 1u);
    EXPECT_EQ(tmLiveBlocksAt(__FILE__, objLine + 1), 1u);
    TM_DELETE(b);
    TM_DELETE_ARRAY(arr);
    EXPECT_EQ(tmLiveBlocksAt(__FILE__, objLine), 0u);
    EXPECT_EQ(tmLiveBlocksAt(__FILE__, objLine + 1), 0u);
}

TEST(MemoryTest, LeakReportNamesTheSite) {
    const int line = __LINE__ + 1;
    void* leak = TM_ALLOC(100);
    char buf[4096] = {};
    std::FILE* f = fmemopen(buf, sizeof buf - 1, "w");
    ASSERT_NE(f, nullptr);
    EXPECT_GE(tmReportLeaks(f), 1u);
    std::fclose(f);
    std::string expect = std::string(__FILE__) + ":" + std::to_string(line) + ": 1 blocks, 100 bytes";
    EXPECT_NE(std::string(buf).find(expect), std::string::npos) << buf;
    tmFree(leak);
}
