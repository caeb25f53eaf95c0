// tmRender.cpp -- renderer life: device set-up and reset with its report files, render states, targets.
#include "sys/render/tmRender.h"

#include "platform/gfx/Device.h"
#include "sys/data/tmLogFile.h"
#include "sys/gfx/tmDevice.h"
#include "sys/render/tmShader.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/tmTimer.h"

namespace {
tmRender* g_render = nullptr;

struct FormatBits {
    gfx::Format format;
    int a, r, g, b, depth, stencil;
};
// Channel bits of every format the set-up considers (24X8 counts as 4 stencil bits).
const FormatBits kFormats[17] = {
    {gfx::Format::R8G8B8, 0, 8, 8, 8, 0, 0},         {gfx::Format::A8R8G8B8, 8, 8, 8, 8, 0, 0},
    {gfx::Format::X8R8G8B8, 0, 8, 8, 8, 0, 0},       {gfx::Format::R5G6B5, 0, 5, 6, 5, 0, 0},
    {gfx::Format::X1R5G5B5, 0, 5, 5, 5, 0, 0},       {gfx::Format::A1R5G5B5, 1, 5, 5, 5, 0, 0},
    {gfx::Format::A4R4G4B4, 4, 4, 4, 4, 0, 0},       {gfx::Format::R3G3B2, 0, 3, 3, 2, 0, 0},
    {gfx::Format::A8R3G3B2, 8, 3, 3, 2, 0, 0},       {gfx::Format::X4R4G4B4, 0, 4, 4, 4, 0, 0},
    {gfx::Format::A2R10G10B10, 2, 10, 10, 10, 0, 0}, {gfx::Format::D32, 0, 0, 0, 0, 32, 0},
    {gfx::Format::D15S1, 0, 0, 0, 0, 15, 1},         {gfx::Format::D24S8, 0, 0, 0, 0, 24, 8},
    {gfx::Format::D24X8, 0, 0, 0, 0, 24, 4},         {gfx::Format::D24X4S4, 0, 0, 0, 0, 24, 4},
    {gfx::Format::D16, 0, 0, 0, 0, 16, 0},
};

bool Passes(const FormatBits& f, int a, int r, int g, int b, int d, int s) {
    return f.a >= a && f.r >= r && f.g >= g && f.b >= b && f.depth >= d && f.stencil >= s;
}
}  // namespace

tmRender* tmRender::Create() {
    if (!g_render) {
        g_render = new tmRender;
        tmDraw::SetInstance(g_render);
    }
    return g_render;
}

tmRender* tmRender::GetInstance() { return g_render; }

void tmRender::Destroy() {
    if (g_render && tmDraw::GetInstance() == g_render) tmDraw::SetInstance(nullptr);
    delete g_render;
    g_render = nullptr;
}

namespace {
// The cache's slots as the render queue reads them.
struct CacheSlots : tmSlotSource {
    explicit CacheSlots(tmResourceHolder* c) : cache(c) {}
    sys::tmModel* GetModelSlot(int slot) override { return cache->GetModelSlot(slot); }
    sys::tmSprite* GetSpriteSlot(int slot) override { return cache->GetSpriteSlot(slot); }
    tmResourceHolder* cache;
};
}  // namespace

tmRender::~tmRender() {
    ReleaseDeviceObjects();
    if (tmGetResourceHolder() == cache_.get()) tmSetResourceHolder(nullptr);
    cacheSlots_.reset();
    cache_.reset();  // releases what is still loaded while the device exists
    if (tmGetDevice() == device_) tmSetDevice(nullptr);
}

std::vector<tmRender::FormatCombo> tmRender::BuildFormatCombos() {
    std::vector<FormatCombo> list;
    for (const FormatBits& d : kFormats) {
        if (!Passes(d, 0, 0, 0, 0, 16, 4)) continue;
        for (const FormatBits& b : kFormats) {
            if (!Passes(b, 0, 5, 5, 5, 0, 0)) continue;
            for (const FormatBits& f : kFormats)
                if (Passes(f, 0, 5, 5, 5, 0, 0)) list.push_back({f.format, b.format, d.format});
        }
    }
    return list;
}

