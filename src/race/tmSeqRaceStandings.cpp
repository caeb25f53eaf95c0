// tmSeqRaceStandings.cpp -- the race's view table, its standings every frame and the result flags.
#include "course/tmCollision.h"
#include "course/tmCourse.h"
#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "race/tmLapTimer.h"
#include "race/tmSeqRace.h"
#include "sys/base/tmSort.h"

namespace {

// Views by index: normal machines, machines 5 and 6, replay viewing and demos.
constexpr tmSeqRace::View kNormalViews[4] = {{8, 1, 1}, {9, 1, 1}, {11, 1, 0}, {13, 1, 1}};
constexpr tmSeqRace::View kDravikViews[4] = {{8, 1, 1}, {9, 1, 1}, {12, 1, 0}, {14, 1, 1}};
constexpr tmSeqRace::View kReplayViews[5] = {{21, 0, 1}, {8, 1, 1}, {8, 0, 1}, {11, 1, 0}, {11, 0, 0}};

}  // namespace

uint32_t tmSeqRace::ViewCount(uint32_t mode) { return mode == kRaceModeReplay || mode == kRaceModeDemo ? 5u : 4u; }

tmSeqRace::View tmSeqRace::GetView(uint32_t view, uint32_t mode, uint32_t machineId) {
    if (mode == kRaceModeReplay || mode == kRaceModeDemo) return kReplayViews[view % 5];
    return machineId == 5 || machineId == 6 ? kDravikViews[view % 4] : kNormalViews[view % 4];
}

bool tmSeqRace::CompareStanding(const Standing& a, const Standing& b) {
    if (a.finished && b.finished && a.timeMs != b.timeMs) return a.timeMs < b.timeMs;
    if (a.finished != b.finished) return a.finished > b.finished;
    if (a.laps != b.laps) return a.laps > b.laps;
    if (a.progress != b.progress) return a.progress > b.progress;
    return a.distance > b.distance;
}

void tmSeqRace::SortStandings(Standing** order, int count) {
    tmSortPointers(order, count, [](const Standing* a, const Standing* b) { return CompareStanding(*a, *b); });
}

void tmSeqRace::UpdateStandings() {
    tmRaceState& rs = tmRaceState::Get();
    const tmCollision* collision = course_ ? course_->GetCollision() : nullptr;
    const int sections = collision ? collision->GetSectionCount() : 0;
    const int goal = collision ? collision->GetGoalSection() : -1;
    Standing records[kRaceEntrants];
    Standing* order[kRaceEntrants];
    int n = 0;
    for (int i = 0; i < Count(); ++i) {
        const tmMachine* m = machines_[i];
        if (!m) continue;
        const tmMachineCore& core = *m->GetCore();
        const tmLapTimer* timer = core.GetLapTimer();
        Standing& s = records[n];
        s.machine = i;
        s.laps = static_cast<uint32_t>(core.GetCompletedLaps());
        s.finished = core.GetLapTotal() >= 1 && core.GetCompletedLaps() >= core.GetLapTotal() ? 1 : 0;
        // HOOK(race network): in modes 5 and 6 the time is the race time of the machine's network slot.
        s.timeMs = timer ? tmLapTimer::ToMilliseconds(timer->GetTotal()) : 0;
        s.progress = core.section;
        if (core.section < goal) s.progress += sections;
        if (!core.goalCrossed) s.progress -= sections;
        s.distance = core.sectionDistance;
        order[n] = &s;
        ++n;
    }
    // HOOK(race network): the host publishes its order; a guest takes the host's instead of sorting.
    SortStandings(order, n);
    for (int k = 0; k < n; ++k) {
        const Standing& s = *order[k];
        standings_[k] = s;
        tmMachineCore* core = machines_[s.machine]->GetCore();
        core->standing = k;
        rs.SetResult(s.machine, k, s.timeMs, s.finished != 0, s.laps, static_cast<uint32_t>(core->refills));
    }
    if (n >= 2 && standings_[0].finished && standings_[0].laps > standings_[1].laps + 1) rs.leaderLappedField = 1;
    // The entrant running last on its final lap is marked (a winner marked so came from last);
    // the grid before the start counts for nothing.
    if (n >= 2 && rs.status >= 3) {
        const Standing& last = standings_[n - 1];
        if (last.laps + 1 == rs.setup.laps) rs.lastPlaceLapShort[last.machine] = 1;
    }
}
