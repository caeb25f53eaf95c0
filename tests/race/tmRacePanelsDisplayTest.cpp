// tmRacePanelsDisplayTest.cpp -- screenshots of the race panels and the loading screen through the OpenGL renderer.
#include <gtest/gtest.h>

#include "app/tmConfig.h"
#include "content_tables.h"
#include "harness/GlFixture.h"
#include "harness/TestRenderSetting.h"
#include "menu/tmCommonWindow.h"
#include "menu/tmSeqLoadingCourse.h"
#include "race/PanelRig.h"
#include "race/tmLevelUp.h"
#include "race/tmRaceChoiceMenu.h"
#include "race/tmRaceResultPanel.h"
#include "race/tmTrophyInfo.h"
#include "sys/render/tmRender.h"
#include "sys/text/tmDxFont.h"
#include "table/tmSpriteGroup.h"
#include "table/yiResourceGroup.h"

namespace {

constexpr int kW = 1366, kH = 768;
constexpr int kBackdropGroup = 1;  // the Berlin board stands behind the panels
constexpr int kCommonGroup = 13;   // loaded by the race display during a race (the small digits)

// The renderer at 1366 x 768 on a hidden OpenGL window, with the run
// folder's data linked in; a course board as the backdrop of every panel.
class RacePanelsDisplayTest : public harness::GlFixture {
protected:
    RacePanelsDisplayTest() : GlFixture({0, 0, false, true}) {}
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        tmRenderSetting s = harness::TestRenderSetting(kW, kH);
        render_ = tmRender::Create();
        ASSERT_TRUE(render_->Initialize(dev.get(), s));
        yiResourceGroup::ResetState();
        tmConfig::GetInstance().SetSaveFile(nullptr);
        tmConfig::GetInstance().RestoreDefaults();
        PanelRig::ResetRaceState();
        ASSERT_TRUE(tmSpriteGroup::Load(kBackdropGroup));
        ASSERT_TRUE(tmSpriteGroup::Load(kCommonGroup));
        ASSERT_EQ(tmDxFont::Create(20, true), 0);
    }
    void TearDown() override {
        tmDxFont::Destroy();
        tmSpriteGroup::Unload(kBackdropGroup);
        tmSpriteGroup::Unload(kCommonGroup);
        tmRender::Destroy();
        yiResourceGroup::ResetState();
        GlFixture::TearDown();
    }

    // Queues the backdrop, then `draw`, renders the frame with its debug text and shoots it.
    template <class F>
    void Frame(F draw) {
        render_->DrawSpriteAlpha(content::SPR_BOARD_BERLIN, -171.0f, -60.0f, 1.0f, tmSpritePlacement::kVirtualScreen);
        draw();
        render_->Render();
        tmDxFont::Draw();
        Shoot();
    }
    // Brightness 0..765 of a pixel.
    int Light(int x, int y) {
        const uint32_t p = Pixel(x, y);
        return Red(p) + Green(p) + Blue(p);
    }
    // Pixels brighter than `least` in a rectangle (text and digits: near white by default).
    int WhiteIn(int x0, int y0, int x1, int y1, int least = 700) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += Light(x, y) > least;
        return n;
    }

    tmRender* render_ = nullptr;
};

// A cup race of eight: the local player finishes third, the last entrant has no time.
void SetCupRace() {
    tmRaceState& rs = tmRaceState::Get();
    rs.StartCup(1, 1, 0);
    rs.setup.count = 8;
    rs.setup.local = 0;
    for (uint32_t p = 0; p < 8; ++p) {
        const uint32_t entrant = (p + 6) % 8;  // entrant 0 lands in position 2
        rs.SetResult(static_cast<int>(entrant), static_cast<int>(p), 124000 + 1830 * p, p < 7, 3, 0);
    }
    rs.AwardPoints();
}

}  // namespace

TEST_F(RacePanelsDisplayTest, LoadingScreenShowsTheBoardTheBarAndTheCourseName) {
    tmRaceState& rs = tmRaceState::Get();
    rs.setup.course = 4;
    rs.setup.mode = kRaceModeSingle;
    tmSeqLoadingCourse screen;
    screen.Init();
    for (int i = 0; i < 25; ++i) screen.Update();
    render_->SetClearColor(0xFF000000u);
    Frame([&] { screen.Draw(); });
    // The info bar crosses the screen at y 580..644 with its light edges; above it the board's sky.
    EXPECT_LT(Light(40, 620), 150);
    EXPECT_GT(Light(40, 583), 500);
    EXPECT_GT(WhiteIn(171 - 43 + 40, 590, 171 - 43 + 560, 640), 200);  // "BERLIN CIRCUIT"
    EXPECT_GT(Light(700, 200), 60);                                    // the board, not black
    screen.Term();
}

