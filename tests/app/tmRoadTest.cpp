// tmRoadTest.cpp -- whole roads through the game's own screens, headless, with the keyboard and the autopilot:
// from the title through the menus into a race and back out to quit; a replay picked, watched and left; the
// pause menu after the waiting room, on slow frames.
#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "app/tmConfig.h"
#include "harness/Autopilot.h"
#include "harness/Harness.h"
#include "harness/RaceRoad.h"
#include "machine/tmMachineCore.h"
#include "menu/tmCourseSelectFrontend.h"
#include "menu/tmMachineSelectFrontend.h"
#include "menu/tmMenuFlow.h"
#include "menu/tmSeqCourseSelect.h"
#include "menu/tmSeqMachineSelect.h"
#include "menu/tmSeqMenuMain.h"
#include "menu/tmSeqReplaySelect.h"
#include "menu/tmSeqTitle.h"
#include "race/tmRaceChoiceMenu.h"
#include "race/tmRaceState.h"
#include "race/tmReplay.h"
#include "race/tmSeqRace.h"
#include "sys/base/tmFile.h"
#include "sys/input/tmInputActions.h"
#include "table/CourseTable.h"

namespace {

// A session of the game with its generated content, starting at screen `first`.
harness::SessionSetup From(int first) {
    harness::SessionSetup setup;
    setup.runData = true;
    setup.firstScreen = first;
    return setup;
}

// The main menu's top page, ready for keys.
bool AtMainMenuTop(harness::Session& s) {
    return s.RunUntil(
        [&] {
            return harness::LiveScreen<tmSeqMenuMain>(s) &&
                   harness::LiveScreen<tmSeqMenuMain>(s)->GetState() == tmSeqMenuMain::kTop;
        },
        200);
}

}  // namespace

