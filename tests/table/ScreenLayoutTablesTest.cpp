// Screen layout tables: menu pages, course panels and placements name the sprites the screens mean.
#include <gtest/gtest.h>

#include <string>

#include "table/ScreenLayoutTables.h"
#include "table/tmSpriteGroup.h"
#include "tests/table/ContentRanges.h"

namespace {

std::string Name(uint32_t id) { return content_ranges::IsSprite(id) ? content::kSpriteNames[id] : ""; }

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// True when the sprite lies in the sheet of the sprite group.
bool InSheet(uint32_t id, int group) {
    const tmSpriteGroupRecord* g = tmSpriteGroup::Get(group);
    if (!g || !content_ranges::IsSprite(id)) return false;
    for (uint32_t i = 0; i < g->spriteCount; ++i)
        if (Name(id) == g->sprites[i].name) return true;
    return false;
}

}  // namespace

TEST(ScreenLayoutTables, MenuPageItemsPairOnAndOffSpritesAndEndWithReturn) {
    int pages = 0;
    for (const MenuPageLayout& page : MainMenuPageTable) {
        ASSERT_LE(page.count, 5u);
        for (uint32_t i = 0; i < page.count; ++i) {
            const std::string on = Name(page.items[i].sprite), off = Name(page.items[i].secondSprite);
            EXPECT_TRUE(StartsWith(on, "MM_SUB_SEL_")) << on;
            ASSERT_GT(on.size(), 3u);
            EXPECT_EQ(on.substr(on.size() - 3), "_ON") << on;
            EXPECT_EQ(off, on.substr(0, on.size() - 3) + "_OFF");
            EXPECT_EQ(page.items[i].selectable, 1);
        }
        for (uint32_t i = page.count; i < 5; ++i) EXPECT_EQ(page.items[i].sprite, 0u);
        if (page.count == 0) continue;
        ++pages;
        EXPECT_EQ(page.items[page.count - 1].sprite, static_cast<uint32_t>(content::SPR_MM_SUB_SEL_RETURN_ON));
        EXPECT_EQ(page.items[page.count - 1].secondSprite, static_cast<uint32_t>(content::SPR_MM_SUB_SEL_RETURN_OFF));
    }
    EXPECT_EQ(pages, 5);  // single player, replay, network, viewers, options; quit has none
}

TEST(ScreenLayoutTables, CoursePanelsShowTheirCoursesSpritesOnTheStrip) {
    // Records 0 and 1 are empty but for a full alpha factor.
    for (int id = 0; id < 2; ++id) {
        const CourseSelectRecord& r = CourseSelectTable[id];
        EXPECT_EQ(r.layoutMap + r.difficulty + r.information + r.spriteGroup + r.board + r.stripIcon, 0u);
        EXPECT_EQ(r.partAlpha, 1.0f);
    }
    // The strip holds the courses in list order, 110 pixels apart from -171.
    const int order[12] = {3, 2, 4, 6, 7, 5, 9, 8, 10, 12, 13, 11};
    for (int k = 0; k < 12; ++k) {
        const CourseSelectRecord& r = CourseSelectTable[order[k]];
        EXPECT_FLOAT_EQ(r.stripX, -171.0f + 110.0f * static_cast<float>(k)) << order[k];
        // Forward layouts point left, reversed ones right.
        EXPECT_EQ(r.partSprite,
                  static_cast<uint32_t>(order[k] <= 7 ? content::SPR_CS_ARROW_LEFT : content::SPR_CS_ARROW_RIGHT));
        EXPECT_EQ(r.partAlpha, 1.0f);
        EXPECT_TRUE(StartsWith(Name(r.layoutMap), "CS_LAYOUT_")) << order[k];
        EXPECT_TRUE(StartsWith(Name(r.difficulty), "CS_DIFFICULTY_")) << order[k];
        EXPECT_TRUE(StartsWith(Name(r.information), "CS_INFO_")) << order[k];
        EXPECT_TRUE(StartsWith(Name(r.stripIcon), "CS_ICON_")) << order[k];
        // The panel's year (2022 forward, 2023 reversed) is the same on its information and its icon.
        const std::string year = order[k] <= 7 ? "2022" : "2023";
        EXPECT_NE(Name(r.information).find(year), std::string::npos) << order[k];
        EXPECT_NE(Name(r.stripIcon).find(year), std::string::npos) << order[k];
        EXPECT_TRUE(InSheet(r.board, static_cast<int>(r.spriteGroup))) << order[k];
    }
    // A layout and its reverse share the map and the difficulty.
    for (int c = 2; c <= 7; ++c) {
        EXPECT_EQ(CourseSelectTable[c].layoutMap, CourseSelectTable[c + 6].layoutMap) << c;
        EXPECT_EQ(CourseSelectTable[c].difficulty, CourseSelectTable[c + 6].difficulty) << c;
    }
}

