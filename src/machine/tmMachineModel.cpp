// tmMachineModel.cpp -- pose selection, lamps, glow, spinner, level of detail and part drawing of a machine.
#include "machine/tmMachineModel.h"

#include <cmath>
#include <cstdio>

#include "app/tmConfig.h"
#include "machine/tmMachineCore.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMatrixStack.h"
#include "sys/base/tmMemory.h"
#include "sys/render/tmDraw.h"
#include "sys/resource/tmResourceHolder.h"
#include "table/MachineTable.h"
#include "table/yiResourceGroup.h"

namespace {

constexpr float kTwoPi = 6.2831855f;

// Body slots of the two lifted machines that show their front and rear halo.
constexpr uint32_t kHaloFrontBodies[2] = {1025, 1081};
constexpr uint32_t kHaloRearBodies[2] = {1024, 1080};
// The body of machine 2 that hides its spine fin.
constexpr uint32_t kFinHiddenBody = 910;

bool OneOf(uint32_t v, const uint32_t (&set)[2]) { return v == set[0] || v == set[1]; }

bool Any(const yiVec3& v) { return v.x != 0.0f || v.y != 0.0f || v.z != 0.0f; }

// Rx(x) . Ry(y) . Rz(z) in the row-vector convention: a point turns about X first, then Y, then Z.
D3DXMATRIX RotationXYZ(float x, float y, float z) {
    D3DXMATRIX rx, ry, rz;
    D3DXMatrixRotationX(&rx, x);
    D3DXMatrixRotationY(&ry, y);
    D3DXMatrixRotationZ(&rz, z);
    return rx * ry * rz;
}

bool Steers(uint32_t kind) {
    switch (kind) {
        case 3:
        case 4:
        case 7:
        case 8:
        case 10:
        case 11:
        case 16:
        case 17: return true;
        default: return false;
    }
}

bool Rolls(uint32_t kind) {
    switch (kind) {
        case 2:
        case 4:
        case 6:
        case 8:
        case 9:
        case 10:
        case 11:
        case 12:
        case 13:
        case 15:
        case 17: return true;
        default: return false;
    }
}

}  // namespace

tmMachineModel::tmMachineModel() = default;

tmMachineModel::~tmMachineModel() { Release(); }

void tmMachineModel::Init(tmMachineCore& core, tmMachineMove& /*move*/) {
    Release();
    core_ = &core;
    spec_ = core.spec;
    stack_ = TM_NEW tmMatrixStack(8);
    steer_ = wheelStep_ = wheelAngle_ = 0.0f;
    spinnerRate_ = spinnerAngle_ = spinnerLift_ = 0.0f;
    lastBodyMode_ = 0;
    transition_ = kSettled;
    glow_ = lamp_ = drawCounter_ = frameCounter_ = 0;
    pose_ = nullptr;
    drawable_ = spec_ != nullptr;
    if (!spec_) return;
    const uint32_t mode = core.bodyMode < 4 ? core.bodyMode : 0;
    pose_ = &spec_->nodes[mode];
    if (const yiResourceGroup* group = yiResourceGroup::Get(spec_->bankGroup)) {
        group->Load();
        groupLoaded_ = true;
    }
    // With a cache to draw from, a body that is not in it means the group failed to load.
    if (tmResourceHolder* cache = tmGetResourceHolder()) {
        if (cache->GetModelSlot(static_cast<int>(spec_->nodes[0].modelId)) == nullptr) {
            std::fprintf(stderr, "machine %d: the models of group %d did not load; the machine is not drawn\n",
                         spec_->machineId, spec_->bankGroup);
            drawable_ = false;
        }
    }
}

void tmMachineModel::Release() {
    if (spec_ && groupLoaded_) {
        if (const yiResourceGroup* g = yiResourceGroup::Get(spec_->bankGroup)) g->Unload();
        if (spec_->secondBankGroup != -1)
            if (const yiResourceGroup* g = yiResourceGroup::Get(spec_->secondBankGroup)) g->Unload();
    }
    groupLoaded_ = false;
    TM_DELETE(stack_);
    stack_ = nullptr;
    spec_ = nullptr;
    core_ = nullptr;
    pose_ = nullptr;
}

