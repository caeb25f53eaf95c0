// tmCameraCtrl.cpp -- set-ups and per-step maths of the race camera's 22 modes.
#include "app/tmCameraCtrl.h"

#include <algorithm>
#include <cmath>

#include "camera/tmCameraFixedPath.h"
#include "camera/tmCameraReplay.h"
#include "machine/tmMachineCore.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmDraw.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kChaseFov = 67.0f / 180.0f * kPi;
constexpr float kTurnStep = 0.06283186f;
constexpr float kMouseTurn = 0.006283186f;
constexpr float kPitchLimit = 1.5607964f;
constexpr uint32_t kRacingStatus = 3;

D3DXVECTOR3 Forward(float yaw) { return D3DXVECTOR3(std::sin(yaw), 0.0f, std::cos(yaw)); }
D3DXVECTOR3 In(const yiVec3& v) { return D3DXVECTOR3(v.x, v.y, v.z); }

D3DXVECTOR3 TurnY(const D3DXVECTOR3& p, float angle) {
    D3DXMATRIX r;
    D3DXMatrixRotationY(&r, angle);
    D3DXVECTOR3 out;
    D3DXVec3TransformNormal(&out, &p, &r);
    return out;
}

D3DXVECTOR3 Unit(const D3DXVECTOR3& v, const D3DXVECTOR3& fallback) {
    const float len = D3DXVec3Length(&v);
    return len > 1e-6f ? v / len : fallback;
}

// Eye and look-at of the machine viewer's four close-ups.
constexpr float kCloseUps[4][6] = {{15.77f, 6.73f, 33.5f, 15.16f, 6.74f, 32.7f},
                                   {43.89f, 3.3f, 2.93f, 34.89f, 3.36f, 2.95f},
                                   {-10.04f, 4.24f, -42.06f, -9.75f, 4.15f, -41.11f},
                                   {-21.38f, 11.63f, -21.82f, -20.71f, 11.13f, -21.28f}};

}  // namespace

tmCameraCtrl::tmCameraCtrl() = default;

tmCameraCtrl::~tmCameraCtrl() {
    if (replay_) replay_->Release();
    TM_DELETE(replay_);
    TM_DELETE(fixedPath_);
}

float tmCameraCtrl::Wrap(float a) {
    if (!std::isfinite(a)) return 0.0f;
    return std::remainder(a, 2.0f * kPi);
}

float tmCameraCtrl::AngleBetween(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    const float la = D3DXVec3Length(&a), lb = D3DXVec3Length(&b);
    if (la <= 0.0f || lb <= 0.0f) return kPi;
    const float c = std::max(-1.0f, std::min(1.0f, D3DXVec3Dot(&a, &b) / (la * lb)));
    return std::acos(c);
}

void tmCameraCtrl::Init() {
    SetDefaults();
    mode_ = 0;
    pitch_ = yaw_ = chaseYaw_ = lean_ = roll_ = pull_ = 0.0f;
    bounceVelocity_ = bounceOffset_ = orbitZoom_ = orbitAngle_ = 0.0f;
    target_ = nullptr;
    SetMode(1);
    const int course = static_cast<int>(tmRaceState::Get().setup.course);
    if (!replay_) {
        replay_ = TM_NEW tmCameraReplay();
        replay_->Init(course, &random_);
    }
    if (!fixedPath_) {
        fixedPath_ = TM_NEW tmCameraFixedPath();
        fixedPath_->Init(course);
    }
    replay_->SetTarget(nullptr);
}

void tmCameraCtrl::SetTarget(const tmMachineCore* machine) {
    target_ = machine;
    if (replay_) replay_->SetTarget(machine);
}

void tmCameraCtrl::SetMode(int mode) {
    if (mode == mode_) return;
    mode_ = mode;
    RunSetUp();
}

