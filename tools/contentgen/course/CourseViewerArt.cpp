// CourseViewerArt.cpp -- a small scenery yard for the course viewer: its placements table, models and textures.
#include "course/CourseViewerArt.h"

#include <cstdio>

#include "Generators.h"
#include "course/CourseMesh.h"
#include "course/CourseProps.h"
#include "course/CourseSky.h"
#include "format/ExtDbText.h"

namespace contentgen {

namespace {

const char kModelFolder[] = "data/CourseViewer/model/";
const char kTextureFolder[] = "data/CourseViewer/texture/";
const char kCubeMap[] = "S_VWR_cubeMapBg.dds";
const char kRamp[] = "spr_gouraudMapTex_def.dds";

// A flat quad at height y facing up.
void Plate(CourseMesh& m, float x0, float z0, float x1, float z1, float y, Rgb colour) {
    m.QuadFacing(V3{x0, y, z0}, V3{x1, y, z0}, V3{x1, y, z1}, V3{x0, y, z1}, colour, V3{0, 1, 0});
}

// The yard's floor: an asphalt square with a kerb ring, a painted border and a centre cross.
CourseMesh Ground() {
    CourseMesh m;
    m.Use(Finish::Lit, Hex(0x55585E));
    Plate(m, -18, -18, 18, 18, 0.0f, Hex(0x55585E));
    m.Use(Finish::Lit, Hex(0xD8DADE));
    const float a = 16.0f, b = 16.6f, y = 0.03f;
    Plate(m, -b, -b, b, -a, y, Hex(0xD8DADE));
    Plate(m, -b, a, b, b, y, Hex(0xD8DADE));
    Plate(m, -b, -a, -a, a, y, Hex(0xD8DADE));
    Plate(m, a, -a, b, a, y, Hex(0xD8DADE));
    m.Use(Finish::Lit, Hex(0xE8C040));
    Plate(m, -3.0f, -0.2f, 3.0f, 0.2f, y, Hex(0xE8C040));
    Plate(m, -0.2f, -3.0f, 0.2f, 3.0f, y, Hex(0xE8C040));
    // Red and white kerb blocks along the border.
    for (int k = 0; k < 16; ++k) {
        const float t0 = -16.0f + 2.0f * k, t1 = t0 + 2.0f;
        const Rgb c = k % 2 ? Hex(0xD03030) : Hex(0xF0F0F0);
        m.Use(Finish::Lit, c);
        Plate(m, t0, -17.6f, t1, -16.8f, 0.05f, c);
        Plate(m, t0, 16.8f, t1, 17.6f, 0.05f, c);
    }
    return m;
}

CourseMesh HouseModel() {
    CourseMesh m;
    House(m, Frame::Upright(V3{}, 0.0f), 8.0f, 6.0f, 4.5f, Hex(0xE6D6B8), Hex(0xA04030));
    return m;
}

CourseMesh Pines() {
    CourseMesh m;
    CourseRandom rnd(11);
    Pine(m, V3{0, 0, 0}, 9.0f, false, rnd);
    Pine(m, V3{3.5f, 0, 1.5f}, 7.0f, false, rnd);
    Pine(m, V3{-2.5f, 0, 3.0f}, 6.0f, true, rnd);
    LeafTree(m, V3{1.0f, 0, -3.5f}, 6.5f, Hex(0x4E8A3A), rnd);
    return m;
}

CourseMesh Rocks() {
    CourseMesh m;
    CourseRandom rnd(23);
    Rock(m, V3{0, 0, 0}, 1.8f, Hex(0x8A8478), rnd);
    Rock(m, V3{2.2f, 0, 0.8f}, 1.1f, Hex(0x7A766E), rnd);
    Rock(m, V3{-1.4f, 0, 1.9f}, 0.8f, Hex(0x948E82), rnd);
    return m;
}

CourseMesh BalloonModel() {
    CourseMesh m;
    Balloon(m, V3{}, 4.0f, Hex(0xE83A3A), Hex(0xF6D23A));
    return m;
}

CourseMesh BillboardModel() {
    CourseMesh m;
    Billboard(m, Frame::Upright(V3{}, 0.0f), 120.0f, 70.0f, Hex(0x2A6CE0), Hex(0xF0F4F8));
    return m;
}

CourseMesh GrandstandModel() {
    CourseMesh m;
    CourseRandom rnd(37);
    Grandstand(m, Frame::Upright(V3{}, 0.0f), 300.0f, Hex(0xB8BCC4), Hex(0x3A5AC8), Hex(0xE4E6EA), rnd);
    return m;
}

CourseMesh TowerModel() {
    CourseMesh m;
    TvTower(m, V3{}, 380.0f);
    return m;
}

CourseMesh LampsModel() {
    CourseMesh m;
    for (float x : {-60.0f, 60.0f}) Lamp(m, V3{x, 0, 0}, 120.0f, Hex(0xFFE8A0));
    return m;
}

// How each file is made: its mesh and the scale its positions are divided by (the props are drawn
// at world size on a course; here they stand a few units tall).
struct ModelArt {
    const char* file;
    CourseMesh (*make)();
    float scale;
};

const ModelArt kArt[] = {
    {"VWR_ground.ybm", Ground, 1.0f},        {"VWR_house.ybm", HouseModel, 1.0f},
    {"VWR_pines.ybm", Pines, 1.0f},          {"VWR_rocks.ybm", Rocks, 1.0f},
    {"VWR_tower.ybm", TowerModel, 20.0f},    {"VWR_grandstand.ybm", GrandstandModel, 20.0f},
    {"VWR_balloon.ybm", BalloonModel, 1.0f}, {"VWR_billboard.ybm", BillboardModel, 10.0f},
    {"VWR_lamps.ybm", LampsModel, 15.0f},
};

SkyStyle ViewerSky() {
    SkyStyle sky;
    sky.zenith = Hex(0x3C6EB4);
    sky.horizon = Hex(0xB4CCE0);
    sky.below = Hex(0x5A5C60);
    sky.sun = Normalise(V3{0.4f, 0.7f, -0.5f});
    sky.cloudCover = 0.25f;
    sky.seed = 7;
    return sky;
}

std::string RowName(int row, const char* suffix) {
    char name[32];
    std::snprintf(name, sizeof name, "Model%02d%s", row, suffix);
    return name;
}

}  // namespace

const std::vector<CourseViewerPlacement>& CourseViewerPlacements() {
    // A loop of 360 frames: the balloon fades in over the first half, the billboard fades most of
    // the way out over the middle, and the lamps stand only in the second half.
    static const std::vector<CourseViewerPlacement> kRows = {
        {"VWR_ground.ybm", {0, 0, 0}, {0, 0, 0}, -1, -1, 1.0f, 1.0f},
        {"VWR_grandstand.ybm", {-9, 0, 0}, {0, 180, 0}, -1, -1, 1.0f, 1.0f},
        {"VWR_tower.ybm", {-13, 0, 13}, {0, 0, 0}, -1, -1, 1.0f, 1.0f},
        {"VWR_house.ybm", {-4, 0, -12}, {0, 25, 0}, -1, -1, 1.0f, 1.0f},
        {"VWR_pines.ybm", {8, 0, -11}, {0, 0, 0}, -1, -1, 1.0f, 1.0f},
        {"VWR_rocks.ybm", {7, 0, 11}, {0, 40, 0}, -1, -1, 1.0f, 1.0f},
        {"VWR_balloon.ybm", {2, 9, -3}, {0, 0, 0}, 0, 179, 0.0f, 1.0f},
        {"VWR_billboard.ybm", {-1, 0, 14}, {0, 200, 0}, 120, 299, 1.0f, 0.2f},
        {"VWR_lamps.ybm", {3, 0, 5}, {0, 0, 0}, 180, 359, 1.0f, 1.0f},
    };
    return kRows;
}

std::string CourseViewerTableText(Output& out) {
    zfmt::ExtDbWriter t;
    const std::vector<CourseViewerPlacement>& rows = CourseViewerPlacements();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CourseViewerPlacement& p = rows[i];
        const int row = static_cast<int>(i);
        t.String(RowName(row, ""), "PX", "Pos", p.file);
        const std::string pos = RowName(row, "Pos");
        const char* const axes[3][2] = {{"PX", "RX"}, {"PY", "RY"}, {"PZ", "RZ"}};
        for (int k = 0; k < 3; ++k) t.Float(pos, axes[k][0], "Pos", p.position[k]);
        for (int k = 0; k < 3; ++k) t.Float(pos, axes[k][1], "Pos", p.rotation[k]);
        t.Int(pos, "AnimBegin", "Pos", p.animBegin);
        t.Int(pos, "AnimEnd", "Pos", p.animEnd);
        t.Float(pos, "AlphaBegin", "Pos", p.alphaBegin);
        t.Float(pos, "AlphaEnd", "Pos", p.alphaEnd);
    }
    out.Check(rows.size() <= 51, "course viewer: at most 51 placements");
    out.Check(t.Error().empty(), "course viewer table: " + t.Error());
    return t.Text();
}

void GenCourseViewer(Output& out, const Context&) {
    for (const ModelArt& art : kArt) {
        zfmt::Bytes bytes = art.make().Write(art.scale);
        out.Check(!bytes.empty(), std::string("course viewer: ") + art.file + " is empty or too large");
        out.AddLooseFile(std::string(kModelFolder) + art.file, std::move(bytes));
    }
    for (const CourseViewerPlacement& p : CourseViewerPlacements()) {
        bool made = false;
        for (const ModelArt& art : kArt) made |= p.file == art.file;
        out.Check(made, "course viewer: no model for " + p.file);
    }
    out.AddLooseFile(std::string(kTextureFolder) + kCubeMap, SkyCube(ViewerSky(), 64).Png());
    out.AddLooseFile(std::string(kTextureFolder) + kRamp, GouraudRamp(0.45f, 3, 0.9f).Png());
}

}  // namespace contentgen
