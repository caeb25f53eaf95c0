// tmSoundStreamTest.cpp -- music stream: loop wrap, loose-file choice, refused files, data bounds, worker shutdown.
#include "sys/sound/tmSoundStream.h"

#include <gtest/gtest.h>

#include <chrono>

#include "SoundTestFiles.h"
#include "platform/audio/AudioMixer.h"

using namespace soundtest;

namespace {

constexpr uint32_t kKey = 0x5A3C9617u;

// A stream table whose row 1 is a scrambled test file with a short loop.
struct Rows {
    MusicStreamRow rows[kMusicStreamCount];
    Rows(uint32_t loopStart, uint32_t loopLength) {
        for (int i = 0; i < kMusicStreamCount; ++i) rows[i] = MusicStreamTable[i];
        rows[1] = {"data\\bankTest.dat", kKey, 1, loopStart, loopLength, -1, 0.9f};
    }
};

std::vector<uint8_t> ScrambledMusic(std::vector<uint8_t> wav, uint32_t key) {
    uint32_t size = 0, offset = 0;
    zfmt::FindChunk(wav.data(), wav.size(), zfmt::kDataId, size, offset);
    zfmt::ScrambleMusic(key, wav.data(), wav.size(), offset);
    return wav;
}

void WriteCounterMusic(const TempDir& dir, uint32_t frames) {
    WriteFile(dir.File("data/bankTest.dat"), ScrambledMusic(Wave(frames, 2, CounterSample), kKey));
}

class StreamTest : public ::testing::Test {
protected:
    void SetUp() override { voice = mixer.CreateVoice(2); }

    // Pulls `frames` frames in steps, letting the worker refill between them,
    // and returns the frame number heard at each output frame.
    std::vector<uint32_t> Listen(tmSoundStream& stream, size_t frames, size_t step = 4410) {
        std::vector<uint32_t> heard;
        while (heard.size() < frames) {
            WaitFor([&] { return mixer.BuffersQueued(voice) >= 2 || stream.IsEndOfData(); });
            auto out = Pull(mixer, step);
            for (size_t i = 0; i < step; ++i) heard.push_back(CounterFrame(&out[i * 2]));
        }
        heard.resize(frames);
        return heard;
    }

    platform::AudioMixer mixer;
    int voice = -1;
    TempDir dir;
};

}  // namespace

TEST_F(StreamTest, WrapsAtTheLoopEndAndResumesAtTheLoopStart) {
    // The loop end falls inside the second one-second buffer, then once per pass.
    Rows rows(1000, 50000);
    WriteCounterMusic(dir, 51000);
    tmSoundStream stream(&mixer, voice, rows.rows, dir.Path());
    ASSERT_TRUE(stream.Open(1, false));
    EXPECT_EQ(stream.Row(), 1);
    auto heard = Listen(stream, 160000);
    for (size_t k = 0; k < heard.size(); ++k) {
        const uint32_t expected = k < 51000 ? uint32_t(k) : 1000 + uint32_t((k - 51000) % 50000);
        ASSERT_EQ(heard[k], expected) << "output frame " << k;
    }
    EXPECT_FALSE(stream.IsEndOfData());
    stream.Close();
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_EQ(mixer.BuffersQueued(voice), 0);
}

TEST_F(StreamTest, ALoopEndOnABufferBoundaryKeepsLooping) {
    // The first buffer ends exactly at the loop end and so does the file: the
    // next read must start over at the loop start, not end the piece.
    Rows rows(100, 44000);
    WriteCounterMusic(dir, 44100);
    tmSoundStream stream(&mixer, voice, rows.rows, dir.Path());
    ASSERT_TRUE(stream.Open(1, false));
    auto heard = Listen(stream, 44100 * 3);
    for (size_t k = 0; k < heard.size(); ++k) {
        const uint32_t expected = k < 44100 ? uint32_t(k) : 100 + uint32_t((k - 44100) % 44000);
        ASSERT_EQ(heard[k], expected) << "output frame " << k;
    }
}

