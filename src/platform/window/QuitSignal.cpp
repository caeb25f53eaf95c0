// QuitSignal.cpp -- quit signal handlers: a flag first, the process's end on a second in a frame or any in shutdown.
#include "platform/window/QuitSignal.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace platform {

namespace {
std::atomic<int> g_signals{0};
std::atomic<bool> g_frameBusy{false};
std::atomic<bool> g_shuttingDown{false};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "read and written from a signal handler");

void OnQuitSignal(int sig) {
    if ((g_signals.fetch_add(1) > 0 && g_frameBusy.load()) || g_shuttingDown.load()) _exit(128 + sig);
}
}  // namespace

void InstallQuitSignals() {
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool QuitSignalled() { return g_signals.load() > 0; }

void SetFrameBusy(bool busy) { g_frameBusy.store(busy); }

void SetShuttingDown() { g_shuttingDown.store(true); }

void ResetQuitSignal() {
    g_signals.store(0);
    g_shuttingDown.store(false);
}

}  // namespace platform
