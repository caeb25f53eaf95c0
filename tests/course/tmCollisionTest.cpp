// Collision set: segment crossing, floor search, walls, bodies, sections and malformed entries.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cmath>

#include "course/tmCollision.h"
#include "format/CollisionFile.h"
#include "tests/sys/data/BankFixture.h"

namespace {

using V = D3DXVECTOR3;

zfmt::FloorPolygon Flat(std::initializer_list<std::pair<float, float>> xz, float height, std::uint32_t attribute) {
    zfmt::FloorPolygon p;
    p.vertexCount = static_cast<std::uint16_t>(xz.size());
    int i = 0;
    for (auto [x, z] : xz) {
        p.x[i] = x;
        p.z[i] = z;
        ++i;
    }
    p.plane[1] = 1.0f;
    p.plane[3] = -height;
    p.normal = {0.0f, 1.0f, 0.0f};
    p.attribute = attribute;
    return p;
}

zfmt::FloorCell Cell(std::uint32_t first, std::uint32_t count, float x0, float z0, float x1, float z1) {
    zfmt::FloorCell c;
    c.firstPolygon = first;
    c.polygonCount = count;
    c.minX = x0;
    c.minZ = z0;
    c.maxX = x1;
    c.maxZ = z1;
    return c;
}

void LoadFloor(tmCollision& c, const zfmt::FloorFile& f) {
    const zfmt::Bytes b = zfmt::WriteFloorFile(f);
    ASSERT_TRUE(c.LoadFloorBytes(b.data(), b.size()));
}

// A route of `n` gates across x = 10 * s, from z = -10 (A) to z = 10 (B).
zfmt::RouteFile Ladder(int n, std::initializer_list<int> checkpoints) {
    zfmt::RouteFile r;
    r.special[zfmt::kRouteGoalEntry].section = 0;
    for (int s : checkpoints) r.checkpoints[r.checkpointCount++].section = s;
    for (int s = 0; s < n; ++s) {
        zfmt::RouteSectionRecord g;
        g.a = {10.0f * s, 0.0f, -10.0f};
        g.b = {10.0f * s, 0.0f, 10.0f};
        r.sections.push_back(g);
    }
    return r;
}

void LoadRoute(tmCollision& c, const zfmt::RouteFile& r) {
    const zfmt::Bytes b = zfmt::WriteRouteFile(r);
    ASSERT_TRUE(c.LoadRouteBytes(b.data(), b.size()));
}

}  // namespace

TEST(tmCollision, SegmentsCrossIncludesEndsAndRejectsNearParallel) {
    V hit;
    // Plain crossing: the point is on the step at the step's starting height.
    ASSERT_TRUE(tmCollision::SegmentsCross(V(0, 7, -5), V(0, 9, 5), V(-5, 0, 2), V(5, 0, 2), &hit));
    EXPECT_FLOAT_EQ(hit.x, 0.0f);
    EXPECT_FLOAT_EQ(hit.y, 7.0f);
    EXPECT_FLOAT_EQ(hit.z, 2.0f);
    // Touching exactly with either end of the step (t = 0 or 1) or of the segment (u = 0 or 1).
    EXPECT_TRUE(tmCollision::SegmentsCross(V(0, 0, 2), V(0, 0, 5), V(-5, 0, 2), V(5, 0, 2), nullptr));
    EXPECT_TRUE(tmCollision::SegmentsCross(V(0, 0, -5), V(0, 0, 2), V(-5, 0, 2), V(5, 0, 2), nullptr));
    EXPECT_TRUE(tmCollision::SegmentsCross(V(5, 0, -5), V(5, 0, 5), V(-5, 0, 2), V(5, 0, 2), nullptr));
    EXPECT_TRUE(tmCollision::SegmentsCross(V(-5, 0, -5), V(-5, 0, 5), V(-5, 0, 2), V(5, 0, 2), nullptr));
    // Just short of the segment.
    EXPECT_FALSE(tmCollision::SegmentsCross(V(0, 0, -5), V(0, 0, 1.99f), V(-5, 0, 2), V(5, 0, 2), nullptr));
    EXPECT_FALSE(tmCollision::SegmentsCross(V(5.01f, 0, -5), V(5.01f, 0, 5), V(-5, 0, 2), V(5, 0, 2), nullptr));
    // Parallel and overlapping, or nearly parallel: never a crossing.
    EXPECT_FALSE(tmCollision::SegmentsCross(V(-3, 0, 2), V(3, 0, 2), V(-5, 0, 2), V(5, 0, 2), nullptr));
    EXPECT_FALSE(tmCollision::SegmentsCross(V(-0.001f, 0, 0), V(0.001f, 0, 0.00000001f), V(-5, 0, 0.000000005f),
                                            V(5, 0, 0.000000005f), nullptr));
    // Y plays no part.
    EXPECT_TRUE(tmCollision::SegmentsCross(V(0, -100, -5), V(0, 100, 5), V(-5, 50, 0), V(5, -50, 0), nullptr));
}

