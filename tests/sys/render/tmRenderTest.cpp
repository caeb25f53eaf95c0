// tmRenderTest.cpp -- renderer set-up reports, targets, frame passes, drawing interface, pacing and device loss.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>

#include "harness/WorkFolder.h"
#include "platform/clock/Clock.h"
#include "platform/gfx/NullDevice.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShader.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmCubeTexture.h"
#include "sys/resource/tmModel.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmTexture.h"
#include "sys/tmTimer.h"

namespace {
struct FakeShader : tmShaderManager {
    bool sm3 = true;
    bool mirror = false;
    std::vector<std::pair<const sys::tmShape*, bool>> applied;  // shape, mirrored
    std::vector<uint32_t> forced;
    std::vector<uint32_t> programs;
    bool SupportsShaderModel3() const override { return sm3; }
    void Begin(bool) override {}
    bool Apply(const tmRenderQueue::Item& item) override {
        applied.push_back({item.shape, mirror});
        return true;
    }
    bool ApplyTransformOnly(uint32_t type, const tmRenderQueue::Item&) override {
        forced.push_back(type);
        return true;
    }
    bool SetShaders(uint32_t type, uint32_t) override {
        programs.push_back(type);
        return true;
    }
    void SetTexture(int, sys::tmTexture*, bool) override {}
    void SetPixelConstant(int, const float*) override {}
    void SetTargetSize(uint32_t, uint32_t) override {}
    void SetMirror(bool m) override { mirror = m; }
};

struct Slots : tmSlotSource {
    sys::tmModel* model = nullptr;
    sys::tmModel* GetModelSlot(int s) override { return s == 1 ? model : nullptr; }
    sys::tmSprite* GetSpriteSlot(int) override { return nullptr; }
};

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.sceneTargetWidth = 64;
        settings.sceneTargetHeight = 32;
        settings.shadowMapSize = 32;
        r = tmRender::Create();
        r->SetResourceHolder(&slots);
        r->SetShaderFactory([this](gfx::Device*) {
            auto s = std::make_unique<FakeShader>();
            shader = s.get();
            shader->sm3 = sm3;
            return s;
        });
        shape.vertexBuffer = dev.createBuffer(gfx::BufferKind::Vertex, 56 * 3, false);
        shape.range = {0, 0, 1, 0, 3};
        shape.vertexCount = 3;
        shape.primitiveCount = 1;
        model.AddShape(&shape);
        slots.model = &model;
    }
    void TearDown() override { tmRender::Destroy(); }
    harness::WorkFolder folder;  // the set-up's report files
    gfx::NullDevice dev;
    tmRenderSetting settings;
    tmRender* r = nullptr;
    FakeShader* shader = nullptr;
    bool sm3 = true;
    sys::tmShape shape;
    sys::tmModel model;
    Slots slots;
};
}  // namespace

TEST(tmRenderCombos, DepthFormatsNeedSixteenBitsAndFourStencilBits) {
    auto combos = tmRender::BuildFormatCombos();
    ASSERT_FALSE(combos.empty());
    EXPECT_EQ(combos[0].adapter, gfx::Format::R8G8B8);
    EXPECT_EQ(combos[0].backBuffer, gfx::Format::R8G8B8);
    EXPECT_EQ(combos[0].depthStencil, gfx::Format::D24S8);
    bool x8 = false, x4s4 = false;
    for (auto& c : combos) {
        EXPECT_NE(c.depthStencil, gfx::Format::D32);
        EXPECT_NE(c.depthStencil, gfx::Format::D15S1);
        EXPECT_NE(c.depthStencil, gfx::Format::D16);
        EXPECT_NE(c.adapter, gfx::Format::R3G3B2);
        x8 |= c.depthStencil == gfx::Format::D24X8;
        x4s4 |= c.depthStencil == gfx::Format::D24X4S4;
    }
    EXPECT_TRUE(x8);
    EXPECT_TRUE(x4s4);
}

