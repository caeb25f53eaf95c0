// tmRandom.cpp -- the shared generator state and the random service.
#include "sys/base/tmRandom.h"

#include "sys/base/tmMemory.h"

namespace {
uint32_t g_state = 1;
tmRandom* g_instance = nullptr;
}  // namespace

int tmRand() {
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & 0x7FFFu);
}

void tmSrand(uint32_t seed) { g_state = seed; }

tmRandom* tmRandom::Create() {
    if (!g_instance) g_instance = TM_NEW tmRandom;
    return g_instance;
}

void tmRandom::Destroy() {
    TM_DELETE(g_instance);
    g_instance = nullptr;
}

tmRandom* tmRandom::GetInstance() { return g_instance; }

void tmRandom::SetSeed(uint32_t seed) {
    seed_ = seed;
    tmSrand(seed);
}

int tmRandom::Rand() { return tmRand(); }

int tmRandom::GetInt(int min, int max) {
    if (max == min) return min;
    uint32_t range = static_cast<uint32_t>(max) - static_cast<uint32_t>(min);
    return static_cast<int>(static_cast<uint32_t>(tmRand()) % range + static_cast<uint32_t>(min));
}

float tmRandom::GetFloat(float max) { return static_cast<float>(static_cast<double>(tmRand()) / 32767.0) * max; }

float tmRandom::GetFloatRange(float min, float max) {
    return min + (max - min) * static_cast<float>(static_cast<double>(tmRand()) / 32767.0);
}

bool tmRandom::Chance(float probability) { return probability > GetFloat(1.0f); }
