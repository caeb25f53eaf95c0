// tmFrontendTest.cpp -- the race display on recorded draw lists: countdown sounds, messages, notices, fade, limits.
#include "frontend/tmFrontend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/tmConfig.h"
#include "content_tables.h"
#include "frontend/DrawLog.h"
#include "frontend/tmFrontendCommon.h"
#include "machine/tmSimSound.h"

namespace {

// Keeps the sounds the display starts, with the update they came in.
class SoundLog : public tmSimSound {
public:
    SoundLog() { tmSimSound::Set(this); }
    ~SoundLog() override { tmSimSound::Set(nullptr); }
    int Play(uint32_t id) override {
        played.push_back({id, step});
        return 1;
    }
    void Stop(int) override {}
    struct Played {
        uint32_t id;
        int step;
    };
    std::vector<Played> played;
    int step = 0;
};

int CountSprite(const DrawLog& log, int slot) {
    return static_cast<int>(std::count_if(log.sprites.begin(), log.sprites.end(),
                                          [slot](const DrawLog::Sprite& s) { return s.slot == slot; }));
}

TEST(Hud, CountdownBeepsAtEachStepThenPlaysTheStart) {
    DrawLog log;
    SoundLog sounds;
    tmFrontendCommon common;
    common.Init();
    tmHudLapRecord lap;
    tmHudMachineRecord machine;
    tmGaugeArray rows;
    // 180 logic steps of 16.666 ms from 3000 ms down to 0, as the race converts its frame count.
    for (int frame = 180; frame >= 0; --frame) {
        lap.countdown = static_cast<int32_t>(frame * 16.666666f);
        sounds.step = lap.countdown;
        common.Update(lap, machine, rows);
    }
    ASSERT_EQ(sounds.played.size(), 4u);
    const int below[3] = {2250, 1500, 750};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sounds.played[i].id, tmFrontendCommon::kCountdownSound);
        EXPECT_LT(sounds.played[i].step, below[i]);
        EXPECT_GE(sounds.played[i].step, below[i] - 17);  // on the first step below the mark
    }
    EXPECT_EQ(sounds.played[3].id, tmFrontendCommon::kStartSound);
    EXPECT_EQ(sounds.played[3].step, 0);
    EXPECT_EQ(common.GetCountdownStep(), 0);
    // Reset arms the countdown again; a countdown already at zero sounds the start once.
    common.Reset();
    EXPECT_EQ(common.GetCountdownStep(), 4);
    lap.countdown = 0;
    common.Update(lap, machine, rows);
    common.Update(lap, machine, rows);
    EXPECT_EQ(sounds.played.size(), 5u);
    common.Release();
}

TEST(Hud, TheLargestMessageShowsForOneFrame) {
    DrawLog log;
    tmFrontend hud;
    hud.Init(1);
    hud.ShowMessage(3);
    hud.ShowMessage(1);
    EXPECT_EQ(hud.GetCommon()->GetMessage(), 3);
    hud.Draw();
    EXPECT_EQ(CountSprite(log, content::SPR_FE_MSG_FRAME_L), 1);
    EXPECT_EQ(CountSprite(log, content::SPR_FE_MSG_ICON_LINK), 1);
    EXPECT_EQ(CountSprite(log, content::SPR_FE_MSG_ICON_INFO), 0);
    EXPECT_EQ(hud.GetCommon()->GetMessage(), 0);
    log.Clear();
    hud.Draw();
    EXPECT_EQ(CountSprite(log, content::SPR_FE_MSG_FRAME_L), 0);
    // An id beyond the table shows its last entry rather than reading past it.
    hud.ShowMessage(40);
    hud.Draw();
    EXPECT_EQ(CountSprite(log, content::SPR_FE_MSG_ICON_LINK), 1);
}

TEST(Hud, CockpitByMachineIdAndNoneOutsideTheRange) {
    DrawLog log;
    EXPECT_EQ(tmFrontendMachine::FamilyOf(2), 1);
    EXPECT_EQ(tmFrontendMachine::FamilyOf(10), 1);
    EXPECT_EQ(tmFrontendMachine::FamilyOf(11), 1);
    const int families[12] = {-1, 0, 1, 2, 2, 3, 3, 4, 4, 5, 1, 1};
    for (int id = 0; id < 12; ++id) EXPECT_EQ(tmFrontendMachine::FamilyOf(id), families[id]) << id;
    EXPECT_EQ(tmFrontendMachine::FamilyOf(12), -1);
    for (int id : {0, 12}) {
        SCOPED_TRACE(id);
        tmFrontend hud;
        hud.Init(id);
        EXPECT_EQ(hud.GetCockpit(), nullptr);
        hud.SetFinished();
        tmHudMachineRecord m;
        tmHudLapRecord lap;
        tmGaugeArray rows;
        for (int i = 0; i < 60; ++i) hud.Update(m, lap, rows);
        log.Clear();
        hud.Draw();
        // The common part draws; no cockpit model is queued.
        EXPECT_GE(CountSprite(log, content::SPR_FE_TIME_BASE), 1);
        EXPECT_TRUE(std::none_of(log.models.begin(), log.models.end(),
                                 [](const DrawLog::Model& md) { return md.layer == tmRenderLayer::kOverlay; }));
    }
    tmFrontend belmar;
    belmar.Init(11);
    ASSERT_NE(belmar.GetCockpit(), nullptr);
    EXPECT_EQ(belmar.GetCockpit()->GetTables(), CockpitTableList[1]);
}

