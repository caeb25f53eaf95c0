// tmSeqCourseViewer.cpp -- the course viewer: reading the placements table, loading, animating and drawing the yard.
#include "test/tmSeqCourseViewer.h"

#include <cstdio>

#include "app/tmCameraCtrl.h"
#include "sys/data/tmExtDataBase.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmDraw.h"
#include "sys/resource/tmCubeTexture.h"
#include "sys/resource/tmModel.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmTexture.h"
#include "sys/text/tmConsole.h"
#include "utility/tmMouseCtrlMatrix.h"

namespace {

constexpr const char* kTable = "CourseViewer";
constexpr const char* kModelFolder = "CourseViewer\\model\\";
constexpr const char* kColumn = "Pos";
constexpr float kFov = 0.7853982f;
constexpr float kDegrees = 0.017453292f;
const float kLight[4] = {0.0f, -1.0f, 1.0f, 0.0f};

bool Pressed(const tmPeripheral* in, int key) { return in && in->IsKeyTriggered(key); }

// True when releasing the named resource now frees it: it must not stay bound then.
bool IsLastReference(const tmResourceHolder* cache, int type, const char* name) {
    const sys::tmResource* r = cache ? cache->Find(type, name) : nullptr;
    return r && r->GetRefCount() <= 1;
}

}  // namespace

tmSeqCourseViewer::tmSeqCourseViewer() = default;

tmSeqCourseViewer::~tmSeqCourseViewer() {
    // A screen deleted without Term still gives its references back.
    if (camera_) Term();
}

void tmSeqCourseViewer::Init() {
    tmDraw* draw = tmDraw::GetInstance();
    draw->SetClearColor(kBackgrounds[0]);
    cameraIndex_ = 0;
    camera_ = std::make_unique<tmCameraCtrl>();
    camera_->Init();
    camera_->SetMode(kCameraModes[0]);
    camera_->SetFov(kFov);
    backgroundIndex_ = 0;
    mouse_ = std::make_unique<tmMouseCtrlMatrix>();
    animLength_ = 0;
    LoadModels();
    animFrame_ = 0;
    frameCount_ = 0;
}

void tmSeqCourseViewer::LoadModels() {
    sys::tmExtDataBase::Manager& tables = sys::tmExtDataBase::Manager::GetInstance();
    const sys::tmExtDataBase* t = tables.Load(kTable, false);
    animLength_ = 0;
    char row[32], pos[32];
    for (int i = 0; i < kModels; ++i) {
        Model& m = models_[i];
        m = Model{};
        std::snprintf(row, sizeof row, "Model%02d", i);
        std::snprintf(pos, sizeof pos, "Model%02dPos", i);
        if (!t || !t->Exists(row, "PX", kColumn)) continue;
        // An empty cell names the folder, not a model: the row stays empty.
        const char* file = t->GetString(row, "PX", kColumn);
        if (!file || !*file) continue;
        m.name = std::string(kModelFolder) + file;
        const char* const place[3] = {"PX", "PY", "PZ"};
        const char* const turn[3] = {"RX", "RY", "RZ"};
        for (int k = 0; k < 3; ++k) {
            m.position[k] = t->GetFloat(pos, place[k], kColumn);
            m.rotation[k] = t->GetFloat(pos, turn[k], kColumn);
        }
        m.animBegin = t->GetInt(pos, "AnimBegin", kColumn);
        m.animEnd = t->GetInt(pos, "AnimEnd", kColumn);
        m.alphaBegin = t->GetFloat(pos, "AlphaBegin", kColumn);
        m.alphaEnd = t->GetFloat(pos, "AlphaEnd", kColumn);
        if (m.animEnd + 1 > animLength_) animLength_ = m.animEnd + 1;
    }
    tables.Unload(kTable);

    tmResourceHolder* cache = tmGetResourceHolder();
    if (!cache) return;
    for (Model& m : models_) {
        if (m.name.empty()) continue;
        // A model that fails to load keeps no handle and is never drawn nor released.
        if (cache->LoadModel(m.name.c_str(), nullptr, nullptr) == tmResourceHolder::kOk)
            m.handle = static_cast<sys::tmModel*>(cache->Find(sys::tmResource::kModel, m.name.c_str()));
    }
    tmDraw* draw = tmDraw::GetInstance();
    cubeHeld_ = cache->GetOrLoadCubeTexture(kCubeTexture, nullptr, 0) == tmResourceHolder::kOk;
    if (cubeHeld_)
        draw->SetSampler9CubeTexture(
            static_cast<sys::tmCubeTexture*>(cache->Find(sys::tmResource::kCubeTexture, kCubeTexture)));
    sys::tmTextureStage stage;
    sys::tmTexture* ramp = cache->GetOrLoadTexture(kTextureFolder, kRampTexture, &stage, false, nullptr);
    rampHeld_ = ramp != nullptr;
    draw->SetSampler6Texture(ramp);
    draw->SetVector(D3DXVECTOR3(1.0f, 1.0f, 1.0f));
}

