// tmMenuProgramDisplayTest.cpp -- the real program (SDL window, OpenGL) walked through every menu screen with
// the keyboard: a picture of each, a contact sheet of them all, and checks that each screen draws its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/tmConfig.h"
#include "menu/MenuProgramFixture.h"
#include "menu/MenuReplays.h"
#include "menu/tmMachineSelectFrontend.h"
#include "menu/tmSeqCourseSelect.h"
#include "menu/tmSeqEnding.h"
#include "menu/tmSeqMachineSelect.h"
#include "platform/gfx/Device.h"
#include "race/tmRaceState.h"
#include "sys/render/tmRender.h"

TEST_F(MenuProgramDisplay, TitleAndMainMenuPages) {
    ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqTitle>() != nullptr; }, 10));
    const harness::FramePicture& logo = Shoot("title_logo", 90);
    EXPECT_GT(harness::FramePicture::Brightness(logo.AtVirtual(20, 20)), 700);  // the white board
    S().TapKey(tmKey::kReturn);                                                 // skips the logo
    ASSERT_EQ(Screen<tmSeqTitle>()->GetState(), tmSeqTitle::kTitle);
    const harness::FramePicture& title = Shoot("title", 80);
    EXPECT_GT(title.Bright(550, 586, 930, 646, 420), 100);  // the start prompt, at any point of its pulse
    S().TapKey(tmKey::kReturn);
    ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqMenuMain>() != nullptr; }, 40));
    // The page's band slides in from below past the foot bar 50 steps in: its buttons stay under the key hint.
    const harness::FramePicture& slide = Shoot("main_slide", 51);
    const harness::FramePicture& top = Shoot("main_top", 69);
    int covered = 0;
    for (int y = 726; y < 756; ++y)
        for (int x = 860; x < 1000; ++x)
            covered += slide.AtVirtual(float(x), float(y)) != top.AtVirtual(float(x), float(y));
    EXPECT_LT(covered, 20) << "the sliding page covers the key hint";
    EXPECT_GT(top.Bright(-131, 55, 309, 115), 200);  // the first entry's caption
    S().TapKey(tmKey::kReturn);
    Shoot("main_single", 40);
    S().TapKey(tmKey::kDown);
    S().TapKey(tmKey::kReturn);
    Shoot("main_cup", 30);
    S().TapKey(tmKey::kBackspace);
    S().TapKey(tmKey::kBackspace);
    for (int i = 0; i < 3; ++i) S().TapKey(tmKey::kDown);
    S().TapKey(tmKey::kReturn);
    Shoot("main_records", 40);
    S().TapKey(tmKey::kBackspace);
    S().TapKey(tmKey::kUp);
    S().TapKey(tmKey::kReturn);
    S().TapKey(tmKey::kReturn);
    Shoot("main_lobby_question", 30);
    CheckAll("menu_contact_title_main");
}

namespace {
// Pixels not black in the window's rows outside the fitted virtual screen (the bands of a 4:3 window).
int LitInBands(const harness::FramePicture& p) {
    const int top = int(p.height - 768.0f * p.width / 1366.0f) / 2;
    int n = 0;
    for (int y = 0; y < int(p.height); ++y)
        if (y < top - 1 || y > int(p.height) - top)
            for (int x = 0; x < int(p.width); ++x) n += p.At(x, y) != 0;
    return n;
}

// A white pixel: the staff lines' names.
bool White(uint32_t rgb) { return ((rgb >> 16) & 0xFF) > 200 && ((rgb >> 8) & 0xFF) > 200 && (rgb & 0xFF) > 200; }
}  // namespace

namespace {
// The same program in a 1024 x 768 window (a 4:3 screen).
class MenuProgramDisplay4x3 : public MenuProgramDisplay {
protected:
    void SetUp() override {
        videoMode_ = 4;
        prefix_ = "menu_4x3_";
        Open(kSeqTitle);
    }
};
}  // namespace

