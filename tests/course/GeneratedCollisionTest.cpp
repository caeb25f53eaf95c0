// Every generated collision set, loaded through tmCollision by the course table's file names:
// the floor under the centre line, walls that keep machines on the road, the route walked lap by
// lap and the grid.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "content_tables.h"
#include "course/tmCollision.h"
#include "table/CourseTable.h"
#include "tools/track/Layout.h"

namespace {

using V = D3DXVECTOR3;

V ToV(const yiVec3& v) { return V(v.x, v.y, v.z); }

// Runs in the run folder, where the game finds data\bankRC01.dat.
class GeneratedCollision : public ::testing::Test {
protected:
    void SetUp() override {
        char* old = getcwd(nullptr, 0);
        cwd_ = old ? old : ".";
        std::free(old);
        ASSERT_EQ(chdir(ZARVO_RUN_DIR), 0);
    }
    void TearDown() override { (void)chdir(cwd_.c_str()); }

    static bool LoadCourse(int courseId, tmCollision& c) {
        const CourseRecord* r = GetCourseRecord(courseId);
        return r && c.Load(r->collisionFile, r->wallFile, r->routeFile);
    }

    std::string cwd_;
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
            if (crossed >= 0) EXPECT_EQ(crossed, section) << "arc " << a;
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
