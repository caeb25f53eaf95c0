// MachineDisplayTest.cpp -- screenshots of the eleven machines on the garage floor, one machine's four poses and their
// silhouettes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/tmConfig.h"
#include "effect/tmEffParticles.h"
#include "effect/tyBoostTail.h"
#include "effect/tyEffectManager.h"
#include "harness/GlFixture.h"
#include "machine/tmMachineCore.h"
#include "machine/tmMachineEffect.h"
#include "machine/tmMachineModel.h"
#include "machine/tmMachineMove.h"
#include "platform/gfx/Device.h"
#include "race/tmRaceState.h"
#include "sys/batch/tyPolygon.h"
#include "sys/render/tmRender.h"
#include "table/MachineTable.h"
#include "table/tmSpriteGroup.h"
#include "table/yiResourceGroup.h"

namespace {

constexpr uint32_t kClear = 0xFF101418;

// One machine for the camera: a core placed by hand, its movement unused, its model.
struct Shown {
    tmMachineCore core;
    tmMachineMove move;
    tmMachineModel model;
};

// The renderer on the fixture's device, in the test's own folder with the run folder's banks linked in.
class MachineDisplayTest : public harness::GlFixture {
protected:
    static constexpr int kW = 960;
    static constexpr int kH = 540;

    MachineDisplayTest() : GlFixture(harness::GlSetup(0, 0, false, true)) {}

    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        tmRenderSetting s;
        s.width = kW;
        s.height = kH;
        s.sceneTargetWidth = kW;
        s.sceneTargetHeight = kH;
        s.shadowMapSize = 256;
        s.cubeTargetSize = 32;
        s.gammaReport = 0;
        r_ = tmRender::Create();
        ASSERT_TRUE(r_->Initialize(dev.get(), s));
        // Software rasterisers sample anisotropically very slowly on some views: keep shots quick.
        dev->setSamplerFilter(0, gfx::Filter::Linear, gfx::Filter::Linear, gfx::Filter::Linear, 1);
        yiResourceGroup::ResetState();
        tmRaceState::Get().setup = tmRaceSetup{};
        ASSERT_TRUE(tmSpriteGroup::Load(16));
    }
    void TearDown() override {
        shown_.clear();
        if (r_) tmSpriteGroup::Unload(16);
        tmRender::Destroy();
        yiResourceGroup::ResetState();
        GlFixture::TearDown();
    }

    // A machine at (x, z) with its nose toward (noseX, noseZ), settled in a body mode.
    Shown& Place(int id, float x, float z, float noseX, float noseZ, uint32_t mode) {
        shown_.push_back(std::make_unique<Shown>());
        Shown& m = *shown_.back();
        m.core.spec = GetMachineSpec(id);
        m.core.player = 1;
        m.core.bodyMode = m.core.previousBodyMode = mode;
        m.core.framesInBodyMode = 20;
        D3DXMATRIX rot, at;
        // The models' noses point along -Z; a turn by a about Y points them to (-sin a, -cos a).
        D3DXMatrixRotationY(&rot, std::atan2(-noseX, -noseZ));
        D3DXMatrixTranslation(&at, x, 0, z);
        m.core.worldMatrix = rot * at;
        m.core.position = D3DXVECTOR3(x, 0, z);
        m.model.Init(m.core, m.move);
        for (int i = 0; i < tmMachineModel::kSettled + 1; ++i) m.model.Update();
        return m;
    }

    void Camera(const D3DXVECTOR3& eye, const D3DXVECTOR3& at, float fov) {
        const D3DXVECTOR3 up(0, 1, 0);
        D3DXMatrixLookAtRH(&view_, &eye, &at, &up);
        D3DXMatrixPerspectiveFovRH(&proj_, fov, float(kW) / kH, 5.0f, 4000.0f);
    }

    // The studio floor: dark tiles with light seams, under everything.
    void Floor(float half) {
        floor_ = std::make_unique<tyPolygon>(tmSpriteGroup::Get(16), 8192, 2);
        const float tile = 20.0f;
        for (float x = -half; x < half; x += tile)
            for (float z = -half; z < half; z += tile) {
                D3DXMATRIX s, rx, t;
                D3DXMatrixScaling(&s, tile - 0.6f, tile - 0.6f, 1);
                D3DXMatrixRotationX(&rx, D3DX_PI * 0.5f);
                D3DXMatrixTranslation(&t, x + tile * 0.5f, 0, z + tile * 0.5f);
                const bool dark = (static_cast<int>(std::floor(x / tile)) + static_cast<int>(std::floor(z / tile))) & 1;
                floor_->AddQuad(42, s * rx * t, dark ? 0xFF3A3E44u : 0xFF464A52u);
                D3DXMatrixScaling(&s, tile, tile, 1);
                D3DXMatrixTranslation(&t, x + tile * 0.5f, -0.05f, z + tile * 0.5f);
                floor_->AddQuad(42, s * rx * t, 0xFF8A909Au);
            }
    }

