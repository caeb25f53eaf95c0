// tmSoundTest.cpp -- sound engine on the test backend: pools, bank checks, loop curves, volumes, music, disabled mode.
#include "sys/sound/tmSound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <string>

#include "SoundTestFiles.h"
#include "format/BankWriter.h"

using namespace soundtest;

namespace {

constexpr uint32_t kOneShotKey = 0x13572468u;
constexpr uint32_t kLoopKey = 0x0BADF00Du;

int16_t OneShotValue(int entry) { return int16_t(100 * (entry + 1)); }
// One cosine period per loop: any break at the wrap shows as a jump.
int16_t LoopWave(uint32_t frame) { return int16_t(std::lround(10000 * std::cos(6.283185307179586 * frame / 64))); }
constexpr uint32_t kLoopFrames = 64;
constexpr int kGoodOneShots = 8;

// Banks written to a temp folder, with their directories and table.
class TestBanks {
public:
    explicit TestBanks(const TempDir& dir) {
        std::vector<zfmt::BankMember> shots;
        for (int i = 0; i < kGoodOneShots; ++i)
            shots.push_back({"", "S" + std::to_string(i), Wave(8, 2, [i](uint32_t, int) { return OneShotValue(i); })});
        // Entry 8: a data chunk that claims more bytes than the entry holds.
        auto longData = Wave(8, 2, [](uint32_t, int) { return int16_t(1); });
        zfmt::StoreU32(longData.data() + 40, 4000);
        shots.push_back({"", "BAD_DATA", longData});
        // Entry 9: 22050 Hz.
        shots.push_back({"", "BAD_RATE",
                         Wave(
                             8, 2, [](uint32_t, int) { return int16_t(1); }, 22050)});
        // Entry 10: a "fmt " chunk longer than a format record.
        auto longFmt = Wave(8, 2, [](uint32_t, int) { return int16_t(1); });
        zfmt::StoreU32(longFmt.data() + 16, 30);
        shots.push_back({"", "BAD_FMT", longFmt});
        // Entry 11: 8-bit samples.
        auto eightBit = Wave(8, 2, [](uint32_t, int) { return int16_t(1); });
        eightBit[34] = 8;
        shots.push_back({"", "BAD_BITS", eightBit});
        // Entry 12 is given an offset past the end of the file below.
        shots.push_back({"", "BAD_OFFSET", Wave(8, 2, [](uint32_t, int) { return int16_t(1); })});
        Write(dir, "data/bankT1.dat", shots, kOneShotKey, 0, m_shotNames, m_shotDir);
        m_shotDir[12].offset = 0xFFFFFFF0u;

        std::vector<zfmt::BankMember> loops;
        loops.push_back({"", "RAMP", Wave(kLoopFrames, 1, [](uint32_t f, int) { return LoopWave(f); })});
        loops.push_back({"", "STEREO", Wave(16, 2, [](uint32_t, int c) { return int16_t(c ? -500 : 500); })});
        Write(dir, "data/bankT2.dat", loops, kLoopKey, 1, m_loopNames, m_loopDir);

        table[0] = SoundBankDesc{};
        table[1] = {"data\\bankT1.dat",
                    0x10000,
                    int32_t(m_shotDir.size()),
                    kOneShotKey,
                    1,
                    m_shotDir.data(),
                    int32_t(m_shotDir.size()),
                    nullptr,
                    nullptr,
                    nullptr};
        table[2] = {"data\\bankT2.dat",
                    0x20000,
                    int32_t(m_loopDir.size()),
                    kLoopKey,
                    3,
                    m_loopDir.data(),
                    int32_t(m_loopDir.size()),
                    nullptr,
                    nullptr,
                    nullptr};
    }

    SoundBankDesc table[kSoundBankCount];

private:
    static void Write(const TempDir& dir, const std::string& file, const std::vector<zfmt::BankMember>& members,
                      uint32_t key, uint32_t loop, std::deque<std::string>& names,
                      std::vector<SoundBankEntry>& entries) {
        zfmt::BuiltBank bank = zfmt::BuildBank(members, key);
        WriteFile(dir.File(file), bank.file);
        for (const zfmt::BankEntry& e : bank.directory) {
            names.push_back(e.name);
            entries.push_back({e.offset, e.size, names.back().c_str(), loop});
        }
    }

