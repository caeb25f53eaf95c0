// tmRenderMultiPassDisplayTest.cpp -- screenshots of the multi-pass frame with the shader bank's programs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "harness/GlFixture.h"
#include "harness/TestRenderSetting.h"
#include "platform/gfx/Device.h"
#include "sys/base/tmMath.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmModel.h"
#include "sys/resource/tmShape.h"

namespace {
struct Slots : tmSlotSource {
    sys::tmModel* model = nullptr;
    sys::tmModel* GetModelSlot(int s) override { return s == 1 ? model : nullptr; }
    sys::tmSprite* GetSpriteSlot(int) override { return nullptr; }
};

class MultiPassDisplayTest : public harness::GlFixture {
protected:
    // The renderer creates the device; multi-pass caps and the shader bank.
    MultiPassDisplayTest() : GlFixture({0, 0, true, true}) {}
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        tmRenderSetting s = harness::TestRenderSetting(320, 240, 16);
        s.environmentMap = environment_ ? 1 : 0;
        r = tmRender::Create();
        r->SetResourceHolder(&slots);
        ASSERT_TRUE(r->Initialize(dev.get(), s));
        if (!r->GetShader() || !r->GetShader()->SupportsShaderModel3()) GTEST_SKIP() << "no shader path";
    }
    void TearDown() override {
        slots.model = nullptr;
        tmRender::Destroy();
        GlFixture::TearDown();
    }
    bool environment_ = false;  // render the environment cube each frame
    tmRender* r = nullptr;
    Slots slots;
};
}  // namespace

namespace {
// A white square in the middle of the screen (clip -0.2..0.2, pixels 128..191
// x 96..143), counter-clockwise on screen, vertex coloured, in layout 2.
gfx::Buffer WhiteSquare(gfx::Device* dev, sys::tmShape* shape) {
    struct V {
        float p[3];
        uint32_t colour;
        float uv[2];
    } quad[6] = {{{-0.2f, 0.2f, 0.5f}, 0xFFFFFFFF, {0, 0}},  {{-0.2f, -0.2f, 0.5f}, 0xFFFFFFFF, {0, 1}},
                 {{0.2f, 0.2f, 0.5f}, 0xFFFFFFFF, {1, 0}},   {{0.2f, 0.2f, 0.5f}, 0xFFFFFFFF, {1, 0}},
                 {{-0.2f, -0.2f, 0.5f}, 0xFFFFFFFF, {0, 1}}, {{0.2f, -0.2f, 0.5f}, 0xFFFFFFFF, {1, 1}}};
    gfx::Buffer vb = dev->createBuffer(gfx::BufferKind::Vertex, sizeof quad, false);
    std::memcpy(dev->lockBuffer(vb, 0, 0), quad, sizeof quad);
    dev->unlockBuffer(vb);
    shape->SetupFromBuffers(vb, 2, 6, nullptr, gfx::Material{}, gfx::Primitive::TriangleList, 2, 2);
    shape->featureFlags = 0x400;  // vertex colour only
    return vb;
}
}  // namespace

TEST_F(MultiPassDisplayTest, BrightQuadBloomsPastItsEdges) {
    sys::tmShape shape;
    gfx::Buffer vb = WhiteSquare(dev.get(), &shape);
    sys::tmModel model;
    model.AddShape(&shape);
    slots.model = &model;

    ASSERT_GE(r->DrawModel(1, 2, 1), 0);
    r->Render();
    EXPECT_GT(Green(Pixel(160, 120)), 240);
    const int nearEdge = Green(Pixel(160, 90)), far = Green(Pixel(10, 10));
    EXPECT_LT(far, 4);
    EXPECT_GT(nearEdge, far + 8) << "no bloom beyond the square";
    dev->releaseBuffer(vb);
}

