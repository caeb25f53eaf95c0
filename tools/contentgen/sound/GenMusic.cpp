// GenMusic.cpp -- procedural stage music written to each stream row's loop points, scrambled with the row's key.
//
// Every looping piece is rendered into one circular buffer as long as its
// loop, so notes that ring past the loop end continue at the loop start; the
// file is then that buffer played from the point that puts the loop start at
// the row's loop start. The loop therefore closes without a seam.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "Generators.h"
#include "format/Riff.h"
#include "sound/SoundSynth.h"
#include "sys/sound/MusicStreamTable.h"

namespace contentgen {
namespace {

using namespace synth;

// The character of one piece.
struct Style {
    const char* file;  // the row's file name
    double bpm;
    int root;            // MIDI note of the key's tonic
    int scale[7];        // semitones of the scale degrees
    int progression[8];  // scale degree of each bar's chord (8 bars)
    int drums;           // 0 four on the floor, 1 broken beat, 2 half time, 3 soft
    float leadBright;    // 0..1
    uint32_t seed;
};

constexpr int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};
constexpr int kDorian[7] = {0, 2, 3, 5, 7, 9, 10};
constexpr int kMixo[7] = {0, 2, 4, 5, 7, 9, 10};

Style MakeStyle(const char* file, double bpm, int root, const int (&scale)[7], std::initializer_list<int> prog,
                int drums, float bright, uint32_t seed) {
    Style s{file, bpm, root, {}, {}, drums, bright, seed};
    std::copy(scale, scale + 7, s.scale);
    int i = 0;
    for (int d : prog) s.progression[i++] = d;
    return s;
}

std::vector<Style> Styles() {
    return {
        MakeStyle("data\\bankSS02.dat", 112, 50, kMajor, {0, 5, 3, 4, 0, 5, 1, 4}, 3, 0.4f, 11),   // menu
        MakeStyle("data\\bankSS03.dat", 96, 45, kDorian, {0, 3, 0, 3, 6, 3, 4, 0}, 3, 0.3f, 12),   // lobby
        MakeStyle("data\\bankSS04.dat", 128, 52, kMajor, {0, 4, 5, 3, 0, 4, 3, 4}, 0, 0.6f, 13),   // select
        MakeStyle("data\\bankSS05.dat", 140, 45, kMinor, {0, 5, 2, 6, 0, 5, 3, 4}, 0, 0.7f, 14),   // Niseko
        MakeStyle("data\\bankSS06.dat", 132, 52, kMinor, {0, 6, 5, 4, 0, 6, 5, 4}, 1, 0.6f, 15),   // Spain
        MakeStyle("data\\bankSS07.dat", 136, 43, kMinor, {0, 0, 5, 5, 3, 3, 4, 4}, 0, 0.8f, 16),   // Berlin
        MakeStyle("data\\bankSS08.dat", 126, 48, kMixo, {0, 6, 3, 0, 0, 6, 4, 4}, 1, 0.6f, 17),    // Sydney
        MakeStyle("data\\bankSS01.dat", 120, 47, kMinor, {0, 5, 3, 6, 0, 5, 3, 4}, 2, 0.7f, 18),   // Qir, title
        MakeStyle("data\\bankSS10.dat", 144, 53, kMajor, {0, 4, 5, 3, 1, 4, 0, 4}, 0, 0.7f, 19),   // Canada
        MakeStyle("data\\bankSS09.dat", 130, 50, kDorian, {0, 3, 6, 4, 0, 3, 6, 4}, 1, 0.5f, 20),  // tests
        MakeStyle("data\\bankSS20.dat", 88, 48, kMajor, {0, 3, 4, 5, 3, 4, 0, 0}, 3, 0.4f, 21),    // ending
        MakeStyle("data\\bankSS21.dat", 100, 45, kDorian, {0, 6, 3, 4, 0, 6, 5, 4}, 3, 0.4f, 22),  // viewers
    };
}

// A stereo buffer that is either circular (a loop) or plain (a piece that ends).
class Track {
public:
    Track(size_t frames, bool circular) : m_l(frames, 0.0f), m_r(frames, 0.0f), m_circular(circular) {}
    size_t Frames() const { return m_l.size(); }
    void Add(int64_t frame, float l, float r) {
        const int64_t n = int64_t(m_l.size());
        if (m_circular) {
            frame %= n;
            if (frame < 0) frame += n;
        } else if (frame < 0 || frame >= n) {
            return;
        }
        m_l[size_t(frame)] += l;
        m_r[size_t(frame)] += r;
    }
    std::vector<float>& L() { return m_l; }
    std::vector<float>& R() { return m_r; }
    bool Circular() const { return m_circular; }

private:
    std::vector<float> m_l, m_r;
    bool m_circular;
};

const WaveTable& PadWave() {
    static const WaveTable t([] {
        std::vector<float> a;
        for (int k = 1; k <= 10; ++k) a.push_back(float(1.0 / std::pow(k, 1.3)));
        return a;
    }());
    return t;
}
const WaveTable& BassWave() {
    static const WaveTable t(std::vector<float>{1.0f, 0.45f, 0.25f, 0.12f, 0.06f});
    return t;
}
const WaveTable& LeadWave() {
    static const WaveTable t(std::vector<float>{1.0f, 0.35f, 0.4f, 0.12f, 0.18f, 0.05f, 0.08f});
    return t;
}

// One note of a tonal instrument.
enum class Instrument { Pad, Bass, Lead, Bell };

void PlayNote(Track& track, Instrument inst, double start, double length, int note, float velocity, float pan,
              float bright) {
    const double hz = NoteHz(note);
    double attack = 0.01, release = 0.1, decay = 0.0;
    const WaveTable* wave = &LeadWave();
    switch (inst) {
        case Instrument::Pad:
            attack = 0.35;
            release = 0.7;
            wave = &PadWave();
            break;
        case Instrument::Bass:
            attack = 0.005;
            release = 0.06;
            decay = 3.0;
            wave = &BassWave();
            break;
        case Instrument::Lead:
            attack = 0.015;
            release = 0.12;
            break;
        case Instrument::Bell:
            attack = 0.002;
            release = 0.3;
            decay = 7.0;
            break;
    }
    const double lenSec = length / kRate;
    const size_t total = size_t(length + release * kRate);
    const int64_t first = int64_t(std::floor(start));
    const float gl = std::sqrt(0.5f * (1.0f - pan)), gr = std::sqrt(0.5f * (1.0f + pan));
    LowPass tone(float(std::clamp(hz * (2.0 + 10.0 * bright), 300.0, 9000.0)));
    double phase = 0.0, phase2 = 0.0;
    for (size_t i = 0; i < total; ++i) {
        const double t = (double(first) + i - start) / kRate;
        if (t < 0) continue;
        double env = std::min(1.0, t / attack);
        if (decay > 0) env *= 0.35 + 0.65 * std::exp(-decay * t);
        if (t > lenSec) env *= std::max(0.0, 1.0 - (t - lenSec) / release);
        double f = hz;
        if (inst == Instrument::Lead && t > 0.15) f *= 1.0 + 0.004 * std::sin(kTwoPi * 5.5 * t);
        phase += f / kRate;
        float s;
        if (inst == Instrument::Bell) {
            s = float(std::sin(kTwoPi * phase) + 0.25 * std::sin(kTwoPi * 3 * phase) * std::exp(-12 * t));
        } else if (inst == Instrument::Pad) {
            phase2 += f * 1.0046 / kRate;  // a detuned second voice
            const float a = wave->At(phase), b = wave->At(phase2);
            const float e = float(env) * velocity;
            track.Add(first + int64_t(i), tone.Run(a) * e * 0.9f, tone.Run(b) * e * 0.9f);
            continue;
        } else {
            s = tone.Run(wave->At(phase));
        }
        const float e = float(env) * velocity * s;
        track.Add(first + int64_t(i), e * gl, e * gr);
    }
}

// Short drum sounds, made once.
struct DrumKit {
    std::vector<float> kick, snare, hat, openHat;
    DrumKit() {
        Rng rng(0xD5u);
        kick.resize(size_t(0.32 * kRate));
        double ph = 0.0;
        for (size_t i = 0; i < kick.size(); ++i) {
            const double t = double(i) / kRate;
            ph += (45.0 + 90.0 * std::exp(-t * 30)) / kRate;
            kick[i] = float(std::sin(kTwoPi * ph) * std::exp(-t * 9) * std::min(1.0, t / 0.001));
        }
        snare.resize(size_t(0.22 * kRate));
        BandPass bp;
        bp.Set(1800.0f, 0.8f);
        for (size_t i = 0; i < snare.size(); ++i) {
            const double t = double(i) / kRate;
            snare[i] = float(bp.Run(rng.Bipolar()) * 1.6 * std::exp(-t * 16) +
                             0.4 * std::sin(kTwoPi * 185 * t) * std::exp(-t * 25));
        }
        auto hatOf = [&](double seconds, double rate) {
            std::vector<float> h(size_t(seconds * kRate));
            LowPass lp(6000.0f);
            for (size_t i = 0; i < h.size(); ++i) {
                const float n = rng.Bipolar();
                h[i] = float((n - lp.Run(n)) * std::exp(-double(i) / kRate * rate));
            }
            return h;
        };
        hat = hatOf(0.06, 70);
        openHat = hatOf(0.25, 14);
    }
};

void PlayDrum(Track& track, const std::vector<float>& sample, double start, float gain, float pan) {
    const int64_t first = int64_t(std::lround(start));
    const float gl = std::sqrt(0.5f * (1.0f - pan)) * gain, gr = std::sqrt(0.5f * (1.0f + pan)) * gain;
    for (size_t i = 0; i < sample.size(); ++i) track.Add(first + int64_t(i), sample[i] * gl, sample[i] * gr);
}

// A ping-pong echo; on a loop it runs twice round so the echoes of the loop
// end are heard at its start.
void Echo(Track& track, double delayFrames, float feedback, float wet) {
    const size_t n = track.Frames(), d = size_t(delayFrames);
    std::vector<float>& l = track.L();
    std::vector<float>& r = track.R();
    std::vector<float> bl(d, 0.0f), br(d, 0.0f), outL(n), outR(n);
    size_t pos = 0;
    const int passes = track.Circular() ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass)
        for (size_t i = 0; i < n; ++i) {
            const float el = bl[pos], er = br[pos];
            bl[pos] = r[i] * 0.5f + er * feedback;  // crosses sides each repeat
            br[pos] = l[i] * 0.5f + el * feedback;
            pos = (pos + 1) % d;
            outL[i] = l[i] + wet * el;
            outR[i] = r[i] + wet * er;
        }
    l.swap(outL);
    r.swap(outR);
}