    std::deque<std::string> m_shotNames, m_loopNames;
    std::vector<SoundBankEntry> m_shotDir, m_loopDir;
};

LoopSoundRecord Flat(uint32_t soundId, float volume, float ratio) {
    return {
        soundId, {0, 0.5f, 0.75f, 1, volume, volume, volume, volume}, {0, 0.5f, 0.75f, 1, ratio, ratio, ratio, ratio}};
}

class SoundTest : public ::testing::Test {
protected:
    SoundTest() : banks(dir) {}
    std::unique_ptr<tmSound> Make(int voiceLimit = platform::AudioMixer::kMaxVoices) {
        tmSoundSetup setup;
        setup.banks = banks.table;
        setup.backend = platform::AudioBackend::Test;
        setup.voiceLimit = voiceLimit;
        setup.folder = dir.Path();
        return std::make_unique<tmSound>(setup);
    }

    TempDir dir;
    TestBanks banks;
};

}  // namespace

TEST_F(SoundTest, OneShotsTakeTheLowestFreeSlotAndFreeItWhenDone) {
    auto sound = Make();
    ASSERT_TRUE(sound->IsEnabled());
    const int slot = sound->Play(0x10005);
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(sound->SlotSoundId(1), 0x10005u);
    EXPECT_TRUE(sound->IsVoicePlaying(1));
    EXPECT_EQ(sound->Play(0x10002), 2);
    // The sound test screen's readout goes to the console it hands in.
    static std::string printed;
    static std::string cursor;
    const tmSound::Console console = {[](int column, int row, int corner) {
                                          cursor = std::to_string(column) + "," + std::to_string(row) + "," +
                                                   std::to_string(corner);
                                      },
                                      [](const char* line) { printed = line; }};
    sound->DrawRunCount(console);
    EXPECT_EQ(cursor, "12,5,2");
    EXPECT_EQ(printed, "Sound ( Run:   2 )");
    auto out = Pull(*sound->Mixer(), 10);
    EXPECT_EQ(out[0], OneShotValue(5) + OneShotValue(2));
    EXPECT_EQ(out[16], 0);  // both eight frames long
    EXPECT_FALSE(sound->IsVoicePlaying(1));
    EXPECT_EQ(sound->CountPlayingVoices(), 0);
    EXPECT_EQ(sound->Play(0x10003), 1);
}

TEST_F(SoundTest, NoFreeEffectSlotGivesMinusOneAndChangesNothing) {
    auto sound = Make();
    for (int i = 1; i <= 95; ++i) ASSERT_EQ(sound->Play(0x10000), i);
    EXPECT_EQ(sound->FindFreeVoice(), -1);
    EXPECT_EQ(sound->Play(0x10001), -1);
    EXPECT_EQ(sound->CountPlayingVoices(), 95);
    for (int i = 1; i <= 95; ++i) ASSERT_EQ(sound->SlotSoundId(i), 0x10000u);
    // Loops have their own pool.
    LoopSoundRecord loop = Flat(0x20000, 1, 1);
    EXPECT_EQ(sound->PlayLoop(&loop, 0), 96);
    sound->StopAll();
    EXPECT_EQ(sound->CountPlayingVoices(), 0);
}

TEST_F(SoundTest, BadEntriesAndIdsAreUnplayable) {
    auto sound = Make();
    for (int i = 0; i < kGoodOneShots; ++i) EXPECT_GT(sound->Play(0x10000 + i), 0) << i;
    for (uint32_t id : {0x10008u, 0x10009u, 0x1000Au, 0x1000Bu, 0x1000Cu}) EXPECT_EQ(sound->Play(id), -1) << id;
    // Entries past the directory, bank 0 (empty), unknown banks.
    EXPECT_EQ(sound->Play(0x1000D), -1);
    EXPECT_EQ(sound->Play(0x0), -1);
    EXPECT_EQ(sound->Play(0x30000), -1);
    EXPECT_EQ(sound->Play(0xFFFFFFFFu), -1);
    LoopSoundRecord bad = Flat(0x20002, 1, 1);
    EXPECT_EQ(sound->PlayLoop(&bad, 0), -1);
    EXPECT_EQ(sound->PlayLoop(nullptr, 0), -1);
    // Slots outside 0..127 are ignored.
    sound->Stop(-1);
    sound->SetVoiceParameter(128, 0.5f);
    sound->SetVoiceVolume(500, 1.0f);
    EXPECT_EQ(sound->GetVoiceVolume(-3), 0.0f);
    EXPECT_EQ(sound->GetVoiceFrequencyRatio(128), 1.0f);
    EXPECT_FALSE(sound->IsVoicePlaying(128));
    EXPECT_FALSE(sound->PlayStream(99, false));
    EXPECT_FALSE(sound->IsStreamPlaying());
}

