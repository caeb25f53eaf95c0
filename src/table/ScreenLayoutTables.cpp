// The menus' and race panels' layout rows.
#include "table/ScreenLayoutTables.h"

#include "content_tables.h"
#include "sys/render/tmRenderLayer.h"

namespace {

constexpr float kWide = 1023.0f;  // offset of the right half of a two-sprite wide panel

constexpr SpritePlacement At(float x, float y, float alpha, uint32_t sprite, uint32_t second = 0, float dx = 0.0f,
                             float dy = 0.0f) {
    return SpritePlacement{x, y, alpha, sprite, second, dx, dy};
}
constexpr SpritePlacement From(const SpriteTarget& t, uint32_t sprite, uint32_t second = 0, float dx = 0.0f) {
    return SpritePlacement{t.x, t.y, t.alpha, sprite, second, dx, 0.0f};
}
constexpr MenuPageItem Item(uint32_t on, uint32_t off) { return MenuPageItem{on, off, 1}; }

constexpr SpriteTarget kCourseSelectFrameStarts[3] = {
    {-171.0f, -128.0f, 1.0f, 0}, {-171.0f, 778.0f, 1.0f, 0}, {0.0f, 0.0f, 0.0f, 0}};

constexpr CourseSelectRecord Panel(uint32_t map, uint32_t difficulty, uint32_t info, uint32_t group, uint32_t board,
                                   uint32_t icon, float stripX, uint32_t part, float px, float py) {
    return CourseSelectRecord{map, difficulty, info, group, board, icon, stripX, part, px, py, 1.0f};
}

}  // namespace

const SpritePlacement ConfirmWindowPlacements[4] = {At(0, 0, 0, content::SPR_CM_WINDOW_BASE), At(0, 26, 0, 0),
                                                    At(0, 79, 0, 18), At(0, 160, 0, 17)};

// White board, the makers' logo (centre, then four corners it gathers from), title, prompt.
const SpritePlacement TitlePlacements[8] = {At(-171, 0, 1, 956, 958, kWide),
                                            At(0, 103, 1, 957),
                                            At(-512, -512, 0, 957),
                                            At(512, -512, 0, 957),
                                            At(-512, 512, 0, 957),
                                            At(512, 512, 0, 957),
                                            At(-256, 0, 0, content::SPR_TT_TITLE, 0, kWide),
                                            At(549, 586, 0, 959)};

const SpritePlacement MainMenuPlacements[7] = {At(-171, -64, 1, 506, 531, kWide),
                                               At(-171, 768, 1, 507, 530, kWide),
                                               At(-171, 768, 1, content::SPR_MM_SUB_FRAME_A, 487, kWide),
                                               At(-171, 768, 1, 505, 510, kWide),
                                               At(-171, 0, 1, content::SPR_MM_BG_PLUS),
                                               At(-171, 0, 0, 578),
                                               At(256, 200, 0, 488)};

const MenuPageLayout MainMenuPageTable[6] = {
    {4, {Item(523, 522), Item(541, 540), Item(529, 528), Item(517, 516)}},
    {3, {Item(515, 514), Item(543, 542), Item(517, 516)}},
    {4, {Item(513, 512), Item(539, 538), Item(511, 509), Item(517, 516)}},
    {4, {Item(508, 546), Item(525, 524), Item(537, 536), Item(517, 516)}},
    {5, {Item(545, 544), Item(535, 534), Item(527, 526), Item(533, 519), Item(517, 516)}},
    {0, {}}};

// Templates at each element's unselected place; the screen sets the sprites from the panels.
const SpritePlacement CourseSelectPlacements[5] = {At(567, 120, 0, 0), At(-939, 123, 1, 0), At(-171, 332, 0, 0),
                                                   At(-171, 0, 0, 0), At(0, 0, 1, 0)};

const SpriteTarget CourseSelectFrameStarts[3] = {kCourseSelectFrameStarts[0], kCourseSelectFrameStarts[1],
                                                 kCourseSelectFrameStarts[2]};
const SpriteTarget CourseSelectFrameTargets[3] = {
    {-171.0f, 0.0f, 1.0f, 0}, {-171.0f, 650.0f, 1.0f, 0}, {0.0f, 0.0f, 1.0f, 20}};
const SpritePlacement CourseSelectFramePlacements[3] = {From(kCourseSelectFrameStarts[0], 44, 39, kWide),
                                                        From(kCourseSelectFrameStarts[1], 36, 50, kWide),
                                                        From(kCourseSelectFrameStarts[2], 51)};

