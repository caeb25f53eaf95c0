// tmConfig.cpp -- save image defaults, loading, saving, scrambling and accessors.
#include "app/tmConfig.h"

#include <cstdio>
#include <cstring>

#include "lobbyclient/Lobby.h"

namespace {

const char kMagicText[tmSaveImage::kMagicSize] = "ZARVOCNF020007";  // 14 characters and two zero bytes
const char kDefaultName[] = "No Name";
const char kDefaultTeam[] = "No Team";

// Every field offset of the image.
using namespace tmSaveImage;

const int kDefaultKeyAssign[kKeyAssignCount] = {-1, 2, 3, 0, 1, 5, 4, 6, 7};

struct Resolution {
    int width, height;
};
const Resolution kResolutions[17] = {
    {640, 480},  {800, 480},   {800, 600},   {1024, 600},  {1024, 768},  {1280, 720},
    {1280, 768}, {1280, 800},  {1280, 960},  {1366, 768},  {1400, 1050}, {1440, 900},
    {1600, 900}, {1600, 1200}, {1680, 1050}, {1920, 1080}, {1920, 1200},
};
const uint32_t kRenderTargets[3][4] = {{2048, 1024, 256, 256}, {1024, 1024, 256, 256}, {1024, 512, 256, 256}};
struct Shadow {
    uint32_t size;
    uint8_t on;
};
const Shadow kShadows[4] = {{2048, 1}, {1024, 1}, {512, 1}, {16, 0}};
const float kDistances[3][3] = {{1000.0f, 2000.0f, 2500.0f}, {500.0f, 500.0f, 1500.0f}, {0.0f, 0.0f, 500.0f}};

constexpr int kDefaultVideoMode = 9;
constexpr size_t kChunk = 16384;

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

}  // namespace

// ---------------------------------------------------------------- save file

bool tmSaveFile::Read(std::vector<uint8_t>& out) const {
    std::FILE* f = std::fopen(path_.c_str(), "rb");
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    ok = ok && size >= 0 && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        out.assign(static_cast<size_t>(size), 0);
        ok = size == 0 || std::fread(out.data(), 1, out.size(), f) == out.size();
    }
    std::fclose(f);
    return ok;
}

bool tmSaveFile::WriteChunk(std::FILE* file, const uint8_t* data, size_t size) {
    return std::fwrite(data, 1, size, file) == size;
}

bool tmSaveFile::Write(const uint8_t* data, size_t size) {
    const std::string temp = path_ + ".tmp";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "save: cannot create %s\n", temp.c_str());
        return false;
    }
    bool ok = true;
    for (size_t done = 0; ok && done < size; done += kChunk) {
        const size_t n = size - done < kChunk ? size - done : kChunk;
        ok = WriteChunk(f, data + done, n);
    }
    ok = (std::fflush(f) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    if (ok) ok = std::rename(temp.c_str(), path_.c_str()) == 0;
    if (!ok) {
        std::fprintf(stderr, "save: writing %s failed; the previous save is kept\n", path_.c_str());
        std::remove(temp.c_str());
    }
    return ok;
}

// ---------------------------------------------------------------- image

tmConfig& tmConfig::GetInstance() {
    static tmConfig instance(&lobby::CreateGUID);
    return instance;
}

tmConfig::tmConfig(GuidSource guidSource, tmSaveFile* file)
    : guidSource_(guidSource ? guidSource : &lobby::CreateGUID), file_(file ? file : &defaultFile_) {
    RestoreDefaults();
}

