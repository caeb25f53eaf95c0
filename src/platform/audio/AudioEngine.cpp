// AudioEngine.cpp -- opens an SDL2 audio device whose callback pulls the mixer.
#include "platform/audio/AudioEngine.h"

#include <SDL.h>

#include <cstdio>

namespace platform {
namespace {

void SDLCALL PullMixer(void* userdata, Uint8* stream, int len) {
    auto* mixer = static_cast<AudioMixer*>(userdata);
    mixer->Mix(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(len) / 4u);
}

}  // namespace

AudioEngine::AudioEngine(std::unique_ptr<AudioMixer> mixer, unsigned device)
    : m_mixer(std::move(mixer)), m_device(device) {}

AudioEngine::~AudioEngine() {
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);  // waits for a running callback
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

std::unique_ptr<AudioEngine> AudioEngine::Create(AudioBackend backend, int voiceLimit) {
    auto mixer = std::make_unique<AudioMixer>(voiceLimit);
    if (backend == AudioBackend::Test) {
        return std::unique_ptr<AudioEngine>(new AudioEngine(std::move(mixer), 0));
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "audio: no audio subsystem (%s); sound is off\n", SDL_GetError());
        return nullptr;
    }
    SDL_AudioSpec want{};
    want.freq = AudioMixer::kSampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = PullMixer;
    want.userdata = mixer.get();
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts our 44.1 kHz stereo to what the device wants.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        std::fprintf(stderr, "audio: cannot open an audio device (%s); sound is off\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    std::unique_ptr<AudioEngine> engine(new AudioEngine(std::move(mixer), device));
    SDL_PauseAudioDevice(device, 0);
    return engine;
}

}  // namespace platform
