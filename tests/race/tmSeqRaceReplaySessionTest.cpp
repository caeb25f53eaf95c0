// tmSeqRaceReplaySessionTest.cpp -- replays through the real screens, headless: races recorded and saved
// from the save window, watched to their last frame, truncated, raced as a ghost and picked for the demo.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/tmConfig.h"
#include "harness/Harness.h"
#include "harness/RaceRoad.h"
#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "menu/tmMenuFlow.h"
#include "platform/fs/FileSystem.h"
#include "race/tmRaceState.h"
#include "race/tmReplay.h"
#include "race/tmSeqRace.h"
#include "sys/base/tmFile.h"
#include "sys/input/tmInputActions.h"
#include "sys/render/tmRender.h"
#include "sys/sound/tmSoundIds.h"
#include "table/CourseTable.h"

namespace {

const char kLatest[] = "./replay/QUVASE_REP0220_LATEST.dat";

std::string ReadFile(const std::string& path) {
    std::string bytes;
    tmFileLoad(&bytes, path.c_str());
    return bytes;
}

void WriteReplay(const std::string& path, const std::string& bytes) {
    tmMakeFolder("replay");
    ASSERT_TRUE(tmFileReplace(path.c_str(), bytes.data(), bytes.size()));
}

// The computer drives every entrant, the local one too, so a race runs without a pad.
tmEntrant Computer(uint32_t machine, uint32_t id) {
    tmEntrant e;
    e.machineId = machine;
    e.controllerType = kControllerComputer;
    e.entrantId = id;
    return e;
}

void SetUpRace(uint32_t mode, uint32_t course, std::initializer_list<uint32_t> machines) {
    tmRaceState& rs = tmRaceState::Get();
    rs.setup = tmRaceSetup();
    rs.setup.mode = mode;
    rs.setup.course = course;
    rs.setup.count = static_cast<uint32_t>(machines.size());
    rs.setup.laps = 1;
    uint32_t i = 0;
    for (uint32_t m : machines) {
        rs.SetEntrant(static_cast<int>(i), Computer(m, i));
        ++i;
    }
}

// A finishing position as the race state keeps it.
struct Result {
    uint32_t entrant, finished, laps, timeMs;
    bool operator==(const Result& o) const {
        return entrant == o.entrant && finished == o.finished && laps == o.laps && timeMs == o.timeMs;
    }
};

std::vector<Result> Results() {
    const tmRaceState& rs = tmRaceState::Get();
    std::vector<Result> out;
    for (uint32_t p = 0; p < rs.setup.count; ++p)
        out.push_back({rs.results[p].entrantIndex, rs.results[p].finished, rs.results[p].laps, rs.results[p].timeMs});
    return out;
}

// A session of the game, headless, that starts at the loading screen with the race state as set.
std::unique_ptr<harness::Session> Open() {
    harness::SessionSetup setup;
    setup.runData = true;
    setup.firstScreen = kSeqLoading;
    auto s = std::make_unique<harness::Session>(setup);
    tmMenuFlow::SetNormalPlay(true);
    tmConfig::GetInstance().SetGameOption2(1);
    return s;
}

// Counts, frame by frame while the race screen runs, the replayed machines (controller type 2)
// that stand elsewhere than the playback record of the frame they just ran. `ghost` reads entrant
// 0 of the file for every replayed machine.
class PoseWatch {
public:
    void AfterFrame(harness::Session& s, bool ghost = false) {
        tmSeqRace* race = harness::LiveRace(s);
        const tmReplay* replay = tmReplay::Get();
        if (!race || !replay || replay->frameIndex == 0 || replay->frameIndex == lastIndex_) return;
        lastIndex_ = replay->frameIndex;
        for (int e = 0; e < kRaceEntrants; ++e) {
            const tmMachine* m = race->GetMachine(e);
            if (!m || m->GetCore()->controllerType != kControllerReplay) continue;
            const tmReplayRecord* r = replay->GetPlaybackRecordAt(replay->frameIndex - 1, ghost ? 0 : e);
            if (!r) continue;
            ++checked;
            const tmMachineCore* c = m->GetCore();
            if (c->position.x != r->x || c->position.z != r->z || std::fabs(c->rotation.y - r->yaw) > 1e-6f)
                ++mismatches;
        }
    }
    int checked = 0;
    int mismatches = 0;

private:
    uint32_t lastIndex_ = 0;
};

}  // namespace

