// tmSeqRaceReplay.cpp -- the race screen's side of replays: recording every race, the save answer,
// the demo's next replay and the end of a viewing.
#include <cstdio>

#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "race/tmLapTimer.h"
#include "race/tmReplay.h"
#include "race/tmSeqRace.h"
#include "sys/sound/tmSound.h"
#include "sys/sound/tmSoundIds.h"

namespace {

bool IsViewing(uint32_t mode) { return mode == kRaceModeReplay || mode == kRaceModeDemo; }

}  // namespace

void tmSeqRace::StartReplayRecord() {
    tmReplay* replay = tmReplay::Get();
    if (!replay) return;
    // Playback starts again with the race: replayFrame_ is set to 0 right after this.
    replay->frameIndex = 0;
    const tmRaceState& rs = tmRaceState::Get();
    if (IsViewing(rs.setup.mode)) return;
    replay->ResetRecording();
    replay->SetRaceSetup(rs.setup);  // a ghost race keeps the player alone
    const uint32_t count = replay->RecordingHeader().setup.count;
    for (uint32_t i = 0; i < count && i < kRaceEntrants; ++i) replay->SetEntrant(static_cast<int>(i), rs.entrants[i]);
}

void tmSeqRace::RecordReplayFrame() {
    tmReplay* replay = tmReplay::Get();
    if (!replay) return;
    // The race counts replayFrame_ on after this step; the machines read the next playback
    // frame in the next step.
    replay->frameIndex = replayFrame_ + 1;
    const uint32_t mode = tmRaceState::Get().setup.mode;
    if (IsViewing(mode)) return;
    const int recorded = mode == kRaceModeSingle || mode == kRaceModeGhost ? 1 : Count();
    for (int i = 0; i < recorded; ++i)
        if (machines_[i]) replay->RecordFrame(*machines_[i]->GetCore(), raceFrame_);
}

void tmSeqRace::SaveRecordAnswer(bool keep) {
    tmReplay* replay = tmReplay::Get();
    if (!replay || IsViewing(tmRaceState::Get().setup.mode)) return;
    tmReplayHeader& header = replay->RecordingHeader();
    header.totalMs = kNoTimeMs;
    header.bestLapMs = kNoTimeMs;
    const tmMachine* local = Local();
    if (const tmLapTimer* timer = local ? local->GetLapRecord() : nullptr) {
        if (timer->IsFinished()) header.totalMs = tmLapTimer::ToMilliseconds(timer->GetTotal());
        for (uint32_t lap = 0; lap < timer->GetCurrentLap() && lap < tmLapTimer::kMaxLaps; ++lap) {
            const uint32_t ms = tmLapTimer::ToMilliseconds(timer->GetLap(static_cast<int>(lap)));
            if (ms > 0 && ms < header.bestLapMs) header.bestLapMs = ms;
        }
    }
    // A replay that could not be written is told with the warning sound (the file's reason is in the log).
    if (!replay->Save(keep))
        if (tmSound* sound = tmSound::GetInstance()) sound->Play(tmSoundId::kWarning);
}

bool tmSeqRace::LoadRandomReplay() {
    tmReplay* replay = tmReplay::Get();
    return replay && replay->LoadRandom();
}

bool tmSeqRace::ReplayEnded() const {
    // Without a loaded replay there is nothing to watch, so a viewing ends at once.
    const tmReplay* replay = tmReplay::Get();
    if (!replay || !replay->IsLoaded()) return true;
    return replayFrame_ >= replay->PlaybackHeader().lastFrame;
}
