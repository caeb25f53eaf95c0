// Replay camera tables: list sizes, the invariants of every course's lists, zone lookups.
#include <gtest/gtest.h>

#include <vector>

#include "content_tables.h"
#include "table/ReplayCameraTable.h"

namespace {

bool IsUp(const yiVec3& v) { return v.x == 0.0f && v.y == 1.0f && v.z == 0.0f; }

}  // namespace

TEST(ReplayCameraTable, EveryCircuitHasListsAndTheGarageNone) {
    for (int id = 0; id < 2; ++id) {
        EXPECT_EQ(ReplayShotTable[id], nullptr);
        EXPECT_EQ(ReplayTrackTable[id], nullptr);
        EXPECT_EQ(ReplayCameraParams[id], nullptr);
        EXPECT_EQ(ReplayShotCounts[id] + ReplayTrackCounts[id] + ReplayZoneCounts[id], 0);
    }
    for (int id = 2; id < 14; ++id) {
        EXPECT_GT(ReplayShotCounts[id], 0) << id;
        EXPECT_GT(ReplayTrackCounts[id], 0) << id;
        EXPECT_GT(ReplayZoneCounts[id], 0) << id;
        ASSERT_NE(ReplayShotTable[id], nullptr);
        ASSERT_NE(ReplayTrackTable[id], nullptr);
        ASSERT_NE(ReplayCameraParams[id], nullptr);
    }
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

TEST(ReplayCameraTable, TracksAndShotsHaveUprightCamerasAndSaneLengths) {
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
}

TEST(ReplayCameraTable, EverySectionFindsTheZoneThatHoldsIt) {
    for (int id = 2; id < 14; ++id) {
        const int n = content::circuit_rows::kSectionCounts[id];
        const ReplayZone* zones = ReplayCameraParams[id];
        const int count = ReplayZoneCounts[id];
        for (int z = 0; z < count; ++z)
            for (int s = zones[z].fromSection;; s = (s + 1) % n) {
                // Sections across the goal (the first zone's wrap) belong to their zone too.
                EXPECT_EQ(FindReplayZone(zones, count, s), z) << "course " << id << " section " << s;
                if (s == zones[z].toSection) break;
            }
    }
    EXPECT_EQ(FindReplayZone(nullptr, 0, 5), -1);
}

TEST(ReplayCameraTable, ZoneTracksAreReadInOrderAndMissingOnesAreMinusOne) {
    int doubles = 0;
    for (int id = 2; id < 14; ++id)
        for (int z = 0; z < ReplayZoneCounts[id]; ++z) {
            const ReplayZone& zone = ReplayCameraParams[id][z];
            const int n = ReplayZoneTrackCount(zone);
            for (int i = 0; i < n; ++i) EXPECT_EQ(ReplayZoneTrack(zone, i), zone.tracks[i]);
            EXPECT_EQ(ReplayZoneTrack(zone, n), -1);
            doubles += n == 2 ? 1 : 0;
        }
    EXPECT_GT(doubles, 0) << "some zones offer two tracks";
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
