// Harness.cpp -- the headless session: temporary folder, fake clock, scripted input.
#include "harness/Harness.h"

#include <cstdio>

#include "app/tmConfig.h"
#include "app/tmProgram.h"
#include "sys/sound/tmSound.h"

namespace harness {

Session::Session(tmSequenceFactory screens, SessionSetup sessionSetup) : folder_(sessionSetup.runData) {
    if (!folder_.Ok()) std::fprintf(stderr, "harness: no working folder of the session's own\n");

    clock_.Set(1000000);
    platform::SetClock(&clock_);
    platform::SetMessageBoxSink(&boxes_);
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetSaveFile(nullptr);
    cfg.RestoreDefaults();
    if (sessionSetup.videoMode >= 0) cfg.SetVideoMode(sessionSetup.videoMode);
    if (sessionSetup.fullScreen) cfg.SetWindowed(0);

    window_ = sessionSetup.realWindow
                  ? tmCreateGameWindow(platform::Window::Backend::Sdl)
                  : platform::Window::Create(platform::Window::Backend::Headless, platform::Window::Desc());
    tmMainLoopSetup setup;
    setup.window = window_.get();
    setup.input = &input_;
    setup.screens = screens;
    setup.switchWaitMicros = 0;
    setup.audio = platform::AudioBackend::Test;
    setup.network.backend = platform::UdpSocket::Backend::Loopback;
    setup.network.port = sessionSetup.networkPort;
    setup.firstScreen = sessionSetup.firstScreen;
    setup.beforePresent = sessionSetup.beforePresent;
    loop_ = std::make_unique<tmMainLoop>(setup);
}

Session::~Session() {
    tmSound::SetPlayObserver(nullptr);
    if (started_) loop_->Shutdown();
    loop_.reset();
    platform::SetClock(nullptr);
    platform::SetMessageBoxSink(nullptr);
}

bool Session::Start() {
    if (!window_ || !loop_->Initialize()) return false;
    started_ = true;
    loop_->GetSequenceManager()->SetSwitchObserver([this](uint64_t step, int previous, int next) {
        switches_.push_back({step, previous, next});
    });
    tmSound::SetPlayObserver([this](uint32_t id) {
        const tmSequenceManager* m = loop_->GetSequenceManager();
        sounds_.push_back({m ? m->GetTotalSteps() : 0, id});
    });
    return true;
}

int Session::CountSound(uint32_t id) const {
    int n = 0;
    for (const SoundRequest& s : sounds_) n += s.id == id;
    return n;
}

bool Session::Frame() {
    if (ended_) return false;
    // The frame wait paces one step; the rest of a multi-step frame is time that passed before it.
    if (stepsPerFrame_ > 1) clock_.Advance(uint64_t(stepsPerFrame_ - 1) * 16667u);
    if (!loop_->RunFrame()) {
        ended_ = true;
        tmConfig::GetInstance().Save();  // as Run does when the loop ends
        return false;
    }
    return true;
}

bool Session::RunUntilEnd(int maxFrames) {
    for (int i = 0; i < maxFrames && Frame(); ++i) {}
    return ended_;
}

bool Session::RunUntil(const std::function<bool()>& pred, int maxFrames) {
    for (int i = 0; i < maxFrames; ++i) {
        if (pred()) return true;
        if (!Frame()) return pred();
    }
    return pred();
}

void Session::TapKey(int dik) {
    input_.SetKey(dik, true);
    Frame();
    input_.SetKey(dik, false);
    Frame();
}

int Session::CurrentId() {
    tmSequenceManager* m = loop_->GetSequenceManager();
    return m ? m->GetCurrentId() : 0;
}

}  // namespace harness
