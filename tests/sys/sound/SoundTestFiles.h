// SoundTestFiles.h -- temp folders, wave images and scrambled sound/music files for the sound tests.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "format/BankCodec.h"
#include "format/ByteIO.h"
#include "format/Riff.h"
#include "platform/audio/AudioMixer.h"

namespace soundtest {

// A temporary folder removed with everything in it.
class TempDir {
public:
    TempDir() {
        char tmpl[] = "/tmp/zarvo_sound_XXXXXX";
        const char* dir = mkdtemp(tmpl);
        m_path = dir ? dir : "/tmp";
        std::filesystem::create_directories(m_path + "/data");
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// A wave of `frames` frames; sample(frame, channel) gives each value.
inline std::vector<uint8_t> Wave(uint32_t frames, int channels, const std::function<int16_t(uint32_t, int)>& sample,
                                 uint32_t rate = 44100) {
    std::vector<int16_t> s(size_t(frames) * channels);
    for (uint32_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) s[size_t(i) * channels + c] = sample(i, c);
    zfmt::WaveFormat fmt = zfmt::PcmFormat(channels);
    fmt.samplesPerSec = rate;
    fmt.avgBytesPerSec = rate * fmt.blockAlign;
    return zfmt::WriteWav(fmt, s.data(), s.size());
}

// Music test signal: left = frame index low 15 bits, right = the high bits,
// so the mixed output tells which frame played.
inline int16_t CounterSample(uint32_t frame, int channel) {
    return channel == 0 ? int16_t(frame & 0x7FFF) : int16_t(frame >> 15);
}
inline uint32_t CounterFrame(const int16_t* stereo) {
    return uint32_t(uint16_t(stereo[0])) | uint32_t(uint16_t(stereo[1])) << 15;
}

// Pulls stereo frames from the mixer.
inline std::vector<int16_t> Pull(platform::AudioMixer& mixer, size_t frames) {
    std::vector<int16_t> out(frames * 2);
    mixer.Mix(out.data(), frames);
    return out;
}

// Waits (up to two seconds) until `ready` holds.
inline bool WaitFor(const std::function<bool()>& ready) {
    for (int i = 0; i < 2000; ++i) {
        if (ready()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return ready();
}

}  // namespace soundtest
