// tmSeqMachineSelect.h -- screen 21: one of eleven machines and its transmission picked for the race or cup.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"

class tmMachineSelectFrontend;

// Follows the course select, the main menu's cup entry and the replay select
// (racing a ghost). Left and right change the machine behind a black cover;
// decide asks for the transmission; the choice becomes the local entrant, or
// starts the cup, and the loading screen follows. Owns its frontend.
class tmSeqMachineSelect : public tmSequence {
public:
    enum State : int32_t { kEntering = 0, kMachine = 1, kTransmission = 2, kCancelled = 3, kLeaving = 4 };
    static constexpr int kMachineCount = 11;

    // One entry of the list: machine id, the sprite group of its picture and the picture.
    struct Entry {
        uint32_t machine;
        int spriteGroup;
        uint32_t background;
    };
    static const Entry kList[kMachineCount];

    tmSeqMachineSelect();
    ~tmSeqMachineSelect() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    int GetCursor() const { return cursor_; }
    int GetShownIndex() const { return shown_; }
    int32_t GetState() const { return state_; }
    uint32_t GetTransmission() const { return transmission_; }
    const tmMachineSelectFrontend* GetFrontend() const { return frontend_; }

private:
    void CoverRule();
    void Decide();

    tmMachineSelectFrontend* frontend_ = nullptr;
    int cursor_ = 0;
    int shown_ = 0;
    uint8_t decided_ = 0;
    uint32_t transmission_ = 0;  // 0 automatic, 1 manual
    int next_ = 0;
    int32_t state_ = kEntering;
    int32_t previous_ = -1;
    int32_t steps_ = 0;
    int32_t total_ = 0;
    bool loaded_ = false;
};
