// tmRaceNetwork.cpp -- the network race session: start and stop, send, receive and the waiting-room operations.
#include "race/tmRaceNetwork.h"

#include <cstdio>
#include <cstring>

#include "app/tmConfig.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "sys/net/tmNetwork.h"
#include "table/CourseTable.h"
#include "table/MachineTable.h"

namespace {

tmRaceNetwork* g_session = nullptr;
bool g_quiet = false;

// Holds the transport's lock for one scope.
class TransportLock {
public:
    explicit TransportLock(tmRaceTransport& t) : t_(t) { t_.Lock(); }
    ~TransportLock() { t_.Unlock(); }
    TransportLock(const TransportLock&) = delete;
    TransportLock& operator=(const TransportLock&) = delete;

private:
    tmRaceTransport& t_;
};

void CopyName(char* to, const char* from) {
    std::memset(to, 0, kRaceNameSize);
    if (from) std::strncpy(to, from, kRaceNameSize - 1);
}

const char* VerdictText(tmNetVerdict v) {
    switch (v) {
        case tmNetVerdict::kShort: return "shorter than a header";
        case tmNetVerdict::kUnknownType: return "of no known type";
        case tmNetVerdict::kWrongLength: return "of the wrong length for its type";
        case tmNetVerdict::kSenderMismatch: return "whose sender does not match its address";
        case tmNetVerdict::kBadCheck: return "with a bad check word";
        case tmNetVerdict::kBadField: return "with a field out of range";
        default: return "";
    }
}

}  // namespace

tmRaceNetwork* tmRaceNetwork::Create() {
    if (!g_session) Create(std::make_unique<tmNetworkTransport>(tmNetwork::GetInstance()));
    return g_session;
}

tmRaceNetwork* tmRaceNetwork::Create(std::unique_ptr<tmRaceTransport> transport) {
    Destroy();
    g_session = TM_NEW tmRaceNetwork(std::move(transport));
    // Remote machines of a network race read their states from here.
    tmPeerSource::Set(g_session);
    return g_session;
}

tmRaceNetwork* tmRaceNetwork::Get() { return g_session; }

void tmRaceNetwork::Destroy() {
    TM_DELETE(g_session);
    g_session = nullptr;
}

void tmRaceNetwork::SetQuietLog(bool quiet) { g_quiet = quiet; }

tmRaceNetwork::tmRaceNetwork(std::unique_ptr<tmRaceTransport> transport) : transport_(std::move(transport)) {
    ResetSession();
}

tmRaceNetwork::~tmRaceNetwork() {
    if (tmPeerSource::Get() == this) tmPeerSource::Set(nullptr);
    Stop();
}

void tmRaceNetwork::ResetSession() {
    ownEntry_ = tmNetPlayerEntry();
    table_ = tmNetPlayerTable();
    ownState_ = tmPeerMachineState();
    for (int i = 0; i < kNetPlayers; ++i) {
        states_[i] = tmPeerMachineState();
        stateHeard_[i] = false;
        playerSilence_[i] = 0;
        silenceId_[i] = 0;
    }
    control_ = tmNetRaceControl();
    tableHeard_ = controlHeard_ = false;
    accepted_ = crcErrors_ = silence_ = rejected_ = 0;
    for (uint32_t& r : refusals_) r = 0;
}

void tmRaceNetwork::FillOwnEntry() {
    const tmConfig& cfg = tmConfig::GetInstance();
    ownEntry_ = tmNetPlayerEntry();
    ownEntry_.netId = GetOwnId();
    CopyName(ownEntry_.driverName, cfg.GetPlayerName());
    CopyName(ownEntry_.teamName, cfg.GetTeamName());
    ownEntry_.gridSlot = -1;
}

bool tmRaceNetwork::Start(bool host) {
    if (transport_->IsOpen()) transport_->Close();
    host_ = host;
    const bool opened = transport_->Open(host);
    ResetSession();
    FillOwnEntry();
    if (host) {
        ownEntry_.gridSlot = 0;
        table_.entries[0] = ownEntry_;
        table_.count = 1;
        const uint32_t course = tmRaceState::Get().setup.course;
        table_.course = course <= static_cast<uint32_t>(kLastCourseId) ? course : 0;
    }
    if (!opened) std::fprintf(stderr, "race network: the transport did not open\n");
    return opened;
}

