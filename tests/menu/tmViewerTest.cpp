// tmViewerTest.cpp -- the record viewer's marks (ties, no time) and course cursor; the trophy viewer's count and
// its counter in the head, scrolling limits, new trophies marked seen, and items entering and leaving from alternate
// sides.
#include <gtest/gtest.h>

#include <vector>

#include "app/tmConfig.h"
#include "content_tables.h"
#include "menu/MenuRig.h"
#include "menu/tmMenuCommon.h"
#include "menu/tmSeqRecordViewer.h"
#include "menu/tmSeqTrophyViewer.h"

TEST(RecordViewer, WithoutTimesEveryMachineIsMarked) {
    MenuRig rig;
    tmSeqRecordViewer screen;
    rig.Start(screen);
    rig.Step();
    EXPECT_EQ(screen.GetCourse(), 3u);
    for (uint32_t m = 1; m <= 11; ++m) {
        EXPECT_TRUE(screen.HasRaceMark(m)) << m;
        EXPECT_TRUE(screen.HasLapMark(m)) << m;
        EXPECT_EQ(screen.BarOf(m), uint32_t(content::SPR_RV_BAR_MACHINE_BEST)) << m;
    }
    EXPECT_EQ(rig.MusicRow(), tmMusicStream::kViewers);
    rig.Finish();
}

TEST(RecordViewer, TiesShareTheMarkAndTheCursorWraps) {
    MenuRig rig;
    tmConfig& cfg = tmConfig::GetInstance();
    // Course 9 (second in the order): machines 2 and 7 tie on the lap, machine 4 holds the race.
    cfg.UpdateCourseRecord(40000, 9, 2);
    cfg.UpdateCourseRecord(40000, 9, 7);
    cfg.UpdateCourseRecord(41000, 9, 3);
    cfg.UpdateRecord(125000, 3, 9, 4);
    cfg.UpdateRecord(126000, 3, 9, 2);
    tmSeqRecordViewer screen;
    rig.Start(screen);
    rig.Tap(tmKey::kRight);  // the cursor moves during the opening too
    EXPECT_EQ(screen.GetCourse(), 9u);
    EXPECT_TRUE(screen.HasLapMark(2));
    EXPECT_TRUE(screen.HasLapMark(7));
    EXPECT_FALSE(screen.HasLapMark(3));
    EXPECT_FALSE(screen.HasLapMark(4));
    EXPECT_TRUE(screen.HasRaceMark(4));
    EXPECT_FALSE(screen.HasRaceMark(2));
    EXPECT_EQ(screen.BarOf(2), uint32_t(content::SPR_RV_BAR_MACHINE_LAPBEST));
    EXPECT_EQ(screen.BarOf(4), uint32_t(content::SPR_RV_BAR_MACHINE_TOTALBEST));
    EXPECT_EQ(screen.BarOf(5), uint32_t(content::SPR_RV_BAR_MACHINE_BASE));
    rig.Tap(tmKey::kLeft);
    rig.Tap(tmKey::kLeft);
    EXPECT_EQ(screen.GetCourse(), 13u);  // wraps to the last
    EXPECT_EQ(rig.Count(tmMenuSound::kCursor), 3);
    rig.Tap(tmKey::kBackspace);
    EXPECT_EQ(rig.RunToNext(100), kSeqMainMenu);
    EXPECT_EQ(rig.Count(tmMenuSound::kLeave), 1);
    rig.Finish();
}

TEST(TrophyViewer, CountSeenMarksAndDescriptions) {
    MenuRig rig;
    tmConfig& cfg = tmConfig::GetInstance();
    for (int i : {0, 5, 33, 50, 96}) cfg.Unlock(i);
    cfg.MarkSeen(5);
    tmSeqTrophyViewer screen;
    rig.Start(screen);
    EXPECT_EQ(screen.CountUnlocked(), 5);
    EXPECT_EQ(cfg.GetUnlockState(0), 2);  // new trophies are seen once listed
    EXPECT_EQ(cfg.GetUnlockState(96), 2);
    EXPECT_EQ(cfg.GetUnlockState(1), 0);
    // Items enter alternately from the right and the left and leave the other way.
    EXPECT_EQ(screen.GetItem(0)->x, 1408.0f);
    EXPECT_EQ(screen.GetItem(1)->x, -920.0f);
    EXPECT_EQ(screen.GetItem(0)->spriteId, uint32_t(content::SPR_TV_BAR_BASE_ON_A));
    EXPECT_EQ(screen.GetItem(1)->spriteId, uint32_t(content::SPR_TV_BAR_BASE_OFF_A));
    // Titles by id, descriptions with the level trophies sharing one.
    EXPECT_EQ(tmSeqTrophyViewer::TitleSprite(33), uint32_t(content::SPR_TI_STR_TITLE_CMN_TEATIME));
    EXPECT_EQ(tmSeqTrophyViewer::DescriptionSprite(0), uint32_t(content::SPR_TV_STR_INFO_MCN_TORVIN_1WIN));
    EXPECT_EQ(tmSeqTrophyViewer::DescriptionSprite(33), uint32_t(content::SPR_TV_STR_INFO_CMN_TEATIME));
    EXPECT_EQ(tmSeqTrophyViewer::DescriptionSprite(44), tmSeqTrophyViewer::DescriptionSprite(52));
    EXPECT_NE(tmSeqTrophyViewer::DescriptionSprite(53), tmSeqTrophyViewer::DescriptionSprite(52));
    EXPECT_EQ(tmSeqTrophyViewer::DescriptionSprite(96), uint32_t(content::SPR_TV_CNT_FONT3_ON) - 1);
    rig.Steps(61);
    rig.Tap(tmKey::kReturn);
    rig.Step();
    EXPECT_EQ(screen.GetItem(0)->targetX, -920.0f);
    EXPECT_EQ(screen.GetItem(1)->targetX, 1408.0f);
    EXPECT_EQ(rig.RunToNext(100), kSeqMainMenu);
    rig.Finish();
}

