// tmGaugeArray.h -- one display row per entrant, handed from the race to its display each step.
#pragma once
#include <cstdint>

// One entrant as the race display sees it.
struct tmGaugeRow {
    static constexpr int kNameSize = 17;  // 16 characters and a terminator
    char name[kNameSize];
    uint8_t sameTeam;   // 1 when the team equals the local player's (the player's own row too)
    float position[3];  // world position
    float heading;      // yaw about the vertical axis (the mini map turns the marker by it)
    uint8_t lapDone;    // 1 in the step the machine completed a lap that was not its last
    uint8_t raceDone;   // 1 in the step the machine completed its last lap
    uint32_t time;      // ms: the lap just completed (lapDone) or the race total (raceDone)
};

// The rows of a race's entrants in entrant order; filled by the race sequence
// (or a viewer) and read by the HUD. A plain record that owns nothing.
struct tmGaugeArray {
    static constexpr int kRows = 16;

    tmGaugeArray();
    // Copies up to 16 bytes of a name into a row, always terminated; a row
    // outside 0..15 is ignored.
    void SetName(int row, const char* name);

    int count = 1;   // valid rows
    int player = 0;  // the local player's row
    tmGaugeRow rows[kRows];
};
