// tmCameraReplayTest.cpp -- zone matching and shot choice, the three shot kinds and the act moves of the replay camera.
#include "camera/tmCameraReplay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "camera/tmCameraRandom.h"
#include "camera/tmCameraReplayAct.h"
#include "machine/tmMachineCore.h"

namespace {

CameraState State(float x) { return CameraState{{x, 10, 0}, {x, 0, 50}, {0, 1, 0}, 0.5f}; }

ReplayTrack Shot(float x, uint32_t kind, uint32_t frames = 100) {
    return ReplayTrack{State(x), State(x + 100), frames, kind, 0.5f, {1.0f, 0.0f}};
}

struct Fixture {
    tmCameraRandom random{7};
    tmMachineCore machine;
    tmCameraReplay cam;
    Fixture() { machine.position = D3DXVECTOR3(500, 0, 500); }
};

TEST(ReplayCamera, AZoneAcrossTheGoalMatchesBothEnds) {
    // Zones: 10..39 offering shot 1, then 40..3 across the goal offering shot 2.
    const ReplayZone zones[2] = {{10, 39, {1, -1, -1, -1, -1, -1, -1, -1}}, {40, 3, {2, -1, -1, -1, -1, -1, -1, -1}}};
    const ReplayTrack shots[3] = {Shot(0, 2), Shot(1000, 2), Shot(2000, 2)};
    Fixture f;
    f.cam.Init(zones, 2, shots, 3, &f.random);
    f.cam.SetTarget(&f.machine);
    for (int section : {40, 77, 300, 0, 3}) {
        f.machine.section = section;
        f.cam.Start(false);
        EXPECT_EQ(f.cam.GetShot(), 2) << section;
    }
    for (int section : {10, 20, 39}) {
        f.machine.section = section;
        f.cam.Start(false);
        EXPECT_EQ(f.cam.GetShot(), 1) << section;
    }
    // No zone holds 5: the shot that runs is kept (and not restarted).
    f.machine.section = 5;
    for (int i = 0; i < 3; ++i) f.cam.Update();
    EXPECT_EQ(f.cam.GetShot(), 1);
    EXPECT_EQ(f.cam.GetFrame(), 3);
    // The later of two zones that hold a section wins.
    const ReplayZone overlap[2] = {{0, 50, {1, -1, -1, -1, -1, -1, -1, -1}}, {20, 30, {2, -1, -1, -1, -1, -1, -1, -1}}};
    f.cam.Init(overlap, 2, shots, 3, &f.random);
    f.machine.section = 25;
    f.cam.Start(false);
    EXPECT_EQ(f.cam.GetShot(), 2);
}

TEST(ReplayCamera, ShotsAreDrawnFromTheZoneAndTheIntroTakesShotZero) {
    const ReplayZone zones[1] = {{0, 99, {4, 7, -1, -1, -1, -1, -1, -1}}};
    ReplayTrack shots[8];
    for (int i = 0; i < 8; ++i) shots[i] = Shot(100.0f * i, 2);
    Fixture f;
    f.cam.Init(zones, 1, shots, 8, &f.random);
    f.cam.SetTarget(&f.machine);
    int count[8] = {};
    for (int i = 0; i < 400; ++i) {
        f.cam.Start(false);
        ++count[f.cam.GetShot()];
    }
    EXPECT_EQ(count[4] + count[7], 400);
    EXPECT_GT(count[4], 150);
    EXPECT_GT(count[7], 150);
    f.cam.Start(true);
    EXPECT_EQ(f.cam.GetShot(), 0);
    // Within the same zone an update keeps the shot; the plain blend runs on.
    f.cam.Start(false);
    const int shot = f.cam.GetShot();
    f.cam.Update();
    f.cam.Update();
    EXPECT_EQ(f.cam.GetShot(), shot);
    EXPECT_FLOAT_EQ(f.cam.GetState().eye.x, shots[shot].start.eye.x + 1.0f);  // frame 1 of 100
}

TEST(ReplayCamera, ChaseBlendFollowsTheMachineWithItsFactor) {
    const ReplayZone zones[1] = {{0, 99, {0, -1, -1, -1, -1, -1, -1, -1}}};
    const ReplayTrack shots[1] = {Shot(0, 1)};  // factor 0.5
    Fixture f;
    f.cam.Init(zones, 1, shots, 1, &f.random);
    f.cam.SetTarget(&f.machine);
    f.cam.Start(false);
    EXPECT_FLOAT_EQ(f.cam.GetState().target.x, 500.0f);  // begins on the machine
    f.machine.position.x = 600.0f;
    f.cam.Update();
    EXPECT_FLOAT_EQ(f.cam.GetState().target.x, 550.0f);
    f.cam.Update();
    EXPECT_FLOAT_EQ(f.cam.GetState().target.x, 575.0f);
    EXPECT_FLOAT_EQ(f.cam.GetState().up.y, 1.0f);
}

TEST(ReplayCamera, AnActShotNeverRepeatsTheLastMove) {
    // Two zones, both offering the act shot: every change of zone begins one move.
    const ReplayZone zones[2] = {{0, 49, {0, -1, -1, -1, -1, -1, -1, -1}}, {50, 99, {0, -1, -1, -1, -1, -1, -1, -1}}};
    const ReplayTrack shots[1] = {Shot(0, 3)};
    Fixture f;
    f.cam.Init(zones, 2, shots, 1, &f.random);
    f.cam.SetTarget(&f.machine);
    std::set<int> seen;
    int last = f.cam.GetAct()->GetKind();
    for (int i = 0; i < 300; ++i) {
        f.machine.section = (i % 2) ? 10 : 60;
        f.cam.Update();
        const int kind = f.cam.GetAct()->GetKind();
        EXPECT_NE(kind, last);
        seen.insert(kind);
        last = kind;
    }
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 5, 6, 7}));
    EXPECT_FLOAT_EQ(f.cam.GetState().fov, 3.14159265f / 4.0f);
    EXPECT_TRUE(std::isfinite(f.cam.GetState().eye.x) && std::isfinite(f.cam.GetState().up.y));
}

