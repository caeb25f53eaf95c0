// tmEffectRandom.h -- the random numbers of particles and flames, apart from the race's generator.
#pragma once
#include <cstdint>

// The effects' own generator: the same linear congruential sequence as
// tmRandom, with a state of its own. Sparks, smoke, debris and flame flicker
// draw from it, some of them once per drawn frame, so they never move the
// race's shared generator: a race stays a function of its setup, seed and
// control records whether it is drawn or not, at any frame rate, with the
// effects option on or off. Main thread only.
namespace tmEffectRandom {
void Seed(uint32_t seed);
int Rand();                                 // 0..32767
int GetInt(int min, int max);               // min when max == min, else draw mod (max - min) + min
float GetFloat(float max);                  // 0..max
float GetFloatRange(float min, float max);  // min..max
bool Chance(float probability);             // probability > GetFloat(1)
}  // namespace tmEffectRandom