const CourseSelectRecord CourseSelectTable[14] = {
    Panel(0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
    Panel(0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
    Panel(25, 33, 37, 9, content::SPR_BOARD_SPAIN, 56, -61, content::SPR_CS_ARROW_LEFT, 321, 454),
    Panel(content::SPR_CS_LAYOUT_NISEKO, content::SPR_CS_DIFFICULTY_1, content::SPR_CS_INFO_NISEKO2022, 7,
          content::SPR_BOARD_NISEKO, content::SPR_CS_ICON_NISEKO2022, -171, content::SPR_CS_ARROW_LEFT, 322, 418),
    Panel(28, 34, 45, 1, content::SPR_BOARD_BERLIN, 52, 49, content::SPR_CS_ARROW_LEFT, 213, 418),
    Panel(26, 34, 48, 5, content::SPR_BOARD_QIR, 61, 379, content::SPR_CS_ARROW_LEFT, 157, 465),
    Panel(23, 29, 40, 11, content::SPR_BOARD_SYDNEY, 57, 159, content::SPR_CS_ARROW_LEFT, 309, 420),
    Panel(27, 35, 46, 3, content::SPR_BOARD_CANADA, 62, 269, content::SPR_CS_ARROW_LEFT, 275, 230),
    Panel(25, 33, 38, 10, content::SPR_BOARD_SPAIN_REV, 55, 599, content::SPR_CS_ARROW_RIGHT, 321, 454),
    Panel(content::SPR_CS_LAYOUT_NISEKO, content::SPR_CS_DIFFICULTY_1, 42, 8, content::SPR_BOARD_NISEKO_REV, 63, 489,
          content::SPR_CS_ARROW_RIGHT, 321, 418),
    Panel(28, 34, 43, 2, content::SPR_BOARD_BERLIN_REV, 53, 709, content::SPR_CS_ARROW_RIGHT, 213, 418),
    Panel(26, 34, 49, 6, content::SPR_BOARD_QIR_REV, 60, 1039, content::SPR_CS_ARROW_RIGHT, 157, 465),
    Panel(23, 29, 41, 12, content::SPR_BOARD_SYDNEY_REV, 54, 819, content::SPR_CS_ARROW_RIGHT, 309, 420),
    Panel(27, 35, 47, 4, content::SPR_BOARD_CANADA_REV, 58, 929, content::SPR_CS_ARROW_RIGHT, 275, 230)};

const SpritePlacement MachineSelectFramePlacements[3] = {At(-171, 778, 1, 427, content::SPR_MS_FRAME_B, kWide),
                                                         At(-235, 255, 1, 459), At(1366, 255, 1, 443)};
const SpritePlacement MachineSelectInfoPlacements[2] = {At(-37, 671, 0, 0), At(585, 692, 0, 0)};
const SpritePlacement MachineSelectTransmissionPlacements[4] = {At(0, 350, 0, 429), At(512, 350, 0, 431),
                                                                At(0, 350, 0, 430), At(512, 350, 0, 432)};

const SpritePlacement LoadingPlacements[3] = {At(-171, 580, 0, 328), At(85, 580, 0, 0, 0, 128),
                                              At(-43, 580, 0, 0, 0, 128)};
const SpriteTarget LoadingShownTargets[3] = {
    {-171.0f, 580.0f, 1.0f, 0}, {85.0f, 580.0f, 1.0f, 10}, {-43.0f, 580.0f, 1.0f, 10}};
const SpriteTarget LoadingHiddenTargets[3] = {
    {-171.0f, 580.0f, 0.0f, 0}, {85.0f, 580.0f, 0.0f, 0}, {-43.0f, 580.0f, 0.0f, 0}};

const SpritePlacement MachineViewerTitlePlacement = At(0, 94, 0, 471);
const SpritePlacement MachineViewerListPlacements[12] = {
    At(0, 556, 0, 472),   At(256, 159, 0, 473), At(256, 191, 0, 473), At(256, 223, 0, 473),
    At(256, 255, 0, 473), At(256, 287, 0, 473), At(256, 319, 0, 473), At(256, 351, 0, 473),
    At(256, 383, 0, 473), At(256, 415, 0, 473), At(256, 447, 0, 473), At(256, 479, 0, 473)};

const SpritePlacement EndingPlacements[4] = {At(0, 128, 0, 67), At(-171, 0, 0, content::SPR_END_BG), At(85, 0, 0, 116),
                                             At(-171, 0, 0, 122)};

// The race's menus: top centre, scaled with the race display.
constexpr uint32_t kRaceMenuPlacement = tmSpritePlacement::kTopCentre | tmSpritePlacement::kHudScaled;
const MenuItemLayout PauseMenuItems[3] = {{177, 172, 0.0f, 112.0f, kRaceMenuPlacement},
                                          {171, 170, 0.0f, 192.0f, kRaceMenuPlacement},
                                          {176, 175, 0.0f, 272.0f, kRaceMenuPlacement}};
const MenuItemLayout PostRaceMenuItems[2] = {{171, 170, 0.0f, 152.0f, kRaceMenuPlacement},
                                             {176, 175, 0.0f, 232.0f, kRaceMenuPlacement}};
