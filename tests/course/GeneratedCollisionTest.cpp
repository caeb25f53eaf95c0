// Every generated collision set, loaded through tmCollision by the course table's file names:
// the floor under the centre line, walls that keep machines on the road, the route walked lap by
// lap and the grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "content_tables.h"
#include "course/tmCollision.h"
#include "harness/GlFixture.h"
#include "harness/WorkFolder.h"
#include "table/CourseTable.h"
#include "tools/track/Layout.h"

namespace {

using V = D3DXVECTOR3;

V ToV(const yiVec3& v) { return V(v.x, v.y, v.z); }

// The ground box the walls of a course enclose, in x and z.
struct Extent {
    float x0 = 1e30f, x1 = -1e30f, z0 = 1e30f, z1 = -1e30f;
};
Extent WallExtent(const tmCollision& c) {
    Extent e;
    for (const tmCollision::Wall& w : c.GetWalls()) {
        e.x0 = std::min(e.x0, w.minX);
        e.x1 = std::max(e.x1, w.maxX);
        e.z0 = std::min(e.z0, w.minZ);
        e.z1 = std::max(e.z1, w.maxZ);
    }
    return e;
}

// Runs in a working folder of its own with the run folder's data linked in (data\bankRC01.dat).
class GeneratedCollision : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::make_unique<harness::WorkFolder>(true);
        ASSERT_TRUE(folder_->Ok());
    }
    void TearDown() override { folder_.reset(); }

    static bool LoadCourse(int courseId, tmCollision& c) {
        const CourseRecord* r = GetCourseRecord(courseId);
        return r && c.Load(r->collisionFile, r->wallFile, r->routeFile);
    }

    std::unique_ptr<harness::WorkFolder> folder_;
};

}  // namespace

TEST_F(GeneratedCollision, TheBankHoldsThreeFilesPerLayoutAndTheGarageSharesNiseko) {
    EXPECT_EQ(content::bankRC01.entryCount, 36u);
    tmCollision garage, niseko;
    ASSERT_TRUE(LoadCourse(1, garage));
    ASSERT_TRUE(LoadCourse(3, niseko));
    EXPECT_EQ(garage.GetPolygons().size(), niseko.GetPolygons().size());
    EXPECT_EQ(garage.GetSectionCount(), 79);
}

TEST_F(GeneratedCollision, CentreLineIsOnTheRoadOfTheRightSectionAndWallsKeepMachinesOnIt) {
    for (int id = track::kFirstLayoutCourse; id <= track::kLastLayoutCourse; ++id) {
        SCOPED_TRACE("course " + std::to_string(id));
        const track::Layout& layout = track::AllLayouts()[id];
        tmCollision c;
        ASSERT_TRUE(LoadCourse(id, c));
        EXPECT_EQ(c.GetSectionCount(), layout.SectionCount());
        EXPECT_EQ(c.GetGoalSection(), 0);
        EXPECT_EQ(c.GetCheckpoint(0), 0);
        int misses = 0, blocked = 0, probes = 0;
        for (float a = 3.0f; a < layout.line.Length(); a += 97.0f) {
            const track::Sample s = layout.line.At(a);
            float h = 0.0f;
            V n;
            std::uint32_t attribute = 0;
            if (!c.GetFloor(ToV(s.centre), &h, &n, &attribute) || std::fabs(h - s.centre.y) > 0.5f || attribute != 1 ||
                n.y < 0.9f)
                ++misses;
            // A sideways step from the centre to beyond either wall is stopped by a wall facing back.
            for (int side = 0; side < 2; ++side) {
                const float far = (side == 0 ? 1.0f : -1.0f) * (s.WallOffset(side) + 30.0f);
                const V from = ToV(s.centre), to = ToV(s.At(far));
                V hit, wall;
                ++probes;
                if (c.HitWall(from, to, &hit, &wall) && wall.x * (to.x - from.x) + wall.z * (to.z - from.z) < 0.0f)
                    ++blocked;
            }
            // The section between the previous gate and this point is the layout's.
            const int section = layout.SectionAtArc(a);
            const float back = std::min(layout.line.Wrap(a - layout.gates[section].arc) + 1.0f, 30.0f);
            const V before = ToV(layout.line.At(a - back).centre);
            const int crossed = c.FindSection(before, ToV(s.centre));
            if (crossed >= 0) {
                EXPECT_EQ(crossed, section) << "arc " << a;
            }
            EXPECT_GE(c.GetSectionDistance(ToV(s.centre), section), 0.0f);
        }
        EXPECT_EQ(misses, 0);
        EXPECT_EQ(blocked, probes);
    }
}

