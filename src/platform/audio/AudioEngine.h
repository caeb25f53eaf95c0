// AudioEngine.h -- the mixer plus its output: an SDL2 audio device or none (pulled by tests).
#pragma once

#include <memory>

#include "platform/audio/AudioMixer.h"

namespace platform {

enum class AudioBackend {
    Device,  // an SDL2 audio device pulls the mixer from its own thread
    Test,    // no device; the caller pulls samples with Mixer().Mix()
};

// Owns one AudioMixer and, for the Device backend, the audio device that
// drains it. Created by the sound engine; the device is closed before the
// mixer goes away.
class AudioEngine {
public:
    // nullptr when the Device backend finds no usable audio device: the caller
    // then runs silent. voiceLimit caps the voices the mixer will create.
    static std::unique_ptr<AudioEngine> Create(AudioBackend backend, int voiceLimit = AudioMixer::kMaxVoices);
    ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    AudioMixer& Mixer() { return *m_mixer; }
    bool HasDevice() const { return m_device != 0; }

private:
    AudioEngine(std::unique_ptr<AudioMixer> mixer, unsigned device);

    std::unique_ptr<AudioMixer> m_mixer;
    unsigned m_device = 0;  // SDL audio device id, 0 = none
};

}  // namespace platform