int ScaleNote(const Style& s, int degree, int octave) {
    const int oct = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
    const int d = degree - oct * 7;
    return s.root + 12 * (octave + oct) + s.scale[d];
}

// Renders `bars` bars of the style into the track, bar 0 at frame 0.
void Compose(Track& track, const Style& s, int bars, double barFrames, bool ending) {
    static const DrumKit kit;
    const double step = barFrames / 16.0;  // sixteenth notes
    // Two melodies that alternate by phrase, each eight bars of eighth notes.
    std::vector<std::vector<int>> melodies(2);
    for (int m = 0; m < 2; ++m) {
        Rng rng(s.seed * 977u + uint32_t(m) * 31u);
        int degree = 7 + 2 * m;
        for (int i = 0; i < 64; ++i) {
            const int chord = s.progression[(i / 8) % 8];
            int next;
            if (i % 4 == 0) {
                const int tones[3] = {chord, chord + 2, chord + 4};
                next = tones[rng.Below(3)] + 7;
                while (next - degree > 4) next -= 7;
                while (degree - next > 4) next += 7;
            } else {
                next = degree + rng.Below(5) - 2;
            }
            degree = std::clamp(next, 3, 13);
            const bool rest = rng.Unit() < (i % 2 ? 0.35f : 0.12f);
            melodies[m].push_back(rest ? -100 : degree);
        }
    }
    for (int bar = 0; bar < bars; ++bar) {
        const double t0 = bar * barFrames;
        const int chord = s.progression[bar % 8];
        const int phrase = bar / 8;
        const int section = ending ? (bar >= bars - 2 ? 3 : phrase % 2 ? 1 : 0) : phrase % 4;  // 0 A, 1 B, 2 A, 3 C
        const bool drums = section != 3;
        const bool lead = section == 1 || section == 3;
        // Pad: the chord held over the bar.
        const int padChord = ending && bar == bars - 1 ? 0 : chord;
        for (int k = 0; k < 3; ++k)
            PlayNote(track, Instrument::Pad, t0, barFrames, ScaleNote(s, padChord + 2 * k, 0), 0.11f,
                     k == 1 ? -0.3f : 0.3f, s.leadBright);
        if (ending && bar == bars - 1) break;
        // Bass: roots on the eighths, a fifth on the offbeat of beat 4.
        for (int e = 0; e < 8; ++e) {
            if (section == 3 && e % 4) continue;
            const int deg = e == 7 ? chord + 4 : chord;
            PlayNote(track, Instrument::Bass, t0 + e * 2 * step, 1.6 * step, ScaleNote(s, deg, -1),
                     e % 2 ? 0.22f : 0.3f, 0.0f, 0.3f);
        }
        // Bells: a rising arpeggio on every other bar.
        if (bar % 2 == 0 && section != 1)
            for (int k = 0; k < 4; ++k)
                PlayNote(track, Instrument::Bell, t0 + (8 + 2 * k) * step, 2 * step, ScaleNote(s, chord + 2 * k, 1),
                         0.07f, -0.5f, 0.5f);
        // Lead melody.
        if (lead) {
            const std::vector<int>& mel = melodies[phrase % 2];
            for (int e = 0; e < 8; ++e) {
                const int deg = mel[(bar % 8) * 8 + e];
                if (deg < -50) continue;
                int len = 1;
                while (e + len < 8 && mel[(bar % 8) * 8 + e + len] < -50 && len < 3) ++len;
                PlayNote(track, Instrument::Lead, t0 + e * 2 * step, (2 * len - 0.3) * step, ScaleNote(s, deg, 0),
                         section == 3 ? 0.1f : 0.14f, 0.25f, s.leadBright);
            }
        }
        // Drums.
        if (!drums) continue;
        for (int i = 0; i < 16; ++i) {
            const double at = t0 + i * step;
            bool kick = false, snare = false;
            switch (s.drums) {
                case 0:
                    kick = i % 4 == 0;
                    snare = i == 4 || i == 12;
                    break;
                case 1:
                    kick = i == 0 || i == 6 || i == 10;
                    snare = i == 4 || i == 12;
                    break;
                case 2:
                    kick = i == 0 || i == 10;
                    snare = i == 8;
                    break;
                default:
                    kick = i == 0 || i == 7;
                    snare = i == 8;
                    break;
            }
            if (kick) PlayDrum(track, kit.kick, at, s.drums == 3 ? 0.35f : 0.5f, 0.0f);
            if (snare) PlayDrum(track, kit.snare, at, s.drums == 3 ? 0.12f : 0.22f, -0.1f);
            if (i % 2 == 0) PlayDrum(track, kit.hat, at, i % 4 == 2 ? 0.09f : 0.06f, 0.35f);
            if (s.drums == 0 && i % 4 == 2) PlayDrum(track, kit.openHat, at, 0.05f, 0.35f);
        }
    }
}

