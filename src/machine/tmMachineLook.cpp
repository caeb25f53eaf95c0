// tmMachineLook.cpp -- making the presentation parts of a machine.
#include "machine/tmMachineLook.h"

#include "machine/tmMachineEffect.h"
#include "machine/tmMachineModel.h"
#include "machine/tmMachineSound.h"
#include "sys/base/tmMemory.h"

tmMachineLook& tmMachineLook::Instance() {
    static tmMachineLook instance;
    return instance;
}

tmMachinePart* tmMachineLook::MakeModel() { return TM_NEW tmMachineModel; }
tmMachinePart* tmMachineLook::MakeEffect() { return TM_NEW tmMachineEffect; }
tmMachinePart* tmMachineLook::MakeSound() { return TM_NEW tmMachineSound; }
