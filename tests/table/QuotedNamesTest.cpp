// QuotedNamesTest.cpp -- the sprite and model names the screens, effects and tables use by name
// exist in the generated name tables, at the ids the tables give them by number.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "content_tables.h"
#include "sys/resource/tmSpriteGroupRecord.h"
#include "table/tmSpriteGroup.h"

namespace {

struct Pin {
    int id;
    const char* name;
};

// Names whose id also appears as a number in a table (course panels, menu pages,
// placements, batches) or in the slot ranges of the name tables.
const Pin kSpritePins[] = {
    {0, "dummy"},
    {1, "BOARD_BERLIN"},
    {2, "BOARD_BERLIN_REV"},
    {11, "BOARD_SYDNEY"},
    {14, "BOARD_SYDNEY_REV"},
    {15, "CM_WINDOW_BASE"},
    {16, "CM_FONT01"},
    {17, "CM_WINDOW_CURSOR_NO"},
    {18, "CM_WINDOW_CURSOR_YES"},
    {22, "CM_16x16_WHITE"},
    {23, "CS_LAYOUT_SYDNEY"},
    {24, "CS_LAYOUT_NISEKO"},
    {25, "CS_LAYOUT_SPAIN"},
    {26, "CS_LAYOUT_QIR"},
    {27, "CS_LAYOUT_CANADA"},
    {28, "CS_LAYOUT_BERLIN"},
    {29, "CS_DIFFICULTY_3"},
    {30, "CS_INFO_NISEKO2022"},
    {32, "CS_DIFFICULTY_1"},
    {33, "CS_DIFFICULTY_2"},
    {34, "CS_DIFFICULTY_4"},
    {35, "CS_DIFFICULTY_5"},
    {36, "CS_FRAME_BOTTOM_A"},
    {37, "CS_INFO_SPAIN2022"},
    {38, "CS_INFO_SPAIN2023"},
    {40, "CS_INFO_SYDNEY2022"},
    {41, "CS_INFO_SYDNEY2023"},
    {42, "CS_INFO_NISEKO2023"},
    {43, "CS_INFO_BERLIN2023"},
    {44, "CS_FRAME_TOP_A"},
    {45, "CS_INFO_BERLIN2022"},
    {46, "CS_INFO_CANADA2022"},
    {47, "CS_INFO_CANADA2023"},
    {48, "CS_INFO_QIR2022"},
    {49, "CS_INFO_QIR2023"},
    {51, "CS_ICON_ACTIVE"},
    {52, "CS_ICON_BERLIN2022"},
    {53, "CS_ICON_BERLIN2023"},
    {54, "CS_ICON_SYDNEY2023"},
    {55, "CS_ICON_SPAIN2023"},
    {56, "CS_ICON_SPAIN2022"},
    {57, "CS_ICON_SYDNEY2022"},
    {58, "CS_ICON_CANADA2023"},
    {59, "CS_ICON_NISEKO2022"},
    {60, "CS_ICON_QIR2023"},
    {61, "CS_ICON_QIR2022"},
    {62, "CS_ICON_CANADA2022"},
    {63, "CS_ICON_NISEKO2023"},
    {64, "CS_ARROW_RIGHT"},
    {65, "CS_ARROW_LEFT"},
    {72, "bodyWind01"},
    {114, "eff_white"},
    {116, "END_TROPHY"},
    {122, "END_SHADOW"},
    {146, "END_BG"},
    {147, "FE_CMN_LVUP_EFFECT"},
    {328, "LC_FRAME_INFOBAR"},
    {329, "LB_BG"},
    {427, "MS_FRAME_SELECT_A"},
    {429, "MS_MISSION_AT_OFF"},
    {430, "MS_MISSION_AT_ON"},
    {431, "MS_MISSION_MT_OFF"},
    {432, "MS_MISSION_MT_ON"},
    {443, "MS_ARROW_RIGHT_OFF"},
    {459, "MS_ARROW_LEFT_OFF"},
    {471, "MV_WINDOW"},
    {472, "MV_CURSOR_BACK"},
    {473, "MV_CURSOR_ACT"},
    {486, "MM_SUB_FRAME_A"},
    {488, "MM_WINDOW_RACESELECT"},
    {581, "MM_BG_PLUS"},
    {582, "MO_FRAME_VIDEO_HEAD_A"},
    {955, "TT_TITLE"},
    {956, "TT_BOARD_WHITE_A"},
    {957, "TT_LOGO_WEM"},
    {958, "TT_BOARD_WHITE_B"},
    {959, "TT_START_ON"},
    {1060, "TV_BAR_BASE_OFF_A"},
    {1172, "TV_CNT_FONT3_ON"},
};

// Main-menu sub-page entries: (on, off) ids of the page tables, by entry name.
const std::pair<const char*, std::pair<int, int>> kMenuEntries[] = {
    {"TIMEATTACK", {523, 522}}, {"CS", {541, 540}},     {"VSGHOST", {529, 528}}, {"RETURN", {517, 516}},
    {"REPLAY", {515, 514}},     {"DEMO", {543, 542}},   {"LOBBY", {513, 512}},   {"CREATE", {539, 538}},
    {"JOIN", {511, 509}},       {"GARAGE", {508, 546}}, {"TROPHY", {525, 524}},  {"COURSERECORD", {537, 536}},
};

// Names the screens use without a number, by the sprite group the screen loads for them.
const std::pair<int, std::vector<const char*>> kSpritesBySheet[] = {
    {13, {"CM_WINDOW_STR_CONNECT", "CM_WINDOW_STR_SAVE_REPLAY", "CM_WINDOW_STR_DELETE"}},
    {14, {"CS_FRAME_TOP_A", "CS_FRAME_BOTTOM_A"}},
    {15, {"CR_RANK_1ST", "CR_RANK_2ND", "CR_RANK_3RD", "CR_RANK_LOSE"}},
    {17,
     {"END_STAFF_ALLSTAFFS", "END_STAFF_DIRECTION", "END_STAFF_MACHINE", "END_STAFF_COURSE", "END_STAFF_FRONTEND",
      "END_STAFF_GAME", "END_STAFF_TOOL", "END_STAFF_SERVER", "END_STAFF_PLAN", "END_STAFF_SOUND", "END_STAFF_THEME",
      "END_STAFF_MASCOT", "END_STAFF_SPECIALTHANKS", "END_STAFF_WEM_LOGO"}},
    {21,
     {"LC_INFOBAR_STR_SPAIN2022", "LC_INFOBAR_STR_NISEKO2022", "LC_INFOBAR_STR_BERLIN2022", "LC_INFOBAR_STR_QIR2022",
      "LC_INFOBAR_STR_SYDNEY2022", "LC_INFOBAR_STR_CANADA2022", "LC_INFOBAR_STR_SPAIN2023", "LC_INFOBAR_STR_NISEKO2023",
      "LC_INFOBAR_STR_BERLIN2023", "LC_INFOBAR_STR_QIR2023", "LC_INFOBAR_STR_SYDNEY2023", "LC_INFOBAR_STR_CANADA2023",
      "LC_INFOBAR_STR_RACE_OPEN", "LC_INFOBAR_STR_RACE02", "LC_INFOBAR_STR_RACE07", "LC_INFOBAR_STR_RACE_FINAL"}},
    {23, {"MS_FRAME_GARAGE_A", "MS_FRAME_B",      "MS_ARROW_LEFT_ON", "MS_ARROW_RIGHT_ON", "MS_NAME_TORVIN",
          "MS_NAME_BELMAR",    "MS_NAME_QUESSAJ", "MS_NAME_QUESSAM",  "MS_NAME_DRAVIKR",   "MS_NAME_DRAVIKS",
          "MS_NAME_OLVANEE",   "MS_NAME_OLVANEL", "MS_NAME_PRENTISG", "MS_NAME_CUSTRELK",  "MS_NAME_CUSTRELS",
          "MS_SPEC_TORVIN",    "MS_SPEC_BELMAR",  "MS_SPEC_QUESSA",   "MS_SPEC_DRAVIK",    "MS_SPEC_OLVANE",
          "MS_SPEC_PRENTISG",  "MS_SPEC_CUSTREL"}},
    {24, {"MACHINESELECT_TORVIN"}},
    {25, {"MACHINESELECT_BELMAR"}},
    {26, {"MACHINESELECT_QUESSAJ"}},
    {27, {"MACHINESELECT_QUESSAM"}},
    {28, {"MACHINESELECT_DRAVIKR"}},
    {29, {"MACHINESELECT_DRAVIKS"}},
    {30, {"MACHINESELECT_OLVANEE"}},
    {31, {"MACHINESELECT_OLVANEL"}},
    {32, {"MACHINESELECT_PRENTISG"}},
    {33, {"MACHINESELECT_CUSTRELK"}},
    {34, {"MACHINESELECT_CUSTRELS"}},
    {35, {"MV_CURSOR_BASE", "MV_STR_TORVIN", "MV_STR_PRENTISG", "MV_STR_BELMAR"}},
    {36,
     {"MM_MAIN_SEL_CIRCUIT_OFF", "MM_MAIN_SEL_CIRCUIT_ON", "MM_MAIN_SEL_STANDS_OFF", "MM_MAIN_SEL_STANDS_ON",
      "MM_MAIN_SEL_NETWORK_OFF", "MM_MAIN_SEL_NETWORK_ON", "MM_MAIN_SEL_RECORD_OFF", "MM_MAIN_SEL_RECORD_ON",
      "MM_MAIN_SEL_OPTION_OFF", "MM_MAIN_SEL_OPTION_ON", "MM_MAIN_SEL_QUIT_OFF", "MM_MAIN_SEL_QUIT_ON"}},
    {39, {"MO_FRAME_GAME_HEAD_A",     "MO_FRAME_CTRLER_HEAD_A",  "MO_FRAME_SOUND_HEAD_A",   "MO_FRAME_HEAD_B",
          "MO_FRAME_FOOT_A",          "MO_FRAME_FOOT_B",         "MO_FRAME_BAR_ARROW_BASE", "MO_FRAME_BAR_BASE",
          "MO_FRAME_BAR_ON",          "MO_FRAME_RETURN_BASE",    "MO_FRAME_RETURN_ON",      "MO_ARROW_LEFT_ON",
          "MO_ARROW_RIGHT_ON",        "MO_ITEM_GAME_DIFFICULTY", "MO_ITEM_GAME_ROUND",      "MO_ITEM_GAME_KELPASYSTEM",
          "MO_ITEM_GAME_BACKMIRROR",  "MO_ITEM_GAME_LAYOUT",     "MO_ITEM_CTRL_DEVICE",     "MO_ITEM_CTRL_ACCEL",
          "MO_ITEM_CTRL_BRAKE",       "MO_ITEM_CTRL_BOOST",      "MO_ITEM_CTRL_TRANSFORM",  "MO_ITEM_CTRL_GEARUP",
          "MO_ITEM_CTRL_GEARDOWN",    "MO_ITEM_CTRL_VIEWCHANGE", "MO_ITEM_CTRL_PAUSE",      "MO_ITEM_VIDEO_RESOLUTION",
          "MO_ITEM_VIDEO_WINDOWMODE", "MO_ITEM_VIDEO_SCENESIZE", "MO_ITEM_VIDEO_REFLECT",   "MO_ITEM_VIDEO_SHADOWMAP",
          "MO_ITEM_VIDEO_PARTICLE",   "MO_ITEM_VIDEO_RIVAL",     "MO_ITEM_VIDEO_FRAMERATE", "MO_ITEM_VIDEO_SHOWFPS",
          "MO_ITEM_SOUND_BGMVOL",     "MO_ITEM_SOUND_SEVOL",     "MO_ITEM_SOUND_PLAYBGM",   "MO_CHOICE_EASY_ON",
          "MO_CHOICE_0_ON",           "MO_CHOICE_1_ON",          "MO_CHOICE_1_OFF",         "MO_CHOICE_3_OFF",
          "MO_CHOICE_10_ON",          "MO_CHOICE_12_ON",         "MO_CHOICE_15_ON",         "MO_CHOICE_16_ON",
          "MO_CHOICE_16_OFF",         "MO_CHOICE_20_ON",         "MO_CHOICE_30_ON",         "MO_CHOICE_60_ON",
          "MO_CHOICE_640480_ON",      "MO_CHOICE_640480_OFF",    "MO_CHOICE_ANALOG_ON",     "MO_CHOICE_DFGT_ON",
          "MO_CHOICE_HIGH_ON",        "MO_CHOICE_JOYPAD_ON",     "MO_CHOICE_LOW_ON",        "MO_CHOICE_MAX_ON",
          "MO_CHOICE_OFF_ON",         "MO_CHOICE_ON_ON",         "MO_CHOICE_S_ON",          "MO_CHOICE_S_OFF",
          "MO_CHOICE_XBOX360_ON",     "MO_CHOICE_ZAXIS_ON",      "MO_CHOICE_ZAXIS_OFF",     "MO_CHOICE_ZROT_ON",
          "MO_CHOICE_ZROT_OFF"}},
    {40, {"RV_STR_COURSE_SPAIN2022",  "RV_STR_COURSE_NISEKO2022", "RV_STR_COURSE_BERLIN2022", "RV_STR_COURSE_QIR2022",
          "RV_STR_COURSE_SYDNEY2022", "RV_STR_COURSE_CANADA2022", "RV_STR_MACHINE_TORVIN",    "RV_STR_MACHINE_BELMAR",
          "RV_STR_MACHINE_QUESSAJ",   "RV_STR_MACHINE_QUESSAM",   "RV_STR_MACHINE_DRAVIKR",   "RV_STR_MACHINE_DRAVIKS",
          "RV_STR_MACHINE_OLVANEE",   "RV_STR_MACHINE_OLVANEL",   "RV_STR_MACHINE_PRENTISG",  "RV_STR_MACHINE_CUSTRELK",
          "RV_STR_MACHINE_CUSTRELS",  "RV_BAR_MACHINE_BASE",      "RV_BAR_MACHINE_TOTALBEST", "RV_BAR_MACHINE_LAPBEST",
          "RV_BAR_MACHINE_BEST"}},
    {41, {"RS_BAR_BASE_A",        "RS_BAR_BASE_B",          "RS_BAR_COVER_A",           "RS_BAR_COVER_B",
          "RS_FRAME_SCROLL_GAGE", "RS_STR_MODE_TIMEATTACK", "RS_STR_MODE_CHAMPIONSHIP", "RS_STR_MODE_NETWORK",
          "RS_STR_MCN_TORVIN",    "RS_STR_MCN_BELMAR",      "RS_STR_MCN_QUESSAJ",       "RS_STR_MCN_QUESSAM",
          "RS_STR_MCN_DRAVIKR",   "RS_STR_MCN_DRAVIKS",     "RS_STR_MCN_OLVANEE",       "RS_STR_MCN_OLVANEL",
          "RS_STR_MCN_PRENTISG",  "RS_STR_MCN_CUSTRELK",    "RS_STR_MCN_CUSTRELS",      "RS_STR_CRC_SPAIN2022",
          "RS_STR_CRC_QIR2022",   "RS_STR_CRC_QIR2023",     "RS_STR_CRC_CANADA2023"}},
    {45, {"TI_STR_TITLE_MCN_TORVIN_1WIN", "TI_STR_TITLE_CMN_TEATIME"}},
    {46,
     {"TV_BAR_BASE_OFF_B", "TV_BAR_BASE_ON_A", "TV_BAR_BASE_ON_B", "TV_BAR_COVER_A", "TV_BAR_COVER_B",
      "TV_FRAME_HEAD_A", "TV_FRAME_HEAD_B", "TV_FRAME_FOOT_A", "TV_FRAME_FOOT_B", "TV_FRAME_SCROLL_BASE_A",
      "TV_FRAME_SCROLL_BASE_B", "TV_FRAME_SCROLL_GAGE", "TV_CNT_COMP", "TV_CNT_FONT7_OFF", "TV_CNT_FONT9_OFF",
      "TV_STR_INFO_MCN_TORVIN_1WIN", "TV_STR_INFO_CMN_TEATIME"}},
};

// Model paths the tables and screens name, at their model ids.
const Pin kModelPins[] = {
    {0, "dummy"},
    {1, "CourseNiseko\\model\\S_NSK_anim_F16.ybm"},
    {2, "CourseNiseko\\model\\S_NSK_data_a01.ybm"},
    {3, "CourseNiseko\\model\\S_NSK_data_a02.ybm"},
    {19, "CourseSpain\\model\\S_SPA_anim_arrow.ybm"},
    {38, "CourseBerlin\\model\\S_BER_anim_train.ybm"},
    {54, "CourseQir\\model\\S_QIR_anim_wing.ybm"},
    {75, "CourseSydney\\model\\S_SYD_anim_airship_mdl.ybm"},
    {100, "CourseCanada\\model\\S_CND_data_anim_ballonHi.ybm"},
    {101, "CourseCanada\\model\\S_CND_data_anim_ballonLow.ybm"},
    {116, "CourseNisekoRev\\model\\S_rNSK_anim_F16.ybm"},
    {134, "CourseSpainRev\\model\\S_rSPA_anim_arrow.ybm"},
    {153, "CourseBerlinRev\\model\\S_rBER_anim_train.ybm"},
    {169, "CourseQirRev\\model\\S_rQIR_anim_wing.ybm"},
    {190, "CourseSydneyRev\\model\\S_rSYD_anim_airship_mdl.ybm"},
    {215, "CourseCanadaRev\\model\\S_rCND_data_anim_ballonHi.ybm"},
    {216, "CourseCanadaRev\\model\\S_rCND_data_anim_ballonLow.ybm"},
    {230, "Frontend\\model\\F_BER_layout_obj.ybm"},
    {231, "Frontend\\model\\F_CND_layout_obj.ybm"},
    {232, "Frontend\\model\\F_QIR_layout_obj.ybm"},
    {238, "Frontend\\model\\F_NSK_layout_obj.ybm"},
    {239, "Frontend\\model\\F_SPA_layout_obj.ybm"},
    {240, "Frontend\\model\\F_SYD_layout_obj.ybm"},
    {1386, "Common\\model\\cmn_cube_black.ybm"},
    {1400, "Test01\\model\\cube2_with_tex.x"},
    {1403, "Test02\\model\\cube_with_sameTex.ybm"},
    {1404, "Test02\\model\\cube_with_tex.ybm"},
    {1405, "Test02\\model\\plane_with_alphaTex.ybm"},
};

// Id of a sprite name in the sprite-name table, -1 when absent.
int SpriteId(const std::string& name) {
    for (int i = 0; i < content::kSpriteNameCount; ++i)
        if (name == content::kSpriteNames[i]) return i;
    return -1;
}

int ModelId(const std::string& path) {
    for (int i = 0; i < content::kModelNameCount; ++i)
        if (path == content::kModelNames[i]) return i;
    return -1;
}

}  // namespace

