// Course table: lookups by id and the rows that readers depend on.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "table/CourseTable.h"
#include "tests/table/ContentRanges.h"

using content_ranges::InGroup;

TEST(CourseTable, LookupById) {
    EXPECT_EQ(GetCourseRecord(0), nullptr);
    EXPECT_EQ(GetCourseRecord(14), nullptr);
    EXPECT_EQ(GetCourseRecord(-1), nullptr);
    EXPECT_EQ(CourseTable[0], nullptr);
    for (int id = 1; id <= 13; ++id) {
        const CourseRecord* r = GetCourseRecord(id);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->id, id);
        EXPECT_EQ(r, CourseTable[id]);
    }
    EXPECT_EQ(GetCourseMapModel(0), 0);
    EXPECT_EQ(GetCourseMapModel(1), 0);
    EXPECT_EQ(GetCourseMapModel(14), 0);
    EXPECT_EQ(GetCourseMapModel(4), 230);
    EXPECT_EQ(GetCourseMapModel(13), 231);
    EXPECT_STREQ(GetCourseRecord(2)->name, "BARCELONA CIRCUIT");
    EXPECT_STREQ(GetCourseRecord(9)->name, "NISEKO CIRCUIT(REV)");
    EXPECT_STREQ(GetCourseRecord(11)->name, "NEW TOKYO QIR CIRCUIT(Rev)");
}

TEST(CourseTable, FilesAndTexturesFollowTheLayoutNames) {
    const CourseRecord& berlin = *GetCourseRecord(4);
    EXPECT_STREQ(berlin.collisionFile, "data/collision/courseBerlinColli.clb");
    EXPECT_STREQ(berlin.wallFile, "data/collision/courseBerlinWall.wlb");
    EXPECT_STREQ(berlin.routeFile, "data/collision/courseBerlinRoute.rtb");
    EXPECT_STREQ(berlin.routeTable, "CourseBerlin");
    EXPECT_STREQ(berlin.textureFolder, ".\\data\\CourseBerlin\\texture\\");
    EXPECT_STREQ(berlin.cubeMap, ".\\data\\CourseBerlin\\texture\\S_BER_cubeMapBg.dds");
    EXPECT_STREQ(berlin.gouraudMap, "S_BER_gouraudMapTex.dds");

    const CourseRecord& garage = *GetCourseRecord(1);
    EXPECT_STREQ(garage.collisionFile, "data/collision/courseNisekoColli.clb");
    EXPECT_STREQ(garage.routeTable, "CourseNiseko");
    EXPECT_STREQ(garage.cubeMap, ".\\data\\MachineSelect\\texture\\S_GAR_cubeMapBg.dds");

    EXPECT_STREQ(GetCourseRecord(13)->cubeMap, ".\\data\\CourseCanadaRev\\texture\\S_RCND_cubeMapTex.dds");
    EXPECT_STREQ(GetCourseRecord(8)->routeFile, "data/collision/courseSpainRevRoute.rtb");
    // Text fields are zero-padded to their full size.
    EXPECT_EQ(std::string(berlin.name, sizeof berlin.name).find_first_not_of('\0', std::strlen(berlin.name)),
              std::string::npos);
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
    EXPECT_EQ(GetCourseRecord(1)->groupId, 31);
}

TEST(CourseTable, PartsAndObjectsUseTheirOwnGroupsModels) {
    const int partCounts[14] = {0, 22, 18, 16, 10, 19, 10, 22, 18, 16, 10, 19, 10, 22};
    for (int id = 1; id <= 13; ++id) {
        const CourseRecord& r = *GetCourseRecord(id);
        int used = 0;
        for (const CourseModelSlot& p : r.parts) {
            if (p.model == 0) continue;
            ++used;
            EXPECT_TRUE(InGroup(p.model, r.groupId)) << "course " << id << " model " << p.model;
            EXPECT_TRUE(p.shaderType == 0 || p.shaderType == 5);
            EXPECT_TRUE(p.draw || p.cubeFaces) << "a part that is never drawn";
        }
        EXPECT_EQ(used, partCounts[id]) << id;
        for (int i = 0; i < r.objectCount; ++i) {
            EXPECT_TRUE(InGroup(r.objects[i].model, r.groupId)) << id;
            EXPECT_EQ(r.objects[i].templateIndex, 0);
        }
        EXPECT_EQ(r.objects == nullptr, r.objectCount == 0);
        EXPECT_EQ(r.lightDirection[3], -1.0f);
    }
}

TEST(CourseTable, GarageIsAStaticScene) {
    const CourseRecord& g = *GetCourseRecord(1);
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
    int normal = 0, environment = 0, model1382 = 0;
    for (const CourseModelSlot& p : g.parts) {
        if (p.model == 0) continue;
        EXPECT_EQ(p.scale, 1.0f);
        if (p.draw) ++normal;
        if (!p.draw && p.cubeFaces) ++environment;
        if (p.model == 1382) ++model1382;
    }
    EXPECT_EQ(normal, 20);
    EXPECT_EQ(environment, 2);
    EXPECT_EQ(model1382, 2);
    // Its sound-section pair leaves every section outside the crowd stretch.
    for (int s = 0; s < 500; ++s) EXPECT_TRUE(IsOutsideSoundSections(g, s)) << s;
}

