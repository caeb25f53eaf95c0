// tmCameraFixedPathTest.cpp -- shot blending, the advance over shots, skipped empty shots and courses without a list.
#include "camera/tmCameraFixedPath.h"

#include <gtest/gtest.h>

namespace {

CameraState State(float x, float fov) { return CameraState{{x, 10, 0}, {x, 0, 100}, {0, 0, 1}, fov}; }

TEST(FixedPathCamera, ASixHundredFrameShotIsShownFromZeroTo599Of600) {
    const ReplayShot shots[2] = {{State(0, 1.0f), State(600, 2.0f), 600}, {State(1000, 0.5f), State(2000, 0.5f), 10}};
    tmCameraFixedPath cam;
    cam.Init(shots, 2);
    EXPECT_EQ(cam.GetState().up.y, 1.0f);
    EXPECT_EQ(cam.GetState().fov, 0.0f);
    cam.Update();
    EXPECT_FLOAT_EQ(cam.GetState().eye.x, 0.0f);
    EXPECT_FLOAT_EQ(cam.GetState().fov, 1.0f);
    EXPECT_EQ(cam.GetState().up.z, 0.0f);  // stored up vectors are not used
    for (int i = 1; i < 600; ++i) cam.Update();
    EXPECT_FLOAT_EQ(cam.GetState().eye.x, 599.0f);
    EXPECT_FLOAT_EQ(cam.GetState().fov, 1.0f + 599.0f / 600.0f);
    EXPECT_EQ(cam.GetShotIndex(), 0u);
    cam.Update();  // the next shot starts at its own t = 0
    EXPECT_EQ(cam.GetShotIndex(), 1u);
    EXPECT_FLOAT_EQ(cam.GetState().eye.x, 1000.0f);
    for (int i = 0; i < 10; ++i) cam.Update();
    EXPECT_EQ(cam.GetShotIndex(), 0u);  // after the last, shot 0 again
    EXPECT_FLOAT_EQ(cam.GetState().eye.x, 0.0f);
}

TEST(FixedPathCamera, EmptyShotsAreSkippedAndResetOnlyAdvances) {
    const ReplayShot shots[3] = {
        {State(0, 1), State(0, 1), 2}, {State(500, 1), State(500, 1), 0}, {State(900, 1), State(900, 1), 3}};
    tmCameraFixedPath cam;
    cam.Init(shots, 3);
    cam.Update();
    cam.Update();
    cam.Update();  // shot 1 has no frames: straight on to shot 2
    EXPECT_EQ(cam.GetShotIndex(), 2u);
    EXPECT_FLOAT_EQ(cam.GetState().eye.x, 900.0f);
    // Reset continues where the path stands.
    const int32_t frame = cam.GetFrame();
    cam.Reset();
    EXPECT_EQ(cam.GetShotIndex(), 2u);
    EXPECT_EQ(cam.GetFrame(), frame);
    // A list of empty shots alone never blends.
    const ReplayShot empty[2] = {{State(5, 1), State(5, 1), 0}, {State(6, 1), State(6, 1), 0}};
    cam.Init(empty, 2);
    for (int i = 0; i < 5; ++i) cam.Update();
    EXPECT_EQ(cam.GetState().eye.x, 0.0f);
}

TEST(FixedPathCamera, CoursesWithoutAListKeepTheInitialState) {
    tmCameraFixedPath cam;
    for (int course : {-1, 0, 1, 14}) {
        cam.Init(course);
        cam.Update();
        EXPECT_EQ(cam.GetState().eye.x, 0.0f) << course;
        EXPECT_EQ(cam.GetState().fov, 0.0f) << course;
        EXPECT_EQ(cam.GetState().up.y, 1.0f) << course;
    }
    cam.Init(2);  // a circuit plays its own list
    cam.Update();
    ASSERT_GT(ReplayShotCounts[2], 0);
    EXPECT_FLOAT_EQ(cam.GetState().eye.x, ReplayShotTable[2][0].start.eye.x);
}

TEST(FixedPathCamera, BlendClampsAndHandlesEmptyCounts) {
    const CameraState a = State(0, 1), b = State(100, 3);
    EXPECT_FLOAT_EQ(tmCameraFixedPath::Blend(a, b, 0, 5).eye.x, 0.0f);
    EXPECT_FLOAT_EQ(tmCameraFixedPath::Blend(a, b, -3, 5).eye.x, 0.0f);
    EXPECT_FLOAT_EQ(tmCameraFixedPath::Blend(a, b, 10, 20).eye.x, 100.0f);
    EXPECT_FLOAT_EQ(tmCameraFixedPath::Blend(a, b, 4, 1).fov, 1.5f);
    EXPECT_FLOAT_EQ(tmCameraFixedPath::Blend(a, b, 4, 1).target.z, 100.0f);
}

}  // namespace