TEST(Hud, FadeJumpsOrMovesTwentyUpdates) {
    DrawLog log;
    tmFrontend hud;
    hud.Init(1);
    hud.SetVisible(true, true);
    EXPECT_EQ(hud.GetCommon()->GetFade(), 1.0f);
    hud.SetVisible(false, true);
    EXPECT_EQ(hud.GetCommon()->GetFade(), 0.0f);
    log.Clear();
    hud.Draw();
    EXPECT_EQ(CountSprite(log, 22), 0);
    hud.SetVisible(true, false);
    tmHudMachineRecord m;
    tmHudLapRecord lap;
    tmGaugeArray rows;
    for (int i = 0; i < 19; ++i) hud.Update(m, lap, rows);
    EXPECT_LT(hud.GetCommon()->GetFade(), 1.0f);
    hud.Update(m, lap, rows);
    EXPECT_FLOAT_EQ(hud.GetCommon()->GetFade(), 1.0f);
    // Hidden display elements: the fade is still drawn, over the whole window whatever its shape.
    hud.SetShown(false);
    for (const int width : {1366, 1024}) {
        DrawLog window(width, 768);
        hud.Draw();
        ASSERT_EQ(CountSprite(window, 22), 1);
        ASSERT_EQ(window.sprites.size(), 1u);
        const DrawLog::Sprite& fade = window.sprites[0];
        EXPECT_EQ(fade.placement, tmSpritePlacement::kTopLeft);
        EXPECT_LE(fade.x, 0.0f);
        EXPECT_LE(fade.y, 0.0f);
        EXPECT_GE(fade.x + 16.0f * fade.scaleX, float(width));
        EXPECT_GE(fade.y + 16.0f * fade.scaleY, 768.0f);
        EXPECT_EQ(fade.colour, 0xFF000000u);
    }
}

TEST(Hud, NoticeGoesToTheFirstRowInEntrantOrder) {
    DrawLog log;
    tmFrontendCommon common;
    common.Init();
    tmHudLapRecord lap;
    tmHudMachineRecord machine;
    tmGaugeArray rows;
    rows.count = 4;
    rows.player = 1;
    rows.rows[1].raceDone = 1;  // the player's own row is never announced
    rows.SetName(2, "SECOND");
    rows.rows[2].lapDone = 1;
    rows.SetName(3, "THIRD");
    rows.rows[3].raceDone = 1;
    common.Update(lap, machine, rows);
    EXPECT_EQ(common.GetNoticeTimer(), 1);
    EXPECT_STREQ(common.GetNoticeRow().name, "SECOND");
    rows.rows[2].lapDone = 0;
    rows.rows[3].raceDone = 0;
    for (int i = 0; i < 118; ++i) common.Update(lap, machine, rows);
    EXPECT_EQ(common.GetNoticeTimer(), 119);
    common.Update(lap, machine, rows);
    common.Update(lap, machine, rows);
    EXPECT_EQ(common.GetNoticeTimer(), 0);  // the third row's flag was gone: never announced
    // A flag still set when a notice ends starts the next one in the same update.
    rows.rows[3].raceDone = 1;
    common.Update(lap, machine, rows);
    EXPECT_STREQ(common.GetNoticeRow().name, "THIRD");
    common.Release();
}

TEST(Hud, NamesAreTerminatedWithinTheirSeventeenBytes) {
    DrawLog log;
    tmFrontendCommon common;
    common.Init();
    tmHudLapRecord lap;
    tmHudMachineRecord machine;
    tmGaugeArray rows;
    rows.count = 2;
    std::memset(rows.rows[1].name, 'X', sizeof rows.rows[1].name);  // no terminator at all
    rows.rows[1].lapDone = 1;
    common.Update(lap, machine, rows);
    EXPECT_EQ(common.GetNoticeRow().name[tmGaugeRow::kNameSize - 1], '\0');
    EXPECT_EQ(std::strlen(common.GetNoticeRow().name), 16u);
    // A row count beyond the table is held to it.
    rows.count = 99;
    common.Update(lap, machine, rows);
    common.Draw();
    common.Release();
}

