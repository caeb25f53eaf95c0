// tmSeqLoadingCourseTest.cpp -- the loading screen's 63 steps, the groups it loads and the labels it shows.
#include <gtest/gtest.h>

#include <set>

#include "content_tables.h"
#include "menu/tmSeqLoadingCourse.h"
#include "menu/tmSpriteTween.h"
#include "race/PanelRig.h"
#include "table/CourseTable.h"
#include "table/MachineTable.h"
#include "table/yiResourceGroup.h"

namespace {

// Runs the screen until it returns an id; the id and the steps it took.
std::pair<int, int> RunScreen(PanelRig& rig, tmSeqLoadingCourse& screen) {
    int next = 0, steps = 0;
    while (next == 0 && steps < 200) {
        rig.Step([&] { next = screen.Update(); });
        ++steps;
    }
    return {next, steps};
}

std::set<int> GroupsOf(uint32_t machine) {
    const MachineSpec* spec = GetMachineSpec(static_cast<int>(machine));
    std::set<int> g{spec->bankGroup};
    if (spec->secondBankGroup != -1) g.insert(spec->secondBankGroup);
    return g;
}

}  // namespace

TEST(tmSeqLoadingCourse, LoadsInStepThirtyOneAndLeavesOnStepSixtyThree) {
    PanelRig rig;
    yiResourceGroup::ResetState();
    tmRaceState& rs = tmRaceState::Get();
    rs.setup.course = 4;
    rs.setup.mode = kRaceModeSingle;
    rs.setup.count = 3;
    for (int i = 0; i < 3; ++i) rs.entrants[i].machineId = 7;  // one machine, three times
    tmSeqLoadingCourse screen;
    screen.Init();
    for (int i = 0; i < tmSeqLoadingCourse::kShowSteps; ++i) rig.Step([&] { EXPECT_EQ(screen.Update(), 0); });
    EXPECT_FALSE(yiResourceGroup::IsLoaded(32));
    const auto [next, steps] = RunScreen(rig, screen);
    EXPECT_EQ(next, kSeqRace);
    EXPECT_EQ(steps + tmSeqLoadingCourse::kShowSteps, 63);
    std::set<int> expected{GetCourseRecord(4)->groupId, 32};
    for (int g : GroupsOf(7)) expected.insert(g);
    for (int id = 0; id < kResourceGroupCount; ++id)
        EXPECT_EQ(yiResourceGroup::IsLoaded(id), expected.count(id) == 1) << id;
    screen.Term();
    yiResourceGroup::ResetState();
}

TEST(tmSeqLoadingCourse, NetworkRacesLoadEveryMachineAndGoToTheWaitingRoom) {
    PanelRig rig;
    yiResourceGroup::ResetState();
    tmRaceState& rs = tmRaceState::Get();
    rs.setup.course = 2;
    rs.setup.mode = kRaceModeDirect;
    rs.setup.count = 1;
    tmSeqLoadingCourse screen;
    screen.Init();
    EXPECT_EQ(RunScreen(rig, screen).first, kSeqJoinRace);
    for (uint32_t m = kFirstMachineId; m <= kLastMachineId; ++m)
        for (int g : GroupsOf(m)) EXPECT_TRUE(yiResourceGroup::IsLoaded(g)) << m;
    screen.Term();
    yiResourceGroup::ResetState();
}

TEST(tmSeqLoadingCourse, LabelsOfCupsAndCoursesAndTheBoard) {
    PanelRig rig;
    tmRaceState& rs = tmRaceState::Get();
    ASSERT_TRUE(rs.StartCup(1, 3, 0));
    rs.cup.raceIndex = tmRaceState::GetCup(1)->raceCount - 1;
    rs.SetupCupRace();
    {
        tmSeqLoadingCourse screen;
        screen.Init();
        EXPECT_EQ(screen.GetCupLabelIndex(), 7u);  // the final, whatever the index
        const tmSpriteTween* label = screen.GetElement(tmSeqLoadingCourse::kCupLabel);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->spriteId, content::SPR_LC_INFOBAR_STR_RACE_FINAL);
        EXPECT_EQ(label->secondSpriteId, tmSeqLoadingCourse::CourseLabel(rs.setup.course));
        EXPECT_EQ(screen.GetElement(tmSeqLoadingCourse::kCourseLabel), nullptr);
        EXPECT_FLOAT_EQ(screen.GetElement(tmSeqLoadingCourse::kInfoBar)->scaleX, 22.34375f);
        screen.Term();
    }
    rs.cup.raceIndex = 1;
    {
        tmSeqLoadingCourse screen;
        screen.Init();
        EXPECT_EQ(screen.GetElement(tmSeqLoadingCourse::kCupLabel)->spriteId, content::SPR_LC_INFOBAR_STR_RACE02);
        screen.Term();
    }
    PanelRig garage;  // a course without a board: no board sprites, the bar and label still come
    tmRaceState::Get().setup.course = 1;
    tmSeqLoadingCourse screen;
    screen.Init();
    EXPECT_EQ(screen.GetElement(tmSeqLoadingCourse::kBoard), nullptr);
    EXPECT_EQ(screen.GetElement(tmSeqLoadingCourse::kBoardCopy), nullptr);
    EXPECT_NE(screen.GetElement(tmSeqLoadingCourse::kInfoBar), nullptr);
    EXPECT_NE(screen.GetElement(tmSeqLoadingCourse::kCourseLabel), nullptr);
    screen.Term();
    EXPECT_EQ(tmSeqLoadingCourse::BoardSprite(8), static_cast<uint32_t>(content::SPR_BOARD_SPAIN_REV));
    EXPECT_EQ(tmSeqLoadingCourse::CourseSpriteGroup(13), 4);
}