TEST(QuotedNames, SpritesGivenByNumberSitAtThoseIds) {
    for (const Pin& p : kSpritePins) EXPECT_STREQ(content::kSpriteNames[p.id], p.name) << p.id;
    for (const auto& e : kMenuEntries) {
        EXPECT_EQ(SpriteId(std::string("MM_SUB_SEL_") + e.first + "_ON"), e.second.first) << e.first;
        EXPECT_EQ(SpriteId(std::string("MM_SUB_SEL_") + e.first + "_OFF"), e.second.second) << e.first;
    }
    // The effect batches draw with sprite 114 and the cover with sprite 22: both white.
    EXPECT_EQ(content::SPR_EFF_WHITE, 114);
    EXPECT_EQ(content::SPR_CM_16X16_WHITE, 22);
}

TEST(QuotedNames, SpritesUsedByNameLieInTheSheetTheirScreenLoads) {
    for (const auto& sheet : kSpritesBySheet) {
        const tmSpriteGroupRecord* g = tmSpriteGroup::Get(sheet.first);
        ASSERT_NE(g, nullptr) << sheet.first;
        const int first = SpriteId(g->sprites[0].name);
        for (const char* name : sheet.second) {
            const int id = SpriteId(name);
            EXPECT_GE(id, first) << name;
            EXPECT_LT(id, first + static_cast<int>(g->spriteCount)) << name;
        }
    }
    // Families the screens index by value: every member exists.
    for (int d = 0; d <= 9; ++d) EXPECT_GT(SpriteId("TV_CNT_FONT" + std::to_string(d) + "_ON"), 0) << d;
    for (int v = 0; v <= 16; ++v)
        for (const char* state : {"_ON", "_OFF"})
            EXPECT_GT(SpriteId("MO_CHOICE_" + std::to_string(v) + state), 0) << v << state;
    for (int r = 2; r <= 7; ++r) EXPECT_GT(SpriteId("LC_INFOBAR_STR_RACE0" + std::to_string(r)), 0) << r;
}

TEST(QuotedNames, ModelsNamedByTheTablesSitAtTheirIds) {
    for (const Pin& p : kModelPins) EXPECT_STREQ(content::kModelNames[p.id], p.name) << p.id;
    for (const char* path : {"MachineSelect\\model\\S_GAR_TE_CP.ybm", "Effect\\model\\eff_boost_egg01.ybm"})
        EXPECT_GT(ModelId(path), 0) << path;
    EXPECT_TRUE(ModelId("MachineSelect\\model\\S_GAR_TE_CP.ybm") >= 1365 &&
                ModelId("MachineSelect\\model\\S_GAR_TE_CP.ybm") <= 1385);
    EXPECT_TRUE(ModelId("Effect\\model\\eff_boost_egg01.ybm") >= 1394 &&
                ModelId("Effect\\model\\eff_boost_egg01.ybm") <= 1399);
}
