// tmRandom.h -- the process-wide linear congruential random generator.
#pragma once
#include <cstdint>

// The one generator state of the program: state = state * 214013 + 2531011,
// each draw (state >> 16) & 0x7FFF. tmRand serves code that wants a bare
// draw (in place of the C library's rand), so every caller shares one
// sequence and races replay identically. Main thread only.
int tmRand();
void tmSrand(uint32_t seed);

// The random service, created by the main loop and seeded from the clock.
// Its draws come from the same state as tmRand.
class tmRandom {
public:
    static tmRandom* Create();
    static void Destroy();
    static tmRandom* GetInstance();

    void SetSeed(uint32_t seed);
    uint32_t GetSeed() const { return seed_; }
    int Rand();  // 0..32767
    // min when max == min (no draw); else draw mod (max - min) + min, unsigned.
    int GetInt(int min, int max);
    float GetFloat(float max);                  // 0..max inclusive
    float GetFloatRange(float min, float max);  // min..max inclusive
    bool Chance(float probability);             // probability > GetFloat(1)

private:
    tmRandom() = default;
    uint32_t seed_ = 1;
};
