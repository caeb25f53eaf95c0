// tmFrontendMachine.cpp -- the mechanics every cockpit shares: meter sweep, digit models, lamps and gauge steps.
#include "frontend/tmFrontendMachine.h"

#include <algorithm>
#include <cmath>

#include "frontend/tmFrontendFamilies.h"
#include "frontend/tmHudPlace.h"
#include "sys/base/tmMemory.h"
#include "sys/render/tmDraw.h"
#include "table/yiResourceGroup.h"

namespace {
constexpr int kMaxNumberDigits = 5;
}  // namespace

tmFrontendMachine::tmFrontendMachine(const CockpitTables* tables) : tables_(tables) {}

int tmFrontendMachine::FamilyOf(int machineId) {
    switch (machineId) {
        case 1: return 0;
        case 2:
        case 10:
        case 11: return 1;
        case 3:
        case 4: return 2;
        case 5:
        case 6: return 3;
        case 7:
        case 8: return 4;
        case 9: return 5;
        default: return -1;
    }
}

tmFrontendMachine* tmFrontendMachine::Create(int machineId) {
    switch (FamilyOf(machineId)) {
        case 0: return TM_NEW tmFrontendTorvin();
        case 1: return TM_NEW tmFrontendBelmar();
        case 2: return TM_NEW tmFrontendQuessa();
        case 3: return TM_NEW tmFrontendDravik();
        case 4: return TM_NEW tmFrontendOlvane();
        case 5: return TM_NEW tmFrontendPrentis();
        default: return nullptr;
    }
}

void tmFrontendMachine::Init() {
    kind_ = tables_->kind;
    group_ = tables_->group;
    if (const yiResourceGroup* group = yiResourceGroup::Get(group_)) group->Load();
    shownStep_ = 0;
}

void tmFrontendMachine::Release() {
    if (const yiResourceGroup* group = yiResourceGroup::Get(group_)) group->Unload();
}

int tmFrontendMachine::TargetStep(const HudMeterStep* meter, int count, float revolutions) {
    int step = 0;
    for (int i = 0; meter && i < count; ++i)
        if (meter[i].threshold <= revolutions) step = i;
    return step;
}

void tmFrontendMachine::Update(const tmHudMachineRecord& record) {
    record_ = record;
    const int target = TargetStep(tables_->meter, tables_->meterSteps, record_.revolutions);
    if (shownStep_ < target) ++shownStep_;
    if (shownStep_ > target) --shownStep_;
    shownStep_ = std::max(0, std::min(shownStep_, tables_->meterSteps - 1));
}

void tmFrontendMachine::DrawAt(const HudModelLayout& place, uint32_t model, float alpha, float dx, float dy) const {
    if (model == 0) return;
    tmDraw* draw = tmDraw::GetInstance();
    draw->SetWorldMatrix(tmHudPlace::Element(place, dx, dy));
    if (alpha >= 1.0f)
        draw->DrawModel(static_cast<int>(model), tmShaderType::kFrontend, tmRenderLayer::kOverlay);
    else
        draw->DrawModelAlpha(static_cast<int>(model), tmShaderType::kFrontend, tmRenderLayer::kOverlay, alpha);
}

void tmFrontendMachine::DrawNumber(int32_t value, const HudNumberLayout& layout) const {
    if (!tables_->digits) return;
    uint32_t v = value < 0 ? 0u : static_cast<uint32_t>(value);
    int digits[kMaxNumberDigits];
    int count = 0;
    do {
        digits[count++] = static_cast<int>(v % 10);
        v /= 10;
    } while (v != 0 && count < kMaxNumberDigits);
    const float step = layout.advance * layout.scale;
    float x = layout.x;
    if (layout.rightAlign) x -= static_cast<float>(count) * step;
    tmDraw* draw = tmDraw::GetInstance();
    for (int i = count - 1; i >= 0; --i) {
        draw->SetWorldMatrix(tmHudPlace::Digit(layout.place, x, layout.y, layout.scale));
        draw->DrawModel(static_cast<int>(tables_->digits[digits[i]]), tmShaderType::kFrontend, tmRenderLayer::kOverlay);
        x += step;
    }
}

void tmFrontendMachine::DrawMeter() const {
    if (!tables_->meter || tables_->meterSteps <= 0) return;
    const int step = std::max(0, std::min(shownStep_, tables_->meterSteps - 1));
    DrawAt(tables_->meterPlace, tables_->meter[step].model);
}

void tmFrontendMachine::DrawSpeed() const {
    const float speed = std::fabs(record_.speed);
    DrawNumber(speed < 99999.0f ? static_cast<int32_t>(speed) : 99999, tables_->speed);
}

void tmFrontendMachine::DrawLampPicture() const {
    if (record_.boostStock <= 0 || !tables_->lamps || tables_->lampCount <= 0) return;
    const int index = std::min(record_.boostStock, tables_->lampCount) - 1;
    DrawAt(tables_->lampPlace, tables_->lamps[index]);
}

void tmFrontendMachine::DrawStatePicture(const HudPictureSet& set, int32_t value) const {
    DrawAt(set.place, HudPicture(set, value));
}

int tmFrontendMachine::GaugeAStep24() const {
    if (record_.gaugeA2 <= 0) return 0;
    const int step =
        static_cast<int>(static_cast<float>(record_.gaugeA1) / static_cast<float>(record_.gaugeA2) * 24.0f);
    return std::max(0, std::min(step, 23));
}

bool tmFrontendMachine::Flashing(int32_t value, int32_t total) const {
    return total - value > record_.flashThreshold && (value / 3) % 2 == 1;
}