TEST_F(RenderTest, SetupWritesReportsAndDerivesLayout) {
    dev.scriptedCaps.vertexShaderVersion = 0x200;
    ASSERT_TRUE(r->Initialize(&dev, settings));
    EXPECT_EQ(folder.Read("renderInitializeLog.txt"),
              "Create Direct3D Object.\nSetup Direct3D Device.\nFinish initializing.\n");
    EXPECT_EQ(folder.Read("setupDirect3DLog.txt"),
              "starting setup Direct3D\nCreate Device\nUse Software Processing\nBegin Initializing Device\n"
              "End Initializing Device\nSetup D3DRenderState\nComplete setup.\n");
    const std::string gamma = folder.Read("DebugReportGamma.txt");
    EXPECT_EQ(gamma.rfind("Clibrate Gamma Report\n\n(  0,  0,  0\n", 0), 0u);
    EXPECT_EQ(std::count(gamma.begin(), gamma.end(), '\n'), 2 + 255);
    EXPECT_EQ(tmGetCurrentRenderSetting().requireRenderTargets, 0);  // trimmed by the caps
    EXPECT_EQ(tmGetLayoutOffset(), 171);
    EXPECT_FLOAT_EQ(tmGetLayoutScale(), 1.0f);
    EXPECT_EQ(dev.scenesBegun, 1);
    // Target clear colours: white before the depth record, transparent before scene B.
    EXPECT_EQ(dev.clearColour(r->GetTarget(tmRender::kDepthRecord).texture), 0xFFFFFFFFu);
    EXPECT_EQ(dev.clearColour(r->GetTarget(tmRender::kSceneB).texture), 0x00000000u);
    EXPECT_EQ(dev.clearColour(r->GetTarget(tmRender::kGlowResult).texture), 0x00000000u);
    EXPECT_EQ(dev.clearColour(r->GetTarget(tmRender::kNearShadow).texture), 0xFF000000u);
    EXPECT_EQ(dev.clearColour(r->GetTarget(tmRender::kSceneA).texture), 0xFF000000u);
    EXPECT_EQ(r->GetTarget(tmRender::kSceneA).width, 64u);

    tmRenderSetting tall = settings;
    tall.width = 1280;
    tall.height = 1024;
    ASSERT_TRUE(r->SetupDirect3D(&dev, tall));
    // A 5:4 screen fits the wide virtual screen by its width, centred between bands above and below.
    EXPECT_EQ(tmGetLayoutOffset(), 160);
    EXPECT_EQ(tmGetLayoutOffsetY(), 152);
    EXPECT_FLOAT_EQ(tmGetLayoutScale(), 1280.0f / 1366.0f);
    // A menu's 3D view stands in that band, at the virtual screen's shape; a race's fills the window.
    tmDraw::SceneFit fit = r->GetSceneFit();
    EXPECT_FLOAT_EQ(fit.aspect, 1366.0f / 768.0f);
    EXPECT_FLOAT_EQ(fit.scaleX, 1.0f);
    EXPECT_FLOAT_EQ(fit.scaleY, 768.0f * 1280.0f / 1366.0f / 1024.0f);
    tmDraw::SetRaceLayout(true);
    fit = r->GetSceneFit();
    tmDraw::SetRaceLayout(false);
    EXPECT_FLOAT_EQ(fit.aspect, 1.25f);
    EXPECT_EQ(fit.scaleY, 1.0f);
    EXPECT_EQ(dev.resets, 1);
    EXPECT_EQ(dev.liveTextures(), 1 + 12 + 12 + 1);  // back buffer, 12 targets, 12 chain levels, cube
}

TEST_F(RenderTest, SetupFailuresAreReported) {
    dev.desktop.format = gfx::Format::R3G3B2;  // no triple uses it
    EXPECT_FALSE(r->Initialize(&dev, settings));
    EXPECT_NE(folder.Read("setupDirect3DLog.txt").find("Failed Check Device\n"), std::string::npos);
    EXPECT_EQ(folder.Read("renderInitializeLog.txt"), "Create Direct3D Object.\nsetup direct3D error.\n");

    dev.desktop.format = gfx::Format::X8R8G8B8;
    ASSERT_TRUE(r->Initialize(&dev, settings));
    std::string box;
    r->SetMessageBoxHook([&](const char* caption, const char*) { box = caption; });
    dev.resetResults = {gfx::Res::DriverInternalError};
    EXPECT_EQ(r->ResetDevice(), gfx::Res::Fail);
    EXPECT_NE(folder.Read("setupDirect3DLog.txt").find("Can't create d3DDevice INTERNALERROR\n"), std::string::npos);
    EXPECT_EQ(box, "ZARVO System error");
}