// The scene's clear colour fills the fitted virtual screen only: on this 4:3 screen the 30 rows above
// and below it stay black, and so does a bright model larger than the window (with its bloom): a menu's
// 3D view is cut to the virtual screen.
TEST_F(MultiPassDisplayTest, ClearColourAndSceneLeaveTheBandsBlack) {
    r->SetClearColor(0xFFFFFFFF);
    r->Render();
    Shoot();
    EXPECT_EQ(Pixel(160, 120), 0xB2B2B2u);
    for (const int y : {0, 28, 211, 239}) EXPECT_EQ(Pixel(160, y), 0u) << "row " << y;
    ForgetShot();
    sys::tmShape shape;
    gfx::Buffer vb = WhiteSquare(dev.get(), &shape);
    sys::tmModel model;
    model.AddShape(&shape);
    slots.model = &model;
    D3DXMATRIX huge;
    D3DXMatrixScaling(&huge, 20.0f, 20.0f, 1.0f);
    r->SetWorldMatrix(huge);
    ASSERT_GE(r->DrawModel(1, 2, 1), 0);
    r->Render();
    EXPECT_GT(Green(Pixel(160, 31)), 240);
    for (const int y : {0, 28, 211, 239}) EXPECT_EQ(Pixel(160, y), 0u) << "row " << y;
    dev->releaseBuffer(vb);
}

TEST_F(MultiPassDisplayTest, GlowDrawnInOneFrameIsGoneInTheNext) {
    sys::tmShape shape;
    gfx::Buffer vb = WhiteSquare(dev.get(), &shape);
    sys::tmModel model;
    model.AddShape(&shape);
    slots.model = &model;

    ASSERT_GE(r->DrawModel(1, 2, 6), 0);  // the glowing layer only
    r->Render();
    EXPECT_GT(Green(Pixel(160, 120)), 60) << "no glow where the square was drawn";
    for (int frame = 1; frame <= 3; ++frame) {
        r->Render();  // nothing queued
        ForgetShot();
        EXPECT_LT(Green(Pixel(160, 120)), 4) << "glow still on screen " << frame << " frames later";
        EXPECT_LT(Green(Pixel(160, 90)), 4) << "glow still on screen " << frame << " frames later";
    }
    dev->releaseBuffer(vb);
}

namespace {
// A horizontal square at height y, double-sided, in layout 7 (position, normal, uv).
gfx::Buffer FlatSquare(gfx::Device* dev, float half, float y) {
    struct V {
        float p[3], n[3], uv[2];
    } v[6] = {{{-half, y, -half}, {0, 1, 0}, {0, 0}}, {{half, y, -half}, {0, 1, 0}, {1, 0}},
              {{-half, y, half}, {0, 1, 0}, {0, 1}},  {{-half, y, half}, {0, 1, 0}, {0, 1}},
              {{half, y, -half}, {0, 1, 0}, {1, 0}},  {{half, y, half}, {0, 1, 0}, {1, 1}}};
    gfx::Buffer vb = dev->createBuffer(gfx::BufferKind::Vertex, sizeof v, false);
    std::memcpy(dev->lockBuffer(vb, 0, 0), v, sizeof v);
    dev->unlockBuffer(vb);
    return vb;
}
}  // namespace

