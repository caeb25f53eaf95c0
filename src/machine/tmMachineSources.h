// tmMachineSources.h -- the seams through which a replay and a network peer drive a machine.
#pragma once
#include <cstdint>

#include "machine/tmMachineControl.h"

// One machine's recorded step as a replay keeps it (36 bytes in memory and in
// the file): the control record, the body mode, the position in the ground
// plane and the yaw, and the race frame it was taken in.
struct tmReplayRecord {
    tmMachineControl control;
    uint32_t bodyMode = 0;
    float x = 0.0f;
    float z = 0.0f;
    float yaw = 0.0f;
    uint32_t frame = 0;
};
static_assert(sizeof(tmReplayRecord) == 36, "replay records are 36 bytes");

// Where replayed machines take their records from. The replay player
// implements it and installs itself while a replay plays; with none
// installed every replayed machine coasts on a zero record.
class tmReplaySource {
public:
    virtual ~tmReplaySource() = default;
    // The record of this step for an entrant, or null past the end.
    virtual const tmReplayRecord* GetPlaybackRecord(int entrant) const = 0;

    static tmReplaySource* Get();             // null when none is installed
    static void Set(tmReplaySource* source);  // not owned
};

// A network player's machine as its last message told it (48 bytes): the
// position is absolute, in world units; the axes are the control record's.
struct tmPeerMachineState {
    uint32_t sequence = 0;
    uint32_t barrier = 0;
    uint32_t raceTimeMs = 0;
    float x = 0.0f;
    float z = 0.0f;
    float yaw = 0.0f;
    float steering = 0.0f;
    float accelerator = 0.0f;
    float brake = 0.0f;
    uint32_t gear = 0;
    uint32_t bodyMode = 0;
    float speed = 0.0f;
};
static_assert(sizeof(tmPeerMachineState) == 48, "machine states are 48 bytes");

// Where remote machines take their state from. The race network session
// implements it and installs itself for a network race; with none installed
// remote machines get zero records and keep their own motion.
class tmPeerSource {
public:
    virtual ~tmPeerSource() = default;
    // The row of the network player table whose grid slot is gridIndex, or -1.
    virtual int FindNetworkSlot(int gridIndex) const = 0;
    // The latest state of a player-table row; false when the row has none yet.
    virtual bool GetPeerState(int slot, tmPeerMachineState* out) const = 0;

    static tmPeerSource* Get();             // null when none is installed
    static void Set(tmPeerSource* source);  // not owned
};
