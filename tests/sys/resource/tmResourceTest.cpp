// tmResourceTest.cpp -- reference counts, owner removal and texture alpha modes.
#include <gtest/gtest.h>

#include "platform/gfx/NullDevice.h"
#include "sys/gfx/tmDevice.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmTexture.h"

namespace {
struct Owner : sys::tmResourceOwner {
    int removed = 0;
    void Remove(int type, const char*, sys::tmResource*) override { removed += type == 1 ? 1 : 100; }
};
}  // namespace

TEST(tmResource, LastReleaseFreesDeviceTextureAndLeavesOwner) {
    gfx::NullDevice dev;
    tmSetDevice(&dev);
    Owner owner;
    auto* t = new sys::tmTexture;
    t->SetName("a_PUNCH_ALPHA.dds");
    t->SetOwner(&owner);
    t->AddRef();
    t->AddRef();
    t->Setup(dev.createTexture({4, 4, 1, gfx::Format::A8R8G8B8, gfx::Usage::Static, false}), nullptr, nullptr, 0);
    EXPECT_EQ(t->GetAlphaMode(), 1u);  // "_PUNCH" is tested first
    EXPECT_EQ(dev.liveTextures(), 1);
    EXPECT_EQ(t->Release(), 1);
    EXPECT_EQ(owner.removed, 0);
    EXPECT_EQ(t->Release(), 0);
    EXPECT_EQ(owner.removed, 1);
    EXPECT_EQ(dev.liveTextures(), 0);
    tmSetDevice(nullptr);
}

TEST(tmResource, AlphaComesFromTheFormatAndAShapeWithoutTextureIsOpaque) {
    using F = gfx::Format;
    EXPECT_EQ(sys::tmTexture::AlphaModeFromFormat(F::A1R5G5B5), 0u);
    EXPECT_EQ(sys::tmTexture::AlphaModeFromFormat(F::DXT1), 0u);
    EXPECT_EQ(sys::tmTexture::AlphaModeFromFormat(F::DXT3), 2u);
    EXPECT_EQ(sys::tmTexture::AlphaModeFromFormat(F::A8R8G8B8), 2u);
    sys::tmShape shape;
    shape.SetupFromBuffers(gfx::Buffer{}, 2, 6, nullptr, gfx::Material{}, gfx::Primitive::TriangleList, 1, 8);
    EXPECT_EQ(shape.alphaMode, 0u);
    EXPECT_EQ(shape.featureFlags, 0x401u);
    EXPECT_EQ(shape.stride, 28u);
}

TEST(tmShape, IndexedSubsetDrawsThroughItsLastVertex) {
    gfx::NullDevice dev;
    sys::tmShape shape;
    shape.vertexBuffer = dev.createBuffer(gfx::BufferKind::Vertex, 64, false);
    shape.indexBuffer = dev.createBuffer(gfx::BufferKind::Index16, 64, false);
    shape.range = {0, 10, 5, 100, 50};
    shape.Draw(&dev);
    ASSERT_EQ(dev.draws.size(), 1u);
    EXPECT_EQ(dev.draws[0].vertices, 150u);
    EXPECT_EQ(dev.draws[0].count, 5u);
}
