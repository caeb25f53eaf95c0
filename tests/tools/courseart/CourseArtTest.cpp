// CourseArtTest.cpp -- the course art against the track it is built from: road on the floor, scenery off it, sky in
// reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "course/CourseBuild.h"
#include "course/CourseMap.h"
#include "course/CourseMesh.h"
#include "course/CourseRoad.h"
#include "course/CourseScenery.h"
#include "course/CourseSight.h"
#include "course/CourseSky.h"
#include "course/CourseSolids.h"
#include "format/BinaryMesh.h"
#include "format/MaterialRecord.h"
#include "platform/image/Image.h"
#include "tools/track/Layout.h"

namespace contentgen {
namespace {

constexpr float kCameraReach = 40000.0f;  // the race camera's far distance

// Where a point lies against the centre line: its arc-wise neighbours, the fraction between them
// and its lateral offset (left positive).
struct Across {
    float distance, lateral, roadY;
};
Across Locate(const track::CentreLine& line, const V3& p) {
    const auto& s = line.Samples();
    const std::size_t n = s.size();
    Across best{1e30f, 0, 0};
    for (std::size_t i = 0; i < n; ++i) {
        const track::Sample& a = s[i];
        const track::Sample& b = s[(i + 1) % n];
        const float dx = b.centre.x - a.centre.x, dz = b.centre.z - a.centre.z;
        const float len2 = dx * dx + dz * dz;
        float t = len2 > 0 ? ((p.x - a.centre.x) * dx + (p.z - a.centre.z) * dz) / len2 : 0;
        t = std::min(1.0f, std::max(0.0f, t));
        const float cx = a.centre.x + dx * t, cz = a.centre.z + dz * t;
        const float d = std::hypot(p.x - cx, p.z - cz);
        if (d >= best.distance) continue;
        const yiVec3 left = a.Left();
        const float l = (p.x - cx) * left.x + (p.z - cz) * left.z;
        const float y = a.At(l).y + (b.At(l).y - a.At(l).y) * t;
        best = {d, l, y};
    }
    return best;
}

// The scenes are costly to build: one per course id, shared by the cases, each with as many near
// parts as the course table draws.
CourseBuild& Scene(int courseId, std::vector<CourseMesh>** parts) {
    static const int kNearSlots[6] = {8, 6, 5, 7, 5, 8};  // course ids 2..7 and their reverses
    static std::map<int, std::pair<std::unique_ptr<CourseBuild>, std::vector<CourseMesh>>> scenes;
    auto& s = scenes[courseId];
    if (!s.first) {
        s.first = std::make_unique<CourseBuild>(courseId, "S_TEST_skyTex.dds");
        s.second = s.first->NearParts(kNearSlots[(courseId - 2) % 6]);
    }
    *parts = &s.second;
    return *s.first;
}

TEST(CourseArt, RoadSurfaceLiesOnTheFloorTheCollisionIsMadeFrom) {
    for (int id : {2, 3, 5, 8, 13}) {
        SCOPED_TRACE(id);
        std::vector<CourseMesh>* parts = nullptr;
        CourseBuild& build = Scene(id, &parts);
        ASSERT_TRUE(build.Error().empty()) << build.Error();
        ASSERT_GE(parts->size(), 5u);
        const track::CentreLine& line = build.Site().Line();
        int off = 0, checked = 0;
        const std::vector<V3> road = (*parts)[0].Positions();
        for (std::size_t i = 0; i < road.size(); i += 7) {
            const Across a = Locate(line, road[i]);
            ++checked;
            // Asphalt, kerbs and verges sit on the floor; painted marks float just above it.
            if (road[i].y < a.roadY - 0.5f || road[i].y > a.roadY + kDecalLift + 0.5f) ++off;
            EXPECT_LE(std::fabs(a.lateral), track::kRoadHalfWidth + track::kKerbWidth + track::kBayWidth + 0.5f);
        }
        EXPECT_GT(checked, 1000);
        EXPECT_EQ(off, 0) << "road vertices off the floor";
    }
}

TEST(CourseArt, SceneryKeepsOffTheRoadWhereMachinesDrive) {
    for (int id = track::kFirstLayoutCourse; id <= track::kLastLayoutCourse; ++id) {
        SCOPED_TRACE(id);
        std::vector<CourseMesh>* parts = nullptr;
        CourseBuild& build = Scene(id, &parts);
        const track::CentreLine& line = build.Site().Line();
        int inTheWay = 0;
        // The ground, the start area and the scenery (the road and barriers are parts 0 and 1).
        for (std::size_t k = 2; k < parts->size(); ++k) {
            const std::vector<V3> points = (*parts)[k].Positions();
            for (std::size_t i = 0; i < points.size(); ++i) {
                // The site's index finds the few points near the road; those are located exactly.
                if (build.Site().NearestRoad(points[i].x, points[i].z, 400.0f).distance > 200.0f) continue;
                const Across a = Locate(line, points[i]);
                if (a.distance < track::kRoadHalfWidth + track::kKerbWidth && points[i].y > a.roadY + 0.5f &&
                    points[i].y < a.roadY + 80.0f)
                    ++inTheWay;
            }
        }
        EXPECT_EQ(inTheWay, 0);
    }
}

// The fixed-path camera (the waiting room's background, the replay's far shots) never stands among trees or
// looks through them: no scenery near any eye's path, nor across the near half of its lines of sight.
TEST(CourseArt, SceneryKeepsOutOfEveryFixedPathCamerasWay) {
    for (int id = track::kFirstLayoutCourse; id <= track::kLastLayoutCourse; ++id) {
        SCOPED_TRACE(id);
        std::vector<CourseMesh>* parts = nullptr;
        Scene(id, &parts);
        const std::vector<ReplayShot> shots = FixedPathShots(id);
        ASSERT_FALSE(shots.empty());
        std::vector<std::pair<V3, V3>> sights;  // eye, then the point half way to the target
        for (const ReplayShot& shot : shots)
            for (float t : {0.0f, 0.5f, 1.0f}) {
                auto at = [t](yiVec3 a, yiVec3 b) {
                    return V3{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
                };
                const V3 eye = at(shot.start.eye, shot.end.eye), target = at(shot.start.target, shot.end.target);
                sights.push_back({eye, eye + (target - eye) * 0.5f});
            }
        int inTheWay = 0;
        // The scenery (not the road, barriers, the start area's stands or the ground, which is last).
        for (std::size_t k = 3; k + 1 < parts->size(); ++k) {
            for (const V3& p : (*parts)[k].Positions())
                for (const auto& [eye, far] : sights) {
                    const V3 d = far - eye;
                    const float t = std::clamp(Dot(p - eye, d) / Dot(d, d), 0.0f, 1.0f);
                    const V3 nearest = eye + d * t;
                    const bool byTheEye =
                        std::hypot(p.x - eye.x, p.z - eye.z) < 200.0f && p.y > eye.y - 150.0f && p.y < eye.y + 100.0f;
                    if (byTheEye || Length(p - nearest) < 60.0f) {
                        ++inTheWay;
                        break;
                    }
                }
        }
        EXPECT_EQ(inTheWay, 0) << "scenery vertices in a fixed-path camera's way";
    }
}

// The start area (the third part) has its boards along the straight, beyond the stands and pits.
TEST(CourseArt, StartAreaBoardsStandAlongTheStraight) {
    for (int id = track::kFirstLayoutCourse; id < track::kFirstLayoutCourse + track::kReverseOffset; ++id) {
        SCOPED_TRACE(id);
        std::vector<CourseMesh>* parts = nullptr;
        const CourseBuild& build = Scene(id, &parts);
        const track::Layout& layout = build.Site().Layout();
        ASSERT_FALSE(layout.gates.empty());
        const yiVec3 goal = layout.line.At(layout.gates[0].arc).centre;
        int far = 0;
        for (const V3& p : (*parts)[2].Positions()) far += std::hypot(p.x - goal.x, p.z - goal.z) > 1100.0f;
        EXPECT_GT(far, 0) << "no boards";
    }
}

// Every replay track and fixed-path shot, sampled as the game moves it, against the finished near
// parts: its eye outside every solid and clear of every surface, nothing between it and the road
// it looks at (course 3's opening track once ran through a leg of the start gantry), and its wide
// views not filled by a roof or wall.
TEST(CourseArt, ReplayAndFixedPathCamerasStandClearAndSeeTheirRoad) {
    for (int id = track::kFirstLayoutCourse; id <= track::kLastLayoutCourse; ++id) {
        std::vector<CourseMesh>* parts = nullptr;
        Scene(id, &parts);
        for (const std::string& fault : CameraFaults(id, *parts)) ADD_FAILURE() << fault;
    }
}

// The solids the cameras are judged against: a closed box and a beam open underneath, over the ground.
TEST(CourseArt, SolidsTellInsideNearAndCrossed) {
    CourseMesh box, beam;
    box.Use(Finish::Lit, Hex(0x808080));
    box.Quad(V3{-500, -1, 500}, V3{500, -1, 500}, V3{500, -1, -500}, V3{-500, -1, -500});  // the ground
    box.Box(Frame{}, 40, 40, 40, Hex(0x808080), true);
    beam.Use(Finish::Lit, Hex(0x808080));
    beam.Box(Frame::Upright(V3{200, 100, 0}, 0), 40, 20, 40, Hex(0x808080));
    const CourseSolids solids({&box, &beam}, {});
    EXPECT_TRUE(solids.Inside(V3{0, 20, 0}));
    EXPECT_TRUE(solids.Inside(V3{200, 110, 0})) << "inside the beam, whose bottom is open";
    EXPECT_FALSE(solids.Inside(V3{200, 60, 0})) << "under the beam, over the ground";
    EXPECT_FALSE(solids.Inside(V3{0, 80, 0}));
    EXPECT_TRUE(solids.Near(V3{0, 44, 0}, 5.0f));
    EXPECT_FALSE(solids.Near(V3{0, 46, 0}, 5.0f));
    EXPECT_TRUE(solids.Crosses(V3{-100, 20, 0}, V3{100, 20, 0}));
    EXPECT_TRUE(solids.Crosses(V3{200, 160, 0}, V3{200, 60, 0}));
    EXPECT_FALSE(solids.Crosses(V3{-100, 60, 0}, V3{300, 60, 0}));
    const CourseSolids::Hit hit = solids.First(V3{0, 20, 0}, V3{1, 0, 0}, 100.0f);
    EXPECT_NEAR(hit.distance, 20.0f, 0.01f);
    EXPECT_TRUE(hit.back);
}

TEST(CourseArt, SkyAndFarRingStayWithinTheCamerasReachAndRoundTheRoad) {
    for (int id : {2, 4, 5, 6}) {
        SCOPED_TRACE(id);
        std::vector<CourseMesh>* parts = nullptr;
        CourseBuild& build = Scene(id, &parts);
        const std::vector<V3> far = build.FarPart().Positions();
        ASSERT_FALSE(far.empty());
        const V3 middle = build.Around().middle;
        for (const track::Sample& s : build.Site().Line().Samples()) {
            const V3 eye{s.centre.x, s.centre.y + 300.0f, s.centre.z};
            float reach = 0;
            for (std::size_t i = 0; i < far.size(); i += 5) reach = std::max(reach, Length(far[i] - eye));
            ASSERT_LT(reach, kCameraReach) << "the far part leaves the camera's reach";
            EXPECT_LT(Length(eye - middle), build.Around().ringRadius * 0.8f) << "the road reaches the far ring";
        }
    }
}

TEST(CourseArt, ModelsFitSixteenBitIndicesAndAFrameBudget) {
    for (int id = track::kFirstLayoutCourse; id <= track::kLastLayoutCourse; ++id) {
        SCOPED_TRACE(id);
        std::vector<CourseMesh>* parts = nullptr;
        CourseBuild& build = Scene(id, &parts);
        ASSERT_FALSE(parts->empty()) << "the scenery does not fit the course's slots";
        std::size_t triangles = build.FarPart().TriangleCount();
        for (const CourseMesh& m : *parts) {
            EXPECT_LE(m.VertexCount(), 65535u);
            EXPECT_FALSE(m.Write(10.0f).empty());
            triangles += m.TriangleCount();
        }
        // What the software rasteriser can draw sixty times a second with room for the machines.
        EXPECT_LT(triangles, 90000u);
        EXPECT_GT(triangles, 20000u);
    }
}

TEST(CourseArt, WrittenModelsKeepTheirScaleAndParse) {
    CourseMesh m;
    m.Use(Finish::Lit, Hex(0x808080));
    m.Quad(V3{0, 0, 0}, V3{100, 0, 0}, V3{100, 0, -100}, V3{0, 0, -100});
    const zfmt::Bytes bytes = m.Write(10.0f, V3{0, -50, 0});
    zfmt::BinaryMesh parsed;
    std::string why;
    ASSERT_TRUE(zfmt::ParseBinaryMesh(bytes.data(), bytes.size(), parsed, &why)) << why;
    ASSERT_EQ(parsed.vertexCount, 4u);
    float p[3];
    std::memcpy(p, &parsed.vertexBytes[56], 12);
    EXPECT_FLOAT_EQ(p[0], 10.0f);
    EXPECT_FLOAT_EQ(p[1], 5.0f);
    // Counter-clockwise seen from above: the normal points up.
    float n[3];
    std::memcpy(n, &parsed.vertexBytes[12], 12);
    EXPECT_FLOAT_EQ(n[1], 1.0f);
    EXPECT_EQ(parsed.indices, (std::vector<uint16_t>{0, 1, 2, 0, 2, 3}));
    EXPECT_TRUE(CourseMesh().Write().empty());
}

// The cube strip must show in each face what the shaders look up there: they turn a world
// direction d into the lookup vector (-d.z, d.y, -d.x).
TEST(CourseArt, SkyCubeFacesShowTheWorldDirectionsTheShadersLookUp) {
    SkyStyle sky;
    sky.zenith = Hex(0xFF0000);
    sky.horizon = Hex(0x00FF00);
    sky.below = Hex(0x0000FF);
    sky.gradientPower = 1.0f;
    sky.cloudCover = 0;
    sky.sun = {1, 0, 0};  // a big sun at world +x
    sky.sunDisc = 0.3f;
    sky.sunGlow = 0;
    sky.sunColour = Hex(0xFFFFFF);
    const zfmt::Bytes png = SkyCubePng(sky, 16);
    platform::image::Image img;
    ASSERT_TRUE(platform::image::DecodeCube(png.data(), png.size(), img, nullptr));
    ASSERT_EQ(img.faces.size(), 6u);
    auto centre = [&](int face) {
        const std::vector<uint8_t>& f = img.faces[static_cast<std::size_t>(face)];
        const std::size_t i = (8 * 16 + 8) * 4;
        return std::array<int, 3>{f[i], f[i + 1], f[i + 2]};
    };
    EXPECT_GT(centre(2)[0], 200);  // +y lookup: straight up, the zenith
    EXPECT_GT(centre(3)[2], 200);  // -y lookup: below
    const auto sun = centre(5);    // -z lookup: world +x, where the sun is
    EXPECT_GT(sun[0] + sun[1] + sun[2], 3 * 230);
    EXPECT_GT(centre(4)[1], 150);  // +z lookup: world -x, the horizon away from the sun
    EXPECT_LT(centre(4)[0], 60);
}

TEST(CourseArt, LightingRampRisesFromItsFloorToFullLightAtTheGroundsLight) {
    float last = 0;
    for (int x = 0; x <= 100; ++x) {
        const float v = GouraudRampLevel(0.45f, 3, 0.6f, x / 100.0f);
        EXPECT_GE(v, last - 1e-6f);
        last = v;
    }
    EXPECT_FLOAT_EQ(GouraudRampLevel(0.45f, 3, 0.6f, 0.0f), 0.45f);
    EXPECT_FLOAT_EQ(GouraudRampLevel(0.45f, 3, 0.6f, 0.6f), 1.0f);
    EXPECT_FLOAT_EQ(GouraudRampLevel(0.45f, 3, 0.6f, 1.0f), 1.0f);
    EXPECT_LT(GouraudRampLevel(0.45f, 3, 0.6f, 0.3f), 0.9f);
}

TEST(CourseArt, ACircuitAndItsReverseShareTheirPlace) {
    for (int id : {3, 6}) {
        SCOPED_TRACE(id);
        std::vector<CourseMesh>* forward = nullptr;
        std::vector<CourseMesh>* reverse = nullptr;
        Scene(id, &forward);
        Scene(id + track::kReverseOffset, &reverse);
        // The ground, the start area and the scenery come out the same (the ground's heights up to
        // rounding: the centre line's segments run the other way).
        ASSERT_EQ(forward->size(), reverse->size());
        for (std::size_t k = 2; k < forward->size(); ++k) {
            const std::vector<V3> a = (*forward)[k].Positions(), b = (*reverse)[k].Positions();
            ASSERT_EQ(a.size(), b.size()) << "part " << k;
            float worst = 0;
            for (std::size_t i = 0; i < a.size(); ++i) worst = std::max(worst, Length(a[i] - b[i]));
            EXPECT_LT(worst, 0.01f) << "part " << k;
        }
    }
}

TEST(CourseArt, MiniMapFollowsTheCircuitAtATenthOfItsSize) {
    const track::Layout& layout = track::AllLayouts()[4];
    const zfmt::Bytes bytes = MiniMapModel("F_BER_layout_obj.ybm");
    zfmt::BinaryMesh map;
    ASSERT_TRUE(zfmt::ParseBinaryMesh(bytes.data(), bytes.size(), map, nullptr));
    ASSERT_GT(map.vertexCount, 100u);
    for (uint32_t i = 0; i < map.vertexCount; i += 11) {
        float p[3];
        std::memcpy(p, &map.vertexBytes[static_cast<size_t>(i) * 56], 12);
        const Across a = Locate(layout.line, V3{p[0] * 10.0f, 0, p[2] * 10.0f});
        EXPECT_LT(a.distance, 530.0f) << "vertex " << i << " strays from the road";
    }
    // The markers point along +z, the player's (turned round by the display) along -z.
    for (const char* file : {"F_CMN_marker_player.ybm", "F_CMN_marker_goal.ybm"}) {
        const zfmt::Bytes m = MiniMapModel(file);
        zfmt::BinaryMesh marker;
        ASSERT_TRUE(zfmt::ParseBinaryMesh(m.data(), m.size(), marker, nullptr)) << file;
        float tip = 0;
        for (uint32_t i = 0; i < marker.vertexCount; ++i) {
            float z;
            std::memcpy(&z, &marker.vertexBytes[static_cast<size_t>(i) * 56 + 8], 4);
            if (std::fabs(z) > std::fabs(tip)) tip = z;
        }
        EXPECT_EQ(tip > 0, std::string(file) == "F_CMN_marker_player.ybm") << file;
    }
    EXPECT_TRUE(MiniMapModel("F_CMN_mirror_mask.ybm").empty());
}

TEST(CourseArt, CubeFaceCopiesFaceTheLightAndSectorsKeepEveryTriangle) {
    CourseMesh m;
    m.Use(Finish::Glow, Hex(0xFF00FF));
    for (int k = 0; k < 8; ++k) {
        const float t = 2 * kPi * (k + 0.5f) / 8;
        const V3 c{std::cos(t) * 100.0f, 0, std::sin(t) * 100.0f};
        m.Tri(c, c + V3{0, 10, 0}, c + V3{5, 0, 5});
    }
    const std::vector<CourseMesh> sectors = m.SplitByAzimuth(V3{}, 4);
    ASSERT_EQ(sectors.size(), 4u);
    for (const CourseMesh& s : sectors) EXPECT_EQ(s.TriangleCount(), 2u);
    const zfmt::Bytes copy = m.CubeFaceCopy(V3{0, 2, 0}).Write();
    zfmt::BinaryMesh parsed;
    ASSERT_TRUE(zfmt::ParseBinaryMesh(copy.data(), copy.size(), parsed, nullptr));
    for (uint32_t i = 0; i < parsed.vertexCount; ++i) {
        float n[3];
        std::memcpy(n, &parsed.vertexBytes[static_cast<size_t>(i) * 56 + 12], 12);
        EXPECT_FLOAT_EQ(n[1], 1.0f);
    }
    // Lit through the per-vertex programs: diffuse light, no glow.
    const zfmt::MaterialRecord mat = zfmt::ReadMaterialRecord(parsed.materialBytes.data());
    EXPECT_FLOAT_EQ(mat.diffuse[0], 1.0f);
    EXPECT_FLOAT_EQ(mat.custom5[0], 0.0f);
}

TEST(CourseArt, PanoramaRunsFromTheZenithToBelowTheHorizon) {
    EXPECT_NEAR(PanoramaDirection(0.3f, 0.0f).y, 1.0f, 1e-5f);
    EXPECT_NEAR(std::asin(PanoramaDirection(0.7f, 1.0f).y), kPanoramaLowest, 1e-4f);
    const V3 east = PanoramaDirection(0.0f, (kPi / 2) / (kPi / 2 - kPanoramaLowest));
    EXPECT_NEAR(east.x, 1.0f, 1e-4f);
    const V3 south = PanoramaDirection(0.25f, (kPi / 2) / (kPi / 2 - kPanoramaLowest));
    EXPECT_NEAR(south.z, 1.0f, 1e-4f);
}

}  // namespace
}  // namespace contentgen
