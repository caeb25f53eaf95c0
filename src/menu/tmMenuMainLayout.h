// tmMenuMainLayout.h -- the main menu's own layout: entry places, sub-page rows, info texts and cup rows.
#pragma once
#include <cstdint>

#include "table/ScreenLayoutTables.h"

namespace tmMenuMainLayout {

// Top entries: a column on the left, entry k at y kTopY + kTopStep k.
constexpr float kTopX = -131.0f;
constexpr float kTopY = 55.0f;
constexpr float kTopStep = 66.0f;
constexpr float kTopStartY = -90.0f;  // above the screen, where they enter from
constexpr int32_t kTopFirstDelay = 45;
constexpr int32_t kTopDelayStep = 5;

// The sub-page frame: where it rests (a preview strip over the info frame) and
// where each top entry's page opens (quit sends it off the screen).
constexpr float kSubRestY = 612.0f;
constexpr float kSubOpenY[6] = {244.0f, 324.0f, 244.0f, 244.0f, 197.0f, 778.0f};
// Sub-page rows on the frame, relative to it: entry i at (kSubX + kSubStep i, kSubRowY).
constexpr float kSubX = 500.0f;
constexpr float kSubStep = 168.0f;
constexpr float kSubRowY = 6.0f;
// The page's title: a tab over the frame's left end.
constexpr float kSubTitleX = 500.0f;
constexpr float kSubTitleY = -36.0f;

// Frames where they stand once in place, and the leave.
constexpr float kHeadY = 0.0f;
constexpr float kFootY = 704.0f;
constexpr float kInfoY = 677.0f;
constexpr float kOffBottom = 778.0f;
constexpr float kHeadLeaveY = -74.0f;
constexpr int32_t kSubEnterDelay = 50;
constexpr int32_t kInfoEnterDelay = 60;
constexpr int32_t kFootLeaveDelay = 30;
// The cover's scale: a 16 x 16 sprite over the whole virtual screen.
constexpr float kCoverScaleX = 93.375f;
constexpr float kCoverScaleY = 52.0f;

// The info text on the info frame, relative to it.
constexpr float kInfoTextX = 40.0f;
constexpr float kInfoTextY = 14.0f;

// The race-select window's cup rows, relative to the window.
constexpr float kCupRowX = 16.0f;
constexpr float kCupRowY = 84.0f;
constexpr float kCupRowStep = 72.0f;

// Pulses of the highlights.
constexpr float kTopPulseSpeed = 0.05f, kTopPulseAmplitude = -0.2f;
constexpr float kSubPulseSpeed = 0.05f, kSubPulseAmplitude = -0.3f;
// Off sprites of disabled entries.
constexpr float kDisabledAlpha = 0.3f;

// One info record: the text sprite shown for a cursor value.
struct InfoRecord {
    uint32_t sprite;
};
// Info records of a state (null when it shows none) and their count.
const InfoRecord* InfoTable(int32_t state, int* count);

// Top entry k: off and on sprites, enable byte.
struct TopEntry {
    uint32_t off, on;
    uint8_t enabled;
};
extern const TopEntry kTopEntries[6];
// The title sprite of each page (by top entry; 0 none).
extern const uint32_t kPageTitles[6];
// The three cup rows' on sprites.
extern const uint32_t kCupOn[3];
// The frames when the menu was already showing (coming back from a viewer or option screen).
extern const SpritePlacement kFramesInPlace[7];

}  // namespace tmMenuMainLayout
