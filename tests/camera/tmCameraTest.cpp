// tmCameraTest.cpp -- defaults, lens, reversed and mirrored views, the matrices pushed and the frustum planes.
#include "camera/tmCamera.h"

#include <gtest/gtest.h>

#include "frontend/DrawLog.h"

namespace {

void ExpectVec(const D3DXVECTOR3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

// Where a view matrix puts a world point (view space looks along -z).
D3DXVECTOR3 InView(const D3DXMATRIX& view, const D3DXVECTOR3& p) {
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &p, &view);
    return out;
}

TEST(Camera, FreshCameraLooksFromTenTwoZeroAtTheOrigin) {
    DrawLog log;
    const int before = sys::tmCamera::LiveCount();
    {
        sys::tmCamera cam;
        EXPECT_EQ(sys::tmCamera::LiveCount(), before + 1);
        ExpectVec(cam.GetEye(), 10, 2, 0);
        ExpectVec(cam.GetLookAt(), 0, 0, 0);
        ExpectVec(cam.GetUp(), 0, 1, 0);
        EXPECT_FLOAT_EQ(cam.GetFov(), 1.5707964f);
        EXPECT_EQ(cam.GetNear(), 5.0f);
        EXPECT_EQ(cam.GetFar(), 40000.0f);
        EXPECT_EQ(cam.GetViewportWidth(), 1366);
        EXPECT_EQ(cam.GetViewportHeight(), 768);
        // The origin lies straight ahead.
        const D3DXVECTOR3 o = InView(cam.GetView(), D3DXVECTOR3(0, 0, 0));
        EXPECT_NEAR(o.x, 0, 1e-4f);
        EXPECT_NEAR(o.y, 0, 1e-4f);
        EXPECT_LT(o.z, 0.0f);
    }
    EXPECT_EQ(sys::tmCamera::LiveCount(), before);
}

TEST(Camera, AspectIsTheWindowsInARaceAndTheFittedScreensInMenus) {
    DrawLog log(1024, 768);
    tmDraw::SetRaceLayout(true);
    sys::tmCamera cam;
    cam.SetFov(1.0f);
    EXPECT_FLOAT_EQ(cam.GetAspect(), 1.3333334f);
    // The two projections share fov and aspect and differ in their range.
    D3DXMATRIX p, f;
    D3DXMatrixPerspectiveFovRH(&p, 1.0f, 1024.0f / 768.0f, 5, 40000);
    D3DXMatrixPerspectiveFovRH(&f, 1.0f, 1024.0f / 768.0f, 100, 200000);
    EXPECT_EQ(0, memcmp(&p, &cam.GetProjection(), sizeof p));
    EXPECT_EQ(0, memcmp(&f, &cam.GetFarProjection(), sizeof f));
    cam.Update();
    EXPECT_EQ(0, memcmp(&p, &log.projection, sizeof p));
    // A menu's view is the 16:9 virtual screen's, handed over scaled into its 1024 x 575 band.
    tmDraw::SetRaceLayout(false);
    cam.Update();
    EXPECT_FLOAT_EQ(cam.GetAspect(), 1366.0f / 768.0f);
    D3DXMatrixPerspectiveFovRH(&p, 1.0f, 1366.0f / 768.0f, 5, 40000);
    EXPECT_FLOAT_EQ(log.projection._11, p._11);
    EXPECT_FLOAT_EQ(log.projection._22, p._22 * 1024.0f / 1366.0f);
    EXPECT_FLOAT_EQ(log.extra2._22 / log.extra2._11, log.projection._22 / log.projection._11);
    EXPECT_FLOAT_EQ(log.frustumAspect, 1366.0f / 768.0f);
    // What lands on the back buffer is fitted alike; the mirror fills its own target, unfitted.
    cam.Apply();
    EXPECT_EQ(0, memcmp(&log.extra1, &log.projection, sizeof p));
    EXPECT_EQ(0, memcmp(&log.secondProjection, &log.projection, sizeof p));
    const D3DXMATRIX mirrored = cam.GetMirroredViewProjection();
    EXPECT_EQ(0, memcmp(&log.extra3, &mirrored, sizeof p));
}

TEST(Camera, ReversedViewLooksBackwardFromTheEye) {
    DrawLog log;
    sys::tmCamera cam;
    cam.LookAt(D3DXVECTOR3(0, 0, 10), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 1, 0));
    D3DXMATRIX expected;
    const D3DXVECTOR3 eye(0, 0, 10), at(0, 0, 20), up(0, 1, 0);
    D3DXMatrixLookAtRH(&expected, &eye, &at, &up);
    EXPECT_EQ(0, memcmp(&expected, &cam.GetReversedView(), sizeof expected));
    const D3DXVECTOR3 ahead = InView(cam.GetReversedView(), D3DXVECTOR3(0, 0, 20));
    EXPECT_NEAR(ahead.x, 0, 1e-5f);
    EXPECT_NEAR(ahead.z, -10, 1e-5f);
    // The mirror flips x of the reversed view-projection.
    D3DXMATRIX plain = cam.GetReversedView() * cam.GetProjection();
    D3DXMATRIX mirrored = cam.GetMirroredViewProjection();
    for (int r = 0; r < 4; ++r) {
        EXPECT_FLOAT_EQ(mirrored.m[r][0], -plain.m[r][0]);
        EXPECT_FLOAT_EQ(mirrored.m[r][1], plain.m[r][1]);
    }
    // A look-at point on the eye keeps the matrices it had.
    const D3DXMATRIX view = cam.GetView();
    cam.LookAt(D3DXVECTOR3(1, 1, 1), D3DXVECTOR3(1, 1, 1), D3DXVECTOR3(0, 1, 0));
    EXPECT_EQ(0, memcmp(&view, &cam.GetView(), sizeof view));
    ExpectVec(cam.GetEye(), 1, 1, 1);
}

