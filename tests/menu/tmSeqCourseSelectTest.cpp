// tmSeqCourseSelectTest.cpp -- the course select: the strip's wrap, the held-back display, the leave and the
// race-state writes on decide and cancel in single and direct network races; course 2's panel record, drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/tmConfig.h"
#include "content_tables.h"
#include "menu/MenuRig.h"
#include "menu/tmCourseSelectFrontend.h"
#include "menu/tmMenuCommon.h"
#include "menu/tmSeqCourseSelect.h"
#include "race/tmRaceState.h"
#include "table/ScreenLayoutTables.h"

namespace {
class CourseSelect : public ::testing::Test {
protected:
    void SetUp() override {
        tmConfig::GetInstance().SetGameOption1(2);
        tmConfig::GetInstance().SetGameOption2(5);
    }
    void Start(uint32_t mode) {
        tmRaceState::Get().setup.mode = mode;
        tmRaceState::Get().setup.count = 9;
        rig.Start(screen);
    }
    void TearDown() override { rig.Finish(); }
    MenuRig rig;
    tmSeqCourseSelect screen;
};
}  // namespace

TEST_F(CourseSelect, TheStripWrapsBothWays) {
    Start(kRaceModeSingle);
    rig.Step();
    rig.Tap(tmKey::kLeft);
    EXPECT_EQ(screen.GetCursor(), 11);
    EXPECT_EQ(tmSeqCourseSelect::kOrder[11], 11u);
    rig.Tap(tmKey::kRight);
    EXPECT_EQ(screen.GetCursor(), 0);
    EXPECT_EQ(tmSeqCourseSelect::kOrder[0], 3u);
    // Each move plays both of its sounds.
    EXPECT_EQ(rig.Count(tmMenuSound::kCursor), 2);
    EXPECT_EQ(rig.Count(tmMenuSound::kSkip), 2);
}

TEST_F(CourseSelect, TheDisplayFollowsOnlyAfterTheFirst21Steps) {
    Start(kRaceModeSingle);
    rig.Step();
    rig.Tap(tmKey::kRight);  // course 2
    const tmCourseSelectFrontend* fe = screen.GetFrontend();
    EXPECT_EQ(fe->GetShownCourse(), 3u);
    EXPECT_EQ(fe->GetPiece(3, tmCourseSelectFrontend::kMap)->targetAlpha, 1.0f);  // the first course shows
    rig.Steps(20);
    EXPECT_EQ(fe->GetShownCourse(), 2u);
    EXPECT_EQ(fe->GetPiece(2, tmCourseSelectFrontend::kMap)->targetX, 311.0f);
    EXPECT_EQ(fe->GetPiece(3, tmCourseSelectFrontend::kMap)->targetAlpha, 0.0f);
    // The strip slides the chosen icon to x 460.
    EXPECT_EQ(fe->GetPiece(2, tmCourseSelectFrontend::kIcon)->targetX, 460.0f);
    EXPECT_EQ(fe->GetPiece(3, tmCourseSelectFrontend::kIcon)->targetX, 350.0f);
}

TEST_F(CourseSelect, DecideWritesTheCourseAndSetUpAndLeavesForTheMachineSelect) {
    Start(kRaceModeSingle);
    rig.Steps(25);
    rig.Tap(tmKey::kRight);
    rig.Tap(tmKey::kRight);  // course 4
    const int decide = rig.steps + 1;
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(rig.RunToNext(100), kSeqMachineSelect);
    EXPECT_EQ(rig.nextStep - decide, 31);  // the leave starts on the step after the decide, 30 more follow
    const tmRaceSetup& s = tmRaceState::Get().setup;
    EXPECT_EQ(s.course, 4u);
    EXPECT_EQ(s.count, 1u);
    EXPECT_EQ(s.difficulty, 2u);
    EXPECT_EQ(s.laps, 5u);
    EXPECT_EQ(s.mode, uint32_t(kRaceModeSingle));
    EXPECT_TRUE(rig.MusicPlaying());  // the select music goes on into the machine select
}

TEST_F(CourseSelect, CancelStillWritesTheCourseUnderTheCursor) {
    Start(kRaceModeSingle);
    rig.Steps(3);
    rig.Tap(tmKey::kLeft);  // course 11
    rig.Tap(tmKey::kBackspace);
    EXPECT_EQ(rig.RunToNext(100), kSeqMainMenu);
    EXPECT_TRUE(screen.IsCancelled());
    EXPECT_EQ(tmRaceState::Get().setup.course, 11u);
    EXPECT_EQ(tmRaceState::Get().setup.laps, 5u);
    EXPECT_FALSE(rig.MusicPlaying());
    EXPECT_EQ(rig.Count(tmMenuSound::kBack), 1);
}

