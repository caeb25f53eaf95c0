// The course table: one record per course layout (garage, six circuits, their reverses).
#pragma once

#include "table/TableTypes.h"

// One static scenery part of a layout, drawn every frame with a fixed transform.
struct CourseModelSlot {
    int32_t model;       // fixed model slot; 0 = empty slot
    yiVec3 position;     // translation
    float scale;         // uniform scale
    int32_t shaderType;  // shader type handed to the model draw (0 or 5)
    int32_t layer;       // render-queue layer of the normal draw
    uint8_t draw;        // 1 = queued for the normal view
    uint8_t cubeFaces;   // 1 = also queued into the six cube-face layers
};
static_assert(sizeof(CourseModelSlot) == 32, "course model slots are 32 bytes");

// One animated scenery object; the same record is the template and the live copy.
struct CourseObject {
    int32_t model;          // fixed model slot; 0 = none
    yiVec3 position;        // world position
    yiVec3 rotation;        // Euler angles (radians), applied X, then Y, then Z
    yiVec3 velocity;        // added to position every logic frame
    yiVec3 spin;            // added to rotation every logic frame
    uint8_t cubeFaces;      // 1 = also queued into the cube-face layers
    int32_t life;           // frames left to live; -1 forever; drawn while not 0
    int32_t respawnDelay;   // frames to wait once life has run out, then reset from the template
    int32_t templateIndex;  // index of the template a live copy came from
};
static_assert(sizeof(CourseObject) == 68, "course objects are 68 bytes");

constexpr int kCourseGridSlots = 16;
constexpr int kCourseParts = 25;

// Everything a race, the viewer or a menu needs to know about one course layout.
struct CourseRecord {
    int32_t id;                // equals the record's index in CourseTable
    char name[256];            // display name
    int32_t groupId;           // resource group of the layout
    char collisionFile[256];   // floor collision file
    char wallFile[256];        // wall collision file
    char routeFile[256];       // route-section file
    char routeTable[256];      // external data table of the computer route
    char cubeMap[256];         // full path of the sky cube texture; empty = none
    char textureFolder[256];   // folder of the layout's loose textures
    char gouraudMap[256];      // lighting-lookup texture inside textureFolder; empty = none
    int32_t mapModel;          // mini-map model slot; 0 = none
    int32_t musicId;           // music stream started by the race
    int32_t soundSectionFrom;  // route sections bounding the crowd stretch
    int32_t soundSectionTo;
    yiVec3 grid[kCourseGridSlots];           // world positions of the grid slots
    int32_t startSection[kCourseGridSlots];  // route section of each grid slot
    float lightDirection[4];                 // x, y, z (any length) and -1
    float lightColour[3];                    // RGB multiplier handed to the shader manager
    CourseModelSlot parts[kCourseParts];
    const CourseObject* objects;  // animated object templates; null when none
    int32_t objectCount;
};

constexpr int kCourseTableSize = 14;  // course ids 0..13; 0 is empty
constexpr int kFirstCourseId = 1;     // the garage
constexpr int kLastCourseId = 13;
constexpr int kFirstCircuitId = 2;  // 2..7 forward, 8..13 reverse
constexpr int kReverseCourseOffset = 6;

// Course records by course id; slot 0 is null. Read-only, filled before the entry.
extern const CourseRecord* const CourseTable[kCourseTableSize];

// The record of a course id, or null for an id outside 1..13.
const CourseRecord* GetCourseRecord(int courseId);

// Mini-map model slot of a course id (the cockpit display's map); 0 when the id has no record
// or its layout has no map.
int32_t GetCourseMapModel(int courseId);

// True while a machine in route section `section` is outside the crowd stretch of the
// record's sound-section pair (the garage's pair 0, 0 leaves every section outside).
bool IsOutsideSoundSections(const CourseRecord& record, int section);
