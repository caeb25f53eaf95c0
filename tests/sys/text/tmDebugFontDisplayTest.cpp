// tmDebugFontDisplayTest.cpp -- screenshots of debug text drawn through the OpenGL device.
#include <gtest/gtest.h>

#include "harness/GlFixture.h"
#include "platform/gfx/Device.h"
#include "sys/gfx/tmDevice.h"
#include "sys/text/tmDxFont.h"

namespace {

class DebugTextScreenTest : public harness::GlFixture {
protected:
    static constexpr int kW = 128, kH = 64;
    DebugTextScreenTest() : GlFixture({kW, kH}) {}
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        tmSetDevice(dev.get());
    }
    void TearDown() override {
        tmDxFont::Destroy();
        tmGlyphFont::SetBackend(platform::GlyphBackend::System);
        tmSetDevice(nullptr);
        GlFixture::TearDown();
    }
    // Lit pixels inside and outside a rectangle.
    void CountLit(int left, int top, int right, int bottom, int* inside, int* outside) {
        *inside = *outside = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                if (Pixel(x, y) == 0) continue;
                const bool in = x >= left && x < right && y >= top && y < bottom;
                ++*(in ? inside : outside);
            }
    }
};

}  // namespace

TEST_F(DebugTextScreenTest, BuiltinGlyphLandsOnItsPixelsInTheLineColour) {
    tmGlyphFont::SetBackend(platform::GlyphBackend::Builtin);
    ASSERT_EQ(tmDxFont::Create(16, false), 0);
    tmDxFont* font = tmDxFont::GetInstance();
    font->SetPositionRaw(10, 10);
    font->SetColor(0xFFFF0000);
    font->DrawText("H");
    tmDxFont::Draw();
    Shoot();
    // 'H' at 16 pixels: 5 x 14 from (10, 10); its rows are two pixels high.
    EXPECT_EQ(Pixel(10, 10), 0xFF0000u);
    EXPECT_EQ(Pixel(14, 10), 0xFF0000u);
    EXPECT_EQ(Pixel(12, 10), 0u);
    EXPECT_EQ(Pixel(12, 16), 0xFF0000u);  // the bar, fourth cell row
    EXPECT_EQ(Pixel(10, 23), 0xFF0000u);
    int inside = 0, outside = 0;
    CountLit(10, 10, 15, 24, &inside, &outside);
    EXPECT_EQ(inside, 2 * (2 * 7) + 3 * 2);
    EXPECT_EQ(outside, 0);
}

TEST_F(DebugTextScreenTest, SystemFontTextStaysInsideItsLineBoxAndBlends) {
    tmGlyphFont::SetBackend(platform::GlyphBackend::System);
    ASSERT_EQ(tmDxFont::Create(16, false), 0);
    tmDxFont* font = tmDxFont::GetInstance();
    font->SetPositionRaw(4, 20);
    font->DrawText("既にOK");  // six bytes: a box of 6 x 9 pixels by 16
    tmDxFont::Draw();
    Shoot();
    int inside = 0, outside = 0;
    CountLit(4, 20, 4 + 54, 36, &inside, &outside);
    EXPECT_GT(inside, 40);
    EXPECT_EQ(outside, 0);
    // Half-transparent text blends over what is there.
    dev->clear(gfx::ClearFlag::Target, 0xFF000000, 1.0f, 0);
    font->SetPositionRaw(4, 20);
    font->SetColor(0x80FFFFFF);
    font->DrawText("既にOK");
    tmDxFont::Draw();
    Shoot();
    uint32_t brightest = 0;
    for (int y = 20; y < 36; ++y)
        for (int x = 4; x < 58; ++x) brightest = std::max(brightest, Pixel(x, y) & 0xFF);
    EXPECT_GT(brightest, 0x60u);
    EXPECT_LT(brightest, 0xA0u);
}
