// GlDeviceTest.cpp -- screenshots from the OpenGL device pin the drawing conventions; the caret meets its fit.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness/GlFixture.h"
#include "platform/gfx/Device.h"
#include "platform/input/TextInput.h"
#include "platform/window/Window.h"

using namespace gfx;

namespace {
class GlDeviceTest : public harness::GlFixture {
protected:
    GlDeviceTest() : GlFixture({64, 64}) {}
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        dev->setState(State::Lighting, 0);
        dev->setState(State::CullMode, Cull::None);
    }
    void DrawCornerTriangle() {
        // Clip-space corners: top-left, top-middle, left-middle (clockwise on screen).
        const float v[] = {-1, 1, 0.5f, 0, 0, -1, 0, 0, 0, 1, 0.5f, 0, 0, -1, 0, 0, -1, 0, 0.5f, 0, 0, -1, 0, 0};
        float id[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        dev->setTransform(Transform::World, id);
        dev->setTransform(Transform::View, id);
        dev->setTransform(Transform::Projection, id);
        dev->setShaders(Shader{}, Shader{});
        dev->setTexture(0, Texture{});
        dev->setLayout(7);
        dev->drawInline(Primitive::TriangleList, 1, v, 32);
    }
};
}  // namespace

TEST_F(GlDeviceTest, TexturedScreenQuadLandsOnItsPixelsTopDown) {
    Texture t = dev->createTexture({2, 2, 1, Format::A8R8G8B8, Usage::Static, false});
    const uint32_t texels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF000000, 0xFF000000};
    ASSERT_EQ(dev->uploadTexture(t, 0, 0, texels), Res::Ok);
    const uint32_t bottom[2] = {0xFF0000FF, 0xFFFFFFFF};  // a band of rows replaces just its rows
    ASSERT_EQ(dev->uploadTextureRows(t, 0, 0, 1, 1, bottom), Res::Ok);
    EXPECT_NE(dev->uploadTextureRows(t, 0, 0, 1, 2, bottom), Res::Ok);  // past the last row
    dev->setTexture(0, t);
    dev->setSamplerFilter(0, Filter::Point, Filter::Point, Filter::Point, 1);
    dev->setSamplerAddress(0, Address::Clamp, Address::Clamp);
    // Corners at pixel edges (-0.5) cover pixels 8..39 exactly.
    const float a = 7.5f, b = 39.5f;
    const float quad[] = {a, a, 0, 1, 0, 0, a, b, 0, 1, 0, 1, b, b, 0, 1, 1, 1, b, a, 0, 1, 1, 0};
    dev->setShaders(Shader{}, Shader{});
    dev->setLayout(0);
    dev->drawInline(Primitive::TriangleFan, 2, quad, 24);
    EXPECT_EQ(Pixel(8, 8), 0xFF0000u);
    EXPECT_EQ(Pixel(39, 8), 0x00FF00u);
    EXPECT_EQ(Pixel(8, 39), 0x0000FFu);
    EXPECT_EQ(Pixel(39, 39), 0xFFFFFFu);
    EXPECT_EQ(Pixel(7, 8), 0x000000u);
    EXPECT_EQ(Pixel(40, 39), 0x000000u);
    EXPECT_EQ(Pixel(39, 40), 0x000000u);
}

TEST_F(GlDeviceTest, LitTriangleIsMaterialTimesLightAndCullingDropsOneWinding) {
    Material m;
    m.diffuse = {0, 1, 0, 1};
    m.ambient = {0.2f, 0, 0, 1};
    dev->setMaterial(m);
    DirectionalLight l;
    l.diffuse = {1, 1, 1, 1};
    l.ambient = {1, 1, 1, 1};
    l.direction[0] = 0;
    l.direction[1] = 0;
    l.direction[2] = 1;  // shines along +z onto the -z normal
    l.enabled = true;
    dev->setLight(l);
    dev->setState(State::Lighting, 1);
    dev->setState(State::CullMode, Cull::CCW);  // keeps clockwise triangles
    DrawCornerTriangle();
    const uint32_t lit = Pixel(4, 4);
    EXPECT_NEAR(int((lit >> 16) & 0xFF), 51, 2);
    EXPECT_EQ((lit >> 8) & 0xFF, 0xFFu);
    EXPECT_EQ(lit & 0xFF, 0u);
    EXPECT_EQ(Pixel(40, 40), 0x000000u);

    ForgetShot();
    dev->clear(ClearFlag::Target | ClearFlag::ZBuffer, 0xFF000000, 1.0f, 0);
    dev->setState(State::CullMode, Cull::CW);  // removes them
    DrawCornerTriangle();
    EXPECT_EQ(Pixel(4, 4), 0x000000u);
}

