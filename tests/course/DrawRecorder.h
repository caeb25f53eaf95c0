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
class DrawRecorder : public tmSilentDraw {
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
    tmFrustum* SetFrustum(const D3DXMATRIX&, float, float, float, float) override { return &frustum_; }
    void SetLightDirection(const float*, const D3DXMATRIX&) override {}
    void SetLightDirectionDefault(const float*) override {}
    D3DXVECTOR4 GetLightDirection() const override { return {}; }
    void SetSampler6Texture(sys::tmTexture* t) override { bindings.push_back({6, t}); }
    void SetSampler9Texture(sys::tmTexture* t) override { bindings.push_back({9, t}); }
    void SetSampler10Texture(sys::tmTexture* t) override { bindings.push_back({10, t}); }
    void SetSampler9CubeTexture(sys::tmCubeTexture* c) override { bindings.push_back({9, c}); }
    void SetVector(const D3DXVECTOR3& v) override { vectors.push_back(v); }
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
