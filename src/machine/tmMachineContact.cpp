// tmMachineContact.cpp -- position, contact with machines and walls, floor, attitude and matrices.
#include <cmath>

#include "course/tmCollision.h"
#include "course/tmCourse.h"
#include "machine/tmMachineCore.h"
#include "machine/tmMachineMath.h"
#include "machine/tmMachineMove.h"
#include "machine/tmMachineSources.h"
#include "race/tmRaceState.h"
#include "sys/base/tmRandom.h"
#include "sys/render/tmDraw.h"
#include "table/MachineTable.h"

namespace {

constexpr float kContactRange = 4900.0f;  // squared: machines further apart than 70 never touch
constexpr float kHeightAboveFloor = 0.02f;

// Positions beyond this are refused from replays and peers like non-finite ones.
constexpr float kWorldLimit = 1.0e6f;

bool AcceptablePose(float x, float z, float yaw) {
    return std::isfinite(x) && std::isfinite(z) && std::isfinite(yaw) && std::fabs(x) < kWorldLimit &&
           std::fabs(z) < kWorldLimit;
}

D3DXVECTOR3 SpecCorner(const tmMachineCore& c, int i) {
    const yiVec3& p = c.spec->wheelPoints[i];
    return D3DXVECTOR3(p.x, p.y, p.z);
}

// Start and end points of the four corners over a step (yaw turning by psi).
void CornerSegments(const tmMachineCore& c, const D3DXVECTOR3& step, float psi, D3DXVECTOR3 start[4],
                    D3DXVECTOR3 end[4]) {
    const D3DXMATRIX before = tmMachineMove::BuildMatrix(c.position, c.rotation.y);
    const D3DXMATRIX after = tmMachineMove::BuildMatrix(c.position + step, c.rotation.y + psi);
    for (int i = 0; i < 4; ++i) {
        const D3DXVECTOR3 corner = SpecCorner(c, i);
        D3DXVec3TransformCoord(&start[i], &corner, &before);
        D3DXVec3TransformCoord(&end[i], &corner, &after);
    }
}

tmRandom& Random() {
    tmRandom* r = tmRandom::GetInstance();
    return r ? *r : *tmRandom::Create();
}

}  // namespace

D3DXMATRIX tmMachineMove::BuildMatrix(const D3DXVECTOR3& position, float yaw) {
    D3DXMATRIX rotation, translation, m;
    D3DXMatrixRotationY(&rotation, yaw + machine::kPi);  // the models face -z
    D3DXMatrixTranslation(&translation, position.x, position.y, position.z);
    D3DXMatrixMultiply(&m, &rotation, &translation);
    return m;
}

// ============================================================================
// Position
// ============================================================================

bool tmMachineMove::RecordedPose(float* x, float* z, float* yaw) const {
    const tmRaceState& race = tmRaceState::Get();
    if (core_->controllerType == kControllerReplay) {
        const int entrant = race.setup.mode == kRaceModeGhost ? 0 : static_cast<int>(core_->gridIndex);
        const tmReplaySource* replay = tmReplaySource::Get();
        const tmReplayRecord* r = replay ? replay->GetPlaybackRecord(entrant) : nullptr;
        if (!r) return false;
        *x = r->x;
        *z = r->z;
        *yaw = r->yaw;
        return true;
    }
    const tmPeerSource* peers = tmPeerSource::Get();
    tmPeerMachineState state;
    if (!race.IsNetworkMode() || !peers || !peers->GetPeerState(static_cast<int>(core_->networkSlot), &state))
        return false;
    *x = state.x;
    *z = state.z;
    *yaw = state.yaw;
    return true;
}

