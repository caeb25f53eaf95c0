// tmRaceSprites.h -- sprite ids and pixel sizes of the race panels' art that their drawing relies on.
#pragma once
#include <cstdint>

#include "content_tables.h"

// The digit strips the panels draw numbers with, and the sizes of the row art
// the results panel lays its columns over. The content generator draws the
// sprites at exactly these sizes (a test compares them with the sprite records).
namespace tmRaceSprites {
// The panels' digit strip: 15 cells (digits, ":", "+", "-", "/", ".") 26 pixels apart on a 512 x 32 sprite.
constexpr uint32_t kDigitFont = content::SPR_FE_FONT_PANEL;
constexpr float kDigitStripWidth = 512.0f;
constexpr float kDigitStripHeight = 32.0f;
constexpr float kDigitCell = 26.0f;
// The common grid font (CM_FONT01): printable ASCII in rows of 16 cells of 20 x 20 on 512 x 128.
constexpr uint32_t kSmallFont = content::SPR_CM_FONT01;
constexpr float kSmallSheetWidth = 512.0f;
constexpr float kSmallSheetHeight = 128.0f;
constexpr float kSmallCell = 20.0f;

// Results panel rows and headers.
constexpr float kRowWidth = 1024.0f;
constexpr float kRowHeight = 38.0f;
constexpr float kHeaderHeight = 56.0f;
// First emblem; the emblem of machine id m is kFirstEmblem + m - 1.
constexpr uint32_t kFirstEmblem = content::SPR_FE_EMBLEM_01;
// First trophy picture; trophy t is kFirstTrophy + t.
constexpr uint32_t kFirstTrophy = content::SPR_TI_STR_TITLE_MCN_TORVIN_1WIN;
}  // namespace tmRaceSprites
