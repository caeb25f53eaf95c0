// tmCourse.h -- one loaded course: its record, collision set, computer route, course textures and scenery.
#pragma once
#include <cstdint>
#include <memory>

#include "sys/render/tmRenderLayer.h"
#include "table/CourseTable.h"

class tmCollision;
class tmRouteTable;

// One course for the length of a race or a viewer screen. Keeps the course
// record (borrowed from the course table), loads the course's resource group,
// owns the collision set and the computer route built on its gates, binds the
// sky cube, the gouraud ramp and the post-process lookup texture through the
// drawing seam, and draws the 25 static scenery slots and the animated objects
// (which drift and spin, live for a while and come back from their template
// after a delay). Created by the race, the network waiting room and the
// course viewer; they call Init at their start, Update once per logic step,
// Draw once per frame and Release before deleting it. Knows no screen.
class tmCourse {
public:
    static constexpr int kPostProcessGroup = 32;
    static constexpr const char* kPostProcessTexture = "TEX_CMN_PostProcess.tga";
    static constexpr const char* kPostProcessFolder = ".\\data\\Common\\texture\\";
    // Second queue entry of a normally drawn slot when the view asks for it.
    static constexpr int kExtraLayer = tmRenderLayer::kMirrorView;
    // Draw argument of the cube-face entries.
    static constexpr uint32_t kCubeFaceArg = tmShaderType::kCreateReflect;
    static constexpr float kObjectScale = 10.0f;  // animated objects are modelled at a tenth

    tmCourse();
    ~tmCourse();
    tmCourse(const tmCourse&) = delete;
    tmCourse& operator=(const tmCourse&) = delete;

    // Loads the course of that id (1..13); an id without a record loads nothing and returns false.
    bool Init(int courseId);
    // The same from a given record (the viewer and tests); the record must outlive the course.
    bool Init(int courseId, const CourseRecord* record);
    // Releases the textures and the group that Init took; the collision set stays until deletion.
    void Release();

    // Moves every animated object one logic step.
    void Update();
    // Queues the static slots, then the live objects; extraLayer also queues the normally drawn
    // slots into the extra layer.
    void Draw(uint8_t extraLayer) const;

    uint32_t GetMusicId() const;
    // The record's light vector (x, y, z, -1); null before Init.
    const float* GetLightDirection() const;
    tmCollision* GetCollision() const { return collision_.get(); }
    const tmRouteTable* GetRouteTable() const { return route_.get(); }

    int GetCourseId() const { return courseId_; }
    const CourseRecord* GetRecord() const { return record_; }
    uint32_t GetFrameCount() const { return frame_; }
    int GetObjectCount() const { return objectCount_; }
    // Live object i, null outside 0..count-1.
    const CourseObject* GetObject(int i) const;

private:
    void BindTextures();

    int courseId_ = 0;
    const CourseRecord* record_ = nullptr;
    std::unique_ptr<tmCollision> collision_;
    std::unique_ptr<tmRouteTable> route_;
    std::unique_ptr<CourseObject[]> objects_;
    int objectCount_ = 0;
    uint32_t frame_ = 0;
    // Which textures this course holds a reference to (and therefore releases).
    bool cubeHeld_ = false;
    bool gouraudHeld_ = false;
    bool postHeld_ = false;
};
