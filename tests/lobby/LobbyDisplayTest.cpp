// LobbyDisplayTest.cpp -- screenshots of lobby widgets and text drawn through the OpenGL device.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

#include "content_tables.h"
#include "harness/GlFixture.h"
#include "lobby/LineEdit.h"
#include "lobby/LobbyTestSupport.h"
#include "lobby/TextTexture.h"
#include "lobby/TextTextureFont.h"
#include "lobby/WidgetButton.h"
#include "lobby/WidgetDialog.h"
#include "lobby/WidgetRoot.h"
#include "lobby/WidgetScroll.h"
#include "lobby/WidgetSelector.h"
#include "lobby/WidgetText.h"
#include "lobby/ggSpriteManager.h"
#include "platform/input/TextInput.h"
#include "sys/input/tmTextInput.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/text/tmFontFace.h"

using g2ui::WidgetRoot;

namespace {

bool Bright(uint32_t rgb) { return ((rgb >> 16) & 0xFF) > 200 && ((rgb >> 8) & 0xFF) > 200 && (rgb & 0xFF) > 200; }
// Text through the renderer's anisotropic sampler is softened by the software rasteriser:
// a lit texel may spread over its neighbours, keeping a quarter of its brightness.
bool Inked(uint32_t rgb) { return ((rgb >> 16) & 0xFF) > 0x30 && ((rgb >> 8) & 0xFF) > 0x30 && (rgb & 0xFF) > 0x30; }
int Luma(uint32_t rgb) { return int((rgb >> 16) & 0xFF) * 3 + int((rgb >> 8) & 0xFF) * 6 + int(rgb & 0xFF); }

// A renderer on the shared screenshot fixture's OpenGL device, in the test's
// own folder with the build's data/ linked in (the lobby sheet loads from it).
class LobbyScreen : public harness::GlFixture {
protected:
    LobbyScreen() : GlFixture(harness::GlSetup(0, 0, false, true)) {}
    void TearDown() override {
        tmTextInput::SetDevice(nullptr);
        lobbytest::ResetToolkit();
        if (r) tmRender::Destroy();
        GlFixture::TearDown();
    }
    // False (the test returns) when there is no OpenGL.
    bool Start(int width, int height) {
        if (IsSkipped() || HasFatalFailure()) return false;
        r = tmRender::Create();
        r->SetShaderFactory([](gfx::Device*) { return std::unique_ptr<tmShaderManager>(); });
        if (!r->Initialize(dev.get(), lobbytest::SmallRenderSetting(width, height))) {
            ADD_FAILURE() << "the renderer cannot start";
            return false;
        }
        return true;
    }
    // One frame of its own (the renderer draws over what the target holds), then the shot.
    void Frame() {
        dev->setRenderTarget(dev->backBuffer());
        dev->clear(gfx::ClearFlag::Target | gfx::ClearFlag::ZBuffer, 0xFF000000u, 1.0f, 0);
        r->Render();
        Shoot();
    }
    // Pixels in a rectangle that satisfy a test.
    template <class F>
    int Count(int x0, int y0, int w, int h, F f) {
        int n = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) n += f(Pixel(x, y));
        return n;
    }
    tmRender* r = nullptr;
};

}  // namespace

