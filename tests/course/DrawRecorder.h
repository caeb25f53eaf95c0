// DrawRecorder.h -- a drawer for tests that keeps the model draws, texture bindings and colour vector it is given.
#pragma once

#include <vector>

#include "sys/render/tmDraw.h"

namespace sys {
class tmCubeTexture;
class tmTexture;
}  // namespace sys

// Installs itself as the drawer while it lives. Model draws are kept with the
// world matrix current at the call; everything else is accepted and dropped.
class DrawRecorder : public tmDraw {
public:
    struct ModelDraw {
        enum Kind { kSlot, kIdentity, kCubeFaces } kind;
        int slot;
        uint32_t arg;
        int layer;
        D3DXMATRIX world;
    };
    // One call of a sampler binder; `texture` is the pointer given (null unbinds).
    struct Binding {
        int sampler;
        const void* texture;
    };

    DrawRecorder() { tmDraw::SetInstance(this); }
    ~DrawRecorder() override { tmDraw::SetInstance(nullptr); }

    std::vector<ModelDraw> models;
    std::vector<Binding> bindings;
    std::vector<D3DXVECTOR3> vectors;
    D3DXMATRIX world;

    void SetWorldMatrix(const D3DXMATRIX& m) override { world = m; }
    int DrawModel(int slot, uint32_t arg, int layer) override {
        models.push_back({ModelDraw::kSlot, slot, arg, layer, world});
        return 0;
    }
    int DrawModelEx(int slot, uint32_t arg, int layer, int) override { return DrawModel(slot, arg, layer); }
    int DrawModelDefaultLayer(int slot, uint32_t arg) override { return DrawModel(slot, arg, 0); }
    int DrawModelIdentity(int slot) override {
        models.push_back({ModelDraw::kIdentity, slot, 0, 0, world});
        return 0;
    }
    int DrawModelToCubeLayers(int slot, uint32_t arg) override {
        models.push_back({ModelDraw::kCubeFaces, slot, arg, tmRenderLayer::kCubeFace0, world});
        return 0;
    }
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
    tmFrustum* SetFrustum(const D3DXMATRIX&, float, float, float, float) override { return &frustum_; }
    void SetQueuePlane(const D3DXVECTOR3&) override {}
    void SetClearColor(uint32_t) override {}
    void ResetClearColor() override {}
    void SetLightDirection(const float*, const D3DXMATRIX&) override {}
    void SetLightDirectionDefault(const float*) override {}
    D3DXVECTOR4 GetLightDirection() const override { return {}; }
    void SetSampler6Texture(sys::tmTexture* t) override { bindings.push_back({6, t}); }
    void SetSampler9Texture(sys::tmTexture* t) override { bindings.push_back({9, t}); }
    void SetSampler10Texture(sys::tmTexture* t) override { bindings.push_back({10, t}); }
    void SetSampler9CubeTexture(sys::tmCubeTexture* c) override { bindings.push_back({9, c}); }
    void SetVector(const D3DXVECTOR3& v) override { vectors.push_back(v); }
    void SetFakeHdr(float, float, float) override {}
    void SetBloomRate(float) override {}
    tmResourceHolder* GetResourceHolder() const override { return nullptr; }
    int GetBackBufferWidth() const override { return 1366; }
    int GetBackBufferHeight() const override { return 768; }
    float GetFrameRate() const override { return 60.0f; }

    // The last binding of a sampler, or `none` when it was never bound.
    const void* Bound(int sampler, const void* none = reinterpret_cast<const void*>(1)) const {
        const void* last = none;
        for (const Binding& b : bindings)
            if (b.sampler == sampler) last = b.texture;
        return last;
    }

private:
    tmFrustum frustum_;
};
