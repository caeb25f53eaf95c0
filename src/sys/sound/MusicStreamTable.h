// MusicStreamTable.h -- the music pieces by stream id: file, key, loop points, volume.
// Header-only so the content generator writes the music files to these loop points.
#pragma once

#include <cstdint>

// One row of the music stream table.
struct MusicStreamRow {
    const char* fileName;  // bank file with '\' separators; "" = none
    uint32_t key;          // 32-bit XOR key; 0 = plain wave file
    uint32_t flag;         // not read by the stream
    uint32_t loopStart;    // sample frames (4 bytes each)
    uint32_t loopLength;   // sample frames; 0 = no loop
    int32_t lastWord;      // not read by the stream
    float volume;          // applied by tmSound::PlayStream
};

constexpr int kMusicStreamCount = 15;
constexpr int kLooseMusicRow = 14;

// The game's music: row by stream id. Rows 8 and 13 are the same piece; row 11 plays once.
// clang-format off
inline constexpr MusicStreamRow MusicStreamTable[kMusicStreamCount] = {
    {"",                  0x00000000u, 1,       0,       0,  0, 1.0f},
    {"data\\bankSS02.dat", 0x4F1C8A27u, 1,  133187, 5057072, -1, 1.0f},
    {"data\\bankSS03.dat", 0x7D3E9B52u, 1,  131246, 2456403, -1, 1.0f},
    {"data\\bankSS04.dat", 0x1A6F04C9u, 1,  369482, 1837500, -1, 1.0f},
    {"data\\bankSS05.dat", 0xC83B5E71u, 1,  160279, 5043364, -1, 0.9f},
    {"data\\bankSS06.dat", 0x2E97D0A4u, 1,  399433, 4770286, -1, 0.9f},
    {"data\\bankSS07.dat", 0x95A1C36Eu, 1,  178514, 5052257, -1, 0.9f},
    {"data\\bankSS08.dat", 0x60D4F81Bu, 1,   45877, 2464768, -1, 0.9f},
    {"data\\bankSS01.dat", 0xB27E493Cu, 1, 1569201, 3256700, -1, 1.0f},
    {"data\\bankSS10.dat", 0x3C58A6D7u, 1,  791969, 3678588, -1, 1.0f},
    {"data\\bankSS09.dat", 0xE4096B25u, 1,  678035, 4461760, -1, 1.0f},
    {"data\\bankSS20.dat", 0x8B2FD17Au, 0,       0,       0, -1, 1.0f},
    {"data\\bankSS21.dat", 0x57C3E08Du, 1,   98511, 2273506, -1, 1.0f},
    {"data\\bankSS01.dat", 0xB27E493Cu, 1, 1569201, 3256700, -1, 1.0f},
    {"",                  0x00000000u, 0,       0,       0, -1, 0.9f},
};
// clang-format on
