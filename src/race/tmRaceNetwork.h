// tmRaceNetwork.h -- the network race session: entries, player table, machine states and race control.
#pragma once
#include <cstdint>
#include <memory>

#include "machine/tmMachineSources.h"
#include "race/tmRaceMessages.h"
#include "race/tmRaceTransport.h"

class tmMachineCore;
class tmRaceState;

// Everything the players of a network race exchange: each player's entry in
// the waiting room, the host's player table with grid slots and the start
// decision, every player's machine state once per frame and the host's race
// control (barrier phase and finishing order). Owns its transport; the
// process-wide session (Create) runs over UDP, tests build their own over an
// in-process hub. Polled once per frame on the main thread by the waiting
// room and the race. Every received datagram is checked field by field and
// dropped whole when anything is off; it also serves the machines of remote
// players their latest state (tmPeerSource). Knows nothing of screens.
class tmRaceNetwork : public tmPeerSource {
public:
    static constexpr uint32_t kRaceSilenceLimit = 1801;   // the race gives up at this many silent frames
    static constexpr uint32_t kRoomSilenceLimit = 600;    // the waiting room gives up above this
    static constexpr uint32_t kPlayerSilenceLimit = 600;  // a player silent longer leaves the barrier checks

    // The process's session over the UDP transport of tmNetwork (main loop);
    // it is also the peer source of remote machines.
    static tmRaceNetwork* Create();
    // The same over another transport (tests: an in-process hub); the previous session is replaced.
    static tmRaceNetwork* Create(std::unique_ptr<tmRaceTransport> transport);
    static tmRaceNetwork* Get();
    static void Destroy();

    explicit tmRaceNetwork(std::unique_ptr<tmRaceTransport> transport);
    ~tmRaceNetwork() override;
    tmRaceNetwork(const tmRaceNetwork&) = delete;
    tmRaceNetwork& operator=(const tmRaceNetwork&) = delete;

    // Opens the transport as host or guest (closing it first when open) and
    // starts a fresh session; false when the transport cannot open.
    bool Start(bool host);
    void Stop();
    bool IsOpen() const;
    bool IsHost() const { return host_; }
    // Receives when open.
    void Poll();
    // Sends one message of a type (1, 3, 4, 5); any other type only counts.
    void Send(uint32_t type);
    // Drains and applies every queued datagram, then counts one silent frame.
    void Receive();
    // Empties the transport's queue without applying anything (the network test screen).
    void DiscardReceived();

    // ---- waiting room ----
    // Stores the chosen machine and variant unless the choice is locked.
    void SetOwnStatus(uint32_t machine, uint32_t variant);
    // Locks the choice once a machine is chosen.
    void FreezeOwnStatus();
    // While the session is open: start once every player is ready (long-silent players excepted).
    void CheckAllReady();
    // While the session is open: cancelled.
    void Cancel();
    // Swaps the grid slots of two table rows; false for a row outside the table.
    bool SwapSlots(int a, int b);
    // The table row of this player, -1 when it has none.
    int FindOwnIndex() const;
    // True when every player's state shows the barrier (long-silent players excepted).
    bool AllInState(uint32_t barrier) const;

    // ---- race ----
    // Stores the own machine state, keeping the barrier word.
    void StoreOwnState(const tmPeerMachineState& state);
    void SetOwnBarrier(uint32_t barrier) { ownState_.barrier = barrier; }
    // Host: the finishing order by position (machine indices); positions
    // from count on hold their own number. A list that is no valid order of
    // distinct machine indices is refused (false).
    bool SetRaceOrder(const int* machineAtPosition, int count);
    // Host: moves the race-control phase 0 -> 1 -> 3 -> 4 as far as every
    // player's barrier allows.
    void AdvanceRaceControl();
    // One frame of the race: false (connection lost) when the session is
    // closed or, with watchSilence, silent for kRaceSilenceLimit frames.
    // Otherwise polls, advances the race control (host), stores and sends
    // the own state, and the host sends the race control.
    bool SyncRace(const tmPeerMachineState& own, bool watchSilence = true);
    // Sets the race state up from the table for the race: course and laps
    // kept, mode 5 unless 6, one entrant per player on its grid slot (entrant
    // id = table row), the local entrant = this player's grid slot. False,
    // with nothing changed, when this player has no row in a valid table.
    bool SetupRaceFromEntries(tmRaceState& race) const;
    // The state a machine's core gives for the wire (barrier 0).
    static tmPeerMachineState MakeMachineState(const tmMachineCore& core);

    // ---- readers ----
    const tmNetPlayerEntry& GetOwnEntry() const { return ownEntry_; }
    const tmNetPlayerTable& GetTable() const { return table_; }
    const tmPeerMachineState& GetOwnState() const { return ownState_; }
    const tmPeerMachineState& GetState(int index) const;
    const tmNetRaceControl& GetRaceControl() const { return control_; }
    uint32_t GetOwnId() const;
    uint32_t GetHostId() const;
    uint32_t GetSentCount() const { return sent_; }
    uint32_t GetAcceptedCount() const { return accepted_; }
    uint32_t GetCrcErrorCount() const { return crcErrors_; }
    uint32_t GetSilence() const { return silence_; }
    // Datagrams refused for their form, sender or fields (not the check word).
    uint32_t GetRejectedCount() const { return rejected_; }
    uint32_t GetPlayerSilence(int index) const;
    bool IsPlayerSilent(int index) const;

    // tmPeerSource: remote machines read their player's latest state.
    int FindNetworkSlot(int gridIndex) const override;
    bool GetPeerState(int slot, tmPeerMachineState* out) const override;

    // Silences the refusal log lines (fuzzing).
    static void SetQuietLog(bool quiet);

private:
    void ResetSession();
    void FillOwnEntry();
    int FindIndex(uint32_t netId) const;
    tmNetVerdict HandleDatagram(const tmRaceDatagram& d);
    void OnPlayerEntry(const tmNetPlayerEntry& entry);
    void OnTable(const tmNetPlayerTable& table);
    void OnMachineState(uint32_t sender, const tmPeerMachineState& state);
    void HeardFrom(uint32_t netId);
    void Refuse(tmNetVerdict verdict, const tmRaceDatagram& d);

    std::unique_ptr<tmRaceTransport> transport_;
    bool host_ = false;
    tmNetPlayerEntry ownEntry_;
    tmNetPlayerTable table_;
    tmPeerMachineState ownState_;
    tmPeerMachineState states_[kNetPlayers];
    bool stateHeard_[kNetPlayers] = {};
    tmNetRaceControl control_;
    bool tableHeard_ = false;  // a guest takes its first table and race control whatever their number
    bool controlHeard_ = false;
    uint8_t buffer_[kNetMaxDatagram] = {};
    uint32_t sent_ = 0;
    uint32_t accepted_ = 0;
    uint32_t crcErrors_ = 0;
    uint32_t silence_ = 0;
    uint32_t rejected_ = 0;
    uint32_t refusals_[8] = {};  // by verdict, for the rate-limited log
    // Silence of each table row, with the id it was counted for.
    uint32_t playerSilence_[kNetPlayers] = {};
    uint32_t silenceId_[kNetPlayers] = {};
};
