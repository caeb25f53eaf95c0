// tmCourseSelectFrontend.cpp -- placing, moving and drawing the course select's sprites.
#include "menu/tmCourseSelectFrontend.h"

#include "menu/tmMenuCommon.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmConsole.h"
#include "table/ScreenLayoutTables.h"
#include "table/tmSpriteGroup.h"

namespace {
constexpr int kCommonGroup = 13;
constexpr int kCourseSelectGroup = 14;
constexpr uint32_t kFirstCourse = 3;  // shown when the screen opens
constexpr float kInformationEase = 0.15f;
constexpr float kMarkerPulseSpeed = 0.07f, kMarkerPulseAmplitude = -0.3f;

// Selected and unselected places of a course's map, difficulty, information and board.
const SpriteTarget kSelected[4] = {{311, 120, 1, 0}, {-171, 123, 1, 0}, {-171, 204, 1, 0}, {-171, 0, 1, 0}};
const SpriteTarget kUnselected[4] = {{567, 120, 0, 0}, {-939, 123, 1, 0}, {-171, 332, 0, 0}, {-171, 0, 0, 0}};
// The frames' leave; the marker goes up out of the strip.
const SpriteTarget kFrameLeave[2] = {{-171, -128, 1, 0}, {-171, 778, 1, 0}};
const SpriteTarget kMarkerLeave = {460, -128, 1, 0};

float StripX(uint32_t course) { return CourseSelectTable[course].stripX; }
}  // namespace

tmCourseSelectFrontend::~tmCourseSelectFrontend() { Release(); }

const tmSpriteTween* tmCourseSelectFrontend::GetPiece(uint32_t course, int piece) const {
    return course < kCourses && piece >= 0 && piece < kPieces ? pieces_[course][piece] : nullptr;
}

void tmCourseSelectFrontend::Init() {
    tmDraw::GetInstance()->SetClearColor(0xFFFFFFFFu);
    tmSpriteGroup::Load(kCommonGroup);
    tmSpriteGroup::Load(kCourseSelectGroup);
    for (const CourseSelectRecord& r : CourseSelectTable)
        if (r.spriteGroup) tmSpriteGroup::Load(static_cast<int>(r.spriteGroup));
    loaded_ = true;
    for (int f = 0; f < kFrames; ++f) {
        frames_[f] = tmMenu::MakeTween(CourseSelectFramePlacements[f]);
        const SpriteTarget& t = CourseSelectFrameTargets[f];
        frames_[f]->MoveTo(t, static_cast<int32_t>(t.delay));
    }
    frames_[kMarker]->pulseSpeed = kMarkerPulseSpeed;
    frames_[kMarker]->pulseAmplitude = kMarkerPulseAmplitude;
    shown_ = kFirstCourse;
    const float offset = StripX(kFirstCourse) - kIconX;
    for (uint32_t c = 0; c < kCourses; ++c) {
        const CourseSelectRecord& r = CourseSelectTable[c];
        const uint32_t sprites[kPieces] = {r.layoutMap, r.difficulty, r.information, r.board, r.stripIcon};
        for (int p = 0; p < kPieces; ++p) {
            SpritePlacement place = CourseSelectPlacements[p];
            place.spriteId = sprites[p];
            if (p == kIcon) place.x = r.stripX - offset;
            pieces_[c][p] = tmMenu::MakeTween(place);
        }
        pieces_[c][kInformation]->ease = kInformationEase;
    }
    // The first course is shown from the start.
    MoveCourse(kFirstCourse, true);
    waitCounter_ = 0;
    waitLimit_ = kEnterWait;
    leaveCounter_ = 0;
    steps_ = 0;
}

void tmCourseSelectFrontend::MoveCourse(uint32_t course, bool selected) {
    const SpriteTarget* places = selected ? kSelected : kUnselected;
    for (int p = 0; p < kIcon; ++p) pieces_[course][p]->MoveTo(places[p], 0);
}

bool tmCourseSelectFrontend::Update(uint32_t course) {
    tmMenu::UpdateTweens(frames_, kFrames);
    for (auto& c : pieces_) tmMenu::UpdateTweens(c, kPieces);
    if (leaveCounter_ != 0) ++leaveCounter_;
    const bool busy = waitCounter_++ <= waitLimit_ && leaveCounter_ == 0;
    if (busy) return false;
    if (course != shown_ && course < kCourses && leaveCounter_ == 0) {
        shown_ = course;
        for (uint32_t c = 0; c < kCourses; ++c) MoveCourse(c, c == course);
        const float offset = StripX(course) - kIconX;
        for (uint32_t c = 0; c < kCourses; ++c) tmMenu::Move(pieces_[c][kIcon], StripX(c) - offset, 0.0f, 1.0f);
    }
    ++steps_;
    return true;
}

void tmCourseSelectFrontend::Leave() {
    frames_[kTopFrame]->MoveTo(kFrameLeave[0], 0);
    frames_[kBottomFrame]->MoveTo(kFrameLeave[1], 0);
    frames_[kMarker]->MoveTo(kMarkerLeave, 0);
    frames_[kMarker]->ease = 0.2f;
    for (uint32_t c = 0; c < kCourses; ++c) {
        MoveCourse(c, false);
        tmMenu::Move(pieces_[c][kIcon], StripX(c), -128.0f, 1.0f);
    }
    waitCounter_ = 0;
    waitLimit_ = kLeaveWait;
    leaveCounter_ = 1;
}

void tmCourseSelectFrontend::Draw() const {
    if (!frames_[0]) return;
    for (const auto& c : pieces_) c[kBoard]->Draw();
    for (uint32_t c = 0; c < kCourses; ++c) {
        const tmSpriteTween* map = pieces_[c][kMap];
        map->Draw();
        const CourseSelectRecord& r = CourseSelectTable[c];
        if (r.partSprite) map->DrawPart({r.partSprite, r.partOffsetX, r.partOffsetY, r.partAlpha}, 1.0f, 1.0f);
    }
    for (const auto& c : pieces_) c[kDifficulty]->Draw();
    for (const auto& c : pieces_) c[kInformation]->Draw();
    frames_[kTopFrame]->Draw();
    frames_[kBottomFrame]->Draw();
    for (const auto& c : pieces_) c[kIcon]->Draw();
    frames_[kMarker]->Draw();
    tmConsole::SetColor(0xFFFFFFFFu);
    tmConsole::SetCursor(1, 3, 0);
    tmConsole::Printf("CourseSelectFE. ( %d )", steps_);
}

void tmCourseSelectFrontend::Release() {
    tmMenu::DeleteTweens(frames_, kFrames);
    for (auto& c : pieces_) tmMenu::DeleteTweens(c, kPieces);
    if (!loaded_) return;
    tmSpriteGroup::Unload(kCommonGroup);
    tmSpriteGroup::Unload(kCourseSelectGroup);
    for (const CourseSelectRecord& r : CourseSelectTable)
        if (r.spriteGroup) tmSpriteGroup::Unload(static_cast<int>(r.spriteGroup));
    loaded_ = false;
}
