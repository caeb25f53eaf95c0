// tmTimer.cpp -- microsecond readings and lap slots.
#include "sys/tmTimer.h"

#include "platform/clock/Clock.h"
#include "sys/base/tmMemory.h"

namespace {
tmTimer* g_timer = nullptr;

bool ValidLap(int i) { return i >= 0 && i < tmTimer::kLapCount; }
}  // namespace

tmTimer* tmTimer::Create() {
    if (!g_timer) g_timer = TM_NEW tmTimer;
    return g_timer;
}

void tmTimer::Destroy() {
    TM_DELETE(g_timer);
    g_timer = nullptr;
}

tmTimer* tmTimer::GetInstance() { return g_timer; }

uint32_t tmTimer::GetMicroseconds() const {
    // The platform clock already counts 64-bit microseconds, so nothing overflows.
    return static_cast<uint32_t>(platform::GetClock().NowMicros());
}

uint32_t tmTimer::StartLap(int i) {
    uint32_t now = GetMicroseconds();
    if (ValidLap(i)) laps_[i] = now;
    return now;
}

uint32_t tmTimer::GetLap(int i) const { return GetMicroseconds() - (ValidLap(i) ? laps_[i] : 0u); }

int tmTimer::RestartLap(int, const char*, int i) {
    uint32_t diff = GetMicroseconds() - (ValidLap(i) ? laps_[i] : 0u);
    uint32_t again = GetMicroseconds();
    if (ValidLap(i)) laps_[i] = again;
    return static_cast<int>(diff);
}