    // Renders the frame and reads it back (the pictures worth keeping are written by the tests).
    std::vector<uint32_t> Render(bool floor) {
        r_->SetClearColor(kClear);
        r_->SetViewMatrix(view_);
        r_->SetProjectionMatrix(proj_);
        r_->SetSecondViewProjection(view_, proj_);
        r_->SetExtraMatrix1(proj_);  // billboards are queued in view space
        ty_sEffectManager::Instance().SetViewMatrix(view_);
        r_->SetNearFar(5.0f, 4000.0f);
        const float light[4] = {-0.45f, -0.8f, -0.4f, 0.35f};
        r_->SetLightDirectionDefault(light);
        // The frame starts from the clear colour (the main loop clears at each present).
        dev->clear(gfx::ClearFlag::Target | gfx::ClearFlag::ZBuffer, kClear, 1.0f, 0);
        if (floor && floor_) floor_->Draw(view_);
        for (auto& m : shown_) m->model.Draw(false);
        if (drawEffects_) {
            for (auto& e : effects_) e->Draw(false);
            tyBoostTailManager::Instance().Draw();
            ty_sEffectManager::Instance().Draw();
        }
        r_->Render();
        std::vector<uint32_t> shot;
        uint32_t w = 0, h = 0;
        EXPECT_TRUE(dev->readPixels(dev->backBuffer(), 0, &shot, &w, &h));
        return shot;
    }

    // Screen pixel of a world point.
    void Project(const D3DXVECTOR3& p, int* x, int* y) const {
        D3DXVECTOR3 ndc;
        const D3DXMATRIX vp = view_ * proj_;
        D3DXVec3TransformCoord(&ndc, &p, &vp);
        *x = static_cast<int>((ndc.x + 1.0f) * 0.5f * kW);
        *y = static_cast<int>((1.0f - ndc.y) * 0.5f * kH);
    }

    tmRender* r_ = nullptr;
    std::vector<std::unique_ptr<Shown>> shown_;
    std::unique_ptr<tyPolygon> floor_;
    std::vector<std::unique_ptr<tmMachineEffect>> effects_;
    bool drawEffects_ = false;
    D3DXMATRIX view_, proj_;
};

TEST_F(MachineDisplayTest, ElevenMachinesStandOnTheGarageFloor) {
    Floor(200);
    // Two rows, noses toward the camera and turned a little, so length and height both show.
    for (int id = 1; id <= 11; ++id) {
        const int row = id <= 6 ? 0 : 1;
        const int col = row == 0 ? id - 1 : id - 7;
        const float x = (static_cast<float>(col) - (row == 0 ? 2.5f : 2.0f)) * 32.0f;
        const float z = row == 0 ? -35.0f : 35.0f;
        Place(id, x, z, -0.55f, -1.0f, GetMachineSpec(id)->drivePose);
    }
    Camera(D3DXVECTOR3(-62, 66, -185), D3DXVECTOR3(-16, 2, 0), 0.7f);
    const std::vector<uint32_t> shot = Render(true);
    ASSERT_EQ(shot.size(), static_cast<size_t>(kW) * kH);
    harness::WriteShot("MachineDisplayTest.machines_garage", shot, kW, kH);
    // Every machine covers the floor where it stands: against the empty floor, most of
    // the pixels around its middle changed.
    std::vector<std::unique_ptr<Shown>> machines = std::move(shown_);
    shown_.clear();
    const std::vector<uint32_t> empty = Render(true);
    ASSERT_EQ(empty.size(), shot.size());
    for (size_t i = 0; i < machines.size(); ++i) {
        int x = 0, y = 0;
        Project(machines[i]->core.position + D3DXVECTOR3(0, 3, 0), &x, &y);
        int changed = 0, total = 0;
        for (int yy = y - 6; yy <= y + 6; ++yy)
            for (int xx = x - 6; xx <= x + 6; ++xx) {
                if (xx < 0 || yy < 0 || xx >= kW || yy >= kH) continue;
                const size_t at = static_cast<size_t>(yy) * kW + xx;
                changed += (shot[at] & 0xFFFFFF) != (empty[at] & 0xFFFFFF);
                ++total;
            }
        EXPECT_GT(changed * 2, total) << "machine " << i + 1;
    }
}

