// tmCourseSelectFrontend.h -- the course select's drawing: boards, maps, information, difficulty and the strip.
#pragma once
#include <cstdint>

class tmSpriteTween;

// Everything the course select shows, as 73 eased sprites: three frames (top
// strip band, bottom bar, active marker) and per course id a layout map,
// difficulty, information panel, board and strip icon, from the course panel
// table. Update(course) glides the chosen course's pieces in and the others
// out and slides the strip so the chosen icon stands at x 460. Owned by the
// course select screen; loads its sprite groups (common, course select and
// each course's board) and unloads them when deleted.
class tmCourseSelectFrontend {
public:
    enum Frame { kTopFrame = 0, kBottomFrame = 1, kMarker = 2, kFrames = 3 };
    enum Piece { kMap = 0, kDifficulty = 1, kInformation = 2, kBoard = 3, kIcon = 4, kPieces = 5 };
    static constexpr int kCourses = 14;
    static constexpr float kIconX = 460.0f;  // where the chosen icon stands
    static constexpr int kEnterWait = 20;    // steps the first changes are held back
    static constexpr int kLeaveWait = 70;
    static constexpr int kLeaveDone = 30;  // leave steps before IsDone

    tmCourseSelectFrontend() = default;
    ~tmCourseSelectFrontend();
    tmCourseSelectFrontend(const tmCourseSelectFrontend&) = delete;
    tmCourseSelectFrontend& operator=(const tmCourseSelectFrontend&) = delete;

    void Init();
    // One step showing `course`; false while busy (the changes wait).
    bool Update(uint32_t course);
    void Leave();
    bool IsDone() const { return leaveCounter_ > kLeaveDone; }
    bool IsLeaving() const { return leaveCounter_ != 0; }
    void Draw() const;

    uint32_t GetShownCourse() const { return shown_; }
    const tmSpriteTween* GetFrame(int f) const { return f >= 0 && f < kFrames ? frames_[f] : nullptr; }
    const tmSpriteTween* GetPiece(uint32_t course, int piece) const;

private:
    void MoveCourse(uint32_t course, bool selected);
    void Release();

    tmSpriteTween* frames_[kFrames] = {};
    tmSpriteTween* pieces_[kCourses][kPieces] = {};
    uint32_t shown_ = 3;
    int32_t waitCounter_ = 0;
    int32_t waitLimit_ = kEnterWait;
    int32_t leaveCounter_ = 0;
    int32_t steps_ = 0;
    bool loaded_ = false;
};
