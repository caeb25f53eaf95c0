// ViewerDisplayTest.cpp -- screenshots of the course viewer and the race display viewer drawn through OpenGL.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "app/tmConfig.h"
#include "harness/GlFixture.h"
#include "harness/TestRenderSetting.h"
#include "menu/tmMenuFlow.h"
#include "platform/input/InputDevices.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmRender.h"
#include "sys/text/tmDxFont.h"
#include "table/yiResourceGroup.h"
#include "test/tmSeqCourseViewer.h"
#include "test/tmSeqFrontendViewer.h"

namespace {

constexpr int kW = 1366;
constexpr int kH = 768;

// A viewer screen on a 1366 x 768 renderer (multi-pass frame) over the
// fixture's device, in the test's own folder with the build's data linked in,
// with scripted keys behind the input service.
class ViewerShot : public harness::GlFixture {
protected:
    ViewerShot() : GlFixture(harness::GlSetup(0, 0, true, true)) {}
    void TearDown() override {
        if (screen) screen->Term();
        screen.reset();
        tmPeripheral::Destroy();
        tmDxFont::Destroy();
        if (r) tmRender::Destroy();
        yiResourceGroup::ResetState();
        tmMenuFlow::SetDebugParameter(0);
        tmConfig::GetInstance().SetGameFlag3(flag3_);
        GlFixture::TearDown();
    }
    // False (the test returns) when there is no OpenGL.
    bool Start(std::unique_ptr<tmSequence> s) {
        if (IsSkipped() || HasFatalFailure()) return false;
        flag3_ = tmConfig::GetInstance().GetGameFlag3();
        r = tmRender::Create();
        if (!r->Initialize(dev.get(), harness::TestRenderSetting(kW, kH, 16))) {
            ADD_FAILURE() << "the renderer cannot start";
            return false;
        }
        yiResourceGroup::ResetState();
        tmPeripheral::Create();
        if (tmPeripheral::GetInstance()->Init(&keys, true) != 0) {
            ADD_FAILURE() << "no input service";
            return false;
        }
        screen = std::move(s);
        screen->Init();
        return true;
    }
    // One logic step with the key held (0: none), as the main loop runs it.
    int Step(int key = 0) {
        if (key) keys.SetKey(key, true);
        tmPeripheral* in = tmPeripheral::GetInstance();
        in->Update();
        const int next = screen->Update();
        in->StorePrevious();
        if (key) keys.SetKey(key, false);
        return next;
    }
    // One drawn frame, then the shot.
    void Frame() {
        screen->Draw();
        r->Render();
        Shoot();
    }
    // Distinct colours over a grid of the shot.
    int Variety() {
        std::set<uint32_t> colours;
        for (int y = 4; y < kH; y += 8)
            for (int x = 4; x < kW; x += 8) colours.insert(Pixel(x, y) & 0xF0F0F0u);
        return static_cast<int>(colours.size());
    }
    // Share of a box's pixels (every 2nd) that differ from `rgb` by more than a little.
    float Covered(int x0, int y0, int x1, int y1, uint32_t rgb) {
        int n = 0, all = 0;
        for (int y = y0; y < y1; y += 2)
            for (int x = x0; x < x1; x += 2) {
                const uint32_t p = Pixel(x, y);
                const int d =
                    std::abs(Red(p) - Red(rgb)) + std::abs(Green(p) - Green(rgb)) + std::abs(Blue(p) - Blue(rgb));
                n += d > 24;
                ++all;
            }
        return all ? static_cast<float>(n) / static_cast<float>(all) : 0.0f;
    }

    tmRender* r = nullptr;
    platform::ScriptedInput keys;
    std::unique_ptr<tmSequence> screen;
    uint8_t flag3_ = 0;
};

}  // namespace

TEST_F(ViewerShot, CourseViewerShowsTheYardOverTheBackgroundColours) {
    if (!Start(std::make_unique<tmSeqCourseViewer>())) return;
    for (int i = 0; i < 150; ++i) ASSERT_EQ(Step(), 0);  // the balloon fading in, the billboard fading out
    Frame();
    EXPECT_GT(Variety(), 20) << "the yard looks blank";
    // The yard fills the middle; the top corners show the black background.
    EXPECT_GT(Covered(kW / 2 - 300, kH / 2 - 150, kW / 2 + 300, kH / 2 + 200, 0x000000u), 0.5f);
    EXPECT_LT(Red(Pixel(8, 8)) + Green(Pixel(8, 8)) + Blue(Pixel(8, 8)), 30);
    // B: the background turns red, then green; the yard stays.
    // The picture's tone curve keeps a full channel a little below 255.
    ASSERT_EQ(Step(tmKey::kB), 0);
    Frame();
    EXPECT_GT(Red(Pixel(8, 8)), 150);
    EXPECT_LT(Green(Pixel(8, 8)) + Blue(Pixel(8, 8)), 40);
    EXPECT_GT(Red(Pixel(kW - 8, 8)), 150);
    const uint32_t red = Pixel(8, 8);
    EXPECT_GT(Covered(kW / 2 - 300, kH / 2 - 150, kW / 2 + 300, kH / 2 + 200, red), 0.5f);
    Step();
    ASSERT_EQ(Step(tmKey::kB), 0);
    Frame();
    EXPECT_GT(Green(Pixel(8, 8)), 150);
    EXPECT_LT(Red(Pixel(8, 8)) + Blue(Pixel(8, 8)), 40);
    // The fixed camera looks at the yard from its side.
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(Step(tmKey::kP), 0);
        Step();
    }
    Frame();
    EXPECT_GT(Variety(), 20);
    EXPECT_EQ(Step(tmKey::kEscape), kSeqDebugMenu);
}

TEST_F(ViewerShot, RaceDisplayViewerDrawsTheCockpitAndItsValues) {
    tmMenuFlow::SetDebugParameter(0);  // machine 1
    tmConfig::GetInstance().SetGameFlag3(1);
    if (!Start(std::make_unique<tmSeqFrontendViewer>())) return;
    r->SetViewFlags(true, false);  // as the main loop sets them from the options
    for (int i = 0; i < 30; ++i) Step();
    Frame();
    EXPECT_GT(Variety(), 12) << "the display looks blank";
    // The cockpit stands in the bottom right corner, the rank and lap counter top left.
    EXPECT_GT(Covered(1040, 480, 1340, 740, 0x000000u), 0.15f);
    EXPECT_GT(Covered(30, 30, 320, 120, 0x000000u), 0.2f);
    // The player's marker of the mini map in the second view's picture, bottom left.
    int marker = 0;
    for (int y = 520; y < 748; ++y)
        for (int x = 20; x < 260; ++x) {
            const uint32_t p = Pixel(x, y);
            marker += Red(p) > 150 && Green(p) > 120 && Blue(p) < 100;
        }
    EXPECT_GT(marker, 100);
    // More speed, revolutions and a higher gear change the cockpit's picture.
    std::vector<uint32_t> before;
    for (int y = 480; y < 740; y += 3)
        for (int x = 1040; x < 1340; x += 3) before.push_back(Pixel(x, y));
    for (int i = 0; i < 40; ++i) Step(tmKey::kF);
    for (int i = 0; i < 3; ++i) {
        Step(tmKey::kV);
        Step();
    }
    Frame();
    int changed = 0;
    size_t k = 0;
    for (int y = 480; y < 740; y += 3)
        for (int x = 1040; x < 1340; x += 3) changed += Pixel(x, y) != before[k++];
    EXPECT_GT(changed, 100);
    EXPECT_EQ(Step(tmKey::kEscape), kSeqDebugMenu);
}
