// MachineManifest.h -- the one description of each machine that its node tables and its models both come from.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Generators.h"

namespace contentgen {

constexpr int kMachineCount = 12;  // ids 1..11
constexpr int kMachineNodeCount = 37;
constexpr int kMachineFrames = 12;
constexpr int kMachinePoses = 4;

// The six body families.
enum class Family { Torvin, Belmar, Quessa, Dravik, Olvane, Prentis };

// One node as the machine table stores it, with the role of what its model depicts.
struct MachinePart {
    unsigned model = 0, alt = 0, altCondition = 0, kind = 0;
    float pos[3] = {0, 0, 0}, rot[3] = {0, 0, 0};
    std::string role;  // wheel, brake, lamp, flame, nozzle, fan, turbine, ...
};

// A body between two poses: the poses' shapes blended at t.
struct MachineMorph {
    unsigned slot = 0;
    int from = 0, to = 0;
    float t = 0;
};

struct MachineDescription {
    bool present = false;
    int id = 0;
    Family family = Family::Torvin;
    int transition = 0;                           // the table record's transition type
    float scale[3] = {1, 1, 1};                   // length, width, height of the family's body
    uint32_t paint = 0, stripe = 0, trim = 0;     // livery colours (RGB)
    unsigned poses[kMachinePoses] = {}, far = 0;  // body model slots
    unsigned bodyKind = 0;                        // kind of the body and far nodes
    std::vector<MachineMorph> morphs;
    std::vector<MachinePart> parts;  // in node order (at most 32)
    bool hasList[6] = {};
    unsigned listKind[6] = {};
    unsigned lists[6][kMachineFrames] = {};
    bool hasWheelTable[4] = {};
    unsigned wheelKeys[4][kMachineFrames] = {};
    float wheelPos[4][kMachinePoses][3] = {};      // wheel position by pose; keys between poses blend
    std::vector<std::pair<unsigned, int>> spares;  // slot, pose whose body it holds

    // The pose index whose body slot this is (the first), or -1.
    int PoseOf(unsigned slot) const;
    const MachineMorph* MorphOf(unsigned slot) const;
    // The wheel position a wheel table gives for a body slot (pose or morph); false for any other slot.
    bool WheelAt(int table, unsigned slot, float out[3]) const;
};

// Reads machine_models.txt and checks it (roles against kinds, lists against
// poses and morphs, wheel keys). Entry 0 is unused.
std::array<MachineDescription, kMachineCount> ReadMachineDescriptions(const Context& ctx, Output& out);

const char* FamilyName(Family f);

}  // namespace contentgen