TEST_F(MultiPassDisplayTest, CasterShadowsTheGroundPlane) {
    sys::tmShape ground, caster;
    gfx::Material white;
    white.diffuse = {1, 1, 1, 1};
    ground.SetupFromBuffers(FlatSquare(dev.get(), 100, 0), 2, 6, nullptr, white, gfx::Primitive::TriangleList, 7, 0);
    ground.featureFlags = 0x20;  // shadow map
    ground.customF = 0.8f;       // shadow strength
    ground.cullMode = gfx::Cull::None;
    caster.SetupFromBuffers(FlatSquare(dev.get(), 6, 20), 2, 6, nullptr, white, gfx::Primitive::TriangleList, 7, 0);
    caster.cullMode = gfx::Cull::None;
    sys::tmModel groundModel, casterModel;
    groundModel.AddShape(&ground);
    casterModel.AddShape(&caster);

    D3DXMATRIX view, proj;
    const D3DXVECTOR3 eye(0, 120, 120), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovRH(&proj, D3DX_PI / 4, 320.0f / 240.0f, 10.0f, 1000.0f);
    r->SetViewMatrix(view);
    r->SetProjectionMatrix(proj);
    const float light[4] = {0.05f, -1.0f, 0.02f, 0.0f};  // nearly straight down
    r->SetLightDirectionDefault(light);
    ASSERT_GE(r->DrawModelPtr(&groundModel, 0, 0, 1.0f), 0);
    ASSERT_GE(r->DrawModelPtr(&casterModel, 0, 15, 1.0f), 0);  // casts into the near map only
    r->Render();

    auto screen = [&](float x, float z, int* px, int* py) {
        D3DXVECTOR3 c;
        const D3DXVECTOR3 p(x, 0, z);
        const D3DXMATRIX vp = view * proj;
        D3DXVec3TransformCoord(&c, &p, &vp);
        *px = int((c.x + 1) * 0.5f * 320);
        *py = int((1 - c.y) * 0.5f * 240);
    };
    int sx, sy, lx, ly;
    screen(0, 0, &sx, &sy);   // under the caster
    screen(25, 0, &lx, &ly);  // open ground
    const int shadowed = Green(Pixel(sx, sy)), lit = Green(Pixel(lx, ly));
    EXPECT_GT(lit, 150);
    EXPECT_LT(shadowed, lit - 60) << "no shadow under the caster";
    dev->releaseBuffer(ground.vertexBuffer);
    dev->releaseBuffer(caster.vertexBuffer);
}

namespace {
// Six walls of distinct colours around the origin, drawn into the cube faces.
class CubeReflectionTest : public MultiPassDisplayTest {
protected:
    CubeReflectionTest() { environment_ = true; }
};

struct ColourVertex {
    float p[3];
    uint32_t colour;
    float uv[2];
};

// A square wall through `centre`, spanned by axes u and v, in layout 2.
gfx::Buffer Wall(gfx::Device* dev, D3DXVECTOR3 centre, D3DXVECTOR3 u, D3DXVECTOR3 v, uint32_t colour) {
    const D3DXVECTOR3 c[4] = {centre - u - v, centre + u - v, centre + u + v, centre - u + v};
    const int order[6] = {0, 1, 2, 0, 2, 3};
    ColourVertex w[6];
    for (int i = 0; i < 6; ++i) w[i] = {{c[order[i]].x, c[order[i]].y, c[order[i]].z}, colour, {0, 0}};
    gfx::Buffer vb = dev->createBuffer(gfx::BufferKind::Vertex, sizeof w, false);
    std::memcpy(dev->lockBuffer(vb, 0, 0), w, sizeof w);
    dev->unlockBuffer(vb);
    return vb;
}

// A mirror square at the origin with the given unit normal, in layout 7.
gfx::Buffer Mirror(gfx::Device* dev, D3DXVECTOR3 n) {
    D3DXVECTOR3 side = std::fabs(n.y) > 0.9f ? D3DXVECTOR3(1, 0, 0) : D3DXVECTOR3(0, 1, 0), a, b;
    D3DXVec3Cross(&a, &side, &n);
    D3DXVec3Normalize(&a, &a);
    D3DXVec3Cross(&b, &n, &a);
    a *= 30.0f;
    b *= 30.0f;
    const D3DXVECTOR3 c[4] = {-a - b, a - b, a + b, -a + b};
    const int order[6] = {0, 1, 2, 0, 2, 3};
    struct V {
        float p[3], n[3], uv[2];
    } m[6];
    for (int i = 0; i < 6; ++i) m[i] = {{c[order[i]].x, c[order[i]].y, c[order[i]].z}, {n.x, n.y, n.z}, {0, 0}};
    gfx::Buffer vb = dev->createBuffer(gfx::BufferKind::Vertex, sizeof m, false);
    std::memcpy(dev->lockBuffer(vb, 0, 0), m, sizeof m);
    dev->unlockBuffer(vb);
    return vb;
}
}  // namespace

