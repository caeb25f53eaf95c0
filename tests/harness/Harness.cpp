// Harness.cpp -- the headless session: temporary folder, fake clock, scripted input.
#include "harness/Harness.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "app/tmConfig.h"
#include "sys/sound/tmSound.h"

namespace harness {

Session::Session(tmSequenceFactory screens, SessionSetup sessionSetup) {
    char tmpl[] = "/tmp/zarvo_session_XXXXXX";
    const char* dir = mkdtemp(tmpl);
    folder_ = dir ? dir : "/tmp";
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) previousFolder_ = cwd;
    if (chdir(folder_.c_str()) != 0) std::perror("harness: chdir");
    if (sessionSetup.runData && symlink(ZARVO_RUN_DIR "/data", (folder_ + "/data").c_str()) != 0)
        std::perror("harness: data link");

    clock_.Set(1000000);
    platform::SetClock(&clock_);
    platform::SetMessageBoxSink(&boxes_);
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetSaveFile(nullptr);
    cfg.RestoreDefaults();

    window_ = platform::Window::Create(platform::Window::Backend::Headless, platform::Window::Desc());
    tmMainLoopSetup setup;
    setup.window = window_.get();
    setup.input = &input_;
    setup.screens = screens;
    setup.switchWaitMicros = 0;
    setup.audio = platform::AudioBackend::Test;
    setup.network.backend = platform::UdpSocket::Backend::Loopback;
    setup.network.port = sessionSetup.networkPort;
    setup.firstScreen = sessionSetup.firstScreen;
    loop_ = std::make_unique<tmMainLoop>(setup);
}

Session::~Session() {
    tmSound::SetPlayObserver(nullptr);
    if (started_) loop_->Shutdown();
    loop_.reset();
    platform::SetClock(nullptr);
    platform::SetMessageBoxSink(nullptr);
    if (!previousFolder_.empty() && chdir(previousFolder_.c_str()) != 0) std::perror("harness: chdir");
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

bool Session::Start() {
    if (!loop_->Initialize()) return false;
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
