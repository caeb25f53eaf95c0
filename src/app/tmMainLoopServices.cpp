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
    // HOOK(renderer): tmRender::WaitFrame(). Meanwhile frames are paced here
    // to 1/60 s times (frame-time index + 1).
    platform::Clock& clock = platform::GetClock();
    const uint64_t period = 1000000u * static_cast<uint64_t>(frameTimeIndex_ + 1) / 60u;
    const uint64_t now = clock.NowMicros();
    if (nextFrameDue_ == 0 || now > nextFrameDue_ + period) nextFrameDue_ = now;  // first frame or far behind
    nextFrameDue_ += period;
    if (nextFrameDue_ > now) clock.SleepMicros(nextFrameDue_ - now);
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
