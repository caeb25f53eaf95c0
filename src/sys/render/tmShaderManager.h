// tmShaderManager.h -- what the renderer asks of the shader manager (programs, per-item state, constants).
#pragma once
#include <cstdint>

#include "sys/render/tmRenderQueue.h"

namespace sys {
class tmTexture;
}

// The renderer's view of the shader manager. The manager (tmShader) derives
// from it; tmRender makes one through its factory at every device set-up and
// destroys it before the next.
class tmShaderManager {
public:
    virtual ~tmShaderManager() = default;
    // Vertex and pixel shader model 3.0 both available (the multi-pass path).
    virtual bool SupportsShaderModel3() const = 0;
    // Start of a render pass: forget what the device holds.
    virtual void Begin(bool resetStatistics) = 0;
    // Textures, programs, layout, cull mode and constants of one queue item.
    // False when the item's programs could not be made: skip its draw.
    virtual bool Apply(const tmRenderQueue::Item& item) = 0;
    // Programs of a forced type with the item's layout, cull mode and transform only.
    virtual bool ApplyTransformOnly(uint32_t shaderType, const tmRenderQueue::Item& item) = 0;
    // False when the pair has no usable program (draws with it are skipped).
    virtual bool SetShaders(uint32_t shaderType, uint32_t stateFlags) = 0;
    virtual void SetTexture(int stage, sys::tmTexture* texture, bool force) = 0;
    // Pixel register zfmt::shader::kPsPost + index.
    virtual void SetPixelConstant(int index, const float vector[4]) = 0;
    virtual void SetTargetSize(uint32_t width, uint32_t height) = 0;
    // While set, Apply turns each shape's clockwise culling into
    // counter-clockwise (mirrored passes); cleared by the renderer.
    virtual void SetMirror(bool mirrored) = 0;
    // Post-effect and course parameters the race sets (kept until changed).
    virtual void SetVector(const D3DXVECTOR3& v) { (void)v; }
    virtual void SetFakeHdr(float a, float b, float c) { (void)a, (void)b, (void)c; }
    virtual void SetBloomRate(float rate) { (void)rate; }
};
