// ModelReadersTest.cpp -- ybm, material lists, ysm and obj readers on small files.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "format/BinaryMesh.h"
#include "platform/fs/FileSystem.h"
#include "sys/model/tmBinaryMeshLoader.h"
#include "sys/model/tmObjLoader.h"
#include "sys/model/tmXMaterialParser.h"
#include "sys/model/tmYsmLoader.h"

using namespace platform::mesh;
using zfmt::MaterialRecord;
using zfmt::ReadMaterialRecord;

namespace {

std::vector<MaterialRecord> Records(const std::vector<uint8_t>& bytes) {
    std::vector<MaterialRecord> out;
    for (size_t at = 0; at + zfmt::kMaterialRecordSize <= bytes.size(); at += zfmt::kMaterialRecordSize)
        out.push_back(ReadMaterialRecord(&bytes[at]));
    return out;
}

// A text mesh with our extra blocks: `materials` is the material list body.
std::string Ysm(const std::string& materials, int materialCount, const std::string& extra = "") {
    return "xof 0303txt 0032\n"
           "template MeshMaterialList {\n <F6F23F42-7686-11cf-8F52-0040333594A3>\n DWORD nMaterials;\n [Material]\n}\n"
           "Mesh tri {\n 3;\n 0;0;0;,\n 1;0;0;,\n 0;1;0;;\n 1;\n 3;0,1,2;;\n"
           " MeshTextureCoords {\n 3;\n 0;0;,\n 1;0;,\n 0;1;;\n }\n" +
           extra + " MeshMaterialList {\n " + std::to_string(materialCount) + ";\n 1;\n 0;;\n" + materials + " }\n}\n";
}

const char kPlainMaterial[] =
    "  Material mat_defaultShader_reflectMap {\n"
    "   0.5;0.25;0.125;1.0;;\n"
    "   12.0;\n"
    "   0.1;0.2;0.3;;\n"
    "   0.9;0.8;0.7;0.6;;\n"
    "   TextureFilename {\n"
    "    \"road.dds\";\n"
    "   }\n"
    "  }\n";

}  // namespace

TEST(BinaryMeshLoader, BuildsASortedLayout3MeshAndRefusesBadImages) {
    zfmt::BinaryMeshVertex v[3];
    v[1].position[0] = 1;
    v[2].position[1] = 1;
    MaterialRecord a, b;
    b.shaderKind = 2;
    auto img = zfmt::WriteBinaryMesh({v[0], v[1], v[2]}, {0, 1, 2, 2, 1, 0}, {1, 0}, {}, {a, b});
    tmBinaryMeshLoader loader;
    Mesh mesh;
    std::vector<uint8_t> mats;
    ASSERT_EQ(loader.Parse(img.data(), img.size(), mesh, mats), 0);
    EXPECT_EQ(mesh.Stride(), 56u);
    EXPECT_EQ(mesh.Attributes(), (std::vector<uint32_t>{0, 1}));
    ASSERT_EQ(mesh.AttributeTable().size(), 2u);
    EXPECT_EQ(mats.size(), 2 * zfmt::kMaterialRecordSize);
    EXPECT_EQ(Records(mats)[1].shaderKind, 2u);

    img.push_back(0);
    EXPECT_NE(loader.Parse(img.data(), img.size(), mesh, mats), 0);
    auto empty = zfmt::WriteBinaryMesh({}, {}, {}, {}, {});
    EXPECT_NE(loader.Parse(empty.data(), empty.size(), mesh, mats), 0);  // no faces: no mesh
    EXPECT_NE(loader.LoadFromFile("no\\such\\file.ybm", mesh, mats), 0);
}

TEST(XMaterialParser, NameKeywordsSetFeatureBitsAndMissingValuesTakeDefaults) {
    tmXMaterialParser parser;
    std::vector<uint8_t> out;
    std::string text = Ysm(kPlainMaterial, 1);
    ASSERT_EQ(parser.Parse(text.data(), text.size(), out, 0x400), 0);
    auto recs = Records(out);
    ASSERT_EQ(recs.size(), 1u);
    const MaterialRecord& m = recs[0];
    EXPECT_EQ(m.shaderKind, 0u);
    EXPECT_TRUE(m.featureFlags & (1u << 4));   // _reflectMap keyword
    EXPECT_TRUE(m.featureFlags & (1u << 0));   // image map stage
    EXPECT_TRUE(m.featureFlags & (1u << 11));  // "}" right after the name: uv01 1
    EXPECT_TRUE(m.featureFlags & 0x400u);
    EXPECT_EQ(m.stages[0].type, 1);
    EXPECT_EQ(m.stages[0].uv01, 1);
    EXPECT_EQ(m.stages[0].fileName, "road.dds");
    EXPECT_EQ(m.ambient[1], 0.25f);  // face colour
    EXPECT_EQ(m.power, 12.0f);
    EXPECT_EQ(m.specular[3], 0.0f);  // absent fourth value
    EXPECT_EQ(m.diffuse[3], 0.6f);   // emissive line
    EXPECT_EQ(m.emissive[0], 1.0f);
    EXPECT_EQ(m.custom2, 0.5f);
    EXPECT_EQ(m.custom3[2], 1.0f);
    EXPECT_EQ(m.custom4[0], 0.6f);
    EXPECT_FALSE(parser.HasNormalMap());
    EXPECT_FALSE(parser.NeedsNormals());
}

