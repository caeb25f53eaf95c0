// tmReplayPlaybackTest.cpp -- whole races recorded, saved, loaded and played back: replayed machines
// stand where the file says at every frame and finish as the live race did; a ghost race.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "course/tmCourse.h"
#include "harness/WorkFolder.h"
#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "race/tmLapTimer.h"
#include "race/tmRaceState.h"
#include "race/tmReplay.h"
#include "sys/base/tmRandom.h"

namespace {

const char kLatest[] = "./replay/QUVASE_REP0220_LATEST.dat";

// FNV-1a over the bytes of the values given.
class Hash {
public:
    template <class T>
    void Add(const T& v) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &v, sizeof(T));
        for (unsigned char b : bytes) value = (value ^ b) * 1099511628211ull;
    }
    uint64_t value = 14695981039346656037ull;
};

// What a race left behind: finishing order and times, a hash per frame of where every
// machine stood (x, z, laps, race state) and one of its whole state.
struct Outcome {
    std::vector<int> order;
    std::map<int, uint32_t> totalMs;
    std::vector<uint64_t> poseHashes;
    uint64_t stateHash = 0;
    uint32_t frames = 0;
};

class ReplayPlayback : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.Ok());
        tmRandom::Create();
        replay_ = tmReplay::Create();
        race_.setup = tmRaceSetup();
        for (tmEntrant& e : race_.entrants) e = tmEntrant();
        for (tmMachineCore*& c : race_.cores) c = nullptr;
        race_.status = 3;  // racing from the first frame: the countdown is the race sequence's
    }
    void TearDown() override {
        machines_.clear();
        for (tmMachineCore*& c : race_.cores) c = nullptr;
        course_.Release();
        tmReplay::Destroy();
        tmRandom::Destroy();
        race_.status = 0;
        race_.setup = tmRaceSetup();
    }

    // One machine per race entrant, as the race sequence makes them.
    void MakeMachines() {
        machines_.clear();
        for (uint32_t i = 0; i < race_.setup.count; ++i) {
            auto m = std::make_unique<tmMachine>();
            m->Init(&course_, race_.entrants[i], static_cast<int>(i), i == race_.setup.local, false);
            race_.cores[i] = m->GetCore();
            machines_.push_back(std::move(m));
        }
    }

    // Runs the race frame by frame as the race sequence does: every machine, then the
    // recording (modes 0 and 4 machine 0, modes 1, 5 and 6 every machine, replays nothing),
    // then the next playback frame. Ends `extra` frames after every machine has finished,
    // or when `frames` is given, after that many.
    Outcome Run(uint32_t extra, uint32_t frames = 0, const std::function<void(uint32_t)>& check = nullptr) {
        Outcome out;
        const uint32_t mode = race_.setup.mode;
        const bool replaying = mode == kRaceModeReplay || mode == kRaceModeDemo;
        std::vector<bool> done(machines_.size(), false);
        Hash state;
        uint32_t after = 0;
        for (uint32_t f = 0; frames ? f < frames : after < extra; ++f) {
            for (auto& m : machines_) m->Update(&course_);
            if (check) check(f);
            if (!replaying) {
                const size_t recorded = (mode == kRaceModeSingle || mode == kRaceModeGhost) ? 1 : machines_.size();
                for (size_t i = 0; i < recorded; ++i) replay_->RecordFrame(*machines_[i]->GetCore(), f);
            }
            ++replay_->frameIndex;
            Hash pose;
            for (size_t i = 0; i < machines_.size(); ++i) {
                const tmMachineCore* c = machines_[i]->GetCore();
                pose.Add(c->position.x);
                pose.Add(c->position.z);
                pose.Add(c->GetCompletedLaps());
                pose.Add(c->raceState);
                state.Add(c->position);
                state.Add(c->rotation);
                state.Add(c->kmh);
                state.Add(c->rpm);
                state.Add(c->gear);
                state.Add(c->bodyMode);
                state.Add(c->section);
                state.Add(c->boostStock);
                if (!done[i] && c->raceState == 2) {
                    done[i] = true;
                    out.order.push_back(static_cast<int>(i));
                    out.totalMs[static_cast<int>(i)] = tmLapTimer::ToMilliseconds(c->GetLapTimer()->GetTotal());
                }
            }
            out.poseHashes.push_back(pose.value);
            out.frames = f + 1;
            if (out.order.size() == machines_.size()) ++after;
            if (f > 60 * 60 * 8) break;  // a race that never ends fails below
        }
        out.stateHash = state.value;
        return out;
    }

    // Records a cup race of five computer machines on course 3 and saves it as "_LATEST".
    Outcome RecordCupRace() {
        EXPECT_TRUE(course_.Init(3));
        race_.setup.course = 3;
        race_.setup.mode = kRaceModeCup;
        race_.setup.count = 5;
        race_.setup.laps = 3;
        race_.setup.difficulty = 2;
        for (uint32_t i = 0; i < 5; ++i) {
            tmEntrant e;
            e.machineId = 1 + 2 * i;
            e.controllerType = kControllerComputer;
            e.entrantId = i;
            race_.SetEntrant(static_cast<int>(i), e);
        }
        tmRandom::GetInstance()->SetSeed(4242);
        MakeMachines();
        replay_->ResetRecording();
        replay_->SetRaceSetup(race_.setup);
        for (uint32_t i = 0; i < race_.setup.count; ++i) replay_->SetEntrant(static_cast<int>(i), race_.entrants[i]);
        Outcome live = Run(30);
        EXPECT_TRUE(replay_->Save(false));
        return live;
    }

    harness::WorkFolder folder_{true};
    tmRaceState& race_ = tmRaceState::Get();
    tmReplay* replay_ = nullptr;
    tmCourse course_;
    std::vector<std::unique_ptr<tmMachine>> machines_;
};