// The finished file: 16-bit stereo at 44100 Hz, frames [0, loopStart + loopLength)
// for a loop, scrambled as the music stream reads it.
std::vector<uint8_t> RenderPiece(const Style& s, const MusicStreamRow& row) {
    const bool loop = row.loopLength > 0;
    const double beat = 60.0 / s.bpm * kRate;
    size_t frames;
    int bars;
    if (loop) {
        frames = row.loopLength;
        bars = std::max(8, int(std::lround(frames / (4 * beat) / 8.0)) * 8);
    } else {
        bars = 18;
        frames = size_t(bars * 4 * beat + 4 * kRate);
    }
    const double barFrames = loop ? double(frames) / bars : 4 * beat;
    Track track(frames, loop);
    Compose(track, s, bars, barFrames, !loop);
    Echo(track, barFrames * 3.0 / 16.0, 0.35f, 0.3f);

    float peak = 0.0f;
    for (size_t i = 0; i < frames; ++i) peak = std::max({peak, std::fabs(track.L()[i]), std::fabs(track.R()[i])});
    const float gain = peak > 0 ? 0.6f / peak : 1.0f;
    const size_t total = loop ? size_t(row.loopStart) + frames : frames;
    const size_t shift = loop ? frames - size_t(row.loopStart) % frames : 0;
    std::vector<int16_t> pcm(total * 2);
    for (size_t t = 0; t < total; ++t) {
        const size_t k = (t + shift) % frames;
        float g = gain;
        if (t < size_t(kRate) / 2) g *= float(t) / (kRate / 2.0f);                   // fade in the intro
        if (!loop && t + 4 * kRate > total) g *= float(total - t) / (4.0f * kRate);  // fade out the end
        pcm[2 * t] = int16_t(std::lrint(std::clamp(track.L()[k] * g, -1.0f, 1.0f) * 32767.0f));
        pcm[2 * t + 1] = int16_t(std::lrint(std::clamp(track.R()[k] * g, -1.0f, 1.0f) * 32767.0f));
    }
    std::vector<uint8_t> wav = zfmt::WriteWav(zfmt::PcmFormat(2), pcm.data(), pcm.size());
    zfmt::ScrambleMusic(row.key, wav.data(), wav.size(), zfmt::kWavHeaderSize);
    return wav;
}

}  // namespace

