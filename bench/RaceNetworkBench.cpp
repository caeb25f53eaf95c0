// RaceNetworkBench.cpp -- a 16-player race over the in-process hub: bytes each peer sends per second, and the
// time one step of the network takes (the host's and a guest's poll, store and send), against the bare drain.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/tmConfig.h"
#include "race/tmRaceNetwork.h"
#include "race/tmRaceState.h"
#include "tests/race/RaceHub.h"

namespace {

constexpr int kPlayers = 16;
constexpr double kStepsPerSecond = 60.0;

// Sixteen sessions, host first, with the table known to all and racing.
struct Race16 {
    racetest::RaceHub hub;
    std::vector<std::unique_ptr<tmRaceNetwork>> nets;
    std::vector<racetest::HubEndpoint*> ends;

    Race16() {
        tmRaceNetwork::SetQuietLog(true);
        tmRaceState::Get().setup.course = 3;
        for (int i = 0; i < kPlayers; ++i) {
            auto e = hub.MakeEndpoint(racetest::Loopback(i + 1), racetest::Loopback(1));
            ends.push_back(e.get());
            nets.push_back(std::make_unique<tmRaceNetwork>(std::move(e)));
            nets.back()->Start(i == 0);
            if (i > 0) {
                nets.back()->SetOwnStatus(1, 0);
                nets.back()->Send(kNetMsgEntry);
                nets[0]->Poll();
            }
        }
        nets[0]->Send(kNetMsgTable);
        for (auto& n : nets) n->Poll();
    }

    // One logic step of the race on every player.
    void Step() {
        tmPeerMachineState s;
        s.speed = 300.0f;
        for (auto& n : nets) n->SyncRace(s);
    }
};

void BM_RaceStep16(benchmark::State& state) {
    Race16 race;
    const int who = static_cast<int>(state.range(0));  // 0 the host, 1 a guest
    for (int i = 0; i < 10; ++i) race.Step();
    const uint32_t before = race.ends[who]->sentBytes;
    int64_t steps = 0;
    tmPeerMachineState s;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < kPlayers; ++i)
            if (i != who) race.nets[i]->SyncRace(s);
        state.ResumeTiming();
        race.nets[who]->SyncRace(s);
        ++steps;
    }
    const double perStep = static_cast<double>(race.ends[who]->sentBytes - before) / static_cast<double>(steps);
    state.counters["sent_bytes_per_s"] = perStep * kStepsPerSecond;
    state.counters["datagrams_per_step"] = who == 0 ? 2.0 * (kPlayers - 1) : 1.0 * (kPlayers - 1);
}
BENCHMARK(BM_RaceStep16)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The reference: the same datagrams only drained from the queue, nothing checked or applied.
void BM_DrainOnly16(benchmark::State& state) {
    Race16 race;
    tmPeerMachineState s;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 1; i < kPlayers; ++i) race.nets[i]->SyncRace(s);
        state.ResumeTiming();
        int n = 0;
        race.ends[0]->Drain([&](const tmRaceDatagram& d) { n += d.length; });
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_DrainOnly16)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
