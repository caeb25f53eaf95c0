// tmFrustum.cpp -- frustum planes from a view matrix and projection values.
#include "sys/render/tmFrustum.h"

#include <cmath>

namespace {
// A view-space plane moved to world space: with v = w * V, a plane p (as a
// column) becomes V * p.
D3DXPLANE ToWorld(const D3DXMATRIX& v, float a, float b, float c, float d) {
    D3DXPLANE p(v._11 * a + v._12 * b + v._13 * c + v._14 * d, v._21 * a + v._22 * b + v._23 * c + v._24 * d,
                v._31 * a + v._32 * b + v._33 * c + v._34 * d, v._41 * a + v._42 * b + v._43 * c + v._44 * d);
    D3DXPLANE n;
    D3DXPlaneNormalize(&n, &p);
    return n;
}
}  // namespace

tmFrustum* tmFrustum::Build(const D3DXMATRIX& camera, float fieldOfView, float aspectRatio, float nearD, float farD) {
    fov = fieldOfView;
    aspect = aspectRatio;
    nearDistance = nearD;
    farDistance = farD;
    const float ty = std::tan(fieldOfView * 0.5f), tx = ty * aspectRatio;
    // View space looks along -z; inside means a*x + b*y + c*z + d >= 0.
    planes[kLeft] = ToWorld(camera, 1, 0, -tx, 0);
    planes[kRight] = ToWorld(camera, -1, 0, -tx, 0);
    planes[kTop] = ToWorld(camera, 0, -1, -ty, 0);
    planes[kBottom] = ToWorld(camera, 0, 1, -ty, 0);
    planes[kNear] = ToWorld(camera, 0, 0, -1, -nearD);
    planes[kFar] = ToWorld(camera, 0, 0, 1, farD);
    return this;
}