TEST(tmCollision, InsideTestWindingEdgesAndCorners) {
    tmCollision::Polygon tri{};
    tri.vertexCount = 3;
    const float tx[3] = {0, 0, 1}, tz[3] = {0, 1, 0};
    for (int i = 0; i < 3; ++i) {
        tri.x[i] = tx[i];
        tri.z[i] = tz[i];
    }
    EXPECT_TRUE(tmCollision::PolygonContains(tri, 0.2f, 0.2f));
    EXPECT_TRUE(tmCollision::PolygonContains(tri, 0.0f, 0.0f));  // a corner
    EXPECT_TRUE(tmCollision::PolygonContains(tri, 0.0f, 0.5f));  // an edge
    EXPECT_TRUE(tmCollision::PolygonContains(tri, 0.5f, 0.0f));
    EXPECT_FALSE(tmCollision::PolygonContains(tri, 0.6f, 0.6f));
    EXPECT_FALSE(tmCollision::PolygonContains(tri, -0.1f, 0.5f));
    // The opposite winding holds nothing.
    std::swap(tri.x[1], tri.x[2]);
    std::swap(tri.z[1], tri.z[2]);
    EXPECT_FALSE(tmCollision::PolygonContains(tri, 0.2f, 0.2f));

    tmCollision::Polygon quad{};
    quad.vertexCount = 4;
    const float qx[4] = {0, 0, 2, 2}, qz[4] = {0, 1, 1, 0};
    for (int i = 0; i < 4; ++i) {
        quad.x[i] = qx[i];
        quad.z[i] = qz[i];
    }
    EXPECT_TRUE(tmCollision::PolygonContains(quad, 1.9f, 0.9f));
    EXPECT_TRUE(tmCollision::PolygonContains(quad, 2.0f, 1.0f));
    EXPECT_FALSE(tmCollision::PolygonContains(quad, 2.1f, 0.5f));
    EXPECT_FALSE(tmCollision::PolygonContains(quad, 1.0f, 1.1f));
}

TEST(tmCollision, FloorSearchOrderNearFlatPlaneAndMisses) {
    tmCollision c;
    zfmt::FloorFile f;
    // Cell 0 covers 0..10 with a polygon at height 5 whose plane is near-vertical (b tiny), then one
    // at height 7; cell 1 overlaps it at height 3; cell 2 at height 9 overlaps cell 1 only.
    zfmt::FloorPolygon steep = Flat({{0, 0}, {0, 10}, {10, 10}, {10, 0}}, 5.0f, 0);
    steep.plane[1] = 0.000009f;
    f.polygons.push_back(steep);
    f.polygons.push_back(Flat({{0, 0}, {0, 10}, {10, 10}, {10, 0}}, 7.0f, 1));
    f.polygons.push_back(Flat({{0, 0}, {0, 20}, {20, 20}, {20, 0}}, 3.0f, 2));
    f.polygons.push_back(Flat({{0, 0}, {0, 20}, {20, 20}, {20, 0}}, 9.0f, 5));
    f.cells.push_back(Cell(0, 2, 0, 0, 10, 10));
    f.cells.push_back(Cell(2, 1, 0, 0, 20, 20));
    f.cells.push_back(Cell(3, 1, 0, 0, 20, 20));
    LoadFloor(c, f);

    float h = -1;
    V n(0, 0, 0);
    std::uint32_t a = 99;
    // The near-flat b in cell 0's first containing polygon skips cell 0 entirely (its second
    // polygon at height 7 is not tried): cell 1 decides.
    ASSERT_TRUE(c.GetFloor(V(5, 100, 5), &h, &n, &a));
    EXPECT_FLOAT_EQ(h, 3.0f);
    EXPECT_EQ(a, 3u);  // stored 2, reported + 1
    EXPECT_FLOAT_EQ(n.y, 1.0f);
    // On the border of cell 0 and an edge of its polygons: counted inside (then skipped as above).
    ASSERT_TRUE(c.GetFloor(V(10, 0, 10), &h, &n, &a));
    EXPECT_FLOAT_EQ(h, 3.0f);
    // Outside every cell: false, outputs untouched.
    h = -1;
    n = V(4, 4, 4);
    a = 99;
    EXPECT_FALSE(c.GetFloor(V(25, 0, 5), &h, &n, &a));
    EXPECT_EQ(h, -1.0f);
    EXPECT_EQ(n, V(4, 4, 4));
    EXPECT_EQ(a, 99u);
}

