// Every model slot, sprite id and group id held by the game data tables names generated content.
#include <gtest/gtest.h>

#include <string>

#include "sys/resource/tmSprite.h"
#include "sys/resource/tmSpriteGroupRecord.h"
#include "table/CourseTable.h"
#include "table/MachineTable.h"
#include "table/ScreenLayoutTables.h"
#include "tests/table/ContentRanges.h"

using content_ranges::InGroup;
using content_ranges::IsModel;
using content_ranges::IsSprite;

namespace {

std::string ModelName(int slot) { return IsModel(slot) ? content::kModelNames[slot] : ""; }
std::string SpriteName(uint32_t id) { return IsSprite(id) ? content::kSpriteNames[id] : ""; }

// A sprite field that may be 0 ("none yet") but otherwise names a sprite.
void ExpectSpriteOrNone(uint32_t id, const std::string& where) {
    if (id != 0) {
        EXPECT_TRUE(IsSprite(id)) << where << " sprite " << id;
    }
}

void ExpectPlacements(const SpritePlacement* p, int n, const char* table) {
    for (int i = 0; i < n; ++i) {
        ExpectSpriteOrNone(p[i].spriteId, std::string(table) + "[" + std::to_string(i) + "]");
        ExpectSpriteOrNone(p[i].secondSpriteId, std::string(table) + "[" + std::to_string(i) + "] second");
    }
}

}  // namespace

TEST(TableContent, GroupSlotRangesMatchTheGeneratedGroups) {
    for (int g = 0; g < content_ranges::kGroups; ++g)
        EXPECT_EQ(content_ranges::FirstSlot(g), content::kResourceGroupFirstModel[g]) << g;
    EXPECT_EQ(content_ranges::LastSlot(content_ranges::kGroups - 1), content::kModelNameCount - 1);
}

TEST(TableContent, CourseModelsExistInTheCoursesGroup) {
    for (int id = 1; id <= 13; ++id) {
        const CourseRecord& r = *GetCourseRecord(id);
        EXPECT_TRUE(r.groupId >= 0 && r.groupId < content_ranges::kGroups) << id;
        for (const CourseModelSlot& p : r.parts) {
            if (p.model == 0) continue;
            EXPECT_TRUE(IsModel(p.model)) << "course " << id << " part " << p.model;
            EXPECT_TRUE(InGroup(p.model, r.groupId)) << "course " << id << " part " << p.model;
        }
        for (int i = 0; i < r.objectCount; ++i) {
            EXPECT_TRUE(IsModel(r.objects[i].model)) << "course " << id << " object " << i;
            EXPECT_TRUE(InGroup(r.objects[i].model, r.groupId)) << "course " << id << " object " << i;
        }
        if (r.mapModel != 0) {
            EXPECT_TRUE(InGroup(r.mapModel, content::RG_FRONTEND)) << id;
            EXPECT_TRUE(IsModel(r.mapModel)) << id;
        }
    }
    // The garage shows its car park model, and every circuit's map model is its own layout's.
    bool garageShowsCarPark = false;
    for (const CourseModelSlot& p : GetCourseRecord(1)->parts)
        garageShowsCarPark |= ModelName(p.model) == "MachineSelect\\model\\S_GAR_TE_CP.ybm";
    EXPECT_TRUE(garageShowsCarPark);
    const char* layoutCodes[7] = {nullptr, "_SPA_", "_NSK_", "_BER_", "_QIR_", "_SYD_", "_CND_"};
    for (int c = 2; c <= 7; ++c) {
        const std::string name = ModelName(GetCourseMapModel(c));
        // Forward ids 2..7 run Spain, Niseko, Berlin, QIR, Sydney, Canada.
        EXPECT_NE(name.find(layoutCodes[c - 1]), std::string::npos) << "course " << c << " map " << name;
        EXPECT_NE(name.find("_layout_obj"), std::string::npos) << name;
    }
}

