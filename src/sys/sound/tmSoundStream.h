// tmSoundStream.h -- streams one music file from disk through two one-second buffers on a voice.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "format/Riff.h"
#include "platform/fs/FileSystem.h"
#include "sys/sound/MusicStreamTable.h"

namespace platform {
class AudioMixer;
}

// Plays one piece of music at a time from a wave file (a scrambled music bank
// or a loose "stage%d.wav") without loading it whole. Owned by tmSound, which
// gives it voice 0 of its mixer; a worker thread keeps two buffers queued
// while a stream is open and is joined by Close.
class tmSoundStream {
public:
    static constexpr uint32_t kBufferSize = 176400;  // one second of 16-bit stereo at 44100 Hz
    static constexpr uint32_t kHeaderReadSize = 1024;
    // Chunk identifiers by index for FindChunk: 0 "RIFF", 1 "data", 2 "fmt ", 3 "WAVE", 4 "XWMA", 5 "dpds".
    enum ChunkIndex { kChunkRiff = 0, kChunkData = 1, kChunkFmt = 2, kChunkWave = 3, kChunkXwma = 4, kChunkDpds = 5 };

    // `table` holds kMusicStreamCount rows; `folder` prefixes every file name
    // ("" = the working folder).
    tmSoundStream(platform::AudioMixer* mixer, int voice, const MusicStreamRow* table = MusicStreamTable,
                  std::string folder = std::string());
    ~tmSoundStream();
    tmSoundStream(const tmSoundStream&) = delete;
    tmSoundStream& operator=(const tmSoundStream&) = delete;

    // Starts stream `streamId` (0..14); true when it plays. Ids 4 to 10 use a
    // loose "stage<id-3>.wav" when present unless preferBank is set.
    bool Open(int streamId, bool preferBank);
    // Stops the worker (joined), the voice and the file. Nothing to do when closed.
    void Close();

    bool IsOpen() const { return m_file != nullptr; }
    // The row in use (0 when closed).
    int Row() const { return m_row; }
    // Set once the last audio of a non-looping piece has been queued.
    bool IsEndOfData() const { return m_endOfData.load(); }

    // 0 when chunk `index` is found (its size and the offset of its data), 1 when not.
    static int FindChunk(const uint8_t* buffer, uint32_t bufferSize, int index, uint32_t* outSize, uint32_t* outOffset);
    // Copies count bytes from buffer + offset; false (nothing copied) when they are not all inside.
    static bool ReadChunkData(const uint8_t* buffer, uint32_t bufferSize, void* dest, uint32_t count, uint32_t offset);
    static bool IsSameFormat(const zfmt::WaveFormat& a, const zfmt::WaveFormat& b);

private:
    // Reads, unscrambles and queues the next buffer; cuts it at the loop end.
    void SubmitNext();
    void Worker();
    void CloseFile();
    std::string PathOf(const char* name) const;

    platform::AudioMixer* m_mixer;
    int m_voice;
    const MusicStreamRow* m_table;
    std::string m_folder;

    std::unique_ptr<platform::File> m_file;
    int m_row = 0;
    uint32_t m_key = 0;
    uint8_t* m_buffers[2] = {nullptr, nullptr};
    zfmt::WaveFormat m_format;
    uint32_t m_bufferSize = 0;
    int m_current = 0;
    uint64_t m_position = 0;    // audio bytes consumed from the start of the data chunk
    uint64_t m_dataOffset = 0;  // file offset of the first audio byte
    uint64_t m_dataSize = 0;    // bytes in the data chunk
    uint64_t m_loopStart = 0;
    uint64_t m_loopEnd = 0;  // 0 = no loop
    std::atomic<bool> m_endOfData{false};

    std::thread m_worker;
    std::mutex m_wakeLock;
    std::condition_variable m_wake;
    bool m_stop = false;
};
