// MeshTest.cpp -- built-in layouts, attribute sort, layout conversion, tangents, bounds.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/mesh/Mesh.h"

using namespace platform::mesh;

namespace {

void SetPos(Mesh& m, uint32_t v, float x, float y, float z) {
    uint8_t* p = &m.Vertices()[v * m.Stride()];
    WriteF32(p, x);
    WriteF32(p + 4, y);
    WriteF32(p + 8, z);
}

}  // namespace

TEST(VertexLayouts, EachBuiltinLayoutHasItsSizeAndFvfAndOthersNone) {
    const uint32_t sizes[] = {24, 28, 24, 56, 44, 32, 36, 32};
    const uint32_t fvf[] = {0x104, 0x144, 0x142, 0, 0x252, 0x242, 0x152, 0x112};
    for (int i = 0; i < kBuiltinLayoutCount; ++i) {
        EXPECT_EQ(LayoutVertexSize(BuiltinLayout(i)), sizes[i]) << i;
        EXPECT_EQ(LayoutFvf(BuiltinLayout(i)), fvf[i]) << i;
    }
    EXPECT_EQ(BuiltinLayout(8), nullptr);
    EXPECT_EQ(BuiltinLayout(-1), nullptr);
}

TEST(MeshCreate, RefusesEmptyOversizedAnd16BitOverflow) {
    Mesh m;
    EXPECT_FALSE(m.Create(0, 3, BuiltinLayout(7), false));
    EXPECT_FALSE(m.Create(1, 0, BuiltinLayout(7), false));
    EXPECT_FALSE(m.Create(1, 70000, BuiltinLayout(7), false));
    EXPECT_TRUE(m.Create(1, 70000, BuiltinLayout(7), true));
    EXPECT_FALSE(m.Create(Mesh::kMaxFaces + 1, 3, BuiltinLayout(7), true));
    EXPECT_EQ(m.VertexCount(), 0u);
}

TEST(MeshSort, StableByAttributeWithContiguousVertexRanges) {
    Mesh m;
    ASSERT_TRUE(m.Create(4, 8, BuiltinLayout(7), false));
    for (uint32_t v = 0; v < 8; ++v) SetPos(m, v, static_cast<float>(v), 0, 0);
    m.Indices() = {0, 1, 2, 4, 5, 6, 2, 3, 0, 5, 6, 7};
    m.Attributes() = {1, 0, 1, 0};
    ASSERT_TRUE(m.SortByAttribute(false));
    ASSERT_EQ(m.AttributeTable().size(), 2u);
    const AttributeRange a = m.AttributeTable()[0], b = m.AttributeTable()[1];
    EXPECT_EQ(a.attribId, 0u);
    EXPECT_EQ(a.faceStart, 0u);
    EXPECT_EQ(a.faceCount, 2u);
    EXPECT_EQ(a.vertexStart, 0u);
    EXPECT_EQ(a.vertexCount, 4u);
    EXPECT_EQ(b.attribId, 1u);
    EXPECT_EQ(b.faceStart, 2u);
    EXPECT_EQ(b.faceCount, 2u);
    EXPECT_EQ(b.vertexStart, 4u);
    EXPECT_EQ(b.vertexCount, 4u);
    // Faces keep their order within an attribute, and positions follow their vertices.
    EXPECT_EQ(m.Attributes(), (std::vector<uint32_t>{0, 0, 1, 1}));
    EXPECT_EQ(ReadF32(&m.Vertices()[m.Indices()[0] * m.Stride()]), 4.0f);
    EXPECT_EQ(ReadF32(&m.Vertices()[m.Indices()[6] * m.Stride()]), 0.0f);
    EXPECT_EQ(ReadF32(&m.Vertices()[m.Indices()[9] * m.Stride()]), 2.0f);
}

