// tmSoundStream.cpp -- music stream: the stream table, file set-up, the refill worker and loop cuts.
#include "sys/sound/tmSoundStream.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include "format/BankCodec.h"
#include "platform/audio/AudioMixer.h"
#include "sys/base/tmMemory.h"

namespace {

constexpr uint32_t kChunkIds[] = {zfmt::kRiffId,
                                  zfmt::kDataId,
                                  zfmt::kFmtId,
                                  zfmt::kWaveId,
                                  zfmt::FourCC('X', 'W', 'M', 'A'),
                                  zfmt::FourCC('d', 'p', 'd', 's')};

}  // namespace

tmSoundStream::tmSoundStream(platform::AudioMixer* mixer, int voice, const MusicStreamRow* table, std::string folder)
    : m_mixer(mixer), m_voice(voice), m_table(table ? table : MusicStreamTable), m_folder(std::move(folder)) {}

tmSoundStream::~tmSoundStream() { Close(); }

int tmSoundStream::FindChunk(const uint8_t* buffer, uint32_t bufferSize, int index, uint32_t* outSize,
                             uint32_t* outOffset) {
    if (index < 0 || index >= static_cast<int>(sizeof(kChunkIds) / sizeof(kChunkIds[0]))) return 1;
    uint32_t size = 0, offset = 0;
    if (!zfmt::FindChunk(buffer, bufferSize, kChunkIds[index], size, offset)) return 1;
    if (outSize) *outSize = size;
    if (outOffset) *outOffset = offset;
    return 0;
}

bool tmSoundStream::ReadChunkData(const uint8_t* buffer, uint32_t bufferSize, void* dest, uint32_t count,
                                  uint32_t offset) {
    if (buffer == nullptr || dest == nullptr || uint64_t(offset) + count > bufferSize) return false;
    std::memcpy(dest, buffer + offset, count);
    return true;
}

bool tmSoundStream::IsSameFormat(const zfmt::WaveFormat& a, const zfmt::WaveFormat& b) {
    return zfmt::SameWaveFormat(a, b);
}

std::string tmSoundStream::PathOf(const char* name) const {
    return m_folder.empty() ? std::string(name) : m_folder + "/" + name;
}

bool tmSoundStream::Open(int streamId, bool preferBank) {
    if (IsOpen() || streamId < 0 || streamId >= kMusicStreamCount || m_mixer == nullptr) return false;

    int row = streamId;
    if (streamId >= 4 && streamId <= 10 && !preferBank) {
        char loose[32];
        std::snprintf(loose, sizeof(loose), "stage%d.wav", streamId - 3);
        m_file = platform::File::Open(PathOf(loose), platform::File::Mode::Read);
        if (m_file) row = kLooseMusicRow;
    }
    if (!m_file) {
        if (m_table[row].fileName == nullptr || m_table[row].fileName[0] == '\0') return false;
        m_file = platform::File::Open(PathOf(m_table[row].fileName), platform::File::Mode::Read);
        if (!m_file) return false;
    }
    const MusicStreamRow& r = m_table[row];
    m_key = r.key;

    // The chunk headers lie in the first 1024 bytes, scrambled as words from the file's start.
    uint8_t head[kHeaderReadSize];
    const int64_t read = m_file->Read(head, sizeof(head));
    const size_t got = read > 0 ? size_t(read) : 0;
    zfmt::ScrambleWords(m_key, head, got);
    uint32_t fmtSize = 0, fmtOffset = 0, dataSize = 0, dataOffset = 0;
    zfmt::WaveFormat format;
    if (got == 0 || FindChunk(head, uint32_t(got), kChunkFmt, &fmtSize, &fmtOffset) != 0 ||
        fmtSize > zfmt::kWaveFormatSize || uint64_t(fmtOffset) + fmtSize > got ||
        !zfmt::ParseWaveFormat(head + fmtOffset, fmtSize, format) || !IsSameFormat(format, zfmt::PcmFormat(2)) ||
        FindChunk(head, uint32_t(got), kChunkData, &dataSize, &dataOffset) != 0 || !m_file->Seek(dataOffset)) {
        CloseFile();
        return false;
    }
    m_format = format;
    m_row = row;
    m_dataOffset = dataOffset;
    m_dataSize = dataSize;
    m_bufferSize = kBufferSize;
    m_buffers[0] = static_cast<uint8_t*>(TM_ALLOC(kBufferSize));
    m_buffers[1] = static_cast<uint8_t*>(TM_ALLOC(kBufferSize));
    if (!m_buffers[0] || !m_buffers[1]) {
        CloseFile();
        return false;
    }
    m_current = 0;
    m_position = 0;
    m_loopStart = uint64_t(r.loopStart) * 4u;
    m_loopEnd = (uint64_t(r.loopStart) + r.loopLength) * 4u;
    if (m_loopEnd <= m_loopStart) m_loopEnd = 0;  // a loop of no length is no loop
    m_endOfData = false;

    SubmitNext();
    if (!m_mixer->Start(m_voice)) {
        m_mixer->FlushBuffers(m_voice);  // the queued buffer points into memory freed below
        CloseFile();
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(m_wakeLock);
        m_stop = false;
    }
    m_worker = std::thread(&tmSoundStream::Worker, this);
    return true;
}

