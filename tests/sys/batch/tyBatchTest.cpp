// tyBatchTest.cpp -- billboard and polygon batches: vertices, colours, depth order and what reaches the queue.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "harness/WorkFolder.h"
#include "platform/gfx/NullDevice.h"
#include "sys/batch/tyBillboard.h"
#include "sys/batch/tyDepthSort.h"
#include "sys/batch/tyPolygon.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmRenderQueue.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmSprite.h"
#include "sys/resource/tmSpriteGroupRecord.h"

namespace {

struct NoShader : tmShaderManager {
    bool SupportsShaderModel3() const override { return true; }
    void Begin(bool) override {}
    bool Apply(const tmRenderQueue::Item&) override { return true; }
    bool ApplyTransformOnly(uint32_t, const tmRenderQueue::Item&) override { return true; }
    bool SetShaders(uint32_t, uint32_t) override { return true; }
    void SetTexture(int, sys::tmTexture*, bool) override {}
    void SetPixelConstant(int, const float*) override {}
    void SetTargetSize(uint32_t, uint32_t) override {}
    void SetMirror(bool) override {}
};

struct WhiteSlot : tmSlotSource {
    sys::tmSprite white;
    sys::tmModel* GetModelSlot(int) override { return nullptr; }
    sys::tmSprite* GetSpriteSlot(int s) override { return s == 114 ? &white : nullptr; }
};

const sys::tmSpriteRecord kSheet[2] = {{"smoke", 0.25f, 0.5f, 0.125f, 0.25f}, {"spark", 0.0f, 0.0f, 0.5f, 0.5f}};

class BatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.sceneTargetWidth = 64;
        settings.sceneTargetHeight = 32;
        settings.shadowMapSize = 32;
        render = tmRender::Create();
        render->SetResourceHolder(&slots);
        render->SetShaderFactory([](gfx::Device*) { return std::make_unique<NoShader>(); });
        ASSERT_TRUE(render->Initialize(&dev, settings));
        D3DXMatrixIdentity(&identity);
    }
    void TearDown() override { tmRender::Destroy(); }
    tmRenderQueue& Queue() { return *render->GetQueue(); }
    static float Y(const float* p, int v) { return p[v * 3 + 1]; }

    D3DXMATRIX identity;         // the view of most cases
    harness::WorkFolder folder;  // the renderer's set-up reports
    gfx::NullDevice dev;
    tmRenderSetting settings;
    WhiteSlot slots;
    tmRender* render = nullptr;
};

}  // namespace

