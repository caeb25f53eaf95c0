// tmDebugFontTest.cpp -- the debug text queue, the debug font's frame and the console grid.
#include <gtest/gtest.h>

#include <string>

#include "platform/gfx/NullDevice.h"
#include "sys/gfx/tmDevice.h"
#include "sys/gfx/tmRenderSetting.h"
#include "sys/text/tmConsole.h"
#include "sys/text/tmDebugFont.h"
#include "sys/text/tmDxFont.h"
#include "sys/text/tmTextSprite.h"

namespace {

class DebugTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        tmGlyphFont::SetBackend(platform::GlyphBackend::Builtin);
        tmSetDevice(&dev);
        tmRenderSetting& s = tmGetCurrentRenderSetting();
        saved = s;
        s.width = 1366;
        s.height = 768;
        tmSetLayoutFromScreen(1366, 768);
    }
    void TearDown() override {
        tmDxFont::Destroy();
        tmConsole::Destroy();
        tmSetDevice(nullptr);
        tmGetCurrentRenderSetting() = saved;
        tmSetLayoutFromScreen(saved.width, saved.height);
    }
    gfx::NullDevice dev;
    tmRenderSetting saved;
};

}  // namespace

TEST_F(DebugTextTest, QueueDropsThe101stLineAndStopsBeforeTheTextCapacity) {
    tmDebugFont font;
    ASSERT_EQ(font.Create(&dev, 16, 6564, 100), 0);
    for (int i = 0; i < 101; ++i) font.DrawText("x");
    EXPECT_EQ(font.GetEntryCount(), 100);
    EXPECT_EQ(font.GetTextUsed(), 200);

    tmDebugFont bytes;
    ASSERT_EQ(bytes.Create(&dev, 16, 6564, 100), 0);
    const std::string line(99, 'a');  // 100 bytes with its NUL
    for (int i = 0; i < 65; ++i) bytes.DrawText(line.c_str());
    EXPECT_EQ(bytes.GetTextUsed(), 6500);
    // 6500 + 63 + 1 reaches 6564: dropped; one byte less still fits.
    bytes.DrawText(std::string(63, 'b').c_str());
    EXPECT_EQ(bytes.GetTextUsed(), 6500);
    bytes.DrawText(std::string(62, 'b').c_str());
    EXPECT_EQ(bytes.GetTextUsed(), 6563);
    EXPECT_EQ(bytes.GetEntryCount(), 66);
    EXPECT_STREQ(bytes.GetEntry(65)->text, std::string(62, 'b').c_str());
}

TEST_F(DebugTextTest, EmptyLineCostsOneEntryAndOneByteAndFlushResetsPenAndColour) {
    tmDebugFont font;
    ASSERT_EQ(font.Create(&dev, 20, 100, 10), 0);
    font.SetPositionRaw(30, 40);
    font.SetColor(0x80FF0000);
    font.DrawText("");
    ASSERT_EQ(font.GetEntryCount(), 1);
    EXPECT_EQ(font.GetTextUsed(), 1);
    font.DrawText("abc");
    const tmDebugFont::Entry* e = font.GetEntry(1);
    ASSERT_NE(e, nullptr);
    // The pen does not move; the box is (height / 2 + 1) pixels per character.
    EXPECT_EQ(e->rect.left, 30);
    EXPECT_EQ(e->rect.top, 40);
    EXPECT_EQ(e->rect.right, 30 + 11 * 3);
    EXPECT_EQ(e->rect.bottom, 60);
    EXPECT_EQ(e->colour, 0x80FF0000u);

    tmTextSprite sprite(&dev);
    sprite.Begin();
    font.Flush(&sprite);
    EXPECT_EQ(sprite.GetQuadCount(), 3);
    sprite.End();
    EXPECT_EQ(font.GetEntryCount(), 0);
    EXPECT_EQ(font.GetTextUsed(), 0);
    EXPECT_EQ(font.GetPenX(), 0);
    EXPECT_EQ(font.GetPenY(), 0);
    EXPECT_EQ(font.GetColor(), 0xFFFFFFFFu);
}

TEST_F(DebugTextTest, CreateReplacesBadSizesAndAFailedCreateDropsEverything) {
    tmDebugFont font;
    ASSERT_EQ(font.Create(&dev, 0, 0, 0), 0);
    EXPECT_EQ(font.GetHeight(), 16);
    EXPECT_EQ(font.GetTextCapacity(), 16);
    EXPECT_EQ(font.GetEntryCapacity(), 1);

    tmDebugFont none;
    EXPECT_EQ(none.Create(nullptr, 16, 100, 10), static_cast<int32_t>(0x80004005u));
    none.DrawText("lost");
    EXPECT_EQ(none.GetEntryCount(), 0);

    tmDebugFont noTexture;
    dev.failTexture = [](const gfx::TextureDesc&) { return true; };
    EXPECT_EQ(noTexture.Create(&dev, 16, 100, 10), static_cast<int32_t>(0x80004005u));
    EXPECT_FALSE(noTexture.HasFont());
    EXPECT_EQ(noTexture.GetEntryCapacity(), 0);
}

TEST_F(DebugTextTest, LayoutPositionsMapIntoTheCentredArea) {
    tmDebugFont font;
    ASSERT_EQ(font.Create(&dev, 16, 100, 10), 0);
    // 1366 x 768: offset 171, scale 1.
    font.SetPosition(100.7f, 50.2f);
    EXPECT_EQ(font.GetPenX(), 271);
    EXPECT_EQ(font.GetPenY(), 50);
    tmSetLayoutFromScreen(1024, 384);
    font.SetPosition(100.0f, 50.0f);
    EXPECT_EQ(font.GetPenX(), 306);  // 100 x 0.5 + 256
    EXPECT_EQ(font.GetPenY(), 25);
}

