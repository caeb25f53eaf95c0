// tmRaceProgramDisplayTest.cpp -- the real program (SDL window, OpenGL, no sound) races a cup lap from the debug menu.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include "app/tmConfig.h"
#include "harness/Autopilot.h"
#include "harness/Harness.h"
#include "harness/RaceRoad.h"
#include "menu/tmMenuFlow.h"
#include "platform/gfx/Device.h"
#include "race/tmRaceResultPanel.h"
#include "race/tmSeqRace.h"
#include "sys/input/tmInputActions.h"
#include "sys/render/tmRender.h"

namespace {

// The last picture a frame drew, read back before it was shown.
struct Picture {
    std::vector<uint32_t> pixels;
    uint32_t width = 0, height = 0;
    bool wanted = false;

    void Take() {
        if (!wanted) return;
        tmRender* render = tmRender::GetInstance();
        gfx::Device* device = render ? render->GetDevice() : nullptr;
        if (device && device->readPixels(device->backBuffer(), 0, &pixels, &width, &height)) wanted = false;
    }
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + size_t(x)] & 0xFFFFFFu; }
    // Distinct colours on a coarse grid: a drawn scene has many, an empty frame one.
    int Variety() const {
        std::vector<uint32_t> seen;
        for (uint32_t y = 0; y < height; y += 16)
            for (uint32_t x = 0; x < width; x += 16) {
                const uint32_t c = At(int(x), int(y)) & 0xF0F0F0u;
                bool found = false;
                for (uint32_t s : seen) found |= s == c;
                if (!found) seen.push_back(c);
            }
        return static_cast<int>(seen.size());
    }
    // Near-white pixels in a rectangle (text, digits).
    int Bright(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const uint32_t c = At(x, y);
                n += ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) > 600;
            }
        return n;
    }
    // Share of the pixels in a rectangle given in fractions of the picture that are not black.
    float Lit(float fx0, float fy0, float fx1, float fy1) const {
        const int x0 = int(fx0 * float(width)), x1 = int(fx1 * float(width));
        const int y0 = int(fy0 * float(height)), y1 = int(fy1 * float(height));
        int lit = 0, all = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x, ++all) {
                const uint32_t c = At(x, y);
                lit += ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) > 45;
            }
        return all ? float(lit) / float(all) : 0.0f;
    }
    void Write(const std::string& name) const {
        const std::string dir = std::string(ZARVO_RUN_DIR) + "/../shots";
        mkdir(dir.c_str(), 0755);
        std::vector<uint8_t> rgb(size_t(width) * height * 3);
        for (size_t i = 0; i < size_t(width) * height; ++i) {
            rgb[i * 3] = uint8_t(pixels[i] >> 16);
            rgb[i * 3 + 1] = uint8_t(pixels[i] >> 8);
            rgb[i * 3 + 2] = uint8_t(pixels[i]);
        }
        EXPECT_NE(stbi_write_png((dir + "/" + name).c_str(), int(width), int(height), 3, rgb.data(), int(width) * 3),
                  0);
    }
};

// The real program from the debug menu in a real window, each presented frame taken into `picture`.
harness::SessionSetup DebugMenuInTheRealWindow(Picture& picture) {
    harness::SessionSetup setup;
    setup.runData = true;
    setup.firstScreen = kSeqDebugMenu;
    setup.realWindow = true;
    setup.beforePresent = [&picture] { picture.Take(); };
    return setup;
}

}  // namespace