int tmRender::CheckDevice(const tmRenderSetting& s, gfx::Format desktop) {
    tmLogFile report;
    report.Open("CheckDeviceReport.txt");
    const std::vector<FormatCombo> combos = BuildFormatCombos();
    for (size_t i = 0; i < combos.size(); ++i) {
        const FormatCombo& c = combos[i];
        bool qualifies = false;
        if (s.windowed) {
            qualifies = c.adapter == desktop;
        } else {
            const uint32_t n = device_->adapterModeCount(c.adapter);
            for (uint32_t m = 0; m < n; ++m) {
                gfx::DisplayMode mode;
                if (device_->enumAdapterMode(c.backBuffer, m, &mode) != gfx::Res::Ok) continue;
                report.Printf("Find Enable Adapter(%d:%d/%d)\n\n", int(m), int(mode.width), int(mode.height));
                qualifies = true;
                if (mode.width == s.width && mode.height == s.height) {
                    if (mode.format != c.backBuffer) report.Printf("Adapter Format error.(%d)\n\n", int(m));
                    break;
                }
            }
        }
        if (!qualifies) continue;
        if (device_->checkDeviceType(c.adapter, c.backBuffer, s.windowed != 0) != gfx::Res::Ok) continue;
        if (device_->checkDeviceFormat(c.adapter, gfx::FormatUse::DepthStencil, gfx::ResourceKind::Surface,
                                       c.depthStencil) != gfx::Res::Ok)
            continue;
        if (s.requireRenderTargets &&
            device_->checkDeviceFormat(c.adapter, gfx::FormatUse::RenderTarget, gfx::ResourceKind::Texture,
                                       gfx::Format::A8R8G8B8) != gfx::Res::Ok)
            continue;
        return static_cast<int>(i);
    }
    return -1;
}

bool tmRender::Initialize(gfx::Device* device, const tmRenderSetting& settings) {
    tmLogFile log;
    log.Open("renderInitializeLog.txt");
    if (!device) {
        log.Printf("Can't create Direct3D Object.\n");
        return false;
    }
    log.Printf("Create Direct3D Object.\n");
    if (!SetupDirect3D(device, settings)) {
        log.Printf("setup direct3D error.\n");
        return false;
    }
    log.Printf("Setup Direct3D Device.\n");
    log.Printf("Finish initializing.\n");
    return true;
}

void tmRender::ReleaseDeviceObjects() {
    if (device_) {
        ReleaseTarget(targets_[kFarShadow]);
        ReleaseTarget(targets_[kNearShadow]);
        ReleaseTarget(targets_[kDepthRecord]);
        device_->releaseDepthSurface(cubeDepth_);
        device_->releaseTexture(cube_);
        ReleaseTarget(targets_[kMirror]);
        ReleaseTarget(targets_[kSecondView]);
        if (post_) post_->Release();
        ReleaseTarget(targets_[kSceneA]);
    }
    cube_ = {};
    cubeDepth_ = {};
    post_.reset();
    queue_.reset();
    shader_.reset();
    frustum_.reset();
}

bool tmRender::SetupDirect3D(gfx::Device* device, const tmRenderSetting& settings) {
    tmLogFile log;
    log.Open("setupDirect3DLog.txt");
    log.Printf("starting setup Direct3D\n");
    storedClear_ = 0xFF000000u;
    activeClear_ = storedClear_;
    const bool existing = device_ && device_ == device && device->created();
    device_ = device;
    log.Printf("Create Device\n");
    if (existing) {
        device_->endScene();
        ReleaseDeviceObjects();
    } else {
        gfx::DisplayMode mode;
        if (device_->adapterDisplayMode(&mode) != gfx::Res::Ok) {
            log.Printf("Can't get AdapterDisplayMode\n");
            return false;
        }
        desktopFormat_ = mode.format;
    }
    const int combo = CheckDevice(settings, desktopFormat_);
    if (combo < 0) {
        log.Printf("Failed Check Device\n");
        return false;
    }
    const FormatCombo chosen = BuildFormatCombos()[size_t(combo)];
    const gfx::Caps caps = device_->caps();
    const bool software = caps.vertexShaderVersion < 0x300;
    log.Printf(software ? "Use Software Processing\n" : "Use Hardware Processing\n");
    log.Printf("Begin Initializing Device\n");
    gfx::PresentParams params;
    params.width = settings.width;
    params.height = settings.height;
    params.backBufferFormat = chosen.backBuffer;
    params.depthStencilFormat = chosen.depthStencil;
    params.windowed = settings.windowed != 0;
    params.vsync = true;
    params.softwareVertexProcessing = software;
    if (!existing) {
        if (device_->create(params) != gfx::Res::Ok) {
            log.Printf("Can't create d3DDevice 0\n");
            return false;
        }
    } else {
        if (onLost_) onLost_();
        const gfx::Result r = device_->reset(params);
        if (r != gfx::Res::Ok) {
            switch (r) {
                case gfx::Res::DeviceLost: log.Printf("Can't create d3DDevice DEVICELOST\n"); break;
                case gfx::Res::InvalidCall: log.Printf("Can't create d3DDevice INVALIDCALL\n"); break;
                case gfx::Res::OutOfVideoMemory: log.Printf("Can't create d3DDevice OUTOFVIDEOMEMORY\n"); break;
                case gfx::Res::OutOfMemory: log.Printf("Can't create d3DDevice OUTOFMEMORY\n"); break;
                case gfx::Res::DriverInternalError:
                    log.Printf("Can't create d3DDevice INTERNALERROR\n");
                    if (messageBox_)
                        messageBox_("ZARVO System error",
                                    "致命的なエラーが発生しました。\nビデオカードのドライバーを確認してください。\n");
                    break;
                default: log.Printf("Can't create d3DDevice %x\n", static_cast<unsigned>(r)); break;
            }
            return false;
        }
    }
    tmSetDevice(device_);
    log.Printf("End Initializing Device\n");
    tmRenderSetting& current = tmGetCurrentRenderSetting();
    current = settings;
    if (caps.vertexShaderVersion < 0x300) current.requireRenderTargets = 0;
    if (!caps.canCalibrateGamma) current.gammaReport = 0;
    tmSetLayoutFromScreen(current.width, current.height);
    last_ = measured_ = GetFrameTime();
    accumulated_ = average_ = 0.0f;
    frameCount_ = 0;
    log.Printf("Setup D3DRenderState\n");
    SetRenderStates();
    // Once per set-up: the multi-pass frame restores the render states every frame.
    if (current.gammaReport) WriteGammaReport();
    CreateResources();
    if (existing && onRestored_) onRestored_();
    if (!current.windowed) device_->showCursor(false);
    activeClear_ = storedClear_;
    BindTarget(Target{backBuffer_, backDepth_, current.width, current.height});
    Clear(true);
    device_->beginScene();
    if (tmTimer::GetInstance()) tmTimer::GetInstance()->StartLap(1);  // the first frame's lap starts here
    log.Printf("Complete setup.\n");
    return true;
}

