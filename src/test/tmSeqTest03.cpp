// tmSeqTest03.cpp -- the environment-map test: one reflective model, the mouse matrix and two cameras.
#include "test/tmSeqTest03.h"

#include "app/tmCameraCtrl.h"
#include "content_tables.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"
#include "utility/tmMouseCtrlMatrix.h"

namespace {

constexpr int kSideView = 1;  // eye (100, 20, 0) on the origin
constexpr int kFreeLook = 5;
constexpr int kFontHeight = 14;

bool Pressed(int key) {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    return in && in->IsKeyTriggered(key);
}

}  // namespace

tmSeqTest03::tmSeqTest03() = default;

tmSeqTest03::~tmSeqTest03() {
    if (camera_) Term();
}

void tmSeqTest03::Init() {
    KeepDebugFont(kFontHeight, false);
    camera_ = std::make_unique<tmCameraCtrl>();
    camera_->Init();
    camera_->SetMode(kSideView);
    camera_->Update();
    mouse_ = std::make_unique<tmMouseCtrlMatrix>();
    scene_.LoadGroup(tmTestScene::kTestGroup);
    scene_.LoadGroup(kEffectGroup);
    scene_.LoadCubeTexture();
    frameCount_ = 0;
}

int tmSeqTest03::Update() {
    if (LeaveTriggered()) return kNextId;
    if (!camera_) return 0;
    if (Pressed(tmKey::kP)) camera_->SetMode(camera_->GetMode() == kSideView ? kFreeLook : kSideView);
    if (Pressed(tmKey::kA)) mouse_->Reset();
    mouse_->Update();
    camera_->Update();
    ++frameCount_;
    return 0;
}

void tmSeqTest03::Draw() {
    PrintTitle("Test03 ( %4d )");
    if (!camera_) return;
    camera_->UpdateView();
    scene_.SetUpFrame();
    D3DXMATRIX size;
    D3DXMatrixScaling(&size, kModelScale, kModelScale, kModelScale);
    tmTestScene::DrawModel(content::MDL_CUBE_YSM_VERTEXCOLOR, size * mouse_->GetMatrix());
}

void tmSeqTest03::Term() {
    mouse_.reset();
    camera_.reset();
    scene_.Release();
    DropDebugFont();
}
