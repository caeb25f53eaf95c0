// ScreenJumps.h -- the game's screens behind a switch that sends a running session to any screen id.
#pragma once
#include "app/tmSequence.h"

namespace harness {

// Makes a factory whose screens are those of `screens` (the game's own by
// default), each wrapped so that after JumpTo(id) the live screen answers
// `id` from its next Update instead of its own answer; the program then
// switches the way it always does (the old screen drawn once more and ended,
// the new one made through the real factory). For tests that show screens
// the menus cannot reach on their own (the ending, the debug viewers) or
// that visit many screens in one session. One such factory per process.
tmSequenceFactory JumpableScreens(const tmSequenceFactory& screens = tmMakeScreenFactory());
// The id the live screen returns from its next Update (once).
void JumpTo(int id);
// The game's screen inside a wrapper (the screen itself when it is none).
tmSequence* Unwrap(tmSequence* screen);

}  // namespace harness
