// tmFrontendDisplayTest.cpp -- screenshots of the race display over race frames, and digits read back from the pixels.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include "app/tmCameraCtrl.h"
#include "app/tmConfig.h"
#include "content_tables.h"
#include "course/tmCourse.h"
#include "frontend/ForwardingDraw.h"
#include "frontend/HudPixels.h"
#include "frontend/tmFrontend.h"
#include "harness/GlFixture.h"
#include "harness/TestRenderSetting.h"
#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "platform/gfx/Device.h"
#include "race/tmRaceState.h"
#include "sys/gfx/tmRenderSetting.h"
#include "sys/render/tmRender.h"
#include "sys/text/tmDxFont.h"
#include "table/MachineTable.h"
#include "table/yiResourceGroup.h"

namespace {

constexpr int kW = 1366;
constexpr int kH = 768;

void WritePng(const std::string& path, const Picture& p) {
    std::vector<uint8_t> rgb(static_cast<size_t>(p.w) * p.h * 3);
    for (size_t i = 0; i < p.px.size(); ++i) {
        rgb[i * 3] = static_cast<uint8_t>(p.px[i] >> 16);
        rgb[i * 3 + 1] = static_cast<uint8_t>(p.px[i] >> 8);
        rgb[i * 3 + 2] = static_cast<uint8_t>(p.px[i]);
    }
    EXPECT_NE(stbi_write_png(path.c_str(), p.w, p.h, 3, rgb.data(), p.w * 3), 0) << path;
}

// A race moment the display shows: the machine at speed in the second lap.
void RaceMoment(int machineId, int courseId, tmHudMachineRecord* m, tmHudLapRecord* lap) {
    *m = tmHudMachineRecord{};
    m->revolutions = 9600.0f;
    m->speed = 287.4f;
    m->state1 = 3;
    m->state2 = 1;
    m->gaugeA1 = 150;
    m->gaugeA2 = 240;
    m->gaugeB1 = 0;
    m->gaugeB2 = 120;
    m->flashThreshold = 200;
    m->boostStock = 2;
    m->courseId = courseId;
    m->machineId = machineId;
    *lap = tmHudLapRecord{};
    lap->rank = 2;
    lap->lapTotal = 3;
    lap->lapsDone = 1;
    lap->lapTimes[0] = 74321;
    lap->raceTime = 74321 + 31208;
}

// The renderer at the virtual screen's size on the shared fixture's device (multi-pass frame,
// the run folder's data linked in), laid out as in a race; the save image's display options come back
// afterwards.
class FrontendDisplayTest : public harness::GlFixture {
protected:
    explicit FrontendDisplayTest(harness::GlSetup setup = {0, 0, true, true}) : GlFixture(setup) {}
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        tmRenderSetting s = harness::TestRenderSetting(kW, kH, 16);
        tmDraw::SetRaceLayout(true);
        r_ = tmRender::Create();
        ASSERT_TRUE(r_->Initialize(dev.get(), s));
        yiResourceGroup::ResetState();
        tmConfig& cfg = tmConfig::GetInstance();
        flags_[0] = cfg.GetGameFlag1();
        flags_[1] = cfg.GetGameFlag2();
        flags_[2] = cfg.GetGameFlag3();
        flags_[3] = cfg.GetDisplayFlag();
    }
    void TearDown() override {
        tmConfig& cfg = tmConfig::GetInstance();
        cfg.SetGameFlag1(flags_[0]);
        cfg.SetGameFlag2(flags_[1]);
        cfg.SetGameFlag3(flags_[2]);
        cfg.SetDisplayFlag(flags_[3]);
        tmDxFont::Destroy();  // made by the display on this device
        if (r_) tmRender::Destroy();
        tmDraw::SetRaceLayout(false);
        yiResourceGroup::ResetState();
        GlFixture::TearDown();
    }

