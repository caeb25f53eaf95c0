// tmConfig.h -- the save image: every persistent option, profile field, record and counter.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

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

    static constexpr size_t kImageSize = 144276;
    static constexpr uint32_t kScrambleKey = 0x5D2A7C19u;
    static constexpr int kNoTime = 5999999;
    static constexpr size_t kProfileOffset = 112;
    static constexpr size_t kProfileSize = 148;
    static constexpr int kNameSize = 17;
    static constexpr int kCommentSize = 41;
    static constexpr int kUnlockCount = 97;

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
    int GetVideoMode() const { return I32(16); }
    void SetVideoMode(int mode);
    int GetRenderTargetLevel() const { return I32(20); }
    void SetRenderTargetLevel(int level) { PutI32(20, level); }
    uint8_t GetEffectFlag() const { return image_[24]; }
    void SetEffectFlag(uint8_t flag) { image_[24] = flag; }
    int GetShadowLevel() const { return I32(28); }
    void SetShadowLevel(int level) { PutI32(28, level); }
    uint8_t GetVideoFlag() const { return image_[32]; }
    void SetVideoFlag(uint8_t flag) { image_[32] = flag; }
    int GetDistanceLevel() const { return I32(36); }
    void SetDistanceLevel(int level) { PutI32(36, level); }
    float GetDistanceNear() const;
    float GetDistanceMid() const;
    float GetDistanceFar() const;
    int GetRenderOption() const { return I32(40); }
    void SetRenderOption(int index) { PutI32(40, index); }
    uint8_t GetDisplayFlag() const { return image_[44]; }
    void SetDisplayFlag(uint8_t flag) { image_[44] = flag; }
    uint8_t IsWindowed() const { return image_[45]; }
    void SetWindowed(uint8_t flag) { image_[45] = flag; }

    // ---- sound options ----
    int GetBgmVolume() const { return I32(48); }
    int GetSeVolume() const { return I32(52); }
    float GetBgmVolumeScale() const { return static_cast<float>(GetBgmVolume()) * 0.1f; }
    float GetSeVolumeScale() const { return static_cast<float>(GetSeVolume()) * 0.1f; }
    void SetBgmVolume(int step) { PutI32(48, step); }
    void SetSeVolume(int step) { PutI32(52, step); }

    // ---- game options ----
    int GetGameOption1() const { return I32(56); }
    void SetGameOption1(int v) { PutI32(56, v); }
    int GetGameOption2() const { return I32(60); }
    void SetGameOption2(int v) { PutI32(60, v); }
    int GetGameOption3() const { return I32(68); }
    void SetGameOption3(int v) { PutI32(68, v); }
    uint8_t GetGameFlag1() const { return image_[64]; }
    void SetGameFlag1(uint8_t v) { image_[64] = v; }
    uint8_t GetGameFlag2() const { return image_[65]; }
    void SetGameFlag2(uint8_t v) { image_[65] = v; }
    uint8_t GetGameFlag3() const { return image_[66]; }
    void SetGameFlag3(uint8_t v) { image_[66] = v; }

    // ---- controls ----
    int GetKeyDevice() const { return I32(72); }
    void SetKeyDevice(int device) { PutI32(72, device); }
    // Entry 0..8 (1..8: pad buttons of ACCEL .. PAUSE); outside reads 0, writes are ignored.
    int GetKeyAssign(int entry) const;
    void SetKeyAssign(int entry, int button);

    // ---- profile ----
    const uint8_t* GetProfile() const { return image_ + kProfileOffset; }
    const char* GetGuid() const { return Text(112); }
    const char* GetPlayerName() const { return Text(151); }
    const char* GetTeamName() const { return Text(168); }
    const char* GetComment() const { return Text(185); }
    // Copy the text up to its terminator, at most the field's length less one.
    void SetPlayerName(const char* text) { PutText(151, kNameSize, text); }
    void SetTeamName(const char* text) { PutText(168, kNameSize, text); }
    void SetComment(const char* text) { PutText(185, kCommentSize, text); }
    int GetRaceCount() const { return I32(228); }
    int GetWinCount() const { return I32(232); }
    int GetWinStreak() const { return I32(236); }
    int GetOnlineRaceCount() const { return I32(240); }
    int GetOnlineWinCount() const { return I32(244); }
    int GetOnlineWinStreak() const { return I32(248); }
    int GetProfileValue1() const { return I32(252); }
    int GetProfileValue2() const { return I32(256); }
    void SetProfileValue1(int level) { PutI32(252, level); }
    void SetProfileValue2(int points) { PutI32(256, points); }
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
    void CountFrame() { CountUp(143876); }
    void CountLobbyFrame() { CountUp(143880); }
    void CountRaceFrame() { CountUp(143884); }
    uint32_t GetFrameCount() const { return U32(143876); }
    uint32_t GetLobbyFrameCount() const { return U32(143880); }
    uint32_t GetRaceFrameCount() const { return U32(143884); }

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
