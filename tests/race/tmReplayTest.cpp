// tmReplayTest.cpp -- recording and saving, loading for watching and for a ghost, playback records,
// the replay folder listing and the demo's random pick.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "app/tmConfig.h"
#include "harness/WorkFolder.h"
#include "machine/tmMachineCore.h"
#include "race/tmRaceState.h"
#include "race/tmReplay.h"
#include "sys/base/tmFile.h"
#include "sys/base/tmRandom.h"

namespace {

const std::string kLatest = "./replay/QUVASE_REP0220_LATEST.dat";

tmEntrant Entrant(uint32_t machine, uint32_t type, uint32_t id, const char* driver) {
    tmEntrant e;
    e.machineId = machine;
    e.controllerType = type;
    e.entrantId = id;
    std::strncpy(e.driverName, driver, kRaceNameSize - 1);
    return e;
}

class ReplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.Ok());
        tmConfig::GetInstance().SetPlayerName("Ann");
        race_.setup = tmRaceSetup();
        for (int i = 0; i < kRaceEntrants; ++i) race_.entrants[i] = tmEntrant();
        tmRandom::Create()->SetSeed(7);
    }
    void TearDown() override {
        race_.setup = tmRaceSetup();
        tmRandom::Destroy();
    }

    // Records `frames` frames of `count` machines: machine e of frame f stands at (100 f + e, 0, -f).
    void Record(tmReplay& r, const tmRaceSetup& setup, uint32_t count, uint32_t frames) {
        r.ResetRecording();
        r.SetRaceSetup(setup);
        for (uint32_t e = 0; e < count; ++e)
            r.SetEntrant(static_cast<int>(e), Entrant(1 + e, e ? kControllerComputer : kControllerPlayer, e, "D"));
        tmMachineCore core;
        for (uint32_t f = 0; f < frames; ++f) {
            for (uint32_t e = 0; e < count; ++e) {
                core.position = D3DXVECTOR3(100.0f * f + e, 5.0f, -1.0f * f);
                core.rotation.y = 0.01f * e;
                core.bodyMode = e % 4;
                core.control.steering = 0.5f;
                core.control.boost = f == 3;
                r.RecordFrame(core, f);
            }
        }
    }

    static tmRaceSetup Setup(uint32_t mode, uint32_t count, uint32_t course = 5, uint32_t laps = 3) {
        tmRaceSetup s;
        s.course = course;
        s.mode = mode;
        s.count = count;
        s.laps = laps;
        s.difficulty = 2;
        return s;
    }

    harness::WorkFolder folder_;
    tmRaceState& race_ = tmRaceState::Get();
};