    Picture Grab() {
        Picture p;
        uint32_t w = 0, h = 0;
        EXPECT_TRUE(dev->readPixels(dev->backBuffer(), 0, &p.px, &w, &h));
        p.w = static_cast<int>(w);
        p.h = static_cast<int>(h);
        return p;
    }

    // One race frame: the course from the chase camera behind the machine on its grid slot,
    // the machine (its model group's body), then the race display of its family.
    Picture RaceFrame(int machineId, int courseId, bool withHud) {
        tmRaceState::Get().setup.course = static_cast<uint32_t>(courseId);
        tmCourse course;
        EXPECT_TRUE(course.Init(courseId));
        tmEntrant entrant;
        entrant.machineId = static_cast<uint32_t>(machineId);
        tmMachine machine;
        machine.Init(&course, entrant, 3, true, false);
        tmCameraCtrl camera;
        camera.Init();
        camera.SetTarget(machine.GetCore());
        camera.SetMode(8);
        for (int i = 0; i < 30; ++i) camera.Update();
        const MachineSpec* spec = GetMachineSpec(machineId);
        const yiResourceGroup* body = spec ? yiResourceGroup::Get(spec->bankGroup) : nullptr;
        if (body) body->Load();

        tmFrontend hud;
        tmHudMachineRecord m;
        tmHudLapRecord lap;
        RaceMoment(machineId, courseId, &m, &lap);
        const tmMachineCore* core = machine.GetCore();
        for (int k = 0; k < 3; ++k) m.position[k] = (&core->position.x)[k];
        m.heading = core->GetYaw();
        tmGaugeArray rows;
        rows.count = 4;
        rows.player = 0;
        for (int r = 1; r < 4; ++r) {
            rows.rows[r].position[0] = m.position[0] + (r == 2 ? -900.0f : 700.0f * r);
            rows.rows[r].position[2] = m.position[2] + (r == 3 ? -1600.0f : 1200.0f * r);
            rows.rows[r].heading = 0.3f * r;
            rows.rows[r].sameTeam = r == 2 ? 1 : 0;
        }
        if (withHud) {
            hud.Init(machineId);
            hud.SetFinished();
            tmHudLapRecord first = lap;
            first.lapsDone = 0;
            hud.Update(m, first, rows);
            for (int i = 0; i < 90; ++i) hud.Update(m, lap, rows);
        }
        camera.UpdateView();
        camera.Apply();
        r_->SetLightDirectionDefault(course.GetLightDirection());
        r_->SetClearColor(0xFF5A7896u);
        course.Update();
        course.Draw(1);  // also into the mirrored view
        if (body) {
            // The body stands on its grid slot (the machine has not moved, so its matrix is not made yet).
            D3DXMATRIX scale, turn, at;
            D3DXMatrixScaling(&scale, 3.0f, 1.6f, 6.0f);
            D3DXMatrixRotationY(&turn, core->GetYaw());
            D3DXMatrixTranslation(&at, core->position.x, core->position.y + 3.0f, core->position.z);
            r_->SetWorldMatrix(scale * turn * at);
            r_->DrawModelEx(content::kResourceGroupFirstModel[spec->bankGroup], tmShaderType::kMachine,
                            tmRenderLayer::kScene, tmModelFlag::kPlayer);
        }
        if (withHud) hud.Draw();
        r_->Render();
        Picture p = Grab();
        if (body) body->Unload();
        course.Release();
        return p;
    }

    tmRender* r_ = nullptr;
    uint8_t flags_[4] = {};
};

// The simple frame (software OpenGL without shader model 3) draws the cockpit's models unlit in
// their own colours, as the multi-pass frame does.
class SimpleFrameDisplayTest : public FrontendDisplayTest {
protected:
    SimpleFrameDisplayTest() : FrontendDisplayTest({0, 0, false, true}) {}
};

