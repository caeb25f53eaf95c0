// DrawLog.h -- a drawer for tests that keeps every model and sprite request and the camera matrices it is given.
#pragma once

#include <cstdint>
#include <vector>

#include "sys/render/tmDraw.h"

// Installs itself as the drawer while it lives. Models are kept with the
// world matrix current at the call; sprites of every form are kept as one
// record (screen sprites with their placement, sprite rectangles with their
// matrix and placement kWorldQuad).
class DrawLog : public tmSilentDraw {
public:
    struct Model {
        int slot;
        uint32_t arg;
        int layer;
        D3DXMATRIX world;
        float alpha;
    };
    struct Sprite {
        int slot;
        float x, y, scaleX, scaleY;
        uint32_t colour;
        int placement;
        float u, v, uExtent, vExtent;
        float width, height;  // sprite rectangles only
        D3DXMATRIX matrix;    // sprite rectangles only
        float alpha;          // as given by the alpha forms, else the colour's alpha byte / 255
    };

    explicit DrawLog(int width = 1366, int height = 768) : width_(width), height_(height) {
        D3DXMatrixIdentity(&world);
        D3DXMatrixIdentity(&view);
        D3DXMatrixIdentity(&projection);
        tmDraw::SetInstance(this);
    }
    ~DrawLog() override { tmDraw::SetInstance(nullptr); }

    void Clear() {
        models.clear();
        sprites.clear();
        frustumCalls = 0;
    }
    // The model draws of one slot, in call order.
    std::vector<Model> ModelsOf(int slot) const {
        std::vector<Model> out;
        for (const Model& m : models)
            if (m.slot == slot) out.push_back(m);
        return out;
    }
    std::vector<Sprite> SpritesOf(int slot) const {
        std::vector<Sprite> out;
        for (const Sprite& s : sprites)
            if (s.slot == slot) out.push_back(s);
        return out;
    }
    bool HasModel(int slot) const { return !ModelsOf(slot).empty(); }

    std::vector<Model> models;
    std::vector<Sprite> sprites;
    D3DXMATRIX world, view, projection;
    D3DXMATRIX extra1, extra2, extra3, secondView, secondProjection;
    float nearPlane = 0, farPlane = 0;
    int frustumCalls = 0;
    float frustumFov = 0, frustumAspect = 0;
    float frameRate = 60.0f;
    std::vector<D3DXVECTOR4> lights;  // every light direction set, as given (Clear leaves them)

    void SetWorldMatrix(const D3DXMATRIX& m) override { world = m; }
    int DrawModel(int slot, uint32_t arg, int layer) override {
        models.push_back({slot, arg, layer, world, 1.0f});
        return 0;
    }
    int DrawModelAlpha(int slot, uint32_t arg, int layer, float alpha) override {
        models.push_back({slot, arg, layer, world, alpha});
        return 0;
    }
    int DrawModelEx(int slot, uint32_t arg, int layer, int) override { return DrawModel(slot, arg, layer); }
    int DrawModelDefaultLayer(int slot, uint32_t arg) override { return DrawModel(slot, arg, 0); }
    int DrawModelIdentity(int slot) override {
        D3DXMATRIX id;
        D3DXMatrixIdentity(&id);
        models.push_back({slot, 0, 0, id, 1.0f});
        return 0;
    }
    int DrawModelToCubeLayers(int slot, uint32_t arg) override {
        return DrawModel(slot, arg, tmRenderLayer::kCubeFace0);
    }
    int DrawSprite(int slot, float x, float y, int placement) override {
        return DrawSpriteEx(slot, x, y, 1, 1, 0xFFFFFFFFu, placement, 0, 0, 0, -1, -1, -1, -1);
    }
    int DrawSpriteAlpha(int slot, float x, float y, float alpha, int placement) override {
        DrawSpriteEx(slot, x, y, 1, 1, Colour(alpha), placement, 0, 0, 0, -1, -1, -1, -1);
        sprites.back().alpha = alpha;
        return 0;
    }
    int DrawSpriteScaledAlpha(int slot, float x, float y, float sx, float sy, float alpha, int placement) override {
        DrawSpriteEx(slot, x, y, sx, sy, Colour(alpha), placement, 0, 0, 0, -1, -1, -1, -1);
        sprites.back().alpha = alpha;
        return 0;
    }
    int DrawSpriteEx(int slot, float x, float y, float sx, float sy, uint32_t colour, int placement, float, float,
                     float, float u, float v, float ue, float ve) override {
        Sprite s{slot, x, y, sx, sy, colour, placement, u, v, ue, ve, 0, 0, {}, (colour >> 24) / 255.0f};
        D3DXMatrixIdentity(&s.matrix);
        sprites.push_back(s);
        return 0;
    }
    int DrawSpriteRect(int slot, const D3DXMATRIX& m, uint32_t colour, float u, float v, float ue, float ve, float w,
                       float h) override {
        sprites.push_back(
            {slot, 0, 0, 1, 1, colour, tmSpritePlacement::kWorldQuad, u, v, ue, ve, w, h, m, (colour >> 24) / 255.0f});
        return 0;
    }
    int DrawSpriteRectDefault(int slot, const D3DXMATRIX& m, uint32_t colour) override {
        return DrawSpriteRect(slot, m, colour, -1, -1, -1, -1, 0, 0);
    }
    void SetViewMatrix(const D3DXMATRIX& m) override { view = m; }
    void SetProjectionMatrix(const D3DXMATRIX& m) override { projection = m; }
    void SetSecondViewProjection(const D3DXMATRIX& v, const D3DXMATRIX& p) override {
        secondView = v;
        secondProjection = p;
    }
    void SetExtraMatrix1(const D3DXMATRIX& m) override { extra1 = m; }
    void SetExtraMatrix2(const D3DXMATRIX& m) override { extra2 = m; }
    void SetExtraMatrix3(const D3DXMATRIX& m) override { extra3 = m; }
    void SetNearFar(float n, float f) override {
        nearPlane = n;
        farPlane = f;
    }
    tmFrustum* SetFrustum(const D3DXMATRIX& v, float fov, float aspect, float n, float f) override {
        ++frustumCalls;
        frustumFov = fov;
        frustumAspect = aspect;
        return frustum_.Build(v, fov, aspect, n, f);
    }
    void SetLightDirection(const float* d, const D3DXMATRIX&) override { lights.emplace_back(d[0], d[1], d[2], d[3]); }
    void SetLightDirectionDefault(const float* d) override { lights.emplace_back(d[0], d[1], d[2], d[3]); }
    D3DXVECTOR4 GetLightDirection() const override { return {}; }
    int GetBackBufferWidth() const override { return width_; }
    int GetBackBufferHeight() const override { return height_; }
    float GetFrameRate() const override { return frameRate; }

    static uint32_t Colour(float alpha) { return (static_cast<uint32_t>(alpha * 255.0f) << 24) | 0xFFFFFFu; }

private:
    int width_, height_;
    tmFrustum frustum_;
};
