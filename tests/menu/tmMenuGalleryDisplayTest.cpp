// tmMenuGalleryDisplayTest.cpp -- every menu screen shown in one run of the real program: a picture of each in
// build/shots/menus/, one labelled contact sheet of them all, none blank and no two alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/tmConfig.h"
#include "menu/MenuProgramFixture.h"
#include "menu/MenuReplays.h"
#include "race/tmRaceState.h"

namespace {

constexpr int kU = tmKey::kUp, kD = tmKey::kDown, kR = tmKey::kReturn;

// What a screen needs before it is shown.
void SingleRace() {
    tmRaceState& rs = tmRaceState::Get();
    rs.setup = tmRaceSetup{};
    rs.setup.mode = kRaceModeSingle;
    rs.setup.course = 3;
    rs.setup.count = 1;
    tmEntrant player;
    player.machineId = 1;
    player.controllerType = kControllerPlayer;
    rs.SetEntrant(0, player);
}
void Records() {
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.UpdateRecord(112345, 3, 3, 1);
    cfg.UpdateRecord(111000, 3, 3, 4);
    cfg.UpdateCourseRecord(36500, 3, 9);
    cfg.UpdateCourseRecord(36800, 3, 1);
}
void Trophies() {
    for (int i : {0, 1, 6, 33, 42, 53, 90}) tmConfig::GetInstance().Unlock(i);
}
void Replays() {
    for (int k = 0; k < 4; ++k)
        ASSERT_TRUE(
            menutest::WriteReplay("QUVASE_REP0220_2024030112000" + std::to_string(k) + ".dat",
                                  menutest::MakeHeader(k % 2, 3 + 2 * k, 1 + k % 3, 1709294400 + 3600 * k, 1 + 3 * k)));
    tmRaceState::Get().setup.mode = kRaceModeReplay;
}

// A cup just won by the local driver (id 9 of ten).
void CupWon() {
    tmRaceState& rs = tmRaceState::Get();
    rs.ClearCup();
    rs.setup.mode = kRaceModeCup;
    rs.setup.count = 10;
    rs.setup.local = 0;
    rs.entrants[0].entrantId = 9;
    for (int d = 0; d < 10; ++d) rs.points[d][0] = d == 9 ? 30u : uint32_t(28 - 3 * d);
    rs.cup.raceIndex = 0;
    rs.ComputeStandings();
}

// One picture: the screen jumped to, what it needs first, the logic steps it runs before the keys are
// tapped, the keys, and the steps after them before the shot.
struct Shot {
    int id;
    const char* name;
    void (*prepare)();
    int settle;
    std::vector<int> keys;
    int after;
};

// The screens a person meets in the menus and the ending, then the debug menu's viewers. A new screen is one more line.
const Shot kShots[] = {
    {13, "title_logo", nullptr, 90, {}, 0},
    {13, "title", nullptr, 20, {kR}, 90},
    {14, "main_top", nullptr, 120, {}, 0},
    {14, "main_single", nullptr, 70, {kR}, 40},
    {14, "main_cup", nullptr, 70, {kR, kD, kR}, 30},
    {14, "main_replay", nullptr, 70, {kD, kR}, 40},
    {14, "main_network", nullptr, 70, {kD, kD, kR}, 40},
    {14, "main_lobby_question", nullptr, 70, {kD, kD, kR, kR}, 30},
    {14, "main_viewers", nullptr, 70, {kD, kD, kD, kR}, 40},
    {14, "main_options", nullptr, 70, {kU, kU, kR}, 40},
    {22, "course_select", SingleRace, 60, {}, 0},
    {21, "machine_select", SingleRace, 80, {}, 0},
    {21, "machine_transmission", SingleRace, 60, {kR}, 30},
    {24, "loading", SingleRace, 18, {}, 0},
    {17, "options_game", nullptr, 70, {}, 0},
    {18, "options_controller", nullptr, 70, {}, 0},
    {19, "options_video", nullptr, 70, {}, 0},
    {20, "options_sound", nullptr, 70, {}, 0},
    {16, "records", Records, 80, {}, 0},
    {15, "trophies", Trophies, 80, {}, 0},
    {8, "garage", nullptr, 60, {}, 0},
    {23, "replay_select", Replays, 80, {}, 0},
    {28, "ending", CupWon, 130, {}, 0},
    {9, "course_viewer", nullptr, 150, {}, 0},
    {10, "race_display_viewer", nullptr, 30, {}, 0},
};

// Rows (top, bottom) of the first run of lines that hold a pixel brighter than `least` in a virtual-screen
// box: the first line of a caption; {-1, -1} when none. `edge` reports a bright pixel on the box's border.
struct Ink {
    int top = -1, bottom = -1;
    bool edge = false;
};
Ink FirstLine(const harness::FramePicture& p, int x0, int y0, int x1, int y1, int least) {
    Ink ink;
    for (int y = y0; y < y1; ++y) {
        bool any = false;
        for (int x = x0; x < x1; ++x)
            if (harness::FramePicture::Brightness(p.AtVirtual(float(x), float(y))) > least) {
                any = true;
                ink.edge = ink.edge || x == x0 || x == x1 - 1 || y == y0 || y == y1 - 1;
            }
        if (!any) continue;
        if (ink.top < 0)
            ink.top = ink.bottom = y;
        else if (ink.bottom == y - 1)
            ink.bottom = y;  // the first line goes on; after a gap the next lines are left out
    }
    return ink;
}

// The buttons of an open main-menu page (band at `bandY`), the cursor's first one aside: each caption
// stays inside its button and all are set at one size (their first lines are equally tall).
void CaptionsShareTheirRowsSize(const harness::FramePicture& p, const char* name, float bandY, int buttons) {
    std::vector<int> heights;
    for (int i = 1; i < buttons; ++i) {
        const int x = -171 + 500 + 168 * i, y = int(bandY) + 6;
        // The box keeps inside the button's lit edge; only the caption is bright within it.
        const Ink ink = FirstLine(p, x + 6, y + 5, x + 154, y + 47, 300);
        ASSERT_GE(ink.top, 0) << name << " button " << i << " shows no caption";
        EXPECT_FALSE(ink.edge) << name << " button " << i << ": the caption runs out of its frame";
        heights.push_back(ink.bottom - ink.top + 1);
    }
    const auto [low, high] = std::minmax_element(heights.begin(), heights.end());
    EXPECT_LE(*high - *low, 2) << name << ": captions of one row at different sizes";
}

class MenuGallery : public MenuProgramDisplay {
protected:
    MenuGallery() { prefix_ = "menus/"; }
    tmSequenceFactory Screens() override { return harness::JumpableScreens(); }
};

}  // namespace