TEST_F(GlDeviceTest, AlphaTestRefusesFaintPixelsAndConstantsSurviveAProgramChange) {
    Texture rt = dev->createTexture({16, 8, 1, Format::A8R8G8B8, Usage::RenderTarget, false});
    ASSERT_TRUE(rt);
    dev->setRenderTarget(rt, 0);
    uint32_t w, h;
    dev->targetSize(&w, &h);
    EXPECT_EQ(w, 16u);
    dev->clear(ClearFlag::Target, 0x80402010, 1.0f, 0);
    std::string log;
    Shader vs = dev->compileShader(Stage::Vertex, "void main() { gl_Position = toClip(inPosition); }", &log);
    ASSERT_TRUE(vs) << log;
    Shader ps = dev->compileShader(Stage::Pixel, "void main() { finish(PC[2]); }", &log);
    ASSERT_TRUE(ps) << log;
    EXPECT_FALSE(dev->compileShader(Stage::Pixel, "void main() { undefinedThing(); }", &log));
    EXPECT_FALSE(log.empty());
    const float c[4] = {0, 0, 1, 0.25f};
    dev->setConstants(Stage::Pixel, 2, c, 1);
    dev->setShaders(vs, ps);
    dev->setState(State::AlphaTestEnable, 1);
    dev->setState(State::AlphaFunc, Compare::GreaterEqual);
    dev->setState(State::AlphaRef, 128);                                            // 0.25 fails: nothing drawn
    const float tri[] = {-1, 1, 0, 0, 0, 0, 3, 1, 0, 0, 0, 0, -1, -3, 0, 0, 0, 0};  // covers the target
    dev->setLayout(2);
    dev->drawInline(Primitive::TriangleList, 1, tri, 24);
    dev->setState(State::AlphaRef, 0);
    std::vector<uint32_t> px;
    ASSERT_TRUE(dev->readPixels(rt, 0, &px, &w, &h));
    EXPECT_EQ(px[0], 0x80402010u);
    dev->drawInline(Primitive::TriangleList, 1, tri, 24);
    ASSERT_TRUE(dev->readPixels(rt, 0, &px, &w, &h));
    EXPECT_EQ(px[5 * 16 + 9] & 0x00FFFFFF, 0x0000FFu);
}

TEST_F(GlDeviceTest, ResetResizesTheBackBufferAndCubeFacesAreSeparateTargets) {
    PresentParams p;
    p.width = 32;
    p.height = 16;
    ASSERT_EQ(dev->reset(p), Res::Ok);
    uint32_t w, h;
    dev->targetSize(&w, &h);
    EXPECT_EQ(w, 32u);
    EXPECT_EQ(h, 16u);
    std::vector<uint32_t> px;
    ASSERT_TRUE(dev->readPixels(dev->backBuffer(), 0, &px, &w, &h));
    EXPECT_EQ(px.size(), 32u * 16u);

    Texture cube = dev->createTexture({8, 8, 1, Format::A8R8G8B8, Usage::RenderTarget, true});
    ASSERT_TRUE(cube);
    DepthSurface depth = dev->createDepthSurface(8, 8, Format::D24X8);
    dev->setDepthSurface(depth);
    for (uint32_t face = 0; face < 6; ++face) {
        dev->setRenderTarget(cube, face);
        dev->clear(ClearFlag::Target | ClearFlag::ZBuffer, 0xFF000000u | (face * 40u), 1.0f, 0);
    }
    for (uint32_t face = 0; face < 6; ++face) {
        ASSERT_TRUE(dev->readPixels(cube, face, &px, &w, &h));
        EXPECT_EQ(px[0], 0xFF000000u | (face * 40u)) << face;
    }
}

// The text input hands SDL the caret mapped out of the picture through the fit last presented: a 1024 x 768
// picture full screen on 1920 x 1080 stands between 240-pixel bars at 1.406 times its size. The device's own
// present (its picture 1:1 in its window) puts the caret back where the picture has it.
TEST_F(GlDeviceTest, TheTextInputHandsTheWindowTheCaretThroughThePresentedFit) {
    std::vector<std::array<int, 4>> sent;
    auto text = platform::CreateSdlTextInput([&](int x, int y, int w, int h) { sent.push_back({x, y, w, h}); });
    ASSERT_NE(text, nullptr);
    platform::SetPresentedPicture({1024, 768, 1920, 1080, 1920, 1080});
    text->SetCaretRect(512, 384, 2, 20);
    text->SetCaretRect(512, 384, 2, 20);  // unmoved: the input method is not told again
    ASSERT_EQ(dev->present(), Res::Ok);
    text->SetCaretRect(512, 384, 2, 20);  // the same caret on another fit moved on the window
    const std::vector<std::array<int, 4>> want = {{960, 540, 3, 29}, {512, 384, 2, 20}};
    EXPECT_EQ(sent, want);
    platform::SetPresentedPicture({});
}

// Under a forced software rasteriser the device steers the renderer to the
// simple frame unless the caller asks for the multi-pass frame anyway.
TEST(GlDeviceCaps, SoftwareRasteriserReportsShaderModel2UnlessAsked) {
    const char* software = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    if (!software || std::string(software) != "1") GTEST_SKIP() << "needs LIBGL_ALWAYS_SOFTWARE=1";
    GlOptions o;
    o.hidden = true;
    std::string error;
    auto plain = CreateGlDevice(o, &error);
    if (!plain) GTEST_SKIP() << "no OpenGL: " << error;
    EXPECT_EQ(plain->caps().pixelShaderVersion, 0x200u);
    plain.reset();
    o.multiPassInSoftware = true;
    auto full = CreateGlDevice(o, &error);
    ASSERT_NE(full, nullptr) << error;
    EXPECT_EQ(full->caps().vertexShaderVersion, 0x300u);
    EXPECT_EQ(full->caps().pixelShaderVersion, 0x300u);
}
