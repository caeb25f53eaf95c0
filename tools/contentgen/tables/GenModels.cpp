// Generator: the 36 resource groups: model banks, group table, model names and ids (GenTextures makes
// the texture banks).
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

#include "Generators.h"
#include "course/CourseArt.h"
#include "format/BinaryMesh.h"
#include "hud/HudArt.h"
#include "kit/ContentPng.h"
#include "kit/MeshBuilder.h"
#include "machine/MachineArt.h"
#include "menu/TestArt.h"
#include "tables/ResourceGroups.h"

namespace contentgen {

namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}
std::string Stem(const std::string& file) { return file.substr(0, file.find('.')); }
std::string Ext(const std::string& file) {
    size_t dot = file.rfind('.');
    return dot == std::string::npos ? std::string() : file.substr(dot + 1);
}

// ---- blocks and primitives of the common and test groups -------------------------------

// A box of half-size `s` with four vertices per side; sides 0..1 use material 0,
// the others material `materials - 1`.
zfmt::Bytes BoxYbm(float s, std::uint32_t colour, const std::vector<zfmt::MaterialRecord>& materials) {
    static const float kNormals[6][3] = {{0, 0, -1}, {0, 0, 1}, {-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    std::vector<zfmt::BinaryMeshVertex> v;
    std::vector<std::uint16_t> idx;
    std::vector<std::uint32_t> attr;
    for (int side = 0; side < 6; ++side) {
        const float* n = kNormals[side];
        // Two axes across the side: a along x (z for the x sides), b = n x a.
        const float a[3] = {n[0] != 0 ? 0.0f : 1.0f, 0.0f, n[0] != 0 ? 1.0f : 0.0f};
        const float b[3] = {n[1] * a[2] - n[2] * a[1], n[2] * a[0] - n[0] * a[2], n[0] * a[1] - n[1] * a[0]};
        const float corners[4][2] = {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
        const std::uint16_t base = static_cast<std::uint16_t>(v.size());
        for (const auto& c : corners) {
            zfmt::BinaryMeshVertex vx;
            for (int k = 0; k < 3; ++k) {
                vx.position[k] = s * (n[k] + c[0] * a[k] + c[1] * b[k]);
                vx.normal[k] = n[k];
                vx.tangent[k] = a[k];
            }
            vx.colour = colour;
            vx.uv0[0] = vx.uv1[0] = (c[0] + 1) * 0.5f;
            vx.uv0[1] = vx.uv1[1] = (1 - c[1]) * 0.5f;
            v.push_back(vx);
        }
        const std::uint32_t material = side < 2 ? 0 : static_cast<std::uint32_t>(materials.size() - 1);
        for (std::uint16_t t : {0, 1, 2, 0, 2, 3}) idx.push_back(static_cast<std::uint16_t>(base + t));
        attr.push_back(material);
        attr.push_back(material);
    }
    return zfmt::WriteBinaryMesh(v, idx, attr, {}, materials);
}

zfmt::MaterialRecord Material(const std::string& texture, std::uint32_t shaderKind) {
    zfmt::MaterialRecord m;
    for (int k = 0; k < 4; ++k) m.diffuse[k] = m.ambient[k] = 1.0f;
    m.emissive[3] = 1.0f;
    m.power = 20.0f;
    m.shaderKind = shaderKind;
    if (!texture.empty()) {
        m.stages[0].type = 1;
        m.stages[0].fileName = texture;
        m.featureFlags = 1;
    }
    return m;
}

const char kTemplates[] =
    "template Mesh {\n <3D82AB44-62DA-11cf-AB39-0020AF71E433>\n DWORD nVertices;\n array Vector vertices[nVertices];\n"
    " DWORD nFaces;\n array MeshFace faces[nFaces];\n [...]\n}\n"
    "template MeshMaterialList {\n <F6F23F42-7686-11cf-8F52-0040333594A3>\n DWORD nMaterials;\n"
    " DWORD nFaceIndexes;\n array DWORD faceIndexes[nFaceIndexes];\n [Material]\n}\n";

std::string MaterialText(const std::string& header, const std::string& body) {
    return "  Material " + header +
           " {\n   1.000000;1.000000;1.000000;1.000000;;\n   20.000000;\n"
           "   0.200000;0.200000;0.200000;;\n   1.000000;1.000000;1.000000;;\n" +
           body + "  }\n";
}

// A normal-mapped plane with custom shading values and a second UV set.
std::string PlaneYsm() {
    const std::string stages =
        "   CustomParam {\n    0;0;\n    0.500000;\n    1.000000;1.000000;1.000000;\n    0.600000;0.000000;\n"
        "    0.500000;0.000000;\n    0;\n    0.000000;\n    0.000000;\n    0;\n    0;\n   }\n"
        "   TextureFilename {\n    \"test01_labelTex.dds\";\n    1;1;\n    0;\n    0;0;\n   }\n"
        "   TextureFilename {\n    \"\";\n    0;1;\n    0;\n    0;0;\n   }\n"
        "   TextureFilename {\n    \"test01_normalTex.dds\";\n    3;1;\n    0;\n    0;0;\n   }\n";
    return std::string("xof 0303txt 0032\n") + kTemplates +
           "Mesh plane {\n 4;\n -1.0;0.0;-1.0;,\n -1.0;0.0;1.0;,\n 1.0;0.0;1.0;,\n 1.0;0.0;-1.0;;\n"
           " 2;\n 3;0,1,2;,\n 3;0,2,3;;\n"
           " MeshNormals {\n  1;\n  0.0;1.0;0.0;;\n  2;\n  3;0,0,0;,\n  3;0,0,0;;\n }\n"
           " MeshTextureCoords {\n  4;\n  0.0;1.0;,\n  0.0;0.0;,\n  1.0;0.0;,\n  1.0;1.0;;\n }\n"
           " MeshTextureCoords2 {\n  4;\n  0.0;0.5;,\n  0.0;0.0;,\n  0.5;0.0;,\n  0.5;0.5;;\n }\n"
           " MeshMaterialList {\n  1;\n  2;\n  0,0;;\n" +
           MaterialText("plane_defaultShader_normalMap", stages) + " }\n}\n";
}

zfmt::Bytes Text(const std::string& s) { return zfmt::Bytes(s.begin(), s.end()); }

// A unit plane facing +Y, both sides, showing an alpha-tested picture.
zfmt::Bytes AlphaPlaneYbm() {
    MeshBuilder b;
    const V3 corners[4] = {{-1, 0, -1}, {-1, 0, 1}, {1, 0, 1}, {1, 0, -1}};
    const float uv[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    b.QuadUv(corners, uv, {0, 1, 0}, 0);
    const V3 under[4] = {corners[3], corners[2], corners[1], corners[0]};
    const float underUv[4][2] = {{1, 0}, {1, 1}, {0, 1}, {0, 0}};
    b.QuadUv(under, underUv, {0, -1, 0}, 0);
    return b.Write({Material("test02_boxTex_ALPHA.dds", 0)});
}

// The common group's shapes after its black cube: a cylinder, a cone, a disc, an arrow plate,
// a dome, a ring and a thin panel, each about one unit across, in the group's panel picture.
zfmt::Bytes CommonPrimitive(int position, const std::string& texture) {
    static const std::uint32_t kTints[7] = {0xFFE0E4EAu, 0xFFFF8A1Eu, 0xFF3CC8FFu, 0xFFFFD24Au,
                                            0xFF8AE05Au, 0xFFE05AB4u, 0xFFB0B8C4u};
    const std::uint32_t tint = kTints[(position - 1) % 7];
    MeshBuilder b;
    const UvRect all;
    switch ((position - 1) % 7) {
        case 0: b.CylinderX(0.5f, 1.0f, 24, all, all, 0, 0, tint); break;
        case 1:
            b.TubeZ(0.5f, 0.0f, -0.5f, 0.5f, 24, all, 0, tint, tint);
            b.DiscZ(0.5f, -0.5f, 24, -1.0f, all, 0, tint);
            break;
        case 2: b.DiscZ(0.5f, 0.0f, 32, 1.0f, all, 0, tint); break;
        case 3:
            b.Plate({{-0.5f, 0, -0.15f},
                     {0.1f, 0, -0.15f},
                     {0.1f, 0, -0.4f},
                     {0.5f, 0, 0},
                     {0.1f, 0, 0.4f},
                     {0.1f, 0, 0.15f},
                     {-0.5f, 0, 0.15f}},
                    0.1f, all, 0, tint);
            break;
        case 4: b.Dome(0.5f, 0.4f, 0.5f, 24, 8, all, 0, tint); break;
        case 5: b.RingZ(0.3f, 0.5f, 0.15f, 32, all, 0, tint); break;
        default: b.Box({-0.5f, -0.05f, -0.35f}, {0.5f, 0.05f, 0.35f}, all, 0, tint); break;
    }
    return b.Write({Material(texture, 0)});
}

zfmt::Bytes ModelBytes(const GroupSpec& g, const std::string& file, int position) {
    // The mini maps come from the circuits' own centre lines; the race display makes the rest of its group.
    if (g.id == kMiniMapGroup) {
        zfmt::Bytes map = MiniMapModel(file);
        if (!map.empty()) return map;
    }
    zfmt::Bytes hud;
    if (HudModelBytes(g.id, position, &hud)) return hud;
    const std::string label = g.textures.empty() ? std::string() : g.textures[0].name;
    if (file == "cube2_with_tex.x") return Text(TestBlockX("test01_labelTex.dds"));
    if (file == "cube_ysm_vertexcolor.ysm") return Text(ReflectiveBlockYsm("test01_labelTex.dds"));
    if (file == "plane_ysm_normalmap.ysm") return Text(PlaneYsm());
    if (file == "plane_with_alphaTex.ybm") return AlphaPlaneYbm();
    if (file == "cube_with_sameTex.ybm")  // two subsets naming one texture
        return BoxYbm(1.0f, 0xFFFFFFFFu, {Material(label, 0), Material(label, 0)});
    if (file == "cube_with_tex.ybm") return BoxYbm(1.0f, 0xFFFFFFFFu, {Material(label, 0), Material(label, 2)});
    if (file == "cmn_cube_black.ybm") return BoxYbm(1.0f, 0xFF000000u, {Material(label, 0), Material(label, 2)});
    return CommonPrimitive(position, label);
}

}  // namespace

void GenModels(Output& out, const Context& ctx) {
    std::vector<GroupSpec> groups = ReadGroups(ctx, out);
    out.Check(groups.size() == 36, "resource groups: 36 groups expected");
    const MachineArt machineArt(ctx, out);
    std::vector<std::string> names{"dummy"};
    std::vector<int> firstSlot;
    std::set<std::string> stems;
    for (size_t i = 0; i < groups.size(); ++i) {
        const GroupSpec& g = groups[i];
        out.Check(g.id == static_cast<int>(i), "resource groups: ids must run 0 to 35 in order");
        firstSlot.push_back(static_cast<int>(names.size()));
        // The course groups' banks are made by their own generators (CourseArt.h).
        const bool courseArt = CourseArtMakesGroup(g.id);
        BankOutput* models = nullptr;
        if (!courseArt) {
            models = &out.AddBank(g.modelBank, DefaultBankKey(g.modelBank), BankDirectory::Paths);
            models->KeepOrder();
            models->ExpectCount(g.count);
        }
        for (int p = 0; p < g.count; ++p) {
            const std::string path = g.folder + "\\model\\" + g.files[p];
            out.Check(stems.insert(Upper(Stem(g.files[p]))).second, "resource groups: stem used twice: " + path);
            out.Check(g.id == 34 || Ext(g.files[p]) == "ybm", "resource groups: only group 34 holds other formats");
            zfmt::Bytes art;
            if (models && machineArt.Model(g.id, static_cast<int>(names.size()), g.textures, art))
                models->Add(path, std::move(art));
            else if (models)
                models->Add(path, ModelBytes(g, g.files[p], p));
            names.push_back(path);
        }
    }
    std::vector<int> counts;
    for (const GroupSpec& g : groups) counts.push_back(g.count);
    machineArt.CheckSlots(out, firstSlot, counts);
    out.Check(names.size() == 1406, "resource groups: 1405 models expected");
    out.Check(groups.size() == 36 && firstSlot[35] + groups[35].count - 1 == 1405,
              "resource groups: the last model of group 35 must be slot 1405");
    if (groups.size() != 36 || names.size() != 1406) return;

    auto& h = out.Header();
    h << "\n#include \"table/yiResourceGroup.h\"\n\nnamespace content {\n\n"
      << "// Model-name table: \"dummy\" then the models of groups 0 to 35 (model ids).\n"
      << "inline constexpr int kModelNameCount = 1406;\n"
      << "extern const char* const kModelNames[1406];\n"
      << "// Resource groups 0 to 35 and the bank file names (model bank, texture bank per group).\n"
      << "extern const yiResourceGroup kResourceGroups[36];\n"
      << "extern const yiResourceGroup* const BankTable[36];\n"
      << "extern const char* const BankFileTable[72];\n"
      << "inline constexpr int kResourceGroupFirstModel[36] = {";
    for (size_t i = 0; i < 36; ++i) h << (i ? ", " : "") << firstSlot[i];
    h << "};\n\n// Resource-group ids.\n";
    for (const GroupSpec& g : groups) h << "inline constexpr int RG_" << g.constant << " = " << g.id << ";\n";
    h << "\n// Model ids (slots of the model-name table).\n";
    for (size_t i = 1; i < names.size(); ++i) {
        const std::string file = names[i].substr(names[i].rfind('\\') + 1);
        h << "inline constexpr int MDL_" << Upper(Stem(file)) << " = " << i << ";\n";
    }
    h << "\n}  // namespace content\n";
    WriteCockpitTables(h, firstSlot);

    auto& c = out.Source();
    c << "\nnamespace content {\n\nconst char* const kModelNames[1406] = {\n";
    for (const std::string& n : names) c << "    " << CppString(n) << ",\n";
    c << "};\n\nconst yiResourceGroup kResourceGroups[36] = {\n";
    for (size_t i = 0; i < 36; ++i)
        c << "    {" << groups[i].id << ", &kModelNames[" << firstSlot[i] << "], " << groups[i].count << ", &"
          << groups[i].modelBank << ", &" << groups[i].textureBank << "},\n";
    c << "};\n\nconst yiResourceGroup* const BankTable[36] = {\n";
    for (size_t i = 0; i < 36; ++i) c << "    &kResourceGroups[" << i << "],\n";
    c << "};\n\nconst char* const BankFileTable[72] = {\n";
    for (const GroupSpec& g : groups)
        c << "    " << CppString("data\\" + g.modelBank + ".dat") << ", "
          << CppString("data\\" + g.textureBank + ".dat") << ",\n";
    c << "};\n\n}  // namespace content\n";
}

}  // namespace contentgen
