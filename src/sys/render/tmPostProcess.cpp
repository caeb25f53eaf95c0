// tmPostProcess.cpp -- bloom and glow chains: targets, kernels, downsample, bright pass, blur, merge, composite.
#include "sys/render/tmPostProcess.h"

#include <cmath>

#include "platform/gfx/Device.h"
#include "sys/render/tmRenderLayer.h"
#include "sys/render/tmShaderManager.h"

namespace {
using tmShaderType::kCreateBright;
using tmShaderType::kFinish;
using tmShaderType::kGauss5x5;
using tmShaderType::kMergeTex;
using tmShaderType::kScale4x4;

struct QuadVertex {
    float x, y, z, rhw, u, v;
};
static_assert(sizeof(QuadVertex) == 24, "post quad vertex");
}  // namespace

tmPostProcess::tmPostProcess(gfx::Device* device, tmShaderManager* shader) : device_(device), shader_(shader) {}

tmPostProcess::~tmPostProcess() { Release(); }

// ---- targets and kernels ----

void tmPostProcess::Create(const tmRenderSetting& s, uint32_t bloomClear) {
    Release();
    work1_ = tmMakeRenderTarget(device_, s.workTargetWidth, s.workTargetHeight, bloomClear);
    work2_ = tmMakeRenderTarget(device_, s.workTargetWidth, s.workTargetHeight, bloomClear);
    for (int i = 0; i < kLevels; ++i) bloom_[i] = tmMakeRenderTarget(device_, 256u >> i, 256u >> i, bloomClear);
    bloomResult_ = tmMakeRenderTarget(device_, s.workTargetWidth, s.workTargetHeight, bloomClear);
    glowSource_ = tmMakeRenderTarget(device_, s.sceneTargetWidth, s.sceneTargetHeight, 0x00000000u);
    glowWork_ = tmMakeRenderTarget(device_, s.workTargetWidth, s.workTargetHeight, 0x00000000u);
    glowResult_ = tmMakeRenderTarget(device_, s.workTargetWidth, s.workTargetHeight, 0x00000000u);
    for (int i = 0; i < kLevels; ++i) glow_[i] = tmMakeRenderTarget(device_, 256u >> i, 256u >> i, 0x00000000u);
    ComputeKernels();
}

void tmPostProcess::Release() {
    if (!device_) return;
    for (int i = kLevels - 1; i >= 0; --i) tmReleaseRenderTarget(device_, glow_[i]);
    tmReleaseRenderTarget(device_, glowResult_);
    tmReleaseRenderTarget(device_, glowWork_);
    tmReleaseRenderTarget(device_, glowSource_);
    tmReleaseRenderTarget(device_, bloomResult_);
    for (int i = kLevels - 1; i >= 0; --i) tmReleaseRenderTarget(device_, bloom_[i]);
    tmReleaseRenderTarget(device_, work2_);
    tmReleaseRenderTarget(device_, work1_);
}

// A 13-tap diamond (|dx| + |dy| <= 2) of exp(-r^2 / 2), normalised; the glow
// chain samples its middle levels as if larger and scales its weights up.
void tmPostProcess::ComputeKernels() {
    static const float kGlowScale[kLevels] = {1.0f, 1.5f, 2.0f, 2.5f, 2.0f, 1.5f};
    static const float kGlowSize[kLevels] = {256, 128, 64, 64, 64, 64};
    for (int level = 0; level < kLevels; ++level) {
        for (int chain = 0; chain < 2; ++chain) {
            Kernel& k = chain == 0 ? bloomKernel_[level] : glowKernel_[level];
            k = Kernel{};
            const float w = chain == 0 ? float(256 >> level) : kGlowSize[level];
            const float h = w;
            int n = 0;
            float sum = 0.0f;
            for (int dx = -2; dx <= 2; ++dx)
                for (int dy = -2; dy <= 2; ++dy) {
                    if (std::abs(dx) + std::abs(dy) > 2) continue;
                    k.offsets[n][0] = float(dx) / w;
                    k.offsets[n][1] = float(dy) / h;
                    k.weights[n] = std::exp(-float(dx * dx + dy * dy) / 2.0f);
                    sum += k.weights[n++];
                }
            for (int i = 0; i < n; ++i) {
                k.weights[i] /= sum;
                if (chain == 1) k.weights[i] *= kGlowScale[level];
            }
        }
    }
}

// ---- passes ----

void tmPostProcess::SetAddress(gfx::Address mode) {
    for (uint32_t s = 0; s < gfx::kTextureStages; ++s) device_->setSamplerAddress(s, mode, mode);
}