TEST_F(CubeReflectionTest, MirrorsShowTheWallOfTheDirectionTheyReflect) {
    // +X red, -X green, +Y blue, -Y yellow, +Z magenta, -Z cyan.
    const float d = 400.0f, h = 400.0f;
    const struct {
        D3DXVECTOR3 centre, u, v;
        uint32_t colour;
    } walls[6] = {{{d, 0, 0}, {0, h, 0}, {0, 0, h}, 0xFFFF0000u}, {{-d, 0, 0}, {0, h, 0}, {0, 0, h}, 0xFF00FF00u},
                  {{0, d, 0}, {h, 0, 0}, {0, 0, h}, 0xFF0000FFu}, {{0, -d, 0}, {h, 0, 0}, {0, 0, h}, 0xFFFFFF00u},
                  {{0, 0, d}, {h, 0, 0}, {0, h, 0}, 0xFFFF00FFu}, {{0, 0, -d}, {h, 0, 0}, {0, h, 0}, 0xFF00FFFFu}};
    gfx::Material ambientOnly;
    ambientOnly.ambient = {1, 1, 1, 1};
    sys::tmShape wallShapes[6];
    sys::tmModel wallModels[6];
    for (int i = 0; i < 6; ++i) {
        wallShapes[i].SetupFromBuffers(Wall(dev.get(), walls[i].centre, walls[i].u, walls[i].v, walls[i].colour), 2, 6,
                                       nullptr, ambientOnly, gfx::Primitive::TriangleList, 2, 20);
        wallShapes[i].featureFlags = 0x400;  // vertex colour
        wallShapes[i].cullMode = gfx::Cull::None;
        wallModels[i].AddShape(&wallShapes[i]);
    }
    // The camera looks down -Z at the origin; a mirror with normal n reflects
    // the view direction into the wall it should show.
    const struct {
        D3DXVECTOR3 normal;
        uint32_t expect;
        const char* name;
    } cases[3] = {{{0, 0, 1}, 0xFF00FF, "+Z magenta"},
                  {{0, 0.70710678f, 0.70710678f}, 0x0000FF, "+Y blue"},
                  {{0.70710678f, 0, 0.70710678f}, 0xFF0000, "+X red"}};
    D3DXMATRIX view, proj, identity;
    const D3DXVECTOR3 eye(0, 0, 100), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovRH(&proj, D3DX_PI / 4, 320.0f / 240.0f, 10.0f, 1000.0f);
    D3DXMatrixIdentity(&identity);
    for (const auto& c : cases) {
        sys::tmShape mirror;
        mirror.SetupFromBuffers(Mirror(dev.get(), c.normal), 2, 6, nullptr, gfx::Material{},
                                gfx::Primitive::TriangleList, 7, 0);
        mirror.featureFlags = 0x10;  // reflection map
        mirror.customE = 1.0f;       // reflection only
        mirror.cullMode = gfx::Cull::None;
        sys::tmModel mirrorModel;
        mirrorModel.AddShape(&mirror);

        r->SetViewMatrix(view);
        r->SetProjectionMatrix(proj);
        r->SetWorldMatrix(identity);
        r->SetCubeMapCenter(0, 0, 0);
        for (int face = 0; face < 6; ++face)
            for (int w = 0; w < 6; ++w) ASSERT_GE(r->DrawModelPtr(&wallModels[w], 20, 9 + face, 1.0f), 0);
        ASSERT_GE(r->DrawModelPtr(&mirrorModel, 0, 0, 1.0f), 0);
        r->Render();
        ForgetShot();
        const uint32_t p = Pixel(160, 120);
        const int red = int((p >> 16) & 0xFF), green = int((p >> 8) & 0xFF), blue = int(p & 0xFF);
        auto on = [](uint32_t mask, int shift) { return ((mask >> shift) & 0xFF) != 0; };
        EXPECT_EQ(red > 60, on(c.expect, 16)) << c.name << " got " << std::hex << p;
        EXPECT_EQ(green > 60, on(c.expect, 8)) << c.name << " got " << std::hex << p;
        EXPECT_EQ(blue > 60, on(c.expect, 0)) << c.name << " got " << std::hex << p;
        dev->releaseBuffer(mirror.vertexBuffer);
    }
    for (auto& w : wallShapes) dev->releaseBuffer(w.vertexBuffer);
}
