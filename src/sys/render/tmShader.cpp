// tmShader.cpp -- program compilation, caching and the filtered per-item state changes.
#include "sys/render/tmShader.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "format/ShaderRegisters.h"
#include "platform/gfx/Device.h"
#include "sys/data/tmArchiver.h"
#include "sys/data/tmEngineTables.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmTexture.h"

namespace {

using namespace zfmt::shader;  // the register names

// Vertex and pixel source of each type; type 12 reuses type 0's pair and
// differs by TYPE_REFLECTFLOOR in its header.
const char* const kVertexSources[tmShader::kTypeCount] = {
    ".\\shader\\zarvoVs.cg",
    ".\\shader\\machineVs.cg",
    ".\\shader\\vertexColorVs.cg",
    ".\\shader\\groundVs.cg",
    ".\\shader\\objFormatVs.cg",
    ".\\shader\\lodVs.cg",
    ".\\shader\\rhwVs.cg",
    ".\\shader\\frontendVs.cg",
    ".\\shader\\spriteVs.cg",
    ".\\shader\\vertexColorHdrVs.cg",
    ".\\shader\\vertexColorDepthAlphaVs.cg",
    ".\\shader\\vertexColorDepthAlphaTestVs.cg",
    ".\\shader\\zarvoVs.cg",
    ".\\shader\\scale4x4Vs.cg",
    ".\\shader\\createBrightVs.cg",
    ".\\shader\\gauss5x5Vs.cg",
    ".\\shader\\createBloomVs.cg",
    ".\\shader\\mergeTexVs.cg",
    ".\\shader\\recordZVs.cg",
    ".\\shader\\finishVs.cg",
    ".\\shader\\createReflectVs.cg",
    ".\\shader\\dynamicSpriteVs.cg",
};
const char* const kPixelSources[tmShader::kTypeCount] = {
    ".\\shader\\zarvoPs.cg",
    ".\\shader\\machinePs.cg",
    ".\\shader\\vertexColorPs.cg",
    ".\\shader\\groundPs.cg",
    ".\\shader\\objFormatPs.cg",
    ".\\shader\\lodPs.cg",
    ".\\shader\\rhwPs.cg",
    ".\\shader\\frontendPs.cg",
    ".\\shader\\spritePs.cg",
    ".\\shader\\vertexColorHdrPs.cg",
    ".\\shader\\vertexColorDepthAlphaPs.cg",
    ".\\shader\\vertexColorDepthAlphaTestPs.cg",
    ".\\shader\\zarvoPs.cg",
    ".\\shader\\scale4x4Ps.cg",
    ".\\shader\\createBrightPs.cg",
    ".\\shader\\gauss5x5Ps.cg",
    ".\\shader\\createBloomPs.cg",
    ".\\shader\\mergeTexPs.cg",
    ".\\shader\\recordZPs.cg",
    ".\\shader\\finishPs.cg",
    ".\\shader\\createReflectPs.cg",
    ".\\shader\\dynamicSpritePs.cg",
};

const char* const kFlagNames[tmShader::kFlagCount] = {
    "STATE_IMAGEMAP",    "STATE_LIGHTMAP",       "STATE_NORMALMAP",     "STATE_MASKMAP",        "STATE_REFLECTMAP",
    "STATE_SHADOWMAP",   "STATE_SPECULARMAP",    "STATE_GOURAUD",       "STATE_HSLIGHT",        "STATE_HDRMAP",
    "STATE_VERTEXCOLOR", "STATE_IMAGEMAP_UV01",  "STATE_LIGHTMAP_UV01", "STATE_NORMALMAP_UV01", "STATE_MASKMAP_UV01",
    "STATE_HDRMAP_UV01", "STATE_DYNAMICREFLECT",
};

// The vertex and pixel shader versions that count as shader model 3.0.
constexpr uint32_t kVersion30 = 0x300;

tmShader::ErrorReporter& Reporter() {
    static tmShader::ErrorReporter reporter = [](const char* caption, const std::string& text) {
        std::fprintf(stderr, "%s: %s\n", caption, text.c_str());
    };
    return reporter;
}

D3DXVECTOR4 Normalised(D3DXVECTOR4 v) {
    D3DXVec4Normalize(&v, &v);
    return v;
}

}  // namespace

