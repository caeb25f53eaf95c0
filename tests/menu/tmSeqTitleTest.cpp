// tmSeqTitleTest.cpp -- the title: logo, gap and title timings, the logo skip, the main menu after decide.
#include <gtest/gtest.h>

#include "menu/MenuRig.h"
#include "menu/tmMenuCommon.h"
#include "menu/tmSeqTitle.h"

namespace {
// Steps until the title's state is `state`; -1 when `limit` ran out.
int StepsUntil(MenuRig& rig, const tmSeqTitle& title, int32_t state, int limit) {
    for (int i = 1; i <= limit; ++i) {
        rig.Step();
        if (title.GetState() == state) return i;
    }
    return -1;
}
}  // namespace

TEST(tmSeqTitle, LogoGapAndTitleWithoutInput) {
    MenuRig rig;
    tmSeqTitle title;
    rig.Start(title);
    EXPECT_EQ(StepsUntil(rig, title, tmSeqTitle::kLogo, 20), 9);  // after 8 opening steps
    EXPECT_EQ(rig.Count(tmMenuSound::kLogo), 0);
    // The logo's sound on its third step; the logo stands 181 steps, the gap 30.
    EXPECT_EQ(StepsUntil(rig, title, tmSeqTitle::kGap, 400), tmSeqTitle::kLogoSteps + 1);
    EXPECT_EQ(rig.Count(tmMenuSound::kLogo), 1);
    EXPECT_EQ(StepsUntil(rig, title, tmSeqTitle::kTitle, 100), tmSeqTitle::kGapSteps + 1);
    rig.Step();  // the title's entry runs in its first step
    EXPECT_EQ(rig.MusicRow(), tmMusicStream::kTitle);
    // The title waits for decide however long it takes.
    EXPECT_EQ(rig.Steps(3000), 0);
    EXPECT_EQ(title.GetState(), tmSeqTitle::kTitle);
    // The prompt has glided in and pulses.
    const tmSpriteTween* prompt = title.GetElement(tmSeqTitle::kPrompt);
    EXPECT_EQ(prompt->x, 550.0f);
    EXPECT_EQ(prompt->y, 586.0f);
    EXPECT_LT(prompt->pulseAmplitude, 0.0f);
    rig.Finish();
}

TEST(tmSeqTitle, DecideSkipsTheLogoAndTheMenuFollows22StepsLater) {
    MenuRig rig;
    tmSeqTitle title;
    rig.Start(title);
    rig.Steps(40);
    ASSERT_EQ(title.GetState(), tmSeqTitle::kLogo);
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(title.GetState(), tmSeqTitle::kTitle);  // no gap
    EXPECT_EQ(rig.Count(tmMenuSound::kSkip), 1);
    rig.Steps(30);
    const int decideStep = rig.steps + 1;
    rig.input.SetKey(tmKey::kReturn, true);
    EXPECT_EQ(rig.RunToNext(100), kSeqMainMenu);
    EXPECT_EQ(rig.nextStep - decideStep + 1, 22);   // counter 1 to 21, then the leave
    EXPECT_EQ(rig.Count(tmMenuSound::kDecide), 1);  // held decide confirms once
    EXPECT_FALSE(rig.MusicPlaying());
    EXPECT_EQ(title.GetElement(tmSeqTitle::kTitleArt)->targetAlpha, 0.0f);
    rig.Finish();
}

TEST(tmSeqTitle, FromTheDebugMenuTheTitleReturnsToIt) {
    MenuRig rig;
    tmMenuFlow::SetNormalPlay(false);
    tmSeqTitle title;
    rig.Start(title);
    rig.Steps(20);
    rig.Tap(tmKey::kReturn);
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(rig.RunToNext(60), 1);
    tmMenuFlow::SetNormalPlay(true);
    rig.Finish();
}
