// tmMachineLook.h -- the part factory that gives machines their model, effects and sound.
#pragma once

#include "machine/tmMachinePart.h"

// Makes tmMachineModel, tmMachineEffect and tmMachineSound parts. The program
// installs the one instance at start (tmMachinePartFactory::Set) so that
// machines of races and viewers are drawn and heard; tests and headless runs
// leave it out and their machines run the same.
class tmMachineLook final : public tmMachinePartFactory {
public:
    static tmMachineLook& Instance();

    tmMachinePart* MakeModel() override;
    tmMachinePart* MakeEffect() override;
    tmMachinePart* MakeSound() override;
};
