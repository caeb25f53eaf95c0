// tmSeqRaceEffectsTest.cpp -- the race screen's particles and boost trails: life with the race, batches, determinism.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>

#include "app/tmConfig.h"
#include "effect/DrawLog.h"
#include "effect/tyBoostTail.h"
#include "effect/tyEffectManager.h"
#include "harness/Autopilot.h"
#include "harness/Harness.h"
#include "harness/RaceRoad.h"
#include "machine/tmMachineCore.h"
#include "menu/tmMenuFlow.h"
#include "race/tmRaceState.h"
#include "race/tmSeqRace.h"
#include "sys/input/tmInputActions.h"

namespace {

// Debug menu MAIN: a cup race with machine 1 on course 3, one lap.
void SetUpCup(harness::Session& s) {
    harness::Autopilot::Prepare(s);
    tmConfig::GetInstance().SetGameOption2(1);
    ASSERT_TRUE(s.Start());
    s.Frame();
    for (int i = 0; i < 5; ++i) s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kReturn);
    s.TapKey(tmKey::kRight);
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kRight);
    s.TapKey(tmKey::kReturn);
    tmMenuFlow::SetNormalPlay(true);
}

harness::SessionSetup DebugMenuSetup() {
    harness::SessionSetup setup;
    setup.runData = true;
    setup.firstScreen = kSeqDebugMenu;
    return setup;
}

int TrailSlotsInUse() {
    int n = 0;
    for (int i = 0; i < tyBoostTailManager::kSlots; ++i) n += tyBoostTailManager::Instance().GetState(i) == 2;
    return n;
}

// A hash of every machine's place and motion.
uint64_t RaceHash() {
    uint64_t h = 1469598103934665603ull;
    auto add = [&h](const void* p, size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 1099511628211ull;
    };
    const tmRaceState& rs = tmRaceState::Get();
    for (const tmMachineCore* c : rs.cores) {
        if (!c) continue;
        add(&c->position, sizeof c->position);
        add(&c->kmh, sizeof c->kmh);
        add(&c->boostStock, sizeof c->boostStock);
        add(&c->boostFramesLeft, sizeof c->boostFramesLeft);
    }
    return h;
}

}  // namespace

// The race starts the managers before its machines take their trail slots,
// its frames queue the trail tube and the particle billboards facing the race
// camera, and leaving the race releases both managers.
TEST(RaceEffects, CupRaceQueuesTrailsAndParticlesAndReleasesThemWhenLeft) {
    harness::Session s(DebugMenuSetup());
    SetUpCup(s);
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveRace(s) != nullptr; }, 60));
    ty_sEffectManager& effects = ty_sEffectManager::Instance();
    tyBoostTailManager& trails = tyBoostTailManager::Instance();
    ASSERT_NE(effects.GetBillboard(ty_sEffectManager::kBillboardAdditive), nullptr);
    ASSERT_NE(effects.GetPolygon(ty_sEffectManager::kPolygonTrails), nullptr);
    EXPECT_TRUE(trails.IsEnabled());
    EXPECT_GE(TrailSlotsInUse(), static_cast<int>(tmRaceState::Get().setup.count));  // a trail per nozzle
    EXPECT_EQ(trails.GetTrail(0)->GetPointCount(), 8);                               // quality 2

    DrawLog log;
    harness::Autopilot pilot;
    bool trail = false, particles = false;
    for (int frame = 0; frame < 4000 && !(trail && particles); ++frame) {
        log.Clear();
        pilot.BeforeFrame(s);
        s.Frame();
        for (const DrawLog::Batch& b : log.batches) {
            if (b.triangles <= 0) continue;
            // The trail batch: world-space tubes of 8-point sections, 16 triangles a segment.
            if (b.matrixChoice == 2 && b.layer == tmRenderLayer::kGlow) {
                trail = true;
                EXPECT_EQ(b.triangles % 16, 0);
            }
            // Billboards: view-space quads, two triangles each.
            if (b.matrixChoice == 1) {
                particles = true;
                EXPECT_EQ(b.triangles % 2, 0);
            }
        }
    }
    EXPECT_TRUE(trail) << "no boost trail was queued";
    EXPECT_TRUE(particles) << "no spark or smoke was queued";
    ASSERT_EQ(harness::LiveRace(s)->GetPhase(), tmSeqRace::kRacing);

    // Pause, quit: the managers go with the race.
    pilot = harness::Autopilot();
    s.Input().joy[0] = platform::JoyState{};
    s.TapKey(tmKey::kEscape);
    ASSERT_EQ(harness::LiveRace(s)->GetPhase(), tmSeqRace::kPause);
    for (int i = 0; i < 30; ++i) s.Frame();  // the menu unfolds
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kReturn);
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveRace(s) == nullptr; }, 200));
    EXPECT_EQ(effects.GetBillboard(ty_sEffectManager::kBillboardAdditive), nullptr);
    EXPECT_EQ(effects.GetCount(), 0);
    EXPECT_FALSE(trails.IsEnabled());
    EXPECT_EQ(TrailSlotsInUse(), 0);
}

// The particles and flames draw from their own generator, some of them every
// drawn frame: a race drawn after every step and one drawn after every third
// step, with the same held pedal, are the same race.
TEST(RaceEffects, HowOftenTheRaceIsDrawnDoesNotChangeIt) {
    const auto run = [](int stepsPerFrame, int* particlesSeen) {
        harness::Session s(DebugMenuSetup());
        SetUpCup(s);
        if (::testing::Test::HasFatalFailure()) return uint64_t{0};
        EXPECT_TRUE(s.RunUntil([&] { return harness::LiveRace(s) != nullptr; }, 60));
        const uint32_t start = harness::LiveRace(s)->GetRaceFrame();
        s.Input().joystickCount = 1;
        s.Input().joy[0].z = -951;  // full throttle, no steering, no boost key
        s.SetStepsPerFrame(stepsPerFrame);
        *particlesSeen = 0;
        while (harness::LiveRace(s) && harness::LiveRace(s)->GetRaceFrame() < start + 1200) {
            // The last few steps one by one, so both runs stop on the same step.
            if (harness::LiveRace(s)->GetRaceFrame() + static_cast<uint32_t>(stepsPerFrame) > start + 1200)
                s.SetStepsPerFrame(1);
            s.Frame();
            *particlesSeen = std::max(*particlesSeen, ty_sEffectManager::Instance().GetCount());
        }
        EXPECT_EQ(harness::LiveRace(s)->GetRaceFrame(), start + 1200);
        EXPECT_EQ(harness::LiveRace(s)->GetPhase(), tmSeqRace::kRacing);
        return RaceHash();
    };
    int particlesEvery = 0, particlesThird = 0;
    const uint64_t every = run(1, &particlesEvery);
    const uint64_t third = run(3, &particlesThird);
    EXPECT_EQ(every, third);
    EXPECT_GT(particlesEvery, 0);  // the computer machines boosted: effects ran in both
    EXPECT_GT(particlesThird, 0);
}
