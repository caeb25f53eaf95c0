// tmRaceProgramShapesDisplayTest.cpp -- the real program's race on windows of every shape: the display stays
// inside the window at its corners, the quit fade covers all of it, and the menus' bands are black.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "frontend/HudPixels.h"
#include "harness/FramePicture.h"
#include "harness/Harness.h"
#include "harness/RaceRoad.h"
#include "menu/tmMenuFlow.h"
#include "menu/tmSeqMenuMain.h"
#include "race/tmRaceChoiceMenu.h"
#include "race/tmSeqRace.h"
#include "sys/gfx/tmRenderSetting.h"
#include "sys/input/tmInputActions.h"
#include "sys/render/tmDraw.h"

namespace {

// A window: a saved video mode, or (mode -1) a size the device is set up again at after the start.
struct Shape {
    int mode, width, height;
    const char* name;
};

class RaceProgramShapes : public ::testing::TestWithParam<Shape> {
protected:
    // The picture as the digit reader takes it.
    static Picture Digits(const harness::FramePicture& f) { return Picture{int(f.width), int(f.height), f.pixels}; }
    // A point of the 1366 x 768 race display anchored to the window's nearest corner.
    int X(float x) const { return int(x < 683.0f ? x * k_ : float(w_) - (1366.0f - x) * k_); }
    int Y(float y) const { return int(y < 384.0f ? y * k_ : float(h_) - (768.0f - y) * k_); }