TEST_F(ReplayTest, SavedRecordingReadsBackAsTheSameReplay) {
    tmReplay r;
    Record(r, Setup(kRaceModeCup, 3), 3, 10);
    r.RecordingHeader().totalMs = 98765;
    r.RecordingHeader().bestLapMs = 32100;
    EXPECT_EQ(r.GetRecordCount(), 30u);
    EXPECT_EQ(r.RecordingHeader().lastFrame, 9u);
    ASSERT_TRUE(r.Save(false));  // the folder is made on the way
    EXPECT_EQ(folder_.Read(kLatest).size(), 936u + 36u * 30u);

    tmReplayHeader h;
    ASSERT_TRUE(tmReplay::ReadHeader(kLatest.c_str(), &h));
    EXPECT_EQ(h.totalMs, 98765u);
    EXPECT_EQ(h.bestLapMs, 32100u);
    EXPECT_STREQ(h.playerName, "Ann");
    EXPECT_EQ(h.setup.count, 3u);
    EXPECT_EQ(h.creationTime, r.RecordingHeader().creationTime);

    race_.setup.mode = kRaceModeReplay;
    tmReplay p;
    ASSERT_TRUE(p.Load(kLatest.c_str(), false));
    EXPECT_EQ(race_.setup.mode, (uint32_t)kRaceModeReplay);  // the header takes the current mode
    EXPECT_EQ(p.PlaybackHeader().setup.mode, (uint32_t)kRaceModeReplay);
    EXPECT_EQ(race_.setup.course, 5u);
    EXPECT_EQ(race_.setup.count, 3u);
    EXPECT_EQ(race_.setup.difficulty, 2u);
    for (int e = 0; e < 3; ++e) {
        EXPECT_EQ(race_.entrants[e].controllerType, (uint32_t)kControllerReplay);
        EXPECT_EQ(race_.entrants[e].machineId, 1u + e);
    }
    // Every frame's records in entrant order, then nothing past the end.
    for (uint32_t f = 0; f < 10; ++f) {
        p.frameIndex = f;
        for (int e = 0; e < 3; ++e) {
            const tmReplayRecord* rec = p.GetPlaybackRecord(e);
            ASSERT_NE(rec, nullptr);
            EXPECT_EQ(rec->x, 100.0f * f + e);
            EXPECT_EQ(rec->z, -1.0f * f);
            EXPECT_EQ(rec->frame, f);
            EXPECT_EQ(rec->bodyMode, uint32_t(e % 4));
            EXPECT_EQ(rec->control.boost, f == 3 ? 1 : 0);
        }
        EXPECT_EQ(p.GetPlaybackRecord(3), nullptr);
        EXPECT_EQ(p.GetPlaybackRecord(-1), nullptr);
    }
    p.frameIndex = 10;
    EXPECT_EQ(p.GetPlaybackRecord(0), nullptr);
}

TEST_F(ReplayTest, DeclinedSavesOverwriteLatestAndConfirmedOnesKeepADatedFile) {
    tmReplay r;
    Record(r, Setup(kRaceModeSingle, 1), 1, 4);
    ASSERT_TRUE(r.Save(false));
    Record(r, Setup(kRaceModeSingle, 1), 1, 2);
    ASSERT_TRUE(r.Save(false));
    EXPECT_EQ(folder_.Read(kLatest).size(), 936u + 2u * 36u);  // only the last race

    r.RecordingHeader().creationTime = 1700000000;
    const std::string dated = tmReplay::MakeFileName(1700000000).GetString();
    EXPECT_EQ(r.SavePath(true), dated);
    ASSERT_TRUE(r.Save(true));
    EXPECT_TRUE(folder_.Exists(dated));
    EXPECT_EQ(folder_.Read(dated), r.SaveImage());
}

TEST_F(ReplayTest, AFailedSaveIsReportedAndKeepsThePreviousFile) {
    tmReplay r;
    Record(r, Setup(kRaceModeSingle, 1), 1, 3);
    ASSERT_TRUE(r.Save(false));
    const std::string before = folder_.Read(kLatest);
    // The temporary cannot be made: a folder stands in its place.
    ASSERT_TRUE(tmMakeFolder((kLatest + ".tmp").c_str()));
    Record(r, Setup(kRaceModeSingle, 1), 1, 9);
    EXPECT_FALSE(r.Save(false));
    EXPECT_EQ(folder_.Read(kLatest), before);

    // No replay folder can be made where a file has the name.
    harness::WorkFolder other;
    ASSERT_TRUE(tmFileReplace("replay", "x", 1));
    EXPECT_FALSE(r.Save(true));
}

