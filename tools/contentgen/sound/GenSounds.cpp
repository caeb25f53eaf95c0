// GenSounds.cpp -- the two sound banks: synthesized stereo one-shots and seamless mono loops.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "Generators.h"
#include "format/Riff.h"
#include "sound/SoundSynth.h"

namespace contentgen {
namespace {

using namespace synth;

// One sound of the manifest.
struct SoundSpec {
    int line = 0;
    int index = 0;
    std::string name;
    std::string recipe;
    std::vector<std::string> args;
    double Arg(size_t i) const { return i < args.size() ? std::atof(args[i].c_str()) : 0.0; }
};

// A rendered sound: one channel (loops) or two (one-shots).
struct Rendered {
    std::vector<float> left, right;
    std::string error;
};

size_t Frames(double seconds) { return size_t(std::max(1.0, seconds * kRate)); }

// Attack then exponential decay reaching about -60 dB at `len`, with a short
// fade to zero at the very end so nothing clicks when the voice frees.
float OneShotEnv(double t, double len, double attack = 0.003) {
    const double a = std::min(1.0, t / attack);
    const double tail = std::min(1.0, (len - t) / 0.005);
    return float(a * std::exp(-6.9 * t / len) * std::max(0.0, tail));
}

// ---- one-shots ------------------------------------------------------------

void AddChime(std::vector<float>& out, size_t start, double f, double len, float gain) {
    static const double kPartials[] = {1.0, 2.0, 3.0, 4.2};
    static const float kAmps[] = {1.0f, 0.45f, 0.25f, 0.12f};
    const size_t n = Frames(len);
    if (out.size() < start + n) out.resize(start + n, 0.0f);
    for (size_t i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        float s = 0.0f;
        for (int k = 0; k < 4; ++k)
            s += kAmps[k] * float(std::sin(kTwoPi * f * kPartials[k] * t) * std::exp(-(3.0 + 3.0 * k) * t / len));
        const double tail = std::min(1.0, (len - t) / 0.005);
        out[start + i] += gain * s * float(std::min(1.0, t / 0.002) * std::max(0.0, tail));
    }
}

Rendered Blip(double f0, double f1, double len) {
    Rendered r;
    const size_t n = Frames(len);
    r.left.resize(n);
    double phase = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        phase += f0 * std::pow(f1 / f0, t / len) / kRate;
        r.left[i] = float(std::sin(kTwoPi * phase) + 0.25 * std::sin(2 * kTwoPi * phase)) * OneShotEnv(t, len);
    }
    Normalize(r.left, 0.45f);
    r.right = r.left;
    return r;
}

Rendered Chimes(const std::vector<double>& notes, double len, bool spread) {
    Rendered r;
    r.left.assign(Frames(len), 0.0f);
    const double step = notes.size() > 1 ? len / (2.0 * notes.size()) : 0.0;
    for (size_t k = 0; k < notes.size(); ++k) {
        const size_t start = Frames(step * k) - 1;
        const double noteLen = std::max(0.05, len - step * k);
        AddChime(r.left, start, notes[k], noteLen, k + 1 == notes.size() ? 1.0f : 0.8f);
    }
    r.left.resize(Frames(len));
    Normalize(r.left, 0.5f);
    r.right = r.left;
    if (spread) {  // a touch of width: the right side trails by 6 ms
        const size_t d = Frames(0.006);
        for (size_t i = r.right.size(); i-- > 0;) r.right[i] = i >= d ? r.left[i - d] : 0.0f;
    }
    return r;
}

Rendered Whoosh(double f0, double f1, double len, uint32_t seed) {
    Rendered r;
    const size_t n = Frames(len);
    r.left.resize(n);
    r.right.resize(n);
    Rng rng(seed);
    BandPass bp;
    for (size_t i = 0; i < n; ++i) {
        const double u = double(i) / n;
        bp.Set(float(f0 * std::pow(f1 / f0, u)), 1.4f);
        const float env = float(std::pow(std::sin(kTwoPi / 2 * u), 2));
        const float s = bp.Run(rng.Bipolar()) * env;
        const double pan = kTwoPi / 4 * (0.2 + 0.6 * u);
        r.left[i] = s * float(std::cos(pan));
        r.right[i] = s * float(std::sin(pan));
    }
    float peak = 0.0f;
    for (size_t i = 0; i < n; ++i) peak = std::max({peak, std::fabs(r.left[i]), std::fabs(r.right[i])});
    for (size_t i = 0; i < n && peak > 0; ++i) {
        r.left[i] *= 0.55f / peak;
        r.right[i] *= 0.55f / peak;
    }
    return r;
}

Rendered Tone(const std::string& kind, double f, double len, uint32_t seed) {
    Rendered r;
    const size_t n = Frames(len);
    r.left.resize(n);
    Rng rng(seed);
    static const WaveTable kSaw([] {
        std::vector<float> a;
        for (int k = 1; k <= 24; ++k) a.push_back(1.0f / k);
        return a;
    }());
    static const WaveTable kSquare([] {
        std::vector<float> a;
        for (int k = 1; k <= 15; ++k) a.push_back(k % 2 ? 1.0f / k : 0.0f);
        return a;
    }());
    LowPass lp(2500.0f), noiseLp(900.0f);
    BandPass bp;
    double phase = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const double t = double(i) / kRate, u = t / len;
        float s = 0.0f;
        if (kind == "mech") {  // a servo sliding up, with a latch click at each end
            phase += f * (1.0 + 0.4 * u) / kRate;
            const float body = float(std::min({1.0, t / 0.04, (len - t) / 0.04}));
            s = lp.Run(kSaw.At(phase)) * 0.5f * std::max(0.0f, body);
            const double c1 = t, c2 = len - 0.03 - t;
            if (c1 < 0.012) s += rng.Bipolar() * float(std::exp(-c1 * 400));
            if (c2 >= 0 && c2 < 0.012) s += rng.Bipolar() * float(std::exp(-c2 * 400));
        } else if (kind == "buzz") {  // two short low buzzes: "no"
            phase += f * (1.0 - 0.1 * u) / kRate;
            const double local = std::fmod(t, len / 2);
            s = kSquare.At(phase) * OneShotEnv(local, len / 2, 0.005);
        } else if (kind == "roar") {  // boost roar: rumble and a low saw, held then released
            phase += f * (1.0 + 0.03 * std::sin(kTwoPi * 5 * t)) / kRate;
            const float env = float(std::min({1.0, t / 0.08, (len - t) / 0.6}));
            s = (noiseLp.Run(rng.Bipolar()) * 2.5f + 0.5f * kSaw.At(phase)) * std::max(0.0f, env);
        } else if (kind == "thump") {  // gear change: a dropping thud and a click
            phase += f * (1.0 - 0.5 * u) / kRate;
            s = float(std::sin(kTwoPi * phase)) * OneShotEnv(t, len, 0.002);
            if (t < 0.006) s += 0.6f * rng.Bipolar() * float(1.0 - t / 0.006);
        } else if (kind == "fire") {  // boost firing: a burst sweeping up over a low saw
            phase += f * (1.0 + 0.5 * u) / kRate;
            bp.Set(float(400.0 * std::pow(8.0, u)), 1.2f);
            s = (bp.Run(rng.Bipolar()) * 1.6f + 0.5f * kSaw.At(phase)) * OneShotEnv(t, len, 0.01);
        }
        r.left[i] = s;
    }
    Normalize(r.left, kind == "roar" || kind == "fire" ? 0.6f : 0.5f);
    r.right = r.left;
    return r;
}

