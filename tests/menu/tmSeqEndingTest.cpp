// tmSeqEndingTest.cpp -- the ending: the cup rank from the final standings with its sounds, the staff roll of a
// podium finish (its length, the hurry while decide is held, every line crossing the view), the way back.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "content_tables.h"
#include "menu/MenuRig.h"
#include "menu/tmEndingFrontend.h"
#include "menu/tmMenuCommon.h"
#include "menu/tmSeqEnding.h"
#include "race/tmRaceState.h"

namespace {

constexpr int kDriver = 9;  // the local entrant's driver id
// The rank state starts at step 10 (8 opening steps, then the switch); its step 60 is step 70.
constexpr int kRankSoundStep = 70, kFanfareStep = 115;

// A finished cup of ten drivers where the local driver ends at `place` (0-based) of the standings,
// or has no standing at all when `place` is negative.
void FinishCup(int place) {
    tmRaceState& rs = tmRaceState::Get();
    rs.setup.mode = kRaceModeCup;
    rs.setup.count = 10;
    rs.setup.local = 0;
    rs.entrants[0].entrantId = place < 0 ? 12 : kDriver;
    int others = 0;
    for (int d = 0; d < 10; ++d) {
        int rankOf = d == kDriver ? place : (others < place ? others : others + 1);
        if (d != kDriver) ++others;
        if (rankOf < 0) rankOf = 9;
        rs.points[d][0] = 40u - 3u * static_cast<uint32_t>(rankOf);
    }
    rs.cup.raceIndex = 0;
    rs.ComputeStandings();
}

// The 1-based step at which `id` was first heard, counting from now; -1 when not within `limit`.
int StepOfSound(MenuRig& rig, uint32_t id, int limit) {
    for (int i = 0; i < limit; ++i) {
        const size_t before = rig.sounds.size();
        rig.Step();
        for (size_t k = before; k < rig.sounds.size(); ++k)
            if (rig.sounds[k] == id) return rig.steps;
    }
    return -1;
}

// Steps until the screen's state is `state`; the step count taken, or -1 when `limit` ran out.
int StepsUntilState(MenuRig& rig, const tmSeqEnding& e, int state, int limit) {
    for (int i = 1; i <= limit; ++i) {
        rig.Step();
        if (e.GetState() == state) return i;
    }
    return -1;
}

}  // namespace

TEST(tmSeqEnding, RankTableCoversEveryPlace) {
    EXPECT_EQ(tmSeqEnding::RankSprite(0), uint32_t(content::SPR_CR_RANK_1ST));
    EXPECT_EQ(tmSeqEnding::RankSprite(2), uint32_t(content::SPR_CR_RANK_3RD));
    EXPECT_EQ(tmSeqEnding::RankSprite(3), uint32_t(content::SPR_CR_RANK_LOSE));
    EXPECT_EQ(tmSeqEnding::RankSprite(11), uint32_t(content::SPR_CR_RANK_LOSE));
    EXPECT_EQ(tmSeqEnding::RankSprite(-1), uint32_t(content::SPR_CR_RANK_LOSE));
    EXPECT_EQ(tmSeqEnding::RankSound(1), 0x10092u);
    EXPECT_EQ(tmSeqEnding::RankSound(2), 0x10092u);
    EXPECT_EQ(tmSeqEnding::RankSound(7), 0x10006u);
}

