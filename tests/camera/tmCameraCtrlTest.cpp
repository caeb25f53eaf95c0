// tmCameraCtrlTest.cpp -- the race camera's modes: set-ups, the chase's slew, distance and bounce, targets, free look.
#include "app/tmCameraCtrl.h"

#include <gtest/gtest.h>

#include <cmath>

#include "camera/tmCameraFixedPath.h"
#include "camera/tmCameraReplay.h"
#include "frontend/DrawLog.h"
#include "machine/tmMachineCore.h"
#include "platform/input/InputDevices.h"
#include "race/tmRaceState.h"
#include "sys/input/tmPeripheral.h"

namespace {

constexpr float kPi = 3.14159265f;

// A machine standing at the origin facing +z at a speed.
void Place(tmMachineCore* m, float kmh, float yaw = 0.0f) {
    m->position = D3DXVECTOR3(0, 0, 0);
    m->SetRotation(0.0f, yaw, 0.0f);
    m->heading = yaw;
    m->kmh = kmh;
}

float Distance(const tmCameraCtrl& c) {
    const D3DXVECTOR3 d = c.GetEye() - c.GetLookAt();
    return D3DXVec3Length(&d);
}

TEST(CameraCtrl, ARepeatedModeRunsNoSetUp) {
    DrawLog log;
    tmCameraCtrl cam;
    cam.Init();
    EXPECT_EQ(cam.GetMode(), 1);
    EXPECT_FLOAT_EQ(cam.GetEye().x, 100.0f);
    cam.SetMode(2);
    EXPECT_FLOAT_EQ(cam.GetEye().y, 10.0f);
    EXPECT_FLOAT_EQ(cam.GetEye().z, -50.0f);
    cam.LookAt(D3DXVECTOR3(1, 2, 3), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 1, 0));
    cam.SetMode(2);
    EXPECT_FLOAT_EQ(cam.GetEye().x, 1.0f);  // untouched
    cam.SetMode(3);
    EXPECT_FLOAT_EQ(cam.GetEye().y, 0.0f);
    cam.SetMode(40);  // stored, no set-up
    EXPECT_EQ(cam.GetMode(), 40);
    EXPECT_FLOAT_EQ(cam.GetEye().z, -50.0f);
    cam.Update();
    cam.SetMode(17);
    cam.Update();
    EXPECT_FLOAT_EQ(cam.GetEye().x, 15.77f);
    EXPECT_FLOAT_EQ(cam.GetLookAt().z, 32.7f);
}

TEST(CameraCtrl, HudLensFollowsTheViewsShape) {
    {
        DrawLog log(1024, 768);
        tmDraw::SetRaceLayout(true);
        tmCameraCtrl cam;
        cam.Init();
        cam.SetMode(2);
        EXPECT_FLOAT_EQ(cam.GetFov(), 1.7907078f);
        EXPECT_FLOAT_EQ(cam.GetAspect(), 1.3333334f);
        // Back at the menus (the ending's front camera), the 4:3 window shows a 16:9 view: the wide lens.
        tmDraw::SetRaceLayout(false);
        cam.SetMode(3);
        cam.UpdateView();
        EXPECT_FLOAT_EQ(cam.GetFov(), kPi / 2);
        tmDraw::SetRaceLayout(true);
        cam.UpdateView();
        EXPECT_FLOAT_EQ(cam.GetFov(), 1.7907078f);
        tmDraw::SetRaceLayout(false);
    }
    DrawLog log(1366, 768);
    tmCameraCtrl cam;
    cam.Init();
    cam.SetMode(3);
    EXPECT_FLOAT_EQ(cam.GetFov(), kPi / 2);
    cam.UpdateView();
    EXPECT_EQ(log.frustumCalls, 1);
}