void GenMusic(Output& out, const Context&) {
    const std::vector<Style> styles = Styles();
    // Each file once, with the row that names it (rows 8 and 13 share a piece).
    std::vector<int> rowOf(styles.size(), -1);
    for (size_t i = 0; i < styles.size(); ++i)
        for (int r = 1; r < kMusicStreamCount && rowOf[i] < 0; ++r)
            if (std::string(MusicStreamTable[r].fileName) == styles[i].file) rowOf[i] = r;
    for (size_t i = 0; i < styles.size(); ++i)
        out.Check(rowOf[i] >= 0, std::string("no stream row for ") + styles[i].file);
    for (int r = 1; r < kMusicStreamCount; ++r) {
        if (MusicStreamTable[r].fileName[0] == '\0') continue;
        bool found = false;
        for (const Style& s : styles) found = found || std::string(s.file) == MusicStreamTable[r].fileName;
        out.Check(found, "no music for stream row " + std::to_string(r));
    }

    std::vector<std::vector<uint8_t>> files(styles.size());
    std::atomic<size_t> next{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
        threads.emplace_back([&] {
            for (size_t i = next++; i < styles.size(); i = next++)
                if (rowOf[i] >= 0) files[i] = RenderPiece(styles[i], MusicStreamTable[rowOf[i]]);
        });
    for (std::thread& t : threads) t.join();
    for (size_t i = 0; i < styles.size(); ++i) {
        if (files[i].empty()) continue;
        std::string path = styles[i].file;
        std::replace(path.begin(), path.end(), '\\', '/');
        out.AddLooseFile(path, std::move(files[i]));
    }
}

}  // namespace contentgen
