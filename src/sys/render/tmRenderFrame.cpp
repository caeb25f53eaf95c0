// tmRenderFrame.cpp -- drawing the queue: the simple fixed-function path and the passes of the multi-pass path.
#include "platform/gfx/Device.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmCubeTexture.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmTexture.h"

namespace L = tmRenderLayer;
using tmShaderType::kRecordZ;  // depth-only program of the shadow and depth passes

void tmRender::BindTarget(const Target& t) { tmBindRenderTarget(device_, t); }

void tmRender::Clear(bool colour) {
    if (colour)
        device_->clear(gfx::ClearFlag::Target | gfx::ClearFlag::ZBuffer, activeClear_, 1.0f, 0);
    else
        device_->clear(gfx::ClearFlag::ZBuffer, 0xFF000000u, 1.0f, 0);
}

bool tmRender::BandsOnTarget(int* x, int* y, int* right, int* bottom) const {
    int bandX = 0, bandY = 0;
    if (!tmGetLayoutBands(&bandX, &bandY)) return false;
    const tmRenderSetting& s = tmGetCurrentRenderSetting();
    uint32_t w = 0, h = 0;
    device_->targetSize(&w, &h);
    if (s.width == 0 || s.height == 0 || w == 0 || h == 0) return false;
    *x = static_cast<int>(static_cast<uint64_t>(bandX) * w / s.width);
    *y = static_cast<int>(static_cast<uint64_t>(bandY) * h / s.height);
    *right = static_cast<int>(w);
    *bottom = static_cast<int>(h);
    return true;
}

void tmRender::ClearBands() {
    int x = 0, y = 0, right = 0, bottom = 0;
    if (!BandsOnTarget(&x, &y, &right, &bottom)) return;
    constexpr uint32_t kBlack = 0xFF000000u;
    if (y > 0) {
        device_->clearRect(0, 0, right, y, kBlack);
        device_->clearRect(0, bottom - y, right, bottom, kBlack);
    }
    if (x > 0) {
        device_->clearRect(0, 0, x, bottom, kBlack);
        device_->clearRect(right - x, 0, right, bottom, kBlack);
    }
}

void tmRender::ClipItem(int layer, const tmRenderQueue::Item& item) {
    // Screen sprites clip themselves, and full-window covers must reach the window's edges.
    const bool clip = layer <= L::kScreen && item.entry->shaderType != tmShaderType::kPretransformed;
    if (clip == clipping_) return;
    int x = 0, y = 0, right = 0, bottom = 0;
    if (clip && !BandsOnTarget(&x, &y, &right, &bottom)) return;
    clipping_ = clip;
    if (clip) device_->setScissorRect(x, y, right - x, bottom - y);
    device_->setState(gfx::State::ScissorTestEnable, clip ? 1 : 0);
}

void tmRender::EndClip() {
    if (!clipping_) return;
    clipping_ = false;
    device_->setState(gfx::State::ScissorTestEnable, 0);
}

void tmRender::SetAddress(gfx::Address mode) {
    for (uint32_t s = 0; s < gfx::kTextureStages; ++s) device_->setSamplerAddress(s, mode, mode);
}

int tmRender::Render() {
    if (!device_ || !queue_) return 0;
    if (shader_ && shader_->SupportsShaderModel3())
        RenderMultiPass();
    else
        RenderSimple();
    return 0;
}

void tmRender::DrawLayer(int layer) {
    const int n = queue_->GetLayerCount(layer);
    tmRenderQueue::Item* const* items = queue_->GetLayerItems(layer);
    for (int i = 0; i < n; ++i) {
        const tmRenderQueue::Item& item = *items[i];
        if (shader_ && !shader_->Apply(item)) continue;
        ClipItem(layer, item);
        item.shape->Draw(device_);
        ++entriesDrawn_;
        verticesDrawn_ += item.shape->vertexCount;
        primitivesDrawn_ += item.shape->primitiveCount;
    }
    EndClip();
}

void tmRender::DrawLayerWithShader(uint32_t shaderType, int layer) {
    const int n = queue_->GetLayerCount(layer);
    tmRenderQueue::Item* const* items = queue_->GetLayerItems(layer);
    for (int i = 0; i < n; ++i) {
        const tmRenderQueue::Item& item = *items[i];
        if (shader_ && !shader_->ApplyTransformOnly(shaderType, item)) continue;
        item.shape->Draw(device_);
        ++entriesDrawn_;
        verticesDrawn_ += item.shape->vertexCount;
        primitivesDrawn_ += item.shape->primitiveCount;
    }
}

