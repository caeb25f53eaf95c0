// tmRenderQueueTest.cpp -- layers, alpha re-layering, sprite runs, placement, sorting and limits of the queue.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/gfx/NullDevice.h"
#include "sys/gfx/tmDevice.h"
#include "sys/gfx/tmRenderSetting.h"
#include "sys/render/tmRenderQueue.h"
#include "sys/resource/tmModel.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmSprite.h"
#include "sys/resource/tmTexture.h"

namespace {
struct Slots : tmSlotSource {
    sys::tmModel* models[4] = {};
    sys::tmSprite* sprites[4] = {};
    sys::tmModel* GetModelSlot(int s) override { return s >= 0 && s < 4 ? models[s] : nullptr; }
    sys::tmSprite* GetSpriteSlot(int s) override { return s >= 0 && s < 4 ? sprites[s] : nullptr; }
};

class QueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        tmSetDevice(&dev);
        tmGetCurrentRenderSetting() = tmRenderSetting();
        tmSetLayoutFromScreen(1366, 768);
        texA.Setup(dev.createTexture({256, 128, 1, gfx::Format::A8R8G8B8, gfx::Usage::Static, false}), nullptr, nullptr,
                   1);
        texB.Setup(dev.createTexture({64, 64, 1, gfx::Format::A8R8G8B8, gfx::Usage::Static, false}), nullptr, nullptr,
                   1);
        spriteA.Set(&texA, &recA);
        spriteB.Set(&texB, &recB);
        for (int i = 0; i < 3; ++i) {
            shapes[i].alphaMode = uint32_t(i);
            shapes[i].featureFlags = 0x10001;
            model.AddShape(&shapes[i]);
        }
        slots.models[1] = &model;
        slots.sprites[1] = &spriteA;
        slots.sprites[2] = &spriteB;
        q.Initialize(&slots, 8192, 4096, 1024, 256);
    }
    void TearDown() override {
        q.Clear();
        tmSetDevice(nullptr);
    }
    // Vertices of the first screen-sprite shape.
    const float* ScreenVerts(int shape = 0) {
        auto items = q.GetLayerItems(8);
        return reinterpret_cast<const float*>(dev.bufferData(items[shape]->shape->vertexBuffer)->data());
    }
    gfx::NullDevice dev;
    sys::tmTexture texA, texB;
    sys::tmSpriteRecord recA{"A", 0.0f, 0.0f, 0.5f, 0.25f};  // 128 x 32 texels
    sys::tmSpriteRecord recB{"B", 0.0f, 0.0f, 1.0f, 1.0f};
    sys::tmSprite spriteA, spriteB;
    sys::tmShape shapes[3];
    sys::tmModel model;
    Slots slots;
    tmRenderQueue q;
};
}  // namespace

TEST_F(QueueTest, AlphaModesRelayerFromLayerZeroOnly) {
    shapes[2].centre[2] = 5.0f;
    D3DXMATRIX view;
    D3DXMatrixTranslation(&view, 0, 0, -100);
    q.SetView(view);
    EXPECT_EQ(q.AddModelBySlot(1, 0, 0, 1.0f, -1), 0);  // last item index in layer 0... of the opaque shape
    EXPECT_EQ(q.GetLayerCount(0), 1);
    EXPECT_EQ(q.GetLayerCount(2), 1);
    EXPECT_EQ(q.GetLayerCount(4), 1);
    EXPECT_FLOAT_EQ(q.GetLayerItems(4)[0]->depth, -95.0f);
    EXPECT_EQ(q.GetLayerItems(0)[0]->stateFlags, 0x1u);  // negative flag clears the dynamic reflection bit
    EXPECT_EQ(q.AddModelBySlot(1, 0, 5, 0.5f, 1), 2);
    EXPECT_EQ(q.GetLayerCount(5), 3);
    EXPECT_FLOAT_EQ(q.GetLayerItems(5)[2]->depth, -95.0f);
    EXPECT_EQ(q.GetLayerItems(5)[0]->stateFlags, 0x10001u);
    EXPECT_EQ(q.AddModelBySlot(0, 0, 0, 1.0f, -1), -1);  // slot 0 is always empty
    EXPECT_EQ(q.AddModelBySlot(1, 0, 21, 1.0f, -1), -1);
    // Layers 15, 16, 17, 19, 20 force alpha 1; cube faces keep it.
    q.AddModelBySlot(1, 0, 15, 0.25f, -1);
    EXPECT_FLOAT_EQ(q.GetLayerItems(15)[0]->entry->alpha, 1.0f);
    q.AddModelBySlot(1, 0, 9, 0.25f, -1);
    EXPECT_FLOAT_EQ(q.GetLayerItems(9)[0]->entry->alpha, 0.25f);
    EXPECT_EQ(q.GetLayerItems(9)[0]->entry->eye, (D3DXVECTOR4{0, 1, 0, 1}));
}

