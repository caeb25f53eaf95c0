// tmMachineDrivetrain.cpp -- gears, engine torque, drivetrain, body mode and boost of the movement step.
#include <algorithm>
#include <cmath>

#include "machine/tmMachineCore.h"
#include "machine/tmMachineMath.h"
#include "machine/tmMachineMove.h"
#include "machine/tmSimSound.h"
#include "table/MachineTable.h"

using machine::Divide;

namespace {

// Sound-table entries of the gearbox, the body and the boost.
enum SoundEntry {
    kSeShiftUp = 0,
    kSeShiftDown = 1,
    kSeBodyOut = 2,
    kSeBodyBack = 3,  // also the end of a second boost
    kSeBoostStart = 4,
    kSeSecondStart = 5,
    kSeBoostEnd = 6,
    kSeCharged = 7,
    kSeRefused = 8,
    kSeBoostDrive = 9,
    kSeBoostLoop = 10,
    kSeBoostLoopLate = 11,
    kSeBoostStart2 = 12,
    kSeSecondDrive = 13,
    kSeSecondLoop = 14,
    kSeSecondStart2 = 15,
};

constexpr int kSettleFrames = 12;  // frames a body mode must hold before a boost

int GearIndex(int gear) { return std::clamp(gear, 0, tmMachineParams::kGearRows - 1); }

}  // namespace

// ============================================================================
// Sounds
// ============================================================================

int tmMachineMove::PlaySe(int entry) const {
    if (!core_ || !core_->player || core_->hidden || !core_->spec || !core_->spec->soundTable) return 0;
    if (entry < 0 || entry >= kMachineOneShots) return 0;
    int32_t id = core_->spec->soundTable->oneShots[entry];
    if (id < 1) return 0;
    return tmSimSound::Get().Play(static_cast<uint32_t>(id));
}

void tmMachineMove::StopBoostVoices() {
    for (int32_t& voice : boostVoice) {
        if (voice > 0) tmSimSound::Get().Stop(voice);
        voice = 0;
    }
}

// ============================================================================
// Gears
// ============================================================================

void tmMachineMove::UpdateGears(bool shiftUp, bool shiftDown) {
    tmMachineCore& c = *core_;
    const tmMachineParams& p = c.params;
    if (shiftUp && c.gear < p.nbGear - 1) {
        ++c.gear;
        PlaySe(kSeShiftUp);
    }
    if (shiftDown && c.gear > 0) {
        --c.gear;
        PlaySe(kSeShiftDown);
    }
    const bool automatic = c.manualGears == 0 || c.raceState == 2;
    if (automatic && c.raceState != 0) {
        if (R > p.gearUp && c.gear < p.nbGear - 1) ++c.gear;
        if (c.gear > 0 && R < p.gearDown[GearIndex(c.gear)]) --c.gear;
    }
}

// ============================================================================
// Engine and resistances
// ============================================================================

float tmMachineMove::EngineTorque(float accelerator, float rpm) const {
    const tmMachineParams& p = core_->params;
    if (accelerator < 0.01f) return -rpm * p.engineBrk;
    constexpr int kLastRow = tmMachineParams::kTorqueRows - 1;
    constexpr float kLastRpm = 2000.0f * kLastRow;
    // Beyond the table the last value holds; below it the index stays on the table.
    if (!(rpm < kLastRpm)) return p.torque[kLastRow] * accelerator;
    int r = rpm > 0.0f ? static_cast<int>(rpm) : 0;
    int i = std::min(r / 2000, kLastRow - 1);
    float f = static_cast<float>(r % 2000) / 2000.0f;
    return (p.torque[i] + (p.torque[i + 1] - p.torque[i]) * f) * accelerator;
}

float tmMachineMove::AirResistance() const {
    const tmMachineParams& p = core_->params;
    return v * v * (core_->bodyMode == 0 ? p.airResist : p.airResistAero);
}

float tmMachineMove::RollingResistance() const {
    const float rough = (core_->floorState == 4 || core_->floorState == 5) ? 0.1f : 0.0001f;
    return std::fabs(v) * 0.16333334f * core_->params.weight * rough;
}

// ============================================================================
// Drivetrain step
// ============================================================================

