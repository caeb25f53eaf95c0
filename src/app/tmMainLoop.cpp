// tmMainLoop.cpp -- service start-up order, the step count and the frame loop.
#include "app/tmMainLoop.h"

#include "app/tmConfig.h"
#include "machine/tmMachineLook.h"
#include "platform/clock/Clock.h"
#include "platform/window/QuitSignal.h"
#include "platform/window/Window.h"
#include "sys/input/tmPeripheral.h"
#include "sys/tmTimer.h"

namespace {
bool g_closeRequest = false;
float g_publishedFrameRate = 0.0f;
}  // namespace

void tmMainLoop::RequestClose() { g_closeRequest = true; }
bool tmMainLoop::IsCloseRequested() { return g_closeRequest; }
float tmMainLoop::GetPublishedFrameRate() { return g_publishedFrameRate; }

tmMainLoop::tmMainLoop(const tmMainLoopSetup& setup) : setup_(setup) { g_closeRequest = false; }

tmMainLoop::~tmMainLoop() {
    if (initialized_) Shutdown();
}

bool tmMainLoop::Initialize() {
    tmTimer::Create();
    tmConfig& cfg = tmConfig::GetInstance();
    const tmVideoParams video = cfg.GetVideoParams();
    if (!StartRenderer(video)) {
        cfg.ResetVideo(true);  // the next start comes up 1366 x 768 in a window
        return false;
    }
    SetFrameTimeIndex(cfg.GetRenderOption());
    if (!StartSound()) return false;
    // Machines of races and viewers get their model, effects and sound.
    tmMachinePartFactory::Set(&tmMachineLook::Instance());

    tmPeripheral::Create();
    tmPeripheral* input = tmPeripheral::GetInstance();
    input->Init(setup_.input, video.windowed != 0);
    // Player one's pedal type and saved pad buttons, entry by entry.
    input->SetPedalType(cfg.GetKeyDevice(), tmPlayer::kOne);
    for (int entry = tmPadAssign::kAccel; entry <= tmPadAssign::kPause; ++entry)
        input->SetJoyButtonAssign(tmPadAssign::ActionOf(entry), cfg.GetKeyAssign(entry), tmPlayer::kOne);

    StartConsole();
    StartReplay();

    sequences_ = std::make_unique<tmSequenceManager>(setup_.screens);
    sequences_->Reset(setup_.firstScreen);
    sequences_->SetSwitchWait(setup_.switchWaitMicros);

    lastStepTime_ = Now();
    stepCarry_ = 0.0f;
    ratePeriodStart_ = lastStepTime_;
    StartRandom(Now());

    tmNetwork::Create(setup_.network);
    tmNetwork::GetInstance()->LoadAddressFiles();
    StartRaceNetwork();
    initialized_ = true;
    return true;
}

int tmMainLoop::StepCount(uint32_t now) {
    const uint32_t elapsed = now - lastStepTime_;
    const float ticks = static_cast<float>(static_cast<double>(elapsed) * 0.00006);
    if (ticks > 1.0f) stepCarry_ += ticks - 1.0f;
    int steps = 1;
    if (stepCarry_ > 0.5f) {
        const int n = static_cast<int>(stepCarry_ + 0.5f);
        steps = n + 1;
        if (steps > kMaxSteps) {
            steps = kMaxSteps;
            stepCarry_ = 0.0f;
        } else {
            stepCarry_ -= static_cast<float>(n);
        }
    }
    stepCarry_ *= 0.94f;
    lastStepTime_ = now;
    return steps;
}

bool tmMainLoop::RunFrame() {
    // A second quit signal while this is set ends the process at once (a frame hung in a driver).
    platform::SetFrameBusy(true);
    const bool go = RunFrameBody();
    platform::SetFrameBusy(false);
    return go;
}

bool tmMainLoop::RunFrameBody() {
    int steps = StepCount(Now());
    bool ended = false;
    tmPeripheral* input = tmPeripheral::GetInstance();
    // Every step of a frame reads the keys the window's last pump left: a direction first seen in this frame
    // counts as held for one step, not for as many as the frame runs.
    bool frameStart = true;
    while (steps > 0) {
        if (input) {
            input->Update();
            input->UpdatePov(frameStart);
        }
        frameStart = false;
        ended = sequences_->Update(&steps);
        if (input) input->StorePrevious();
        const int next = sequences_->GetNextId();
        if ((next >= tmSequenceFactory::kFirstId && next <= tmSequenceFactory::kLastId) || ended) break;
        --steps;
    }
    if (ended) return false;

    bool end = false;
    sequences_->Draw();
    if (RenderFrame() != 0) end = true;
    DrawDebugFont();
    MeasureFrameRate();
    if (setup_.window) {
        if (!setup_.window->Pump()) end = true;
        if (setup_.window->CloseRequested()) g_closeRequest = true;
    }
    if (setup_.beforePresent) setup_.beforePresent();
    if (PresentFrame() != 0) end = true;
    WaitFrame();
    if (platform::QuitSignalled()) g_closeRequest = true;  // SIGTERM, SIGINT: as the close button
    return !(end || g_closeRequest);
}

void tmMainLoop::MeasureFrameRate() {
    const uint32_t t = Now();
    ++framesInPeriod_;
    const uint32_t span = t - ratePeriodStart_;
    if (span > 1000000u || t < ratePeriodStart_) {
        frameRate_ = static_cast<float>(framesInPeriod_) / (static_cast<float>(span) / 1000000.0f);
        ratePeriodStart_ = t;
        framesInPeriod_ = 0;
        g_publishedFrameRate = frameRate_;
    }
}

void tmMainLoop::Run() {
    while (RunFrame()) {}
    tmConfig::GetInstance().Save();
    platform::SetShuttingDown();  // what follows only shuts down: a quit signal now ends the process at once
}

void tmMainLoop::Shutdown() {
    if (sequences_) {
        sequences_->Release();
        sequences_.reset();
    }
    StopServices();
    tmMachinePartFactory::Set(nullptr);
    initialized_ = false;
}

uint32_t tmMainLoop::Now() {
    const tmTimer* timer = tmTimer::GetInstance();
    return timer ? timer->GetMicroseconds() : static_cast<uint32_t>(platform::GetClock().NowMicros());
}