TEST(Camera, UpdateAndApplyHandTheMatricesToTheRenderer) {
    DrawLog log;
    sys::tmCamera cam;
    cam.LookAt(D3DXVECTOR3(0, 5, -30), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 1, 0));
    cam.Update();
    EXPECT_EQ(0, memcmp(&log.view, &cam.GetView(), sizeof log.view));
    EXPECT_EQ(0, memcmp(&log.projection, &cam.GetProjection(), sizeof log.view));
    EXPECT_EQ(0, memcmp(&log.extra2, &cam.GetFarProjection(), sizeof log.view));
    const D3DXMATRIX mirrored = cam.GetMirroredViewProjection();
    EXPECT_EQ(0, memcmp(&log.extra3, &mirrored, sizeof log.view));
    EXPECT_EQ(log.nearPlane, 5.0f);
    EXPECT_EQ(log.farPlane, 40000.0f);
    EXPECT_EQ(log.frustumCalls, 1);
    EXPECT_FLOAT_EQ(log.frustumAspect, 1366.0f / 768.0f);
    cam.Apply();
    EXPECT_EQ(0, memcmp(&log.secondView, &cam.GetView(), sizeof log.view));
    EXPECT_EQ(0, memcmp(&log.extra1, &cam.GetProjection(), sizeof log.view));
}

TEST(Frustum, PointsAgainstEachPlane) {
    // A camera at (0, 0, 100) looking down -z with a 90-degree lens on a square screen.
    tmFrustum f;
    D3DXMATRIX view;
    const D3DXVECTOR3 eye(0, 0, 100), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    f.Build(view, 1.5707964f, 1.0f, 5.0f, 1000.0f);
    auto side = [&](int plane, float x, float y, float z) {
        const D3DXVECTOR3 p(x, y, z);
        return D3DXPlaneDotCoord(&f.planes[plane], &p);
    };
    // 50 units ahead the frustum is 100 units wide and tall.
    const float z = 50.0f;
    EXPECT_GT(side(tmFrustum::kLeft, -49, 0, z), 0.0f);
    EXPECT_LT(side(tmFrustum::kLeft, -51, 0, z), 0.0f);
    EXPECT_GT(side(tmFrustum::kRight, 49, 0, z), 0.0f);
    EXPECT_LT(side(tmFrustum::kRight, 51, 0, z), 0.0f);
    EXPECT_GT(side(tmFrustum::kTop, 0, 49, z), 0.0f);
    EXPECT_LT(side(tmFrustum::kTop, 0, 51, z), 0.0f);
    EXPECT_GT(side(tmFrustum::kBottom, 0, -49, z), 0.0f);
    EXPECT_LT(side(tmFrustum::kBottom, 0, -51, z), 0.0f);
    EXPECT_GT(side(tmFrustum::kNear, 0, 0, 94), 0.0f);
    EXPECT_LT(side(tmFrustum::kNear, 0, 0, 96), 0.0f);
    EXPECT_GT(side(tmFrustum::kFar, 0, 0, -899), 0.0f);
    EXPECT_LT(side(tmFrustum::kFar, 0, 0, -901), 0.0f);
    // The side planes are unit planes: the value is the distance.
    EXPECT_NEAR(side(tmFrustum::kNear, 0, 0, 85), 10.0f, 1e-3f);
    // On a wide screen the side planes open with the aspect, the top and bottom planes do not.
    f.Build(view, 1.5707964f, 2.0f, 5.0f, 1000.0f);
    EXPECT_GT(side(tmFrustum::kRight, 99, 0, z), 0.0f);
    EXPECT_LT(side(tmFrustum::kRight, 101, 0, z), 0.0f);
    EXPECT_LT(side(tmFrustum::kTop, 0, 51, z), 0.0f);
}

}  // namespace