void tmCameraCtrl::Take(const CameraState& s) {
    // A state without a lens (the fixed path of a course without shots) would make a projection of
    // infinities: the camera stays as it stood.
    if (!(s.fov > 0.0f && s.fov < kPi)) return;
    SetFov(s.fov);
    LookAt(In(s.eye), In(s.target), In(s.up));
}

void tmCameraCtrl::RunSetUp() {
    const D3DXVECTOR3 origin(0, 0, 0), up(0, 1, 0);
    switch (mode_) {
        case 1:
            SetFov(kPi / 2);
            LookAt(D3DXVECTOR3(100, 20, 0), origin, up);
            break;
        case 2:
        case 3: {
            const float aspect = tmDraw::GetInstance()->GetSceneFit().aspect;
            SetFov(aspect > kWideAspect ? kPi / 2 : kNarrowHudFov);
            LookAt(D3DXVECTOR3(0, mode_ == 2 ? 10.0f : 0.0f, -50), origin, up);
            break;
        }
        case 4:
            SetFov(kPi / 2);
            LookAt(D3DXVECTOR3(20, 0, 0), origin, up);
            break;
        case 5: SetFov(kChaseFov); break;
        case 6:
        case 7: SetFov(kPi / 2); break;
        case 8:
        case 9: chaseYaw_ = target_ ? target_->GetYaw() : 0.0f; break;
        case 10:
        case 11:
        case 12: chaseYaw_ = 0.0f; break;
        case 15:
            SetFov(kPi / 4);
            LookAt(D3DXVECTOR3(35.625908f, 12.711627f, -23.462725f), D3DXVECTOR3(34.8154f, 12.459656f, -22.933968f),
                   up);
            break;
        case 16:
            orbitZoom_ = 0.0f;
            orbitAngle_ = kPi / 4;
            break;
        case 21:
            if (!target_ || !replay_) break;
            replay_->Start(tmRaceState::Get().status < kRacingStatus);
            Take(replay_->GetState());
            break;
        case 22:
            if (!fixedPath_) break;
            fixedPath_->Reset();
            Take(fixedPath_->GetState());
            break;
        default: break;
    }
}

void tmCameraCtrl::Update() {
    const bool needsTarget = (mode_ >= 7 && mode_ <= 14) || mode_ == 21;
    if (needsTarget && !target_) return;
    switch (mode_) {
        case 6: GroundDrive(); break;
        case 7: Chase(target_->position, target_->heading, 45.0f, 0.5f); break;
        case 8: RaceChase(40.0f); break;
        case 9: RaceChase(60.0f); break;
        case 10: HighChase(); break;
        case 11:
        case 13: InCar(false); break;
        case 12:
        case 14: InCar(true); break;
        case 16: Orbit(); break;
        case 17:
        case 18:
        case 19:
        case 20: {
            const float* c = kCloseUps[mode_ - 17];
            LookAt(D3DXVECTOR3(c[0], c[1], c[2]), D3DXVECTOR3(c[3], c[4], c[5]), D3DXVECTOR3(0, 1, 0));
            break;
        }
        case 21:
            if (!replay_) break;
            replay_->Update();
            Take(replay_->GetState());
            break;
        case 22:
            if (!fixedPath_) break;
            fixedPath_->Update();
            Take(fixedPath_->GetState());
            break;
        default: break;
    }
}

void tmCameraCtrl::UpdateView() {
    if (mode_ == 5) FreeLook();
    // The fixed fronts choose their lens by the view's shape: choose again when it has changed.
    if ((mode_ == 2 || mode_ == 3) && GetAspect() != tmDraw::GetInstance()->GetSceneFit().aspect) RunSetUp();
    sys::tmCamera::Update();
}

void tmCameraCtrl::Chase(const D3DXVECTOR3& point, float direction, float distance, float lift) {
    D3DXVECTOR3 eye = point - distance * Forward(direction);
    eye.y += distance * lift;
    LookAt(eye, point + D3DXVECTOR3(0, 5, 0), D3DXVECTOR3(0, 1, 0));
}

