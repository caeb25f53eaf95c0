// tmMainLoopServices.cpp -- the main loop's calls into the renderer, sound, console, replay and race network.
//
// Each service is created, called and destroyed here in the order the loop
// needs. A service that is not part of the program yet has a marked hook
// ("HOOK(name)") with the stand-in behaviour the loop runs on meanwhile.
#include "app/tmConfig.h"
#include "app/tmMainLoop.h"
#include "platform/clock/Clock.h"
#include "platform/window/Window.h"
#include "sys/tmNetwork.h"
#include "sys/base/tmRandom.h"
#include "sys/tmPeripheral.h"
#include "sys/tmTimer.h"

bool tmMainLoop::StartRenderer(const tmVideoParams& video) {
    // HOOK(renderer): tmRender::Create(); build a tmRenderSetting, fill it with
    // tmConfig::FillRenderParams and return tmRender::Initialize(window, setting).
    // Until then the window is shown as it is.
    (void)video;
    if (setup_.window) setup_.window->Show();
    return true;
}

void tmMainLoop::SetFrameTimeIndex(int index) {
    // HOOK(renderer): the renderer's frame-time index (its WaitFrame paces by it).
    frameTimeIndex_ = (index >= 0 && index <= 5) ? index : 0;
}

int tmMainLoop::RenderFrame() {
    // HOOK(renderer): return tmRender::Render().
    return 0;
}

void tmMainLoop::DrawDebugFont() {
    // HOOK(console): if the debug font exists, tmDxFont::Draw().
}

int tmMainLoop::PresentFrame() {
    // HOOK(renderer): return tmRender::CheckDeviceLost() (end scene, present, restore, begin).
    return 0;
}

void tmMainLoop::WaitFrame() {
    // HOOK(renderer): tmRender::WaitFrame(). Meanwhile each frame is held to
    // (frame-time index + 1) / 60 s from the end of the previous wait: sleep
    // most of the rest, then spin out the last 2 ms. A frame
    // that already took longer is not delayed.
    platform::Clock& clock = platform::GetClock();
    const uint64_t period = 1000000u * static_cast<uint64_t>(frameTimeIndex_ + 1) / 60u;
    const uint64_t due = lastWaitEnd_ + period;
    uint64_t now = clock.NowMicros();
    if (lastWaitEnd_ != 0 && now < due) {
        if (due - now > 2000) clock.SleepMicros(due - now - 2000);
        // Spin out the rest; a clock that stands still while read (a test
        // clock) is slept forward instead.
        int still = 0;
        uint64_t last = clock.NowMicros();
        while ((now = clock.NowMicros()) < due) {
            still = now == last ? still + 1 : 0;
            last = now;
            if (still > 1000) clock.SleepMicros(due - now);
        }
    }
    lastWaitEnd_ = clock.NowMicros();
}

bool tmMainLoop::StartSound() {
    // HOOK(sound): tmSound::Create(window) (a negative result: return false),
    // then tmSound::SetCategoryVolume(2, GetBgmVolumeScale()),
    // (1, GetSeVolumeScale()) and (3, GetSeVolumeScale() * 1.0f).
    return true;
}

void tmMainLoop::StartConsole() {
    // HOOK(console): tmConsole::Create().
}

void tmMainLoop::StartReplay() {
    // HOOK(replay): tmReplay::Create().
}

void tmMainLoop::StartRandom(uint32_t seed) {
    tmRandom::Create();
    tmRandom::GetInstance()->SetSeed(seed);
}

void tmMainLoop::StartRaceNetwork() {
    // HOOK(race network): tmRaceNetwork::Create().
}

void tmMainLoop::StopServices() {
    // HOOK(console): tmConsole::Destroy().
    tmTimer::Destroy();
    // HOOK(sound): tmSound::Destroy().       HOOK(renderer): tmRender::Destroy().
    tmPeripheral::Destroy();
    // HOOK(replay): tmReplay::Destroy().     HOOK(race network): tmRaceNetwork::Destroy().
    tmNetwork::Destroy();
    tmRandom::Destroy();
}