void tmConfig::RestoreDefaults() {
    std::memset(image_, 0, sizeof image_);
    std::memcpy(image_ + kMagic, kMagicText, sizeof kMagicText);
    PutI32(kVideoMode, kDefaultVideoMode);
    image_[kEffect] = 1;
    image_[kVideoFlag] = 1;
    image_[kWindowed] = 1;
    PutI32(kBgm, 8);
    PutI32(kSe, 7);
    PutI32(kGame1, 1);
    PutI32(kGame2, 3);
    image_[kFlag1] = 1;
    image_[kFlag3] = 1;
    for (int i = 0; i < kKeyAssignCount; ++i) PutI32(kKeyAssign + 4 * i, kDefaultKeyAssign[i]);
    std::memcpy(image_ + kName, kDefaultName, sizeof kDefaultName);
    std::memcpy(image_ + kTeam, kDefaultTeam, sizeof kDefaultTeam);
    for (size_t off = kRaceTimes; off < kFrameCounter; off += 4) PutI32(off, kNoTime);  // every best time
    TakeGuid();
}

void tmConfig::TakeGuid() {
    const char* guid = guidSource_();
    std::memset(image_ + kGuid, 0, kGuidSize);
    if (guid) {
        // The source gives 38 characters and a NUL; stop early at a shorter text.
        for (int i = 0; i < kGuidSize - 1 && guid[i]; ++i) image_[kGuid + i] = static_cast<uint8_t>(guid[i]);
    }
}

bool tmConfig::Scramble(const uint32_t* key, uint8_t* data, size_t size) {
    if (!key || !data || size == 0) return false;
    const uint8_t k[4] = {static_cast<uint8_t>(*key), static_cast<uint8_t>(*key >> 8), static_cast<uint8_t>(*key >> 16),
                          static_cast<uint8_t>(*key >> 24)};
    const size_t whole = size / 4 * 4;
    for (size_t i = 0; i < whole; ++i) data[i] ^= k[i & 3];
    return true;
}

void tmConfig::Load() {
    std::vector<uint8_t> bytes;
    if (!file_->Read(bytes)) return;
    if (bytes.size() > kImageSize) {
        std::fprintf(stderr, "save: %s is larger than a save image; ignored\n", file_->Path().c_str());
        return;
    }
    if (bytes.empty()) return;
    Scramble(&kScrambleKey, bytes.data(), bytes.size());
    if (bytes.size() < kMagic + sizeof kMagicText ||
        std::memcmp(bytes.data() + kMagic, kMagicText, sizeof kMagicText) != 0) {
        std::fprintf(stderr, "save: %s is not a save image; ignored\n", file_->Path().c_str());
        return;
    }
    std::memcpy(image_, bytes.data(), bytes.size());
    Sanitize();
    if (image_[kGuid] == 0) {
        TakeGuid();
        image_[kGuid + kGuidSize - 1] = 0;
        Save();
    }
}

// A loaded image may come from anywhere: fields that later index tables are
// brought back to their defaults, and texts are terminated within their fields.
void tmConfig::Sanitize() {
    struct Range {
        size_t off;
        int lo, hi, def;
    };
    const Range ranges[] = {
        {kVideoMode, 0, 16, kDefaultVideoMode},
        {kRenderTarget, 0, 2, 0},
        {kShadow, 0, 3, 0},
        {kDistance, 0, 2, 0},
        {kFrameTime, 0, 5, 0},
        {kDevice, 0, 3, 0},
        {kBgm, 0, 10, 8},
        {kSe, 0, 10, 7},
    };
    for (const Range& r : ranges) {
        if (!InRange(I32(r.off), r.lo, r.hi)) {
            std::fprintf(stderr, "save: option at %zu out of range (%d); default used\n", r.off, I32(r.off));
            PutI32(r.off, r.def);
        }
    }
    for (int i = 1; i < kKeyAssignCount; ++i) {
        const size_t off = kKeyAssign + 4 * i;
        if (!InRange(I32(off), 0, 15)) PutI32(off, kDefaultKeyAssign[i]);
    }
    image_[kGuid + kGuidSize - 1] = 0;
    image_[kName + kNameSize - 1] = 0;
    image_[kTeam + kNameSize - 1] = 0;
    image_[kComment + kCommentSize - 1] = 0;
}

bool tmConfig::Save() {
    std::vector<uint8_t> bytes(image_, image_ + kImageSize);
    Scramble(&kScrambleKey, bytes.data(), bytes.size());
    return file_->Write(bytes.data(), bytes.size());
}

