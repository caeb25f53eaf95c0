// tmRenderPathsDisplayTest.cpp -- the simple and the multi-pass frame put world quads and batches in the same place.
#include <gtest/gtest.h>

#include <vector>

#include "harness/GlFixture.h"
#include "platform/gfx/Device.h"
#include "sys/batch/tyBillboard.h"
#include "sys/batch/tyPolygon.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmSprite.h"
#include "sys/resource/tmTexture.h"

namespace {
struct Slots : tmSlotSource {
    sys::tmSprite* red = nullptr;    // slot 2
    sys::tmSprite* green = nullptr;  // slot 114, the batches' sheet
    sys::tmModel* GetModelSlot(int) override { return nullptr; }
    sys::tmSprite* GetSpriteSlot(int s) override {
        return s == 2 ? red : s == tyBillboard::kSpriteSlot ? green : nullptr;
    }
};

// Param: true draws the multi-pass frame (shader bank programs), false the simple one. Laid out as in a
// race, where the 3D view fills the window.
class FramePathsTest : public harness::GlFixture, public ::testing::WithParamInterface<bool> {
protected:
    FramePathsTest() : GlFixture({0, 0, GetParam(), true}) {}
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        tmRenderSetting s;
        s.width = 320;
        s.height = 240;
        s.sceneTargetWidth = 320;
        s.sceneTargetHeight = 240;
        s.shadowMapSize = 32;
        s.cubeTargetSize = 16;
        s.environmentMap = 0;
        s.gammaReport = 0;
        tmDraw::SetRaceLayout(true);
        r = tmRender::Create();
        r->SetResourceHolder(&slots);
        if (!GetParam()) r->SetShaderFactory([](gfx::Device*) { return std::unique_ptr<tmShaderManager>(); });
        ASSERT_TRUE(r->Initialize(dev.get(), s));
        const bool multiPass = r->GetShader() && r->GetShader()->SupportsShaderModel3();
        if (GetParam() && !multiPass) GTEST_SKIP() << "no shader path";
        ASSERT_EQ(multiPass, GetParam());
    }
    void TearDown() override {
        tmRender::Destroy();
        tmDraw::SetRaceLayout(false);
        textures.clear();
        GlFixture::TearDown();
    }
    sys::tmTexture* SolidTexture(uint32_t argb) {
        auto* t = new sys::tmTexture;
        textures.emplace_back(t);
        std::vector<uint32_t> px(16 * 16, argb);
        gfx::Texture tex = dev->createTexture({16, 16, 1, gfx::Format::X8R8G8B8, gfx::Usage::Static, false});
        dev->uploadTexture(tex, 0, 0, px.data());
        t->Setup(tex, nullptr, nullptr, 1);
        return t;
    }
    // Pixel of a world point under view * projection.
    static void Screen(const D3DXMATRIX& vp, float x, float y, float z, int* px, int* py) {
        D3DXVECTOR3 c;
        const D3DXVECTOR3 p(x, y, z);
        D3DXVec3TransformCoord(&c, &p, &vp);
        *px = int((c.x + 1) * 0.5f * 320);
        *py = int((1 - c.y) * 0.5f * 240);
    }
    tmRender* r = nullptr;
    Slots slots;
    std::vector<std::unique_ptr<sys::tmTexture>> textures;
};
}  // namespace

