// tmRandomStream.h -- one linear congruential random sequence with a state of its own.
#pragma once
#include <cstdint>

// The program's random formula: state = state * 214013 + 2531011, each draw
// (state >> 16) & 0x7FFF. The shared race generator (tmRandom) is one such
// sequence; the cameras and the effects each keep another, so what is drawn
// on screen never moves the race's draws.
class tmRandomStream {
public:
    explicit tmRandomStream(uint32_t seed = 1u) : state_(seed) {}
    void SetSeed(uint32_t seed) { state_ = seed; }

    int Rand() {  // 0..32767
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }
    // min when max == min (no draw); else a draw modulo (max - min) plus min, unsigned.
    int GetInt(int min, int max) {
        if (max == min) return min;
        const uint32_t range = static_cast<uint32_t>(max) - static_cast<uint32_t>(min);
        return static_cast<int>(static_cast<uint32_t>(Rand()) % range + static_cast<uint32_t>(min));
    }
    float GetFloat(float max) { return static_cast<float>(static_cast<double>(Rand()) / 32767.0) * max; }  // 0..max
    float GetFloatRange(float min, float max) {                                                            // min..max
        return min + (max - min) * static_cast<float>(static_cast<double>(Rand()) / 32767.0);
    }
    bool Chance(float probability) { return probability > GetFloat(1.0f); }

private:
    uint32_t state_;
};
