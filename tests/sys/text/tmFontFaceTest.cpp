// tmFontFaceTest.cpp -- Shift-JIS boundaries and conversions, and glyph bitmaps in their packed layouts.
#include <gtest/gtest.h>

#include "sys/text/tmFontFace.h"
#include "sys/text/tmSjis.h"

TEST(Sjis, BoundariesWalkFromTheStartSoTrailBytesNeverLookLikeLeads) {
    // 0x81 0x95 is one character whose trail byte is also a lead-byte value:
    // "\x81\x95\x41" has the boundaries 0, 2 and 3, never 1.
    const std::string t = "\x81\x95\x41";
    EXPECT_TRUE(tmSjis::IsBoundary(t, 0));
    EXPECT_FALSE(tmSjis::IsBoundary(t, 1));
    EXPECT_TRUE(tmSjis::IsBoundary(t, 2));
    EXPECT_EQ(tmSjis::FloorBoundary(t, 1), 0u);
    EXPECT_EQ(tmSjis::NextBoundary(t, 0), 2u);
    EXPECT_EQ(tmSjis::PrevBoundary(t, 3), 2u);
    EXPECT_EQ(tmSjis::PrevBoundary(t, 2), 0u);
    // Truncation never cuts a character: 3 bytes of "aアア" is "aア", 2 bytes is "a".
    const std::string mixed = "a\x83\x41\x83\x41";
    EXPECT_EQ(tmSjis::Truncate(mixed, 3), "a\x83\x41");
    EXPECT_EQ(tmSjis::Truncate(mixed, 2), "a");
    EXPECT_EQ(tmSjis::Truncate(mixed, 9), mixed);
    // A lead byte at the very end stands alone.
    EXPECT_EQ(tmSjis::CharLength("a\x83", 1), 1u);
    EXPECT_TRUE(tmSjis::IsBoundary("a\x83", 2));
}

TEST(Sjis, CodesAndUtf8Convert) {
    EXPECT_EQ(tmSjis::CodeToUnicode(0x8341), char32_t(0x30A2));  // ア
    EXPECT_EQ(tmSjis::CodeToUnicode('A'), char32_t('A'));
    EXPECT_EQ(tmSjis::CodeToUnicode(0), char32_t(0));
    EXPECT_EQ(tmSjis::CodeToUnicode(0x4141), char32_t(0));  // 0x41 is no lead byte
    EXPECT_EQ(tmSjis::FromUtf8("\xE3\x82\xA2"), "\x83\x41");
    EXPECT_EQ(tmSjis::ToUtf8("\x83\x41"), "\xE3\x82\xA2");
}

TEST(FontFace, BuiltinGlyphsPackAsMonochromeBitsAndGreyLevels) {
    tmFontFace::UseBuiltinGlyphs(true);
    auto face = tmFontFace::Create(14, true);
    tmFontFace::UseBuiltinGlyphs(false);
    ASSERT_TRUE(face->IsBuiltin());
    EXPECT_EQ(face->GetHeight(), 14);
    tmGlyphBitmap mono, grey;
    ASSERT_TRUE(face->GetGlyph('H', 0, &mono));
    EXPECT_EQ(mono.metrics.blackBoxX, 5u);
    EXPECT_EQ(mono.metrics.cellIncX, 7);
    ASSERT_EQ(mono.buffer.size(), 4u * mono.metrics.blackBoxY);  // one 32-bit word per row
    EXPECT_EQ(mono.buffer[0], 0x88);                             // 'H' top row: columns 0 and 4
    ASSERT_TRUE(face->GetGlyph('H', 17, &grey));
    ASSERT_EQ(grey.buffer.size(), 8u * grey.metrics.blackBoxY);  // 5 bytes rounded up to 8
    EXPECT_EQ(grey.buffer[0], 16);
    EXPECT_EQ(grey.buffer[1], 0);
    // No character, no glyph: an empty bitmap.
    tmGlyphBitmap none;
    EXPECT_FALSE(face->GetGlyph(0, 0, &none));
    EXPECT_TRUE(none.buffer.empty());
    EXPECT_EQ(none.metrics.blackBoxX, 0u);
    // A space has an advance and no pixels.
    tmGlyphBitmap space;
    EXPECT_TRUE(face->GetGlyph(' ', 0, &space));
    EXPECT_TRUE(space.buffer.empty());
    EXPECT_EQ(space.metrics.cellIncX, 7);
}
