// tmRaceChoiceMenuTest.cpp -- the pause and post-race menus: unfolding, wrapping, cancel and the choice read back.
#include <gtest/gtest.h>

#include "content_tables.h"
#include "race/PanelRig.h"
#include "race/tmRaceChoiceMenu.h"
#include "sys/render/tmRenderLayer.h"

namespace {

// Runs steps until the menu reaches `state` (at most `limit` steps); the steps taken.
int RunUntil(PanelRig& rig, tmRaceChoiceMenuBase& menu, uint32_t state, int limit = 40) {
    int n = 0;
    while (menu.state != state && n < limit) {
        rig.Step([&] { menu.Update(); });
        ++n;
    }
    return n;
}

}  // namespace

TEST(tmRaceChoiceMenu, OpensInTenStepsWrapsUpwardAndCancelResumes) {
    PanelRig rig;
    tmRaceChoiceMenu pause;
    EXPECT_EQ(pause.GetItemCount(), 3);
    pause.state = tmRaceChoiceMenuBase::kOpening;
    EXPECT_EQ(RunUntil(rig, pause, tmRaceChoiceMenuBase::kChoosing), 11);  // counters 0..10
    EXPECT_EQ(rig.sounds, std::vector<uint32_t>{tmSoundId::kMenuOpen});
    EXPECT_FLOAT_EQ(pause.GetOpenness(), 1.0f);

    rig.Press(tmKey::kUp, [&] { pause.Update(); });
    EXPECT_EQ(pause.choice, tmRaceChoiceMenu::kQuit);  // up from the first item selects the last
    EXPECT_EQ(rig.Count(tmSoundId::kCursor), 1);
    for (int i = 0; i < 12; ++i) rig.Step([&] { pause.Update(); });
    EXPECT_FLOAT_EQ(pause.GetHighlight(2), 1.0f);
    EXPECT_FLOAT_EQ(pause.GetHighlight(0), 0.0f);

    rig.Press(tmKey::kEscape, [&] { pause.Update(); });  // the cancel action
    EXPECT_EQ(pause.state, tmRaceChoiceMenuBase::kClosing);
    EXPECT_EQ(pause.choice, tmRaceChoiceMenu::kResume);
    EXPECT_EQ(rig.Count(tmSoundId::kMenuClose), 1);
    EXPECT_EQ(RunUntil(rig, pause, tmRaceChoiceMenuBase::kClosed), 11);  // leaves once its counter passes 10
    EXPECT_FALSE(pause.IsActive());
}

TEST(tmRaceChoiceMenu, PostRaceCancelChoosesRetryAndDecideTakesTheCursor) {
    PanelRig rig;
    tmRaceChoiceMenu2 post;
    EXPECT_EQ(post.GetItemCount(), 2);
    post.state = tmRaceChoiceMenuBase::kOpening;
    RunUntil(rig, post, tmRaceChoiceMenuBase::kChoosing);
    rig.Press(tmKey::kDown, [&] { post.Update(); });
    EXPECT_EQ(post.choice, tmRaceChoiceMenu2::kLeave);
    rig.Press(tmKey::kEscape, [&] { post.Update(); });
    EXPECT_EQ(post.choice, tmRaceChoiceMenu2::kRetry);
    RunUntil(rig, post, tmRaceChoiceMenuBase::kClosed);

    post.state = tmRaceChoiceMenuBase::kOpening;
    RunUntil(rig, post, tmRaceChoiceMenuBase::kChoosing);
    rig.Press(tmKey::kDown, [&] { post.Update(); });
    rig.Press(tmKey::kDown, [&] { post.Update(); });  // wraps back to retry
    rig.Press(tmKey::kDown, [&] { post.Update(); });
    rig.Press(tmKey::kReturn, [&] { post.Update(); });
    EXPECT_EQ(post.choice, tmRaceChoiceMenu2::kLeave);
    EXPECT_FLOAT_EQ(post.GetHighlight(1), 1.0f);
    EXPECT_FLOAT_EQ(post.GetHighlight(0), 0.0f);
}

TEST(tmRaceChoiceMenu, ItemsUnfoldFromTheirMiddle) {
    PanelRig rig;
    tmRaceChoiceMenu pause;
    pause.Draw();
    EXPECT_TRUE(rig.draw.sprites.empty());  // folded: nothing drawn
    pause.state = tmRaceChoiceMenuBase::kOpening;
    for (int i = 0; i < 6; ++i) rig.Step([&] { pause.Update(); });  // openness 5 / 10
    rig.draw.Clear();
    pause.Draw();
    const auto labels = rig.draw.SpritesOf(content::SPR_FE_MENU_RESUME);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_FLOAT_EQ(labels[0].scaleY, 0.25f);
    EXPECT_FLOAT_EQ(labels[0].y, 112.0f + 40.0f * 0.75f);
    EXPECT_NEAR(labels[0].alpha, 0.5f, 1e-6);
    EXPECT_EQ(labels[0].placement, tmSpritePlacement::kTopCentre | tmSpritePlacement::kHudScaled);
    EXPECT_TRUE(rig.draw.SpritesOf(content::SPR_FE_MENU_RESUME_ON).empty());  // no highlight yet
}
