// Replay camera tables: list sizes, the invariants of every course's lists, zone lookups.
#include <gtest/gtest.h>

#include <vector>

#include "content_tables.h"
#include "table/ReplayCameraTable.h"

namespace {

const int kShots[14] = {0, 0, 4, 2, 4, 4, 4, 4, 4, 3, 4, 4, 4, 5};
const int kTracks[14] = {0, 0, 18, 25, 32, 35, 23, 23, 21, 25, 32, 35, 23, 24};
const int kZones[14] = {0, 0, 14, 11, 26, 31, 21, 21, 14, 9, 26, 24, 20, 21};

bool IsUp(const yiVec3& v) { return v.x == 0.0f && v.y == 1.0f && v.z == 0.0f; }

}  // namespace

TEST(ReplayCameraTable, ListSizesByCourse) {
    for (int id = 0; id < 2; ++id) {
        EXPECT_EQ(ReplayShotTable[id], nullptr);
        EXPECT_EQ(ReplayTrackTable[id], nullptr);
        EXPECT_EQ(ReplayCameraParams[id], nullptr);
        EXPECT_EQ(ReplayShotCounts[id] + ReplayTrackCounts[id] + ReplayZoneCounts[id], 0);
    }
    int tracks = 0, fixedMoves = 0;
    for (int id = 2; id < 14; ++id) {
        EXPECT_EQ(ReplayShotCounts[id], kShots[id]) << id;
        EXPECT_EQ(ReplayTrackCounts[id], kTracks[id]) << id;
        EXPECT_EQ(ReplayZoneCounts[id], kZones[id]) << id;
        ASSERT_NE(ReplayShotTable[id], nullptr);
        ASSERT_NE(ReplayTrackTable[id], nullptr);
        ASSERT_NE(ReplayCameraParams[id], nullptr);
        for (int t = 0; t < ReplayTrackCounts[id]; ++t) {
            ++tracks;
            if (ReplayTrackTable[id][t].kind == kReplayTrackFixed) ++fixedMoves;
        }
    }
    EXPECT_EQ(tracks, 316);
    EXPECT_EQ(fixedMoves, 14);
}

TEST(ReplayCameraTable, ZonesCoverEveryLapSectionInDrivingOrder) {
    for (int id = 2; id < 14; ++id) {
        const int n = content::circuit_rows::kSectionCounts[id];
        const ReplayZone* zones = ReplayCameraParams[id];
        const int count = ReplayZoneCounts[id];
        std::vector<int> hits(static_cast<std::size_t>(n), 0);
        for (int z = 0; z < count; ++z) {
            const ReplayZone& zone = zones[z];
            ASSERT_TRUE(zone.fromSection >= 0 && zone.fromSection < n) << id;
            ASSERT_TRUE(zone.toSection >= 0 && zone.toSection < n) << id;
            for (int s = zone.fromSection;; s = (s + 1) % n) {
                ++hits[s];
                if (s == zone.toSection) break;
            }
            // Each zone begins next to where the previous one ended.
            const ReplayZone& next = zones[(z + 1) % count];
            EXPECT_EQ(next.fromSection, (zone.toSection + 1) % n) << "course " << id << " zone " << z;
        }
        for (int s = 0; s < n; ++s) EXPECT_EQ(hits[s], 1) << "course " << id << " section " << s;
        if (id <= 7) {
            EXPECT_GT(zones[0].fromSection, zones[0].toSection) << "first zone crosses the goal " << id;
        }
    }
}

TEST(ReplayCameraTable, EveryZoneOffersValidTracks) {
    for (int id = 2; id < 14; ++id) {
        for (int z = 0; z < ReplayZoneCounts[id]; ++z) {
            const ReplayZone& zone = ReplayCameraParams[id][z];
            const int n = ReplayZoneTrackCount(zone);
            EXPECT_GE(n, 1) << "course " << id << " zone " << z;
            EXPECT_LE(n, 2);
            for (int i = 0; i < n; ++i) EXPECT_LT(zone.tracks[i], ReplayTrackCounts[id]);
            for (int i = n; i < kReplayZoneTracks; ++i) EXPECT_EQ(zone.tracks[i], -1);
        }
    }
}

