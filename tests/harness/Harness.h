// Harness.h -- runs the real main loop and screens headless, one logic step per frame.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/tmMainLoop.h"
#include "harness/WorkFolder.h"
#include "platform/clock/Clock.h"
#include "platform/input/InputDevices.h"
#include "platform/window/Window.h"

namespace harness {

// One screen switch: the logic step it happened at, the id left and the id entered.
struct Switch {
    uint64_t step;
    int previous;
    int next;
    bool operator==(const Switch& o) const { return step == o.step && previous == o.previous && next == o.next; }
};

// What a session starts from besides the screens.
struct SessionSetup {
    SessionSetup() = default;
    SessionSetup(bool withRunData, int first) : runData(withRunData), firstScreen(first) {}
    // Link the run folder's data/ (content banks) into the working folder.
    bool runData = false;
    int firstScreen = kSeqTitle;
    // The game's own SDL window and OpenGL device (a display is needed) instead of none.
    bool realWindow = false;
    // The saved video mode the window is made in (-1: the default).
    int videoMode = -1;
    // The saved window option off: the window is made full screen.
    bool fullScreen = false;
    // Called after each frame is drawn, before it is shown.
    std::function<void()> beforePresent;
    // The port of the race transport (two sessions on one machine race on a port of their own).
    uint16_t networkPort = tmNetwork::kPort;
};

// One sound id asked for, and the logic step it came in.
struct SoundRequest {
    uint64_t step;
    uint32_t id;
};

// A headless game session in a fresh temporary working folder of its own
// (under TMPDIR when set; removed with the session): fake clock
// (frames are paced to exactly 1/60 s, so one logic step per frame, and no
// real sleeps), no window, scripted input, message boxes recorded, the save
// image reset to its defaults. Screens come from the factory given (the
// game's own by default); every switch is recorded.
class Session {
public:
    explicit Session(tmSequenceFactory screens = tmMakeScreenFactory(), SessionSetup setup = {});
    explicit Session(SessionSetup setup) : Session(tmMakeScreenFactory(), setup) {}
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Initializes the main loop's services; false when that fails.
    bool Start();
    // One frame; false once the loop is to end (Run's end: the save is then written).
    bool Frame();
    // Frames until the loop ends or maxFrames ran; true when it ended.
    bool RunUntilEnd(int maxFrames);
    // Frames until pred() holds (checked before each frame); false when maxFrames ran out.
    bool RunUntil(const std::function<bool()>& pred, int maxFrames);
    // Logic steps the next frame runs (1..8): the fake clock moves on by that many steps.
    void SetStepsPerFrame(int steps) { stepsPerFrame_ = steps; }
    // False when a real window was asked for and could not be made.
    bool HasWindow() const { return window_ != nullptr; }
    // Holds the key for one frame, then releases it for one frame.
    void TapKey(int dik);
    bool Ended() const { return ended_; }

    platform::ScriptedInput& Input() { return input_; }
    platform::FakeClock& Clock() { return clock_; }
    platform::Window& Window() { return *window_; }
    tmMainLoop& Loop() { return *loop_; }
    const std::vector<Switch>& Switches() const { return switches_; }
    // Every one-shot sound id a screen asked for, in order.
    const std::vector<SoundRequest>& Sounds() const { return sounds_; }
    // How often `id` was asked for.
    int CountSound(uint32_t id) const;
    const platform::RecordingMessageBoxes& MessageBoxes() const { return boxes_; }
    int CurrentId();
    // The temporary working folder (removed with the session).
    const std::string& Folder() const { return folder_.Path(); }

private:
    WorkFolder folder_;  // first in, last out: everything below lives inside it
    platform::FakeClock clock_;
    platform::ScriptedInput input_;
    platform::RecordingMessageBoxes boxes_;
    std::unique_ptr<platform::Window> window_;
    std::unique_ptr<tmMainLoop> loop_;
    std::vector<Switch> switches_;
    std::vector<SoundRequest> sounds_;
    bool started_ = false;
    int stepsPerFrame_ = 1;
    bool ended_ = false;
};

}  // namespace harness
