// tmMachineTires.cpp -- steering, load transfer, tire grip and heading of the movement step.
#include <algorithm>
#include <cmath>

#include "machine/tmMachineCore.h"
#include "machine/tmMachineMath.h"
#include "machine/tmMachineMove.h"

using machine::Divide;
using machine::WrapAngle;

namespace {

constexpr float kSteerSlew = 0.03f;           // radians the wheels turn per step
constexpr float kMinTurnRadius = 1.5707964f;  // tightest path radius
constexpr float kStraightRadius = 100000.0f;  // a radius beyond this counts as straight

float LockRadians(const tmMachineCore& c) {
    const float degrees = c.bodyMode == 0 ? c.params.handleRate : c.params.handleRateAero;
    return degrees / 180.0f * machine::kPi;
}

// Limits a force to +-limit, keeping its sign.
float Limit(float force, float limit) { return std::fabs(force) > limit ? std::copysign(limit, force) : force; }

}  // namespace

// ============================================================================
// Steering and load transfer
// ============================================================================

void tmMachineMove::ApplySteering(float input) {
    steeringInput = input;
    // A positive wheel angle turns the machine toward +x at yaw 0, which is its
    // left as a camera behind it shows it; the record's -1 is full left.
    const float target = -input * LockRadians(*core_);
    if (std::fabs(steeringAngle - target) >= kSteerSlew)
        steeringAngle += target < steeringAngle ? -kSteerSlew : kSteerSlew;
    else
        steeringAngle = target;
    core_->steeringAngle = steeringAngle;
}

void tmMachineMove::UpdateLoadTransfer(float /*accelerator*/, float /*brake*/) {
    const float pitchSize = core_->params.pitchSize;
    L = (L - 0.5f) * 0.99f + 0.5f;
    const float k = dv * dv * 0.03f;
    if (dv < -0.1f) {
        L = L <= 0.5f ? L - k : 0.5f;
    } else if (dv > 0.1f) {
        L = L < 0.5f ? 0.5f : L + k;
    }
    L = machine::Clamp(L, 0.5f - pitchSize, 0.5f + pitchSize);
    M = machine::Clamp((M - 0.5f) * 0.9f + 0.5f + omega / (500000.0f * 100.0f), 0.0f, 1.0f);
    core_->longitudinalLoad = L;
    core_->lateralLoad = M;
}

// ============================================================================
// Grip and tire forces
// ============================================================================

void tmMachineMove::UpdateGripLimits() {
    const tmMachineParams& p = core_->params;
    const float base = 0.16333334f * p.weight * p.tireFrict;
    Gf = 2.0f * base * (1.0f - L);
    Gr = 2.0f * base * L;
    const float turning = p.weight * v * std::fabs(h) * p.centrifugalPwr;
    Lf = std::fabs(Df) + std::fabs(Rf) + turning;
    Lr = std::fabs(Dr) + std::fabs(Rr) + turning;
    Gf = std::max(Gf - Lf * p.tireFrictDec, p.tireFrictMin);
    Gr = std::max(Gr - Lr * p.tireFrictDec, p.tireFrictMin);
}

namespace {

// The heading change of one step along a path of radius rho at speed v: the
// direction of the chord the step covers, 0 when the chord is under 0.5.
float ChordTurn(float v, float rho) {
    const float t = v / rho / 60.0f;
    const D3DXVECTOR3 p(rho * 10.0f, 0.0f, 0.0f);
    D3DXMATRIX rotation;
    D3DXMatrixRotationY(&rotation, t);
    D3DXVECTOR3 q;
    D3DXVec3TransformCoord(&q, &p, &rotation);
    const D3DXVECTOR3 c = q - p;
    if (D3DXVec3Length(&c) < 0.5f) return 0.0f;
    return std::atan2(c.z, -c.x) + machine::kPi / 2.0f;
}

}  // namespace

void tmMachineMove::TireForcesA(float s) { TireForces(s, false); }
void tmMachineMove::TireForcesB(float s) { TireForces(s, true); }

