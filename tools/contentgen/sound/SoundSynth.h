// SoundSynth.h -- small deterministic synthesis kit for the generated sounds and music.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace contentgen {
namespace synth {

constexpr int kRate = 44100;
constexpr double kTwoPi = 6.283185307179586;

// xorshift32: the same sequence on every machine.
class Rng {
public:
    explicit Rng(uint32_t seed) : m_state(seed ? seed : 0x9E3779B9u) {}
    uint32_t NextU32() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    // Uniform in -1..1.
    float Bipolar() { return float(NextU32() >> 8) / float(1u << 23) - 1.0f; }
    // Uniform in 0..1.
    float Unit() { return float(NextU32() >> 8) / float(1u << 24); }
    int Below(int n) { return int(NextU32() % uint32_t(n)); }

private:
    uint32_t m_state;
};

// One-pole low-pass.
class LowPass {
public:
    explicit LowPass(float cutoffHz = 1000.0f) { SetCutoff(cutoffHz); }
    void SetCutoff(float hz) { m_a = 1.0f - std::exp(float(-kTwoPi) * hz / kRate); }
    float Run(float x) { return m_z += m_a * (x - m_z); }

private:
    float m_a = 0.0f;
    float m_z = 0.0f;
};

// Two-pole band-pass (constant peak gain), centre and Q changeable per sample.
class BandPass {
public:
    void Set(float hz, float q);
    float Run(float x);

private:
    float m_b0 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
    float m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

// A single-cycle waveform of `size` points built from harmonic amplitudes
// (amps[k] for harmonic k + 1), read with linear interpolation.
class WaveTable {
public:
    WaveTable() = default;
    WaveTable(const std::vector<float>& amps, int size = 2048);
    // phase in cycles (any value; only the fraction counts).
    float At(double phase) const;
    bool Empty() const { return m_table.empty(); }

private:
    std::vector<float> m_table;
};

// Makes a buffer of loopFrames + fade samples loop without a seam: the first
// `fade` samples are cross-faded (equal power) with the samples past the loop
// end, then the buffer is cut to loopFrames.
void MakeSeamless(std::vector<float>& x, size_t loopFrames, size_t fade);

// Scales so that the largest magnitude becomes `peak` (0..1 of full scale).
void Normalize(std::vector<float>& x, float peak);

// Converts -1..1 floats to 16-bit samples with rounding and clipping.
std::vector<int16_t> ToPcm(const std::vector<float>& x);

// Interleaves left and right into a stereo sample vector.
std::vector<float> Interleave(const std::vector<float>& left, const std::vector<float>& right);

// Frequency of a MIDI note number.
inline double NoteHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

}  // namespace synth
}  // namespace contentgen
