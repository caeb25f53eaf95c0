// tmRenderSetting.cpp -- level tables of the video settings and the process-wide layout values.
#include "sys/gfx/tmRenderSetting.h"

namespace {
tmRenderSetting g_current;
int g_layoutOffset = 171;
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
float tmGetLayoutScale() { return g_layoutScale; }

void tmSetLayoutFromScreen(uint32_t width, uint32_t height) {
    // Truncation toward zero, so a portrait-ish 5:4 screen gives a negative offset.
    g_layoutOffset = static_cast<int>((static_cast<float>(width) - static_cast<float>(height) * 4.0f / 3.0f) / 2.0f);
    g_layoutScale = static_cast<float>(height) / 768.0f;
}