TEST(MeshSort, CompactDropsUnusedVerticesAndBadIndicesAreRefused) {
    Mesh m;
    ASSERT_TRUE(m.Create(1, 5, BuiltinLayout(7), false));
    m.Indices() = {4, 2, 0};
    ASSERT_TRUE(m.SortByAttribute(true));
    EXPECT_EQ(m.VertexCount(), 3u);
    EXPECT_EQ(m.Vertices().size(), 3u * 32u);

    ASSERT_TRUE(m.Create(1, 3, BuiltinLayout(7), false));
    m.Indices() = {0, 1, 3};
    EXPECT_FALSE(m.IndicesValid());
    EXPECT_FALSE(m.SortByAttribute(false));
}

TEST(MeshClone, ConvertsSharedElementsAndFillsTheRest) {
    Mesh src;
    ASSERT_TRUE(src.Create(1, 3, BuiltinLayout(7), false));
    src.Indices() = {0, 1, 2};
    SetPos(src, 1, 1, 2, 3);
    WriteF32(&src.Vertices()[1 * 32 + 24], 0.25f);  // u of vertex 1
    Mesh dst;
    ASSERT_TRUE(src.CloneWithLayout(BuiltinLayout(3), dst));
    EXPECT_EQ(dst.Stride(), 56u);
    const uint8_t* v1 = &dst.Vertices()[56];
    EXPECT_EQ(ReadF32(v1 + 4), 2.0f);
    EXPECT_EQ(ReadU32(v1 + 24), 0xFFFFFFFFu);  // colour white
    EXPECT_EQ(ReadF32(v1 + 28), 0.25f);
    EXPECT_EQ(ReadF32(v1 + 36), 0.0f);
    EXPECT_EQ(dst.Indices(), src.Indices());
}

TEST(MeshTangents, FollowTextureUAlongTheSurface) {
    Mesh m;
    ASSERT_TRUE(m.Create(1, 3, BuiltinLayout(3), false));
    m.Indices() = {0, 1, 2};
    const float pos[3][3] = {{0, 0, 0}, {0, 0, 2}, {0, 2, 0}};  // u runs along +z
    const float uv[3][2] = {{0, 0}, {1, 0}, {0, 1}};
    for (int v = 0; v < 3; ++v) {
        SetPos(m, v, pos[v][0], pos[v][1], pos[v][2]);
        WriteF32(&m.Vertices()[v * 56 + 12], 1.0f);  // normal +x
        WriteF32(&m.Vertices()[v * 56 + 28], uv[v][0]);
        WriteF32(&m.Vertices()[v * 56 + 32], uv[v][1]);
    }
    ASSERT_TRUE(m.ComputeTangents());
    EXPECT_NEAR(ReadF32(&m.Vertices()[44]), 0.0f, 1e-6);
    EXPECT_NEAR(ReadF32(&m.Vertices()[52]), 1.0f, 1e-6);

    Mesh noTangent;
    ASSERT_TRUE(noTangent.Create(1, 3, BuiltinLayout(7), false));
    EXPECT_FALSE(noTangent.ComputeTangents());
}

TEST(MeshBounds, SphereCoversEveryVertexOfTheRange) {
    Mesh m;
    ASSERT_TRUE(m.Create(1, 4, BuiltinLayout(7), false));
    SetPos(m, 0, -1, 0, 0);
    SetPos(m, 1, 3, 0, 0);
    SetPos(m, 2, 1, 2, 0);
    SetPos(m, 3, 100, 100, 100);
    float c[3], r;
    ComputeBoundingSphere(m.Vertices().data(), 3, m.Stride(), c, &r);
    EXPECT_NEAR(c[0], 1.0f, 1e-6);
    EXPECT_NEAR(c[1], 2.0f / 3.0f, 1e-6);
    EXPECT_NEAR(r, std::sqrt(4.0f + 4.0f / 9.0f), 1e-5);
    ComputeBoundingSphere(nullptr, 0, 32, c, &r);
    EXPECT_EQ(r, 0.0f);
}