TEST_F(BatchTest, BillboardIsAQuadAroundItsViewPositionTurnedByItsRotation) {
    tyBillboard b(kSheet, 2, 16, 0);
    D3DXMATRIX view;
    D3DXMatrixTranslation(&view, 0, 0, -5);
    b.SetPosition(D3DXVECTOR3(10, 20, 0));
    b.SetSize(4, 2);
    b.Add(0);
    b.Draw(view);
    EXPECT_EQ(b.GetCount(), 0);
    ASSERT_EQ(b.GetVertexCount(), 6);
    // Corners 0, 2, 1, 3, 1, 2 of (+w, +h), (+w, -h), (-w, +h), (-w, -h) around (10, 20, -5).
    const float expect[6][3] = {{12, 21, -5}, {8, 21, -5}, {12, 19, -5}, {8, 19, -5}, {12, 19, -5}, {8, 21, -5}};
    const float uv[6][2] = {{0.25f, 0.5f},   {0.375f, 0.5f}, {0.25f, 0.75f},
                            {0.375f, 0.75f}, {0.25f, 0.75f}, {0.375f, 0.5f}};
    for (int v = 0; v < 6; ++v) {
        for (int k = 0; k < 3; ++k) EXPECT_FLOAT_EQ(b.GetPositions()[v * 3 + k], expect[v][k]) << v << "," << k;
        EXPECT_FLOAT_EQ(b.GetTexCoords()[v * 2], uv[v][0]);
        EXPECT_FLOAT_EQ(b.GetTexCoords()[v * 2 + 1], uv[v][1]);
        EXPECT_EQ(b.GetColours()[v], 0xFFFFFFFFu);
    }
    // Queued as one record: two triangles in view space (extra matrix 1) on layer 6 with shader 2.
    ASSERT_EQ(Queue().GetPolygonCount(6), 1);
    const tmRenderQueue::PolygonRecord* rec = Queue().GetPolygon(6, 0);
    EXPECT_EQ(rec->sprite, &slots.white);
    EXPECT_EQ(rec->triangleCount, 2);
    EXPECT_EQ(rec->matrixChoice, 1);
    EXPECT_EQ(rec->shaderType, 2u);
    EXPECT_EQ(rec->colour, 0xFFFFFFFFu);
    EXPECT_EQ(rec->positions, b.GetPositions());

    // A quarter turn: the width now runs along view y.
    b.SetRotation(static_cast<float>(M_PI / 2));
    b.Add(0);
    b.Draw(view);
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (int v = 0; v < 6; ++v) {
        minX = std::min(minX, b.GetPositions()[v * 3]);
        maxX = std::max(maxX, b.GetPositions()[v * 3]);
        minY = std::min(minY, Y(b.GetPositions(), v));
        maxY = std::max(maxY, Y(b.GetPositions(), v));
    }
    EXPECT_NEAR(maxX - minX, 2.0f, 1e-4f);
    EXPECT_NEAR(maxY - minY, 4.0f, 1e-4f);
    EXPECT_NEAR((minY + maxY) / 2, 20.0f, 1e-4f);
}

TEST_F(BatchTest, EachBatchUsesTheViewItIsDrawnWith) {
    // Two cameras in one frame (the main view and the mirror): neither batch sees the other's view.
    tyBillboard near(kSheet, 2, 4, 0), far(kSheet, 2, 4, 0);
    D3DXMATRIX back;
    D3DXMatrixTranslation(&back, 0, 0, -40);
    for (tyBillboard* b : {&near, &far}) {
        b->SetPosition(D3DXVECTOR3(1, 2, 3));
        b->Add(0);
    }
    far.Draw(back);
    near.Draw(identity);
    EXPECT_FLOAT_EQ(near.GetPositions()[2], 3.0f);
    EXPECT_FLOAT_EQ(far.GetPositions()[2], -37.0f);
    ASSERT_EQ(Queue().GetPolygonCount(6), 2);

    tyPolygon sorted(kSheet, 2, 4, 3);
    const float texCoords[6] = {0, 0, 1, 0, 0, 1};
    const uint32_t colours[3] = {1, 2, 3};
    for (float z : {-10.0f, 10.0f}) {
        const float tri[9] = {z, 0, z, z + 1, 0, z, z, 1, z};
        ASSERT_EQ(sorted.AddTriangles(0, 1, tri, texCoords, colours), 1);
    }
    D3DXMATRIX turned;
    D3DXMatrixRotationY(&turned, D3DX_PI);  // looking the other way: the far one is now the near one
    sorted.Draw(turned);
    EXPECT_FLOAT_EQ(sorted.GetPositions()[2], 10.0f);
}

TEST_F(BatchTest, SortedBillboardsComeOutFarthestFirst) {
    tyBillboard b(kSheet, 2, 16, 1);
    EXPECT_EQ(b.GetLayer(), 5);
    EXPECT_EQ(b.GetShaderType(), 10u);
    for (float z : {-10.0f, -50.0f, -20.0f}) {
        b.SetPosition(D3DXVECTOR3(0, 0, z));
        b.Add(1);
    }
    b.Draw(identity);
    ASSERT_EQ(b.GetVertexCount(), 18);
    EXPECT_FLOAT_EQ(b.GetPositions()[0 * 18 + 2], -50.0f);
    EXPECT_FLOAT_EQ(b.GetPositions()[1 * 18 + 2], -20.0f);
    EXPECT_FLOAT_EQ(b.GetPositions()[2 * 18 + 2], -10.0f);
    ASSERT_EQ(Queue().GetPolygonCount(5), 1);
    EXPECT_EQ(Queue().GetPolygon(5, 0)->triangleCount, 6);

    // The unsorted kind keeps insertion order.
    tyBillboard plain(kSheet, 2, 16, 0);
    for (float z : {-10.0f, -50.0f}) {
        plain.SetPosition(D3DXVECTOR3(0, 0, z));
        plain.Add(0);
    }
    plain.Draw(identity);
    EXPECT_FLOAT_EQ(plain.GetPositions()[2], -10.0f);
}

