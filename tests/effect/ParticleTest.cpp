// ParticleTest.cpp -- the particle list, flash and smoke steps, fades, cull and the batches they reach.
#include <gtest/gtest.h>

#include <cmath>

#include "effect/DrawLog.h"
#include "effect/tmEffParticles.h"
#include "effect/tmEffectRandom.h"
#include "effect/tyEffectManager.h"
#include "sys/base/tmMemory.h"
#include "sys/base/tmRandom.h"
#include "sys/batch/tyBillboard.h"
#include "sys/batch/tyPolygon.h"
#include "sys/render/tmRenderLayer.h"

namespace {

// Counts its removals and deletions; dies when its life runs out.
struct Probe : ty_sEffect {
    static int removed, deleted;
    explicit Probe(int l) { life = l; }
    ~Probe() override { ++deleted; }
    void Update() override { --life; }
    void OnRemove() override { ++removed; }
    void Draw() override {}
};
int Probe::removed = 0;
int Probe::deleted = 0;

class ParticleTest : public ::testing::Test {
protected:
    void SetUp() override {
        tmEffectRandom::Seed(1);
        Probe::removed = Probe::deleted = 0;
        D3DXMATRIX id;
        D3DXMatrixIdentity(&id);
        ty_sEffectManager::Instance().SetViewMatrix(id);
        tmEffectSetReferencePoint(D3DXVECTOR3(0, 0, 0));
        manager().Init();
    }
    void TearDown() override { manager().Release(); }
    static ty_sEffectManager& manager() { return ty_sEffectManager::Instance(); }

    // A flash of size 8 at the origin that fades in over 8 frames, white at alpha 1.
    static tmEffPointFlash* AddFlash(float growth, int life = 40) {
        const int sprite[1] = {4};
        EXPECT_TRUE(tmEffPointFlash::Spawn(sprite, 1, false, D3DXVECTOR3(0, 0, 0), 8.0f, 0xFFFFFFFFu, life, nullptr,
                                           nullptr, 8, 20, 0, 0.0f, 0.0f, 0.0f, 1.0f, growth));
        auto* f = static_cast<tmEffPointFlash*>(const_cast<ty_sEffect*>(manager().GetHead()));
        f->rotation = 0.0f;
        return f;
    }
    // Width of the first quad of the last batch on a layer, and its first vertex's alpha byte.
    static bool FirstQuad(const DrawLog& log, int layer, float& width, uint32_t& alpha) {
        for (auto it = log.batches.rbegin(); it != log.batches.rend(); ++it) {
            if (it->layer != layer || it->triangles < 2) continue;
            float lo = 1e9f, hi = -1e9f;
            for (int v = 0; v < 6; ++v) {
                lo = std::min(lo, it->positions[size_t(v) * 3]);
                hi = std::max(hi, it->positions[size_t(v) * 3]);
            }
            width = hi - lo;
            alpha = it->colours[0] >> 24;
            return true;
        }
        return false;
    }
};

TEST_F(ParticleTest, TheListHoldsAtMost4096AndRefusedEffectsAreRemovedAndDeleted) {
    for (int i = 0; i < ty_sEffectEventManager::kCapacity; ++i) ASSERT_TRUE(manager().Add(TM_NEW Probe(5)));
    EXPECT_EQ(manager().GetCount(), 4096);
    const ty_sEffect* head = manager().GetHead();
    EXPECT_FALSE(manager().Add(TM_NEW Probe(5)));
    EXPECT_EQ(Probe::removed, 1);
    EXPECT_EQ(Probe::deleted, 1);
    EXPECT_EQ(manager().GetCount(), 4096);
    EXPECT_EQ(manager().GetHead(), head);
    // A spawn on a full list is refused the same way and leaves no block behind.
    const size_t live = tmLiveAllocations().size();
    EXPECT_FALSE(tmEffPointFlash::SpawnSpark(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0), 0xFFFFFFFFu));
    EXPECT_FALSE(tmEffSmoke::Spawn(D3DXVECTOR3(0, 0, 0)));
    EXPECT_EQ(tmLiveAllocations().size(), live);
    manager().Clear();
    EXPECT_EQ(manager().GetCount(), 0);
    EXPECT_EQ(Probe::deleted, 4097);
    EXPECT_EQ(Probe::removed, 4097);
}