TEST(CourseTable, SoundSectionsBoundTheStretchAroundTheGoal) {
    const CourseRecord& spain = *GetCourseRecord(2);  // 284, 4
    EXPECT_TRUE(IsOutsideSoundSections(spain, 0));
    EXPECT_TRUE(IsOutsideSoundSections(spain, 4));
    EXPECT_FALSE(IsOutsideSoundSections(spain, 5));
    EXPECT_FALSE(IsOutsideSoundSections(spain, 283));
    EXPECT_TRUE(IsOutsideSoundSections(spain, 284));
    EXPECT_TRUE(IsOutsideSoundSections(spain, 286));
}

TEST(CourseTable, PartKindsAndPlacements) {
    const CourseRecord& niseko = *GetCourseRecord(3);
    // 2..7 normal, 8 far with cube faces at 9.5, 10..14 environment, 15..18 raised by 10.
    EXPECT_EQ(niseko.parts[0].model, 2);
    EXPECT_EQ(niseko.parts[6].model, 8);
    EXPECT_EQ(niseko.parts[6].scale, 9.5f);
    EXPECT_EQ(niseko.parts[6].layer, 1);
    EXPECT_EQ(niseko.parts[6].cubeFaces, 1);
    EXPECT_EQ(niseko.parts[7].shaderType, 5);
    EXPECT_EQ(niseko.parts[7].draw, 0);
    EXPECT_EQ(niseko.parts[12].model, 15);
    EXPECT_EQ(niseko.parts[12].position.y, 10.0f);
    EXPECT_EQ(niseko.parts[0].scale, 10.0f);
    const CourseRecord& spain = *GetCourseRecord(2);
    EXPECT_EQ(spain.parts[8].model, 28);
    EXPECT_EQ(spain.parts[8].cubeFaces, 0);
    EXPECT_EQ(spain.parts[8].layer, 1);
}

TEST(CourseTable, AnimatedObjects) {
    const CourseRecord& spain = *GetCourseRecord(2);
    ASSERT_EQ(spain.objectCount, 1);
    EXPECT_EQ(spain.objects[0].life, 15);
    EXPECT_EQ(spain.objects[0].respawnDelay, 15);
    const CourseRecord& berlinRev = *GetCourseRecord(10);
    ASSERT_EQ(berlinRev.objectCount, 2);
    EXPECT_EQ(berlinRev.objects[1].model, 153);
    EXPECT_FLOAT_EQ(berlinRev.objects[1].velocity.x, 22.1333f);
    EXPECT_EQ(berlinRev.objects[1].life, 1200);
    const CourseRecord& qir = *GetCourseRecord(5);
    ASSERT_EQ(qir.objectCount, 6);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(qir.objects[k].rotation.z, static_cast<float>(k + 1));
    EXPECT_EQ(qir.lightColour[1], 248.0f / 255.0f);
}

TEST(CourseTable, GridRows) {
    const CourseRecord& spain = *GetCourseRecord(2);
    EXPECT_FLOAT_EQ(spain.grid[0].x, -917.846f);
    EXPECT_FLOAT_EQ(spain.grid[1].x, -783.899f);
    EXPECT_FLOAT_EQ(spain.grid[2].x, -649.953f);
    EXPECT_NEAR(spain.grid[3].x - spain.grid[2].x, 133.95f, 0.05f);
    EXPECT_FLOAT_EQ(spain.grid[15].x, 1091.35f);
    for (int k = 0; k < 16; ++k) {
        EXPECT_FLOAT_EQ(spain.grid[k].y, 0.199347f);
        EXPECT_FLOAT_EQ(spain.grid[k].z, k % 2 == 0 ? 5650.95f : 5549.05f);
    }
    EXPECT_EQ(spain.startSection[0], 2);
    EXPECT_EQ(spain.startSection[15], 285);
    const CourseRecord& qir = *GetCourseRecord(5);
    EXPECT_FLOAT_EQ(qir.grid[3].x, -3630.93f);
    EXPECT_FLOAT_EQ(qir.grid[3].z, 8129.1f);
    // Every circuit's grid forms two staggered columns with distinct slots.
    for (int id = 2; id <= 13; ++id) {
        const CourseRecord& r = *GetCourseRecord(id);
        for (int k = 1; k < 16; ++k) {
            const float dx = r.grid[k].x - r.grid[k - 1].x, dz = r.grid[k].z - r.grid[k - 1].z;
            EXPECT_GT(dx * dx + dz * dz, 50.0f * 50.0f) << "course " << id << " slot " << k;
        }
    }
    EXPECT_EQ(GetCourseRecord(10)->startSection[1], 328);
    EXPECT_EQ(GetCourseRecord(11)->startSection[12], 456);
}
