// Riff.cpp -- wave format records, the chunk walk, the wave writer and music scrambling.
#include "format/Riff.h"

#include "format/BankCodec.h"
#include "format/ByteIO.h"

namespace zfmt {

WaveFormat PcmFormat(int channels) {
    WaveFormat f;
    f.channels = static_cast<std::uint16_t>(channels);
    f.blockAlign = static_cast<std::uint16_t>(2 * channels);
    f.avgBytesPerSec = 44100u * f.blockAlign;
    return f;
}

bool ParseWaveFormat(const std::uint8_t* data, std::size_t size, WaveFormat& out) {
    if (data == nullptr || size < kPcmFormatChunkSize || size > kWaveFormatSize) return false;
    ByteReader r(data, size);
    WaveFormat f;
    f.formatTag = r.U16();
    f.channels = r.U16();
    f.samplesPerSec = r.U32();
    f.avgBytesPerSec = r.U32();
    f.blockAlign = r.U16();
    f.bitsPerSample = r.U16();
    f.extraSize = size >= kWaveFormatSize ? r.U16() : 0;
    if (!r.Ok()) return false;
    out = f;
    return true;
}

bool SameWaveFormat(const WaveFormat& a, const WaveFormat& b) {
    return a.formatTag == b.formatTag && a.channels == b.channels && a.samplesPerSec == b.samplesPerSec &&
           a.avgBytesPerSec == b.avgBytesPerSec && a.blockAlign == b.blockAlign && a.bitsPerSample == b.bitsPerSample;
}

bool FindChunk(const std::uint8_t* buf, std::size_t size, std::uint32_t id, std::uint32_t& chunkSize,
               std::uint32_t& dataOffset) {
    if (buf == nullptr) return false;
    std::uint64_t offset = 0;
    std::uint64_t riffEnd = UINT64_MAX;  // file offset where the RIFF data ends, once seen
    while (offset + 8 <= size) {
        const std::uint32_t chunkId = LoadU32(buf + offset);
        std::uint64_t length = LoadU32(buf + offset + 4);
        if (chunkId == kRiffId) {
            riffEnd = offset + 8 + length;
            length = 4;  // step over the form type into the sub-chunks
        }
        if (chunkId == id) {
            chunkSize = static_cast<std::uint32_t>(length);
            dataOffset = static_cast<std::uint32_t>(offset + 8);
            return true;
        }
        offset += 8 + length;
        if (offset > riffEnd) return false;
    }
    return false;
}

std::vector<std::uint8_t> WriteWav(const WaveFormat& format, const std::int16_t* samples, std::size_t sampleCount) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(sampleCount * 2);
    ByteWriter w;
    w.U32(kRiffId);
    w.U32(static_cast<std::uint32_t>(kWavHeaderSize - 8 + dataBytes));
    w.U32(kWaveId);
    w.U32(kFmtId);
    w.U32(static_cast<std::uint32_t>(kPcmFormatChunkSize));
    w.U16(format.formatTag);
    w.U16(format.channels);
    w.U32(format.samplesPerSec);
    w.U32(format.avgBytesPerSec);
    w.U16(format.blockAlign);
    w.U16(format.bitsPerSample);
    w.U32(kDataId);
    w.U32(dataBytes);
    Bytes out = w.Take();
    out.resize(kWavHeaderSize + dataBytes);
    std::uint8_t* p = out.data() + kWavHeaderSize;
    for (std::size_t i = 0; i < sampleCount; ++i) {
        const std::uint16_t s = static_cast<std::uint16_t>(samples[i]);
        p[2 * i] = static_cast<std::uint8_t>(s);
        p[2 * i + 1] = static_cast<std::uint8_t>(s >> 8);
    }
    return out;
}

void ScrambleMusic(std::uint32_t key, std::uint8_t* file, std::size_t size, std::size_t dataOffset) {
    if (file == nullptr || size == 0) return;
    if (dataOffset > size) dataOffset = size;
    ScrambleWords(key, file, dataOffset);
    ScrambleWords(key, file + dataOffset, size - dataOffset);
}

}  // namespace zfmt
