// BankBench.cpp -- bank member reads: unscrambling against a plain copy, and
// the "Machine" data table's load from the generated bank.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "format/BankCodec.h"
#include "sys/data/tmExtDataBase.h"

namespace {

std::vector<std::uint8_t>& Member() {
    static std::vector<std::uint8_t> data(16u << 20, 0x5A);
    return data;
}

// Unscrambling a 16 MiB member at an odd offset, in place.
void BM_UnscrambleMember(benchmark::State& state) {
    auto& d = Member();
    for (auto _ : state) {
        zfmt::UnscrambleMember(0x8BADF00Du, d.data(), d.size(), 3, d.size() + 3);
        benchmark::DoNotOptimize(d.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(d.size()));
}

// Reference: copying the same bytes once.
void BM_CopyMember(benchmark::State& state) {
    auto& d = Member();
    std::vector<std::uint8_t> out(d.size());
    for (auto _ : state) {
        std::memcpy(out.data(), d.data(), d.size());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(d.size()));
}

// What each machine's initialisation pays: load, look up one value, unload.
void BM_LoadMachineTable(benchmark::State& state) {
    if (chdir(ZARVO_RUN_DIR) != 0) {
        state.SkipWithError("no run folder");
        return;
    }
    auto& m = sys::tmExtDataBase::Manager::GetInstance();
    for (auto _ : state) {
        sys::tmExtDataBase* t = m.Load("Machine", false);
        benchmark::DoNotOptimize(t->GetFloat("revLimit", "torvin", "Name"));
        m.Unload("Machine");
    }
}

BENCHMARK(BM_UnscrambleMember)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyMember)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMachineTable)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
