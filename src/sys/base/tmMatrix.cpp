// tmMatrix.cpp -- the game's matrix and vector helpers.
#include "sys/base/tmMatrix.h"

namespace tmMatrix {

void SetIdentity(D3DXMATRIX* m) { D3DXMatrixIdentity(m); }

void Invert(D3DXMATRIX* m) {
    if (!D3DXMatrixInverse(m, nullptr, m)) D3DXMatrixIdentity(m);
}

void PerspectiveFovRH(D3DXMATRIX* out, float fovy, float aspect, float zn, float zf) {
    D3DXMatrixPerspectiveFovRH(out, fovy, aspect, zn, zf);
}

void LookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at, const D3DXVECTOR3* up) {
    D3DXMatrixLookAtRH(out, eye, at, up);
}

void RotationAxis(D3DXMATRIX* out, const D3DXVECTOR3* axis, float angle) { D3DXMatrixRotationAxis(out, axis, angle); }

void RotationYawPitchRoll(D3DXMATRIX* out, const float* yaw, const float* pitch, const float* roll) {
    D3DXMatrixRotationYawPitchRoll(out, *yaw, *pitch, *roll);
}

}  // namespace tmMatrix

namespace tmVec3 {

D3DXVECTOR3* Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
    double ax = a->x, ay = a->y, az = a->z, bx = b->x, by = b->y, bz = b->z;
    out->x = static_cast<float>(ay * bz - az * by);
    out->y = static_cast<float>(az * bx - ax * bz);
    out->z = static_cast<float>(ax * by - ay * bx);
    return out;
}

}  // namespace tmVec3