// Title, main menu, a single race picked through the course and machine selects, loaded and driven one lap
// by the autopilot on the player's pad, left from the post-race menu, and the program quit from the main
// menu: the screens follow in that order, the race state carries the choices, and the save written at the
// end holds the race's record and the level points it earned.
TEST(Road, TitleToARaceAndBackToQuit) {
    harness::Session s(From(kSeqTitle));
    tmMenuFlow::SetNormalPlay(true);
    harness::Autopilot::Prepare(s);
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetGameOption2(1);  // races of one lap
    ASSERT_TRUE(s.Start());

    ASSERT_TRUE(s.RunUntil(
        [&] { return harness::LiveScreen<tmSeqTitle>(s) && harness::LiveScreen<tmSeqTitle>(s)->GetState() >= 1; }, 40));
    s.TapKey(tmKey::kReturn);  // skips the logo
    s.TapKey(tmKey::kReturn);  // the title
    ASSERT_TRUE(AtMainMenuTop(s));
    s.TapKey(tmKey::kReturn);  // CIRCUIT
    s.TapKey(tmKey::kReturn);  // TIME ATTACK
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveScreen<tmSeqCourseSelect>(s) != nullptr; }, 10));
    EXPECT_EQ(tmRaceState::Get().setup.mode, uint32_t(kRaceModeSingle));

    for (int i = 0; i < 25; ++i) s.Frame();
    s.TapKey(tmKey::kRight);  // course 2
    s.TapKey(tmKey::kRight);  // course 4
    s.TapKey(tmKey::kReturn);
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveScreen<tmSeqMachineSelect>(s) != nullptr; }, 60));
    const tmRaceSetup& setup = tmRaceState::Get().setup;
    EXPECT_EQ(setup.course, 4u);
    EXPECT_EQ(setup.count, 1u);
    EXPECT_EQ(setup.laps, 1u);

    ASSERT_TRUE(s.RunUntil(
        [&] {
            const tmSeqMachineSelect* m = harness::LiveScreen<tmSeqMachineSelect>(s);
            return m->GetState() == tmSeqMachineSelect::kMachine && !m->GetFrontend()->IsBusy();
        },
        80));
    s.TapKey(tmKey::kRight);  // the second machine of the list
    const uint32_t machine = tmSeqMachineSelect::kList[1].machine;
    ASSERT_EQ(harness::LiveScreen<tmSeqMachineSelect>(s)->GetCursor(), 1);
    for (int i = 0; i < 25; ++i) s.Frame();
    s.TapKey(tmKey::kReturn);
    s.TapKey(tmKey::kReturn);  // automatic
    ASSERT_TRUE(s.RunUntil([&] { return s.CurrentId() == kSeqLoading; }, 100));
    const tmEntrant& player = tmRaceState::Get().entrants[0];
    EXPECT_EQ(player.machineId, machine);
    EXPECT_EQ(player.controllerType, uint32_t(kControllerPlayer));
    EXPECT_EQ(player.variant, 0u);

    harness::Autopilot pilot;
    ASSERT_TRUE(harness::DriveUntil(
        s, pilot, [&] { return harness::RacePhase(s) == tmSeqRace::kAfterFinish; }, 9000));
    EXPECT_GT(pilot.Steps(), 600u);  // the pad drove the race, not the computer
    const tmRaceResult& result = tmRaceState::Get().results[0];
    EXPECT_TRUE(result.finished);
    const uint32_t raceMs = result.timeMs;
    EXPECT_GT(raceMs, 10000u);
    ASSERT_TRUE(harness::ConfirmPanelsUntil(s, tmSeqRace::kSaveReplay, 900));
    s.TapKey(tmKey::kReturn);  // no dated replay
    ASSERT_TRUE(s.RunUntil([&] { return harness::RacePhase(s) == tmSeqRace::kPostRace; }, 40));
    for (int i = 0; i < 12; ++i) s.Frame();
    s.TapKey(tmKey::kDown);  // leave
    s.TapKey(tmKey::kReturn);
    ASSERT_TRUE(AtMainMenuTop(s));
    const int points = cfg.GetProfileValue2();
    const int level = cfg.GetProfileValue1();
    EXPECT_TRUE(points > 0 || level > 0);  // the race earned level points

    s.TapKey(tmKey::kUp);  // QUIT
    s.Input().SetKey(tmKey::kReturn, true);
    EXPECT_TRUE(s.RunUntilEnd(100));
    EXPECT_EQ(harness::ScreenTrace(s), (std::vector<int>{kSeqTitle, kSeqMainMenu, kSeqCourseSelect, kSeqMachineSelect,
                                                         kSeqLoading, kSeqRace, kSeqMainMenu}));

    tmSaveFile file("quvase.sav");
    tmConfig saved(nullptr, &file);
    saved.Load();
    EXPECT_EQ(saved.GetRecord(1, 4), static_cast<int>(raceMs));                    // one lap on course 4
    EXPECT_EQ(saved.GetModeRecord(1, 4, int(machine)), static_cast<int>(raceMs));  // and with the machine
    EXPECT_EQ(saved.GetProfileValue1(), level);
    EXPECT_EQ(saved.GetProfileValue2(), points);
    EXPECT_EQ(saved.GetGameOption2(), 1);
    EXPECT_GT(saved.GetRaceFrameCount(), 600u);
    // The declined replay stays as "_LATEST": a header and one record per raced frame.
    tmReplayHeader latest;
    ASSERT_TRUE(tmReplay::ReadHeader("./replay/QUVASE_REP0220_LATEST.dat", &latest));
    EXPECT_EQ(latest.setup.course, 4u);
    EXPECT_EQ(latest.entrants[0].machineId, machine);
    EXPECT_EQ(latest.totalMs, raceMs);
}

