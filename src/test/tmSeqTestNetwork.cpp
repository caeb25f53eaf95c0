// tmSeqTestNetwork.cpp -- the network test: start, close, send and poll the race session by key.
#include "test/tmSeqTestNetwork.h"

#include <cstring>

#include "race/tmRaceNetwork.h"
#include "race/tmRaceState.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"

namespace {

constexpr int kFontHeight = 14;

bool Pressed(int key) {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    return in && in->IsKeyTriggered(key);
}

}  // namespace

tmSeqTestNetwork::~tmSeqTestNetwork() {
    if (started_) Term();
}

void tmSeqTestNetwork::Init() {
    KeepDebugFont(kFontHeight, false);
    frameCount_ = 0;
    opened_ = false;
    started_ = true;
}

int tmSeqTestNetwork::Update() {
    if (LeaveTriggered()) return kNextId;
    tmRaceNetwork* net = tmRaceNetwork::Get();
    if (net) {
        if (Pressed(tmKey::k1) || Pressed(tmKey::k2)) {
            const bool host = Pressed(tmKey::k1);
            tmRaceState::Get().hostFlag = host ? 1 : 0;
            opened_ = net->Start(host) || opened_;
        }
        if (Pressed(tmKey::k3)) net->Stop();
        if (Pressed(tmKey::k4)) net->DiscardReceived();
        if (Pressed(tmKey::k5)) {
            net->SetOwnStatus(1, 0);
            net->Send(kNetMsgEntry);
        }
        if (Pressed(tmKey::k6)) {
            tmPeerMachineState state;
            state.raceTimeMs = static_cast<uint32_t>(frameCount_) * 1000u / 60u;
            state.x = static_cast<float>(frameCount_);
            state.z = static_cast<float>(frameCount_) * 0.5f;
            net->StoreOwnState(state);
            net->Send(kNetMsgState);
        }
        if (net->IsHost() && net->IsOpen()) net->Send(kNetMsgTable);
        net->Poll();
    }
    ++frameCount_;
    return 0;
}

void tmSeqTestNetwork::Draw() {
    PrintTitle("TestNetwork ( %4d )");
    const tmRaceNetwork* net = tmRaceNetwork::Get();
    PrintLine(1, "thread %d", net && net->IsOpen() ? 1 : 0);
    if (!net) return;
    const tmNetPlayerTable& table = net->GetTable();
    const int count = table.count < static_cast<uint32_t>(kNetPlayers) ? static_cast<int>(table.count) : kNetPlayers;
    for (int i = 0; i < count; ++i) {
        char name[kRaceNameSize] = {};
        std::memcpy(name, table.entries[i].driverName, kRaceNameSize - 1);
        const tmPeerMachineState& state = net->GetState(i);
        PrintLine(2 + i, "%d:%s(%f,%f)", i, name, static_cast<double>(state.x), static_cast<double>(state.z));
    }
}

void tmSeqTestNetwork::Term() {
    tmRaceNetwork* net = tmRaceNetwork::Get();
    if (net && opened_) net->Stop();
    opened_ = false;
    DropDebugFont();
    started_ = false;
}
