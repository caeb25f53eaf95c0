// tmRenderDisplayTest.cpp -- screenshots of frames drawn by the renderer on the OpenGL device.
#include <gtest/gtest.h>

#include <cstring>

#include "harness/GlFixture.h"
#include "platform/gfx/Device.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmModel.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmSprite.h"
#include "sys/resource/tmTexture.h"

namespace {
struct Slots : tmSlotSource {
    sys::tmModel* model = nullptr;
    sys::tmSprite* sprites[3] = {};
    sys::tmModel* GetModelSlot(int s) override { return s == 1 ? model : nullptr; }
    sys::tmSprite* GetSpriteSlot(int s) override { return s >= 1 && s <= 3 ? sprites[s - 1] : nullptr; }
};

class RenderDisplayTest : public harness::GlFixture {
protected:
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        tmRenderSetting s;
        s.width = 320;
        s.height = 240;
        s.sceneTargetWidth = s.sceneTargetHeight = 64;
        s.shadowMapSize = 32;
        s.cubeTargetSize = 16;
        s.gammaReport = 0;
        r = tmRender::Create();
        r->SetResourceHolder(&slots);
        // No shader manager: these cases check the fixed-function frame path.
        r->SetShaderFactory([](gfx::Device*) { return std::unique_ptr<tmShaderManager>(); });
        ASSERT_TRUE(r->Initialize(dev.get(), s));
    }
    void TearDown() override {
        slots.model = nullptr;
        tmRender::Destroy();
        textures.clear();
        GlFixture::TearDown();
    }
    sys::tmTexture* SolidTexture(uint32_t argb) {
        auto* t = new sys::tmTexture;
        textures.emplace_back(t);
        std::vector<uint32_t> px(16 * 16, argb);
        gfx::Texture tex = dev->createTexture({16, 16, 1, gfx::Format::A8R8G8B8, gfx::Usage::Static, false});
        dev->uploadTexture(tex, 0, 0, px.data());
        t->Setup(tex, nullptr, nullptr, 1);
        return t;
    }
    tmRender* r = nullptr;
    Slots slots;
    std::vector<std::unique_ptr<sys::tmTexture>> textures;
};
}  // namespace

TEST_F(RenderDisplayTest, ModelSlotIsPlacedByTheWorldMatrixAndLitByTheLight) {
    // One triangle, counter-clockwise on screen (kept by clockwise culling), facing the viewer.
    struct V {
        float p[3], n[3], uv[2];
    } tri[3] = {{{-0.25f, 0.25f, 0.5f}, {0, 0, -1}, {0, 0}},
                {{-0.25f, -0.25f, 0.5f}, {0, 0, -1}, {0, 1}},
                {{0.25f, 0.25f, 0.5f}, {0, 0, -1}, {1, 0}}};
    sys::tmShape shape;
    shape.vertexBuffer = dev->createBuffer(gfx::BufferKind::Vertex, sizeof tri, false);
    std::memcpy(dev->lockBuffer(shape.vertexBuffer, 0, 0), tri, sizeof tri);
    dev->unlockBuffer(shape.vertexBuffer);
    shape.declIndex = 7;
    shape.stride = 32;
    shape.range = {0, 0, 1, 0, 3};
    shape.vertexCount = 3;
    shape.primitiveCount = 1;
    shape.material.diffuse = {0.5f, 0, 0, 1};
    sys::tmModel model;
    model.AddShape(&shape);
    slots.model = &model;

    D3DXMATRIX world;
    D3DXMatrixTranslation(&world, 0.5f, 0, 0);  // a quarter of the screen to the right
    r->SetWorldMatrix(world);
    ASSERT_EQ(r->DrawModel(1, 0, 0), 0);
    r->Render();
    // Clip x 0.25..0.75 -> pixels 200..280; y -0.25..0.25 -> rows 90..150.
    const uint32_t lit = Pixel(205, 95);
    EXPECT_NEAR(int(lit >> 16), int(0.5f * 0.577f * 255), 3);  // diffuse only, no ambient material
    EXPECT_EQ(lit & 0xFFFF, 0u);
    EXPECT_EQ(Pixel(120, 95), 0u);   // where it would be without the world matrix
    EXPECT_EQ(Pixel(275, 145), 0u);  // the other half of the square is not part of it

    // The next frame starts from the clear colour: moved left, the triangle leaves no trace behind.
    ForgetShot();
    D3DXMatrixTranslation(&world, -0.5f, 0, 0);
    r->SetWorldMatrix(world);
    ASSERT_EQ(r->DrawModel(1, 0, 0), 0);
    r->Render();
    EXPECT_EQ(Pixel(205, 95), 0u);
    EXPECT_NE(Pixel(45, 95), 0u);
    dev->releaseBuffer(shape.vertexBuffer);
}