void tmConfig::ResetVideo(bool full) {
    PutI32(kVideoMode, kDefaultVideoMode);
    image_[kWindowed] = 1;
    if (full) {
        PutI32(kRenderTarget, 0);
        image_[kEffect] = 1;
        PutI32(kShadow, 0);
        image_[kVideoFlag] = 1;
        PutI32(kDistance, 0);
        PutI32(kFrameTime, 0);
        image_[kDisplay] = 0;
        image_[kReserved] = 0;
        image_[kFlag2] = 0;
        image_[kFlag3] = 0;
    }
    Save();
}

tmVideoParams tmConfig::GetVideoParams() const {
    const int mode = InRange(GetVideoMode(), 0, 16) ? GetVideoMode() : kDefaultVideoMode;
    const int rt = InRange(GetRenderTargetLevel(), 0, 2) ? GetRenderTargetLevel() : 0;
    const int sh = InRange(GetShadowLevel(), 0, 3) ? GetShadowLevel() : 0;
    tmVideoParams p{};
    p.width = static_cast<uint32_t>(kResolutions[mode].width);
    p.height = static_cast<uint32_t>(kResolutions[mode].height);
    p.windowed = IsWindowed();
    p.sceneTargetWidth = kRenderTargets[rt][0];
    p.sceneTargetHeight = kRenderTargets[rt][1];
    p.workTargetWidth = kRenderTargets[rt][2];
    p.workTargetHeight = kRenderTargets[rt][3];
    p.shadowMapSize = kShadows[sh].size;
    p.cubeTargetSize = GetEffectFlag() ? 256 : 16;
    p.environmentMap = GetEffectFlag();
    p.shadows = kShadows[sh].on;
    return p;
}

// ---------------------------------------------------------------- accessors

uint32_t tmConfig::U32(size_t off) const {
    return static_cast<uint32_t>(image_[off]) | static_cast<uint32_t>(image_[off + 1]) << 8 |
           static_cast<uint32_t>(image_[off + 2]) << 16 | static_cast<uint32_t>(image_[off + 3]) << 24;
}

void tmConfig::PutU32(size_t off, uint32_t v) {
    image_[off] = static_cast<uint8_t>(v);
    image_[off + 1] = static_cast<uint8_t>(v >> 8);
    image_[off + 2] = static_cast<uint8_t>(v >> 16);
    image_[off + 3] = static_cast<uint8_t>(v >> 24);
}

void tmConfig::PutText(size_t off, int size, const char* text) {
    std::memset(image_ + off, 0, static_cast<size_t>(size));
    if (!text) return;
    for (int i = 0; i < size - 1 && text[i]; ++i) image_[off + i] = static_cast<uint8_t>(text[i]);
}

int tmConfig::GetScreenWidth() const { return static_cast<int>(GetVideoParams().width); }
int tmConfig::GetScreenHeight() const { return static_cast<int>(GetVideoParams().height); }

void tmConfig::SetVideoMode(int mode) {
    if (mode != GetVideoMode()) PutI32(kVideoMode, mode);
}

float tmConfig::GetDistanceNear() const {
    return kDistances[InRange(GetDistanceLevel(), 0, 2) ? GetDistanceLevel() : 0][0];
}
float tmConfig::GetDistanceMid() const {
    return kDistances[InRange(GetDistanceLevel(), 0, 2) ? GetDistanceLevel() : 0][1];
}
float tmConfig::GetDistanceFar() const {
    return kDistances[InRange(GetDistanceLevel(), 0, 2) ? GetDistanceLevel() : 0][2];
}

int tmConfig::GetKeyAssign(int entry) const {
    return InRange(entry, 0, kKeyAssignCount - 1) ? I32(kKeyAssign + 4 * static_cast<size_t>(entry)) : 0;
}

