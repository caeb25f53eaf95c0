// tmDraw.h -- the drawing seam: every drawing service the race, the HUD and the screens may call.
#pragma once
#include <cstdint>

#include "sys/base/tmMath.h"
#include "sys/render/tmFrustum.h"
#include "sys/render/tmRenderLayer.h"

namespace sys {
class tmCubeTexture;
class tmModel;
class tmSprite;
class tmTexture;
}  // namespace sys
class tmResourceHolder;

// The contract between the game above floor 5 and the renderer. Code of the
// simulation, the HUD and the screens includes this header and no other of the
// renderer: no device, no set-up, no gfx:: type. Drawing only queues; the
// renderer draws the queue after the screen's Draw. tmRender implements it;
// tests install a recorder with SetInstance. With no drawer installed,
// GetInstance returns a silent one that accepts and discards every call, so a
// race runs headless and never depends on what is drawn.
//
// Slots are the fixed model and sprite slots of the resource cache; `arg` is
// the draw argument (a tmShaderType the entry is drawn with); `layer` is a
// render-queue layer (tmRenderLayer); a screen sprite's `placement` is a
// tmSpritePlacement. The Draw* calls return 0 when the request was queued and
// a negative value when it was dropped; callers may ignore the result.
class tmDraw {
public:
    virtual ~tmDraw() = default;

    // The installed drawer, or the silent one (never null).
    static tmDraw* GetInstance();
    // Installs a drawer (the renderer at set-up, a recorder in tests); null restores the silent one.
    static void SetInstance(tmDraw* drawer);

    // ---- models ----
    // World matrix of the models queued next.
    virtual void SetWorldMatrix(const D3DXMATRIX& m) = 0;
    // The model in a fixed slot with the current world matrix and alpha 1.
    virtual int DrawModel(int slot, uint32_t arg, int layer) = 0;
    // The same with an extra flag (tmModelFlag: the player's machine or the others).
    virtual int DrawModelEx(int slot, uint32_t arg, int layer, int flag) = 0;
    // The same with an alpha (0..1) that the programs fade the model by (the race display's gauges).
    // Drawers that keep no alpha may leave it to DrawModel.
    virtual int DrawModelAlpha(int slot, uint32_t arg, int layer, float alpha) {
        (void)alpha;
        return DrawModel(slot, arg, layer);
    }
    // The model on tmRenderLayer::kScene (its alpha mode then picks the scene layer).
    virtual int DrawModelDefaultLayer(int slot, uint32_t arg) = 0;
    // The model with the standard shader on tmRenderLayer::kScene, under the current world matrix:
    // despite the name nothing resets the matrix, so a caller sets the one it needs first.
    virtual int DrawModelIdentity(int slot) = 0;
    // The model into the six cube-face layers (tmRenderLayer::CubeFace).
    virtual int DrawModelToCubeLayers(int slot, uint32_t arg) = 0;
    // A model object outside the fixed slots (the course viewer), with its own alpha.
    virtual int DrawModelPtr(sys::tmModel* model, uint32_t arg, int layer, float alpha) = 0;

    // ---- sprites (1366 x 768 virtual screen) ----
    virtual int DrawSprite(int slot, float x, float y, int placement) = 0;
    virtual int DrawSpriteAlpha(int slot, float x, float y, float alpha, int placement) = 0;
    virtual int DrawSpriteScaledAlpha(int slot, float x, float y, float scaleX, float scaleY, float alpha,
                                      int placement) = 0;
    // The full form: colour ARGB, rotation about the pivot, and a texture sub-rectangle in sprite units.
    virtual int DrawSpriteEx(int slot, float x, float y, float scaleX, float scaleY, uint32_t colour, int placement,
                             float rotation, float pivotX, float pivotY, float uOffset, float vOffset, float uExtent,
                             float vExtent) = 0;
    // The full form for a sprite resource outside the slots.
    virtual int DrawSpritePtrEx(sys::tmSprite* sprite, float x, float y, float scaleX, float scaleY, uint32_t colour,
                                int placement, float rotation, float pivotX, float pivotY, float uOffset, float vOffset,
                                float uExtent, float vExtent) = 0;
    // A 16 x 16 square sprite (the common white one, tinted by `colour`) stretched over the whole window
    // whatever its shape, with a margin that keeps its filtered edges outside: fades, covers and flashes.
    int DrawWindowCover(int slot, uint32_t colour);
    // A sprite rectangle of width x height placed in the world by a matrix.
    virtual int DrawSpriteRect(int slot, const D3DXMATRIX& matrix, uint32_t colour, float uOffset, float vOffset,
                               float uExtent, float vExtent, float width, float height) = 0;
    virtual int DrawSpriteRectDefault(int slot, const D3DXMATRIX& matrix, uint32_t colour) = 0;
    // DrawSpriteRectDefault drawn over the frame's screen sprites rather than under them (world-placed
    // lines over a full-screen backdrop). Drawers that keep no layers may leave it to DrawSpriteRectDefault.
    virtual int DrawSpriteRectOverScreen(int slot, const D3DXMATRIX& matrix, uint32_t colour) {
        return DrawSpriteRectDefault(slot, matrix, colour);
    }