TEST_F(ParticleTest, UpdateRemovesTheDeadWhereverTheyAreAndHonoursASkip) {
    manager().Add(TM_NEW Probe(3));
    manager().Add(TM_NEW Probe(1));  // middle
    manager().Add(TM_NEW Probe(2));
    EXPECT_EQ(manager().GetAddedCount(), 3);
    manager().Update();
    EXPECT_EQ(manager().GetCount(), 2);
    EXPECT_EQ(manager().GetAddedCount(), 0);
    EXPECT_EQ(Probe::removed, 1);
    manager().SkipNextUpdate();
    manager().Update();  // skipped
    EXPECT_EQ(manager().GetCount(), 2);
    manager().Update();
    EXPECT_EQ(manager().GetCount(), 1);
    manager().Update();
    EXPECT_EQ(manager().GetCount(), 0);
    EXPECT_EQ(manager().GetHead(), nullptr);
    EXPECT_EQ(Probe::deleted, 3);
    // The list still works after it ran empty.
    manager().Add(TM_NEW Probe(1));
    EXPECT_EQ(manager().GetCount(), 1);
}

TEST_F(ParticleTest, AFlashThatShrinksDiesAtSizeZeroWhateverItsLife) {
    tmEffPointFlash* f = AddFlash(-2.0f, 1000);
    for (int i = 0; i < 3; ++i) manager().Update();
    ASSERT_EQ(manager().GetCount(), 1);
    EXPECT_FLOAT_EQ(f->size, 2.0f);
    manager().Update();
    EXPECT_EQ(manager().GetCount(), 0);
}

TEST_F(ParticleTest, FadeInScalesSizeAndAlphaUntilTheAgeReachesTheFadeFrames) {
    DrawLog log;
    AddFlash(0.0f);
    manager().Update();
    manager().Draw();
    float width = 0;
    uint32_t alpha = 0;
    ASSERT_TRUE(FirstQuad(log, tmRenderLayer::kBlended + 1, width, alpha));  // plain flashes: sorted scene layer 5
    EXPECT_NEAR(width, 1.0f, 1e-4f);                                         // 8 x 1/8
    EXPECT_EQ(alpha, 31u);                                                   // 255 x 1/8
    for (int i = 1; i < 8; ++i) manager().Update();
    log.Clear();
    manager().Draw();
    ASSERT_TRUE(FirstQuad(log, tmRenderLayer::kBlended + 1, width, alpha));
    EXPECT_NEAR(width, 8.0f, 1e-4f);
    EXPECT_EQ(alpha, 255u);
    // The fade-out: life 40 - 30 = 10 left of 20 fade frames halves the alpha.
    for (int i = 0; i < 22; ++i) manager().Update();
    log.Clear();
    manager().Draw();
    ASSERT_TRUE(FirstQuad(log, tmRenderLayer::kBlended + 1, width, alpha));
    EXPECT_EQ(alpha, 127u);
}

TEST_F(ParticleTest, ParticlesFartherThan500InXOrZAreNotDrawnButStillAge) {
    DrawLog log;
    tmEffectRandom::Seed(7);
    ASSERT_TRUE(tmEffSmoke::Spawn(D3DXVECTOR3(501.0f, 0, 0)));
    tmEffSmoke* s = static_cast<tmEffSmoke*>(const_cast<ty_sEffect*>(manager().GetHead()));
    s->velocity = D3DXVECTOR3(0, 0, 0);
    const int life = s->life;
    manager().Update();
    manager().Draw();
    EXPECT_TRUE(log.batches.empty());
    EXPECT_EQ(s->life, life - 1);
    // Seen from a reference point beside it, it is drawn.
    tmEffectSetReferencePoint(D3DXVECTOR3(400.0f, 0, -499.0f));
    manager().Draw();
    EXPECT_EQ(log.TrianglesOnLayer(5), 2);
}

