// BoostTailTest.cpp -- trail slots, presets, stamping, ageing, the tube's triangles and what reaches the batch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "effect/DrawLog.h"
#include "effect/tyBoostTail.h"
#include "effect/tyEffectManager.h"
#include "sys/base/tmMemory.h"
#include "sys/batch/tyPolygon.h"
#include "sys/render/tmRenderLayer.h"

namespace {

class BoostTailTest : public ::testing::Test {
protected:
    void SetUp() override {
        D3DXMATRIX id;
        D3DXMatrixIdentity(&id);
        ty_sEffectManager::Instance().SetViewMatrix(id);
        ty_sEffectManager::Instance().Init();
        ASSERT_TRUE(trails().Create(true, 2));
    }
    void TearDown() override {
        trails().Release();
        ty_sEffectManager::Instance().Release();
    }
    static tyBoostTailManager& trails() { return tyBoostTailManager::Instance(); }
    // The nozzle at z along the machine's length.
    static D3DXMATRIX Nozzle(float z) {
        D3DXMATRIX m;
        D3DXMatrixTranslation(&m, 0, 5, z);
        return m;
    }
};

TEST_F(BoostTailTest, ThirtyTwoSlotsAreHandedOutThenAcquireSaysNone) {
    for (int i = 0; i < tyBoostTailManager::kSlots; ++i) EXPECT_EQ(trails().Acquire(i % 12), i);
    EXPECT_EQ(trails().Acquire(1), -1);
    trails().Free(7);
    EXPECT_EQ(trails().GetState(7), tyBoostTailManager::kFree);
    EXPECT_EQ(trails().Acquire(3), 7);
    EXPECT_EQ(trails().GetKind(7), 3);
    trails().FreeAll();
    for (int i = 0; i < tyBoostTailManager::kSlots; ++i) EXPECT_EQ(trails().GetState(i), tyBoostTailManager::kFree);
}

TEST_F(BoostTailTest, ADisabledManagerIgnoresEveryCall) {
    EXPECT_FALSE(trails().Create(false, 2));
    EXPECT_FALSE(trails().IsEnabled());
    EXPECT_EQ(trails().Acquire(1), -1);
    EXPECT_FALSE(trails().AddPoint(0, Nozzle(0), nullptr, 20));
    trails().Update();
    trails().Draw();
    // Enabled again: a slot outside 0..31 is refused, a free one accepted without effect.
    ASSERT_TRUE(trails().Create(true, 2));
    EXPECT_FALSE(trails().AddPoint(32, Nozzle(0), nullptr, 20));
    EXPECT_FALSE(trails().AddPoint(-1, Nozzle(0), nullptr, 20));
    EXPECT_TRUE(trails().AddPoint(4, Nozzle(0), nullptr, 20));
    EXPECT_EQ(trails().GetTrail(4)->GetNodeCount(), 0);
}

TEST_F(BoostTailTest, PresetsByKindWithTheFallbackAndTheQualityRules) {
    const int slot = trails().Acquire(12);
    EXPECT_EQ(trails().GetTrail(slot)->GetNodeLife(), 40);
    EXPECT_EQ(trails().GetTrail(slot)->GetInterval(), 1);
    const int two = trails().Acquire(2);
    EXPECT_EQ(trails().GetTrail(two)->GetInterval(), 4);
    EXPECT_EQ(trails().GetTrail(two)->GetColour(), 0xF0FF50FFu);
    EXPECT_EQ(trails().GetTrail(two)->GetSprite(), 5u);
    EXPECT_EQ(trails().GetTrail(two)->GetPointCount(), 8);
    // Quality 1: diamonds; quality 0: diamonds and doubled intervals.
    ASSERT_TRUE(trails().Create(true, 1));
    EXPECT_EQ(trails().GetTrail(trails().Acquire(2))->GetPointCount(), 4);
    ASSERT_TRUE(trails().Create(true, 0));
    EXPECT_EQ(trails().GetTrail(trails().Acquire(2))->GetInterval(), 8);
}

TEST_F(BoostTailTest, SectionsAreStampedOncePerIntervalAndTheNewestFollowsTheNozzle) {
    const int slot = trails().Acquire(1);  // interval 3
    tyBoostTail* t = trails().GetTrail(slot);
    int z = 0;
    for (int i = 0; i < 3; ++i) trails().AddPoint(slot, Nozzle(float(z++)), nullptr, 20);
    EXPECT_EQ(t->GetNodeCount(), 3);
    trails().AddPoint(slot, Nozzle(float(z++)), nullptr, 20);
    EXPECT_EQ(t->GetNodeCount(), 4);
    trails().AddPoint(slot, Nozzle(float(z++)), nullptr, 20);
    trails().AddPoint(slot, Nozzle(float(z++)), nullptr, 20);
    EXPECT_EQ(t->GetNodeCount(), 4);
    EXPECT_NEAR(t->GetNewestNode()->points[0].z, 5.0f, 1e-5f);
    trails().AddPoint(slot, Nozzle(float(z++)), nullptr, 20);
    EXPECT_EQ(t->GetNodeCount(), 5);
    // Lengths are measured between the third points: the tube is 6 units long.
    EXPECT_NEAR(t->GetTotalLength(), 6.0f, 1e-4f);
}

TEST_F(BoostTailTest, HalfStrengthGivesHalfWidthAndAgesEightFramesAStep) {
    const int slot = trails().Acquire(3);  // width 1, life 80
    tyBoostTail* t = trails().GetTrail(slot);
    trails().AddPoint(slot, Nozzle(0), nullptr, 10);
    EXPECT_FLOAT_EQ(t->GetStrength(), 0.5f);
    const tyBoostTail::Node* n = t->GetNewestNode();
    EXPECT_NEAR(n->points[0].x, 0.5f, 1e-6f);  // octagon point (1,0,0) x strength x width
    EXPECT_NEAR(n->points[2].y, 5.5f, 1e-6f);
    EXPECT_EQ(n->life, 80);
    trails().Update();
    EXPECT_EQ(n->life, 72);
    // Full strength ages one frame a step; strength never falls below 0.
    trails().AddPoint(slot, Nozzle(1), nullptr, 20);
    trails().Update();
    EXPECT_EQ(t->GetNewestNode()->life, 79);
    trails().AddPoint(slot, Nozzle(2), nullptr, -5);
    EXPECT_FLOAT_EQ(t->GetStrength(), 0.0f);
}

TEST_F(BoostTailTest, OneSectionDrawsNothingAndTheTubeHasSegmentsTimesPointsTimesTwoTriangles) {
    DrawLog log;
    const int slot = trails().Acquire(3);
    tyBoostTail* t = trails().GetTrail(slot);
    trails().AddPoint(slot, Nozzle(0), nullptr, 20);
    trails().Update();
    trails().Draw();
    ty_sEffectManager::Instance().Draw();
    EXPECT_EQ(t->GetSegmentCount(), 0);
    EXPECT_TRUE(log.batches.empty());

    for (int i = 1; i < 6; ++i) trails().AddPoint(slot, Nozzle(float(i) * 3), nullptr, 20);
    ASSERT_EQ(t->GetNodeCount(), 5);  // interval 2: the sixth call moved the fifth section
    trails().Update();
    trails().Draw();
    ty_sEffectManager::Instance().Draw();
    EXPECT_EQ(t->GetSegmentCount(), 4);
    ASSERT_EQ(log.batches.size(), 1u);
    EXPECT_EQ(log.batches[0].layer, tmRenderLayer::kGlow);
    EXPECT_EQ(log.batches[0].triangles, 4 * 8 * 2);
    // Texture v runs from the tail toward the head; alpha fades toward the tail.
    const auto& b = log.batches[0];
    EXPECT_LT(b.colours[0] >> 24, b.colours[b.colours.size() - 2] >> 24);
    // ClearAll forgets the build: nothing is drawn until the next update.
    trails().ClearAll();
    log.Clear();
    trails().Draw();
    ty_sEffectManager::Instance().Draw();
    EXPECT_TRUE(log.batches.empty());
}

TEST_F(BoostTailTest, ATrailNamingASpriteOffTheSheetIsDropped) {
    DrawLog log;
    const int slot = trails().Acquire(3);
    tyBoostTail* t = trails().GetTrail(slot);
    tyBoostTailPreset p = tyBoostTailManager::GetPreset(3);
    p.sprite = 5000;
    t->ApplyPreset(p);
    for (int i = 0; i < 4; ++i) trails().AddPoint(slot, Nozzle(float(i)), nullptr, 20);
    trails().Update();
    trails().Draw();
    ty_sEffectManager::Instance().Draw();
    EXPECT_EQ(t->GetSegmentCount(), 3);
    EXPECT_TRUE(log.batches.empty());
}

TEST_F(BoostTailTest, OldSectionsDropOffAndAnEmptyRingClearsItself) {
    const int slot = trails().Acquire(0);  // node life 1, interval 1
    tyBoostTail* t = trails().GetTrail(slot);
    for (int i = 0; i < 4; ++i) trails().AddPoint(slot, Nozzle(float(i)), nullptr, 20);
    EXPECT_EQ(t->GetNodeCount(), 4);
    trails().Update();  // every section ages to 0
    trails().Update();  // and drops off
    EXPECT_EQ(t->GetNodeCount(), 0);
    EXPECT_FLOAT_EQ(t->GetTotalLength(), 0.0f);
    // The ring never overflows: 200 stamps keep at most 179 sections.
    const int big = trails().Acquire(0);
    for (int i = 0; i < 200; ++i) trails().AddPoint(big, Nozzle(float(i)), nullptr, 20);
    EXPECT_EQ(trails().GetTrail(big)->GetNodeCount(), tyBoostTail::kRingSize - 1);
    trails().Update();
    EXPECT_EQ(trails().GetTrail(big)->GetSegmentCount(), tyBoostTail::kRingSize - 2);
}

TEST_F(BoostTailTest, ReleaseFreesEveryTrailBlock) {
    const size_t before = tmLiveAllocations().size();
    trails().Release();
    EXPECT_LT(tmLiveAllocations().size(), before);
    EXPECT_FALSE(trails().IsEnabled());
    EXPECT_EQ(trails().GetTrail(0), nullptr);
}

}  // namespace