TEST_P(FramePathsTest, WorldQuadAndBothBatchesLandWhereTheCameraSeesThem) {
    const sys::tmSpriteRecord whole{"S", 0, 0, 1, 1};
    sys::tmSprite red, green;
    red.Set(SolidTexture(0xFFFF0000u), &whole);
    green.Set(SolidTexture(0xFF00FF00u), &whole);
    slots.red = &red;
    slots.green = &green;

    D3DXMATRIX view, proj, stale, turn, at;
    const D3DXVECTOR3 eye(0, 0, 100), centre(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtRH(&view, &eye, &centre, &up);
    D3DXMatrixPerspectiveFovRH(&proj, D3DX_PI / 4, 320.0f / 240.0f, 10.0f, 1000.0f);
    r->SetViewMatrix(view);
    r->SetProjectionMatrix(proj);
    r->SetViewProjectionMatrix(view, proj);
    r->SetExtraMatrix1(proj);                // view-space batches
    r->SetSecondViewProjection(view, proj);  // world-space polygon batches
    D3DXMatrixTranslation(&stale, 0, 60, 0);
    r->SetWorldMatrix(stale);  // left over from a model: neither the quad nor the batch may use it

    // A red 20 x 20 quad at (-30, 0, 0) in the world, turned to face the camera.
    D3DXMatrixRotationY(&turn, D3DX_PI);
    D3DXMatrixTranslation(&at, -30, 0, 0);
    at = turn * at;
    ASSERT_GE(r->DrawSpriteRect(2, at, 0xFFFFFFFFu, -1, -1, -1, -1, 20, 20), 0);
    // A 20 x 20 billboard of the green sheet at (30, 0, 0), on a blended layer of the scene.
    tyBillboard batch(&whole, 1, 4, 2);
    batch.SetPosition(D3DXVECTOR3(30, 0, 0));
    batch.SetSize(20, 20);
    batch.Add(0);
    batch.Draw(view);
    // A 20 x 20 polygon-batch quad of the same sheet at (0, 25, 0), opaque layer.
    tyPolygon polygons(&whole, 1, 8, 2);
    D3DXMATRIX size, place;
    D3DXMatrixScaling(&size, 20, 20, 1);
    D3DXMatrixTranslation(&place, 0, 25, 0);
    ASSERT_EQ(polygons.AddQuad(0, size * place, 0xFFFFFFFFu), 4);
    polygons.Draw(view);
    r->Render();

    const D3DXMATRIX vp = view * proj;
    int x, y, left, top, right, bottom;
    Screen(vp, -30, 0, 0, &x, &y);
    Screen(vp, -40, 10, 0, &left, &top);
    Screen(vp, -20, -10, 0, &right, &bottom);
    EXPECT_EQ(Pixel(x, y), 0xFF0000u) << "world quad not at its place";
    EXPECT_EQ(Pixel(left + 3, top + 3), 0xFF0000u);
    EXPECT_EQ(Pixel(right - 3, bottom - 3), 0xFF0000u);
    EXPECT_LT(Red(Pixel(left - 6, y)), 40) << "world quad wider than 20 units";
    EXPECT_LT(Red(Pixel(x, top - 6)), 40) << "world quad taller than 20 units";

    Screen(vp, 30, 0, 0, &x, &y);
    Screen(vp, 20, 10, 0, &left, &top);
    Screen(vp, 40, -10, 0, &right, &bottom);
    const uint32_t mid = Pixel(x, y);
    EXPECT_GT(Green(mid), 200) << "billboard not at its place";
    EXPECT_LT(Red(mid), 60);
    EXPECT_GT(Green(Pixel(left + 3, top + 3)), 200);
    EXPECT_GT(Green(Pixel(right - 3, bottom - 3)), 200);
    EXPECT_LT(Green(Pixel(left - 8, y)), 120) << "billboard wider than 20 units";
    Screen(vp, 0, 25, 0, &x, &y);
    Screen(vp, -10, 35, 0, &left, &top);
    Screen(vp, 10, 15, 0, &right, &bottom);
    EXPECT_GT(Green(Pixel(x, y)), 200) << "polygon batch not at its place";
    EXPECT_GT(Green(Pixel(left + 3, top + 3)), 200);
    EXPECT_GT(Green(Pixel(right - 3, bottom - 3)), 200);
    EXPECT_LT(Green(Pixel(x, top - 8)), 120) << "polygon batch taller than 20 units";

    // Where a second view transform of its view-space corners would put the
    // billboard (half as large, nearer the centre): nothing there.
    Screen(vp, 30, 0, -100, &x, &y);
    EXPECT_LT(Green(Pixel(x - 2, y)), 60);
}

// A full-screen sprite covers the world quads of the overlay layer, but not those queued to be drawn over it.
TEST_P(FramePathsTest, WorldQuadsOverTheScreenSpritesShowOverAFullScreenBackdrop) {
    const sys::tmSpriteRecord whole{"S", 0, 0, 1, 1};
    sys::tmSprite red, green;
    red.Set(SolidTexture(0xFFFF0000u), &whole);
    green.Set(SolidTexture(0xFF00FF00u), &whole);
    slots.red = &red;
    slots.green = &green;
    D3DXMATRIX view, proj, turn, under, over, size;
    const D3DXVECTOR3 eye(0, 0, 100), centre(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtRH(&view, &eye, &centre, &up);
    D3DXMatrixPerspectiveFovRH(&proj, D3DX_PI / 4, 320.0f / 240.0f, 10.0f, 1000.0f);
    r->SetViewMatrix(view);
    r->SetProjectionMatrix(proj);
    r->SetViewProjectionMatrix(view, proj);
    D3DXMatrixRotationY(&turn, D3DX_PI);
    D3DXMatrixTranslation(&under, -30, 0, 0);
    D3DXMatrixTranslation(&over, 30, 0, 0);
    under = turn * under;
    // Sized from its 16-texel sheet at 256 texels per unit: 320 times is 20 units.
    D3DXMatrixScaling(&size, 320, 320, 1);
    over = size * turn * over;
    // Queued before the backdrop: the order of the calls does not decide, the kind does.
    ASSERT_GE(r->DrawSpriteRectOverScreen(2, over, 0xFFFFFFFFu), 0);
    ASSERT_GE(r->DrawSpriteRect(2, under, 0xFFFFFFFFu, -1, -1, -1, -1, 20, 20), 0);
    ASSERT_GE(r->DrawSpriteEx(tyBillboard::kSpriteSlot, 0, 0, 20, 15, 0xFFFFFFFFu, 0, 0, 0, 0, 0, 0, 1, 1), 0);
    r->Render();

    const D3DXMATRIX vp = view * proj;
    int x, y;
    Screen(vp, -30, 0, 0, &x, &y);
    EXPECT_GT(Green(Pixel(x, y)), 200) << "the backdrop does not cover the overlay quad";
    EXPECT_LT(Red(Pixel(x, y)), 60);
    Screen(vp, 30, 0, 0, &x, &y);
    EXPECT_GT(Red(Pixel(x, y)), 200) << "the quad over the screen sprites is hidden";
    EXPECT_LT(Green(Pixel(x, y)), 60);
    EXPECT_GT(Green(Pixel(5, 5)), 200);
}

// Batches tint their sheet by their vertex colours (particles and trails are coloured that way) on both frames.
TEST_P(FramePathsTest, BatchesShowTheirVertexColours) {
    const sys::tmSpriteRecord whole{"S", 0, 0, 1, 1};
    sys::tmSprite white;
    white.Set(SolidTexture(0xFFFFFFFFu), &whole);
    slots.green = &white;
    D3DXMATRIX view, proj, size, place;
    const D3DXVECTOR3 eye(0, 0, 100), centre(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtRH(&view, &eye, &centre, &up);
    D3DXMatrixPerspectiveFovRH(&proj, D3DX_PI / 4, 320.0f / 240.0f, 10.0f, 1000.0f);
    r->SetViewMatrix(view);
    r->SetProjectionMatrix(proj);
    r->SetViewProjectionMatrix(view, proj);
    r->SetExtraMatrix1(proj);
    r->SetSecondViewProjection(view, proj);
    tyPolygon polygons(&whole, 1, 8, 2);
    D3DXMatrixScaling(&size, 20, 20, 1);
    D3DXMatrixTranslation(&place, -20, 0, 0);
    ASSERT_EQ(polygons.AddQuad(0, size * place, 0xFFFF8000u), 4);  // orange
    D3DXMatrixTranslation(&place, 20, 0, 0);
    ASSERT_EQ(polygons.AddQuad(0, size * place, 0xFF2040FFu), 4);  // blue
    polygons.Draw(view);
    r->Render();

    const D3DXMATRIX vp = view * proj;
    int x, y;
    Screen(vp, -20, 0, 0, &x, &y);
    const uint32_t orange = Pixel(x, y);
    EXPECT_GT(Red(orange), 220);
    EXPECT_NEAR(Green(orange), 128, 30);
    EXPECT_LT(Blue(orange), 40);
    Screen(vp, 20, 0, 0, &x, &y);
    const uint32_t blue = Pixel(x, y);
    EXPECT_LT(Red(blue), 60);
    EXPECT_GT(Blue(blue), 220);
}

INSTANTIATE_TEST_SUITE_P(SimpleAndMultiPass, FramePathsTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "MultiPass" : "Simple");
                         });
