// tmNumberFontTest.cpp -- digit splitting, time layouts, strip and grid cells, right-anchored order, entrant rows.
#include "frontend/tmNumberFont.h"

#include <gtest/gtest.h>

#include <string>

#include "frontend/DrawLog.h"
#include "frontend/tmGaugeArray.h"
#include "frontend/tmSpriteSheet.h"

namespace {

constexpr char kStrip[] = "0123456789:+-/.";

tmNumberFont Strip() {
    tmNumberFont f;
    f.Setup(195, 512, 32, 21, 21, 21);
    return f;
}

// The strip characters the log holds, in call order.
std::string Glyphs(const DrawLog& log, float cellU) {
    std::string s;
    for (const auto& sp : log.sprites) s += kStrip[static_cast<int>(sp.u / cellU + 0.5f)];
    return s;
}

// The characters ordered by their x on screen (right-anchored placements measure x from the right).
std::string OnScreen(const DrawLog& log, float cellU) {
    std::vector<std::pair<float, char>> g;
    for (const auto& sp : log.sprites) {
        const float left = tmNumberFont::IsRightAnchored(sp.placement) ? -sp.x : sp.x;
        g.push_back({left, kStrip[static_cast<int>(sp.u / cellU + 0.5f)]});
    }
    std::sort(g.begin(), g.end());
    std::string s;
    for (auto& p : g) s += p.second;
    return s;
}

TEST(NumberFont, SetupChoosesStripOrGrid) {
    tmNumberFont f;
    f.Setup(16, 512, 128, 20, 20, 16);
    EXPECT_EQ(f.grid, 1u);
    EXPECT_FLOAT_EQ(f.cellU, 20.0f / 512.0f);
    EXPECT_FLOAT_EQ(f.cellV, 20.0f / 128.0f);
    EXPECT_EQ(f.height, 20.0f);
    f.Setup(195, 512, 32, 21, 21, 21);
    EXPECT_EQ(f.grid, 0u);
    f.Setup(195, 256, 32, 21, 21, 21);  // exactly 8: grid
    EXPECT_EQ(f.grid, 1u);
}

TEST(NumberFont, NumbersKeepTheirLowDigitsWithAWidth) {
    DrawLog log;
    const tmNumberFont f = Strip();
    f.DrawNumber(7, 3, 100, 50, 1, tmSpritePlacement::kTopLeft, 0xFFFFFFFFu);
    EXPECT_EQ(Glyphs(log, f.cellU), "007");
    ASSERT_EQ(log.sprites.size(), 3u);
    EXPECT_EQ(log.sprites[0].x, 100.0f);
    EXPECT_EQ(log.sprites[2].x, 142.0f);
    log.Clear();
    f.DrawNumber(12345, 2, 0, 0, 1, tmSpritePlacement::kTopLeft, 0xFFFFFFFFu);
    EXPECT_EQ(Glyphs(log, f.cellU), "45");
    log.Clear();
    f.DrawNumber(0, 0, 0, 0, 1, tmSpritePlacement::kTopLeft, 0xFFFFFFFFu);
    EXPECT_EQ(Glyphs(log, f.cellU), "0");
    log.Clear();
    f.DrawNumber(4294967295u, 0, 0, 0, 1, tmSpritePlacement::kTopLeft, 0xFFFFFFFFu);
    EXPECT_EQ(Glyphs(log, f.cellU), "4294967295");
    log.Clear();
    f.DrawNumber(5, 25, 0, 0, 1, tmSpritePlacement::kTopLeft, 0xFFFFFFFFu);  // at most ten digits
    EXPECT_EQ(Glyphs(log, f.cellU), "0000000005");
    log.Clear();
    f.DrawNumber(60, 0, 0, 0, 2.0f, tmSpritePlacement::kVirtualScreen, 0x80FF0000u);
    ASSERT_EQ(log.sprites.size(), 2u);
    EXPECT_EQ(log.sprites[1].x, 42.0f);  // advance x scale
    EXPECT_EQ(log.sprites[1].scaleX, 2.0f);
    EXPECT_EQ(log.sprites[1].colour, 0x80FF0000u);
    EXPECT_FLOAT_EQ(log.sprites[1].uExtent, 21.0f / 512.0f);
    EXPECT_FLOAT_EQ(log.sprites[1].vExtent, 21.0f / 32.0f);
    EXPECT_EQ(log.sprites[1].v, 0.0f);
}

TEST(NumberFont, RightAnchoredNumbersAreEmittedLastDigitFirstAndReadLeftToRight) {
    DrawLog log;
    const tmNumberFont f = Strip();
    f.DrawNumber(60, 0, 10, 0, 1, tmSpritePlacement::kBottomRight, 0xFFFFFFFFu);
    ASSERT_EQ(log.sprites.size(), 2u);
    EXPECT_EQ(Glyphs(log, f.cellU), "06");  // emitted from the least significant digit
    EXPECT_EQ(log.sprites[0].x, 10.0f);     // nearest the right edge
    EXPECT_EQ(log.sprites[1].x, 31.0f);
    EXPECT_EQ(OnScreen(log, f.cellU), "60");
    log.Clear();
    f.DrawTime(754321, 10, 0, 1, tmSpritePlacement::kTopRight, 0xFFFFFFFFu, 1);
    EXPECT_EQ(OnScreen(log, f.cellU), "9:34.321");
}

TEST(NumberFont, TimesShowMinutesSecondsAndMilliseconds) {
    DrawLog log;
    const tmNumberFont f = Strip();
    const float a = 21.0f;
    f.DrawTime(754321, 0, 0, 1, tmSpritePlacement::kTopLeft, 0xFFFFFFFFu, 1);
    EXPECT_EQ(Glyphs(log, f.cellU), "9:34.321");  // 12 minutes capped at 9 with one digit
    ASSERT_EQ(log.sprites.size(), 8u);
    EXPECT_FLOAT_EQ(log.sprites[1].x, a - 0.35f * a);                     // colon
    EXPECT_FLOAT_EQ(log.sprites[2].x, a - 0.35f * a + 0.7f * a);          // seconds
    EXPECT_FLOAT_EQ(log.sprites[4].x, 0.65f * a + 0.7f * a + 1.65f * a);  // point
    EXPECT_FLOAT_EQ(log.sprites[5].x, log.sprites[4].x + 0.7f * a);       // milliseconds
    log.Clear();
    f.DrawTime(754321, 0, 0, 1, tmSpritePlacement::kTopLeft, 0xFFFFFFFFu, 2);
    EXPECT_EQ(Glyphs(log, f.cellU), "12:34.321");
    EXPECT_FLOAT_EQ(log.sprites[2].x, 2 * a - 0.35f * a);
    log.Clear();
    f.DrawTime(61005, 0, 0, 1, tmSpritePlacement::kTopLeft, 0xFFFFFFFFu, 0);
    EXPECT_EQ(Glyphs(log, f.cellU), ":01.005");
    EXPECT_EQ(log.sprites[0].x, 0.0f);
}

TEST(NumberFont, GridCellsAndStripCharacters) {
    DrawLog log;
    tmNumberFont grid;
    grid.Setup(16, 512, 128, 20, 20, 16);
    grid.DrawString("LAP", 0, 0, 1.5f, tmSpritePlacement::kTopLeft, 0xFFFFFFFFu);
    ASSERT_EQ(log.sprites.size(), 3u);
    // 'L' = 76: cell 44 -> column 12, row 2.
    EXPECT_FLOAT_EQ(log.sprites[0].u, 12 * 20.0f / 512.0f);
    EXPECT_FLOAT_EQ(log.sprites[0].v, 2 * 20.0f / 128.0f);
    EXPECT_EQ(log.sprites[1].x, 16.0f);  // the advance is not scaled
    log.Clear();
    grid.DrawDigit(tmNumberFont::kColon, 0, 0, 1, 0, 0xFFFFFFFFu);  // ':' = 58: cell 26
    ASSERT_EQ(log.sprites.size(), 1u);
    EXPECT_FLOAT_EQ(log.sprites[0].u, 10 * 20.0f / 512.0f);
    EXPECT_FLOAT_EQ(log.sprites[0].v, 1 * 20.0f / 128.0f);
    log.Clear();
    grid.DrawChar(31, 0, 0, 1, 0, 0xFFFFFFFFu);   // below the grid
    grid.DrawChar(200, 0, 0, 1, 0, 0xFFFFFFFFu);  // beyond it
    EXPECT_TRUE(log.sprites.empty());
    const tmNumberFont strip = Strip();
    strip.DrawString("1:2.3x", 0, 0, 1, 0, 0xFFFFFFFFu);  // a strip has no 'x'
    EXPECT_EQ(Glyphs(log, strip.cellU), "1:2.3");
    log.Clear();
    strip.DrawDigit(15, 0, 0, 1, 0, 0xFFFFFFFFu);
    strip.DrawDigit(-1, 0, 0, 1, 0, 0xFFFFFFFFu);
    EXPECT_TRUE(log.sprites.empty());
}

TEST(SpriteSheet, GlyphsAdvanceTowardNegativeXOnTheWorldPlane) {
    DrawLog log;
    tmSpriteSheet s;
    s.SetGrid(194, 512, 32, 21, 21, 0.65f);
    EXPECT_FLOAT_EQ(s.glyphU, 21.0f / 512.0f);
    EXPECT_FLOAT_EQ(s.advance, 0.65f);
    EXPECT_FLOAT_EQ(s.unitY, 1.0f);
    D3DXMATRIX place;
    D3DXMatrixTranslation(&place, 5, 6, 7);
    s.DrawNumber(345, 0, place, 0, 0, 2.0f, false, 0xFFFFFFFFu);
    ASSERT_EQ(log.sprites.size(), 3u);
    // The most significant digit at the start, the next ones 1.3 units toward -x.
    EXPECT_FLOAT_EQ(log.sprites[0].u, 3 * s.glyphU);
    EXPECT_FLOAT_EQ(log.sprites[0].matrix._41, 5.0f);
    EXPECT_FLOAT_EQ(log.sprites[1].matrix._41, 5.0f - 1.3f);
    EXPECT_FLOAT_EQ(log.sprites[2].matrix._41, 5.0f - 2.6f);
    EXPECT_FLOAT_EQ(log.sprites[2].matrix._11, 2.0f);
    EXPECT_FLOAT_EQ(log.sprites[2].matrix._43, 7.0f);
    log.Clear();
    s.DrawNumber(345, 0, place, 0, 0, 2.0f, true, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(log.sprites[0].matrix._41, 5.0f + 3 * 1.3f);
    log.Clear();
    D3DXMATRIX id;
    D3DXMatrixIdentity(&id);
    s.DrawTime(754321, id, 0, 0, 1, 0xFF3232FFu);
    std::string text;
    for (const auto& sp : log.sprites) text += kStrip[static_cast<int>(sp.u / s.glyphU + 0.5f)];
    EXPECT_EQ(text, "2:34.321");  // one minute digit, minutes modulo 10
    EXPECT_FLOAT_EQ(log.sprites[1].matrix._41, -0.75f * 0.65f);
    EXPECT_FLOAT_EQ(log.sprites[4].matrix._41, -3.25f * 0.65f);
    EXPECT_EQ(log.sprites[0].colour, 0xFF3232FFu);
}

TEST(GaugeArray, RowsStartClearAndNamesStayTerminated) {
    tmGaugeArray rows;
    EXPECT_EQ(rows.count, 1);
    EXPECT_EQ(rows.rows[15].time, 0u);
    EXPECT_EQ(rows.rows[3].name[0], '\0');
    rows.SetName(2, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_STREQ(rows.rows[2].name, "ABCDEFGHIJKLMNOP");
    rows.SetName(2, "AB");
    EXPECT_STREQ(rows.rows[2].name, "AB");
    EXPECT_EQ(rows.rows[2].name[16], '\0');
    rows.SetName(16, "X");  // ignored
    rows.SetName(-1, "X");
    rows.SetName(1, nullptr);
    EXPECT_STREQ(rows.rows[1].name, "");
}

}  // namespace