TEST_F(ReplayTest, MakeFileNameUsesTheLocalDate) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_STREQ(tmReplay::MakeFileName(1700000000).GetString(), "./replay/QUVASE_REP0220_20231114221320.dat");
    EXPECT_STREQ(tmReplay::MakeFileName(0).GetString(), "./replay/QUVASE_REP0220_19700101000000.dat");
    tmReplayDate d{};
    EXPECT_TRUE(tmReplayLocalDate(951782400, &d));  // a leap day
    EXPECT_EQ(d.month, 2);
    EXPECT_EQ(d.day, 29);
    // A time the calendar cannot hold in four digits has no date; the name carries zeros.
    EXPECT_FALSE(tmReplayLocalDate(INT64_MAX, &d));
    EXPECT_FALSE(tmReplayLocalDate(400000000000ll, &d));
    EXPECT_STREQ(tmReplay::MakeFileName(INT64_MAX).GetString(), "./replay/QUVASE_REP0220_00000000000000.dat");
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST_F(ReplayTest, AGhostRaceAddsTheRecordedPlayerAsEntrantOneAndRecordsOnlyThePlayer) {
    tmReplay r;
    Record(r, Setup(kRaceModeSingle, 1, 8, 5), 1, 6);
    ASSERT_TRUE(r.Save(false));

    race_.setup = Setup(kRaceModeGhost, 1, 3, 3);
    race_.entrants[0] = Entrant(9, kControllerPlayer, 0, "Me");
    tmReplay p;
    ASSERT_TRUE(p.Load(kLatest.c_str(), true));
    EXPECT_TRUE(p.IsGhost());
    EXPECT_EQ(race_.setup.mode, (uint32_t)kRaceModeGhost);
    EXPECT_EQ(race_.setup.count, 2u);
    EXPECT_EQ(race_.setup.course, 8u);
    EXPECT_EQ(race_.setup.laps, 5u);
    EXPECT_EQ(race_.setup.local, 0u);
    EXPECT_EQ(race_.entrants[0].machineId, 9u);  // the player as the menus set it
    EXPECT_EQ(race_.entrants[1].machineId, 1u);
    EXPECT_EQ(race_.entrants[1].controllerType, (uint32_t)kControllerReplay);
    EXPECT_EQ(p.PlaybackHeader().setup.count, 1u);  // records stay one per frame
    p.frameIndex = 4;
    ASSERT_NE(p.GetPlaybackRecord(0), nullptr);
    EXPECT_EQ(p.GetPlaybackRecord(0)->x, 400.0f);

    // The ghost race's own recording is a single race of the player alone.
    p.SetRaceSetup(race_.setup);
    EXPECT_EQ(p.RecordingHeader().setup.mode, (uint32_t)kRaceModeSingle);
    EXPECT_EQ(p.RecordingHeader().setup.count, 1u);
    EXPECT_EQ(p.RecordingHeader().setup.course, 8u);

    // A replay of several machines is no ghost: refused, and the player's set-up stays.
    Record(r, Setup(kRaceModeCup, 3), 3, 2);
    ASSERT_TRUE(r.Save(false));
    race_.setup = Setup(kRaceModeGhost, 1, 3, 3);
    EXPECT_FALSE(p.Load(kLatest.c_str(), true));
    EXPECT_FALSE(p.IsLoaded());
    EXPECT_EQ(race_.setup.count, 1u);
    EXPECT_EQ(p.GetPlaybackRecord(0), nullptr);
}

TEST_F(ReplayTest, ATruncatedReplayPlaysOnlyItsRecords) {
    tmReplay r;
    Record(r, Setup(kRaceModeCup, 2), 2, 20);
    std::string image = r.SaveImage();
    image.resize(936 + 36 * 15 + 10);  // seven and a half frames survive
    race_.setup.mode = kRaceModeReplay;
    tmReplay p;
    ASSERT_TRUE(p.LoadImage(image, false, "cut.dat"));
    EXPECT_EQ(p.GetPlaybackRecordCount(), 15u);
    EXPECT_EQ(p.GetPlaybackFrames(), 7u);
    EXPECT_EQ(p.PlaybackHeader().lastFrame, 7u);
    p.frameIndex = 6;
    EXPECT_NE(p.GetPlaybackRecord(1), nullptr);
    p.frameIndex = 7;
    EXPECT_EQ(p.GetPlaybackRecord(0), nullptr);  // the half frame is not played
    EXPECT_EQ(p.GetPlaybackRecord(1), nullptr);

    // Unreadable, short and foreign files are refused and leave nothing loaded.
    EXPECT_FALSE(p.Load("./replay/none.dat", false));
    EXPECT_FALSE(p.IsLoaded());
    EXPECT_EQ(p.GetPlaybackRecordCount(), 0u);
    EXPECT_FALSE(p.LoadImage(image.substr(0, 900), false, "short.dat"));
    std::string foreign = image;
    foreign[0] = 'X';
    EXPECT_FALSE(p.LoadImage(foreign, false, "foreign.dat"));
    EXPECT_FALSE(p.LoadImage(std::string(), false, nullptr));
}