TEST(CameraCtrl, ChaseDistanceSettlesAtItsBaseAndFiveMoreAt600) {
    DrawLog log;
    tmMachineCore m;
    for (int mode : {8, 9}) {
        const float base = mode == 8 ? 40.0f : 60.0f;
        for (float kmh : {150.0f, 400.0f, 600.0f}) {
            SCOPED_TRACE(kmh);
            Place(&m, kmh);
            tmCameraCtrl cam;
            cam.Init();
            cam.SetTarget(&m);
            cam.SetMode(mode);
            for (int i = 0; i < 400; ++i) cam.Update();
            EXPECT_NEAR(Distance(cam), kmh >= 600.0f ? base + 5.0f : base, 0.01f);
            EXPECT_NEAR(cam.GetFov(), 67.0f / 180.0f * kPi, 1e-5f);
            if (kmh < 200.0f) {
                EXPECT_EQ(cam.GetBounceOffset(), 0.0f);
            }
        }
    }
}

TEST(CameraCtrl, ChaseYawSlewsAtMostPointZeroFivePerStepAndShiftsAtMostTen) {
    DrawLog log;
    tmMachineCore m;
    Place(&m, 100.0f);
    tmCameraCtrl cam;
    cam.Init();
    cam.SetTarget(&m);
    cam.SetMode(8);
    EXPECT_EQ(cam.GetChaseYaw(), 0.0f);
    m.SetRotation(0.0f, kPi - 0.01f, 0.0f);  // about a half turn at once
    float previous = cam.GetChaseYaw();
    for (int i = 0; i < 30; ++i) {
        cam.Update();
        const float step = std::fabs(tmCameraCtrl::Wrap(cam.GetChaseYaw() - previous));
        EXPECT_LE(step, 0.05f + 1e-6f);
        previous = cam.GetChaseYaw();
        // The look-at point stays within the side shift of the machine (and its height and lean).
        const D3DXVECTOR3 off = cam.GetLookAt() - m.position;
        EXPECT_LE(std::hypot(off.x, off.z), 10.0f + 1e-3f);
    }
    EXPECT_NEAR(cam.GetChaseYaw(), 30 * 0.05f, 1e-3f);
}

TEST(CameraCtrl, ModesThatFollowAMachineWaitForOne) {
    DrawLog log;
    for (int mode : {7, 8, 9, 10, 11, 12, 13, 14, 21}) {
        SCOPED_TRACE(mode);
        tmCameraCtrl cam;
        cam.Init();
        cam.SetMode(mode);
        const D3DXVECTOR3 eye = cam.GetEye();
        for (int i = 0; i < 5; ++i) cam.Update();
        EXPECT_EQ(cam.GetEye(), eye);
    }
    // With one: the high chase and the in-car view follow it.
    tmMachineCore m;
    Place(&m, 100.0f);
    m.position = D3DXVECTOR3(100, 0, 200);
    tmCameraCtrl cam;
    cam.Init();
    cam.SetTarget(&m);
    cam.SetMode(10);
    cam.Update();
    EXPECT_NEAR(cam.GetEye().z, 200.0f - 52.0f, 1e-3f);
    EXPECT_NEAR(cam.GetEye().y, 25.0f, 1e-3f);
    cam.SetMode(11);
    cam.Update();
    EXPECT_NEAR(cam.GetEye().y, 11.8f, 1e-3f);
    EXPECT_NEAR(cam.GetLookAt().z, 252.0f, 1e-3f);
    cam.SetMode(7);
    cam.Update();
    EXPECT_NEAR(cam.GetEye().z, 200.0f - 45.0f, 1e-3f);
    EXPECT_NEAR(cam.GetEye().y, 22.5f, 1e-3f);
}

TEST(CameraCtrl, BounceStartsOnlyAboveTwoHundredAndSettles) {
    DrawLog log;
    tmMachineCore m;
    Place(&m, 199.0f);
    tmCameraCtrl cam;
    cam.Init();
    cam.SetTarget(&m);
    cam.SetMode(11);
    for (int i = 0; i < 500; ++i) {
        cam.Update();
        ASSERT_EQ(cam.GetBounceOffset(), 0.0f);
    }
    m.kmh = 600.0f;
    bool bounced = false;
    for (int i = 0; i < 500; ++i) {
        cam.Update();
        bounced = bounced || cam.GetBounceOffset() > 0.0f;
        ASSERT_GE(cam.GetBounceOffset(), 0.0f);
    }
    EXPECT_TRUE(bounced);
}

