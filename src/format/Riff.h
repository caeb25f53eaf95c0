// Riff.h -- RIFF/WAVE layout shared by the game's sound readers and the content generator.
//
// A wave file here is "RIFF" <size> "WAVE", a "fmt " chunk of 16 to 18 bytes
// (16-bit PCM), then a "data" chunk. Chunks are walked without padding to an
// even size, as the game's banks are written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zfmt {

constexpr std::uint32_t FourCC(char a, char b, char c, char d) {
    return std::uint32_t(std::uint8_t(a)) | std::uint32_t(std::uint8_t(b)) << 8 | std::uint32_t(std::uint8_t(c)) << 16 |
           std::uint32_t(std::uint8_t(d)) << 24;
}
constexpr std::uint32_t kRiffId = FourCC('R', 'I', 'F', 'F');
constexpr std::uint32_t kWaveId = FourCC('W', 'A', 'V', 'E');
constexpr std::uint32_t kFmtId = FourCC('f', 'm', 't', ' ');
constexpr std::uint32_t kDataId = FourCC('d', 'a', 't', 'a');

// The wave format record: 18 bytes on file, little-endian, in this order.
struct WaveFormat {
    std::uint16_t formatTag = 1;  // 1 = PCM
    std::uint16_t channels = 2;
    std::uint32_t samplesPerSec = 44100;
    std::uint32_t avgBytesPerSec = 176400;
    std::uint16_t blockAlign = 4;
    std::uint16_t bitsPerSample = 16;
    std::uint16_t extraSize = 0;
};
constexpr std::size_t kWaveFormatSize = 18;
constexpr std::size_t kPcmFormatChunkSize = 16;  // the chunk as written: no extra-size word
// "RIFF" header, "fmt " chunk and "data" chunk header of a written file.
constexpr std::size_t kWavHeaderSize = 12 + 8 + kPcmFormatChunkSize + 8;

// 16-bit PCM at 44100 Hz with 1 or 2 channels.
WaveFormat PcmFormat(int channels);

// Reads a "fmt " chunk body of 16 to 18 bytes (the extra-size word is 0 when
// absent). False for any other size.
bool ParseWaveFormat(const std::uint8_t* data, std::size_t size, WaveFormat& out);

// Equal in every field but the extra-size word.
bool SameWaveFormat(const WaveFormat& a, const WaveFormat& b);

// Looks for chunk `id` in `buf`, walking from offset 0: a "RIFF" header counts
// as 4 bytes long (its form type), so the walk steps into its sub-chunks and
// ends at the RIFF size. On success gives the chunk's size and the offset of
// its data (just behind its 8-byte header). Only the 8-byte header has to lie
// inside `buf`; the chunk's data may run past it (callers check what they
// read). All arithmetic is 64-bit so hostile sizes cannot wrap.
bool FindChunk(const std::uint8_t* buf, std::size_t size, std::uint32_t id, std::uint32_t& chunkSize,
               std::uint32_t& dataOffset);

// A complete wave file of interleaved 16-bit samples in `format`'s channel count.
std::vector<std::uint8_t> WriteWav(const WaveFormat& format, const std::int16_t* samples, std::size_t sampleCount);
// Byte size WriteWav gives for `frames` sample frames of `channels` channels.
constexpr std::uint64_t WavFileSize(std::uint64_t frames, int channels) {
    return kWavHeaderSize + frames * 2u * std::uint64_t(channels);
}

// Scrambles (or unscrambles) a music file in place: the bytes before the
// audio data as 32-bit words counted from the file's first byte, the audio
// data as words counted from its own first byte. Trailing partial words stay
// plain. `dataOffset` is the offset of the first audio byte.
void ScrambleMusic(std::uint32_t key, std::uint8_t* file, std::size_t size, std::size_t dataOffset);

}  // namespace zfmt