// Pastes a shot into a cell of a contact sheet, scaled down by an integer factor.
void Paste(std::vector<uint32_t>& sheet, int sheetW, const std::vector<uint32_t>& shot, int w, int h, int cellX,
           int cellY, int factor) {
    for (int y = 0; y + factor <= h; y += factor)
        for (int x = 0; x + factor <= w; x += factor) {
            const size_t to = static_cast<size_t>(cellY + y / factor) * sheetW + cellX + x / factor;
            if (to < sheet.size()) sheet[to] = shot[static_cast<size_t>(y) * w + x];
        }
}

TEST_F(MachineDisplayTest, OneMachineInEachOfItsFourPoses) {
    Floor(140);
    const int id = 1;
    for (uint32_t pose = 0; pose < 4; ++pose)
        Place(id, (1.5f - static_cast<float>(pose)) * 34.0f, 0, -0.7f, -1.0f, pose);
    Camera(D3DXVECTOR3(-30, 55, -125), D3DXVECTOR3(0, 4, 0), 0.72f);
    const std::vector<uint32_t> shot = Render(true);
    ASSERT_EQ(shot.size(), static_cast<size_t>(kW) * kH);
    harness::WriteShot("MachineDisplayTest.machine_poses", shot, kW, kH);
    // The four bodies are different shapes: compare the screen boxes each pose covers.
    std::vector<std::vector<bool>> masks;
    for (const auto& m : shown_) {
        int cx = 0, cy = 0;
        Project(m->core.position + D3DXVECTOR3(0, 4, 0), &cx, &cy);
        std::vector<bool> mask;
        for (int y = cy - 90; y < cy + 90; ++y)
            for (int x = cx - 90; x < cx + 90; ++x) {
                const bool in = x >= 0 && y >= 0 && x < kW && y < kH;
                const uint32_t c = in ? shot[static_cast<size_t>(y) * kW + x] : 0;
                // Floor tiles are grey; machines are painted.
                const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
                mask.push_back(in && (std::abs(r - g) > 24 || std::abs(g - b) > 24 || std::abs(r - b) > 24));
            }
        masks.push_back(mask);
    }
    for (size_t a = 0; a < masks.size(); ++a)
        for (size_t b = a + 1; b < masks.size(); ++b) {
            size_t differ = 0, any = 0;
            for (size_t i = 0; i < masks[a].size(); ++i) {
                differ += masks[a][i] != masks[b][i];
                any += masks[a][i] || masks[b][i];
            }
            EXPECT_GT(static_cast<float>(differ) / static_cast<float>(std::max<size_t>(any, 1)), 0.05f)
                << "poses " << a << " and " << b;
        }
}