// A 4:3 screen shows the whole wide layout, letterboxed: the title's revision stands in the fitted screen's
// corner with the bands black around it, and the key hint, the top entries' left ends and the page's row stay
// on the screen and uncut while the page slides in and once it has settled.
TEST_F(MenuProgramDisplay4x3, MainMenuKeepsTheKeyHintAndTheEntriesOnScreen) {
    ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqTitle>() && Screen<tmSeqTitle>()->GetState() >= 1; }, 40));
    S().TapKey(tmKey::kReturn);
    const harness::FramePicture& title = Shoot("title", 80);
    EXPECT_EQ(LitInBands(title), 0) << "the title draws into the bands";
    int white = 0;  // "Rev.D", 40 pixels in from the fitted screen's right edge, on its bottom
    for (int y = 652; y < 672; ++y)
        for (int x = 904; x < 984; ++x) white += White(title.At(x, y));
    EXPECT_GT(white, 150) << "the revision is not in the fitted screen's corner";
    S().TapKey(tmKey::kReturn);
    ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqMenuMain>() != nullptr; }, 40));
    const harness::FramePicture& slide = Shoot("main_slide", 51);
    const harness::FramePicture& top = Shoot("main_top", 69);
    ASSERT_EQ(top.width, 1024u);
    int covered = 0;
    for (int y = 726; y < 756; ++y)
        for (int x = 880; x < 1180; ++x)
            covered += slide.AtVirtual(float(x), float(y)) != top.AtVirtual(float(x), float(y));
    EXPECT_LT(covered, 20) << "the sliding page covers the key hint";
    EXPECT_GT(top.Bright(880, 728, 1180, 752, 150), 150) << "the key hint is off the screen";
    EXPECT_GT(top.Bright(-131, 55, 309, 115), 200) << "the first entry's caption";
    // The first entry whole: its left outline, with the screen's dark margin beside it.
    EXPECT_GT(top.Bright(-134, 62, -126, 108, 150), 20) << "the first entry's left end is cut";
    EXPECT_LT(top.Bright(-171, 62, -140, 108, 150), 10) << "the first entry's left end is cut";
    EXPECT_GT(top.Bright(-150, 700, 100, 728, 150), 100) << "the info line's start is cut";
    CheckAll("menu_contact_4x3_main");
}

namespace {
// The same program at 1024 x 768 in a window and full screen, on a display of one larger mode (the tests' one):
// what the present puts into the window is read back.
class MenuProgramFullScreen4x3 : public MenuProgramDisplay {
protected:
    void SetUp() override { videoMode_ = 4; }
    // The settled main menu as the window shows it (its back buffer is shot as "<prefix>main_top").
    harness::FramePicture ShownMainMenu(bool fullScreen, const std::string& prefix) {
        session_.reset();
        fullScreen_ = fullScreen;
        prefix_ = prefix;
        harness::FramePicture shown;
        Open(kSeqTitle);
        if (IsSkipped()) return shown;
        ToMainMenu();
        Wait(69);
        tmRender::GetInstance()->GetDevice()->keepWindowPictures(true);
        Shoot("main_top", 0);
        EXPECT_TRUE(shown.TakeWindow());
        EXPECT_TRUE(shown.Write(prefix + "main_top_shown"));
        return shown;
    }
};

// Two colours more than 60 apart in the sum of their channels.
bool Differ(uint32_t a, uint32_t b) {
    int d = 0;
    for (int s = 0; s < 24; s += 8) d += std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF));
    return d > 60;
}
}  // namespace