void tmRaceNetwork::Stop() {
    if (transport_ && transport_->IsOpen()) transport_->Close();
}

bool tmRaceNetwork::IsOpen() const { return transport_ && transport_->IsOpen(); }

uint32_t tmRaceNetwork::GetOwnId() const { return transport_ ? transport_->OwnAddress() : 0; }

uint32_t tmRaceNetwork::GetHostId() const { return transport_ ? transport_->HostAddress() : 0; }

void tmRaceNetwork::Poll() {
    if (IsOpen()) Receive();
}

// ---------------------------------------------------------------- sending

void tmRaceNetwork::Send(uint32_t type) {
    TransportLock lock(*transport_);
    uint8_t payload[kNetTableSize];
    switch (type) {
        case kNetMsgEntry:
            ownEntry_.sequence = sent_;
            tmNetWriteEntry(ownEntry_, payload);
            break;
        case kNetMsgTable:
            table_.sequence = sent_;
            tmNetWriteTable(table_, payload);
            break;
        case kNetMsgState:
            ownState_.sequence = sent_;
            tmNetWriteState(ownState_, payload);
            break;
        case kNetMsgControl:
            control_.sequence = sent_;
            tmNetWriteControl(control_, payload);
            break;
        default: ++sent_; return;
    }
    const uint32_t own = GetOwnId();
    const size_t length = tmNetBuildDatagram(type, own, payload, buffer_);
    if (type == kNetMsgEntry) {
        // The host is its own first player: it applies its entry directly.
        if (host_)
            OnPlayerEntry(ownEntry_);
        else
            transport_->Send(transport_->HostAddress(), buffer_, static_cast<int>(length));
    } else {
        for (uint32_t i = 0; i < table_.count; ++i) {
            const uint32_t to = table_.entries[i].netId;
            if (to != own) transport_->Send(to, buffer_, static_cast<int>(length));
        }
    }
    if (type == kNetMsgState) {
        const int index = FindOwnIndex();
        if (index >= 0 && (!stateHeard_[index] || ownState_.sequence > states_[index].sequence)) {
            states_[index] = ownState_;
            stateHeard_[index] = true;
        }
    }
    ++sent_;
}

// ---------------------------------------------------------------- receiving

void tmRaceNetwork::Receive() {
    {
        TransportLock lock(*transport_);
        transport_->Drain([this](const tmRaceDatagram& d) {
            const tmNetVerdict v = HandleDatagram(d);
            if (v != tmNetVerdict::kOk) Refuse(v, d);
        });
    }
    // A host alone in its table has nobody to hear from and never runs out.
    silence_ = host_ && table_.count < 2 ? 0 : silence_ + 1;
    for (uint32_t i = 0; i < table_.count && i < static_cast<uint32_t>(kNetPlayers); ++i) {
        if (silenceId_[i] != table_.entries[i].netId) {
            silenceId_[i] = table_.entries[i].netId;
            playerSilence_[i] = 0;
        }
        ++playerSilence_[i];
    }
}

void tmRaceNetwork::DiscardReceived() {
    if (!transport_) return;
    TransportLock lock(*transport_);
    transport_->Drain([](const tmRaceDatagram&) {});
}

