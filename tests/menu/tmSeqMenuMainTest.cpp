// tmSeqMenuMainTest.cpp -- the main menu: every dispatch row, the waits of the animated leaves, the demo
// without replays, the lobby question, the cup choice and the debug flow.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu/MenuReplays.h"
#include "menu/MenuRig.h"
#include "menu/tmCommonWindow.h"
#include "menu/tmMenuCommon.h"
#include "menu/tmSeqMenuMain.h"
#include "race/tmReplay.h"

namespace {

using K = std::vector<int>;
constexpr int kU = tmKey::kUp, kD = tmKey::kDown, kR = tmKey::kReturn, kB = tmKey::kBackspace;

// The main menu with its intro run, on the top page.
class MainMenu : public ::testing::Test {
protected:
    void SetUp() override {
        rig.Start(menu);
        rig.Steps(62);
        ASSERT_EQ(menu.GetState(), tmSeqMenuMain::kTop);
        ASSERT_TRUE(rig.MusicPlaying());
    }
    void TearDown() override { rig.Finish(); }
    // Taps the keys; the step of the last key's press.
    int Keys(const K& keys) {
        for (int k : keys) rig.Tap(k);
        return rig.steps - 1;
    }

    MenuRig rig;
    tmSeqMenuMain menu;
};

struct Row {
    const char* name;
    K keys;
    int next;
    int32_t mode;  // -1: the mode is not written
    bool music;    // the menu music still plays
    int wait;      // steps from the decide to the id: 1, or 62 after the leave animation
    bool replay;   // a replay (of course 5, mode 1) waits in the replay folder
};

}  // namespace

TEST_F(MainMenu, IntroSlidesTheFramesInAndPlaysItsSound) {
    EXPECT_EQ(rig.Count(tmMenuSound::kSlide), 1);
    EXPECT_EQ(rig.MusicRow(), tmMusicStream::kMenu);
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kHead)->targetY, 0.0f);
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kFoot)->targetY, 704.0f);
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kSubFrame)->targetY, 612.0f);
    EXPECT_EQ(menu.GetTopTween(0)->targetY, 55.0f);
    EXPECT_EQ(menu.GetTopTween(5)->targetY, 385.0f);
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kCover)->scaleX, 93.375f);
}

TEST_F(MainMenu, TopCursorWrapsAndHighlightsFollow) {
    Keys({kU});
    EXPECT_EQ(menu.GetTopCursor(), tmSeqMenuMain::kQuit);
    Keys({kD, kD});
    EXPECT_EQ(menu.GetTopCursor(), 1);
    EXPECT_EQ(rig.Count(tmMenuSound::kCursor), 3);
    rig.Steps(12);
    EXPECT_EQ(menu.GetTopLevel(1), 1.0f);
    EXPECT_EQ(menu.GetTopLevel(0), 0.0f);
}

