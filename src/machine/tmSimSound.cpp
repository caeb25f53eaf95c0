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

tmSimSound& tmSimSound::Get() { return g_installed ? *g_installed : g_forwarding; }

void tmSimSound::Set(tmSimSound* sound) { g_installed = sound; }
