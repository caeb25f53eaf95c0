// Replay camera tables by course id, and the zone lookups their readers share.
#include "table/ReplayCameraTable.h"

#include "content_tables.h"

const ReplayShot* const ReplayShotTable[14] = {
    content::circuit_rows::kShots[0],  content::circuit_rows::kShots[1],  content::circuit_rows::kShots[2],
    content::circuit_rows::kShots[3],  content::circuit_rows::kShots[4],  content::circuit_rows::kShots[5],
    content::circuit_rows::kShots[6],  content::circuit_rows::kShots[7],  content::circuit_rows::kShots[8],
    content::circuit_rows::kShots[9],  content::circuit_rows::kShots[10], content::circuit_rows::kShots[11],
    content::circuit_rows::kShots[12], content::circuit_rows::kShots[13]};
const ReplayTrack* const ReplayTrackTable[14] = {
    content::circuit_rows::kTracks[0],  content::circuit_rows::kTracks[1],  content::circuit_rows::kTracks[2],
    content::circuit_rows::kTracks[3],  content::circuit_rows::kTracks[4],  content::circuit_rows::kTracks[5],
    content::circuit_rows::kTracks[6],  content::circuit_rows::kTracks[7],  content::circuit_rows::kTracks[8],
    content::circuit_rows::kTracks[9],  content::circuit_rows::kTracks[10], content::circuit_rows::kTracks[11],
    content::circuit_rows::kTracks[12], content::circuit_rows::kTracks[13]};
const ReplayZone* const ReplayCameraParams[14] = {
    content::circuit_rows::kZones[0],  content::circuit_rows::kZones[1],  content::circuit_rows::kZones[2],
    content::circuit_rows::kZones[3],  content::circuit_rows::kZones[4],  content::circuit_rows::kZones[5],
    content::circuit_rows::kZones[6],  content::circuit_rows::kZones[7],  content::circuit_rows::kZones[8],
    content::circuit_rows::kZones[9],  content::circuit_rows::kZones[10], content::circuit_rows::kZones[11],
    content::circuit_rows::kZones[12], content::circuit_rows::kZones[13]};

#define ZARVO_COUNTS(name)                                                                                            \
    {                                                                                                                 \
        name[0], name[1], name[2], name[3], name[4], name[5], name[6], name[7], name[8], name[9], name[10], name[11], \
            name[12], name[13]                                                                                        \
    }
const int32_t ReplayShotCounts[14] = ZARVO_COUNTS(content::circuit_rows::kShotCounts);
const int32_t ReplayTrackCounts[14] = ZARVO_COUNTS(content::circuit_rows::kTrackCounts);
const int32_t ReplayZoneCounts[14] = ZARVO_COUNTS(content::circuit_rows::kZoneCounts);
#undef ZARVO_COUNTS

int ReplayZoneTrackCount(const ReplayZone& zone) {
    int count = 0;
    while (count < kReplayZoneTracks && zone.tracks[count] >= 0) ++count;
    return count;
}

bool ReplayZoneContains(const ReplayZone& zone, int section) {
    if (zone.fromSection > zone.toSection) return section >= zone.fromSection || section <= zone.toSection;
    return zone.fromSection <= section && section <= zone.toSection;
}

int FindReplayZone(const ReplayZone* zones, int count, int section) {
    int found = -1;
    for (int i = 0; zones != nullptr && i < count; ++i)
        if (ReplayZoneContains(zones[i], section)) found = i;
    return found;
}

int ReplayZoneTrack(const ReplayZone& zone, int pick) {
    const int count = ReplayZoneTrackCount(zone);
    if (count == 0 || pick < 0 || pick >= count) return -1;
    return zone.tracks[pick];
}
