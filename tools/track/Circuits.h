// Circuits.h -- the six circuits' plans and the twelve course layouts made from them.
#pragma once

#include <string>

#include "tools/track/CentreLine.h"

namespace track {

constexpr int kFirstLayoutCourse = 2;  // course ids 2..7 forward, 8..13 reverse
constexpr int kLastLayoutCourse = 13;
constexpr int kReverseOffset = 6;

// What the tables fix about one course id's layout.
struct CourseInfo {
    int courseId;
    const char* collisionBase;  // "Spain": files data/collision/courseSpainColli.clb and so on
    const char* routeTable;     // the computer route table's name
    int sectionCount;           // route sections of the layout
    bool reverse;               // driven the other way round its circuit
};

// The layout of a course id 2..13 (null otherwise).
const CourseInfo* GetCourseInfo(int courseId);

// Collision file names of a layout as the course table names them.
std::string FloorFileName(const CourseInfo& info);
std::string WallFileName(const CourseInfo& info);
std::string RouteFileName(const CourseInfo& info);

// A circuit: its plan and where its forward grid stands.
struct Circuit {
    Plan plan;
    float gridFrontArc;  // arc of forward grid slot 0 along the plan's first (start) straight
    yiVec3 anchor;       // where forward grid slot 0's centre-line point lies in the world
};

// The circuit of forward course id 2..7.
const Circuit& GetCircuit(int forwardCourseId);

}  // namespace track