TEST(ReplayCamera, NoListsMeansAMoveOfItsOwnAndSpringsStayGentle) {
    Fixture f;
    f.cam.Init(1, &f.random);  // the garage has no lists
    f.cam.Update();            // nothing to follow yet: no shot
    EXPECT_EQ(f.cam.GetKind(), 0);
    f.cam.SetTarget(&f.machine);
    f.cam.Start(true);
    // Started, it runs a procedural move around the machine, with a lens from the first frame on.
    EXPECT_EQ(f.cam.GetKind(), 3);
    EXPECT_FLOAT_EQ(f.cam.GetState().fov, 3.14159265f / 4.0f);
    f.cam.Update();
    EXPECT_EQ(f.cam.GetKind(), 3);
    const yiVec3 &eye = f.cam.GetState().eye, &at = f.cam.GetState().target;
    EXPECT_GT(std::fabs(eye.x - at.x) + std::fabs(eye.y - at.y) + std::fabs(eye.z - at.z), 10.0f);
    tmCameraSpring spring;
    spring.SetRandom(&f.random);
    spring.SetMachine(&f.machine);
    spring.Init(10, 10, 0.5f);
    f.machine.kmh = 300.0f;
    f.machine.SetRotation(0, 1.0f, 0);  // sliding: a lateral speed
    for (int i = 0; i < 100; ++i) {
        spring.Update();
        EXPECT_LE(D3DXVec3Length(&spring.velocity), tmCameraSpring::kMaxSpeed + 1e-5f);
        EXPECT_LE(std::fabs(spring.lateral), 10.0f / 10.0f + 1e-5f);
    }
    EXPECT_EQ(spring.steps, 100);
    tmCameraSpring idle;  // without a machine it does not move
    idle.Init(5, 5, 0.1f);
    idle.Update();
    EXPECT_EQ(idle.steps, 0);
}

}  // namespace