void tmShader::SetErrorReporter(ErrorReporter reporter) {
    Reporter() = reporter ? std::move(reporter) : ErrorReporter([](const char*, const std::string&) {});
}

std::unique_ptr<tmShaderManager> tmShader::Make(gfx::Device* device) {
    auto shader = std::make_unique<tmShader>();
    shader->Initialize(device);
    return shader;
}

tmShader::tmShader() { D3DXMatrixIdentity(&targetMatrix_); }

tmShader::~tmShader() {
    if (device_) {
        auto release = [this](const tmShaderCache::Node& n) {
            if (n.shader) device_->releaseShader(n.shader);
        };
        vertexCache_.ForEach(release);
        pixelCache_.ForEach(release);
    }
    vertexCache_.Clear();
    pixelCache_.Clear();
    vertexDecl_.Release();
}

const char* tmShader::VertexSourceName(uint32_t shaderType) {
    return shaderType < kTypeCount ? kVertexSources[shaderType] : nullptr;
}

const char* tmShader::PixelSourceName(uint32_t shaderType) {
    return shaderType < kTypeCount ? kPixelSources[shaderType] : nullptr;
}

int32_t tmShader::Initialize(gfx::Device* device) {
    device_ = device;
    vertexDecl_.Create(device);
    CheckCaps();
    if (vs30_ && ps30_) {
        const uint32_t common[2][2] = {{2, 0x401}, {10, 0x401}};
        for (const auto& pair : common) {
            CompileVertexShader(pair[0], pair[1]);
            CompilePixelShader(pair[0], pair[1]);
        }
    }
    return 0;
}

void tmShader::CheckCaps() {
    const gfx::Caps caps = device_ ? device_->caps() : gfx::Caps{};
    vs30_ = device_ && caps.vertexShaderVersion >= kVersion30;
    ps30_ = device_ && caps.pixelShaderVersion >= kVersion30;
}

// ---- programs ---------------------------------------------------------------

std::string tmShader::BuildHeader(uint32_t shaderType, uint32_t stateFlags) {
    std::string text = "// setting state\n\n";
    char line[256];
    for (int bit = 0; bit < kFlagCount; ++bit) {
        const uint32_t value = 1u << bit;
        if (!(stateFlags & value)) continue;
        std::snprintf(line, sizeof line, "#define %s\t\t(%x)\n", kFlagNames[bit], value);
        text += line;
    }
    text += "\n\n";
    text += "// special type\n";
    if (shaderType == 12) text += "\n#define TYPE_REFLECTFLOOR\n";
    text += "\n";
    text += "// shader test code \n\n";
    text += "#define DEF_SHADERTEST\n";
    const float border = 0.7f;
    const float bloomFactor = 1.0f / (1.0f - border);
    text += "// fakeHDR Value \n\n";
    std::snprintf(line, sizeof line, "#define FAKEHDR_BOARDER\t(%ff)\n", static_cast<double>(border));
    text += line;
    text += "// bloom rate Value \n\n";
    std::snprintf(line, sizeof line, "#define BLOOM_RATE\t(%ff)\n", static_cast<double>(bloomFactor));
    text += line;
    text += "\n\n";
    return text;
}

std::string tmShader::LoadSource(const char* name) {
    std::string text;
    if (!name) return text;
    tmArchiver bank;
    const tmBankInfo* shaders = tmEngineTables::Get().shaderBank;
    if (shaders && bank.Open(*shaders)) bank.ReadInto(name, &text);
    return text;
}