tmNetVerdict tmRaceNetwork::HandleDatagram(const tmRaceDatagram& d) {
    if (!d.data || d.length < static_cast<int>(kNetHeaderSize)) return tmNetVerdict::kShort;
    const tmNetHeader h = tmNetReadHeader(d.data);
    const size_t size = tmNetPayloadSize(h.type);
    if (size == 0) return tmNetVerdict::kUnknownType;
    // Each side listens to its own kinds only: entries go to the host, the table to guests.
    if (h.type == kNetMsgEntry && !host_) return tmNetVerdict::kOk;
    if (h.type == kNetMsgTable && host_) return tmNetVerdict::kOk;
    if (static_cast<size_t>(d.length) != kNetHeaderSize + size) return tmNetVerdict::kWrongLength;
    // The header names the sender; it must be the address the datagram came from.
    if (h.sender == 0 || h.sender != d.source || h.sender == GetOwnId()) return tmNetVerdict::kSenderMismatch;
    // The table and the race control come from the host alone.
    if ((h.type == kNetMsgTable || h.type == kNetMsgControl) && (host_ || d.source != transport_->HostAddress()))
        return tmNetVerdict::kSenderMismatch;

    ++accepted_;
    const uint8_t* payload = d.data + kNetHeaderSize;
    if (tmNetCheckWord(payload, size) != h.check) {
        ++crcErrors_;
        return tmNetVerdict::kBadCheck;
    }

    switch (h.type) {
        case kNetMsgEntry: {
            tmNetPlayerEntry entry;
            if (!tmNetReadEntry(payload, &entry)) return tmNetVerdict::kBadField;
            if (entry.netId != h.sender) return tmNetVerdict::kSenderMismatch;
            OnPlayerEntry(entry);
            break;
        }
        case kNetMsgTable: {
            tmNetPlayerTable table;
            if (!tmNetReadTable(payload, &table)) return tmNetVerdict::kBadField;
            OnTable(table);
            silence_ = 0;
            HeardFrom(h.sender);
            break;
        }
        case kNetMsgState: {
            tmPeerMachineState state;
            if (!tmNetReadState(payload, &state)) return tmNetVerdict::kBadField;
            OnMachineState(h.sender, state);
            break;
        }
        case kNetMsgControl: {
            tmNetRaceControl control;
            if (!tmNetReadControl(payload, &control)) return tmNetVerdict::kBadField;
            if (!controlHeard_ || control.sequence > control_.sequence) control_ = control;
            controlHeard_ = true;
            silence_ = 0;
            HeardFrom(h.sender);
            break;
        }
        default: break;  // type 2: checked, changes nothing
    }
    return tmNetVerdict::kOk;
}

void tmRaceNetwork::OnPlayerEntry(const tmNetPlayerEntry& entry) {
    if (table_.sessionState != kNetSessionOpen) return;
    const bool fromOther = entry.netId != GetOwnId();
    const int index = FindIndex(entry.netId);
    if (index >= 0) {
        tmNetPlayerEntry& row = table_.entries[index];
        if (entry.sequence > row.sequence || (!fromOther && entry.sequence == row.sequence)) {
            const int32_t slot = row.gridSlot;
            row = entry;
            row.gridSlot = slot;
        }
    } else if (table_.count < static_cast<uint32_t>(kNetPlayers)) {
        tmNetPlayerEntry& row = table_.entries[table_.count];
        row = entry;
        row.gridSlot = static_cast<int32_t>(table_.count);
        ++table_.count;
    } else {
        return;  // no 17th player
    }
    if (fromOther) {
        HeardFrom(entry.netId);
        silence_ = 0;
    }
}

void tmRaceNetwork::OnTable(const tmNetPlayerTable& table) {
    if (tableHeard_ && table.sequence <= table_.sequence) return;
    tableHeard_ = true;
    for (int i = 0; i < kNetPlayers; ++i) {
        // A row that now holds another player starts without a state.
        if (table.entries[i].netId != table_.entries[i].netId) {
            stateHeard_[i] = false;
            states_[i] = tmPeerMachineState();
        }
    }
    table_ = table;
}

void tmRaceNetwork::OnMachineState(uint32_t sender, const tmPeerMachineState& state) {
    const int index = FindIndex(sender);
    if (index < 0) return;
    if (!stateHeard_[index] || state.sequence > states_[index].sequence) {
        states_[index] = state;
        stateHeard_[index] = true;
    }
    HeardFrom(sender);
    if (host_) silence_ = 0;
}

void tmRaceNetwork::HeardFrom(uint32_t netId) {
    const int index = FindIndex(netId);
    if (index < 0) return;
    playerSilence_[index] = 0;
    silenceId_[index] = netId;
}

