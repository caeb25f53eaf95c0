// Sub-tables of a machine record: model nodes, body transitions, wheel offsets, emitters, sounds.
#pragma once

#include "sys/sound/tmSound.h"
#include "table/MachineNode.h"
#include "table/TableTypes.h"

// First entry whose key is the body model, or null when the table (or its key) is absent.
const WheelOffsetEntry* FindWheelOffset(const WheelOffsetTable* table, uint32_t bodyModelId);

// Boost flames of one stage.
struct FlameGroup {
    int32_t count;     // emitters in use, 0..4
    yiVec3 points[4];  // machine space
    uint32_t colourA;  // ARGB; particle channels are drawn between A and B
    uint32_t colourB;
    int32_t particles;      // per emitter per frame
    int32_t trailArgument;  // handed to the boost trail's draw
    float trailScale;
    float trailSpin[4];  // per emitter, radians per frame
};

struct MachineEmitterTable {
    FlameGroup groups[2];  // first boost, second stage
    uint32_t glowColour;   // ARGB glow of two-stage machines
    float glowLength;
    float secondScale;
    yiVec3 groundPoints[4];  // smoke points, machine space
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
