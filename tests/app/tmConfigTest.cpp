// tmConfigTest.cpp -- the save image: layout, scrambling, load rules, safe saving and accessors.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/tmConfig.h"
#include "sys/gfx/tmRenderSetting.h"

namespace {

const char kGuidA[] = "{01234567-89AB-CDEF-0123-456789ABCDEF}";
const char kGuidB[] = "{FEDCBA98-7654-3210-FEDC-BA9876543210}";
const char* GuidA() { return kGuidA; }
const char* GuidB() { return kGuidB; }

std::string MakeTempDir() {
    char tmpl[] = "/tmp/zarvo_cfg_XXXXXX";
    const char* dir = mkdtemp(tmpl);
    return dir ? dir : "/tmp";
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::vector<uint8_t> out;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return out;
    uint8_t buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
    std::fclose(f);
    return out;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::fclose(f);
}

void Put32(std::vector<uint8_t>& b, size_t off, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[off + i] = static_cast<uint8_t>(v >> (8 * i));
}

// The expected unscrambled default image, written out from the layout.
std::vector<uint8_t> ExpectedDefaults(const char* guid) {
    std::vector<uint8_t> b(144276, 0);
    std::memcpy(b.data(), "ZARVOCNF020007", 14);
    Put32(b, 16, 9);
    b[24] = 1;
    b[32] = 1;
    b[45] = 1;
    Put32(b, 48, 8);
    Put32(b, 52, 7);
    Put32(b, 56, 1);
    Put32(b, 60, 3);
    b[64] = 1;
    b[66] = 1;
    const int32_t keys[9] = {-1, 2, 3, 0, 1, 5, 4, 6, 7};
    for (int i = 0; i < 9; ++i) Put32(b, 76 + 4 * i, static_cast<uint32_t>(keys[i]));
    std::memcpy(&b[112], guid, 38);
    std::memcpy(&b[151], "No Name", 7);
    std::memcpy(&b[168], "No Team", 7);
    for (size_t off = 260; off < 143876; off += 4) Put32(b, off, 5999999);
    return b;
}

class tmConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = MakeTempDir();
        path_ = dir_ + "/quvase.sav";
    }
    void TearDown() override {
        std::remove(path_.c_str());
        std::remove((path_ + ".tmp").c_str());
        std::remove(dir_.c_str());
    }
    std::string dir_, path_;
};

// A file store whose nth chunk write fails, as if the process died mid-save.
class FailingSaveFile : public tmSaveFile {
public:
    FailingSaveFile(std::string path, int failAt) : tmSaveFile(std::move(path)), failAt_(failAt) {}
    int chunks = 0;

protected:
    bool WriteChunk(std::FILE* file, const uint8_t* data, size_t size) override {
        if (++chunks == failAt_) {
            tmSaveFile::WriteChunk(file, data, size / 2);
            return false;
        }
        return tmSaveFile::WriteChunk(file, data, size);
    }

private:
    int failAt_;
};

}  // namespace

TEST_F(tmConfigTest, SavedDefaultsAreByteExactAndScrambled) {
    tmSaveFile file(path_);
    tmConfig cfg(&GuidA, &file);
    ASSERT_TRUE(cfg.Save());
    const std::vector<uint8_t> bytes = ReadFile(path_);
    ASSERT_EQ(bytes.size(), 144276u);

    // Anchors of the scrambled file.
    const uint8_t head[16] = {0x43, 0x3D, 0x78, 0x0B, 0x56, 0x3F, 0x64, 0x1B,
                              0x29, 0x4E, 0x1A, 0x6D, 0x29, 0x4B, 0x2A, 0x5D};
    EXPECT_EQ(0, std::memcmp(bytes.data(), head, 16));
    const uint8_t mode[4] = {0x10, 0x7C, 0x2A, 0x5D};
    EXPECT_EQ(0, std::memcmp(&bytes[16], mode, 4));
    const uint8_t time[4] = {0x66, 0xF1, 0x71, 0x5D};
    EXPECT_EQ(0, std::memcmp(&bytes[260], time, 4));

    // Every byte, unscrambled, equals the layout's defaults.
    std::vector<uint8_t> plain = bytes;
    const uint32_t key = tmConfig::kScrambleKey;
    ASSERT_TRUE(tmConfig::Scramble(&key, plain.data(), plain.size()));
    const std::vector<uint8_t> expected = ExpectedDefaults(kGuidA);
    for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(plain[i], expected[i]) << "offset " << i;
}

