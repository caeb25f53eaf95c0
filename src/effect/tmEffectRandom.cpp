// tmEffectRandom.cpp -- the effects' generator state and draws.
#include "effect/tmEffectRandom.h"

namespace {
uint32_t g_state = 1;
}  // namespace

namespace tmEffectRandom {

void Seed(uint32_t seed) { g_state = seed; }

int Rand() {
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & 0x7FFFu);
}

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

}  // namespace tmEffectRandom
