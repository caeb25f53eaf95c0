// Per-course replay camera tables: fixed-path shots, replay tracks and section zones.
#pragma once

#include "table/TableTypes.h"

// One camera set-up: eye, target, up (always 0, 1, 0 in the data) and vertical fov (radians).
struct CameraState {
    yiVec3 eye;
    yiVec3 target;
    yiVec3 up;
    float fov;
};
static_assert(sizeof(CameraState) == 40, "camera states are 10 floats");

// A shot of the fixed-path camera: blends start to end over `frames` logic frames.
struct ReplayShot {
    CameraState start;
    CameraState end;
    uint32_t frames;
};
static_assert(sizeof(ReplayShot) == 84, "fixed-path shots are 84 bytes");

constexpr uint32_t kReplayTrackChase = 1;  // eye blends, target chases the machine
constexpr uint32_t kReplayTrackFixed = 2;  // eye, target and fov all blend

// A shot of the replay camera.
struct ReplayTrack {
    CameraState start;
    CameraState end;
    uint32_t frames;    // length of the interpolation
    uint32_t kind;      // kReplayTrackChase or kReplayTrackFixed
    float follow;       // chase factor of a chase shot, 0..1
    float reserved[2];  // not read; the first is 1.0
};
static_assert(sizeof(ReplayTrack) == 100, "replay tracks are 100 bytes");

constexpr int kReplayZoneTracks = 8;

// A range of route sections and the tracks the replay camera may pick inside it.
struct ReplayZone {
    int32_t fromSection;
    int32_t toSection;                  // below fromSection when the zone crosses the goal
    int32_t tracks[kReplayZoneTracks];  // track numbers, ended by -1
};
static_assert(sizeof(ReplayZone) == 40, "replay zones are 40 bytes");

// Tables by course id 0..13 (0 and 1 have none: null pointer, count 0).
extern const ReplayShot* const ReplayShotTable[14];
extern const int32_t ReplayShotCounts[14];
extern const ReplayTrack* const ReplayTrackTable[14];
extern const int32_t ReplayTrackCounts[14];
extern const ReplayZone* const ReplayCameraParams[14];
extern const int32_t ReplayZoneCounts[14];

// Number of track numbers a zone lists before its first negative entry (at most 8).
int ReplayZoneTrackCount(const ReplayZone& zone);

// True when route section `section` lies in the zone (a zone with fromSection above
// toSection wraps over the goal).
bool ReplayZoneContains(const ReplayZone& zone, int section);

// Index of the last zone of the list that contains `section`, or -1 when none does.
int FindReplayZone(const ReplayZone* zones, int count, int section);

// The track a zone offers for a draw `pick` in [0, track count), or -1 when the zone lists
// no track (such a zone starts no shot instead of dividing by zero).
int ReplayZoneTrack(const ReplayZone& zone, int pick);