// Full screen shows the window's main menu whole, scaled to the display and centred with black bars at the sides,
// neither stretched nor cut (the RETURN entry and the key hints at the right stay on screen).
TEST_F(MenuProgramFullScreen4x3, MainMenuFillsTheDisplayWholeWithBlackBars) {
    const harness::FramePicture window = ShownMainMenu(false, "menu_window_4x3_");
    if (IsSkipped()) return;
    ASSERT_EQ(window.width, 1024u);
    int unlike = 0;
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) unlike += window.At(x, y) != shots_["main_top"].At(x, y);
    EXPECT_EQ(unlike, 0) << "the window shows its back buffer 1:1";

    const harness::FramePicture full = ShownMainMenu(true, "menu_full_4x3_");
    int dw = 0, dh = 0;
    ASSERT_TRUE(S().Window().DesktopSize(dw, dh));
    ASSERT_EQ(full.width, uint32_t(dw));
    ASSERT_EQ(full.height, uint32_t(dh));
    const float k = std::min(float(dw) / 1024.0f, float(dh) / 768.0f);
    const float left = (float(dw) - 1024.0f * k) / 2.0f, top = (float(dh) - 768.0f * k) / 2.0f;
    // Pixels amid their like, which scaling does not blend with another colour, are where the window has them.
    int flat = 0, differ = 0;
    for (int y = 2; y < 768; y += 4)
        for (int x = 2; x < 1024; x += 4) {
            bool even = true;
            for (int n = 0; n < 9; ++n)
                even = even && !Differ(window.At(x + n % 3 - 1, y + n / 3 - 1), window.At(x, y));
            flat += even;
            differ += even && Differ(full.At(int(left + (float(x) + 0.5f) * k), int(top + (float(y) + 0.5f) * k)),
                                     window.At(x, y));
        }
    EXPECT_GT(flat, 256 * 192 / 2);
    EXPECT_LT(differ, flat / 100) << "the full screen picture is not the window's fitted whole: stretched or cut";
    int lit = 0;
    for (int y = 0; y < dh; y += 2)
        for (int x = 0; x < dw; x += 2)
            if (float(x) < left - 1.0f || float(x) > float(dw) - left || float(y) < top - 1.0f ||
                float(y) > float(dh) - top)
                lit += full.At(x, y) != 0;
    EXPECT_EQ(lit, 0) << "the bars around the picture are not black";
}

TEST_F(MenuProgramDisplay, CourseSelectShowsEachCircuitsInformationAsTheCursorMoves) {
    ToMainMenu();
    S().TapKey(tmKey::kReturn);
    S().TapKey(tmKey::kReturn);
    ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqCourseSelect>() != nullptr; }, 40));
    const harness::FramePicture& first = Shoot("course_niseko", 60);
    EXPECT_GT(first.Bright(-131, 220, 300, 300), 100);  // the information's title
    S().TapKey(tmKey::kRight);
    Shoot("course_barcelona", 50);
    for (int i = 0; i < 5; ++i) S().TapKey(tmKey::kRight);
    Shoot("course_niseko_reverse", 50);
    S().TapKey(tmKey::kLeft);
    S().TapKey(tmKey::kLeft);
    Shoot("course_qir", 50);
    CheckAll("menu_contact_course_select");
}

TEST_F(MenuProgramDisplay, MachineSelectShowsEachMachineInItsStudioAndTheTransmissionChoice) {
    ToMainMenu();
    S().TapKey(tmKey::kReturn);
    S().TapKey(tmKey::kReturn);
    ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqCourseSelect>() != nullptr; }, 40));
    S().RunUntil([&] { return Screen<tmSeqCourseSelect>()->GetState() == tmSeqCourseSelect::kChoosing; }, 40);
    S().TapKey(tmKey::kReturn);
    ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqMachineSelect>() != nullptr; }, 60));
    const harness::FramePicture& torvin = Shoot("machine_torvin", 60);
    EXPECT_GT(torvin.Variety(), 40);  // the machine in its studio
    S().TapKey(tmKey::kRight);
    Shoot("machine_prentis", 50);
    S().TapKey(tmKey::kRight);
    S().TapKey(tmKey::kRight);
    Shoot("machine_quessa_j", 50);
    S().TapKey(tmKey::kReturn);
    Shoot("machine_transmission", 30);
    S().TapKey(tmKey::kBackspace);
    ASSERT_EQ(Screen<tmSeqMachineSelect>()->GetState(), tmSeqMachineSelect::kMachine);
    S().RunUntil([&] { return !Screen<tmSeqMachineSelect>()->GetFrontend()->IsBusy(); }, 40);
    for (int k = 0; k < 3; ++k) {  // Dravik/R, Olvane E, Custrel K
        for (int i = 0; i < 2; ++i) S().TapKey(tmKey::kRight);
        Shoot("machine_" + std::to_string(k), 50);
    }
    CheckAll("menu_contact_machine_select");
}

