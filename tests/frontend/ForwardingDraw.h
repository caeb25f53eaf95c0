// ForwardingDraw.h -- a drawer for display tests that hands every call to another and reports a chosen frame rate.
#pragma once

#include "sys/render/tmDraw.h"

// Installs itself while it lives and forwards to `target` (the renderer).
class ForwardingDraw : public tmDraw {
public:
    ForwardingDraw(tmDraw* target, float frameRate) : t_(target), frameRate_(frameRate) { tmDraw::SetInstance(this); }
    ~ForwardingDraw() override { tmDraw::SetInstance(t_); }

    void SetWorldMatrix(const D3DXMATRIX& m) override { t_->SetWorldMatrix(m); }
    int DrawModel(int s, uint32_t a, int l) override { return t_->DrawModel(s, a, l); }
    int DrawModelAlpha(int s, uint32_t a, int l, float alpha) override { return t_->DrawModelAlpha(s, a, l, alpha); }
    int DrawModelEx(int s, uint32_t a, int l, int f) override { return t_->DrawModelEx(s, a, l, f); }
    int DrawModelDefaultLayer(int s, uint32_t a) override { return t_->DrawModelDefaultLayer(s, a); }
    int DrawModelIdentity(int s) override { return t_->DrawModelIdentity(s); }
    int DrawModelToCubeLayers(int s, uint32_t a) override { return t_->DrawModelToCubeLayers(s, a); }
    int DrawModelPtr(sys::tmModel* m, uint32_t a, int l, float alpha) override {
        return t_->DrawModelPtr(m, a, l, alpha);
    }
    int DrawSprite(int s, float x, float y, int p) override { return t_->DrawSprite(s, x, y, p); }
    int DrawSpriteAlpha(int s, float x, float y, float a, int p) override { return t_->DrawSpriteAlpha(s, x, y, a, p); }
    int DrawSpriteScaledAlpha(int s, float x, float y, float sx, float sy, float a, int p) override {
        return t_->DrawSpriteScaledAlpha(s, x, y, sx, sy, a, p);
    }
    int DrawSpriteEx(int s, float x, float y, float sx, float sy, uint32_t c, int p, float r, float px, float py,
                     float u, float v, float ue, float ve) override {
        return t_->DrawSpriteEx(s, x, y, sx, sy, c, p, r, px, py, u, v, ue, ve);
    }
    int DrawSpritePtrEx(sys::tmSprite* s, float x, float y, float sx, float sy, uint32_t c, int p, float r, float px,
                        float py, float u, float v, float ue, float ve) override {
        return t_->DrawSpritePtrEx(s, x, y, sx, sy, c, p, r, px, py, u, v, ue, ve);
    }
    int DrawSpriteRect(int s, const D3DXMATRIX& m, uint32_t c, float u, float v, float ue, float ve, float w,
                       float h) override {
        return t_->DrawSpriteRect(s, m, c, u, v, ue, ve, w, h);
    }
    int DrawSpriteRectDefault(int s, const D3DXMATRIX& m, uint32_t c) override {
        return t_->DrawSpriteRectDefault(s, m, c);
    }
    int DrawBatch(int s, int l, uint32_t c, uint32_t a, int m, int n, const float* p, const uint32_t* cs,
                  const float* uv) override {
        return t_->DrawBatch(s, l, c, a, m, n, p, cs, uv);
    }
    void SetViewMatrix(const D3DXMATRIX& m) override { t_->SetViewMatrix(m); }
    void SetProjectionMatrix(const D3DXMATRIX& m) override { t_->SetProjectionMatrix(m); }
    void SetViewProjectionMatrix(const D3DXMATRIX& v, const D3DXMATRIX& p) override {
        t_->SetViewProjectionMatrix(v, p);
    }
    void SetSecondViewProjection(const D3DXMATRIX& v, const D3DXMATRIX& p) override {
        t_->SetSecondViewProjection(v, p);
    }
    void SetExtraMatrix1(const D3DXMATRIX& m) override { t_->SetExtraMatrix1(m); }
    void SetExtraMatrix2(const D3DXMATRIX& m) override { t_->SetExtraMatrix2(m); }
    void SetExtraMatrix3(const D3DXMATRIX& m) override { t_->SetExtraMatrix3(m); }
    void SetNearFar(float n, float f) override { t_->SetNearFar(n, f); }
    tmFrustum* SetFrustum(const D3DXMATRIX& v, float fov, float a, float n, float f) override {
        return t_->SetFrustum(v, fov, a, n, f);
    }
    void SetQueuePlane(const D3DXVECTOR3& p) override { t_->SetQueuePlane(p); }
    void SetClearColor(uint32_t c) override { t_->SetClearColor(c); }
    void ResetClearColor() override { t_->ResetClearColor(); }
    void SetLightDirection(const float* d, const D3DXMATRIX& m) override { t_->SetLightDirection(d, m); }
    void SetLightDirectionDefault(const float* d) override { t_->SetLightDirectionDefault(d); }
    D3DXVECTOR4 GetLightDirection() const override { return t_->GetLightDirection(); }
    void SetSampler6Texture(sys::tmTexture* x) override { t_->SetSampler6Texture(x); }
    void SetSampler9Texture(sys::tmTexture* x) override { t_->SetSampler9Texture(x); }
    void SetSampler10Texture(sys::tmTexture* x) override { t_->SetSampler10Texture(x); }
    void SetSampler9CubeTexture(sys::tmCubeTexture* c) override { t_->SetSampler9CubeTexture(c); }
    void SetVector(const D3DXVECTOR3& v) override { t_->SetVector(v); }
    void SetFakeHdr(float a, float b, float c) override { t_->SetFakeHdr(a, b, c); }
    void SetBloomRate(float r) override { t_->SetBloomRate(r); }
    tmResourceHolder* GetResourceHolder() const override { return t_->GetResourceHolder(); }
    int GetBackBufferWidth() const override { return t_->GetBackBufferWidth(); }
    int GetBackBufferHeight() const override { return t_->GetBackBufferHeight(); }
    float GetFrameRate() const override { return frameRate_; }

private:
    tmDraw* t_;
    float frameRate_;
};
