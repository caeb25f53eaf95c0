// StartupBench.cpp -- time from the program's start (save image, game window, input, main loop and its services)
// to the title screen's first shown frame, with the content already generated; and the settled main menu's frame
// in the default 1366 x 768 window against the same picture full screen on the display.
// Needs a display (run under xvfb-run); skips without one.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <memory>
#include <string>

#include "app/tmConfig.h"
#include "app/tmMainLoop.h"
#include "app/tmProgram.h"
#include "platform/fs/FileSystem.h"
#include "platform/input/InputDevices.h"
#include "sys/render/tmRender.h"

#ifndef ZARVO_RUN_DIR
#define ZARVO_RUN_DIR "."
#endif

namespace {

// A working folder of the benchmark's own holding the generated data/, entered for the folder's
// lifetime; the folder the benchmark started in is entered again at its end.
class RunFolder {
public:
    RunFolder() {
        char cwd[PATH_MAX];
        back_ = getcwd(cwd, sizeof cwd) ? cwd : ".";
        ok_ = chdir(folder_.Path().c_str()) == 0 && symlink(ZARVO_RUN_DIR "/data", "data") == 0;
    }
    ~RunFolder() { (void)chdir(back_.c_str()); }
    bool Ok() const { return ok_; }

private:
    std::string back_;
    platform::TempDirectory folder_;
    bool ok_ = false;
};

// Starts the program as its entry does, in a working folder of its own holding the generated data/,
// and runs frames until the title has been drawn and shown once. The take-down is not timed.
void StartToTitle(benchmark::State& state) {
    const RunFolder folder;
    if (!folder.Ok()) {
        state.SkipWithError("no working folder with the run folder's data");
        return;
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        tmConfig& cfg = tmConfig::GetInstance();
        cfg.RestoreDefaults();
        cfg.Load();
        std::unique_ptr<platform::Window> window = tmCreateGameWindow(platform::Window::Backend::Sdl);
        if (!window) {
            state.SkipWithError("no display for the game window");
            break;
        }
        std::unique_ptr<platform::InputDevices> input = platform::CreateSdlInput(*window);
        bool titleShown = false;
        tmMainLoop* live = nullptr;
        tmMainLoopSetup setup;
        setup.window = window.get();
        setup.input = input.get();
        // Called after a frame is drawn, just before it is shown.
        setup.beforePresent = [&titleShown, &live] {
            tmSequenceManager* m = live ? live->GetSequenceManager() : nullptr;
            if (m && m->GetCurrentId() == 13 && m->GetScreen()) titleShown = true;
        };
        auto loop = std::make_unique<tmMainLoop>(setup);
        live = loop.get();
        if (!loop->Initialize()) {
            state.SkipWithError("the game services could not start");
            break;
        }
        int frames = 0;
        while (!titleShown && frames < 60 && loop->RunFrame()) ++frames;
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        state.counters["frames"] = frames;  // frames run until the title was shown
        loop->Shutdown();
        loop.reset();
        input.reset();
        window.reset();
        if (!titleShown) {
            state.SkipWithError("the title was never shown");
            break;
        }
    }
}

// The main menu's frames as the renderer times them (drawing and presenting, not the wait for the next
// frame's turn); range 1: full screen, the picture fitted into the display's own mode.
void MainMenuFrame(benchmark::State& state) {
    const RunFolder folder;
    if (!folder.Ok()) {
        state.SkipWithError("no working folder with the run folder's data");
        return;
    }
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.RestoreDefaults();
    cfg.SetWindowed(state.range(0) != 0 ? 0 : 1);
    std::unique_ptr<platform::Window> window = tmCreateGameWindow(platform::Window::Backend::Sdl);
    if (!window) {
        state.SkipWithError("no display for the game window");
        return;
    }
    std::unique_ptr<platform::InputDevices> input = platform::CreateSdlInput(*window);
    tmMainLoopSetup setup;
    setup.window = window.get();
    setup.input = input.get();
    setup.firstScreen = kSeqMainMenu;
    auto loop = std::make_unique<tmMainLoop>(setup);
    if (loop->Initialize()) {
        for (int i = 0; i < 150; ++i) loop->RunFrame();  // the page slides in and settles
        for (auto _ : state) {
            loop->RunFrame();
            state.SetIterationTime(tmRender::GetInstance()->GetLastFrameTime() / 1000.0);
        }
        state.counters["window_w"] = window->Width();
        loop->Shutdown();
    } else {
        state.SkipWithError("the game services could not start");
    }
    loop.reset();
    input.reset();
    window.reset();
    cfg.RestoreDefaults();
}

}  // namespace

BENCHMARK(StartToTitle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(MainMenuFrame)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);
BENCHMARK_MAIN();
