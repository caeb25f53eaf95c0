// tmRenderSetting.cpp -- level tables of the video settings and the process-wide layout values.
#include "sys/gfx/tmRenderSetting.h"

#include <algorithm>

namespace {
tmRenderSetting g_current;
int g_layoutOffset = 171;
int g_layoutOffsetY = 0;
float g_layoutScale = 1.0f;
float g_hudScale = 1.0f;
tmLayoutFit g_fit = tmLayoutFit::kWhole;
uint32_t g_width = 1366, g_height = 768;

// The width in race display units that the display needs: the countdown's panel (440) centred between
// the course records' panels (330 wide, 20 from each edge), 10 apart, which is wider than the result banner
// (1060); a narrower window scales the display down to it, so the countdown never covers the records.
constexpr float kHudWidth = 1160.0f;
}  // namespace

void tmRenderSetting::ApplyTargetLevel(int level) {
    static const uint32_t kScene[3][2] = {{2048, 1024}, {1024, 1024}, {1024, 512}};
    if (level < 0 || level > 2) level = 2;
    sceneTargetWidth = kScene[level][0];
    sceneTargetHeight = kScene[level][1];
    workTargetWidth = 256;
    workTargetHeight = 256;
}

void tmRenderSetting::ApplyShadowLevel(int level) {
    static const uint32_t kSize[4] = {2048, 1024, 512, 16};
    if (level < 0 || level > 3) level = 3;
    shadowMapSize = kSize[level];
    shadows = level < 3 ? 1 : 0;
}

void tmRenderSetting::ApplyEffectFlag(bool on) {
    cubeTargetSize = on ? 256 : 16;
    environmentMap = on ? 1 : 0;
}

tmRenderSetting& tmGetCurrentRenderSetting() { return g_current; }
int tmGetLayoutOffset() { return g_layoutOffset; }
int tmGetLayoutOffsetY() { return g_layoutOffsetY; }
float tmGetLayoutScale() { return g_layoutScale; }
float tmGetHudScale() { return g_hudScale; }

float tmHudScaleOf(uint32_t width, uint32_t height) {
    if (width == 0 || height == 0) return 1.0f;
    return std::min(static_cast<float>(height) / 768.0f, static_cast<float>(width) / kHudWidth);
}

float tmSceneFitOf(uint32_t width, uint32_t height, float* scaleX, float* scaleY) {
    constexpr float kVirtualAspect = 1366.0f / 768.0f;
    *scaleX = *scaleY = 1.0f;
    if (width == 0 || height == 0) return kVirtualAspect;
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    if (g_fit != tmLayoutFit::kWhole) return w / h;
    const float k = std::min(h / 768.0f, w / 1366.0f);
    const float sx = 1366.0f * k / w, sy = 768.0f * k / h;
    // A window of the virtual screen's own shape keeps its own aspect, to the last bit.
    if (sx > 0.999f && sy > 0.999f) return w / h;
    *scaleX = sx;
    *scaleY = sy;
    return kVirtualAspect;
}

bool tmGetLayoutBands(int* left, int* top) {
    *left = *top = 0;
    if (g_fit != tmLayoutFit::kWhole) return false;
    *left = std::max(0, static_cast<int>(static_cast<float>(g_layoutOffset) - 171.0f * g_layoutScale));
    *top = std::max(0, g_layoutOffsetY);
    return *left > 0 || *top > 0;
}

void tmSetLayoutFromScreen(uint32_t width, uint32_t height) {
    g_width = width;
    g_height = height;
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    g_hudScale = tmHudScaleOf(width, height);
    if (g_fit == tmLayoutFit::kMiddle) {
        // The middle 1024 x 768 at the race display's scale, centred.
        g_layoutScale = g_hudScale;
    } else {
        // The screens are laid out on the whole 1366 x 768 virtual screen, not only on its centred 4:3
        // area, so it is fitted whole: scaled by the height on 16:9 and wider screens, by the width on
        // narrower ones (4:3, 5:4, 16:10), where it is centred with bands above and below.
        g_layoutScale = std::min(h / 768.0f, w / 1366.0f);
    }
    g_layoutOffset = static_cast<int>((w - 1024.0f * g_layoutScale) / 2.0f);
    g_layoutOffsetY = static_cast<int>((h - 768.0f * g_layoutScale) / 2.0f);
}

void tmSetLayoutFit(tmLayoutFit fit) {
    g_fit = fit;
    tmSetLayoutFromScreen(g_width, g_height);
}
