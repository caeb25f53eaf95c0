// TestModelsMultiPassDisplayTest.cpp -- the model test screens on the multi-pass frame with the shader bank: the
// test block reflects the test cube, as it does on a machine with a graphics card.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "harness/GlFixture.h"
#include "platform/input/InputDevices.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "table/yiResourceGroup.h"
#include "test/tmSeqTest01.h"
#include "test/tmSeqTest03.h"

namespace {

constexpr int kWidth = 960, kHeight = 540;

// The renderer's multi-pass frame (environment map on) over the fixture's
// OpenGL device, in the test's own folder with the build's data linked in,
// scripted keys behind the input service.
class TestModelsShot : public harness::GlFixture {
protected:
    TestModelsShot() : GlFixture(harness::GlSetup(0, 0, true, true)) {}
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        yiResourceGroup::ResetState();
        tmRenderSetting s;
        s.width = kWidth;
        s.height = kHeight;
        s.sceneTargetWidth = 1024;
        s.sceneTargetHeight = 512;
        s.shadowMapSize = 256;
        s.cubeTargetSize = 64;
        s.environmentMap = 1;  // nothing drawn into the cube faces: the test cube is the environment
        s.gammaReport = 0;
        r = tmRender::Create();
        ASSERT_TRUE(r->Initialize(dev.get(), s));
        if (!r->GetShader() || !r->GetShader()->SupportsShaderModel3()) GTEST_SKIP() << "no shader path";
        tmPeripheral::Create();
        ASSERT_EQ(tmPeripheral::GetInstance()->Init(&keys, true), 0);
    }
    void TearDown() override {
        if (screen) screen->Term();
        screen.reset();
        tmPeripheral::Destroy();
        if (r) tmRender::Destroy();
        yiResourceGroup::ResetState();
        GlFixture::TearDown();
    }
    void Step(int key = 0) {
        if (key) keys.SetKey(key, true);
        tmPeripheral* in = tmPeripheral::GetInstance();
        in->Update();
        screen->Update();
        in->StorePrevious();
        if (key) keys.SetKey(key, false);
    }
    void Frame() {
        screen->Draw();
        r->Render();
        ForgetShot();
        Shoot();
    }
    template <class F>
    int Count(int x0, int y0, int x1, int y1, F pred) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += pred(Pixel(x, y));
        return n;
    }

    tmRender* r = nullptr;
    platform::ScriptedInput keys;
    std::unique_ptr<tmTestScreen> screen;
};

bool SkyBlue(uint32_t p) {
    const int red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF, blue = p & 0xFF;
    return blue > red + 25 && blue > 90 && green > red;
}
bool Grey(uint32_t p) {
    const int red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF, blue = p & 0xFF;
    return std::max({red, green, blue}) - std::min({red, green, blue}) < 12 && red > 60;
}

}  // namespace

TEST_F(TestModelsShot, TheTestBlockReflectsTheTestCubeAndTurnsWithTheMouse) {
    screen = std::make_unique<tmSeqTest03>();
    screen->Init();
    ASSERT_NE(static_cast<tmSeqTest03*>(screen.get())->GetScene().GetCube(), nullptr) << "the cube texture loads";
    Step();
    Frame();
    // The block in the middle; its chrome shows the sky of the cube, not a flat grey.
    const int cx = kWidth / 2, cy = kHeight / 2, half = kHeight / 4;
    const int block = Count(cx - half, cy - half, cx + half, cy + half, [](uint32_t p) { return p != 0; });
    EXPECT_GT(block, half * half * 2);
    EXPECT_GT(Count(cx - half, cy - half, cx + half, cy + half, SkyBlue), 600) << "no reflection of the cube's sky";
    EXPECT_EQ(Count(0, 0, kWidth, 40, [](uint32_t p) { return p != 0; }), 0) << "the clear above the block";

    // Dragging turns it: another picture of the same block.
    std::vector<uint32_t> before;
    for (int y = cy - half; y < cy + half; y += 4)
        for (int x = cx - half; x < cx + half; x += 4) before.push_back(Pixel(x, y));
    keys.mouse.buttons[0] = 0x80;
    keys.mouse.dx = 80;
    keys.mouse.dy = 40;
    Step();
    keys.mouse = platform::MouseState{};
    Frame();
    int changed = 0;
    size_t i = 0;
    for (int y = cy - half; y < cy + half; y += 4)
        for (int x = cx - half; x < cx + half; x += 4) changed += Pixel(x, y) != before[i++];
    EXPECT_GT(changed, static_cast<int>(before.size()) / 5);
}

TEST_F(TestModelsShot, Test01ShowsItsModelsAndCellsOnTheShaderPath) {
    screen = std::make_unique<tmSeqTest01>();
    screen->Init();
    for (int i = 0; i < 40; ++i) Step();
    Frame();
    // Three models across the middle band, each in its third.
    for (int third = 0; third < 3; ++third) {
        const int x0 = kWidth / 8 + third * kWidth / 4;
        EXPECT_GT(Count(x0, kHeight / 4, x0 + kWidth / 4, kHeight * 2 / 3, [](uint32_t p) { return p != 0; }), 3000)
            << third;
    }
    EXPECT_GT(Count(kWidth / 8, kHeight / 4, kWidth * 7 / 8, kHeight * 2 / 3, SkyBlue), 100) << "the block's chrome";
    EXPECT_LT(Count(kWidth / 8, kHeight / 4, kWidth * 7 / 8, kHeight * 2 / 3, Grey), 20000);
}
