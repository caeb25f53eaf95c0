// TextTextureTest.cpp -- glyph queueing, the clipped rasteriser, colours, the caches and Japanese glyphs.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "lobby/LobbyTestSupport.h"
#include "lobby/TextTexture.h"
#include "lobby/TextTextureContainer.h"
#include "lobby/TextTextureFont.h"
#include "lobby/WidgetRoot.h"
#include "lobby/ggSpriteManager.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmTexture.h"
#include "sys/text/tmFontFace.h"

using g2ui::TextTexture;
using g2ui::TextTextureFont;
using lobbytest::TestRenderer;

namespace {

class TextTextures : public ::testing::Test {
protected:
    void SetUp() override { tmFontFace::UseBuiltinGlyphs(true); }
    void TearDown() override { tmFontFace::UseBuiltinGlyphs(false); }
    // Lit (non-zero alpha) pixels of a texture.
    static int Lit(const TextTexture& t) {
        int n = 0;
        for (uint32_t p : t.GetPixels()) n += (p >> 24) != 0;
        return n;
    }
};

}  // namespace

TEST_F(TextTextures, BytesBecomeCodesAndCellsOfSevenPixels) {
    TextTextureFont font("gothic", 14, 400, 0);
    std::unique_ptr<TextTexture> t(TextTexture::Create("t", 128, 16));
    t->DrawString(&font, "a\x91\x53z\x83");  // a, 全, z, a lone lead byte at the end
    const auto& q = t->GetPending();
    ASSERT_EQ(q.size(), 4u);
    EXPECT_EQ(q[0].code, uint32_t('a'));
    EXPECT_EQ(q[1].code, 0x9153u);
    EXPECT_EQ(q[1].penX, 7);
    EXPECT_EQ(q[2].penX, 21);  // the double-byte character took two cells
    EXPECT_EQ(q[3].code, 0u);
    EXPECT_EQ(t->penX, 35);
    EXPECT_FALSE(font.IsSelected());
    EXPECT_TRUE(t->Flush());  // code 0 draws nothing and breaks nothing
}

TEST_F(TextTextures, ColourChannelsAreTruncatedAndClamped) {
    std::unique_ptr<TextTexture> t(TextTexture::Create("c", 8, 8));
    EXPECT_EQ(t->GetColor(), 0xFFFFFFu);
    t->SetColor(1.5f, -0.2f, 0.5f);
    EXPECT_EQ(t->GetColor(), 0xFF007Fu);
    TextTextureFont font("gothic", 14, 400, 0);
    t->DrawString(&font, "H");
    ASSERT_TRUE(t->Flush());
    // The built-in 'H' sits on the baseline (ascent 13, 7 rows high): its top-left corner is (0, 6).
    EXPECT_EQ(t->GetPixel(0, 6), 0xFFFF007Fu);
}

TEST_F(TextTextures, GlyphsAreClippedOnAllFourSides) {
    TextTextureFont font("gothic", 14, 400, 0);
    // Reference: the whole 'H' at the origin of a roomy texture.
    std::unique_ptr<TextTexture> whole(TextTexture::Create("w", 32, 32));
    whole->DrawString(&font, "H");
    ASSERT_TRUE(whole->Flush());
    const int full = Lit(*whole);
    ASSERT_GT(full, 10);
    // Past the right and bottom edges: cut there.
    std::unique_ptr<TextTexture> t(TextTexture::Create("t", 3, 8));
    t->DrawString(&font, "H");
    ASSERT_TRUE(t->Flush());
    EXPECT_GT(Lit(*t), 0);
    EXPECT_LT(Lit(*t), full);
    // Left of and above the texture: the rest of the glyph lands, nothing is written outside.
    std::unique_ptr<TextTexture> shifted(TextTexture::Create("s", 32, 32));
    shifted->penX = -2;
    shifted->penY = -8;
    shifted->DrawString(&font, "H");
    ASSERT_TRUE(shifted->Flush());
    EXPECT_GT(Lit(*shifted), 0);
    EXPECT_LT(Lit(*shifted), full);
    EXPECT_EQ(shifted->GetPixel(2, 0), 0xFFFFFFFFu);  // column 4 of 'H', its third row
    // Far outside on every side: nothing drawn, nothing broken.
    std::unique_ptr<TextTexture> away(TextTexture::Create("a", 16, 16));
    for (int pen : {-100000, 100000}) {
        away->Clear();
        away->penX = pen;
        away->penY = 0;
        away->DrawString(&font, "HH");
        away->penX = 0;
        away->penY = pen;
        away->DrawString(&font, "HH");
        ASSERT_TRUE(away->Flush());
        EXPECT_EQ(Lit(*away), 0);
    }
}

