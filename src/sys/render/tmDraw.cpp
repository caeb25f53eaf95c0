// tmDraw.cpp -- the installed drawer and the silent one used when no renderer exists.
#include "sys/render/tmDraw.h"

#include "sys/gfx/tmRenderSetting.h"

namespace {
tmSilentDraw g_silent;
tmDraw* g_drawer = nullptr;
}  // namespace

sys::tmTexture* tmDraw::CreateTexture(const char*, int, int) { return nullptr; }

bool tmDraw::UploadTexture(sys::tmTexture*, const uint32_t*, int, int) { return false; }

bool tmDraw::ResetDisplay(int, int) { return false; }

float tmDraw::GetHudScale() const {
    const int w = GetBackBufferWidth(), h = GetBackBufferHeight();
    return w > 0 && h > 0 ? tmHudScaleOf(static_cast<uint32_t>(w), static_cast<uint32_t>(h)) : 1.0f;
}

tmDraw::SceneFit tmDraw::GetSceneFit() const {
    const int w = GetBackBufferWidth(), h = GetBackBufferHeight();
    SceneFit fit;
    if (w > 0 && h > 0)
        fit.aspect = tmSceneFitOf(static_cast<uint32_t>(w), static_cast<uint32_t>(h), &fit.scaleX, &fit.scaleY);
    return fit;
}

void tmDraw::SetRaceLayout(bool race) { tmSetLayoutFit(race ? tmLayoutFit::kMiddle : tmLayoutFit::kWhole); }

int tmDraw::DrawWindowCover(int slot, uint32_t colour) {
    constexpr float kSquare = 16.0f, kMargin = 32.0f;
    const int w = GetBackBufferWidth(), h = GetBackBufferHeight();
    const float width = static_cast<float>(w > 0 ? w : 1366), height = static_cast<float>(h > 0 ? h : 768);
    return DrawSpriteEx(slot, -kMargin, -kMargin, (width + 2.0f * kMargin) / kSquare,
                        (height + 2.0f * kMargin) / kSquare, colour, tmSpritePlacement::kTopLeft, 0.0f, 0.0f, 0.0f,
                        0.0f, 0.0f, 1.0f, 1.0f);
}

tmDraw* tmDraw::GetInstance() { return g_drawer ? g_drawer : &g_silent; }

void tmDraw::SetInstance(tmDraw* drawer) { g_drawer = drawer; }
