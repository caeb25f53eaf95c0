// Emitter and sound tables of the machines, indexed by machine id (entry 0 unused).
#pragma once

#include "table/MachineParts.h"

extern const MachineEmitterTable MachineEmitterRows[12];
extern const MachineSoundTable MachineSoundRows[12];