TEST(tmSeqEnding, CupWinnerHearsBothSoundsThenTheRollRunsAMinute) {
    MenuRig rig;
    FinishCup(0);
    tmSeqEnding ending;
    rig.Start(ending);
    EXPECT_EQ(ending.GetRank(), 0);
    EXPECT_EQ(ending.GetTween(tmSeqEnding::kRank)->spriteId, uint32_t(content::SPR_CR_RANK_1ST));
    EXPECT_EQ(StepOfSound(rig, 0x10091, 200), kRankSoundStep);
    EXPECT_EQ(ending.GetTween(tmSeqEnding::kRank)->targetAlpha, 1.0f);
    EXPECT_EQ(StepOfSound(rig, 0x10004, 200), kFanfareStep);
    EXPECT_EQ(rig.Count(0x10092), 0);
    // Without input the rank stands until its step 301, then the roll starts.
    const int toRoll = StepsUntilState(rig, ending, tmSeqEnding::kStaffRoll, 400);
    EXPECT_EQ(kFanfareStep + toRoll, 10 + 301);
    EXPECT_EQ(rig.Count(tmMenuSound::kSkip), 0);
    EXPECT_EQ(ending.GetTween(tmSeqEnding::kRank)->targetAlpha, 0.0f);
    rig.Steps(61);
    EXPECT_EQ(rig.MusicRow(), tmMusicStream::kEnding);
    EXPECT_EQ(ending.GetTween(tmSeqEnding::kTrophy)->targetAlpha, 1.0f);
    const int rolled = 61 + StepsUntilState(rig, ending, tmSeqEnding::kClosing, 4000);
    EXPECT_NEAR(rolled, 3600, 2);
    EXPECT_EQ(ending.GetTween(tmSeqEnding::kTrophy)->targetAlpha, 0.0f);
    // Sixty steps of closing, then the title with the music stopped.
    const int closing = rig.steps;
    EXPECT_EQ(rig.RunToNext(100), kSeqTitle);
    EXPECT_EQ(rig.nextStep - closing, 61);
    EXPECT_FALSE(rig.MusicPlaying());
    rig.Finish();
}

TEST(tmSeqEnding, HeldDecideSkipsTheRankAndHurriesTheRoll) {
    MenuRig rig;
    FinishCup(1);
    tmSeqEnding ending;
    rig.Start(ending);
    EXPECT_EQ(ending.GetTween(tmSeqEnding::kRank)->spriteId, uint32_t(content::SPR_CR_RANK_2ND));
    // Decide before the rank's step 90 is not taken.
    rig.Steps(80);
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(ending.GetState(), tmSeqEnding::kShowRank);
    EXPECT_EQ(rig.Count(0x10092), 1);
    EXPECT_EQ(rig.Count(0x10004), 0);  // the fanfare is the winner's alone
    rig.Steps(20);
    rig.input.SetKey(tmKey::kReturn, true);
    rig.Step();
    EXPECT_EQ(rig.Count(tmMenuSound::kSkip), 1);
    const int rolled = StepsUntilState(rig, ending, tmSeqEnding::kClosing, 4000);
    ASSERT_GT(rolled, 0);
    // 60 steps at the plain pace, then (1.3 + 4) / 3600 per step.
    EXPECT_NEAR(rolled,
                1 + 60 + (1.3f - 61 * tmSeqEnding::kRollStep) / (tmSeqEnding::kRollStep + tmSeqEnding::kRollHurry), 3);
    EXPECT_EQ(rig.RunToNext(100), kSeqTitle);
    rig.Finish();
}

TEST(tmSeqEnding, OffThePodiumOrWithoutAStandingThereIsNoRoll) {
    for (int place : {3, 7, -1}) {
        SCOPED_TRACE(place);
        MenuRig rig;
        FinishCup(place);
        ASSERT_EQ(tmRaceState::Get().FindStanding(place < 0 ? 12 : kDriver), place);
        tmSeqEnding ending;
        rig.Start(ending);
        EXPECT_EQ(ending.GetRank(), 3);
        EXPECT_EQ(ending.GetTween(tmSeqEnding::kRank)->spriteId, uint32_t(content::SPR_CR_RANK_LOSE));
        EXPECT_EQ(StepOfSound(rig, 0x10006, 200), kRankSoundStep);
        EXPECT_EQ(rig.RunToNext(600), kSeqTitle);
        EXPECT_EQ(rig.nextStep, 10 + 301 + 1 + 60);  // the rank's wait and the closing, nothing between
        EXPECT_EQ(rig.Count(0x10091) + rig.Count(0x10092) + rig.Count(0x10004), 0);
        EXPECT_FALSE(rig.MusicPlaying());
        rig.Finish();
    }
}

