// The machine table: the eleven racing machines by machine id.
#pragma once

#include "table/MachineParts.h"

// Everything built in about one machine. Records are constant and never copied back.
struct MachineSpec {
    char displayName[32];
    char modelCode[32];  // row key of the "Machine" parameter table
    char driverName[17];
    char teamName[17];
    int32_t teamId;           // 1..5
    int32_t machineId;        // equals the index in MachineTable
    int32_t transitionType;   // 0..3
    int32_t boostStages;      // 1 or 2
    int32_t drivePose;        // body pose of ordinary driving
    yiVec3 wheelPoints[4];    // 0, 1 at negative z; 2, 3 at positive z
    int32_t bankGroup;        // resource group of the models
    int32_t secondBankGroup;  // -1 = none
    MachineNode nodes[kMachineNodes];
    const TransitionList* transitionLists[6];
    const WheelOffsetTable* wheelOffsetTables[4];
    const MachineEmitterTable* emitterTable;
    const MachineSoundTable* soundTable;
};

constexpr int kMachineTableSize = 12;  // ids 0..11; 0 is empty
constexpr int kFirstMachineId = 1;
constexpr int kLastMachineId = 11;

// Machine records by machine id; slot 0 is null. Read-only, filled before the entry.
extern const MachineSpec* const MachineTable[kMachineTableSize];

// The record of a machine id, or null for an id outside 1..11.
const MachineSpec* GetMachineSpec(int machineId);

// The transition list that serves a change from `previousPose` to `newPose`, or null when the
// machine's transition type has none for that pair.
const TransitionList* FindTransitionList(const MachineSpec& spec, int previousPose, int newPose);
