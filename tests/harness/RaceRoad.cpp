// RaceRoad.cpp -- the live race, the screen trace, driving and confirming panels in a session.
#include "harness/RaceRoad.h"

#include "race/tmSeqRace.h"
#include "sys/input/tmInputActions.h"

namespace harness {

tmSeqRace* LiveRace(Session& s) { return LiveScreen<tmSeqRace>(s); }

uint32_t RacePhase(Session& s) {
    const tmSeqRace* r = LiveRace(s);
    return r ? r->GetPhase() : 0xFFFFFFFFu;
}

void SetUpDebugMenuRace(Session& s, int course) {
    for (int i = 0; i < 3; ++i) s.TapKey(tmKey::kDown);  // LOAD
    s.TapKey(tmKey::kReturn);
    for (int i = 0; i < 3; ++i) s.TapKey(tmKey::kDown);  // the course row
    for (int i = 2; i < course; ++i) s.TapKey(tmKey::kRight);
    s.TapKey(tmKey::kReturn);
}

std::vector<int> ScreenTrace(const Session& s) {
    std::vector<int> ids;
    for (const Switch& sw : s.Switches()) ids.push_back(sw.next);
    return ids;
}

bool DriveUntil(Session& s, Autopilot& pilot, const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (done()) return true;
        pilot.BeforeFrame(s);
        if (!s.Frame()) return done();
    }
    return done();
}

bool ConfirmPanelsUntil(Session& s, uint32_t phase, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (RacePhase(s) == phase) return true;
        if (i % 15 == 14)
            s.TapKey(tmKey::kReturn);
        else
            s.Frame();
    }
    return RacePhase(s) == phase;
}

}  // namespace harness
