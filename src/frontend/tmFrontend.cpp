// tmFrontend.cpp -- life, update and draw order of the race display.
#include "frontend/tmFrontend.h"

#include "app/tmCameraCtrl.h"
#include "sys/base/tmMemory.h"

namespace {
constexpr int kHudMode = 2;
}  // namespace

tmFrontend::tmFrontend() = default;

tmFrontend::~tmFrontend() {
    if (cockpit_) cockpit_->Release();
    TM_DELETE(cockpit_);
    if (common_) common_->Release();
    TM_DELETE(common_);
    TM_DELETE(camera_);
}

void tmFrontend::Init(int machineId) {
    if (!camera_) camera_ = TM_NEW tmCameraCtrl();
    camera_->Init();
    camera_->SetMode(kHudMode);
    camera_->UpdateView();
    if (!common_) common_ = TM_NEW tmFrontendCommon();
    common_->Init();
    machineId_ = static_cast<uint32_t>(machineId);
    if (!cockpit_) cockpit_ = tmFrontendMachine::Create(machineId);
    if (cockpit_) cockpit_->Init();
}

void tmFrontend::Reset() {
    if (camera_) {
        camera_->Init();
        camera_->SetMode(kHudMode);
    }
    if (common_) common_->Reset();
    if (cockpit_) cockpit_->Init();
}

void tmFrontend::Update(const tmHudMachineRecord& machine, const tmHudLapRecord& lap, const tmGaugeArray& rows) {
    if (camera_) camera_->Update();
    if (common_) common_->Update(lap, machine, rows);
    if (cockpit_) cockpit_->Update(machine);
}

void tmFrontend::Draw() {
    if (camera_) {
        camera_->SetMode(kHudMode);
        camera_->UpdateView();
    }
    if (visible_) {
        if (common_) common_->Draw();
        if (cockpit_) cockpit_->Draw();
    }
    if (common_) common_->DrawFade();
}

void tmFrontend::DrawViewer() {
    if (common_) common_->DrawViewer();
}

void tmFrontend::SetVisible(bool show, bool immediate) {
    if (common_) common_->SetFadeTarget(show, immediate);
}

void tmFrontend::ShowMessage(int id) {
    if (common_) common_->ShowMessage(id);
}

void tmFrontend::SetFinished() {
    if (common_) common_->SetFinished();
    if (cockpit_) cockpit_->SetFinished();
}