int tmSeqCourseViewer::Update() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    if (Pressed(in, tmKey::kNumpadEnter) || Pressed(in, tmKey::kReturn) || Pressed(in, tmKey::kEscape))
        return kSeqDebugMenu;
    if (!camera_) return 0;
    camera_->Update();
    if (Pressed(in, tmKey::kP)) {
        cameraIndex_ = (cameraIndex_ + 1) % 3;
        camera_->SetMode(kCameraModes[cameraIndex_]);
    }
    if (Pressed(in, tmKey::kB)) {
        backgroundIndex_ = (backgroundIndex_ + 1) % 4;
        tmDraw::GetInstance()->SetClearColor(kBackgrounds[backgroundIndex_]);
    }
    if (cameraIndex_ != kNoMouseCamera) {
        mouse_->Update();
        if (Pressed(in, tmKey::kA)) mouse_->Reset();
    }
    if (++animFrame_ >= animLength_) animFrame_ = 0;
    ++frameCount_;
    return 0;
}

bool tmSeqCourseViewer::ModelAlpha(const Model& m, int32_t frame, float* alpha) {
    float a = m.alphaBegin;
    if (m.animBegin >= 0 && m.animEnd >= 0) {
        if (frame < m.animBegin || frame > m.animEnd) return false;
        if (m.animEnd > m.animBegin)
            a = m.alphaBegin + (m.alphaEnd - m.alphaBegin) / static_cast<float>(m.animEnd - m.animBegin) *
                                   static_cast<float>(frame - m.animBegin);
    }
    if (alpha) *alpha = a;
    return true;
}

D3DXMATRIX tmSeqCourseViewer::ModelWorld(const Model& m, const D3DXMATRIX& yard) {
    D3DXMATRIX turn, place;
    D3DXMatrixRotationYawPitchRoll(&turn, m.rotation[1] * kDegrees, m.rotation[0] * kDegrees, m.rotation[2] * kDegrees);
    D3DXMatrixTranslation(&place, m.position[0], m.position[1], m.position[2]);
    return turn * place * yard;
}

void tmSeqCourseViewer::DrawModels() const {
    tmDraw* draw = tmDraw::GetInstance();
    D3DXMATRIX yard;
    D3DXMatrixIdentity(&yard);
    if (cameraIndex_ != kNoMouseCamera && mouse_) yard = mouse_->GetMatrix();
    for (const Model& m : models_) {
        float alpha = 0.0f;
        if (!m.handle || !ModelAlpha(m, animFrame_, &alpha)) continue;
        draw->SetWorldMatrix(ModelWorld(m, yard));
        draw->DrawModelPtr(m.handle, tmShaderType::kStandard, tmRenderLayer::kScene, alpha);
    }
}

void tmSeqCourseViewer::Draw() {
    tmConsole::SetCursor(1, 1, 0);
    tmConsole::Printf("CourseViewer[ Ac:%d]", animFrame_);
    tmDraw::GetInstance()->SetLightDirectionDefault(kLight);
    if (camera_) camera_->UpdateView();
    tmConsole::SetCursor(1, 2, 0);
    tmConsole::Printf("Change Bg to [B]: 0x%x", kBackgrounds[backgroundIndex_]);
    DrawModels();
}

void tmSeqCourseViewer::ReleaseModels() {
    tmResourceHolder* cache = tmGetResourceHolder();
    tmDraw* draw = tmDraw::GetInstance();
    if (cache && cubeHeld_) {
        if (IsLastReference(cache, sys::tmResource::kCubeTexture, kCubeTexture)) draw->SetSampler9CubeTexture(nullptr);
        cache->ReleaseCubeTexture(kCubeTexture);
    }
    if (cache && rampHeld_) {
        if (IsLastReference(cache, sys::tmResource::kTexture, kRampTexture)) draw->SetSampler6Texture(nullptr);
        cache->ReleaseTexture(kRampTexture);
    }
    cubeHeld_ = rampHeld_ = false;
    for (Model& m : models_) {
        if (cache && m.handle) cache->ReleaseModel(m.name.c_str());
        m.handle = nullptr;
    }
}

void tmSeqCourseViewer::Term() {
    ReleaseModels();
    camera_.reset();
    mouse_.reset();
    tmDraw::GetInstance()->ResetClearColor();
}