TEST_F(RenderTest, GammaReportIsWrittenOncePerDeviceSetUpNotPerFrame) {
    ASSERT_TRUE(r->Initialize(&dev, settings));
    ASSERT_TRUE(folder.Remove("DebugReportGamma.txt"));
    for (int frame = 0; frame < 3; ++frame) r->Render();  // multi-pass frames restore the render states
    EXPECT_FALSE(folder.Exists("DebugReportGamma.txt"));
    ASSERT_EQ(r->ResetDevice(), gfx::Res::Ok);
    EXPECT_TRUE(folder.Exists("DebugReportGamma.txt"));

    ASSERT_TRUE(folder.Remove("DebugReportGamma.txt"));
    tmRenderSetting quiet = settings;
    quiet.gammaReport = 0;
    ASSERT_TRUE(r->SetupDirect3D(&dev, quiet));
    r->Render();
    EXPECT_FALSE(folder.Exists("DebugReportGamma.txt"));
}

TEST_F(RenderTest, LostDeviceWaitsThenResetsAndRestoresItsObjects) {
    ASSERT_TRUE(r->Initialize(&dev, settings));
    const int begun = dev.scenesBegun;
    dev.presentResults = {gfx::Res::DeviceLost};
    dev.cooperativeResults = {gfx::Res::DeviceLost};
    EXPECT_EQ(r->CheckDeviceLost(), gfx::Res::Ok);  // still lost: keep trying, scene open
    EXPECT_EQ(dev.scenesBegun, begun + 1);
    EXPECT_EQ(dev.resets, 0);

    dev.presentResults = {gfx::Res::DeviceLost};
    dev.cooperativeResults = {gfx::Res::DeviceNotReset};
    dev.resetResults = {gfx::Res::DeviceLost};
    EXPECT_EQ(r->CheckDeviceLost(), gfx::Res::Fail);
    EXPECT_EQ(dev.scenesBegun, begun + 1);  // no scene after a failed reset

    dev.presentResults = {gfx::Res::DeviceLost};
    dev.cooperativeResults = {gfx::Res::DeviceNotReset};
    int lost = 0, restored = 0;
    r->SetDeviceObjectHooks([&] { ++lost; }, [&] { ++restored; });
    EXPECT_EQ(r->CheckDeviceLost(), gfx::Res::Ok);
    EXPECT_EQ(dev.resets, 2);
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(restored, 1);
    EXPECT_NE(r->GetQueue(), nullptr);  // rebuilt
}

TEST_F(RenderTest, ClearColourIsDimmedCubeDrawsFillSixLayersAndLightFramesTheShadowMaps) {
    ASSERT_TRUE(r->Initialize(&dev, settings));
    r->SetClearColor(0xFF808080);
    EXPECT_EQ(r->GetClearColor(), 0xFF595959u);
    r->SetClearColor(0xFFFFFFFF);
    EXPECT_EQ(r->GetClearColor(), 0xFFB2B2B2u);
    r->ResetClearColor();
    EXPECT_EQ(r->GetClearColor(), 0xFF000000u);

    EXPECT_EQ(r->DrawModel(0, 0, 0), -1);
    EXPECT_EQ(r->DrawModelToCubeLayers(1, 0), 0);
    for (int l = 9; l <= 14; ++l) EXPECT_EQ(r->GetQueue()->GetLayerCount(l), 1);

    const float down[4] = {0, -1, 0, 0.5f};
    r->SetLightDirectionDefault(down);
    EXPECT_EQ(r->GetLightDirection(), (D3DXVECTOR4{0, -1, 0, 0.5f}));
    // Near eye at (0, 240, 0): the planes at 200 and 500 units below it map to depth 0 and 1.
    auto depth = [](const D3DXMATRIX& m, float y) {
        D3DXVECTOR4 c;
        const D3DXVECTOR3 p(0, y, 0);
        D3DXVec3Transform(&c, &p, &m);
        return c.z / c.w;
    };
    EXPECT_NEAR(depth(r->GetQueue()->GetNearShadow(), 40), 0.0f, 1e-4f);
    EXPECT_NEAR(depth(r->GetQueue()->GetNearShadow(), -260), 1.0f, 1e-4f);
    EXPECT_NEAR(depth(r->GetQueue()->GetFarShadow(), 300), 0.0f, 1e-4f);
    EXPECT_NEAR(depth(r->GetQueue()->GetFarShadow(), -2200), 1.0f, 1e-4f);
}

