// tmMachineMove.cpp -- the movement step: reading the control record and running the physics in order.
#include "machine/tmMachineMove.h"

#include <cmath>

#include "app/tmConfig.h"
#include "machine/tmMachineCore.h"
#include "machine/tmMachineDriver.h"
#include "machine/tmMachineSources.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"

tmMachineMove::tmMachineMove() = default;

tmMachineMove::~tmMachineMove() { Release(); }

void tmMachineMove::Init(tmMachineCore* core, const tmCourse* course) {
    core_ = core;
    const tmMachineParams& p = core->params;
    v = dv = T = W = N = E = D = 0.0f;
    Df = Dr = Pf = Pr = Rf = Rr = Xf = Xr = 0.0f;
    F = p.gearFinal;
    R = p.revMin;
    G = 1.0f;
    A = AirResistance();
    Q = RollingResistance();
    c1 = c2 = cooldown = 0;
    B = 0.0f;
    boostVoice[0] = boostVoice[1] = 0;

    L = M = 0.5f;
    Gf = Gr = Lf = Lr = 0.0f;
    steeringInput = steeringAngle = lateralForce = Ff = Fr = frontDrift = rearDrift = 0.0f;
    rho = h = tau = omega = Yf = Yr = kappa = psi = 0.0f;
    heading = core->rotation.y;

    push = rotationStep = D3DXVECTOR3();
    previousPosition = core->position;
    floorState = 1;
    for (int i = 0; i < 4; ++i) bumpVelocity[i] = bumpOffset[i] = 0.0f;

    if (!driver_) driver_ = TM_NEW tmMachineDriver;
    driver_->Init(core, course);
}

void tmMachineMove::Release() {
    if (core_) StopBoostVoices();
    TM_DELETE(driver_);
    driver_ = nullptr;
}

// ============================================================================
// The step
// ============================================================================

void tmMachineMove::Update(const tmCourse* course) {
    ReadControl();
    UpdateGripLimits();
    switch (core_->params.drivingType) {
        case 0:
            TireForcesA(steeringAngle);
            IntegrateHeadingA(steeringAngle);
            break;
        case 1:
            TireForcesB(steeringAngle);
            IntegrateHeadingB(steeringAngle);
            break;
        default: break;
    }
    if (course) {
        UpdatePosition(course);
        UpdateAttitude(course);
        driver_->UpdateCounters();
    }
}

// ============================================================================
// Control sources
// ============================================================================

void tmMachineMove::ReadControl() {
    tmMachineCore& c = *core_;
    const tmRaceState& race = tmRaceState::Get();
    tmMachineControl record;
    if (c.raceState == 2) {
        record = driver_->GetControl();
    } else {
        switch (c.controllerType) {
            case kControllerReplay: {
                const int entrant = race.setup.mode == kRaceModeGhost ? 0 : static_cast<int>(c.gridIndex);
                const tmReplaySource* replay = tmReplaySource::Get();
                const tmReplayRecord* r = replay ? replay->GetPlaybackRecord(entrant) : nullptr;
                if (r) record = SanitizeControl(r->control);
                break;
            }
            case kControllerComputer: record = driver_->GetControl(); break;
            case kControllerNetwork: record = ReadNetwork(); break;
            default: record = ReadPad(); break;
        }
    }

    float gate = 1.0f;
    if (v <= 0.0f && record.accelerator <= 0.0f) gate = 0.0f;
    if (c.raceState == 0 && !c.viewerMode) gate = 0.0f;  // the engine revs but does not drive before the start

    ApplySteering(record.steering);
    if (!c.viewerMode) UpdateGears(record.shiftUp != 0, record.shiftDown != 0);
    UpdateDrivetrain(record.accelerator, record.brake, gate, steeringAngle);
    UpdateBodyMode(record.bodyMode != 0);
    if (c.viewerMode)
        UpdateBoostViewer(record.boost != 0, record.bodyMode != 0);
    else
        UpdateBoost(record.boost != 0, record.brake > 0.5f || record.bodyMode != 0);
    UpdateLoadTransfer(record.accelerator, record.brake);
    c.control = record;
}

tmMachineControl tmMachineMove::ReadPad() const {
    tmMachineControl record;
    const tmPeripheral* pad = tmPeripheral::GetInstance();
    if (!pad) return record;
    // The pad reads positive for left; the record's -1 is full left.
    record.steering = -pad->GetSteering(tmPlayer::kOne);
    record.accelerator = pad->GetAccelerator(tmPlayer::kOne);
    record.brake = pad->GetBrake(tmPlayer::kOne);
    if (core_->viewerMode) {
        record.accelerator *= 3.0f;
        record.brake *= 7.0f;
    }
    if (driver_ && driver_->HasCourse() && tmConfig::GetInstance().GetGameFlag1()) {
        const float assist = driver_->GetAssistBrake();
        if (assist > record.brake) {
            record.brake = assist;
            record.accelerator = 0.0f;
        }
    }
    record.shiftUp = pad->IsAction11Triggered(tmPlayer::kOne) ? 1 : 0;
    record.shiftDown = pad->IsAction12Triggered(tmPlayer::kOne) ? 1 : 0;
    record.bodyMode = pad->IsAction10Triggered(tmPlayer::kOne) ? 1 : 0;
    record.boost = pad->IsAction9Triggered(tmPlayer::kOne) ? 1 : 0;
    return record;
}

tmMachineControl tmMachineMove::ReadNetwork() const {
    tmMachineControl record;
    if (!tmRaceState::Get().IsNetworkMode()) return record;
    const tmPeerSource* peers = tmPeerSource::Get();
    tmPeerMachineState state;
    if (!peers || !peers->GetPeerState(static_cast<int>(core_->networkSlot), &state)) return record;

    tmMachineControl axes;
    axes.steering = state.steering;
    axes.accelerator = state.accelerator;
    axes.brake = state.brake;
    record = SanitizeControl(axes);

    // Buttons made up so that this copy follows the peer's gear and body.
    const int32_t own = core_->gear;
    const int64_t peerGear = state.gear;
    if (own > peerGear) record.shiftDown = 1;
    if (own < peerGear) record.shiftUp = 1;
    const uint32_t peer = state.bodyMode;
    switch (core_->bodyMode) {
        case 0:
            if (peer != 0) record.bodyMode = 1;
            if (peer == 2) record.boost = 1;
            break;
        case 1:
            if (peer == 0) record.bodyMode = 1;
            if (peer == 2) record.boost = 1;
            break;
        case 2:
            if (peer == 0 || peer == 3) record.boost = 1;
            break;
        case 3:
            if (peer != 3) record.boost = 1;
            break;
        default: break;
    }
    return record;
}