TEST_F(LobbyScreen, AFrameWithAButtonASwitchASelectorAScrollBarAndText) {
    if (!Start(800, 480)) return;
    tmFontFace::UseBuiltinGlyphs(false);
    platform::ScriptedTextInput typing;
    tmTextInput::SetDevice(&typing);
    {
        g2lobby::ggSpriteManager sprites;
        ASSERT_TRUE(sprites.LoadSpriteSet(content::SPRG_LOBBY));
        g2ui::TextTextureFont font("ＭＳ ゴシック", 14, 400, 0);
        g2ui::LineEdit lineEdit;

        g2lobby::WidgetBackground bg(&sprites, 800, 480);
        WidgetRoot::GetBaseRoot()->AddChild(&bg);
        g2lobby::WidgetDialog dialog(&sprites, &font, "Sample", 616, 298);
        dialog.x = 92;
        dialog.y = 90;
        WidgetRoot::GetBaseRoot()->AddChild(&dialog);
        dialog.SetText(0, {308, 62}, "ロビーに接続しています");
        dialog.SetTextEx(1, {308, 96}, "ZARVO", &lineEdit, 16);
        dialog.AddButton(0, {200, 231}, content::SPR_LB_BT_OK_ON, content::SPR_LB_BT_OK_OFF, 16, 16);
        dialog.AddButton(1, {416, 231}, content::SPR_LB_BT_CANCEL_ON, content::SPR_LB_BT_CANCEL_OFF, 16, 16);
        dialog.GetButton(0)->pressed = true;
        // A switch pair, a course selector with its arrows and a scroll bar, all inside the dialog.
        g2ui::WidgetSwitchGroup group(&dialog);
        g2ui::WidgetSwitch all(&sprites, "SwAll", content::SPR_LB_SW_ALL_ON, content::SPR_LB_SW_ALL_OFF);
        g2ui::WidgetSwitch one(&sprites, "SwOne", content::SPR_LB_SW_ONE_ON, content::SPR_LB_SW_ONE_OFF);
        group.AddChild(&all);
        group.AddChild(&one);
        all.x = 190;
        all.y = 175;
        one.x = 310;
        one.y = 175;
        group.Select(1);
        g2ui::WidgetSelector course(
            &sprites, "Course",
            {content::SPR_LB_COURSE_BARCELONA, content::SPR_LB_COURSE_NISEKO, content::SPR_LB_COURSE_BERLIN});
        dialog.AddChild(&course);
        course.x = 113;
        course.y = 128;
        g2ui::WidgetButton left(&sprites, "CourseL", content::SPR_LB_ARROW_L_ON, content::SPR_LB_ARROW_L_OFF, -1);
        g2ui::WidgetButton right(&sprites, "CourseR", content::SPR_LB_ARROW_R_ON, content::SPR_LB_ARROW_R_OFF, -1);
        course.AddChild(&left);
        course.AddChild(&right);
        left.x = -33;
        right.x = 400;
        WidgetRoot::SendMessage(&course, g2ui::WDAction(&right, "BUTTON_DOWN"), true);
        g2lobby::WidgetScroll scroll(&sprites, 5, 150, 20, "Scroll");
        dialog.AddChild(&scroll);
        scroll.x = 580;
        scroll.y = 60;
        scroll.SetTotal(20);
        scroll.SetPosition(5);
        // Start editing the name row and type into it, so the field, its text and caret show.
        g2ui::WidgetText* name = dialog.GetRow(1);
        ASSERT_NE(name, nullptr);
        ASSERT_TRUE(name->SetEditable(true, true));
        typing.Type(" 2\xE5\x8F\xB7\xE6\xA9\x9F");  // " 2号機" as the input method sends it, in UTF-8
        g2ui::MouseInput idle;
        idle.x = idle.y = -10;
        WidgetRoot::ProcessInput(idle);
        ASSERT_EQ(lineEdit.GetText(), "ZARVO 2\x8D\x86\x8B\x40");

        WidgetRoot::DrawAll();
        sprites.Flush();
        Frame();

        const int dx = 92, dy = 90;
        // The frame's thin light edge over the darker panel and background.
        EXPECT_GT(Luma(Pixel(dx + 300, dy)), Luma(Pixel(dx + 300, dy + 60)));
        EXPECT_LT(Luma(Pixel(dx + 60, dy + 110)), 900) << "the panel is dark";
        // The white text row, centred on the dialog.
        const int rowX = dx + 308 - 11 * 14 / 2;
        EXPECT_GT(Count(rowX, dy + 62, 154, 16, Inked), 60);
        // The field being edited: a white background with dark glyphs on it.
        const int fieldX = dx + int(std::floor(308 - 16 * 7 * 0.5));
        EXPECT_TRUE(Bright(Pixel(fieldX + 100, dy + 97)));
        EXPECT_GT(Count(fieldX, dy + 96, 84, 14, [](uint32_t p) { return Luma(p) < 1200; }), 40);
        // Buttons: the pressed OK is teal, the normal cancel dark, both with captions.
        const uint32_t ok = Pixel(dx + 136 + 10, dy + 231 + 18);
        EXPECT_GT(int(ok & 0xFF), int((ok >> 16) & 0xFF) + 80) << std::hex << ok;
        EXPECT_GT(Count(dx + 352, dy + 231, 128, 36, Bright), 30);
        // The selected switch (the second) is the teal one.
        const uint32_t sw = Pixel(dx + 310 + 6, dy + 175 + 14);
        EXPECT_GT(int(sw & 0xFF), 150) << std::hex << sw;
        EXPECT_LT(Luma(Pixel(dx + 190 + 6, dy + 175 + 14)), Luma(sw));
        // The selector shows its second plate with a caption.
        EXPECT_EQ(course.GetValue(), 1);
        EXPECT_GT(Count(dx + 113, dy + 128, 390, 30, Bright), 40);
        // The scroll thumb: rows 5 to 9 of 20 on a 150-pixel bar: pixels 37.5 to 75.
        EXPECT_GT(Luma(Pixel(dx + 580 + 5, dy + 60 + 55)), 1800);
        EXPECT_LT(Luma(Pixel(dx + 580 + 5, dy + 60 + 20)), 1800);

        name->SetEditable(true, false);
        sprites.ReleaseAll();
    }
}