TEST_F(SimpleFrameDisplayTest, CockpitKeepsItsColours) {
    tmConfig::GetInstance().SetGameFlag3(0);
    tmFrontend hud;
    hud.Init(1);
    tmHudMachineRecord m;
    tmHudLapRecord lap;
    tmGaugeArray rows;
    hud.Update(m, lap, rows);
    hud.Draw();
    r_->Render();
    const Picture p = Grab();
    WritePng(ShotDir(ZARVO_RUN_DIR) + "/hud_simple_frame.png", p);
    // The bezel's orange ring at the dial's right edge (1192 + 133, 604).
    const uint32_t c = p.At(1192 + 133, 604);
    EXPECT_GT(int((c >> 16) & 0xFF), 200);
    EXPECT_LT(int(c & 0xFF), 90);
}

// One race frame of a cockpit family on its own circuit, with the mini map and the mirror, for a
// person to look at. The display must change the cockpit's corner and the panels' corners of the
// frame, and the race time must read back from its glyphs on the HUD plane.
struct FamilyShot {
    int machine, course;
    const char* name;
};

class CockpitDisplayTest : public FrontendDisplayTest, public ::testing::WithParamInterface<FamilyShot> {};

TEST_P(CockpitDisplayTest, HudOverARaceFrame) {
    const FamilyShot s = GetParam();
    tmConfig::GetInstance().SetGameFlag3(1);
    tmConfig::GetInstance().SetGameFlag1(1);
    r_->SetViewFlags(true, false);
    const Picture plain = RaceFrame(s.machine, s.course, false);
    const Picture hud = RaceFrame(s.machine, s.course, true);
    ASSERT_EQ(hud.w, kW);
    WritePng(ShotDir(ZARVO_RUN_DIR) + "/hud_" + s.name + ".png", hud);
    auto changed = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += (plain.At(x, y) & 0xFFFFFF) != (hud.At(x, y) & 0xFFFFFF);
        return static_cast<float>(n) / static_cast<float>((x1 - x0) * (y1 - y0));
    };
    EXPECT_GT(changed(1040, 480, 1340, 740), 0.15f) << "cockpit";
    EXPECT_GT(changed(30, 30, 320, 120), 0.3f) << "rank and lap";
    EXPECT_GT(changed(30, 530, 240, 740), 0.05f) << "mini map";
    EXPECT_EQ(ReadDigits(hud, 1098, 24, 1345, 70), "1:45.529");
}

// The same display alone (the cockpit, the corners' panels, the map's frame and the result banner) on
// windows of the other shapes the options offer: it comes no nearer the window's edges than on the
// 1366 x 768 it is laid out for (where only Prentis's dial rises from the bottom edge), the race time
// reads back at the top right and the cockpit stands at the bottom right.
TEST_P(CockpitDisplayTest, HudStaysInsideWindowsOfEveryShape) {
    const FamilyShot s = GetParam();
    tmConfig::GetInstance().SetGameFlag3(1);
    tmConfig::GetInstance().SetGameFlag1(1);
    struct Size {
        int w, h;
    };
    int laidOut = -1;  // lit pixels within two of the edges at 1366 x 768
    for (const Size size : {Size{1366, 768}, Size{1024, 768}, Size{1280, 800}, Size{1280, 1024}}) {
        ASSERT_TRUE(r_->ResetDisplay(size.w, size.h));
        tmFrontend hud;
        hud.Init(s.machine);
        hud.SetFinished();
        tmHudMachineRecord m;
        tmHudLapRecord lap;
        RaceMoment(s.machine, s.course, &m, &lap);
        lap.bannerTime = 1500;
        tmGaugeArray rows;
        for (int i = 0; i < 90; ++i) hud.Update(m, lap, rows);
        hud.Draw();
        r_->Render();
        const Picture p = Grab();
        ASSERT_EQ(p.w, size.w);
        const std::string name = std::string(s.name) + "_" + std::to_string(size.w) + "x" + std::to_string(size.h);
        WritePng(ShotDir(ZARVO_RUN_DIR) + "/hud_" + name + ".png", p);
        int edge = 0, cockpit = 0;
        const float k = tmHudScaleOf(size.w, size.h);
        const int cx0 = size.w - int((1366 - 1040) * k), cy0 = size.h - int((768 - 480) * k);
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) {
                if (!p.Light(x, y, 60)) continue;
                edge += x < 2 || y < 2 || x >= p.w - 2 || y >= p.h - 2;
                cockpit += x >= cx0 && y >= cy0;
            }
        if (laidOut < 0) laidOut = edge;
        EXPECT_LE(edge, laidOut) << name << ": pixels at the window's edge";
        EXPECT_GT(cockpit, int(0.1f * (size.w - cx0) * (size.h - cy0))) << name << ": the cockpit";
        const int tx = size.w - int((1366 - 1098) * k), ty = int(24 * k);
        EXPECT_EQ(ReadDigits(p, tx, ty, size.w - int(21 * k), int(70 * k)), "1:45.529") << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Families, CockpitDisplayTest,
                         ::testing::Values(FamilyShot{1, 2, "torvin"}, FamilyShot{2, 3, "belmar"},
                                           FamilyShot{3, 4, "quessa"}, FamilyShot{5, 5, "dravik"},
                                           FamilyShot{7, 6, "olvane"}, FamilyShot{9, 7, "prentis"}),
                         [](const ::testing::TestParamInfo<FamilyShot>& i) { return std::string(i.param.name); });

