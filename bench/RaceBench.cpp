// RaceBench.cpp -- a 16-machine race: its logic step on the null device, its frame rate on OpenGL at
// 1366 x 768 (simple path and the multi-pass path at each render-target level, side by side), the
// worst frame of real play (the whole field boosting at the start of the largest circuit, the local
// machine against a wall in tyre smoke) beside the plain race frame, and the loading screen's load
// step for a course and 16 machines. The OpenGL cases need a display (xvfb-run).
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/tmConfig.h"
#include "course/tmCollision.h"
#include "course/tmCourse.h"
#include "effect/tmEffParticles.h"
#include "effect/tyBoostTail.h"
#include "effect/tyEffectManager.h"
#include "machine/tmMachineCore.h"
#include "machine/tmMachineLook.h"
#include "machine/tmMachineSources.h"
#include "menu/tmSeqLoadingCourse.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/NullDevice.h"
#include "race/tmRaceState.h"
#include "race/tmSeqRace.h"
#include "sys/base/tmRandom.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/text/tmDxFont.h"
#include "table/CourseTable.h"
#include "table/MachineTable.h"
#include "table/yiResourceGroup.h"

#ifndef ZARVO_RUN_DIR
#define ZARVO_RUN_DIR "."
#endif

namespace {

// CPU seconds of the whole process: the game's thread and the software rasteriser's workers. On a
// machine shared with other work this moves far less than the wall clock.
double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Works in the run folder (its data/) while it lives; the race state holds a
// 16-machine single race of computer drivers on course 3.
class RaceBench {
public:
    // withLook: the machines get their models, effects and sound parts, as in the game.
    explicit RaceBench(bool withLook = false) {
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
        if (withLook) tmMachinePartFactory::Set(&tmMachineLook::Instance());
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
        tmMachinePartFactory::Set(nullptr);
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

// A hidden OpenGL device for a frame benchmark, or none with the benchmark skipped (no run folder
// or no context).
std::unique_ptr<gfx::Device> HiddenDevice(benchmark::State& state, bool benchOk, bool multiPass) {
    gfx::GlOptions options;
    options.hidden = true;
    options.multiPassInSoftware = multiPass;
    std::string error;
    std::unique_ptr<gfx::Device> dev = gfx::CreateGlDevice(options, &error);
    if (!benchOk || !dev) {
        state.SkipWithError(("no OpenGL context: " + error).c_str());
        return nullptr;
    }
    return dev;
}

// Frames of a 16-machine race drawn by the renderer at 1366 x 768; level -1 is the simple path.
void RaceFrames(benchmark::State& state, int level) {
    RaceBench bench;
    std::unique_ptr<gfx::Device> dev = HiddenDevice(state, bench.Ok(), level >= 0);
    if (!dev) return;
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
    const double cpuStart = ProcessCpuSeconds();
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
    state.counters["cpu_ms"] = frames ? (ProcessCpuSeconds() - cpuStart) * 1e3 / static_cast<double>(frames) : 0.0;
    state.SetLabel(level < 0 ? "simple" : "multi-pass, render targets " + std::to_string(level));
    race.Term();
    // Everything made on the device goes before it.
    tmDxFont::Destroy();
    tmRender::Destroy();
}

// The circuit with the most floor polygons and walls; called in the run folder.
uint32_t LargestCircuit() {
    uint32_t best = 3;
    std::size_t size = 0;
    for (int id = kFirstCircuitId; id <= kLastCourseId; ++id) {
        tmCollision c;
        const CourseRecord* r = GetCourseRecord(id);
        if (!r || !c.Load(r->collisionFile, r->wallFile, r->routeFile)) continue;
        if (c.GetPolygons().size() + c.GetWalls().size() > size) {
            size = c.GetPolygons().size() + c.GetWalls().size();
            best = static_cast<uint32_t>(id);
        }
    }
    return best;
}

// Drives the whole field as a replay does: every machine follows the route's centre line from its
// grid slot at its own lane and speed with the boost held (its boost never runs out), and the local
// machine stands on the verge with its nose in the wall beside its slot, throttle open, in the smoke
// of its tyres.
class WorstCaseField : public tmReplaySource {
public:
    explicit WorstCaseField(const tmCollision& collision) : collision_(collision) {}

    // Takes the machines' grid poses once the race runs and makes their boosts endless.
    void Start() {
        tmRaceState& rs = tmRaceState::Get();
        for (int i = 0; i < kRaceEntrants; ++i) {
            tmMachineCore* c = rs.cores[i];
            if (!c) continue;
            c->params.bstSpMin = 0.0f;
            c->params.bstTimeUse = 1 << 30;
            c->params.bstTimeWait = 0;
            c->boostStock = 1 << 20;
            start_[i] = c->position;
            yaw_[i] = c->GetYaw();
        }
        // The local machine's wall: the end of its slot's gate on its own side, the nose into it.
        const int local = static_cast<int>(rs.setup.local % kRaceEntrants);
        const auto& gates = collision_.GetSections();
        const int section = rs.cores[local] ? rs.cores[local]->section : 0;
        if (!gates.empty()) {
            const auto& g = gates[static_cast<std::size_t>(section) % gates.size()];
            const D3DXVECTOR3 da = g.a - start_[local], db = g.b - start_[local];
            const float toA = D3DXVec3LengthSq(&da), toB = D3DXVec3LengthSq(&db);
            const D3DXVECTOR3 wall = toA < toB ? g.a : g.b, other = toA < toB ? g.b : g.a;
            D3DXVECTOR3 in = other - wall;
            D3DXVec3Normalize(&in, &in);
            start_[local] = wall + in * 4.0f;
            yaw_[local] = std::atan2(-in.x, -in.z);
        }
        frame_ = 0;
        started_ = true;
    }

    // The records of the coming step.
    void Step() {
        const tmRaceState& rs = tmRaceState::Get();
        const int local = static_cast<int>(rs.setup.local % kRaceEntrants);
        for (int i = 0; i < kRaceEntrants; ++i) {
            tmReplayRecord& r = records_[i];
            r.control = tmMachineControl{};
            r.control.accelerator = 1.0f;
            const tmMachineCore* c = rs.cores[i];
            // Into the driving pose first, then the boost button every other step until it boosts
            // (held, it would end the boost).
            const uint32_t pose = c && c->spec ? static_cast<uint32_t>(c->spec->drivePose) : 0u;
            const bool boosting = c && (c->bodyMode == 2 || c->bodyMode == 3);
            r.control.bodyMode = c && !boosting && c->bodyMode != pose && frame_ % 16 == 0 ? 1 : 0;
            r.control.boost = c && !boosting && c->bodyMode == pose && (frame_ & 1) ? 1 : 0;
            const float travel =
                i == local ? 0.0f : static_cast<float>(frame_) * (6.0f + 0.25f * static_cast<float>(i));
            const D3DXVECTOR3 along(std::sin(yaw_[i]), 0.0f, std::cos(yaw_[i]));
            r.x = start_[i].x + along.x * travel;
            r.z = start_[i].z + along.z * travel;
            r.yaw = yaw_[i];
            r.frame = frame_;
        }
        ++frame_;
    }

    const tmReplayRecord* GetPlaybackRecord(int entrant) const override {
        return started_ && entrant >= 0 && entrant < kRaceEntrants ? &records_[entrant] : nullptr;
    }

private:
    const tmCollision& collision_;
    D3DXVECTOR3 start_[kRaceEntrants];
    float yaw_[kRaceEntrants] = {};
    tmReplayRecord records_[kRaceEntrants];
    uint32_t frame_ = 0;
    bool started_ = false;
};

// The worst frame of real play on a machine without a GPU (simple path, 1366 x 768): the largest
// circuit, the sixteen machines leaving the grid all boosting (a trail from every nozzle), the local
// machine against the wall in its tyre smoke with the race camera on it, and the views the game loop
// asks for (the mini map by default). Mean and 99th percentile of 600 frames' wall time.
void BM_RaceWorstFrame(benchmark::State& state) {
    RaceBench bench(true);
    std::unique_ptr<gfx::Device> dev = HiddenDevice(state, bench.Ok(), false);
    if (!dev) return;
    tmRaceState& rs = tmRaceState::Get();
    rs.setup.course = LargestCircuit();
    for (int i = 0; i < kRaceEntrants; ++i) rs.entrants[i].controllerType = kControllerReplay;
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetVideoMode(9);  // 1366 x 768
    cfg.SetVideoFlag(1);  // the effects option: sparks and smoke
    tmRenderSetting s;
    cfg.FillRenderParams(s);
    s.windowed = 1;
    s.gammaReport = 0;
    tmRender* render = tmRender::Create();
    render->SetShaderFactory([](gfx::Device*) { return std::unique_ptr<tmShaderManager>(); });
    if (!render->Initialize(dev.get(), s)) {
        state.SkipWithError("renderer set-up failed");
        tmRender::Destroy();
        return;
    }
    tmSeqRace race;
    race.Init();
    WorstCaseField field(*race.GetCourse()->GetCollision());
    tmReplaySource::Set(&field);  // no records through the countdown: the machines hold their slots
    RunToTheStart(race);
    field.Start();
    std::vector<double> ms;
    ms.reserve(600);
    int particles = 0, trailTriangles = 0;
    const double cpuStart = ProcessCpuSeconds();
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        field.Step();
        race.Update();
        // Its tyres smoke as a sliding machine's do: one puff a step at a corner in turn (its floor
        // at the wall is road and it does not slide, so its effect part would make none).
        if (const tmMachineCore* me = rs.cores[rs.setup.local % kRaceEntrants])
            tmEffSmoke::Spawn(me->corners[ms.size() % 4]);
        race.Draw();
        render->SetViewFlags(cfg.GetGameFlag3() != 0, cfg.GetGameFlag2() != 0);
        render->Render();
        render->CheckDeviceLost();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        particles = std::max(particles, ty_sEffectManager::Instance().GetCount());
        int triangles = 0;
        for (int k = 0; k < tyBoostTailManager::kSlots; ++k)
            if (const tyBoostTail* t = tyBoostTailManager::Instance().GetTrail(k))
                if (tyBoostTailManager::Instance().GetState(k) == tyBoostTailManager::kInUse)
                    triangles += t->GetSegmentCount() * t->GetPointCount() * 2;
        trailTriangles = std::max(trailTriangles, triangles);
    }
    const double cpu = ProcessCpuSeconds() - cpuStart;
    tmReplaySource::Set(nullptr);
    if (!ms.empty()) {
        double sum = 0.0;
        for (double m : ms) sum += m;
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t p99 = std::min(sorted.size() - 1, (sorted.size() * 99 + 99) / 100 - 1);
        state.counters["mean_ms"] = sum / static_cast<double>(ms.size());
        state.counters["p99_ms"] = sorted[p99];
        state.counters["max_ms"] = sorted.back();
        state.counters["cpu_ms"] = cpu * 1e3 / static_cast<double>(ms.size());
    }
    state.counters["particles"] = particles;
    state.counters["trail_tris"] = trailTriangles;
    state.counters["course"] = rs.setup.course;
    state.SetLabel("simple, 16 boosting, local against a wall");
    race.Term();
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
BENCHMARK(BM_RaceWorstFrame)->Unit(benchmark::kMillisecond)->Iterations(600);
BENCHMARK(BM_RaceFrameMultiPass)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(60);
BENCHMARK(BM_LoadingStep16)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_MAIN();
