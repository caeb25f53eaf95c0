// tmShader.h -- the shader manager: compiles programs per (type, flags) and applies queue items.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/gfx/GfxTypes.h"
#include "sys/base/tmMath.h"
#include "sys/gfx/tmVertexDecl.h"
#include "sys/render/tmRenderQueue.h"
#include "sys/render/tmShaderCache.h"
#include "sys/render/tmShaderManager.h"

namespace gfx {
class Device;
}
namespace sys {
class tmTexture;
}

// Owns every compiled program of the renderer. Programs are GLSL sources in
// the shader bank; a vertex and a pixel program are compiled on first use for
// each (shader type, state flags) pair with a generated header of #define
// lines, and cached for the rest of the run. While the renderer walks the
// queue it applies one item at a time, skipping every texture bind, program
// switch and constant upload the device already holds. Created by tmRender
// (through its shader factory, Make by default) with the render queue at each
// device set-up; knows nothing of screens.
class tmShader : public tmShaderManager {
public:
    static constexpr int kTypeCount = 22;
    static constexpr int kTextureStages = 13;

    // Feature flags of a shape (bit i prints as the i-th name in the header).
    enum : uint32_t {
        STATE_IMAGEMAP = 0x1,
        STATE_LIGHTMAP = 0x2,
        STATE_NORMALMAP = 0x4,
        STATE_MASKMAP = 0x8,
        STATE_REFLECTMAP = 0x10,
        STATE_SHADOWMAP = 0x20,
        STATE_SPECULARMAP = 0x40,
        STATE_GOURAUD = 0x80,
        STATE_HSLIGHT = 0x100,
        STATE_HDRMAP = 0x200,
        STATE_VERTEXCOLOR = 0x400,
        STATE_IMAGEMAP_UV01 = 0x800,
        STATE_LIGHTMAP_UV01 = 0x1000,
        STATE_NORMALMAP_UV01 = 0x2000,
        STATE_MASKMAP_UV01 = 0x4000,
        STATE_HDRMAP_UV01 = 0x8000,
        STATE_DYNAMICREFLECT = 0x10000,
    };
    static constexpr int kFlagCount = 17;

    struct Statistics {
        uint32_t shaderChanges = 0;
        uint32_t textureBinds = 0;
        uint32_t entryChanges = 0;
        uint32_t alphaRefChanges = 0;
    };

    // Receives a compile failure once per program (caption, compiler log);
    // the application shows it in a message box. Default: standard error.
    using ErrorReporter = std::function<void(const char* caption, const std::string& text)>;
    static void SetErrorReporter(ErrorReporter reporter);

    // A manager initialised on the device: the renderer's default factory.
    static std::unique_ptr<tmShaderManager> Make(gfx::Device* device);

    tmShader();
    ~tmShader() override;
    tmShader(const tmShader&) = delete;
    tmShader& operator=(const tmShader&) = delete;

    // Keeps the device, makes the vertex layouts, reads the capabilities and,
    // with shader model 3.0 in both stages, compiles (2, 0x401) and (10, 0x401).
    int32_t Initialize(gfx::Device* device);
    void CheckCaps();
    bool HasVertexShader30() const { return vs30_; }
    bool HasPixelShader30() const { return ps30_; }
    bool SupportsShaderModel3() const override { return vs30_ && ps30_; }

    // Start of a render pass: the applied-state record is reset and the
    // frame constants (post effect and course colour registers) uploaded.
    void Begin(bool resetStatistics) override;
    // Applies one queue item. False when its program pair could not be made:
    // the caller skips the draw.
    bool Apply(const tmRenderQueue::Item& item) override;
    // For passes that force a shader type (the depth pass): program, cull
    // mode, layout and transform only.
    bool ApplyTransformOnly(uint32_t shaderType, const tmRenderQueue::Item& item) override;