TEST(XMaterialParser, CustomParamAndExplicitStagesSetTheirBits) {
    const std::string mat =
        "  Material mach_machineShader {\n   1;1;1;1;;\n   5;\n   0;0;0;;\n   0;0;0;;\n"
        "   CustomParam {\n    0;2;\n    0.75;\n    1;1;1;\n    0.6;0;\n    0.5;0;\n    1;\n    0.3;\n    0;\n"
        "    0;\n    1;\n   }\n"
        "   TextureFilename {\n    \"a.dds\";\n    1;1;\n    0;\n    0;0;\n   }\n"
        "   TextureFilename {\n    \"b.dds\";\n    2;1;\n    0;\n    1;0;\n   }\n"
        "   TextureFilename {\n    \"n.dds\";\n    3;1;\n    0;\n    0;2;\n   }\n"
        "  }\n";
    tmXMaterialParser parser;
    std::vector<uint8_t> out;
    std::string text = Ysm(mat, 1);
    ASSERT_EQ(parser.Parse(text.data(), text.size(), out, 0), 0);
    const MaterialRecord m = Records(out).at(0);
    EXPECT_EQ(m.shaderKind, 1u);
    EXPECT_EQ(m.customByte2, 2);
    EXPECT_EQ(m.custom6, 1);
    const uint32_t want = (1u << 0) | (1u << 1) | (1u << 12) | (1u << 2) | (1u << 5) | (1u << 6) | (1u << 7) |
                          (1u << 8) | (1u << 4) | (1u << 16);
    EXPECT_EQ(m.featureFlags, want);
    EXPECT_EQ(m.stages[2].alphaMode, 2);
    EXPECT_EQ(m.stages[3].type, 0);
    EXPECT_TRUE(parser.HasNormalMap());
    EXPECT_TRUE(parser.NeedsNormals());
}

TEST(XMaterialParser, ListsInFileOrderAndShortListsFail) {
    const std::string two = std::string(kPlainMaterial) + kPlainMaterial;
    std::string mesh2 = Ysm(two, 2);
    // A second mesh with its own two-material list.
    std::string text = mesh2 + mesh2.substr(mesh2.find("Mesh tri"));
    tmXMaterialParser parser;
    std::vector<uint8_t> out;
    ASSERT_EQ(parser.Parse(text.data(), text.size(), out, 0), 0);
    EXPECT_EQ(parser.Count(), 4u);
    std::string shortList = Ysm(kPlainMaterial, 2);
    EXPECT_NE(parser.Parse(shortList.data(), shortList.size(), out, 0), 0);
    EXPECT_TRUE(out.empty());
    // The next material's stages are not taken for this one's.
    const std::string bare = "  Material bare {\n   1;1;1;1;;\n   0;\n   0;0;0;;\n   0;0;0;;\n  }\n";
    std::string mixed = Ysm(bare + kPlainMaterial, 2);
    ASSERT_EQ(parser.Parse(mixed.data(), mixed.size(), out, 0), 0);
    EXPECT_TRUE(Records(out)[0].stages[0].fileName.empty());
    EXPECT_EQ(Records(out)[1].stages[0].fileName, "road.dds");
}

TEST(YsmLoader, ChoosesTheLayoutAndFillsTheSecondUvSet) {
    const std::string uv2 = " MeshTextureCoords2 {\n  3;\n  0.5;0.25;,\n  0.75;1.0;,\n  1.0;0.0;;\n }\n";
    std::string text = Ysm(kPlainMaterial, 1, uv2);
    tmYsmLoader loader;
    Mesh mesh;
    std::vector<uint8_t> mats;
    ASSERT_EQ(loader.Parse(text.data(), text.size(), mesh, mats, false), 0);
    EXPECT_EQ(mesh.Stride(), 32u);  // no normals needed: position, colour, two UV sets
    const int uv1 = mesh.ElementOffset(kTexCoord, 1);
    ASSERT_GE(uv1, 0);
    float firstU = ReadF32(&mesh.Vertices()[mesh.Indices()[0] * mesh.Stride() + uv1]);
    EXPECT_EQ(firstU, 0.5f);
    EXPECT_EQ(Records(mats).size(), 1u);
    EXPECT_TRUE(Records(mats)[0].featureFlags & 0x400u);

    ASSERT_EQ(loader.Parse(text.data(), text.size(), mesh, mats, true), 0);
    EXPECT_EQ(mesh.Stride(), 56u);

    std::string bad = Ysm(kPlainMaterial, 2);
    EXPECT_NE(loader.Parse(bad.data(), bad.size(), mesh, mats, false), 0);
}