TEST(SoundCurve, PiecewiseLinearWithItsEdgeCases) {
    const float freq[8] = {0, 1, 1, 1, 0.77f, 1.15f, 1.15f, 1.15f};
    EXPECT_FLOAT_EQ(tmSound::EvaluateCurve(freq, -1.0f), 0.77f);
    EXPECT_FLOAT_EQ(tmSound::EvaluateCurve(freq, 0.5f), 0.96f);
    EXPECT_FLOAT_EQ(tmSound::EvaluateCurve(freq, 1.0f), 1.15f);
    EXPECT_FLOAT_EQ(tmSound::EvaluateCurve(freq, 2.0f), 1.15f);
    const float vol[8] = {0, 0.31f, 0.64f, 1.0f, 0, 0.345f, 0.19f, 0.07f};
    EXPECT_NEAR(tmSound::EvaluateCurve(vol, 0.475f), (0.345f + 0.19f) / 2, 1e-5);
    EXPECT_NEAR(tmSound::EvaluateCurve(vol, 0.155f), 0.1725f, 1e-5);
    const float close[8] = {0, 0.0000005f, 1, 1, 0.2f, 0.6f, 1, 1};
    EXPECT_FLOAT_EQ(tmSound::EvaluateCurve(close, 0.0000002f), 0.4f);
}

TEST_F(SoundTest, LoopCurvesShapeVolumeAndPitchWithTheLoopVolumeOnce) {
    auto sound = Make();
    sound->SetCategoryVolume(tmSoundCategory::kLoops, 0.5f);
    const LoopSoundRecord brake = {
        0x20000, {0, 0.31f, 0.64f, 1.0f, 0, 0.345f, 0.19f, 0.07f}, {0, 1, 1, 1, 0.77f, 1.15f, 1.15f, 1.15f}};
    const int slot = sound->PlayLoop(&brake, 0.5f);
    ASSERT_EQ(slot, 96);
    const float volAtHalf = tmSound::EvaluateCurve(brake.volume, 0.5f);
    EXPECT_NEAR(sound->GetVoiceVolume(slot), volAtHalf * 0.5f, 1e-6);
    EXPECT_NEAR(sound->GetVoiceFrequencyRatio(slot), 0.96f, 1e-6);
    sound->SetVoiceParameter(slot, 1.0f);
    EXPECT_NEAR(sound->GetVoiceVolume(slot), 0.07f * 0.5f, 1e-6);
    EXPECT_NEAR(sound->GetVoiceFrequencyRatio(slot), 1.15f, 1e-6);
    sound->Mute(slot);
    EXPECT_EQ(sound->GetVoiceVolume(slot), 0.0f);
    sound->SetVoiceParameter(slot, 0.31f);  // the next update sets it again
    EXPECT_NEAR(sound->GetVoiceVolume(slot), 0.345f * 0.5f, 1e-6);
    // A loop holds its slot until stopped.
    Pull(*sound->Mixer(), 1000);
    EXPECT_TRUE(sound->IsVoicePlaying(slot));
    sound->Stop(slot);
    EXPECT_FALSE(sound->IsVoicePlaying(slot));
    EXPECT_EQ(sound->FindFreeVoiceHigh(), 96);
}

TEST_F(SoundTest, ALoopPlaysSeamlesslyAcrossItsLoopPoint) {
    auto sound = Make();
    const LoopSoundRecord loop = Flat(0x20000, 1.0f, 1.0f);
    ASSERT_EQ(sound->PlayLoop(&loop, 0.5f), 96);
    auto out = Pull(*sound->Mixer(), kLoopFrames * 10 + 7);
    for (size_t i = 0; i < out.size() / 2; ++i) {
        ASSERT_EQ(out[i * 2], LoopWave(uint32_t(i % kLoopFrames))) << i;
        ASSERT_EQ(out[i * 2 + 1], out[i * 2]) << i;  // mono on both sides
    }
    // At a changed pitch the interpolated signal stays continuous across the wrap:
    // no step is larger than the cosine's steepest change over 1.37 frames.
    sound->StopAll();
    const LoopSoundRecord fast = Flat(0x20000, 1.0f, 1.37f);
    ASSERT_EQ(sound->PlayLoop(&fast, 0.5f), 96);
    out = Pull(*sound->Mixer(), 2000);
    const int limit = int(std::ceil(10000 * 6.283185307179586 / 64 * 1.37)) + 2;
    for (size_t i = 1; i < out.size() / 2; ++i) ASSERT_LE(std::abs(out[i * 2] - out[(i - 1) * 2]), limit) << i;
}

