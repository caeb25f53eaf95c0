// Collision files: byte layout, round trips and the refusal of malformed entries.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "format/ByteIO.h"
#include "format/CollisionFile.h"

using namespace zfmt;

namespace {

FloorFile SampleFloor() {
    FloorFile f;
    FloorPolygon tri;
    tri.vertexCount = 3;
    tri.x[0] = 0;
    tri.z[0] = 0;
    tri.x[1] = 0;
    tri.z[1] = 1;
    tri.x[2] = 1;
    tri.z[2] = 0;
    tri.plane[1] = 1.0f;
    tri.plane[3] = -2.5f;
    tri.normal.y = 1.0f;
    tri.attribute = 5;
    FloorPolygon quad = tri;
    quad.vertexCount = 4;
    quad.x[3] = 1;
    quad.z[3] = 1;
    quad.attribute = 2;
    f.polygons = {tri, quad};
    FloorCell c;
    c.firstPolygon = 0;
    c.polygonCount = 2;
    c.minX = -1;
    c.minZ = -2;
    c.maxX = 3;
    c.maxZ = 4;
    f.cells = {c};
    return f;
}

RouteFile SampleRoute(int sections) {
    RouteFile r;
    r.name = "courseTest";
    r.special[kRouteGoalEntry].section = 0;
    r.checkpointCount = 2;
    r.checkpoints[0].section = 0;
    r.checkpoints[1].section = sections / 2;
    for (int s = 0; s < sections; ++s) {
        RouteSectionRecord g;
        g.a = {float(s), 1.0f, -10.0f};
        g.b = {float(s), 1.0f, 10.0f};
        g.carry[0] = std::uint8_t(s);
        r.sections.push_back(g);
    }
    return r;
}

void PutU32(Bytes& b, std::size_t at, std::uint32_t v) { StoreU32(&b[at], v); }

void PutF32(Bytes& b, std::size_t at, float v) {
    std::uint32_t u;
    std::memcpy(&u, &v, 4);
    StoreU32(&b[at], u);
}

}  // namespace

TEST(CollisionFile, FloorLayoutAndRoundTrip) {
    const FloorFile f = SampleFloor();
    const Bytes b = WriteFloorFile(f);
    ASSERT_EQ(b.size(), 128u + 8u + 24u + 2u * 72u);
    EXPECT_EQ(LoadU32(&b[128]), 1u);
    EXPECT_EQ(LoadU32(&b[132]), 2u);
    EXPECT_EQ(LoadU32(&b[136 + 4]), 2u);  // the cell's polygon count
    const std::size_t poly1 = 136 + 24 + 72;
    EXPECT_EQ(b[poly1], 4u);                 // vertex count, u16
    EXPECT_EQ(LoadU32(&b[poly1 + 64]), 2u);  // attribute
    float planeB;
    std::memcpy(&planeB, &b[poly1 + 40], 4);
    EXPECT_EQ(planeB, 1.0f);

    FloorFile back;
    std::string why;
    ASSERT_TRUE(ReadFloorFile(b.data(), b.size(), back, &why)) << why;
    ASSERT_EQ(back.polygons.size(), 2u);
    EXPECT_EQ(back.polygons[1].vertexCount, 4u);
    EXPECT_EQ(back.polygons[1].x[3], 1.0f);
    EXPECT_EQ(back.polygons[0].attribute, 5u);
    EXPECT_EQ(back.polygons[0].plane[3], -2.5f);
    EXPECT_EQ(back.cells[0].maxZ, 4.0f);
    EXPECT_EQ(WriteFloorFile(back), b);
}

TEST(CollisionFile, WallAndRouteLayoutAndRoundTrip) {
    std::vector<WallRecord> walls(3);
    walls[2].a = {1, 2, 3};
    walls[2].b = {4, 5, 6};
    walls[2].normal = {0, 0, 1};
    const Bytes wb = WriteWallFile(walls);
    ASSERT_EQ(wb.size(), 128u + 4u + 3u * 36u);
    std::vector<WallRecord> wback;
    ASSERT_TRUE(ReadWallFile(wb.data(), wb.size(), wback, nullptr));
    ASSERT_EQ(wback.size(), 3u);
    EXPECT_EQ(wback[2].b.y, 5.0f);
    EXPECT_EQ(wback[2].normal.z, 1.0f);

    const RouteFile r = SampleRoute(5);
    const Bytes rb = WriteRouteFile(r);
    ASSERT_EQ(rb.size(), 472u + 5u * 56u);
    EXPECT_EQ(std::int32_t(LoadU32(&rb[144])), 0);   // the goal entry
    EXPECT_EQ(std::int32_t(LoadU32(&rb[128])), -1);  // special entry 0 cleared
    EXPECT_EQ(LoadU32(&rb[208]), 2u);
    EXPECT_EQ(std::int32_t(LoadU32(&rb[212 + 16])), 2);  // checkpoint 1
    EXPECT_EQ(std::int32_t(LoadU32(&rb[212 + 2 * 16])), -1);
    EXPECT_EQ(LoadU32(&rb[468]), 5u);
    EXPECT_EQ(rb[472 + 4 * 56 + 24], 4u);  // the carried bytes of section 4
    RouteFile back;
    ASSERT_TRUE(ReadRouteFile(rb.data(), rb.size(), back, nullptr));
    EXPECT_EQ(back.name, "courseTest");
    EXPECT_EQ(back.Goal(), 0);
    ASSERT_EQ(back.sections.size(), 5u);
    EXPECT_EQ(back.sections[3].a.x, 3.0f);
    EXPECT_EQ(WriteRouteFile(back), rb);
}