TEST_F(MenuGallery, EveryMenuScreen) {
    std::vector<std::string> labels;
    for (const Shot& shot : kShots) {
        if (shot.prepare) shot.prepare();
        const size_t switches = S().Switches().size();
        harness::JumpTo(shot.id);
        ASSERT_TRUE(S().RunUntil(
            [&] {
                tmSequenceManager* m = S().Loop().GetSequenceManager();
                return S().Switches().size() > switches && S().CurrentId() == shot.id && m->GetScreen();
            },
            20))
            << shot.name;
        Wait(shot.settle);
        for (int key : shot.keys) S().TapKey(key);
        Wait(shot.after);
        ASSERT_EQ(S().CurrentId(), shot.id) << shot.name << " left by itself";
        Shoot(std::to_string(shot.id) + "_" + shot.name, 0);
        labels.push_back(std::to_string(shot.id) + " " + shot.name);
    }
    CheckAll("menus-contact-sheet", labels);

    // A question window hides the page's buttons beneath it: nothing of LOBBY reads through the yes/no
    // window, nor CHAMPIONSHIP and VS GHOST through the cup window.
    EXPECT_EQ(shots_["14_main_lobby_question"].Bright(336, 262, 456, 302, 120), 0)
        << "the yes/no window is see-through";
    EXPECT_EQ(shots_["14_main_cup"].Bright(556, 271, 736, 281, 85), 0) << "the cup window is see-through";
    // The pages' buttons: single player and records open at y 244, options at 197.
    CaptionsShareTheirRowsSize(shots_["14_main_single"], "single player", 244, 4);
    CaptionsShareTheirRowsSize(shots_["14_main_viewers"], "records", 244, 4);
    CaptionsShareTheirRowsSize(shots_["14_main_options"], "options", 197, 5);
}
