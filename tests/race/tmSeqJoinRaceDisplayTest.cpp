// tmSeqJoinRaceDisplayTest.cpp -- screenshots of the network waiting room through the OpenGL renderer.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/tmConfig.h"
#include "harness/GlFixture.h"
#include "harness/TestRenderSetting.h"
#include "menu/tmSpriteTween.h"
#include "race/tmJoinRaceSprites.h"
#include "race/tmRaceNetwork.h"
#include "race/tmRaceState.h"
#include "race/tmSeqJoinRace.h"
#include "sys/render/tmRender.h"
#include "sys/text/tmDxFont.h"
#include "table/yiResourceGroup.h"
#include "tests/race/RaceHub.h"

namespace {

constexpr int kW = 1366, kH = 768;
constexpr int kScreenLeft = 171;  // the virtual screen's x 0 on a 1366-wide picture
namespace jr = tmJoinRaceSprites;

// The renderer at 1366 x 768 on a hidden OpenGL window with the run data; this
// process hosts on an in-process hub and two guests join it.
class JoinRaceDisplayTest : public harness::GlFixture {
protected:
    JoinRaceDisplayTest() : GlFixture({0, 0, false, true}) {}
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        tmRenderSetting s = harness::TestRenderSetting(kW, kH);
        render_ = tmRender::Create();
        ASSERT_TRUE(render_->Initialize(dev.get(), s));
        yiResourceGroup::ResetState();
        tmConfig& cfg = tmConfig::GetInstance();
        cfg.SetSaveFile(nullptr);
        cfg.RestoreDefaults();
        ASSERT_EQ(tmDxFont::Create(20, true), 0);
        tmRaceNetwork::SetQuietLog(true);

        tmRaceState& rs = tmRaceState::Get();
        rs.setup = tmRaceSetup();
        rs.setup.mode = kRaceModeDirect;
        rs.setup.course = 4;
    }

    // This process hosts; two guests join it.
    void HostWithTwoGuests() {
        tmRaceState::Get().hostFlag = 1;
        tmRaceNetwork::Create(hub_.MakeEndpoint(racetest::Loopback(1), racetest::Loopback(1)));
        Guest(2, "GUEST ALPHA", "BLUE WING", 7, true);
        Guest(3, "GUEST BRAVO", "NO TEAM", 10, false);
        tmConfig::GetInstance().SetPlayerName("HOST PLAYER");
        tmConfig::GetInstance().SetTeamName("RED ARROW");
    }
    void TearDown() override {
        guests_.clear();
        tmRaceNetwork::Destroy();
        tmRaceNetwork::SetQuietLog(false);
        tmDxFont::Destroy();
        tmRender::Destroy();
        yiResourceGroup::ResetState();
        GlFixture::TearDown();
    }

    void Guest(int n, const char* driver, const char* team, uint32_t machine, bool ready, bool host = false) {
        tmConfig::GetInstance().SetPlayerName(driver);
        tmConfig::GetInstance().SetTeamName(team);
        guests_.push_back(
            std::make_unique<tmRaceNetwork>(hub_.MakeEndpoint(racetest::Loopback(n), racetest::Loopback(1))));
        tmRaceNetwork& g = *guests_.back();
        g.Start(host);
        g.SetOwnStatus(machine, ready ? 1 : 0);
        if (ready) g.FreezeOwnStatus();
    }

    // Steps of the room with the guests sending their entries as their rooms would.
    void Steps(tmSeqJoinRace& room, int n) {
        for (int i = 0; i < n; ++i) {
            room.Update();
            for (auto& g : guests_) {
                g->Poll();
                if (i % 6 != 0) continue;
                g->Send(kNetMsgEntry);  // a host applies its own
                if (g->IsHost()) g->Send(kNetMsgTable);
            }
        }
    }
    void Shot(tmSeqJoinRace& room) {
        room.Draw();
        render_->Render();
        tmDxFont::Draw();
        Shoot();
    }
    int Light(int x, int y) {
        const uint32_t p = Pixel(x, y);
        return Red(p) + Green(p) + Blue(p);
    }
    int WhiteIn(int x0, int y0, int x1, int y1, int least = 690) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += Light(x, y) > least;
        return n;
    }

    racetest::RaceHub hub_;
    std::vector<std::unique_ptr<tmRaceNetwork>> guests_;
    tmRender* render_ = nullptr;
};

}  // namespace