// A cup race recorded through the race screen and kept from the save window; watched from its
// file (mode 2) the machines stand at the file's poses every frame, finish as the live race did,
// and the viewing ends at the file's last frame, back to the replay select. A truncated copy
// plays only the frames it holds.
TEST(ReplaySession, ASavedCupRaceIsWatchedFromItsFileToItsLastFrame) {
    std::string image;
    std::vector<Result> live;
    {
        auto s = Open();
        SetUpRace(kRaceModeCup, 3, {4, 1, 7, 10});
        ASSERT_TRUE(s->Start());
        ASSERT_TRUE(s->RunUntil([&] { return harness::RacePhase(*s) == tmSeqRace::kResults; }, 6000));
        live = Results();
        EXPECT_TRUE(live[0].finished);
        ASSERT_TRUE(harness::ConfirmPanelsUntil(*s, tmSeqRace::kSaveReplay, 1500));
        s->TapKey(tmKey::kUp);
        s->TapKey(tmKey::kReturn);  // keep it
        ASSERT_TRUE(s->RunUntil([&] { return harness::RacePhase(*s) == tmSeqRace::kFadeOut; }, 60));
        const std::string dated = tmReplay::Get()->SavePath(true);
        image = ReadFile(dated);
        ASSERT_GT(image.size(), 936u);
        EXPECT_FALSE(platform::FileExists(kLatest));  // kept under its date only
    }
    tmReplayHeader header;
    ASSERT_EQ(ReadReplayHeader(reinterpret_cast<const uint8_t*>(image.data()), image.size(),
                               static_cast<int64_t>(image.size()), &header, nullptr),
              "");
    EXPECT_EQ(header.setup.mode, (uint32_t)kRaceModeCup);
    EXPECT_EQ(header.setup.count, 4u);  // a cup records every machine
    EXPECT_EQ(image.size(), 936u + 36u * header.recordCount);
    EXPECT_EQ(header.recordCount, 4u * (header.lastFrame + 1));
    EXPECT_LT(header.totalMs, kNoTimeMs);

    {
        auto s = Open();
        WriteReplay("./replay/watch.dat", image);
        tmRaceState::Get().setup.mode = kRaceModeReplay;  // as the replay select leaves it
        ASSERT_TRUE(tmReplay::Create()->Load("./replay/watch.dat", false));
        ASSERT_TRUE(s->Start());
        PoseWatch watch;
        std::vector<Result> watched;
        uint32_t endFrame = 0;
        for (int i = 0; i < 8000 && harness::RacePhase(*s) != tmSeqRace::kFadeOut; ++i) {
            s->Frame();
            watch.AfterFrame(*s);
            if (watched.empty() && harness::RacePhase(*s) == tmSeqRace::kResults) watched = Results();
        }
        ASSERT_EQ(harness::RacePhase(*s), tmSeqRace::kFadeOut);
        endFrame = tmReplay::Get()->frameIndex;
        // The viewing ends at the file's last frame: the phase turns in the step that reaches it,
        // whose simulation still runs.
        EXPECT_EQ(endFrame, header.lastFrame + 1);
        EXPECT_GT(watch.checked, static_cast<int>(header.recordCount) - 8);
        EXPECT_EQ(watch.mismatches, 0);
        EXPECT_EQ(watched, live);
        EXPECT_EQ(tmConfig::GetInstance().GetRaceCount(), 0);                             // watching counts no race
        EXPECT_EQ(tmConfig::GetInstance().GetRecord(1, 3), static_cast<int>(kNoTimeMs));  // nor sets records
        ASSERT_TRUE(s->RunUntil([&] { return s->CurrentId() == kSeqReplaySelect; }, 60));
        EXPECT_EQ(harness::ScreenTrace(*s), (std::vector<int>{kSeqLoading, kSeqRace, kSeqReplaySelect}));
    }
    {
        // A third of the file survives: the viewing plays those frames and ends with them.
        auto s = Open();
        const uint32_t frames = (header.lastFrame + 1) / 3;
        WriteReplay("./replay/cut.dat", image.substr(0, 936 + 36 * 4 * frames + 20));
        tmRaceState::Get().setup.mode = kRaceModeReplay;
        ASSERT_TRUE(tmReplay::Create()->Load("./replay/cut.dat", false));
        EXPECT_EQ(tmReplay::Get()->PlaybackHeader().lastFrame, frames);
        ASSERT_TRUE(s->Start());
        PoseWatch watch;
        ASSERT_TRUE(s->RunUntil(
            [&] {
                watch.AfterFrame(*s);
                return harness::RacePhase(*s) == tmSeqRace::kFadeOut;
            },
            8000));
        EXPECT_EQ(tmReplay::Get()->frameIndex, frames);
        EXPECT_EQ(watch.mismatches, 0);
        EXPECT_GT(watch.checked, static_cast<int>(4 * frames) - 8);
    }
}

