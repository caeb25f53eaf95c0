// ContentBench.cpp -- the time to generate all content (every bank, loose file and compiled-in table) with the
// content tool, on one worker and on eight: the reference and the target case (under 30 s on 8 cores).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "platform/fs/FileSystem.h"

#ifndef ZARVO_CONTENTGEN
#define ZARVO_CONTENTGEN "contentgen"
#endif
#ifndef ZARVO_MANIFEST_DIR
#define ZARVO_MANIFEST_DIR "."
#endif

namespace {

// Runs the content tool into a fresh folder of its own per run, with state.range(0) workers.
void GenerateAllContent(benchmark::State& state) {
    const int jobs = int(state.range(0));
    for (auto _ : state) {
        platform::TempDirectory folder;
        const std::string out = folder.Path();
        const std::string command = std::string("mkdir -p '") + out + "/data' '" + out + "/run' '" + out +
                                    "/gen' && '" + ZARVO_CONTENTGEN + "' --manifest-dir '" + ZARVO_MANIFEST_DIR +
                                    "' --data-dir '" + out + "/data' --run-dir '" + out + "/run' --generated-dir '" +
                                    out + "/gen' --jobs " + std::to_string(jobs) + " > /dev/null";
        const auto start = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (status != 0) {
            state.SkipWithError("the content tool failed");
            return;
        }
        state.SetIterationTime(seconds);
    }
    state.SetLabel(std::to_string(jobs) + (jobs == 1 ? " worker (reference)" : " workers"));
}

BENCHMARK(GenerateAllContent)->Arg(1)->Arg(8)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