void tmMachineMove::TireForces(float s, bool loadShared) {
    const tmMachineParams& p = core_->params;
    const float drift = WrapAngle(core_->rotation.y - heading);
    frontDrift = s + drift;
    rearDrift = drift;
    const float frontShare = loadShared ? 1.0f - L : 0.5f;
    const float rearShare = loadShared ? L : 0.5f;
    Ff = Limit((v * p.weight * frontShare + Df) * std::sin(frontDrift), Gf);
    Fr = Limit((v * p.weight * rearShare + Dr) * std::sin(rearDrift), Gr);
    lateralForce = Ff + Fr;
    if (std::fabs(v) < 0.01f) lateralForce = 0.0f;

    rho = 0.0f;
    if (std::fabs(lateralForce) > 0.001f) {
        rho = Divide(p.weight * v, lateralForce);
        if (std::fabs(rho) > kStraightRadius) rho = 0.0f;
    }
    if (rho != 0.0f && std::fabs(rho) < kMinTurnRadius) rho = std::copysign(kMinTurnRadius, rho);
    h = rho != 0.0f ? ChordTurn(v, rho) : 0.0f;
}

// ============================================================================
// Heading integration
// ============================================================================

float tmMachineMove::HeadingMix() const {
    const tmMachineParams& p = core_->params;
    const float kmh = v * 3.6f;
    if (kmh <= p.rfMixRateSpMin) return 0.0f;
    return std::min(Divide(kmh - p.rfMixRateSpMin, p.rfMixRateSpMax - p.rfMixRateSpMin), 1.0f);
}

void tmMachineMove::IntegrateHeadingA(float s) {
    const tmMachineParams& p = core_->params;
    const float yaw = core_->rotation.y;
    heading = WrapAngle(heading + h);
    const float a = WrapAngle(yaw - heading);
    Yf = Limit((v * p.weight * (1.0f - L) + Df) * std::sin(s + a), Gf);
    Yr = Limit((v * p.weight * L + Dr) * std::sin(a), Gr);
    tau = Yf + Yr;
    if ((s < 0.0f && tau > 0.0f) || (s > 0.0f && tau < 0.0f)) tau = 0.0f;  // never against the steering
    omega += tau;
    psi = Divide(omega, p.bodyTensor * p.weight);
    const float bank = core_->rotation.z * v * 0.0004f;
    psi += bank;
    heading += bank;
    if (std::fabs(v) < 0.01f) {
        heading = yaw + psi;
        omega = 0.0f;
    }
    const float kmh = v * 3.6f;
    const float keep = 1.0f - p.rfResist;
    kappa = machine::Clamp(Divide((kmh - p.rfMixRateSpMin) * keep, p.rfMixRateSpMax - p.rfMixRateSpMin), 0.0f,
                           std::max(keep, 0.0f));
    omega *= kappa;
    heading = WrapAngle(yaw + psi);
}

void tmMachineMove::IntegrateHeadingB(float s) {
    const tmMachineParams& p = core_->params;
    const float yaw = core_->rotation.y;
    heading = WrapAngle(heading + h);
    const float a = WrapAngle(yaw - heading);
    const float front = 1.0f - L;
    Yf = (Df * p.rfFrontPwrRate + front * p.rfHandlePwr) * std::sin(s) +
         (Df * p.rfFrontPwrRate + front * p.rfInertialPwr) * std::sin(a);
    Yr = (Dr * p.rfRearPwrRate + p.rfInertialPwr) * std::sin(a) * front;
    const float mix = HeadingMix();
    tau = Yf - Yr;
    omega = (omega + tau) * p.rfResist;
    if (std::fabs(omega) < 2.0f && std::fabs(Yf) < 2.0f && std::fabs(Yr) < 2.0f) {
        omega = 0.0f;
        tau = 0.0f;
    }
    if (std::fabs(v) < 0.01f) {
        heading = yaw + psi;
        omega = Yf = Yr = 0.0f;
    }
    const float bank = core_->rotation.z * v * 0.0004f;
    psi = Divide(omega, p.bodyTensor * p.weight) + bank;
    heading += bank;
    const float d = WrapAngle(yaw + psi - heading);
    heading = WrapAngle(heading + (1.0f - mix) * d);
}
