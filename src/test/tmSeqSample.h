// tmSeqSample.h -- screen 2: the smallest test screen, a title line and the display-mode keys.
#pragma once
#include "test/tmTestScreen.h"

// Waits for Enter (or keypad Enter or Escape), then goes back to the debug
// menu in the next step. While it waits, "1", "2" and "9" set the display up
// again at 1024 x 768, at 640 x 480 or unchanged.
class tmSeqSample : public tmTestScreen {
public:
    static constexpr int kId = 2;
    enum State { kWaiting = 0, kLeaving = 1 };

    ~tmSeqSample() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    int GetState() const { return state_; }

private:
    int state_ = kWaiting;
    bool started_ = false;
};
