// tmCameraReplay.h -- the television-style camera of replays, results and the race intro.
#pragma once
#include <cstdint>

#include "table/ReplayCameraTable.h"

class tmCameraRandom;
class tmCameraReplayAct;
class tmMachineCore;

// Follows one machine and chooses its shots by where that machine is on the
// course: each zone of route sections lists the shots allowed there, and
// entering another zone starts a random one of them. A shot is a blend of two
// stored camera states whose look-at point chases the machine (kind 1), a
// plain blend (kind 2), or one of the procedural moves (kind 3). Borrows the
// course's zone and shot lists and the machine; owns its act object.
class tmCameraReplay {
public:
    tmCameraReplay() = default;
    ~tmCameraReplay();
    tmCameraReplay(const tmCameraReplay&) = delete;
    tmCameraReplay& operator=(const tmCameraReplay&) = delete;

    // The course's lists (none for an id without them), a new act object,
    // kind, zone, shot and frame 0, parameters 1 and 1, a blank state.
    void Init(int courseId, tmCameraRandom* random);
    // The same with lists of the caller's (kept, not owned).
    void Init(const ReplayZone* zones, int32_t zoneCount, const ReplayTrack* shots, int32_t shotCount,
              tmCameraRandom* random);
    void Release();
    void SetTarget(const tmMachineCore* machine);
    // Chooses a shot with force (the intro takes shot 0) and begins its kind again; a procedural
    // move when no shot of the lists fits, so a followed machine is always in a shot.
    void Start(bool intro);
    // Chooses a shot without force, runs the kind, counts the frame.
    void Update();

    const CameraState& GetState() const { return state_; }
    int GetKind() const { return kind_; }
    int GetZone() const { return zone_; }
    int GetShot() const { return shot_; }
    int32_t GetFrame() const { return frame_; }
    const tmCameraReplayAct* GetAct() const { return act_; }

private:
    void ChooseShot(bool force, bool intro);
    void Begin(int kind, float first, float second);

    const ReplayZone* zones_ = nullptr;
    int32_t zoneCount_ = 0;
    const ReplayTrack* shots_ = nullptr;
    int32_t shotCount_ = 0;
    tmCameraReplayAct* act_ = nullptr;  // owned
    int kind_ = 0;
    int zone_ = 0;
    int shot_ = 0;
    int32_t frame_ = 0;
    float first_ = 1.0f, second_ = 1.0f;
    CameraState state_{};
    const tmMachineCore* machine_ = nullptr;
    tmCameraRandom* random_ = nullptr;
};