TEST_F(QueueTest, SpriteRunsFollowTextureChangesPerKind) {
    q.AddSpriteBySlot(1, 0, 0, 1, 1, 0xFFFFFFFF, 0, 0, 0, 0, -1, -1, -1, -1);
    q.AddSpriteBySlot(2, 0, 0, 1, 1, 0xFFFFFFFF, 0, 0, 0, 0, -1, -1, -1, -1);
    q.AddSpriteBySlot(1, 0, 0, 1, 1, 0xFFFFFFFF, 0, 0, 0, 0, -1, -1, -1, -1);
    q.Flush(&dev);
    EXPECT_EQ(q.GetLayerCount(8), 3);
    EXPECT_EQ(q.GetSpriteShapeCount(), 3);
    q.Clear();
    EXPECT_EQ(dev.liveBuffers(), 0);

    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    q.AddSpriteBySlot(1, 0, 0, 1, 1, 0xFFFFFFFF, 0, 0, 0, 0, -1, -1, -1, -1);
    q.AddSpriteQuadBySlot(2, m, 0xFFFFFFFF, -1, -1, -1, -1, 0, 0);
    q.AddSpriteBySlot(1, 0, 0, 1, 1, 0xFFFFFFFF, 0, 0, 0, 0, -1, -1, -1, -1);
    q.Flush(&dev);
    ASSERT_EQ(q.GetLayerCount(8), 1);
    EXPECT_EQ(q.GetLayerItems(8)[0]->shape->vertexCount, 12u);
    ASSERT_EQ(q.GetLayerCount(7), 1);
    EXPECT_EQ(q.GetLayerItems(7)[0]->shape->declIndex, 2);
    EXPECT_EQ(q.GetLayerItems(8)[0]->entry->shaderType, 6u);
    EXPECT_EQ(q.GetLayerItems(7)[0]->entry->shaderType, 7u);
    // A world quad of width 0 is sized from its texture at 256 texels per unit: 64 texels -> 0.25.
    const float* w = reinterpret_cast<const float*>(dev.bufferData(q.GetLayerItems(7)[0]->shape->vertexBuffer)->data());
    EXPECT_FLOAT_EQ(w[0], 0.125f);       // c0 right: centred on the quad's origin
    EXPECT_FLOAT_EQ(w[1], 0.125f);       // c0 top
    EXPECT_FLOAT_EQ(w[6 * 2], -0.125f);  // c2 left
}

