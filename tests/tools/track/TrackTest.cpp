// The track generator: centre lines, layouts, collision sets, route rows and the checker.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "table/CircuitFixedRows.h"
#include "tools/track/CollisionSet.h"
#include "tools/track/RouteRows.h"
#include "tools/track/TrackCheck.h"

using namespace track;

namespace {

float Distance(const yiVec3& a, const yiVec3& b) { return std::hypot(a.x - b.x, a.z - b.z); }

// A small plan that closes: a rounded rectangle turning left.
Plan Oval() {
    Plan p;
    p.name = "oval";
    p.pieces = {S(3000, 0),       L(90, 600, 0), S(1500, 0, true), L(90, 600, 0),
                S(3000, 0, true), L(90, 600, 0), S(1500, 0),       L(90, 600, 0)};
    return p;
}

}  // namespace

TEST(Track, EveryLayoutPassesItsInvariantsAndReversesItsForwardRoad) {
    const std::vector<Layout>& layouts = AllLayouts();
    ASSERT_EQ(layouts.size(), 14u);
    std::set<int> lengths;
    for (int id = kFirstLayoutCourse; id <= kLastLayoutCourse; ++id) {
        const Layout& l = layouts[id];
        ASSERT_TRUE(l.error.empty()) << l.error;
        EXPECT_EQ(l.SectionCount(), l.info->sectionCount);
        const CollisionSet set = BuildCollisionSet(l);
        for (const std::string& e : CheckCollisionSet(l, set)) ADD_FAILURE() << e;
        if (l.info->reverse)
            for (const std::string& e : CheckReverse(layouts[id - kReverseOffset], l)) ADD_FAILURE() << e;
        lengths.insert(static_cast<int>(l.line.Length()));
        // Surfaces: road, kerbs in bends, rough verges and a refill bay on every circuit.
        std::set<std::uint32_t> surfaces;
        for (const zfmt::FloorPolygon& p : set.floor.polygons) surfaces.insert(p.attribute + 1);
        EXPECT_EQ(surfaces, (std::set<std::uint32_t>{kSurfaceRoad, kSurfaceKerb, kSurfaceRough, kSurfaceRefill}))
            << l.info->collisionBase;
    }
    EXPECT_EQ(lengths.size(), 6u) << "six distinct circuits";
}

TEST(Track, GivenGridRowsStandOnTheGeneratedRoadInTheirSections) {
    const Layout& spain = AllLayouts()[2];
    for (int k = 0; k < 16; ++k) {
        const yiVec3 given = circuit_fixed::SpainGridSlot(k);
        EXPECT_LT(Distance(spain.grid[k], given), 0.05f) << k;
        EXPECT_NEAR(spain.grid[k].y, given.y, 0.01f) << k;
        EXPECT_EQ(spain.SectionAtArc(spain.gridArc[k]), circuit_fixed::kStartSections[2][k]) << k;
    }
    const Layout& qir = AllLayouts()[5];
    for (int k = 0; k < 4; ++k) EXPECT_LT(Distance(qir.grid[k], circuit_fixed::kQirGrid[k]), 0.05f) << k;
    // The forward grid drives toward -x on both; slot 0 leads.
    EXPECT_LT(spain.grid[0].x, spain.grid[15].x);
    EXPECT_LT(qir.grid[0].x, qir.grid[15].x);
}

TEST(Track, GridSlotsAreTwoStaggeredColumnsOneSlotApart) {
    for (int id = kFirstLayoutCourse; id <= kLastLayoutCourse; ++id) {
        const Layout& l = AllLayouts()[id];
        for (int k = 1; k < 16; ++k) {
            float step = l.gridArc[k - 1] - l.gridArc[k];
            if (step < 0.0f) step += l.line.Length();
            EXPECT_NEAR(step, circuit_fixed::kGridStep, 0.05f) << id << " slot " << k;
            EXPECT_NEAR(Distance(l.grid[k], l.grid[k - 1]),
                        std::hypot(circuit_fixed::kGridStep, 2.0f * circuit_fixed::kGridHalfGap), 0.5f);
        }
    }
}

TEST(Track, CentreLinesCloseEaseIntoBendsAndBankTowardTheInside) {
    const CentreLine line = CentreLine::Build(Oval());
    ASSERT_TRUE(line.Ok()) << line.Error();
    const std::vector<Sample>& s = line.Samples();
    EXPECT_LT(Distance(s.front().centre, line.At(line.Length() - 0.01f).centre), 1.0f);
    float maxJump = 0.0f, maxBankJump = 0.0f;
    bool leftBend = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const Sample& a = s[i];
        const Sample& b = s[(i + 1) % s.size()];
        maxJump = std::max(maxJump, std::fabs(b.curvature - a.curvature));
        maxBankJump = std::max(maxBankJump, std::fabs(b.crossSlope - a.crossSlope));
        if (a.curvature > 1.0f / 700.0f) {
            leftBend = true;
            EXPECT_LT(a.crossSlope, 0.0f) << "the outside (right) of a left bend is higher";
            EXPECT_TRUE(a.kerb);
        }
    }
    EXPECT_TRUE(leftBend);
    EXPECT_LT(maxJump, 0.25f / 600.0f) << "curvature ramps in and out";
    EXPECT_LE(maxBankJump, 0.0045f);

    const CentreLine back = line.Reversed();
    EXPECT_FLOAT_EQ(back.Length(), line.Length());
    EXPECT_LT(back.At(100.0f).curvature, 0.0f + 1e-9f);
    EXPECT_LT(Distance(back.At(500.0f).centre, line.At(line.Length() - 500.0f).centre), 0.5f);
}

