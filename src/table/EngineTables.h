// EngineTables.h -- the generated tables the engine reads, as the program start registers them.
#pragma once

#include "sys/data/tmEngineTables.h"

// The data-table bank, the shader bank and the resource cache's slot names of the generated content. The program
// start registers them with tmEngineTables::Register before the main loop starts; the test support does the same
// for every test binary.
tmEngineTables GameEngineTables();
