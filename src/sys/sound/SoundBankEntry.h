// SoundBankEntry.h -- one sound's place in a sound bank file (compiled-in directory entry).
#pragma once

#include <cstdint>

// One sound of a bank: a RIFF/WAVE image inside the bank file.
struct SoundBankEntry {
    uint32_t offset;   // of the sound's image in the bank file
    uint32_t size;     // of the image in bytes
    const char* name;  // upper-case label
    uint32_t loop;     // 1 = the sound loops
};