Rendered Zap(double f0, double f1, double len, uint32_t seed) {
    Rendered r;
    const size_t n = Frames(len);
    r.left.resize(n);
    Rng rng(seed);
    static const WaveTable kSaw([] {
        std::vector<float> a;
        for (int k = 1; k <= 20; ++k) a.push_back(1.0f / k);
        return a;
    }());
    BandPass bp;
    double phase = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const double t = double(i) / kRate, u = t / len;
        const double f = f0 * std::pow(f1 / f0, std::sqrt(u));
        phase += f / kRate;
        bp.Set(float(3 * f), 2.0f);
        r.left[i] = (0.6f * kSaw.At(phase) + bp.Run(rng.Bipolar()) * 1.5f) * OneShotEnv(t, len, 0.02);
    }
    Normalize(r.left, 0.55f);
    r.right = r.left;
    return r;
}

Rendered Crash(double lo, double hi, double len, uint32_t seed) {
    Rendered r;
    const size_t n = Frames(len);
    r.left.resize(n);
    r.right.resize(n);
    Rng rng(seed);
    BandPass bl, br;
    bl.Set(float(std::sqrt(lo * hi)), 0.7f);
    br.Set(float(std::sqrt(lo * hi) * 1.1), 0.7f);
    double metal[3];
    for (double& m : metal) m = lo + (hi - lo) * rng.Unit();
    for (size_t i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        const float env = OneShotEnv(t, len, 0.001);
        const float thud = float(std::sin(kTwoPi * (70.0 * t - 15.0 * t * t))) * float(std::exp(-t * 18));
        float ring = 0.0f;
        for (double m : metal) ring += float(std::sin(kTwoPi * m * t)) * 0.15f;
        r.left[i] = (bl.Run(rng.Bipolar()) * 2.0f + ring) * env + thud;
        r.right[i] = (br.Run(rng.Bipolar()) * 2.0f + ring) * env + thud;
    }
    float peak = 0.0f;
    for (size_t i = 0; i < n; ++i) peak = std::max({peak, std::fabs(r.left[i]), std::fabs(r.right[i])});
    for (size_t i = 0; i < n && peak > 0; ++i) {
        r.left[i] *= 0.7f / peak;
        r.right[i] *= 0.7f / peak;
    }
    return r;
}

