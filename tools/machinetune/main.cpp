// main.cpp -- machinetune: prints the feel of every machine and checks it against the manifest's ranges.
//
//   machinetune --run-dir DIR [--manifest machines.txt] [--check] [--machine ID]
//
// The run folder holds the generated banks the game reads. With a manifest,
// the rows named "sim..." give each machine's allowed range (a Min and a Max
// row per value); --check makes any value outside its range, or two machines
// that feel the same, an error (exit status 1).
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "table/EngineTables.h"
#include "table/MachineTable.h"
#include "tools/machinetune/MachineTrials.h"

namespace {

// Rows of the machine manifest by name, one value per model code in column order.
using Manifest = std::map<std::string, std::vector<double>>;

Manifest ReadManifest(const std::string& path, bool* ok) {
    Manifest rows;
    std::ifstream in(path);
    *ok = static_cast<bool>(in);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string name;
        if (!(words >> name) || name[0] == '#' || name == "code") continue;
        std::vector<double> values;
        std::string word;
        while (words >> word) values.push_back(std::strtod(word.c_str(), nullptr));
        rows[name] = values;
    }
    return rows;
}

struct Check {
    const char* row;  // manifest rows <row>Min and <row>Max
    const char* what;
    float MachineTrialResult::*value;
    int lap;  // index into the lap arrays when value is null; -1 otherwise
    bool keyboard;
};

float ValueOf(const MachineTrialResult& r, const Check& c) {
    if (c.value) return r.*c.value;
    return c.keyboard ? r.keyboardLap[c.lap] : r.computerLap[c.lap];
}

const Check kChecks[] = {
    {"simTopKmh", "top speed (km/h)", &MachineTrialResult::topKmh, -1, false},
    {"simAeroTopKmh", "aero top speed (km/h)", &MachineTrialResult::aeroTopKmh, -1, false},
    {"simBoostPeakKmh", "boost peak (km/h)", &MachineTrialResult::boostPeakKmh, -1, false},
    {"simSecondPeakKmh", "second-stage peak (km/h)", &MachineTrialResult::secondPeakKmh, -1, false},
    {"simTo200", "0-200 km/h (s)", &MachineTrialResult::secondsTo200, -1, false},
    {"simLateral", "grip at 200 km/h (m/s2)", &MachineTrialResult::lateral, -1, false},
    {"simLapA", "computer lap, first circuit (s)", nullptr, 0, false},
    {"simLapB", "computer lap, second circuit (s)", nullptr, 1, false},
    {"simLapC", "computer lap, third circuit (s)", nullptr, 2, false},
    {"simKeyLapA", "keyboard lap, first circuit (s)", nullptr, 0, true},
    {"simKeyLapB", "keyboard lap, second circuit (s)", nullptr, 1, true},
    {"simKeyLapC", "keyboard lap, third circuit (s)", nullptr, 2, true},
};

// Least spacing between any two machines for the values that make them feel different.
struct Distinct {
    float MachineTrialResult::*value;
    const char* what;
    float least;
};
const Distinct kDistinct[] = {
    {&MachineTrialResult::topKmh, "top speed", 2.0f},
    {&MachineTrialResult::secondsTo200, "0-200 km/h", 0.04f},
    {&MachineTrialResult::lateral, "grip", 0.2f},
    {&MachineTrialResult::boostPeakKmh, "boost peak", 2.0f},
};

}  // namespace

int main(int argc, char** argv) {
    tmEngineTables::Register(GameEngineTables());
    std::string runDir, manifestPath;
    bool check = false;
    int only = 0;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--run-dir" && i + 1 < argc)
            runDir = argv[++i];
        else if (a == "--manifest" && i + 1 < argc)
            manifestPath = argv[++i];
        else if (a == "--check")
            check = true;
        else if (a == "--machine" && i + 1 < argc)
            only = std::atoi(argv[++i]);
        else {
            std::fprintf(stderr, "usage: machinetune --run-dir DIR [--manifest FILE] [--check] [--machine ID]\n");
            return 2;
        }
    }
    Manifest manifest;
    if (!manifestPath.empty()) {
        bool ok = false;
        manifest = ReadManifest(manifestPath, &ok);
        if (!ok) {
            std::fprintf(stderr, "machinetune: cannot read %s\n", manifestPath.c_str());
            return 2;
        }
    }

    if (!runDir.empty() && chdir(runDir.c_str()) != 0) {
        std::fprintf(stderr, "machinetune: cannot enter %s\n", runDir.c_str());
        return 2;
    }
    MachineTrials trials;
    std::vector<MachineTrialResult> results(kMachineTableSize);
    std::printf("%-10s %7s %7s %7s %7s %6s %6s | %6s %6s %6s | %6s %6s %6s\n", "machine", "top", "aero", "boost", "2nd",
                "0-200", "grip", "lapA", "lapB", "lapC", "keyA", "keyB", "keyC");
    int failures = 0;
    for (int id = kFirstMachineId; id <= kLastMachineId; ++id) {
        if (only && id != only) continue;
        const MachineTrialResult& r = results[static_cast<size_t>(id)] = trials.Run(id);
        std::printf("%-10s %7.1f %7.1f %7.1f %7.1f %6.2f %6.2f | %6.2f %6.2f %6.2f | %6.2f %6.2f %6.2f\n",
                    GetMachineSpec(id)->modelCode, r.topKmh, r.aeroTopKmh, r.boostPeakKmh, r.secondPeakKmh,
                    r.secondsTo200, r.lateral, r.computerLap[0], r.computerLap[1], r.computerLap[2], r.keyboardLap[0],
                    r.keyboardLap[1], r.keyboardLap[2]);
        std::fflush(stdout);
        for (const Check& c : kChecks) {
            auto lo = manifest.find(std::string(c.row) + "Min"), hi = manifest.find(std::string(c.row) + "Max");
            const size_t column = static_cast<size_t>(id - 1);
            if (lo == manifest.end() || hi == manifest.end() || column >= lo->second.size() ||
                column >= hi->second.size())
                continue;
            const float v = ValueOf(r, c);
            if (v < lo->second[column] || v > hi->second[column]) {
                std::printf("  %s: %s %.2f outside %.2f .. %.2f\n", GetMachineSpec(id)->modelCode, c.what, v,
                            lo->second[column], hi->second[column]);
                ++failures;
            }
        }
    }
    if (!only) {
        for (const Distinct& d : kDistinct) {
            for (int a = kFirstMachineId; a <= kLastMachineId; ++a)
                for (int b = a + 1; b <= kLastMachineId; ++b) {
                    const float va = results[static_cast<size_t>(a)].*d.value,
                                vb = results[static_cast<size_t>(b)].*d.value;
                    if (std::fabs(va - vb) < d.least) {
                        std::printf("  %s and %s: %s too close (%.2f, %.2f)\n", GetMachineSpec(a)->modelCode,
                                    GetMachineSpec(b)->modelCode, d.what, va, vb);
                        ++failures;
                    }
                }
        }
    }
    if (check && failures) {
        std::printf("machinetune: %d value(s) out of range\n", failures);
        return 1;
    }
    return 0;
}