gfx::Result tmRender::ResetDevice() {
    const tmRenderSetting copy = tmGetCurrentRenderSetting();
    return SetupDirect3D(device_, copy) ? gfx::Res::Ok : gfx::Res::Fail;
}

bool tmRender::ResetDisplay(int width, int height) {
    if (!device_ || !device_->created()) return false;
    tmRenderSetting copy = tmGetCurrentRenderSetting();
    if (width > 0 && height > 0) {
        copy.width = static_cast<uint32_t>(width);
        copy.height = static_cast<uint32_t>(height);
    }
    return SetupDirect3D(device_, copy);
}

void tmRender::WriteGammaReport() {
    tmLogFile report;
    report.Open("DebugReportGamma.txt");
    report.Printf("Clibrate Gamma Report\n\n");
    uint16_t r[256], g[256], b[256];
    device_->gammaRamp(r, g, b);
    for (int i = 0; i < 255; ++i) report.Printf("(%3d,%3d,%3d\n", r[i], g[i], b[i]);
}

void tmRender::SetRenderStates() {
    const float one[4] = {1, 1, 1, 1};
    device_->setConstants(gfx::Stage::Vertex, 15, one, 1);
    device_->setState(gfx::State::CullMode, gfx::Cull::CW);
    device_->setState(gfx::State::AlphaBlendEnable, 1);
    device_->setState(gfx::State::BlendOp, gfx::BlendOp::Add);
    device_->setState(gfx::State::AlphaTestEnable, 1);
    device_->setState(gfx::State::AlphaFunc, gfx::Compare::GreaterEqual);
    device_->setState(gfx::State::AlphaRef, 0);
    device_->setState(gfx::State::SrcBlend, gfx::Blend::SrcAlpha);
    device_->setState(gfx::State::DestBlend, gfx::Blend::InvSrcAlpha);
    device_->setSamplerFilter(0, gfx::Filter::Anisotropic, gfx::Filter::Anisotropic, gfx::Filter::Anisotropic, 4);
    for (uint32_t s = 1; s < gfx::kTextureStages; ++s)
        device_->setSamplerFilter(s, gfx::Filter::Linear, gfx::Filter::Linear, gfx::Filter::Linear, 1);
}

tmRender::Target tmRender::MakeTarget(uint32_t width, uint32_t height) {
    return tmMakeRenderTarget(device_, width, height, activeClear_);
}

void tmRender::ReleaseTarget(Target& t) { tmReleaseRenderTarget(device_, t); }

const tmRender::Target& tmRender::GetTarget(int index) const {
    static const Target kNone;
    if (index < 0 || index >= kTargetCount) return kNone;
    if (!post_) return targets_[index];
    switch (index) {
        case kWork1: return post_->Work1();
        case kWork2: return post_->Work2();
        case kBloomResult: return post_->BloomResult();
        case kSceneB: return post_->GlowSource();
        case kGlowWork: return post_->GlowWork();
        case kGlowResult: return post_->GlowResult();
        default: return targets_[index];
    }
}

