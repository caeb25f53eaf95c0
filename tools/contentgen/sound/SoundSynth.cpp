// SoundSynth.cpp -- filters, wave tables, seamless loop joins and sample conversion.
#include "sound/SoundSynth.h"

#include <algorithm>

namespace contentgen {
namespace synth {

void BandPass::Set(float hz, float q) {
    hz = std::clamp(hz, 20.0f, kRate * 0.45f);
    const float w = float(kTwoPi) * hz / kRate;
    const float alpha = std::sin(w) / (2.0f * std::max(q, 0.1f));
    const float a0 = 1.0f + alpha;
    m_b0 = alpha / a0;
    m_b2 = -alpha / a0;
    m_a1 = -2.0f * std::cos(w) / a0;
    m_a2 = (1.0f - alpha) / a0;
}

float BandPass::Run(float x) {
    const float y = m_b0 * x + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
    m_x2 = m_x1;
    m_x1 = x;
    m_y2 = m_y1;
    m_y1 = y;
    return y;
}

WaveTable::WaveTable(const std::vector<float>& amps, int size) : m_table(size_t(size) + 1, 0.0f) {
    for (int i = 0; i < size; ++i) {
        double v = 0.0;
        for (size_t k = 0; k < amps.size(); ++k) v += amps[k] * std::sin(kTwoPi * double(k + 1) * i / size);
        m_table[i] = float(v);
    }
    m_table[size] = m_table[0];
    float peak = 0.0f;
    for (float v : m_table) peak = std::max(peak, std::fabs(v));
    if (peak > 0.0f)
        for (float& v : m_table) v /= peak;
}

float WaveTable::At(double phase) const {
    const size_t size = m_table.size() - 1;
    double frac = phase - std::floor(phase);
    const double pos = frac * double(size);
    size_t i = size_t(pos);
    if (i >= size) i = size - 1;
    const float t = float(pos - double(i));
    return m_table[i] + (m_table[i + 1] - m_table[i]) * t;
}

void MakeSeamless(std::vector<float>& x, size_t loopFrames, size_t fade) {
    if (x.size() < loopFrames + fade) x.resize(loopFrames + fade, 0.0f);
    for (size_t i = 0; i < fade; ++i) {
        const double t = (double(i) + 0.5) / double(fade);
        const float in = float(std::sin(t * kTwoPi / 4));
        const float out = float(std::cos(t * kTwoPi / 4));
        x[i] = x[i] * in + x[loopFrames + i] * out;
    }
    x.resize(loopFrames);
}

void Normalize(std::vector<float>& x, float peak) {
    float m = 0.0f;
    for (float v : x) m = std::max(m, std::fabs(v));
    if (m <= 0.0f) return;
    const float g = peak / m;
    for (float& v : x) v *= g;
}

std::vector<int16_t> ToPcm(const std::vector<float>& x) {
    std::vector<int16_t> out(x.size());
    for (size_t i = 0; i < x.size(); ++i) {
        const float s = std::clamp(x[i] * 32767.0f, -32768.0f, 32767.0f);
        out[i] = int16_t(std::lrint(s));
    }
    return out;
}

std::vector<float> Interleave(const std::vector<float>& left, const std::vector<float>& right) {
    std::vector<float> out(left.size() * 2);
    for (size_t i = 0; i < left.size(); ++i) {
        out[2 * i] = left[i];
        out[2 * i + 1] = i < right.size() ? right[i] : left[i];
    }
    return out;
}

}  // namespace synth
}  // namespace contentgen