TEST(ReplayCameraTable, TrackAndShotRows) {
    for (int id = 2; id < 14; ++id) {
        EXPECT_EQ(ReplayTrackTable[id][0].kind, kReplayTrackChase) << "opening shot of course " << id;
        for (int t = 0; t < ReplayTrackCounts[id]; ++t) {
            const ReplayTrack& track = ReplayTrackTable[id][t];
            EXPECT_TRUE(track.kind == kReplayTrackChase || track.kind == kReplayTrackFixed);
            EXPECT_EQ(track.reserved[0], 1.0f);
            EXPECT_TRUE(IsUp(track.start.up) && IsUp(track.end.up));
            EXPECT_GT(track.start.fov, 0.0f);
            EXPECT_GE(track.follow, 0.0f);
            EXPECT_LE(track.follow, 1.0f);
            if (track.kind == kReplayTrackChase) {
                EXPECT_EQ(track.start.target.x, 0.0f);
                EXPECT_EQ(track.end.target.z, 0.0f);
            }
        }
        for (int s = 0; s < ReplayShotCounts[id]; ++s) {
            const ReplayShot& shot = ReplayShotTable[id][s];
            EXPECT_GE(shot.frames, 540u);
            EXPECT_LE(shot.frames, 1200u);
            EXPECT_GT(shot.start.fov, 0.0f);
        }
    }
    const int fixedMoves[][2] = {{2, 3},  {3, 3},   {3, 22},  {4, 22},  {4, 28},  {5, 12}, {8, 20},
                                 {9, 22}, {10, 22}, {10, 28}, {11, 12}, {11, 31}, {13, 9}, {13, 19}};
    for (const auto& m : fixedMoves) EXPECT_EQ(ReplayTrackTable[m[0]][m[1]].kind, kReplayTrackFixed);

    const ReplayShot& pan = ReplayShotTable[2][0];
    EXPECT_EQ(pan.frames, 600u);
    EXPECT_FLOAT_EQ(pan.start.eye.x, -2313.5f);
    EXPECT_FLOAT_EQ(pan.end.target.x, -2292.1f);
    const ReplayTrack& opening = ReplayTrackTable[2][0];
    EXPECT_EQ(opening.frames, 900u);
    EXPECT_FLOAT_EQ(opening.follow, 0.8f);
    EXPECT_FLOAT_EQ(opening.end.fov, 0.07853982f);
    EXPECT_FLOAT_EQ(ReplayTrackTable[2][1].follow, 1.0f);
    EXPECT_EQ(ReplayTrackTable[2][1].frames, 30u);
}

TEST(ReplayCameraTable, GoalCrossingStaysInTheFirstZone) {
    const ReplayZone* zones = ReplayCameraParams[2];
    const int count = ReplayZoneCounts[2];
    EXPECT_EQ(zones[0].fromSection, 285);
    EXPECT_EQ(zones[0].toSection, 8);
    for (int s : {285, 286, 0, 1, 8}) EXPECT_EQ(FindReplayZone(zones, count, s), 0) << s;
    EXPECT_EQ(FindReplayZone(zones, count, 9), 1);
    EXPECT_EQ(FindReplayZone(zones, count, 82), 4);
    EXPECT_EQ(zones[4].tracks[0], 6);
    EXPECT_EQ(FindReplayZone(nullptr, 0, 5), -1);
}

TEST(ReplayCameraTable, DoubleTrackZonesOfferBothTracks) {
    const ReplayZone* zones = ReplayCameraParams[8];
    const int z = FindReplayZone(zones, ReplayZoneCounts[8], 265);
    ASSERT_GE(z, 0);
    EXPECT_EQ(zones[z].fromSection, 259);
    EXPECT_EQ(zones[z].toSection, 277);
    EXPECT_EQ(ReplayZoneTrackCount(zones[z]), 2);
    EXPECT_EQ(ReplayZoneTrack(zones[z], 0), 3);
    EXPECT_EQ(ReplayZoneTrack(zones[z], 1), 2);
    EXPECT_EQ(ReplayZoneTrack(zones[z], 2), -1);
    const int other = FindReplayZone(zones, ReplayZoneCounts[8], 161);
    EXPECT_EQ(zones[other].tracks[0], 20);
    EXPECT_EQ(zones[other].tracks[1], 19);
}

TEST(ReplayCameraTable, ZoneWithoutTracksStartsNoShot) {
    const ReplayZone empty = {10, 20, {-1, -1, -1, -1, -1, -1, -1, -1}};
    EXPECT_EQ(ReplayZoneTrackCount(empty), 0);
    EXPECT_EQ(ReplayZoneTrack(empty, 0), -1);
    const ReplayZone full = {0, 5, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_EQ(ReplayZoneTrackCount(full), 8);
    EXPECT_EQ(ReplayZoneTrack(full, 7), 8);
    // The last matching zone wins where zones overlap.
    const ReplayZone overlap[2] = {{0, 10, {1, -1}}, {5, 8, {2, -1}}};
    EXPECT_EQ(FindReplayZone(overlap, 2, 6), 1);
    EXPECT_EQ(FindReplayZone(overlap, 2, 9), 0);
    EXPECT_EQ(FindReplayZone(overlap, 2, 11), -1);
}
