// RandomTest.cpp -- the shared generator's sequence and the service's ranges.
#include <gtest/gtest.h>

#include "sys/base/tmRandom.h"

namespace {
// A seed whose next draw is 32767: search the sequence once.
uint32_t StateBeforeMaxDraw() {
    uint32_t s = 1;
    for (;;) {
        uint32_t next = s * 214013u + 2531011u;
        if (((next >> 16) & 0x7FFF) == 32767) return s;
        s = next;
    }
}
}  // namespace

TEST(RandomTest, SeedOneGivesTheKnownSequence) {
    tmRandom* r = tmRandom::Create();
    ASSERT_EQ(tmRandom::GetInstance(), r);
    r->SetSeed(1);
    EXPECT_EQ(r->Rand(), 41);
    EXPECT_EQ(r->Rand(), 18467);
    EXPECT_EQ(r->Rand(), 6334);
    // The bare draw shares the state.
    tmSrand(1);
    EXPECT_EQ(tmRand(), 41);
    EXPECT_EQ(r->Rand(), 18467);
    tmRandom::Destroy();
    EXPECT_EQ(tmRandom::GetInstance(), nullptr);
}

TEST(RandomTest, EmptyRangesDrawNothingAndResultsStayInRange) {
    tmRandom* r = tmRandom::Create();
    r->SetSeed(7);
    EXPECT_EQ(r->GetInt(5, 5), 5);  // consumes no draw
    r->SetSeed(7);
    int first = r->Rand();
    r->SetSeed(7);
    EXPECT_EQ(r->GetInt(5, 5), 5);
    EXPECT_EQ(r->Rand(), first);
    for (int i = 0; i < 200; ++i) {
        int v = r->GetInt(0, 3);
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 2);
        float f = r->GetFloatRange(-1.0f, 1.0f);
        EXPECT_GE(f, -1.0f);
        EXPECT_LE(f, 1.0f);
    }
    for (int i = 0; i < 50; ++i) EXPECT_FALSE(r->Chance(0.0f));

    uint32_t s = StateBeforeMaxDraw();
    r->SetSeed(s);
    EXPECT_EQ(r->GetFloat(2.0f), 2.0f);
    r->SetSeed(s);
    EXPECT_FALSE(r->Chance(1.0f));  // the only draw where certainty fails
    r->SetSeed(1);
    EXPECT_TRUE(r->Chance(1.0f));
    tmRandom::Destroy();
}