void tmSoundStream::SubmitNext() {
    // Never read from at or past the loop end: that would queue an empty cut.
    if (m_loopEnd > 0 && m_position >= m_loopEnd) {
        m_position = m_loopStart;
        m_file->Seek(int64_t(m_dataOffset + m_loopStart));
    }
    uint8_t* buf = m_buffers[m_current];
    const uint64_t left = m_position < m_dataSize ? m_dataSize - m_position : 0;
    const size_t want = size_t(left < m_bufferSize ? left : m_bufferSize);
    const int64_t read = want ? m_file->Read(buf, want) : 0;
    const size_t got = read > 0 ? size_t(read) : 0;
    zfmt::ScrambleWords(m_key, buf, got);

    platform::AudioBuffer desc;
    desc.data = buf;
    desc.channels = 2;
    // A read reaching the loop end exactly is cut there too, so a file whose
    // audio ends at its loop end (the read stops at the data end) keeps looping.
    if (m_loopEnd > 0 && m_position + got >= m_loopEnd) {
        desc.bytes = uint32_t(m_loopEnd - m_position);
        m_position = m_loopStart;
        m_file->Seek(int64_t(m_dataOffset + m_loopStart));
        m_endOfData = false;
    } else {
        desc.bytes = uint32_t(got);
        if (got < m_bufferSize) {
            m_endOfData = true;
            desc.endOfStream = true;
        } else {
            m_endOfData = false;
        }
        m_position += got;
    }
    if (desc.bytes >= 4) {  // never queue an empty buffer
        m_mixer->SubmitBuffer(m_voice, desc);
        m_current ^= 1;
    }
}

void tmSoundStream::Worker() {
    std::unique_lock<std::mutex> lock(m_wakeLock);
    while (!m_stop) {
        lock.unlock();
        if (m_file && !m_endOfData && m_mixer->BuffersQueued(m_voice) < 2) SubmitNext();
        lock.lock();
        m_wake.wait_for(lock, std::chrono::milliseconds(10), [this] { return m_stop; });
    }
}

void tmSoundStream::Close() {
    if (!IsOpen()) return;
    if (m_worker.joinable()) {
        {
            std::lock_guard<std::mutex> lock(m_wakeLock);
            m_stop = true;
        }
        m_wake.notify_all();
        m_worker.join();
    }
    m_mixer->Stop(m_voice);
    m_mixer->FlushBuffers(m_voice);
    CloseFile();
}

void tmSoundStream::CloseFile() {
    m_file.reset();
    tmFree(m_buffers[0]);
    tmFree(m_buffers[1]);
    m_buffers[0] = m_buffers[1] = nullptr;
    m_current = 0;
    m_position = 0;
    m_row = 0;
    m_endOfData = false;
}
