// TestScreensDisplayTest.cpp -- the real program (SDL window, OpenGL) started on each engine test screen: a picture
// of each, checks that each draws its own content, and the display-mode keys changing the back buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "harness/FramePicture.h"
#include "harness/Harness.h"
#include "menu/MenuReplays.h"
#include "menu/tmMenuFlow.h"
#include "sys/input/tmInputActions.h"
#include "test/tmSeqSample.h"
#include "test/tmSeqTest01.h"
#include "test/tmSeqTest02.h"
#include "test/tmSeqTest03.h"
#include "test/tmSeqTestNetwork.h"
#include "test/tmSeqTestSound.h"
#include "test/tySeqTest01.h"

namespace {

using harness::FramePicture;

int Red(uint32_t p) { return int((p >> 16) & 0xFF); }
int Green(uint32_t p) { return int((p >> 8) & 0xFF); }
int Blue(uint32_t p) { return int(p & 0xFF); }

// Pixels of a back-buffer rectangle for which pred holds.
template <class F>
int Count(const FramePicture& p, int x0, int y0, int x1, int y1, F pred) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += pred(p.At(x, y));
    return n;
}
// Distinct colours (coarsened) in a back-buffer rectangle.
int Colours(const FramePicture& p, int x0, int y0, int x1, int y1) {
    std::map<uint32_t, int> seen;
    for (int y = y0; y < y1; y += 2)
        for (int x = x0; x < x1; x += 2) ++seen[p.At(x, y) & 0xE0E0E0u];
    return static_cast<int>(seen.size());
}
// Distinct colours of the whole picture: one for a blank frame.
int AllColours(const FramePicture& p) {
    return Colours(p, 0, 0, static_cast<int>(p.width), static_cast<int>(p.height));
}
bool Lit(uint32_t p) { return FramePicture::Brightness(p) > 360; }
bool Saturated(uint32_t p) {
    const int hi = std::max({Red(p), Green(p), Blue(p)}), lo = std::min({Red(p), Green(p), Blue(p)});
    return hi - lo > 70;
}

class TestScreensDisplay : public ::testing::Test {
protected:
    // Starts the program on a test screen; false (the test is skipped) without a display.
    bool Open(int id, const std::function<void()>& beforeStart = {}) {
        tmMenuFlow::SetNormalPlay(true);
        session_.reset();  // a session gives the working folder back before the next takes one
        harness::SessionSetup setup;
        setup.runData = true;
        setup.realWindow = true;
        setup.firstScreen = id;
        setup.beforePresent = [this] { picture_.Take(); };
        session_ = std::make_unique<harness::Session>(setup);
        if (!session_->HasWindow()) return false;
        if (beforeStart) beforeStart();
        if (!session_->Start()) return false;
        return session_->RunUntil([&] { return session_->CurrentId() == id; }, 10);
    }
    harness::Session& S() { return *session_; }
    // Runs `frames` frames, then shoots the next one under `name`.
    const FramePicture& Shoot(const std::string& name, int frames) {
        for (int i = 0; i < frames; ++i) S().Frame();
        picture_.wanted = true;
        S().Frame();
        EXPECT_FALSE(picture_.Empty()) << name;
        EXPECT_TRUE(picture_.Write("test_" + name)) << name;
        shots_[name] = picture_;
        return shots_[name];
    }
    // The title line: lit text in the top right corner, and nothing lit in the top left.
    void ExpectTitle(const FramePicture& p, const std::string& name) {
        const int w = static_cast<int>(p.width);
        EXPECT_GT(Count(p, w - 420, 0, w, 48, Lit), 40) << name;
        EXPECT_GT(AllColours(p), 1) << name << " is blank";
    }

    std::unique_ptr<harness::Session> session_;
    FramePicture picture_;
    std::map<std::string, FramePicture> shots_;
};

}  // namespace

TEST_F(TestScreensDisplay, SampleShowsItsTitleAndItsDigitKeysSetTheDisplayUpAgain) {
    if (!Open(tmSeqSample::kId)) GTEST_SKIP() << "no display for the game window";
    const FramePicture& first = Shoot("sample", 5);
    EXPECT_EQ(first.width, 1366u);
    ExpectTitle(first, "sample");
    S().TapKey(tmKey::k1);
    const FramePicture& small = Shoot("sample_1024x768", 3);
    EXPECT_EQ(small.width, 1024u);
    EXPECT_EQ(small.height, 768u);
    ExpectTitle(small, "sample at 1024 x 768");
    S().TapKey(tmKey::k2);
    const FramePicture& tiny = Shoot("sample_640x480", 3);
    EXPECT_EQ(tiny.width, 640u);
    EXPECT_EQ(tiny.height, 480u);
    ExpectTitle(tiny, "sample at 640 x 480");
    S().TapKey(tmKey::k9);
    const FramePicture& same = Shoot("sample_again", 3);
    EXPECT_EQ(same.width, 640u) << "9 keeps the size";
    S().TapKey(tmKey::kEscape);
    ASSERT_TRUE(S().RunUntil([&] { return S().CurrentId() == kSeqDebugMenu; }, 10));
}

