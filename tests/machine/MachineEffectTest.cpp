// MachineEffectTest.cpp -- boost sparks and trails, glow, charge and second-stage flames, smoke, debris, sounds, cull.
#include <gtest/gtest.h>

#include "content_tables.h"
#include "effect/tmEffectRandom.h"
#include "machine/LookFixture.h"
#include "machine/tmMachineEffect.h"
#include "sys/base/tmRandom.h"
#include "sys/batch/tyBillboard.h"
#include "sys/batch/tyPolygon.h"
#include "sys/render/tmRenderLayer.h"

namespace {

class MachineEffectTest : public LookTest {
protected:
    void SetUp() override {
        LookTest::SetUp();
        tmEffectRandom::Seed(3);
    }
    tmMachineEffect& Effect(HandMachine& m) {
        m.core.params.bstTimeUse = 240;
        m.core.params.bstTimeCharge = 90;
        m.core.params.bstTimeUse2nd = 120;
        effects_.push_back(std::make_unique<tmMachineEffect>());
        effects_.back()->Init(m.core, m.move);
        return *effects_.back();
    }
    static int Particles() { return ty_sEffectManager::Instance().GetCount(); }
    static int TrailNodes(const tmMachineEffect& e) {
        int n = 0;
        for (int i = 0; i < tmMachineEffect::kMaxEmitters; ++i)
            if (const tyBoostTail* t = tyBoostTailManager::Instance().GetTrail(e.GetTrailSlot(i)))
                n += e.GetTrailSlot(i) >= 0 ? t->GetNodeCount() : 0;
        return n;
    }
    // A seed whose chance of 0.1 passes after `skip` other draws (a smoke puff takes 8),
    // so a burst comes at the next frame that may have one.
    static void SeedForBurst(int skip = 0) {
        for (uint32_t seed = 1;; ++seed) {
            tmEffectRandom::Seed(seed);
            for (int i = 0; i < skip; ++i) tmEffectRandom::Rand();
            if (tmEffectRandom::Chance(0.1f)) {
                tmEffectRandom::Seed(seed);
                return;
            }
        }
    }
    std::vector<std::unique_ptr<tmMachineEffect>> effects_;
};

TEST_F(MachineEffectTest, BoostingMachinesSparkAndTrailFromEachEmitter) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineEffect& e = Effect(m);
    EXPECT_GE(e.GetTrailSlot(0), 0);
    EXPECT_GE(e.GetTrailSlot(1), 0);
    EXPECT_EQ(e.GetTrailSlot(2), -1);
    m.core.boostFramesLeft = 240;  // the first frame of the boost: nothing yet
    e.Update();
    EXPECT_EQ(e.GetState(), tmMachineEffect::kFirstBoost);
    EXPECT_EQ(Particles(), 0);
    m.core.boostFramesLeft = 200;
    e.Update();
    EXPECT_EQ(e.GetElapsed(), 40);
    EXPECT_EQ(Particles(), 2 * 3);  // two emitters, three sparks each
    EXPECT_EQ(TrailNodes(e), 2);
    // The emitters sit where the table puts them on the machine (turned by pi).
    EXPECT_NEAR(e.GetEmitterPosition(0).x, -10.8f, 1e-4f);
    EXPECT_NEAR(e.GetEmitterPosition(0).z, -23.0f, 1e-4f);
    // The second stage uses its own emitters.
    m.core.boostFramesLeft = 0;
    m.core.secondBoostFramesLeft = 100;
    e.Update();
    EXPECT_EQ(e.GetState(), tmMachineEffect::kSecondBoost);
    EXPECT_NEAR(e.GetEmitterPosition(0).z, -25.5f, 1e-4f);
    // Release gives the trails back.
    const int slot = e.GetTrailSlot(0);
    e.Release();
    EXPECT_EQ(tyBoostTailManager::Instance().GetState(slot), tyBoostTailManager::kFree);
}

TEST_F(MachineEffectTest, EffectsOptionOffDropsSparksSmokeAndDebrisButKeepsTrailsAndSounds) {
    tmConfig::GetInstance().SetVideoFlag(0);
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineEffect& e = Effect(m);
    m.core.boostFramesLeft = 200;
    m.core.floorState = 4;
    m.core.kmh = 350;
    m.core.contact = 1;
    e.Update();
    EXPECT_EQ(Particles(), 0);
    EXPECT_EQ(TrailNodes(e), 2);
    ASSERT_EQ(sound_.played.size(), 1u);
    EXPECT_GE(sound_.played[0], content::SND_CRASH_01);
    EXPECT_LE(sound_.played[0], content::SND_CRASH_08);
    // No boost now: the burst on frame 120 still plays its sound, but throws no debris.
    m.core.boostFramesLeft = 0;
    m.core.contact = 0;
    for (int i = 1; i < 120; ++i) e.Update();
    SeedForBurst();
    e.Update();
    EXPECT_EQ(Particles(), 0);
    ASSERT_EQ(sound_.played.size(), 2u);
    EXPECT_GE(sound_.played[1], content::SND_PASS_01);
    // With the option on the same moments make smoke and debris.
    tmConfig::GetInstance().SetVideoFlag(1);
    for (int i = 1; i < 120; ++i) e.Update();
    EXPECT_EQ(Particles(), 119);  // a puff each frame on rough ground above 20 km/h
    ty_sEffectManager::Instance().Clear();
    SeedForBurst(8);
    e.Update();
    EXPECT_EQ(Particles(), 60 + 1);
}

