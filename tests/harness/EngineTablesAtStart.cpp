// EngineTablesAtStart.cpp -- test support: registers the generated engine tables before main, as the program
// start does, so every test, benchmark and fuzz binary that runs game code finds the banks and slot names.
#include "table/EngineTables.h"

namespace {

const bool kRegistered = (tmEngineTables::Register(GameEngineTables()), true);

}  // namespace