// From the main menu to the replay select, a replay written into the folder picked and watched to its last
// frame, back in the replay select with the file still listed, and cancelled back to the main menu.
TEST(Road, AReplayPickedWatchedToItsEndAndLeft) {
    harness::Session s(From(kSeqMainMenu));
    tmMenuFlow::SetNormalPlay(true);
    // A single race of 150 frames: machine 5 rolling up the grid of course 3.
    const CourseRecord* course = GetCourseRecord(3);
    ASSERT_NE(course, nullptr);
    tmReplay maker;
    tmRaceSetup setup;
    setup.course = 3;
    setup.laps = 1;
    maker.ResetRecording();
    maker.SetRaceSetup(setup);
    tmEntrant entrant;
    entrant.machineId = 5;
    entrant.controllerType = kControllerPlayer;
    maker.SetEntrant(0, entrant);
    tmMachineCore core;
    for (uint32_t f = 0; f < 150; ++f) {
        core.position = D3DXVECTOR3(course->grid[0].x, course->grid[0].y, course->grid[0].z + 0.4f * f);
        maker.RecordFrame(core, f);
    }
    maker.RecordingHeader().totalMs = 2500;
    maker.RecordingHeader().creationTime = 1704110400;
    const std::string image = maker.SaveImage();
    tmMakeFolder("replay");
    ASSERT_TRUE(tmFileReplace("replay/QUVASE_REP0220_20240101120000.dat", image.data(), image.size()));
    ASSERT_TRUE(s.Start());

    ASSERT_TRUE(AtMainMenuTop(s));
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kReturn);  // REPLAY STANDS
    s.TapKey(tmKey::kReturn);  // REPLAY
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveScreen<tmSeqReplaySelect>(s) != nullptr; }, 10));
    EXPECT_EQ(tmRaceState::Get().setup.mode, uint32_t(kRaceModeReplay));
    ASSERT_EQ(harness::LiveScreen<tmSeqReplaySelect>(s)->RowCount(), 1);
    for (int i = 0; i < 62; ++i) s.Frame();
    s.TapKey(tmKey::kReturn);
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveScreen<tmSeqRace>(s) != nullptr; }, 200));
    const tmReplay* replay = tmReplay::Get();
    ASSERT_TRUE(replay->IsLoaded());
    EXPECT_EQ(replay->PlaybackHeader().totalMs, 2500u);
    EXPECT_EQ(tmRaceState::Get().entrants[0].machineId, 5u);
    EXPECT_EQ(tmRaceState::Get().entrants[0].controllerType, uint32_t(kControllerReplay));

    ASSERT_TRUE(s.RunUntil([&] { return harness::RacePhase(s) == tmSeqRace::kFadeOut; }, 1200));
    EXPECT_EQ(replay->frameIndex, replay->PlaybackHeader().lastFrame + 1);  // ended at the file's last frame
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveScreen<tmSeqReplaySelect>(s) != nullptr; }, 60));
    EXPECT_EQ(harness::LiveScreen<tmSeqReplaySelect>(s)->RowCount(), 1);
    for (int i = 0; i < 62; ++i) s.Frame();
    s.TapKey(tmKey::kBackspace);
    ASSERT_TRUE(
        s.RunUntil([&] { return s.CurrentId() == kSeqMainMenu && harness::LiveScreen<tmSeqMenuMain>(s); }, 100));
    EXPECT_EQ(harness::ScreenTrace(s), (std::vector<int>{kSeqMainMenu, kSeqReplaySelect, kSeqLoading, kSeqRace,
                                                         kSeqReplaySelect, kSeqMainMenu}));
    EXPECT_EQ(tmConfig::GetInstance().GetRaceCount(), 0);  // watching counts no race
}

