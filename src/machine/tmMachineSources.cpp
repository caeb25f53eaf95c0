// tmMachineSources.cpp -- the installed replay and peer sources, and control-record checks.
#include "machine/tmMachineSources.h"

#include <cmath>

namespace {
tmReplaySource* g_replay = nullptr;
tmPeerSource* g_peer = nullptr;

float Axis(float v, float lo, float hi) {
    if (!std::isfinite(v)) return 0.0f;
    return v < lo ? lo : (v > hi ? hi : v);
}
}  // namespace

tmReplaySource* tmReplaySource::Get() { return g_replay; }
void tmReplaySource::Set(tmReplaySource* source) { g_replay = source; }
tmPeerSource* tmPeerSource::Get() { return g_peer; }
void tmPeerSource::Set(tmPeerSource* source) { g_peer = source; }

tmMachineControl SanitizeControl(const tmMachineControl& in) {
    tmMachineControl out;
    out.steering = Axis(in.steering, -1.0f, 1.0f);
    out.accelerator = Axis(in.accelerator, 0.0f, kMaxControlAccelerator);
    out.brake = Axis(in.brake, 0.0f, kMaxControlBrake);
    out.shiftUp = in.shiftUp ? 1 : 0;
    out.shiftDown = in.shiftDown ? 1 : 0;
    out.bodyMode = in.bodyMode ? 1 : 0;
    out.boost = in.boost ? 1 : 0;
    return out;
}
