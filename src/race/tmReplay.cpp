// tmReplay.cpp -- recording, saving, loading, listing and playing back replays.
#include "race/tmReplay.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "app/tmConfig.h"
#include "machine/tmMachineCore.h"
#include "sys/base/tmFile.h"
#include "sys/base/tmMemory.h"
#include "sys/base/tmRandom.h"
#include "sys/data/tmFileList.h"

namespace {

tmReplay* g_instance = nullptr;

constexpr char kLatestSuffix[] = "_LATEST";
constexpr char kFileExtension[] = ".dat";
constexpr char kTemporarySuffix[] = ".tmp";  // what a replacement leaves behind when it is cut short

void CopyName(char (&to)[kRaceNameSize], const char* from) {
    std::memset(to, 0, sizeof to);
    if (from) std::strncpy(to, from, kRaceNameSize - 1);
}

bool EndsWith(const char* text, const char* suffix) {
    const size_t n = std::strlen(text), m = std::strlen(suffix);
    return n >= m && std::strcmp(text + n - m, suffix) == 0;
}

}  // namespace

bool tmReplayLocalDate(int64_t time, tmReplayDate* out) {
    const std::time_t t = static_cast<std::time_t>(time);
    if (static_cast<int64_t>(t) != time) return false;
    std::tm tm{};
    if (!localtime_r(&t, &tm)) return false;
    const long year = static_cast<long>(tm.tm_year) + 1900;
    if (year < 0 || year > 9999) return false;  // the file name and the row label hold four digits
    *out = {static_cast<int>(year), tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
    return true;
}

// ---- The one object --------------------------------------------------------------------------

tmReplay* tmReplay::Create() {
    if (!g_instance) {
        g_instance = TM_NEW tmReplay;
        tmReplaySource::Set(g_instance);
    }
    return g_instance;
}

void tmReplay::Destroy() {
    if (tmReplaySource::Get() == g_instance) tmReplaySource::Set(nullptr);
    TM_DELETE(g_instance);
    g_instance = nullptr;
}

tmReplay* tmReplay::Get() { return g_instance; }

tmReplay::tmReplay() { Reset(); }

tmReplay::~tmReplay() {
    if (tmReplaySource::Get() == this) tmReplaySource::Set(nullptr);
}

void tmReplay::Reset() {
    InitHeader(&recordingHeader_);
    InitHeader(&playbackHeader_);
    // Room grows with the race instead of being taken up front: two full lists would be 124 MB.
    recording_.Clear();
    playback_.Clear();
    frameIndex = 0;
    loaded_ = false;
    ghost_ = false;
}

void tmReplay::InitHeader(tmReplayHeader* header) {
    *header = tmReplayHeader{};
    std::memcpy(header->magic, kReplayMagic, sizeof kReplayMagic);
    header->creationTime = static_cast<int64_t>(std::time(nullptr));
    CopyName(header->playerName, tmConfig::GetInstance().GetPlayerName());
}

// ---- Recording -------------------------------------------------------------------------------

void tmReplay::ResetRecording() {
    InitHeader(&recordingHeader_);
    recording_.Clear();
}

void tmReplay::SetRaceSetup(const tmRaceSetup& setup) {
    recordingHeader_.setup = setup;
    if (setup.mode == kRaceModeGhost) {
        recordingHeader_.setup.mode = kRaceModeSingle;
        recordingHeader_.setup.count = 1;
    }
}

void tmReplay::SetEntrant(int index, const tmEntrant& entrant) {
    if (index < 0 || index >= kRaceEntrants) return;
    tmEntrant& e = recordingHeader_.entrants[index];
    e = entrant;
    e.driverName[kRaceNameSize - 1] = '\0';
    e.teamName[kRaceNameSize - 1] = '\0';
}

void tmReplay::RecordFrame(const tmMachineCore& core, uint32_t frame) {
    if (static_cast<uint32_t>(recording_.GetCount()) >= kReplayRecordCapacity) return;
    if (frame != recordingHeader_.lastFrame) recordingHeader_.lastFrame = frame;
    tmReplayRecord r;
    r.control = core.control;
    r.bodyMode = core.bodyMode;
    r.x = core.position.x;
    r.z = core.position.z;
    r.yaw = core.rotation.y;
    r.frame = frame;
    recording_.Append(r);
    recordingHeader_.recordCount = static_cast<uint32_t>(recording_.GetCount());
}

const tmReplayRecord* tmReplay::GetRecording(uint32_t index) const {
    return index < static_cast<uint32_t>(recording_.GetCount()) ? &recording_[static_cast<int>(index)] : nullptr;
}

std::string tmReplay::SavePath(bool dated) const {
    if (dated) return MakeFileName(recordingHeader_.creationTime).GetString();
    return sys::tmVariant("%s%s%s%s", kReplayFolder, kReplayMagic, kLatestSuffix, kFileExtension).GetString();
}

std::string tmReplay::SaveImage() const {
    zfmt::ByteWriter out;
    tmReplayHeader header = recordingHeader_;
    header.recordCount = static_cast<uint32_t>(recording_.GetCount());
    WriteReplayHeader(header, &out);
    for (const tmReplayRecord& r : recording_) WriteReplayRecord(r, &out);
    const zfmt::Bytes& bytes = out.Data();
    return std::string(bytes.begin(), bytes.end());
}

bool tmReplay::Save(bool dated) {
    const std::string path = SavePath(dated);
    std::string folder(kReplayFolder);
    folder.pop_back();
    if (!tmMakeFolder(folder.c_str())) {
        std::fprintf(stderr, "replay: the folder %s cannot be made; %s not written\n", kReplayFolder, path.c_str());
        return false;
    }
    const std::string image = SaveImage();
    if (!tmFileReplace(path.c_str(), image.data(), image.size())) {
        std::fprintf(stderr, "replay: %s could not be written (%zu bytes); the previous file stays\n", path.c_str(),
                     image.size());
        return false;
    }
    return true;
}

// ---- Playback --------------------------------------------------------------------------------

bool tmReplay::Load(const char* fileName, bool ghost) {
    std::string bytes;
    if (!fileName || !tmFileLoad(&bytes, fileName)) {
        std::fprintf(stderr, "replay: %s cannot be read\n", fileName ? fileName : "(no name)");
        Reset();
        return false;
    }
    return LoadImage(bytes, ghost, fileName);
}

bool tmReplay::LoadImage(const std::string& bytes, bool ghost, const char* fileName) {
    const char* name = fileName ? fileName : "(memory)";
    const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes.data());
    tmReplayHeader header;
    std::string notes;
    std::string why = ReadReplayHeader(data, bytes.size(), static_cast<int64_t>(bytes.size()), &header, &notes);
    if (why.empty() && ghost && header.setup.count != 1)
        why = "a ghost is raced from a replay of one machine, this one holds " + std::to_string(header.setup.count);
    if (!why.empty()) {
        std::fprintf(stderr, "replay: %s refused: %s\n", name, why.c_str());
        Reset();
        return false;
    }
    if (!notes.empty()) std::fprintf(stderr, "replay: %s: %s\n", name, notes.c_str());

    playbackHeader_ = header;
    playback_.Clear();
    playback_.Reserve(static_cast<int>(header.recordCount));
    for (uint32_t i = 0; i < header.recordCount; ++i) {
        tmReplayRecord r;
        if (!ReadReplayRecord(data, bytes.size(), i, &r)) break;  // the header check leaves none missing
        playback_.Append(r);
    }
    playbackHeader_.recordCount = static_cast<uint32_t>(playback_.GetCount());
    loaded_ = true;
    ghost_ = ghost;
    frameIndex = 0;
    SetUpRace();
    return true;
}

