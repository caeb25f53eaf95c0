// tmSound.h -- the sound engine: voice pools, one-shots and shaped loops by sound id, category volumes, music.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/audio/AudioEngine.h"
#include "sys/sound/tmSoundBank.h"
#include "sys/sound/tmSoundIds.h"
#include "sys/sound/tmSoundStream.h"

// A looping sound and the two curves that turn a control value (0..1) into
// its volume and frequency ratio. A curve is x0..x3 (ascending), y0..y3.
// Kept by pointer while the sound plays; 68 bytes as the machine tables store it.
struct LoopSoundRecord {
    uint32_t soundId;
    float volume[8];
    float frequency[8];
};
static_assert(sizeof(LoopSoundRecord) == 68, "loop sound record is 68 bytes");

// How tmSound starts: the bank table it loads, the audio backend and where
// the bank and music files are.
struct tmSoundSetup {
    SoundBankDesc* banks = nullptr;  // kSoundBankCount records, or null for none
    platform::AudioBackend backend = platform::AudioBackend::Device;
    int voiceLimit = platform::AudioMixer::kMaxVoices;  // fewer than 128 leaves sound disabled
    const MusicStreamRow* streams = MusicStreamTable;   // kMusicStreamCount rows
    std::string folder;                                 // prefix of the bank and music file names; "" = working folder
};

// The one sound object. Owns the audio engine with 128 voices in three pools
// (0 music, 1..95 stereo one-shots, 96..127 mono loops), the loaded sound
// banks' images and the music stream on voice 0. Created and destroyed by the
// main loop; called from the main thread only. When the engine cannot start
// (no audio device, a voice that cannot be made) sound is disabled and every
// call is a harmless no-op with a neutral result.
class tmSound {
public:
    static constexpr int kSlotCount = 128;
    static constexpr int kStreamSlot = 0;
    static constexpr int kFirstEffectSlot = 1;
    static constexpr int kLastEffectSlot = 95;
    static constexpr int kFirstLoopSlot = 96;
    static constexpr int kLastLoopSlot = 127;
    static constexpr int kCategoryCount = tmSoundCategory::kCount;

    // Makes the process-wide instance (replacing none) and returns 0, also when
    // sound ends up disabled. The window is not used.
    static int Create(void* window, const tmSoundSetup& setup);
    static tmSound* GetInstance();
    static void Destroy();

    explicit tmSound(const tmSoundSetup& setup);
    ~tmSound();
    tmSound(const tmSound&) = delete;
    tmSound& operator=(const tmSound&) = delete;

    // A one-shot sound on the lowest free slot of 1..95; the slot, or -1. It
    // plays once in its own format and frees the slot when it ends.
    int Play(uint32_t soundId);
    // Hears every one-shot sound id asked for, played or not (tests log them); empty = none.
    using PlayObserver = std::function<void(uint32_t soundId)>;
    static void SetPlayObserver(PlayObserver observer);
    // A looping sound on the lowest free slot of 96..127, shaped by the
    // record's curves at `value`; the slot, or -1. The record must outlive the sound.
    int PlayLoop(const LoopSoundRecord* record, float value);
    // Applies the slot's loop record at a new control value.
    void SetVoiceParameter(int slot, float value);
    void Stop(int slot);
    void Mute(int slot);
    void StopAll();

    // Starts music stream `streamId` (tmMusicStream or a course's): false only when one already plays
    // (true when disabled, and also when the stream could not open).
    bool PlayStream(int streamId, bool preferBank);
    void StopStream();

    // Volume 0..1 of a tmSoundCategory.
    void SetCategoryVolume(int category, float volume);
    float GetCategoryVolume(int category) const;
    // Clamped to 0..1, times the category volume of the slot's pool.
    void SetVoiceVolume(int slot, float volume);
    float GetVoiceVolume(int slot) const;
    void SetVoiceFrequencyRatio(int slot, float ratio);
    float GetVoiceFrequencyRatio(int slot) const;

    bool IsVoicePlaying(int slot) const;
    int CountPlayingVoices() const;
    int FindFreeVoice() const;
    int FindFreeVoiceHigh() const;
    bool IsReady() const { return true; }
    bool CheckEnabled() const { return true; }
    // The debug console as the screen that shows the readout hands it in (sound does not see sys/text).
    struct Console {
        void (*setCursor)(int column, int row, int corner);
        void (*print)(const char* line);
    };
    // Prints "Sound ( Run:%4d )" at column 12, row 5 from corner 2 of the console handed in (sound test screen).
    void DrawRunCount(const Console& console);

    bool IsEnabled() const { return m_enabled; }
    bool IsStreamPlaying() const { return m_streamPlaying; }
    // Sound id last started on a slot (0 for none or a bad slot).
    uint32_t SlotSoundId(int slot) const;

    bool LoadBank(int bank);
    void UnloadBank(int bank);

    // The piecewise-linear curve x0..x3 / y0..y3 at v.
    static float EvaluateCurve(const float curve[8], float v);

    // The mixer the voices live in (null when disabled); tests pull samples from it.
    platform::AudioMixer* Mixer() { return m_engine ? &m_engine->Mixer() : nullptr; }
    tmSoundStream* Stream() { return m_stream; }

private:
    struct Slot {
        int voice = -1;  // mixer voice
        int kind = 0;    // the slot's pool: its tmSoundCategory
        uint32_t soundId = 0;
        const LoopSoundRecord* record = nullptr;
    };

    bool ValidSlot(int slot) const { return slot >= 0 && slot < kSlotCount; }
    // The prepared buffer of a sound id, or null when the id names nothing playable.
    const platform::AudioBuffer* BufferOf(uint32_t soundId) const;
    int PlayOnPool(int slot, int kind, uint32_t soundId, platform::AudioBuffer buffer);
    void ApplyLoopRecord(int slot, float value);
    void PrepareEntry(SoundBankDesc& desc, int index);
    void Shutdown();

    std::unique_ptr<platform::AudioEngine> m_engine;
    bool m_enabled = false;
    bool m_streamPlaying = false;
    Slot m_slots[kSlotCount];
    float m_categoryVolume[kCategoryCount] = {1.0f, 1.0f, 1.0f, 1.0f};
    SoundBankDesc* m_banks = nullptr;
    const MusicStreamRow* m_streams = MusicStreamTable;
    std::string m_folder;
    tmSoundStream* m_stream = nullptr;  // owned
};