void tmMachineMove::UpdatePosition(const tmCourse* course) {
    tmMachineCore& c = *core_;
    const float distance = v * 10.0f / 60.0f;
    D3DXVECTOR3 step(std::sin(heading) * distance, 0.0f, std::cos(heading) * distance);
    previousPosition = c.position;

    const tmCollision* collision = course->GetCollision();
    if (c.controllerType == kControllerReplay || c.controllerType == kControllerNetwork) {
        float x = 0.0f, z = 0.0f, yaw = 0.0f;
        if (RecordedPose(&x, &z, &yaw)) {
            if (AcceptablePose(x, z, yaw)) {
                psi = yaw - c.rotation.y;
                heading = machine::WrapAngle(yaw);
                step = D3DXVECTOR3(x - c.position.x, 0.0f, z - c.position.z);
            } else {
                // A broken record moves nothing: the previous pose stays.
                psi = 0.0f;
                heading = c.rotation.y;
                step = D3DXVECTOR3();
            }
            push = D3DXVECTOR3();
        }
    } else if (collision) {
        CollideMachines(*collision, &step);
        CollideWalls(*collision, &step);
        step += push;
        push *= 0.9f;
    }
    rotationStep = D3DXVECTOR3(0.0f, psi, 0.0f);

    D3DXVECTOR3 next = c.position + step;
    if (c.viewerMode) next = D3DXVECTOR3();
    c.position = next;
    c.position.y += kHeightAboveFloor;
    c.step = step;
    c.rotationStep = rotationStep;
    c.push = push;
}

// ============================================================================
// Contact
// ============================================================================

void tmMachineMove::CollideMachines(const tmCollision& collision, D3DXVECTOR3* step) {
    tmMachineCore& c = *core_;
    const tmRaceState& race = tmRaceState::Get();
    if (race.setup.mode == kRaceModeSingle || race.setup.mode == kRaceModeGhost || c.viewerMode) return;

    if (c.pushPending) {
        push = c.pendingPush * 2.0f;
        v *= 0.97f;
        c.contact = 1;
        c.contactPoint = push;
        c.ClearPendingPush();
        return;
    }

    D3DXVECTOR3 start[4], end[4];
    CornerSegments(c, *step, psi, start, end);
    for (int j = 0; j < kRaceEntrants; ++j) {
        if (j == static_cast<int>(c.gridIndex)) continue;
        tmMachineCore* other = race.cores[j];
        if (!other || other == &c) continue;
        const D3DXVECTOR3 apart = c.position - other->position;
        if (D3DXVec3LengthSq(&apart) >= kContactRange) continue;
        tmCollisionBox box;
        for (int k = 0; k < 4; ++k) box.corners[k] = other->corners[k];
        box.position = other->position;
        for (int i = 0; i < 4; ++i) {
            D3DXVECTOR3 hit, separation;
            if (!collision.HitBox(start[i], end[i], box, &hit, &separation)) continue;
            *step = hit - start[i] + separation;
            // Machines on the same spot part along a fixed direction.
            D3DXVECTOR3 d(1.0f, 0.0f, 0.0f);
            if (D3DXVec3LengthSq(&apart) > 0.0f) D3DXVec3Normalize(&d, &apart);
            push = d * 2.0f;
            v *= 0.97f;
            c.contact = 1;
            c.contactPoint = push;
            other->SetPendingPush(-d);
            return;
        }
    }
}

void tmMachineMove::CollideWalls(const tmCollision& collision, D3DXVECTOR3* step) {
    tmMachineCore& c = *core_;
    D3DXVECTOR3 start[4], end[4];
    CornerSegments(c, *step, psi, start, end);
    int deepest = -1;
    float deepestLength = -1.0f;
    D3DXVECTOR3 hitPoint, normal;
    for (int i = 0; i < 4; ++i) {
        D3DXVECTOR3 hit, wall;
        if (!collision.HitWall(start[i], end[i], &hit, &wall)) continue;
        const D3DXVECTOR3 over = end[i] - hit;
        const float length = D3DXVec3Length(&over);
        if (length > deepestLength) {
            deepest = i;
            deepestLength = length;
            hitPoint = hit;
            normal = wall;
        }
    }
    if (deepest < 0) return;
    *step = (hitPoint + normal * 0.1f) - end[deepest];
    push = normal * c.params.hitWallRebound;
    c.contact = 1;
    c.contactPoint = hitPoint;
    v *= 0.75f;
}

// ============================================================================
// Floor and attitude
// ============================================================================