TEST_F(MenuProgramDisplay, EveryOptionScreenOpensFromTheOptionsPageWithItsFirstRowLabelled) {
    ToMainMenu();
    S().TapKey(tmKey::kUp);
    S().TapKey(tmKey::kUp);
    S().TapKey(tmKey::kReturn);  // the options page
    const char* const names[4] = {"options_game", "options_controller", "options_video", "options_sound"};
    for (int screen = 0; screen < 4; ++screen) {
        for (int i = 0; i < screen; ++i) S().TapKey(tmKey::kDown);
        S().TapKey(tmKey::kReturn);
        ASSERT_TRUE(RunUntilQuickly([&] { return S().CurrentId() == 17 + screen; }, 100)) << names[screen];
        Wait(70);
        S().TapKey(tmKey::kDown);  // the cursor on the second row
        S().Input().SetKey(tmKey::kRight, true);
        const harness::FramePicture& p = Shoot(names[screen], 1);
        S().Input().SetKey(tmKey::kRight, false);
        EXPECT_GT(p.Bright(99, 74, 380, 130, 500), 80) << names[screen];  // the first row's label
        // Back to the options page: RETURN is the last row.
        S().TapKey(tmKey::kUp);
        S().TapKey(tmKey::kUp);
        S().TapKey(tmKey::kReturn);
        ASSERT_TRUE(RunUntilQuickly([&] { return S().CurrentId() == kSeqMainMenu; }, 120)) << names[screen];
        ASSERT_TRUE(RunUntilQuickly([&] { return Screen<tmSeqMenuMain>()->GetState() == tmSeqMenuMain::kTop; }, 100));
        S().TapKey(tmKey::kUp);  // a new menu: its cursors start at the top
        S().TapKey(tmKey::kUp);
        S().TapKey(tmKey::kReturn);
    }
    CheckAll("menu_contact_options");
}