TEST(RaceProgramDisplay, CupLapFromTheDebugMenuInTheRealWindow) {
    Picture picture;
    harness::Session s(DebugMenuInTheRealWindow(picture));
    if (!s.HasWindow()) GTEST_SKIP() << "no display for the game window";
    harness::Autopilot::Prepare(s);
    tmConfig::GetInstance().SetGameOption2(1);  // one lap
    if (!s.Start()) GTEST_SKIP() << "the renderer cannot start here";
    s.Frame();
    // MAIN, the race set-up: cup, machine 1, course 3.
    for (int i = 0; i < 5; ++i) s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kReturn);
    s.TapKey(tmKey::kRight);
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kDown);
    s.TapKey(tmKey::kRight);
    s.TapKey(tmKey::kReturn);
    tmMenuFlow::SetNormalPlay(true);

    // The race in progress on the start straight, seven seconds after the start.
    s.SetStepsPerFrame(8);
    harness::Autopilot pilot;
    const auto drive = [&](const std::function<bool()>& done, int frames) {
        for (int i = 0; i < frames && !done(); ++i) {
            pilot.BeforeFrame(s);
            s.Frame();
        }
        return done();
    };
    ASSERT_TRUE(
        drive([&] { return harness::LiveRace(s) && harness::LiveRace(s)->GetPhase() == tmSeqRace::kRacing; }, 200));
    ASSERT_TRUE(drive([&] { return harness::LiveRace(s)->GetRaceFrame() > 420; }, 400));
    s.SetStepsPerFrame(1);
    picture.wanted = true;
    pilot.BeforeFrame(s);
    s.Frame();
    ASSERT_FALSE(picture.pixels.empty());
    picture.Write("RaceProgramDisplay.RaceInProgress.png");
    EXPECT_GT(picture.Variety(), 15);  // the scene and the race display
    EXPECT_GT(picture.Bright(0, 0, int(picture.width) / 2, int(picture.height) / 4), 50);  // rank and lap
    // The course's scenery under the race display is lit and coloured, not black
    // silhouettes: the road right of the machine, the trees on the left, the stand ahead.
    EXPECT_GT(picture.Lit(0.70f, 0.53f, 0.76f, 0.58f), 0.9f) << "road";
    EXPECT_GT(picture.Lit(0.01f, 0.22f, 0.06f, 0.30f), 0.9f) << "trees";
    EXPECT_GT(picture.Lit(0.32f, 0.27f, 0.40f, 0.33f), 0.9f) << "stand";
    // The mini map's frame (lower left) shows the second view: the circuit's light outline.
    EXPECT_GT(picture.Bright(int(picture.width) * 25 / 1366, int(picture.height) * 530 / 768,
                             int(picture.width) * 240 / 1366, int(picture.height) * 735 / 768),
              400)
        << "mini map";

    // The results panel of the cup race.
    s.SetStepsPerFrame(8);
    ASSERT_TRUE(drive([&] { return harness::LiveRace(s)->GetPhase() == tmSeqRace::kResults; }, 3000));
    s.SetStepsPerFrame(1);
    ASSERT_TRUE(
        s.RunUntil([&] { return harness::LiveRace(s)->GetResults()->state == tmRaceResultPanel::kRaceShown; }, 40));
    for (int i = 0; i < 40; ++i) s.Frame();
    picture.wanted = true;
    s.Frame();
    ASSERT_FALSE(picture.pixels.empty());
    picture.Write("RaceProgramDisplay.ResultsPanel.png");
    // Rows from y 110 (virtual), 40 apart, over the 1024-wide middle: dark translucent panels.
    const float k = static_cast<float>(picture.height) / 768.0f;
    const float offset = (static_cast<float>(picture.width) - static_cast<float>(picture.height) * 4.0f / 3.0f) / 2.0f;
    const int x = static_cast<int>(600 * k + offset), y = static_cast<int>((110 + 19) * k);
    EXPECT_GT(picture.Bright(int(238 * k + offset), int(110 * k), int(480 * k + offset), int(470 * k)), 300);  // names
    const uint32_t row = picture.At(x, y);
    EXPECT_LT(((row >> 16) & 0xFF) + ((row >> 8) & 0xFF) + (row & 0xFF), 3u * 140u);
}

// The clumsy player's road in the real window on the software rasteriser: full throttle without steering into
// the first wall of course 3, held there in the tyre smoke, then braking. The race keeps going (the stall on
// llvmpipe was one frame taking seconds, then minutes, once pinned), and the picture at the wall shows the scene
// and the mini map.
TEST(RaceProgramDisplay, FullThrottleIntoTheFirstWallKeepsDrawing) {
    Picture picture;
    harness::Session s(DebugMenuInTheRealWindow(picture));
    if (!s.HasWindow()) GTEST_SKIP() << "no display for the game window";
    tmConfig::GetInstance().SetGameOption2(1);  // one lap
    if (!s.Start()) GTEST_SKIP() << "the renderer cannot start here";
    s.Frame();
    // LOAD, the race set-up: single race, machine 1, course 3.
    harness::SetUpDebugMenuRace(s, 3);
    tmMenuFlow::SetNormalPlay(true);
    s.SetStepsPerFrame(8);
    ASSERT_TRUE(s.RunUntil([&] { return harness::RacePhase(s) == tmSeqRace::kRacing; }, 200));
    s.Input().SetKey(tmKey::kZ, true);
    const uint32_t start = harness::LiveRace(s)->GetRaceFrame();
    ASSERT_TRUE(s.RunUntil([&] { return harness::LiveRace(s)->GetRaceFrame() > start + 25 * 60; }, 250));
    picture.wanted = true;
    s.Frame();
    ASSERT_FALSE(picture.pixels.empty());
    picture.Write("RaceProgramDisplay.AtTheFirstWall.png");
    EXPECT_GT(picture.Variety(), 15);
    EXPECT_GT(picture.Bright(int(picture.width) * 25 / 1366, int(picture.height) * 530 / 768,
                             int(picture.width) * 240 / 1366, int(picture.height) * 735 / 768),
              400)
        << "mini map";
    s.Input().SetKey(tmKey::kZ, false);
    s.Input().SetKey(tmKey::kA, true);
    s.SetStepsPerFrame(8);
    const uint32_t braking = harness::LiveRace(s)->GetRaceFrame();
    EXPECT_TRUE(s.RunUntil([&] { return harness::LiveRace(s)->GetRaceFrame() > braking + 5 * 60; }, 60));
}
