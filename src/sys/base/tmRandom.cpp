// tmRandom.cpp -- the shared generator state and the random service.
#include "sys/base/tmRandom.h"

#include "sys/base/tmMemory.h"
#include "sys/base/tmRandomStream.h"

namespace {
tmRandomStream g_stream;
tmRandom* g_instance = nullptr;
}  // namespace

int tmRand() { return g_stream.Rand(); }

void tmSrand(uint32_t seed) { g_stream.SetSeed(seed); }

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

int tmRandom::Rand() { return g_stream.Rand(); }
int tmRandom::GetInt(int min, int max) { return g_stream.GetInt(min, max); }
float tmRandom::GetFloat(float max) { return g_stream.GetFloat(max); }
float tmRandom::GetFloatRange(float min, float max) { return g_stream.GetFloatRange(min, max); }
bool tmRandom::Chance(float probability) { return g_stream.Chance(probability); }
