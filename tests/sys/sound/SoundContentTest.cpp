// SoundContentTest.cpp -- the generated sound banks and music through the game's own readers, and a mixed render.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

#include "SoundTestFiles.h"
#include "content_tables.h"
#include "sys/sound/tmSound.h"
#include "table/SoundBankTable.h"

using namespace soundtest;

namespace {

std::unique_ptr<tmSound> GameSound() {
    tmSoundSetup setup = GameSoundSetup();
    setup.backend = platform::AudioBackend::Test;
    setup.folder = ZARVO_RUN_DIR;
    return std::make_unique<tmSound>(setup);
}

int16_t SampleAt(const platform::AudioBuffer& b, uint32_t frame, int channel) {
    const uint8_t* p = b.data + (size_t(frame) * b.channels + channel) * 2;
    return int16_t(uint16_t(p[0] | p[1] << 8));
}

}  // namespace

TEST(SoundContent, BanksLoadWithEveryEntryPlayable) {
    auto sound = GameSound();
    ASSERT_TRUE(sound->IsEnabled());
    const SoundBankDesc& shots = SoundBankTable[1];
    const SoundBankDesc& loops = SoundBankTable[2];
    ASSERT_EQ(shots.entryCount, 147);
    ASSERT_EQ(loops.entryCount, 153);
    ASSERT_NE(shots.fileImage, nullptr);
    EXPECT_STREQ(shots.directory[0].name, "CANSEL_01");
    EXPECT_STREQ(shots.directory[3].name, "CHECK_POINT_01");
    EXPECT_STREQ(loops.directory[0].name, "ICS_ENG_360_2000");
    EXPECT_STREQ(loops.directory[3].name, "ICS_ENG_360_8000");
    for (const SoundBankDesc* d : {&shots, &loops}) {
        uint32_t offset = 0;
        for (int i = 0; i < d->entryCount; ++i) {
            const SoundBankEntry& e = d->directory[i];
            EXPECT_EQ(e.offset, offset) << e.name;
            offset += e.size;
            ASSERT_NE(d->voiceBuffers[i].data, nullptr) << e.name;
            EXPECT_EQ(d->voiceBuffers[i].channels, d == &shots ? 2 : 1) << e.name;
            EXPECT_EQ(d->voiceBuffers[i].loopCount, d == &shots ? 0u : platform::AudioBuffer::kLoopInfinite);
        }
        EXPECT_EQ(offset, d->fileImage->size());
    }
    // The generated sound directories agree with the bank writer's.
    for (int i = 0; i < 147; ++i) EXPECT_EQ(content::bankSN01_dir[i].offset, shots.directory[i].offset);
    for (int i = 0; i < 153; ++i) EXPECT_EQ(content::bankSL01_dir[i].size, loops.directory[i].size);
    EXPECT_EQ(content::SND_LAP_02, 0x10083u);
    EXPECT_EQ(sound->Play(0x10083), 1);
}

TEST(SoundContent, LoopsCloseWithoutASeam) {
    auto sound = GameSound();
    const SoundBankDesc& loops = SoundBankTable[2];
    for (int i = 0; i < loops.entryCount; ++i) {
        const platform::AudioBuffer& b = loops.voiceBuffers[i];
        const uint32_t frames = b.bytes / 2;
        ASSERT_GT(frames, 1000u) << loops.directory[i].name;
        int largest = 1;
        for (uint32_t f = 1; f < frames; ++f)
            largest = std::max(largest, std::abs(SampleAt(b, f, 0) - SampleAt(b, f - 1, 0)));
        const int wrap = std::abs(SampleAt(b, 0, 0) - SampleAt(b, frames - 1, 0));
        EXPECT_LE(wrap, largest) << loops.directory[i].name;
    }
}