TEST_F(tmConfigTest, ScrambleLeavesTailAndRefusesEmpty) {
    const uint32_t key = 0x5D2A7C19;
    uint8_t buf[7] = {0, 0, 0, 0, 1, 2, 3};
    EXPECT_TRUE(tmConfig::Scramble(&key, buf, sizeof buf));
    const uint8_t want[7] = {0x19, 0x7C, 0x2A, 0x5D, 1, 2, 3};
    EXPECT_EQ(0, std::memcmp(buf, want, 7));
    EXPECT_FALSE(tmConfig::Scramble(&key, buf, 0));
}

TEST_F(tmConfigTest, RoundTripKeepsEveryChangedField) {
    tmSaveFile file(path_);
    tmConfig a(&GuidA, &file);
    a.SetVideoMode(15);
    a.SetShadowLevel(3);
    a.SetWindowed(0);
    a.SetBgmVolume(2);
    a.SetKeyAssign(8, 11);
    a.SetPlayerName("Racer");
    a.SetComment("hello");
    a.CountRace(true, true);
    a.UpdateRecord(70000, 3, 5, 2);
    a.UpdateCourseRecord(20000, 12, 7);
    a.Unlock(96);
    a.CountLobbyFrame();
    ASSERT_TRUE(a.Save());

    tmConfig b(&GuidB, &file);
    b.Load();
    EXPECT_EQ(0, std::memcmp(a.Image(), b.Image(), tmConfig::kImageSize));
    EXPECT_STREQ(b.GetGuid(), kGuidA);
    EXPECT_EQ(b.GetScreenWidth(), 1920);
    EXPECT_EQ(b.GetScreenHeight(), 1080);
    EXPECT_EQ(b.GetModeRecord(3, 5, 2), 70000);
    EXPECT_EQ(b.GetModeCourseRecord(12, 7), 20000);
    EXPECT_EQ(b.GetUnlockState(96), 1);
}

TEST_F(tmConfigTest, NoFileKeepsDefaultsAndWritesNothing) {
    tmSaveFile file(path_);
    tmConfig cfg(&GuidA, &file);
    cfg.Load();
    EXPECT_STREQ(cfg.GetGuid(), kGuidA);
    EXPECT_EQ(cfg.GetVideoMode(), 9);
    EXPECT_TRUE(ReadFile(path_).empty());
}

TEST_F(tmConfigTest, OversizedAndForeignFilesAreIgnored) {
    tmSaveFile file(path_);
    tmConfig src(&GuidA, &file);
    src.SetGameOption2(11);
    ASSERT_TRUE(src.Save());
    std::vector<uint8_t> bytes = ReadFile(path_);

    bytes.push_back(0);  // 144,277 bytes
    WriteFile(path_, bytes);
    tmConfig big(&GuidB, &file);
    big.Load();
    EXPECT_EQ(big.GetGameOption2(), 3);
    EXPECT_STREQ(big.GetGuid(), kGuidB);

    bytes.pop_back();
    bytes[3] ^= 1;  // wrong magic
    WriteFile(path_, bytes);
    tmConfig foreign(&GuidB, &file);
    foreign.Load();
    EXPECT_EQ(foreign.GetGameOption2(), 3);

    WriteFile(path_, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 15));  // shorter than the magic
    tmConfig tiny(&GuidB, &file);
    tiny.Load();
    EXPECT_EQ(tiny.GetGameOption2(), 3);
}