TEST_F(RacePanelsDisplayTest, ResultsPanelListsTheFinishingOrder) {
    SetCupRace();
    tmRaceResultPanel panel;
    panel.Init();
    panel.state = tmRaceResultPanel::kOpenRace;
    for (int i = 0; i < 60; ++i) panel.Update(false);
    Frame([&] { panel.Draw(); });
    // Eight rows from y 110, 40 apart, x 171..1195 on screen; the player's third row carries the accent.
    for (int r = 0; r < 8; ++r) EXPECT_LT(Light(171 + 600, 110 + 40 * r + 19), 400) << r;
    const uint32_t own = Pixel(171 + 7, 110 + 2 * 40 + 19);
    EXPECT_GT(Red(own), 200);                                           // the accent mark
    EXPECT_GT(WhiteIn(171 + 778, 110, 171 + 1000, 110 + 7 * 40), 300);  // seven times
    EXPECT_GT(WhiteIn(171 + 238, 110, 171 + 480, 110 + 8 * 40), 300);   // eight names
    EXPECT_GT(WhiteIn(171, 46, 171 + 400, 90), 100);                    // the header
    panel.Term();
}

TEST_F(RacePanelsDisplayTest, ResultsPanelShowsTheCupStandings) {
    PanelRig rig;  // input for the page turn
    SetCupRace();
    tmRaceResultPanel panel;
    panel.Init();
    panel.state = tmRaceResultPanel::kOpenRace;
    for (int i = 0; i < 20; ++i) rig.Step([&] { panel.Update(false); });
    rig.Press(tmKey::kReturn, [&] { panel.Update(false); });
    for (int i = 0; i < 60; ++i) rig.Step([&] { panel.Update(false); });
    ASSERT_EQ(panel.state, tmRaceResultPanel::kStandingsShown);
    tmDraw::SetInstance(render_);
    Frame([&] { panel.Draw(); });
    EXPECT_GT(WhiteIn(171 + 778, 110, 171 + 940, 110 + 8 * 40, 450), 100);  // the points
    panel.Term();
}

TEST_F(RacePanelsDisplayTest, LevelUpPanelCountsIntoItsGauge) {
    tmRaceState::Get().setup.mode = kRaceModeSingle;
    tmRaceState::Get().setup.count = 1;
    tmConfig::GetInstance().SetProfileValue1(8);
    tmConfig::GetInstance().SetProfileValue2(60);
    tmLevelUp panel;
    panel.Init();
    panel.Start();
    for (int i = 0; i < 45; ++i) panel.Update();
    ASSERT_EQ(panel.state, tmLevelUp::kCount);
    Frame([&] { panel.Draw(); });
    // Panel at (0, 300): dark body, the gauge filled to the points from x 120.
    EXPECT_LT(Light(171 + 300, 300 + 40), 200);
    const uint32_t gauge = Pixel(171 + 130, 300 + 113);
    EXPECT_GT(Red(gauge), 180);
    EXPECT_GT(WhiteIn(171 + 640, 300 + 30, 171 + 760, 300 + 130), 100);  // level and points digits
}

TEST_F(RacePanelsDisplayTest, PauseMenuUnfoldsItsThreeChoices) {
    PanelRig rig;
    tmRaceChoiceMenu pause;
    pause.state = tmRaceChoiceMenuBase::kOpening;
    for (int i = 0; i < 14; ++i) rig.Step([&] { pause.Update(); });
    rig.Press(tmKey::kDown, [&] { pause.Update(); });
    for (int i = 0; i < 12; ++i) rig.Step([&] { pause.Update(); });
    tmDraw::SetInstance(render_);
    Frame([&] { pause.Draw(); });
    // Items centred at y 112, 192, 272 (72 tall); RETRY is chosen and lit with the accent.
    EXPECT_GT(WhiteIn(kW / 2 - 120, 112, kW / 2 + 120, 184, 450), 100);  // the dim caption
    const uint32_t lit = Pixel(kW / 2 - 200, 192 + 36);
    EXPECT_GT(Red(lit), 140);
    EXPECT_GT(Red(lit), Blue(lit) + 60);
    EXPECT_LT(Light(kW / 2 - 200, 112 + 36), 300);  // RESUME stays dark
    pause.Term();
}

TEST_F(RacePanelsDisplayTest, TrophyBannerAndSaveQuestion) {
    PanelRig rig;
    tmRaceState& rs = tmRaceState::Get();
    rs.setup.course = 3;
    rs.setup.count = 1;
    rs.entrants[0].controllerType = kControllerPlayer;
    rs.SetResult(0, 0, 104000, true, 3, 0);
    tmTrophyInfo trophy;
    trophy.Init();
    trophy.Start();
    tmCommonWindow window;
    window.Init(tmCommonWindow::kTypeSaveReplay);
    window.Open();
    for (int i = 0; i < 40; ++i)
        rig.Step([&] {
            trophy.Update();
            window.Update();
        });
    tmDraw::SetInstance(render_);
    Frame([&] {
        trophy.Draw();
        window.Draw();
    });
    EXPECT_GT(WhiteIn(171 + 229 + 90, 62 + 30, 171 + 229 + 500, 62 + 70), 100);  // the trophy's title
    // The question at (256, 183): its message, then NO lit in the accent below the dim YES.
    EXPECT_GT(WhiteIn(171 + 256, 183 + 26, 171 + 768, 183 + 74), 200);
    const uint32_t no = Pixel(171 + 256 + 30, 183 + 160 + 32);
    EXPECT_GT(Blue(no), Red(no) + 60);
    window.Term();
    trophy.Term();
}
