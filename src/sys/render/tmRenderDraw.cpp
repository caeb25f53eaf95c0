// tmRenderDraw.cpp -- the drawing interface the screens call, and frame pacing with device-loss recovery.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/clock/Clock.h"
#include "platform/gfx/Device.h"
#include "sys/base/tmMemory.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmCubeTexture.h"
#include "sys/resource/tmTexture.h"
#include "sys/tmTimer.h"

namespace {
const float kFrameTimes[6] = {16.666668f, 33.333336f, 50.0f, 66.66667f, 83.333336f, 100.0f};

bool Finite(const D3DXMATRIX& m) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (!std::isfinite(m.m[r][c])) return false;
    return true;
}

uint32_t AlphaColour(float alpha) {
    alpha = std::isnan(alpha) ? 0.0f : std::min(1.0f, std::max(0.0f, alpha));
    return (static_cast<uint32_t>(alpha * 255.0f) << 24) | 0x00FFFFFFu;
}
}  // namespace

// A matrix with a NaN or an infinity never reaches the queue: a software rasteriser would
// spend seconds on what it makes of it. The first one dropped is logged.
bool tmRender::AcceptMatrix(const D3DXMATRIX& m, const char* what) {
    if (Finite(m)) return true;
    if (droppedMatrices_++ == 0) std::fprintf(stderr, "render: a non-finite %s matrix was dropped\n", what);
    return false;
}

// ---- models ----

int tmRender::DrawModelEx(int slot, uint32_t shaderType, int layer, int flag) {
    if (worldDropped_) return -1;  // no model at a place that is not one
    return queue_ ? queue_->AddModelBySlot(slot, shaderType, layer, 1.0f, flag) : -1;
}
int tmRender::DrawModel(int slot, uint32_t shaderType, int layer) { return DrawModelEx(slot, shaderType, layer, -1); }
int tmRender::DrawModelAlpha(int slot, uint32_t shaderType, int layer, float alpha) {
    if (worldDropped_) return -1;
    alpha = std::isnan(alpha) ? 0.0f : std::min(1.0f, std::max(0.0f, alpha));
    return queue_ ? queue_->AddModelBySlot(slot, shaderType, layer, alpha, tmModelFlag::kOthers) : -1;
}
int tmRender::DrawModelDefaultLayer(int slot, uint32_t shaderType) {
    return DrawModelEx(slot, shaderType, tmRenderLayer::kScene, tmModelFlag::kOthers);
}
int tmRender::DrawModelIdentity(int slot) {
    return DrawModelEx(slot, tmShaderType::kStandard, tmRenderLayer::kScene, tmModelFlag::kOthers);
}

int tmRender::DrawModelToCubeLayers(int slot, uint32_t shaderType) {
    int r = -1;
    for (int face = 0; face < tmRenderLayer::kCubeFaceCount; ++face)
        r = DrawModelEx(slot, shaderType, tmRenderLayer::CubeFace(face), tmModelFlag::kOthers);
    return r;
}

int tmRender::DrawModelPtr(sys::tmModel* model, uint32_t shaderType, int layer, float alpha) {
    if (worldDropped_) return -1;
    return queue_ ? queue_->AddModel(model, shaderType, layer, alpha, -1) : -1;
}

// ---- textures filled on the CPU ----

sys::tmTexture* tmRender::CreateTexture(const char* name, int width, int height) {
    if (!device_ || !name || width <= 0 || height <= 0) return nullptr;
    const gfx::TextureDesc desc{static_cast<uint32_t>(width),
                                static_cast<uint32_t>(height),
                                1,
                                gfx::Format::A8R8G8B8,
                                gfx::Usage::Static,
                                false};
    gfx::Texture texture = device_->createTexture(desc);
    if (!texture) return nullptr;
    auto* resource = TM_NEW sys::tmTexture;
    resource->SetName(name);
    resource->Setup(texture, nullptr, nullptr, 2);  // blended: text and pictures carry alpha
    return resource;
}

bool tmRender::UploadTexture(sys::tmTexture* texture, const uint32_t* argb, int width, int height) {
    if (!device_ || !texture || !argb || !texture->GetTexture()) return false;
    uint32_t w = 0, h = 0;
    if (!texture->GetSize(&w, &h) || static_cast<int>(w) != width || static_cast<int>(h) != height) return false;
    return device_->uploadTexture(texture->GetTexture(), 0, 0, argb) == gfx::Res::Ok;
}

// ---- sprites ----

int tmRender::DrawSpriteEx(int slot, float x, float y, float sx, float sy, uint32_t colour, int mode, float rotation,
                           float px, float py, float uo, float vo, float ue, float ve) {
    return queue_ ? queue_->AddSpriteBySlot(slot, x, y, sx, sy, colour, mode, rotation, px, py, uo, vo, ue, ve) : -1;
}

