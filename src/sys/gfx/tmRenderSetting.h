// tmRenderSetting.h -- the video set-up record, the process-wide current settings and the layout values.
#pragma once
#include <cstdint>

#include "sys/base/tmString.h"

// The video set-up record the main loop fills from the saved options and
// passes to tmRender; copyable.
struct tmRenderSetting {
    tmString name{"essencial"};
    uint32_t width = 1366;
    uint32_t height = 768;
    uint8_t windowed = 1;
    uint32_t sceneTargetWidth = 2048;
    uint32_t sceneTargetHeight = 1024;
    uint32_t workTargetWidth = 256;
    uint32_t workTargetHeight = 256;
    uint32_t secondViewWidth = 256;
    uint32_t secondViewHeight = 256;
    uint32_t mirrorWidth = 256;
    uint32_t mirrorHeight = 128;
    uint32_t shadowMapSize = 2048;
    uint32_t cubeTargetSize = 256;
    uint8_t requireRenderTargets = 1;
    uint8_t gammaReport = 1;
    uint8_t environmentMap = 1;
    uint8_t shadows = 1;

    // Scene and work sizes for render-target level 0..2 (out of range: 2).
    void ApplyTargetLevel(int level);
    // Shadow-map size and flag for shadow level 0..3 (out of range: 3, off).
    void ApplyShadowLevel(int level);
    // Cube size and environment flag from the effect flag.
    void ApplyEffectFlag(bool on);
};

// The settings of the last successful device set-up (defaults before it).
tmRenderSetting& tmGetCurrentRenderSetting();
// How placement kVirtualScreen fits the 1366 x 768 virtual screen into the window. kWhole (the
// menus): the whole virtual screen, scaled by the smaller of height / 768 and width / 1366 and
// centred, with bands above and below on screens narrower than 16:9. kMiddle (the race, whose
// panels stand in the middle 1024 x 768): that middle area at the race display's scale, centred;
// the race's picture and display fill the whole window around it.
enum class tmLayoutFit { kWhole, kMiddle };

// Where the 1024 x 768 layout area lands on the screen under the current fit: its left edge in
// pixels (the wide 1366 x 768 virtual screen reaches 171 layout units further out on both sides),
// its top edge in pixels (0 unless the screen is narrower than 16:9), and pixels per layout unit.
int tmGetLayoutOffset();
int tmGetLayoutOffsetY();
float tmGetLayoutScale();
// Pixels per unit of the race display, which is laid out for 1366 x 768 and anchored to the
// window's corners: height / 768, or less where the window is too narrow for the display's
// centred parts (the countdown, the result banner) beside its corners' parts. Of the current
// screen, and of any size.
float tmGetHudScale();
float tmHudScaleOf(uint32_t width, uint32_t height);
// How a 3D view stands in a window of width x height under the current fit, as tmDraw::SceneFit tells it
// (tmDraw::GetSceneFit hands it up): returns the aspect it is seen at and sets the share of the window's
// width and height it covers. Under the menus' fit (kWhole) it is the fitted virtual screen's; in a race
// (kMiddle) the window's aspect and scales of 1. A window of no size gives the virtual screen's, whole.
float tmSceneFitOf(uint32_t width, uint32_t height, float* scaleX, float* scaleY);
// The bands the current fit leaves around the virtual screen, in whole pixels: the width of each of the
// bands left and right of it and the height of each above and below it. False when there are none.
bool tmGetLayoutBands(int* left, int* top);
// Derives the layout values from a screen size (and the current fit).
void tmSetLayoutFromScreen(uint32_t width, uint32_t height);
// Chooses the fit (the race sets kMiddle while it runs) and derives the layout values again.
void tmSetLayoutFit(tmLayoutFit fit);