void tmRender::DrawCubeFaceLayer(int face) { DrawLayer(L::CubeFace(face)); }

namespace {
bool LayoutHasNormals(int layout) {
    const gfx::VertexLayout& l = gfx::GetVertexLayout(layout);
    for (uint32_t i = 0; i < l.count; ++i)
        if (l.elements[i].usage == gfx::ElementUsage::Normal) return true;
    return false;
}
}  // namespace

void tmRender::RenderSimple() {
    if (shader_) shader_->Begin(true);
    queue_->Flush(device_);
    gfx::DirectionalLight light;
    light.diffuse = {1, 1, 1, 0};
    light.specular = {0.8f, 0.8f, 0.8f, 0};
    light.ambient = {0.5f, 0.5f, 0.5f, 0};
    light.direction[0] = 0.577f;
    light.direction[1] = -0.577f;
    light.direction[2] = 0.577f;
    light.enabled = true;
    device_->setLight(light);
    device_->setShaders(gfx::Shader{}, gfx::Shader{});
    // Trilinear, not anisotropic, on stage 0: software rasterisers (llvmpipe) filter
    // anisotropically with an elliptical footprint whose texel loop grows without bound for
    // pixels with extreme texture derivatives (nearly edge-on triangles close to the camera:
    // the machine pinned against a wall, smoke crossing the near plane), and one such pixel
    // keeps a tile busy for seconds; elsewhere it about doubles the cost of every textured pixel.
    // A GPU caps the footprint; this path is for the rest. The multi-pass frame sets its states
    // again every frame (anisotropic).
    device_->setSamplerFilter(0, gfx::Filter::Linear, gfx::Filter::Linear, gfx::Filter::Linear, 1);
    entriesDrawn_ = verticesDrawn_ = primitivesDrawn_ = 0;
    // The second and the mirrored view into their pictures first, as the multi-pass frame
    // makes them: the race display's mini map and mirror show on this frame too.
    const bool second = SimpleViewPass(secondViewFlag_, kSecondView, L::kSecondView, 0x00000000u);
    const bool mirror = SimpleViewPass(mirrorFlag_, kMirror, L::kMirrorView, 0xFF000000u);
    BindTarget(BackBufferTarget());
    // Every frame starts from the clear colour and a far depth, or the last frame shows through.
    activeClear_ = storedClear_;
    Clear(true);
    ClearBands();
    for (int layer = L::kScene; layer <= L::kScreen; ++layer) {
        if (layer == L::kOverlay) {
            // The views' pictures, under the world quads and screen sprites.
            device_->setState(gfx::State::ZEnable, 0);
            if (second) DrawSimpleLayer(L::kAfterPostSecond, targets_[kSecondView].texture);
            if (mirror) DrawSimpleLayer(L::kAfterPostMirror, targets_[kMirror].texture);
        }
        device_->setState(gfx::State::ZEnable, layer <= L::kNoDepthWrite ? 1 : 0);
        DrawSimpleLayer(layer, gfx::Texture{});
    }
    device_->setState(gfx::State::Lighting, 1);
    device_->setState(gfx::State::CullMode, gfx::Cull::CW);
    queue_->Clear();
}

// One layer of the simple frame with the fixed-function pipeline. Scene layers are lit;
// glow, overlays, screen sprites and the views are unlit, as their programs are on the
// multi-pass path. `viewPicture` stands in for the missing picture of untextured shapes
// (the views' frames show their view there).
void tmRender::DrawSimpleLayer(int layer, gfx::Texture viewPicture) {
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    const bool litLayer = layer <= L::kNoDepthWrite;
    const bool ownCamera = layer >= L::kSecondView;  // the views and their pictures: the queue's transform alone
    const int n = queue_->GetLayerCount(layer);
    tmRenderQueue::Item* const* items = queue_->GetLayerItems(layer);
    for (int i = 0; i < n; ++i) {
        const tmRenderQueue::Item& item = *items[i];
        const sys::tmShape* shape = item.shape;
        ClipItem(layer, item);
        const bool reversed = layer == L::kReversedCull || layer == L::kMirrorView;
        device_->setState(gfx::State::CullMode, reversed ? gfx::Cull::CCW : shape->cullMode);
        device_->setLayout(shape->declIndex);
        // Shapes without normals (particle and trail batches, world sprites) cannot be lit:
        // lighting them would replace their vertex colours by the ambient grey. They show
        // their own colours, as the batch program of the multi-pass path draws them.
        device_->setState(gfx::State::Lighting, litLayer && LayoutHasNormals(shape->declIndex) ? 1 : 0);
        // Each entry's own transform: placed sprite quads and batches
        // (world or view space) go to clip space by theirs alone.
        const tmRenderQueue::Entry& e = *item.entry;
        const bool whole = e.placed || ownCamera;
        device_->setTransform(gfx::Transform::Projection, &(whole ? e.transform : e.projection).m[0][0]);
        device_->setTransform(gfx::Transform::View, &(whole ? identity : e.view).m[0][0]);
        device_->setTransform(gfx::Transform::World, &(whole ? identity : e.world).m[0][0]);
        device_->setMaterial(shape->material);
        const bool showView = viewPicture && !shape->textures[0];
        if (shader_) shader_->SetTexture(0, shape->textures[0], showView);
        if (showView)
            device_->setTexture(0, viewPicture);
        else if (!shader_)
            device_->setTexture(0, shape->textures[0] ? shape->textures[0]->GetTexture() : gfx::Texture{});
        shape->Draw(device_);
        // The view's picture leaves stage 0 at once, so no later untextured shape is tinted by it.
        if (showView) {
            if (shader_)
                shader_->SetTexture(0, nullptr, true);
            else
                device_->setTexture(0, gfx::Texture{});
        }
        ++entriesDrawn_;
    }
    EndClip();
}

