// MenuProgramFixture.h -- the real program (SDL window, OpenGL) in a session of its own, its frames shot as pictures.
#pragma once
#include <gtest/gtest.h>
#include <algorithm>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "harness/FramePicture.h"
#include "harness/Harness.h"
#include "harness/ScreenJumps.h"
#include "menu/tmMenuFlow.h"
#include "menu/tmSeqMenuMain.h"
#include "menu/tmSeqTitle.h"
#include "sys/input/tmInputActions.h"

// Runs the game in its own window with the generated content, in normal play,
// and keeps every picture shot under its name. Skips without a display.
class MenuProgramDisplay : public ::testing::Test {
protected:
    void SetUp() override { Open(kSeqTitle); }
    // The game in its window from screen `first`; `before` runs before the loop starts.
    void Open(int first, const std::function<void()>& before = {}) {
        tmMenuFlow::SetNormalPlay(true);
        harness::SessionSetup setup;
        setup.runData = true;
        setup.realWindow = true;
        setup.firstScreen = first;
        setup.videoMode = videoMode_;
        setup.fullScreen = fullScreen_;
        setup.beforePresent = [this] { picture_.Take(); };
        session_ = std::make_unique<harness::Session>(Screens(), setup);
        if (!session_->HasWindow()) GTEST_SKIP() << "no display for the game window";
        if (before) before();
        if (!session_->Start()) GTEST_SKIP() << "the renderer cannot start here";
    }
    // The screens the session makes: the game's own.
    virtual tmSequenceFactory Screens() { return tmMakeScreenFactory(); }
    harness::Session& S() { return *session_; }

    // Runs `steps` logic steps in as few drawn frames as the loop allows (up to 8 steps a
    // frame; steps a screen switch cuts short are run again), so a wait costs few pictures.
    void Wait(int steps) {
        tmSequenceManager* m = S().Loop().GetSequenceManager();
        const uint64_t until = m->GetTotalSteps() + uint64_t(steps);
        for (int guard = 0; m->GetTotalSteps() < until && guard < steps; ++guard) {
            S().SetStepsPerFrame(int(std::min<uint64_t>(8, until - m->GetTotalSteps())));
            if (!S().Frame()) break;
        }
        S().SetStepsPerFrame(1);
    }
    // Runs up to eight steps a frame until `done` holds (checked after each frame); false when
    // `maxFrames` frames pass first. For waits that need not stop on an exact step.
    bool RunUntilQuickly(const std::function<bool()>& done, int maxFrames) {
        S().SetStepsPerFrame(8);
        const bool ok = S().RunUntil(done, maxFrames);
        S().SetStepsPerFrame(1);
        return ok;
    }
    // Waits `frames` steps, then shoots the next frame and writes it as "<prefix><name>".
    const harness::FramePicture& Shoot(const std::string& name, int frames) {
        Wait(frames);
        picture_.wanted = true;
        S().Frame();
        EXPECT_FALSE(picture_.Empty()) << name;
        EXPECT_TRUE(picture_.Write(prefix_ + name)) << name;
        order_.push_back(name);
        shots_[name] = picture_;
        return shots_[name];
    }
    // From the start to the main menu's top page.
    void ToMainMenu() {
        ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqTitle>() && Screen<tmSeqTitle>()->GetState() >= 1; }, 40));
        S().TapKey(tmKey::kReturn);
        S().TapKey(tmKey::kReturn);
        ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqMenuMain>() != nullptr; }, 40));
        ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqMenuMain>()->GetState() == tmSeqMenuMain::kTop; }, 100));
    }
    // From the start to the garage's list.
    void ToGarage() {
        ToMainMenu();
        for (int i = 0; i < 3; ++i) S().TapKey(tmKey::kDown);
        S().TapKey(tmKey::kReturn);
        S().TapKey(tmKey::kReturn);  // GARAGE
        ASSERT_TRUE(S().RunUntil([&] { return S().CurrentId() == 8; }, 30));
    }
    // The live screen as a T (through a jump wrapper), or null.
    template <class T>
    T* Screen() {
        tmSequenceManager* m = S().Loop().GetSequenceManager();
        return m ? dynamic_cast<T*>(harness::Unwrap(m->GetScreen())) : nullptr;
    }
    // Every picture has content and differs from every other; all go onto one contact sheet, each with
    // its label (its name when none is given).
    void CheckAll(const std::string& sheet, const std::vector<std::string>& labels = {}) {
        std::vector<const harness::FramePicture*> all;
        for (const std::string& n : order_) {
            const harness::FramePicture& p = shots_[n];
            all.push_back(&p);
            EXPECT_GT(p.Variety(), 12) << n << " looks blank";
        }
        for (size_t i = 0; i < order_.size(); ++i)
            for (size_t j = i + 1; j < order_.size(); ++j)
                EXPECT_GT(shots_[order_[i]].DifferenceTo(shots_[order_[j]]), 0.01f)
                    << order_[i] << " and " << order_[j] << " look the same";
        EXPECT_TRUE(harness::FramePicture::WriteContactSheet(all, 4, sheet, labels.empty() ? order_ : labels));
    }

    std::unique_ptr<harness::Session> session_;
    harness::FramePicture picture_;
    std::map<std::string, harness::FramePicture> shots_;
    std::vector<std::string> order_;
    std::string prefix_ = "menu_";
    int videoMode_ = -1;  // the saved video mode the window opens in (-1: the default, 1366 x 768)
    bool fullScreen_ = false;
};