TEST_F(tmConfigTest, ShortFileLoadsLeadAndKeepsTailAsStored) {
    tmSaveFile file(path_);
    tmConfig src(&GuidA, &file);
    src.SetGameOption1(3);
    src.MarkSeen(96);
    ASSERT_TRUE(src.Save());
    std::vector<uint8_t> bytes = ReadFile(path_);
    bytes.resize(144275);
    WriteFile(path_, bytes);

    tmConfig cfg(&GuidB, &file);
    cfg.Load();
    EXPECT_EQ(cfg.GetGameOption1(), 3);
    EXPECT_STREQ(cfg.GetGuid(), kGuidA);
    // Trophy 96 = 2 scrambled in its first three bytes, its fourth the default 0.
    const uint8_t* tail = cfg.Image() + 144272;
    EXPECT_EQ(tail[0], 2 ^ 0x19);
    EXPECT_EQ(tail[1], 0x7C);
    EXPECT_EQ(tail[2], 0x2A);
    EXPECT_EQ(tail[3], 0);

    // An older, shorter layout keeps the defaults beyond its end.
    bytes.resize(300);
    WriteFile(path_, bytes);
    tmConfig old(&GuidB, &file);
    old.Load();
    EXPECT_EQ(old.GetGameOption1(), 3);
    EXPECT_EQ(old.GetUnlockState(96), 0);
}

TEST_F(tmConfigTest, EmptyGuidIsFilledAndSavedAtOnce) {
    tmSaveFile file(path_);
    tmConfig src(&GuidA, &file);
    std::vector<uint8_t> image(src.Image(), src.Image() + tmConfig::kImageSize);
    std::memset(&image[112], 0, 39);
    const uint32_t key = tmConfig::kScrambleKey;
    tmConfig::Scramble(&key, image.data(), image.size());
    WriteFile(path_, image);

    tmConfig cfg(&GuidB, &file);
    cfg.Load();
    EXPECT_STREQ(cfg.GetGuid(), kGuidB);
    tmConfig again(&GuidA, &file);
    again.Load();
    EXPECT_STREQ(again.GetGuid(), kGuidB);
}

TEST_F(tmConfigTest, FailedSaveKeepsPreviousFile) {
    tmSaveFile good(path_);
    tmConfig first(&GuidA, &good);
    first.SetGameOption2(7);
    ASSERT_TRUE(first.Save());

    FailingSaveFile bad(path_, 3);
    tmConfig second(&GuidB, &bad);
    second.SetGameOption2(15);
    EXPECT_FALSE(second.Save());
    EXPECT_GE(bad.chunks, 3);
    EXPECT_TRUE(ReadFile(path_ + ".tmp").empty());

    tmConfig reader(&GuidB, &good);
    reader.Load();
    EXPECT_EQ(reader.GetGameOption2(), 7);
    EXPECT_STREQ(reader.GetGuid(), kGuidA);
}

TEST_F(tmConfigTest, HostileValuesAreResetAndTextsTerminated) {
    tmSaveFile file(path_);
    tmConfig src(&GuidA, &file);
    std::vector<uint8_t> image(src.Image(), src.Image() + tmConfig::kImageSize);
    Put32(image, 16, 17);          // video mode
    Put32(image, 20, 0xFFFFFFFF);  // render target
    Put32(image, 28, 4);           // shadow
    Put32(image, 36, 3);           // distance
    Put32(image, 40, 6);           // frame time
    Put32(image, 72, 100);         // device
    Put32(image, 76 + 4 * 3, 16);  // BOOST button
    Put32(image, 76 + 4 * 8, 0x80000000u);
    Put32(image, 76 + 4 * 5, 15);                 // a valid one stays
    std::memset(&image[151], 'A', 17 + 17 + 41);  // names and comment unterminated
    const uint32_t key = tmConfig::kScrambleKey;
    tmConfig::Scramble(&key, image.data(), image.size());
    WriteFile(path_, image);

    tmConfig cfg(&GuidB, &file);
    cfg.Load();
    EXPECT_EQ(cfg.GetVideoMode(), 9);
    EXPECT_EQ(cfg.GetRenderTargetLevel(), 0);
    EXPECT_EQ(cfg.GetShadowLevel(), 0);
    EXPECT_EQ(cfg.GetDistanceLevel(), 0);
    EXPECT_EQ(cfg.GetRenderOption(), 0);
    EXPECT_EQ(cfg.GetKeyDevice(), 0);
    EXPECT_EQ(cfg.GetKeyAssign(3), 0);
    EXPECT_EQ(cfg.GetKeyAssign(8), 7);
    EXPECT_EQ(cfg.GetKeyAssign(5), 15);
    EXPECT_EQ(std::strlen(cfg.GetPlayerName()), 16u);
    EXPECT_EQ(std::strlen(cfg.GetTeamName()), 16u);
    EXPECT_EQ(std::strlen(cfg.GetComment()), 40u);
}

