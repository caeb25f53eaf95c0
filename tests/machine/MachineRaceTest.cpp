// MachineRaceTest.cpp -- whole races on the generated circuits: every machine finishes, nothing
// sticks, the same seed gives the same race, and a pinned hash of every step's state.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>

#include "course/tmCollision.h"
#include "course/tmCourse.h"
#include "machine/tmMachineDriver.h"
#include "race/tmLapTimer.h"
#include "sys/base/tmRandom.h"
#include "tests/machine/MachineFixture.h"

namespace {

struct RaceOutcome {
    std::vector<int> order;           // entrants in finishing order
    std::map<int, uint32_t> totalMs;  // race time of each entrant
    int longestStuck = 0;             // most steps a racing machine spent below 5 km/h after the start
    int offFloor = 0;                 // machine steps that ended with no floor under the machine
    float worstHeight = 0.0f;         // largest distance of a machine above or below its floor
    int steps = 0;
};

class Race : public MachineTest {
protected:
    // Runs until every machine has finished or the step limit; `each` runs before every step.
    RaceOutcome Run(const tmCourse* course, int limit, const std::function<void(int)>& each = nullptr) {
        RaceOutcome out;
        const size_t n = machines_.size();
        std::vector<int> stuck(n, 0);
        std::vector<bool> done(n, false);
        for (int s = 0; s < limit && out.order.size() < n; ++s) {
            if (each) each(s);
            Step(course);
            out.steps = s + 1;
            for (size_t i = 0; i < n; ++i) {
                tmMachineCore* c = machines_[i]->GetCore();
                if (!done[i] && c->raceState == 2) {
                    done[i] = true;
                    out.order.push_back(static_cast<int>(i));
                    out.totalMs[static_cast<int>(i)] = tmLapTimer::ToMilliseconds(c->GetLapTimer()->GetTotal());
                }
                stuck[i] = (!done[i] && s > 5 * 60 && c->kmh < 5.0f) ? stuck[i] + 1 : 0;
                out.longestStuck = std::max(out.longestStuck, stuck[i]);
                float floor = 0.0f;
                D3DXVECTOR3 normal;
                uint32_t surface = 0;
                if (course->GetCollision()->GetFloor(c->position, &floor, &normal, &surface))
                    out.worstHeight = std::max(out.worstHeight, std::fabs(c->position.y - floor));
                else
                    ++out.offFloor;
            }
        }
        return out;
    }
};

class EveryLayout : public Race, public ::testing::WithParamInterface<int> {};

TEST_P(EveryLayout, EightComputerMachinesFinishThreeLapsTheSameWayTwice) {
    tmCourse course;
    ASSERT_TRUE(course.Init(GetParam()));
    race_.setup.course = static_cast<uint32_t>(GetParam());
    race_.setup.laps = 3;
    RaceOutcome runs[2];
    for (RaceOutcome& run : runs) {
        machines_.clear();
        tmRandom::GetInstance()->SetSeed(99);
        for (int i = 0; i < 8; ++i) AddMachine(&course, 1 + (i * 4) % 11, kControllerComputer, i);
        run = Run(&course, 60 * 60 * 6);
        EXPECT_EQ(run.order.size(), 8u) << "course " << GetParam();
        EXPECT_LE(run.longestStuck, 5 * 60) << "a machine stood against a wall for more than 5 s";
        EXPECT_EQ(run.offFloor, 0) << "a machine left the floor";
        EXPECT_LT(run.worstHeight, 3.0f) << "a machine floated above or sank into the floor";
    }
    EXPECT_EQ(runs[0].order, runs[1].order);
    EXPECT_EQ(runs[0].totalMs, runs[1].totalMs);
    machines_.clear();
    course.Release();
}

INSTANTIATE_TEST_SUITE_P(Circuits, EveryLayout, ::testing::Range(2, 14));

// FNV-1a over the bytes of the values that make up a machine's state.
class StateHash {
public:
    template <class T>
    void Add(const T& v) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &v, sizeof(T));
        for (unsigned char b : bytes) hash_ = (hash_ ^ b) * 1099511628211ull;
    }
    uint64_t Value() const { return hash_; }

private:
    uint64_t hash_ = 14695981039346656037ull;
};

// A three-lap race of five computer machines and one player whose keys follow a fixed
// script: throttle held, the wheel tapped toward the computer's choice, boost and body
// pressed on a timetable. The hash of every step's state is pinned: a change of the
// physics, the driver or the lap logic shows here first (re-pin it only on purpose).
TEST_F(Race, GoldenHashOfAScriptedRace) {
    tmCourse course;
    ASSERT_TRUE(course.Init(3));
    race_.setup.course = 3;
    race_.setup.laps = 3;
    race_.setup.difficulty = 2;
    tmRandom::GetInstance()->SetSeed(20240601);
    tmMachine& player = AddMachine(&course, 10, kControllerPlayer, 0, true);
    for (int i = 1; i < 6; ++i) AddMachine(&course, 2 * i, kControllerComputer, i);
    StateHash hash;
    Key(pad::kAccelerate, true);
    RaceOutcome out = Run(&course, 60 * 60 * 4, [&](int step) {
        const float want = player.GetMove()->GetDriver()->GetControl().steering;
        Key(pad::kLeft, want < -0.3f);
        Key(pad::kRight, want > 0.3f);
        Key(pad::kBoost, step % 700 == 650);
        Key(pad::kBody, step % 900 == 450);
        if (step > 0) {
            for (const auto& m : machines_) {
                const tmMachineCore* c = m->GetCore();
                hash.Add(c->position);
                hash.Add(c->rotation);
                hash.Add(c->kmh);
                hash.Add(c->rpm);
                hash.Add(c->gear);
                hash.Add(c->bodyMode);
                hash.Add(c->section);
                hash.Add(c->boostStock);
                hash.Add(c->GetCompletedLaps());
            }
        }
    });
    EXPECT_EQ(out.order.size(), 6u);
    std::printf("golden race: %d steps, hash %016llx\n", out.steps, static_cast<unsigned long long>(hash.Value()));
    EXPECT_EQ(hash.Value(), 0xa6eb61c10702203cull) << "the simulation changed; re-pin only if that was meant";
    machines_.clear();
    course.Release();
}

}  // namespace