// ---- update ----------------------------------------------------------------------------

void tmMachineModel::Update() {
    if (!core_ || !spec_) return;
    steer_ = core_->steeringAngle * core_->params.handleDispRate;
    wheelStep_ = core_->kmh * 0.009f;
    wheelAngle_ += wheelStep_;
    if (wheelAngle_ > kTwoPi) wheelAngle_ -= kTwoPi;
    if (wheelAngle_ < -kTwoPi) wheelAngle_ += kTwoPi;
    UpdatePose();
    UpdateBrakeLamp();
    UpdateGlow();
    UpdateSpinner();
    ++frameCounter_;
}

void tmMachineModel::UpdatePose() {
    const uint32_t mode = core_->bodyMode < 4 ? core_->bodyMode : 0;
    if (mode != lastBodyMode_) {
        transition_ = 0;
        lastBodyMode_ = mode;
    }
    if (transition_ >= kSettled) {
        pose_ = &spec_->nodes[mode];
    } else {
        const int type = spec_->transitionType;
        if (type < 1 || type > 3) {
            pose_ = &spec_->nodes[mode];
        } else if (const TransitionList* list =
                       FindTransitionList(*spec_, static_cast<int>(core_->previousBodyMode), static_cast<int>(mode))) {
            pose_ = &list->frames[transition_];
        }
        // A pair without a table keeps the body shown before the change.
    }
    // One frame per update, with or without a table.
    ++transition_;
}

bool tmMachineModel::IsBrakeLampOn() const { return core_ && (core_->control.brake > 0.2f || lamp_ >= 1); }

void tmMachineModel::UpdateBrakeLamp() {
    if (tmConfig::GetInstance().GetGameFlag1() && IsBrakeLampOn())
        if (++lamp_ > 2) lamp_ = 0;
}

void tmMachineModel::UpdateGlow() {
    const float kmh = core_->kmh;
    const bool heating = kmh > 100.0f || (kmh > 1.0f && glow_ >= 1);
    if (heating && core_->control.brake > 0.5f) {
        if (glow_ < kGlowMax) ++glow_;
    } else if (glow_ > 0) {
        --glow_;
    }
}

void tmMachineModel::UpdateSpinner() {
    if (core_->control.brake < 0.3f) spinnerRate_ += core_->control.accelerator * 0.045f;
    spinnerRate_ *= 0.99f;
    if (spinnerRate_ > 1.3f) spinnerRate_ = 1.3f;
    spinnerAngle_ += spinnerRate_;
    if (spinnerAngle_ > kTwoPi) spinnerAngle_ -= kTwoPi;
    spinnerLift_ = (1.0f - spinnerRate_ / 1.3f) * 0.5f;
}

// ---- drawing ---------------------------------------------------------------------------

void tmMachineModel::Draw(bool extraPass) {
    if (!core_ || !spec_ || !pose_) return;
    ++drawCounter_;
    if (!drawable_) return;
    const tmRaceState& race = tmRaceState::Get();
    bool lowDetail = false;
    if (!core_->player) {
        const uint32_t local = race.setup.local < kRaceEntrants ? race.setup.local : 0;
        const tmMachineCore* player = race.cores[local];
        float d = 0.0f;
        if (player && player != core_) {
            const D3DXVECTOR3 between = core_->position - player->position;
            d = D3DXVec3Length(&between);
        }
        const tmConfig& config = tmConfig::GetInstance();
        const bool replaying = race.setup.mode == kRaceModeReplay || race.setup.mode == kRaceModeDemo;
        lowDetail = d > (replaying ? config.GetDistanceMid() : config.GetDistanceNear());
        if (d > config.GetDistanceFar()) return;
    }
    if (race.setup.mode == kRaceModeGhost && core_->controllerType == kControllerReplay && (drawCounter_ & 1) == 0)
        return;
    if (lowDetail) {
        DrawPart(spec_->nodes[kMachineFarNode], extraPass, nullptr, true);
        return;
    }
    DrawAll(extraPass, nullptr, true);
}

