// The drawing seam: headless code gets a silent drawer, the renderer installs itself while it lives.
#include <gtest/gtest.h>

#include "sys/render/tmDraw.h"
#include "sys/render/tmRender.h"

TEST(DrawSeamTest, WithoutRendererCallsAreAcceptedAndDiscarded) {
    tmDraw* drawer = tmDraw::GetInstance();
    ASSERT_NE(drawer, nullptr);
    EXPECT_EQ(drawer->DrawModel(5, 7, 7), 0);
    EXPECT_EQ(drawer->DrawSprite(1, 10.0f, 20.0f, 7), 0);
    EXPECT_EQ(drawer->GetResourceHolder(), nullptr);
    EXPECT_EQ(drawer->GetBackBufferWidth(), 1366);
    EXPECT_EQ(drawer->GetBackBufferHeight(), 768);
    // No device, no textures: CPU-drawn pixels stay on the CPU.
    EXPECT_EQ(drawer->CreateTexture("text", 16, 16), nullptr);
    const uint32_t px[1] = {0};
    EXPECT_FALSE(drawer->UploadTexture(nullptr, px, 1, 1));
    // The frustum still works headless: cameras cull against it.
    D3DXMATRIX view;
    D3DXMatrixIdentity(&view);
    tmFrustum* f = drawer->SetFrustum(view, 1.0f, 16.0f / 9.0f, 1.0f, 100.0f);
    ASSERT_NE(f, nullptr);
    EXPECT_FLOAT_EQ(f->farDistance, 100.0f);
}

TEST(DrawSeamTest, RendererIsTheDrawerWhileItExists) {
    tmRender* render = tmRender::Create();
    EXPECT_EQ(tmDraw::GetInstance(), render);
    tmRender::Destroy();
    EXPECT_NE(tmDraw::GetInstance(), nullptr);
    EXPECT_NE(tmDraw::GetInstance(), static_cast<tmDraw*>(render));
}