int tmRender::DrawSpritePtrEx(sys::tmSprite* sprite, float x, float y, float sx, float sy, uint32_t colour, int mode,
                              float rotation, float px, float py, float uo, float vo, float ue, float ve) {
    return queue_ ? queue_->AddSprite(sprite, x, y, sx, sy, colour, mode, rotation, px, py, uo, vo, ue, ve) : -1;
}

int tmRender::DrawSprite(int slot, float x, float y, int mode) {
    return DrawSpriteEx(slot, x, y, 1, 1, 0xFFFFFFFFu, mode, 0, 0, 0, 0, 0, 1, 1);
}

int tmRender::DrawSpriteAlpha(int slot, float x, float y, float alpha, int mode) {
    return DrawSpriteEx(slot, x, y, 1, 1, AlphaColour(alpha), mode, 0, 0, 0, 0, 0, 1, 1);
}

int tmRender::DrawSpriteScaledAlpha(int slot, float x, float y, float sx, float sy, float alpha, int mode) {
    return DrawSpriteEx(slot, x, y, sx, sy, AlphaColour(alpha), mode, 0, 0, 0, 0, 0, 1, 1);
}

int tmRender::DrawSpriteRect(int slot, const D3DXMATRIX& matrix, uint32_t colour, float uo, float vo, float ue,
                             float ve, float width, float height) {
    if (!AcceptMatrix(matrix, "sprite")) return -1;
    return queue_ ? queue_->AddSpriteQuadBySlot(slot, matrix, colour, uo, vo, ue, ve, width, height) : -1;
}

int tmRender::DrawSpriteRectDefault(int slot, const D3DXMATRIX& matrix, uint32_t colour) {
    return DrawSpriteRect(slot, matrix, colour, -1, -1, -1, -1, 0, 0);
}

int tmRender::DrawSpriteRectOverScreen(int slot, const D3DXMATRIX& matrix, uint32_t colour) {
    if (!AcceptMatrix(matrix, "sprite")) return -1;
    return queue_ ? queue_->AddSpriteQuadBySlot(slot, matrix, colour, -1, -1, -1, -1, 0, 0,
                                                tmSpritePlacement::kWorldQuadOverScreen)
                  : -1;
}

int tmRender::DrawBatch(int spriteSlot, int layer, uint32_t colour, uint32_t shaderType, int matrixChoice,
                        int triangleCount, const float* positions, const uint32_t* colours, const float* texCoords) {
    return queue_ ? queue_->AddPolygons(spriteSlot, layer, colour, shaderType, matrixChoice, triangleCount, positions,
                                        colours, texCoords)
                  : -1;
}

// ---- matrices, camera, light ----

// A dropped camera matrix keeps the last good one; a dropped world matrix drops the models
// placed by it until a good one comes.
void tmRender::SetWorldMatrix(const D3DXMATRIX& m) {
    worldDropped_ = !AcceptMatrix(m, "world");
    if (queue_ && !worldDropped_) queue_->SetWorld(m);
}
void tmRender::SetViewMatrix(const D3DXMATRIX& m) {
    if (queue_ && AcceptMatrix(m, "view")) queue_->SetView(m);
}
void tmRender::SetProjectionMatrix(const D3DXMATRIX& m) {
    if (queue_ && AcceptMatrix(m, "projection")) queue_->SetProjection(m);
}
void tmRender::SetViewProjectionMatrix(const D3DXMATRIX& a, const D3DXMATRIX& b) {
    const D3DXMATRIX vp = a * b;
    if (queue_ && AcceptMatrix(vp, "view-projection")) queue_->SetViewProjection(vp);
}
void tmRender::SetSecondViewProjection(const D3DXMATRIX& v, const D3DXMATRIX& p) {
    if (queue_ && AcceptMatrix(v * p, "second view")) queue_->SetSecondView(v, p);
}
void tmRender::SetExtraMatrix1(const D3DXMATRIX& m) {
    if (queue_ && AcceptMatrix(m, "extra")) queue_->SetExtra1(m);
}
void tmRender::SetExtraMatrix2(const D3DXMATRIX& m) {
    if (queue_ && AcceptMatrix(m, "extra")) queue_->SetExtra2(m);
}
void tmRender::SetExtraMatrix3(const D3DXMATRIX& m) {
    if (queue_ && AcceptMatrix(m, "mirrored view")) queue_->SetExtra3(m);
}
void tmRender::SetCubeMapCenter(float x, float y, float z) {
    if (queue_) queue_->SetCubeMapCenter(D3DXVECTOR3(x, y, z));
}
void tmRender::SetNearFar(float n, float f) {
    if (queue_) queue_->SetNearFar(n, f);
}
void tmRender::SetQueuePlane(const D3DXVECTOR3& p) {
    if (queue_) queue_->SetQueuePlane(p);
}

tmFrustum* tmRender::SetFrustum(const D3DXMATRIX& view, float fov, float aspect, float n, float f) {
    return frustum_ ? frustum_->Build(view, fov, aspect, n, f) : nullptr;
}

