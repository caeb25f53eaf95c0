// tmMachineCore.cpp -- a machine's shared record: set-up, grid placement, race state, laps and refills.
#include "machine/tmMachineCore.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "content_tables.h"
#include "course/tmCollision.h"
#include "course/tmCourse.h"
#include "machine/tmMachineMath.h"
#include "machine/tmMachineSources.h"
#include "machine/tmSimSound.h"
#include "race/tmLapTimer.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "table/CourseTable.h"
#include "table/MachineTable.h"

namespace {

constexpr uint32_t kSoundLapPlayer = content::SND_LAP_02;
constexpr uint32_t kSoundLapOther = content::SND_LAP_01;
constexpr uint32_t kSoundRefill = content::SND_REFILL_01;

const tmCollision* CollisionOf(const tmCourse* course) { return course ? course->GetCollision() : nullptr; }

// The reference point of a route section: the middle of its gate.
D3DXVECTOR3 SectionPoint(const tmCollision& collision, int section) {
    const tmCollision::Section& s = collision.GetSections()[static_cast<std::size_t>(section)];
    return (s.a + s.b) * 0.5f;
}

}  // namespace

tmMachineCore::tmMachineCore() { D3DXMatrixIdentity(&worldMatrix); }

tmMachineCore::~tmMachineCore() { TM_DELETE(lapTimer); }

void tmMachineCore::LoadParams(const char* modelCode) { params.Load(modelCode); }

// ============================================================================
// Set-up and grid placement
// ============================================================================

void tmMachineCore::Init(const tmCourse* course, const tmEntrant& entrant, int grid, bool isPlayer) {
    const tmRaceState& race = tmRaceState::Get();
    int machineId = static_cast<int>(entrant.machineId);
    spec = GetMachineSpec(machineId);
    if (!spec) {
        std::fprintf(stderr, "machine: no machine %d; machine %d used\n", machineId, kFirstMachineId);
        machineId = kFirstMachineId;
        spec = GetMachineSpec(machineId);
    }
    LoadParams(spec->modelCode);

    manualGears = entrant.variant != 0 ? 1 : 0;
    controllerType = entrant.controllerType;
    bodyMode = previousBodyMode = 0;
    framesInBodyMode = 12;
    gear = 0;
    if (grid < 0 || grid >= kGridSlots) {
        std::fprintf(stderr, "machine: grid index %d is outside 0..15; held to the grid\n", grid);
        grid = std::clamp(grid, 0, kGridSlots - 1);
    }
    gridIndex = static_cast<uint32_t>(grid);
    networkSlot = 0;
    if (race.IsNetworkMode() && tmPeerSource::Get()) {
        int slot = tmPeerSource::Get()->FindNetworkSlot(grid);
        if (slot >= 0 && slot < kGridSlots) networkSlot = static_cast<uint32_t>(slot);
    }

    player = isPlayer ? 1 : 0;
    position = rotation = step = rotationStep = push = D3DXVECTOR3();
    kmh = acceleration = steeringAngle = heading = rpm = 0.0f;
    D3DXMatrixIdentity(&worldMatrix);
    for (int i = 0; i < 4; ++i)
        corners[i] = D3DXVECTOR3(spec->wheelPoints[i].x, spec->wheelPoints[i].y, spec->wheelPoints[i].z);
    longitudinalLoad = lateralLoad = 0.5f;
    floorState = 1;
    boostStock = params.bstEnergy;
    boostFramesLeft = secondBoostFramesLeft = 0;
    boostReady = 0;
    control = tmMachineControl();
    contact = 0;
    contactPoint = D3DXVECTOR3();
    driverLane = 0;

    const bool alone = race.setup.mode == kRaceModeSingle || race.setup.mode == kRaceModeGhost;
    const int gridSlot = alone ? kGridSlots - 1 : kGridSlots - 1 - grid;
    section = 0;
    sectionDistance = 0.0f;
    lastCheckpoint = 0;
    goalCrossed = 0;
    if (course) SetStartSection(course, gridSlot);
    SetStartPosition(course, gridSlot);

    TM_DELETE(lapTimer);
    lapTimer = TM_NEW tmLapTimer;
    if (course) {
        const bool viewing = race.setup.mode == kRaceModeReplay || race.setup.mode == kRaceModeDemo;
        lapTimer->Start(static_cast<uint32_t>(course->GetCourseId()), static_cast<uint32_t>(machineId),
                        isPlayer && !viewing);
    } else {
        lapTimer->Start(1, static_cast<uint32_t>(machineId), false);
    }

    displayAtOrigin = 0;
    raceState = 0;
    refills = 0;
    refillLap = 0;
    refillArmed = 1;
    finishFlag = lapFlag = 0;
    pushPending = 0;
    pendingPush = D3DXVECTOR3();
    hidden = 0;
    viewerMode = 0;
    standing = 0;
}