const tmRender::Target& tmRender::GetBloomLevel(int i) const {
    static const Target kNone;
    return post_ ? post_->GetBloomLevel(i) : kNone;
}

const tmRender::Target& tmRender::GetGlowLevel(int i) const {
    static const Target kNone;
    return post_ ? post_->GetGlowLevel(i) : kNone;
}

const tmRender::Kernel& tmRender::GetBloomKernel(int i) const {
    static const Kernel kNone = {};
    return post_ ? post_->GetBloomKernel(i) : kNone;
}

const tmRender::Kernel& tmRender::GetGlowKernel(int i) const {
    static const Kernel kNone = {};
    return post_ ? post_->GetGlowKernel(i) : kNone;
}

void tmRender::CreateResources() {
    const tmRenderSetting& s = tmGetCurrentRenderSetting();
    if (!cache_) {
        cache_ = std::make_unique<tmResourceHolder>();
        cacheSlots_ = std::make_unique<CacheSlots>(cache_.get());
        tmSetResourceHolder(cache_.get());
    }
    queue_ = std::make_unique<tmRenderQueue>();
    queue_->Initialize(holder_ ? holder_ : cacheSlots_.get(), tmRenderQueue::kItemCapacity,
                       tmRenderQueue::kEntryCapacity, tmRenderQueue::kSpriteCapacity, tmRenderQueue::kPolygonCapacity);
    shader_ = shaderFactory_ ? shaderFactory_(device_) : tmShader::Make(device_);
    frustum_ = std::make_unique<tmFrustum>();
    device_->showCursor(false);
    activeClear_ = storedClear_;
    backBuffer_ = device_->backBuffer();
    backDepth_ = device_->backBufferDepth();
    BindTarget(Target{backBuffer_, backDepth_, s.width, s.height});
    Clear(true);

    // The simple frame (no shader model 3, as on a software rasteriser) draws only into the back buffer and
    // the two views' pictures. The scene, post-process, depth, shadow and cube targets are the multi-pass
    // frame's alone; making and clearing them (two are 2048 x 1024) would be most of this set-up's time.
    const bool multiPass = shader_ && shader_->SupportsShaderModel3();
    if (multiPass) {
        targets_[kSceneA] = MakeTarget(s.sceneTargetWidth, s.sceneTargetHeight);
        post_ = std::make_unique<tmPostProcess>(device_, shader_.get());
        post_->Create(s, activeClear_);
    }
    activeClear_ = 0x00000000u;
    targets_[kSecondView] = MakeTarget(s.secondViewWidth, s.secondViewHeight);
    targets_[kMirror] = MakeTarget(s.mirrorWidth, s.mirrorHeight);
    if (multiPass) {
        activeClear_ = 0xFFFFFFFFu;
        targets_[kDepthRecord] = MakeTarget(s.workTargetWidth, s.workTargetHeight);
        activeClear_ = storedClear_;
        targets_[kNearShadow] = MakeTarget(s.shadowMapSize, s.shadowMapSize);
        targets_[kFarShadow] = MakeTarget(s.shadowMapSize, s.shadowMapSize);
        cube_ = device_->createTexture(
            {s.cubeTargetSize, s.cubeTargetSize, 1, gfx::Format::A8R8G8B8, gfx::Usage::RenderTarget, true});
        cubeDepth_ = cube_ ? device_->createDepthSurface(s.cubeTargetSize, s.cubeTargetSize, gfx::Format::D24X8)
                           : gfx::DepthSurface{};
        if (cube_ && !cubeDepth_) {
            device_->releaseTexture(cube_);
            cube_ = {};
        }
    }
    if (shader_) shader_->SetTargetSize(s.workTargetWidth, s.workTargetHeight);
    activeClear_ = storedClear_;
    BindTarget(Target{backBuffer_, backDepth_, s.width, s.height});
}

// ---- drawing seam readers and parameters ----
// Parameters go to the shader manager of the current set-up; before one exists they are dropped.
void tmRender::SetVector(const D3DXVECTOR3& v) {
    if (shader_) shader_->SetVector(v);
}

void tmRender::SetFakeHdr(float a, float b, float c) {
    if (shader_) shader_->SetFakeHdr(a, b, c);
}

void tmRender::SetBloomRate(float rate) {
    if (shader_) shader_->SetBloomRate(rate);
}

int tmRender::GetBackBufferWidth() const { return static_cast<int>(tmGetCurrentRenderSetting().width); }

int tmRender::GetBackBufferHeight() const { return static_cast<int>(tmGetCurrentRenderSetting().height); }

float tmRender::GetFrameRate() const { return average_ > 0.0f ? 1000.0f / average_ : 0.0f; }
