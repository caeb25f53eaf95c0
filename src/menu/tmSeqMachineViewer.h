// tmSeqMachineViewer.h -- screen 8: the garage, where each machine stands on the turntable to be looked at.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"

class tmCameraCtrl;
class tmCourse;
class tmMachine;
class tmMachineSelectFrontend;
class tmSpriteTween;

// A list of the eleven machines beside the garage scene: the chosen machine
// is built in the garage behind a black cover and looked at through five
// camera modes (an orbit and four close-ups). Owns the machine, the garage
// course, the camera, the machine-select frontend (garage variant) and its
// list sprites; loads the shown machine's model groups while it stands.
class tmSeqMachineViewer : public tmSequence {
public:
    enum State : int32_t { kEntering = 0, kList = 1, kViewing = 2, kLeaving = 3, kDone = 4 };
    static constexpr int kEntries = 12;  // RETURN, then the eleven machines
    static const uint32_t kListMachines[kEntries];
    static constexpr int kCameraModes[5] = {16, 17, 18, 19, 20};

    tmSeqMachineViewer();
    ~tmSeqMachineViewer() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    int32_t GetState() const { return state_; }
    int GetCursor() const { return cursor_; }
    int GetShownEntry() const { return shown_; }
    int GetCameraIndex() const { return camera_; }
    int GetCameraMode() const;
    const tmMachine* GetMachine() const { return machine_; }
    const tmMachineSelectFrontend* GetFrontend() const { return frontend_; }

private:
    void CoverRule();
    void RebuildMachine();
    void MoveCursorTween(int entry, bool selected);
    void ShowList(bool shown);
    void LoadMachineGroups(uint32_t machine, bool load);

    tmMachine* machine_ = nullptr;
    tmCourse* course_ = nullptr;
    tmCameraCtrl* camera_ctrl_ = nullptr;
    tmMachineSelectFrontend* frontend_ = nullptr;
    tmSpriteTween* window_ = nullptr;
    tmSpriteTween* cursors_[kEntries] = {};
    int cursor_ = 0;
    int chosen_ = 0;
    int shown_ = 0;
    int32_t state_ = kEntering;
    int32_t previous_ = -1;
    int32_t steps_ = 0;
    int next_ = 0;
    int camera_ = 0;
    int32_t total_ = 0;
    uint32_t loadedMachine_ = 0;
    bool loaded_ = false;
};