// A known lap time shown by the lap-time popup over a black screen reads back from the pixels.
TEST_F(FrontendDisplayTest, LapTimeDigitsReadBackFromThePixels) {
    tmConfig::GetInstance().SetGameFlag3(0);
    tmFrontend hud;
    hud.Init(1);
    tmHudMachineRecord m;
    tmHudLapRecord lap;
    RaceMoment(1, 2, &m, &lap);
    tmGaugeArray rows;
    tmHudLapRecord before = lap;
    before.lapsDone = 0;
    hud.Update(m, before, rows);
    lap.lapTimes[0] = 34321;
    for (int i = 0; i < 30; ++i) hud.Update(m, lap, rows);
    hud.Draw();
    r_->Render();
    const Picture p = Grab();
    WritePng(ShotDir(ZARVO_RUN_DIR) + "/hud_lap_popup.png", p);
    // The popup's time is centred on the screen's middle plus its offset, glyph by glyph.
    const HudCommonLayout& l = RaceDisplayLayout;
    const int x0 = kW / 2 + static_cast<int>(l.popupTimeX) - 24, y0 = static_cast<int>(l.popupTimeY);
    EXPECT_EQ(ReadDigits(p, x0, y0, x0 + 240, y0 + 40), "0:34.321");
}

// The start, the finish and a message with a notice, each over a black screen: the countdown
// lights its lamps step by step, the banner shows the rank and reads back the best lap.
TEST_F(FrontendDisplayTest, CountdownBannerMessageAndNotice) {
    tmConfig::GetInstance().SetGameFlag3(0);
    const uint32_t mode = tmRaceState::Get().setup.mode;
    tmRaceState::Get().setup.mode = kRaceModeCup;
    tmHudMachineRecord m;
    tmHudLapRecord lap;
    RaceMoment(1, 2, &m, &lap);
    tmGaugeArray rows;
    auto frame = [&](const char* name, const tmHudLapRecord& l, const tmGaugeArray& r, int message) {
        tmFrontend hud;
        hud.Init(1);
        hud.SetFinished();
        for (int i = 0; i < 60; ++i) hud.Update(m, l, r);
        if (message) hud.ShowMessage(message);
        hud.Draw();
        r_->Render();
        const Picture p = Grab();
        WritePng(ShotDir(ZARVO_RUN_DIR) + std::string("/hud_") + name + ".png", p);
        return p;
    };
    auto red = [](uint32_t c) { return ((c >> 16) & 0xFF) > 180 && ((c >> 8) & 0xFF) < 140; };
    auto green = [](uint32_t c) { return ((c >> 8) & 0xFF) > 180 && ((c >> 16) & 0xFF) < 170; };

    tmHudLapRecord start = lap;
    start.lapsDone = 0;
    start.raceTime = 0;
    start.countdown = 1200;  // step 2: the lamps of 3 and 2 are lit
    Picture p = frame("countdown", start, rows, 0);
    const int lampY = 210 + 55, centre = kW / 2;
    EXPECT_TRUE(red(p.At(centre - 145 - 28, lampY)));
    EXPECT_TRUE(red(p.At(centre - 28, lampY)));
    EXPECT_FALSE(red(p.At(centre + 145 - 28, lampY)));

    start.countdown = 0;
    start.raceTime = 200;
    p = frame("start", start, rows, 0);
    EXPECT_TRUE(green(p.At(centre + 145 - 28, lampY)));

    tmHudLapRecord finish = lap;
    finish.lapsDone = 3;
    finish.lapTimes[1] = 71002;
    finish.lapTimes[2] = 73550;
    finish.rank = 0;
    finish.bannerTime = 3000;  // in the third phase: rank and best lap
    p = frame("banner", finish, rows, 0);
    const HudCommonLayout& l = RaceDisplayLayout;
    const int tx = centre + static_cast<int>(l.bannerTimeX) - 20, ty = static_cast<int>(l.bannerTimeY);
    EXPECT_EQ(ReadDigits(p, tx, ty, tx + 220, ty + 38), "1:11.002");

    tmGaugeArray notice;
    notice.count = 3;
    notice.player = 0;
    notice.SetName(2, "RIVAL");
    notice.rows[2].raceDone = 1;
    notice.rows[2].time = 245678;
    p = frame("message_notice", lap, notice, 3);
    EXPECT_EQ(ReadDigits(p, 110, 326, 280, 352), "4:05.678");
    tmRaceState::Get().setup.mode = mode;
}

