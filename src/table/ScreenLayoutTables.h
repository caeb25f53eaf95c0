// Layout tables of the menus and race panels: where each eased sprite starts and moves to.
// Coordinates are pixels of the 1366 x 768 virtual screen; sprite ids index the sprite slots.
#pragma once

#include "table/TableTypes.h"

// Start state handed to an eased screen sprite.
struct SpritePlacement {
    float x;
    float y;
    float alpha;
    uint32_t spriteId;        // 0 = none yet (the screen sets it)
    uint32_t secondSpriteId;  // drawn with the first; 0 = none
    float secondOffsetX;      // relative to the first sprite
    float secondOffsetY;
};
static_assert(sizeof(SpritePlacement) == 28, "placements are seven words");

// A destination handed to an eased sprite's move.
struct SpriteTarget {
    float x;
    float y;
    float alpha;
    uint32_t delay;  // frames before the movement starts
};
static_assert(sizeof(SpriteTarget) == 16, "targets are four words");

// One item of an in-race choice menu.
struct MenuItemLayout {
    uint32_t highlightSprite;
    uint32_t labelSprite;
    float x;
    float y;
    uint32_t layer;
};
static_assert(sizeof(MenuItemLayout) == 20, "menu items are five words");

struct MenuPageItem {
    uint32_t sprite;
    uint32_t secondSprite;  // sprite of the item's other state
    uint8_t selectable;
};
static_assert(sizeof(MenuPageItem) == 12, "page items are 12 bytes");

// One page of the main menu; the cursor wraps over the first `count` items.
struct MenuPageLayout {
    uint32_t count;  // 0..5
    MenuPageItem items[5];
};

// Course-select panel of one course id.
struct CourseSelectRecord {
    uint32_t layoutMap;    // layout-map sprite
    uint32_t difficulty;   // difficulty sprite
    uint32_t information;  // information-panel sprite
    uint32_t spriteGroup;  // sprite group to load; 0 = none
    uint32_t board;        // board sprite
    uint32_t stripIcon;    // strip-icon sprite
    float stripX;          // x of the icon on the strip
    uint32_t partSprite;   // part drawn over the layout map
    float partOffsetX;
    float partOffsetY;
    float partAlpha;  // alpha factor of the part
};
static_assert(sizeof(CourseSelectRecord) == 44, "course panels are eleven words");

// ---- Common yes/no window ------------------------------------------------------------
extern const SpritePlacement ConfirmWindowPlacements[4];

// ---- Title ---------------------------------------------------------------------------
extern const SpritePlacement TitlePlacements[8];

// ---- Main menu -----------------------------------------------------------------------
extern const SpritePlacement MainMenuPlacements[7];
extern const MenuPageLayout MainMenuPageTable[6];

// ---- Course select -------------------------------------------------------------------
// Element templates of each course: layout map, difficulty, information, board, strip icon.
extern const SpritePlacement CourseSelectPlacements[5];
// Frames (top, bottom, active marker): where they start, then where they move in.
extern const SpriteTarget CourseSelectFrameStarts[3];
extern const SpriteTarget CourseSelectFrameTargets[3];
extern const SpritePlacement CourseSelectFramePlacements[3];
extern const CourseSelectRecord CourseSelectTable[14];

// ---- Machine select ------------------------------------------------------------------
// Frame (its right half is the next sprite), left arrow, right arrow.
extern const SpritePlacement MachineSelectFramePlacements[3];
extern const SpritePlacement MachineSelectInfoPlacements[2];  // name, spec (hidden)
extern const SpritePlacement MachineSelectTransmissionPlacements[4];

// ---- Loading -------------------------------------------------------------------------
extern const SpritePlacement LoadingPlacements[3];
extern const SpriteTarget LoadingShownTargets[3];
extern const SpriteTarget LoadingHiddenTargets[3];

// ---- Machine viewer ------------------------------------------------------------------
extern const SpritePlacement MachineViewerTitlePlacement;
extern const SpritePlacement MachineViewerListPlacements[12];  // heading, then eleven rows

// ---- Ending --------------------------------------------------------------------------
extern const SpritePlacement EndingPlacements[4];

// ---- Race choice menus ---------------------------------------------------------------
extern const MenuItemLayout PauseMenuItems[3];
extern const MenuItemLayout PostRaceMenuItems[2];