// A view of the simple frame into its target; false when it is off or has no target.
bool tmRender::SimpleViewPass(bool on, int target, int layer, uint32_t clear) {
    if (!on || !targets_[target].Ok()) return false;
    BindTarget(targets_[target]);
    device_->setState(gfx::State::ZEnable, 1);
    const uint32_t c = activeClear_;
    activeClear_ = clear;
    Clear(true);
    activeClear_ = c;
    DrawSimpleLayer(layer, gfx::Texture{});
    return true;
}

// ---- the multi-pass frame ----

tmRender::Target tmRender::BackBufferTarget() const {
    const tmRenderSetting& s = tmGetCurrentRenderSetting();
    return Target{backBuffer_, backDepth_, s.width, s.height};
}

void tmRender::RenderMultiPass() {
    const tmRenderSetting& s = tmGetCurrentRenderSetting();
    BeginMultiPass();
    DepthAndShadowPass(s);
    EnvironmentPass(s);
    SecondViewPass();
    MirrorPass();
    const bool scene = ScenePass();
    post_->Bloom(targets_[kSceneA]);
    GlowScenePass(scene);
    post_->Glow();
    CompositePass();
    OverlayPass();
    queue_->Clear();
}

void tmRender::BeginMultiPass() {
    shader_->Begin(true);
    queue_->Flush(device_);
    entriesDrawn_ = verticesDrawn_ = primitivesDrawn_ = 0;
    device_->setState(gfx::State::ZWriteEnable, 1);
    SetAddress(gfx::Address::Wrap);
}

// Depth record and the two shadow maps (cleared white = far even without shadows).
void tmRender::DepthAndShadowPass(const tmRenderSetting& s) {
    const uint32_t keep = activeClear_;
    activeClear_ = 0xFFFFFFFFu;
    if (targets_[kDepthRecord].Ok()) {
        BindTarget(targets_[kDepthRecord]);
        device_->setState(gfx::State::ZEnable, 1);
        Clear(true);
        DrawLayerWithShader(kRecordZ, L::kScene);
        DrawLayerWithShader(kRecordZ, L::kAlphaTested);
    }
    const int shadowLayer[2] = {L::kNearShadow, L::kFarShadow};
    const int shadowTarget[2] = {kNearShadow, kFarShadow};
    const uint32_t shadowStage[2] = {7, 11};
    for (int i = 0; i < 2; ++i) {
        const Target& t = targets_[shadowTarget[i]];
        if (!t.Ok()) continue;
        BindTarget(t);
        device_->setState(gfx::State::ZEnable, 1);
        Clear(true);
        if (s.shadows) DrawLayerWithShader(kRecordZ, shadowLayer[i]);
        device_->setTexture(shadowStage[i], t.texture);
    }
    activeClear_ = keep;
    shader_->Begin(false);
    activeClear_ = storedClear_;
}

