// tmPlaceholderScreens.h -- SCAFFOLDING: stand-in screens until the real ones are registered.
#pragma once
#include "app/tmSequence.h"

// Fills every id 1..28 with a stand-in that draws nothing and follows the
// normal road of the game on decide and cancel (title -> main menu -> course
// select -> machine select -> loading -> race; main menu cancel quits with 29).
// Scaffolding only: each real screen replaces its entry in tmMakeScreenFactory.
void tmRegisterPlaceholderScreens(tmSequenceFactory& factory);

// The next ids a stand-in returns on decide and on cancel (0: none; -1: at once, without input).
struct tmPlaceholderRoad {
    int decide;
    int cancel;
};
tmPlaceholderRoad tmGetPlaceholderRoad(int id);
