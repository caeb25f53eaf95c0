// BinaryMeshTest.cpp -- "ybm" and material record layouts: round trips and refusals.
#include <gtest/gtest.h>

#include "format/BinaryMesh.h"

using namespace zfmt;

namespace {

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<uint8_t> OneTriangleOnOneVertex() {
    BinaryMeshVertex v;
    v.position[0] = 1.5f;
    MaterialRecord m;
    m.stages[0].fileName = "tex.dds";
    return WriteBinaryMesh({v}, {0, 0, 0}, {0}, {}, {m});
}

}  // namespace

TEST(MaterialRecordLayout, RoundTripsEveryFieldAtItsOffset) {
    MaterialRecord m;
    m.diffuse[2] = 0.25f;
    m.power = 7.0f;
    m.customByte2 = 3;
    m.custom6 = -2;
    m.custom10 = 9;
    m.shaderKind = 4;
    m.featureFlags = 0x10401;
    m.stages[5].type = 3;
    m.stages[5].uv01 = 1;
    m.stages[5].fileName = std::string(300, 'n');  // cut to 255
    uint8_t bytes[kMaterialRecordSize];
    WriteMaterialRecord(m, bytes);
    EXPECT_EQ(bytes[69], 3);
    EXPECT_EQ(bytes[117], 9);
    EXPECT_EQ(bytes[120], 4);
    EXPECT_EQ(bytes[128 + 5 * 276], 3);
    EXPECT_EQ(bytes[128 + 5 * 276 + 20 + 255], 0);
    MaterialRecord back = ReadMaterialRecord(bytes);
    EXPECT_EQ(back.diffuse[2], 0.25f);
    EXPECT_EQ(back.custom6, -2);
    EXPECT_EQ(back.featureFlags, 0x10401u);
    EXPECT_EQ(back.stages[5].fileName.size(), 255u);
    EXPECT_EQ(back.stages[0].parameter, 1);  // defaults survive
    EXPECT_EQ(back.custom4[0], 0.6f);
    // A name field without a NUL is cut at the field's end.
    std::fill(bytes + 128 + 20, bytes + 128 + 276, 'x');
    EXPECT_EQ(ReadMaterialRecord(bytes).stages[0].fileName.size(), 256u);
}

TEST(BinaryMeshLayout, OneVertexOneFaceOneMaterialIs1954BytesExactly) {
    auto img = OneTriangleOnOneVertex();
    ASSERT_EQ(img.size(), 1954u);
    BinaryMesh mesh;
    std::string why;
    ASSERT_TRUE(ParseBinaryMesh(img.data(), img.size(), mesh, &why)) << why;
    EXPECT_EQ(mesh.vertexCount, 1u);
    EXPECT_EQ(mesh.MaterialCount(), 1u);
    EXPECT_EQ(ReadMaterialRecord(mesh.materialBytes.data()).stages[0].fileName, "tex.dds");
    auto longer = img;
    longer.push_back(0);
    EXPECT_FALSE(ParseBinaryMesh(longer.data(), longer.size(), mesh, &why));
    EXPECT_FALSE(ParseBinaryMesh(img.data(), img.size() - 1, mesh, &why));
    EXPECT_FALSE(ParseBinaryMesh(img.data(), 103, mesh, &why));
}

TEST(BinaryMeshLayout, HeaderLiesAreRefused) {
    const auto good = OneTriangleOnOneVertex();
    BinaryMesh mesh;
    std::string why;
    auto bad = good;
    bad[0] = 0;  // empty magic text
    EXPECT_FALSE(ParseBinaryMesh(bad.data(), bad.size(), mesh, &why));
    bad = good;
    bad[14] = '1';  // "WemSysBinMsh101"
    EXPECT_FALSE(ParseBinaryMesh(bad.data(), bad.size(), mesh, &why));
    bad = good;
    Put32(bad, 80, 6);  // a 36-byte layout cannot hold 56-byte vertices
    EXPECT_FALSE(ParseBinaryMesh(bad.data(), bad.size(), mesh, &why));
    bad = good;
    Put32(bad, 88, 1u + (1u << 29));  // 56 x count wraps to 56 in 32 bits
    EXPECT_FALSE(ParseBinaryMesh(bad.data(), bad.size(), mesh, &why));
    bad = good;
    bad[104 + 56 + 2] = 1;  // second index names vertex 1 of 1
    EXPECT_FALSE(ParseBinaryMesh(bad.data(), bad.size(), mesh, &why));
    bad = good;
    Put32(bad, 104 + 56 + 6, 1);  // attribute 1 of one material
    EXPECT_FALSE(ParseBinaryMesh(bad.data(), bad.size(), mesh, &why));
    EXPECT_TRUE(mesh.vertexBytes.empty());
}

TEST(BinaryMeshLayout, EmptyImageGivesAnEmptyMaterialBuffer) {
    auto img = WriteBinaryMesh({}, {}, {}, {}, {});
    ASSERT_EQ(img.size(), 104u);
    BinaryMesh mesh;
    ASSERT_TRUE(ParseBinaryMesh(img.data(), img.size(), mesh, nullptr));
    EXPECT_TRUE(mesh.materialBytes.empty());
}