TEST_F(StreamTest, AShortPieceIsQueuedOnceAndStopsAtTheDataEnd) {
    // No loop; the data chunk is followed by a trailing chunk that must not play.
    Rows rows(0, 0);
    auto wav = Wave(1000, 2, [](uint32_t, int) { return int16_t(1234); });
    zfmt::ByteWriter tail;
    tail.U32(zfmt::FourCC('L', 'I', 'S', 'T'));
    tail.U32(400);
    for (int i = 0; i < 100; ++i) tail.U32(0x7FFF7FFF);
    wav.insert(wav.end(), tail.Data().begin(), tail.Data().end());
    zfmt::StoreU32(wav.data() + 4, uint32_t(wav.size() - 8));
    WriteFile(dir.File("data/bankTest.dat"), ScrambledMusic(wav, kKey));

    tmSoundStream stream(&mixer, voice, rows.rows, dir.Path());
    ASSERT_TRUE(stream.Open(1, false));
    EXPECT_TRUE(stream.IsEndOfData());
    EXPECT_EQ(mixer.BuffersQueued(voice), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_EQ(mixer.BuffersQueued(voice), 1);  // no refill follows
    auto out = Pull(mixer, 1500);
    for (size_t i = 0; i < 1000 * 2; ++i) ASSERT_EQ(out[i], 1234) << i;
    for (size_t i = 1000 * 2; i < out.size(); ++i) ASSERT_EQ(out[i], 0) << i;  // no trailing bytes played
    EXPECT_EQ(mixer.BuffersQueued(voice), 0);
    EXPECT_TRUE(stream.IsOpen());  // stays open, silent, until closed
}

TEST_F(StreamTest, LooseStageFilesReplaceCourseMusicUnlessTheBankIsPreferred) {
    Rows rows(0, 0);
    for (int i = 0; i < kMusicStreamCount; ++i)
        if (i != 0 && i != kLooseMusicRow) rows.rows[i] = {"data\\bankTest.dat", kKey, 1, 0, 0, -1, 1.0f};
    WriteCounterMusic(dir, 100);
    // A plain wave (key 0) whose first frame differs from the bank's.
    WriteFile(dir.File("stage2.wav"), Wave(100, 2, [](uint32_t, int) { return int16_t(777); }));
    WriteFile(dir.File("stage8.wav"), Wave(100, 2, [](uint32_t, int) { return int16_t(777); }));

    tmSoundStream stream(&mixer, voice, rows.rows, dir.Path());
    ASSERT_TRUE(stream.Open(5, false));
    EXPECT_EQ(stream.Row(), kLooseMusicRow);
    EXPECT_EQ(Pull(mixer, 1)[0], 777);
    stream.Close();

    ASSERT_TRUE(stream.Open(5, true));
    EXPECT_EQ(stream.Row(), 5);
    EXPECT_EQ(Pull(mixer, 1)[0], 0);  // the bank's counter starts at frame 0
    stream.Close();

    ASSERT_TRUE(stream.Open(11, false));  // never looks for a loose file
    EXPECT_EQ(stream.Row(), 11);
    stream.Close();

    std::filesystem::remove(dir.File("stage2.wav"));
    ASSERT_TRUE(stream.Open(5, false));
    EXPECT_EQ(stream.Row(), 5);
}

TEST_F(StreamTest, RefusesFilesItCannotPlay) {
    Rows rows(0, 0);
    tmSoundStream stream(&mixer, voice, rows.rows, dir.Path());
    const std::string path = dir.File("data/bankTest.dat");

    // Missing file, empty row, out-of-range ids.
    EXPECT_FALSE(stream.Open(1, false));
    EXPECT_FALSE(stream.Open(0, false));
    EXPECT_FALSE(stream.Open(-1, false));
    EXPECT_FALSE(stream.Open(kMusicStreamCount, false));

    // 22050 Hz and mono are refused and the file is closed.
    WriteFile(path, ScrambledMusic(Wave(100, 2, CounterSample, 22050), kKey));
    EXPECT_FALSE(stream.Open(1, false));
    EXPECT_FALSE(stream.IsOpen());
    WriteFile(path, ScrambledMusic(Wave(100, 1, CounterSample), kKey));
    EXPECT_FALSE(stream.Open(1, false));
    EXPECT_FALSE(stream.IsOpen());

    // A wrong key leaves no chunk to find.
    WriteFile(path, ScrambledMusic(Wave(100, 2, CounterSample), kKey ^ 1));
    EXPECT_FALSE(stream.Open(1, false));

    // A "data" chunk pushed past the first 1024 bytes by a long chunk in front.
    auto wav = Wave(100, 2, CounterSample);
    std::vector<uint8_t> pad(8 + 2000, 0);
    zfmt::StoreU32(pad.data(), zfmt::FourCC('J', 'U', 'N', 'K'));
    zfmt::StoreU32(pad.data() + 4, 2000);
    wav.insert(wav.begin() + 36, pad.begin(), pad.end());
    zfmt::StoreU32(wav.data() + 4, uint32_t(wav.size() - 8));
    WriteFile(path, ScrambledMusic(wav, kKey));
    EXPECT_FALSE(stream.Open(1, false));
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_EQ(mixer.BuffersQueued(voice), 0);

    // An oversized "fmt " chunk.
    wav = Wave(100, 2, CounterSample);
    zfmt::StoreU32(wav.data() + 16, 40);
    WriteFile(path, ScrambledMusic(wav, kKey));
    EXPECT_FALSE(stream.Open(1, false));

    stream.Close();  // nothing open: nothing to do
    EXPECT_FALSE(stream.IsOpen());
}

TEST_F(StreamTest, CloseJoinsTheWorkerPromptly) {
    Rows rows(1000, 50000);
    WriteCounterMusic(dir, 51000);
    tmSoundStream stream(&mixer, voice, rows.rows, dir.Path());
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(stream.Open(1, false));
        EXPECT_FALSE(stream.Open(1, false));  // one stream at a time
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        const auto t0 = std::chrono::steady_clock::now();
        stream.Close();
        const auto took = std::chrono::steady_clock::now() - t0;
        // A very loose bound (the bench measures it): the worker is woken, not waited out.
        EXPECT_LT(took, std::chrono::milliseconds(2000));
        EXPECT_FALSE(stream.IsOpen());
        EXPECT_EQ(mixer.BuffersQueued(voice), 0);
    }
}

