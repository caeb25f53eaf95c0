// tmConfig.h -- the save image: every persistent option, profile field, record and counter.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/tmSaveImageLayout.h"

// The video options as the renderer's start-up settings take them.
struct tmVideoParams {
    uint32_t width, height;
    uint8_t windowed;
    uint32_t sceneTargetWidth, sceneTargetHeight, workTargetWidth, workTargetHeight;
    uint32_t shadowMapSize;
    uint32_t cubeTargetSize;
    uint8_t environmentMap;
    uint8_t shadows;
};

// Where the save image lives. The default writes "quvase.sav" in the working
// folder through a temporary file that replaces the old one only once it is
// complete; tests derive from it to fail a write part-way.
class tmSaveFile {
public:
    explicit tmSaveFile(std::string path = "quvase.sav") : path_(std::move(path)) {}
    virtual ~tmSaveFile() = default;
    const std::string& Path() const { return path_; }
    // Reads the whole file; false when it is absent or cannot be read fully.
    virtual bool Read(std::vector<uint8_t>& out) const;
    // Writes the bytes to "<path>.tmp" and renames it over the file. On any
    // failure the temporary file is removed and the old file stays.
    virtual bool Write(const uint8_t* data, size_t size);

protected:
    // One chunk of the temporary file; false when the write failed.
    virtual bool WriteChunk(std::FILE* file, const uint8_t* data, size_t size);

private:
    std::string path_;
};

// The one settings object of the process. It owns the 144,276-byte image that
// is saved byte for byte (scrambled word-wise); every subsystem reads and
// changes options, the profile, best times, counters and trophy states
// through it. Made on first use by GetInstance; tests may build their own.
class tmConfig {
public:
    using GuidSource = const char* (*)();

    static constexpr size_t kImageSize = tmSaveImage::kImageSize;
    static constexpr uint32_t kScrambleKey = 0x5D2A7C19u;
    static constexpr int kNoTime = 5999999;
    static constexpr size_t kProfileOffset = tmSaveImage::kProfile;
    static constexpr size_t kProfileSize = tmSaveImage::kProfileSize;
    static constexpr int kNameSize = tmSaveImage::kNameSize;
    static constexpr int kCommentSize = tmSaveImage::kCommentSize;
    static constexpr int kUnlockCount = tmSaveImage::kUnlockCount;

    // The process-wide object (GUID from the lobby library, "quvase.sav").
    static tmConfig& GetInstance();

    // Defaults with a GUID from guidSource; the file is read by Load only.
    explicit tmConfig(GuidSource guidSource = nullptr, tmSaveFile* file = nullptr);
    tmConfig(const tmConfig&) = delete;
    tmConfig& operator=(const tmConfig&) = delete;

    // Reads the save file over the defaults; a missing, oversized or foreign file keeps them.
    void Load();
    // Writes the save file; false (old file kept) when it could not be written.
    bool Save();
    // Every field back to its default, a fresh GUID included.
    void RestoreDefaults();
    // XORs every whole 32-bit little-endian word with *key; false on an empty buffer.
    static bool Scramble(const uint32_t* key, uint8_t* data, size_t size);
    // Default video mode and window; with full, every video option. Then saves.
    void ResetVideo(bool full);
    // The video options as the renderer's start-up settings take them.
    tmVideoParams GetVideoParams() const;
    // Copies the video options into the renderer's start-up settings record
    // (whose fields carry the names of tmVideoParams); the rest keep their defaults.
    template <class Setting>
    void FillRenderParams(Setting& s) const {
        const tmVideoParams p = GetVideoParams();
        s.width = p.width;
        s.height = p.height;
        s.windowed = p.windowed;
        s.sceneTargetWidth = p.sceneTargetWidth;
        s.sceneTargetHeight = p.sceneTargetHeight;
        s.workTargetWidth = p.workTargetWidth;
        s.workTargetHeight = p.workTargetHeight;
        s.shadowMapSize = p.shadowMapSize;
        s.cubeTargetSize = p.cubeTargetSize;
        s.environmentMap = p.environmentMap;
        s.shadows = p.shadows;
    }