TEST_F(QueueTest, WorldQuadsOverTheScreenFollowTheScreenSprites) {
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    EXPECT_GE(q.AddSpriteQuadBySlot(2, m, 0xFFFFFFFF, -1, -1, -1, -1, 0, 0, tmSpritePlacement::kWorldQuadOverScreen),
              0);
    q.AddSpriteQuadBySlot(2, m, 0xFFFFFFFF, -1, -1, -1, -1, 0, 0);
    q.AddSpriteBySlot(1, 0, 0, 1, 1, 0xFFFFFFFF, 0, 0, 0, 0, -1, -1, -1, -1);
    // A screen sprite cannot claim a world mark.
    q.AddSpriteBySlot(1, 0, 0, 1, 1, 0xFFFFFFFF, tmSpritePlacement::kWorldQuadOverScreen, 0, 0, 0, -1, -1, -1, -1);
    q.Flush(&dev);
    ASSERT_EQ(q.GetLayerCount(7), 1);
    ASSERT_EQ(q.GetLayerCount(8), 2);
    EXPECT_EQ(q.GetLayerItems(8)[0]->entry->shaderType, 6u);  // the screen sprites first, in one run
    EXPECT_EQ(q.GetLayerItems(8)[0]->shape->vertexCount, 12u);
    EXPECT_EQ(q.GetLayerItems(8)[1]->entry->shaderType, 7u);  // then the quad, through the camera
    EXPECT_EQ(q.GetLayerItems(8)[1]->shape->declIndex, 2);
    EXPECT_EQ(q.GetLayerItems(8)[1]->shape->vertexCount, 6u);
    EXPECT_EQ(q.GetLayerItems(7)[0]->shape->vertexCount, 6u);
}

TEST_F(QueueTest, PlacementModeSubRectangleAndRotationSetTheCorners) {
    // Sprite A is 128 x 32 pixels at scale 1 on a 1366 x 768 screen.
    struct Case {
        int mode;
        float x0, y0, x1;
    } cases[] = {{0, 10, 20, 138},
                 {1, 10, 768 - 52, 138},
                 {2, 1366 - 138, 20, 1366 - 10},
                 {3, 1366 - 138, 768 - 52, 1366 - 10},
                 {4, 683 + 10 - 64.5f, 384 + 20 - 16.5f, 683 + 10 + 63.5f},
                 {5, 683 + 10 - 64.5f, 20, 683 + 10 + 63.5f},
                 {6, 683 + 10 - 64.5f, 768 - 52, 683 + 10 + 63.5f},
                 {7, 10 + 171, 20, 128 + 10 + 171}};
    for (const Case& c : cases) {
        q.AddSpriteBySlot(1, 10, 20, 1, 1, 0xFF00FF00, c.mode, 0, 0, 0, -1, -1, -1, -1);
        q.Flush(&dev);
        const float* v = ScreenVerts();
        EXPECT_FLOAT_EQ(v[0], c.x0) << c.mode;
        EXPECT_FLOAT_EQ(v[1], c.y0) << c.mode;
        EXPECT_FLOAT_EQ(v[7 * 2], c.x1) << c.mode;  // corner 2 is the third vertex
        q.Clear();
    }
    // Sub-rectangle: the right half of A's rectangle, drawn half as wide.
    q.AddSpriteBySlot(1, 0, 0, 1, 1, 0xFFFFFFFF, 0, 0, 0, 0, 0.5f, 0.0f, 0.5f, 1.0f);
    q.Flush(&dev);
    const float* v = ScreenVerts();
    EXPECT_FLOAT_EQ(v[5], 0.25f);         // tu0 = 0 + 0.5 * 0.5
    EXPECT_FLOAT_EQ(v[7 * 2 + 5], 0.5f);  // tu1
    EXPECT_FLOAT_EQ(v[7 * 2], 64.0f);     // width 128 * 0.5
    q.Clear();
    // Rotation by a quarter turn about the centre swaps the extents.
    q.AddSpriteBySlot(1, 0, 0, 1, 1, 0xFFFFFFFF, 0, 1.5707964f, 64, 16, -1, -1, -1, -1);
    q.Flush(&dev);
    v = ScreenVerts();
    float minX = 1e9f, maxX = -1e9f;
    for (int i = 0; i < 6; ++i) {
        minX = std::min(minX, v[7 * i]);
        maxX = std::max(maxX, v[7 * i]);
    }
    EXPECT_NEAR(maxX - minX, 32.0f, 1e-3f);
}

