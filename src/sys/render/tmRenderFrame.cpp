// tmRenderFrame.cpp -- drawing the queue: the simple fixed-function path and the multi-pass path with post effects.
#include "platform/gfx/Device.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmCubeTexture.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmTexture.h"

namespace {
enum : uint32_t { kScale4x4 = 13, kCreateBright = 14, kGauss5x5 = 15, kMergeTex = 17, kRecordZ = 18, kFinish = 19 };

struct QuadVertex {
    float x, y, z, rhw, u, v;
};
static_assert(sizeof(QuadVertex) == 24, "post quad vertex");
}  // namespace

void tmRender::BindTarget(const Target& t) {
    device_->setRenderTarget(t.texture, 0);
    device_->setDepthSurface(t.depth);
}

void tmRender::Clear(bool colour) {
    if (colour)
        device_->clear(gfx::ClearFlag::Target | gfx::ClearFlag::ZBuffer, activeClear_, 1.0f, 0);
    else
        device_->clear(gfx::ClearFlag::ZBuffer, 0xFF000000u, 1.0f, 0);
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
        item.shape->Draw(device_);
        ++entriesDrawn_;
        verticesDrawn_ += item.shape->vertexCount;
        primitivesDrawn_ += item.shape->primitiveCount;
    }
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

void tmRender::DrawCubeFaceLayer(int face) { DrawLayer(9 + face); }

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
    entriesDrawn_ = verticesDrawn_ = primitivesDrawn_ = 0;
    for (int layer = 0; layer <= 8; ++layer) {
        device_->setState(gfx::State::ZEnable, layer <= 5 ? 1 : 0);
        const int n = queue_->GetLayerCount(layer);
        tmRenderQueue::Item* const* items = queue_->GetLayerItems(layer);
        for (int i = 0; i < n; ++i) {
            const tmRenderQueue::Item& item = *items[i];
            const sys::tmShape* shape = item.shape;
            device_->setState(gfx::State::CullMode, layer == 3 ? gfx::Cull::CCW : shape->cullMode);
            device_->setLayout(shape->declIndex);
            device_->setTransform(gfx::Transform::Projection, &item.entry->projection.m[0][0]);
            device_->setTransform(gfx::Transform::View, &item.entry->view.m[0][0]);
            device_->setTransform(gfx::Transform::World, &item.entry->world.m[0][0]);
            device_->setMaterial(shape->material);
            if (shader_)
                shader_->SetTexture(0, shape->textures[0], false);
            else
                device_->setTexture(0, shape->textures[0] ? shape->textures[0]->GetTexture() : gfx::Texture{});
            shape->Draw(device_);
            ++entriesDrawn_;
        }
    }
    device_->setState(gfx::State::CullMode, gfx::Cull::CW);
    queue_->Clear();
}

void tmRender::DrawQuad(gfx::Texture source) {
    uint32_t w = 0, h = 0;
    device_->targetSize(&w, &h);
    const float fw = float(w) - 0.5f, fh = float(h) - 0.5f;
    const QuadVertex quad[4] = {
        {-0.5f, -0.5f, 0.5f, 1, 0, 0}, {-0.5f, fh, 0.5f, 1, 0, 1}, {fw, fh, 0.5f, 1, 1, 1}, {fw, -0.5f, 0.5f, 1, 1, 0}};
    device_->setState(gfx::State::ZEnable, 0);
    device_->setTexture(0, source);
    device_->setLayout(0);
    device_->drawInline(gfx::Primitive::TriangleFan, 2, quad, sizeof(QuadVertex));
}

void tmRender::PostPass(uint32_t shaderType, const Target& target, gfx::Texture source) {
    if (!target.Ok() || !source) return;  // a target that could not be made is skipped
    BindTarget(target);
    device_->setState(gfx::State::ZEnable, 0);
    if (shader_ && !shader_->SetShaders(shaderType, 0)) return;  // no program: nothing to draw
    DrawQuad(source);
}

// Post-process constants go through the shader manager (pixel registers 16 + i).
void tmRender::SetPostConstants(int first, const float* values, int count4) {
    if (!shader_) return;
    for (int i = 0; i < count4; ++i) shader_->SetPixelConstant(first + i, values + 4 * i);
}

