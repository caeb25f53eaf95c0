// StartupBench.cpp -- time from the program's start (save image, game window, input, main loop and its services)
// to the title screen's first shown frame, with the content already generated.
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

#ifndef ZARVO_RUN_DIR
#define ZARVO_RUN_DIR "."
#endif

namespace {

// Starts the program as its entry does, in a working folder of its own holding the generated data/,
// and runs frames until the title has been drawn and shown once. The take-down is not timed.
void StartToTitle(benchmark::State& state) {
    char cwd[PATH_MAX];
    const std::string back = getcwd(cwd, sizeof cwd) ? cwd : ".";
    platform::TempDirectory folder;
    if (chdir(folder.Path().c_str()) != 0 || symlink(ZARVO_RUN_DIR "/data", "data") != 0) {
        state.SkipWithError("no working folder with the run folder's data");
        (void)chdir(back.c_str());
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
    (void)chdir(back.c_str());
}

}  // namespace

BENCHMARK(StartToTitle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_MAIN();