// The six cube faces of the environment map on sampler 8 (or the course's own cube). A frame
// that queued nothing into the cube faces (a menu or test screen) reflects the cube of sampler 9
// instead of an environment that was never drawn.
void tmRender::EnvironmentPass(const tmRenderSetting& s) {
    int queuedFaces = 0;
    for (int face = 0; face < L::kCubeFaceCount; ++face) queuedFaces += queue_->GetLayerCount(L::CubeFace(face));
    if (!s.environmentMap || !cube_ || (queuedFaces == 0 && sampler9Texture_)) {
        device_->setTexture(8, sampler9Texture_);
        return;
    }
    device_->setState(gfx::State::ZEnable, 1);
    device_->setDepthSurface(cubeDepth_);
    for (int face = 0; face < 6; ++face) {
        device_->setRenderTarget(cube_, uint32_t(face));
        Clear(false);
        DrawCubeFaceLayer(face);
    }
    device_->setTexture(8, cube_);
}

void tmRender::SecondViewPass() {
    if (!secondViewFlag_ || !targets_[kSecondView].Ok()) return;
    BindTarget(targets_[kSecondView]);
    device_->setState(gfx::State::ZEnable, 1);
    const uint32_t c = activeClear_;
    activeClear_ = 0x00000000u;
    Clear(true);
    activeClear_ = c;
    DrawLayer(L::kSecondView);
}

void tmRender::MirrorPass() {
    if (!mirrorFlag_ || !targets_[kMirror].Ok()) return;
    BindTarget(targets_[kMirror]);
    device_->setState(gfx::State::ZEnable, 1);
    const uint32_t c = activeClear_;
    activeClear_ = 0xFF000000u;
    Clear(true);
    activeClear_ = c;
    device_->setState(gfx::State::CullMode, gfx::Cull::CCW);
    shader_->SetMirror(true);
    DrawLayer(L::kMirrorView);
    shader_->SetMirror(false);
    device_->setState(gfx::State::CullMode, gfx::Cull::CW);
}

// The scene into scene A: opaque, mirrored, punched, blended layers, then the
// layer that does not write depth. False when scene A could not be made.
bool tmRender::ScenePass() {
    const bool scene = targets_[kSceneA].Ok();
    if (scene) {
        BindTarget(targets_[kSceneA]);
        device_->setState(gfx::State::ZEnable, 1);
        Clear(true);
        ClearBands();
        DrawLayer(L::kScene);
        device_->setState(gfx::State::CullMode, gfx::Cull::CCW);
        shader_->SetMirror(true);
        DrawLayer(L::kReversedCull);
        shader_->SetMirror(false);
        device_->setState(gfx::State::CullMode, gfx::Cull::CW);
        DrawLayer(L::kSceneLate);
        DrawLayer(L::kAlphaTested);
        DrawLayer(L::kBlended);
        device_->setState(gfx::State::ZWriteEnable, 0);
        DrawLayer(L::kNoDepthWrite);
    }
    return scene;
}

// The glowing layer, added into the post-process's glow source over scene A's depth.
void tmRender::GlowScenePass(bool scene) {
    shader_->Begin(false);
    SetAddress(gfx::Address::Wrap);
    const Target& glow = post_->GlowSource();
    if (glow.Ok() && scene) {
        device_->setRenderTarget(glow.texture, 0);
        device_->setDepthSurface(targets_[kSceneA].depth);
        device_->clear(gfx::ClearFlag::Target, 0x00000000u, 1.0f, 0);
        device_->setState(gfx::State::ZEnable, 1);
        device_->setState(gfx::State::ZWriteEnable, 0);
        device_->setState(gfx::State::DestBlend, gfx::Blend::One);
        DrawLayer(L::kGlow);
        device_->setState(gfx::State::DestBlend, gfx::Blend::InvSrcAlpha);
    }
}

// Scene, bloom and glow into the back buffer; the render states come back after.
void tmRender::CompositePass() {
    post_->Composite(targets_[kSceneA], targets_[kDepthRecord], BackBufferTarget());
    ClearBands();  // the bloom and glow spread the picture's edge a little way into them
    SetRenderStates();
    shader_->Begin(false);
}

// After the post-process: the views on sampler 12, then world quads and screen sprites.
void tmRender::OverlayPass() {
    SetAddress(gfx::Address::Wrap);
    if (secondViewFlag_) {
        device_->setState(gfx::State::ZEnable, 0);
        device_->setTexture(12, targets_[kSecondView].texture);
        DrawLayer(L::kAfterPostSecond);
    }
    if (mirrorFlag_) {
        device_->setState(gfx::State::ZEnable, 0);
        device_->setTexture(12, targets_[kMirror].texture);
        DrawLayer(L::kAfterPostMirror);
    }
    device_->setState(gfx::State::ZEnable, 0);
    DrawLayer(L::kOverlay);
    DrawLayer(L::kScreen);
    BindTarget(BackBufferTarget());
    device_->setState(gfx::State::ZEnable, 1);
}