TEST_F(ReplayPlayback, AWatchedCupRaceStandsWhereTheFileSaysAndFinishesAsTheLiveRace) {
    const Outcome live = RecordCupRace();
    ASSERT_EQ(live.order.size(), 5u);
    EXPECT_EQ(replay_->GetRecordCount(), live.frames * 5);

    // Watch it: the menus leave mode 2 in the race state, the file sets up the rest.
    race_.setup = tmRaceSetup();
    race_.setup.mode = kRaceModeReplay;
    ASSERT_TRUE(replay_->Load(kLatest, false));
    EXPECT_EQ(race_.setup.count, 5u);
    EXPECT_EQ(race_.setup.course, 3u);
    EXPECT_EQ(replay_->PlaybackHeader().lastFrame, live.frames - 1);
    Outcome watched[2];
    for (Outcome& w : watched) {
        tmRandom::GetInstance()->SetSeed(99);
        replay_->frameIndex = 0;
        MakeMachines();
        int mismatches = 0, controlMismatches = 0;
        w = Run(0, live.frames, [&](uint32_t f) {
            for (int e = 0; e < 5; ++e) {
                const tmReplayRecord* r = replay_->GetPlaybackRecord(e);
                ASSERT_NE(r, nullptr);
                ASSERT_EQ(r->frame, f);
                const tmMachineCore* c = machines_[static_cast<size_t>(e)]->GetCore();
                EXPECT_EQ(c->controllerType, (uint32_t)kControllerReplay);
                // x and z land exactly; the yaw may differ in its last bit in the frame it wraps past pi.
                if (c->position.x != r->x || c->position.z != r->z || std::fabs(c->rotation.y - r->yaw) > 1e-6f)
                    ++mismatches;
                // Until it finishes, a replayed machine is driven by the file's control record.
                const tmMachineControl& k = c->control;
                if (c->raceState != 2 && (k.steering != r->control.steering ||
                                          k.accelerator != r->control.accelerator || k.brake != r->control.brake ||
                                          k.shiftUp != r->control.shiftUp || k.shiftDown != r->control.shiftDown ||
                                          k.bodyMode != r->control.bodyMode || k.boost != r->control.boost))
                    ++controlMismatches;
            }
        });
        EXPECT_EQ(controlMismatches, 0);
        EXPECT_EQ(mismatches, 0) << "replayed machines left the recorded poses";
    }
    EXPECT_EQ(watched[0].order, live.order);
    EXPECT_EQ(watched[0].totalMs, live.totalMs);
    EXPECT_EQ(watched[0].poseHashes, live.poseHashes);
    // Played twice, the same replay gives the same state at every frame.
    EXPECT_EQ(watched[0].stateHash, watched[1].stateHash);
    EXPECT_EQ(watched[0].poseHashes, watched[1].poseHashes);

    // Past the last record every machine coasts on a zero record instead of stopping the race.
    replay_->frameIndex = live.frames;
    EXPECT_EQ(replay_->GetPlaybackRecord(0), nullptr);
    Run(0, 10);
}

