// tmSeqFrontendViewer.h -- debug screen 10: the race display of one machine, its values moved by the keyboard.
#pragma once
#include <cstdint>
#include <memory>

#include "app/tmSequence.h"

class tmFrontend;
struct tmHudMachineRecord;

// Runs the race display (tmFrontend) without a race for the machine the
// debug menu's row chose (its value + 1), and lets keys move what the
// cockpit shows: speed (R/E) and revolutions (F/D) while held, gear (V/C, up
// to 5), body mode (Y/T, up to 3), the two boost gauges (H fills the first,
// G drains them while held) and the boost stock (N/B); Space shows or hides
// the viewer's element and S marks the race finished. Enter, keypad Enter or
// Escape go back to the debug menu. Owns the display and the machine record.
class tmSeqFrontendViewer : public tmSequence {
public:
    static constexpr float kTopSpeed = 999.0f;
    static constexpr float kTopRevolutions = 24000.0f;
    static constexpr float kRevolutionStep = 300.0f;
    static constexpr int32_t kTopGear = 5;
    static constexpr int32_t kTopBodyMode = 3;
    static constexpr int32_t kGaugeTotal = 100;
    static constexpr int32_t kFlashThreshold = 80;
    static constexpr int32_t kCountdown = 4000;  // ms on the lap record: before the start
    static constexpr int32_t kBannerTime = 2500;

    tmSeqFrontendViewer();
    ~tmSeqFrontendViewer() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    // Null before Init and after Term.
    const tmFrontend* GetFrontend() const { return hud_.get(); }
    const tmHudMachineRecord* GetMachineRecord() const { return machine_.get(); }
    bool IsHudShown() const { return showHud_; }
    int32_t GetFrameCount() const { return frameCount_; }

private:
    // Moves the machine record by the keys of this step.
    void HandleKeys();

    std::unique_ptr<tmFrontend> hud_;
    std::unique_ptr<tmHudMachineRecord> machine_;
    bool showHud_ = true;
    int32_t frameCount_ = 0;
};