void tmReplay::SetUpRace() {
    tmRaceState& race = tmRaceState::Get();
    tmReplayHeader& h = playbackHeader_;
    h.setup.mode = race.setup.mode;
    if (ghost_) {
        // The recorded player races as entrant 1; entrant 0 stays the player the menus set up.
        race.setup = h.setup;
        race.setup.count = 2;
        tmEntrant ghost = h.entrants[0];
        ghost.controllerType = kControllerReplay;
        race.SetEntrant(1, ghost);
        return;
    }
    race.setup.course = h.setup.course;
    race.setup.count = h.setup.count;
    race.setup.local = h.setup.local;
    race.setup.difficulty = h.setup.difficulty;
    race.setup.laps = h.setup.laps;
    for (uint32_t i = 0; i < h.setup.count; ++i) {
        tmEntrant e = h.entrants[i];
        e.controllerType = kControllerReplay;
        race.SetEntrant(static_cast<int>(i), e);
    }
}

bool tmReplay::ReadHeader(const char* fileName, tmReplayHeader* header) {
    std::string bytes;
    int64_t size = 0;
    if (!fileName || !header || !tmFileLoadHead(&bytes, fileName, kReplayHeaderSize, &size)) {
        std::fprintf(stderr, "replay: %s cannot be read\n", fileName ? fileName : "(no name)");
        return false;
    }
    std::string notes;
    const std::string why =
        ReadReplayHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), size, header, &notes);
    if (!why.empty()) {
        std::fprintf(stderr, "replay: %s refused: %s\n", fileName, why.c_str());
        return false;
    }
    return true;
}

