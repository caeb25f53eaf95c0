// tmRender.h -- the process-wide renderer: device set-up and reset, render targets, frame paths, drawing interface,
// pacing.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/gfx/GfxTypes.h"
#include "sys/base/tmMath.h"
#include "sys/gfx/tmRenderSetting.h"
#include "sys/render/tmDraw.h"
#include "sys/render/tmFrustum.h"
#include "sys/render/tmPostProcess.h"
#include "sys/render/tmRenderQueue.h"
#include "sys/render/tmRenderTarget.h"

namespace gfx {
class Device;
}
namespace sys {
class tmCubeTexture;
class tmModel;
class tmSprite;
class tmTexture;
}  // namespace sys
class tmShaderManager;
class tmResourceHolder;

// One instance (Create/GetInstance/Destroy), made by the main loop. It sets up
// the device from a tmRenderSetting (report files in the working folder),
// owns the render queue, the shader manager, the frustum, the scene, view and
// shadow targets and the post-process (bloom and glow), draws the queue each
// frame as a sequence of named passes and paces the frames.
class tmRender : public tmDraw {
public:
    using ShaderFactory = std::function<std::unique_ptr<tmShaderManager>(gfx::Device*)>;
    using Hook = std::function<void()>;
    using MessageBoxHook = std::function<void(const char* caption, const char* text)>;

    // A colour texture with its own depth surface.
    using Target = tmRenderTarget;
    struct FormatCombo {
        gfx::Format adapter, backBuffer, depthStencil;
    };
    using Kernel = tmPostProcess::Kernel;
    enum { kBloomLevels = tmPostProcess::kLevels };

    static tmRender* Create();
    static tmRender* GetInstance();
    static void Destroy();

    // ---- set-up (device and window are the given device) ----
    bool Initialize(gfx::Device* device, const tmRenderSetting& settings);
    bool SetupDirect3D(gfx::Device* device, const tmRenderSetting& settings);
    gfx::Result ResetDevice();
    static std::vector<FormatCombo> BuildFormatCombos();
    int CheckDevice(const tmRenderSetting& settings, gfx::Format desktop);
    void SetRenderStates();

    // Collaborators the program supplies before Initialize.
    void SetShaderFactory(ShaderFactory factory) { shaderFactory_ = std::move(factory); }
    // Slot lookups go to this source instead of the renderer's own cache (tests).
    void SetResourceHolder(tmSlotSource* holder) { holder_ = holder; }
    // The resource cache: made at the first set-up, kept across resets.
    tmResourceHolder* GetResourceHolder() const override { return cache_.get(); }
    // Debug text drops and restores its device objects around a reset.
    void SetDeviceObjectHooks(Hook lost, Hook restored) {
        onLost_ = std::move(lost);
        onRestored_ = std::move(restored);
    }
    void SetMessageBoxHook(MessageBoxHook hook) { messageBox_ = std::move(hook); }
    // The saved options' game flags 3 (second view) and 2 (mirrored view).
    void SetViewFlags(bool secondView, bool mirror) {
        secondViewFlag_ = secondView;
        mirrorFlag_ = mirror;
    }

    // ---- frame rendering ----
    int Render();
    void RenderSimple();
    void DrawSimpleLayer(int layer, gfx::Texture viewPicture);
    bool SimpleViewPass(bool on, int target, int layer, uint32_t clear);
    void RenderMultiPass();
    void DrawLayer(int layer);
    void DrawLayerWithShader(uint32_t shaderType, int layer);
    void DrawCubeFaceLayer(int face);

