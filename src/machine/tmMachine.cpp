// tmMachine.cpp -- assembly of a machine and its fixed update order.
#include "machine/tmMachine.h"

#include "machine/tmMachineCore.h"
#include "machine/tmMachineMove.h"
#include "machine/tmMachinePart.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "table/MachineTable.h"

namespace {
tmMachinePartFactory* g_partFactory = nullptr;
}  // namespace

tmMachinePartFactory* tmMachinePartFactory::Get() { return g_partFactory; }
void tmMachinePartFactory::Set(tmMachinePartFactory* factory) { g_partFactory = factory; }

void tmMachine::Init(const tmCourse* course, const tmEntrant& entrant, int gridIndex, bool player,
                     bool displayAtOrigin) {
    Release();
    core_ = TM_NEW tmMachineCore;
    core_->Init(course, entrant, gridIndex, player);
    move_ = TM_NEW tmMachineMove;
    move_->Init(core_, course);
    if (tmMachinePartFactory* factory = tmMachinePartFactory::Get()) {
        model_ = factory->MakeModel();
        effect_ = factory->MakeEffect();
        if (player) sound_ = factory->MakeSound();
    }
    if (model_) model_->Init(*core_, *move_);
    if (effect_) effect_->Init(*core_, *move_);
    if (sound_) sound_->Init(*core_, *move_);
    core_->displayAtOrigin = displayAtOrigin ? 1 : 0;
}

void tmMachine::Update(const tmCourse* course) {
    if (!core_) return;
    core_->contact = 0;
    move_->Update(course);
    core_->Update(course);
    if (model_) model_->Update();
    if (effect_ && !core_->viewerMode) effect_->Update();
    if (sound_) sound_->Update();
}

void tmMachine::Draw(bool extraPass) {
    if (!core_) return;
    if (model_) model_->Draw(extraPass);
    if (effect_ && !core_->viewerMode) effect_->Draw(extraPass);
}

void tmMachine::DrawViewer() {
    if (model_) model_->DrawViewer();
}

void tmMachine::Restart(const tmCourse* course) {
    if (!core_) return;
    tmEntrant entrant;
    entrant.machineId = core_->spec ? static_cast<uint32_t>(core_->spec->machineId) : 1u;
    entrant.controllerType = core_->controllerType;
    entrant.variant = core_->manualGears;
    const bool player = core_->player != 0;
    core_->Init(course, entrant, static_cast<int>(core_->gridIndex), player);
    move_->Release();
    move_->Init(core_, course);
    if (model_) model_->Init(*core_, *move_);
    if (effect_) effect_->Init(*core_, *move_);
    if (sound_) sound_->Init(*core_, *move_);
}

void tmMachine::SetHidden(bool hidden) {
    if (!core_) return;
    core_->hidden = hidden ? 1 : 0;
    if (sound_ && hidden) sound_->SetHidden(true);
}

tmLapTimer* tmMachine::GetLapRecord() const { return core_ ? core_->GetLapTimer() : nullptr; }

void tmMachine::Release() {
    TM_DELETE(sound_);
    sound_ = nullptr;
    TM_DELETE(effect_);
    effect_ = nullptr;
    TM_DELETE(model_);
    model_ = nullptr;
    if (move_) move_->Release();
    TM_DELETE(move_);
    move_ = nullptr;
    TM_DELETE(core_);
    core_ = nullptr;
}