TEST_F(RenderDisplayTest, SpritesLandWhereTheirPlacementModeAndRotationPutThem) {
    sys::tmSpriteRecord rec{"S", 0, 0, 1, 1};  // 16 x 16 pixels
    sys::tmSprite red, green, blue;
    red.Set(SolidTexture(0xFFFF0000), &rec);
    green.Set(SolidTexture(0xFF00FF00), &rec);
    blue.Set(SolidTexture(0xFF0000FF), &rec);
    slots.sprites[0] = &red;
    slots.sprites[1] = &green;
    slots.sprites[2] = &blue;
    r->DrawSprite(1, 10, 10, 0);  // left 10, top 10
    r->DrawSprite(2, 10, 10, 1);  // bottom: top = 240 - 26
    r->DrawSprite(1, 10, 10, 2);  // right: left = 320 - 26
    r->DrawSprite(2, 10, 10, 3);  // bottom right
    r->DrawSprite(3, 0, 0, 4);    // centred: left = 160 - 8.5
    r->DrawSprite(3, 0, 40, 5);   // centred horizontally, top 40
    r->DrawSprite(1, 40, 10, 6);  // bottom, left = 160 + 40 - 8.5
    // Layout on 4:3: the 1366-wide virtual screen fitted by the width (scale 320 / 1366) and centred:
    // offsets 40 and 30, a 3.75-pixel square at (63.4, 76.9).
    r->DrawSprite(2, 100, 200, 7);
    // 32 x 4 bar rotated a quarter turn about its centre: becomes 4 wide, 32 tall.
    r->DrawSpriteEx(3, 250, 100, 2.0f, 0.25f, 0xFFFFFFFF, 0, 1.5707964f, 8, 8, -1, -1, -1, -1);
    r->Render();
    EXPECT_EQ(Pixel(12, 12), 0xFF0000u);
    EXPECT_EQ(Pixel(9, 12), 0u);
    EXPECT_EQ(Pixel(12, 240 - 24), 0x00FF00u);
    EXPECT_EQ(Pixel(320 - 24, 12), 0xFF0000u);
    EXPECT_EQ(Pixel(320 - 24, 240 - 24), 0x00FF00u);
    EXPECT_EQ(Pixel(160, 120), 0x0000FFu);
    EXPECT_EQ(Pixel(160, 42), 0x0000FFu);
    EXPECT_EQ(Pixel(200, 240 - 24), 0xFF0000u);
    EXPECT_EQ(Pixel(65, 78), 0x00FF00u);
    EXPECT_EQ(Pixel(69, 78), 0u);
    EXPECT_EQ(Pixel(65, 74), 0u);
    // Rotated bar: centre (266, 102); tall, not wide.
    EXPECT_EQ(Pixel(266, 90), 0x0000FFu);
    EXPECT_EQ(Pixel(266, 114), 0x0000FFu);
    EXPECT_EQ(Pixel(256, 102), 0u);
    EXPECT_EQ(Pixel(276, 102), 0u);
}

// On a screen narrower than 16:9 the fitted virtual screen has bands above and below (30 rows each at
// 320 x 240): they stay black under a light clear colour, a virtual-screen sprite larger than the screen
// and a world quad over the screen sprites larger than the window (a menu's 3D view is cut to the
// virtual screen), while a sprite placed in pixels still shows in them.
TEST_F(RenderDisplayTest, BandsAroundTheFittedVirtualScreenStayBlack) {
    sys::tmSpriteRecord rec{"S", 0, 0, 1, 1};
    sys::tmSprite red, green, blue;
    red.Set(SolidTexture(0xFFFF0000), &rec);
    green.Set(SolidTexture(0xFF00FF00), &rec);
    blue.Set(SolidTexture(0xFF0000FF), &rec);
    slots.sprites[0] = &red;
    slots.sprites[1] = &green;
    slots.sprites[2] = &blue;
    r->SetClearColor(0xFFFFFFFF);
    r->DrawSpriteEx(1, -300.0f, -300.0f, 150.0f, 150.0f, 0xFFFFFFFF, 7, 0, 0, 0, -1, -1, -1, -1);
    r->DrawSprite(2, 10, 5, 0);
    D3DXMATRIX huge;  // the quad is 1/16 unit: 64 units of clip space, facing identity matrices
    D3DXMatrixScaling(&huge, -1024.0f, 1024.0f, 1.0f);
    r->DrawSpriteRectOverScreen(3, huge, 0xFFFFFFFF);
    r->Render();
    EXPECT_EQ(Pixel(160, 120), 0x0000FFu);
    for (const int y : {0, 29, 210, 239}) EXPECT_EQ(Pixel(160, y), 0u) << "row " << y;
    EXPECT_EQ(Pixel(160, 31), 0x0000FFu);
    EXPECT_EQ(Pixel(12, 7), 0x00FF00u);
}