TEST(tmCollision, FloorHeightFollowsASlopedPlane) {
    tmCollision c;
    zfmt::FloorFile f;
    // y = 0.1 x + 2: -0.1 x + y - 2 = 0, scaled by 2 to show only the ratio matters.
    zfmt::FloorPolygon p = Flat({{0, 0}, {0, 10}, {10, 0}}, 0.0f, 0);
    p.plane[0] = -0.2f;
    p.plane[1] = 2.0f;
    p.plane[3] = -4.0f;
    f.polygons.push_back(p);
    f.cells.push_back(Cell(0, 1, 0, 0, 10, 10));
    LoadFloor(c, f);
    float h = 0;
    ASSERT_TRUE(c.GetFloor(V(3, 0, 1), &h, nullptr, nullptr));
    EXPECT_NEAR(h, 2.3f, 1e-5f);
    EXPECT_FALSE(c.GetFloor(V(8, 0, 8), &h, nullptr, nullptr));  // in the cell, outside the triangle
}

TEST(tmCollision, WallsReportTheFirstCrossedInFileOrder) {
    tmCollision c;
    std::vector<zfmt::WallRecord> walls(3);
    walls[0] = {{-5, 0, 20}, {5, 0, 20}, {0, 0, -1}};
    walls[1] = {{-5, 0, 10}, {5, 0, 10}, {0, 0, -0.5f}};
    walls[2] = {{-5, 0, 5}, {5, 0, 5}, {1, 0, 0}};
    const zfmt::Bytes b = zfmt::WriteWallFile(walls);
    ASSERT_TRUE(c.LoadWallBytes(b.data(), b.size()));
    V hit, vec;
    // The step crosses walls 1 and 2; wall 1 comes first in the file.
    ASSERT_TRUE(c.HitWall(V(0, 3, 0), V(0, 3, 15), &hit, &vec));
    EXPECT_FLOAT_EQ(hit.z, 10.0f);
    EXPECT_FLOAT_EQ(hit.y, 3.0f);
    EXPECT_EQ(vec, V(0, 0, -0.5f));
    // Parallel to and over a wall: no hit.
    EXPECT_FALSE(c.HitWall(V(-3, 0, 5), V(3, 0, 5), &hit, &vec));
    EXPECT_FALSE(c.HitWall(V(0, 0, 0), V(0, 0, 4), &hit, &vec));
}

// Every wall of a hostile file spans the whole extent, so a grid would enter each into all 65,536
// buckets: 5,000 walls needed 1.5 GB, and 66,000 overflowed the 32-bit offsets. Such a list is
// scanned instead, loads in bounded memory and still answers.
TEST(tmCollision, WallsSpanningTheWholeGridLoadInBoundedMemory) {
    for (const std::size_t count : {std::size_t{5000}, std::size_t{66000}}) {
        std::vector<zfmt::WallRecord> walls(count, zfmt::WallRecord{{0, 0, 0}, {100000, 0, 100000}, {1, 0, 0}});
        const zfmt::Bytes b = zfmt::WriteWallFile(walls);
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        tmCollision c;
        ASSERT_TRUE(c.LoadWallBytes(b.data(), b.size()));
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 256 * 1024) << count << " walls";  // kilobytes
        V hit, vec;
        EXPECT_TRUE(c.HitWall(V(10, 0, 0), V(0, 0, 10), &hit, &vec));
        EXPECT_FLOAT_EQ(hit.x, 5.0f);
    }
}