    // The raw image, for tests and for the trophy and profile readers.
    const uint8_t* Image() const { return image_; }
    void SetSaveFile(tmSaveFile* file) { file_ = file ? file : &defaultFile_; }
    void SetGuidSource(GuidSource source) { guidSource_ = source; }

    // ---- video options ----
    int GetScreenWidth() const;
    int GetScreenHeight() const;
    int GetVideoMode() const { return I32(tmSaveImage::kVideoMode); }
    void SetVideoMode(int mode);
    int GetRenderTargetLevel() const { return I32(tmSaveImage::kRenderTarget); }
    void SetRenderTargetLevel(int level) { PutI32(tmSaveImage::kRenderTarget, level); }
    uint8_t GetEffectFlag() const { return image_[tmSaveImage::kEffect]; }
    void SetEffectFlag(uint8_t flag) { image_[tmSaveImage::kEffect] = flag; }
    int GetShadowLevel() const { return I32(tmSaveImage::kShadow); }
    void SetShadowLevel(int level) { PutI32(tmSaveImage::kShadow, level); }
    uint8_t GetVideoFlag() const { return image_[tmSaveImage::kVideoFlag]; }
    void SetVideoFlag(uint8_t flag) { image_[tmSaveImage::kVideoFlag] = flag; }
    int GetDistanceLevel() const { return I32(tmSaveImage::kDistance); }
    void SetDistanceLevel(int level) { PutI32(tmSaveImage::kDistance, level); }
    float GetDistanceNear() const;
    float GetDistanceMid() const;
    float GetDistanceFar() const;
    int GetRenderOption() const { return I32(tmSaveImage::kFrameTime); }
    void SetRenderOption(int index) { PutI32(tmSaveImage::kFrameTime, index); }
    uint8_t GetDisplayFlag() const { return image_[tmSaveImage::kDisplay]; }
    void SetDisplayFlag(uint8_t flag) { image_[tmSaveImage::kDisplay] = flag; }
    uint8_t IsWindowed() const { return image_[tmSaveImage::kWindowed]; }
    void SetWindowed(uint8_t flag) { image_[tmSaveImage::kWindowed] = flag; }

    // ---- sound options ----
    int GetBgmVolume() const { return I32(tmSaveImage::kBgm); }
    int GetSeVolume() const { return I32(tmSaveImage::kSe); }
    float GetBgmVolumeScale() const { return static_cast<float>(GetBgmVolume()) * 0.1f; }
    float GetSeVolumeScale() const { return static_cast<float>(GetSeVolume()) * 0.1f; }
    void SetBgmVolume(int step) { PutI32(tmSaveImage::kBgm, step); }
    void SetSeVolume(int step) { PutI32(tmSaveImage::kSe, step); }

    // ---- game options ----
    int GetGameOption1() const { return I32(tmSaveImage::kGame1); }
    void SetGameOption1(int v) { PutI32(tmSaveImage::kGame1, v); }
    int GetGameOption2() const { return I32(tmSaveImage::kGame2); }
    void SetGameOption2(int v) { PutI32(tmSaveImage::kGame2, v); }
    int GetGameOption3() const { return I32(tmSaveImage::kGame3); }
    void SetGameOption3(int v) { PutI32(tmSaveImage::kGame3, v); }
    uint8_t GetGameFlag1() const { return image_[tmSaveImage::kFlag1]; }
    void SetGameFlag1(uint8_t v) { image_[tmSaveImage::kFlag1] = v; }
    uint8_t GetGameFlag2() const { return image_[tmSaveImage::kFlag2]; }
    void SetGameFlag2(uint8_t v) { image_[tmSaveImage::kFlag2] = v; }
    uint8_t GetGameFlag3() const { return image_[tmSaveImage::kFlag3]; }
    void SetGameFlag3(uint8_t v) { image_[tmSaveImage::kFlag3] = v; }

    // ---- controls ----
    int GetKeyDevice() const { return I32(tmSaveImage::kDevice); }
    void SetKeyDevice(int device) { PutI32(tmSaveImage::kDevice, device); }
    // Entry 0..8 (1..8: pad buttons of ACCEL .. PAUSE); outside reads 0, writes are ignored.
    int GetKeyAssign(int entry) const;
    void SetKeyAssign(int entry, int button);