TEST_F(MenuProgramDisplay, ViewersAndReplaySelect) {
    tmConfig& cfg = tmConfig::GetInstance();
    for (int i : {0, 1, 6, 33, 42, 43, 53, 54, 55, 90}) cfg.Unlock(i);
    cfg.UpdateRecord(112345, 3, 3, 1);
    cfg.UpdateRecord(111000, 3, 3, 4);
    cfg.UpdateCourseRecord(36500, 3, 9);
    cfg.UpdateCourseRecord(36800, 3, 1);
    for (int k = 0; k < 6; ++k)
        ASSERT_TRUE(menutest::WriteReplay(
            "QUVASE_REP0220_2024030112000" + std::to_string(k) + ".dat",
            menutest::MakeHeader(k % 3 == 2 ? 5 : k % 2, 2 + 2 * k, 1 + k % 3, 1709294400 + 3600 * k, 1 + 3 * k)));
    ToMainMenu();
    for (int i = 0; i < 3; ++i) S().TapKey(tmKey::kDown);
    S().TapKey(tmKey::kReturn);  // the records page
    S().TapKey(tmKey::kDown);
    S().TapKey(tmKey::kReturn);  // TROPHIES
    ASSERT_TRUE(S().RunUntil([&] { return S().CurrentId() == 15; }, 30));
    const harness::FramePicture& trophies = Shoot("trophies", 80);
    EXPECT_GT(trophies.Bright(189 + 68, 83, 189 + 500, 150, 500), 100);  // the first trophy's title
    S().Input().SetKey(tmKey::kDown, true);
    for (int i = 0; i < 26; ++i) S().Frame();
    S().Input().SetKey(tmKey::kDown, false);
    const harness::FramePicture& scrolled = Shoot("trophies_scrolled", 20);
    // The cards scroll beneath the head bar: none reads through its empty middle stretch.
    EXPECT_EQ(scrolled.Bright(300, 6, 650, 44, 80), 0) << "a trophy card shows through the head bar";
    S().TapKey(tmKey::kReturn);
    ASSERT_TRUE(S().RunUntil([&] { return S().CurrentId() == kSeqMainMenu; }, 100));
    ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqMenuMain>()->GetState() == tmSeqMenuMain::kTop; }, 100));
    for (int i = 0; i < 3; ++i) S().TapKey(tmKey::kDown);
    S().TapKey(tmKey::kReturn);
    S().TapKey(tmKey::kDown);
    S().TapKey(tmKey::kDown);
    S().TapKey(tmKey::kReturn);  // COURSE RECORDS
    ASSERT_TRUE(S().RunUntil([&] { return S().CurrentId() == 16; }, 30));
    Shoot("records", 80);
    S().TapKey(tmKey::kRight);
    S().TapKey(tmKey::kRight);
    Shoot("records_barcelona", 10);
    S().TapKey(tmKey::kReturn);
    ASSERT_TRUE(S().RunUntil([&] { return S().CurrentId() == kSeqMainMenu; }, 100));
    ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqMenuMain>()->GetState() == tmSeqMenuMain::kTop; }, 100));
    S().TapKey(tmKey::kDown);
    S().TapKey(tmKey::kReturn);
    S().TapKey(tmKey::kReturn);  // REPLAY
    ASSERT_TRUE(S().RunUntil([&] { return S().CurrentId() == kSeqReplaySelect; }, 30));
    const harness::FramePicture& replays = Shoot("replays", 80);
    // Four rows show; the fifth, under the foot bar, shows nothing of itself there, its file name neither.
    EXPECT_EQ(replays.Bright(230, 708, 520, 768, 600), 0) << "a file name over the foot bar";
    S().TapKey(tmKey::kDown);
    S().TapKey(tmKey::kX);
    Shoot("replays_delete", 20);
    CheckAll("menu_contact_viewers");
}

namespace {
// The garage walked through: its list, a machine, a close-up and another machine.
class GarageDisplay : public MenuProgramDisplay {
protected:
    void Walk() {
        ASSERT_NO_FATAL_FAILURE(ToGarage());
        const harness::FramePicture& list = Shoot("garage_list", 60);
        // The studio stands behind the list: its lit floor and backdrop, not a black frame (an untextured
        // studio once shaded with the sheet a sprite had left bound).
        EXPECT_GT(list.Bright(760, 450, 1195, 640, 150), 1000) << "the garage floor is dark";
        EXPECT_GT(list.Bright(800, 100, 1100, 300, 300), 1000) << "the backdrop is dark";
        S().TapKey(tmKey::kDown);
        S().TapKey(tmKey::kReturn);  // Torvin
        const harness::FramePicture& orbit = Shoot("garage_torvin", 60);
        EXPECT_GT(orbit.Variety(), 30);
        // The bar's title stands at its left end, and bare bar parts it from the name plate's slash.
        EXPECT_GT(orbit.Bright(-100, 665, 30, 705, 500), 100) << "the garage title";
        EXPECT_LT(orbit.Bright(40, 660, 155, 712, 300), 5) << "the garage title runs into the name plate";
        for (int i = 0; i < 2; ++i) S().TapKey(tmKey::kP);
        Shoot("garage_closeup", 30);
        S().TapKey(tmKey::kReturn);
        for (int i = 0; i < 5; ++i) S().TapKey(tmKey::kDown);
        S().TapKey(tmKey::kReturn);  // Dravik/S
        Shoot("garage_dravik", 60);
    }
};

class GarageDisplay4x3 : public GarageDisplay {
protected:
    void SetUp() override {
        videoMode_ = 4;
        prefix_ = "menu_4x3_";
        Open(kSeqTitle);
    }
};
}  // namespace