    // False when the pair has no usable program.
    bool SetShaders(uint32_t shaderType, uint32_t stateFlags) override;
    void SetTexture(int stage, sys::tmTexture* texture, bool force) override;
    void SetVertexDecl(int index);
    void SetPixelConstant(int index, const float value[4]) override;
    void SetPixelConstant(int index, const D3DXVECTOR4& value);
    // Mirrored passes: clockwise shapes are culled counter-clockwise and back.
    void SetMirror(bool mirrored) override;

    gfx::Shader GetVertexShader(uint32_t shaderType, uint32_t stateFlags);
    gfx::Shader GetPixelShader(uint32_t shaderType, uint32_t stateFlags);
    void CompileVertexShader(uint32_t shaderType, uint32_t stateFlags);
    void CompilePixelShader(uint32_t shaderType, uint32_t stateFlags);

    static std::string BuildHeader(uint32_t shaderType, uint32_t stateFlags);
    // The named source from the shader bank; empty when absent.
    static std::string LoadSource(const char* name);
    static uint32_t MakeKey(uint32_t shaderType, uint32_t stateFlags) { return (shaderType << 24) + stateFlags; }
    static const char* VertexSourceName(uint32_t shaderType);
    static const char* PixelSourceName(uint32_t shaderType);

    // Frame constants: stored now, uploaded at the next Begin.
    void SetFakeHdr(float a, float b, float c) override { fakeHdr_ = D3DXVECTOR3(a, b, c); }
    void SetBloomRate(float rate) override { bloomRate_ = rate; }
    void SetVector(const D3DXVECTOR3& v) override { courseVector_ = v; }
    void SetTargetSize(uint32_t width, uint32_t height) override;

    const Statistics& GetStatistics() const { return stats_; }
    tmVertexDecl& GetVertexDecl() { return vertexDecl_; }
    const tmShaderCache& GetVertexCache() const { return vertexCache_; }
    const tmShaderCache& GetPixelCache() const { return pixelCache_; }
    const D3DXMATRIX& GetTargetMatrix() const { return targetMatrix_; }

private:
    // What the device holds now; reset by Begin.
    struct Applied {
        const tmRenderQueue::Entry* entry = nullptr;
        uint32_t shaderType = 0xFFFFFFFFu, stateFlags = 0xFFFFFFFFu;
        D3DXMATRIX world, transform, nearShadow, farShadow;
        D3DXVECTOR4 eye, light;
        float alpha = 1.0f;
        // Per stage: what the device holds, once `textureKnown` says it is known (Begin forgets it:
        // passes and the post-process bind stages behind the cache's back).
        sys::tmTexture* textures[kTextureStages] = {};
        bool textureKnown[kTextureStages] = {};
        uint32_t cullMode = 0;
        D3DXVECTOR3 ambient, diffuse;
        float c3[3] = {-1, -1, -1};
        float c4[2] = {-1, -1};
        bool pairValid = false;
    };

    gfx::Shader Compile(gfx::Stage stage, uint32_t shaderType, uint32_t stateFlags);
    void ResetApplied();
    void ApplyEntry(const tmRenderQueue::Item& item);
    void UploadTransposed(int reg, const D3DXMATRIX& m);
    void UploadVertex(int reg, const float* v, uint32_t count4);
    void UploadPixel(int reg, const float* v, uint32_t count4);
    void ApplyCull(uint32_t cullMode);

    gfx::Device* device_ = nullptr;
    tmShaderCache vertexCache_, pixelCache_;
    tmVertexDecl vertexDecl_;
    Applied applied_;
    D3DXVECTOR3 fakeHdr_{0.0f, 0.5f, 0.0f};
    float bloomRate_ = 0.0f;
    D3DXVECTOR3 courseVector_{1.0f, 1.0f, 1.0f};
    Statistics stats_;
    bool vs30_ = false, ps30_ = false;
    bool mirrored_ = false;
    D3DXMATRIX targetMatrix_;
};