TEST_F(TestScreensDisplay, Test01ShowsTheTestModelsDigitsAndCells) {
    if (!Open(tmSeqTest01::kId)) GTEST_SKIP() << "no display for the game window";
    const FramePicture& p = Shoot("test01", 100);
    ExpectTitle(p, "test01");
    EXPECT_GT(p.Variety(), 40);
    // Each third of the middle band holds a model of many colours over the dark clear.
    for (int third = 0; third < 3; ++third) {
        const int x0 = 183 + third * 333;
        EXPECT_GT(Colours(p, x0, 200, x0 + 333, 480), 12) << "model " << third;
        EXPECT_GT(Count(p, x0, 200, x0 + 333, 480, [](uint32_t c) { return c != 0; }), 4000) << "model " << third;
    }
    // The nineteen cells along the bottom: saturated colours across the row.
    int columns = 0;
    for (int x = 100; x < 1266; x += 31) columns += Count(p, x, 672, x + 8, 720, Saturated) > 20;
    EXPECT_GT(columns, 30);
    const FramePicture first = p;
    const FramePicture& later = Shoot("test01_later", 30);
    EXPECT_GT(later.DifferenceTo(first), 0.002f) << "the models turn";
}

TEST_F(TestScreensDisplay, Test02ListsTheReplaysOfItsFolder) {
    const auto writeReplays = [] {
        for (int i = 0; i < 6; ++i) {
            const std::string name = "QUVASE_REP0220_2024010" + std::to_string(i + 1) + "120000.dat";
            ASSERT_TRUE(menutest::WriteReplay(name, menutest::MakeHeader(i % 3, 2 + i, 1 + i, 1704110400 + i)));
        }
    };
    if (!Open(tmSeqTest02::kId, writeReplays)) GTEST_SKIP() << "no display for the game window";
    const FramePicture& p = Shoot("test02", 10);
    ExpectTitle(p, "test02");
    // The count and six lines under the title, at the left.
    int rows = 0;
    for (int row = 1; row < 10; ++row) rows += Count(p, 0, 4 + row * 16, 700, 4 + row * 16 + 14, Lit) > 30;
    EXPECT_EQ(rows, 7);
}

TEST_F(TestScreensDisplay, Test03ShowsTheReflectiveBlockFromTwoCameras) {
    if (!Open(tmSeqTest03::kId)) GTEST_SKIP() << "no display for the game window";
    const FramePicture& side = Shoot("test03", 20);
    ExpectTitle(side, "test03");
    // The block fills the middle of the screen with the card, the chrome and the sky's colours.
    EXPECT_GT(Colours(side, 483, 184, 883, 584), 25);
    EXPECT_GT(Count(side, 483, 184, 883, 584, [](uint32_t c) { return Blue(c) > Red(c) + 30; }), 2000)
        << "the sky cube shows in the chrome";
    const FramePicture first = side;
    S().TapKey(tmKey::kP);
    const FramePicture& free = Shoot("test03_free_look", 5);
    EXPECT_GT(free.DifferenceTo(first), 0.02f) << "another camera, another picture";
}

TEST_F(TestScreensDisplay, SoundAndNetworkScreensShowTheirStatusLines) {
    if (!Open(tmSeqTestSound::kId)) GTEST_SKIP() << "no display for the game window";
    S().TapKey(tmKey::kD);
    const FramePicture& sound = Shoot("test_sound", 5);
    ExpectTitle(sound, "sound");
    int rows = 0;
    for (int row = 1; row < 14; ++row) rows += Count(sound, 0, 4 + row * 16, 400, 4 + row * 16 + 14, Lit) > 20;
    EXPECT_GE(rows, 8) << "six status lines and the engine voices";
    S().TapKey(tmKey::kEscape);

    if (!Open(tmSeqTestNetwork::kId)) GTEST_SKIP() << "no display for the game window";
    const FramePicture& net = Shoot("test_network", 5);
    ExpectTitle(net, "network");
    EXPECT_GT(Count(net, 0, 20, 200, 34, Lit), 20) << "the thread line";
}

TEST_F(TestScreensDisplay, TySeqTest01ShowsTheTestCardAndTheStripCell) {
    if (!Open(tySeqTest01::kId)) GTEST_SKIP() << "no display for the game window";
    const FramePicture& p = Shoot("ty_test01", 70);
    ExpectTitle(p, "ty_test01");
    // The card at (200, 300) of the virtual screen (pixel 371, 300): colour bars and an orange ring.
    EXPECT_GT(Colours(p, 371, 300, 497, 426), 10);
    EXPECT_GT(Count(p, 371, 300, 497, 426, [](uint32_t c) { return Red(c) > 200 && Green(c) > 110 && Blue(c) < 90; }),
              30)
        << "the orange ring";
    // The strip cell in the middle: a large white digit.
    EXPECT_GT(Count(p, 583, 284, 783, 484, Lit), 400);
}
