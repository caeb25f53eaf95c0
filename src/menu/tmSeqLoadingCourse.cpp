// tmSeqLoadingCourse.cpp -- the loading screen's sprites, its three states and the group loading.
#include "menu/tmSeqLoadingCourse.h"

#include "content_tables.h"
#include "menu/tmSpriteTween.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "sys/text/tmConsole.h"
#include "table/CourseTable.h"
#include "table/MachineTable.h"
#include "table/ScreenLayoutTables.h"
#include "table/tmSpriteGroup.h"
#include "table/yiResourceGroup.h"

namespace {

constexpr int kCommonGroup = 13;
constexpr int kLoadingGroup = 21;
constexpr int kSharedEffectsGroup = 32;
constexpr uint32_t kFinalLabel = 7;
constexpr float kInfoBarScaleX = 22.34375f;

enum State : uint32_t { kShowing = 0, kLeaving = 1, kWaiting = 2 };

struct CourseRow {
    int spriteGroup;
    uint32_t board;
    uint32_t label;
};
// By course id 2..13.
const CourseRow kCourses[12] = {
    {9, content::SPR_BOARD_SPAIN, content::SPR_LC_INFOBAR_STR_SPAIN2022},
    {7, content::SPR_BOARD_NISEKO, content::SPR_LC_INFOBAR_STR_NISEKO2022},
    {1, content::SPR_BOARD_BERLIN, content::SPR_LC_INFOBAR_STR_BERLIN2022},
    {5, content::SPR_BOARD_QIR, content::SPR_LC_INFOBAR_STR_QIR2022},
    {11, content::SPR_BOARD_SYDNEY, content::SPR_LC_INFOBAR_STR_SYDNEY2022},
    {3, content::SPR_BOARD_CANADA, content::SPR_LC_INFOBAR_STR_CANADA2022},
    {10, content::SPR_BOARD_SPAIN_REV, content::SPR_LC_INFOBAR_STR_SPAIN2023},
    {8, content::SPR_BOARD_NISEKO_REV, content::SPR_LC_INFOBAR_STR_NISEKO2023},
    {2, content::SPR_BOARD_BERLIN_REV, content::SPR_LC_INFOBAR_STR_BERLIN2023},
    {6, content::SPR_BOARD_QIR_REV, content::SPR_LC_INFOBAR_STR_QIR2023},
    {12, content::SPR_BOARD_SYDNEY_REV, content::SPR_LC_INFOBAR_STR_SYDNEY2023},
    {4, content::SPR_BOARD_CANADA_REV, content::SPR_LC_INFOBAR_STR_CANADA2023},
};

const uint32_t kCupLabels[8] = {content::SPR_LC_INFOBAR_STR_RACE_OPEN, content::SPR_LC_INFOBAR_STR_RACE02,
                                content::SPR_LC_INFOBAR_STR_RACE03,    content::SPR_LC_INFOBAR_STR_RACE04,
                                content::SPR_LC_INFOBAR_STR_RACE05,    content::SPR_LC_INFOBAR_STR_RACE06,
                                content::SPR_LC_INFOBAR_STR_RACE07,    content::SPR_LC_INFOBAR_STR_RACE_FINAL};

// The board and its copy: where they are placed, enter and leave. The copy
// glides in from the other side a little later and settles as a soft glow
// over the board.
constexpr SpritePlacement kBoardStart = {-251.0f, -60.0f, 0.0f, 0, 0, 0.0f, 0.0f};
constexpr SpritePlacement kCopyStart = {-91.0f, -60.0f, 0.0f, 0, 0, 0.0f, 0.0f};
constexpr SpriteTarget kBoardEntry = {-171.0f, -60.0f, 1.0f, 0};
constexpr SpriteTarget kCopyEntry = {-171.0f, -60.0f, 0.3f, 10};
constexpr SpriteTarget kBoardLeave = {-251.0f, -60.0f, 0.0f, 0};
constexpr SpriteTarget kCopyLeave = {-91.0f, -60.0f, 0.0f, 0};

void LoadGroup(int id) {
    if (const yiResourceGroup* g = yiResourceGroup::Get(id)) g->Load();
}

}  // namespace

uint32_t tmSeqLoadingCourse::BoardSprite(uint32_t course) {
    return course >= 2 && course <= 13 ? kCourses[course - 2].board : 0;
}
uint32_t tmSeqLoadingCourse::CourseLabel(uint32_t course) {
    return course >= 2 && course <= 13 ? kCourses[course - 2].label : 0;
}
int tmSeqLoadingCourse::CourseSpriteGroup(uint32_t course) {
    return course >= 2 && course <= 13 ? kCourses[course - 2].spriteGroup : 0;
}
uint32_t tmSeqLoadingCourse::CupLabel(uint32_t index) { return kCupLabels[index < 8 ? index : kFinalLabel]; }

