// tmSeqMenuDebugTest.cpp -- the debug menu: rows and their ranges, the race set-up it writes, the flow flag.
#include <gtest/gtest.h>

#include "menu/tmMenuFlow.h"
#include "race/PanelRig.h"
#include "test/TestScreenText.h"
#include "test/tmSeqMenuDebug.h"

namespace {

int Press(PanelRig& rig, tmSeqMenuDebug& menu, int key) {
    int next = 0;
    rig.Press(key, [&] {
        const int n = menu.Update();
        if (n) next = n;
    });
    return next;
}

// Confirms the row under the cursor and runs the go page; the id returned.
int Go(PanelRig& rig, tmSeqMenuDebug& menu) {
    int next = Press(rig, menu, tmKey::kReturn);
    for (int i = 0; i < 3 && next == 0; ++i) rig.Step([&] { next = menu.Update(); });
    return next;
}

}  // namespace

TEST(tmSeqMenuDebug, RowsWrapAndValueRangesIncludeTheirEnds) {
    PanelRig rig;
    tmSeqMenuDebug menu;
    menu.Init();
    Press(rig, menu, tmKey::kUp);
    EXPECT_EQ(menu.GetCursor(), 6);  // wraps to EXIT
    Press(rig, menu, tmKey::kDown);
    Press(rig, menu, tmKey::kDown);
    EXPECT_EQ(menu.GetCursor(), 1);  // F-VIEW
    Press(rig, menu, tmKey::kLeft);
    EXPECT_EQ(menu.GetValue(1), 10);  // below the minimum: the maximum, the last machine's display
    Press(rig, menu, tmKey::kRight);
    EXPECT_EQ(menu.GetValue(1), 0);
    Press(rig, menu, tmKey::kRight);
    tmMenuFlow::SetNormalPlay(true);
    EXPECT_EQ(Go(rig, menu), 10);
    EXPECT_FALSE(tmMenuFlow::IsNormalPlay());
    EXPECT_EQ(tmMenuFlow::GetDebugParameter(), 1);
    menu.Term();
}

TEST(tmSeqMenuDebug, TitleEntersNormalPlayAndExitOrEscapeEnds) {
    PanelRig rig;
    {
        tmSeqMenuDebug menu;
        menu.Init();
        for (int i = 0; i < 4; ++i) Press(rig, menu, tmKey::kDown);
        tmMenuFlow::SetNormalPlay(false);
        EXPECT_EQ(Go(rig, menu), kSeqTitle);
        EXPECT_TRUE(tmMenuFlow::IsNormalPlay());
        menu.Term();
    }
    {
        tmSeqMenuDebug menu;
        menu.Init();
        Press(rig, menu, tmKey::kUp);
        EXPECT_EQ(Go(rig, menu), kSeqQuit);
        menu.Term();
    }
    tmSeqMenuDebug menu;
    menu.Init();
    EXPECT_EQ(Press(rig, menu, tmKey::kEscape), kSeqQuit);
    menu.Term();
}

TEST(tmSeqMenuDebug, RaceSetupWritesTheRaceStateAndReachesMachineElevenAndCourseThirteen) {
    PanelRig rig;
    tmConfig::GetInstance().SetGameOption1(2);
    tmConfig::GetInstance().SetGameOption2(5);
    tmSeqMenuDebug menu;
    menu.Init();
    for (int i = 0; i < 3; ++i) Press(rig, menu, tmKey::kDown);  // LOAD
    Press(rig, menu, tmKey::kReturn);
    ASSERT_EQ(menu.GetPage(), tmSeqMenuDebug::kRaceSetup);
    Press(rig, menu, tmKey::kDown);
    Press(rig, menu, tmKey::kRight);  // Ai 1
    Press(rig, menu, tmKey::kDown);
    Press(rig, menu, tmKey::kLeft);  // machine 11
    Press(rig, menu, tmKey::kDown);
    Press(rig, menu, tmKey::kLeft);  // course 13
    EXPECT_EQ(menu.GetSetupValue(tmSeqMenuDebug::kMachine), 11);
    EXPECT_EQ(menu.GetSetupValue(tmSeqMenuDebug::kCourse), 13);
    EXPECT_EQ(Go(rig, menu), kSeqLoading);
    const tmRaceState& rs = tmRaceState::Get();
    EXPECT_EQ(rs.setup.course, 13u);
    EXPECT_EQ(rs.setup.mode, kRaceModeSingle);
    EXPECT_EQ(rs.setup.count, 1u);
    EXPECT_EQ(rs.setup.local, 0u);
    EXPECT_EQ(rs.setup.difficulty, 2u);
    EXPECT_EQ(rs.setup.laps, 5u);
    EXPECT_EQ(rs.entrants[0].machineId, 11u);
    EXPECT_EQ(rs.entrants[0].controllerType, kControllerComputer);
    EXPECT_FALSE(tmMenuFlow::IsNormalPlay());
    menu.Term();
}

TEST(tmSeqMenuDebug, CupModeStartsTheCupButKeepsTheCourseRow) {
    PanelRig rig;
    tmSeqMenuDebug menu;
    menu.Init();
    for (int i = 0; i < 5; ++i) Press(rig, menu, tmKey::kDown);  // MAIN
    Press(rig, menu, tmKey::kReturn);
    Press(rig, menu, tmKey::kRight);  // mode 1
    Press(rig, menu, tmKey::kDown);
    Press(rig, menu, tmKey::kDown);
    Press(rig, menu, tmKey::kRight);  // machine 2
    Press(rig, menu, tmKey::kDown);
    Press(rig, menu, tmKey::kRight);  // course 3
    EXPECT_EQ(Go(rig, menu), kSeqRace);
    const tmRaceState& rs = tmRaceState::Get();
    EXPECT_EQ(rs.setup.mode, kRaceModeCup);
    EXPECT_EQ(rs.setup.course, 3u);
    EXPECT_GT(rs.setup.count, 1u);
    EXPECT_EQ(rs.cup.machineId, 2u);
    EXPECT_EQ(rs.entrants[0].machineId, 2u);
    EXPECT_EQ(rs.entrants[0].controllerType, kControllerPlayer);
    menu.Term();
}

TEST(tmSeqMenuDebug, EscapeOnTheSetupPageGoesBackToTheList) {
    PanelRig rig;
    tmSeqMenuDebug menu;
    menu.Init();
    for (int i = 0; i < 3; ++i) Press(rig, menu, tmKey::kDown);
    Press(rig, menu, tmKey::kReturn);
    EXPECT_EQ(Press(rig, menu, tmKey::kEscape), 0);
    EXPECT_EQ(menu.GetPage(), tmSeqMenuDebug::kList);
    menu.Term();
}

TEST(tmSeqMenuDebug, TextIsInItsOwnFontSizeWhoeverMadeTheFont) {
    testscreens::TextDevice text;
    PanelRig rig;
    ASSERT_EQ(tmDxFont::Create(20, true), 0);  // as a race display leaves it
    const int found = tmDxFont::GetInstance()->GetHeight();
    tmSeqMenuDebug menu;
    menu.Init();
    EXPECT_EQ(tmDxFont::GetInstance()->GetHeight(), 14);  // fits its 16-pixel rows
    menu.Term();
    ASSERT_NE(tmDxFont::GetInstance(), nullptr);
    EXPECT_EQ(tmDxFont::GetInstance()->GetHeight(), found);
    tmDxFont::Destroy();
    menu.Init();
    EXPECT_NE(tmDxFont::GetInstance(), nullptr);
    menu.Term();
    EXPECT_EQ(tmDxFont::GetInstance(), nullptr) << "the font the menu made goes with it";
}