Rendered Beeps(double f, int count, double len) {
    Rendered r;
    r.left.assign(Frames(len), 0.0f);
    const double slot = len / std::max(1, count);
    for (int k = 0; k < count; ++k) {
        const size_t start = Frames(slot * k) - 1;
        const double beep = slot * 0.45;
        for (size_t i = 0; i < Frames(beep) && start + i < r.left.size(); ++i) {
            const double t = double(i) / kRate;
            const float env = float(std::min({1.0, t / 0.004, (beep - t) / 0.004}));
            r.left[start + i] =
                float(std::sin(kTwoPi * f * t) + 0.3 * std::sin(kTwoPi * 2 * f * t)) * std::max(0.0f, env);
        }
    }
    Normalize(r.left, 0.45f);
    r.right = r.left;
    return r;
}

// ---- loops ----------------------------------------------------------------

// Runs a filter over a periodic signal twice and keeps the second pass, so
// the filter's state at the loop end matches its start.
template <typename Filter>
void FilterPeriodic(std::vector<float>& x, Filter& f) {
    for (float v : x) f.Run(v);
    for (float& v : x) v = f.Run(v);
}

// A seamless noise loop of `frames` samples.
std::vector<float> NoiseLoop(size_t frames, uint32_t seed) {
    Rng rng(seed);
    const size_t fade = std::min<size_t>(frames / 4, 8820);
    std::vector<float> x(frames + fade);
    for (float& v : x) v = rng.Bipolar();
    MakeSeamless(x, frames, fade);
    return x;
}

