// TextTest.cpp -- Shift-JIS conversion, built-in and FreeType glyphs, atlas packing.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/text/GlyphAtlas.h"
#include "platform/text/GlyphSource.h"
#include "platform/text/TextEncoding.h"

using namespace platform;

TEST(TextEncoding, ShiftJisLiteralConvertsToItsCodePoints) {
    // Literals are Shift-JIS at run time.
    const char* text = "既に";
    ASSERT_EQ(std::strlen(text), 4u);
    EXPECT_EQ(std::memcmp(text, "\x8A\xF9\x82\xC9", 4), 0);
    EXPECT_EQ(Cp932ToUtf32(text), std::u32string({0x65E2, 0x306B}));
    // Half-width katakana and ASCII are single bytes.
    EXPECT_EQ(Cp932ToUtf32(std::string("A\xB1")), std::u32string({U'A', 0xFF71}));
}

TEST(TextEncoding, BrokenBytesBecomeReplacementsAndDecodingGoesOn) {
    // A lead byte cut off at the end, and a lead byte followed by a non-trail byte.
    EXPECT_EQ(Cp932ToUtf32(std::string("A\x82")), std::u32string({U'A', 0xFFFD}));
    const std::u32string mixed =
        Cp932ToUtf32(std::string("\x82\x0A"
                                 "B"));
    ASSERT_FALSE(mixed.empty());
    EXPECT_EQ(mixed.front(), char32_t(0xFFFD));
    EXPECT_EQ(mixed.back(), U'B');
    EXPECT_TRUE(Cp932ToUtf32(nullptr, 5).empty());
}

TEST(BuiltinGlyphs, LettersAreCellsOthersAreBoxes) {
    auto src = CreateBuiltinGlyphSource(16);
    Glyph h;
    ASSERT_TRUE(src->Render(U'H', &h));
    // 'H' at 16 pixels: columns doubled in height only; top row lit at both sides, open in the middle.
    EXPECT_EQ(h.width, 5);
    EXPECT_EQ(h.height, 14);
    EXPECT_EQ(h.coverage[0], 0xFF);
    EXPECT_EQ(h.coverage[4], 0xFF);
    EXPECT_EQ(h.coverage[2], 0x00);
    EXPECT_EQ(h.coverage[6 * 5 + 2], 0xFF);  // the bar
    Glyph lower;
    ASSERT_TRUE(src->Render(U'h', &lower));
    EXPECT_EQ(lower.coverage, h.coverage);

    Glyph space;
    ASSERT_TRUE(src->Render(U' ', &space));
    EXPECT_EQ(space.width, 0);
    EXPECT_EQ(space.advance, 8);
    Glyph kanji;
    ASSERT_TRUE(src->Render(0x65E2, &kanji));
    EXPECT_EQ(kanji.advance, 16);
    EXPECT_EQ(kanji.coverage[0], 0xFF);
    Glyph control;
    EXPECT_FALSE(src->Render(U'\t', &control));
}

TEST(GlyphAtlas, PacksGlyphsOnceWithoutOverlapAndFillsUp) {
    auto src = CreateBuiltinGlyphSource(16);
    GlyphAtlas atlas(src.get(), 24, 32);
    const AtlasGlyph* a = atlas.Find(U'A');
    const AtlasGlyph* b = atlas.Find(U'B');
    ASSERT_TRUE(a && b);
    EXPECT_EQ(atlas.Find(U'A'), a);
    EXPECT_TRUE(a->x + a->width <= b->x || b->x + b->width <= a->x || a->y + a->height <= b->y ||
                b->y + b->height <= a->y);
    // White with coverage in alpha: 'A' has an empty top-left corner, a lit top middle.
    const uint32_t* px = atlas.Pixels();
    EXPECT_EQ(px[size_t(a->y) * 24 + a->x], 0x00FFFFFFu);
    EXPECT_EQ(px[size_t(a->y) * 24 + a->x + 1], 0xFFFFFFFFu);
    // 5 x 14 glyphs with a pixel between: two shelves of three fit in 24 x 32.
    const char32_t more[] = {U'C', U'D', U'E', U'F', U'G', U'I', U'J'};
    int placed = 2;
    for (char32_t c : more)
        if (atlas.Find(c)) ++placed;
    EXPECT_TRUE(atlas.Full());
    EXPECT_EQ(placed, 6);
    atlas.Clear();
    EXPECT_FALSE(atlas.Full());
    EXPECT_NE(atlas.Find(U'J'), nullptr);
}