TEST_F(TextTextures, GreyCoverageOverwritesWithZeroAlphaMonochromeDoesNot) {
    for (uint32_t mode : {0u, 2u}) {
        TextTextureFont font("gothic", 14, 400, mode);
        std::unique_ptr<TextTexture> t(TextTexture::Create("g", 16, 16));
        t->DrawString(&font, "H");
        t->penX = 0;  // the same box again: '-' is empty where 'H' has its corners
        t->DrawString(&font, "-");
        ASSERT_TRUE(t->Flush());
        const uint32_t corner = t->GetPixel(0, 6);
        if (mode == 0)
            EXPECT_EQ(corner >> 24, 0xFFu) << "monochrome keeps what was beneath";
        else
            EXPECT_EQ(corner >> 24, 0u) << "grey writes its zero coverage";
        EXPECT_EQ(font.GetGrayLevels(), mode == 0 ? 1 : 17);
    }
}

TEST_F(TextTextures, ReRenderingLeavesOnlyTheLastTextAndOddSizesAreSafe) {
    TextTextureFont font("gothic", 14, 400, 0);
    std::unique_ptr<TextTexture> t(TextTexture::Create("r", 128, 16));
    t->DrawString(&font, "00000000");
    ASSERT_TRUE(t->Flush());
    const int eights = Lit(*t);
    t->Clear();
    t->penX = t->penY = 0;
    t->DrawString(&font, "1");
    ASSERT_TRUE(t->Flush());
    EXPECT_GT(Lit(*t), 0);
    EXPECT_LT(Lit(*t) * 4, eights);
    EXPECT_EQ(t->GetPixel(22, 6), 0u);  // the fourth zero's top is gone
    std::unique_ptr<TextTexture> none(TextTexture::Create("none", 0, 16));
    none->DrawString(&font, "x");
    EXPECT_FALSE(none->Flush());  // nothing to draw into
    std::unique_ptr<TextTexture> huge(TextTexture::Create("huge", 100000, 100000));
    EXPECT_TRUE(huge->GetPixels().empty());
}

TEST_F(TextTextures, FlushUploadsToTheRegisteredTexture) {
    TestRenderer r(320, 240);
    if (!r.Ok()) GTEST_SKIP() << r.Error();
    TextTextureFont font("gothic", 14, 400, 0);
    std::unique_ptr<TextTexture> t(TextTexture::Create("shown", 64, 16));
    auto* tex = static_cast<sys::tmTexture*>(r.Cache()->Find(sys::tmResource::kTexture, "shown"));
    ASSERT_NE(tex, nullptr);
    t->SetColor(0, 1, 0);
    t->DrawString(&font, "H");
    ASSERT_TRUE(t->Flush());
    const auto* texels = r.Texels(tex);
    ASSERT_NE(texels, nullptr);
    EXPECT_EQ((*texels)[6 * 64 + 0], 0xFF00FF00u);
    // Shown scaled down, every stroke is spread onto its unlit neighbours in the upload, in the stroke's
    // colour; the pixels drawn stay as they were.
    g2ui::WidgetRoot::SetView({0.625f, 0.0f, 0.0f});
    t->Clear();
    t->DrawString(&font, "H");
    ASSERT_TRUE(t->Flush());
    g2ui::WidgetRoot::SetView({});
    texels = r.Texels(tex);
    int spread = 0;
    for (uint32_t y = 0; y < 16; ++y) {
        for (uint32_t x = 1; x < 64; ++x) {
            if ((t->GetPixel(x, y) >> 24) != 0 || (t->GetPixel(x - 1, y) >> 24) == 0) continue;
            const uint32_t shown = (*texels)[y * 64 + x];
            EXPECT_GT(shown >> 24, 0u) << x << ", " << y;
            EXPECT_EQ(shown & 0xFFFFFFu, 0x00FF00u) << x << ", " << y;
            ++spread;
        }
    }
    EXPECT_GT(spread, 0);
    // A second text texture of the same name is refused a texture, not given a broken one.
    std::unique_ptr<TextTexture> twin(TextTexture::Create("shown", 64, 16));
    EXPECT_EQ(r.Cache()->Find(sys::tmResource::kTexture, "shown"), tex);
    g2lobby::ggSpriteManager m;
    ASSERT_TRUE(m.AddTextureSprite("shown", "shown"));
    EXPECT_FLOAT_EQ(m.GetWidth("shown"), 64);
    m.ReleaseAll();
}

