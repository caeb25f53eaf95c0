// tmDraw.cpp -- the installed drawer and the silent one used when no renderer exists.
#include "sys/render/tmDraw.h"

namespace {
// Accepts every call and draws nothing: headless races and screens run on it.
class tmSilentDraw final : public tmDraw {
public:
    void SetWorldMatrix(const D3DXMATRIX&) override {}
    int DrawModel(int, uint32_t, int) override { return 0; }
    int DrawModelEx(int, uint32_t, int, int) override { return 0; }
    int DrawModelDefaultLayer(int, uint32_t) override { return 0; }
    int DrawModelIdentity(int) override { return 0; }
    int DrawModelToCubeLayers(int, uint32_t) override { return 0; }
    int DrawModelPtr(sys::tmModel*, uint32_t, int, float) override { return 0; }
    int DrawSprite(int, float, float, int) override { return 0; }
    int DrawSpriteAlpha(int, float, float, float, int) override { return 0; }
    int DrawSpriteScaledAlpha(int, float, float, float, float, float, int) override { return 0; }
    int DrawSpriteEx(int, float, float, float, float, uint32_t, int, float, float, float, float, float, float,
                     float) override {
        return 0;
    }
    int DrawSpritePtrEx(sys::tmSprite*, float, float, float, float, uint32_t, int, float, float, float, float, float,
                        float, float) override {
        return 0;
    }
    int DrawSpriteRect(int, const D3DXMATRIX&, uint32_t, float, float, float, float, float, float) override {
        return 0;
    }
    int DrawSpriteRectDefault(int, const D3DXMATRIX&, uint32_t) override { return 0; }
    int DrawBatch(int, int, uint32_t, uint32_t, int, int, const float*, const uint32_t*, const float*) override {
        return 0;
    }
    void SetViewMatrix(const D3DXMATRIX&) override {}
    void SetProjectionMatrix(const D3DXMATRIX&) override {}
    void SetViewProjectionMatrix(const D3DXMATRIX&, const D3DXMATRIX&) override {}
    void SetSecondViewProjection(const D3DXMATRIX&, const D3DXMATRIX&) override {}
    void SetExtraMatrix1(const D3DXMATRIX&) override {}
    void SetExtraMatrix2(const D3DXMATRIX&) override {}
    void SetExtraMatrix3(const D3DXMATRIX&) override {}
    void SetNearFar(float, float) override {}
    tmFrustum* SetFrustum(const D3DXMATRIX& view, float fov, float aspect, float nearPlane, float farPlane) override {
        return frustum_.Build(view, fov, aspect, nearPlane, farPlane);
    }
    void SetQueuePlane(const D3DXVECTOR3&) override {}
    void SetClearColor(uint32_t) override {}
    void ResetClearColor() override {}
    void SetLightDirection(const float[4], const D3DXMATRIX&) override {}
    void SetLightDirectionDefault(const float[4]) override {}
    D3DXVECTOR4 GetLightDirection() const override { return D3DXVECTOR4(0, -1, 0, 0); }
    void SetSampler6Texture(sys::tmTexture*) override {}
    void SetSampler9Texture(sys::tmTexture*) override {}
    void SetSampler10Texture(sys::tmTexture*) override {}
    void SetVector(const D3DXVECTOR3&) override {}
    void SetFakeHdr(float, float, float) override {}
    void SetBloomRate(float) override {}
    tmResourceHolder* GetResourceHolder() const override { return nullptr; }
    int GetBackBufferWidth() const override { return 1366; }
    int GetBackBufferHeight() const override { return 768; }
    float GetFrameRate() const override { return 0.0f; }

private:
    tmFrustum frustum_;
};

tmSilentDraw g_silent;
tmDraw* g_drawer = nullptr;
}  // namespace

sys::tmTexture* tmDraw::CreateTexture(const char*, int, int) { return nullptr; }

bool tmDraw::UploadTexture(sys::tmTexture*, const uint32_t*, int, int) { return false; }

bool tmDraw::ResetDisplay(int, int) { return false; }

tmDraw* tmDraw::GetInstance() { return g_drawer ? g_drawer : &g_silent; }

void tmDraw::SetInstance(tmDraw* drawer) { g_drawer = drawer; }