void tmConfig::SetKeyAssign(int entry, int button) {
    if (InRange(entry, 0, kKeyAssignCount - 1)) PutI32(kKeyAssign + 4 * static_cast<size_t>(entry), button);
}

void tmConfig::CountRace(bool win, bool network) {
    PutU32(kRaces, U32(kRaces) + 1);
    if (network) PutU32(kNetRaces, U32(kNetRaces) + 1);
    if (win) {
        PutU32(kStreak, U32(kStreak) + 1);
        PutU32(kWins, U32(kWins) + 1);
        if (network) {
            PutU32(kNetStreak, U32(kNetStreak) + 1);
            PutU32(kNetWins, U32(kNetWins) + 1);
        }
    } else {
        PutU32(kStreak, 0);
        if (network) PutU32(kNetStreak, 0);
    }
}

namespace {
bool RaceCell(int laps, int course) { return InRange(laps, 0, kLapRows - 1) && InRange(course, 0, kCourseColumns - 1); }
size_t RaceCellOffset(int laps, int course) { return static_cast<size_t>(laps * kCourseColumns + course) * 4; }
size_t BlockOffset(int machine) { return kMachineBlocks + static_cast<size_t>(machine) * kMachineBlockSize; }
bool Machine(int machine) { return InRange(machine, 0, kMachineBlockCount - 1); }
bool Course(int course) { return InRange(course, 0, kCourseCells - 1); }
}  // namespace

int tmConfig::GetRecord(int laps, int course) const {
    return RaceCell(laps, course) ? I32(kRaceTimes + RaceCellOffset(laps, course)) : kNoTime;
}

int tmConfig::GetModeRecord(int laps, int course, int machine) const {
    return RaceCell(laps, course) && Machine(machine) ? I32(BlockOffset(machine) + RaceCellOffset(laps, course))
                                                      : kNoTime;
}

int tmConfig::GetCourseRecord(int course) const {
    return Course(course) ? I32(kCourseTimes + 4 * static_cast<size_t>(course)) : kNoTime;
}

int tmConfig::GetModeCourseRecord(int course, int machine) const {
    return Course(course) && Machine(machine)
               ? I32(BlockOffset(machine) + kBlockCourseTimes + 4 * static_cast<size_t>(course))
               : kNoTime;
}

bool tmConfig::Improve(size_t off, int time) {
    if (I32(off) <= time) return false;
    PutI32(off, time);
    return true;
}

bool tmConfig::UpdateRecord(int time, int laps, int course, int machine) {
    if (!RaceCell(laps, course) || !Machine(machine)) return false;
    const bool overall = Improve(kRaceTimes + RaceCellOffset(laps, course), time);
    const bool own = Improve(BlockOffset(machine) + RaceCellOffset(laps, course), time);
    return overall || own;
}

bool tmConfig::UpdateCourseRecord(int time, int course, int machine) {
    if (!Course(course) || !Machine(machine)) return false;
    const bool overall = Improve(kCourseTimes + 4 * static_cast<size_t>(course), time);
    const bool own = Improve(BlockOffset(machine) + kBlockCourseTimes + 4 * static_cast<size_t>(course), time);
    return overall || own;
}

void tmConfig::CountUp(size_t off) {
    if (U32(off) != 0xFFFFFFFFu) PutU32(off, U32(off) + 1);
}

int tmConfig::GetUnlockState(int item) const {
    return InRange(item, 0, kUnlockCount - 1) ? I32(kUnlocks + 4 * static_cast<size_t>(item)) : 0;
}

bool tmConfig::IsUnlocked(int item) const {
    const int s = GetUnlockState(item);
    return s == 1 || s == 2;
}

void tmConfig::Unlock(int item) {
    if (InRange(item, 0, kUnlockCount - 1) && GetUnlockState(item) == 0)
        PutI32(kUnlocks + 4 * static_cast<size_t>(item), 1);
}

void tmConfig::MarkSeen(int item) {
    if (InRange(item, 0, kUnlockCount - 1)) PutI32(kUnlocks + 4 * static_cast<size_t>(item), 2);
}
