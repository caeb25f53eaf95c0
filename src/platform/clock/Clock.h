// Clock.h -- monotonic microsecond clock and sleeps, with a test hook.
#pragma once
#include <cstdint>

namespace platform {

// A source of time. The real clock reads CLOCK_MONOTONIC; tests install a
// FakeClock so loops run with scripted time and no real sleeps.
class Clock {
public:
    virtual ~Clock() = default;
    // Microseconds since an arbitrary start, 64-bit (never wraps in practice).
    virtual uint64_t NowMicros() = 0;
    virtual void SleepMicros(uint64_t us) = 0;
};

// The process-wide clock; the real one unless a test installed another.
Clock& GetClock();
// Installs a clock (nullptr restores the real one). The caller keeps ownership.
void SetClock(Clock* clock);

// A clock that only moves when told; sleeping advances it instantly.
class FakeClock : public Clock {
public:
    uint64_t NowMicros() override { return now_; }
    void SleepMicros(uint64_t us) override {
        now_ += us;
        slept_ += us;
    }
    void Advance(uint64_t us) { now_ += us; }
    void Set(uint64_t us) { now_ = us; }
    uint64_t Slept() const { return slept_; }

private:
    uint64_t now_ = 0;
    uint64_t slept_ = 0;
};

// Installs a clock for the lifetime of the object and restores the previous
// one afterwards; tests use it with a FakeClock.
class ScopedClock {
public:
    explicit ScopedClock(Clock* clock) : previous_(&GetClock()) { SetClock(clock); }
    ~ScopedClock() { SetClock(previous_); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    Clock* previous_;
};

}  // namespace platform