namespace {
// From the main menu's top page through TIME ATTACK, the first course and machine into the race's countdown.
void IntoATimeAttackRace(harness::Session& s) {
    ASSERT_TRUE(AtMainMenuTop(s));
    s.TapKey(tmKey::kReturn);  // CIRCUIT
    s.TapKey(tmKey::kReturn);  // TIME ATTACK
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveScreen<tmSeqCourseSelect>(s) != nullptr; }, 10));
    for (int i = 0; i < 25; ++i) s.Frame();
    s.TapKey(tmKey::kReturn);
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveScreen<tmSeqMachineSelect>(s) != nullptr; }, 60));
    ASSERT_TRUE(s.RunUntil(
        [&] {
            const tmSeqMachineSelect* m = harness::LiveScreen<tmSeqMachineSelect>(s);
            return m->GetState() == tmSeqMachineSelect::kMachine && !m->GetFrontend()->IsBusy();
        },
        80));
    s.TapKey(tmKey::kReturn);
    s.TapKey(tmKey::kReturn);
    ASSERT_TRUE(s.RunUntil([&] { return harness::RacePhase(s) == tmSeqRace::kRacing; }, 900));
}
// One short press of `key` that two slow frames see (eight logic steps each, as the main loop catches
// up when drawing is slow): the pause menu's choice after it.
int SlowPress(harness::Session& s, int key) {
    s.SetStepsPerFrame(8);
    s.Input().SetKey(key, true);
    s.Frame();
    s.Frame();
    s.Input().SetKey(key, false);
    s.Frame();
    s.SetStepsPerFrame(1);
    return harness::LiveRace(s)->GetPauseMenu()->choice;
}
// A tap of `key` whose press and release both fall inside one frame of `steps` logic steps.
int TapInsideAFrame(harness::Session& s, int key, int steps) {
    s.SetStepsPerFrame(steps);
    s.Input().TapKey(key);
    s.Frame();
    s.SetStepsPerFrame(1);
    s.Frame();
    return harness::LiveRace(s)->GetPauseMenu()->choice;
}
}  // namespace

// The road on which the pause menu's up and down seemed to swap: the waiting room joined and left, then a
// time-attack race paused while frames are slow. Each short press moves the cursor one item its own way, and
// so does a tap that comes and goes inside one frame.
TEST(Road, PauseMenuMovesOneItemPerPressAfterTheWaitingRoomAndOnSlowFrames) {
    harness::SessionSetup setup = From(kSeqMainMenu);
    setup.networkPort = static_cast<uint16_t>(30000 + ::getpid() % 20000);  // a port of its own
    harness::Session s(setup);
    tmMenuFlow::SetNormalPlay(true);
    ASSERT_TRUE(s.Start());
    ASSERT_TRUE(AtMainMenuTop(s));
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kReturn);  // NETWORK
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kReturn);  // JOIN
    ASSERT_TRUE(s.RunUntil([&] { return s.CurrentId() == kSeqJoinRace; }, 20));
    for (int i = 0; i < 60; ++i) s.Frame();
    s.TapKey(tmKey::kUp);  // LEAVE
    s.TapKey(tmKey::kReturn);
    ASSERT_TRUE(s.RunUntil([&] { return s.CurrentId() == kSeqTitle; }, 400));
    ASSERT_TRUE(s.RunUntil(
        [&] { return harness::LiveScreen<tmSeqTitle>(s) && harness::LiveScreen<tmSeqTitle>(s)->GetState() >= 1; }, 40));
    s.TapKey(tmKey::kReturn);
    s.TapKey(tmKey::kReturn);
    IntoATimeAttackRace(s);
    s.TapKey(tmKey::kEscape);
    ASSERT_TRUE(
        s.RunUntil([&] { return harness::LiveRace(s)->GetPauseMenu()->state == tmRaceChoiceMenuBase::kChoosing; }, 30));
    EXPECT_EQ(SlowPress(s, tmKey::kDown), int(tmRaceChoiceMenu::kRetry));
    EXPECT_EQ(SlowPress(s, tmKey::kDown), int(tmRaceChoiceMenu::kQuit));
    EXPECT_EQ(SlowPress(s, tmKey::kUp), int(tmRaceChoiceMenu::kRetry));
    EXPECT_EQ(TapInsideAFrame(s, tmKey::kDown, 8), int(tmRaceChoiceMenu::kQuit));
    EXPECT_EQ(TapInsideAFrame(s, tmKey::kUp, 1), int(tmRaceChoiceMenu::kRetry));
    EXPECT_EQ(harness::ScreenTrace(s), (std::vector<int>{kSeqMainMenu, kSeqJoinRace, kSeqTitle, kSeqMainMenu,
                                                         kSeqCourseSelect, kSeqMachineSelect, kSeqLoading, kSeqRace}));
}