// The trail batch holds every trail of the largest race at once: all 32 slots (sixteen entrants of
// the four-nozzle machines) at the longest length any preset makes, none cut at the batch's end.
TEST_F(BoostTailTest, TheTrailBatchHoldsEveryTrailOfTheLargestRace) {
    // No preset's trail grows past its computed longest, fed and stepped once per logic step.
    int longest = 0;
    for (int kind = 0; kind <= tyBoostTailManager::kPresetCount; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const int slot = trails().Acquire(kind);
        ASSERT_GE(slot, 0);
        tyBoostTail* t = trails().GetTrail(slot);
        int most = 0;
        for (int step = 0; step < 400; ++step) {
            trails().ClearAll();
            trails().Update();
            trails().AddPoint(slot, Nozzle(float(step) * 9), nullptr, 20);
            most = std::max(most, t->GetSegmentCount());
        }
        EXPECT_LE(most, tyBoostTail::MaxSegments(tyBoostTailManager::GetPreset(kind)));
        longest = std::max(longest, most);
        trails().Free(slot);
    }
    EXPECT_GE(tyBoostTailManager::LongestTrailTriangles(), longest * 8 * 2);
    EXPECT_GE(ty_sEffectManager::TrailBatchCapacity(), tyBoostTailManager::kSlots * longest * 8 * 2);
    EXPECT_EQ(ty_sEffectManager::Instance().GetPolygon(ty_sEffectManager::kPolygonTrails)->GetCapacity(),
              ty_sEffectManager::TrailBatchCapacity());

    // Thirty-two trails of the longest kind at full length all reach the batch.
    DrawLog log;
    int slots[tyBoostTailManager::kSlots];
    for (int& s : slots) ASSERT_GE(s = trails().Acquire(3), 0);
    for (int step = 0; step < 200; ++step) {
        trails().ClearAll();
        trails().Update();
        for (int i = 0; i < tyBoostTailManager::kSlots; ++i)
            trails().AddPoint(slots[i], Nozzle(float(step) * 9 + float(i)), nullptr, 20);
    }
    trails().ClearAll();
    trails().Update();
    int expected = 0;
    for (int s : slots) expected += trails().GetTrail(s)->GetSegmentCount() * 8 * 2;
    EXPECT_GT(expected, 2048);
    trails().Draw();
    ty_sEffectManager::Instance().Draw();
    ASSERT_EQ(log.batches.size(), 1u);
    EXPECT_EQ(log.batches[0].triangles, expected);
}
