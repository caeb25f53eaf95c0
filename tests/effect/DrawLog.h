// DrawLog.h -- a drawer for tests that keeps the model draws and the batches it is given, with copies of their data.
#pragma once

#include <vector>

#include "sys/render/tmDraw.h"

// Installs itself as the drawer while it lives. Model draws keep the world
// matrix current at the call; batches keep a copy of their vertex arrays
// (the batches reuse their arrays after the call). Everything else is
// accepted and dropped.
class DrawLog : public tmSilentDraw {
public:
    struct Model {
        int slot;
        uint32_t arg;
        int layer;
        int flag;  // DrawModelEx's extra flag; 99 for DrawModel
        D3DXMATRIX world;
    };
    struct Batch {
        int spriteSlot;
        int layer;
        uint32_t shaderType;
        int matrixChoice;
        int triangles;
        std::vector<float> positions;   // 9 per triangle
        std::vector<uint32_t> colours;  // 3 per triangle
        std::vector<float> texCoords;   // 6 per triangle
    };

    DrawLog() { tmDraw::SetInstance(this); }
    ~DrawLog() override { tmDraw::SetInstance(nullptr); }
    DrawLog(const DrawLog&) = delete;
    DrawLog& operator=(const DrawLog&) = delete;

    std::vector<Model> models;
    std::vector<Batch> batches;
    D3DXMATRIX world;
    D3DXVECTOR4 light{0.0f, -1.0f, 0.5f, 0.0f};
    std::vector<D3DXVECTOR4> lightsSet;

    void Clear() {
        models.clear();
        batches.clear();
    }
    int TrianglesOnLayer(int layer) const {
        int n = 0;
        for (const Batch& b : batches)
            if (b.layer == layer) n += b.triangles;
        return n;
    }

    void SetWorldMatrix(const D3DXMATRIX& m) override { world = m; }
    int DrawModel(int slot, uint32_t arg, int layer) override {
        models.push_back({slot, arg, layer, 99, world});
        return 0;
    }
    int DrawModelEx(int slot, uint32_t arg, int layer, int flag) override {
        models.push_back({slot, arg, layer, flag, world});
        return 0;
    }
    int DrawModelDefaultLayer(int slot, uint32_t arg) override { return DrawModel(slot, arg, 0); }
    int DrawModelIdentity(int slot) override { return DrawModel(slot, 0, 0); }
    int DrawModelToCubeLayers(int slot, uint32_t arg) override { return DrawModel(slot, arg, 9); }
    int DrawBatch(int spriteSlot, int layer, uint32_t, uint32_t shaderType, int matrixChoice, int triangleCount,
                  const float* positions, const uint32_t* colours, const float* texCoords) override {
        Batch b{spriteSlot, layer, shaderType, matrixChoice, triangleCount, {}, {}, {}};
        const size_t n = static_cast<size_t>(triangleCount);
        b.positions.assign(positions, positions + n * 9);
        b.colours.assign(colours, colours + n * 3);
        b.texCoords.assign(texCoords, texCoords + n * 6);
        batches.push_back(std::move(b));
        return 0;
    }
    tmFrustum* SetFrustum(const D3DXMATRIX&, float, float, float, float) override { return &frustum_; }
    void SetLightDirection(const float*, const D3DXMATRIX&) override {}
    void SetLightDirectionDefault(const float* d) override {
        light = D3DXVECTOR4(d[0], d[1], d[2], d[3]);
        lightsSet.push_back(light);
    }
    D3DXVECTOR4 GetLightDirection() const override { return light; }
    float GetFrameRate() const override { return 60.0f; }

private:
    tmFrustum frustum_;
};