TEST_F(RenderTest, TexturesFilledOnTheCpuAreMadeUnregisteredAndUploadedAtTheirSize) {
    EXPECT_EQ(r->CreateTexture("early", 4, 2), nullptr);  // no device yet
    ASSERT_TRUE(r->Initialize(&dev, settings));
    EXPECT_EQ(r->CreateTexture("flat", 4, 0), nullptr);
    EXPECT_EQ(r->CreateTexture(nullptr, 4, 2), nullptr);
    std::unique_ptr<sys::tmTexture> t(r->CreateTexture("text", 4, 2));
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(t->GetName(), "text");
    EXPECT_EQ(t->GetRefCount(), 0);  // the caller registers it
    EXPECT_EQ(t->GetAlphaMode(), 2u);
    uint32_t w = 0, h = 0;
    ASSERT_TRUE(t->GetSize(&w, &h));
    EXPECT_EQ(w, 4u);
    EXPECT_EQ(h, 2u);
    const uint32_t px[8] = {1, 2, 3, 4, 5, 6, 7, 0xFF00FF00u};
    EXPECT_FALSE(r->UploadTexture(t.get(), px, 2, 4));  // not the texture's size
    EXPECT_FALSE(r->UploadTexture(t.get(), nullptr, 4, 2));
    ASSERT_TRUE(r->UploadTexture(t.get(), px, 4, 2));
    const std::vector<uint32_t>* texels = dev.textureTexels(t->GetTexture());
    ASSERT_NE(texels, nullptr);
    EXPECT_EQ(texels->front(), 1u);
    EXPECT_EQ(texels->back(), 0xFF00FF00u);
}

TEST_F(RenderTest, MultiPassRunsEveryPassOnAnEmptyQueue) {
    settings.shadows = 0;
    ASSERT_TRUE(r->Initialize(&dev, settings));
    dev.draws.clear();
    r->Render();
    // scale4x4, bright, 6 gauss, merge; glow scale4x4, 6 gauss, merge; composite.
    EXPECT_EQ(dev.draws.size(), 18u);
    EXPECT_EQ(dev.boundTexture(7), r->GetTarget(tmRender::kNearShadow).texture);
    EXPECT_EQ(dev.boundTexture(11), r->GetTarget(tmRender::kFarShadow).texture);
    EXPECT_EQ(dev.clearColour(r->GetTarget(tmRender::kFarShadow).texture), 0xFFFFFFFFu);
    EXPECT_EQ(shader->programs.back(), 19u);
    EXPECT_EQ(dev.draws.back().target, dev.backBuffer());
}

TEST_F(RenderTest, MirrorAndSecondViewLayersDrawOnlyWithTheirFlags) {
    ASSERT_TRUE(r->Initialize(&dev, settings));
    r->DrawModel(1, 0, 3);
    r->DrawModel(1, 0, 1);
    r->DrawModel(1, 0, 17);
    r->DrawModel(1, 0, 19);
    r->Render();
    ASSERT_EQ(shader->applied.size(), 2u);   // layers 17 and 19 need the view flags
    EXPECT_TRUE(shader->applied[0].second);  // layer 3 mirrored however culling stood before
    EXPECT_FALSE(shader->applied[1].second);
    EXPECT_EQ(dev.getState(gfx::State::CullMode), gfx::Cull::CW);

    r->SetViewFlags(true, true);
    r->DrawModel(1, 0, 18);
    r->DrawModel(1, 0, 17);
    shader->applied.clear();
    r->Render();
    ASSERT_EQ(shader->applied.size(), 2u);
    EXPECT_TRUE(shader->applied[1].second);  // 17 first, then the mirrored 18
}