TEST(TrophyViewer, HeldKeysScroll40AStepAndStopAtTheEnds) {
    MenuRig rig;
    tmSeqTrophyViewer screen;
    rig.Start(screen);
    rig.Steps(61);
    rig.input.SetKey(tmKey::kUp, true);
    rig.Steps(3);
    EXPECT_EQ(screen.GetScroll(), 0.0f);
    rig.input.SetKey(tmKey::kUp, false);
    rig.input.SetKey(tmKey::kDown, true);
    rig.Steps(5);
    EXPECT_EQ(screen.GetScroll(), 200.0f);
    rig.Steps(400);
    EXPECT_EQ(screen.GetScroll(), tmSeqTrophyViewer::kScrollMax);
    rig.input.SetKey(tmKey::kDown, false);
    rig.Steps(40);
    EXPECT_FLOAT_EQ(screen.GetItem(96)->y, 551.0f);  // the last trophy in view
    rig.Finish();
}

// The head counts the trophies won: one or two lit digits before the unlit "97", and the completion
// mark alone once all 97 are won.
TEST(TrophyViewer, TheCounterShowsTheWonCountOrTheCompletionMark) {
    const uint32_t on[10] = {content::SPR_TV_CNT_FONT0_ON, content::SPR_TV_CNT_FONT1_ON, content::SPR_TV_CNT_FONT2_ON,
                             content::SPR_TV_CNT_FONT3_ON, content::SPR_TV_CNT_FONT4_ON, content::SPR_TV_CNT_FONT5_ON,
                             content::SPR_TV_CNT_FONT6_ON, content::SPR_TV_CNT_FONT7_ON, content::SPR_TV_CNT_FONT8_ON,
                             content::SPR_TV_CNT_FONT9_ON};
    for (int won : {0, 7, 12, 96, 97}) {
        MenuRig rig;
        for (int i = 0; i < won; ++i) tmConfig::GetInstance().Unlock(i);
        tmSeqTrophyViewer screen;
        rig.Start(screen);
        rig.Steps(70);
        rig.draw.Clear();
        rig.Step();
        // Counter sprites in the head (trophy rows are drawn further down).
        auto inHead = [&](uint32_t id) {
            std::vector<DrawLog::Sprite> out;
            for (const DrawLog::Sprite& s : rig.draw.SpritesOf(int(id)))
                if (s.y < 60.0f) out.push_back(s);
            return out;
        };
        const auto complete = inHead(content::SPR_TV_CNT_COMP);
        const auto nine = inHead(content::SPR_TV_CNT_FONT9_OFF);
        int lit = 0;
        for (uint32_t id : on) lit += int(inHead(id).size());
        if (won == 97) {
            EXPECT_EQ(complete.size(), 1u);
            EXPECT_TRUE(nine.empty());
            EXPECT_EQ(lit, 0);
        } else {
            EXPECT_TRUE(complete.empty()) << won;
            ASSERT_EQ(nine.size(), 1u) << won;
            EXPECT_EQ(inHead(content::SPR_TV_CNT_FONT7_OFF).size(), 1u) << won;
            EXPECT_EQ(lit, won >= 10 ? 2 : 1) << won;
            const auto units = inHead(on[won % 10]);
            ASSERT_FALSE(units.empty()) << won;
            EXPECT_FLOAT_EQ(units.back().x, nine[0].x - 32.0f) << won;  // the units right before "97"
            if (won >= 10) {
                const auto tens = inHead(on[won / 10]);
                ASSERT_FALSE(tens.empty()) << won;
                EXPECT_FLOAT_EQ(tens.front().x, nine[0].x - 48.0f) << won;
            }
        }
        rig.Finish();
    }
}