// Each row in a menu of its own: the next id, the race-state writes, the music and the wait.
TEST(MainMenuDispatch, EveryRowOpensItsScreenWithItsRaceModeMusicAndWait) {
    const Row rows[] = {
        {"time attack", {kR, kR}, kSeqCourseSelect, kRaceModeSingle, false, 1, false},
        {"cup 1", {kR, kD, kR, kR}, kSeqMachineSelect, kRaceModeCup, false, 62, false},
        {"cup 2", {kR, kD, kR, kD, kR}, kSeqMachineSelect, kRaceModeCup, false, 62, false},
        {"vs ghost", {kR, kD, kD, kR}, kSeqReplaySelect, kRaceModeGhost, true, 1, false},
        {"replay", {kD, kR, kR}, kSeqReplaySelect, kRaceModeReplay, true, 1, false},
        {"demo", {kD, kR, kD, kR}, kSeqLoading, kRaceModeDemo, false, 1, true},
        {"demo, no replays", {kD, kR, kD, kR}, kSeqTitle, -1, false, 1, false},
        {"lobby", {kD, kD, kR, kR, kU, kR}, kSeqLobby, kRaceModeLobby, false, 12, false},
        {"host", {kD, kD, kR, kD, kR}, kSeqCourseSelect, kRaceModeDirect, false, 1, false},
        {"join", {kD, kD, kR, kD, kD, kR}, kSeqJoinRace, kRaceModeDirect, false, 1, false},
        {"garage", {kD, kD, kD, kR, kR}, 8, -1, true, 1, false},
        {"trophies", {kD, kD, kD, kR, kD, kR}, 15, -1, true, 1, false},
        {"course records", {kD, kD, kD, kR, kD, kD, kR}, 16, -1, true, 1, false},
        {"game options", {kU, kU, kR, kR}, 17, -1, true, 62, false},
        {"controller", {kU, kU, kR, kD, kR}, 18, -1, true, 62, false},
        {"video", {kU, kU, kR, kD, kD, kR}, 19, -1, true, 62, false},
        {"sound", {kU, kU, kR, kU, kU, kR}, 20, -1, true, 62, false},
        {"quit", {kU, kR}, kSeqQuit, -1, false, 62, false},
    };
    for (const Row& row : rows) {
        MenuRig rig;
        tmReplay::Create();
        if (row.replay) {
            ASSERT_TRUE(menutest::WriteReplay("QUVASE_REP0220_LATEST.dat", menutest::MakeHeader(1, 5, 2, 1700000000)));
        }
        tmRaceState& rs = tmRaceState::Get();
        rs.setup.mode = 99;  // untouched unless written
        rs.setup.course = 5;
        rs.setup.laps = 7;
        rs.hostFlag = 7;
        rs.cup.cupId = 0;
        tmSeqMenuMain menu;
        rig.Start(menu);
        rig.Steps(62);
        for (int k : row.keys) rig.Tap(k);
        const int decide = rig.steps - 1;
        EXPECT_EQ(rig.RunToNext(200), row.next) << row.name;
        EXPECT_EQ(rig.nextStep - decide, row.wait) << row.name;
        EXPECT_EQ(rs.setup.mode, row.mode < 0 ? 99u : uint32_t(row.mode)) << row.name;
        EXPECT_EQ(rig.MusicPlaying(), row.music) << row.name;
        const std::string name = row.name;
        if (name == "cup 1" || name == "cup 2") {
            EXPECT_EQ(rs.cup.cupId, name == "cup 1" ? 1u : 2u);
        }
        if (name == "host" || name == "join") {
            EXPECT_EQ(rs.setup.course, 0u) << row.name;  // the host picks the course later
            EXPECT_EQ(rs.setup.laps, 3u) << row.name;
            EXPECT_EQ(rs.hostFlag, name == "host" ? 1 : 0) << row.name;
        } else {
            EXPECT_EQ(rs.setup.course, 5u) << row.name;
            EXPECT_EQ(rs.hostFlag, 7) << row.name;
        }
        rig.Finish();
        tmReplay::Destroy();
    }
}

TEST_F(MainMenu, SinglePlayerDecideResetsTheLocalEntrant) {
    tmEntrant& e = tmRaceState::Get().entrants[0];
    e.machineId = 7;
    e.controllerType = kControllerComputer;
    e.variant = 1;
    e.entrantId = 4;
    Keys({kR, kU, kR});  // the page, then RETURN
    EXPECT_EQ(e.machineId, 1u);
    EXPECT_EQ(e.controllerType, uint32_t(kControllerPlayer));
    EXPECT_EQ(e.variant, 0u);
    EXPECT_EQ(e.entrantId, 0u);
    EXPECT_EQ(e.driverName[0], '\0');
    EXPECT_EQ(menu.GetState(), tmSeqMenuMain::kTop);
}

// The demo sets its mode before the replay is picked; with no replays it goes to the title, mode untouched.
TEST_F(MainMenu, DemoWithoutReplaysGoesToTheTitleWithTheModeUntouched) {
    tmReplay::Create();
    tmRaceState::Get().setup.mode = kRaceModeCup;
    Keys({kD, kR, kD, kR});
    EXPECT_EQ(rig.RunToNext(10), kSeqTitle);
    EXPECT_EQ(tmRaceState::Get().setup.mode, uint32_t(kRaceModeCup));
    EXPECT_FALSE(rig.MusicPlaying());
    tmReplay::Destroy();
}