TEST_F(ReplayPlayback, ATruncatedReplayPlaysItsRecordsAndThenCoasts) {
    const Outcome live = RecordCupRace();
    std::string image = replay_->SaveImage();
    const uint32_t keep = 600;  // frames that survive
    image.resize(936 + 36 * 5 * keep + 17);
    race_.setup.mode = kRaceModeDemo;
    ASSERT_TRUE(replay_->LoadImage(image, false, "cut"));
    EXPECT_EQ(replay_->PlaybackHeader().lastFrame, keep);
    replay_->frameIndex = 0;
    MakeMachines();
    const Outcome played = Run(0, keep + 60);
    for (uint32_t f = 0; f < keep; ++f) ASSERT_EQ(played.poseHashes[f], live.poseHashes[f]) << f;
    EXPECT_NE(played.poseHashes[keep + 59], live.poseHashes[keep + 59]);
}

TEST_F(ReplayPlayback, AGhostRaceRunsTheRecordedPlayerBesideTheNewOne) {
    // A single race: the player (driven by the computer here) alone, recorded as machine 0.
    ASSERT_TRUE(course_.Init(4));
    race_.setup.course = 4;
    race_.setup.mode = kRaceModeSingle;
    race_.setup.count = 1;
    race_.setup.laps = 1;
    tmEntrant solo;
    solo.machineId = 6;
    solo.controllerType = kControllerComputer;
    race_.SetEntrant(0, solo);
    tmRandom::GetInstance()->SetSeed(5);
    MakeMachines();
    replay_->ResetRecording();
    replay_->SetRaceSetup(race_.setup);
    replay_->SetEntrant(0, race_.entrants[0]);
    const Outcome recorded = Run(10);
    ASSERT_EQ(recorded.order.size(), 1u);
    ASSERT_TRUE(replay_->Save(true));
    const std::string dated = replay_->SavePath(true);

    // Race against it on another machine: the menus set mode 4 and entrant 0.
    race_.setup = tmRaceSetup();
    race_.setup.mode = kRaceModeGhost;
    tmEntrant me;
    me.machineId = 2;
    me.controllerType = kControllerComputer;
    race_.SetEntrant(0, me);
    ASSERT_TRUE(replay_->Load(dated.c_str(), true));
    ASSERT_EQ(race_.setup.count, 2u);
    EXPECT_EQ(race_.setup.course, 4u);
    EXPECT_EQ(race_.setup.laps, 1u);
    EXPECT_EQ(race_.entrants[0].machineId, 2u);
    EXPECT_EQ(race_.entrants[1].machineId, 6u);
    EXPECT_EQ(race_.entrants[1].controllerType, (uint32_t)kControllerReplay);
    replay_->ResetRecording();
    replay_->SetRaceSetup(race_.setup);
    replay_->SetEntrant(0, race_.entrants[0]);
    replay_->frameIndex = 0;
    MakeMachines();
    int mismatches = 0;
    const Outcome ghostRace = Run(10, 0, [&](uint32_t) {
        const tmReplayRecord* r = replay_->GetPlaybackRecord(0);  // the ghost reads entrant 0 of the file
        const tmMachineCore* ghost = machines_[1]->GetCore();
        if (r && (ghost->position.x != r->x || ghost->position.z != r->z)) ++mismatches;
    });
    EXPECT_EQ(mismatches, 0);
    ASSERT_EQ(ghostRace.order.size(), 2u);
    EXPECT_EQ(ghostRace.totalMs.at(1), recorded.totalMs.at(0));  // the ghost repeats its time

    // The ghost race's own recording holds the new player alone, as a single race.
    EXPECT_EQ(replay_->RecordingHeader().setup.mode, (uint32_t)kRaceModeSingle);
    EXPECT_EQ(replay_->RecordingHeader().setup.count, 1u);
    EXPECT_EQ(replay_->GetRecordCount(), ghostRace.frames);
    EXPECT_EQ(replay_->RecordingHeader().entrants[0].machineId, 2u);
    EXPECT_EQ(replay_->GetRecording(ghostRace.frames - 1)->x, machines_[0]->GetCore()->position.x);
}

}  // namespace