TEST_F(ParticleTest, PresetsGoToTheirBatchesWithTheirLivesAndSprites) {
    DrawLog log;
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(tmEffPointFlash::SpawnSpark(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(1, 0, 0), 0xFF20C0FFu));
        const auto* f = static_cast<const tmEffPointFlash*>(manager().GetHead());
        EXPECT_GE(f->totalLife, 50);
        EXPECT_LT(f->totalLife, 70);
        EXPECT_EQ(f->additive, 1);
        EXPECT_NEAR(f->velocity.x, 1.0f, 0.4001f);
        EXPECT_EQ(f->fadeIn, 8);
        EXPECT_EQ(f->fadeOut, 20);
        EXPECT_EQ(f->rgb, 0x20C0FFu);
        EXPECT_TRUE(f->sprite == 32 || f->sprite == 4 || f->sprite == 6 || f->sprite == 10 || f->sprite == 12);
    }
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(tmEffPointFlash::SpawnDebris(D3DXVECTOR3(0, 0, 0), 0xFFC0C040u));
        const auto* f = static_cast<const tmEffPointFlash*>(manager().GetHead());
        EXPECT_GE(f->velocity.y, 0.0f);
        EXPECT_LE(f->velocity.y, 8.0f);
        EXPECT_LE(std::fabs(f->rotationSpeed), 0.31415927f);
        EXPECT_FLOAT_EQ(f->damping, 0.9f);
        EXPECT_EQ(f->fadeOut, 30);
    }
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(tmEffSmoke::Spawn(D3DXVECTOR3(0, 0, 0)));
        const auto* s = static_cast<const tmEffSmoke*>(manager().GetHead());
        EXPECT_GE(s->life, 70);
        EXPECT_LT(s->life, 90);
        EXPECT_EQ(s->fadeIn, s->totalLife / 10);
        EXPECT_GE(s->sprite, 16u);
        EXPECT_LE(s->sprite, 29u);
        EXPECT_GE(s->size, 18.0f);
        EXPECT_LE(s->size, 24.0f);
        EXPECT_GT(s->velocity.y, 0.0f);
    }
    for (int i = 0; i < 10; ++i) manager().Update();
    // A spark's size may start at 0 or below (1 with a jitter of 2): such a spark dies at its first step.
    int flashes = 0;
    for (const ty_sEffect* e = manager().GetHead(); e; e = e->next)
        flashes += dynamic_cast<const tmEffPointFlash*>(e) != nullptr;
    EXPECT_GT(flashes, 60);
    EXPECT_LT(flashes, 100);
    manager().Draw();
    // Sparks and debris on the additive glow layer, smoke on the sorted plain layer, in batch order.
    ASSERT_EQ(log.batches.size(), 2u);
    EXPECT_EQ(log.batches[0].layer, tmRenderLayer::kGlow);
    EXPECT_EQ(log.batches[0].triangles, flashes * 2);
    EXPECT_EQ(log.batches[1].layer, tmRenderLayer::kNoDepthWrite);
    EXPECT_EQ(log.batches[1].triangles, 100);
    // Smoke carries a dark second colour on its lowest corner.
    bool dark = false;
    for (uint32_t c : log.batches[1].colours) dark |= (c & 0xFFFFFFu) == 0;
    EXPECT_TRUE(dark);
}

TEST_F(ParticleTest, TheSharedBatchesAreQueuedInTableOrderAndEmptiedEachStep) {
    DrawLog log;
    tyBillboard* shared = manager().GetBillboard(ty_sEffectManager::kBillboardShared);
    tyPolygon* strips = manager().GetPolygon(ty_sEffectManager::kPolygonShared);
    ASSERT_NE(shared, nullptr);
    ASSERT_NE(strips, nullptr);
    EXPECT_EQ(shared->GetCapacity(), 1024);
    EXPECT_EQ(manager().GetBillboard(1)->GetCapacity(), 2048);
    EXPECT_EQ(strips->GetCapacity(), 2048);
    shared->SetSize(4, 4);
    shared->Add(31);
    D3DXMATRIX id;
    D3DXMatrixIdentity(&id);
    strips->AddQuad(0, id, 0xFFFFFFFFu);
    manager().DrawBatches();
    manager().Draw();
    EXPECT_TRUE(log.batches.empty());
    shared->Add(31);
    strips->AddQuad(0, id, 0xFFFFFFFFu);
    manager().Draw();
    ASSERT_EQ(log.batches.size(), 2u);
    EXPECT_EQ(log.batches[0].layer, tmRenderLayer::kBlended);
    EXPECT_EQ(log.batches[1].layer, tmRenderLayer::kBlended);
    EXPECT_EQ(log.batches[1].triangles, 4);
    // After Release nothing is drawn and spawning is harmless.
    manager().Release();
    log.Clear();
    EXPECT_TRUE(tmEffSmoke::Spawn(D3DXVECTOR3(0, 0, 0)));
    manager().Draw();
    EXPECT_TRUE(log.batches.empty());
}

}  // namespace
