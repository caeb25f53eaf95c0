// TestArt.cpp -- painters and the mesh of the test screens' content.
#include "menu/TestArt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace contentgen {

namespace {

constexpr std::uint32_t kInk = 0xFFF4F6FAu;
constexpr std::uint32_t kOutline = 0xE0101018u;
constexpr std::uint32_t kDark = 0xF0141A24u;

// A tile of one colour with a pattern chosen by its number, a corner mark that
// shows which way up it is drawn and its number in large type.
bool PaintTestCell(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t colour = ParseColour(s.param, 0xFF3A7CC0u);
    const int w = c.width, h = c.height;
    Panel(c, 0, 0, w, h, Mix(colour, 0xFF000000u, 0.35f), 0xFFFFFFFFu, 2, w * 0.12f);
    int number = 0;
    for (char ch : s.caption)
        if (ch >= '0' && ch <= '9') number = number * 10 + (ch - '0');
    const std::uint32_t light = Mix(colour, 0xFFFFFFFFu, 0.35f);
    const int inset = std::max(4, w / 12);
    for (int y = inset; y < h - inset; ++y)
        for (int x = inset; x < w - inset; ++x) {
            const int u = x - inset, v = y - inset;
            bool on = false;
            switch (number % 4) {
                case 0: on = (u / 8 + v / 8) % 2 == 0; break;                                     // checker
                case 1: on = (u + v) % 12 < 5; break;                                             // diagonal stripes
                case 2: on = u % 10 < 2 || v % 10 < 2; break;                                     // grid
                default: on = static_cast<int>(std::hypot(x - w / 2.0f, y - h / 2.0f)) % 10 < 4;  // rings
            }
            if (on) c.Blend(x, y, light, 0.55f);
        }
    // The top-left corner mark: a white triangle.
    for (int y = 0; y < h / 4; ++y)
        for (int x = 0; x < w / 4 - y; ++x) c.Blend(inset / 2 + x, inset / 2 + y, 0xFFFFFFFFu, 0.9f);
    return DrawCaption(c, s.caption, w / 2, h / 2 + 2, CaptionHeight(h, 0.5f, 64), 1, kInk, kOutline, 3, w - 8);
}

// A round test card: rings, crosshair, eight colour bars and a title.
bool PaintTestCardSprite(const SpriteStyle& s, SpriteCanvas& c) {
    const std::uint32_t accent = ParseColour(s.param, 0xFFFF9A28u);
    const float cx = c.width / 2.0f, cy = c.height / 2.0f, r = std::min(cx, cy) - 1.0f;
    static const std::uint32_t kBars[8] = {0xFFF0F0F0u, 0xFFF0E030u, 0xFF30D8E8u, 0xFF38C850u,
                                           0xFFD040C8u, 0xFFE03830u, 0xFF3050E0u, 0xFF202020u};
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float fx = x + 0.5f, fy = y + 0.5f;
            const float d = std::hypot(fx - cx, fy - cy);
            const float inside = std::clamp(r - d + 0.5f, 0.0f, 1.0f);
            if (inside <= 0.0f) continue;
            std::uint32_t colour = kDark;
            const float band = (fy - cy) / r;
            if (band > -0.22f && band < 0.22f)
                colour = kBars[std::clamp(static_cast<int>((fx - (cx - r)) / (2 * r) * 8), 0, 7)];
            else if ((static_cast<int>(fx) / 8 + static_cast<int>(fy) / 8) % 2 == 0)
                colour = 0xF0222A38u;
            c.Blend(x, y, colour, inside);
            // Rings at two thirds and at the rim.
            const float ring = std::min(std::fabs(d - r * 0.66f), std::fabs(d - (r - 2.0f)));
            if (ring < 1.5f) c.Blend(x, y, accent, 1.5f - ring);
            // The crosshair outside the bars.
            if ((std::fabs(fx - cx) < 1.0f || std::fabs(fy - cy) < 1.0f) && std::fabs(band) >= 0.22f)
                c.Blend(x, y, 0xFFFFFFFFu, 0.9f);
        }
    const int text = CaptionHeight(c.height, 0.16f, 28);
    return DrawCaption(c, s.caption, c.width / 2, static_cast<int>(cy - r * 0.5f), text, 1, kInk, kOutline, 2,
                       c.width * 2 / 3) &&
           DrawCaption(c, "1 2 8", c.width / 2, static_cast<int>(cy + r * 0.5f), text, 1, accent, kOutline, 2,
                       c.width * 2 / 3);
}

