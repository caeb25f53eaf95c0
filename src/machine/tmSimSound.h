// tmSimSound.h -- the one-shot sounds the race simulation starts and stops.
#pragma once
#include <cstdint>

struct LoopSoundRecord;

// The sound seam of the simulation: gear, body, boost, lap and refill sounds
// by sound id, and the machine's engine and ambient loops. The default forwards to the sound engine when one runs and
// plays nothing otherwise, so a race runs headless; tests install a recorder
// with Set. Voice numbers are 1 or more; 0 means nothing plays.
class tmSimSound {
public:
    virtual ~tmSimSound() = default;

    virtual int Play(uint32_t soundId);
    virtual void Stop(int voice);
    // A looping voice of a loop record at a control value 0..1 (the record's
    // curves give its volume and pitch); 0 when nothing plays.
    virtual int PlayLoop(const LoopSoundRecord* record, float value);
    // A new control value for a loop voice.
    virtual void SetVoiceParameter(int voice, float value);
    // Silences a voice until its next control value.
    virtual void Mute(int voice);

    // The installed seam, or the forwarding one (never null).
    static tmSimSound& Get();
    // Installs a seam; null restores the forwarding one. Not owned.
    static void Set(tmSimSound* sound);
};
