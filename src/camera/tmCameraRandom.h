// tmCameraRandom.h -- the cameras' own random sequence, apart from the race's shared generator.
#pragma once
#include <cstdint>

// The cameras shake, pick replay shots and wander by chance. They draw from
// this sequence (the shared generator's formula, with a state of its own)
// rather than from the race's generator: which view a player watches must
// never change how a race runs, nor make a replay diverge from its recording.
// Owned by the race camera controller and lent to its sub-cameras.
class tmCameraRandom {
public:
    explicit tmCameraRandom(uint32_t seed = 1u) : state_(seed) {}
    void SetSeed(uint32_t seed) { state_ = seed; }

    int Rand() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }
    // min when max == min (no draw); else a draw modulo (max - min) plus min.
    int GetInt(int min, int max) {
        if (max == min) return min;
        const uint32_t range = static_cast<uint32_t>(max) - static_cast<uint32_t>(min);
        return static_cast<int>(static_cast<uint32_t>(Rand()) % range + static_cast<uint32_t>(min));
    }
    float GetFloat(float max) { return static_cast<float>(static_cast<double>(Rand()) / 32767.0) * max; }
    float GetFloatRange(float min, float max) {
        return min + (max - min) * static_cast<float>(static_cast<double>(Rand()) / 32767.0);
    }
    bool Chance(float probability) { return probability > GetFloat(1.0f); }

private:
    uint32_t state_;
};