void tmMachineMove::UpdateDrivetrain(float a, float b, float g, float s) {
    tmMachineCore& c = *core_;
    const tmMachineParams& p = c.params;
    const float wheelCircumference = 2.0f * p.tireRadius * machine::kPi;
    const bool boostOverRev = c.gear == p.nbGear - 1 && (c.bodyMode == 2 || c.bodyMode == 3);

    T = EngineTorque(a, R) + B;
    G = p.gearRatio[GearIndex(c.gear)] * F;
    W = G * T;
    N = N + (W / 15.0f) * (1.0f - g);
    N = N - N * 0.05f;
    if (N < 0.0f) N = 0.0f;
    D = W * g;
    Df = Divide(D * p.frontPwrRate, wheelCircumference);
    Dr = Divide(D * p.rearPwrRate, wheelCircumference);

    A = AirResistance();
    Q = RollingResistance();
    Rf = Q * 0.5f;
    Rr = Q * 0.5f;
    if (std::fabs(v) < 1.0f && b > 0.2f) {
        v = 0.0f;  // braking at a crawl stops the machine dead
    } else {
        Rf += p.brakePwr * b;
        Rr += p.brakePwr * b;
    }

    const float slope = c.rotation.x * -100.0f;
    Pf = (slope / 2.0f + Df) * std::cos(s);
    Pr = slope / 2.0f + Dr;
    const float s2 = v < 30.0f ? 0.0f : s;
    if (p.drivingType != 1) {
        Xf = std::sin(psi + s2) * p.vectBrakePwr;
        Xr = std::sin(psi) * p.vectBrakePwr;
    } else {
        const float drift = machine::WrapAngle(c.rotation.y - heading);
        Xf = std::sin(drift + s2) * p.vectBrakePwr;
        Xr = std::sin(drift) * p.vectBrakePwr;
    }
    Rf = std::fabs(Rf) + std::fabs(Xf);
    Rr = std::fabs(Rr) + std::fabs(Xr);

    dv = Divide(Pf + Pr, p.weight);
    if (R >= p.revLimit && dv > 0.0f && !boostOverRev) dv = 0.0f;
    v += dv;

    // Resistance only ever brings the speed toward 0.
    const float r = Divide(Rf + Rr + A, p.weight);
    if (v < 0.0f) {
        v += r;
        if (v > 0.0f) v = 0.0f;
    }
    if (v > 0.0f) {
        v -= r;
        if (v < 0.0f) v = 0.0f;
    }
    dv -= r;

    E = Divide(v * G * g + (1.0f - g) * N, wheelCircumference);
    R = E * 60.0f;
    if (R > p.revLimit && !boostOverRev) R = p.revLimit;
    if (R < p.revMin) R = p.revMin;
}

// ============================================================================
// Body mode
// ============================================================================

void tmMachineMove::ChangeBodyMode(uint32_t mode) {
    core_->previousBodyMode = core_->bodyMode;
    core_->bodyMode = mode;
    core_->framesInBodyMode = 0;
}

void tmMachineMove::UpdateBodyMode(bool button) {
    if (!button || !core_->spec) return;
    const int type = core_->spec->transitionType;
    if (type != 2 && type != 3) return;
    if (core_->bodyMode == 0) {
        ChangeBodyMode(1);
        PlaySe(kSeBodyOut);
    } else if (core_->bodyMode == 1) {
        ChangeBodyMode(0);
        PlaySe(kSeBodyBack);
    }
}

// ============================================================================
// Boost
// ============================================================================

namespace {

int BoostKind(const tmMachineCore& c) { return c.spec ? c.spec->boostStages : 0; }
uint32_t NormalBodyMode(const tmMachineCore& c) { return c.spec ? static_cast<uint32_t>(c.spec->drivePose) : 0u; }

}  // namespace

bool tmMachineMove::IsBoostReady() const {
    const tmMachineCore& c = *core_;
    return cooldown == 0 && BoostKind(c) != 0 && c.boostStock >= 1 && c.kmh > c.params.bstSpMin &&
           c.bodyMode == NormalBodyMode(c) && c.framesInBodyMode >= kSettleFrames;
}

void tmMachineMove::EndBoost(int soundEntry) {
    B = 0.0f;
    c1 = 0;
    c2 = 0;
    cooldown = core_->params.bstTimeWait;
    ChangeBodyMode(NormalBodyMode(*core_));
    PlaySe(soundEntry);
    StopBoostVoices();
}

