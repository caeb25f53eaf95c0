// tmHudRecords.h -- the machine and lap records the race hands to its display every logic step.
#pragma once
#include <cstdint>

// The 16 words of the local machine that the race display shows. The
// defaults are those of a cockpit with no race behind it (the HUD viewer).
struct tmHudMachineRecord {
    float revolutions = 10000.0f;
    float speed = 100.0f;   // km/h
    int32_t state1 = 0;     // picture index: the gear
    int32_t state2 = 0;     // picture index: the body mode
    int32_t gaugeA1 = 100;  // first boost: frames left
    int32_t gaugeA2 = 100;  // and its length
    int32_t gaugeB1 = 100;  // second boost: frames left
    int32_t gaugeB2 = 100;  // and its length
    int32_t flashThreshold = 0;
    int32_t boostStock = 3;
    int32_t courseId = 0;
    int32_t machineId = 0;
    float position[3] = {0.0f, 0.0f, 0.0f};
    float heading = 0.0f;
};
static_assert(sizeof(tmHudMachineRecord) == 64, "the machine record is 16 words");

// The 22 words of the local entrant's race: rank, times and the counters.
struct tmHudLapRecord {
    static constexpr int kLapTimes = 16;
    int32_t rank = 0;  // 0 = first
    uint32_t raceTime = 0;
    uint32_t lapTimes[kLapTimes] = {};  // ms of each completed lap
    int32_t lapsDone = 0;
    int32_t lapTotal = 3;
    int32_t countdown = 0;   // ms, positive before the start
    int32_t bannerTime = 0;  // ms since the result banner started
};
static_assert(sizeof(tmHudLapRecord) == 88, "the lap record is 22 words");