TEST_F(ReplayTest, RecordingStopsAtItsCapacity) {
    tmReplay r;
    tmMachineCore core;
    for (uint32_t f = 0; f < kReplayRecordCapacity; ++f) r.RecordFrame(core, f);
    EXPECT_EQ(r.RecordingHeader().lastFrame, kReplayRecordCapacity - 1);
    core.position.x = 1.0f;
    r.RecordFrame(core, kReplayRecordCapacity);
    EXPECT_EQ(r.GetRecordCount(), kReplayRecordCapacity);
    EXPECT_EQ(r.RecordingHeader().recordCount, kReplayRecordCapacity);
    EXPECT_EQ(r.RecordingHeader().lastFrame, kReplayRecordCapacity - 1);  // later frames are lost
    EXPECT_EQ(r.GetRecording(kReplayRecordCapacity - 1)->x, 0.0f);
    r.ResetRecording();
    EXPECT_EQ(r.GetRecordCount(), 0u);
    EXPECT_EQ(r.RecordingHeader().recordCount, 0u);
}

// ---- the replay folder ----

class ReplayFolderTest : public ReplayTest {
protected:
    // Saves a one-machine replay whose total marks it, under a name of the folder.
    void Put(const std::string& name, uint32_t total, uint32_t course = 5) {
        tmReplay r;
        Record(r, Setup(kRaceModeSingle, 1, course), 1, 2);
        r.RecordingHeader().totalMs = total;
        const std::string image = r.SaveImage();
        tmMakeFolder("replay");
        ASSERT_TRUE(tmFileReplace(("./replay/" + name).c_str(), image.data(), image.size()));
    }
};

TEST_F(ReplayFolderTest, ListingGoesFromTheBackAndSkipsWhatIsNotAReplay) {
    tmArray<tmReplayHeader> headers;
    tmArray<sys::tmVariant> names;
    EXPECT_FALSE(tmReplay::ListReplays(&headers, &names));  // no folder
    tmMakeFolder("replay");
    EXPECT_FALSE(tmReplay::ListReplays(&headers, &names));  // empty folder

    Put("QUVASE_REP0220_20240101000000.dat", 1);
    Put("QUVASE_REP0220_20250101000000.dat", 2);
    Put("QUVASE_REP0220_LATEST.dat", 3);
    Put("other.dat", 4);                              // no pattern in its name
    Put("copy of QUVASE_REP0220.dat", 5);             // the pattern anywhere in the name
    Put("QUVASE_REP0220_LATEST.dat.tmp", 6);          // a replacement cut short
    Put("QUVASE_REP0220_20230101000000.dat", 7, 14);  // fails the checks
    ASSERT_TRUE(tmFileReplace("./replay/QUVASE_REP0220_short.dat", "QUVASE", 6));
    ASSERT_TRUE(tmMakeFolder("./replay/QUVASE_REP0220_folder"));

    ASSERT_TRUE(tmReplay::ListReplays(&headers, &names));
    ASSERT_EQ(headers.GetCount(), 4);
    ASSERT_EQ(names.GetCount(), 4);
    // Names in byte order, read from the last: lower case after upper, "_LATEST" after the dates.
    const uint32_t totals[] = {5, 3, 2, 1};
    const char* paths[] = {"./replay/copy of QUVASE_REP0220.dat", "./replay/QUVASE_REP0220_LATEST.dat",
                           "./replay/QUVASE_REP0220_20250101000000.dat", "./replay/QUVASE_REP0220_20240101000000.dat"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(headers[i].totalMs, totals[i]) << i;
        EXPECT_STREQ(names[i].GetString(), paths[i]) << i;
    }
    // Headers alone.
    tmArray<tmReplayHeader> only;
    EXPECT_TRUE(tmReplay::ListReplays(&only, nullptr));
    EXPECT_EQ(only.GetCount(), 4);
}

