// QuitSignal.h -- SIGTERM and SIGINT as the user's request to quit, and the second one as "now".
#pragma once

namespace platform {

// Installs the handlers (idempotent). The first SIGTERM or SIGINT marks a quit
// request that the main loop reads at the end of the frame, so the game ends
// with its save written. A second one while a frame is still busy (a frame that
// hangs in a driver cannot reach its end) ends the process at once with status
// 128 + the signal, and so does any one once the loop has ended and the game
// only shuts down (a shutdown that hangs must not need SIGKILL).
void InstallQuitSignals();
// A quit signal has arrived since the handlers were installed (or the last reset).
bool QuitSignalled();
// The main loop marks the span of each frame.
void SetFrameBusy(bool busy);
// The main loop has ended and its save is written: from now on a quit signal ends the process at once.
void SetShuttingDown();
// Forgets a signal seen and the shutdown mark (tests, and a program run that starts again in one process).
void ResetQuitSignal();

}  // namespace platform