TEST_F(RenderTest, FailedTargetsAreSkipped) {
    dev.failTexture = [](const gfx::TextureDesc& d) { return d.width == 64; };  // both scene targets
    ASSERT_TRUE(r->Initialize(&dev, settings));
    EXPECT_FALSE(r->GetTarget(tmRender::kSceneA).Ok());
    r->DrawModel(1, 0, 0);
    dev.draws.clear();
    r->Render();
    for (const auto& d : dev.draws) EXPECT_TRUE(d.target) << "draw into a missing target";
    EXPECT_EQ(dev.draws.back().target, dev.backBuffer());  // the composite still runs
}

TEST_F(RenderTest, SimplePathDrawsLayersZeroToEight) {
    sm3 = false;
    ASSERT_TRUE(r->Initialize(&dev, settings));
    // This frame draws into the back buffer and the views' pictures only: no multi-pass target is made.
    EXPECT_EQ(dev.liveTextures(), 1 + 2);
    EXPECT_TRUE(r->GetTarget(tmRender::kSecondView).Ok());
    EXPECT_TRUE(r->GetTarget(tmRender::kMirror).Ok());
    EXPECT_FALSE(r->GetTarget(tmRender::kSceneA).Ok());
    r->DrawModel(1, 0, 0);
    r->DrawModel(1, 0, 6);
    r->DrawModel(1, 0, 12);
    dev.draws.clear();
    r->Render();
    ASSERT_EQ(dev.draws.size(), 2u);
    EXPECT_EQ(dev.draws[0].zEnable, 1u);
    EXPECT_EQ(dev.draws[1].zEnable, 0u);
    EXPECT_EQ(r->GetEntriesDrawn(), 2u);
    EXPECT_EQ(r->GetQueue()->GetLayerCount(0), 0);  // cleared
    // Stage 0 is sampled trilinear on this path (anisotropic sampling is what a software
    // rasteriser pays most for); the set-up's anisotropic state is replaced every frame.
    const auto last = std::find_if(dev.log.rbegin(), dev.log.rend(),
                                   [](const std::string& l) { return l.rfind("setSamplerFilter 0 ", 0) == 0; });
    ASSERT_NE(last, dev.log.rend());
    EXPECT_EQ(*last, "setSamplerFilter 0 2 2 2 1");
}

// The race display's textured overlay, then next frame an untextured scene shape
// (course scenery): the scene shape is drawn with nothing on stage 0, not
// multiplied by the overlay's sheet that the last frame left bound.
TEST_F(RenderTest, SimplePathUntexturedSceneShapeAfterATexturedOverlayDrawsWithoutTexture) {
    dev.scriptedCaps.vertexShaderVersion = dev.scriptedCaps.pixelShaderVersion = 0x200;  // the simple path
    r->SetShaderFactory([](gfx::Device* device) { return tmShader::Make(device); });     // the real manager
    ASSERT_TRUE(r->Initialize(&dev, settings));
    ASSERT_FALSE(r->GetShader()->SupportsShaderModel3());
    gfx::TextureDesc desc;
    desc.width = desc.height = 4;
    sys::tmTexture sheet;
    sheet.Setup(dev.createTexture(desc), nullptr, nullptr, 2);
    sys::tmShape overlay;
    overlay.vertexBuffer = shape.vertexBuffer;
    overlay.range = shape.range;
    overlay.vertexCount = 3;
    overlay.primitiveCount = 1;
    overlay.textures[0] = &sheet;
    sys::tmModel hud;
    hud.AddShape(&overlay);
    for (int frame = 0; frame < 2; ++frame) {
        slots.model = &model;
        r->DrawModel(1, 0, tmRenderLayer::kScene);
        slots.model = &hud;
        r->DrawModel(1, tmShaderType::kFrontend, tmRenderLayer::kOverlay);
        dev.draws.clear();
        r->Render();
        ASSERT_EQ(dev.draws.size(), 2u);
        EXPECT_EQ(dev.draws[0].texture0, gfx::Texture{}) << "frame " << frame;
        EXPECT_EQ(dev.draws[1].texture0, sheet.GetTexture()) << "frame " << frame;
    }
    slots.model = &model;
    dev.releaseTexture(sheet.GetTexture());
    sheet.Setup(gfx::Texture{}, nullptr, nullptr, 2);
}