void tmMachineMove::UpdateBoost(bool button, bool cancel) {
    tmMachineCore& c = *core_;
    const tmMachineParams& p = c.params;
    const int kind = BoostKind(c);

    if (button && IsBoostReady()) {
        ChangeBodyMode(2);
        PlaySe(kSeBoostStart);
        PlaySe(kSeBoostStart2);
        c1 = 0;
        c2 = 0;
        boostVoice[0] = boostVoice[1] = 0;  // forgotten, not stopped
        --c.boostStock;
        c.boostReady = IsBoostReady() ? 1 : 0;
        return;
    }

    if (c.bodyMode == 2) {
        ++c1;
        if (c1 == p.bstTimeStart) PlaySe(kSeBoostDrive);
        if (c1 == p.bstTimeStart + 16) boostVoice[0] = PlaySe(kSeBoostLoop);
        if (p.bstTimeUse > 240 && c1 == p.bstTimeUse - 120) boostVoice[1] = PlaySe(kSeBoostLoopLate);
        if (c1 > p.bstTimeStart) {
            B = p.bstPower * v;
            F = p.gearFinalBst;
            if (kind == 2 && c1 == p.bstTimeCharge) PlaySe(kSeCharged);
            if (button && kind == 2 && c1 > p.bstTimeCharge) {
                ChangeBodyMode(3);
                PlaySe(kSeSecondStart);
                PlaySe(kSeSecondStart2);
            } else if (button || cancel || c1 >= p.bstTimeUse) {
                EndBoost(kSeBoostEnd);
                return;  // the ready flag keeps its value
            }
        }
        c.boostFramesLeft = std::max(0, p.bstTimeUse - c1);
    } else if (c.bodyMode == 3) {
        ++c2;
        if (c2 == p.bstTimeStart2nd) PlaySe(kSeSecondDrive);
        if (c2 == p.bstTimeStart2nd + 2) boostVoice[1] = PlaySe(kSeSecondLoop);
        if (c2 > p.bstTimeStart2nd) {
            B = p.bstPower2nd * v;
            F = p.gearFinalBst;
        }
        if (!button && !cancel && c2 <= p.bstTimeUse2nd) {
            c.secondBoostFramesLeft = std::max(0, p.bstTimeUse2nd - c2);
            c.boostFramesLeft = std::max(0, p.bstTimeUse);
        } else {
            EndBoost(kSeBodyBack);
            return;
        }
    } else {
        if (cooldown > 0) --cooldown;
        if (button) PlaySe(kSeRefused);
        B = 0.0f;
        F = p.gearFinal;
        c.boostFramesLeft = 0;
        c.secondBoostFramesLeft = 0;
    }
    c.boostReady = IsBoostReady() ? 1 : 0;
}

void tmMachineMove::UpdateBoostViewer(bool button, bool bodyButton) {
    tmMachineCore& c = *core_;
    const tmMachineParams& p = c.params;
    const int kind = BoostKind(c);
    const bool ready = kind != 0 && c.bodyMode == NormalBodyMode(c) && c.framesInBodyMode >= kSettleFrames;
    const bool settled = c.framesInBodyMode >= kSettleFrames;

    if (button && ready) {
        ChangeBodyMode(2);
        PlaySe(kSeBoostStart);
        c1 = c2 = 0;
        boostVoice[0] = boostVoice[1] = 0;
        c.boostReady = ready ? 1 : 0;
        return;
    }
    auto endViewerBoost = [&]() {
        B = 0.0f;
        c1 = c2 = cooldown = 0;
        ChangeBodyMode(NormalBodyMode(c));
        PlaySe(kSeBodyBack);
    };
    if (c.bodyMode == 3) {
        ++c2;
        if (c2 == p.bstTimeStart2nd) PlaySe(kSeBoostStart);
        if ((button || bodyButton) && settled) {
            endViewerBoost();
            return;
        }
        c.secondBoostFramesLeft = std::max(0, p.bstTimeUse2nd - c2);
        c.boostFramesLeft = std::max(0, p.bstTimeUse);
    } else if (c.bodyMode == 2) {
        ++c1;
        if (button && settled && kind == 2) {
            ChangeBodyMode(3);
        } else if ((button || bodyButton) && settled) {
            endViewerBoost();
            return;
        } else {
            c.boostFramesLeft = std::max(0, p.bstTimeUse - c1);
        }
    } else {
        if (cooldown > 0) --cooldown;
        if (button) PlaySe(kSeRefused);
        B = 0.0f;
        F = p.gearFinal;
        c.boostFramesLeft = 0;
        c.secondBoostFramesLeft = 0;
    }
    c.boostReady = ready ? 1 : 0;
}