// Engine note: one crank revolution holds cylinders / 2 firing pulses, each a
// decaying resonant thump; the revolution repeats at a whole number of hertz
// so a one-second loop closes exactly.
std::vector<float> Engine(double rpm, int cylinders, double grit, uint32_t seed) {
    const size_t frames = kRate;
    const int crankHz = std::max(1, int(std::lround(rpm / 60.0)));
    const int pulses = std::max(1, cylinders / 2);
    const double firingHz = double(crankHz) * pulses;
    const double resonance = std::clamp(firingHz * 2.5, 180.0, 1400.0);
    Rng rng(seed);
    std::vector<double> at(pulses), amp(pulses);
    for (int j = 0; j < pulses; ++j) {
        at[j] = (j + 0.08 * grit * rng.Bipolar()) / pulses;
        amp[j] = 1.0 - grit * 0.5 * rng.Unit();
    }
    const int tableSize = 8192;
    std::vector<float> table(tableSize + 1);
    for (int i = 0; i < tableSize; ++i) {
        const double u = double(i) / tableSize;
        double s = 0.0;
        for (int j = 0; j < pulses; ++j) {
            double d = u - at[j];
            d -= std::floor(d);
            const double tau = d / crankHz;  // seconds since this pulse fired
            const double env = (1.0 - std::exp(-tau / 0.0004)) * std::exp(-tau * firingHz * 3.0);
            s += amp[j] * env * (std::sin(kTwoPi * resonance * tau) + 0.6 * std::sin(kTwoPi * firingHz * 0.5 * tau));
        }
        table[i] = float(s);
    }
    table[tableSize] = table[0];
    std::vector<float> x(frames);
    for (size_t i = 0; i < frames; ++i) {
        const double pos = double((uint64_t(i) * crankHz) % kRate) / kRate * tableSize;
        const size_t k = size_t(pos);
        x[i] = table[k] + (table[k + 1] - table[k]) * float(pos - k);
    }
    // Intake and exhaust hiss, then a gentle top cut.
    std::vector<float> hiss = NoiseLoop(frames, seed ^ 0xA5A5A5A5u);
    LowPass hissLp(2500.0f);
    FilterPeriodic(hiss, hissLp);
    for (size_t i = 0; i < frames; ++i) x[i] += float(0.25 * grit) * hiss[i];
    LowPass lp(float(std::clamp(resonance * 4.0, 1500.0, 6000.0)));
    FilterPeriodic(x, lp);
    Normalize(x, 0.42f);
    return x;
}

// A turbine or charger whine at a whole number of hertz.
std::vector<float> Whine(double f) {
    const size_t frames = kRate;
    const double hz = std::max(1.0, std::round(f));
    std::vector<float> x(frames);
    for (size_t i = 0; i < frames; ++i) {
        const double t = double(i) / kRate;
        x[i] = float(
            (std::sin(kTwoPi * hz * t) + 0.3 * std::sin(kTwoPi * 2 * hz * t) + 0.1 * std::sin(kTwoPi * 3 * hz * t)) *
            (0.85 + 0.15 * std::sin(kTwoPi * 3 * t)));
    }
    Normalize(x, 0.3f);
    return x;
}

std::vector<float> BoostLoop(double f, uint32_t seed) {
    const size_t frames = 2 * kRate;
    std::vector<float> x = NoiseLoop(frames, seed);
    LowPass lp(900.0f);
    FilterPeriodic(x, lp);
    static const WaveTable kSaw([] {
        std::vector<float> a;
        for (int k = 1; k <= 16; ++k) a.push_back(1.0f / k);
        return a;
    }());
    const double hz = std::round(f);
    for (size_t i = 0; i < frames; ++i) {
        const double t = double(i) / kRate;
        x[i] = x[i] * 3.0f + 0.4f * kSaw.At(hz * t) * float(0.8 + 0.2 * std::sin(kTwoPi * 7 * t));
    }
    Normalize(x, 0.45f);
    return x;
}

