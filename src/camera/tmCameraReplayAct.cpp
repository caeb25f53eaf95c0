// tmCameraReplayAct.cpp -- the six procedural replay moves and the springs that give them a hand-held feel.
#include "camera/tmCameraReplayAct.h"

#include <algorithm>
#include <cmath>

#include "camera/tmCameraRandom.h"
#include "machine/tmMachineCore.h"

namespace {
constexpr float kPi = 3.14159265f;
constexpr float kActFov = kPi / 4.0f;
constexpr int kSpringSettleSteps = 20;
constexpr int kDriftFrames = 480;

D3DXVECTOR3 TurnY(const D3DXVECTOR3& p, float angle) {
    D3DXMATRIX r;
    D3DXMatrixRotationY(&r, angle);
    D3DXVECTOR3 out;
    D3DXVec3TransformNormal(&out, &p, &r);
    return out;
}

yiVec3 Out(const D3DXVECTOR3& v) { return {v.x, v.y, v.z}; }
}  // namespace

// ---- spring ------------------------------------------------------------------------------

D3DXVECTOR3 tmCameraSpring::DrawGoal(bool normalizeAlways) {
    D3DXVECTOR3 g(0, 0, 0);
    if (random_)
        g = D3DXVECTOR3(random_->GetFloatRange(-1, 1), random_->GetFloatRange(-1, 1), random_->GetFloatRange(-1, 1));
    const float len = D3DXVec3Length(&g);
    if (len > 0.01f || (normalizeAlways && len > 0.0f)) g /= len;
    return g * radius;
}

void tmCameraSpring::Init(float r, float factor, float k) {
    radius = r;
    lateralFactor = factor;
    stiffness = k;
    position = velocity = D3DXVECTOR3(0, 0, 0);
    lateral = 0.0f;
    steps = 0;
    goal = DrawGoal(false);
}

void tmCameraSpring::Update() {
    if (!machine_) return;
    position += velocity;
    if (steps >= kSpringSettleSteps) goal = DrawGoal(true);
    const D3DXVECTOR3 pulled = goal + D3DXVECTOR3(0, 0, lateral * lateralFactor);
    velocity += stiffness * (pulled - position);
    const float speed = D3DXVec3Length(&velocity);
    if (speed > kMaxSpeed) velocity *= kMaxSpeed / speed;
    lateral += (machine_->GetLateralSpeed() - lateral) * 0.02f;
    if (lateralFactor > 0.0f) lateral = std::max(-10.0f / lateralFactor, std::min(lateral, 10.0f / lateralFactor));
    ++steps;
}

// ---- act ---------------------------------------------------------------------------------

void tmCameraReplayAct::SetMachine(const tmMachineCore* machine) {
    machine_ = machine;
    eyeSpring_.SetMachine(machine);
    lookSpring_.SetMachine(machine);
}

void tmCameraReplayAct::SetRandom(tmCameraRandom* random) {
    random_ = random;
    eyeSpring_.SetRandom(random);
    lookSpring_.SetRandom(random);
}

float tmCameraReplayAct::Range(float lo, float hi) { return random_ ? random_->GetFloatRange(lo, hi) : (lo + hi) / 2; }

D3DXVECTOR3 tmCameraReplayAct::InMachine(const D3DXVECTOR3& p) const {
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &p, &machine_->worldMatrix);
    return out;
}

void tmCameraReplayAct::SetUp(float angle) {
    D3DXVECTOR3 up = TurnY(D3DXVECTOR3(0, 1, roll_), angle);
    D3DXVec3Normalize(&up, &up);
    state_.up = Out(up);
    state_.fov = kActFov;
}