TEST_F(tmConfigTest, VideoOptionsFillTheRenderSettingsAndResetTouchesOnlyVideo) {
    tmSaveFile file(path_);
    tmConfig cfg(&GuidA, &file);
    cfg.SetVideoMode(0);
    cfg.SetWindowed(0);
    cfg.SetShadowLevel(3);
    cfg.SetRenderTargetLevel(2);
    cfg.SetEffectFlag(0);
    cfg.SetGameFlag3(1);
    std::vector<uint8_t> before(cfg.Image(), cfg.Image() + tmConfig::kImageSize);

    tmRenderSetting s;
    s.windowed = 9;
    cfg.FillRenderParams(s);
    EXPECT_EQ(s.width, 640u);
    EXPECT_EQ(s.height, 480u);
    EXPECT_EQ(s.windowed, 0);
    EXPECT_EQ(s.sceneTargetWidth, 1024u);
    EXPECT_EQ(s.sceneTargetHeight, 512u);
    EXPECT_EQ(s.workTargetWidth, 256u);
    EXPECT_EQ(s.shadowMapSize, 16u);
    EXPECT_EQ(s.shadows, 0);
    EXPECT_EQ(s.cubeTargetSize, 16u);
    EXPECT_EQ(s.environmentMap, 0);
    EXPECT_EQ(s.mirrorWidth, 256u);  // not a saved option: keeps its default
    EXPECT_EQ(s.mirrorHeight, 128u);

    cfg.ResetVideo(false);
    std::vector<uint8_t> after(cfg.Image(), cfg.Image() + tmConfig::kImageSize);
    for (size_t i = 0; i < after.size(); ++i) {
        if (i == 16 || i == 45) continue;
        ASSERT_EQ(before[i], after[i]) << "offset " << i;
    }
    EXPECT_EQ(cfg.GetVideoMode(), 9);
    EXPECT_EQ(cfg.IsWindowed(), 1);
    EXPECT_EQ(ReadFile(path_).size(), 144276u);

    cfg.ResetVideo(true);
    EXPECT_EQ(cfg.GetShadowLevel(), 0);
    EXPECT_EQ(cfg.GetEffectFlag(), 1);
    EXPECT_EQ(cfg.GetGameFlag3(), 0);
    EXPECT_EQ(cfg.GetGameFlag1(), 1);
}

TEST_F(tmConfigTest, RecordsImproveOnlyOnStrictlyBetterTimes) {
    tmConfig cfg(&GuidA);
    EXPECT_EQ(cfg.GetRecord(3, 4), tmConfig::kNoTime);
    EXPECT_TRUE(cfg.UpdateRecord(80000, 3, 4, 2));
    EXPECT_EQ(cfg.GetRecord(3, 4), 80000);
    EXPECT_EQ(cfg.GetModeRecord(3, 4, 2), 80000);
    EXPECT_FALSE(cfg.UpdateRecord(80000, 3, 4, 2));
    // Better only for another machine's own table.
    EXPECT_TRUE(cfg.UpdateRecord(85000, 3, 4, 5));
    EXPECT_EQ(cfg.GetRecord(3, 4), 80000);
    EXPECT_EQ(cfg.GetModeRecord(3, 4, 5), 85000);

    EXPECT_TRUE(cfg.UpdateCourseRecord(30000, 40, 1));
    EXPECT_EQ(cfg.GetCourseRecord(40), 30000);
    EXPECT_FALSE(cfg.UpdateCourseRecord(30001, 40, 1));

    // Indices outside the tables read as no time and are never written.
    EXPECT_FALSE(cfg.UpdateRecord(1, 64, 0, 0));
    EXPECT_FALSE(cfg.UpdateRecord(1, 0, 32, 0));
    EXPECT_FALSE(cfg.UpdateRecord(1, 0, 0, 16));
    EXPECT_FALSE(cfg.UpdateCourseRecord(1, -1, 0));
    EXPECT_EQ(cfg.GetRecord(-1, 0), tmConfig::kNoTime);
    EXPECT_EQ(cfg.GetModeCourseRecord(0, 99), tmConfig::kNoTime);
    EXPECT_EQ(cfg.GetRecord(0, 0), tmConfig::kNoTime);
}

