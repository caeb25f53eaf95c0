// Clock.cpp -- CLOCK_MONOTONIC time and the installable test clock.
#include "platform/clock/Clock.h"

#include <time.h>

#include <atomic>

namespace platform {
namespace {

class MonotonicClock : public Clock {
public:
    uint64_t NowMicros() override {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<uint64_t>(ts.tv_sec) * 1000000u + static_cast<uint64_t>(ts.tv_nsec) / 1000u;
    }
    void SleepMicros(uint64_t us) override {
        timespec ts{static_cast<time_t>(us / 1000000u), static_cast<long>((us % 1000000u) * 1000u)};
        while (nanosleep(&ts, &ts) != 0) {}
    }
};

MonotonicClock g_monotonic;
std::atomic<Clock*> g_clock{&g_monotonic};

}  // namespace

Clock& GetClock() { return *g_clock.load(std::memory_order_acquire); }

void SetClock(Clock* clock) { g_clock.store(clock ? clock : &g_monotonic, std::memory_order_release); }

}  // namespace platform
