// tmMachinePart.h -- the optional presentation parts of a machine: model, effects and sound.
#pragma once

class tmMachineCore;
class tmMachineMove;

// One presentation part of a machine (its model, its effects or its sound).
// The physics never depends on one: a machine without them runs the same
// race. The machine calls Init when it is set up and restarted, Update once
// per step in the fixed order (model, effects, sound), and Draw from its own
// Draw. A part reads the core and the movement and draws only through the
// drawing seam.
class tmMachinePart {
public:
    virtual ~tmMachinePart() = default;
    virtual void Init(tmMachineCore& core, tmMachineMove& move) = 0;
    virtual void Update() = 0;
    virtual void Draw(bool /*extraPass*/) {}
    virtual void DrawViewer() {}
    // The machine was hidden or shown (the sound mutes its loops).
    virtual void SetHidden(bool /*hidden*/) {}
};

// Makes the presentation parts of new machines. The program installs one at
// start; with none installed machines are headless (no model, effects or
// sound). Each Make returns a part made with TM_NEW, which the machine owns
// and deletes with TM_DELETE, or null.
class tmMachinePartFactory {
public:
    virtual ~tmMachinePartFactory() = default;
    virtual tmMachinePart* MakeModel() = 0;
    virtual tmMachinePart* MakeEffect() = 0;
    // Asked only for the local player's machine.
    virtual tmMachinePart* MakeSound() = 0;

    static tmMachinePartFactory* Get();              // null when none is installed
    static void Set(tmMachinePartFactory* factory);  // not owned
};
