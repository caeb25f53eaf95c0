// Course table: lookups by id and the invariants that readers of the records depend on.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <string>

#include "content_tables.h"
#include "sys/data/tmArchiver.h"
#include "table/CourseTable.h"
#include "tests/table/ContentRanges.h"

using content_ranges::InGroup;

namespace {

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// The model folder of a resource group: the first component of its model paths.
std::string GroupFolder(int group) {
    const std::string first = content::kModelNames[content::kResourceGroupFirstModel[group]];
    return first.substr(0, first.find('\\'));
}

}  // namespace

TEST(CourseTable, IdsOneToThirteenHaveRecordsAndOthersNone) {
    EXPECT_EQ(GetCourseRecord(0), nullptr);
    EXPECT_EQ(GetCourseRecord(14), nullptr);
    EXPECT_EQ(GetCourseRecord(-1), nullptr);
    EXPECT_EQ(CourseTable[0], nullptr);
    for (int id = 1; id <= 13; ++id) {
        const CourseRecord* r = GetCourseRecord(id);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->id, id);
        EXPECT_EQ(r, CourseTable[id]);
        EXPECT_EQ(GetCourseMapModel(id), r->mapModel);
    }
    EXPECT_EQ(GetCourseMapModel(0), 0);
    EXPECT_EQ(GetCourseMapModel(14), 0);
}

TEST(CourseTable, FilesAndTexturesBelongToTheLayoutsGroup) {
    char buf[4096];
    const std::string cwd = getcwd(buf, sizeof buf) ? buf : ".";
    ASSERT_EQ(chdir(ZARVO_RUN_DIR), 0);
    for (int id = 1; id <= 13; ++id) {
        const CourseRecord& r = *GetCourseRecord(id);
        for (const char* file : {r.collisionFile, r.wallFile, r.routeFile})
            EXPECT_EQ(std::string(file).rfind("data/collision/course", 0), 0u) << file;
        EXPECT_TRUE(EndsWith(r.collisionFile, "Colli.clb")) << id;
        EXPECT_TRUE(EndsWith(r.wallFile, "Wall.wlb")) << id;
        EXPECT_TRUE(EndsWith(r.routeFile, "Route.rtb")) << id;
        // The texture folder is the group's model folder; the sky cube and the
        // light ramp are textures of the group's texture bank.
        EXPECT_EQ(std::string(r.textureFolder), ".\\data\\" + GroupFolder(r.groupId) + "\\texture\\") << id;
        EXPECT_EQ(std::string(r.cubeMap).rfind(r.textureFolder, 0), 0u) << r.cubeMap;
        tmArchiver bank;
        ASSERT_TRUE(bank.Open(*content::BankTable[r.groupId]->textureArchive)) << id;
        EXPECT_NE(bank.FindEntry(r.cubeMap + std::strlen(r.textureFolder)), nullptr) << r.cubeMap;
        EXPECT_NE(bank.FindEntry(r.gouraudMap), nullptr) << r.gouraudMap;
        // Text fields are zero-padded to their full size.
        EXPECT_EQ(std::string(r.name, sizeof r.name).find_first_not_of('\0', std::strlen(r.name)), std::string::npos);
    }
    ASSERT_EQ(chdir(cwd.c_str()), 0);
}

TEST(CourseTable, ReverseLayoutsPairWithTheirForwardLayouts) {
    for (int c = 2; c <= 7; ++c) {
        const CourseRecord& f = *GetCourseRecord(c);
        const CourseRecord& r = *GetCourseRecord(c + kReverseCourseOffset);
        EXPECT_EQ(r.groupId, f.groupId + 6) << c;
        EXPECT_EQ(r.musicId, f.musicId) << c;
        EXPECT_EQ(r.mapModel, f.mapModel) << c;
        EXPECT_EQ(r.objectCount, f.objectCount) << c;
        EXPECT_TRUE(InGroup(f.mapModel, 12)) << c;
        EXPECT_TRUE(f.groupId >= 0 && f.groupId <= 5) << c;
    }
}

