// tmMenuProgramDisplayTest.cpp -- the real program (SDL window, OpenGL) walked through every menu screen with
// the keyboard: a picture of each, a contact sheet of them all, and checks that each screen draws its own.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/tmConfig.h"
#include "harness/FramePicture.h"
#include "harness/Harness.h"
#include "menu/tmMachineSelectFrontend.h"
#include "menu/tmMenuFlow.h"
#include "menu/tmSeqCourseSelect.h"
#include "menu/tmSeqMachineSelect.h"
#include "menu/tmSeqMenuMain.h"
#include "menu/tmSeqTitle.h"
#include "sys/input/tmInputActions.h"

namespace {

class MenuProgramDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        tmMenuFlow::SetNormalPlay(true);
        harness::SessionSetup setup;
        setup.runData = true;
        setup.realWindow = true;
        setup.beforePresent = [this] { picture_.Take(); };
        session_ = std::make_unique<harness::Session>(setup);
        if (!session_->HasWindow()) GTEST_SKIP() << "no display for the game window";
        if (!session_->Start()) GTEST_SKIP() << "the renderer cannot start here";
    }
    harness::Session& S() { return *session_; }

    // Runs `frames` frames, then shoots the next one under `name`.
    const harness::FramePicture& Shoot(const std::string& name, int frames) {
        for (int i = 0; i < frames; ++i) S().Frame();
        picture_.wanted = true;
        S().Frame();
        EXPECT_FALSE(picture_.Empty()) << name;
        EXPECT_TRUE(picture_.Write("menu_" + name)) << name;
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
    template <class T>
    T* Screen() {
        tmSequenceManager* m = S().Loop().GetSequenceManager();
        return m ? dynamic_cast<T*>(m->GetScreen()) : nullptr;
    }
    // Every picture has content and differs from every other; all go onto one contact sheet.
    void CheckAll(const std::string& sheet) {
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
        EXPECT_TRUE(harness::FramePicture::WriteContactSheet(all, 4, sheet));
    }

    std::unique_ptr<harness::Session> session_;
    harness::FramePicture picture_;
    std::map<std::string, harness::FramePicture> shots_;
    std::vector<std::string> order_;
};

}  // namespace

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
    const harness::FramePicture& top = Shoot("main_top", 120);
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

TEST_F(MenuProgramDisplay, CourseSelect) {
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

TEST_F(MenuProgramDisplay, MachineSelect) {
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

TEST_F(MenuProgramDisplay, OptionScreens) {
    ToMainMenu();
    S().TapKey(tmKey::kUp);
    S().TapKey(tmKey::kUp);
    S().TapKey(tmKey::kReturn);  // the options page
    const char* const names[4] = {"options_game", "options_controller", "options_video", "options_sound"};
    for (int screen = 0; screen < 4; ++screen) {
        for (int i = 0; i < screen; ++i) S().TapKey(tmKey::kDown);
        S().TapKey(tmKey::kReturn);
        ASSERT_TRUE(S().RunUntil([&] { return S().CurrentId() == 17 + screen; }, 100)) << names[screen];
        for (int i = 0; i < 70; ++i) S().Frame();
        S().TapKey(tmKey::kDown);  // the cursor on the second row
        S().Input().SetKey(tmKey::kRight, true);
        const harness::FramePicture& p = Shoot(names[screen], 1);
        S().Input().SetKey(tmKey::kRight, false);
        EXPECT_GT(p.Bright(99, 74, 380, 130, 500), 80) << names[screen];  // the first row's label
        // Back to the options page: RETURN is the last row.
        S().TapKey(tmKey::kUp);
        S().TapKey(tmKey::kUp);
        S().TapKey(tmKey::kReturn);
        ASSERT_TRUE(S().RunUntil([&] { return S().CurrentId() == kSeqMainMenu; }, 120)) << names[screen];
        ASSERT_TRUE(S().RunUntil([&] { return Screen<tmSeqMenuMain>()->GetState() == tmSeqMenuMain::kTop; }, 100));
        S().TapKey(tmKey::kUp);  // a new menu: its cursors start at the top
        S().TapKey(tmKey::kUp);
        S().TapKey(tmKey::kReturn);
    }
    CheckAll("menu_contact_options");
}
