// Machine model nodes, body transition lists and wheel offset tables.
#pragma once

#include "table/TableTypes.h"

// One drawn model of a machine (body pose, far model or attached part); 44 bytes.
struct MachineNode {
    uint32_t modelId;       // model slot; 0 = skipped
    uint32_t altModelId;    // drawn instead while altCondition holds; 0 = none
    yiVec3 position;        // applied only when not all zero
    yiVec3 rotation;        // radians; applied only when not all zero
    uint32_t altCondition;  // kNodeAlt*
    uint32_t partKind;      // 0..23: how the part moves and when it shows
    uint32_t drawArgument;  // handed to the model draw; 0 in every entry
};
static_assert(sizeof(MachineNode) == 44, "machine nodes are eleven words");

constexpr uint32_t kNodeAltNever = 0;
constexpr uint32_t kNodeAltBrakeLamp = 1;  // brake input above 0.2 or the lamp blink counter on
constexpr uint32_t kNodeAltBrakeGlow = 2;  // brake-heat counter above 20

constexpr int kMachineNodes = 37;  // 4 poses, the far model, 32 parts
constexpr int kMachineFarNode = 4;
constexpr int kTransitionFrames = 12;

// The body model of each frame of a 12-frame pose change.
struct TransitionList {
    MachineNode frames[kTransitionFrames];
};

// Wheel position by body model, for wheel nodes of kinds 10..13.
struct WheelOffsetEntry {
    uint32_t bodyModelId;
    yiVec3 position;
};
static_assert(sizeof(WheelOffsetEntry) == 16, "wheel offset entries are 16 bytes");

struct WheelOffsetTable {
    WheelOffsetEntry entries[kTransitionFrames];
};
