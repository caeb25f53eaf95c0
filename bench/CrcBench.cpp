// CrcBench.cpp -- our CRC-32 against zlib's on 64 MiB, with the ratio printed.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "sys/base/tmFile.h"

namespace {

const std::vector<unsigned char>& Data() {
    static std::vector<unsigned char> data = [] {
        std::vector<unsigned char> d(64u << 20);
        uint32_t s = 12345;
        for (auto& b : d) {
            s = s * 214013u + 2531011u;
            b = static_cast<unsigned char>(s >> 16);
        }
        return d;
    }();
    return data;
}

void BM_tmCrc32(benchmark::State& state) {
    const auto& d = Data();
    for (auto _ : state) benchmark::DoNotOptimize(tmCrc32(0xFFFFFFFFu, d.data(), d.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(d.size()));
}

void BM_zlibCrc32(benchmark::State& state) {
    const auto& d = Data();
    for (auto _ : state) benchmark::DoNotOptimize(crc32(0L, d.data(), static_cast<uInt>(d.size())));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(d.size()));
}

BENCHMARK(BM_tmCrc32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_zlibCrc32)->Unit(benchmark::kMillisecond);

// Prints as usual and keeps each benchmark's time per iteration.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.iterations > 0)
                times[r.benchmark_name()] = r.real_accumulated_time / static_cast<double>(r.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    const auto& d = Data();
    // Same bytes, same check value: ours keeps the register, zlib complements it.
    if (~tmCrc32(0xFFFFFFFFu, d.data(), d.size()) != crc32(0L, d.data(), static_cast<uInt>(d.size()))) {
        std::fprintf(stderr, "CRC mismatch against zlib\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ours = reporter.times.find("BM_tmCrc32");
    auto zlib = reporter.times.find("BM_zlibCrc32");
    if (ours != reporter.times.end() && zlib != reporter.times.end() && zlib->second > 0)
        std::printf("tmCrc32 / zlib crc32 time ratio: %.2f\n", ours->second / zlib->second);
    benchmark::Shutdown();
    return 0;
}
