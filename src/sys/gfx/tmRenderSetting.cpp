// tmRenderSetting.cpp -- level tables of the video settings and the process-wide layout values.
#include "sys/gfx/tmRenderSetting.h"

#include <algorithm>

namespace {
tmRenderSetting g_current;
int g_layoutOffset = 171;
int g_layoutOffsetY = 0;
float g_layoutScale = 1.0f;
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

void tmSetLayoutFromScreen(uint32_t width, uint32_t height) {
    // The screens are laid out on the whole 1366 x 768 virtual screen, not only on its centred 4:3
    // area, so it is fitted whole: scaled by the height on 16:9 and wider screens, by the width on
    // narrower ones (4:3, 5:4, 16:10), where it is centred with bands above and below.
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    g_layoutScale = std::min(h / 768.0f, w / 1366.0f);
    g_layoutOffset = static_cast<int>((w - 1024.0f * g_layoutScale) / 2.0f);
    g_layoutOffsetY = static_cast<int>((h - 768.0f * g_layoutScale) / 2.0f);
}