TEST(tmCollision, BodyHitsNeedShortStepsAndGiveTheSeparation) {
    tmCollision c;  // needs no data
    tmCollisionBox box{{V(-10, 0, 20), V(10, 0, 20), V(10, 0, -20), V(-10, 0, -20)}, V(0, 0, 0)};
    V hit, dir;
    ASSERT_TRUE(c.HitBox(V(-30, 0, 5), V(-5, 0, 5), box, &hit, &dir));
    EXPECT_FLOAT_EQ(hit.x, -10.0f);  // the left edge (corner 3 to corner 0)
    EXPECT_NEAR(std::sqrt(dir.x * dir.x + dir.z * dir.z), 1.0f, 1e-6f);
    EXPECT_LT(dir.x, 0.0f);
    // A step of exactly 60 units never hits, even across the body.
    EXPECT_FALSE(c.HitBox(V(-40, 0, 0), V(20, 0, 0), box, &hit, &dir));
    EXPECT_TRUE(c.HitBox(V(-40, 0, 0), V(19.9f, 0, 0), box, &hit, &dir));
    // Starting almost on the other's position: the direction is handed back unnormalized.
    tmCollisionBox tiny{{V(-1, 0, 1), V(1, 0, 1), V(1, 0, -1), V(-1, 0, -1)}, V(0, 0, 0)};
    ASSERT_TRUE(c.HitBox(V(0.05f, 0, 0), V(0.05f, 0, 3), tiny, &hit, &dir));
    EXPECT_FLOAT_EQ(dir.x, 0.05f);
}

TEST(tmCollision, SectionsCheckpointsAndGateDistance) {
    tmCollision c;
    LoadRoute(c, Ladder(10, {0, 3, 6}));
    EXPECT_EQ(c.GetSectionCount(), 10);
    EXPECT_EQ(c.GetGoalSection(), 0);
    EXPECT_EQ(c.GetCheckpointCount(), 3);
    EXPECT_EQ(c.GetSections(1).size(), 10u);
    EXPECT_EQ(c.GetSections(1)[4].a.x, c.GetSections(0)[4].a.x);
    // One step over gates 5 and 6 reports 6; touching a gate end counts.
    EXPECT_EQ(c.FindSection(V(45, 0, 0), V(65, 0, 0)), 6);
    EXPECT_EQ(c.FindSection(V(45, 0, 10), V(55, 0, 10)), 5);
    EXPECT_EQ(c.FindSection(V(41, 0, 0), V(49, 0, 0)), -1);
    EXPECT_EQ(c.FindSection(V(45, 0, 11), V(55, 0, 11)), -1);  // beside the gate
    EXPECT_EQ(c.GetCheckpoint(3), 1);
    EXPECT_EQ(c.GetCheckpoint(6), 2);
    EXPECT_EQ(c.GetCheckpoint(4), -1);
    EXPECT_FLOAT_EQ(c.GetSectionDistance(V(57, 3, 100), 5), 7.0f);
    EXPECT_FLOAT_EQ(c.GetSectionDistance(V(43, 3, 0), 5), 7.0f);
    EXPECT_EQ(c.GetSectionDistance(V(43, 3, 0), -1), 0.0f);
    EXPECT_EQ(c.GetSectionDistance(V(43, 3, 0), 10), 0.0f);

    // A degenerate gate has no line: distance 0, not a division by zero.
    zfmt::RouteFile r = Ladder(3, {0, 1});
    r.sections[2].b = r.sections[2].a;
    LoadRoute(c, r);
    EXPECT_EQ(c.GetSectionDistance(V(1, 0, 1), 2), 0.0f);
}

