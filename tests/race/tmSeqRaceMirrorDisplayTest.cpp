// tmSeqRaceMirrorDisplayTest.cpp -- the race screen's rear-view mirror shows the course behind the machine.
#include <gtest/gtest.h>

#include "app/tmConfig.h"
#include "harness/GlFixture.h"
#include "harness/TestRenderSetting.h"
#include "race/tmRaceState.h"
#include "race/tmSeqRace.h"
#include "sys/base/tmRandom.h"
#include "sys/render/tmRender.h"
#include "sys/text/tmDxFont.h"
#include "table/yiResourceGroup.h"

namespace {

constexpr int kW = 1366, kH = 768;

// A race of four computer drivers on course 3 drawn by the simple frame at 1366 x 768, the
// local machine on the front slot in the chase view with the mirror option on.
class RaceMirrorDisplayTest : public harness::GlFixture {
protected:
    RaceMirrorDisplayTest() : GlFixture({0, 0, false, true}) {}
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        tmConfig& cfg = tmConfig::GetInstance();
        cfg.SetSaveFile(nullptr);
        cfg.RestoreDefaults();
        cfg.SetGameFlag2(1);  // the mirror
        cfg.SetGameFlag3(0);  // no mini map
        cfg.SetGameOption3(0);
        tmRandom::Create();
        tmRandom::GetInstance()->SetSeed(77);
        yiResourceGroup::ResetState();
        tmRaceState& rs = tmRaceState::Get();
        rs.setup = tmRaceSetup{};
        rs.setup.course = 3;
        rs.setup.count = 4;
        rs.setup.laps = 3;
        for (int i = 0; i < 4; ++i) {
            tmEntrant e;
            e.machineId = 1 + static_cast<uint32_t>(i);
            e.controllerType = kControllerComputer;
            e.entrantId = static_cast<uint32_t>(i);
            rs.SetEntrant(i, e);
        }
        render_ = tmRender::Create();
        ASSERT_TRUE(render_->Initialize(dev.get(), harness::TestRenderSetting(kW, kH)));
        render_->SetViewFlags(false, true);
    }
    void TearDown() override {
        race_.Term();
        tmDxFont::Destroy();  // made by the race display on this device
        if (render_) tmRender::Destroy();
        tmRandom::Destroy();
        yiResourceGroup::ResetState();
        tmConfig::GetInstance().RestoreDefaults();
        GlFixture::TearDown();
    }

    tmRender* render_ = nullptr;
    tmSeqRace race_;
};

}  // namespace

// The mirror's picture (60 pixels down from y 14, 213 across the middle) is the view backward from
// the machine: the course's road, ground and sky fill it, not black with the machines behind floating.
TEST_F(RaceMirrorDisplayTest, TheMirrorShowsTheCourseBehindTheMachine) {
    race_.Init();
    for (int i = 0; i < 400 && race_.GetPhase() != tmSeqRace::kRacing; ++i) race_.Update();
    ASSERT_EQ(race_.GetPhase(), tmSeqRace::kRacing);
    race_.Update();
    race_.Draw();
    render_->Render();
    Shoot();
    int lit = 0, all = 0;
    for (int y = 24; y < 66; ++y)
        for (int x = 600; x < 770; ++x, ++all) {
            const uint32_t p = Pixel(x, y);
            lit += Red(p) + Green(p) + Blue(p) > 60;
        }
    EXPECT_GT(lit, all * 8 / 10) << lit << " of " << all << " mirror pixels lit";
}
