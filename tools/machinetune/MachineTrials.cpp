// MachineTrials.cpp -- the trials: machines driven through the scripted pad or the computer driver.
#include "tools/machinetune/MachineTrials.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/tmConfig.h"
#include "course/tmCollision.h"
#include "course/tmCourse.h"
#include "format/CollisionFile.h"
#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "machine/tmMachineDriver.h"
#include "machine/tmMachineMove.h"
#include "platform/input/InputDevices.h"
#include "race/tmLapTimer.h"
#include "race/tmRaceState.h"
#include "sys/base/tmRandom.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"
#include "table/CourseTable.h"
#include "table/MachineTable.h"

namespace {

constexpr int kSecond = 60;
// Pad keys of the default bindings.
constexpr int kLeft = tmKey::kLeft, kRight = tmKey::kRight, kAccelerate = tmKey::kZ, kBoost = tmKey::kS,
              kBody = tmKey::kX;

// A flat floor of 200000 x 200000 around the origin, one cell of two triangles, no walls.
void MakeFlatFloor(tmCollision& collision) {
    zfmt::FloorFile floor;
    const float e = 100000.0f;
    auto triangle = [](float x0, float z0, float x1, float z1, float x2, float z2) {
        zfmt::FloorPolygon p;
        p.vertexCount = 3;
        p.x[0] = x0, p.z[0] = z0, p.x[1] = x1, p.z[1] = z1, p.x[2] = x2, p.z[2] = z2;
        p.plane[1] = 1.0f;
        p.normal.y = 1.0f;
        return p;
    };
    floor.polygons.push_back(triangle(-e, -e, -e, e, e, e));
    floor.polygons.push_back(triangle(-e, -e, e, e, e, -e));
    floor.cells.push_back({0, 2, -e, -e, e, e});
    const zfmt::Bytes f = zfmt::WriteFloorFile(floor), w = zfmt::WriteWallFile({});
    collision.LoadFloorBytes(f.data(), f.size(), "flat floor");
    collision.LoadWallBytes(w.data(), w.size(), "no walls");
}

}  // namespace

struct MachineTrials::State {
    platform::ScriptedInput input;
    CourseRecord flatRecord{};
    tmCourse flat;
    tmRaceState& race = tmRaceState::Get();

    void Key(int dik, bool down) { input.SetKey(dik, down); }
    void ReleaseKeys() {
        for (int k : {kLeft, kRight, kAccelerate, kBoost, kBody}) Key(k, false);
    }
    std::unique_ptr<tmMachine> Make(const tmCourse* course, int machineId, uint32_t controller) {
        tmRandom::GetInstance()->SetSeed(1);
        tmEntrant entrant;
        entrant.machineId = static_cast<uint32_t>(machineId);
        entrant.controllerType = controller;
        race.entrants[0] = entrant;
        auto m = std::make_unique<tmMachine>();
        m->Init(course, entrant, 0, controller == kControllerPlayer, false);
        race.cores[0] = m->GetCore();
        return m;
    }
    void Step(tmMachine& m, const tmCourse* course) {
        tmPeripheral* pad = tmPeripheral::GetInstance();
        pad->Update();
        pad->UpdatePov();
        m.Update(course);
        pad->StorePrevious();
    }
    // A machine at the origin of the flat floor, facing +z.
    std::unique_ptr<tmMachine> OnFloor(int machineId) {
        auto m = Make(&flat, machineId, kControllerPlayer);
        m->GetCore()->position = D3DXVECTOR3();
        m->GetCore()->SetRotation(0.0f, 0.0f, 0.0f);
        m->GetMove()->heading = 0.0f;
        return m;
    }
};

MachineTrials::MachineTrials() : state_(std::make_unique<State>()) {
    tmRandom::Create();
    tmPeripheral::Create();
    tmPeripheral::GetInstance()->Init(&state_->input, true);
    State& s = *state_;
    s.race.setup = tmRaceSetup();
    s.race.setup.mode = kRaceModeSingle;
    s.race.setup.count = 1;
    s.race.setup.laps = 2;
    s.race.setup.difficulty = 1;
    s.race.status = 3;
    s.flatRecord = *GetCourseRecord(kFirstCircuitId);
    s.flatRecord.groupId = -1;
    s.flatRecord.cubeMap[0] = s.flatRecord.gouraudMap[0] = '\0';
    s.flat.Init(kFirstCircuitId, &s.flatRecord);
    MakeFlatFloor(*s.flat.GetCollision());
}

MachineTrials::~MachineTrials() {
    state_->race.cores[0] = nullptr;
    state_->race.status = 0;
    state_->flat.Release();
    tmPeripheral::Destroy();
}