TEST(tmCollision, EmptyAndReleasedSetsFindNothing) {
    tmCollision c;
    float h = 0;
    EXPECT_FALSE(c.GetFloor(V(0, 0, 0), &h, nullptr, nullptr));
    EXPECT_FALSE(c.HitWall(V(0, 0, 0), V(10, 0, 10), nullptr, nullptr));
    EXPECT_EQ(c.FindSection(V(0, 0, 0), V(10, 0, 10)), -1);
    EXPECT_EQ(c.GetCheckpoint(0), -1);
    EXPECT_EQ(c.GetGoalSection(), -1);
    EXPECT_EQ(c.GetRouteHeader().special[0].section, -1);
    EXPECT_EQ(c.GetRouteHeader().checkpoints[15].section, -1);

    LoadRoute(c, Ladder(4, {0, 2}));
    c.Release();
    EXPECT_EQ(c.GetSectionCount(), 0);
    EXPECT_EQ(c.GetCheckpointCount(), 0);
    EXPECT_EQ(c.GetGoalSection(), -1);
    EXPECT_EQ(c.GetRouteHeader().name[0], '\0');
}

TEST(tmCollision, MalformedEntriesLoadEmptySets) {
    tmCollision c;
    LoadRoute(c, Ladder(4, {0, 2}));
    zfmt::Bytes route = zfmt::WriteRouteFile(Ladder(4, {0, 2}));
    zfmt::StoreU32(&route[144], 4);  // goal == NS
    EXPECT_FALSE(c.LoadRouteBytes(route.data(), route.size()));
    EXPECT_EQ(c.GetSectionCount(), 0);
    EXPECT_EQ(c.GetGoalSection(), -1);
    EXPECT_EQ(c.FindSection(V(5, 0, 0), V(25, 0, 0)), -1);

    zfmt::FloorFile f;
    f.polygons.push_back(Flat({{0, 0}, {0, 10}, {10, 0}}, 1.0f, 0));
    f.cells.push_back(Cell(0, 1, 0, 0, 10, 10));
    zfmt::Bytes floor = zfmt::WriteFloorFile(f);
    floor.resize(floor.size() - 4);
    EXPECT_FALSE(c.LoadFloorBytes(floor.data(), floor.size()));
    EXPECT_TRUE(c.GetCells().empty());
    EXPECT_TRUE(c.GetPolygons().empty());
    EXPECT_FALSE(c.LoadWallBytes(nullptr, 0));
    EXPECT_TRUE(c.GetWalls().empty());
}

TEST(tmCollision, LoadsTheThreeFilesFromABankAndRefusesMissingEntries) {
    zfmt::FloorFile f;
    f.polygons.push_back(Flat({{0, 0}, {0, 10}, {10, 0}}, 1.5f, 3));
    f.cells.push_back(Cell(0, 1, 0, 0, 10, 10));
    std::vector<zfmt::WallRecord> walls(1);
    walls[0] = {{0, 0, 0}, {10, 0, 0}, {0, 0, 1}};
    auto member = [](const std::string& path, const zfmt::Bytes& bytes) {
        return Member(path, std::string(bytes.begin(), bytes.end()));
    };
    TestBank bank("rc.dat",
                  {member("data/collision/courseTestColli.clb", zfmt::WriteFloorFile(f)),
                   member("data/collision/courseTestWall.wlb", zfmt::WriteWallFile(walls)),
                   member("data/collision/courseTestRoute.rtb", zfmt::WriteRouteFile(Ladder(6, {0, 3})))},
                  0x1234567u, false);
    tmCollision::SetBank(&bank.Info());
    tmCollision c;
    EXPECT_TRUE(c.Load("data/collision/courseTestColli.clb", "data/collision/courseTestWall.wlb",
                       "data/collision/courseTestRoute.rtb"));
    float h = 0;
    std::uint32_t a = 0;
    EXPECT_TRUE(c.GetFloor(V(1, 0, 1), &h, nullptr, &a));
    EXPECT_FLOAT_EQ(h, 1.5f);
    EXPECT_EQ(a, 4u);
    EXPECT_EQ(c.GetWalls().size(), 1u);
    EXPECT_EQ(c.GetSectionCount(), 6);

    // A missing route entry empties the route only; LoadFloor releases everything first.
    EXPECT_FALSE(c.LoadRoute("data/collision/courseNoneRoute.rtb"));
    EXPECT_EQ(c.GetSectionCount(), 0);
    EXPECT_EQ(c.GetWalls().size(), 1u);
    EXPECT_FALSE(c.LoadFloor("data/collision/courseNoneColli.clb"));
    EXPECT_TRUE(c.GetWalls().empty());
    tmCollision::SetBank(nullptr);
}
