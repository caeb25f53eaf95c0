// tmEffectRandom.cpp -- the effects' generator state and draws.
#include "effect/tmEffectRandom.h"

#include "sys/base/tmRandomStream.h"

namespace {
tmRandomStream g_stream;
}  // namespace

namespace tmEffectRandom {

void Seed(uint32_t seed) { g_stream.SetSeed(seed); }
int Rand() { return g_stream.Rand(); }
int GetInt(int min, int max) { return g_stream.GetInt(min, max); }
float GetFloat(float max) { return g_stream.GetFloat(max); }
float GetFloatRange(float min, float max) { return g_stream.GetFloatRange(min, max); }
bool Chance(float probability) { return g_stream.Chance(probability); }

}  // namespace tmEffectRandom
