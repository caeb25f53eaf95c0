// tmSeqRaceStandings.cpp -- the race's view table, its standings every frame and the result flags.
#include "course/tmCollision.h"
#include "course/tmCourse.h"
#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "race/tmLapTimer.h"
#include "race/tmRaceNetwork.h"
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
    // In network races the times are the players' own, from their machine states.
    tmRaceNetwork* net = rs.IsNetworkMode() ? tmRaceNetwork::Get() : nullptr;
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
        s.timeMs = timer ? tmLapTimer::ToMilliseconds(timer->GetTotal()) : 0;
        if (net) {
            const tmPeerMachineState& state = net->GetState(static_cast<int>(core.networkSlot));
            s.timeMs = state.raceTimeMs;
            // A remote player who has finished says so (barrier 4), even when its copy here
            // missed a checkpoint between two late states.
            if (state.barrier == 4 && static_cast<uint32_t>(i) != rs.setup.local) {
                s.finished = 1;
                s.laps = static_cast<uint32_t>(core.GetLapTotal());
            }
        }
        s.progress = core.section;
        if (core.section < goal) s.progress += sections;
        if (!core.goalCrossed) s.progress -= sections;
        s.distance = core.sectionDistance;
        order[n] = &s;
        ++n;
    }
    if (net && !net->IsHost() && n == Count()) {
        // A guest takes the host's order instead of sorting.
        Standing* byHost[kRaceEntrants];
        bool used[kRaceEntrants] = {};
        bool whole = true;
        for (int k = 0; k < n && whole; ++k) {
            const int m = net->GetRaceControl().order[k];
            whole = m < n && !used[m];
            if (whole) used[m] = true, byHost[k] = &records[m];
        }
        if (whole)
            for (int k = 0; k < n; ++k) order[k] = byHost[k];
        else
            SortStandings(order, n);
    } else {
        SortStandings(order, n);
        if (net && net->IsHost()) {
            // The host publishes its order: position k holds the machine index at k.
            int machines[kRaceEntrants];
            for (int k = 0; k < n; ++k) machines[k] = order[k]->machine;
            net->SetRaceOrder(machines, n);
        }
    }
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
