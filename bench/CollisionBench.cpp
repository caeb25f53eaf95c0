// CollisionBench.cpp -- the collision queries of one logic step of a 16-machine race on the
// largest generated circuit, against the same step with the floor search alone.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <vector>

#include "course/tmCollision.h"
#include "table/CourseTable.h"

namespace {

constexpr int kMachines = 16;

// Sixteen machines spread round the lap, each moving one step toward the next gate.
struct Race {
    tmCollision collision;
    std::vector<D3DXVECTOR3> from, to, forward, side;
    bool ok = false;

    Race() {
        if (chdir(ZARVO_RUN_DIR) != 0) return;
        // The layout with the most floor polygons and walls.
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
        const CourseRecord* r = GetCourseRecord(best);
        if (!collision.Load(r->collisionFile, r->wallFile, r->routeFile)) return;
        const auto& gates = collision.GetSections();
        const int n = static_cast<int>(gates.size());
        for (int m = 0; m < kMachines; ++m) {
            const auto& g0 = gates[m * n / kMachines];
            const auto& g1 = gates[(m * n / kMachines + 1) % n];
            const D3DXVECTOR3 a = (g0.a + g0.b) * 0.5f, b = (g1.a + g1.b) * 0.5f;
            D3DXVECTOR3 d = b - a, s = g0.a - g0.b;
            D3DXVec3Normalize(&d, &d);
            D3DXVec3Normalize(&s, &s);
            from.push_back(a);
            to.push_back(a + d * 30.0f);  // a step at about 650 km/h
            forward.push_back(d);
            side.push_back(s);
        }
        ok = true;
    }
};

Race& TheRace() {
    static Race race;
    return race;
}

D3DXVECTOR3 Corner(const Race& r, int m, int k, bool after) {
    const D3DXVECTOR3& p = after ? r.to[m] : r.from[m];
    const float along = k < 2 ? 45.0f : -45.0f, across = (k % 2 == 0) ? 25.0f : -25.0f;
    return p + r.forward[m] * along + r.side[m] * across;
}

// One logic step: per machine the floor under four corners, the wall test of each corner's
// step and the section search of the machine's step.
void BM_RaceStepQueries(benchmark::State& state) {
    Race& r = TheRace();
    if (!r.ok) {
        state.SkipWithError("no generated collision bank");
        return;
    }
    for (auto _ : state) {
        for (int m = 0; m < kMachines; ++m) {
            for (int k = 0; k < 4; ++k) {
                float h = 0.0f;
                D3DXVECTOR3 n, hit, wall;
                std::uint32_t a = 0;
                benchmark::DoNotOptimize(r.collision.GetFloor(Corner(r, m, k, true), &h, &n, &a));
                benchmark::DoNotOptimize(
                    r.collision.HitWall(Corner(r, m, k, false), Corner(r, m, k, true), &hit, &wall));
            }
            benchmark::DoNotOptimize(r.collision.FindSection(r.from[m], r.to[m]));
        }
    }
    state.counters["polygons"] = static_cast<double>(r.collision.GetPolygons().size());
    state.counters["walls"] = static_cast<double>(r.collision.GetWalls().size());
}

// Reference: the floor search alone.
void BM_RaceStepFloorOnly(benchmark::State& state) {
    Race& r = TheRace();
    if (!r.ok) {
        state.SkipWithError("no generated collision bank");
        return;
    }
    for (auto _ : state) {
        for (int m = 0; m < kMachines; ++m)
            for (int k = 0; k < 4; ++k) {
                float h = 0.0f;
                benchmark::DoNotOptimize(r.collision.GetFloor(Corner(r, m, k, true), &h, nullptr, nullptr));
            }
    }
}

BENCHMARK(BM_RaceStepQueries)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RaceStepFloorOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