void tmRender::BloomChain(const Target* levels, const Kernel* kernels, const Target& source, const Target& result) {
    device_->setState(gfx::State::ScissorTestEnable, 1);
    for (int i = 0; i < kBloomLevels; ++i) {
        if (!levels[i].Ok()) continue;
        SetPostConstants(0, &kernels[i].offsets[0][0], 8);
        SetPostConstants(8, kernels[i].weights, 4);
        BindTarget(levels[i]);
        device_->setScissorRect(0, 0, int32_t(levels[i].width), int32_t(levels[i].height));
        PostPass(kGauss5x5, levels[i], source.texture);
    }
    device_->setState(gfx::State::ScissorTestEnable, 0);
    for (int i = 0; i < kBloomLevels; ++i) device_->setTexture(uint32_t(i), levels[i].texture);
    PostPass(kMergeTex, result, levels[0].texture);
}

void tmRender::RenderMultiPass() {
    const tmRenderSetting& s = tmGetCurrentRenderSetting();
    shader_->Begin(true);
    queue_->Flush(device_);
    entriesDrawn_ = verticesDrawn_ = primitivesDrawn_ = 0;
    device_->setState(gfx::State::ZWriteEnable, 1);
    SetAddress(gfx::Address::Wrap);

    // Depth record and the two shadow maps (cleared white = far even without shadows).
    const uint32_t keep = activeClear_;
    activeClear_ = 0xFFFFFFFFu;
    if (targets_[kDepthRecord].Ok()) {
        BindTarget(targets_[kDepthRecord]);
        device_->setState(gfx::State::ZEnable, 1);
        Clear(true);
        DrawLayerWithShader(kRecordZ, 0);
        DrawLayerWithShader(kRecordZ, 2);
    }
    const int shadowLayer[2] = {15, 16};
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

    // Environment cube, second view, mirrored view.
    if (!s.environmentMap || !cube_) {
        device_->setTexture(8, sampler9Cube_ ? sampler9Cube_->GetTexture()
                               : sampler9_   ? sampler9_->GetTexture()
                                             : gfx::Texture{});
    } else {
        device_->setState(gfx::State::ZEnable, 1);
        device_->setDepthSurface(cubeDepth_);
        for (int face = 0; face < 6; ++face) {
            device_->setRenderTarget(cube_, uint32_t(face));
            Clear(false);
            DrawCubeFaceLayer(face);
        }
        device_->setTexture(8, cube_);
    }
    if (secondViewFlag_ && targets_[kSecondView].Ok()) {
        BindTarget(targets_[kSecondView]);
        device_->setState(gfx::State::ZEnable, 1);
        const uint32_t c = activeClear_;
        activeClear_ = 0x00000000u;
        Clear(true);
        activeClear_ = c;
        DrawLayer(17);
    }
    if (mirrorFlag_ && targets_[kMirror].Ok()) {
        BindTarget(targets_[kMirror]);
        device_->setState(gfx::State::ZEnable, 1);
        const uint32_t c = activeClear_;
        activeClear_ = 0xFF000000u;
        Clear(true);
        activeClear_ = c;
        device_->setState(gfx::State::CullMode, gfx::Cull::CCW);
        shader_->SetMirror(true);
        DrawLayer(18);
        shader_->SetMirror(false);
        device_->setState(gfx::State::CullMode, gfx::Cull::CW);
    }

    // The scene.
    const bool scene = targets_[kSceneA].Ok();
    if (scene) {
        BindTarget(targets_[kSceneA]);
        device_->setState(gfx::State::ZEnable, 1);
        Clear(true);
        DrawLayer(0);
        device_->setState(gfx::State::CullMode, gfx::Cull::CCW);
        shader_->SetMirror(true);
        DrawLayer(3);
        shader_->SetMirror(false);
        device_->setState(gfx::State::CullMode, gfx::Cull::CW);
        DrawLayer(1);
        DrawLayer(2);
        DrawLayer(4);
        device_->setState(gfx::State::ZWriteEnable, 0);
        DrawLayer(5);
    }
    SetAddress(gfx::Address::Clamp);

    // Downsample, bright pass, bloom.
    if (scene) {
        float offsets[16][2];
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                offsets[y * 4 + x][0] = (float(x) - 1.5f) / float(targets_[kSceneA].width);
                offsets[y * 4 + x][1] = (float(y) - 1.5f) / float(targets_[kSceneA].height);
            }
        SetPostConstants(0, &offsets[0][0], 8);
        PostPass(kScale4x4, targets_[kWork1], targets_[kSceneA].texture);
    }
    if (targets_[kWork2].Ok()) {
        BindTarget(targets_[kWork2]);
        device_->setState(gfx::State::ScissorTestEnable, 1);
        device_->setScissorRect(0, 0, int32_t(targets_[kWork2].width), int32_t(targets_[kWork2].height));
        PostPass(kCreateBright, targets_[kWork2], targets_[kWork1].texture);
        device_->setState(gfx::State::ScissorTestEnable, 0);
    }
    BloomChain(bloom_, bloomKernel_, targets_[kWork2], targets_[kBloomResult]);

    // Glow: layer 6 over scene A's depth, then its own chain.
    shader_->Begin(false);
    SetAddress(gfx::Address::Wrap);
    if (targets_[kSceneB].Ok() && scene) {
        device_->setRenderTarget(targets_[kSceneB].texture, 0);
        device_->setDepthSurface(targets_[kSceneA].depth);
        device_->clear(gfx::ClearFlag::Target, 0x00000000u, 1.0f, 0);
        device_->setState(gfx::State::ZEnable, 1);
        device_->setState(gfx::State::ZWriteEnable, 0);
        device_->setState(gfx::State::DestBlend, gfx::Blend::One);
        DrawLayer(6);
        device_->setState(gfx::State::DestBlend, gfx::Blend::InvSrcAlpha);
    }
    SetAddress(gfx::Address::Clamp);
    if (targets_[kSceneB].Ok()) {
        float offsets[16][2];
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                offsets[y * 4 + x][0] = (float(x) - 1.5f) / float(targets_[kSceneB].width);
                offsets[y * 4 + x][1] = (float(y) - 1.5f) / float(targets_[kSceneB].height);
            }
        SetPostConstants(0, &offsets[0][0], 8);
        PostPass(kScale4x4, targets_[kGlowWork], targets_[kSceneB].texture);
    }
    BloomChain(glow_, glowKernel_, targets_[kGlowWork], targets_[kGlowResult]);

    // Composite into the back buffer.
    BindTarget(Target{backBuffer_, backDepth_, s.width, s.height});
    device_->setState(gfx::State::ZEnable, 0);
    const int sources[6] = {kSceneA, kWork1, kDepthRecord, kBloomResult, kSceneB, kGlowResult};
    for (int i = 0; i < 6; ++i) device_->setTexture(uint32_t(i), targets_[sources[i]].texture);
    device_->setState(gfx::State::AlphaBlendEnable, 0);
    const bool composite = shader_->SetShaders(kFinish, 0);
    const float W = float(s.width), H = float(s.height), du = 0.5f / W, dv = 0.5f / H;
    const QuadVertex quad[4] = {
        {0, 0, 0, 1, du, dv}, {0, H, 0, 1, du, 1 + dv}, {W, H, 0, 1, 1 + du, 1 + dv}, {W, 0, 0, 1, 1 + du, dv}};
    device_->setLayout(0);
    if (composite) device_->drawInline(gfx::Primitive::TriangleFan, 2, quad, sizeof(QuadVertex));
    SetRenderStates();
    shader_->Begin(false);

    // After the post-process: views on sampler 12, then world quads and screen sprites.
    SetAddress(gfx::Address::Wrap);
    if (secondViewFlag_) {
        device_->setState(gfx::State::ZEnable, 0);
        device_->setTexture(12, targets_[kSecondView].texture);
        DrawLayer(19);
    }
    if (mirrorFlag_) {
        device_->setState(gfx::State::ZEnable, 0);
        device_->setTexture(12, targets_[kMirror].texture);
        DrawLayer(20);
    }
    device_->setState(gfx::State::ZEnable, 0);
    DrawLayer(7);
    DrawLayer(8);
    BindTarget(Target{backBuffer_, backDepth_, s.width, s.height});
    device_->setState(gfx::State::ZEnable, 1);
    queue_->Clear();
}
