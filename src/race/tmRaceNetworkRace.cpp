// tmRaceNetworkRace.cpp -- the race side of the network session: own state, barriers, order and the per-frame sync.
#include <cmath>
#include <cstring>

#include "machine/tmMachineCore.h"
#include "race/tmLapTimer.h"
#include "race/tmRaceNetwork.h"
#include "race/tmRaceState.h"

void tmRaceNetwork::StoreOwnState(const tmPeerMachineState& state) {
    const uint32_t barrier = ownState_.barrier;
    ownState_ = state;
    ownState_.barrier = barrier;
}

bool tmRaceNetwork::SetRaceOrder(const int* machineAtPosition, int count) {
    if (!machineAtPosition || count < 0 || count > kNetPlayers) return false;
    tmNetRaceControl next = control_;
    bool used[kNetPlayers] = {};
    for (int k = 0; k < count; ++k) {
        const int m = machineAtPosition[k];
        if (m < 0 || m >= count || used[m]) return false;
        used[m] = true;
        next.order[k] = static_cast<uint8_t>(m);
    }
    for (int k = count; k < kNetPlayers; ++k) next.order[k] = static_cast<uint8_t>(k);
    control_ = next;
    return true;
}

void tmRaceNetwork::AdvanceRaceControl() {
    if (!host_) return;
    // Several steps may happen in one frame.
    if (control_.phase == 0 && AllInState(1)) control_.phase = 1;
    if (control_.phase == 1 && AllInState(3)) control_.phase = 3;
    if (control_.phase == 3 && AllInState(4)) control_.phase = 4;
}

bool tmRaceNetwork::SyncRace(const tmPeerMachineState& own, bool watchSilence) {
    if (!IsOpen() || (watchSilence && silence_ >= kRaceSilenceLimit)) return false;
    Poll();
    StoreOwnState(own);
    AdvanceRaceControl();
    Send(kNetMsgState);
    if (host_) Send(kNetMsgControl);
    return true;
}

tmPeerMachineState tmRaceNetwork::MakeMachineState(const tmMachineCore& core) {
    tmPeerMachineState s;
    s.raceTimeMs = core.GetLapTimer() ? tmLapTimer::ToMilliseconds(core.GetLapTimer()->GetTotal()) : 0;
    // Where the machine stands, without the knock-back another machine handed it this frame.
    s.x = core.position.x - core.pendingPush.x;
    s.z = core.position.z - core.pendingPush.z;
    s.yaw = core.rotation.y;
    // The record that drove the machine: a remote copy steers the same way.
    s.steering = core.control.steering;
    s.accelerator = core.control.accelerator;
    s.brake = core.control.brake;
    s.gear = core.gear < 0 ? 0u : static_cast<uint32_t>(core.gear);
    s.bodyMode = core.bodyMode;
    s.speed = core.kmh;
    if (!std::isfinite(s.x) || !std::isfinite(s.z)) s.x = s.z = 0.0f;
    return s;
}

bool tmRaceNetwork::SetupRaceFromEntries(tmRaceState& race) const {
    const int own = FindOwnIndex();
    if (own < 0 || !tmNetIsTableValid(table_)) return false;
    // The local entrant is this player's slot in the host's table (its own
    // entry never learns one).
    const int local = table_.entries[own].gridSlot;
    if (race.setup.mode != kRaceModeDirect) race.setup.mode = kRaceModeLobby;
    race.setup.count = table_.count;
    race.setup.local = static_cast<uint32_t>(local);
    race.setup.difficulty = 1;
    for (uint32_t i = 0; i < table_.count; ++i) {
        const tmNetPlayerEntry& e = table_.entries[i];
        tmEntrant entrant;
        entrant.machineId = e.machine != 0 ? e.machine : 1;
        entrant.controllerType = e.gridSlot == local ? kControllerPlayer : kControllerNetwork;
        entrant.variant = e.variant;
        std::memcpy(entrant.driverName, e.driverName, kRaceNameSize);
        std::memcpy(entrant.teamName, e.teamName, kRaceNameSize);
        entrant.entrantId = i;
        race.SetEntrant(e.gridSlot, entrant);
    }
    return true;
}