// A cup race on course 1, whose layout has no replay camera lists, run to its save window: the
// replay camera takes over at the results with a move of its own, and the renderer drops no matrix.
TEST(ReplaySession, TheResultsReplayCameraHandsTheRendererNoBadMatrix) {
    auto s = Open();
    SetUpRace(kRaceModeCup, 1, {4, 1, 7, 10});
    ASSERT_TRUE(s->Start());
    ASSERT_TRUE(harness::ConfirmPanelsUntil(*s, tmSeqRace::kSaveReplay, 6000));
    ASSERT_NE(tmRender::GetInstance(), nullptr);
    EXPECT_EQ(tmRender::GetInstance()->GetDroppedMatrices(), 0u);
}

// The save window of a single race: declined it writes "_LATEST", accepted the dated name, and a
// replay that cannot be written is told with the warning sound. The kept single race is then raced
// as a ghost (mode 4): the ghost stands where the file says, and the ghost race records the new
// player alone, as a single race.
TEST(ReplaySession, SaveWindowThenAGhostRaceAgainstTheKeptReplay) {
    std::string kept;
    {
        auto s = Open();
        SetUpRace(kRaceModeSingle, 3, {6});
        ASSERT_TRUE(s->Start());
        ASSERT_TRUE(harness::ConfirmPanelsUntil(*s, tmSeqRace::kSaveReplay, 6000));
        s->TapKey(tmKey::kReturn);  // no: "_LATEST" only
        ASSERT_TRUE(s->RunUntil([&] { return harness::RacePhase(*s) == tmSeqRace::kPostRace; }, 40));
        // The race goes on recording under the post-race menu; the file holds what was there at the answer.
        const std::string latest = ReadFile(kLatest);
        tmReplayHeader h;
        ASSERT_TRUE(tmReplay::ReadHeader(kLatest, &h));
        EXPECT_EQ(latest.size(), 936u + 36u * h.recordCount);
        EXPECT_EQ(h.recordCount, h.lastFrame + 1);
        EXPECT_LT(h.recordCount, tmReplay::Get()->GetRecordCount());
        EXPECT_EQ(h.setup.mode, (uint32_t)kRaceModeSingle);
        EXPECT_EQ(h.setup.count, 1u);
        EXPECT_EQ(h.entrants[0].machineId, 6u);
        EXPECT_EQ(h.totalMs, tmRaceState::Get().results[0].timeMs);
        EXPECT_GT(h.bestLapMs, 0u);
        EXPECT_LE(h.bestLapMs, h.totalMs);

        for (int i = 0; i < 12; ++i) s->Frame();
        s->TapKey(tmKey::kReturn);  // retry
        ASSERT_TRUE(s->RunUntil([&] { return harness::RacePhase(*s) == tmSeqRace::kFadeIn; }, 60));
        ASSERT_TRUE(harness::ConfirmPanelsUntil(*s, tmSeqRace::kSaveReplay, 6000));
        s->TapKey(tmKey::kUp);
        s->TapKey(tmKey::kReturn);  // yes: the dated name
        ASSERT_TRUE(s->RunUntil([&] { return harness::RacePhase(*s) == tmSeqRace::kPostRace; }, 40));
        const std::string dated = tmReplay::Get()->SavePath(true);
        EXPECT_EQ(dated, tmReplay::MakeFileName(tmReplay::Get()->RecordingHeader().creationTime).GetString());
        kept = ReadFile(dated);
        tmReplayHeader k;
        ASSERT_TRUE(tmReplay::ReadHeader(dated.c_str(), &k));
        EXPECT_EQ(k.creationTime, tmReplay::Get()->RecordingHeader().creationTime);
        EXPECT_EQ(kept.size(), 936u + 36u * k.recordCount);
        EXPECT_EQ(ReadFile(kLatest), latest);  // the declined one stays as it was

        // A third race whose replay cannot be written: a file stands where the folder was.
        for (int i = 0; i < 12; ++i) s->Frame();
        s->TapKey(tmKey::kReturn);  // retry
        ASSERT_TRUE(s->RunUntil([&] { return harness::RacePhase(*s) == tmSeqRace::kFadeIn; }, 60));
        ASSERT_TRUE(platform::RemoveFile(kLatest) && platform::RemoveFile(dated));
        ASSERT_EQ(::rmdir("replay"), 0);
        ASSERT_TRUE(tmFileReplace("replay", "x", 1));
        ASSERT_TRUE(harness::ConfirmPanelsUntil(*s, tmSeqRace::kSaveReplay, 6000));
        const int warnings = s->CountSound(tmSoundId::kWarning);
        s->TapKey(tmKey::kReturn);
        ASSERT_TRUE(s->RunUntil([&] { return harness::RacePhase(*s) == tmSeqRace::kPostRace; }, 40));
        EXPECT_EQ(s->CountSound(tmSoundId::kWarning), warnings + 1);
    }
    ASSERT_FALSE(kept.empty());

    auto s = Open();
    WriteReplay("./replay/ghost.dat", kept);
    SetUpRace(kRaceModeGhost, 3, {2});  // the menus: mode 4, the player's machine
    ASSERT_TRUE(tmReplay::Create()->Load("./replay/ghost.dat", true));
    const tmRaceState& rs = tmRaceState::Get();
    ASSERT_EQ(rs.setup.count, 2u);
    EXPECT_EQ(rs.entrants[1].machineId, 6u);
    ASSERT_TRUE(s->Start());
    PoseWatch watch;
    ASSERT_TRUE(s->RunUntil(
        [&] {
            watch.AfterFrame(*s, true);
            return harness::RacePhase(*s) == tmSeqRace::kResults;
        },
        6000));
    EXPECT_GT(watch.checked, 1500);
    EXPECT_EQ(watch.mismatches, 0);
    tmSeqRace* race = harness::LiveRace(*s);
    ASSERT_NE(race->GetMachine(1), nullptr);
    EXPECT_EQ(race->GetMachine(1)->GetCore()->controllerType, (uint32_t)kControllerReplay);
    ASSERT_TRUE(harness::ConfirmPanelsUntil(*s, tmSeqRace::kSaveReplay, 1500));
    s->TapKey(tmKey::kReturn);
    ASSERT_TRUE(s->RunUntil([&] { return harness::RacePhase(*s) == tmSeqRace::kPostRace; }, 40));
    tmReplayHeader own;
    ASSERT_TRUE(tmReplay::ReadHeader(kLatest, &own));
    EXPECT_EQ(own.setup.mode, (uint32_t)kRaceModeSingle);
    EXPECT_EQ(own.setup.count, 1u);
    EXPECT_EQ(own.entrants[0].machineId, 2u);
    EXPECT_EQ(own.recordCount, own.lastFrame + 1);  // one machine per frame
}

