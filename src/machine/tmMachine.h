// tmMachine.h -- one racing machine: its core, movement and optional presentation parts.
#pragma once

class tmCourse;
class tmLapTimer;
class tmMachineCore;
class tmMachineMove;
class tmMachinePart;
struct tmEntrant;

// One machine of a race (the player's, a computer's, a replayed one or a
// network peer's) or of the machine viewer. Owns its core and movement, and
// the model, effects and sound parts when the program installed a part
// factory (a headless race has none and runs the same). Runs its parts once
// per logic step in a fixed order: core contact flag cleared, movement,
// core, model, effects, sound. The race sequence makes one per entrant and
// hands its core to the race state.
class tmMachine {
public:
    tmMachine() = default;
    ~tmMachine() { Release(); }
    tmMachine(const tmMachine&) = delete;
    tmMachine& operator=(const tmMachine&) = delete;

    // course may be null (no floor, walls or laps). gridIndex is the entrant index.
    void Init(const tmCourse* course, const tmEntrant& entrant, int gridIndex, bool player, bool displayAtOrigin);
    void Update(const tmCourse* course);
    void Draw(bool extraPass);
    void DrawViewer();
    // Back on the grid slot with a fresh lap timer and boost stock.
    void Restart(const tmCourse* course);
    void SetHidden(bool hidden);
    tmLapTimer* GetLapRecord() const;
    void Release();

    tmMachineCore* GetCore() const { return core_; }
    tmMachineMove* GetMove() const { return move_; }

private:
    tmMachineCore* core_ = nullptr;
    tmMachineMove* move_ = nullptr;
    tmMachinePart* model_ = nullptr;
    tmMachinePart* effect_ = nullptr;
    tmMachinePart* sound_ = nullptr;  // the local player's machine only
};
