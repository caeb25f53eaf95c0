// MatrixStackTest.cpp -- push, pop and the order in which stacked transforms act.
#include <gtest/gtest.h>

#include "sys/base/tmMatrixStack.h"

namespace {
D3DXVECTOR3 Apply(tmMatrixStack& s, D3DXVECTOR3 p) {
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &p, s.Top());
    return out;
}
}  // namespace

TEST(MatrixStackTest, NewStackTopIsIdentity) {
    tmMatrixStack s(4);
    EXPECT_TRUE(D3DXMatrixIsIdentity(s.Top()));
    EXPECT_EQ(s.Depth(), 0);
}

TEST(MatrixStackTest, NewestTransformActsOnThePointFirst) {
    tmMatrixStack s(4);
    s.Translate(1, 0, 0);
    s.Scale(2, 2, 2);
    D3DXVECTOR3 p = Apply(s, {1, 0, 0});
    EXPECT_FLOAT_EQ(p.x, 3.0f);
    EXPECT_FLOAT_EQ(p.y, 0.0f);
    EXPECT_FLOAT_EQ(p.z, 0.0f);

    tmMatrixStack r(2);
    r.Translate(0, 5, 0);
    r.RotateZ(D3DX_PI / 2);  // (1,0,0) turns to (0,1,0), then moves up 5
    p = Apply(r, {1, 0, 0});
    EXPECT_NEAR(p.x, 0.0f, 1e-6f);
    EXPECT_NEAR(p.y, 6.0f, 1e-6f);
}

TEST(MatrixStackTest, PushPopRestoresTheTop) {
    tmMatrixStack s(4);
    s.Translate(1, 2, 3);
    D3DXMATRIX before = *s.Top();
    s.Push();
    EXPECT_EQ(*s.Top(), before);  // the copy starts equal
    s.RotateX(0.5f);
    s.Scale(3, 3, 3);
    EXPECT_NE(*s.Top(), before);
    s.Pop();
    EXPECT_EQ(*s.Top(), before);
}

TEST(MatrixStackTest, PushAtCapacityAndPopAtDepthZeroAreIgnored) {
    tmMatrixStack s(3);
    s.Pop();
    EXPECT_EQ(s.Depth(), 0);
    EXPECT_TRUE(D3DXMatrixIsIdentity(s.Top()));
    s.Push();
    s.Push();
    EXPECT_EQ(s.Depth(), 2);
    s.Translate(1, 0, 0);
    D3DXMATRIX top = *s.Top();
    s.Push();  // no slot left: ignored, the top keeps its value
    EXPECT_EQ(s.Depth(), 2);
    EXPECT_EQ(*s.Top(), top);
    s.Pop();
    s.Pop();
    s.Pop();
    EXPECT_EQ(s.Depth(), 0);
    EXPECT_TRUE(D3DXMatrixIsIdentity(s.Top()));
}