void tmCameraCtrl::Bounce(float speed) {
    if (bounceOffset_ <= 0.01f && speed > 200.0f && random_.Chance((speed - 200.0f) * 0.00083333335f))
        bounceVelocity_ = random_.GetFloat((speed - 200.0f) * 0.00066666666f + 0.06f);
    bounceOffset_ += bounceVelocity_;
    bounceVelocity_ -= 0.06f;
    if (bounceOffset_ < 0.0f) bounceOffset_ = bounceVelocity_ = 0.0f;
}

void tmCameraCtrl::RaceChase(float distance) {
    const tmMachineCore& m = *target_;
    SetFov(kChaseFov);
    const float yaw = m.GetYaw();
    float d = Wrap(yaw - chaseYaw_) * 0.1f;
    d = std::max(-0.05f, std::min(d, 0.05f));
    chaseYaw_ = Wrap(chaseYaw_ + d);
    const D3DXVECTOR3 f = Forward(chaseYaw_);
    D3DXVECTOR3 at = m.position + D3DXVECTOR3(0, 13, 0);
    Bounce(m.kmh);
    at.y -= bounceOffset_;
    D3DXVECTOR3 eye = m.position - 42.0f * f;
    eye.y = m.position.y + 18.0f;
    // Side shift toward the turn, at most 10 units.
    D3DXVECTOR3 s = D3DXVECTOR3(f.z, 0.0f, -f.x) * (-200.0f * d / kPi);
    const float sl = D3DXVec3Length(&s);
    if (sl > 10.0f) s *= 10.0f / sl;
    eye += s;
    at += s;
    // Lean with the machine's sideways speed.
    float v = std::max(-0.3f, std::min(m.GetLateralSpeed(), 0.3f)) / 0.3f;
    float lean = lean_ + (v - lean_) * 0.03f;
    if (m.kmh < 200.0f && v > 0.0f) lean *= m.kmh / 200.0f;
    lean_ = lean;
    at.y += lean_;
    eye.y -= lean_;
    // Pulled back at high speed.
    const float target = m.kmh >= 400.0f ? (m.kmh - 400.0f) * 0.0025f : 0.0f;
    pull_ += (target - pull_) * (target > pull_ ? 0.1f : 0.05f);
    eye = at + Unit(eye - at, -f) * (distance + 10.0f * pull_);
    // Roll after the machine's body lean, with a dead zone.
    const float tilt = m.GetTilt1();
    if (roll_ < tilt) roll_ += 0.001f;
    if (roll_ > tilt) roll_ -= 0.001f;
    float r = 0.0f;
    if (std::fabs(roll_) >= 0.001f) r = roll_ > 0.0f ? roll_ - 0.001f : roll_ + 0.001f;
    const D3DXVECTOR3 up = Unit(TurnY(D3DXVECTOR3(3.0f * r, 1.0f, 0.0f), yaw), D3DXVECTOR3(0, 1, 0));
    LookAt(eye, at, up);
}

void tmCameraCtrl::HighChase() {
    const tmMachineCore& m = *target_;
    SetFov(kChaseFov);
    const D3DXVECTOR3 t = Forward(m.heading);
    LookAt(m.position - 52.0f * t + D3DXVECTOR3(0, 25, 0), m.position + D3DXVECTOR3(0, 19, 0), D3DXVECTOR3(0, 1, 0));
}

void tmCameraCtrl::InCar(bool withRoll) {
    const tmMachineCore& m = *target_;
    SetFov(kChaseFov);
    const float yaw = m.GetYaw();
    const D3DXVECTOR3 h = Forward(yaw);
    const D3DXVECTOR3 eye = m.position + D3DXVECTOR3(0, withRoll ? 12.4f : 11.8f, 0);
    Bounce(m.kmh);
    D3DXVECTOR3 at = m.position + 52.0f * h + D3DXVECTOR3(0, 5, 0);
    at.y -= bounceOffset_;
    D3DXVECTOR3 up(0, 1, 0);
    if (withRoll) up = Unit(TurnY(D3DXVECTOR3(m.GetTilt2(), 1.0f, 0.0f), yaw), up);
    LookAt(eye, at, up);
}

