// ReplayFuzz.cpp -- arbitrary bytes as a replay file: the header checks, then loading and playing every
// frame of what they accept.
#include <cstddef>
#include <cstdint>
#include <string>

#include "format/ByteIO.h"
#include "race/tmRaceState.h"
#include "race/tmReplay.h"

// An odd size loads the replay as a ghost, an even one for watching. A header whose
// record count or last frame the reader held back is loaded with the held values written
// in, so the loader has nothing to log and the run stays quiet.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tmReplayHeader header;
    std::string notes;
    const std::string why = ReadReplayHeader(data, size, static_cast<int64_t>(size), &header, &notes);
    if (!why.empty()) return 0;
    const bool ghost = (size & 1) != 0;
    if (ghost && header.setup.count != 1) return 0;  // refused with a log line; nothing more to reach
    std::string bytes(reinterpret_cast<const char*>(data), size);
    zfmt::StoreU32(reinterpret_cast<std::uint8_t*>(&bytes[replayfmt::kRecordCount]), header.recordCount);
    zfmt::StoreU32(reinterpret_cast<std::uint8_t*>(&bytes[replayfmt::kLastFrame]), header.lastFrame);

    tmRaceState& race = tmRaceState::Get();
    race.setup = tmRaceSetup();
    race.setup.mode = ghost ? kRaceModeGhost : kRaceModeReplay;
    static tmReplay* replay = new tmReplay;                           // one object for the run, as in the game
    if (!replay->LoadImage(bytes, ghost, nullptr)) __builtin_trap();  // the checks accepted it

    volatile float sink = 0.0f;
    const uint32_t frames = replay->GetPlaybackFrames();
    for (uint32_t f = 0; f <= frames + 1; ++f) {
        replay->frameIndex = f;
        for (int e = -1; e <= kRaceEntrants; ++e)
            if (const tmReplayRecord* r = replay->GetPlaybackRecord(e)) sink = sink + r->x + r->z + r->yaw;
    }
    if (!race.ValidateSetup()) __builtin_trap();  // a loaded replay sets up only a valid race
    (void)sink;
    return 0;
}