// The notice's driver name scales with the race display like the panel under it: on windows of other sizes its
// glyphs (the pixels the name changes) stay inside the panel, at the place and of the size they have at 1366 x 768,
// in display units.
TEST_F(FrontendDisplayTest, NoticeNameScalesWithItsPanel) {
    tmConfig::GetInstance().SetGameFlag3(0);
    tmHudMachineRecord m;
    tmHudLapRecord lap;
    RaceMoment(1, 2, &m, &lap);
    struct Box {
        float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    };
    const auto nameInk = [&](int w, int h) {
        EXPECT_TRUE(r_->ResetDisplay(w, h));
        Picture shots[2];
        for (int named = 0; named < 2; ++named) {
            tmGaugeArray rows;
            rows.count = 3;
            rows.SetName(2, named ? "KESTREL VANDERLY" : "");  // the longest name, 16 characters
            rows.rows[2].raceDone = 1;
            tmFrontend hud;
            hud.Init(1);
            hud.SetFinished();
            for (int i = 0; i < 60; ++i) hud.Update(m, lap, rows);
            hud.Draw();
            r_->Render();
            tmDxFont::Draw();  // as the main loop does after the renderer's frame
            shots[named] = Grab();
        }
        WritePng(ShotDir(ZARVO_RUN_DIR) + "/hud_notice_" + std::to_string(w) + "x" + std::to_string(h) + ".png",
                 shots[1]);
        const float k = tmHudScaleOf(w, h);
        Box b;
        for (int y = 0; y < shots[0].h; ++y)
            for (int x = 0; x < shots[0].w; ++x)
                if (shots[0].At(x, y) != shots[1].At(x, y)) {
                    b.x0 = std::min(b.x0, x / k);
                    b.y0 = std::min(b.y0, y / k);
                    b.x1 = std::max(b.x1, (x + 1) / k);
                    b.y1 = std::max(b.y1, (y + 1) / k);
                }
        return b;
    };
    const Box laidOut = nameInk(kW, kH);
    const float width = laidOut.x1 - laidOut.x0, height = laidOut.y1 - laidOut.y0;
    ASSERT_GT(width, 100.0f) << "the name shows";
    const HudSpriteLayout& panel = RaceDisplayLayout.noticeBase;  // its sprite is 360 x 64
    for (const auto& size : {std::pair{640, 480}, std::pair{1024, 768}, std::pair{1920, 1200}}) {
        const Box b = nameInk(size.first, size.second);
        const std::string name = std::to_string(size.first) + "x" + std::to_string(size.second);
        EXPECT_TRUE(b.x0 >= panel.x && b.y0 >= panel.y && b.x1 <= panel.x + 360.0f && b.y1 <= panel.y + 64.0f)
            << name << ": the name spans " << b.x0 << "," << b.y0 << " to " << b.x1 << "," << b.y1;
        // Whole-pixel glyph sizes and advances leave a few per cent either way, up to a tenth on the
        // smallest window, whose glyphs are some ten pixels high.
        EXPECT_NEAR(b.x1 - b.x0, width, 0.1f * width) << name << ": the name's width";
        EXPECT_NEAR(b.y1 - b.y0, height, 0.1f * height) << name << ": the name's height";
    }
}

