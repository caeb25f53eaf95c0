// ClockTest.cpp -- the installable clock and the fake clock used by tests.
#include <gtest/gtest.h>

#include "platform/clock/Clock.h"

TEST(ClockTest, ScopedFakeClockIsInstalledAndRestored) {
    platform::Clock* real = &platform::GetClock();
    uint64_t a = real->NowMicros();
    uint64_t b = real->NowMicros();
    EXPECT_GE(b, a);  // monotonic
    {
        platform::FakeClock fake;
        platform::ScopedClock scope(&fake);
        EXPECT_EQ(&platform::GetClock(), &fake);
        fake.Set(1000);
        platform::GetClock().SleepMicros(500);
        EXPECT_EQ(platform::GetClock().NowMicros(), 1500u);
        EXPECT_EQ(fake.Slept(), 500u);
    }
    EXPECT_EQ(&platform::GetClock(), real);
}