TEST(CourseTable, PartsAndObjectsUseTheirOwnGroupsModels) {
    for (int id = 1; id <= 13; ++id) {
        const CourseRecord& r = *GetCourseRecord(id);
        for (const CourseModelSlot& p : r.parts) {
            if (p.model == 0) continue;
            EXPECT_TRUE(InGroup(p.model, r.groupId)) << "course " << id << " model " << p.model;
            EXPECT_TRUE(p.shaderType == 0 || p.shaderType == 5);
            EXPECT_TRUE(p.draw || p.cubeFaces) << "a part that is never drawn";
            EXPECT_GT(p.scale, 0.0f);
        }
        for (int i = 0; i < r.objectCount; ++i) {
            EXPECT_TRUE(InGroup(r.objects[i].model, r.groupId)) << id;
            EXPECT_EQ(r.objects[i].templateIndex, 0);
            EXPECT_TRUE(r.objects[i].life == -1 || r.objects[i].life > 0) << id;
            EXPECT_GE(r.objects[i].respawnDelay, -1) << id;
        }
        EXPECT_EQ(r.objects == nullptr, r.objectCount == 0);
        EXPECT_EQ(r.lightDirection[3], -1.0f);
    }
}

TEST(CourseTable, GarageHasNoObjectsGridOrCrowd) {
    const CourseRecord& g = *GetCourseRecord(1);
    EXPECT_EQ(g.groupId, 31);
    EXPECT_EQ(g.objectCount, 0);
    EXPECT_EQ(g.objects, nullptr);
    EXPECT_EQ(g.mapModel, 0);
    EXPECT_EQ(g.musicId, 0);
    for (int k = 0; k < kCourseGridSlots; ++k) {
        EXPECT_EQ(g.grid[k].x, 0.0f);
        EXPECT_EQ(g.grid[k].y, 0.0f);
        EXPECT_EQ(g.grid[k].z, 0.0f);
        EXPECT_EQ(g.startSection[k], 0);
    }
    // Its sound-section pair leaves every section outside the crowd stretch.
    for (int s = 0; s < 500; ++s) EXPECT_TRUE(IsOutsideSoundSections(g, s)) << s;
}

TEST(CourseTable, CrowdStretchRunsStrictlyBetweenItsTwoSections) {
    for (int id = 2; id <= 13; ++id) {
        const CourseRecord& r = *GetCourseRecord(id);
        const int from = r.soundSectionFrom, to = r.soundSectionTo;
        ASSERT_GT(from, to + 1) << id;
        EXPECT_TRUE(IsOutsideSoundSections(r, 0)) << id;
        EXPECT_TRUE(IsOutsideSoundSections(r, to)) << id;
        EXPECT_FALSE(IsOutsideSoundSections(r, to + 1)) << id;
        EXPECT_FALSE(IsOutsideSoundSections(r, from - 1)) << id;
        EXPECT_TRUE(IsOutsideSoundSections(r, from)) << id;
        EXPECT_TRUE(IsOutsideSoundSections(r, from + 2)) << id;
    }
}

TEST(CourseTable, GridSlotsStandApartInSectionsOfTheRoute) {
    for (int id = 2; id <= 13; ++id) {
        const CourseRecord& r = *GetCourseRecord(id);
        const int sections = content::circuit_rows::kSectionCounts[id];
        for (int k = 0; k < kCourseGridSlots; ++k) {
            EXPECT_TRUE(r.startSection[k] >= 0 && r.startSection[k] < sections) << id << " slot " << k;
            if (k == 0) continue;
            const float dx = r.grid[k].x - r.grid[k - 1].x, dz = r.grid[k].z - r.grid[k - 1].z;
            EXPECT_GT(dx * dx + dz * dz, 50.0f * 50.0f) << "course " << id << " slot " << k;
        }
    }
}