TEST(Track, BadPlansAreRefusedWithAReason) {
    Plan p = Oval();
    p.pieces.pop_back();  // turns 270 degrees only
    EXPECT_FALSE(CentreLine::Build(p).Ok());
    EXPECT_NE(CentreLine::Build(p).Error().find("full circle"), std::string::npos);
    p = Oval();
    for (Piece& piece : p.pieces) piece.adjustable = false;
    EXPECT_FALSE(CentreLine::Build(p).Ok());
    p = Oval();
    p.pieces[6].length = 50.0f;  // the opposite straight would have to shrink to 50

    EXPECT_FALSE(CentreLine::Build(p).Ok());
    EXPECT_FALSE(BuildLayout(1).error.empty());
}

TEST(Track, CheckerCatchesBrokenSets) {
    const Layout& l = AllLayouts()[3];
    const CollisionSet good = BuildCollisionSet(l);
    ASSERT_TRUE(CheckCollisionSet(l, good).empty());
    auto fails = [&](const CollisionSet& bad, const char* what) {
        const std::vector<std::string> e = CheckCollisionSet(l, bad);
        bool found = false;
        for (const std::string& s : e) found = found || s.find(what) != std::string::npos;
        EXPECT_TRUE(found) << "expected a problem with '" << what << "'";
    };
    CollisionSet bad = good;
    std::swap(bad.floor.polygons[10].x[0], bad.floor.polygons[10].x[2]);
    std::swap(bad.floor.polygons[10].z[0], bad.floor.polygons[10].z[2]);
    fails(bad, "wound");
    bad = good;
    bad.floor.polygons[20].x[1] += 5000.0f;
    fails(bad, "outside its cell");
    bad = good;
    bad.walls[7].normal.x = -bad.walls[7].normal.x;
    bad.walls[7].normal.z = -bad.walls[7].normal.z;
    fails(bad, "away from the road");
    bad = good;
    bad.walls[9].normal.x *= 2.0f;
    bad.walls[9].normal.z *= 2.0f;
    fails(bad, "unit vector");
    bad = good;
    bad.walls[5].b.x += 3000.0f;
    fails(bad, "cross each other");
    bad = good;
    std::swap(bad.route.checkpoints[2], bad.route.checkpoints[3]);
    fails(bad, "out of order");
    bad = good;
    bad.route.special[zfmt::kRouteGoalEntry].section = 4;
    fails(bad, "goal");
    bad = good;
    bad.route.sections[30].b = bad.route.sections[30].a;
    bad.route.sections[30].b.x += 1.0f;
    fails(bad, "both walls");
    bad = good;
    std::swap(bad.route.sections[40], bad.route.sections[41]);
    fails(bad, "walking the lap");
}

TEST(Track, RouteRowsSlowForBendsBoostOnStraightsAndLeanToTheInside) {
    for (int id = kFirstLayoutCourse; id <= kLastLayoutCourse; ++id) {
        const Layout& l = AllLayouts()[id];
        const std::vector<zfmt::RouteEntry> rows = BuildRouteRows(l);
        ASSERT_EQ(static_cast<int>(rows.size()), l.SectionCount());
        float slowest = 1e9f, fastest = 0.0f;
        int boosts = 0;
        for (int s = 0; s < l.SectionCount(); ++s) {
            const zfmt::RouteEntry& e = rows[s];
            slowest = std::min(slowest, e.speed[0]);
            fastest = std::max(fastest, e.speed[0]);
            boosts += e.boost[0];
            EXPECT_GE(e.nextRoute[0], 2);
            EXPECT_LE(e.nextRoute[0], 8);
            EXPECT_GE(e.speed[1], e.speed[0]);
            for (int t = 0; t < 2; ++t) {
                EXPECT_LE(std::fabs(e.posShift[t]), 0.56f);
                EXPECT_LE(std::fabs(e.posShift[t] + e.otShift[t]), 0.7f);
            }
            const Sample c = l.line.At(l.gates[s].arc + 0.5f * l.SectionLength(s));
            if (c.curvature > 1.0f / 800.0f) {
                EXPECT_GT(e.posShift[0], 0.0f) << "inside of a left bend is end A";
            }
            if (c.curvature < -1.0f / 800.0f) {
                EXPECT_LT(e.posShift[0], 0.0f);
            }
        }
        EXPECT_EQ(fastest, kStraightRouteSpeed) << id;
        EXPECT_LT(slowest, 300.0f) << id;
        EXPECT_GT(boosts, 0) << id;
        // The back of the grid is on the start straight: fast.
        EXPECT_GE(rows[circuit_fixed::kStartSections[id][15]].speed[0], 400.0f) << id;
    }
}