TEST_F(ReplayFolderTest, ListingExaminesAtMost5120Files) {
    tmReplay r;
    Record(r, Setup(kRaceModeSingle, 1), 1, 0);
    const std::string image = r.SaveImage();
    tmMakeFolder("replay");
    for (int i = 0; i < kReplayListCapacity + 3; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "./replay/QUVASE_REP0220_%05d.dat", i);
        auto f = platform::File::Open(name, platform::File::Mode::Write);  // no sync: thousands of files
        ASSERT_TRUE(f && f->Write(image.data(), image.size()));
    }
    tmArray<tmReplayHeader> headers;
    tmArray<sys::tmVariant> names;
    ASSERT_TRUE(tmReplay::ListReplays(&headers, &names));
    EXPECT_EQ(headers.GetCount(), kReplayListCapacity);
    EXPECT_STREQ(names[0].GetString(), "./replay/QUVASE_REP0220_05122.dat");  // from the back
    EXPECT_STREQ(names[kReplayListCapacity - 1].GetString(), "./replay/QUVASE_REP0220_00003.dat");
}

TEST_F(ReplayFolderTest, TheDemoPicksAnyListedReplayLatestIncluded) {
    tmReplay p;
    EXPECT_FALSE(p.LoadRandom());  // nothing to pick
    EXPECT_FALSE(p.IsLoaded());

    Put("QUVASE_REP0220_20240101000000.dat", 1, 4);
    Put("QUVASE_REP0220_LATEST.dat", 2, 6);
    race_.setup.mode = kRaceModeDemo;
    bool seen[3] = {};
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(p.LoadRandom());
        EXPECT_FALSE(p.IsGhost());
        EXPECT_EQ(race_.setup.mode, (uint32_t)kRaceModeDemo);
        EXPECT_EQ(race_.entrants[0].controllerType, (uint32_t)kControllerReplay);
        seen[p.PlaybackHeader().totalMs] = true;
        EXPECT_EQ(race_.setup.course, p.PlaybackHeader().totalMs == 1 ? 4u : 6u);
    }
    EXPECT_TRUE(seen[1]);
    EXPECT_TRUE(seen[2]);
}

TEST_F(ReplayFolderTest, TheMainMenusDemoLeavesTheModeAloneWhenThereIsNothingToPlay) {
    tmReplay p;
    race_.setup.mode = kRaceModeCup;
    EXPECT_FALSE(p.StartDemo());
    EXPECT_EQ(race_.setup.mode, (uint32_t)kRaceModeCup);
    Put("QUVASE_REP0220_LATEST.dat", 5, 9);
    EXPECT_TRUE(p.StartDemo());
    EXPECT_EQ(race_.setup.mode, (uint32_t)kRaceModeDemo);
    EXPECT_EQ(race_.setup.course, 9u);
    EXPECT_EQ(p.PlaybackHeader().setup.mode, (uint32_t)kRaceModeDemo);
}

TEST_F(ReplayTest, TheObjectIsTheMachinesReplaySource) {
    EXPECT_EQ(tmReplay::Get(), nullptr);
    tmReplay* r = tmReplay::Create();
    EXPECT_EQ(tmReplay::Create(), r);
    EXPECT_EQ(tmReplaySource::Get(), r);
    EXPECT_EQ(r->GetPlaybackRecord(0), nullptr);  // nothing loaded
    tmReplay::Destroy();
    EXPECT_EQ(tmReplay::Get(), nullptr);
    EXPECT_EQ(tmReplaySource::Get(), nullptr);
}

}  // namespace
