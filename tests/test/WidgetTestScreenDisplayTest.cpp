// WidgetTestScreenDisplayTest.cpp -- screenshots of the widget test screen drawn through the OpenGL device.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "harness/GlFixture.h"
#include "lobby/LobbyTestSupport.h"
#include "lobby/TextTexture.h"
#include "lobby/TextTextureFont.h"
#include "platform/input/InputDevices.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/text/tmFontFace.h"
#include "test/ggSeqTest01.h"

namespace {

// Text through the renderer's sampler is softened by the software rasteriser:
// a lit texel may spread over its neighbours, keeping a quarter of its brightness.
bool Inked(uint32_t rgb) { return ((rgb >> 16) & 0xFF) > 0x30 && ((rgb >> 8) & 0xFF) > 0x30 && (rgb & 0xFF) > 0x30; }

// Where texel (0, 0) of the centred 256 x 32 text lands on the 1366 x 768 back buffer.
constexpr int kLeft = 556, kTop = 369;

// The screen on a 1366 x 768 renderer over the fixture's OpenGL device, in
// the test's own folder with the build's data/ linked in (the lobby sheet
// loads from it), with scripted keys behind the input service.
class WidgetTestShot : public harness::GlFixture {
protected:
    WidgetTestShot() : GlFixture(harness::GlSetup(0, 0, false, true)) {}
    void TearDown() override {
        if (screen) screen->Term();
        screen.reset();
        tmPeripheral::Destroy();
        tmFontFace::UseBuiltinGlyphs(false);
        if (r) tmRender::Destroy();
        GlFixture::TearDown();
    }
    // False (the test returns) when there is no OpenGL.
    bool Start() {
        if (IsSkipped() || HasFatalFailure()) return false;
        r = tmRender::Create();
        r->SetShaderFactory([](gfx::Device*) { return std::unique_ptr<tmShaderManager>(); });
        if (!r->Initialize(dev.get(), lobbytest::SmallRenderSetting(1366, 768))) {
            ADD_FAILURE() << "the renderer cannot start";
            return false;
        }
        tmPeripheral::Create();
        if (tmPeripheral::GetInstance()->Init(&keys, true) != 0) {
            ADD_FAILURE() << "no input service";
            return false;
        }
        screen = std::make_unique<ggSeqTest01>();
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
        dev->setRenderTarget(dev->backBuffer());
        dev->clear(gfx::ClearFlag::Target | gfx::ClearFlag::ZBuffer, 0xFF000000u, 1.0f, 0);
        r->Render();
        Shoot();
    }
    template <class F>
    int Count(int x0, int y0, int w, int h, F f) {
        int n = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) n += f(Pixel(x, y));
        return n;
    }
    // Every lit texel shows on its pixel, and pixels with no lit texel around them stay the black clear.
    void ExpectTextureOnScreen() {
        const g2ui::TextTexture& t = *screen->GetTextTexture();
        auto on = [&](int x, int y) { return x >= 0 && y >= 0 && x < 256 && y < 32 && (t.GetPixel(x, y) >> 24); };
        int lit = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 256; ++x) {
                const uint32_t p = Pixel(kLeft + x, kTop + y);
                if (on(x, y)) {
                    ++lit;
                    ASSERT_GT(p & 0xFF, 0x10u) << x << "," << y;
                    continue;
                }
                bool near = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) near |= on(x + dx, y + dy);
                if (!near) {
                    ASSERT_EQ(p, 0u) << x << "," << y;
                }
            }
        EXPECT_GT(lit, 20);
    }

    tmRender* r = nullptr;
    platform::ScriptedInput keys;
    std::unique_ptr<ggSeqTest01> screen;
};

}  // namespace

TEST_F(WidgetTestShot, LatinTextThenFullWidthJapaneseThroughTheReRenderKeys) {
    tmFontFace::UseBuiltinGlyphs(false);
    if (g2ui::TextTextureFont("ＭＳ ゴシック", 14, 400, 0).IsBuiltin()) GTEST_SKIP() << "no system font";
    if (!Start()) return;
    ASSERT_EQ(Step(), 0);
    Frame();
    // "aaaBBB" in the middle of the screen: six 7-pixel cells, and nothing else anywhere.
    EXPECT_EQ(screen->GetTextTexture()->penX, 42);
    ExpectTextureOnScreen();
    EXPECT_GT(Count(kLeft, kTop, 42, 16, Inked), 40);
    EXPECT_EQ(Count(0, 0, 1366, kTop - 2, [](uint32_t p) { return p != 0; }), 0) << "above the text";
    EXPECT_EQ(Count(kLeft + 44, kTop, 256, 32, [](uint32_t p) { return p != 0; }), 0) << "right of the text";
    // The first a and the first B differ.
    EXPECT_NE(Count(kLeft, kTop, 7, 14, Inked), 0);
    EXPECT_NE(Count(kLeft + 21, kTop, 7, 14, Inked), 0);

    ASSERT_EQ(Step(tmKey::kNumpad0), 0);
    ASSERT_EQ(Step(tmKey::kNumpad2), 0);
    Frame();
    const g2ui::TextTexture& t = *screen->GetTextTexture();
    EXPECT_EQ(t.penX, 84);  // six double-byte characters, two cells each
    ExpectTextureOnScreen();
    // Six distinct glyphs of the system face, none blank and none a box: not the same picture twice.
    std::set<std::vector<bool>> shapes;
    for (int c = 0; c < 6; ++c) {
        std::vector<bool> cell;
        int on = 0;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x) {
                const bool lit = Inked(Pixel(kLeft + c * 14 + x, kTop + y));
                cell.push_back(lit);
                on += lit;
            }
        EXPECT_GT(on, 8) << c;
        EXPECT_LT(on, 14 * 14 / 2) << c << ": a filled box";
        shapes.insert(cell);
    }
    EXPECT_EQ(shapes.size(), 6u);
    // The zeros of the step before are gone: nothing right of the new text.
    EXPECT_EQ(Count(kLeft + 86, kTop, 256 - 86, 32, [](uint32_t p) { return p != 0; }), 0);

    EXPECT_EQ(Step(tmKey::kEscape), kSeqDebugMenu);
}
