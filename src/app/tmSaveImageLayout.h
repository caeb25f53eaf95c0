// tmSaveImageLayout.h -- where each field of the save image lies: byte offsets and sizes, little-endian.
#pragma once
#include <cstddef>

// The one list of the save image's fields. tmConfig reads and writes every
// field through these offsets; tests address the raw image by them. Integers
// are 32-bit little-endian unless marked as a byte; texts are zero-terminated
// within their field.
namespace tmSaveImage {

constexpr size_t kMagic = 0;  // 16 bytes: the magic text and two zero bytes
constexpr size_t kMagicSize = 16;

// ---- video options ----
constexpr size_t kVideoMode = 16;     // resolution index 0..16
constexpr size_t kRenderTarget = 20;  // render-target level 0..2
constexpr size_t kEffect = 24;        // byte: environment map on
constexpr size_t kShadow = 28;        // shadow level 0..3
constexpr size_t kVideoFlag = 32;     // byte: particles on
constexpr size_t kDistance = 36;      // draw-distance level 0..2
constexpr size_t kFrameTime = 40;     // frame-time index 0..5
constexpr size_t kDisplay = 44;       // byte: frame-rate readout on
constexpr size_t kWindowed = 45;      // byte: windowed
constexpr size_t kReserved = 46;      // byte: kept, read by nothing

// ---- sound options ----
constexpr size_t kBgm = 48;  // music step 0..10
constexpr size_t kSe = 52;   // effects step 0..10

// ---- game options ----
constexpr size_t kGame1 = 56;  // difficulty 0..3
constexpr size_t kGame2 = 60;  // laps per race
constexpr size_t kFlag1 = 64;  // byte: game flag 1
constexpr size_t kFlag2 = 65;  // byte: game flag 2
constexpr size_t kFlag3 = 66;  // byte: game flag 3
constexpr size_t kGame3 = 68;  // the race camera view 0..3

// ---- controls ----
constexpr size_t kDevice = 72;     // key device: player one's pedal type 0..3
constexpr size_t kKeyAssign = 76;  // 9 words: entries 0..8 of the pad-button assignments
constexpr int kKeyAssignCount = 9;

// ---- profile (handed out whole from kProfile) ----
constexpr size_t kProfile = 112;
constexpr size_t kProfileSize = 148;
constexpr size_t kGuid = 112;  // 38 characters and a NUL
constexpr int kGuidSize = 39;
constexpr size_t kName = 151;  // player name
constexpr size_t kTeam = 168;  // team name
constexpr int kNameSize = 17;
constexpr size_t kComment = 185;
constexpr int kCommentSize = 41;
constexpr size_t kRaces = 228;
constexpr size_t kWins = 232;
constexpr size_t kStreak = 236;
constexpr size_t kNetRaces = 240;
constexpr size_t kNetWins = 244;
constexpr size_t kNetStreak = 248;
constexpr size_t kProfileValue1 = 252;  // player level
constexpr size_t kProfileValue2 = 256;  // level points

// ---- best times (ms) ----
constexpr int kLapRows = 64;            // race times: rows by lap count
constexpr int kCourseColumns = 32;      // race times: columns by course
constexpr int kCourseCells = 64;        // lap times: by course
constexpr int kMachineBlockCount = 16;  // one block per machine
constexpr size_t kRaceTimes = 260;      // i32[kLapRows][kCourseColumns], any machine
constexpr size_t kCourseTimes = 8452;   // i32[kCourseCells], any machine
constexpr size_t kMachineBlocks = 8708;
constexpr size_t kMachineBlockSize = 8448;  // race times as at kRaceTimes, then lap times
constexpr size_t kBlockCourseTimes = 8192;  // lap times within a machine block

// ---- play counters and trophies ----
constexpr size_t kFrameCounter = 143876;       // logic steps of every screen
constexpr size_t kLobbyFrameCounter = 143880;  // logic steps of the lobby
constexpr size_t kRaceFrameCounter = 143884;   // logic steps of races
constexpr size_t kUnlocks = 143888;            // one word per trophy
constexpr int kUnlockCount = 97;

constexpr size_t kImageSize = 144276;

static_assert(kProfile + kProfileSize == kRaceTimes, "the profile block ends where the best times start");
static_assert(kKeyAssign + 4 * kKeyAssignCount == kGuid, "the assignments end at the profile");
static_assert(kGuid + kGuidSize == kName && kName + kNameSize == kTeam && kTeam + kNameSize == kComment,
              "the profile texts lie end to end");
static_assert(kRaceTimes + 4 * kLapRows * kCourseColumns == kCourseTimes, "race times end at the lap times");
static_assert(kCourseTimes + 4 * kCourseCells == kMachineBlocks, "lap times end at the machine blocks");
static_assert(kBlockCourseTimes == 4 * kLapRows * kCourseColumns &&
                  kBlockCourseTimes + 4 * kCourseCells == kMachineBlockSize,
              "a machine block holds race times, then lap times");
static_assert(kMachineBlocks + kMachineBlockCount * kMachineBlockSize == kFrameCounter,
              "record blocks end at the counters");
static_assert(kUnlocks + 4 * kUnlockCount == kImageSize, "trophies end the image");
static_assert(kImageSize % 4 == 0, "a full image has no unscrambled tail");

}  // namespace tmSaveImage
