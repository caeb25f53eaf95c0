// tmSeqRecordViewer.h -- screen 16: the best race and lap times of every machine, one course at a time.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"
#include "frontend/tmNumberFont.h"

class tmSpriteTween;

// For the course under the cursor, lists the eleven machines with the
// player's best 3-lap race time and best lap from the save, and marks the
// machines at the best of each column (all of them when there is no time).
// Left and right change the course; decide or cancel return to the main menu.
class tmSeqRecordViewer : public tmSequence {
public:
    enum Frame { kBackground = 0, kVeil = 1, kHead = 2, kColumns = 3, kCourse = 4, kFoot = 5, kFrames = 6 };
    static constexpr int kCourseCount = 12;
    static constexpr int kRows = 11;
    static const uint32_t kCourseOrder[kCourseCount];
    static const uint32_t kRowMachines[kRows];
    static constexpr int kRecordLaps = 3;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    int GetCursor() const { return cursor_; }
    uint32_t GetCourse() const { return kCourseOrder[cursor_]; }
    bool HasRaceMark(uint32_t machine) const { return machine < 16 && raceMark_[machine] != 0; }
    bool HasLapMark(uint32_t machine) const { return machine < 16 && lapMark_[machine] != 0; }
    // The row bar a machine shows for its marks.
    uint32_t BarOf(uint32_t machine) const;

private:
    void ComputeMarks();

    tmSpriteTween* frames_[kFrames] = {};
    tmSpriteTween* rows_[kRows + 1] = {};
    tmNumberFont font_;
    int cursor_ = 0;
    uint8_t raceMark_[16] = {};
    uint8_t lapMark_[16] = {};
    int next_ = 0;
    int32_t total_ = 0;
    int32_t waitCounter_ = 0;
    int32_t waitLimit_ = 60;
    bool loaded_ = false;
};