// ---- the test block -----------------------------------------------------------------

struct Vec {
    float x, y, z;
};
Vec Add(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec Sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec Scale(Vec a, float k) { return {a.x * k, a.y * k, a.z * k}; }
Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Unit(Vec a) { return Scale(a, 1.0f / std::sqrt(Dot(a, a))); }
Vec Axis(int k, float s) { return {k == 0 ? s : 0.0f, k == 1 ? s : 0.0f, k == 2 ? s : 0.0f}; }

struct Triangle {
    Vec p[3];
    float uv[3][2];
    Vec normal;
    int material;
};

// Adds a flat polygon (a triangle or a quad, split in two) facing `normal`.
void AddFlat(std::vector<Triangle>& out, const std::vector<Vec>& corners, const std::vector<std::array<float, 2>>& uv,
             Vec normal, int material) {
    for (size_t k = 1; k + 1 < corners.size(); ++k) {
        Triangle t;
        const size_t idx[3] = {0, k, k + 1};
        for (int i = 0; i < 3; ++i) {
            t.p[i] = corners[idx[i]];
            t.uv[i][0] = uv[idx[i]][0];
            t.uv[i][1] = uv[idx[i]][1];
        }
        // Outward faces turn so that (p1 - p0) x (p2 - p0) points along the normal.
        if (Dot(Cross(Sub(t.p[1], t.p[0]), Sub(t.p[2], t.p[0])), normal) < 0) {
            std::swap(t.p[1], t.p[2]);
            std::swap(t.uv[1], t.uv[2]);
        }
        t.normal = normal;
        t.material = material;
        out.push_back(t);
    }
}

std::vector<Triangle> BlockTriangles(float chamfer) {
    const float in = 1.0f - chamfer;
    std::vector<Triangle> out;
    // The six faces: the picture spans each one, upright on the sides.
    for (int a = 0; a < 3; ++a)
        for (float s : {-1.0f, 1.0f}) {
            const Vec n = Axis(a, s);
            const Vec right = a == 1 ? Vec{1, 0, 0} : Cross(Scale(n, -1.0f), Vec{0, 1, 0});
            const Vec down = a == 1 ? Vec{0, 0, s} : Vec{0, -1, 0};
            std::vector<Vec> q;
            std::vector<std::array<float, 2>> uv;
            for (auto [su, sv] : {std::pair{-1.0f, -1.0f}, {1.0f, -1.0f}, {1.0f, 1.0f}, {-1.0f, 1.0f}}) {
                q.push_back(Add(n, Add(Scale(right, su * in), Scale(down, sv * in))));
                uv.push_back({(su + 1) * 0.5f, (sv + 1) * 0.5f});
            }
            AddFlat(out, q, uv, n, 0);
        }
    // The twelve edge chamfers.
    for (int a = 0; a < 3; ++a) {
        const int b = (a + 1) % 3, k = (a + 2) % 3;
        for (float sa : {-1.0f, 1.0f})
            for (float sb : {-1.0f, 1.0f}) {
                const Vec onA = Add(Axis(a, sa), Axis(b, sb * in)), onB = Add(Axis(a, sa * in), Axis(b, sb));
                const std::vector<Vec> q = {Add(onA, Axis(k, -in)), Add(onA, Axis(k, in)), Add(onB, Axis(k, in)),
                                            Add(onB, Axis(k, -in))};
                AddFlat(out, q, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, Unit(Add(Axis(a, sa), Axis(b, sb))), 1);
            }
    }
    // The eight corners.
    for (float sx : {-1.0f, 1.0f})
        for (float sy : {-1.0f, 1.0f})
            for (float sz : {-1.0f, 1.0f}) {
                const std::vector<Vec> t = {{sx, sy * in, sz * in}, {sx * in, sy, sz * in}, {sx * in, sy * in, sz}};
                AddFlat(out, t, {{0, 0}, {1, 0}, {0, 1}}, Unit({sx, sy, sz}), 1);
            }
    return out;
}

std::string Num(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6f", static_cast<double>(v));
    return buf;
}

// A material of the plain text mesh: face colour, power, specular and emissive colours, at most one picture.
std::string PlainMaterial(const std::string& name, float face, float emissive, const std::string& texture) {
    const std::string c = Num(face) + ";" + Num(face) + ";" + Num(face * 1.03f) + ";1.000000;;\n";
    const std::string e = Num(emissive) + ";" + Num(emissive) + ";" + Num(emissive) + ";;\n";
    std::string m = "  Material " + name + " {\n   " + c + "   24.000000;\n   0.500000;0.500000;0.500000;;\n   " + e;
    if (!texture.empty()) m += "   TextureFilename {\n    \"" + texture + "\";\n   }\n";
    return m + "  }\n";
}

// A material of our text mesh: ambient and diffuse grey, the shading values (specular
// strength, reflection) and at most one picture.
std::string ShadedMaterial(const std::string& name, float grey, float specular, float reflection,
                           const std::string& texture) {
    const std::string g = Num(grey) + ";" + Num(grey) + ";" + Num(grey * 1.04f) + ";1.000000;;\n";
    std::string m = "  Material " + name + " {\n   " + g + "   24.000000;\n   0.400000;0.400000;0.400000;;\n   " + g;
    m += "   CustomParam {\n    0;0;\n    0.500000;\n    1.000000;1.000000;1.000000;\n    0.600000;0.000000;\n";
    m += "    0.000000;0.600000;\n    0;\n    " + Num(specular) + ";\n    " + Num(reflection) + ";\n    0;\n    0;\n";
    m += "   }\n";
    if (!texture.empty()) m += "   TextureFilename {\n    \"" + texture + "\";\n    1;1;\n    0;\n    0;0;\n   }\n";
    return m + "  }\n";
}

const char kTemplates[] =
    "template Mesh {\n <3D82AB44-62DA-11cf-AB39-0020AF71E433>\n DWORD nVertices;\n"
    " array Vector vertices[nVertices];\n DWORD nFaces;\n array MeshFace faces[nFaces];\n [...]\n}\n"
    "template MeshMaterialList {\n <F6F23F42-7686-11cf-8F52-0040333594A3>\n DWORD nMaterials;\n"
    " DWORD nFaceIndexes;\n array DWORD faceIndexes[nFaceIndexes];\n [Material]\n}\n";

// The block's text mesh: inside a root frame or bare, with vertex colours (the RGB cube's
// colour at each corner) or without, and the text of its two materials.
std::string BlockMesh(bool frame, bool colours, const std::string& materialText) {
    const std::vector<Triangle> tris = BlockTriangles(0.22f);
    const size_t n = tris.size();
    auto end = [&](size_t i, int k) { return i + 1 == n && k == 2; };
    std::string vertices, normals, uvs, vertexColours, faces, faceNormals, materials;
    for (size_t i = 0; i < n; ++i) {
        const Triangle& t = tris[i];
        for (int k = 0; k < 3; ++k) {
            const Vec& p = t.p[k];
            vertices += " " + Num(p.x) + ";" + Num(p.y) + ";" + Num(p.z) + (end(i, k) ? ";;\n" : ";,\n");
            normals +=
                "   " + Num(t.normal.x) + ";" + Num(t.normal.y) + ";" + Num(t.normal.z) + (end(i, k) ? ";;\n" : ";,\n");
            uvs += "   " + Num(t.uv[k][0]) + ";" + Num(t.uv[k][1]) + (end(i, k) ? ";;\n" : ";,\n");
            vertexColours += "  " + std::to_string(3 * i + k) + ";" + Num((p.x + 1) * 0.5f) + ";" +
                             Num((p.y + 1) * 0.5f) + ";" + Num((p.z + 1) * 0.5f) + ";1.0;;" +
                             (end(i, k) ? ";\n" : ",\n");
        }
        const std::string f = "3;" + std::to_string(3 * i) + "," + std::to_string(3 * i + 1) + "," +
                              std::to_string(3 * i + 2) + (i + 1 == n ? ";;\n" : ";,\n");
        faces += " " + f;
        faceNormals += "   " + f;
        materials += std::to_string(t.material) + (i + 1 == n ? ";;\n" : ",");
    }
    const std::string count = std::to_string(3 * n) + ";\n";
    std::string x = std::string("xof 0303txt 0032\n") + kTemplates;
    if (frame)
        x += "Frame Root {\n FrameTransformMatrix {\n  "
             "1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;\n }\n";
    x += "Mesh test_block {\n " + count + vertices + " " + std::to_string(n) + ";\n" + faces;
    x += " MeshNormals {\n   " + count + normals + "   " + std::to_string(n) + ";\n" + faceNormals + " }\n";
    x += " MeshTextureCoords {\n   " + count + uvs + " }\n";
    if (colours) x += " MeshVertexColors {\n  " + count + vertexColours + " }\n";
    x += " MeshMaterialList {\n  2;\n  " + std::to_string(n) + ";\n  " + materials + materialText + " }\n}\n";
    if (frame) x += "}\n";
    return x;
}

}  // namespace

