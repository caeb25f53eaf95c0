// TimerTest.cpp -- lap timing across the 32-bit wrap and in long runs.
#include <gtest/gtest.h>

#include "platform/clock/Clock.h"
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
