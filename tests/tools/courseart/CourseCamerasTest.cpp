// CourseCamerasTest.cpp -- the game's own replay camera following a machine round a raced lap, and its
// fixed-path camera through every shot, frame by frame against the triangles of the course's near parts.
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "camera/tmCameraFixedPath.h"
#include "camera/tmCameraRandom.h"
#include "camera/tmCameraReplay.h"
#include "camera/tmCameraReplayAct.h"
#include "course/CourseBuild.h"
#include "course/CourseSight.h"
#include "course/tmCourse.h"
#include "race/tmSeqRace.h"
#include "sys/base/tmRandom.h"
#include "tests/machine/MachineFixture.h"

namespace {

// The frames a race screen runs before the start light turns green (fade-in, intro, countdown).
constexpr int kBeforeStart =
    static_cast<int>(tmSeqRace::kFadeFrames + tmSeqRace::kIntroFrames + tmSeqRace::kCountdownFrames) + 2;

// The first faulty frame of each camera move, one line each: its eye, or its line of sight to what it
// must keep in view.
class FaultLog {
public:
    FaultLog(int courseId, const contentgen::CourseSight& sight) : course_(courseId), sight_(sight) {}
    void See(const std::string& camera, int frame, const CameraState& s) {
        if (reported_.count(camera)) return;
        const char* why = sight_.Fault(s.eye, s.target);
        if (!why) return;
        reported_.insert(camera);
        char where[160];
        std::snprintf(where, sizeof where, " (frame %d, %.1f s; eye at %.0f, %.0f, %.0f, looking at %.0f, %.0f, %.0f)",
                      frame, frame / 60.0f, s.eye.x, s.eye.y, s.eye.z, s.target.x, s.target.y, s.target.z);
        lines.push_back("course " + std::to_string(course_) + " " + camera + ": " + why + where);
    }
    std::vector<std::string> lines;

private:
    int course_;
    const contentgen::CourseSight& sight_;
    std::set<std::string> reported_;
};

// What a replay camera must keep in sight: the followed machine's body where it follows the machine
// (its look-at point trails it), else its own look-at point.
CameraState Watched(const tmCameraReplay& camera, const tmMachineCore& machine) {
    CameraState s = camera.GetState();
    if (camera.GetKind() != 2) s.target = {machine.position.x, machine.position.y + 12.0f, machine.position.z};
    return s;
}

std::string MoveName(const tmCameraReplay& camera) {
    if (camera.GetKind() == 3) return "move " + std::to_string(camera.GetAct() ? camera.GetAct()->GetKind() : 0);
    return "track " + std::to_string(camera.GetShot());
}

class CourseCameras : public MachineTest, public ::testing::WithParamInterface<int> {
protected:
    // The near parts as the content tool builds them for the course group's slots.
    void SetUp() override {
        MachineTest::SetUp();
        static const int kNearSlots[6] = {8, 6, 5, 7, 5, 8};  // course ids 2..7 and their reverses
        build_ = std::make_unique<contentgen::CourseBuild>(GetParam(), "S_TEST_skyTex.dds");
        ASSERT_TRUE(build_->Error().empty()) << build_->Error();
        parts_ = build_->NearParts(kNearSlots[(GetParam() - 2) % 6]);
        ASSERT_FALSE(parts_.empty());
        sight_ = contentgen::CourseSight::OfNearParts(parts_);
    }

    std::unique_ptr<contentgen::CourseBuild> build_;
    std::vector<contentgen::CourseMesh> parts_;
    std::unique_ptr<contentgen::CourseSight> sight_;
};

// A lap raced by computer drivers, watched as the replay watches it: the opening shot from the
// first frame (course 3's once swept through a leg of the start gantry), then each zone's shots as
// the followed machine drives into it, wherever on the road it goes. Every frame's eye stands clear,
// and nothing stands between it and the machine's body, on the grid and on a banked bend's inside too.
TEST_P(CourseCameras, ReplayCameraFollowingARaceKeepsItsEyeClearAndTheMachineInSight) {
    const int id = GetParam();
    tmCourse course;
    ASSERT_TRUE(course.Init(id));
    race_.setup.course = static_cast<uint32_t>(id);
    race_.setup.laps = 1;
    race_.status = 1;
    tmRandom::GetInstance()->SetSeed(7);
    for (int i = 0; i < 4; ++i) AddMachine(&course, 1 + i * 3, kControllerComputer, i, i == 0);
    const tmMachineCore* followed = machines_[0]->GetCore();

    tmCameraRandom random;
    tmCameraReplay camera;
    camera.SetTarget(followed);
    camera.Init(id, &random);
    camera.Start(true);
    FaultLog log(id, *sight_);
    log.See(MoveName(camera), 0, Watched(camera, *followed));
    int frame = 0;
    for (; frame < 60 * 60 * 4 && followed->raceState != 2; ++frame) {
        if (frame == kBeforeStart) race_.status = 3;
        Step(&course);
        camera.Update();
        log.See(MoveName(camera), frame + 1, Watched(camera, *followed));
    }
    EXPECT_EQ(followed->raceState, 2) << "the followed machine did not finish";
    for (const std::string& line : log.lines) ADD_FAILURE() << line;
}

TEST_P(CourseCameras, FixedPathCameraThroughEveryShotStandsClearAndSeesItsRoad) {
    const int id = GetParam();
    tmCameraFixedPath camera;
    camera.Init(id);
    ASSERT_GT(ReplayShotCounts[id], 0);
    int frames = 0;
    for (int i = 0; i < ReplayShotCounts[id]; ++i) frames += static_cast<int>(ReplayShotTable[id][i].frames);
    FaultLog log(id, *sight_);
    for (int frame = 0; frame < frames; ++frame) {
        camera.Update();
        log.See("shot " + std::to_string(camera.GetShotIndex()), frame, camera.GetState());
    }
    EXPECT_EQ(camera.GetShotIndex() + 1, static_cast<uint32_t>(ReplayShotCounts[id])) << "not every shot ran";
    for (const std::string& line : log.lines) ADD_FAILURE() << line;
}

INSTANTIATE_TEST_SUITE_P(EveryCircuit, CourseCameras, ::testing::Range(2, 14));

}  // namespace