void tmRaceNetwork::Refuse(tmNetVerdict verdict, const tmRaceDatagram& d) {
    if (verdict != tmNetVerdict::kBadCheck) ++rejected_;
    uint32_t& n = refusals_[static_cast<int>(verdict) & 7];
    ++n;
    // One line at the 1st, 2nd, 4th, 8th ... refusal of each kind.
    if (g_quiet || (n & (n - 1)) != 0) return;
    const uint32_t s = d.source;
    std::fprintf(stderr, "race network: dropped a datagram of %d bytes from %u.%u.%u.%u %s (%u so far)\n", d.length,
                 s & 255u, (s >> 8) & 255u, (s >> 16) & 255u, s >> 24, VerdictText(verdict), n);
}

// ---------------------------------------------------------------- waiting room

void tmRaceNetwork::SetOwnStatus(uint32_t machine, uint32_t variant) {
    TransportLock lock(*transport_);
    if (ownEntry_.ready) return;
    if (machine > static_cast<uint32_t>(kLastMachineId) || variant > 1) return;
    ownEntry_.machine = machine;
    ownEntry_.variant = variant;
}

void tmRaceNetwork::FreezeOwnStatus() {
    if (ownEntry_.machine != 0) ownEntry_.ready = 1;
}

void tmRaceNetwork::CheckAllReady() {
    if (table_.sessionState != kNetSessionOpen || table_.count == 0) return;
    // A player silent for long has gone: it holds nobody up.
    for (uint32_t i = 0; i < table_.count; ++i)
        if (!table_.entries[i].ready && !IsPlayerSilent(static_cast<int>(i))) return;
    table_.sessionState = kNetSessionStart;
}

void tmRaceNetwork::Cancel() {
    if (table_.sessionState == kNetSessionOpen) table_.sessionState = kNetSessionCancelled;
}

bool tmRaceNetwork::SwapSlots(int a, int b) {
    const int count = static_cast<int>(table_.count);
    if (a < 0 || b < 0 || a >= count || b >= count) return false;
    const int32_t slot = table_.entries[a].gridSlot;
    table_.entries[a].gridSlot = table_.entries[b].gridSlot;
    table_.entries[b].gridSlot = slot;
    return true;
}

int tmRaceNetwork::FindIndex(uint32_t netId) const {
    if (netId == 0) return -1;
    for (uint32_t i = 0; i < table_.count && i < static_cast<uint32_t>(kNetPlayers); ++i)
        if (table_.entries[i].netId == netId) return static_cast<int>(i);
    return -1;
}

int tmRaceNetwork::FindOwnIndex() const { return FindIndex(GetOwnId()); }

uint32_t tmRaceNetwork::GetPlayerSilence(int index) const {
    return index >= 0 && index < kNetPlayers ? playerSilence_[index] : 0;
}

bool tmRaceNetwork::IsPlayerSilent(int index) const {
    return index >= 0 && index < static_cast<int>(table_.count) && index != FindOwnIndex() &&
           playerSilence_[index] > kPlayerSilenceLimit;
}

bool tmRaceNetwork::AllInState(uint32_t barrier) const {
    const int own = FindOwnIndex();
    for (int i = 0; i < static_cast<int>(table_.count); ++i) {
        if (i == own) {
            if (ownState_.barrier != barrier) return false;
            continue;
        }
        if (IsPlayerSilent(i)) continue;  // a vanished player holds nobody up
        if (!stateHeard_[i] || states_[i].barrier != barrier) return false;
    }
    return true;
}

const tmPeerMachineState& tmRaceNetwork::GetState(int index) const {
    static const tmPeerMachineState kNone;
    return index >= 0 && index < kNetPlayers ? states_[index] : kNone;
}

// ---------------------------------------------------------------- peer source

int tmRaceNetwork::FindNetworkSlot(int gridIndex) const {
    for (int i = 0; i < static_cast<int>(table_.count); ++i)
        if (table_.entries[i].gridSlot == gridIndex) return i;
    return -1;
}

bool tmRaceNetwork::GetPeerState(int slot, tmPeerMachineState* out) const {
    if (slot < 0 || slot >= static_cast<int>(table_.count) || !stateHeard_[slot] || !out) return false;
    *out = states_[slot];
    return true;
}
