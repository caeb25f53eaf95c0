// tmSpriteTweenTest.cpp -- easing steps, delays, the on-screen bounds and the alpha pulse of the eased sprite.
#include "menu/tmSpriteTween.h"

#include <gtest/gtest.h>

#include "frontend/DrawLog.h"

namespace {

tmSpriteTween At(float x, float y, float alpha, uint32_t sprite = 5, uint32_t second = 0) {
    tmSpriteTween t;
    t.SetTarget(SpritePlacement{x, y, alpha, sprite, second, 10.0f, 20.0f});
    return t;
}

TEST(SpriteTween, EasesAFifthOfTheWayAndSnapsOntoTheTarget) {
    tmSpriteTween t = At(0, 0, 1);
    t.MoveTo(SpriteTarget{100, 0, 1, 0}, 0);
    const float expected[] = {20.0f, 36.0f, 48.8f};
    for (float e : expected) {
        t.Update();
        EXPECT_NEAR(t.x, e, 1e-4f);
    }
    int steps = 3;
    while (t.x != 100.0f && steps < 100) {
        const float before = t.x;
        t.Update();
        ++steps;
        // The step that would leave less than half a unit lands exactly on the target.
        if (100.0f - (before + 0.2f * (100.0f - before)) < 0.5f) {
            EXPECT_EQ(t.x, 100.0f);
        }
    }
    EXPECT_EQ(t.x, 100.0f);
    EXPECT_TRUE(t.IsAtRest());
    EXPECT_EQ(t.frame, steps);
}

TEST(SpriteTween, DelayHoldsTheSpriteThenEasingStartsOnTheNextStep) {
    tmSpriteTween t = At(0, 0, 1);
    t.MoveTo(SpriteTarget{100, 50, 0, 30}, 30);
    for (int i = 0; i < 30; ++i) {
        t.Update();
        ASSERT_EQ(t.x, 0.0f) << "step " << i + 1;
    }
    t.Update();  // the 31st step
    EXPECT_NEAR(t.x, 20.0f, 1e-4f);
    EXPECT_NEAR(t.y, 10.0f, 1e-4f);
    EXPECT_NEAR(t.alpha, 0.8f, 1e-4f);
    // SetTarget keeps a delay that is still running.
    t.MoveTo(SpriteTarget{0, 0, 1, 0}, 4);
    t.SetTarget(SpritePlacement{1, 1, 1, 5, 0, 0, 0});
    EXPECT_EQ(t.delay, 4);
    EXPECT_EQ(t.frame, 0);
}

TEST(SpriteTween, OnlyOnScreenSpritesAreDrawn) {
    DrawLog log;
    EXPECT_FALSE(At(1238.5f, 0, 1).Draw());
    EXPECT_FALSE(At(100, 0, 0).Draw());
    EXPECT_FALSE(At(-1152.5f, 0, 1).Draw());
    EXPECT_FALSE(At(0, 768.5f, 1).Draw());
    EXPECT_TRUE(log.sprites.empty());
    EXPECT_TRUE(At(1238, 0, 1).Draw());
    EXPECT_TRUE(At(0, 768, 1).Draw());
    EXPECT_TRUE(At(-1152, -1024, 1).Draw());
    EXPECT_EQ(log.sprites.size(), 3u);
}

TEST(SpriteTween, DrawQueuesBothSpritesOnTheVirtualScreen) {
    DrawLog log;
    tmSpriteTween t = At(100, 200, 0.5f, 7, 9);
    t.scaleX = 93.375f;
    t.scaleY = 52.0f;
    ASSERT_TRUE(t.Draw());
    ASSERT_EQ(log.sprites.size(), 2u);
    EXPECT_EQ(log.sprites[0].slot, 7);
    EXPECT_EQ(log.sprites[1].slot, 9);
    EXPECT_EQ(log.sprites[1].x, 110.0f);
    EXPECT_EQ(log.sprites[1].y, 220.0f);
    for (const auto& s : log.sprites) {
        EXPECT_EQ(s.placement, tmSpritePlacement::kVirtualScreen);
        EXPECT_EQ(s.alpha, 0.5f);
        EXPECT_EQ(s.scaleX, 93.375f);
        EXPECT_EQ(s.scaleY, 52.0f);
    }
    // A tween without sprites is still on screen but queues nothing.
    log.Clear();
    EXPECT_TRUE(At(0, 0, 1, 0, 0).Draw());
    EXPECT_TRUE(log.sprites.empty());
}

TEST(SpriteTween, PulseStaysWithinItsBand) {
    EXPECT_EQ(tmSpriteTween::Pulse(0.05f, 0.0f, 0.7f, 12), 0.7f);
    EXPECT_EQ(tmSpriteTween::Pulse(0.0f, 0.5f, 0.7f, 12), 0.7f);
    EXPECT_EQ(tmSpriteTween::Pulse(-1.0f, 0.5f, 0.7f, 12), 0.7f);
    float lo = 2, hi = -1;
    for (int c = 0; c < 200; ++c) {
        const float v = tmSpriteTween::Pulse(0.05f, -0.2f, 1.0f, c);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    EXPECT_GE(lo, 0.8f - 1e-5f);
    EXPECT_LT(lo, 0.81f);
    EXPECT_EQ(hi, 1.0f);
    EXPECT_EQ(tmSpriteTween::Pulse(1.0f, 5.0f, 0.5f, 1), 1.0f);   // clamped above
    EXPECT_EQ(tmSpriteTween::Pulse(1.0f, -5.0f, 0.5f, 1), 0.0f);  // clamped below
}

TEST(SpriteTween, PartsUseThePulsedAlphaButTheOwnSpritesTheUnpulsedTest) {
    DrawLog log;
    tmSpriteTween t = At(10, 10, 0.5f);
    t.pulseSpeed = 1.5707964f;  // |sin| = 1 at frame 1
    t.pulseAmplitude = -1.0f;
    t.frame = 1;
    // The pulse brings 0.5 down to 0: the own sprite is still queued (at alpha 0), the part is not.
    EXPECT_TRUE(t.Draw());
    ASSERT_EQ(log.sprites.size(), 1u);
    EXPECT_EQ(log.sprites[0].alpha, 0.0f);
    t.DrawPart(SpriteTweenPart{11, 5, 6, 1.0f}, 1, 1);
    EXPECT_EQ(log.sprites.size(), 1u);
    // Without a pulse the part is placed relative to the tween with its alpha factor.
    t.pulseAmplitude = 0;
    t.DrawPart(SpriteTweenPart{11, 5, 6, 0.5f}, 2, 3);
    ASSERT_EQ(log.sprites.size(), 2u);
    EXPECT_EQ(log.sprites[1].x, 15.0f);
    EXPECT_EQ(log.sprites[1].y, 16.0f);
    EXPECT_EQ(log.sprites[1].alpha, 0.25f);
    EXPECT_EQ(log.sprites[1].scaleY, 3.0f);
    // Off screen, no part.
    t.x = 2000;
    t.DrawPart(SpriteTweenPart{11, 5, 6, 1.0f}, 1, 1);
    EXPECT_EQ(log.sprites.size(), 2u);
}

}  // namespace