TEST_F(DebugTextTest, DxFontDrawsOneBlendedBatchAndSurvivesAReset) {
    ASSERT_EQ(tmDxFont::GetInstance(), nullptr);
    ASSERT_EQ(tmDxFont::Create(16, false), 0);
    tmDxFont* font = tmDxFont::GetInstance();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetEntryCapacity(), 100);
    EXPECT_EQ(font->GetTextCapacity(), 6564);
    const gfx::Texture atlas = font->GetFont()->GetTexture();
    ASSERT_TRUE(atlas);

    font->SetPositionRaw(8, 8);
    font->DrawText("AB");
    font->DrawText("C");
    dev.draws.clear();
    tmDxFont::Draw();
    ASSERT_EQ(dev.draws.size(), 1u);
    EXPECT_EQ(dev.draws[0].count, 6u);  // three glyphs, two triangles each
    EXPECT_EQ(dev.draws[0].layout, 1);
    EXPECT_EQ(dev.draws[0].texture0, atlas);
    EXPECT_EQ(font->GetEntryCount(), 0);
    // Render states come back as they were.
    EXPECT_EQ(dev.getState(gfx::State::AlphaBlendEnable), 0u);

    // Lost: the texture goes; reset: a new one, and drawing works again.
    const int live = dev.liveTextures();
    tmDxFont::OnLostDevice();
    EXPECT_EQ(dev.liveTextures(), live - 1);
    tmDxFont::OnResetDevice();
    EXPECT_EQ(dev.liveTextures(), live);
    font->DrawText("A");
    dev.draws.clear();
    tmDxFont::Draw();
    ASSERT_EQ(dev.draws.size(), 1u);
    EXPECT_TRUE(dev.draws[0].texture0);

    // Scaled to the screen: 32 x 0.5 at 384 lines high.
    tmSetLayoutFromScreen(1024, 384);
    ASSERT_EQ(tmDxFont::Create(32, true), 0);
    EXPECT_EQ(tmDxFont::GetInstance()->GetHeight(), 16);
    tmDxFont::Destroy();
    EXPECT_EQ(tmDxFont::GetInstance(), nullptr);
    EXPECT_EQ(dev.liveTextures(), live - 1);
}

TEST_F(DebugTextTest, TextIsClippedToItsLineBox) {
    tmDebugFont font;
    ASSERT_EQ(font.Create(&dev, 16, 1000, 10), 0);
    // A full-width character is two bytes: its box (2 x 9 pixels) holds its 16-pixel glyph.
    font.DrawText("既");
    // A line break goes below the box and is cut off.
    font.DrawText("A\nB");
    tmTextSprite sprite(&dev);
    sprite.Begin();
    font.Flush(&sprite);
    EXPECT_EQ(sprite.GetQuadCount(), 2);
    sprite.End();
}

TEST_F(DebugTextTest, ConsoleCursorCountsFromFourCorners) {
    tmConsole::Create();
    tmConsole* c = tmConsole::GetInstance();
    ASSERT_NE(c, nullptr);
    struct Case {
        int corner, x, y;
        bool right;
    };
    // Column 12, row 5 on 1366 x 768.
    const Case cases[] = {
        {0, 72, 60, false}, {1, 72, 768 - 72, false}, {2, 1366 - 72, 60, true}, {3, 1366 - 72, 768 - 72, true}};
    for (const Case& k : cases) {
        tmConsole::SetCursor(12, 5, k.corner);
        EXPECT_EQ(c->GetPenX(), k.x) << "corner " << k.corner;
        EXPECT_EQ(c->GetPenY(), k.y) << "corner " << k.corner;
        EXPECT_EQ(c->IsRightAligned(), k.right) << "corner " << k.corner;
    }
    // Another corner: pen at the origin, alignment kept.
    tmConsole::SetCursor(12, 5, 7);
    EXPECT_EQ(c->GetPenX(), 0);
    EXPECT_EQ(c->GetPenY(), 0);
    EXPECT_TRUE(c->IsRightAligned());
    // Without a font every line is dropped.
    tmConsole::Printf("Sound ( Run:%4d )", 3);
    EXPECT_EQ(c->GetEntryCount(), 0);
}

TEST_F(DebugTextTest, ConsolePrintfAlignsAndBoundsItsText) {
    tmConsole::Create();
    tmConsole* c = tmConsole::GetInstance();
    ASSERT_EQ(c->tmDebugFont::Create(&dev, 12, 9000, 10), 0);
    tmConsole::SetColor(0xFF00FF00);
    tmConsole::SetCursor(10, 0, 2);
    tmConsole::Printf("%d-%s", 42, "ab");
    ASSERT_EQ(c->GetEntryCount(), 1);
    EXPECT_STREQ(c->GetEntry(0)->text, "42-ab");
    EXPECT_EQ(c->GetEntry(0)->rect.left, 1366 - 60 - 5 * 6);  // ends at the pen
    EXPECT_EQ(c->GetEntry(0)->colour, 0xFF00FF00u);
    EXPECT_EQ(c->GetPenX(), 1366 - 60);

    tmConsole::SetCursor(0, 0, 0);
    const std::string huge(5000, 'z');
    tmConsole::Printf("%s", huge.c_str());
    ASSERT_EQ(c->GetEntryCount(), 2);
    EXPECT_EQ(c->GetEntry(1)->length, 4095);
    EXPECT_EQ(c->GetEntry(1)->rect.left, 0);
}