TEST_F(GeneratedCollision, WalkingTheRouteCrossesEveryCheckpointInOrderAndTheGoalOncePerLap) {
    for (int id = track::kFirstLayoutCourse; id <= track::kLastLayoutCourse; ++id) {
        SCOPED_TRACE("course " + std::to_string(id));
        const track::Layout& layout = track::AllLayouts()[id];
        tmCollision c;
        ASSERT_TRUE(LoadCourse(id, c));
        const int ns = c.GetSectionCount(), nk = c.GetCheckpointCount();
        ASSERT_GE(nk, 2);
        // Full speed: one logic step's travel at the highest speed.
        const float step = track::kMaxStepTravel;
        const float start = layout.gates[0].arc + 0.5f;
        int nextSection = 1, lastCheckpoint = 0, laps = 0;
        V p = ToV(layout.line.At(start).centre);
        for (float a = step; a <= 3.0f * layout.line.Length() + step; a += step) {
            const V q = ToV(layout.line.At(start + a).centre);
            const int s = c.FindSection(p, q);
            p = q;
            // A step ending exactly on a gate crosses it, and so does the next one starting there.
            if (s < 0 || s == (nextSection + ns - 1) % ns) continue;
            ASSERT_EQ(s, nextSection) << "arc " << a;
            nextSection = (s + 1) % ns;
            const int k = c.GetCheckpoint(s);
            if (k < 0) continue;
            ASSERT_EQ(k, (lastCheckpoint + 1) % nk) << "checkpoint after " << lastCheckpoint;
            lastCheckpoint = k;
            if (k == 0) ++laps;
        }
        EXPECT_EQ(laps, 3);
    }
}

// The queries look only at the cells, walls and gates near them; their answers are those of the walk
// over the whole lists in file order, to the last bit, for points and steps all over every layout
// (on the road, across walls and gates, off the floor and beyond it).
TEST_F(GeneratedCollision, QueriesAnswerAsTheWalkOverTheWholeListsBitForBit) {
    auto same = [](const V& a, const V& b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    for (int id = track::kFirstLayoutCourse; id <= track::kLastLayoutCourse; ++id) {
        SCOPED_TRACE("course " + std::to_string(id));
        tmCollision c;
        ASSERT_TRUE(LoadCourse(id, c));
        const auto [x0, x1, z0, z1] = WallExtent(c);
        std::uint32_t seed = 12345u + static_cast<std::uint32_t>(id);
        auto next = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return static_cast<float>(seed >> 8) / 16777216.0f;
        };
        int floors = 0, hits = 0, gates = 0;
        for (int k = 0; k < 4000; ++k) {
            // Within the layout and a margin beyond it; steps of up to 80 units.
            const V p(x0 - 200.0f + next() * (x1 - x0 + 400.0f), 0.0f, z0 - 200.0f + next() * (z1 - z0 + 400.0f));
            const V q = p + V(next() * 160.0f - 80.0f, 0.0f, next() * 160.0f - 80.0f);

            float h = -1.0f, wantH = -1.0f;
            V n(9, 9, 9), wantN(9, 9, 9);
            std::uint32_t a = 99, wantA = 99;
            bool want = false;
            for (const tmCollision::Cell& cell : c.GetCells()) {
                if (!(cell.minX <= p.x && p.x <= cell.maxX && cell.minZ <= p.z && p.z <= cell.maxZ)) continue;
                const tmCollision::Polygon* found = nullptr;
                for (std::uint32_t i = 0; i < cell.polygonCount && !found; ++i)
                    if (tmCollision::PolygonContains(c.GetPolygons()[cell.firstPolygon + i], p.x, p.z))
                        found = &c.GetPolygons()[cell.firstPolygon + i];
                if (!found || std::fabs(found->b) < 0.00001f) continue;
                wantH = -(found->a * p.x + found->c * p.z + found->d) / found->b;
                wantN = found->normal;
                wantA = found->attribute + 1;
                want = true;
                break;
            }
            ASSERT_EQ(c.GetFloor(p, &h, &n, &a), want) << k;
            EXPECT_EQ(std::memcmp(&h, &wantH, sizeof h), 0) << k;
            EXPECT_TRUE(same(n, wantN)) << k;
            EXPECT_EQ(a, wantA) << k;
            floors += want;

            V hit(9, 9, 9), wall(9, 9, 9), wantHit(9, 9, 9), wantWall(9, 9, 9);
            bool crossed = false;
            for (const tmCollision::Wall& w : c.GetWalls())
                if (tmCollision::SegmentsCross(p, q, w.a, w.b, &wantHit)) {
                    wantWall = w.vector;
                    crossed = true;
                    break;
                }
            ASSERT_EQ(c.HitWall(p, q, &hit, &wall), crossed) << k;
            EXPECT_TRUE(same(hit, wantHit)) << k;
            EXPECT_TRUE(same(wall, wantWall)) << k;
            hits += crossed;

            int gate = -1;
            for (int s = c.GetSectionCount() - 1; s >= 0 && gate < 0; --s)
                if (tmCollision::SegmentsCross(p, q, c.GetSections()[s].a, c.GetSections()[s].b, nullptr)) gate = s;
            ASSERT_EQ(c.FindSection(p, q), gate) << k;
            gates += gate >= 0;
        }
        // The sample reaches every kind of answer.
        EXPECT_GT(floors, 100);
        EXPECT_GT(hits, 40);
        EXPECT_GT(gates, 5);
    }
}

