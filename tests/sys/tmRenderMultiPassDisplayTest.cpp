// tmRenderMultiPassDisplayTest.cpp -- screenshots of the multi-pass frame with the shader bank's programs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstring>

#include "platform/gfx/Device.h"
#include "sys/tmModel.h"
#include "sys/tmRender.h"
#include "sys/tmShaderManager.h"
#include "sys/tmShape.h"

namespace {
struct Slots : tmSlotSource {
    sys::tmModel* model = nullptr;
    sys::tmModel* GetModelSlot(int s) override { return s == 1 ? model : nullptr; }
    sys::tmSprite* GetSpriteSlot(int) override { return nullptr; }
};

class MultiPassDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        char cwd[PATH_MAX];
        cwd_ = getcwd(cwd, sizeof cwd) ? cwd : ".";
        ASSERT_EQ(chdir(ZARVO_RUN_DIR), 0);  // the shader bank lives in data/ of the run folder
        gfx::GlOptions o;
        o.hidden = true;
        std::string error;
        dev = gfx::CreateGlDevice(o, &error);
        if (!dev) GTEST_SKIP() << "no OpenGL: " << error;
        tmRenderSetting s;
        s.width = 320;
        s.height = 240;
        s.sceneTargetWidth = 320;
        s.sceneTargetHeight = 240;
        s.shadowMapSize = 64;
        s.cubeTargetSize = 16;
        s.environmentMap = 0;
        s.gammaReport = 0;
        r = tmRender::Create();
        r->SetResourceHolder(&slots);
        ASSERT_TRUE(r->Initialize(dev.get(), s));
        if (!r->GetShader() || !r->GetShader()->SupportsShaderModel3()) GTEST_SKIP() << "no shader path";
    }
    void TearDown() override {
        slots.model = nullptr;
        tmRender::Destroy();
        if (!cwd_.empty()) (void)chdir(cwd_.c_str());
    }
    uint32_t Pixel(int x, int y) {
        if (shot.empty()) {
            uint32_t w, h;
            EXPECT_TRUE(dev->readPixels(dev->backBuffer(), 0, &shot, &w, &h));
        }
        return shot[size_t(y) * 320 + x] & 0x00FFFFFF;
    }
    static int Green(uint32_t c) { return int((c >> 8) & 0xFF); }
    std::string cwd_;
    std::unique_ptr<gfx::Device> dev;
    tmRender* r = nullptr;
    Slots slots;
    std::vector<uint32_t> shot;
};
}  // namespace

TEST_F(MultiPassDisplayTest, BrightQuadBloomsPastItsEdges) {
    // A white square in the middle of the screen (clip -0.2..0.2), counter-clockwise on screen.
    struct V {
        float p[3];
        uint32_t colour;
        float uv[2];
    } quad[6] = {{{-0.2f, 0.2f, 0.5f}, 0xFFFFFFFF, {0, 0}}, {{-0.2f, -0.2f, 0.5f}, 0xFFFFFFFF, {0, 1}},
                 {{0.2f, 0.2f, 0.5f}, 0xFFFFFFFF, {1, 0}},  {{0.2f, 0.2f, 0.5f}, 0xFFFFFFFF, {1, 0}},
                 {{-0.2f, -0.2f, 0.5f}, 0xFFFFFFFF, {0, 1}}, {{0.2f, -0.2f, 0.5f}, 0xFFFFFFFF, {1, 1}}};
    sys::tmShape shape;
    gfx::Buffer vb = dev->createBuffer(gfx::BufferKind::Vertex, sizeof quad, false);
    std::memcpy(dev->lockBuffer(vb, 0, 0), quad, sizeof quad);
    dev->unlockBuffer(vb);
    shape.SetupFromBuffers(vb, 2, 6, nullptr, gfx::Material{}, gfx::Primitive::TriangleList, 2, 2);
    shape.featureFlags = 0x400;  // vertex colour only
    sys::tmModel model;
    model.AddShape(&shape);
    slots.model = &model;

    ASSERT_GE(r->DrawModel(1, 2, 1), 0);
    r->Render();
    // The square covers pixels 128..191 x 96..143.
    EXPECT_GT(Green(Pixel(160, 120)), 240);
    const int nearEdge = Green(Pixel(160, 90)), far = Green(Pixel(10, 10));
    EXPECT_LT(far, 4);
    EXPECT_GT(nearEdge, far + 8) << "no bloom beyond the square";
    dev->releaseBuffer(vb);
}