// Post-process constants go through the shader manager (pixel registers 16 + i).
void tmPostProcess::SetConstants(int first, const float* values, int count4) {
    if (!shader_) return;
    for (int i = 0; i < count4; ++i) shader_->SetPixelConstant(first + i, values + 4 * i);
}

// A pre-transformed quad over the whole current target, texel centres on pixel centres.
void tmPostProcess::DrawQuad(gfx::Texture source) {
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

void tmPostProcess::Pass(uint32_t shaderType, const tmRenderTarget& target, gfx::Texture source) {
    if (!target.Ok() || !source) return;  // a target that could not be made is skipped
    tmBindRenderTarget(device_, target);
    device_->setState(gfx::State::ZEnable, 0);
    if (shader_ && !shader_->SetShaders(shaderType, 0)) return;  // no program: nothing to draw
    DrawQuad(source);
}

// Each pixel of the target averages a 4 x 4 block of the source. The pass
// blends (the average's alpha weighs it), so the target is cleared to
// transparent black first: otherwise whatever an earlier frame left where the
// source is now transparent stays, and a glow drawn once never goes away.
void tmPostProcess::Downsample(const tmRenderTarget& source, const tmRenderTarget& target) {
    if (!source.Ok() || !target.Ok()) return;
    tmBindRenderTarget(device_, target);
    device_->clear(gfx::ClearFlag::Target, 0x00000000u, 1.0f, 0);
    float offsets[16][2];
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            offsets[y * 4 + x][0] = (float(x) - 1.5f) / float(source.width);
            offsets[y * 4 + x][1] = (float(y) - 1.5f) / float(source.height);
        }
    SetConstants(0, &offsets[0][0], 8);
    Pass(kScale4x4, target, source.texture);
}

void tmPostProcess::BlurChain(const tmRenderTarget* levels, const Kernel* kernels, const tmRenderTarget& source,
                              const tmRenderTarget& result) {
    device_->setState(gfx::State::ScissorTestEnable, 1);
    for (int i = 0; i < kLevels; ++i) {
        if (!levels[i].Ok()) continue;
        SetConstants(0, &kernels[i].offsets[0][0], 8);
        SetConstants(8, kernels[i].weights, 4);
        tmBindRenderTarget(device_, levels[i]);
        device_->setScissorRect(0, 0, int32_t(levels[i].width), int32_t(levels[i].height));
        Pass(kGauss5x5, levels[i], source.texture);
    }
    device_->setState(gfx::State::ScissorTestEnable, 0);
    for (int i = 0; i < kLevels; ++i) device_->setTexture(uint32_t(i), levels[i].texture);
    Pass(kMergeTex, result, levels[0].texture);
}

void tmPostProcess::Bloom(const tmRenderTarget& scene) {
    SetAddress(gfx::Address::Clamp);
    Downsample(scene, work1_);
    if (work2_.Ok()) {
        tmBindRenderTarget(device_, work2_);
        device_->setState(gfx::State::ScissorTestEnable, 1);
        device_->setScissorRect(0, 0, int32_t(work2_.width), int32_t(work2_.height));
        Pass(kCreateBright, work2_, work1_.texture);
        device_->setState(gfx::State::ScissorTestEnable, 0);
    }
    BlurChain(bloom_, bloomKernel_, work2_, bloomResult_);
}

void tmPostProcess::Glow() {
    SetAddress(gfx::Address::Clamp);
    Downsample(glowSource_, glowWork_);
    BlurChain(glow_, glowKernel_, glowWork_, glowResult_);
}

bool tmPostProcess::Composite(const tmRenderTarget& scene, const tmRenderTarget& depthRecord,
                              const tmRenderTarget& into) {
    tmBindRenderTarget(device_, into);
    device_->setState(gfx::State::ZEnable, 0);
    const gfx::Texture sources[6] = {scene.texture,        work1_.texture,      depthRecord.texture,
                                     bloomResult_.texture, glowSource_.texture, glowResult_.texture};
    for (int i = 0; i < 6; ++i) device_->setTexture(uint32_t(i), sources[i]);
    device_->setState(gfx::State::AlphaBlendEnable, 0);
    const bool program = shader_ && shader_->SetShaders(kFinish, 0);
    const float W = float(into.width), H = float(into.height), du = 0.5f / W, dv = 0.5f / H;
    const QuadVertex quad[4] = {
        {0, 0, 0, 1, du, dv}, {0, H, 0, 1, du, 1 + dv}, {W, H, 0, 1, 1 + du, 1 + dv}, {W, 0, 0, 1, 1 + du, dv}};
    device_->setLayout(0);
    if (program) device_->drawInline(gfx::Primitive::TriangleFan, 2, quad, sizeof(QuadVertex));
    return program;
}