TEST(StreamChunks, FindChunkWalksRiffAndRejectsHostileSizes) {
    auto wav = Wave(10, 2, CounterSample);
    uint32_t size = 0, offset = 0;
    ASSERT_EQ(tmSoundStream::FindChunk(wav.data(), uint32_t(wav.size()), tmSoundStream::kChunkRiff, &size, &offset), 0);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(offset, 8u);
    ASSERT_EQ(tmSoundStream::FindChunk(wav.data(), uint32_t(wav.size()), tmSoundStream::kChunkFmt, &size, &offset), 0);
    EXPECT_EQ(size, 16u);
    EXPECT_EQ(offset, 20u);
    ASSERT_EQ(tmSoundStream::FindChunk(wav.data(), uint32_t(wav.size()), tmSoundStream::kChunkData, &size, &offset), 0);
    EXPECT_EQ(size, 40u);
    EXPECT_EQ(offset, 44u);
    EXPECT_EQ(tmSoundStream::FindChunk(wav.data(), uint32_t(wav.size()), tmSoundStream::kChunkXwma, &size, &offset), 1);
    EXPECT_EQ(tmSoundStream::FindChunk(wav.data(), uint32_t(wav.size()), 9, &size, &offset), 1);

    // A "fmt " size that would wrap a 32-bit offset, and a header cut short.
    auto bad = wav;
    zfmt::StoreU32(bad.data() + 16, 0xFFFFFFF8u);
    EXPECT_EQ(tmSoundStream::FindChunk(bad.data(), uint32_t(bad.size()), tmSoundStream::kChunkData, &size, &offset), 1);
    EXPECT_EQ(tmSoundStream::FindChunk(wav.data(), 40, tmSoundStream::kChunkData, &size, &offset), 1);

    uint8_t dest[4] = {};
    EXPECT_TRUE(tmSoundStream::ReadChunkData(wav.data(), uint32_t(wav.size()), dest, 4, 0));
    EXPECT_FALSE(tmSoundStream::ReadChunkData(wav.data(), uint32_t(wav.size()), dest, 4, uint32_t(wav.size()) - 2));

    zfmt::WaveFormat a = zfmt::PcmFormat(2), b = a;
    b.extraSize = 22;
    EXPECT_TRUE(tmSoundStream::IsSameFormat(a, b));
    b.samplesPerSec = 22050;
    EXPECT_FALSE(tmSoundStream::IsSameFormat(a, b));
}

TEST(StreamTable, RowsKeepTheirKeysAndLoopPoints) {
    EXPECT_STREQ(MusicStreamTable[1].fileName, "data\\bankSS02.dat");
    EXPECT_EQ(MusicStreamTable[1].key, 0x4F1C8A27u);
    // Row 1 cuts at byte 4 x (133187 + 5057072) and resumes at byte 4 x 133187.
    EXPECT_EQ(4ull * (MusicStreamTable[1].loopStart + MusicStreamTable[1].loopLength), 20761036ull);
    EXPECT_EQ(4ull * MusicStreamTable[1].loopStart, 532748ull);
    EXPECT_EQ(MusicStreamTable[11].loopLength, 0u);
    EXPECT_STREQ(MusicStreamTable[8].fileName, MusicStreamTable[13].fileName);
    EXPECT_FLOAT_EQ(MusicStreamTable[4].volume, 0.9f);
    EXPECT_FLOAT_EQ(MusicStreamTable[kLooseMusicRow].volume, 0.9f);
}