bool IsTestStyle(const std::string& style) { return style == "testcell" || style == "testcard"; }

bool PaintTestSprite(const SpriteStyle& s, SpriteCanvas& c) {
    if (s.style == "testcell") return PaintTestCell(s, c);
    return PaintTestCardSprite(s, c);
}

void PaintTestCard(art::Canvas& c) {
    using art::Rgb;
    const int w = c.Width(), h = c.Height();
    const int cells = 8;
    c.Paint([&](int x, int y, float, float) {
        const int cx = x * cells / w, cy = y * cells / h;
        return (cx + cy) % 2 ? Rgb(0x2A3242) : Rgb(0x1C222E);
    });
    // Grid lines, brighter every second one.
    for (int i = 0; i <= cells; ++i) {
        const int x = std::min(w - 1, i * w / cells), y = std::min(h - 1, i * h / cells);
        const art::Colour line = i % 2 ? Rgb(0x5A6A84) : Rgb(0xA8B8D0);
        c.Rect(x, 0, x + 1, h, line);
        c.Rect(0, y, w, y + 1, line);
    }
    // Corner colours: red top-left, green top-right, blue bottom-left, yellow bottom-right.
    const float q = w * 0.3f;
    c.Triangle(0, 0, q, 0, 0, q, Rgb(0xE03830));
    c.Triangle(w, 0, w, q, w - q, 0, Rgb(0x38C850));
    c.Triangle(0, h, 0, h - q, q, h, Rgb(0x3050E0));
    c.Triangle(w, h, w - q, h, w, h - q, Rgb(0xF0D030));
    // The centre: an accent ring, a crosshair and the digits "34" of the test group.
    c.Ring(w * 0.5f, h * 0.5f, w * 0.22f, w * 0.27f, Rgb(0xFF9A28));
    c.Line(w * 0.5f, h * 0.18f, w * 0.5f, h * 0.82f, 1.5f, Rgb(0xF4F6FA));
    c.Line(w * 0.18f, h * 0.5f, w * 0.82f, h * 0.5f, 1.5f, Rgb(0xF4F6FA));
    c.Rect(static_cast<int>(w * 0.36f), static_cast<int>(h * 0.38f), static_cast<int>(w * 0.64f),
           static_cast<int>(h * 0.62f), Rgb(0x10141C));
    c.Digit(3, w * 0.38f, h * 0.40f, w * 0.11f, h * 0.20f, 2.0f, Rgb(0xF4F6FA));
    c.Digit(4, w * 0.51f, h * 0.40f, w * 0.11f, h * 0.20f, 2.0f, Rgb(0xF4F6FA));
}

std::string TestBlockX(const std::string& faceTexture) {
    return BlockMesh(
        true, false,
        PlainMaterial("block_face", 1.0f, 0.15f, faceTexture) + PlainMaterial("block_edge", 0.8f, 0.1f, ""));
}

std::string ReflectiveBlockYsm(const std::string& faceTexture) {
    return BlockMesh(
        false, true,
        ShadedMaterial("block_face_defaultShader_imageMap_vertexColor_reflectMap", 1.0f, 0.6f, 0.22f, faceTexture) +
            ShadedMaterial("block_chrome_defaultShader_vertexColor_reflectMap", 0.9f, 1.0f, 0.8f, ""));
}

}  // namespace contentgen