TEST(CameraCtrl, SubCamerasDriveModesTwentyOneAndTwentyTwo) {
    DrawLog log;
    tmRaceState::Get().setup.course = 2;
    const uint32_t status = tmRaceState::Get().status;
    tmRaceState::Get().status = 1;  // before the race: the intro shot
    tmMachineCore m;
    Place(&m, 100.0f);
    m.section = 0;
    tmCameraCtrl cam;
    cam.Init();
    cam.SetTarget(&m);
    cam.SetMode(21);
    ASSERT_NE(cam.GetReplay(), nullptr);
    EXPECT_EQ(cam.GetReplay()->GetShot(), 0);
    cam.Update();
    EXPECT_EQ(cam.GetReplay()->GetFrame(), 1);
    cam.SetMode(22);
    cam.Update();
    const CameraState& s = cam.GetFixedPath()->GetState();
    EXPECT_FLOAT_EQ(cam.GetEye().x, s.eye.x);
    EXPECT_FLOAT_EQ(cam.GetFov(), s.fov);
    // The garage's fixed path has no shots and its state no lens: the camera keeps the lens it had.
    tmRaceState::Get().setup.course = 1;
    tmCameraCtrl garage;
    garage.Init();
    garage.SetMode(22);
    garage.Update();
    EXPECT_FLOAT_EQ(garage.GetFov(), kPi / 2);
    EXPECT_TRUE(std::isfinite(garage.GetProjection()._22));
    tmRaceState::Get().setup.course = 2;
    tmRaceState::Get().status = status;
}

TEST(CameraCtrl, FreeLookWheelNarrowsTheLens) {
    DrawLog log;
    tmPeripheral::Create();
    tmPeripheral* in = tmPeripheral::GetInstance();
    tmCameraCtrl cam;
    cam.Init();
    cam.SetMode(5);
    const float fov = cam.GetFov();
    in->mouseWheel = 100;
    cam.UpdateView();
    EXPECT_NEAR(cam.GetFov(), fov - 0.005f, 1e-6f);
    in->mouseWheel = 0;
    // Dragging turns the view: the look direction stays a unit step from the eye.
    in->mouseButton[0] = 1;
    in->mouseMoveX = 50;
    cam.UpdateView();
    const D3DXVECTOR3 d = cam.GetLookAt() - cam.GetEye();
    EXPECT_NEAR(D3DXVec3Length(&d), 1.0f, 1e-4f);
    in->mouseButton[0] = 0;
    in->mouseMoveX = 0;
    tmPeripheral::Destroy();
    EXPECT_EQ(tmCameraCtrl::AngleBetween(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(1, 0, 0)), kPi);
    EXPECT_NEAR(tmCameraCtrl::AngleBetween(D3DXVECTOR3(0, 0, 1), D3DXVECTOR3(1, 0, 0)), kPi / 2, 1e-6f);
}

TEST(CameraCtrl, OrbitZoomStopsAtThirtyAndMinusThreeAndAHalf) {
    DrawLog log;
    platform::ScriptedInput keys;
    tmPeripheral::Create();
    tmPeripheral* in = tmPeripheral::GetInstance();
    ASSERT_EQ(in->Init(&keys, true), 0);
    tmCameraCtrl cam;
    cam.Init();
    cam.SetMode(16);
    EXPECT_FLOAT_EQ(cam.GetOrbitAngle(), kPi / 4);
    auto hold = [&](int key, int steps) {
        keys.SetKey(key, true);
        for (int i = 0; i < steps; ++i) {
            in->Update();
            in->UpdatePov();
            cam.Update();
            in->StorePrevious();
        }
        keys.SetKey(key, false);
    };
    hold(tmKey::kUp, 400);
    EXPECT_FLOAT_EQ(cam.GetOrbitZoom(), 30.0f);
    EXPECT_NEAR(cam.GetEye().y, 38.0f, 1e-3f);  // the centre (3 up), 5 and the zoom above it
    hold(tmKey::kDown, 400);
    EXPECT_FLOAT_EQ(cam.GetOrbitZoom(), -3.5f);
    hold(tmKey::kRight, 10);
    EXPECT_NEAR(cam.GetOrbitAngle(), kPi / 4 - 10 * 0.06283186f, 1e-4f);
    in->Release();
    tmPeripheral::Destroy();
}

}  // namespace