// Noise beds: wind, skid, crowd, brakes, road surfaces. Every modulation runs
// at a multiple of the loop's own rate so the loop closes.
std::vector<float> NoiseBed(const std::string& kind, int variant, uint32_t seed) {
    const double seconds = kind == "crowd" ? 4.0 : 2.0;
    const size_t frames = size_t(seconds * kRate);
    const double base = 1.0 / seconds;  // lowest modulation rate that closes the loop
    std::vector<float> n = NoiseLoop(frames, seed);
    std::vector<float> x(frames, 0.0f);
    auto lfo = [&](size_t i, double cycles, double phase) {
        return std::sin(kTwoPi * (cycles * base * double(i) / kRate + phase));
    };
    if (kind == "wind") {
        BandPass bp;
        bp.Set(500.0f + 150.0f * variant, 0.8f);
        x = n;
        FilterPeriodic(x, bp);
        for (size_t i = 0; i < frames; ++i) x[i] *= float(0.7 + 0.2 * lfo(i, 1, 0) + 0.1 * lfo(i, 3, 0.3));
    } else if (kind == "skid") {
        BandPass bp;
        bp.Set(1100.0f + 200.0f * variant, 3.0f);
        x = n;
        FilterPeriodic(x, bp);
        const double squeal = 800.0 + 90.0 * variant;  // whole hertz
        for (size_t i = 0; i < frames; ++i) {
            const double t = double(i) / kRate;
            const double wobble = 0.6 + 0.4 * lfo(i, 12, 0);
            x[i] = x[i] * 2.0f +
                   float(0.35 * wobble * (std::sin(kTwoPi * squeal * t) + 0.4 * std::sin(kTwoPi * 2 * squeal * t)));
        }
    } else if (kind == "crowd") {
        for (int band = 0; band < 4; ++band) {
            BandPass bp;
            bp.Set(float(350.0 * std::pow(1.9, band) + 40.0 * variant), 1.5f);
            std::vector<float> b = NoiseLoop(frames, seed + 17u * uint32_t(band + 1));
            FilterPeriodic(b, bp);
            for (size_t i = 0; i < frames; ++i)
                x[i] += b[i] * float(0.6 + 0.25 * lfo(i, 1 + band, 0.2 * band) + 0.15 * lfo(i, 5 + 2 * band, 0.1));
        }
    } else if (kind == "brake") {
        LowPass lp(1800.0f);
        std::vector<float> low = n;
        FilterPeriodic(low, lp);
        const double squeal = 2100.0 + 250.0 * variant;
        for (size_t i = 0; i < frames; ++i) {
            const double t = double(i) / kRate;
            x[i] = (n[i] - low[i]) * 0.8f + float(0.25 * (0.5 + 0.5 * lfo(i, 3, 0)) * std::sin(kTwoPi * squeal * t));
        }
    } else if (kind == "bump" || kind == "rumble" || kind == "road" || kind == "gravel" || kind == "ambient") {
        LowPass lp(kind == "road" ? 600.0f : kind == "ambient" ? 300.0f : 160.0f);
        x = n;
        FilterPeriodic(x, lp);
        for (float& v : x) v *= 3.0f;
        if (kind == "bump") {  // thumps at a steady rate
            const int perLoop = 6 + 2 * variant;
            for (int k = 0; k < perLoop; ++k) {
                const size_t start = frames * k / perLoop;
                for (size_t i = 0; i < 4000; ++i) {
                    const double t = double(i) / kRate;
                    x[(start + i) % frames] += float(0.8 * std::sin(kTwoPi * 55.0 * t) * std::exp(-t * 40));
                }
            }
        } else if (kind == "rumble") {  // a rumble strip buzzing under the tyres
            for (size_t i = 0; i < frames; ++i) {
                const double t = double(i) / kRate;
                x[i] += float(0.5 * (std::sin(kTwoPi * (36.0 + 4 * variant) * t) > 0 ? 1 : -1) *
                              (0.6 + 0.4 * lfo(i, 24, 0)));
            }
        } else if (kind == "gravel") {  // stones: sparse clicks through a band
            Rng rng(seed ^ 0x5151u);
            BandPass bp;
            bp.Set(2500.0f + 500.0f * variant, 2.0f);
            std::vector<float> clicks(frames, 0.0f);
            for (int k = 0; k < 600; ++k) clicks[size_t(rng.Unit() * (frames - 1))] = rng.Bipolar() * 4.0f;
            FilterPeriodic(clicks, bp);
            for (size_t i = 0; i < frames; ++i) x[i] += clicks[i];
        } else if (kind == "ambient") {
            for (size_t i = 0; i < frames; ++i) x[i] *= float(0.7 + 0.3 * lfo(i, 1, 0.5 * variant));
        }
    } else {
        x = n;
    }
    LowPass dc(12.0f);
    std::vector<float> lowest = x;
    FilterPeriodic(lowest, dc);
    for (size_t i = 0; i < frames; ++i) x[i] -= lowest[i];
    Normalize(x, 0.38f);
    return x;
}

