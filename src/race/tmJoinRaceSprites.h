// tmJoinRaceSprites.h -- sprite ids and sizes of the waiting room's art that its drawing relies on.
#pragma once
#include <cstdint>

#include "content_tables.h"

// The waiting room's sheet (sprite group 20) and the common grid font (group
// 13). The content generator draws the sprites at exactly these sizes.
namespace tmJoinRaceSprites {
constexpr uint32_t kTitleBase = content::SPR_JR_TITLE_BASE;  // 1326 x 80
constexpr uint32_t kTitleHost = content::SPR_JR_TITLE_HOST;
constexpr uint32_t kTitleGuest = content::SPR_JR_TITLE_GUEST;
constexpr uint32_t kLeave = content::SPR_JR_BTN_LEAVE;
constexpr uint32_t kLeaveOn = content::SPR_JR_BTN_LEAVE_ON;
constexpr uint32_t kReady = content::SPR_JR_BTN_READY;
constexpr uint32_t kReadyOn = content::SPR_JR_BTN_READY_ON;
constexpr uint32_t kStart = content::SPR_JR_BTN_START;
constexpr uint32_t kStartOn = content::SPR_JR_BTN_START_ON;
constexpr uint32_t kHead = content::SPR_JR_HEAD;  // 1024 x 56, column labels at the row offsets below
constexpr uint32_t kRow = content::SPR_JR_ROW;    // 1024 x 38
constexpr uint32_t kRowOwn = content::SPR_JR_ROW_OWN;
constexpr uint32_t kRowCursor = content::SPR_JR_ROW_CURSOR;
constexpr uint32_t kRowPicked = content::SPR_JR_ROW_PICKED;
constexpr uint32_t kMarkReady = content::SPR_JR_MARK_READY;  // 96 x 28
constexpr uint32_t kMarkHost = content::SPR_JR_MARK_HOST;
constexpr uint32_t kArrowLeft = content::SPR_JR_ARROW_LEFT;  // 24 x 32
constexpr uint32_t kArrowRight = content::SPR_JR_ARROW_RIGHT;
// First machine emblem (150 x 28); machine id m is kFirstMachine + m - 1.
constexpr uint32_t kFirstMachine = content::SPR_JR_MACHINE_01;
constexpr uint32_t kGearAuto = content::SPR_JR_GEAR_AT;  // 44 x 28
constexpr uint32_t kGearManual = content::SPR_JR_GEAR_MT;
constexpr uint32_t kStatusConnecting = content::SPR_JR_STR_CONNECTING;  // 600 x 30
constexpr uint32_t kStatusWaiting = content::SPR_JR_STR_WAITING;
constexpr uint32_t kStatusWaitingHost = content::SPR_JR_STR_WAITING_HOST;  // the host starts, not readies
constexpr uint32_t kStatusReady = content::SPR_JR_STR_READY;
constexpr uint32_t kStatusStarting = content::SPR_JR_STR_STARTING;
constexpr uint32_t kStatusCancelled = content::SPR_JR_STR_CANCELLED;
constexpr uint32_t kStatusLeaving = content::SPR_JR_STR_LEAVING;
constexpr uint32_t kCoursePlate = content::SPR_JR_COURSE_PLATE;  // 360 x 36, in the title bar
constexpr float kCoursePlateX = 407.0f;
constexpr float kCoursePlateY = 14.0f;  // below the title bar's top
// The grid numbers' digit strip: 15 cells of 26 x 32 ("0"-"9", ":", "+", "-", "/", ".").
constexpr uint32_t kDigits = content::SPR_JR_FONT_DIGITS;
constexpr float kDigitsWidth = 390.0f;
constexpr float kDigitsHeight = 32.0f;
constexpr float kDigitCell = 26.0f;
// Names: the common grid font, printable ASCII in rows of 16 cells of 20 x 20 on 512 x 128.
constexpr uint32_t kNameFont = content::SPR_CM_FONT01;
constexpr float kNameFontWidth = 512.0f;
constexpr float kNameFontHeight = 128.0f;
constexpr float kNameCell = 20.0f;
constexpr float kNameAdvance = 14.0f;
// A fade over the whole screen: the common white square, tinted and stretched.
constexpr uint32_t kWhite = content::SPR_CM_16X16_WHITE;

// Where a row's parts sit, from the row's left edge (virtual x 0 when the row is in).
constexpr float kRowLeft = 0.0f;
constexpr float kGridX = 20.0f;
constexpr float kDriverX = 124.0f;
constexpr float kTeamX = 420.0f;
constexpr float kMachineX = 660.0f;
constexpr float kGearX = 844.0f;
constexpr float kStatusX = 904.0f;
}  // namespace tmJoinRaceSprites