bool tmReplay::ListReplays(tmArray<tmReplayHeader>* headers, tmArray<sys::tmVariant>* names) {
    tmFileList list;
    list.Search(kReplayFolder, kReplayMagic, false);
    const int count = list.GetCount() < kReplayListCapacity ? list.GetCount() : kReplayListCapacity;
    bool any = false;
    for (int i = 0; i < count; ++i) {
        const tmFileEntry* entry = list.GetEntry(i, false);
        if (!entry || EndsWith(entry->name, kTemporarySuffix)) continue;
        const sys::tmVariant path("%s%s", kReplayFolder, entry->name);
        tmReplayHeader header;
        if (!ReadHeader(path.GetString(), &header)) continue;
        any = true;
        if (headers && headers->GetCount() < kReplayListCapacity) headers->Append(header);
        if (names) names->Append(path);
    }
    return any;
}

bool tmReplay::LoadRandom() {
    tmArray<sys::tmVariant> names;
    if (!ListReplays(nullptr, &names) || names.GetCount() == 0) return false;
    tmRandom* random = tmRandom::GetInstance();
    const int pick = random ? random->GetInt(0, names.GetCount()) : tmRand() % names.GetCount();
    return Load(names[pick].GetString(), false);
}

bool tmReplay::StartDemo() {
    tmRaceState& race = tmRaceState::Get();
    const uint32_t previous = race.setup.mode;
    race.setup.mode = kRaceModeDemo;
    if (LoadRandom()) return true;
    race.setup.mode = previous;
    return false;
}

sys::tmVariant tmReplay::MakeFileName(int64_t time) {
    tmReplayDate d{};
    if (!tmReplayLocalDate(time, &d)) {
        std::fprintf(stderr, "replay: creation time %lld has no local date; the name carries zeros\n",
                     static_cast<long long>(time));
        d = tmReplayDate{0, 0, 0, 0, 0, 0};
    }
    return sys::tmVariant("%s%s_%04d%02d%02d%02d%02d%02d%s", kReplayFolder, kReplayMagic, d.year, d.month, d.day,
                          d.hour, d.minute, d.second, kFileExtension);
}

const tmReplayRecord* tmReplay::GetPlaybackRecord(int entrant) const {
    return GetPlaybackRecordAt(frameIndex, entrant);
}

const tmReplayRecord* tmReplay::GetPlaybackRecordAt(uint32_t frame, int entrant) const {
    const uint32_t count = playbackHeader_.setup.count;
    if (entrant < 0 || count == 0 || static_cast<uint32_t>(entrant) >= count) return nullptr;
    if (frame >= GetPlaybackFrames()) return nullptr;
    const uint64_t index = static_cast<uint64_t>(frame) * count + static_cast<uint32_t>(entrant);
    if (index >= static_cast<uint64_t>(playback_.GetCount())) return nullptr;
    return &playback_[static_cast<int>(index)];
}

uint32_t tmReplay::GetPlaybackFrames() const {
    const uint32_t count = playbackHeader_.setup.count;
    return count ? static_cast<uint32_t>(playback_.GetCount()) / count : 0;
}