TEST_F(MainMenu, DemoWithAReplayWatchesIt) {
    tmReplay::Create();
    ASSERT_TRUE(menutest::WriteReplay("QUVASE_REP0220_LATEST.dat", menutest::MakeHeader(1, 6, 4, 1700000000)));
    tmRaceState::Get().setup.mode = kRaceModeSingle;
    Keys({kD, kR, kD, kR});
    EXPECT_EQ(rig.RunToNext(10), kSeqLoading);
    const tmRaceState& rs = tmRaceState::Get();
    EXPECT_EQ(rs.setup.mode, uint32_t(kRaceModeDemo));  // kept through the replay's set-up
    EXPECT_EQ(rs.setup.course, 6u);
    EXPECT_EQ(rs.setup.count, 4u);
    EXPECT_EQ(rs.entrants[2].controllerType, uint32_t(kControllerReplay));
    tmReplay::Destroy();
}

TEST_F(MainMenu, LobbyQuestionAnsweredNoReturnsToTheNetworkPage) {
    Keys({kD, kD, kR, kD, kD, kD, kU, kU, kU});  // the network page, back to LOBBY
    ASSERT_EQ(menu.GetPageCursor(tmSeqMenuMain::kNet), 0);
    Keys({kR});
    EXPECT_EQ(menu.GetState(), tmSeqMenuMain::kLobbyQuestion);
    EXPECT_EQ(rig.Count(tmMenuSound::kOpen), 1);
    Keys({kR});  // NO is highlighted
    EXPECT_EQ(rig.RunToNext(30), 0);
    EXPECT_EQ(menu.GetState(), tmSeqMenuMain::kNetwork);
    EXPECT_EQ(menu.GetPageCursor(tmSeqMenuMain::kNet), 0);
    EXPECT_NE(tmRaceState::Get().setup.mode, uint32_t(kRaceModeLobby));
}

TEST_F(MainMenu, CancelAndReturnCloseThePagesAndTheCupChoice) {
    Keys({kR});
    EXPECT_EQ(menu.GetState(), tmSeqMenuMain::kSingle);
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kSubFrame)->targetY, 244.0f);
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kCover)->targetAlpha, 1.0f);
    Keys({kD, kR});
    EXPECT_EQ(menu.GetState(), tmSeqMenuMain::kCup);
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kRaceSelect)->targetAlpha, 1.0f);
    Keys({kU});  // wraps to RETURN
    EXPECT_EQ(menu.GetPageCursor(tmSeqMenuMain::kCup), 2);
    Keys({kR});
    EXPECT_EQ(menu.GetState(), tmSeqMenuMain::kSingle);
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kRaceSelect)->targetAlpha, 0.0f);
    Keys({kB});
    EXPECT_EQ(menu.GetState(), tmSeqMenuMain::kTop);
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kSubFrame)->targetY, 612.0f);
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kCover)->targetAlpha, 0.0f);
    EXPECT_EQ(rig.Count(tmMenuSound::kBack), 2);
    // The options page opens higher; cancel closes it too.
    Keys({kU, kU, kR});
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kSubFrame)->targetY, 197.0f);
    Keys({kB});
    EXPECT_EQ(menu.GetState(), tmSeqMenuMain::kTop);
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kSubFrame)->targetY, 612.0f);
    EXPECT_EQ(rig.Count(tmMenuSound::kBack), 3);
    EXPECT_EQ(rig.RunToNext(100), 0);  // closing a page never leaves the menu
}

TEST_F(MainMenu, FromTheDebugMenuEveryLeaveReturnsToIt) {
    tmMenuFlow::SetNormalPlay(false);
    Keys({kR, kR});
    EXPECT_EQ(rig.RunToNext(10), 1);
    EXPECT_FALSE(rig.MusicPlaying());
    tmMenuFlow::SetNormalPlay(true);
}

TEST_F(MainMenu, QuitLeavesTheBackgroundFadingAndTheOptionsLeaveKeepsIt) {
    Keys({kU, kR});
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kBackground)->targetAlpha, 0.0f);
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kHead)->targetY, -74.0f);
    EXPECT_EQ(menu.GetFrame(tmSeqMenuMain::kSubFrame)->targetY, 778.0f);
    EXPECT_EQ(rig.Count(tmMenuSound::kLeave), 1);
    EXPECT_EQ(rig.RunToNext(80), kSeqQuit);
}
