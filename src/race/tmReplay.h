// tmReplay.h -- the replay recorder, player and replay-folder store of the process.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "machine/tmMachineSources.h"
#include "race/tmReplayFormat.h"
#include "sys/base/tmArray.h"
#include "sys/base/tmVariant.h"

class tmMachineCore;

constexpr uint32_t kReplayRecordCapacity = 1728000;  // 8 hours of one machine, 30 minutes of 16
constexpr int kReplayListCapacity = 5120;            // replay files a listing examines
constexpr char kReplayFolder[] = "./replay/";

// The one replay object, created by the main loop for the whole run. Owns a
// recording (header and records of the race being driven, saved from the
// race's save window) and a playback (a replay file read back for watching,
// the demo or racing a ghost). While it exists it is the replay source the
// replayed machines read their records from. Reads and writes only the
// replay folder; knows the race state (it sets a replay's race up) but no
// screen.
class tmReplay : public tmReplaySource {
public:
    static tmReplay* Create();  // also installs it as the machines' replay source
    static void Destroy();
    static tmReplay* Get();  // null before Create

    tmReplay();
    ~tmReplay() override;
    tmReplay(const tmReplay&) = delete;
    tmReplay& operator=(const tmReplay&) = delete;

    // Both headers to defaults, both record lists emptied, frame index 0, flags clear.
    void Reset();
    // Defaults: magic, the current time, the profile's player name, the default setup and entrants,
    // no times, no records.
    static void InitHeader(tmReplayHeader* header);

    // ---- recording ----
    void ResetRecording();
    // Mode 4 is kept as mode 0 with count 1: a ghost race records the player alone.
    void SetRaceSetup(const tmRaceSetup& setup);
    void SetEntrant(int index, const tmEntrant& entrant);
    // Appends the core's control record, body mode, x, z and yaw with the frame
    // number; nothing once the recording holds kReplayRecordCapacity records.
    void RecordFrame(const tmMachineCore& core, uint32_t frame);
    // Writes the recording under its dated name (confirmed) or as "_LATEST"
    // (declined). The folder is made when missing and the file replaced
    // through a temporary, so a failure keeps the previous file; false (and a
    // log line) when the file could not be written.
    bool Save(bool dated);
    // The bytes Save writes: header and records.
    std::string SaveImage() const;
    // The path Save(dated) writes.
    std::string SavePath(bool dated) const;

    // ---- playback ----
    // Reads a replay file for playback and sets the race up from it: watching
    // (ghost false) makes every recorded entrant a replayed race entrant; a
    // ghost race keeps entrant 0 as the menus set it and adds the recording's
    // player as entrant 1 (count 2). A file that cannot be read or fails the
    // checks is refused with a log line (Reset, false).
    bool Load(const char* fileName, bool ghost);
    // The same from a file's bytes already in memory (name only for the log).
    bool LoadImage(const std::string& bytes, bool ghost, const char* fileName);
    // A file's header alone, checked as Load checks it; false (logged) when refused.
    static bool ReadHeader(const char* fileName, tmReplayHeader* header);
    // Valid headers of the replay folder (and their paths when names is given),
    // as the folder listing gives them from its back; at most 5120 files are
    // examined. False when none is valid.
    static bool ListReplays(tmArray<tmReplayHeader>* headers, tmArray<sys::tmVariant>* names);
    // The demo: loads one listed replay picked at random for watching.
    bool LoadRandom();
    // The main menu's demo: race mode 3 and a random replay; when there is none to
    // load the race mode is left as it was.
    bool StartDemo();
    // "./replay/QUVASE_REP0220_YYYYMMDDhhmmss.dat" in local time.
    static sys::tmVariant MakeFileName(int64_t time);

    // The record of the current playback frame for an entrant; null past the
    // records or for an entrant the replay does not hold.
    const tmReplayRecord* GetPlaybackRecord(int entrant) const override;
    // The same for any frame.
    const tmReplayRecord* GetPlaybackRecordAt(uint32_t frame, int entrant) const;
    // Frames whose records are all present.
    uint32_t GetPlaybackFrames() const;

    // Fields the race sequence reads and writes.
    tmReplayHeader& RecordingHeader() { return recordingHeader_; }
    const tmReplayHeader& PlaybackHeader() const { return playbackHeader_; }
    uint32_t GetRecordCount() const { return static_cast<uint32_t>(recording_.GetCount()); }
    const tmReplayRecord* GetRecording(uint32_t index) const;
    uint32_t GetPlaybackRecordCount() const { return static_cast<uint32_t>(playback_.GetCount()); }
    uint32_t frameIndex = 0;  // playback frame
    bool IsLoaded() const { return loaded_; }
    bool IsGhost() const { return ghost_; }

private:
    void SetUpRace();

    tmReplayHeader recordingHeader_;
    tmArray<tmReplayRecord> recording_;
    tmReplayHeader playbackHeader_;
    tmArray<tmReplayRecord> playback_;
    bool loaded_ = false;
    bool ghost_ = false;
};

// The local date and time of a creation time; false when it cannot be
// converted (a replay select row then shows a fixed label).
struct tmReplayDate {
    int year, month, day, hour, minute, second;
};
bool tmReplayLocalDate(int64_t time, tmReplayDate* out);