TEST_F(SoundTest, LoopBankEntriesPlayedAsOneShotsPlayOnceInTheirOwnFormat) {
    auto sound = Make();
    const int slot = sound->Play(0x20000);  // a mono loop on a stereo effect voice
    ASSERT_EQ(slot, 1);
    auto out = Pull(*sound->Mixer(), kLoopFrames + 4);
    EXPECT_EQ(out[2], LoopWave(1));
    EXPECT_EQ(out[3], LoopWave(1));
    EXPECT_EQ(out[kLoopFrames * 2], 0);
    EXPECT_FALSE(sound->IsVoicePlaying(slot));
    // A stereo entry on a mono loop voice keeps its two channels.
    const LoopSoundRecord stereo = Flat(0x20001, 1.0f, 1.0f);
    ASSERT_EQ(sound->PlayLoop(&stereo, 0), 96);
    out = Pull(*sound->Mixer(), 40);
    EXPECT_EQ(out[78], 500);
    EXPECT_EQ(out[79], -500);
}

TEST_F(SoundTest, CategoryVolumesApplyPerPool) {
    auto sound = Make();
    sound->SetCategoryVolume(tmSoundCategory::kEffects, 0.5f);
    const int slot = sound->Play(MakeSoundId(kOneShotBank, 0));
    EXPECT_FLOAT_EQ(sound->GetVoiceVolume(slot), 0.5f);
    sound->SetVoiceVolume(slot, 2.0f);  // clamped to 1, then the category
    EXPECT_FLOAT_EQ(sound->GetVoiceVolume(slot), 0.5f);
    sound->SetVoiceVolume(slot, -1.0f);
    EXPECT_FLOAT_EQ(sound->GetVoiceVolume(slot), 0.0f);
    sound->SetVoiceVolume(slot, 0.5f);
    EXPECT_FLOAT_EQ(sound->GetVoiceVolume(slot), 0.25f);
    EXPECT_EQ(Pull(*sound->Mixer(), 1)[0], OneShotValue(0) / 4);
    sound->SetCategoryVolume(7, 0.1f);  // no such category
    EXPECT_FLOAT_EQ(sound->GetCategoryVolume(tmSoundCategory::kEffects), 0.5f);
    sound->SetVoiceFrequencyRatio(slot, 5.0f);
    EXPECT_FLOAT_EQ(sound->GetVoiceFrequencyRatio(slot), 2.0f);
}

TEST_F(SoundTest, StreamVolumeFollowsItsCategoryAndOneStreamPlaysAtATime) {
    MusicStreamRow rows[kMusicStreamCount];
    for (int i = 0; i < kMusicStreamCount; ++i) rows[i] = MusicStreamTable[i];
    rows[4] = {"data\\bankTM.dat", 0x2468ACE0u, 1, 0, 0, -1, 0.9f};
    auto wav = Wave(1000, 2, [](uint32_t, int) { return int16_t(1000); });
    zfmt::ScrambleMusic(0x2468ACE0u, wav.data(), wav.size(), zfmt::kWavHeaderSize);
    WriteFile(dir.File("data/bankTM.dat"), wav);

    tmSoundSetup setup;
    setup.banks = banks.table;
    setup.backend = platform::AudioBackend::Test;
    setup.streams = rows;
    setup.folder = dir.Path();
    tmSound sound(setup);
    sound.SetCategoryVolume(tmSoundCategory::kMusic, 0.8f);
    EXPECT_TRUE(sound.PlayStream(4, true));
    EXPECT_TRUE(sound.IsStreamPlaying());
    EXPECT_NEAR(sound.GetVoiceVolume(0), 0.72f, 1e-6);
    EXPECT_TRUE(sound.IsVoicePlaying(0));
    EXPECT_EQ(Pull(*sound.Mixer(), 1)[0], 720);
    EXPECT_FALSE(sound.PlayStream(4, true));                 // already playing
    sound.SetCategoryVolume(tmSoundCategory::kMusic, 0.5f);  // the row's 0.9 is not applied again
    EXPECT_FLOAT_EQ(sound.GetVoiceVolume(0), 0.5f);
    sound.StopStream();
    EXPECT_FALSE(sound.IsStreamPlaying());
    EXPECT_FALSE(sound.IsVoicePlaying(0));
    // A stream that cannot open still counts as playing until stopped.
    EXPECT_TRUE(sound.PlayStream(2, true));
    EXPECT_FALSE(sound.PlayStream(4, true));
    sound.StopAll();
    EXPECT_TRUE(sound.PlayStream(4, true));
}