TEST(tmRenderKernels, DiamondTapsAreNormalisedAndGlowLevelsScaled) {
    harness::WorkFolder folder;
    gfx::NullDevice dev;
    tmRenderSetting s;
    s.sceneTargetWidth = s.shadowMapSize = 32;
    tmRender* r = tmRender::Create();
    ASSERT_TRUE(r->Initialize(&dev, s));
    const auto& k = r->GetBloomKernel(0);
    EXPECT_FLOAT_EQ(k.offsets[0][0], -2.0f / 256.0f);
    EXPECT_FLOAT_EQ(k.offsets[0][1], 0.0f);
    EXPECT_NEAR(k.weights[6], 0.183858f, 1e-6f);  // centre
    EXPECT_NEAR(k.weights[0], 0.024882f, 1e-6f);  // (-2, 0), a tip of the diamond
    EXPECT_EQ(k.weights[13], 0.0f);
    EXPECT_NEAR(r->GetGlowKernel(3).weights[6], 0.183858f * 2.5f, 1e-5f);
    EXPECT_FLOAT_EQ(r->GetGlowKernel(4).offsets[0][0], -2.0f / 64.0f);
    tmRender::Destroy();
}

namespace {
// Each reading of the time moves it on by a tenth of a millisecond, so a spin ends.
struct SteppingClock : platform::FakeClock {
    uint64_t NowMicros() override {
        Advance(100);
        return platform::FakeClock::NowMicros();
    }
};
}  // namespace

TEST(tmRenderPacing, ShortFrameSleepsThenSpinsAndTheAverageComesEverySixtyFrames) {
    SteppingClock clock;
    platform::SetClock(&clock);
    tmTimer::Create();
    harness::WorkFolder folder;
    gfx::NullDevice dev;
    tmRenderSetting s;
    s.sceneTargetWidth = s.shadowMapSize = 32;
    tmRender* r = tmRender::Create();
    ASSERT_TRUE(r->Initialize(&dev, s));
    tmTimer::GetInstance()->StartLap(1);

    auto frame = [&](uint64_t micros) {
        clock.Advance(micros - 100);  // the lap read inside WaitFrame adds the last 0.1 ms
        const uint64_t slept = clock.Slept();
        r->WaitFrame();
        return clock.Slept() - slept;
    };
    EXPECT_EQ(frame(10200), 5000u);  // 16.67 - 10.2 - 1 = 5.47 -> Sleep(5)
    EXPECT_GE(r->GetMeasuredFrameTime(), 16.666668f);
    EXPECT_EQ(frame(16000), 0u);  // below one millisecond: spin only
    EXPECT_GE(r->GetMeasuredFrameTime(), 16.666668f);
    EXPECT_EQ(frame(20000), 0u);
    EXPECT_LT(r->GetMeasuredFrameTime(), 20.5f);  // no wait after a long frame
    for (int i = 3; i < 59; ++i) frame(20000);
    EXPECT_EQ(r->GetAverageFrameTime(), 0.0f);
    frame(20000);  // the 60th frame publishes the average
    EXPECT_NEAR(r->GetAverageFrameTime(), 19.7f, 0.3f);
    const float avg = r->GetAverageFrameTime();
    frame(10200);
    EXPECT_EQ(r->GetAverageFrameTime(), avg);

    r->SetFrameTimeIndex(9);  // out of range: clamped to the last row
    EXPECT_FLOAT_EQ(r->GetFrameTime(), 100.0f);
    r->SetFrameTimeIndex(-3);
    EXPECT_FLOAT_EQ(r->GetFrameTime(), 16.666668f);
    tmRender::Destroy();
    tmTimer::Destroy();
    platform::SetClock(nullptr);
}

TEST_F(RenderTest, ResourceCacheOutlivesResetsAndGoesWithTheRenderer) {
    ASSERT_TRUE(r->Initialize(&dev, settings));
    tmResourceHolder* cache = r->GetResourceHolder();
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(tmGetResourceHolder(), cache);
    ASSERT_EQ(r->ResetDevice(), gfx::Res::Ok);
    EXPECT_EQ(r->GetResourceHolder(), cache);
    tmRender::Destroy();
    r = tmRender::Create();
    EXPECT_EQ(tmGetResourceHolder(), nullptr);
}