TEST(TableContent, MachineModelsExistInTheMachinesGroup) {
    for (int id = kFirstMachineId; id <= kLastMachineId; ++id) {
        const MachineSpec& m = *GetMachineSpec(id);
        EXPECT_TRUE(m.bankGroup >= 0 && m.bankGroup < content_ranges::kGroups) << id;
        EXPECT_TRUE(m.secondBankGroup == -1 || (m.secondBankGroup >= 0 && m.secondBankGroup < content_ranges::kGroups))
            << id;
        auto inMachineGroups = [&](uint32_t slot) {
            return InGroup(static_cast<int>(slot), m.bankGroup) ||
                   (m.secondBankGroup >= 0 && InGroup(static_cast<int>(slot), m.secondBankGroup));
        };
        auto checkNode = [&](const MachineNode& n, const std::string& where) {
            if (n.modelId != 0) {
                EXPECT_TRUE(IsModel(n.modelId)) << "machine " << id << " " << where;
                EXPECT_TRUE(inMachineGroups(n.modelId)) << "machine " << id << " " << where << " " << n.modelId;
            }
            if (n.altModelId != 0) {
                EXPECT_TRUE(IsModel(n.altModelId)) << "machine " << id << " " << where << " alt";
                EXPECT_TRUE(inMachineGroups(n.altModelId)) << "machine " << id << " " << where << " alt";
            }
        };
        for (int i = 0; i < kMachineNodes; ++i) checkNode(m.nodes[i], "node " + std::to_string(i));
        for (const TransitionList* list : m.transitionLists) {
            if (list == nullptr) continue;
            for (int f = 0; f < kTransitionFrames; ++f) checkNode(list->frames[f], "transition " + std::to_string(f));
        }
        for (const WheelOffsetTable* table : m.wheelOffsetTables) {
            if (table == nullptr) continue;
            for (const WheelOffsetEntry& e : table->entries) {
                if (e.bodyModelId == 0) continue;
                EXPECT_TRUE(IsModel(e.bodyModelId)) << "machine " << id << " wheel offset " << e.bodyModelId;
                EXPECT_TRUE(inMachineGroups(e.bodyModelId)) << "machine " << id << " wheel offset " << e.bodyModelId;
            }
        }
    }
}

TEST(TableContent, EveryScreenSpriteIdNamesASprite) {
    ExpectPlacements(ConfirmWindowPlacements, 4, "confirm");
    ExpectPlacements(TitlePlacements, 8, "title");
    ExpectPlacements(MainMenuPlacements, 7, "main menu");
    ExpectPlacements(CourseSelectPlacements, 5, "course select");
    ExpectPlacements(CourseSelectFramePlacements, 3, "course select frame");
    ExpectPlacements(MachineSelectFramePlacements, 3, "machine select frame");
    ExpectPlacements(MachineSelectInfoPlacements, 2, "machine select info");
    ExpectPlacements(MachineSelectTransmissionPlacements, 4, "machine select transmission");
    ExpectPlacements(LoadingPlacements, 3, "loading");
    ExpectPlacements(&MachineViewerTitlePlacement, 1, "viewer title");
    ExpectPlacements(MachineViewerListPlacements, 12, "viewer list");
    ExpectPlacements(EndingPlacements, 4, "ending");
    for (const MenuItemLayout* items : {PauseMenuItems, PostRaceMenuItems}) {
        const int n = items == PauseMenuItems ? 3 : 2;
        for (int i = 0; i < n; ++i) {
            EXPECT_TRUE(IsSprite(items[i].labelSprite)) << i;
            EXPECT_TRUE(IsSprite(items[i].highlightSprite)) << i;
        }
    }
    for (const MenuPageLayout& page : MainMenuPageTable) {
        for (uint32_t i = 0; i < page.count; ++i) {
            EXPECT_TRUE(IsSprite(page.items[i].sprite)) << i;
            EXPECT_TRUE(IsSprite(page.items[i].secondSprite)) << i;
        }
        for (const MenuPageItem& item : page.items) {
            ExpectSpriteOrNone(item.sprite, "menu page");
            ExpectSpriteOrNone(item.secondSprite, "menu page");
        }
    }
    for (int c = 0; c < 14; ++c) {
        const CourseSelectRecord& r = CourseSelectTable[c];
        for (uint32_t s : {r.layoutMap, r.difficulty, r.information, r.board, r.stripIcon, r.partSprite})
            ExpectSpriteOrNone(s, "course select " + std::to_string(c));
        EXPECT_LE(r.spriteGroup, 46u) << c;
        if (r.spriteGroup != 0) {
            // The panel's sheet is the board's own: the board is that sheet's first sprite.
            const tmSpriteGroupRecord* sheet = content::kSpriteGroupTable[r.spriteGroup];
            ASSERT_NE(sheet, nullptr) << c;
            EXPECT_EQ(SpriteName(r.board), sheet->sprites[0].name) << c;
            EXPECT_EQ(SpriteName(r.board).rfind("BOARD_", 0), 0u) << c;
        }
    }
    // The common window's base is the sprite of that name.
    EXPECT_EQ(SpriteName(ConfirmWindowPlacements[0].spriteId), "CM_WINDOW_BASE");
}