TEST(GlyphAtlas, UnknownCodePointsFallBackToAReplacement) {
    auto src = CreateBuiltinGlyphSource(16);
    GlyphAtlas atlas(src.get(), 64, 64);
    // Control characters cannot be drawn: shown as the replacement glyph.
    const AtlasGlyph* r = atlas.Find(U'\t');
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r, atlas.Find(0xFFFD));
}

TEST(FreeTypeGlyphs, SystemFaceDrawsLatinAndKanji) {
    std::string error;
    auto src = CreateFreeTypeGlyphSource(24, &error);
    if (!src) GTEST_SKIP() << "no system font: " << error;
    EXPECT_GT(src->Ascent(), 0);
    EXPECT_LE(src->Ascent(), 24);
    for (char32_t cp : {char32_t(U'W'), char32_t(0x65E2)}) {
        Glyph g;
        if (!src->Render(cp, &g)) {
            EXPECT_NE(cp, char32_t(U'W')) << "every face has Latin letters";
            continue;
        }
        EXPECT_GT(g.advance, 0);
        int lit = 0;
        for (uint8_t c : g.coverage) lit += c > 128;
        EXPECT_GT(lit, 10) << "code point " << uint32_t(cp);
    }
    // The System backend never fails.
    EXPECT_NE(CreateGlyphSource(GlyphBackend::System, 16), nullptr);
}

TEST(TextEncoding, Utf8AndCp932RoundTripAndUnmappableIsDropped) {
    // "全角" in UTF-8 and in CP932.
    const std::string utf8 = "\xE5\x85\xA8\xE8\xA7\x92";
    EXPECT_EQ(Utf8ToCp932(utf8), std::string("\x91\x53\x8A\x70"));
    EXPECT_EQ(Cp932ToUtf8(std::string("\x91\x53\x8A\x70")), utf8);
    EXPECT_EQ(Cp932ToUtf8("Ab1"), "Ab1");
    // An emoji has no CP932 code: dropped, the rest kept in order.
    EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80"
                          "b"),
              "ab");
    // A broken UTF-8 byte is dropped too.
    EXPECT_EQ(Utf8ToCp932("x\xC3y"), "xy");
    EXPECT_TRUE(Utf8ToCp932("").empty());
}

TEST(FreeTypeGlyphs, CellSizedMonochromeFaceFitsItsHeight) {
    FaceRequest req;
    req.patterns = {"IPAGothic,VL Gothic,Noto Sans Mono CJK JP,monospace:lang=ja:spacing=mono"};
    req.cellHeight = true;
    req.monochrome = true;
    std::string error;
    auto src = CreateFreeTypeGlyphSource(14, req, &error);
    if (!src) GTEST_SKIP() << "no system font: " << error;
    EXPECT_GE(src->Ascent(), 10);
    EXPECT_LE(src->Ascent(), 13);
    Glyph g;
    ASSERT_TRUE(src->Render(0x5168, &g));  // 全
    EXPECT_LE(g.height, 14);
    EXPECT_LE(g.width, 14);
    int lit = 0;
    for (uint8_t c : g.coverage) {
        EXPECT_TRUE(c == 0 || c == 255);  // one bit per pixel
        lit += c != 0;
    }
    EXPECT_GT(lit, 20);
}
