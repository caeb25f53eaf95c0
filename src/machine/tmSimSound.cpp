// tmSimSound.cpp -- the simulation's sound seam, forwarding to the sound engine.
#include "machine/tmSimSound.h"

#include "sys/sound/tmSound.h"

namespace {
tmSimSound g_forwarding;
tmSimSound* g_installed = nullptr;
}  // namespace

int tmSimSound::Play(uint32_t soundId) {
    tmSound* sound = tmSound::GetInstance();
    if (!sound) return 0;
    int slot = sound->Play(soundId);
    return slot > 0 ? slot : 0;
}

void tmSimSound::Stop(int voice) {
    tmSound* sound = tmSound::GetInstance();
    if (sound && voice > 0) sound->Stop(voice);
}

int tmSimSound::PlayLoop(const LoopSoundRecord* record, float value) {
    tmSound* sound = tmSound::GetInstance();
    if (!sound || !record) return 0;
    const int slot = sound->PlayLoop(record, value);
    return slot > 0 ? slot : 0;
}

void tmSimSound::SetVoiceParameter(int voice, float value) {
    tmSound* sound = tmSound::GetInstance();
    if (sound && voice > 0) sound->SetVoiceParameter(voice, value);
}

void tmSimSound::Mute(int voice) {
    tmSound* sound = tmSound::GetInstance();
    if (sound && voice > 0) sound->Mute(voice);
}

tmSimSound& tmSimSound::Get() { return g_installed ? *g_installed : g_forwarding; }

void tmSimSound::Set(tmSimSound* sound) { g_installed = sound; }