// Each machine alone, from the side and from above-front: the pictures go onto
// two contact sheets, and the side silhouettes differ pairwise.
TEST_F(MachineDisplayTest, EveryMachineHasItsOwnSilhouette) {
    constexpr int kCols = 4, kRows = 3, kFactor = 2;
    const int cellW = kW / kFactor, cellH = kH / kFactor;
    std::vector<uint32_t> sideSheet(static_cast<size_t>(cellW * kCols) * cellH * kRows, kClear);
    std::vector<uint32_t> portraitSheet = sideSheet;
    std::vector<std::vector<bool>> masks;
    for (int id = 1; id <= 11; ++id) {
        shown_.clear();
        Place(id, 0, 0, -1.0f, 0.0f, GetMachineSpec(id)->drivePose);  // nose toward -x
        Camera(D3DXVECTOR3(0, 6, -110), D3DXVECTOR3(0, 6, 0), 0.5f);
        const std::vector<uint32_t> side = Render(false);
        ASSERT_EQ(side.size(), static_cast<size_t>(kW) * kH);
        std::vector<bool> mask(side.size());
        // The background as the frame shows it (its corner), whatever the renderer did to the clear colour.
        const uint32_t background = side[0] & 0xFFFFFF;
        for (size_t i = 0; i < side.size(); ++i) mask[i] = (side[i] & 0xFFFFFF) != background;
        masks.push_back(mask);
        const int cellX = ((id - 1) % kCols) * cellW, cellY = ((id - 1) / kCols) * cellH;
        Paste(sideSheet, cellW * kCols, side, kW, kH, cellX, cellY, kFactor);
        shown_.clear();
        Place(id, 0, 0, -0.8f, -1.0f, GetMachineSpec(id)->drivePose);
        Camera(D3DXVECTOR3(-27, 19, -44), D3DXVECTOR3(0, 3, 0), 0.8f);
        Paste(portraitSheet, cellW * kCols, Render(false), kW, kH, cellX, cellY, kFactor);
    }
    harness::WriteShot("MachineDisplayTest.machine_silhouettes", sideSheet, cellW * kCols, cellH * kRows);
    harness::WriteShot("MachineDisplayTest.machine_portraits", portraitSheet, cellW * kCols, cellH * kRows);
    for (size_t a = 0; a < masks.size(); ++a) {
        size_t covered = 0;
        for (bool b : masks[a]) covered += b;
        EXPECT_GT(covered, static_cast<size_t>(kW * kH / 50)) << "machine " << a + 1 << " is hardly there";
        for (size_t b = a + 1; b < masks.size(); ++b) {
            size_t differ = 0, any = 0;
            for (size_t i = 0; i < masks[a].size(); ++i) {
                differ += masks[a][i] != masks[b][i];
                any += masks[a][i] || masks[b][i];
            }
            EXPECT_GT(static_cast<float>(differ) / static_cast<float>(std::max<size_t>(any, 1)), 0.08f)
                << "machines " << a + 1 << " and " << b + 1 << " have nearly the same outline";
        }
    }
}

// A boosting machine on rough ground: sparks and trails from its nozzles, tire smoke
// behind it and a burst of debris, drawn from the particle sheet through the batches.
TEST_F(MachineDisplayTest, ABoostingMachineTrailsSparksSmokeAndDebris) {
    Floor(140);
    tmConfig::GetInstance().SetVideoFlag(1);
    ty_sEffectManager& fx = ty_sEffectManager::Instance();
    fx.Init();
    tyBoostTailManager& trails = tyBoostTailManager::Instance();
    ASSERT_TRUE(trails.Create(true, 2));
    Shown& m = Place(1, 0, 0, 0.0f, -1.0f, 2);
    m.core.params.bstTimeUse = 240;
    m.core.params.bstTimeCharge = 90;
    m.core.floorState = 4;
    m.core.kmh = 180;
    effects_.push_back(std::make_unique<tmMachineEffect>());
    tmMachineEffect& effect = *effects_.back();
    effect.Init(m.core, m.move);
    tmRaceState::Get().cores[0] = &m.core;
    // The machine drives toward -Z for 40 steps, leaving its trails and smoke behind.
    for (int step = 0; step < 40; ++step) {
        fx.DrawBatches();
        trails.ClearAll();
        m.core.boostFramesLeft = 200 - step;
        const float z = -static_cast<float>(step) * 1.5f;
        D3DXMATRIX at;
        D3DXMatrixTranslation(&at, 0, 0, z);
        m.core.worldMatrix = at;  // the model's nose already points along -Z
        m.core.position = D3DXVECTOR3(0, 0, z);
        m.model.Update();
        effect.Update();
        fx.Update();
        trails.Update();
    }
    for (int i = 0; i < 30; ++i) tmEffPointFlash::SpawnDebris(m.core.position + D3DXVECTOR3(0, 6, 0), 0xFFE0C040u);
    ASSERT_GT(fx.GetCount(), 40);
    Camera(D3DXVECTOR3(-45, 30, -95), D3DXVECTOR3(0, 6, -45), 0.75f);
    drawEffects_ = true;
    const std::vector<uint32_t> shot = Render(true);
    ASSERT_EQ(shot.size(), static_cast<size_t>(kW) * kH);
    harness::WriteShot("MachineDisplayTest.machine_boost_effects", shot, kW, kH);
    // The trails and smoke lie behind the machine (toward +Z): pixels there differ from the empty floor.
    drawEffects_ = false;
    effect.Release();
    effects_.clear();
    const std::vector<uint32_t> plain = Render(true);
    int changed = 0;
    for (size_t i = 0; i < shot.size(); ++i) changed += (shot[i] & 0xFFFFFF) != (plain[i] & 0xFFFFFF);
    EXPECT_GT(changed, kW * kH / 100);
    tmRaceState::Get().cores[0] = nullptr;
    trails.Release();
    fx.Release();
}

}  // namespace