TEST_F(tmConfigTest, NetworkStreakSurvivesOfflineLossesAndUnlocksNeedAValidIndex) {
    tmConfig cfg(&GuidA);
    cfg.CountRace(true, true);
    cfg.CountRace(true, false);
    EXPECT_EQ(cfg.GetWinStreak(), 2);
    EXPECT_EQ(cfg.GetOnlineWinStreak(), 1);
    cfg.CountRace(false, false);  // an offline loss keeps the network streak
    EXPECT_EQ(cfg.GetWinStreak(), 0);
    EXPECT_EQ(cfg.GetOnlineWinStreak(), 1);
    cfg.CountRace(false, true);
    EXPECT_EQ(cfg.GetOnlineWinStreak(), 0);
    EXPECT_EQ(cfg.GetRaceCount(), 4);
    EXPECT_EQ(cfg.GetWinCount(), 2);
    EXPECT_EQ(cfg.GetOnlineWinCount(), 1);

    cfg.MarkSeen(3);
    cfg.Unlock(3);
    EXPECT_EQ(cfg.GetUnlockState(3), 2);
    cfg.Unlock(4);
    EXPECT_EQ(cfg.GetUnlockState(4), 1);
    EXPECT_TRUE(cfg.IsUnlocked(4));
    cfg.Unlock(97);
    cfg.MarkSeen(-1);
    EXPECT_EQ(cfg.GetUnlockState(97), 0);
    EXPECT_EQ(cfg.GetKeyAssign(9), 0);
    cfg.SetKeyAssign(9, 3);
    cfg.SetKeyAssign(-1, 3);
    EXPECT_EQ(cfg.GetKeyAssign(0), -1);

    for (int i = 0; i < 3; ++i) cfg.CountFrame();
    EXPECT_EQ(cfg.GetFrameCount(), 3u);
}

TEST_F(tmConfigTest, CounterSaturatesAndTextSettersStayInField) {
    tmSaveFile file(path_);
    tmConfig cfg(&GuidA, &file);
    std::vector<uint8_t> image(cfg.Image(), cfg.Image() + tmConfig::kImageSize);
    Put32(image, 143884, 0xFFFFFFFF);
    const uint32_t key = tmConfig::kScrambleKey;
    tmConfig::Scramble(&key, image.data(), image.size());
    WriteFile(path_, image);
    cfg.Load();
    cfg.CountRaceFrame();
    EXPECT_EQ(cfg.GetRaceFrameCount(), 0xFFFFFFFFu);

    cfg.SetPlayerName("A very long player name indeed");
    EXPECT_STREQ(cfg.GetPlayerName(), "A very long play");
    EXPECT_STREQ(cfg.GetTeamName(), "No Team");  // the neighbour is untouched
    const char shortName[2] = {'Z', 0};          // a buffer shorter than the field
    cfg.SetTeamName(shortName);
    EXPECT_STREQ(cfg.GetTeamName(), "Z");
    EXPECT_EQ(cfg.Image()[168 + 16], 0);
    EXPECT_FLOAT_EQ(cfg.GetBgmVolumeScale(), 0.8f);
    cfg.SetDistanceLevel(1);
    EXPECT_FLOAT_EQ(cfg.GetDistanceFar(), 1500.0f);
}