TEST(ScreenLayoutTables, CourseSelectFramesStartAtTheirTargetsWithTheirFrameSprites) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(CourseSelectFramePlacements[i].x, CourseSelectFrameStarts[i].x);
        EXPECT_EQ(CourseSelectFramePlacements[i].y, CourseSelectFrameStarts[i].y);
        EXPECT_EQ(CourseSelectFramePlacements[i].alpha, CourseSelectFrameStarts[i].alpha);
    }
    EXPECT_EQ(Name(CourseSelectFramePlacements[0].spriteId), "CS_FRAME_TOP_A");
    EXPECT_EQ(Name(CourseSelectFramePlacements[1].spriteId), "CS_FRAME_BOTTOM_A");
    EXPECT_EQ(Name(CourseSelectFramePlacements[2].spriteId), "CS_ICON_ACTIVE");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(LoadingShownTargets[i].x, LoadingHiddenTargets[i].x);
        EXPECT_EQ(LoadingHiddenTargets[i].alpha, 0.0f);
        EXPECT_EQ(LoadingShownTargets[i].alpha, 1.0f);
    }
    EXPECT_EQ(Name(LoadingPlacements[0].spriteId), "LC_FRAME_INFOBAR");
}

TEST(ScreenLayoutTables, ViewerListRowsStack32ApartUnderTheirHeading) {
    EXPECT_EQ(Name(MachineViewerTitlePlacement.spriteId), "MV_WINDOW");
    EXPECT_EQ(Name(MachineViewerListPlacements[0].spriteId), "MV_CURSOR_BACK");
    for (int row = 0; row < 11; ++row) {
        const SpritePlacement& p = MachineViewerListPlacements[1 + row];
        EXPECT_EQ(Name(p.spriteId), "MV_CURSOR_ACT");
        EXPECT_EQ(p.x, MachineViewerListPlacements[1].x);
        EXPECT_EQ(p.y, MachineViewerListPlacements[1].y + 32.0f * static_cast<float>(row));
        EXPECT_EQ(p.alpha, 0.0f);
    }
}

TEST(ScreenLayoutTables, InRaceMenuItemsStackDownAndTheWindowStartsHidden) {
    for (const MenuItemLayout* items : {PauseMenuItems, PostRaceMenuItems}) {
        const int n = items == PauseMenuItems ? 3 : 2;
        for (int i = 0; i < n; ++i) {
            EXPECT_NE(items[i].labelSprite, items[i].highlightSprite);
            EXPECT_TRUE(InSheet(items[i].labelSprite, 19)) << i;
            EXPECT_TRUE(InSheet(items[i].highlightSprite, 19)) << i;
            if (i > 0) {
                EXPECT_GT(items[i].y, items[i - 1].y);
            }
        }
    }
    // The window's parts start invisible; the message part's sprite comes from the window type.
    for (const SpritePlacement& p : ConfirmWindowPlacements) EXPECT_EQ(p.alpha, 0.0f);
    EXPECT_EQ(Name(ConfirmWindowPlacements[0].spriteId), "CM_WINDOW_BASE");
    EXPECT_EQ(ConfirmWindowPlacements[1].spriteId, 0u);
    EXPECT_EQ(Name(ConfirmWindowPlacements[2].spriteId), "CM_WINDOW_CURSOR_YES");
    EXPECT_EQ(Name(ConfirmWindowPlacements[3].spriteId), "CM_WINDOW_CURSOR_NO");
}

TEST(ScreenLayoutTables, TitleAndMachineSelectPlacementsNameTheirFrames) {
    EXPECT_EQ(Name(TitlePlacements[0].spriteId), "TT_BOARD_WHITE_A");
    EXPECT_EQ(Name(TitlePlacements[0].secondSpriteId), "TT_BOARD_WHITE_B");
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(Name(TitlePlacements[i].spriteId), "TT_LOGO_WEM") << i;
    EXPECT_EQ(Name(TitlePlacements[6].spriteId), "TT_TITLE");
    EXPECT_EQ(Name(TitlePlacements[7].spriteId), "TT_START_ON");
    EXPECT_EQ(Name(MachineSelectFramePlacements[0].spriteId), "MS_FRAME_SELECT_A");
    EXPECT_EQ(Name(MachineSelectFramePlacements[1].spriteId), "MS_ARROW_LEFT_OFF");
    EXPECT_EQ(Name(MachineSelectFramePlacements[2].spriteId), "MS_ARROW_RIGHT_OFF");
    EXPECT_EQ(Name(EndingPlacements[1].spriteId), "END_BG");
}
