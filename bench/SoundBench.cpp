// SoundBench.cpp -- mixer cost per device period with all voices busy, against one voice;
// and how long closing a music stream takes (the worker is woken and joined).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "format/Riff.h"
#include "platform/audio/AudioMixer.h"
#include "sys/sound/tmSoundStream.h"

namespace {

constexpr size_t kPeriod = 1024;  // frames per device callback

std::vector<uint8_t> Tone(uint32_t frames, int channels) {
    std::vector<uint8_t> b(size_t(frames) * channels * 2);
    for (size_t i = 0; i < b.size(); ++i) b[i] = uint8_t(i * 37);
    return b;
}

void Mix(benchmark::State& state, int voices, float ratio) {
    platform::AudioMixer mixer;
    static const std::vector<uint8_t> stereo = Tone(44100, 2), mono = Tone(44100, 1);
    for (int v = 0; v < voices; ++v) {
        const int ch = v < 96 ? 2 : 1;
        const int id = mixer.CreateVoice(ch);
        platform::AudioBuffer b;
        b.data = ch == 2 ? stereo.data() : mono.data();
        b.bytes = uint32_t(ch == 2 ? stereo.size() : mono.size());
        b.loopCount = platform::AudioBuffer::kLoopInfinite;
        mixer.SubmitBuffer(id, b);
        mixer.SetFrequencyRatio(id, ratio);
        mixer.Start(id);
    }
    std::vector<int16_t> out(kPeriod * 2);
    for (auto _ : state) {
        mixer.Mix(out.data(), kPeriod);
        benchmark::DoNotOptimize(out.data());
    }
    // Compare with the period itself: kPeriod / 44100 s = 23.2 ms of audio per iteration.
}

void BM_MixOneVoice(benchmark::State& state) { Mix(state, 1, 1.0f); }
void BM_MixAllVoices(benchmark::State& state) { Mix(state, 128, 1.0f); }
void BM_MixAllVoicesResampled(benchmark::State& state) { Mix(state, 128, 1.37f); }

void BM_StreamOpenClose(benchmark::State& state) {
    const std::string dir = std::filesystem::temp_directory_path() / "zarvo_sound_bench";
    std::filesystem::create_directories(dir + "/data");
    std::vector<int16_t> pcm(44100 * 2 * 3, 100);
    const auto wav = zfmt::WriteWav(zfmt::PcmFormat(2), pcm.data(), pcm.size());
    if (std::FILE* f = std::fopen((dir + "/data/bench.dat").c_str(), "wb")) {
        std::fwrite(wav.data(), 1, wav.size(), f);
        std::fclose(f);
    }
    MusicStreamRow rows[kMusicStreamCount];
    for (int i = 0; i < kMusicStreamCount; ++i) rows[i] = MusicStreamTable[i];
    rows[1] = {"data\\bench.dat", 0, 1, 100, 100000, -1, 1.0f};
    platform::AudioMixer mixer;
    tmSoundStream stream(&mixer, mixer.CreateVoice(2), rows, dir);
    double worstCloseMs = 0;
    for (auto _ : state) {
        stream.Open(1, true);
        const auto t0 = std::chrono::steady_clock::now();
        stream.Close();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        worstCloseMs = std::max(worstCloseMs, ms);
    }
    state.counters["worst_close_ms"] = worstCloseMs;  // must stay well under 20 ms
    std::filesystem::remove_all(dir);
}

}  // namespace

BENCHMARK(BM_MixOneVoice);
BENCHMARK(BM_MixAllVoices);
BENCHMARK(BM_MixAllVoicesResampled);
BENCHMARK(BM_StreamOpenClose)->Iterations(200);
BENCHMARK_MAIN();
