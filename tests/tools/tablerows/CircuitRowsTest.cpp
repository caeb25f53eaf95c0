// Circuit layouts and the grid and zone rows derived from them.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "table/CircuitFixedRows.h"
#include "tools/tablerows/CircuitLayout.h"
#include "tools/tablerows/CircuitRows.h"

using namespace tablerows;

namespace {

// Section whose stretch of centre line passes nearest to p.
int NearestSection(const CircuitLayout& layout, yiVec3 p) {
    float best = 1e30f, bestArc = 0.0f;
    for (float arc = 0.0f; arc < layout.length; arc += 1.0f) {
        yiVec3 c, d;
        layout.PointAt(arc, c, d);
        const float dist = (c.x - p.x) * (c.x - p.x) + (c.z - p.z) * (c.z - p.z);
        if (dist < best) {
            best = dist;
            bestArc = arc;
        }
    }
    return SectionAt(layout, bestArc);
}

}  // namespace

TEST(CircuitRows, GatesGridAndSectionsFollowTheCentreLine) {
    // A 4000 x 1000 rectangle starting halfway along its first long side.
    const std::vector<yiVec3> line = {{2000, 0, 0}, {4000, 0, 0}, {4000, 0, 1000}, {0, 0, 1000}, {0, 0, 0}};
    const CircuitLayout layout = LayoutFromCentreLine(line, {0.0f, 1000.0f, 2500.0f, 6000.0f, 9000.0f});
    EXPECT_FLOAT_EQ(layout.length, 10000.0f);
    EXPECT_FLOAT_EQ(layout.gateMid[1].x, 3000.0f);
    EXPECT_FLOAT_EQ(layout.gateMid[2].z, 500.0f);
    EXPECT_FLOAT_EQ(layout.forward[2].z, 1.0f);
    EXPECT_FLOAT_EQ(layout.gateMid[3].x, 1000.0f);
    EXPECT_FLOAT_EQ(layout.gateMid[3].z, 1000.0f);
    EXPECT_FLOAT_EQ(layout.forward[3].x, -1.0f);
    EXPECT_EQ(SectionAt(layout, 9999.0f), 4);
    EXPECT_EQ(SectionAt(layout, 10001.0f), 0);
    const int32_t start[16] = {0, 0, 0, 0, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4, 4, 4};
    yiVec3 grid[16];
    PlaceGrid(layout, start, grid);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(NearestSection(layout, grid[k]), start[k]) << k;
    EXPECT_GT(grid[0].x, grid[7].x) << "slot 0 stands at the front";
    EXPECT_NEAR(std::fabs(grid[0].z - grid[1].z), 2.0f * circuit_fixed::kGridHalfGap, 0.01f);
}

TEST(CircuitRows, ZonesHonourFixedRowsAndGiveEveryZoneATrack) {
    const std::vector<ReplayZone> fixed = {{10, 19, {4, 2, -1, -1, -1, -1, -1, -1}}};
    const std::vector<ReplayZone> zones = BuildZones(100, 7, 5, fixed);
    ASSERT_EQ(zones.size(), 7u);
    int covered = 0;
    for (std::size_t i = 0; i < zones.size(); ++i) {
        const ReplayZone& z = zones[i];
        covered += ((z.toSection - z.fromSection) % 100 + 100) % 100 + 1;
        EXPECT_EQ(zones[(i + 1) % zones.size()].fromSection, (z.toSection + 1) % 100);
        EXPECT_GE(z.tracks[0], 0);
        EXPECT_LT(z.tracks[0], 5);
        if (z.fromSection == 10) {
            EXPECT_EQ(z.tracks[0], 4);
            EXPECT_EQ(z.tracks[1], 2);
        }
    }
    EXPECT_EQ(covered, 100);
    EXPECT_LE(zones[0].fromSection == 0 ? 0 : zones[0].toSection, zones[0].fromSection) << "goal zone first";

    // More zones than spare tracks: the spare ones are shared, never left empty.
    const std::vector<ReplayZone> many = BuildZones(50, 10, 2, {});
    ASSERT_EQ(many.size(), 10u);
    for (const ReplayZone& z : many) EXPECT_EQ(z.tracks[0], 1);
    EXPECT_GT(many[0].fromSection, many[0].toSection);
}

TEST(CircuitRows, CamerasStandWhereTheSightCheckFindsTheRoadAndKeepTheirMoves) {
    // The rectangle again, in 80 sections; everything outside it hides the road (a hill).
    const std::vector<yiVec3> line = {{2000, 0, 0}, {4000, 0, 0}, {4000, 0, 1000}, {0, 0, 1000}, {0, 0, 0}};
    std::vector<float> gates;
    for (int i = 0; i < 80; ++i) gates.push_back(125.0f * static_cast<float>(i));
    const CircuitLayout layout = LayoutFromCentreLine(line, gates);
    struct InsideOnly : SightCheck {
        const char* Fault(const yiVec3& eye, const yiVec3&) const override {
            return eye.x > 0 && eye.x < 4000 && eye.z > 0 && eye.z < 1000 ? nullptr : "outside";
        }
    } inside;
    const CircuitRows plain = BuildCircuitRows(3, layout), seen = BuildCircuitRows(3, layout, &inside);
    EXPECT_TRUE(seen.unseen.empty());
    ASSERT_EQ(seen.shots.size(), plain.shots.size());
    ASSERT_EQ(seen.tracks.size(), plain.tracks.size());
    EXPECT_FALSE(inside.Sees(plain.shots[0].start.eye, {})) << "the driver's left is outside this loop";
    for (std::size_t i = 0; i < seen.shots.size(); ++i) {
        EXPECT_TRUE(inside.Sees(seen.shots[i].start.eye, {})) << i;
        EXPECT_EQ(seen.shots[i].frames, plain.shots[i].frames);
        EXPECT_FLOAT_EQ(seen.shots[i].end.target.x, plain.shots[i].end.target.x) << "the pan stays";
    }
    for (const ReplayTrack& t : seen.tracks) {
        EXPECT_TRUE(inside.Sees(t.start.eye, {}) && inside.Sees(t.end.eye, {}));
        EXPECT_GT(t.start.eye.y, 40.0f) << "over the barrier";
    }
    // Every camera is judged as the game moves it: eye and look-at point a step apart at most.
    ASSERT_EQ(seen.cameras.size(), seen.tracks.size() + seen.shots.size());
    for (const CameraSights& c : seen.cameras)
        for (std::size_t k = 1; k < c.sights.size(); ++k) {
            auto apart = [](yiVec3 a, yiVec3 b) { return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z); };
            EXPECT_LE(apart(c.sights[k].first, c.sights[k - 1].first), kSightStep + 0.01f) << c.name;
            EXPECT_LE(apart(c.sights[k].second, c.sights[k - 1].second), kSightStep + 0.01f) << c.name;
        }
}
