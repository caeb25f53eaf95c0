// tmMainLoop.h -- the frame driver: services up and down, fixed logic steps, one draw per frame.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "app/tmSequence.h"
#include "app/tmSequenceManager.h"
#include "platform/audio/AudioEngine.h"
#include "sys/net/tmNetwork.h"

namespace platform {
class Window;
class InputDevices;
}  // namespace platform
struct tmVideoParams;

// What the loop runs on: the window and input backends (not owned; real or
// headless), the screen factory and the transport's options.
struct tmMainLoopSetup {
    platform::Window* window = nullptr;
    platform::InputDevices* input = nullptr;
    tmSequenceFactory screens = tmMakeScreenFactory();
    tmNetwork::Options network;
    // The pause of a screen switch; tests set 0.
    uint32_t switchWaitMicros = 100000;
    // The first screen: the title; tests may start at the debug menu.
    int firstScreen = kSeqTitle;
    // Called after each frame is drawn and before it is shown (tests read the picture back).
    std::function<void()> beforePresent;
    // Sound output: the audio device, or the pulled test mixer (headless runs).
    platform::AudioBackend audio = platform::AudioBackend::Device;
};

// Owned by the program entry. Initialize creates every process-wide service
// in a fixed order, Run runs frames of 1 to 8 logic steps of 1/60 s and one
// draw until a screen ends the program or the window closes, Shutdown takes
// the services down. Everything runs on the main thread.
class tmMainLoop {
public:
    static constexpr int kMaxSteps = 8;

    explicit tmMainLoop(const tmMainLoopSetup& setup);
    ~tmMainLoop();
    tmMainLoop(const tmMainLoop&) = delete;
    tmMainLoop& operator=(const tmMainLoop&) = delete;

    // False when the program cannot run (the renderer or the sound cannot start).
    bool Initialize();
    // Frames until the program is to end, then writes the save image.
    void Run();
    // One frame; false when the loop is to end (a screen ended the program, the window was
    // closed, or a quit signal came: the frame that saw it is the last).
    bool RunFrame();
    void Shutdown();
    // Logic steps for a frame at now (u32 microseconds, wrapping).
    int StepCount(uint32_t now);

    tmSequenceManager* GetSequenceManager() { return sequences_.get(); }
    float GetStepCarry() const { return stepCarry_; }
    void SetStepCarry(float carry) { stepCarry_ = carry; }
    void SetLastStepTime(uint32_t t) { lastStepTime_ = t; }
    float GetFrameRate() const { return frameRate_; }

    // Asks the loop to end after the current frame, as closing the window does.
    static void RequestClose();
    static bool IsCloseRequested();
    // The last measured frame rate, shown by the race display.
    static float GetPublishedFrameRate();

private:
    bool RunFrameBody();
    // The microsecond clock of the loop.
    static uint32_t Now();
    void MeasureFrameRate();

    // Services that other parts of the program provide (tmMainLoopServices.cpp).
    bool StartRenderer(const tmVideoParams& video);
    void SetFrameTimeIndex(int index);
    int RenderFrame();
    void DrawDebugFont();
    int PresentFrame();
    void WaitFrame();
    bool StartSound();
    void StartConsole();
    void StartReplay();
    void StartRandom(uint32_t seed);
    void StartRaceNetwork();
    void StopServices();

    tmMainLoopSetup setup_;
    std::unique_ptr<tmSequenceManager> sequences_;
    uint32_t lastStepTime_ = 0;
    float stepCarry_ = 0.0f;
    float frameRate_ = 0.0f;
    uint32_t ratePeriodStart_ = 0;
    uint32_t framesInPeriod_ = 0;
    uint64_t lastWaitEnd_ = 0;
    int frameTimeIndex_ = 0;
    bool initialized_ = false;
};