gfx::Shader tmShader::Compile(gfx::Stage stage, uint32_t shaderType, uint32_t stateFlags) {
    const bool vertex = stage == gfx::Stage::Vertex;
    const char* name = vertex ? VertexSourceName(shaderType) : PixelSourceName(shaderType);
    const std::string source = LoadSource(name);
    std::string log;
    gfx::Shader shader;
    if (source.empty()) {
        log = std::string("no source ") + (name ? name : "(no such shader type)");
        if (!tmEngineTables::Get().shaderBank) log += " (no shader bank is registered: tmEngineTables)";
    } else if (device_) {
        shader = device_->compileShader(stage, BuildHeader(shaderType, stateFlags) + source, &log);
    }
    if (!shader) {
        char where[96];
        std::snprintf(where, sizeof where, "%s program of type %u, flags 0x%x:\n", vertex ? "vertex" : "pixel",
                      shaderType, stateFlags);
        Reporter()("ZARVO Shader error", where + log);
    }
    return shader;
}

void tmShader::CompileVertexShader(uint32_t shaderType, uint32_t stateFlags) {
    const uint32_t key = MakeKey(shaderType, stateFlags);
    if (vertexCache_.Find(key)) return;
    const gfx::Shader shader = Compile(gfx::Stage::Vertex, shaderType, stateFlags);
    vertexCache_.Insert(key, shader, !shader);
}

void tmShader::CompilePixelShader(uint32_t shaderType, uint32_t stateFlags) {
    const uint32_t key = MakeKey(shaderType, stateFlags);
    if (pixelCache_.Find(key)) return;
    const gfx::Shader shader = Compile(gfx::Stage::Pixel, shaderType, stateFlags);
    pixelCache_.Insert(key, shader, !shader);
}

gfx::Shader tmShader::GetVertexShader(uint32_t shaderType, uint32_t stateFlags) {
    CompileVertexShader(shaderType, stateFlags);
    const tmShaderCache::Node* node = vertexCache_.Find(MakeKey(shaderType, stateFlags));
    return node ? node->shader : gfx::Shader{};
}

gfx::Shader tmShader::GetPixelShader(uint32_t shaderType, uint32_t stateFlags) {
    CompilePixelShader(shaderType, stateFlags);
    const tmShaderCache::Node* node = pixelCache_.Find(MakeKey(shaderType, stateFlags));
    return node ? node->shader : gfx::Shader{};
}

// ---- applied state ------------------------------------------------------------

void tmShader::ResetApplied() {
    // Matrices and vectors start at zero, which no real entry carries, so the
    // first entry of a pass uploads everything.
    applied_ = Applied{};
}

void tmShader::Begin(bool resetStatistics) {
    ResetApplied();
    // Post passes and the composite set layouts on the device directly.
    vertexDecl_.Forget();
    const float c5[4] = {fakeHdr_.x, fakeHdr_.y, fakeHdr_.z, bloomRate_};
    const float c8[4] = {courseVector_.x, courseVector_.y, courseVector_.z, 0.0f};
    UploadPixel(kPsPostEffect, c5, 1);
    UploadPixel(kPsCourseColour, c8, 1);
    if (resetStatistics) stats_ = Statistics{};
}

bool tmShader::SetShaders(uint32_t shaderType, uint32_t stateFlags) {
    if (shaderType == applied_.shaderType && stateFlags == applied_.stateFlags) return applied_.pairValid;
    applied_.shaderType = shaderType;
    applied_.stateFlags = stateFlags;
    const gfx::Shader vs = GetVertexShader(shaderType, stateFlags);
    const gfx::Shader ps = GetPixelShader(shaderType, stateFlags);
    applied_.pairValid = vs && ps;
    // A pair that could not be made binds nothing: the caller skips its draws.
    if (applied_.pairValid && device_) device_->setShaders(vs, ps);
    ++stats_.shaderChanges;
    return applied_.pairValid;
}