void tmSeqLoadingCourse::Init() {
    state_ = kShowing;
    previous_ = 0xFFFFFFFFu;
    steps_ = 0;
    total_ = 0;
    const tmRaceState& rs = tmRaceState::Get();
    course_ = rs.setup.course;
    cupLabel_ = rs.IsLastCupRace() ? kFinalLabel : std::min<uint32_t>(rs.cup.raceIndex, kFinalLabel);
    tmSpriteGroup::Load(kCommonGroup);
    tmSpriteGroup::Load(kLoadingGroup);
    courseGroup_ = CourseSpriteGroup(course_);
    if (courseGroup_) tmSpriteGroup::Load(courseGroup_);

    if (const uint32_t board = BoardSprite(course_)) {
        SpritePlacement p = kBoardStart;
        p.spriteId = board;
        sprites_[kBoard] = TM_NEW tmSpriteTween();
        sprites_[kBoard]->SetTarget(p);
        sprites_[kBoard]->MoveTo(kBoardEntry, static_cast<int32_t>(kBoardEntry.delay));
        p = kCopyStart;
        p.spriteId = board;
        sprites_[kBoardCopy] = TM_NEW tmSpriteTween();
        sprites_[kBoardCopy]->SetTarget(p);
        sprites_[kBoardCopy]->MoveTo(kCopyEntry, static_cast<int32_t>(kCopyEntry.delay));
    }
    sprites_[kInfoBar] = TM_NEW tmSpriteTween();
    sprites_[kInfoBar]->SetTarget(LoadingPlacements[0]);
    sprites_[kInfoBar]->MoveTo(LoadingShownTargets[0], static_cast<int32_t>(LoadingShownTargets[0].delay));
    sprites_[kInfoBar]->scaleX = kInfoBarScaleX;
    if (rs.setup.mode == kRaceModeCup) {
        SpritePlacement p = LoadingPlacements[1];
        p.spriteId = CupLabel(cupLabel_);
        p.secondSpriteId = CourseLabel(course_);
        sprites_[kCupLabel] = TM_NEW tmSpriteTween();
        sprites_[kCupLabel]->SetTarget(p);
        sprites_[kCupLabel]->MoveTo(LoadingShownTargets[1], static_cast<int32_t>(LoadingShownTargets[1].delay));
    } else {
        SpritePlacement p = LoadingPlacements[2];
        p.spriteId = CourseLabel(course_);
        p.secondSpriteId = 0;
        sprites_[kCourseLabel] = TM_NEW tmSpriteTween();
        sprites_[kCourseLabel]->SetTarget(p);
        sprites_[kCourseLabel]->MoveTo(LoadingShownTargets[2], static_cast<int32_t>(LoadingShownTargets[2].delay));
    }
}

void tmSeqLoadingCourse::LoadRaceGroups() {
    const tmRaceState& rs = tmRaceState::Get();
    if (const CourseRecord* course = GetCourseRecord(static_cast<int>(rs.setup.course))) {
        if (const yiResourceGroup* g = yiResourceGroup::Get(course->groupId)) {
            g->Load();
            if (course->cubeMap[0] != '\0') g->LoadCubeTexture(course->cubeMap);
        }
    }
    LoadGroup(kSharedEffectsGroup);
    const auto loadMachine = [](uint32_t machineId) {
        const MachineSpec* spec = GetMachineSpec(static_cast<int>(machineId));
        if (!spec) return;
        LoadGroup(spec->bankGroup);
        if (spec->secondBankGroup != -1) LoadGroup(spec->secondBankGroup);
    };
    if (rs.IsNetworkMode()) {
        for (uint32_t m = kFirstMachineId; m <= kLastMachineId; ++m) loadMachine(m);
    } else {
        const uint32_t count = std::min<uint32_t>(rs.setup.count, kRaceEntrants);
        for (uint32_t i = 0; i < count; ++i) loadMachine(rs.entrants[i].machineId);
    }
}

int tmSeqLoadingCourse::Update() {
    if (state_ != previous_) {
        previous_ = state_;
        steps_ = 0;
    }
    int next = 0;
    switch (state_) {
        case kShowing:
            if (steps_ >= kShowSteps) {
                LoadRaceGroups();
                state_ = kLeaving;
            }
            break;
        case kLeaving:
            if (sprites_[kBoard]) sprites_[kBoard]->MoveTo(kBoardLeave, static_cast<int32_t>(kBoardLeave.delay));
            if (sprites_[kBoardCopy]) sprites_[kBoardCopy]->MoveTo(kCopyLeave, static_cast<int32_t>(kCopyLeave.delay));
            for (int e = kInfoBar; e < kElements; ++e) {
                const SpriteTarget& leave = LoadingHiddenTargets[e == kInfoBar ? 0 : e == kCupLabel ? 1 : 2];
                if (sprites_[e]) sprites_[e]->MoveTo(leave, static_cast<int32_t>(leave.delay));
            }
            state_ = kWaiting;
            break;
        case kWaiting:
            if (steps_ >= kWaitSteps) next = tmRaceState::Get().IsNetworkMode() ? kSeqJoinRace : kSeqRace;
            break;
        default: break;
    }
    for (tmSpriteTween* s : sprites_)
        if (s) s->Update();
    ++steps_;
    ++total_;
    return next;
}

void tmSeqLoadingCourse::Draw() {
    const CourseRecord* course = GetCourseRecord(static_cast<int>(course_));
    tmConsole::SetCursor(1, 1, 0);
    tmConsole::Printf("Loading Course");
    tmConsole::SetCursor(1, 2, 0);
    tmConsole::Printf("[%s]", course ? course->name : "");
    tmConsole::SetCursor(1, 3, 0);
    tmConsole::Printf("Press Esc to Return. ( %d )", total_);
    for (const tmSpriteTween* s : sprites_)
        if (s) s->Draw();
}

void tmSeqLoadingCourse::Term() {
    for (tmSpriteTween*& s : sprites_) {
        TM_DELETE(s);
        s = nullptr;
    }
    tmSpriteGroup::Unload(kCommonGroup);
    tmSpriteGroup::Unload(kLoadingGroup);
    if (courseGroup_) tmSpriteGroup::Unload(courseGroup_);
    courseGroup_ = 0;
}
