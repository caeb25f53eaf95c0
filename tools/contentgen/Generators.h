// The content generators and their registry.
//
// How to add a generator:
//  1. Write Gen<Kind>.cpp, in the room of what it makes (tools/contentgen/course/, machine/,
//     hud/, menu/, lobby/, sound/, tables/; shared helpers live in kit/), with one function
//         void Gen<Kind>(contentgen::Output& out, const contentgen::Context& ctx);
//     declare it below and add one line for it to kGenerators in Generators.cpp.
//  2. In the function, add what the game needs:
//       - banks: `auto& bank = out.AddBank("bankXX01", DefaultBankKey("bankXX01"),
//         BankDirectory::Stems)` then `bank.Add("S_FOO.dds", bytes)`; choose Paths
//         for banks the game looks up by path ("Folder\\model\\name.ybm"), None
//         for banks opened whole; `bank.KeepOrder()` when a table fixes the member
//         order, else members are sorted by name; `bank.ExpectCount(n)` to have
//         the checker pin a count. The driver writes data/bankXX01.dat and emits
//         `content::bankXX01` (a tmBankInfo), `bankXX01_dir`, `bankXX01_key`
//         and `bankXX01_count` into generated/content_tables.{h,cpp}.
//       - loose files: out.AddLooseFile("data/NoImage.jpg", bytes) (run-folder relative).
//       - C++: out.Header() << ...; out.Source() << ...; inside `namespace content`.
//         Name id constants after their content (SPR_CS_ARROW_LEFT = 65).
//       - manifests: small text files in tools/contentgen/manifest/, read with
//         ReadManifest(ctx, "name.txt", out); list each in CONTENTGEN_MANIFESTS
//         of tools/contentgen/CMakeLists.txt so edits rebuild the content.
//       - checks: out.Check(cond, "message") for invariants of your kind.
//  3. Output must be deterministic (fixed seeds, no clock, no unordered iteration).
//     Generators run in parallel on their own Output: share no mutable state.
//  4. Format writers the game also reads (byte layouts, scrambling, text
//     lines) belong in src/format (library zarvo_format), never in the tool,
//     so reader and writer share one definition; round-trip test them there.
#pragma once

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "kit/Output.h"

namespace contentgen {

struct Context {
    std::string manifestDir;  // tools/contentgen/manifest
    unsigned jobs = 1;        // threads a generator may use for work of its own
};

// Calls fn(i) for i in [0, count) on up to `jobs` threads. Results must not
// depend on the order: write each to a slot of its own.
template <typename Fn>
void ParallelFor(std::size_t count, unsigned jobs, Fn fn) {
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> threads;
    const unsigned n = std::max(1u, std::min<unsigned>(jobs, static_cast<unsigned>(count)));
    for (unsigned t = 0; t < n; ++t)
        threads.emplace_back([&] {
            for (std::size_t i = next++; i < count; i = next++) fn(i);
        });
    for (std::thread& t : threads) t.join();
}

using GeneratorFn = void (*)(Output& out, const Context& ctx);

struct Generator {
    const char* name;
    GeneratorFn run;
};

// Every generator in a fixed order; the generated C++ follows this order.
const std::vector<Generator>& AllGenerators();

// One manifest line: whitespace-separated fields ("double quoted" fields may hold blanks).
struct ManifestLine {
    int lineNumber;
    std::vector<std::string> fields;
};

// Reads manifest/<file>, skipping blank lines and lines starting with '#'.
// A missing file is reported through out.Fail and gives no lines.
std::vector<ManifestLine> ReadManifest(const Context& ctx, const std::string& file, Output& out);

// ---- generators ----
void GenDataTables(Output& out, const Context& ctx);
void GenCircuitRows(Output& out, const Context& ctx);
void GenCollision(Output& out, const Context& ctx);
void GenMachineRows(Output& out, const Context& ctx);
void GenSounds(Output& out, const Context& ctx);
void GenMusic(Output& out, const Context& ctx);
void GenModels(Output& out, const Context& ctx);
void GenTextures(Output& out, const Context& ctx);
void GenSprites(Output& out, const Context& ctx);
void GenShaders(Output& out, const Context& ctx);
// The course viewer's models and its cube map and lighting ramp, as loose files under data/CourseViewer/.
void GenCourseViewer(Output& out, const Context& ctx);

}  // namespace contentgen
