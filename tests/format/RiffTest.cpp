// RiffTest.cpp -- wave writer and chunk walk round trip; music scrambling by header and data words.
#include "format/Riff.h"

#include <gtest/gtest.h>

#include "format/ByteIO.h"

TEST(Riff, WrittenWavesReadBack) {
    const int16_t samples[] = {1, -2, 3, -4, 32767, -32768};
    for (int channels : {1, 2}) {
        const zfmt::WaveFormat fmt = zfmt::PcmFormat(channels);
        auto wav = zfmt::WriteWav(fmt, samples, 6);
        ASSERT_EQ(wav.size(), zfmt::WavFileSize(6 / channels, channels));
        uint32_t size = 0, offset = 0;
        ASSERT_TRUE(zfmt::FindChunk(wav.data(), wav.size(), zfmt::kFmtId, size, offset));
        zfmt::WaveFormat back;
        ASSERT_TRUE(zfmt::ParseWaveFormat(wav.data() + offset, size, back));
        EXPECT_TRUE(zfmt::SameWaveFormat(back, fmt));
        EXPECT_EQ(back.blockAlign, 2 * channels);
        EXPECT_EQ(back.avgBytesPerSec, 44100u * 2 * channels);
        ASSERT_TRUE(zfmt::FindChunk(wav.data(), wav.size(), zfmt::kDataId, size, offset));
        EXPECT_EQ(offset, zfmt::kWavHeaderSize);
        ASSERT_EQ(size, 12u);
        zfmt::ByteReader r(wav.data() + offset, size);
        for (int16_t s : samples) EXPECT_EQ(int16_t(r.U16()), s);
        EXPECT_EQ(zfmt::LoadU32(wav.data() + 4), wav.size() - 8);
    }
    zfmt::WaveFormat out;
    uint8_t tooShort[15] = {};
    EXPECT_FALSE(zfmt::ParseWaveFormat(tooShort, sizeof(tooShort), out));
    uint8_t tooLong[19] = {};
    EXPECT_FALSE(zfmt::ParseWaveFormat(tooLong, sizeof(tooLong), out));
}

TEST(Riff, MusicScramblingCountsDataWordsFromTheData) {
    std::vector<int16_t> samples(50, 0);
    auto plain = zfmt::WriteWav(zfmt::PcmFormat(2), samples.data(), samples.size());
    // Move the data to an offset that is not a multiple of 4 from the file start.
    plain.insert(plain.begin() + 36, {'J', 'U', 'N', 'K', 2, 0, 0, 0, 0, 0});
    const size_t dataOffset = zfmt::kWavHeaderSize + 10;
    auto scrambled = plain;
    const uint32_t key = 0xA1B2C3D4u;
    zfmt::ScrambleMusic(key, scrambled.data(), scrambled.size(), dataOffset);
    EXPECT_EQ(scrambled[0], plain[0] ^ 0xD4);
    EXPECT_EQ(scrambled[dataOffset], plain[dataOffset] ^ 0xD4);  // key byte 0 on the data's first byte
    EXPECT_EQ(scrambled[dataOffset + 1], plain[dataOffset + 1] ^ 0xC3);
    zfmt::ScrambleMusic(key, scrambled.data(), scrambled.size(), dataOffset);
    EXPECT_EQ(scrambled, plain);
}