void tmShader::SetTexture(int stage, sys::tmTexture* texture, bool force) {
    if (stage < 0 || stage >= kTextureStages) return;
    sys::tmTexture*& held = applied_.textures[stage];
    bool& known = applied_.textureKnown[stage];
    if (known && held == texture && !force) return;
    // An untextured shape unbinds the stage: left bound, the last shape's texture
    // (a sprite sheet, a font) would tint it.
    if (device_) device_->setTexture(static_cast<uint32_t>(stage), texture ? texture->GetTexture() : gfx::Texture{});
    if (texture) {
        ++stats_.textureBinds;
        if (stage == 0 && (!held || held->GetAlphaMode() != texture->GetAlphaMode())) {
            if (device_) device_->setState(gfx::State::AlphaRef, texture->GetAlphaMode() == 2 ? 0u : 128u);
            ++stats_.alphaRefChanges;
        }
    }
    held = texture;
    known = true;
}

void tmShader::SetVertexDecl(int index) {
    if (index >= 0) vertexDecl_.Set(index);
}

void tmShader::SetPixelConstant(int index, const float value[4]) { UploadPixel(kPsPost + index, value, 1); }

void tmShader::SetPixelConstant(int index, const D3DXVECTOR4& value) {
    const float v[4] = {value.x, value.y, value.z, value.w};
    UploadPixel(kPsPost + index, v, 1);
}

void tmShader::SetMirror(bool mirrored) {
    mirrored_ = mirrored;
    applied_.cullMode = 0;  // the renderer changed the cull state behind our back
}

void tmShader::SetTargetSize(uint32_t width, uint32_t height) {
    if (width == 0 || height == 0) return;
    D3DXMATRIX scale, offset;
    D3DXMatrixScaling(&scale, 0.5f, -0.5f, 1.0f);
    D3DXMatrixTranslation(&offset, 0.5f + 0.5f / static_cast<float>(width), 0.5f + 0.5f / static_cast<float>(height),
                          0.0f);
    D3DXMatrixMultiply(&targetMatrix_, &scale, &offset);
}

void tmShader::UploadVertex(int reg, const float* v, uint32_t count4) {
    if (device_) device_->setConstants(gfx::Stage::Vertex, static_cast<uint32_t>(reg), v, count4);
}

void tmShader::UploadPixel(int reg, const float* v, uint32_t count4) {
    if (device_) device_->setConstants(gfx::Stage::Pixel, static_cast<uint32_t>(reg), v, count4);
}

void tmShader::UploadTransposed(int reg, const D3DXMATRIX& m) {
    D3DXMATRIX t;
    D3DXMatrixTranspose(&t, &m);
    UploadVertex(reg, &t._11, 4);
}

void tmShader::ApplyCull(uint32_t cullMode) {
    if (mirrored_ && cullMode == gfx::Cull::CW) {
        cullMode = gfx::Cull::CCW;
    } else if (mirrored_ && cullMode == gfx::Cull::CCW) {
        cullMode = gfx::Cull::CW;
    }
    if (cullMode == applied_.cullMode) return;
    applied_.cullMode = cullMode;
    if (device_) device_->setState(gfx::State::CullMode, cullMode);
}

bool tmShader::Apply(const tmRenderQueue::Item& item) {
    const sys::tmShape* shape = item.shape;
    if (!shape || !item.entry) return false;
    for (int stage = 0; stage < 6; ++stage) SetTexture(stage, shape->textures[stage], false);
    const bool valid = SetShaders(item.shaderType, item.stateFlags);
    SetVertexDecl(shape->declIndex);
    ApplyCull(shape->cullMode);

    const gfx::Material& m = shape->material;
    const D3DXVECTOR3 ambient(m.ambient.r, m.ambient.g, m.ambient.b);
    if (ambient != applied_.ambient) {
        const float v[4] = {ambient.x, ambient.y, ambient.z, 1.0f};
        UploadVertex(kVsAmbient, v, 1);
        UploadPixel(kPsAmbient, v, 1);
        applied_.ambient = ambient;
    }
    const D3DXVECTOR3 diffuse(m.diffuse.r, m.diffuse.g, m.diffuse.b);
    if (diffuse != applied_.diffuse) {
        const float v[4] = {diffuse.x, diffuse.y, diffuse.z, 1.0f};
        UploadVertex(kVsDiffuse, v, 1);
        UploadPixel(kPsDiffuse, v, 1);
        applied_.diffuse = diffuse;
    }
    const float c3[4] = {shape->customF, shape->customA, shape->customE, item.entry->alpha};
    if (c3[0] != applied_.c3[0] || c3[1] != applied_.c3[1] || c3[2] != applied_.c3[2] || c3[3] != applied_.alpha) {
        UploadPixel(kPsShapeParams, c3, 1);
        applied_.c3[0] = c3[0];
        applied_.c3[1] = c3[1];
        applied_.c3[2] = c3[2];
        applied_.alpha = c3[3];
    }
    const float c4[4] = {shape->customB, shape->customC, 0.0f, 0.0f};
    if (c4[0] != applied_.c4[0] || c4[1] != applied_.c4[1]) {
        UploadPixel(kPsShapeGloss, c4, 1);
        applied_.c4[0] = c4[0];
        applied_.c4[1] = c4[1];
    }
    if (item.entry != applied_.entry) ApplyEntry(item);
    return valid;
}