TEST_F(GarageDisplay, ShowsTheLitStudioBehindTheListAndOrbitsTheChosenMachine) {
    Walk();
    CheckAll("menu_contact_garage");
}

// On a 4:3 screen the garage is the wide one scaled into the fitted screen: the studio behind the list, the
// foot bar on the studio's floor at the fitted screen's foot, the machine whole, black bands.
TEST_F(GarageDisplay4x3, IsTheWideOneScaledIntoTheFittedScreen) {
    Walk();
    for (const std::string& name : order_) EXPECT_EQ(LitInBands(shots_[name]), 0) << name << ": the bands";
    CheckAll("menu_contact_4x3_garage");
}

namespace {
// The ending opened straight after a cup the local driver (id 9 of ten) finished at `place`.
class EndingDisplay : public MenuProgramDisplay {
protected:
    void SetUp() override {}
    void OpenAfterCup(int place) {
        Open(kSeqEnding, [place] {
            tmRaceState& rs = tmRaceState::Get();
            rs.ClearCup();
            rs.setup.mode = kRaceModeCup;
            rs.setup.count = 10;
            rs.setup.local = 0;
            rs.entrants[0].entrantId = 9;
            for (int d = 0; d < 10; ++d) rs.points[d][0] = d == 9 ? 30u - 3u * uint32_t(place) : uint32_t(28 - 3 * d);
            rs.cup.raceIndex = 0;
            rs.ComputeStandings();
        });
    }
};
}  // namespace

TEST_F(EndingDisplay, WinnersRankAndStaffRoll) {
    OpenAfterCup(0);
    ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqEnding>() != nullptr; }, 5));
    const tmSeqEnding& ending = *Screen<tmSeqEnding>();
    ASSERT_EQ(ending.GetRank(), 0);
    const harness::FramePicture& rank = Shoot("ending_rank_1st", 130);
    // The gold place in the middle of a black screen.
    EXPECT_GT(rank.Bright(300, 250, 730, 520, 450), 2000) << "the rank is not shown";
    EXPECT_LT(rank.Bright(-171, 0, 100, 80, 100), 10) << "the corner is not black";
    // Decide skips the rank; held, it hurries the roll on.
    S().Input().SetKey(tmKey::kReturn, true);
    ASSERT_TRUE(S().RunUntil([&] { return ending.GetState() == tmSeqEnding::kStaffRoll; }, 20));
    // The backdrop, trophy and shade in place, the roll's first lines over them.
    ASSERT_TRUE(RunUntilQuickly([&] { return ending.GetRoll() >= 0.12f; }, 400));
    const harness::FramePicture& roll = Shoot("ending_roll_start", 0);
    EXPECT_GT(roll.Variety(), 40);
    EXPECT_GT(roll.Bright(180, 120, 560, 620, 450), 3000) << "the trophy is dark";
    // The lines are white or light: nothing else on the right half is as bright.
    EXPECT_GT(roll.Bright(580, 0, 950, 768, 600), 500) << "the first lines are hidden";
    ASSERT_TRUE(RunUntilQuickly([&] { return ending.GetRoll() >= 0.5f; }, 400));
    const harness::FramePicture& later = Shoot("ending_roll_later", 0);
    // The roll climbs: the upper right, empty at its start, now holds lines.
    EXPECT_GT(later.Bright(580, 0, 950, 300, 600), roll.Bright(580, 0, 950, 300, 600) + 300)
        << "the staff lines do not move";
    // The last lines: the name and its holder, then the makers.
    ASSERT_TRUE(RunUntilQuickly([&] { return ending.GetRoll() >= 1.12f; }, 600));
    const harness::FramePicture& end = Shoot("ending_roll_end", 0);
    S().Input().SetKey(tmKey::kReturn, false);
    EXPECT_GT(end.Bright(580, 0, 950, 768, 600), 500) << "the last lines are hidden";
    CheckAll("menu_contact_ending");
}

