// RaceBench.cpp -- a 16-machine race: its logic step on the null device, its frame rate on OpenGL at
// 1366 x 768 (simple path and the multi-pass path at each render-target level, side by side), and the
// loading screen's load step for a course and 16 machines. The OpenGL cases need a display (xvfb-run).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <memory>
#include <string>

#include "app/tmConfig.h"
#include "menu/tmSeqLoadingCourse.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/NullDevice.h"
#include "race/tmRaceState.h"
#include "race/tmSeqRace.h"
#include "sys/base/tmRandom.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/text/tmDxFont.h"
#include "table/yiResourceGroup.h"

#ifndef ZARVO_RUN_DIR
#define ZARVO_RUN_DIR "."
#endif

namespace {

// Works in the run folder (its data/) while it lives; the race state holds a
// 16-machine single race of computer drivers on course 3.
class RaceBench {
public:
    RaceBench() {
        char cwd[PATH_MAX];
        back_ = getcwd(cwd, sizeof cwd) ? cwd : ".";
        ok_ = chdir(ZARVO_RUN_DIR) == 0;
        tmConfig::GetInstance().SetSaveFile(nullptr);
        tmConfig::GetInstance().RestoreDefaults();
        tmRandom::Create();
        tmRandom::GetInstance()->SetSeed(1234);
        yiResourceGroup::ResetState();
        tmRaceState& rs = tmRaceState::Get();
        rs.setup = tmRaceSetup{};
        rs.setup.course = 3;
        rs.setup.count = 16;
        rs.setup.laps = 3;
        for (int i = 0; i < kRaceEntrants; ++i) {
            tmEntrant e;
            e.machineId = 1 + static_cast<uint32_t>(i) % 11;
            e.controllerType = kControllerComputer;
            e.entrantId = static_cast<uint32_t>(i);
            rs.SetEntrant(i, e);
        }
    }
    ~RaceBench() {
        tmDxFont::Destroy();
        tmRender::Destroy();
        tmRandom::Destroy();
        yiResourceGroup::ResetState();
        (void)chdir(back_.c_str());
    }
    bool Ok() const { return ok_; }

private:
    std::string back_;
    bool ok_ = false;
};

// Runs a race set up in the race state until its machines race.
void RunToTheStart(tmSeqRace& race) {
    for (int i = 0; i < 400 && race.GetPhase() != tmSeqRace::kRacing; ++i) race.Update();
}

void BM_RaceLogicStep16(benchmark::State& state) {
    RaceBench bench;
    gfx::NullDevice device;
    device.logCalls = false;
    tmRenderSetting s;
    s.width = 1366;
    s.height = 768;
    tmRender* render = tmRender::Create();
    if (!bench.Ok() || !render->Initialize(&device, s)) {
        state.SkipWithError("no run folder or renderer");
        return;
    }
    tmSeqRace race;
    race.Init();
    RunToTheStart(race);
    for (auto _ : state) benchmark::DoNotOptimize(race.Update());
    state.SetLabel("race sequence, 16 machines, HUD");
    race.Term();
}

// Frames of a 16-machine race drawn by the renderer at 1366 x 768; level -1 is the simple path.
void RaceFrames(benchmark::State& state, int level) {
    RaceBench bench;
    gfx::GlOptions options;
    options.hidden = true;
    options.multiPassInSoftware = level >= 0;
    std::string error;
    std::unique_ptr<gfx::Device> dev = gfx::CreateGlDevice(options, &error);
    if (!bench.Ok() || !dev) {
        state.SkipWithError(("no OpenGL context: " + error).c_str());
        return;
    }
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetVideoMode(9);  // 1366 x 768
    if (level >= 0) cfg.SetRenderTargetLevel(level);
    tmRenderSetting s;
    cfg.FillRenderParams(s);
    s.windowed = 1;
    s.gammaReport = 0;
    tmRender* render = tmRender::Create();
    if (level < 0) render->SetShaderFactory([](gfx::Device*) { return std::unique_ptr<tmShaderManager>(); });
    if (!render->Initialize(dev.get(), s)) {
        state.SkipWithError("renderer set-up failed");
        tmRender::Destroy();
        return;
    }
    tmSeqRace race;
    race.Init();
    RunToTheStart(race);
    const auto start = std::chrono::steady_clock::now();
    int64_t frames = 0;
    for (auto _ : state) {
        race.Update();
        race.Draw();
        render->Render();
        render->CheckDeviceLost();  // ends the scene, presents, begins the next
        ++frames;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["fps"] = seconds > 0 ? static_cast<double>(frames) / seconds : 0.0;
    state.SetLabel(level < 0 ? "simple" : "multi-pass, render targets " + std::to_string(level));
    race.Term();
    // Everything made on the device goes before it.
    tmDxFont::Destroy();
    tmRender::Destroy();
}

void BM_RaceFrameSimple(benchmark::State& state) { RaceFrames(state, -1); }
void BM_RaceFrameMultiPass(benchmark::State& state) { RaceFrames(state, static_cast<int>(state.range(0))); }

// The loading screen's one load step: the course, the shared effects and the machines of 16 entrants.
void BM_LoadingStep16(benchmark::State& state) {
    RaceBench bench;
    gfx::NullDevice device;
    device.logCalls = false;
    tmRenderSetting s;
    s.width = 1366;
    s.height = 768;
    tmRender* render = tmRender::Create();
    if (!bench.Ok() || !render->Initialize(&device, s)) {
        state.SkipWithError("no run folder or renderer");
        return;
    }
    for (auto _ : state) {
        tmSeqLoadingCourse::LoadRaceGroups();
        state.PauseTiming();
        for (int id = 0; id < kResourceGroupCount; ++id)
            if (yiResourceGroup::IsLoaded(id)) yiResourceGroup::Get(id)->Unload();
        state.ResumeTiming();
    }
    state.SetLabel("course 3 and 16 machines (all 11 kinds)");
}

}  // namespace

BENCHMARK(BM_RaceLogicStep16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RaceFrameSimple)->Unit(benchmark::kMillisecond)->Iterations(120);
BENCHMARK(BM_RaceFrameMultiPass)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(60);
BENCHMARK(BM_LoadingStep16)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_MAIN();