TEST_F(QueueTest, EmptySlotsAndImagelessTexturesAreRefusedOrSkipped) {
    EXPECT_EQ(q.AddSpriteBySlot(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, -1, -1, -1, -1), -1);
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    EXPECT_EQ(q.AddSpriteQuadBySlot(3, m, 0, -1, -1, -1, -1, 1, 1), -1);
    EXPECT_EQ(q.AddPolygons(0, 6, 0, 2, 0, 1, nullptr, nullptr, nullptr), -1);
    EXPECT_EQ(q.GetSpriteCount(), 0);

    sys::tmTexture blank;  // no device texture
    sys::tmSprite ghost;
    ghost.Set(&blank, &recA);
    q.AddSprite(&ghost, 0, 0, 1, 1, 0xFFFFFFFF, 0, 0, 0, 0, -1, -1, -1, -1);
    q.AddSpriteBySlot(2, 0, 0, 1, 1, 0xFFFFFFFF, 0, 0, 0, 0, -1, -1, -1, -1);
    q.Flush(&dev);
    EXPECT_EQ(q.GetLayerCount(8), 1);  // the run after the skipped one is still drawn
    EXPECT_EQ(q.GetLayerItems(8)[0]->shape->textures[0], &texB);
}

TEST_F(QueueTest, CapacitiesDropAndCountInsteadOfOverrunning) {
    tmRenderQueue small;
    small.Initialize(&slots, 4, 2, 2, 1);
    EXPECT_GE(small.AddModelBySlot(1, 0, 5, 1.0f, -1), 0);
    EXPECT_EQ(small.GetLayerCount(5), 3);
    EXPECT_EQ(small.AddModelBySlot(1, 0, 5, 1.0f, -1), 3);  // one item left
    EXPECT_EQ(small.GetLayerCount(5), 4);
    EXPECT_EQ(small.AddModelBySlot(1, 0, 5, 1.0f, -1), -1);  // no entry left
    EXPECT_EQ(small.GetDropped(), 3);
    EXPECT_EQ(small.AddSpriteBySlot(1, 0, 0, 1, 1, 0, 0, 0, 0, 0, -1, -1, -1, -1), 0);
    EXPECT_EQ(small.AddSpriteBySlot(1, 0, 0, 1, 1, 0, 0, 0, 0, 0, -1, -1, -1, -1), 1);
    EXPECT_EQ(small.AddSpriteBySlot(1, 0, 0, 1, 1, 0, 0, 0, 0, 0, -1, -1, -1, -1), -1);
    const float pos[9] = {}, uv[6] = {};
    const uint32_t col[3] = {};
    EXPECT_EQ(small.AddPolygons(1, 6, 0, 2, 0, 1, pos, col, uv), 0);
    EXPECT_EQ(small.AddPolygons(1, 6, 0, 2, 0, 1, pos, col, uv), -1);
    small.Flush(&dev);  // no entry left for the sprites: nothing written past a pool
    small.Clear();
    EXPECT_EQ(dev.liveBuffers(), 0);

    // More than 512 screen sprites of one texture split into two runs.
    for (int i = 0; i < 600; ++i) q.AddSpriteBySlot(1, 0, 0, 1, 1, 0, 0, 0, 0, 0, -1, -1, -1, -1);
    q.Flush(&dev);
    ASSERT_EQ(q.GetLayerCount(8), 2);
    EXPECT_EQ(q.GetLayerItems(8)[0]->shape->primitiveCount, 1024u);
    EXPECT_EQ(q.GetLayerItems(8)[1]->shape->primitiveCount, 176u);
}

