// TestTrack.h -- courses built in memory for the machine tests: a road along a centre line.
#pragma once

#include <list>
#include <memory>
#include <string>
#include <vector>

#include "course/tmCourse.h"
#include "platform/fs/FileSystem.h"
#include "sys/base/tmMath.h"
#include "sys/data/tmArchiveEntry.h"
#include "table/CourseTable.h"

// What a test road looks like. The road follows the centre points; section i
// begins at point i with a gate across the road from its left end (A) to its
// right end (B). Floor triangles, cells and walls are made from the same
// edges, so floor, walls and gates agree.
struct TrackSpec {
    std::vector<D3DXVECTOR3> centre;
    bool closed = true;
    float halfWidth = 80.0f;
    bool walls = true;
    float bank = 0.0f;               // rise of the left edge over the right, per unit of half width
    std::vector<int> surface;        // per section (1-based surface), default 1
    int goal = 0;                    // goal section; also checkpoint 0
    std::vector<int> checkpoints;    // further checkpoints in order
    std::vector<float> routeSpeed;   // per section, km/h; default 2000 (never brakes)
    std::vector<int> boostSections;  // sections whose route row marks boost
    int nextRoute = 4;               // look-ahead of every route row
    float overtakeShift = 0.4f;
};

// A straight road along +z from z = 0, `length` long, sections every `spacing`.
TrackSpec StraightTrack(float length, float spacing = 60.0f, float rise = 0.0f);
// A flat floor of 100000 x 100000 around the origin without walls.
TrackSpec FlatFloor();
// A closed loop of two straights and two half circles, driven anticlockwise seen from above
// (turning toward +x at yaw 0). Sections every `spacing` along it.
TrackSpec OvalTrack(float straight, float radius, float spacing = 60.0f);

// The course made of a spec: collision files and route table in temporary
// banks, loaded through tmCourse as a race would. Grid slot k stands in row
// (15 - k) / 2 behind the goal gate, on the left or right half of the road.
class TestTrack {
public:
    explicit TestTrack(const TrackSpec& spec);
    ~TestTrack();
    TestTrack(const TestTrack&) = delete;
    TestTrack& operator=(const TestTrack&) = delete;

    tmCourse& Course() { return *course_; }
    const tmCourse* operator->() const { return course_.get(); }
    const CourseRecord& Record() const { return record_; }
    const TrackSpec& Spec() const { return spec_; }
    // Gate ends of a section.
    D3DXVECTOR3 GateA(int section) const { return left_[static_cast<size_t>(section)]; }
    D3DXVECTOR3 GateB(int section) const { return right_[static_cast<size_t>(section)]; }
    int Sections() const { return static_cast<int>(spec_.centre.size()); }

private:
    struct Bank {
        std::string path;
        std::list<std::string> texts;
        std::vector<tmArchiveEntry> entries;
        tmBankInfo info{};
    };
    void WriteBank(Bank& bank, const std::string& file,
                   const std::vector<std::pair<std::string, std::string>>& members);

    TrackSpec spec_;
    std::vector<D3DXVECTOR3> left_, right_;
    platform::TempDirectory dir_;
    Bank collisionBank_, tableBank_;
    CourseRecord record_{};
    std::unique_ptr<tmCourse> course_;
};
