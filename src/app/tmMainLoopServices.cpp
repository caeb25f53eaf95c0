// tmMainLoopServices.cpp -- the main loop's calls into the renderer, sound, console, replay and race network.
//
// Each service is created, called and destroyed here in the order the loop
// needs.
#include <cstdio>
#include <memory>
#include <string>

#include "app/tmConfig.h"
#include "app/tmMainLoop.h"
#include "lobby/ggSeqLobby.h"
#include "platform/clock/Clock.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/NullDevice.h"
#include "platform/window/Window.h"
#include "race/tmRaceNetwork.h"
#include "race/tmReplay.h"
#include "sys/base/tmRandom.h"
#include "sys/input/tmPeripheral.h"
#include "sys/net/tmNetwork.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShader.h"
#include "sys/sound/tmSound.h"
#include "sys/text/tmConsole.h"
#include "sys/text/tmDxFont.h"
#include "sys/tmTimer.h"
#include "table/SoundBankTable.h"

namespace {
// The graphics device: OpenGL on the real window, the recording device when headless.
std::unique_ptr<gfx::Device> g_device;
}  // namespace

bool tmMainLoop::StartRenderer(const tmVideoParams& video) {
    (void)video;  // the settings record is filled from the same saved options
    void* native = setup_.window ? setup_.window->NativeHandle() : nullptr;
    if (native) {
        gfx::GlOptions options;
        options.nativeWindow = native;
        std::string error;
        g_device = gfx::CreateGlDevice(options, &error);
        if (!g_device) {
            std::fprintf(stderr, "renderer: %s\n", error.c_str());
            return false;
        }
    } else {
        auto null = std::make_unique<gfx::NullDevice>();
        null->logCalls = false;
        g_device = std::move(null);
    }
    tmRender* render = tmRender::Create();
    render->SetMessageBoxHook([](const char* caption, const char* text) { platform::ShowMessageBox(caption, text); });
    // A program that fails to compile is reported once (the manager caches the failure).
    tmShader::SetErrorReporter(
        [](const char* caption, const std::string& text) { platform::ShowMessageBox(caption, text); });
    tmRenderSetting setting;
    tmConfig::GetInstance().FillRenderParams(setting);
    render->SetDeviceObjectHooks(
        [] {
            tmDxFont::OnLostDevice();
            tmConsole::OnLostDevice();
        },
        [] {
            tmDxFont::OnResetDevice();
            tmConsole::OnResetDevice();
        });
    if (!render->Initialize(g_device.get(), setting)) return false;
    if (setup_.window) setup_.window->Show();
    return true;
}

void tmMainLoop::SetFrameTimeIndex(int index) {
    frameTimeIndex_ = (index >= 0 && index <= 5) ? index : 0;
    if (tmRender* render = tmRender::GetInstance()) render->SetFrameTimeIndex(frameTimeIndex_);
}

int tmMainLoop::RenderFrame() {
    tmRender* render = tmRender::GetInstance();
    if (!render) return 0;
    const tmConfig& cfg = tmConfig::GetInstance();
    render->SetViewFlags(cfg.GetGameFlag3() != 0, cfg.GetGameFlag2() != 0);
    return render->Render();
}

void tmMainLoop::DrawDebugFont() {
    if (tmDxFont::GetInstance()) tmDxFont::Draw();
}

int tmMainLoop::PresentFrame() {
    tmRender* render = tmRender::GetInstance();
    return render && render->CheckDeviceLost() != 0 ? 1 : 0;
}

void tmMainLoop::WaitFrame() {
    if (tmRender* render = tmRender::GetInstance()) render->WaitFrame();
}

bool tmMainLoop::StartSound() {
    tmSoundSetup sound = GameSoundSetup();
    sound.backend = setup_.audio;
    if (tmSound::Create(setup_.window, sound) < 0) return false;
    const tmConfig& cfg = tmConfig::GetInstance();
    tmSound* instance = tmSound::GetInstance();
    instance->SetCategoryVolume(tmSoundCategory::kMusic, cfg.GetBgmVolumeScale());
    instance->SetCategoryVolume(tmSoundCategory::kEffects, cfg.GetSeVolumeScale());
    instance->SetCategoryVolume(tmSoundCategory::kLoops, cfg.GetSeVolumeScale() * 1.0f);
    return true;
}

void tmMainLoop::StartConsole() { tmConsole::Create(); }

void tmMainLoop::StartReplay() { tmReplay::Create(); }

void tmMainLoop::StartRandom(uint32_t seed) {
    tmRandom::Create();
    tmRandom::GetInstance()->SetSeed(seed);
}

void tmMainLoop::StartRaceNetwork() { tmRaceNetwork::Create(); }

void tmMainLoop::StopServices() {
    g2lobby::ReleaseLobbyClient();  // a client kept through a lobby race
    tmConsole::Destroy();
    // A debug font the last screen still holds lives on the device that goes next.
    tmDxFont::Destroy();
    tmTimer::Destroy();
    tmSound::Destroy();
    tmRender::Destroy();
    g_device.reset();
    tmPeripheral::Destroy();
    tmReplay::Destroy();
    tmRaceNetwork::Destroy();
    tmNetwork::Destroy();
    tmRandom::Destroy();
}
