// RaceRoad.h -- what whole-game scenarios ask of a running session: the live screen, the race's phase, the
// trace of screens, driving with the autopilot and confirming the race's panels.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "app/tmSequenceManager.h"
#include "harness/Autopilot.h"
#include "harness/Harness.h"

class tmSeqRace;

namespace harness {

// The running screen as a T, or null.
template <class T>
T* LiveScreen(Session& s) {
    tmSequenceManager* m = s.Loop().GetSequenceManager();
    return m ? dynamic_cast<T*>(m->GetScreen()) : nullptr;
}

// The running race screen, or null.
tmSeqRace* LiveRace(Session& s);
// The phase of the running race; 0xFFFFFFFF when no race runs.
uint32_t RacePhase(Session& s);
// From the debug menu: a single race of the first machine on `course` (2-13), set up on LOAD and confirmed.
void SetUpDebugMenuRace(Session& s, int course);
// The ids of every screen switched to, in order.
std::vector<int> ScreenTrace(const Session& s);
// Frames with the autopilot driving until `done` holds; false when `limit` frames ran out.
bool DriveUntil(Session& s, Autopilot& pilot, const std::function<bool()>& done, int limit);
// Frames until the race reaches `phase`, confirming each panel on the way with Return.
bool ConfirmPanelsUntil(Session& s, uint32_t phase, int limit);

}  // namespace harness