TEST_F(TextTextures, CacheDropsTextsNotShownThisFrame) {
    TestRenderer r(320, 240);
    if (!r.Ok()) GTEST_SKIP() << r.Error();
    g2lobby::ggSpriteManager m;
    {
        g2lobby::TextTextureContainer<int> cache(&m);
        for (int id : {1, 2}) {
            const std::string name = "UserPainNameLv" + std::to_string(id);
            cache.Insert(id, TextTexture::Create(name, 256, 16));
            ASSERT_TRUE(m.AddTextureSprite(name, name));
        }
        cache.ClearMarks();
        ASSERT_NE(cache.Find(2), nullptr);
        EXPECT_EQ(cache.Find(3), nullptr);
        cache.Purge();
        EXPECT_EQ(cache.Size(), 1u);
        EXPECT_FALSE(m.Has("UserPainNameLv1"));
        EXPECT_EQ(r.Cache()->Find(sys::tmResource::kTexture, "UserPainNameLv1"), nullptr);
        EXPECT_TRUE(m.Has("UserPainNameLv2"));
        g2lobby::TextTextureContainer<std::string> byText(&m);
        byText.Insert("hello", TextTexture::Create("ChatPainSaying0", 512, 16));
        EXPECT_NE(byText.Find("hello"), nullptr);
    }
    // Destruction drops everything.
    EXPECT_FALSE(m.Has("UserPainNameLv2"));
    EXPECT_EQ(r.Cache()->Find(sys::tmResource::kTexture, "UserPainNameLv2"), nullptr);
}

TEST(TextTexturesSystemFace, JapaneseGlyphsAreDrawnNotBoxesOrBlanks) {
    tmFontFace::UseBuiltinGlyphs(false);
    TextTextureFont font("ＭＳ ゴシック", 14, 400, 0);
    if (font.IsBuiltin()) GTEST_SKIP() << "no system font";
    std::unique_ptr<TextTexture> t(TextTexture::Create("jp", 96, 16));
    t->DrawString(&font, "全角チェック");
    ASSERT_EQ(t->GetPending().size(), 6u);
    ASSERT_TRUE(t->Flush());
    std::set<std::vector<bool>> shapes;
    for (int c = 0; c < 6; ++c) {
        // Each character fills one 14 x 14 cell.
        std::vector<bool> cell;
        int lit = 0;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x) {
                const bool on = (t->GetPixel(uint32_t(c * 14 + x), uint32_t(y)) >> 24) != 0;
                cell.push_back(on);
                lit += on;
            }
        EXPECT_GT(lit, 12) << "character " << c << " is blank";
        EXPECT_LT(lit, 14 * 14 / 2) << "character " << c << " is a filled block";
        shapes.insert(cell);
    }
    EXPECT_EQ(shapes.size(), 6u) << "six different glyphs, not one box repeated";
}
