// Course table: lookups by id and the rows that readers depend on.
#include <gtest/gtest.h>

#include <cstring>

#include "table/CourseTable.h"

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
}