TEST_F(JoinRaceDisplayTest, TheHostSeesTheCourseTheTitleAndEveryPlayersRow) {
    HostWithTwoGuests();
    tmSeqJoinRace room;
    room.Init();
    ASSERT_TRUE(room.IsPreviewReady());
    Steps(room, 70);
    ASSERT_EQ(tmRaceNetwork::Get()->GetTable().count, 3u);
    Shot(room);

    // The title bar: a dark translucent panel with its caption and the two buttons.
    EXPECT_GT(WhiteIn(40, 20, 640, 64), 300);         // "NETWORK RACE - HOST"
    EXPECT_GT(WhiteIn(1156, 26, 1336, 86), 40);       // START, chosen (the cursor starts there)
    EXPECT_GT(WhiteIn(966, 26, 1146, 86, 500), 20);   // LEAVE, dim
    EXPECT_GT(WhiteIn(171, 98, 700, 154, 500), 100);  // the column labels
    EXPECT_GT(WhiteIn(578, 30, 938, 66), 60);         // the course's name on its plate
    // The host's hint names START, the button it has, not READY.
    EXPECT_EQ(room.GetTitle(5)->spriteId, jr::kStatusWaitingHost);
    // Three rows from y 154, 38 apart: names in white, teams dimmer, on dark row panels.
    const int left = kScreenLeft + static_cast<int>(jr::kRowLeft);
    for (int r = 0; r < 3; ++r) {
        const int y = 154 + 38 * r;
        EXPECT_GT(WhiteIn(left + 124, y + 6, left + 400, y + 32), 60) << "driver of row " << r;
        EXPECT_GT(WhiteIn(left + 420, y + 6, left + 640, y + 32, 450), 40) << "team of row " << r;
        EXPECT_GT(WhiteIn(left + 20, y + 3, left + 80, y + 35), 15) << "grid number of row " << r;
    }
    // The host's own row carries the accent mark; the ready guest a green mark, the other none.
    const uint32_t accent = Pixel(left + 7, 154 + 19);
    EXPECT_GT(Red(accent), 200);
    const uint32_t ready = Pixel(left + static_cast<int>(jr::kStatusX) + 10, 154 + 38 + 19);
    EXPECT_GT(Green(ready), Red(ready) + 40);
    // Nothing below the last row but the course.
    EXPECT_EQ(WhiteIn(left + 124, 154 + 38 * 3 + 4, left + 400, 154 + 38 * 4 - 4), 0);
    room.Term();
}

TEST_F(JoinRaceDisplayTest, AGuestsOwnChoiceFlashesBetweenArrowsUntilItIsReady) {
    tmRaceState::Get().hostFlag = 0;
    Guest(1, "THE HOST", "HOST TEAM", 3, true, true);  // the other player hosts
    tmConfig::GetInstance().SetPlayerName("ME");
    tmConfig::GetInstance().SetTeamName("MY TEAM");
    tmRaceNetwork::Create(hub_.MakeEndpoint(racetest::Loopback(2), racetest::Loopback(1)));
    tmSeqJoinRace room;
    room.Init();
    Steps(room, 70);
    ASSERT_EQ(room.GetOwnIndex(), 1);
    Shot(room);
    EXPECT_GT(WhiteIn(40, 20, 640, 64), 300);                   // "NETWORK RACE - GUEST"
    EXPECT_EQ(room.GetTitle(5)->spriteId, jr::kStatusWaiting);  // "... then READY"
    const int left = kScreenLeft + static_cast<int>(jr::kRowLeft);
    const int y = 154 + 38;  // the own row: grid slot 1
    // The arrows either side of the machine emblem, in the accent blue.
    const uint32_t arrow = Pixel(left + static_cast<int>(jr::kMachineX) - 16, y + 19);
    const uint32_t none = Pixel(left + static_cast<int>(jr::kMachineX) - 16, 154 + 19);
    EXPECT_GT(Blue(arrow) + Green(arrow), Blue(none) + Green(none) + 100);
    // The host is ready: its row shows the green mark.
    const uint32_t ready = Pixel(left + static_cast<int>(jr::kStatusX) + 10, 154 + 19);
    EXPECT_GT(Green(ready), Red(ready) + 40);
    room.Term();
}
