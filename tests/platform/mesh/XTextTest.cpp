// XTextTest.cpp -- the text mesh reader: frames, split normals, fans, materials, refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/mesh/XText.h"

using namespace platform::mesh;

namespace {

const char kQuad[] = R"(xof 0303txt 0032
template Mesh {
 <3D82AB44-62DA-11cf-AB39-0020AF71E433>
 DWORD nVertices;
 array Vector vertices[nVertices];
 [...]
}
Header { 1; 0; 1; }
Frame Root {
  FrameTransformMatrix { 1.0,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }
  Frame Child {
    Mesh quad {
      5;
      0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;, 9;9;9;;
      2;
      4;0,1,2,3;,
      3;0,2,1;;
      MeshNormals {
        2;
        0;0;-1;, 0;0;1;;
        2;
        4;0,0,0,0;,
        3;1,1,1;;
      }
      MeshTextureCoords { 5; 0;0;, 1;0;, 1;1;, 0;1;, 0;0;; }
      VertexDuplicationIndices { 5; 5; 0,1,2,3,4; }
      MeshMaterialList {
        2; 2; 1, 0;;
        Material red_defaultShader {
          1.0;0.0;0.0;1.0;;
          20.0;
          0.5;0.5;0.5;;
          0.0;0.0;0.0;;
          CustomParam { 1;0; 0.5; }
          TextureFilename { "wall.tga"; 1;1; 0; 1;0; }
        }
        Material blue { 0;0;1;1;; 0; 0;0;0;; 0;0;0;; }
      }
    }
  }
}
)";

bool Read(const std::string& text, XModel& out, std::string* why = nullptr) {
    return ReadXText(text.data(), text.size(), out, why);
}

}  // namespace

TEST(XText, ReadsFramesNormalsUvsAndMaterials) {
    XModel m;
    std::string why;
    ASSERT_TRUE(Read(kQuad, m, &why)) << why;
    // The quad fans into two triangles; the back triangle uses other normals, so
    // its shared positions become new vertices: 4 + 3 vertices.
    EXPECT_EQ(m.mesh.FaceCount(), 3u);
    EXPECT_EQ(m.mesh.VertexCount(), 7u);
    EXPECT_EQ(m.mesh.Attributes(), (std::vector<uint32_t>{1, 1, 0}));
    EXPECT_EQ(m.mesh.Indices(), (std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 4, 5, 6}));
    ASSERT_EQ(m.mesh.Stride(), 32u);  // position, normal, uv
    const uint8_t* v1 = &m.mesh.Vertices()[32];
    EXPECT_EQ(ReadF32(v1), 11.0f);  // frame translation applied
    EXPECT_EQ(ReadF32(v1 + 20), -1.0f);
    EXPECT_EQ(ReadF32(v1 + 24), 1.0f);
    ASSERT_EQ(m.materials.size(), 2u);
    EXPECT_EQ(m.materials[0].diffuse[0], 1.0f);
    EXPECT_EQ(m.materials[0].power, 20.0f);
    EXPECT_EQ(m.materials[0].textureFile, "wall.tga");
    EXPECT_EQ(m.materials[1].diffuse[2], 1.0f);
    EXPECT_TRUE(m.materials[1].textureFile.empty());
}

TEST(XText, TwoMeshesConcatenateMaterialsInFileOrder) {
    std::string one =
        "Mesh a { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; "
        "MeshMaterialList { 2; 1; 1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } "
        "Material { 0;0;0;1;; 0; 0;0;0;; 0;0;0;; } } }\n";
    XModel m;
    ASSERT_TRUE(Read("xof 0303txt 0032\n" + one + one, m));
    EXPECT_EQ(m.materials.size(), 4u);
    EXPECT_EQ(m.mesh.Attributes(), (std::vector<uint32_t>{1, 3}));
    EXPECT_EQ(m.mesh.Indices()[3], 3u);
}

TEST(XText, MalformedInputIsRefused) {
    XModel m;
    std::string why;
    EXPECT_FALSE(Read("xof 0303bin 0032 Mesh {}", m, &why));
    EXPECT_FALSE(Read("hello", m, &why));
    const std::string head = "xof 0303txt 0032\n";
    EXPECT_FALSE(Read(head, m, &why));  // no mesh
    EXPECT_FALSE(Read(head + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;; }", m, &why));
    EXPECT_NE(why.find("out of range"), std::string::npos);
    EXPECT_FALSE(Read(head + "Mesh { 4000000000; 0;0;0;; 1; 3;0,0,0;; }", m, &why));
    EXPECT_FALSE(Read(head + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; ", m, &why));
    EXPECT_FALSE(Read(head + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;; }", m, &why));
    // A material list that names a material it does not hold.
    EXPECT_FALSE(Read(head + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 2;; "
                             "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }",
                      m, &why));
    EXPECT_TRUE(m.mesh.Vertices().empty());
}