TEST_F(BatchTest, SecondColourKeepsAlphaAndTintsOnlyTheLowestCorner) {
    tyBillboard b(kSheet, 2, 4, 0);
    b.SetColor(0x80112233);
    b.SetRGB(0xFFAABBCC);
    b.Add(0);
    b.Draw(identity);
    // Lowest y: corner 1, first met at vertex 2 and used again by vertex 4.
    for (int v = 0; v < 6; ++v) EXPECT_EQ(b.GetColours()[v], (v == 2 || v == 4) ? 0x80AABBCCu : 0x80112233u) << v;

    b.SetColorF(1.0f, 0.5f, 0.0f, 2.0f);  // out-of-range channels are clamped
    b.Add(0);
    b.Draw(identity);
    for (int v = 0; v < 6; ++v) EXPECT_EQ(b.GetColours()[v], 0xFF7F00FFu);
}

TEST_F(BatchTest, BatchesDropWhatDoesNotFitAndEmptyBatchesQueueNothing) {
    const tmSpriteGroupRecord group{"effects", 256, 256, 2, 0, 8, kSheet, "bank"};
    tyBillboard b(&group, 2, 0);
    b.Draw(identity);
    tyPolygon p(&group, 8, 0);
    p.Draw(identity);
    // Without a group nothing can be added.
    tyBillboard none(static_cast<const tmSpriteGroupRecord*>(nullptr), 4, 0);
    none.Add(0);
    EXPECT_EQ(none.GetCount(), 0);
    EXPECT_EQ(Queue().GetPolygonCount(6), 0);

    b.Add(0);
    b.Add(5);  // not on the sheet
    b.Add(-1);
    b.Add(1);
    b.Add(1);  // beyond capacity
    EXPECT_EQ(b.GetCount(), 2);
    b.Clear();
    b.Draw(identity);
    EXPECT_EQ(Queue().GetPolygonCount(6), 0);

    D3DXMATRIX id;
    D3DXMatrixIdentity(&id);
    EXPECT_EQ(p.AddQuad(2, id, 0xFFFFFFFF), 0);
    EXPECT_EQ(p.GetCount(), 0);
}

TEST_F(BatchTest, QuadIsFourTrianglesOfBothWindingsAndStopsAtCapacity) {
    tyPolygon p(kSheet, 2, 5, 2);
    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, 100, 0, 0);
    EXPECT_EQ(p.AddQuad(0, m, 0xFF00FF00), 4);
    EXPECT_EQ(p.AddQuad(1, m, 0xFFFF0000), 1);
    EXPECT_EQ(p.GetCount(), 5);
    p.Draw(identity);
    ASSERT_EQ(p.GetVertexCount(), 15);
    const float* pos = p.GetPositions();
    // First triangle: corners 0, 2, 1 = (-0.5, -0.5), (0.5, 0.5), (-0.5, 0.5), moved by 100 in x.
    EXPECT_FLOAT_EQ(pos[0], 99.5f);
    EXPECT_FLOAT_EQ(pos[1], -0.5f);
    EXPECT_FLOAT_EQ(pos[3], 100.5f);
    EXPECT_FLOAT_EQ(pos[4], 0.5f);
    EXPECT_FLOAT_EQ(pos[6], 99.5f);
    EXPECT_FLOAT_EQ(pos[7], 0.5f);
    // The third triangle (0, 1, 2) is the first one reversed.
    EXPECT_FLOAT_EQ(pos[2 * 9 + 3], 99.5f);
    EXPECT_FLOAT_EQ(pos[2 * 9 + 6], 100.5f);
    // Texture fractions land inside the sprite: corner 2 (1, 1) of sprite 0.
    EXPECT_FLOAT_EQ(p.GetTexCoords()[2], 0.375f);
    EXPECT_FLOAT_EQ(p.GetTexCoords()[3], 0.75f);
    // The fifth triangle is the first of the second quad, in its own sprite and colour.
    EXPECT_FLOAT_EQ(p.GetTexCoords()[4 * 6 + 2], 0.5f);
    EXPECT_EQ(p.GetColours()[12], 0xFFFF0000u);
    ASSERT_EQ(Queue().GetPolygonCount(0), 1);
    EXPECT_EQ(Queue().GetPolygon(0, 0)->triangleCount, 5);
    EXPECT_EQ(Queue().GetPolygon(0, 0)->matrixChoice, 2);
}