TEST(tmSeqEnding, WithoutTheMenuFlowTheRankIsNotReadAndTheDebugMenuFollows) {
    MenuRig rig;
    FinishCup(5);
    tmMenuFlow::SetNormalPlay(false);
    tmSeqEnding ending;
    rig.Start(ending);
    EXPECT_EQ(ending.GetRank(), 0);
    EXPECT_EQ(ending.GetTween(tmSeqEnding::kRank)->spriteId, uint32_t(content::SPR_CR_RANK_1ST));
    rig.input.SetKey(tmKey::kReturn, true);
    EXPECT_EQ(rig.RunToNext(1500), kSeqDebugMenu);
    tmMenuFlow::SetNormalPlay(true);
    rig.Finish();
}

// The sixteen lines drawn as white world sprites, moved up with the roll: the title starts below the
// view, every line crosses its middle band, and the last one leaves at the top.
TEST(tmSeqEnding, EveryStaffLineCrossesTheView) {
    MenuRig rig;
    FinishCup(2);
    tmSeqEnding ending;
    rig.Start(ending);
    EXPECT_EQ(rig.draw.SpritesOf(content::SPR_END_STAFF_TITLE).size(), 0u);
    rig.input.SetKey(tmKey::kReturn, true);
    ASSERT_GT(StepsUntilState(rig, ending, tmSeqEnding::kStaffRoll, 400), 0);
    rig.input.SetKey(tmKey::kReturn, false);

    // The screen height of a line's origin through the camera; +1 is the top edge, -1 the bottom.
    auto screenY = [&](const DrawLog::Sprite& s) {
        D3DXVECTOR3 origin(0, 0, 0), world, view, clip;
        D3DXVec3TransformCoord(&world, &origin, &s.matrix);
        D3DXVec3TransformCoord(&view, &world, &rig.draw.view);
        D3DXVec3TransformCoord(&clip, &view, &rig.draw.projection);
        return clip.y;
    };
    std::vector<bool> crossed(tmEndingFrontend::kLines, false);
    float firstTitle = 0.0f, lastLogo = 0.0f;
    bool first = true;
    while (ending.GetState() == tmSeqEnding::kStaffRoll) {
        rig.draw.Clear();
        rig.Step();
        if (ending.GetState() != tmSeqEnding::kStaffRoll) break;
        std::vector<DrawLog::Sprite> quads;
        for (const DrawLog::Sprite& s : rig.draw.sprites)
            if (s.placement == tmSpritePlacement::kWorldQuad) quads.push_back(s);
        ASSERT_EQ(quads.size(), size_t(tmEndingFrontend::kLines));
        for (int i = 0; i < tmEndingFrontend::kLines; ++i) {
            ASSERT_EQ(quads[i].slot, int(tmEndingFrontend::kStaffLines[i].spriteId));
            EXPECT_EQ(quads[i].colour, 0xFFFFFFFFu);
            const float y = screenY(quads[i]);
            if (y > -0.3f && y < 0.3f) crossed[i] = true;
        }
        if (first) firstTitle = screenY(quads[0]);
        first = false;
        lastLogo = screenY(quads[tmEndingFrontend::kLines - 1]);
        // Lines are moved in their own sized units: offset x size on the height.
        const float offset = ending.GetFrontend()->GetRollOffset();
        EXPECT_NEAR(quads[3].matrix._42, -30.0f + 10.0f * offset, 1e-3f);
    }
    EXPECT_LT(firstTitle, -1.0f);
    EXPECT_GT(lastLogo, 1.0f);
    for (int i = 0; i < tmEndingFrontend::kLines; ++i) EXPECT_TRUE(crossed[i]) << "line " << i;
    rig.Finish();
}