void tmShader::ApplyEntry(const tmRenderQueue::Item& item) {
    const tmRenderQueue::Entry& e = *item.entry;
    if (e.transform != applied_.transform) {
        UploadTransposed(kVsTransform, e.transform);
        UploadTransposed(kVsTargetTransform, e.transform * targetMatrix_);
        applied_.transform = e.transform;
    }
    if (item.shape->customF > 0.0f) {
        if (e.nearShadow != applied_.nearShadow) {
            UploadTransposed(kVsNearShadow, e.nearShadow);
            applied_.nearShadow = e.nearShadow;
        }
        if (e.farShadow != applied_.farShadow) {
            UploadTransposed(kVsFarShadow, e.farShadow);
            applied_.farShadow = e.farShadow;
        }
    }
    if (e.light != applied_.light || e.world != applied_.world) {
        D3DXMATRIX inverse;
        if (!D3DXMatrixInverse(&inverse, nullptr, &e.world)) D3DXMatrixIdentity(&inverse);
        const float w = e.light.w;
        D3DXVECTOR4 light = Normalised(D3DXVECTOR4(e.light.x, e.light.y, e.light.z, 0.0f));
        D3DXVec4Transform(&light, &light, &inverse);
        light.w = 0.0f;
        light = Normalised(light);
        light.w = w;
        const float l[4] = {light.x, light.y, light.z, light.w};
        UploadVertex(kVsLight, l, 1);
        UploadPixel(kPsLight, l, 1);
        const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
        D3DXVECTOR4 objectUp;
        D3DXVec3Transform(&objectUp, &up, &inverse);
        const float u[4] = {objectUp.x, objectUp.y, objectUp.z, objectUp.w};
        UploadVertex(kVsUp, u, 1);
        UploadVertex(kVsWorld, &e.world._11, 4);
        applied_.light = e.light;
        applied_.world = e.world;
    }
    if ((item.stateFlags & (STATE_REFLECTMAP | STATE_SPECULARMAP)) && e.eye != applied_.eye) {
        const float v[4] = {e.eye.x, e.eye.y, e.eye.z, e.eye.w};
        UploadVertex(kVsEye, v, 1);
        UploadPixel(kPsEye, v, 1);
        applied_.eye = e.eye;
    }
    applied_.entry = item.entry;
    ++stats_.entryChanges;
}

bool tmShader::ApplyTransformOnly(uint32_t shaderType, const tmRenderQueue::Item& item) {
    if (!item.shape || !item.entry) return false;
    const bool valid = SetShaders(shaderType, 0);
    ApplyCull(item.shape->cullMode);
    SetVertexDecl(item.shape->declIndex);
    if (item.entry != applied_.entry) {
        if (item.entry->transform != applied_.transform) {
            UploadTransposed(kVsTransform, item.entry->transform);
            applied_.transform = item.entry->transform;
        }
        applied_.entry = item.entry;
        ++stats_.entryChanges;
    }
    return valid;
}