void tmMachineMove::UpdateAttitude(const tmCourse* course) {
    tmMachineCore& c = *core_;
    const tmCollision* collision = course->GetCollision();
    D3DXVECTOR3 rotation = c.rotation + rotationStep;
    D3DXMATRIX matrix;
    if (c.displayAtOrigin) {
        c.position = D3DXVECTOR3(0.0f, 1.02f, 0.0f);
        rotation = D3DXVECTOR3();
        D3DXMATRIX turn, at;
        D3DXMatrixRotationY(&turn, machine::kPi);
        D3DXMatrixTranslation(&at, c.position.x, c.position.y, c.position.z);
        D3DXMatrixMultiply(&matrix, &turn, &at);
    } else {
        matrix = BuildMatrix(c.position, c.rotation.y);
    }

    int surface[4];
    D3DXVECTOR3 p[4];
    for (int i = 0; i < 4; ++i) {
        const D3DXVECTOR3 corner = SpecCorner(c, i);
        D3DXVec3TransformCoord(&p[i], &corner, &matrix);
        float height = 0.0f;
        D3DXVECTOR3 floorNormal;
        uint32_t attribute = 0;
        if (collision && collision->GetFloor(p[i], &height, &floorNormal, &attribute)) {
            p[i].y = height;
            surface[i] = static_cast<int>(attribute);
        } else {
            p[i].y = c.corners[i].y;
            surface[i] = 0;
        }
        c.corners[i] = p[i];
    }

    int rough = 0;
    bool refill = false, sand = false;
    for (int s : surface) {
        refill = refill || s == 6;
        sand = sand || s == 3;
        rough += s == 4 ? 1 : 0;
    }
    floorState = refill ? 6 : rough >= 3 ? 4 : sand ? 3 : 1;

    UpdateBumps(surface);

    const D3DXVECTOR3 c0 = SpecCorner(c, 0), c2 = SpecCorner(c, 2), c3 = SpecCorner(c, 3);
    const float front = (p[0].y + p[1].y + bumpOffset[0] + bumpOffset[1]) / 2.0f;
    const float rear = (p[2].y + p[3].y + bumpOffset[2] + bumpOffset[3]) / 2.0f;
    const float wheelbase = std::fabs(c0.z - c3.z);
    const float pitch = std::atan2(front - rear, wheelbase);
    const float width = c3.x - c2.x;
    const float roll = std::atan2((p[3].y + bumpOffset[3]) - (p[2].y + bumpOffset[2]), width);
    float height = 0.0f;
    for (int i = 0; i < 4; ++i) height += p[i].y + bumpOffset[i];
    c.position.y = height / 4.0f + kHeightAboveFloor;

    if (!c.displayAtOrigin) {
        D3DXMATRIX turn, at;
        D3DXMatrixRotationYawPitchRoll(&turn, rotation.y + machine::kPi, pitch, roll);
        D3DXMatrixTranslation(&at, c.position.x, c.position.y, c.position.z);
        D3DXMatrixMultiply(&matrix, &turn, &at);
    }
    c.SetRotation(pitch, rotation.y, roll);
    c.heading = heading;
    c.SetWorldMatrix(matrix);
    if (c.player) tmDraw::GetInstance()->SetQueuePlane(c.position + D3DXVECTOR3(0.0f, 10.0f, 0.0f));

    c.kmh = v * 3.6f;
    c.acceleration = dv * 3.6f;
    c.rpm = R;
    c.floorState = floorState;
}

void tmMachineMove::UpdateBumps(const int surfaces[4]) {
    const float s = std::fmin(core_->kmh, 50.0f) / 50.0f;
    for (int i = 0; i < 4; ++i) {
        if (surfaces[i] == 4 && bumpOffset[i] <= 0.0f && Random().Chance(0.1f))
            bumpVelocity[i] = Random().GetFloat(s * 0.5f);
        bumpOffset[i] += bumpVelocity[i];
        if (bumpOffset[i] <= 0.0f) {
            bumpOffset[i] = 0.0f;
            bumpVelocity[i] = 0.0f;
        } else {
            bumpVelocity[i] -= 0.1f;
        }
    }
}