std::vector<float> Hum(double f, uint32_t seed) {
    const size_t frames = kRate;
    std::vector<float> x = NoiseLoop(frames, seed);
    const double hz = std::round(f);
    for (size_t i = 0; i < frames; ++i) {
        const double t = double(i) / kRate;
        x[i] = 0.05f * x[i] + float(std::sin(kTwoPi * hz * t) + 0.5 * std::sin(kTwoPi * 2 * hz * t) +
                                    0.25 * std::sin(kTwoPi * 3 * hz * t));
    }
    Normalize(x, 0.25f);
    return x;
}

Rendered Render(const SoundSpec& s, bool loop, uint32_t seed) {
    Rendered r;
    const std::string& k = s.recipe;
    if (loop) {
        if (k == "engine")
            r.left = Engine(s.Arg(0), int(s.Arg(1)), s.Arg(2), seed);
        else if (k == "whine")
            r.left = Whine(s.Arg(0));
        else if (k == "boost")
            r.left = BoostLoop(s.Arg(0), seed);
        else if (k == "noise")
            r.left = NoiseBed(s.args.empty() ? "" : s.args[0], int(s.Arg(1)), seed);
        else if (k == "hum")
            r.left = Hum(s.Arg(0), seed);
        else
            r.error = "unknown loop recipe " + k;
        return r;
    }
    if (k == "blip") return Blip(s.Arg(0), s.Arg(1), s.Arg(2));
    if (k == "chime") return Chimes({s.Arg(0)}, s.Arg(1), false);
    if (k == "twotone") return Chimes({s.Arg(0), s.Arg(1)}, s.Arg(2), true);
    if (k == "arp") return Chimes({s.Arg(0), s.Arg(1), s.Arg(2)}, s.Arg(3), true);
    if (k == "whoosh") return Whoosh(s.Arg(0), s.Arg(1), s.Arg(2), seed);
    if (k == "zap") return Zap(s.Arg(0), s.Arg(1), s.Arg(2), seed);
    if (k == "crash") return Crash(s.Arg(0), s.Arg(1), s.Arg(2), seed);
    if (k == "beeps") return Beeps(s.Arg(0), int(s.Arg(1)), s.Arg(2));
    if (k == "mech" || k == "buzz" || k == "roar" || k == "thump" || k == "fire")
        return Tone(k, s.Arg(0), s.Arg(1), seed);
    r.error = "unknown one-shot recipe " + k;
    return r;
}

std::vector<uint8_t> ToWav(const Rendered& r, bool stereo) {
    if (stereo) {
        const std::vector<int16_t> pcm = ToPcm(Interleave(r.left, r.right));
        return zfmt::WriteWav(zfmt::PcmFormat(2), pcm.data(), pcm.size());
    }
    const std::vector<int16_t> pcm = ToPcm(r.left);
    return zfmt::WriteWav(zfmt::PcmFormat(1), pcm.data(), pcm.size());
}