    // ---- profile ----
    const uint8_t* GetProfile() const { return image_ + kProfileOffset; }
    const char* GetGuid() const { return Text(tmSaveImage::kGuid); }
    const char* GetPlayerName() const { return Text(tmSaveImage::kName); }
    const char* GetTeamName() const { return Text(tmSaveImage::kTeam); }
    const char* GetComment() const { return Text(tmSaveImage::kComment); }
    // Copy the text up to its terminator, at most the field's length less one.
    void SetPlayerName(const char* text) { PutText(tmSaveImage::kName, kNameSize, text); }
    void SetTeamName(const char* text) { PutText(tmSaveImage::kTeam, kNameSize, text); }
    void SetComment(const char* text) { PutText(tmSaveImage::kComment, kCommentSize, text); }
    int GetRaceCount() const { return I32(tmSaveImage::kRaces); }
    int GetWinCount() const { return I32(tmSaveImage::kWins); }
    int GetWinStreak() const { return I32(tmSaveImage::kStreak); }
    int GetOnlineRaceCount() const { return I32(tmSaveImage::kNetRaces); }
    int GetOnlineWinCount() const { return I32(tmSaveImage::kNetWins); }
    int GetOnlineWinStreak() const { return I32(tmSaveImage::kNetStreak); }
    int GetProfileValue1() const { return I32(tmSaveImage::kProfileValue1); }
    int GetProfileValue2() const { return I32(tmSaveImage::kProfileValue2); }
    void SetProfileValue1(int level) { PutI32(tmSaveImage::kProfileValue1, level); }
    void SetProfileValue2(int points) { PutI32(tmSaveImage::kProfileValue2, points); }
    void CountRace(bool win, bool network);

    // ---- best times (ms; kNoTime = none) ----
    // Race times by lap count (0..63) and course (0..31), overall and per machine
    // (0..15); lap times by course (0..63), overall and per machine. Indices
    // outside read kNoTime and never improve.
    int GetRecord(int laps, int course) const;
    int GetModeRecord(int laps, int course, int machine) const;
    int GetCourseRecord(int course) const;
    int GetModeCourseRecord(int course, int machine) const;
    bool UpdateRecord(int time, int laps, int course, int machine);
    bool UpdateCourseRecord(int time, int course, int machine);

    // ---- play counters (saturate at 0xFFFFFFFF) ----
    void CountFrame() { CountUp(tmSaveImage::kFrameCounter); }
    void CountLobbyFrame() { CountUp(tmSaveImage::kLobbyFrameCounter); }
    void CountRaceFrame() { CountUp(tmSaveImage::kRaceFrameCounter); }
    uint32_t GetFrameCount() const { return U32(tmSaveImage::kFrameCounter); }
    uint32_t GetLobbyFrameCount() const { return U32(tmSaveImage::kLobbyFrameCounter); }
    uint32_t GetRaceFrameCount() const { return U32(tmSaveImage::kRaceFrameCounter); }

    // ---- trophies 0..96: 0 locked, 1 new, 2 seen (outside: 0, ignored) ----
    int GetUnlockState(int item) const;
    bool IsUnlocked(int item) const;
    void Unlock(int item);
    void MarkSeen(int item);

private:
    uint32_t U32(size_t off) const;
    int I32(size_t off) const { return static_cast<int>(U32(off)); }
    void PutU32(size_t off, uint32_t v);
    void PutI32(size_t off, int v) { PutU32(off, static_cast<uint32_t>(v)); }
    const char* Text(size_t off) const { return reinterpret_cast<const char*>(image_ + off); }
    void PutText(size_t off, int size, const char* text);
    void CountUp(size_t off);
    bool Improve(size_t off, int time);
    void TakeGuid();
    void Sanitize();

    uint8_t image_[kImageSize];
    GuidSource guidSource_;
    tmSaveFile defaultFile_;
    tmSaveFile* file_;
};
