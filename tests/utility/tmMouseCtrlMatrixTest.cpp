// tmMouseCtrlMatrixTest.cpp -- drag turns about the screen axes, wheel scaling and its lower limit.
#include "utility/tmMouseCtrlMatrix.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sys/input/tmPeripheral.h"

namespace {

D3DXVECTOR3 Apply(const D3DXMATRIX& m, float x, float y, float z) {
    D3DXVECTOR3 p(x, y, z), out;
    D3DXVec3TransformCoord(&out, &p, &m);
    return out;
}

bool IsIdentity(const D3DXMATRIX& m) {
    D3DXMATRIX id;
    D3DXMatrixIdentity(&id);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(m.m[r][c] - id.m[r][c]) > 1e-6f) return false;
    return true;
}

TEST(MouseCtrlMatrix, WheelScalesUntilTheLowerLimit) {
    tmMouseCtrlMatrix m;
    EXPECT_TRUE(IsIdentity(m.GetMatrix()));
    m.Apply(false, 0, 0, 120);
    EXPECT_NEAR(m.GetMatrix()._11, 0.88f, 1e-6f);
    EXPECT_NEAR(m.GetMatrix()._33, 0.88f, 1e-6f);
    m.Reset();
    m.Apply(false, 0, 0, 900);  // s = 0.1: no scaling
    EXPECT_TRUE(IsIdentity(m.GetMatrix()));
    m.Apply(false, 0, 0, 5000);
    EXPECT_TRUE(IsIdentity(m.GetMatrix()));
    m.Apply(false, 0, 0, -1000);  // a wheel toward the user doubles it
    EXPECT_NEAR(m.GetMatrix()._22, 2.0f, 1e-6f);
}

TEST(MouseCtrlMatrix, DraggingTurnsAboutTheScreenAxesWhateverTheOrientation) {
    tmMouseCtrlMatrix m;
    m.Apply(false, 300, 300, 0);  // no button: motion changes nothing
    EXPECT_TRUE(IsIdentity(m.GetMatrix()));
    // With the button held and no motion nothing turns; 314 counts of X motion turn a quarter about Y.
    m.Apply(true, 0, 0, 0);
    EXPECT_TRUE(IsIdentity(m.GetMatrix()));
    const float quarter = 1.5707964f / 0.005f;
    m.Apply(true, static_cast<int>(std::lround(quarter)), 0, 0);
    D3DXVECTOR3 p = Apply(m.GetMatrix(), 1, 0, 0);
    EXPECT_NEAR(p.x, 0.0f, 2e-3f);
    EXPECT_NEAR(std::fabs(p.z), 1.0f, 2e-3f);
    // After that turn, Y motion still turns about the screen's X axis: the model's
    // y axis goes to the screen's z, whatever the first turn did.
    tmMouseCtrlMatrix n;
    n.Apply(true, static_cast<int>(std::lround(quarter)), 0, 0);
    D3DXMATRIX rotX;
    D3DXMatrixRotationX(&rotX, 0.005f * std::lround(quarter));
    const D3DXMATRIX expected = n.GetMatrix() * rotX;
    n.Apply(true, 0, static_cast<int>(std::lround(quarter)), 0);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(n.GetMatrix().m[r][c], expected.m[r][c], 1e-5f) << r << c;
}

TEST(MouseCtrlMatrix, UpdateReadsTheInputService) {
    tmMouseCtrlMatrix m;
    m.Update();  // no input service yet
    EXPECT_TRUE(IsIdentity(m.GetMatrix()));
    tmPeripheral::Create();
    tmPeripheral* in = tmPeripheral::GetInstance();
    in->mouseWheel = 120;
    m.Update();
    EXPECT_NEAR(m.GetMatrix()._11, 0.88f, 1e-6f);
    in->mouseWheel = 0;
    in->mouseButton[0] = 1;
    in->mouseMoveX = 100;
    m.Update();
    EXPECT_FALSE(std::fabs(m.GetMatrix()._13) < 1e-4f);
    tmPeripheral::Destroy();
}

}  // namespace