    // ---- drawing interface ----
    int DrawModelEx(int slot, uint32_t shaderType, int layer, int flag) override;
    int DrawModel(int slot, uint32_t shaderType, int layer) override;
    int DrawModelAlpha(int slot, uint32_t shaderType, int layer, float alpha) override;
    int DrawModelDefaultLayer(int slot, uint32_t shaderType) override;
    int DrawModelIdentity(int slot) override;
    int DrawModelToCubeLayers(int slot, uint32_t shaderType) override;
    int DrawModelPtr(sys::tmModel* model, uint32_t shaderType, int layer, float alpha) override;
    int DrawSpriteEx(int slot, float x, float y, float scaleX, float scaleY, uint32_t colour, int mode, float rotation,
                     float pivotX, float pivotY, float uOffset, float vOffset, float uExtent, float vExtent) override;
    int DrawSpritePtrEx(sys::tmSprite* sprite, float x, float y, float scaleX, float scaleY, uint32_t colour, int mode,
                        float rotation, float pivotX, float pivotY, float uOffset, float vOffset, float uExtent,
                        float vExtent) override;
    int DrawSprite(int slot, float x, float y, int mode) override;
    int DrawSpriteAlpha(int slot, float x, float y, float alpha, int mode) override;
    int DrawSpriteScaledAlpha(int slot, float x, float y, float scaleX, float scaleY, float alpha, int mode) override;
    int DrawSpriteRect(int slot, const D3DXMATRIX& matrix, uint32_t colour, float uOffset, float vOffset, float uExtent,
                       float vExtent, float width, float height) override;
    int DrawSpriteRectDefault(int slot, const D3DXMATRIX& matrix, uint32_t colour) override;
    int DrawSpriteRectOverScreen(int slot, const D3DXMATRIX& matrix, uint32_t colour) override;
    int DrawBatch(int spriteSlot, int layer, uint32_t colour, uint32_t shaderType, int matrixChoice, int triangleCount,
                  const float* positions, const uint32_t* colours, const float* texCoords) override;
    void SetWorldMatrix(const D3DXMATRIX& m) override;
    void SetViewMatrix(const D3DXMATRIX& m) override;
    void SetProjectionMatrix(const D3DXMATRIX& m) override;
    void SetViewProjectionMatrix(const D3DXMATRIX& a, const D3DXMATRIX& b) override;
    void SetSecondViewProjection(const D3DXMATRIX& view, const D3DXMATRIX& projection) override;
    void SetExtraMatrix1(const D3DXMATRIX& m) override;
    void SetExtraMatrix2(const D3DXMATRIX& m) override;
    void SetExtraMatrix3(const D3DXMATRIX& m) override;
    void SetCubeMapCenter(float x, float y, float z);
    void SetNearFar(float nearPlane, float farPlane) override;
    tmFrustum* SetFrustum(const D3DXMATRIX& view, float fov, float aspect, float nearPlane, float farPlane) override;
    // Reference point of the frame's depth ordering (kept for the drawing code; ordering is per shape).
    void SetQueuePlane(const D3DXVECTOR3& point) override;
    void SetLightDirection(const float direction[4], const D3DXMATRIX& transform) override;
    void SetLightDirectionDefault(const float direction[4]) override;
    D3DXVECTOR4 GetLightDirection() const override;
    void SetSampler9Texture(sys::tmTexture* texture) override;
    void SetSampler9CubeTexture(sys::tmCubeTexture* cube) override;
    void SetSampler6Texture(sys::tmTexture* texture) override;
    void SetSampler10Texture(sys::tmTexture* texture) override;
    void SetClearColor(uint32_t argb) override;
    void ResetClearColor() override { storedClear_ = 0xFF000000u; }
    uint32_t GetClearColor() const { return storedClear_; }

    void SetVector(const D3DXVECTOR3& v) override;
    void SetFakeHdr(float a, float b, float c) override;
    void SetBloomRate(float rate) override;
    sys::tmTexture* CreateTexture(const char* name, int width, int height) override;
    bool UploadTexture(sys::tmTexture* texture, const uint32_t* argb, int width, int height) override;
    bool ResetDisplay(int width, int height) override;
    int GetBackBufferWidth() const override;
    int GetBackBufferHeight() const override;
    float GetFrameRate() const override;

    // ---- pacing and device loss ----
    float GetFrameTime() const;
    void SetFrameTimeIndex(int index);
    void WaitFrame();
    gfx::Result CheckDeviceLost();

    // ---- readers ----
    gfx::Device* GetDevice() const { return device_; }
    tmRenderQueue* GetQueue() const { return queue_.get(); }
    tmShaderManager* GetShader() const { return shader_.get(); }
    tmFrustum* GetFrustum() const { return frustum_.get(); }
    const Target& GetTarget(int index) const;  // see the target list below; empty before a set-up
    const Target& GetBloomLevel(int i) const;
    const Target& GetGlowLevel(int i) const;
    gfx::Texture GetCubeTexture() const { return cube_; }
    const Kernel& GetBloomKernel(int i) const;
    const Kernel& GetGlowKernel(int i) const;
    tmPostProcess* GetPostProcess() const { return post_.get(); }
    uint32_t GetEntriesDrawn() const { return entriesDrawn_; }
    uint32_t GetVerticesDrawn() const { return verticesDrawn_; }
    uint32_t GetPrimitivesDrawn() const { return primitivesDrawn_; }
    // Non-finite matrices the seam has dropped since the renderer was made.
    uint32_t GetDroppedMatrices() const { return droppedMatrices_; }
    float GetAverageFrameTime() const { return average_; }
    float GetMeasuredFrameTime() const { return measured_; }
    float GetLastFrameTime() const { return last_; }