// The demo (mode 3) plays a replay picked at random, "_LATEST" among them, to its last frame and
// then picks the next one through the loading screen.
TEST(ReplaySession, TheDemoPlaysOneRandomReplayAfterAnother) {
    auto s = Open();
    // Two short replays of one machine rolling along the grid, told apart by their totals.
    const CourseRecord* course = GetCourseRecord(3);
    ASSERT_NE(course, nullptr);
    tmReplay maker;
    for (uint32_t total : {111u, 222u}) {
        tmRaceSetup setup;
        setup.course = 3;
        maker.ResetRecording();
        maker.SetRaceSetup(setup);
        maker.SetEntrant(0, Computer(1 + total % 11, 0));
        tmMachineCore core;
        for (uint32_t f = 0; f < 90; ++f) {
            core.position = D3DXVECTOR3(course->grid[0].x, course->grid[0].y, course->grid[0].z + 0.5f * f);
            maker.RecordFrame(core, f);
        }
        maker.RecordingHeader().totalMs = total;
        WriteReplay(total == 111 ? kLatest : "./replay/QUVASE_REP0220_20240101120000.dat", maker.SaveImage());
    }
    ASSERT_TRUE(tmReplay::Create()->StartDemo());
    EXPECT_EQ(tmRaceState::Get().setup.mode, (uint32_t)kRaceModeDemo);
    ASSERT_TRUE(s->Start());
    std::vector<uint32_t> played;
    tmSeqRace* last = nullptr;
    for (int i = 0; i < 3000 && played.size() < 6; ++i) {
        s->Frame();
        tmSeqRace* race = harness::LiveRace(*s);
        if (race && race != last) played.push_back(tmReplay::Get()->PlaybackHeader().totalMs);
        last = race;
    }
    ASSERT_EQ(played.size(), 6u);
    EXPECT_NE(std::find(played.begin(), played.end(), 111u), played.end()) << "the demo never picked _LATEST";
    EXPECT_NE(std::find(played.begin(), played.end(), 222u), played.end());
    const std::vector<int> trace = harness::ScreenTrace(*s);
    for (size_t k = 0; k < trace.size(); ++k) EXPECT_EQ(trace[k], k % 2 ? kSeqRace : kSeqLoading) << k;
    EXPECT_EQ(tmConfig::GetInstance().GetRaceCount(), 0);
}
