// tmFrontend.h -- the race display of one race: its camera, the common elements and the machine's cockpit.
#pragma once
#include <cstdint>

#include "frontend/tmFrontendCommon.h"
#include "frontend/tmFrontendMachine.h"

class tmCameraCtrl;

// Created by the race sequence after the course and the machines, fed the
// machine record, the lap record and the entrant rows every logic step, and
// drawn every frame through a camera of its own (mode 2). Owns the camera,
// the common elements and the cockpit of the local machine's family (none for
// an id outside 1 to 11).
class tmFrontend : public tmFrontendBase {
public:
    tmFrontend();
    ~tmFrontend() override;
    tmFrontend(const tmFrontend&) = delete;
    tmFrontend& operator=(const tmFrontend&) = delete;

    void Init(int machineId);
    // A race restarts: camera, common part and cockpit set up again.
    void Reset();
    void Update(const tmHudMachineRecord& machine, const tmHudLapRecord& lap, const tmGaugeArray& rows);
    void Draw();
    // Only the element the HUD viewer shows.
    void DrawViewer();
    // The full-screen fade toward black (show) or clear; at once or 0.05 per update.
    void SetVisible(bool show, bool immediate);
    // The message panel shows the largest id asked for since it was last drawn.
    void ShowMessage(int id);
    void SetFinished();
    // The common elements and the cockpit are drawn only while shown (the fade always is).
    void SetShown(bool shown) { visible_ = shown ? 1u : 0u; }

    int GetMachineId() const { return static_cast<int>(machineId_); }
    bool IsShown() const { return visible_ != 0; }
    tmCameraCtrl* GetCamera() const { return camera_; }
    tmFrontendCommon* GetCommon() const { return common_; }
    tmFrontendMachine* GetCockpit() const { return cockpit_; }

private:
    tmCameraCtrl* camera_ = nullptr;      // owned
    tmFrontendCommon* common_ = nullptr;  // owned
    uint32_t machineId_ = 0;
    tmFrontendMachine* cockpit_ = nullptr;  // owned; null for an unknown machine
    uint32_t visible_ = 1;
};
