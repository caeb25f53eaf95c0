// tmMainLoopTest.cpp -- step counting, and whole sessions through the headless harness.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/tmConfig.h"
#include "app/tmProgram.h"
#include "harness/Harness.h"
#include "platform/fs/FileSystem.h"
#include "platform/window/QuitSignal.h"
#include "sys/input/tmPeripheral.h"

namespace {

const int kReturn = 28, kBackspace = 14, kUp = 200;

long FileSize(const char* path) {
    struct stat st {};
    return stat(path, &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

// Screens 13 and 14 that only leave for 14 on decide: a switch in a chosen step.
class DecideScreen : public tmSequence {
public:
    void Init() override {}
    int Update() override {
        const tmPeripheral* in = tmPeripheral::GetInstance();
        return in && in->IsDecideTriggered() ? 14 : 0;
    }
    void Term() override {}
    void Draw() override {}
};
tmSequenceFactory DecideScreens() {
    tmSequenceFactory f;
    f.Set(13, []() -> tmSequence* { return new DecideScreen(); });
    f.Set(14, []() -> tmSequence* { return new DecideScreen(); });
    return f;
}

}  // namespace

TEST(tmMainLoopStepCount, CarryDecidesExtraSteps) {
    tmMainLoop loop(tmMainLoopSetup{});
    // A short frame with a carry of at most 0.5: one step, the carry only decays.
    loop.SetLastStepTime(1000);
    loop.SetStepCarry(0.5f);
    EXPECT_EQ(loop.StepCount(1000 + 16000), 1);
    EXPECT_FLOAT_EQ(loop.GetStepCarry(), 0.5f * 0.94f);

    loop.SetLastStepTime(1000);
    loop.SetStepCarry(0.6f);
    EXPECT_EQ(loop.StepCount(1000 + 10000), 2);
    EXPECT_NEAR(loop.GetStepCarry(), -0.4f * 0.94f, 1e-6f);

    // A slow frame of 2.5 ticks: 1.5 carried, rounded to two extra steps.
    loop.SetLastStepTime(0);
    loop.SetStepCarry(0.0f);
    EXPECT_EQ(loop.StepCount(41667), 3);
}

TEST(tmMainLoopStepCount, StallIsCappedAtEightAndForgotten) {
    tmMainLoop loop(tmMainLoopSetup{});
    loop.SetLastStepTime(5000);
    loop.SetStepCarry(0.0f);
    EXPECT_EQ(loop.StepCount(5000 + 1000000), 8);
    EXPECT_EQ(loop.GetStepCarry(), 0.0f);
    EXPECT_EQ(loop.StepCount(5000 + 1000000 + 16000), 1);

    // Across the wrap of the 32-bit microsecond clock the true interval counts.
    loop.SetLastStepTime(0xFFFFFFFFu - 500000u);
    EXPECT_EQ(loop.StepCount(500000u), 8);
    loop.SetLastStepTime(0xFFFFFFFFu - 5000u);
    EXPECT_EQ(loop.StepCount(5000u), 1);
}

TEST(tmMainLoopSession, TitleToMainMenuToQuitWritesTheSave) {
    harness::Session s;
    ASSERT_TRUE(s.Start());
    int frames = 0;
    for (; frames < 10; ++frames) ASSERT_TRUE(s.Frame());
    EXPECT_EQ(s.CurrentId(), 13);
    s.TapKey(kReturn);  // skips the makers' logo
    s.TapKey(kReturn);  // confirms the title
    frames += 4;
    while (s.CurrentId() == 13 && frames < 100) {
        ASSERT_TRUE(s.Frame());
        ++frames;
    }
    EXPECT_EQ(s.CurrentId(), 14);
    for (int i = 0; i < 70; ++i, ++frames) ASSERT_TRUE(s.Frame());  // the menu slides in
    s.TapKey(kUp);                                                  // QUIT
    frames += 2;
    s.Input().SetKey(kReturn, true);
    while (s.Frame()) ++frames;
    EXPECT_TRUE(s.Ended());

    ASSERT_EQ(s.Switches().size(), 2u);
    EXPECT_EQ(s.Switches()[1].previous, 13);
    EXPECT_EQ(s.Switches()[1].next, 14);
    EXPECT_EQ(FileSize("quvase.sav"), static_cast<long>(tmConfig::kImageSize));
    // One logic step per frame.
    EXPECT_EQ(tmConfig::GetInstance().GetFrameCount(), static_cast<uint32_t>(frames));
}

TEST(tmMainLoopSession, RunsSixtyFramesPerSecondOfClock) {
    harness::Session s;
    ASSERT_TRUE(s.Start());
    ASSERT_TRUE(s.Frame());
    const uint64_t start = s.Clock().NowMicros();
    for (int i = 0; i < 180; ++i) ASSERT_TRUE(s.Frame());
    EXPECT_NEAR(static_cast<double>(s.Clock().NowMicros() - start), 3000000.0, 200.0);
    EXPECT_EQ(s.Loop().GetSequenceManager()->GetTotalSteps(), 181u);
    EXPECT_NEAR(tmMainLoop::GetPublishedFrameRate(), 60.0f, 0.1f);
}

TEST(tmMainLoopSession, ClosingTheWindowEndsTheFrameAndEndsTheScreenFirst) {
    harness::Session s;
    ASSERT_TRUE(s.Start());
    ASSERT_TRUE(s.Frame());
    s.Window().RequestClose();
    EXPECT_FALSE(s.Frame());
    EXPECT_EQ(FileSize("quvase.sav"), static_cast<long>(tmConfig::kImageSize));
    // The live screen still exists until Shutdown, which ends it before the input goes.
    EXPECT_EQ(s.CurrentId(), 13);
    EXPECT_NE(tmPeripheral::GetInstance(), nullptr);
    s.Loop().Shutdown();
    EXPECT_EQ(s.CurrentId(), 0);
    EXPECT_EQ(tmPeripheral::GetInstance(), nullptr);
}

namespace {

// The quit signal handlers and TMPDIR of a test whose death-test children end at once: their session folders,
// which they cannot remove, go inside a folder of this process; both are put back at the end.
class QuitSignalScope {
public:
    QuitSignalScope() {
        const char* tmp = std::getenv("TMPDIR");
        hadTmp_ = tmp != nullptr;
        if (tmp) tmp_ = tmp;
        setenv("TMPDIR", children_.Path().c_str(), 1);
        platform::InstallQuitSignals();
        platform::ResetQuitSignal();
    }
    ~QuitSignalScope() {
        signal(SIGTERM, SIG_DFL);
        signal(SIGINT, SIG_DFL);
        platform::ResetQuitSignal();
        if (hadTmp_)
            setenv("TMPDIR", tmp_.c_str(), 1);
        else
            unsetenv("TMPDIR");
    }

private:
    platform::TempDirectory children_;
    std::string tmp_;
    bool hadTmp_ = false;
};

}  // namespace

// SIGTERM is the close button: the frame it comes in is the last, and the program's loop writes the save. A
// second SIGTERM while a frame is still drawing (one hung in a driver never reaches its end) ends the process at
// once, and so does one after the loop has ended (a shutdown that hangs).
TEST(tmMainLoopSession, ASigtermEndsTheFrameItCameInAndASecondInAFrameOrOneInShutdownEndsTheProcess) {
    QuitSignalScope scope;
    {
        harness::SessionSetup setup;
        int frame = 0;
        setup.beforePresent = [&] {
            if (++frame == 5) raise(SIGTERM);
        };
        harness::Session s(setup);
        ASSERT_TRUE(s.Start());
        for (int i = 0; i < 4; ++i) ASSERT_TRUE(s.Frame());
        ASSERT_EQ(FileSize("quvase.sav"), -1);
        s.Loop().Run();
        EXPECT_EQ(frame, 5);
        EXPECT_EQ(FileSize("quvase.sav"), static_cast<long>(tmConfig::kImageSize));
    }
    platform::ResetQuitSignal();
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // gtest puts every flag back when the test ends
    EXPECT_EXIT(
        {
            harness::SessionSetup setup;
            setup.beforePresent = [] {
                raise(SIGTERM);
                raise(SIGTERM);
            };
            harness::Session s(setup);
            if (s.Start()) s.Frame();
            _exit(0);  // not reached: the second signal ends the process
        },
        ::testing::ExitedWithCode(128 + SIGTERM), "");
    EXPECT_EXIT(
        {
            harness::SessionSetup setup;
            setup.beforePresent = [] { raise(SIGTERM); };
            harness::Session s(setup);
            if (s.Start()) s.Loop().Run();
            raise(SIGINT);
            _exit(0);  // not reached: a signal during the shutdown ends the process
        },
        ::testing::ExitedWithCode(128 + SIGINT), "");
}

TEST(tmMainLoopSession, SwitchInAFramesFirstStepStopsItsOtherSteps) {
    harness::Session s(DecideScreens());
    ASSERT_TRUE(s.Start());
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(s.Frame());
    // A slow frame would run several steps; the title's answer ends the frame's steps.
    s.Input().SetKey(kReturn, true);
    s.Clock().Advance(100000);
    const uint64_t before = s.Loop().GetSequenceManager()->GetTotalSteps();
    ASSERT_TRUE(s.Frame());
    EXPECT_EQ(s.Loop().GetSequenceManager()->GetTotalSteps() - before, 1u);
    s.Input().SetKey(kReturn, false);
    s.Clock().Advance(100000);
    ASSERT_TRUE(s.Frame());
    // The switch frame: the new screen's first two steps at most.
    EXPECT_EQ(s.Loop().GetSequenceManager()->GetTotalSteps() - before, 3u);
    EXPECT_EQ(s.CurrentId(), 14);
}

TEST(tmProgram, SecondCopyShowsTheMessageAndFails) {
    const std::string name = "zarvo_test_instance_" + std::to_string(getpid());
    platform::SingleInstance first;
    ASSERT_TRUE(first.Acquire(name));
    platform::RecordingMessageBoxes boxes;
    platform::SetMessageBoxSink(&boxes);
    tmProgramOptions options;
    options.window = platform::Window::Backend::Headless;
    options.instanceName = name;
    EXPECT_NE(tmRunProgram(options), 0);
    platform::SetMessageBoxSink(nullptr);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "ZARVO System error");
    EXPECT_EQ(boxes.shown[0].text, "既に起動しています。");
}

TEST(tmProgram, WindowLargerThanTheDesktopFallsBackOnlyWhenWindowed) {
    harness::Session s;  // a fresh working folder and default save image
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetVideoMode(16);  // 1920 x 1200, above the 1920 x 1080 desktop
    cfg.SetWindowed(0);
    auto full = tmCreateGameWindow(platform::Window::Backend::Headless);
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(full->Height(), 1200);
    EXPECT_EQ(FileSize("quvase.sav"), -1);

    cfg.SetWindowed(1);
    auto windowed = tmCreateGameWindow(platform::Window::Backend::Headless);
    ASSERT_NE(windowed, nullptr);
    EXPECT_EQ(windowed->Width(), 1366);
    EXPECT_EQ(windowed->Height(), 768);
    EXPECT_EQ(cfg.GetVideoMode(), 9);
    EXPECT_EQ(FileSize("quvase.sav"), static_cast<long>(tmConfig::kImageSize));
}