    int w_ = 0, h_ = 0;
    float k_ = 1.0f;  // the display's scale: by the height, or by the width on narrow windows
};

TEST_P(RaceProgramShapes, DisplayInsideTheWindowQuitFadeOverItAllAndBlackBands) {
    const Shape shape = GetParam();
    harness::FramePicture picture;
    harness::SessionSetup setup;
    setup.runData = true;
    setup.firstScreen = kSeqDebugMenu;
    setup.realWindow = true;
    setup.videoMode = shape.mode;
    setup.beforePresent = [&picture] { picture.Take(); };
    harness::Session s(setup);
    if (!s.HasWindow()) GTEST_SKIP() << "no display for the game window";
    if (!s.Start()) GTEST_SKIP() << "the renderer cannot start here";
    if (shape.mode < 0) {
        ASSERT_TRUE(tmDraw::GetInstance()->ResetDisplay(shape.width, shape.height));
    }
    w_ = shape.width;
    h_ = shape.height;
    k_ = tmHudScaleOf(uint32_t(w_), uint32_t(h_));
    const std::string name = std::string("RaceProgramShapes/") + shape.name;
    const auto shoot = [&](const char* what) {
        picture.wanted = true;
        s.Frame();
        EXPECT_EQ(picture.width, uint32_t(w_));
        EXPECT_TRUE(picture.Write(name + "_" + what));
        return picture;
    };
    s.Frame();
    // LOAD, the race set-up: single race, machine 1 (Torvin), course 3.
    harness::SetUpDebugMenuRace(s, 3);
    tmMenuFlow::SetNormalPlay(true);
    s.SetStepsPerFrame(8);
    ASSERT_TRUE(s.RunUntil([&] { return harness::RacePhase(s) == tmSeqRace::kRacing; }, 200));
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveRace(s)->GetRaceFrame() > 150; }, 60));
    s.SetStepsPerFrame(1);

    // Each part of the display whole at its corner: the race time reads back in full at the top right,
    // the speedometer's ring shows on both sides of its dial, the lap counter reads at the top left and
    // the mini map's outline shows in its frame at the bottom left.
    const harness::FramePicture race = shoot("race");
    const Picture p = Digits(race);
    // (The reading starts with a point where the box takes in the tip of the tab before the time.)
    const std::string time = ReadDigits(p, X(1098), Y(24), X(1345), Y(70));
    const size_t at = time.size() >= 8 ? time.size() - 8 : 0;
    EXPECT_TRUE(time.size() >= 8 && time[at + 1] == ':' && time[at + 4] == '.' && time.find('?') == std::string::npos)
        << "race time read as " << time;
    const auto orangeNear = [&](int x, int y) {
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) {
                const int px = x + dx, py = y + dy;
                if (px < 0 || py < 0 || px >= w_ || py >= h_) continue;
                const uint32_t c = race.At(px, py);
                if (((c >> 16) & 0xFF) > 200 && (c & 0xFF) < 90) return true;
            }
        return false;
    };
    EXPECT_TRUE(orangeNear(X(1192 + 133), Y(604))) << "the speedometer's right side";
    EXPECT_TRUE(orangeNear(X(1192 - 133), Y(604))) << "the speedometer's left side";
    EXPECT_EQ(ReadDigits(p, X(176), Y(46), X(232), Y(86)), "01") << "lap";
    int map = 0;
    for (int y = Y(530); y < Y(735); ++y)
        for (int x = X(25); x < X(240); ++x) map += harness::FramePicture::Brightness(race.At(x, y)) > 600;
    EXPECT_GT(map, 300) << "mini map";
    // The countdown's panel, still up, keeps clear of the course records: the R of their RACE row shows.
    int letter = 0;
    for (int y = Y(217); y < Y(231); ++y)
        for (int x = X(1029); x < X(1039); ++x) letter += harness::FramePicture::Brightness(race.At(x, y)) > 400;
    EXPECT_GT(letter, 8) << "the course records' RACE row beside the countdown";

    // QUIT from the pause menu: halfway through the fade every row of the window is darker than in the race.
    s.TapKey(tmKey::kEscape);
    ASSERT_TRUE(
        s.RunUntil([&] { return harness::LiveRace(s)->GetPauseMenu()->state == tmRaceChoiceMenu::kChoosing; }, 40));
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kReturn);
    ASSERT_TRUE(s.RunUntil([&] { return harness::RacePhase(s) == tmSeqRace::kFadeOut; }, 60));
    for (int i = 0; i < 9; ++i) s.Frame();
    const harness::FramePicture fade = shoot("quit_fade");
    int lighter = 0;
    for (int y = 0; y < h_; ++y) {
        int64_t before = 0, now = 0;
        for (int x = 0; x < w_; ++x) {
            before += harness::FramePicture::Brightness(race.At(x, y));
            now += harness::FramePicture::Brightness(fade.At(x, y));
        }
        lighter += now * 4 > before * 3 + int64_t(w_) * 12;
    }
    EXPECT_EQ(lighter, 0) << "rows the fade left as they were";

    // The main menu after it, letterboxed on windows narrower than 16:9: the bands are black.
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveScreen<tmSeqMenuMain>(s) != nullptr; }, 120));
    ASSERT_TRUE(
        s.RunUntil([&] { return harness::LiveScreen<tmSeqMenuMain>(s)->GetState() == tmSeqMenuMain::kTop; }, 200));
    for (int i = 0; i < 60; ++i) s.Frame();
    const harness::FramePicture menu = shoot("menu");
    const float fit = std::min(float(h_) / 768.0f, float(w_) / 1366.0f);
    const int band = int((float(h_) - 768.0f * fit) / 2.0f);
    int lit = 0;
    for (int y = 0; y < band; ++y)
        for (int x = 0; x < w_; ++x)
            lit += harness::FramePicture::Brightness(menu.At(x, y)) > 24 ||
                   harness::FramePicture::Brightness(menu.At(x, h_ - 1 - y)) > 24;
    EXPECT_EQ(lit, 0) << "pixels in the bands above and below the menu";
}

INSTANTIATE_TEST_SUITE_P(Windows, RaceProgramShapes,
                         ::testing::Values(Shape{4, 1024, 768, "w1024x768"}, Shape{7, 1280, 800, "w1280x800"},
                                           Shape{-1, 1280, 1024, "w1280x1024"}, Shape{9, 1366, 768, "w1366x768"}),
                         [](const ::testing::TestParamInfo<Shape>& i) { return std::string(i.param.name); });

}  // namespace
