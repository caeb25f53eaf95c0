// tmRaceSpritesTest.cpp -- the panel art has the pixel sizes the panels lay their numbers and columns over.
#include <gtest/gtest.h>

#include <cmath>

#include "content_tables.h"
#include "race/tmRaceSprites.h"

namespace {

// Pixel width and height of sprite id `id` from the generated sprite records.
bool SpriteSize(int id, float* w, float* h) {
    for (const tmSpriteGroupRecord& g : content::kSpriteGroups) {
        for (uint32_t i = 0; i < g.spriteCount; ++i) {
            if (g.sprites[i].name != content::kSpriteNames[id]) continue;
            *w = std::round(g.sprites[i].width * g.width);
            *h = std::round(g.sprites[i].height * g.height);
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(tmRaceSprites, DigitStripsAndRowsHaveTheSizesTheDrawingAssumes) {
    float w = 0, h = 0;
    ASSERT_TRUE(SpriteSize(tmRaceSprites::kDigitFont, &w, &h));
    EXPECT_EQ(w, tmRaceSprites::kDigitStripWidth);
    EXPECT_EQ(h, tmRaceSprites::kDigitStripHeight);
    ASSERT_TRUE(SpriteSize(tmRaceSprites::kSmallFont, &w, &h));
    EXPECT_EQ(w, tmRaceSprites::kSmallSheetWidth);
    EXPECT_EQ(h, tmRaceSprites::kSmallSheetHeight);
    for (int id : {content::SPR_FE_RESULT_ROW_EVEN, content::SPR_FE_RESULT_ROW_ODD, content::SPR_FE_RESULT_ROW_OWN_EVEN,
                   content::SPR_FE_RESULT_ROW_OWN_ODD}) {
        ASSERT_TRUE(SpriteSize(id, &w, &h));
        EXPECT_EQ(w, tmRaceSprites::kRowWidth);
        EXPECT_EQ(h, tmRaceSprites::kRowHeight);
    }
    // Emblems follow one another by machine id, trophies by trophy id.
    EXPECT_EQ(tmRaceSprites::kFirstEmblem + 10, static_cast<uint32_t>(content::SPR_FE_EMBLEM_11));
    EXPECT_STREQ(content::kSpriteNames[tmRaceSprites::kFirstTrophy + 33], "TI_STR_TITLE_CMN_TEATIME");
}
