// tmReplayFormat.h -- the replay file's header and record layouts, written and read field by field.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "format/ByteIO.h"
#include "machine/tmMachineSources.h"
#include "race/tmRaceState.h"

// Replay file: a 936-byte header, then the header's record count of 36-byte
// records, nothing else; every field little-endian. Records of one frame are
// consecutive in entrant order, so record (frame f, entrant e) is at index
// f x entrant count + e.
//
// Header offsets: magic 0 (16 bytes, all compared), reserved 16 (8 zero bytes),
// creation time 24 (i64 seconds since 1970), word 32 (0), player name 36 (17
// bytes) and 3 bytes padding, setup 56 (course, mode, count, local, difficulty,
// laps: u32 each), 16 entrant records 80 (52 bytes each), word 912 (1), race
// total 916 (ms), best lap 920 (ms), record count 924, last frame 928,
// reserved 932.
//
// Entrant record (52 bytes): machine 0, controller type 4, variant 8 (u32
// each), driver name 12..28 and team name 29..45 (17 bytes each), padding
// 46..47, entrant id 48 (u32).
//
// Record (36 bytes): steering 0, accelerator 4, brake 8 (f32), shift up 12,
// shift down 13, body button 14, boost button 15 (u8), body mode 16 (u32),
// x 20, z 24, yaw 28 (f32), frame 32 (u32).
constexpr char kReplayMagic[] = "QUVASE_REP0220";
constexpr size_t kReplayMagicSize = 16;
constexpr size_t kReplayHeaderSize = 936;
constexpr size_t kReplayEntrantSize = 52;
constexpr size_t kReplayRecordSize = 36;
constexpr uint32_t kReplayMaxLaps = 15;  // the records keep 16 lap blocks; a replay never asks for more

namespace replayfmt {
constexpr size_t kMagic = 0, kReserved = 16, kCreationTime = 24, kWord32 = 32, kPlayerName = 36, kSetup = 56,
                 kEntrants = 80, kWord912 = 912, kTotalMs = 916, kBestLapMs = 920, kRecordCount = 924, kLastFrame = 928,
                 kReservedEnd = 932;
constexpr size_t kEntrantMachine = 0, kEntrantType = 4, kEntrantVariant = 8, kEntrantDriver = 12, kEntrantTeam = 29,
                 kEntrantPadding = 46, kEntrantId = 48;
static_assert(kEntrants + kRaceEntrants * kReplayEntrantSize == kWord912, "entrant records end at 912");
static_assert(kReservedEnd + 4 == kReplayHeaderSize, "the header is 936 bytes");
static_assert(kEntrantTeam + kRaceNameSize == kEntrantPadding && kEntrantId + 4 == kReplayEntrantSize,
              "entrant records are 52 bytes");
}  // namespace replayfmt

// A replay file's header as the program holds it.
struct tmReplayHeader {
    char magic[kReplayMagicSize] = {};
    int64_t creationTime = 0;  // seconds since 1970, taken when the recording starts
    uint32_t word32 = 0;       // always 0
    char playerName[kRaceNameSize] = {};
    tmRaceSetup setup;  // mode 4 is stored as mode 0 with count 1
    tmEntrant entrants[kRaceEntrants];
    uint32_t word912 = 1;  // always 1
    uint32_t totalMs = kNoTimeMs;
    uint32_t bestLapMs = kNoTimeMs;
    uint32_t recordCount = 0;
    uint32_t lastFrame = 0;  // frame number of the last record
};

// Appends the 936 header bytes.
void WriteReplayHeader(const tmReplayHeader& header, zfmt::ByteWriter* out);
// Appends one 36-byte record.
void WriteReplayRecord(const tmReplayRecord& record, zfmt::ByteWriter* out);

// Reads a header from the first bytes of a replay file (data holds at least
// the header, or the whole file) whose full size is fileSize, and checks it:
// the magic, entrant count 1..16, local entrant below the count, a race's
// course, laps 1..15, a known mode and difficulty, and for each entrant below
// the count a machine 1..11, variant 0 or 1 and an id below 16. Names are cut
// at their 17th byte. The record count is held to the records the file holds
// and the last frame to the frames they make. Writes nothing to the log:
// returns "" when accepted, else why it was refused; *notes (when given)
// receives what was held back.
std::string ReadReplayHeader(const uint8_t* data, size_t size, int64_t fileSize, tmReplayHeader* out,
                             std::string* notes);
// Reads record i of a replay file image; false (record untouched) when the
// image does not hold it whole.
bool ReadReplayRecord(const uint8_t* data, size_t size, uint32_t index, tmReplayRecord* out);