void tmCameraCtrl::GroundDrive() {
    D3DXVECTOR3 point = GetLookAt();
    point.y = 0.0f;
    D3DXVECTOR3 dir = point - GetEye();
    dir.y = 0.0f;
    float yaw = AngleBetween(D3DXVECTOR3(0, 0, 1), dir);
    if (dir.x < 0.0f) yaw = -yaw;
    const tmPeripheral* in = tmPeripheral::GetInstance();
    float step = 1.0f;
    if (in) {
        if (in->IsPress(tmAction::kRight, tmPlayer::kOne)) yaw -= kTurnStep;
        if (in->IsPress(tmAction::kLeft, tmPlayer::kOne)) yaw += kTurnStep;
        if (in->IsPress(tmAction::kTransform, tmPlayer::kAny)) step = 5.0f;
    }
    const D3DXVECTOR3 forward = Forward(yaw);
    if (in && in->GetBrake(tmPlayer::kOne) > 0.1f)
        point -= step * forward;
    else if (in && in->GetAccelerator(tmPlayer::kOne) > 0.1f)
        point += step * forward;
    Chase(point, yaw, 40.0f, 0.5f);
}

void tmCameraCtrl::Orbit() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    if (in) {
        if (in->IsPress(tmAction::kUp, tmPlayer::kOne)) orbitZoom_ += 0.1f;
        if (in->IsPress(tmAction::kDown, tmPlayer::kOne)) orbitZoom_ -= 0.1f;
        if (in->IsPress(tmAction::kRight, tmPlayer::kOne)) orbitAngle_ -= kTurnStep;
        if (in->IsPress(tmAction::kLeft, tmPlayer::kOne)) orbitAngle_ += kTurnStep;
    }
    orbitZoom_ = std::max(-3.5f, std::min(orbitZoom_, 30.0f));
    SetFov(kPi / 4);
    const D3DXVECTOR3 centre(0, 3, 0);
    LookAt(centre + TurnY(D3DXVECTOR3(43.0f - 0.3f * orbitZoom_, 5.0f + orbitZoom_, 0.0f), orbitAngle_), centre,
           D3DXVECTOR3(0, 1, 0));
}

void tmCameraCtrl::FreeLook() {
    D3DXVECTOR3 dir = Unit(GetLookAt() - GetEye(), D3DXVECTOR3(0, 0, 1));
    const D3DXVECTOR3 flat(dir.x, 0.0f, dir.z);
    yaw_ = AngleBetween(D3DXVECTOR3(0, 0, 1), flat);
    if (dir.x < 0.0f) yaw_ = -yaw_;
    pitch_ = AngleBetween(flat, dir);
    if (dir.y > 0.0f) pitch_ = -pitch_;
    const tmPeripheral* in = tmPeripheral::GetInstance();
    D3DXVECTOR3 eye = GetEye();
    if (in && in->mouseButton[0]) {
        yaw_ -= static_cast<float>(in->mouseMoveX) * kMouseTurn;
        pitch_ += static_cast<float>(in->mouseMoveY) * kMouseTurn;
    }
    pitch_ = std::max(-kPitchLimit, std::min(pitch_, kPitchLimit));
    D3DXMATRIX turn;
    D3DXMatrixRotationYawPitchRoll(&turn, yaw_, pitch_, 0.0f);
    D3DXVECTOR3 forward;
    const D3DXVECTOR3 ahead(0, 0, 1);
    D3DXVec3TransformNormal(&forward, &ahead, &turn);
    if (in && in->mouseButton[1]) eye += 1.6f * static_cast<float>(in->mouseMoveY) * forward;
    LookAt(eye, eye + forward, GetUp());
    if (in && in->mouseWheel != 0) SetFov(GetFov() - static_cast<float>(in->mouseWheel) / 100.0f * 0.005f);
}