TEST(CollisionFile, MalformedFloorEntriesAreRefused) {
    const Bytes good = WriteFloorFile(SampleFloor());
    FloorFile out;
    std::string why;
    auto refused = [&](Bytes b) {
        why.clear();
        const bool ok = ReadFloorFile(b.data(), b.size(), out, &why);
        return !ok && out.cells.empty() && out.polygons.empty() && !why.empty();
    };
    EXPECT_TRUE(refused(Bytes()));
    EXPECT_TRUE(refused(Bytes(good.begin(), good.begin() + 135)));  // shorter than the header
    EXPECT_TRUE(refused(Bytes(good.begin(), good.end() - 1)));      // truncated record
    Bytes longer = good;
    longer.push_back(0);
    EXPECT_TRUE(refused(longer));
    Bytes b = good;
    PutU32(b, 128, 0xFFFFFFFFu);  // oversized cell count
    EXPECT_TRUE(refused(b));
    b = good;
    PutU32(b, 132, 0x40000000u);  // count whose byte size wraps 32 bits
    EXPECT_TRUE(refused(b));
    b = good;
    PutU32(b, 136 + 4, 3);  // cell range beyond NP
    EXPECT_TRUE(refused(b));
    b = good;
    PutU32(b, 136, 0xFFFFFFFFu);  // first polygon whose range wraps
    EXPECT_TRUE(refused(b));
    for (std::uint16_t n : {0, 1, 2, 5, 0xFFFF}) {
        b = good;
        b[160] = std::uint8_t(n);
        b[161] = std::uint8_t(n >> 8);
        EXPECT_TRUE(refused(b)) << n;
    }
    b = good;
    PutF32(b, 160 + 40, std::numeric_limits<float>::quiet_NaN());  // plane b
    EXPECT_TRUE(refused(b));
    EXPECT_FALSE(ReadFloorFile(nullptr, 500, out, nullptr));
}

TEST(CollisionFile, MalformedWallAndRouteEntriesAreRefused) {
    std::vector<WallRecord> walls(2);
    const Bytes wgood = WriteWallFile(walls);
    std::vector<WallRecord> wout;
    Bytes b = wgood;
    PutU32(b, 128, 3);
    EXPECT_FALSE(ReadWallFile(b.data(), b.size(), wout, nullptr));
    EXPECT_FALSE(ReadWallFile(wgood.data(), 131, wout, nullptr));
    b = wgood;
    PutF32(b, 132 + 4, std::numeric_limits<float>::infinity());
    EXPECT_FALSE(ReadWallFile(b.data(), b.size(), wout, nullptr));
    EXPECT_TRUE(wout.empty());

    const Bytes rgood = WriteRouteFile(SampleRoute(4));
    RouteFile rout;
    std::string why;
    auto refused = [&](const Bytes& bytes) {
        return !ReadRouteFile(bytes.data(), bytes.size(), rout, &why) && rout.sections.empty();
    };
    EXPECT_FALSE(refused(rgood));
    EXPECT_TRUE(refused(Bytes(rgood.begin(), rgood.begin() + 471)));
    b = rgood;
    PutU32(b, 468, 5);  // NS beyond the entry
    EXPECT_TRUE(refused(b));
    b = rgood;
    PutU32(b, 208, 17);  // NK above 16
    EXPECT_TRUE(refused(b));
    b = rgood;
    PutU32(b, 144, 4);  // goal == NS
    EXPECT_TRUE(refused(b));
    b = rgood;
    PutU32(b, 144, std::uint32_t(-2));
    EXPECT_TRUE(refused(b));
    b = rgood;
    PutU32(b, 212 + 16, 4);  // checkpoint 1 == NS
    EXPECT_TRUE(refused(b));
    b = rgood;
    PutU32(b, 212 + 16, std::uint32_t(-1));  // a listed checkpoint naming no section
    EXPECT_TRUE(refused(b));
    // Entries past NK and the special entries other than the goal are not read.
    b = rgood;
    PutU32(b, 212 + 5 * 16, 99);
    PutU32(b, 128, 99);
    EXPECT_FALSE(refused(b));
    // No route at all: no sections, no goal, no checkpoints.
    RouteFile empty;
    const Bytes e = WriteRouteFile(empty);
    ASSERT_TRUE(ReadRouteFile(e.data(), e.size(), rout, nullptr));
    EXPECT_EQ(rout.Goal(), -1);
    EXPECT_TRUE(rout.sections.empty());
}
