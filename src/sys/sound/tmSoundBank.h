// tmSoundBank.h -- the sound bank record: where a bank's sounds lie and what the engine made of them.
#pragma once

#include <cstdint>
#include <string>

#include "format/Riff.h"
#include "platform/audio/AudioMixer.h"
#include "sys/sound/SoundBankEntry.h"

// One sound bank. The fields up to entryCount are fixed before the program
// starts (the sound bank table); the last three are filled by tmSound when it
// loads the bank and cleared when it unloads it. Only tmSound touches them.
struct SoundBankDesc {
    const char* fileName;             // bank file, '\' separators; null = no bank
    uint32_t bankId;                  // bank index x 65536
    int32_t soundCount;               // loaded only when positive
    uint32_t key;                     // whole-file 32-bit XOR key
    uint32_t formatKind;              // 1, 2 = 16-bit stereo 44100 Hz, 3 = 16-bit mono 44100 Hz
    const SoundBankEntry* directory;  // entryCount entries, contiguous from offset 0
    int32_t entryCount;
    std::string* fileImage;               // run-time: the unscrambled file (empty when unreadable)
    zfmt::WaveFormat* formats;            // run-time: one per entry
    platform::AudioBuffer* voiceBuffers;  // run-time: one per entry; data null = unplayable
};

constexpr int kSoundBankCount = 3;

// The banks by index: record 0 is empty.
constexpr uint32_t kOneShotBank = 1;  // stereo one-shot sounds
constexpr uint32_t kLoopBank = 2;     // mono looping sounds

// Sound id = bank id (bank index x 65536) + entry index.
constexpr uint32_t MakeSoundId(uint32_t bank, uint32_t entry) { return (bank << 16) | (entry & 0xFFFFu); }
constexpr uint32_t SoundBankOf(uint32_t soundId) { return soundId >> 16; }
constexpr uint32_t SoundEntryOf(uint32_t soundId) { return soundId & 0xFFFFu; }