// Each setter changes its own bytes, at the offset the save layout gives, and
// no other field's: the layout's names hold the file's numbers.
TEST(tmSaveImageLayout, EverySetterWritesOnlyItsOwnField) {
    struct Field {
        const char* name;
        size_t offset, size;
        std::function<void(tmConfig&)> set;
        size_t alsoOffset = 0, alsoSize = 0;  // a second field the setter writes
    };
    const std::vector<Field> fields = {
        {"video mode", 16, 4, [](tmConfig& c) { c.SetVideoMode(3); }},
        {"render target", 20, 4, [](tmConfig& c) { c.SetRenderTargetLevel(2); }},
        {"effect", 24, 1, [](tmConfig& c) { c.SetEffectFlag(0); }},
        {"shadow", 28, 4, [](tmConfig& c) { c.SetShadowLevel(3); }},
        {"video flag", 32, 1, [](tmConfig& c) { c.SetVideoFlag(0); }},
        {"distance", 36, 4, [](tmConfig& c) { c.SetDistanceLevel(2); }},
        {"frame time", 40, 4, [](tmConfig& c) { c.SetRenderOption(5); }},
        {"display", 44, 1, [](tmConfig& c) { c.SetDisplayFlag(1); }},
        {"windowed", 45, 1, [](tmConfig& c) { c.SetWindowed(0); }},
        {"music", 48, 4, [](tmConfig& c) { c.SetBgmVolume(2); }},
        {"effects", 52, 4, [](tmConfig& c) { c.SetSeVolume(3); }},
        {"game option 1", 56, 4, [](tmConfig& c) { c.SetGameOption1(3); }},
        {"game option 2", 60, 4, [](tmConfig& c) { c.SetGameOption2(15); }},
        {"game flag 1", 64, 1, [](tmConfig& c) { c.SetGameFlag1(0); }},
        {"game flag 2", 65, 1, [](tmConfig& c) { c.SetGameFlag2(1); }},
        {"game flag 3", 66, 1, [](tmConfig& c) { c.SetGameFlag3(0); }},
        {"game option 3", 68, 4, [](tmConfig& c) { c.SetGameOption3(2); }},
        {"key device", 72, 4, [](tmConfig& c) { c.SetKeyDevice(3); }},
        {"key assign 8", 76 + 32, 4, [](tmConfig& c) { c.SetKeyAssign(8, 12); }},
        {"player name", 151, 17, [](tmConfig& c) { c.SetPlayerName("Sixteen letters!"); }},
        {"team name", 168, 17, [](tmConfig& c) { c.SetTeamName("Another sixteen."); }},
        {"comment", 185, 41, [](tmConfig& c) { c.SetComment("A comment that fills forty bytes exactly"); }},
        {"profile value 1", 252, 4, [](tmConfig& c) { c.SetProfileValue1(7); }},
        {"profile value 2", 256, 4, [](tmConfig& c) { c.SetProfileValue2(99); }},
        {"lap time, course 63", 8452 + 4 * 63, 4, [](tmConfig& c) { c.UpdateCourseRecord(1000, 63, 1); },
         8708 + 8448 + 8192 + 4 * 63, 4},  // and machine 1's own lap time
        {"frames", 143876, 4, [](tmConfig& c) { c.CountFrame(); }},
        {"lobby frames", 143880, 4, [](tmConfig& c) { c.CountLobbyFrame(); }},
        {"race frames", 143884, 4, [](tmConfig& c) { c.CountRaceFrame(); }},
        {"trophy 96", 143888 + 4 * 96, 4, [](tmConfig& c) { c.Unlock(96); }},
    };
    for (const Field& f : fields) {
        tmConfig config(&GuidA);
        const std::vector<uint8_t> before(config.Image(), config.Image() + tmConfig::kImageSize);
        f.set(config);
        bool changed = false;
        for (size_t i = 0; i < tmConfig::kImageSize; ++i) {
            const bool inside =
                (i >= f.offset && i < f.offset + f.size) || (i >= f.alsoOffset && i < f.alsoOffset + f.alsoSize);
            if (config.Image()[i] != before[i]) {
                EXPECT_TRUE(inside) << f.name << " changed byte " << i;
                changed = true;
            }
        }
        EXPECT_TRUE(changed) << f.name;
    }
    // Machine 15's lap time on course 63: the last word of the record blocks.
    tmConfig config(&GuidA);
    config.UpdateCourseRecord(1000, 63, 15);
    EXPECT_EQ(config.Image()[143876 - 4], 1000 & 0xFF);
}
