// tmFrustum.h -- six clip planes of the view frustum in world space.
#pragma once
#include "sys/base/tmMath.h"

// Planes (unit normal pointing inward, distance) built from a camera; owned
// by the renderer, rebuilt by the cameras each frame through tmRender::SetFrustum.
struct tmFrustum {
    enum { kLeft, kRight, kTop, kBottom, kNear, kFar };
    D3DXPLANE planes[6];
    float fov = 0, aspect = 0, nearDistance = 0, farDistance = 0;

    // camera: the view matrix (world to view, right-handed, looking along -z).
    tmFrustum* Build(const D3DXMATRIX& camera, float fieldOfView, float aspectRatio, float nearD, float farD);
};