    // ---- batches ----
    // Triangles of one sprite sheet, three vertices each (xyz positions, ARGB colours, uv pairs).
    // matrixChoice 0 draws them with the current world and view, 1 as view-space positions.
    virtual int DrawBatch(int spriteSlot, int layer, uint32_t colour, uint32_t arg, int matrixChoice, int triangleCount,
                          const float* positions, const uint32_t* colours, const float* texCoords) = 0;

    // ---- camera and frame state ----
    virtual void SetViewMatrix(const D3DXMATRIX& m) = 0;
    virtual void SetProjectionMatrix(const D3DXMATRIX& m) = 0;
    virtual void SetViewProjectionMatrix(const D3DXMATRIX& view, const D3DXMATRIX& projection) = 0;
    virtual void SetSecondViewProjection(const D3DXMATRIX& view, const D3DXMATRIX& projection) = 0;
    virtual void SetExtraMatrix1(const D3DXMATRIX& m) = 0;
    virtual void SetExtraMatrix2(const D3DXMATRIX& m) = 0;
    virtual void SetExtraMatrix3(const D3DXMATRIX& m) = 0;
    virtual void SetNearFar(float nearPlane, float farPlane) = 0;
    // Builds the frame's view frustum; the returned frustum lives until the next call.
    virtual tmFrustum* SetFrustum(const D3DXMATRIX& view, float fov, float aspect, float nearPlane, float farPlane) = 0;
    // Reference point of the frame's depth ordering (10 units above the player's machine in a race).
    virtual void SetQueuePlane(const D3DXVECTOR3& point) = 0;
    virtual void SetClearColor(uint32_t argb) = 0;
    virtual void ResetClearColor() = 0;

    // ---- lights, course textures and post-effect parameters ----
    virtual void SetLightDirection(const float direction[4], const D3DXMATRIX& transform) = 0;
    virtual void SetLightDirectionDefault(const float direction[4]) = 0;
    virtual D3DXVECTOR4 GetLightDirection() const = 0;
    // The course's gouraud ramp (6), a texture on the sky sampler (9) and the post-process lookup (10);
    // null unbinds.
    virtual void SetSampler6Texture(sys::tmTexture* texture) = 0;
    virtual void SetSampler9Texture(sys::tmTexture* texture) = 0;
    virtual void SetSampler10Texture(sys::tmTexture* texture) = 0;
    // The course's sky cube on sampler 9, the shaders' cube sampler; null unbinds. Drawers that bind
    // nothing need not override it.
    virtual void SetSampler9CubeTexture(sys::tmCubeTexture* cube) { (void)cube; }
    // The course colour vector handed to the shaders.
    virtual void SetVector(const D3DXVECTOR3& v) = 0;
    virtual void SetFakeHdr(float a, float b, float c) = 0;
    virtual void SetBloomRate(float rate) = 0;

    // ---- textures filled on the CPU (text, pictures) ----
    // A texture resource named `name` of width x height ARGB texels, not yet
    // registered in the resource cache (the caller registers it); null when no
    // device can make it. The silent drawer makes none.
    virtual sys::tmTexture* CreateTexture(const char* name, int width, int height);
    // Replaces every texel of a texture made by CreateTexture with width x
    // height ARGB words, top row first; false (nothing uploaded) when the size
    // is not the texture's or there is no device.
    virtual bool UploadTexture(sys::tmTexture* texture, const uint32_t* argb, int width, int height);

    // ---- display mode ----
    // Sets the device up again with a copy of the current video settings at
    // width x height (0 x 0 keeps the current size), between two frames. False
    // when nothing was set up (no device: the silent drawer; or the set-up failed).
    virtual bool ResetDisplay(int width, int height);

    // ---- layout ----
    // Pixels per unit of the race display on this drawer's back buffer (1 at 1366 x 768, 1 with no
    // back buffer): the scale of sprites placed with tmSpritePlacement::kHudScaled and of the
    // display's models, which anchor to the window's corners.
    float GetHudScale() const;
    // How a 3D view stands on this drawer's back buffer. Under the menus' fit (SetRaceLayout(false)) it is
    // part of the fitted virtual screen: seen at the virtual screen's shape (`aspect`) and scaled into it
    // with the sprites, covering `scaleX` and `scaleY` of the window's width and height about its centre
    // (cameras scale their clip space by them). In a race it fills the window: its aspect, scales of 1.
    struct SceneFit {
        float aspect = 1366.0f / 768.0f;
        float scaleX = 1.0f, scaleY = 1.0f;
    };
    SceneFit GetSceneFit() const;
    // How kVirtualScreen fits the virtual screen into the window, process-wide: its middle 1024 x 768
    // at the race display's scale while a race runs (true), else the whole of it with black bands on
    // windows narrower than 16:9 (false).
    static void SetRaceLayout(bool race);

    // ---- readers ----
    // The resource cache (null when none is set up).
    virtual tmResourceHolder* GetResourceHolder() const = 0;
    // Back-buffer size of the current video mode in pixels.
    virtual int GetBackBufferWidth() const = 0;
    virtual int GetBackBufferHeight() const = 0;
    // Frames per second as the frame-rate readout shows it.
    virtual float GetFrameRate() const = 0;
};

// Accepts every call and draws nothing: the drawer while no renderer exists, so
// headless races and screens run on it. Test drawers derive from it and
// override only the calls they record.
class tmSilentDraw : public tmDraw {
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