TEST_F(RenderTest, SkyCubeBindsTheCubeSamplerAndStandsInForTheEnvironment) {
    settings.environmentMap = 0;
    ASSERT_TRUE(r->Initialize(&dev, settings));
    gfx::TextureDesc desc;
    desc.width = desc.height = 8;
    desc.cube = true;
    sys::tmCubeTexture sky;
    sky.SetTexture(dev.createTexture(desc));
    r->SetSampler9CubeTexture(&sky);
    EXPECT_EQ(dev.boundTexture(9), sky.GetTexture());
    r->Render();
    EXPECT_EQ(dev.boundTexture(8), sky.GetTexture());
    // Unbinding leaves both samplers empty at the next frame.
    r->SetSampler9CubeTexture(nullptr);
    EXPECT_EQ(dev.boundTexture(9), gfx::Texture{});
    r->Render();
    EXPECT_EQ(dev.boundTexture(8), gfx::Texture{});
    sky.SetTexture(gfx::Texture{});
}

// A sky cube released while still bound (a screen that forgot to unbind it) leaves
// the renderer only a stale device handle: the next frames draw without touching it.
TEST_F(RenderTest, ASkyCubeReleasedWhileBoundIsNeverReadAgain) {
    ASSERT_TRUE(r->Initialize(&dev, settings));
    gfx::TextureDesc desc;
    desc.width = desc.height = 8;
    desc.cube = true;
    auto sky = std::make_unique<sys::tmCubeTexture>();
    const gfx::Texture handle = dev.createTexture(desc);
    sky->SetTexture(handle);
    r->SetSampler9CubeTexture(sky.get());
    sky->SetTexture(gfx::Texture{});
    sky.reset();
    dev.releaseTexture(handle);
    // Under the address sanitizer, a read of the freed cube would fail these frames.
    r->Render();
    r->Render();
    // Unbound, the environment sampler gets the renderer's own cube again.
    r->SetSampler9CubeTexture(nullptr);
    r->Render();
    EXPECT_TRUE(dev.boundTexture(8));
    EXPECT_NE(dev.boundTexture(8), handle);
}

// The simple frame is the software rasteriser's: stage 0 is sampled trilinearly, never anisotropically
// (llvmpipe's anisotropic footprint grows without bound for nearly edge-on triangles near the camera, and a
// machine pinned against a wall kept one tile busy for seconds). A non-finite matrix given at the seam is
// dropped: a model placed by it is not queued, a camera keeps its last good matrix.
TEST_F(RenderTest, SimplePathSamplesTrilinearlyAndTheSeamDropsNonFiniteMatrices) {
    sm3 = false;
    ASSERT_TRUE(r->Initialize(&dev, settings));
    const std::string trilinear = "setSamplerFilter 0 " + std::to_string(unsigned(gfx::Filter::Linear)) + " " +
                                  std::to_string(unsigned(gfx::Filter::Linear)) + " " +
                                  std::to_string(unsigned(gfx::Filter::Linear)) + " 1";
    dev.log.clear();
    r->Render();
    std::string last;
    for (const std::string& line : dev.log)
        if (line.rfind("setSamplerFilter 0 ", 0) == 0) last = line;
    EXPECT_EQ(last, trilinear);

    D3DXMATRIX bad;
    D3DXMatrixIdentity(&bad);
    bad._42 = std::numeric_limits<float>::quiet_NaN();
    D3DXMATRIX good;
    D3DXMatrixTranslation(&good, 1, 2, 3);
    r->SetViewMatrix(good);
    r->SetViewMatrix(bad);
    bad._42 = std::numeric_limits<float>::infinity();
    r->SetWorldMatrix(bad);
    EXPECT_LT(r->DrawModel(1, 0, 0), 0);
    EXPECT_EQ(r->GetQueue()->GetLayerCount(0), 0);
    EXPECT_EQ(r->GetDroppedMatrices(), 2u);
    EXPECT_EQ(r->GetQueue()->GetView()._42, 2.0f);  // the last good view
    r->SetWorldMatrix(good);
    EXPECT_GE(r->DrawModel(1, 0, 0), 0);
}
