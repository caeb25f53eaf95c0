// Sub-tables of a machine record: model nodes, body transitions, wheel offsets, emitters, sounds.
#pragma once

#include "sys/sound/tmSound.h"
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

constexpr int kMachineNodes = 37;       // 4 poses, the far model, 32 parts
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

// First entry whose key is the body model, or null when the table (or its key) is absent.
const WheelOffsetEntry* FindWheelOffset(const WheelOffsetTable* table, uint32_t bodyModelId);

// Boost flames of one stage.
struct FlameGroup {
    int32_t count;          // emitters in use, 0..4
    yiVec3 points[4];       // machine space
    uint32_t colourA;       // ARGB; particle channels are drawn between A and B
    uint32_t colourB;
    int32_t particles;      // per emitter per frame
    int32_t trailArgument;  // handed to the boost trail's draw
    float trailScale;
    float trailSpin[4];     // per emitter, radians per frame
};

struct MachineEmitterTable {
    FlameGroup groups[2];   // first boost, second stage
    uint32_t glowColour;    // ARGB glow of two-stage machines
    float glowLength;
    float secondScale;
    yiVec3 groundPoints[4]; // smoke points, machine space
};

// Engine and brake loops use the sound engine's LoopSoundRecord: a sound id, then the volume
// and frequency-ratio curves, each x0..x3 then y0..y3.

constexpr int kEngineLoops = 6;
constexpr int kMachineOneShots = 16;

struct MachineSoundTable {
    uint32_t teamId;
    LoopSoundRecord engineLoops[kEngineLoops];
    int32_t oneShots[kMachineOneShots];  // by movement code; below 1 = nothing
};

// The two secondary loops every player machine plays while braking.
extern const LoopSoundRecord LoopSoundParams[2];

// Where the player machine is; effects of other machines far from it are skipped.
extern yiVec3 EffectFocusPosition;