TEST_F(CourseSelect, TheDirectNetworkHostWritesOnlyTheCourseAndGoesToLoading) {
    tmRaceState::Get().setup.laps = 3;
    tmRaceState::Get().setup.difficulty = 0;
    Start(kRaceModeDirect);
    rig.Steps(3);
    rig.Tap(tmKey::kRight);
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(rig.RunToNext(100), kSeqLoading);
    const tmRaceSetup& s = tmRaceState::Get().setup;
    EXPECT_EQ(s.course, 2u);
    EXPECT_EQ(s.count, 9u);
    EXPECT_EQ(s.laps, 3u);
    EXPECT_EQ(s.difficulty, 0u);
    EXPECT_FALSE(rig.MusicPlaying());
}

TEST_F(CourseSelect, FromTheDebugMenuItReturnsToIt) {
    tmMenuFlow::SetNormalPlay(false);
    Start(kRaceModeSingle);
    rig.Step();
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(rig.RunToNext(100), 1);
    tmMenuFlow::SetNormalPlay(true);
}

// Course 2's record is filled like the others: its map, difficulty, information, board, icon and
// the direction arrow as the part, drawn at full alpha.
TEST(CourseSelectTable, CourseTwoHasItsPanelAndArrow) {
    const CourseSelectRecord& r = CourseSelectTable[2];
    EXPECT_EQ(r.layoutMap, uint32_t(content::SPR_CS_LAYOUT_SPAIN));
    EXPECT_EQ(r.difficulty, uint32_t(content::SPR_CS_DIFFICULTY_2));
    EXPECT_EQ(r.information, uint32_t(content::SPR_CS_INFO_SPAIN2022));
    EXPECT_EQ(r.spriteGroup, 9u);
    EXPECT_EQ(r.board, uint32_t(content::SPR_BOARD_SPAIN));
    EXPECT_EQ(r.stripIcon, uint32_t(content::SPR_CS_ICON_SPAIN2022));
    EXPECT_EQ(r.stripX, -61.0f);
    EXPECT_EQ(r.partSprite, uint32_t(content::SPR_CS_ARROW_LEFT));
    EXPECT_EQ(r.partOffsetX, 321.0f);
    EXPECT_EQ(r.partOffsetY, 454.0f);
    EXPECT_EQ(r.partAlpha, 1.0f);
    // Every list position has its strip place 110 apart, and the reverses point the other way.
    for (int k = 0; k < tmSeqCourseSelect::kCourseCount; ++k) {
        const CourseSelectRecord& c = CourseSelectTable[tmSeqCourseSelect::kOrder[k]];
        EXPECT_EQ(c.stripX, -171.0f + 110.0f * k) << k;
        EXPECT_EQ(c.partSprite, uint32_t(k < 6 ? content::SPR_CS_ARROW_LEFT : content::SPR_CS_ARROW_RIGHT)) << k;
        EXPECT_NE(c.layoutMap, 0u) << k;
    }
}

// Chosen, course 2 shows its own map, information and board, with the arrow part over the map at full
// alpha (a part alpha of 0 would leave it invisible).
TEST_F(CourseSelect, CourseTwoIsDrawnWithItsArrow) {
    Start(kRaceModeSingle);
    rig.Step();
    rig.Tap(tmKey::kRight);
    rig.Steps(60);  // the display has followed and the tweens have settled
    rig.draw.Clear();
    rig.Step();
    const std::vector<DrawLog::Sprite> maps = rig.draw.SpritesOf(content::SPR_CS_LAYOUT_SPAIN);
    ASSERT_EQ(maps.size(), 1u);
    EXPECT_NEAR(maps[0].x, 311.0f, 0.5f);
    EXPECT_NEAR(maps[0].alpha, 1.0f, 0.02f);
    EXPECT_EQ(rig.draw.SpritesOf(content::SPR_CS_INFO_SPAIN2022).size(), 1u);
    EXPECT_EQ(rig.draw.SpritesOf(content::SPR_BOARD_SPAIN).size(), 1u);
    bool arrow = false;
    for (const DrawLog::Sprite& s : rig.draw.SpritesOf(content::SPR_CS_ARROW_LEFT))
        if (std::fabs(s.x - (maps[0].x + 321.0f)) < 0.5f && std::fabs(s.y - (maps[0].y + 454.0f)) < 0.5f)
            arrow = s.alpha > 0.98f;
    EXPECT_TRUE(arrow) << "course 2's arrow is not drawn over its map";
}