TEST_F(BatchTest, SortedPolygonsOrderByViewDepthButKeepTheirPositions) {
    tyPolygon p(kSheet, 2, 8, 3);
    D3DXMATRIX view;
    D3DXMatrixTranslation(&view, 0, 0, -100);
    const float texCoords[6] = {0, 0, 1, 0, 0, 1};
    const uint32_t colours[3] = {1, 2, 3};
    for (float z : {30.0f, -40.0f, 0.0f}) {
        const float tri[9] = {0, 0, z, 1, 0, z, 0, 1, z};
        ASSERT_EQ(p.AddTriangles(0, 1, tri, texCoords, colours), 1);
    }
    p.Draw(view);
    EXPECT_FLOAT_EQ(p.GetPositions()[2], -40.0f);
    EXPECT_FLOAT_EQ(p.GetPositions()[9 + 2], 0.0f);
    EXPECT_FLOAT_EQ(p.GetPositions()[18 + 2], 30.0f);
    ASSERT_EQ(Queue().GetPolygonCount(4), 1);
    EXPECT_EQ(Queue().GetPolygon(4, 0)->shaderType, 2u);

    // A strip of five vertices makes three triangles with one winding.
    const float strip[15] = {0, 0, 0, 0, 1, 0, 1, 0, 0, 1, 1, 0, 2, 0, 0};
    const float stripUv[10] = {};
    const uint32_t stripColours[5] = {};
    EXPECT_EQ(p.AddStrip(1, 5, strip, stripUv, stripColours), 3);
    p.Draw(view);
    const float* q = p.GetPositions();
    for (int t = 0; t < 3; ++t) {
        const float* a = q + t * 9;
        const float cross = (a[3] - a[0]) * (a[7] - a[1]) - (a[4] - a[1]) * (a[6] - a[0]);
        EXPECT_LT(cross, 0.0f) << "triangle " << t;
    }
}

TEST(tyDepthSortTest, MatchesAStableReferenceOnLargeAndDuplicateInputs) {
    std::mt19937 rng(7);
    for (int n : {0, 1, 16, 17, 300, 5000}) {
        std::vector<float> values(static_cast<size_t>(n));
        for (float& v : values) v = static_cast<float>(rng() % 64) - 32.0f;
        std::vector<float*> order;
        for (float& v : values) order.push_back(&v);
        tyDepthSort(order.data(), n, [](const float* v) { return *v; });
        std::vector<float> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        for (int i = 0; i < n; ++i) ASSERT_EQ(*order[size_t(i)], sorted[size_t(i)]) << "n " << n << " at " << i;
    }
    // Already ordered and reversed inputs.
    std::vector<float> asc(2000), desc(2000);
    for (int i = 0; i < 2000; ++i) asc[size_t(i)] = float(i), desc[size_t(i)] = float(2000 - i);
    for (auto* values : {&asc, &desc}) {
        std::vector<float*> order;
        for (float& v : *values) order.push_back(&v);
        tyDepthSort(order.data(), 2000, [](const float* v) { return *v; });
        for (int i = 1; i < 2000; ++i) ASSERT_LE(*order[size_t(i - 1)], *order[size_t(i)]);
    }
}
