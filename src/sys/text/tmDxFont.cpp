// tmDxFont.cpp -- life and per-frame drawing of the debug font.
#include "sys/text/tmDxFont.h"

#include "sys/gfx/tmDevice.h"
#include "sys/gfx/tmRenderSetting.h"
#include "sys/text/tmTextSprite.h"

namespace {
tmDxFont* g_instance = nullptr;
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);
}  // namespace

int32_t tmDxFont::Create(int size, bool scaleToScreen) {
    if (!g_instance) g_instance = new tmDxFont();
    const int height = scaleToScreen ? static_cast<int>(static_cast<float>(size) * tmGetLayoutScale()) : size;
    gfx::Device* device = tmGetDevice();
    const int32_t result = g_instance->tmDebugFont::Create(device, height, kTextCapacity, kEntryCapacity);
    if (!g_instance->sprite_) {
        if (!device) return kFail;
        g_instance->sprite_ = std::make_unique<tmTextSprite>(device);
    }
    return result;
}

void tmDxFont::Destroy() {
    if (!g_instance) return;
    g_instance->sprite_.reset();
    g_instance->Release();
    delete g_instance;
    g_instance = nullptr;
}

tmDxFont* tmDxFont::GetInstance() { return g_instance; }

void tmDxFont::Claim::Acquire(int size, bool scaleToScreen) {
    Release();
    made_ = g_instance == nullptr;
    foundHeight_ = made_ ? 0 : g_instance->GetHeight();
    held_ = true;
    Create(size, scaleToScreen);
}

void tmDxFont::Claim::Release() {
    if (!held_) return;
    held_ = false;
    if (made_) {
        Destroy();
    } else if (g_instance && foundHeight_ > 0 && g_instance->GetHeight() != foundHeight_) {
        Create(foundHeight_, false);  // already in pixels
    }
}

void tmDxFont::Draw() {
    if (!g_instance || !g_instance->sprite_) return;
    tmTextSprite* sprite = g_instance->sprite_.get();
    sprite->Begin();
    g_instance->Flush(sprite);
    sprite->End();
}

void tmDxFont::OnLostDevice() {
    if (g_instance) g_instance->tmDebugFont::OnLostDevice();
}

void tmDxFont::OnResetDevice() {
    if (g_instance) g_instance->tmDebugFont::OnResetDevice();
}
