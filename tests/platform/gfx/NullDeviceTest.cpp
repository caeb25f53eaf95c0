// NullDeviceTest.cpp -- the recording device keeps the state and scripts tests rely on.
#include <gtest/gtest.h>

#include "platform/gfx/NullDevice.h"

using namespace gfx;

TEST(VertexLayouts, StridesMatchElementsAndPretransformedFlag) {
    const uint32_t strides[] = {24, 28, 24, 56, 44, 32, 36, 32};
    for (int i = 0; i < kLayoutCount; ++i) {
        const VertexLayout& l = GetVertexLayout(i);
        EXPECT_EQ(l.stride, strides[i]) << i;
        EXPECT_EQ(l.pretransformed, i < 2) << i;
        const VertexElement& last = l.elements[l.count - 1];
        uint32_t size = last.type == ElementType::Float2   ? 8
                        : last.type == ElementType::Float3 ? 12
                        : last.type == ElementType::Float4 ? 16
                                                           : 4;
        EXPECT_EQ(last.offset + size, l.stride) << i;
    }
    EXPECT_EQ(VertexCountFor(Primitive::TriangleFan, 2), 4u);
    EXPECT_EQ(VertexCountFor(Primitive::TriangleList, 2), 6u);
}

TEST(NullDevice, ScriptedPresentAndResetFailuresComeOnceThenSucceed) {
    NullDevice d;
    d.presentResults = {Res::DeviceLost};
    d.resetResults = {Res::DriverInternalError};
    PresentParams p;
    p.width = 640;
    p.height = 480;
    ASSERT_EQ(d.create(p), Res::Ok);
    EXPECT_EQ(d.present(), Res::DeviceLost);
    EXPECT_EQ(d.present(), Res::Ok);
    EXPECT_EQ(d.reset(p), Res::DriverInternalError);
    EXPECT_EQ(d.reset(p), Res::Ok);
    uint32_t w, h;
    d.targetSize(&w, &h);
    EXPECT_EQ(w, 640u);
    EXPECT_EQ(h, 480u);
}

TEST(NullDevice, TexturesKeepTexelsTargetsKeepClearColour) {
    NullDevice d;
    d.failTexture = [](const TextureDesc& t) { return t.width == 13; };
    EXPECT_FALSE(d.createTexture({13, 4, 1, Format::A8R8G8B8, Usage::Static, false}));
    Texture t = d.createTexture({2, 2, 0, Format::DXT3, Usage::Static, false});
    ASSERT_TRUE(t);
    TextureDesc desc;
    ASSERT_TRUE(d.describeTexture(t, &desc));
    EXPECT_EQ(desc.levels, 2u);
    EXPECT_EQ(desc.format, Format::DXT3);
    const uint32_t px[4] = {1, 2, 3, 4};
    EXPECT_EQ(d.uploadTexture(t, 0, 0, px), Res::Ok);
    EXPECT_NE(d.uploadTexture(t, 0, 2, px), Res::Ok);
    const uint32_t row[2] = {5, 6};
    EXPECT_EQ(d.uploadTextureRows(t, 0, 0, 1, 1, row), Res::Ok);
    EXPECT_NE(d.uploadTextureRows(t, 0, 0, 1, 2, px), Res::Ok);  // past the last row
    std::vector<uint32_t> out;
    uint32_t w, h;
    ASSERT_TRUE(d.readPixels(t, 0, &out, &w, &h));
    EXPECT_EQ(out, std::vector<uint32_t>({1, 2, 5, 6}));

    Texture rt = d.createTexture({8, 8, 1, Format::A8R8G8B8, Usage::RenderTarget, false});
    d.setRenderTarget(rt, 0);
    d.clear(ClearFlag::Target | ClearFlag::ZBuffer, 0xFFFFFFFF, 1.0f, 0);
    EXPECT_EQ(d.clearColour(rt), 0xFFFFFFFFu);
    d.setRenderTarget(Texture{}, 0);  // null target is ignored
    EXPECT_EQ(d.currentTarget(), rt);
    d.releaseTexture(rt);
    EXPECT_FALSE(d.describeTexture(rt, &desc));
}

TEST(NullDevice, ConstantsPersistAcrossProgramChangesAndBuffersLock) {
    NullDevice d;
    const float v[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    d.setConstants(Stage::Vertex, 15, v, 2);
    Shader a = d.compileShader(Stage::Vertex, "void main(){}", nullptr);
    std::string log;
    EXPECT_FALSE(d.compileShader(Stage::Pixel, "#error no", &log));
    EXPECT_FALSE(log.empty());
    d.setShaders(a, Shader{});
    EXPECT_EQ(d.constants(Stage::Vertex, 16)[3], 8.0f);
    EXPECT_EQ(d.constants(Stage::Pixel, 15)[0], 0.0f);

    Buffer b = d.createBuffer(BufferKind::Vertex, 16, false);
    void* p = d.lockBuffer(b, 0, 0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(d.lockBuffer(b, 0, 0), nullptr);  // already locked
    d.unlockBuffer(b);
    EXPECT_EQ(d.lockBuffer(b, 8, 16), nullptr);  // past the end
    d.failBufferLocks = true;
    EXPECT_EQ(d.lockBuffer(b, 0, 0), nullptr);
}