TEST_F(GeneratedCollision, GridSlotsOfTheCourseTableStandOnTheRoadInTheirSections) {
    for (int id = track::kFirstLayoutCourse; id <= track::kLastLayoutCourse; ++id) {
        SCOPED_TRACE("course " + std::to_string(id));
        const CourseRecord* r = GetCourseRecord(id);
        ASSERT_NE(r, nullptr);
        const track::Layout& layout = track::AllLayouts()[id];
        tmCollision c;
        ASSERT_TRUE(LoadCourse(id, c));
        for (int k = 0; k < kCourseGridSlots; ++k) {
            const yiVec3& g = r->grid[k];
            float h = 0.0f;
            std::uint32_t attribute = 0;
            ASSERT_TRUE(c.GetFloor(V(g.x, g.y, g.z), &h, nullptr, &attribute)) << "slot " << k;
            EXPECT_NEAR(h, g.y, 0.5f) << "slot " << k;
            EXPECT_EQ(attribute, 1u);
            EXPECT_EQ(layout.SectionAtArc(layout.gridArc[k]), r->startSection[k]);
            EXPECT_LT(std::hypot(layout.grid[k].x - g.x, layout.grid[k].z - g.z), 0.05f) << "slot " << k;
        }
    }
}

// A map of every layout as the floor query sees it, written for a person to look at: road grey,
// kerbs red, rough verges green, refill bays blue, the goal gate white and the checkpoint gates
// yellow; four tiles across, three down, in course order.
TEST_F(GeneratedCollision, FloorMapsOfAllTwelveLayouts) {
    constexpr int kTile = 240, kCols = 4, kRows = 3;
    std::vector<std::uint32_t> rgb(static_cast<std::size_t>(kTile * kCols) * kTile * kRows, 0x101010u);
    const std::uint32_t kColours[7] = {0x101010u, 0x78787Du, 0x000000u, 0xD22828u, 0x3C8C3Cu, 0x000000u, 0x3C6EE6u};
    for (int id = track::kFirstLayoutCourse; id <= track::kLastLayoutCourse; ++id) {
        SCOPED_TRACE("course " + std::to_string(id));
        tmCollision c;
        ASSERT_TRUE(LoadCourse(id, c));
        const auto [x0, x1, z0, z1] = WallExtent(c);
        const float scale = std::max(x1 - x0, z1 - z0) / (kTile - 8);
        const int tile = id - track::kFirstLayoutCourse;
        const int ox = (tile % kCols) * kTile, oz = (tile / kCols) * kTile;
        auto put = [&](int px, int pz, std::uint32_t colour) {
            if (px < 0 || pz < 0 || px >= kTile || pz >= kTile) return;
            rgb[static_cast<std::size_t>(oz + pz) * kTile * kCols + ox + px] = colour;
        };
        int counts[7] = {};
        for (int pz = 0; pz < kTile; ++pz)
            for (int px = 0; px < kTile; ++px) {
                const V at(x0 + (px - 4 + 0.5f) * scale, 0.0f, z0 + (pz - 4 + 0.5f) * scale);
                float h = 0.0f;
                std::uint32_t a = 0;
                if (!c.GetFloor(at, &h, nullptr, &a) || a > 6) a = 0;
                ++counts[a];
                put(px, pz, kColours[a]);
            }
        const std::uint32_t white = 0xFFFFFFu, yellow = 0xFADC28u;
        for (int s = 0; s < c.GetSectionCount(); ++s) {
            const int k = c.GetCheckpoint(s);
            if (k < 0) continue;
            const tmCollision::Section& g = c.GetSections()[s];
            for (int i = 0; i <= 40; ++i) {
                const float t = i / 40.0f;
                put(static_cast<int>((g.a.x + (g.b.x - g.a.x) * t - x0) / scale) + 4,
                    static_cast<int>((g.a.z + (g.b.z - g.a.z) * t - z0) / scale) + 4, k == 0 ? white : yellow);
            }
        }
        EXPECT_GT(counts[1], kTile * kTile / 100) << "road";
        EXPECT_GT(counts[4], 0) << "verges";
        EXPECT_GT(counts[0], kTile * kTile / 4) << "ground off the road";
    }
    harness::WriteShot("collision_maps", rgb, kTile * kCols, kTile * kRows);
}