void tmCameraReplayAct::Begin(int kind) {
    state_ = CameraState{};
    state_.up = {0, 1, 0};
    state_.fov = kActFov;
    roll_ = 0.0f;
    current_ = goal_ = goalVelocity_ = D3DXVECTOR3(0, 0, 0);
    angle_ = angularSpeed_ = 0.0f;
    framesInAct_ = totalFrames_ = 0;
    kind_ = kind;
    switch (kind) {
        case 1:
            roll_ = Range(-0.2f, 0.2f);
            lookSpring_.Init(5, 5, 0.001f);
            angle_ = Range(-kPi, kPi);
            angularSpeed_ = Range(-0.014959966f, 0.014959966f);
            break;
        case 2:
            roll_ = Range(-0.2f, 0.2f);
            eyeSpring_.Init(2, 2, 0.001f);
            lookSpring_.Init(3, 5, 0.001f);
            angle_ = Range(-kPi, kPi);
            break;
        case 3:
            roll_ = Range(-0.2f, 0.2f);
            lookSpring_.Init(3, 0, 0.001f);
            angle_ = kPi + 0.15707964f;
            angularSpeed_ = -0.0010471976f;
            if (random_ && random_->Chance(0.5f)) {
                angle_ = kPi - 0.15707964f;
                angularSpeed_ = 0.0010471976f;
            }
            break;
        case 5:
            roll_ = Range(-0.1f, 0.1f);
            eyeSpring_.Init(3, 1, 0.001f);
            lookSpring_.Init(3, 1, 0.001f);
            goal_ = D3DXVECTOR3(40, 10, -100);
            goalVelocity_ = D3DXVECTOR3(0, 0, 1.1111112f);
            if (random_ && random_->Chance(0.5f)) goal_.x = -40;
            if (random_ && random_->Chance(0.5f)) {
                goalVelocity_.z = -1.1111112f;
                goal_.z = 100;
            }
            current_ = goal_;
            break;
        case 6:
            roll_ = Range(-0.1f, 0.1f);
            eyeSpring_.Init(10, 10, 0.001f);
            lookSpring_.Init(10, 10, 0.001f);
            goal_ = D3DXVECTOR3(10, 20, 10);
            if (random_ && random_->Chance(0.5f)) goal_.x = -10;
            goalVelocity_ = D3DXVECTOR3(0, 0.33333334f, 0.33333334f);
            current_ = goal_;
            break;
        case 7: {
            roll_ = Range(-0.5f, 0.5f);
            eyeSpring_.Init(10, 10, 0.001f);
            lookSpring_.Init(5, 10, 0.001f);
            D3DXVECTOR3 d(0.5f, 0.05f, -1.0f);
            for (int tries = 0; tries < 100; ++tries) {
                const D3DXVECTOR3 t(Range(-1, 1), Range(0, 0.3f), Range(-1, 1));
                if (D3DXVec3Length(&t) > 0.4f) {
                    d = t;
                    break;
                }
            }
            D3DXVec3Normalize(&d, &d);
            goal_ = D3DXVECTOR3(0, 5, 0) + 30.0f * d;
            goalVelocity_ = 0.16666667f * d;
            current_ = goal_;
            break;
        }
        default: break;
    }
    Step();
}

void tmCameraReplayAct::Step() {
    if (!machine_) return;
    const float heading = machine_->GetYaw();
    switch (kind_) {
        case 1:
            angle_ += angularSpeed_;
            state_.target = Out(InMachine(D3DXVECTOR3(0, 4, 0)) + lookSpring_.position);
            state_.eye = Out(InMachine(TurnY(D3DXVECTOR3(0, 20, 50), angle_)));
            SetUp(angle_);
            break;
        case 2:
            state_.target = Out(InMachine(D3DXVECTOR3(0, 2, 0)) + lookSpring_.position);
            state_.eye = Out(InMachine(TurnY(D3DXVECTOR3(0, 20, 40) + eyeSpring_.position, angle_)));
            SetUp(angle_);
            break;
        case 3:
            angle_ += angularSpeed_;
            state_.target = Out(InMachine(D3DXVECTOR3(0, 5, 0)) + lookSpring_.position);
            state_.eye = Out(InMachine(D3DXVECTOR3(0, 0.01f * static_cast<float>(framesInAct_), 0) +
                                       TurnY(D3DXVECTOR3(0, 5, 45), angle_)));
            SetUp(angle_);
            break;
        case 5:
        case 6:
            if (kind_ == 5 ? std::fabs(goal_.z) < 110.0f : std::fabs(goal_.y) < 200.0f) goal_ += goalVelocity_;
            current_ += 0.7f * (goal_ - current_);
            state_.target = Out(InMachine(lookSpring_.position));
            state_.eye = Out(InMachine(current_ + eyeSpring_.position));
            SetUp(heading);
            break;
        case 7: {
            if (framesInAct_ < kDriftFrames) goal_ += goalVelocity_;
            current_ += 0.7f * (goal_ - current_);
            state_.target = Out(InMachine(D3DXVECTOR3(0, 5, 0) + lookSpring_.position));
            D3DXVECTOR3 eye = InMachine(current_ + eyeSpring_.position);
            eye.y = std::max(eye.y, machine_->position.y + 3.0f);
            state_.eye = Out(eye);
            SetUp(heading);
            break;
        }
        default: break;
    }
}

void tmCameraReplayAct::Update() {
    Step();
    eyeSpring_.Update();
    lookSpring_.Update();
    ++framesInAct_;
    ++totalFrames_;
}