void tmRender::SetLightDirection(const float direction[4], const D3DXMATRIX& transform) {
    if (!queue_) return;
    D3DXVECTOR3 d(direction[0], direction[1], direction[2]);
    D3DXVec3Normalize(&d, &d);
    queue_->SetLight(D3DXVECTOR4{d.x, d.y, d.z, direction[3]});
    const D3DXVECTOR3 p(transform._41, transform._42, transform._43);
    const D3DXVECTOR3 up(0, 1, 0);
    const D3DXVECTOR3 eyeNear = p - d * 240.0f, eyeFar = p - d * 1800.0f;
    D3DXMATRIX view, proj;
    D3DXMatrixLookAtRH(&view, &eyeNear, &p, &up);
    D3DXMatrixPerspectiveFovRH(&proj, D3DX_PI / 10.0f, 1.0f, 200.0f, 500.0f);
    const D3DXMATRIX nearVP = view * proj;
    D3DXMatrixLookAtRH(&view, &eyeFar, &p, &up);
    D3DXMatrixPerspectiveFovRH(&proj, D3DX_PI / 5.0f, 1.0f, 1500.0f, 4000.0f);
    queue_->SetShadowMatrices(nearVP, view * proj);
}

void tmRender::SetLightDirectionDefault(const float direction[4]) {
    D3DXMATRIX id;
    D3DXMatrixIdentity(&id);
    SetLightDirection(direction, id);
}

D3DXVECTOR4 tmRender::GetLightDirection() const { return queue_ ? queue_->GetLight() : D3DXVECTOR4{0, -1, 0, 0.3f}; }

void tmRender::SetSampler9Texture(sys::tmTexture* t) {
    sampler9Texture_ = t ? t->GetTexture() : gfx::Texture{};
    if (device_) device_->setTexture(9, sampler9Texture_);
}
void tmRender::SetSampler9CubeTexture(sys::tmCubeTexture* c) {
    sampler9Texture_ = c ? c->GetTexture() : gfx::Texture{};
    if (device_) device_->setTexture(9, sampler9Texture_);
}
void tmRender::SetSampler6Texture(sys::tmTexture* t) {
    if (device_) device_->setTexture(6, t ? t->GetTexture() : gfx::Texture{});
}
void tmRender::SetSampler10Texture(sys::tmTexture* t) {
    if (device_) device_->setTexture(10, t ? t->GetTexture() : gfx::Texture{});
}

void tmRender::SetClearColor(uint32_t argb) {
    auto scale = [](uint32_t c) { return static_cast<uint32_t>(static_cast<float>(c) * 0.7f); };
    storedClear_ =
        (argb & 0xFF000000u) | scale((argb >> 16) & 0xFF) << 16 | scale((argb >> 8) & 0xFF) << 8 | scale(argb & 0xFF);
}

// ---- pacing and device loss ----

float tmRender::GetFrameTime() const { return kFrameTimes[frameTimeIndex_]; }

void tmRender::SetFrameTimeIndex(int index) { frameTimeIndex_ = std::min(5, std::max(0, index)); }

void tmRender::WaitFrame() {
    tmTimer* timer = tmTimer::GetInstance();
    if (!timer) return;
    last_ = static_cast<float>(timer->GetLap(1)) / 1000.0f;
    accumulated_ += last_;
    if (++frameCount_ % 60 == 0) {
        average_ = accumulated_ / static_cast<float>(frameCount_);
        accumulated_ = 0.0f;
        frameCount_ = 0;
    }
    const float target = GetFrameTime();
    if (last_ < target) {
        const int sleepMs = static_cast<int>(target - last_ - 1.0f);
        if (sleepMs >= 1) platform::GetClock().SleepMicros(static_cast<uint64_t>(sleepMs) * 1000u);
        // Spin on the microsecond timer; a clock that stops moving (a test's
        // scripted clock) gets the remainder as one sleep instead.
        uint32_t previous = timer->GetLap(1), same = 0;
        for (uint32_t lap = previous; static_cast<float>(lap) / 1000.0f < target; lap = timer->GetLap(1)) {
            same = lap == previous ? same + 1 : 0;
            previous = lap;
            if (same >= 1000) {
                const double remaining = static_cast<double>(target) * 1000.0 - static_cast<double>(lap);
                platform::GetClock().SleepMicros(static_cast<uint64_t>(std::ceil(remaining)));
                same = 0;
            }
        }
    }
    measured_ = static_cast<float>(timer->GetLap(1)) / 1000.0f;
    timer->StartLap(1);
}

gfx::Result tmRender::CheckDeviceLost() {
    if (!device_) return gfx::Res::Fail;
    device_->endScene();
    if (device_->present() != gfx::Res::Ok && device_->cooperativeLevel() == gfx::Res::DeviceNotReset) {
        const gfx::Result r = ResetDevice();
        if (r != gfx::Res::Ok) return r;
        return gfx::Res::Ok;  // the set-up opened the next scene
    }
    device_->beginScene();
    return gfx::Res::Ok;
}
