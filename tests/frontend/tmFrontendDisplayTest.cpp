// tmFrontendDisplayTest.cpp -- screenshots of the race display over race frames, and digits read back from the pixels.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
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
#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "platform/gfx/Device.h"
#include "race/tmRaceState.h"
#include "sys/render/tmRender.h"
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

// The renderer on a hidden OpenGL window at the virtual screen's size, with the run folder's data.
class FrontendDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        char cwd[PATH_MAX];
        cwd_ = getcwd(cwd, sizeof cwd) ? cwd : ".";
        ASSERT_EQ(chdir(ZARVO_RUN_DIR), 0);
        gfx::GlOptions o;
        o.hidden = true;
        o.multiPassInSoftware = true;
        std::string error;
        dev_ = gfx::CreateGlDevice(o, &error);
        if (!dev_) GTEST_SKIP() << "no OpenGL: " << error;
        tmRenderSetting s;
        s.width = kW;
        s.height = kH;
        s.sceneTargetWidth = kW;
        s.sceneTargetHeight = kH;
        s.shadowMapSize = 64;
        s.cubeTargetSize = 16;
        s.gammaReport = 0;
        r_ = tmRender::Create();
        ASSERT_TRUE(r_->Initialize(dev_.get(), s));
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
        if (r_) tmRender::Destroy();
        yiResourceGroup::ResetState();
        if (!cwd_.empty()) (void)chdir(cwd_.c_str());
    }

    Picture Grab() {
        Picture p;
        uint32_t w = 0, h = 0;
        EXPECT_TRUE(dev_->readPixels(dev_->backBuffer(), 0, &p.px, &w, &h));
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
            rows.rows[r].position[0] = m.position[0] + 180.0f * r;
            rows.rows[r].position[2] = m.position[2] - 260.0f * r;
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
        course.Draw(0);
        if (body) {
            // The body stands on its grid slot (the machine has not moved, so its matrix is not made yet).
            D3DXMATRIX scale, turn, at;
            D3DXMatrixScaling(&scale, 6.0f, 3.0f, 12.0f);
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

    std::string cwd_;
    std::unique_ptr<gfx::Device> dev_;
    tmRender* r_ = nullptr;
    uint8_t flags_[4] = {};
};

// One race frame per cockpit family, each on its own circuit with the mini map, for a person
// to look at; the display must change the cockpit's corner and the panels' corners of the frame.
TEST_F(FrontendDisplayTest, EveryCockpitFamilyOverARaceFrame) {
    struct Shot {
        int machine, course;
        const char* name;
    } shots[] = {{1, 2, "torvin"}, {2, 3, "belmar"}, {3, 4, "quessa"},
                 {5, 5, "dravik"}, {7, 6, "olvane"}, {9, 7, "prentis"}};
    tmConfig::GetInstance().SetGameFlag3(1);
    tmConfig::GetInstance().SetGameFlag1(1);
    r_->SetViewFlags(true, false);
    const std::string dir = ShotDir(ZARVO_RUN_DIR);
    for (const Shot& s : shots) {
        SCOPED_TRACE(s.name);
        const Picture plain = RaceFrame(s.machine, s.course, false);
        const Picture hud = RaceFrame(s.machine, s.course, true);
        ASSERT_EQ(hud.w, kW);
        WritePng(dir + "/hud_" + s.name + ".png", hud);
        auto changed = [&](int x0, int y0, int x1, int y1) {
            int n = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) n += (plain.At(x, y) & 0xFFFFFF) != (hud.At(x, y) & 0xFFFFFF);
            return static_cast<float>(n) / static_cast<float>((x1 - x0) * (y1 - y0));
        };
        EXPECT_GT(changed(1040, 480, 1340, 740), 0.3f) << "cockpit";
        EXPECT_GT(changed(30, 30, 320, 120), 0.3f) << "rank and lap";
        EXPECT_GT(changed(1030, 30, 1330, 80), 0.3f) << "race time";
        // The race time reads back from the glyphs on the HUD plane.
        EXPECT_EQ(ReadDigits(hud, 1092, 30, 1345, 74), "1:45.529");
    }
}

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
    const HudCommonLayout& l = RaceDisplayLayout;
    const int x0 = static_cast<int>(l.popupTimeX) - 4, y0 = static_cast<int>(l.popupTimeY);
    EXPECT_EQ(ReadDigits(p, x0, y0, x0 + 240, y0 + 40), "0:34.321");
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