TEST(SoundIds, ScreenMusicNamesPlayableRows) {
    for (int id : {tmMusicStream::kMenu, tmMusicStream::kLobby, tmMusicStream::kSelect, tmMusicStream::kEnding,
                   tmMusicStream::kViewers, tmMusicStream::kTitle}) {
        ASSERT_LT(id, kMusicStreamCount);
        EXPECT_STRNE(MusicStreamTable[id].fileName, "") << id;
        EXPECT_EQ(MusicStreamTable[id].loopLength == 0, id == tmMusicStream::kEnding) << "only the ending plays once";
    }
    EXPECT_STREQ(MusicStreamTable[tmMusicStream::kNone].fileName, "");
    EXPECT_EQ(MakeSoundId(kLoopBank, 131), 0x20083u);
    EXPECT_EQ(SoundBankOf(MakeSoundId(kLoopBank, 131)), kLoopBank);
    EXPECT_EQ(SoundEntryOf(MakeSoundId(kOneShotBank, 131)), 131u);
}

TEST_F(SoundTest, DisabledSoundIsHarmlessAndLoadsNothing) {
    // One voice short of 128: sound is off as a whole rather than half-working.
    auto sound = Make(127);
    EXPECT_FALSE(sound->IsEnabled());
    EXPECT_EQ(sound->Mixer(), nullptr);
    EXPECT_EQ(sound->Play(0x10005), -1);
    LoopSoundRecord loop = Flat(0x20000, 1, 1);
    EXPECT_EQ(sound->PlayLoop(&loop, 0.5f), -1);
    EXPECT_EQ(sound->GetVoiceVolume(1), 0.0f);
    EXPECT_EQ(sound->GetVoiceFrequencyRatio(1), 1.0f);
    EXPECT_TRUE(sound->PlayStream(4, false));
    EXPECT_FALSE(sound->IsVoicePlaying(0));
    EXPECT_EQ(sound->CountPlayingVoices(), 0);
    sound->StopAll();
    sound->SetCategoryVolume(tmSoundCategory::kMusic, 0.3f);  // stored even when disabled
    EXPECT_FLOAT_EQ(sound->GetCategoryVolume(2), 0.3f);
    for (const SoundBankDesc& d : banks.table) {
        EXPECT_EQ(d.fileImage, nullptr);
        EXPECT_EQ(d.voiceBuffers, nullptr);
    }
}

TEST_F(SoundTest, BanksLoadOnceAndUnloadAtShutdown) {
    {
        auto sound = Make();
        ASSERT_NE(banks.table[1].voiceBuffers, nullptr);
        EXPECT_EQ(banks.table[0].fileImage, nullptr);  // the empty record is skipped
        platform::AudioBuffer* before = banks.table[1].voiceBuffers;
        EXPECT_TRUE(sound->LoadBank(1));
        EXPECT_EQ(banks.table[1].voiceBuffers, before);
        EXPECT_FALSE(sound->LoadBank(5));
    }
    for (const SoundBankDesc& d : banks.table) {
        EXPECT_EQ(d.fileImage, nullptr);
        EXPECT_EQ(d.formats, nullptr);
        EXPECT_EQ(d.voiceBuffers, nullptr);
    }

    // An unreadable bank keeps an empty image and is not read again.
    banks.table[2].fileName = "data\\missing.dat";
    auto sound = Make();
    ASSERT_NE(banks.table[2].fileImage, nullptr);
    EXPECT_TRUE(banks.table[2].fileImage->empty());
    LoopSoundRecord loop = Flat(0x20000, 1, 1);
    EXPECT_EQ(sound->PlayLoop(&loop, 0.5f), -1);
    WriteFile(dir.File("data/missing.dat"), std::vector<uint8_t>(64, 1));
    EXPECT_TRUE(sound->LoadBank(2));
    EXPECT_TRUE(banks.table[2].fileImage->empty());
    EXPECT_GT(sound->Play(0x10001), 0);  // the other bank is unaffected
}

TEST_F(SoundTest, CreateMakesOneInstanceAndDestroyIsSafeTwice) {
    tmSoundSetup setup;
    setup.backend = platform::AudioBackend::Test;
    EXPECT_EQ(tmSound::Create(nullptr, setup), 0);
    ASSERT_NE(tmSound::GetInstance(), nullptr);
    EXPECT_TRUE(tmSound::GetInstance()->IsEnabled());
    EXPECT_EQ(tmSound::GetInstance()->Play(0x10000), -1);  // no banks given
    tmSound::Destroy();
    EXPECT_EQ(tmSound::GetInstance(), nullptr);
    tmSound::Destroy();
}