void tmMachineCore::SetStartSection(const tmCourse* course, int gridSlot) {
    const CourseRecord* record = course->GetRecord();
    const tmCollision* collision = CollisionOf(course);
    int start = record ? record->startSection[gridSlot] : 0;
    const int count = collision ? collision->GetSectionCount() : 0;
    if (count > 0 && (start < 0 || start >= count)) start = ((start % count) + count) % count;
    section = count > 0 ? start : 0;
    sectionDistance = 0.0f;
    lastCheckpoint = 0;
    goalCrossed = 0;
}

void tmMachineCore::SetStartPosition(const tmCourse* course, int gridSlot) {
    position = D3DXVECTOR3();
    float yaw = 0.0f;
    const CourseRecord* record = course ? course->GetRecord() : nullptr;
    if (record) {
        const yiVec3& p = record->grid[gridSlot];
        position = D3DXVECTOR3(p.x, p.y, p.z);
        const tmCollision* collision = CollisionOf(course);
        const int count = collision ? collision->GetSectionCount() : 0;
        const int goal = collision ? collision->GetGoalSection() : -1;
        // Facing from the section before the goal toward the goal; a route
        // without sections or goal leaves the machine facing +z.
        if (count > 0 && goal >= 0 && goal < count) {
            const int before = goal == 0 ? count - 1 : goal - 1;
            const D3DXVECTOR3 d = SectionPoint(*collision, before) - SectionPoint(*collision, goal);
            yaw = std::atan2(d.z, -d.x) + machine::kPi / 2.0f;
        }
    }
    SetRotation(0.0f, yaw, 0.0f);
}

// ============================================================================
// Per step: race state, laps, refills
// ============================================================================

int tmMachineCore::GetCompletedLaps() const { return lapTimer ? static_cast<int>(lapTimer->GetCurrentLap()) : 0; }
int tmMachineCore::GetLapTotal() const { return lapTimer ? static_cast<int>(lapTimer->GetLapTotal()) : 0; }

void tmMachineCore::Update(const tmCourse* course) {
    if (raceState == 0 && tmRaceState::Get().status == 3) raceState = 1;
    // A race of no laps never counts as finished.
    if (raceState == 1 && GetLapTotal() >= 1 && GetCompletedLaps() >= GetLapTotal()) raceState = 2;
    if (course) UpdateLap(course);
    if (raceState == 1 && lapTimer) lapTimer->Tick();
    if (floorState == 6 && kmh < 0.01f) TakeRefill();
    if (floorState != 6) refillArmed = 1;
    ++framesInBodyMode;
}

void tmMachineCore::UpdateLap(const tmCourse* course) {
    finishFlag = 0;
    lapFlag = 0;
    const tmCollision* collision = CollisionOf(course);
    if (!collision) return;
    const int crossed = collision->FindSection(position - step, position);
    if (crossed >= 0) {
        section = crossed;
        const int checkpoint = collision->GetCheckpoint(crossed);
        if (checkpoint >= 0) {
            const int goal = collision->GetGoalSection();
            const int last = collision->GetCheckpointCount() - 1;
            if (crossed == goal) goalCrossed = 1;
            if (crossed == goal && lastCheckpoint == last) {
                const float fraction = GetGoalFraction(course);
                if (GetCompletedLaps() < GetLapTotal()) {
                    tmSimSound::Get().Play(player ? kSoundLapPlayer : kSoundLapOther);
                    if (GetCompletedLaps() + 1 == GetLapTotal())
                        finishFlag = 1;
                    else
                        lapFlag = 1;
                }
                if (lapTimer) lapTimer->CompleteLap(fraction);
                if (boostStock < params.bstEnergy) ++boostStock;
            }
            if (checkpoint == lastCheckpoint + 1 || (checkpoint == 0 && lastCheckpoint == last))
                lastCheckpoint = checkpoint;
        }
    }
    sectionDistance = collision->GetSectionDistance(position, section);
}

float tmMachineCore::GetGoalFraction(const tmCourse* course) const {
    const tmCollision* collision = CollisionOf(course);
    if (!collision || section != collision->GetGoalSection()) return -1.0f;
    const float distance = collision->GetSectionDistance(position, section);
    const float length = D3DXVec3Length(&step);
    if (length < 0.1f) return 0.0f;
    return std::min(distance / length, 0.99999f);
}

void tmMachineCore::TakeRefill() {
    if (refillLap > GetCompletedLaps() || !refillArmed) return;
    ++refills;
    ++refillLap;
    refillArmed = 0;
    tmSimSound::Get().Play(kSoundRefill);
    boostStock = boostStock < params.bstEnergy ? params.bstEnergy : boostStock + 1;
}

// ============================================================================
// Small setters and readers
// ============================================================================

void tmMachineCore::SetRotation(float pitch, float yaw, float roll) {
    rotation = D3DXVECTOR3(pitch, machine::WrapAngle(yaw), roll);
}

void tmMachineCore::SetPendingPush(const D3DXVECTOR3& direction) {
    pushPending = 1;
    pendingPush = direction;
}

void tmMachineCore::ClearPendingPush() {
    pushPending = 0;
    pendingPush = D3DXVECTOR3();
}

float tmMachineCore::GetDriftAngle() const { return machine::WrapAngle(rotation.y - heading); }

float tmMachineCore::GetLateralSpeed() const { return kmh * std::sin(GetDriftAngle()); }