void tmMachineModel::DrawViewer() {
    if (!core_ || !spec_ || !pose_ || !drawable_) return;
    tmDraw* draw = tmDraw::GetInstance();
    const D3DXVECTOR4 light = draw->GetLightDirection();
    D3DXVECTOR4 below(light.x, -light.y, light.z, light.w);
    D3DXVec4Normalize(&below, &below);
    const float reflected[4] = {below.x, below.y, below.z, below.w};
    draw->SetLightDirectionDefault(reflected);
    D3DXMATRIX mirror;
    D3DXMatrixScaling(&mirror, 1.0f, -1.0f, 1.0f);
    DrawAll(false, &mirror, false);
    const float kept[4] = {light.x, light.y, light.z, light.w};
    draw->SetLightDirectionDefault(kept);
}

void tmMachineModel::DrawAll(bool extraPass, const D3DXMATRIX* mirror, bool secondPass) {
    DrawPart(*pose_, extraPass, mirror, secondPass);
    for (int i = kMachineFarNode + 1; i < kMachineNodes; ++i) DrawPart(spec_->nodes[i], extraPass, mirror, secondPass);
}

void tmMachineModel::DrawPart(const MachineNode& e, bool extraPass, const D3DXMATRIX* mirror, bool secondPass) {
    uint32_t model = e.modelId;
    if (e.altModelId != 0 && ((e.altCondition == kNodeAltBrakeLamp && IsBrakeLampOn()) ||
                              (e.altCondition == kNodeAltBrakeGlow && IsGlowOn())))
        model = e.altModelId;
    if (model == 0) return;

    const uint32_t kind = e.partKind;
    const uint32_t body = pose_->modelId;
    // Which parts show with this body and body mode.
    if (kind >= 14 && kind <= 17 && FindWheelOffset(spec_->wheelOffsetTables[0], body) != nullptr) return;
    if ((kind == 1 || kind == 22) && (core_->bodyMode < 2 || core_->framesInBodyMode < 12)) return;
    if (kind >= 5 && kind <= 8 && body != spec_->nodes[0].modelId) return;
    if (kind == 9 && body == spec_->nodes[0].modelId) return;
    if (kind == 18 && !OneOf(body, kHaloFrontBodies)) return;
    if (kind == 19 && !OneOf(body, kHaloRearBodies)) return;
    if (kind == 23 && body == kFinHiddenBody) return;

    tmMatrixStack& m = *stack_;
    *m.Top() = core_->worldMatrix;
    if (mirror) *m.Top() = *m.Top() * *mirror;
    if (Any(e.position)) m.Translate(e.position.x, e.position.y, e.position.z);
    if (kind >= 18 && kind <= 22) m.Translate(0.0f, spinnerLift_, 0.0f);
    if (kind >= 10 && kind <= 13)
        if (const WheelOffsetEntry* w = FindWheelOffset(spec_->wheelOffsetTables[kind - 10], body))
            m.Translate(w->position.x, w->position.y, w->position.z);
    if (Any(e.rotation)) {
        const D3DXMATRIX r = RotationXYZ(e.rotation.x, e.rotation.y, e.rotation.z);
        *m.Top() = r * *m.Top();
    }
    if (Steers(kind)) m.RotateY(steer_);
    if (Rolls(kind)) m.RotateX(-wheelAngle_);
    if (kind == 18) m.RotateZ(steer_ * 1.5f);
    if (kind == 19) m.RotateZ(static_cast<float>(frameCounter_) * 0.01f);
    if (kind == 21) m.RotateX(-spinnerAngle_);

    tmDraw* draw = tmDraw::GetInstance();
    const int flag = core_->player ? tmModelFlag::kPlayer : tmModelFlag::kOthers;
    draw->SetWorldMatrix(*m.Top());
    draw->DrawModelEx(static_cast<int>(model), e.drawArgument,
                      mirror ? tmRenderLayer::kReversedCull : tmRenderLayer::kScene, flag);
    if (extraPass) draw->DrawModelEx(static_cast<int>(model), e.drawArgument, tmRenderLayer::kMirrorView, flag);
    if (secondPass)
        draw->DrawModel(static_cast<int>(model), tmShaderType::kRecordZ,
                        core_->player ? tmRenderLayer::kNearShadow : tmRenderLayer::kFarShadow);
}
