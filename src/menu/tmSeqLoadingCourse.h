// tmSeqLoadingCourse.h -- screen 24: the course board while every group of the coming race loads.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"

class tmSpriteTween;

// Shows the course's board, its name and in a cup the race label, loads in
// one step every resource group the race needs (the course, the shared race
// effects, the entrants' machines or, for network races, all eleven) and
// hands over to the race (25) or the network waiting room (26). The groups
// stay loaded for the race. The waiting room also drives one of these itself.
class tmSeqLoadingCourse : public tmSequence {
public:
    enum Element { kBoard = 0, kBoardCopy = 1, kInfoBar = 2, kCupLabel = 3, kCourseLabel = 4, kElements = 5 };
    static constexpr int kShowSteps = 30;  // the load runs in the step after these
    static constexpr int kWaitSteps = 30;  // after the leave, before the next id

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    // Loads the resource groups the race in the race state needs.
    static void LoadRaceGroups();
    // Board sprite, course label and sprite group of a course id (0 when none).
    static uint32_t BoardSprite(uint32_t course);
    static uint32_t CourseLabel(uint32_t course);
    static int CourseSpriteGroup(uint32_t course);
    // The cup-race label of a label index 0..7.
    static uint32_t CupLabel(uint32_t index);

    const tmSpriteTween* GetElement(int e) const { return e >= 0 && e < kElements ? sprites_[e] : nullptr; }
    uint32_t GetCupLabelIndex() const { return cupLabel_; }
    uint32_t GetState() const { return state_; }

private:
    tmSpriteTween* sprites_[kElements] = {};
    uint32_t course_ = 0;
    uint32_t cupLabel_ = 0;
    uint32_t state_ = 0;
    uint32_t previous_ = 0xFFFFFFFFu;
    int32_t steps_ = 0;
    int32_t total_ = 0;
    int courseGroup_ = 0;
};
