// MathTest.cpp -- matrix and vector maths against hand-computed results.
#include <gtest/gtest.h>

#include <cmath>

#include "sys/base/tmMatrix.h"

namespace {

void ExpectNear(const D3DXMATRIX& a, const D3DXMATRIX& b, float eps = 1e-5f) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(a.m[r][c], b.m[r][c], eps) << "at " << r << "," << c;
}

void ExpectNear(const D3DXVECTOR3& a, const D3DXVECTOR3& b, float eps = 1e-5f) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

D3DXVECTOR3 Transform(const D3DXVECTOR3& p, const D3DXMATRIX& m) {
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &p, &m);
    return out;
}

const float kHalfPi = D3DX_PI / 2;

}  // namespace

TEST(MathTest, MultiplyAppliesLeftOperandFirstAndMayAlias) {
    D3DXMATRIX t, s, ts;
    D3DXMatrixTranslation(&t, 1, 2, 3);
    D3DXMatrixScaling(&s, 2, 2, 2);
    D3DXMatrixMultiply(&ts, &t, &s);
    ExpectNear(Transform({1, 0, 0}, ts), {4, 4, 6});  // translate, then scale
    D3DXMatrixMultiply(&t, &t, &s);                   // out aliases the first operand
    ExpectNear(t, ts);
    ExpectNear(t, D3DXMATRIX(2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 2, 4, 6, 1));
}

TEST(MathTest, ElementaryRotationsTurnAxesByTheRightHandRuleInRowConvention) {
    D3DXMATRIX m;
    ExpectNear(Transform({0, 1, 0}, *D3DXMatrixRotationX(&m, kHalfPi)), {0, 0, 1});
    ExpectNear(Transform({0, 0, 1}, *D3DXMatrixRotationY(&m, kHalfPi)), {1, 0, 0});
    ExpectNear(Transform({1, 0, 0}, *D3DXMatrixRotationZ(&m, kHalfPi)), {0, 1, 0});
    // The axis form agrees with the elementary rotations, and normalizes its axis.
    D3DXMATRIX a, y;
    D3DXVECTOR3 axis(0, 5, 0);
    D3DXMatrixRotationAxis(&a, &axis, 0.7f);
    ExpectNear(a, *D3DXMatrixRotationY(&y, 0.7f));
}

TEST(MathTest, YawPitchRollIsRollThenPitchThenYaw) {
    float yaw = 0.3f, pitch = -0.8f, roll = 1.1f;
    D3DXMATRIX ypr, rz, rx, ry, expect;
    tmMatrix::RotationYawPitchRoll(&ypr, &yaw, &pitch, &roll);
    D3DXMatrixRotationZ(&rz, roll);
    D3DXMatrixRotationX(&rx, pitch);
    D3DXMatrixRotationY(&ry, yaw);
    expect = rz * rx * ry;
    ExpectNear(ypr, expect);
}

TEST(MathTest, InverseOfRegularAndSingularMatrices) {
    D3DXMATRIX m(2, 1, 0, 0, 0, 3, 1, 0, 1, 0, 4, 0, 5, -2, 7, 1), inv, prod, id;
    float det = 0;
    ASSERT_NE(D3DXMatrixInverse(&inv, &det, &m), nullptr);
    EXPECT_NEAR(det, 25.0f, 1e-4f);  // 2*12 - 1*(0-1) = 25
    D3DXMatrixIdentity(&id);
    ExpectNear(*D3DXMatrixMultiply(&prod, &m, &inv), id);
    ExpectNear(*D3DXMatrixMultiply(&prod, &inv, &m), id);

    D3DXMATRIX singular(1, 2, 3, 0, 2, 4, 6, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    D3DXMATRIX untouched = singular;
    EXPECT_EQ(D3DXMatrixInverse(&untouched, nullptr, &singular), nullptr);
    EXPECT_EQ(untouched, singular);
    tmMatrix::Invert(&singular);
    EXPECT_TRUE(D3DXMatrixIsIdentity(&singular));

    tmMatrix::Invert(&m);  // in place
    ExpectNear(m, inv);
}

TEST(MathTest, LookAtRHAndPerspectiveFovRHMatchHandComputedMatrices) {
    D3DXVECTOR3 eye(0, 0, 5), at(0, 0, 0), up(0, 1, 0);
    D3DXMATRIX view;
    tmMatrix::LookAtRH(&view, &eye, &at, &up);
    ExpectNear(view, D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -5, 1));
    ExpectNear(Transform({0, 0, 0}, view), {0, 0, -5});  // in front of the camera is -z

    // Looking along +x from the origin with y up, the right-hand side is +z.
    D3DXVECTOR3 at2(10, 0, 0);
    D3DXVECTOR3 origin(0, 0, 0);
    tmMatrix::LookAtRH(&view, &origin, &at2, &up);
    ExpectNear(Transform({3, 0, 0}, view), {0, 0, -3});
    ExpectNear(Transform({0, 0, 1}, view), {1, 0, 0});

    D3DXMATRIX proj;
    tmMatrix::PerspectiveFovRH(&proj, kHalfPi, 2.0f, 1.0f, 101.0f);
    // cot(45 deg) = 1; zf / (zn - zf) = -1.01; zn zf / (zn - zf) = -1.01
    ExpectNear(proj, D3DXMATRIX(0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1.01f, -1, 0, 0, -1.01f, 0));
    ExpectNear(Transform({0, 0, -1}, proj), {0, 0, 0});
    ExpectNear(Transform({0, 0, -101}, proj), {0, 0, 1}, 1e-4f);
}

TEST(MathTest, CrossIsExactAndNormalsIgnoreTranslation) {
    D3DXVECTOR3 a(1, 2, 3), b(4, 5, 6), c;
    tmVec3::Cross(&c, &a, &b);
    ExpectNear(c, {-3, 6, -3});
    EXPECT_EQ(tmVec3::Cross(&a, &a, &b), &a);  // aliasing the input is allowed
    ExpectNear(a, {-3, 6, -3});
    // Double precision: float products would cancel to 0 here.
    D3DXVECTOR3 p(16777217.0f, 1.0f, 0.0f), q(16777215.0f, 1.0f, 0.0f);
    tmVec3::Cross(&c, &p, &q);
    EXPECT_FLOAT_EQ(c.z, 16777216.0f - 16777215.0f + 0.0f);

    D3DXVECTOR3 zero, n;
    ExpectNear(*D3DXVec3Normalize(&n, &zero), {0, 0, 0});
    D3DXVECTOR3 v(3, 0, 4);
    ExpectNear(*D3DXVec3Normalize(&n, &v), {0.6f, 0, 0.8f});

    D3DXMATRIX t;
    D3DXMatrixTranslation(&t, 10, 20, 30);
    D3DXVec3TransformNormal(&n, &v, &t);  // directions ignore translation
    ExpectNear(n, v);
}

TEST(MathTest, ColourRoundTripsThroughARGB) {
    D3DXCOLOR c(0x80FF4000u);
    EXPECT_FLOAT_EQ(c.r, 1.0f);
    EXPECT_FLOAT_EQ(c.b, 0.0f);
    EXPECT_EQ(c.ToARGB(), 0x80FF4000u);
    EXPECT_EQ(D3DXCOLOR(2.0f, -1.0f, 0.5f, 1.0f).ToARGB(), 0xFFFF0080u);
}