// The frame-rate readout at the bottom right shows 60 reading left to right, not 06.
TEST_F(FrontendDisplayTest, FrameRateReadoutShowsSixty) {
    tmConfig::GetInstance().SetDisplayFlag(1);
    tmConfig::GetInstance().SetGameFlag3(0);
    ForwardingDraw sixty(r_, 60.4f);
    tmFrontend hud;
    hud.Init(12);  // no cockpit: the common part alone
    hud.Draw();
    r_->Render();
    const Picture p = Grab();
    WritePng(ShotDir(ZARVO_RUN_DIR) + "/hud_frame_rate.png", p);
    EXPECT_EQ(ReadDigits(p, kW - 80, kH - 24, kW - 1, kH - 1), "60");
}

}  // namespace

// The wide overlay over a race frame: the mirrored view's picture inside its metal bezel, edged
// with a cyan line like the display's panels.
TEST_F(FrontendDisplayTest, MirroredViewInItsFrame) {
    tmConfig::GetInstance().SetGameFlag3(0);
    tmConfig::GetInstance().SetGameFlag2(1);
    r_->SetViewFlags(false, true);
    const Picture p = RaceFrame(2, 3, true);
    ASSERT_EQ(p.w, kW);
    WritePng(ShotDir(ZARVO_RUN_DIR) + "/hud_mirror.png", p);
    // The picture spans 60 pixels down from y 14 and 213 across the middle; the bezel and then the
    // line lie above and below it in every column.
    auto dark = [](uint32_t c) {
        const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
        return std::max({r, g, b}) < 100 && std::abs(r - b) < 30;
    };
    auto cyan = [](uint32_t c) {
        const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
        return g > 180 && b > 180 && r < g - 40;
    };
    auto any = [&](int x, int y0, int y1, auto test) {
        for (int y = y0; y < y1; ++y)
            if (test(p.At(x, y))) return true;
        return false;
    };
    // (The lap-time popup's badge covers the bottom right of the frame in this moment.)
    int framed = 0;
    for (int x = 590; x < 690; ++x)
        framed += any(x, 2, 14, cyan) && any(x, 8, 15, dark) && any(x, 73, 80, dark) && any(x, 76, 90, cyan);
    EXPECT_GT(framed, 95);
    // At the sides too, with the picture between them.
    EXPECT_TRUE(dark(p.At(573, 44)) || dark(p.At(572, 44)));
    EXPECT_TRUE(dark(p.At(793, 44)) || dark(p.At(794, 44)));
    EXPECT_FALSE(dark(p.At(683, 30)) && dark(p.At(683, 50)));
}
