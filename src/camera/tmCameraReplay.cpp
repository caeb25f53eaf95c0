// tmCameraReplay.cpp -- zone lookup, shot choice and the three shot kinds of the replay camera.
#include "camera/tmCameraReplay.h"

#include "camera/tmCameraFixedPath.h"
#include "camera/tmCameraRandom.h"
#include "camera/tmCameraReplayAct.h"
#include "machine/tmMachineCore.h"
#include "sys/base/tmMemory.h"

namespace {
constexpr int kActKinds[6] = {1, 2, 3, 5, 6, 7};
constexpr int kMaxActDraws = 100;
}  // namespace

tmCameraReplay::~tmCameraReplay() { Release(); }

void tmCameraReplay::Init(int courseId, tmCameraRandom* random) {
    const bool known = courseId >= 0 && courseId < 14;
    Init(known ? ReplayCameraParams[courseId] : nullptr, known ? ReplayZoneCounts[courseId] : 0,
         known ? ReplayTrackTable[courseId] : nullptr, known ? ReplayTrackCounts[courseId] : 0, random);
}

void tmCameraReplay::Init(const ReplayZone* zones, int32_t zoneCount, const ReplayTrack* shots, int32_t shotCount,
                          tmCameraRandom* random) {
    zones_ = zones && zoneCount > 0 ? zones : nullptr;
    zoneCount_ = zones_ ? zoneCount : 0;
    shots_ = shots && shotCount > 0 ? shots : nullptr;
    shotCount_ = shots_ ? shotCount : 0;
    random_ = random;
    Release();
    act_ = TM_NEW tmCameraReplayAct();
    act_->SetRandom(random);
    act_->SetMachine(machine_);
    kind_ = zone_ = shot_ = 0;
    frame_ = 0;
    first_ = second_ = 1.0f;
    state_ = CameraState{};
    state_.up = {0, 1, 0};
}

void tmCameraReplay::Release() {
    TM_DELETE(act_);
    act_ = nullptr;
}

void tmCameraReplay::SetTarget(const tmMachineCore* machine) {
    machine_ = machine;
    if (act_) act_->SetMachine(machine);
}

void tmCameraReplay::Begin(int kind, float first, float second) {
    frame_ = 0;
    first_ = first;
    second_ = second;
    kind_ = kind;
    const bool haveShot = shots_ && shot_ >= 0 && shot_ < shotCount_;
    switch (kind) {
        case 1:
            if (!haveShot) break;
            state_ = shots_[shot_].start;
            if (machine_) state_.target = {machine_->position.x, machine_->position.y, machine_->position.z};
            break;
        case 2:
            if (haveShot) state_ = shots_[shot_].start;
            break;
        case 3: {
            if (!act_ || !random_) break;
            int next = kActKinds[random_->GetInt(0, 6)];
            for (int draws = 1; next == act_->GetKind() && draws < kMaxActDraws; ++draws)
                next = kActKinds[random_->GetInt(0, 6)];
            act_->Begin(next);
            state_ = act_->GetState();
            break;
        }
        default: kind_ = 0; break;
    }
}

void tmCameraReplay::ChooseShot(bool force, bool intro) {
    if (!zones_ || !shots_) {
        if (force) Begin(0, 1.0f, 1.0f);  // nothing to choose from; an unforced choice keeps the move that runs
        return;
    }
    if (!machine_) return;
    const int zone = FindReplayZone(zones_, zoneCount_, machine_->section);
    // A section outside every zone keeps the shot that runs.
    if (zone < 0) return;
    if (zone == zone_ && !force) return;
    const int count = ReplayZoneTrackCount(zones_[zone]);
    if (count == 0) return;
    const int pick = random_ ? random_->GetInt(0, count) : 0;
    const int shot = intro ? 0 : ReplayZoneTrack(zones_[zone], pick);
    if (shot < 0 || shot >= shotCount_) return;
    zone_ = zone;
    shot_ = shot;
    const ReplayTrack& s = shots_[shot];
    Begin(static_cast<int>(s.kind), s.follow, s.reserved[0]);
}

void tmCameraReplay::Start(bool intro) {
    ChooseShot(true, intro);
    // With no shot of the tables to run (a course without lists, or no zone holds the machine) the
    // state would be blank, a lens of 0: a procedural move needs no table, so it is the first shot.
    Begin(kind_ == 0 && machine_ ? 3 : kind_, first_, second_);
}

void tmCameraReplay::Update() {
    ChooseShot(false, false);
    const bool haveShot = shots_ && shot_ >= 0 && shot_ < shotCount_;
    switch (kind_) {
        case 1:
            if (haveShot) {
                const ReplayTrack& s = shots_[shot_];
                const yiVec3 old = state_.target;
                state_ = tmCameraFixedPath::Blend(s.start, s.end, static_cast<int32_t>(s.frames), frame_);
                if (machine_) {
                    const float p = first_;
                    state_.target = {old.x + p * (machine_->position.x - old.x),
                                     old.y + p * (machine_->position.y - old.y),
                                     old.z + p * (machine_->position.z - old.z)};
                }
            }
            break;
        case 2:
            if (haveShot) {
                const ReplayTrack& s = shots_[shot_];
                state_ = tmCameraFixedPath::Blend(s.start, s.end, static_cast<int32_t>(s.frames), frame_);
            }
            break;
        case 3:
            if (act_) {
                act_->Update();
                state_ = act_->GetState();
            }
            break;
        default: break;
    }
    ++frame_;
}