TEST(ObjLoader, QuadsBecomeFansAndRepeatedMaterialsShareOneRecord) {
    const platform::TempDirectory tmp;
    const std::string folder = tmp.Path() + "/";
    {
        std::ofstream mtl(folder + "walls.mtl", std::ios::binary);
        mtl << "# library\nnewmtl blue\nmap_Kd blue.tga\nnewmtl red\r\nKd 1 0 0\nmap_Kd  wall.tga \r\n";
    }
    const std::string obj =
        "mtllib walls.mtl\r\n"
        "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 2  2 2\nvp 9 9 9\n"
        "vt 0.5 0.5\nvn 0 0 1\nvn 1 0 0\n"
        "f 1/1/1 2/1/1 3/1/1 4/1/1\n"
        "usemtl red\r\n"
        "f 5//2 1 2\n"
        "usemtl red\r\n"
        "f 1 2 3\n";
    tmObjLoader loader;
    Mesh mesh;
    std::vector<uint8_t> mats;
    ASSERT_EQ(loader.LoadText(obj, folder, mesh, mats), 0);
    EXPECT_EQ(mesh.FaceCount(), 4u);  // the quad is a fan of two
    EXPECT_EQ(mesh.Stride(), 32u);
    EXPECT_TRUE(mesh.Index32());
    auto recs = Records(mats);
    ASSERT_EQ(recs.size(), 2u);  // "default" and one "red"
    EXPECT_TRUE(recs[0].stages[0].fileName.empty());
    EXPECT_EQ(recs[1].stages[0].fileName, "wall.tga");
    EXPECT_EQ(recs[1].stages[0].type, 1);
    EXPECT_EQ(recs[1].featureFlags, 1u);
    EXPECT_EQ(recs[1].shaderKind, 4u);
    EXPECT_EQ(recs[1].power, 50.0f);
    EXPECT_EQ(recs[1].emissive[3], 1.0f);
    EXPECT_EQ(mesh.Attributes(), (std::vector<uint32_t>{0, 0, 1, 1}));
    // The '5//2' corner: position 5 (2, 2, 2; the doubled blank is no extra cell),
    // texture (0, 0), normal 2; a corner without a normal points up.
    bool sawFive = false, sawUp = false;
    for (uint32_t i = 0; i < mesh.VertexCount(); ++i) {
        const uint8_t* p = &mesh.Vertices()[i * 32];
        if (ReadF32(p) == 2.0f && ReadF32(p + 4) == 2.0f && ReadF32(p + 8) == 2.0f) {
            sawFive = true;
            EXPECT_EQ(ReadF32(p + 12), 1.0f);
            EXPECT_EQ(ReadF32(p + 24), 0.0f);
        }
        if (ReadF32(p + 16) == 1.0f) sawUp = true;
    }
    EXPECT_TRUE(sawFive);
    EXPECT_TRUE(sawUp);
    EXPECT_EQ(mesh.VertexCount(), 12u);  // unshared corners; "vp" adds no position

    EXPECT_NE(loader.LoadText("v 0 0 0\nv 1 0 0\nf 1 2 3\n", folder, mesh, mats), 0);
    EXPECT_NE(loader.LoadText("v 0 0 0\nv 1 0 0\nv 1 1 1\nf 1/2 2 3\n", folder, mesh, mats), 0);
    EXPECT_NE(loader.LoadText("v 0 0 0\nv 1 0 0\nv 1 1 1\nf -1 2 3\n", folder, mesh, mats), 0);
    EXPECT_NE(loader.LoadText("# nothing\n", folder, mesh, mats), 0);
    EXPECT_NE(loader.LoadText("usemtl " + std::string(300, 'm') + "\n", folder, mesh, mats), 0);
    ASSERT_EQ(loader.LoadText("v 0 0 0\nv 1 0 0\nv 1 1 1\nf 1 2 3\n", folder, mesh, mats), 0);
    EXPECT_EQ(Records(mats).size(), 1u);
}