TEST(SoundContent, EveryMusicRowOpensWithItsLoopPoints) {
    platform::AudioMixer mixer;
    const int voice = mixer.CreateVoice(2);
    tmSoundStream stream(&mixer, voice, MusicStreamTable, ZARVO_RUN_DIR);
    for (int row = 1; row < kMusicStreamCount; ++row) {
        const MusicStreamRow& r = MusicStreamTable[row];
        if (r.fileName[0] == '\0') continue;
        EXPECT_TRUE(stream.Open(row, true)) << row;
        EXPECT_EQ(stream.Row(), row);
        stream.Close();
        std::string path = std::string(ZARVO_RUN_DIR) + "/" + r.fileName;
        std::replace(path.begin(), path.end(), '\\', '/');
        const auto size = std::filesystem::file_size(path);
        if (r.loopLength > 0)
            EXPECT_EQ(size, zfmt::WavFileSize(uint64_t(r.loopStart) + r.loopLength, 2)) << row;
        else
            EXPECT_GT(size, zfmt::WavFileSize(44100 * 20, 2)) << row;
    }
}

TEST(SoundContent, MixedEngineBlipsAndMusicRenderCleanly) {
    auto sound = GameSound();
    platform::AudioMixer& mixer = *sound->Mixer();
    sound->SetCategoryVolume(tmSoundCategory::kEffects, 0.8f);
    sound->SetCategoryVolume(tmSoundCategory::kMusic, 0.8f);
    sound->SetCategoryVolume(tmSoundCategory::kLoops, 0.8f);
    ASSERT_TRUE(sound->PlayStream(4, true));
    // An idle, two rev bands and a top layer, the way a machine drives them.
    const LoopSoundRecord engine[4] = {
        {0x20055, {0, 0.35f, 1, 1, 0.56f, 0, 0, 0}, {0, 0.4f, 1, 1, 1, 1, 1, 1}},
        {0x20010, {0, 0.22f, 0.42f, 0.79f, 0.21f, 0.595f, 0.49f, 0}, {0, 0.79f, 1, 1, 0.2f, 0.77f, 0.77f, 0.77f}},
        {0x2000E, {0.24f, 0.49f, 0.67f, 1, 0, 0.532f, 0.56f, 0.42f}, {0, 0.79f, 1, 1, 0.54f, 0.92f, 1.31f, 1.31f}},
        {0x20054, {0, 0.4f, 0.7f, 1, 0, 0, 0.56f, 0.7f}, {0.4f, 0.7f, 1, 1, 0.8f, 0.8f, 1.2f, 1.2f}},
    };
    int slots[4];
    for (int i = 0; i < 4; ++i) ASSERT_GT(slots[i] = sound->PlayLoop(&engine[i], 0.0f), 0);

    const size_t chunk = 1024, seconds = 4, total = seconds * 44100;
    std::vector<int16_t> all;
    for (size_t done = 0; done < total; done += chunk) {
        const float rev = float(done) / total;
        for (int slot : slots) sound->SetVoiceParameter(slot, rev);
        if (done % 22528 == 0) sound->Play(done % 45056 ? 0x10090 : 0x1006D);
        WaitFor([&] { return mixer.BuffersQueued(0) >= 2 || sound->Stream()->IsEndOfData(); });
        auto out = Pull(mixer, chunk);
        all.insert(all.end(), out.begin(), out.end());
    }
    // Written as a wave file in a folder of the test's own, read back and judged.
    TempDir dir;
    WriteFile(dir.File("mixed_sound.wav"), zfmt::WriteWav(zfmt::PcmFormat(2), all.data(), all.size()));
    std::vector<uint8_t> wav;
    {
        std::ifstream in(dir.File("mixed_sound.wav"), std::ios::binary);
        wav.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    uint32_t size = 0, offset = 0;
    ASSERT_TRUE(zfmt::FindChunk(wav.data(), wav.size(), zfmt::kDataId, size, offset));
    ASSERT_EQ(size, all.size() * 2);
    double energy = 0;
    size_t railed = 0;
    for (size_t i = 0; i < size / 2; ++i) {
        const int16_t s = int16_t(uint16_t(wav[offset + 2 * i] | wav[offset + 2 * i + 1] << 8));
        energy += double(s) * s;
        railed += (s >= 32767 || s <= -32768) ? 1 : 0;
    }
    const double rms = std::sqrt(energy / (size / 2));
    EXPECT_GT(rms, 1000.0);   // clearly audible
    EXPECT_LT(rms, 16000.0);  // not a wall of noise
    EXPECT_EQ(railed, 0u);    // nothing clipped
    sound->StopAll();
}