TEST_F(EndingDisplay, OffThePodium) {
    OpenAfterCup(5);
    ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqEnding>() != nullptr; }, 5));
    ASSERT_EQ(Screen<tmSeqEnding>()->GetRank(), 3);
    const harness::FramePicture& lose = Shoot("ending_rank_lose", 130);
    EXPECT_GT(lose.Bright(300, 250, 730, 520, 300), 2000) << "the rank is not shown";
}

// On a 4:3 screen the ending is the 16:9 one scaled into the fitted screen: the staff lines roll up right of
// the trophy as one column at one speed (about 192 pixels per unit of the roll's offset at 1366 x 768: ten
// units some 20 in front of a lens of a quarter turn, scaled), and nothing of them draws in the black bands.
TEST_F(EndingDisplay, StaffRollOnA4x3ScreenIsTheWideOneScaledIntoTheFittedScreen) {
    videoMode_ = 4;
    prefix_ = "menu_4x3_";
    OpenAfterCup(0);
    ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqEnding>() != nullptr; }, 5));
    const tmSeqEnding& ending = *Screen<tmSeqEnding>();
    Wait(100);
    S().Input().SetKey(tmKey::kReturn, true);  // skips the rank, then hurries the roll
    ASSERT_TRUE(S().RunUntil([&] { return ending.GetState() == tmSeqEnding::kStaffRoll; }, 20));
    const char* const names[4] = {"ending_roll_start", "ending_roll_later", "ending_roll_moved", "ending_roll_end"};
    const float rolls[4] = {0.12f, 0.5f, 0.0f, 1.12f};  // 0: sixteen steps on
    float at[4];
    for (int i = 0; i < 4; ++i) {
        if (rolls[i] > 0.0f) {
            ASSERT_TRUE(RunUntilQuickly([&] { return ending.GetRoll() >= rolls[i]; }, 600));
        }
        const harness::FramePicture& p = Shoot(names[i], rolls[i] > 0.0f ? 0 : 16);
        at[i] = ending.GetRoll();
        ASSERT_EQ(p.width, 1024u);
        EXPECT_EQ(LitInBands(p), 0) << names[i] << ": the bands are not black";
    }
    S().Input().SetKey(tmKey::kReturn, false);
    // Only the lines move: nothing changes over the trophy (virtual x 180..560, y 120..620), while the
    // column right of it holds them.
    const harness::FramePicture &a = shots_[names[1]], &b = shots_[names[2]];
    int onTrophy = 0;
    for (int y = 190; y < 560; ++y)
        for (int x = 270; x < 500; ++x) onTrophy += shots_[names[0]].At(x, y) != a.At(x, y);
    EXPECT_LT(onTrophy, 50) << "staff lines over the trophy";
    // One column at one speed: the upper and the lower half of the column right of the trophy both move
    // up by the distance the roll's offset makes.
    const float roll = 20.0f * (at[2] - at[1]);
    const int expected = int(192.0f * 1024.0f / 1366.0f * roll + 0.5f);
    const auto shift = [&](int y0, int y1, int* lines) {
        int best = -1, bestMatch = 0;
        for (int d = 1; d < 200; ++d) {
            int match = 0;
            for (int y = std::max(y0, 97 + d); y < y1; ++y)
                for (int x = 560; x < 1024; ++x) match += White(a.At(x, y)) && White(b.At(x, y - d));
            if (match > bestMatch) bestMatch = match, best = d;
        }
        *lines = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 560; x < 1024; ++x) *lines += White(a.At(x, y));
        return best;
    };
    int upper = 0, lower = 0;
    const int up = shift(96, 384, &upper), down = shift(384, 672, &lower);
    EXPECT_NEAR(up, down, 2) << "the lines move at two speeds";
    EXPECT_NEAR(up, expected, expected / 10) << "the lines move at another speed than on a wide screen";
    EXPECT_GT(std::min(upper, lower), 300) << "no staff lines right of the trophy";
    CheckAll("menu_contact_4x3_ending");
}
