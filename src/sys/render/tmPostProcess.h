// tmPostProcess.h -- the multi-pass frame's post-processing: bloom and glow chains, their targets and kernels.
#pragma once
#include <cstdint>

#include "sys/gfx/tmRenderSetting.h"
#include "sys/render/tmRenderTarget.h"

namespace gfx {
class Device;
}
class tmShaderManager;

// Owns the work targets of the bloom and glow chains (the quarter-size
// downsamples, the bright pass, six blur levels and a merged result per
// chain), the glow source target the renderer draws the glowing layer into,
// and the Gaussian kernels of every level; draws the chains and the final
// composite with the shader manager's post programs. Made by tmRender at every
// device set-up (after the shader manager), released before the next one.
// Knows nothing of the queue or its layers.
class tmPostProcess {
public:
    enum { kLevels = 6 };
    // Gaussian kernel of one chain level: 16 offset pairs, 16 weights (13 used).
    struct Kernel {
        float offsets[16][2];
        float weights[16];
    };

    // shader may be null (no post programs: passes draw nothing).
    tmPostProcess(gfx::Device* device, tmShaderManager* shader);
    ~tmPostProcess();
    tmPostProcess(const tmPostProcess&) = delete;
    tmPostProcess& operator=(const tmPostProcess&) = delete;

    // Makes the targets at the settings' work size (blur levels 256 >> level
    // square; the glow source at the scene size): the bloom chain's cleared to
    // bloomClear, the glow chain's to transparent black. Computes the kernels.
    void Create(const tmRenderSetting& settings, uint32_t bloomClear);
    // Releases the targets (glow chain first, then bloom, the reverse of Create).
    void Release();

    // Bloom of the scene: 4 x 4 downsample, bright pass, blur chain, merge.
    // Leaves every sampler clamping.
    void Bloom(const tmRenderTarget& scene);
    // Glow of what was drawn into GlowSource(): downsample, blur chain, merge.
    // Leaves every sampler clamping.
    void Glow();
    // Draws the scene, its bloom and the glow into `into` (the back buffer)
    // with the composite program, blending off. False when it has no program.
    bool Composite(const tmRenderTarget& scene, const tmRenderTarget& depthRecord, const tmRenderTarget& into);

    const tmRenderTarget& Work1() const { return work1_; }
    const tmRenderTarget& Work2() const { return work2_; }
    const tmRenderTarget& BloomResult() const { return bloomResult_; }
    const tmRenderTarget& GlowSource() const { return glowSource_; }
    const tmRenderTarget& GlowWork() const { return glowWork_; }
    const tmRenderTarget& GlowResult() const { return glowResult_; }
    const tmRenderTarget& GetBloomLevel(int i) const { return bloom_[Level(i)]; }
    const tmRenderTarget& GetGlowLevel(int i) const { return glow_[Level(i)]; }
    const Kernel& GetBloomKernel(int i) const { return bloomKernel_[Level(i)]; }
    const Kernel& GetGlowKernel(int i) const { return glowKernel_[Level(i)]; }

private:
    static int Level(int i) { return i < 0 ? 0 : i >= kLevels ? kLevels - 1 : i; }
    void ComputeKernels();
    void SetAddress(gfx::Address mode);
    void SetConstants(int first, const float* values, int count4);
    void DrawQuad(gfx::Texture source);
    void Pass(uint32_t shaderType, const tmRenderTarget& target, gfx::Texture source);
    void Downsample(const tmRenderTarget& source, const tmRenderTarget& target);
    void BlurChain(const tmRenderTarget* levels, const Kernel* kernels, const tmRenderTarget& source,
                   const tmRenderTarget& result);

    gfx::Device* device_;
    tmShaderManager* shader_;
    tmRenderTarget work1_, work2_, bloomResult_;
    tmRenderTarget glowSource_, glowWork_, glowResult_;
    tmRenderTarget bloom_[kLevels], glow_[kLevels];
    Kernel bloomKernel_[kLevels] = {}, glowKernel_[kLevels] = {};
};
