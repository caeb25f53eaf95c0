// tmMachineMath.h -- small numeric helpers shared by the machine's physics steps.
#pragma once
#include <cmath>

#include "sys/base/tmMath.h"

namespace machine {

constexpr float kPi = D3DX_PI;
constexpr float kTwoPi = 2.0f * D3DX_PI;

// a / b, or 0 when b is 0 or the quotient is not finite: a handling value of
// 0 used as a divisor gives no drive or turn instead of a NaN.
inline float Divide(float a, float b) {
    if (b == 0.0f) return 0.0f;
    float q = a / b;
    return std::isfinite(q) ? q : 0.0f;
}

// An angle brought into -pi..pi (a non-finite angle gives 0).
inline float WrapAngle(float a) {
    if (!std::isfinite(a)) return 0.0f;
    if (a > kPi || a < -kPi) {
        a = std::fmod(a, kTwoPi);
        if (a > kPi) a -= kTwoPi;
        if (a < -kPi) a += kTwoPi;
    }
    return a;
}

inline float Clamp(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }

inline bool IsFinite(const D3DXVECTOR3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace machine
