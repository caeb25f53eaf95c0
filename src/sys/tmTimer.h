// tmTimer.h -- the program's microsecond clock with ten lap slots.
#pragma once
#include <cstdint>

// One instance, created first by the main loop and destroyed last. Readings
// are microseconds from the platform's monotonic clock cut to 32 bits, so
// they wrap about every 71.6 minutes; intervals are formed by unsigned
// 32-bit subtraction and stay right across the wrap.
class tmTimer {
public:
    static constexpr int kLapCount = 10;

    static tmTimer* Create();
    static void Destroy();
    static tmTimer* GetInstance();

    uint32_t GetMicroseconds() const;
    // Slot i := now; returns the reading. An index outside 0..9 stores nothing.
    uint32_t StartLap(int i);
    // now - slot i (a slot never started reads 0, so this is the clock itself).
    uint32_t GetLap(int i) const;
    // Returns now - slot i, then stores a second reading in slot i.
    int RestartLap(int ignored, const char* ignoredText, int i);

private:
    tmTimer() = default;
    uint32_t laps_[kLapCount] = {};
};
