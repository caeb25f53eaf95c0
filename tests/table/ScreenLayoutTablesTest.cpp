// Screen layout tables: menu pages, course panels and the rows screens build from one another.
#include <gtest/gtest.h>

#include "table/ScreenLayoutTables.h"
#include "tests/table/ContentRanges.h"

TEST(ScreenLayoutTables, MainMenuPages) {
    const uint32_t counts[6] = {4, 3, 4, 4, 5, 0};
    for (int p = 0; p < 6; ++p) {
        const MenuPageLayout& page = MainMenuPageTable[p];
        EXPECT_EQ(page.count, counts[p]);
        for (uint32_t i = 0; i < page.count; ++i) EXPECT_EQ(page.items[i].selectable, 1);
        if (page.count > 0) {
            EXPECT_EQ(page.items[page.count - 1].sprite, 517u);
            EXPECT_EQ(page.items[page.count - 1].secondSprite, 516u);
        }
    }
    EXPECT_EQ(MainMenuPageTable[3].items[0].secondSprite, 546u);
    EXPECT_EQ(MainMenuPageTable[4].items[3].secondSprite, 519u);
}

TEST(ScreenLayoutTables, CoursePanels) {
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
        EXPECT_EQ(r.partSprite, order[k] <= 7 ? 65u : 64u);  // left arrow forward, right arrow reversed
        EXPECT_EQ(r.partAlpha, 1.0f);
        EXPECT_NE(r.layoutMap, 0u);
        EXPECT_NE(r.spriteGroup, 0u);
        if (order[k] != 12) {
            EXPECT_EQ(r.spriteGroup, r.board);
        }
    }
    // Course 2 carries a full panel.
    EXPECT_EQ(CourseSelectTable[2].layoutMap, 25u);
    EXPECT_EQ(CourseSelectTable[2].information, 37u);
    EXPECT_EQ(CourseSelectTable[2].spriteGroup, 9u);
    EXPECT_FLOAT_EQ(CourseSelectTable[2].partOffsetY, 454.0f);
    EXPECT_EQ(CourseSelectTable[12].board, 14u);
}

TEST(ScreenLayoutTables, FramePlacementsStartWhereTheirTargetsSay) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(CourseSelectFramePlacements[i].x, CourseSelectFrameStarts[i].x);
        EXPECT_EQ(CourseSelectFramePlacements[i].y, CourseSelectFrameStarts[i].y);
        EXPECT_EQ(CourseSelectFramePlacements[i].alpha, CourseSelectFrameStarts[i].alpha);
    }
    EXPECT_EQ(CourseSelectFramePlacements[0].secondSpriteId, 39u);
    EXPECT_EQ(CourseSelectFrameTargets[2].delay, 20u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(LoadingShownTargets[i].x, LoadingHiddenTargets[i].x);
        EXPECT_EQ(LoadingHiddenTargets[i].alpha, 0.0f);
        EXPECT_EQ(LoadingShownTargets[i].alpha, 1.0f);
    }
}

TEST(ScreenLayoutTables, ListsAndMenus) {
    EXPECT_EQ(MachineViewerListPlacements[0].spriteId, 472u);
    for (int row = 0; row < 11; ++row) {
        const SpritePlacement& p = MachineViewerListPlacements[1 + row];
        EXPECT_EQ(p.spriteId, 473u);
        EXPECT_EQ(p.x, 256.0f);
        EXPECT_EQ(p.y, 159.0f + 32.0f * static_cast<float>(row));
        EXPECT_EQ(p.alpha, 0.0f);
    }
    EXPECT_EQ(PauseMenuItems[2].labelSprite, 175u);
    EXPECT_EQ(PauseMenuItems[2].highlightSprite, 176u);
    EXPECT_EQ(PostRaceMenuItems[0].y, 152.0f);
    for (const SpritePlacement& p : ConfirmWindowPlacements) EXPECT_EQ(p.alpha, 0.0f);
    EXPECT_EQ(ConfirmWindowPlacements[1].spriteId, 0u);
}

TEST(ScreenLayoutTables, SpriteIdsAreSpriteSlots) {
    auto check = [](const SpritePlacement* p, int n) {
        for (int i = 0; i < n; ++i) {
            EXPECT_LT(p[i].spriteId, static_cast<uint32_t>(content_ranges::kSpriteSlots));
            EXPECT_LT(p[i].secondSpriteId, static_cast<uint32_t>(content_ranges::kSpriteSlots));
        }
    };
    check(ConfirmWindowPlacements, 4);
    check(TitlePlacements, 8);
    check(MainMenuPlacements, 7);
    check(CourseSelectPlacements, 5);
    check(CourseSelectFramePlacements, 3);
    check(MachineSelectFramePlacements, 3);
    check(MachineSelectInfoPlacements, 2);
    check(MachineSelectTransmissionPlacements, 4);
    check(LoadingPlacements, 3);
    check(&MachineViewerTitlePlacement, 1);
    check(MachineViewerListPlacements, 12);
    check(EndingPlacements, 4);
    for (const MenuPageLayout& page : MainMenuPageTable)
        for (const MenuPageItem& item : page.items) EXPECT_LT(item.sprite, 1173u);
    for (const CourseSelectRecord& r : CourseSelectTable) {
        for (uint32_t s : {r.layoutMap, r.difficulty, r.information, r.board, r.stripIcon, r.partSprite})
            EXPECT_LT(s, 1173u);
        EXPECT_LE(r.spriteGroup, 46u);
    }
}
