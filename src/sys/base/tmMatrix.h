// tmMatrix.h -- the game's matrix and vector helpers over the D3DX-style maths.
#pragma once
#include "sys/base/tmMath.h"

namespace tmMatrix {

// Sets m to the identity.
void SetIdentity(D3DXMATRIX* m);
// Replaces m by its inverse; a matrix without an inverse becomes the identity.
void Invert(D3DXMATRIX* m);
// Right-handed perspective projection, depth 0..1.
void PerspectiveFovRH(D3DXMATRIX* out, float fovy, float aspect, float zn, float zf);
// Right-handed view matrix looking from eye at at.
void LookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at, const D3DXVECTOR3* up);
// Rotation about an arbitrary axis (normalized here) by angle radians.
void RotationAxis(D3DXMATRIX* out, const D3DXVECTOR3* axis, float angle);
// Rotation from the three angles pointed to (roll about Z, pitch about X, yaw about Y).
void RotationYawPitchRoll(D3DXMATRIX* out, const float* yaw, const float* pitch, const float* roll);

}  // namespace tmMatrix

namespace tmVec3 {

// out = a x b, computed in double precision and stored as floats; returns out.
// out may alias a or b.
D3DXVECTOR3* Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b);

}  // namespace tmVec3