TEST(Hud, LapListShowsOnlyTheLapTimesItHolds) {
    DrawLog log;
    tmConfig::GetInstance().SetGameFlag3(0);
    tmFrontendCommon common;
    common.Init();
    common.SetFinished();
    tmHudMachineRecord machine;
    tmGaugeArray rows;
    tmHudLapRecord lap;
    lap.lapTotal = 32;
    lap.lapsDone = 20;
    for (uint32_t& t : lap.lapTimes) t = 30000;
    lap.raceTime = 20 * 30000 + 1234;
    for (int i = 0; i < 60; ++i) common.Update(lap, machine, rows);
    log.Clear();
    common.Draw();
    // Laps 19 to 21 would be listed: none of them is held, so the rows draw nothing.
    EXPECT_EQ(CountSprite(log, content::SPR_FE_FONT_SMALL) - 4 * 8, 0) << "only the four record times";
    // With 16 laps done, lap 16 is listed from the record and lap 17 runs.
    lap.lapsDone = 16;
    lap.raceTime = 16 * 30000 + 1234;
    common.Update(lap, machine, rows);
    log.Clear();
    common.Draw();
    EXPECT_EQ(CountSprite(log, content::SPR_FE_FONT_SMALL) - 4 * 8, 3 * (2 + 8));
    common.Release();
}

TEST(Hud, RankAndLapCounterDigits) {
    DrawLog log;
    tmConfig::GetInstance().SetGameFlag3(0);
    tmFrontendCommon common;
    common.Init();
    common.SetFinished();
    tmHudMachineRecord machine;
    tmGaugeArray rows;
    tmHudLapRecord lap;
    lap.lapTotal = 10;
    lap.rank = 9;
    for (int i = 0; i < 60; ++i) common.Update(lap, machine, rows);
    log.Clear();
    common.Draw();
    // Rank 10 in two digits, current lap and total lap in two digits each.
    EXPECT_EQ(CountSprite(log, content::SPR_FE_FONT_LARGE), 6);
    lap.rank = 2;
    common.Update(lap, machine, rows);
    log.Clear();
    common.Draw();
    const std::vector<DrawLog::Sprite> large = log.SpritesOf(content::SPR_FE_FONT_LARGE);
    ASSERT_EQ(large.size(), 5u);
    EXPECT_EQ(large[0].x, RaceDisplayLayout.rankX + 12.0f);  // one digit, moved right
    common.Release();
}

TEST(Hud, PhasesFollowTheirDurationSums) {
    const HudPhase phases[3] = {{0.0f, 10}, {1.0f, 20}, {-1.0f, 10}};
    const float starts[4] = {0, 10, 30, 40};
    float v = -1;
    EXPECT_EQ(tmFrontendCommon::Phase(starts, phases, 3, 5.0f, &v), 0);
    EXPECT_FLOAT_EQ(v, 0.5f);
    EXPECT_EQ(tmFrontendCommon::Phase(starts, phases, 3, 29.0f, &v), 1);
    EXPECT_FLOAT_EQ(v, 1.0f);
    EXPECT_EQ(tmFrontendCommon::Phase(starts, phases, 3, 32.5f, &v), 2);
    EXPECT_FLOAT_EQ(v, 0.75f);
    EXPECT_EQ(tmFrontendCommon::Phase(starts, phases, 3, 40.0f, &v), 3);
    EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(tmFrontendCommon::Phase(starts, phases, 3, -1.0f, &v), 3);
}

TEST(Hud, PanelsFadeInByTheirTiming) {
    DrawLog log;
    tmFrontendCommon common;
    common.Init();
    const HudSpriteLayout panel{1, 0, 0, 0, 10, 20};
    EXPECT_EQ(common.PanelAlpha(panel), 0.0f);  // before the counter starts
    common.SetFinished();
    tmHudLapRecord lap;
    tmHudMachineRecord machine;
    tmGaugeArray rows;
    for (int i = 0; i < 19; ++i) common.Update(lap, machine, rows);  // frame 20
    EXPECT_FLOAT_EQ(common.PanelAlpha(panel), 0.5f);
    EXPECT_EQ(common.PanelAlpha(HudSpriteLayout{1, 0, 0, 0, 30, 0}), 0.0f);
    EXPECT_EQ(common.PanelAlpha(HudSpriteLayout{1, 0, 0, 0, 20, 0}), 1.0f);
    common.Release();
}

}  // namespace