TEST_F(QueueTest, ItemsSortByKeyAndBlendedOnesFarthestFirst) {
    std::vector<sys::tmShape> s(40);
    std::vector<tmRenderQueue::Item> items(40);
    std::vector<tmRenderQueue::Item*> p(40);
    // 16 equal keys: insertion sort alone keeps submission order.
    for (int i = 0; i < 40; ++i) {
        s[i].shaderKind = 3;
        items[i].shape = &s[i];
        items[i].stateFlags = 7;
        p[i] = &items[i];
    }
    tmRenderQueue::SortItems(p.data(), 16, false);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(p[i], &items[i]);
    // 40 mixed keys: ordered by type (signed), then flags (unsigned).
    for (int i = 0; i < 40; ++i) {
        s[i].shaderKind = uint32_t((i * 7) % 5) - 1;  // includes -1
        items[i].stateFlags = (i % 3 == 0) ? 0x80000000u : uint32_t(i);
        p[i] = &items[i];
    }
    tmRenderQueue::SortItems(p.data(), 40, false);
    for (int i = 1; i < 40; ++i) {
        const int32_t a = int32_t(p[i - 1]->shape->shaderKind), b = int32_t(p[i]->shape->shaderKind);
        ASSERT_LE(a, b);
        if (a == b) {
            ASSERT_LE(p[i - 1]->stateFlags, p[i]->stateFlags);
        }
    }
    // Depth: most negative view z (farthest) first.
    for (int i = 0; i < 40; ++i) {
        items[i].depth = -float((i * 13) % 40);
        p[i] = &items[i];
    }
    tmRenderQueue::SortItems(p.data(), 40, true);
    for (int i = 1; i < 40; ++i) ASSERT_LE(p[i - 1]->depth, p[i]->depth);
    EXPECT_EQ(p[0]->depth, -39.0f);
}

TEST_F(QueueTest, ClearKeepsMatricesButFlushResetsWorld) {
    D3DXMATRIX t;
    D3DXMatrixTranslation(&t, 1, 2, 3);
    q.SetWorld(t);
    q.SetView(t);
    q.AddModelBySlot(1, 0, 1, 1.0f, -1);
    const float pos[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0}, uv[6] = {};
    const uint32_t col[3] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    EXPECT_EQ(q.AddPolygons(1, 6, 0x80FF0000, 2, 0, 1, pos, col, uv), 0);
    q.Flush(&dev);
    ASSERT_EQ(q.GetLayerCount(6), 1);
    EXPECT_FLOAT_EQ(q.GetLayerItems(6)[0]->shape->material.diffuse.r, 1.0f);
    EXPECT_NEAR(q.GetLayerItems(6)[0]->shape->material.diffuse.a, 128.0f / 255.0f, 1e-6f);
    EXPECT_EQ(q.GetLayerItems(6)[0]->entry->shaderType, 2u);
    q.Clear();
    for (int l = 0; l < tmRenderQueue::kLayerCount; ++l) EXPECT_EQ(q.GetLayerCount(l), 0);
    EXPECT_EQ(q.GetEntryCount(), 0);
    EXPECT_EQ(q.GetSpriteCount(), 0);
    D3DXMATRIX id;
    D3DXMatrixIdentity(&id);
    EXPECT_EQ(q.GetWorld(), id);
    EXPECT_EQ(q.GetView(), t);
    EXPECT_FLOAT_EQ(q.GetLight().w, 0.3f);
}

TEST_F(QueueTest, CubeFacesLookAlongTheirAxes) {
    q.SetCubeMapCenter(D3DXVECTOR3(100, 0, 0));
    // A point 50 units along -Z from the centre is in front of face 0 (centre of its image).
    const D3DXVECTOR3 p(100, 0, -50);
    D3DXVECTOR4 c;
    D3DXVec3Transform(&c, &p, &q.GetCubeFace(0));
    EXPECT_NEAR(c.x / c.w, 0.0f, 1e-4f);
    EXPECT_NEAR(c.y / c.w, 0.0f, 1e-4f);
    EXPECT_GT(c.w, 0.0f);
    D3DXVec3Transform(&c, &p, &q.GetCubeFace(1));
    EXPECT_LT(c.w, 0.0f);  // behind the +Z face
}