TEST_F(LobbyScreen, TextTextureReRenderedFromLatinToFullWidthJapanese) {
    if (!Start(1366, 768)) return;
    tmFontFace::UseBuiltinGlyphs(false);
    g2ui::TextTextureFont font("ＭＳ ゴシック", 14, 400, 0);
    if (font.IsBuiltin()) GTEST_SKIP() << "no system font";
    std::unique_ptr<g2ui::TextTexture> text(g2ui::TextTexture::Create("test_tt", 256, 32));
    g2lobby::ggSpriteManager sprites;
    ASSERT_TRUE(sprites.AddTextureSprite("test_text", "test_tt"));
    auto show = [&](const std::string& s) {
        text->Clear();
        text->penX = text->penY = 0;
        text->DrawString(&font, s);
        ASSERT_TRUE(text->Flush());
        sprites.Draw("test_text", 683, 384, 1, 0, 1, 1, 0, 4, nullptr);
        sprites.Flush();
        Frame();
        // Every texel lands on its pixel: lit texels show, and pixels with no lit texel
        // around them stay the black clear.
        auto on = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < 256 && y < 32 && (text->GetPixel(uint32_t(x), uint32_t(y)) >> 24) != 0;
        };
        int lit = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 256; ++x) {
                const uint32_t p = Pixel(556 + x, 369 + y);
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
    };
    show("aaaBBB");
    EXPECT_EQ(text->penX, 42);
    show("全角チェック");
    EXPECT_EQ(text->penX, 84);  // six double-byte characters, two cells each
    // Six distinct glyphs, none blank: not boxes, not empty.
    std::set<std::vector<bool>> shapes;
    for (int c = 0; c < 6; ++c) {
        std::vector<bool> cell;
        int on = 0;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x) {
                const bool lit = Inked(Pixel(556 + c * 14 + x, 369 + y));
                cell.push_back(lit);
                on += lit;
            }
        EXPECT_GT(on, 8) << c;
        shapes.insert(cell);
    }
    EXPECT_EQ(shapes.size(), 6u);
    // The earlier Latin text is gone: nothing lit right of the new text.
    EXPECT_EQ(Count(556 + 85, 369, 256 - 85, 32, [](uint32_t p) { return p != 0; }), 0);
    sprites.ReleaseAll();
}
