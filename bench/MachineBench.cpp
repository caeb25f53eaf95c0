// MachineBench.cpp -- one logic step of a 16-machine race on the largest generated circuit:
// every machine's control (computer driver), drivetrain, tires, contact with the walls and the
// other machines, floor, attitude and lap logic; against the same step with machine contact off.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "course/tmCollision.h"
#include "course/tmCourse.h"
#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "race/tmRaceState.h"
#include "sys/base/tmRandom.h"
#include "table/CourseTable.h"

namespace {

constexpr int kMachines = 16;

// Sixteen computer machines on the grid of the circuit with the most floor polygons and walls,
// raced for ten seconds so that the field has spread out and touches.
struct Field {
    tmCourse course;
    std::vector<std::unique_ptr<tmMachine>> machines;
    bool ok = false;

    explicit Field(uint32_t mode) {
        if (chdir(ZARVO_RUN_DIR) != 0) return;
        int best = 0;
        std::size_t size = 0;
        for (int id = kFirstCircuitId; id <= kLastCourseId; ++id) {
            tmCollision c;
            const CourseRecord* r = GetCourseRecord(id);
            if (!c.Load(r->collisionFile, r->wallFile, r->routeFile)) return;
            if (c.GetPolygons().size() + c.GetWalls().size() > size) {
                size = c.GetPolygons().size() + c.GetWalls().size();
                best = id;
            }
        }
        if (!course.Init(best)) return;
        tmRandom::Create()->SetSeed(5);
        tmRaceState& race = tmRaceState::Get();
        race.setup.course = static_cast<uint32_t>(best);
        race.setup.mode = mode;
        race.setup.count = kMachines;
        race.setup.laps = 32;
        race.setup.difficulty = 2;
        race.status = 3;
        for (int i = 0; i < kMachines; ++i) {
            tmEntrant e;
            e.machineId = static_cast<uint32_t>(1 + i % 11);
            e.controllerType = kControllerComputer;
            race.entrants[i] = e;
            machines.push_back(std::make_unique<tmMachine>());
            machines.back()->Init(&course, e, i, false, false);
            race.cores[i] = machines.back()->GetCore();
        }
        for (int s = 0; s < 600; ++s) Step();
        ok = true;
    }
    ~Field() {
        for (tmMachineCore*& c : tmRaceState::Get().cores) c = nullptr;
        machines.clear();
        course.Release();
    }
    void Step() {
        for (auto& m : machines) m->Update(&course);
    }
};

void RaceSteps(benchmark::State& state, uint32_t mode) {
    Field field(mode);
    if (!field.ok) {
        state.SkipWithError("no generated course");
        return;
    }
    for (auto _ : state) field.Step();
    state.counters["machines"] = kMachines;
}

// The step of a race in which machines touch (a cup race).
void BM_RaceStep16(benchmark::State& state) { RaceSteps(state, kRaceModeCup); }
// Reference: the same field as ghosts, with no machine contact tests.
void BM_RaceStep16Ghosts(benchmark::State& state) { RaceSteps(state, kRaceModeSingle); }

BENCHMARK(BM_RaceStep16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RaceStep16Ghosts)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
