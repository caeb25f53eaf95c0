// tmSeqCourseSelect.h -- screen 22: one of twelve course layouts picked from a sliding strip.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"

class tmCourseSelectFrontend;

// Reached from the main menu (single race, direct network host). Left and
// right move along the strip (forward layouts, then their reverses, with
// wrap); decide or cancel leave, and either way the course under the cursor
// and the race set-up are written into the race state. Owns its frontend.
class tmSeqCourseSelect : public tmSequence {
public:
    enum State : int32_t { kEntering = 0, kChoosing = 1, kLeaving = 2 };
    static constexpr int kCourseCount = 12;
    // List position -> course id.
    static const uint32_t kOrder[kCourseCount];

    tmSeqCourseSelect();
    ~tmSeqCourseSelect() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    int GetCursor() const { return cursor_; }
    int32_t GetState() const { return state_; }
    bool IsCancelled() const { return cancelled_ != 0; }
    const tmCourseSelectFrontend* GetFrontend() const { return frontend_; }

private:
    void WriteRaceState() const;

    tmCourseSelectFrontend* frontend_ = nullptr;
    int cursor_ = 0;
    uint8_t cancelled_ = 0;
    int32_t state_ = kEntering;
    int32_t previous_ = -1;
    int32_t steps_ = 0;
    int32_t total_ = 0;
    int next_ = 0;
};