// One bank: synthesizes its sounds on a few threads, adds them in entry
// order and emits the directory and id constants.
void MakeBank(Output& out, const std::vector<SoundSpec>& specs, const std::string& bankName, uint32_t bankId, bool loop,
              int expected) {
    std::vector<std::vector<uint8_t>> wavs(specs.size());
    std::vector<std::string> errors(specs.size());
    std::atomic<size_t> next{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
        threads.emplace_back([&] {
            for (size_t i = next++; i < specs.size(); i = next++) {
                const Rendered r = Render(specs[i], loop, 0x51D0u * (bankId >> 16) + 7919u * uint32_t(i + 1));
                if (!r.error.empty() || r.left.empty()) {
                    errors[i] = r.error.empty() ? "empty sound" : r.error;
                    continue;
                }
                wavs[i] = ToWav(r, !loop);
            }
        });
    for (std::thread& t : threads) t.join();

    auto& bank = out.AddBank(bankName, DefaultBankKey(bankName), BankDirectory::Stems);
    bank.KeepOrder();
    bank.ExpectCount(expected);
    out.Check(int(specs.size()) == expected,
              bankName + ": " + std::to_string(specs.size()) + " sounds, expected " + std::to_string(expected));
    std::ostringstream& h = out.Header();
    std::ostringstream& c = out.Source();
    h << "namespace content {\n// " << bankName << ": the sound directory and the sound ids.\n"
      << "extern const SoundBankEntry " << bankName << "_sounds[" << specs.size() << "];\n";
    c << "namespace content {\nconst SoundBankEntry " << bankName << "_sounds[" << specs.size() << "] = {\n";
    uint64_t offset = 0;
    for (size_t i = 0; i < specs.size(); ++i) {
        const SoundSpec& s = specs[i];
        out.Check(s.index == int(i), bankName + ": manifest line " + std::to_string(s.line) + " is out of order");
        out.Check(errors[i].empty(), bankName + ": " + s.name + ": " + errors[i]);
        const uint64_t size = wavs[i].size();
        c << "    {" << offset << "u, " << size << "u, " << CppString(s.name) << ", " << (loop ? 1 : 0) << "},\n";
        char id[16];
        std::snprintf(id, sizeof(id), "0x%05Xu", unsigned(bankId + i));
        h << "inline constexpr std::uint32_t SND_" << s.name << " = " << id << ";\n";
        offset += size;
        bank.Add(s.name + ".wav", std::move(wavs[i]));
    }
    c << "};\n}  // namespace content\n\n";
    h << "}  // namespace content\n\n";
}

}  // namespace

void GenSounds(Output& out, const Context& ctx) {
    std::vector<SoundSpec> oneShots, loops;
    for (const ManifestLine& line : ReadManifest(ctx, "sounds.txt", out)) {
        if (line.fields.size() < 4) {
            out.Fail("sounds.txt:" + std::to_string(line.lineNumber) + ": expected bank, index, name and recipe");
            continue;
        }
        SoundSpec s;
        s.line = line.lineNumber;
        s.index = int(std::strtol(line.fields[1].c_str(), nullptr, 0));
        s.name = line.fields[2];
        s.recipe = line.fields[3];
        s.args.assign(line.fields.begin() + 4, line.fields.end());
        if (line.fields[0] == "SN")
            oneShots.push_back(s);
        else if (line.fields[0] == "SL")
            loops.push_back(s);
        else
            out.Fail("sounds.txt:" + std::to_string(line.lineNumber) + ": unknown bank " + line.fields[0]);
    }
    out.Header() << "#include \"sys/sound/SoundBankEntry.h\"\n\n";
    MakeBank(out, oneShots, "bankSN01", 0x10000, false, 147);
    MakeBank(out, loops, "bankSL01", 0x20000, true, 153);
}

}  // namespace contentgen