TEST_F(MachineEffectTest, NothingComesFromMachinesFartherThan1000Units) {
    Add(1, 0, 0, true, 0);
    HandMachine& far = Add(2, 1000.5f, 0, false, 1);
    tmMachineEffect& e = Effect(far);
    far.core.boostFramesLeft = 200;
    far.core.floorState = 4;
    far.core.kmh = 200;
    far.core.contact = 1;
    e.Update();
    EXPECT_FALSE(e.IsVisible());
    EXPECT_EQ(Particles(), 0);
    EXPECT_EQ(TrailNodes(e), 0);
    e.Draw(false);
    EXPECT_TRUE(draw_.models.empty());
    EXPECT_EQ(ty_sEffectManager::Instance().GetBillboard(0)->GetCount(), 0);
    // Within 1000 units it boosts and smokes, but another machine never plays sounds.
    far.Place(999.0f, 0);
    e.Update();
    EXPECT_TRUE(e.IsVisible());
    EXPECT_EQ(Particles(), 4 * 1 + 1);
    EXPECT_GT(TrailNodes(e), 0);
    EXPECT_TRUE(sound_.played.empty());
}

TEST_F(MachineEffectTest, SmokeComesFromRoughGroundOrASlideMeasuredAcrossPlusMinusPi) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineEffect& e = Effect(m);
    m.core.kmh = 80;
    m.core.rotation.y = D3DX_PI - 0.01f;
    m.core.heading = -D3DX_PI + 0.01f;  // 0.02 apart through pi: driving straight
    for (int i = 0; i < 10; ++i) e.Update();
    EXPECT_EQ(Particles(), 0);
    m.core.heading = m.core.rotation.y - 0.1f;  // sliding
    e.Update();
    EXPECT_EQ(Particles(), 1);
    m.core.kmh = 20;  // not above 20
    e.Update();
    EXPECT_EQ(Particles(), 1);
}

TEST_F(MachineEffectTest, TheStartGlowShowsForTenFramesOfTheFirstBoost) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineEffect& e = Effect(m);
    tyBillboard* shared = ty_sEffectManager::Instance().GetBillboard(ty_sEffectManager::kBillboardShared);
    m.core.boostFramesLeft = 240 - 5;
    e.Update();
    e.Draw(false);
    EXPECT_EQ(shared->GetCount(), 2);
    shared->Clear();
    m.core.boostFramesLeft = 240 - 10;
    e.Update();
    e.Draw(false);
    EXPECT_EQ(shared->GetCount(), 0);
}

TEST_F(MachineEffectTest, TheChargeFlameBurnsOnlyForTwoStageBoostsAfterTheChargeTime) {
    HandMachine& torvin = Add(1, 0, 0, true, 0);
    tmMachineEffect& e = Effect(torvin);
    tyPolygon* strips = ty_sEffectManager::Instance().GetPolygon(ty_sEffectManager::kPolygonShared);
    torvin.core.boostFramesLeft = 160;  // 80 frames in: before the charge time (90)
    e.Update();
    e.Draw(false);
    EXPECT_EQ(strips->GetCount(), 0);
    torvin.core.boostFramesLeft = 100;
    e.Update();
    e.Draw(false);
    EXPECT_EQ(strips->GetCount(), 2 * 2 * 2);  // two emitters, two crossed blades of two triangles
    strips->Clear();
    // A one-stage machine never shows it.
    HandMachine& quessa = Add(3, 30, 0, false, 1);
    tmMachineEffect& q = Effect(quessa);
    quessa.core.boostFramesLeft = 100;
    q.Update();
    q.Draw(false);
    EXPECT_EQ(strips->GetCount(), 0);
}

TEST_F(MachineEffectTest, TheSecondStageDrawsItsFlameModelsOnTheGlowLayer) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineEffect& e = Effect(m);
    m.core.secondBoostFramesLeft = 60;
    e.Update();
    e.Draw(false);
    ASSERT_EQ(draw_.models.size(), 4u);  // a core and a plume for each of two emitters
    for (size_t i = 0; i < draw_.models.size(); ++i) {
        const DrawLog::Model& d = draw_.models[i];
        EXPECT_EQ(d.layer, tmRenderLayer::kGlow);
        if (i % 2 == 0) {
            EXPECT_GE(d.slot, content::MDL_EFF_PART04);
            EXPECT_EQ(d.arg, tmShaderType::kStandard);
        } else {
            EXPECT_LE(d.slot, content::MDL_EFF_PART03);
            EXPECT_GE(d.slot, content::MDL_EFF_BOOST_EGG01);
            EXPECT_EQ(d.arg, tmShaderType::kVertexColour);
        }
    }
}

TEST_F(MachineEffectTest, TheHighSpeedBurstNeverComesDuringABoost) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineEffect& e = Effect(m);
    m.core.kmh = 400;
    m.core.boostFramesLeft = 100;
    SeedForBurst();
    e.Update();  // frame 0
    EXPECT_TRUE(sound_.played.empty());
    m.core.hidden = 1;  // a hidden machine plays nothing
    m.core.boostFramesLeft = 0;
    for (int i = 1; i < 120; ++i) e.Update();
    SeedForBurst();
    e.Update();
    EXPECT_TRUE(sound_.played.empty());
}

TEST_F(MachineEffectTest, EffectsNeverMoveTheRacesRandomSequence) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineEffect& e = Effect(m);
    tmSrand(77);
    const int expected = tmRand();
    tmSrand(77);
    m.core.boostFramesLeft = 200;
    m.core.secondBoostFramesLeft = 50;
    m.core.floorState = 4;
    m.core.kmh = 400;
    for (int i = 0; i < 130; ++i) {
        e.Update();
        e.Draw(false);
    }
    EXPECT_EQ(tmRand(), expected);
}

}  // namespace