MachineTrialResult MachineTrials::Run(int machineId) {
    State& s = *state_;
    MachineTrialResult r;
    const MachineSpec& spec = *GetMachineSpec(machineId);
    const bool changesShape = spec.transitionType == 2 || spec.transitionType == 3;

    // The flat floor has no route to brake for: no brake assist there.
    tmConfig::GetInstance().SetGameFlag1(0);

    // Top speed in the normal and the aero body.
    for (int aero = 0; aero <= (changesShape ? 1 : 0); ++aero) {
        auto m = s.OnFloor(machineId);
        s.ReleaseKeys();
        s.Key(kAccelerate, true);
        float top = 0.0f;
        for (int f = 0; f < 150 * kSecond; ++f) {
            s.Key(kBody, aero && f == 20);
            s.Step(*m, &s.flat);
            top = std::max(top, m->GetCore()->kmh);
        }
        (aero ? r.aeroTopKmh : r.topKmh) = top;

        // A full boost from the top speed of the body it starts from, then with the second stage.
        if (static_cast<int>(m->GetCore()->bodyMode) != spec.drivePose) continue;
        for (int second = 0; second <= (spec.boostStages == 2 ? 1 : 0); ++second) {
            auto b = s.OnFloor(machineId);
            s.ReleaseKeys();
            s.Key(kAccelerate, true);
            for (int f = 0; f < 150 * kSecond; ++f) {
                s.Key(kBody, aero && f == 20);
                s.Step(*b, &s.flat);
            }
            tmMachineCore* c = b->GetCore();
            float peak = 0.0f;
            for (int f = 0; f < 30 * kSecond; ++f) {
                // The second stage is called as the computer calls it: three steps before the first ends.
                const bool call = second && c->bodyMode == 2 && c->boostFramesLeft == 3;
                s.Key(kBoost, f == 0 || call);
                s.Step(*b, &s.flat);
                peak = std::max(peak, c->kmh);
                if (f > 0 && static_cast<int>(c->bodyMode) == spec.drivePose) break;
            }
            (second ? r.secondPeakKmh : r.boostPeakKmh) = peak;
        }
    }

    // Launch.
    {
        auto m = s.OnFloor(machineId);
        s.ReleaseKeys();
        s.Key(kAccelerate, true);
        r.secondsTo200 = -1.0f;
        for (int f = 0; f < 60 * kSecond && r.secondsTo200 < 0.0f; ++f) {
            s.Step(*m, &s.flat);
            if (m->GetCore()->kmh >= 200.0f) r.secondsTo200 = static_cast<float>(f + 1) / kSecond;
        }
    }

    // Grip: a full-lock circle with the throttle holding about 200 km/h.
    {
        auto m = s.OnFloor(machineId);
        s.ReleaseKeys();
        s.Key(kLeft, true);
        double turned = 0.0, speed = 0.0;
        float yaw = 0.0f;
        const int settle = 30 * kSecond, measure = 5 * kSecond;
        for (int f = 0; f < settle + measure; ++f) {
            s.Key(kAccelerate, m->GetCore()->kmh < 200.0f);
            s.Step(*m, &s.flat);
            float now = m->GetCore()->rotation.y, d = now - yaw;
            if (d > 3.14159265f) d -= 6.2831853f;
            if (d < -3.14159265f) d += 6.2831853f;
            yaw = now;
            if (f >= settle) {
                turned += std::fabs(d);
                speed += m->GetCore()->kmh / 3.6;
            }
        }
        r.lateral = static_cast<float>((speed / measure) * (turned / measure * kSecond));
    }

    // Laps: the computer driver, then the keys with the brake assist, as the game starts.
    tmConfig::GetInstance().SetGameFlag1(1);
    for (int i = 0; i < 3; ++i) {
        tmCourse course;
        course.Init(kCircuits[i]);
        s.race.setup.course = static_cast<uint32_t>(kCircuits[i]);
        for (int keys = 0; keys <= 1; ++keys) {
            auto m = s.Make(&course, machineId, keys ? kControllerPlayer : kControllerComputer);
            tmMachineCore* c = m->GetCore();
            s.ReleaseKeys();
            s.Key(kAccelerate, true);
            for (int f = 0; f < 8 * 60 * kSecond && c->raceState != 2; ++f) {
                if (keys) {
                    // A player tapping the keys toward where the computer would steer.
                    const float want = m->GetMove()->GetDriver()->GetControl().steering;
                    s.Key(kLeft, want < -0.25f);
                    s.Key(kRight, want > 0.25f);
                }
                s.Step(*m, &course);
            }
            const float lap =
                c->raceState == 2 ? tmLapTimer::ToMilliseconds(c->GetLapTimer()->GetLap(1)) / 1000.0f : -1.0f;
            (keys ? r.keyboardLap : r.computerLap)[i] = lap;
        }
        s.race.cores[0] = nullptr;
        course.Release();
    }
    s.ReleaseKeys();
    return r;
}
