// Geometry-tied rows of the circuits that are fixed by design: start sections, the given grid
// slots and replay camera rows, and the per-course replay list sizes. The row generator keeps
// these as they stand and derives the remaining rows from each circuit's track.
#pragma once

#include "table/ReplayCameraTable.h"

namespace circuit_fixed {

// Route section of each grid slot, by course id (the garage and unused id 0 are all zero).
constexpr int32_t kStartSections[14][16] = {
    {0},
    {0},
    {2, 1, 1, 0, 0, 0, 0, 286, 286, 286, 286, 286, 285, 285, 285, 285},
    {78, 78, 78, 78, 78, 78, 78, 78, 78, 78, 78, 78, 78, 78, 78, 77},
    {2, 2, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 328, 328},
    {6, 5, 4, 3, 2, 1, 1, 0, 460, 460, 460, 460, 459, 459, 459, 459},
    {0, 0, 0, 324, 324, 324, 324, 324, 324, 324, 324, 324, 324, 324, 324, 324},
    {0},
    {1, 1, 1, 0, 0, 0, 0, 0, 0, 286, 286, 286, 285, 285, 284, 284},
    {0},
    {0, 328, 328, 328, 328, 328, 328, 328, 328, 327, 327, 327, 327, 326, 326, 326},
    {1, 1, 1, 0, 0, 0, 0, 460, 460, 459, 458, 458, 456, 455, 455, 454},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 324, 324, 324},
    {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 267, 267, 267, 266},
};

// Grid geometry: two staggered columns, one slot every kGridStep along the road.
constexpr float kGridStep = 133.9464f;
constexpr float kGridHalfGap = 50.95f;

// Given grid slots: course 2 (all sixteen: the first three and the last x as they stand, the
// others evenly between) and course 5 (slots 0..3).
constexpr yiVec3 SpainGridSlot(int k) {
    const float first = -917.846f, last = 1091.35f;
    const float x = k == 1    ? -783.899f
                    : k == 2  ? -649.953f
                    : k == 15 ? last
                              : first + (last - first) * static_cast<float>(k) / 15.0f;
    return {x, 0.199347f, (k % 2 == 0) ? 5650.95f : 5549.05f};
}
constexpr yiVec3 kQirGrid[4] = {
    {-4032.77f, 0.0f, 8231.0f}, {-3898.82f, 0.0f, 8129.1f}, {-3764.88f, 0.0f, 8231.0f}, {-3630.93f, 0.0f, 8129.1f}};

// List sizes by course id.
constexpr int32_t kShotCounts[14] = {0, 0, 4, 2, 4, 4, 4, 4, 4, 3, 4, 4, 4, 5};
constexpr int32_t kTrackCounts[14] = {0, 0, 18, 25, 32, 35, 23, 23, 21, 25, 32, 35, 23, 24};
constexpr int32_t kZoneCounts[14] = {0, 0, 14, 11, 26, 31, 21, 21, 14, 9, 26, 24, 20, 21};

// Tracks that are fixed moves (kind 2) by course id, ended by -1; all others are chase shots.
constexpr int32_t kFixedMoveTracks[14][3] = {{-1},         {-1},         {3, -1}, {3, 22, -1}, {22, 28, -1},
                                             {12, -1},     {-1},         {-1},    {20, -1},    {22, -1},
                                             {22, 28, -1}, {12, 31, -1}, {-1},    {9, 19, -1}};

constexpr float kWideFov = 0.9424779f;

// Course 2's opening rows.
constexpr ReplayShot kSpainShot0 = {
    {{-2313.5f, 58.8f, 5499.2f}, {-2248.4f, 58.8f, 5526.2f}, {0.0f, 1.0f, 0.0f}, kWideFov},
    {{-2313.5f, 58.8f, 5499.2f}, {-2292.1f, 58.8f, 5516.2f}, {0.0f, 1.0f, 0.0f}, kWideFov},
    600};
constexpr ReplayTrack kSpainTrack0 = {{{856.6f, 33.6f, 5859.6f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, 0.06283186f},
                                      {{-1771.2f, 37.4f, 5835.7f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, 0.07853982f},
                                      900,
                                      kReplayTrackChase,
                                      0.8f,
                                      {1.0f, 0.0f}};
constexpr ReplayTrack kSpainTrack1 = {{{38.2f, 80.0f, 5393.9f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, 0.1727876f},
                                      {{-399.0f, 80.0f, 5410.7f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, 0.1256637f},
                                      30,
                                      kReplayTrackChase,
                                      1.0f,
                                      {1.0f, 0.0f}};

// Zones fixed by course: course 2's first five, course 8's two double-track zones.
struct FixedZone {
    int course;
    ReplayZone zone;
};
constexpr FixedZone kFixedZones[] = {
    {2, {285, 8, {1, -1, -1, -1, -1, -1, -1, -1}}},  {2, {9, 22, {3, -1, -1, -1, -1, -1, -1, -1}}},
    {2, {23, 48, {4, -1, -1, -1, -1, -1, -1, -1}}},  {2, {49, 62, {5, -1, -1, -1, -1, -1, -1, -1}}},
    {2, {63, 82, {6, -1, -1, -1, -1, -1, -1, -1}}},  {8, {161, 170, {20, 19, -1, -1, -1, -1, -1, -1}}},
    {8, {259, 277, {3, 2, -1, -1, -1, -1, -1, -1}}},
};

}  // namespace circuit_fixed
