// tmSequenceManager.h -- owns the live screen and switches screens after a draw.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "app/tmSequence.h"

// Owned by the main loop. Creates the screen for the pending id, updates it
// once per logic step and draws it once per frame; a new id asked for by the
// screen takes effect only after the outgoing screen was drawn once more.
class tmSequenceManager {
public:
    // step = logic steps run so far, previous = id left, next = id entered.
    using SwitchObserver = std::function<void(uint64_t step, int previous, int next)>;

    explicit tmSequenceManager(const tmSequenceFactory& factory);
    ~tmSequenceManager();
    tmSequenceManager(const tmSequenceManager&) = delete;
    tmSequenceManager& operator=(const tmSequenceManager&) = delete;

    // No screen; `first` pending (the title, 13, in the game).
    void Reset(int first = kSeqTitle);
    // One logic step; true when no screen exists any more (the program ends).
    // May lower *steps to 1 so a new screen's second step ends its frame.
    bool Update(int* steps);
    void Draw();
    // Ends the live screen.
    void Release();

    int GetNextId() const { return nextId_; }
    // The live screen (null between screens), for tests that look inside it.
    tmSequence* GetScreen() const { return screen_.get(); }
    int GetCurrentId() const { return currentId_; }
    uint64_t GetTotalSteps() const { return totalSteps_; }
    // The id of the screen left at the last switch (0 at start), read by the next screen's Init.
    static int GetPreviousId();

    // The pause between ending one screen and making the next (100 ms).
    void SetSwitchWait(uint32_t micros) { switchWaitMicros_ = micros; }
    void SetSwitchObserver(SwitchObserver observer) { observer_ = std::move(observer); }

private:
    void Create();

    tmSequenceFactory factory_;
    int currentId_ = 0;
    int nextId_ = 0;
    int stepsInSequence_ = 0;
    int updatesSinceDraw_ = 0;
    uint64_t totalSteps_ = 0;
    uint32_t switchWaitMicros_ = 100000;
    std::unique_ptr<tmSequence> screen_;
    SwitchObserver observer_;
};