    // Off-screen targets: the renderer's own and, for reading, the post-process's. A set-up for the simple frame
    // makes only the two views'; the rest (and the post-process and cube) are the multi-pass frame's.
    enum {
        kSceneA,
        kWork1,
        kWork2,
        kBloomResult,
        kSceneB,
        kGlowWork,
        kGlowResult,
        kSecondView,
        kMirror,
        kDepthRecord,
        kNearShadow,
        kFarShadow,
        kTargetCount
    };

private:
    tmRender() = default;
    ~tmRender();
    void ReleaseDeviceObjects();
    void CreateResources();
    Target MakeTarget(uint32_t width, uint32_t height);
    void ReleaseTarget(Target& t);
    void Clear(bool colour);
    // Under a layout fit with bands, the bands of the bound target (stretched over the window) cleared
    // black: the clear colour fills only the virtual screen.
    void ClearBands();
    // The bands of the bound target: false when the fit leaves none; else the band widths *x (left and
    // right) and *y (top and bottom) and the target's size.
    bool BandsOnTarget(int* x, int* y, int* right, int* bottom) const;
    // Under a fit with bands, what is drawn in 3D onto the scene or the window (an item of a layer up to
    // kScreen that is not a screen sprite: models, world quads, batches) is cut to the virtual screen by
    // the scissor, since the menus' cameras scale their view into it; EndClip ends the cut after a layer.
    void ClipItem(int layer, const tmRenderQueue::Item& item);
    void EndClip();
    void SetAddress(gfx::Address mode);
    void BindTarget(const Target& t);
    Target BackBufferTarget() const;
    void WriteGammaReport();
    // False (and the first time a log line) for a matrix with a NaN or an infinity.
    bool AcceptMatrix(const D3DXMATRIX& m, const char* what);

    // ---- the passes of the multi-pass frame, in drawing order ----
    void BeginMultiPass();
    void DepthAndShadowPass(const tmRenderSetting& s);
    void EnvironmentPass(const tmRenderSetting& s);
    void SecondViewPass();
    void MirrorPass();
    bool ScenePass();
    void GlowScenePass(bool scene);
    void CompositePass();
    void OverlayPass();

    gfx::Device* device_ = nullptr;
    tmSlotSource* holder_ = nullptr;
    ShaderFactory shaderFactory_;
    Hook onLost_, onRestored_;
    MessageBoxHook messageBox_;
    bool secondViewFlag_ = false, mirrorFlag_ = false;
    bool clipping_ = false;         // the scissor cuts draws to the virtual screen (ClipItem)
    bool worldDropped_ = false;     // the last world matrix given was not finite
    uint32_t droppedMatrices_ = 0;  // non-finite matrices dropped at the seam
    uint32_t entriesDrawn_ = 0, verticesDrawn_ = 0, primitivesDrawn_ = 0;
    uint32_t activeClear_ = 0xFF000000u, storedClear_ = 0xFF000000u;
    gfx::Format desktopFormat_ = gfx::Format::Unknown;
    gfx::Texture backBuffer_;
    gfx::DepthSurface backDepth_;
    Target targets_[kTargetCount];  // the renderer's own; the post-process holds the rest
    gfx::Texture cube_;
    gfx::DepthSurface cubeDepth_;
    float last_ = 0, accumulated_ = 0, average_ = 0, measured_ = 0;
    int frameCount_ = 0, frameTimeIndex_ = 0;
    std::unique_ptr<tmResourceHolder> cache_;
    std::unique_ptr<tmSlotSource> cacheSlots_;
    std::unique_ptr<tmRenderQueue> queue_;
    std::unique_ptr<tmShaderManager> shader_;
    std::unique_ptr<tmPostProcess> post_;
    std::unique_ptr<tmFrustum> frustum_;
    // The device texture bound on sampler 9 (the course's sky), kept as the device's handle:
    // the resource itself may be released while the handle still names it, and a stale
    // handle binds nothing.
    gfx::Texture sampler9Texture_{};
};
