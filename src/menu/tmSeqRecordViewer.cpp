// tmSeqRecordViewer.cpp -- the record viewer's marks, course cursor, leave and drawing.
#include "menu/tmSeqRecordViewer.h"

#include <algorithm>

#include "app/tmConfig.h"
#include "content_tables.h"
#include "menu/tmMenuCommon.h"
#include "sys/input/tmInputActions.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmConsole.h"
#include "table/tmSpriteGroup.h"

const uint32_t tmSeqRecordViewer::kCourseOrder[kCourseCount] = {3, 9, 2, 8, 4, 10, 6, 12, 5, 11, 7, 13};
const uint32_t tmSeqRecordViewer::kRowMachines[kRows] = {1, 9, 2, 3, 4, 5, 6, 7, 8, 10, 11};

namespace {
constexpr int kCommonGroup = 13;
constexpr int kRecordGroup = 40;
constexpr int kBackgroundGroup = 38;
constexpr float kRowX = 0.0f, kRowY = 136.0f, kRowStep = 40.0f, kRowOutX = 1408.0f;
constexpr int32_t kRowDelay = 20;
constexpr float kVeilScaleX = 1.3339844f, kVeilScaleY = 1.25f;

const SpritePlacement kFramePlaces[tmSeqRecordViewer::kFrames] = {
    {-171.0f, 0.0f, 1.0f, content::SPR_MM_BG_PLUS, 0, 0.0f, 0.0f},
    {-171.0f, 0.0f, 0.0f, content::SPR_RV_FRAME_VEIL, 0, 0.0f, 0.0f},
    {-171.0f, -64.0f, 1.0f, content::SPR_RV_FRAME_HEAD_A, content::SPR_RV_FRAME_HEAD_B, 1023.0f, 0.0f},
    {0.0f, 96.0f, 0.0f, content::SPR_RV_FRAME_COLUMNS, 0, 0.0f, 0.0f},
    {0.0f, 52.0f, 0.0f, content::SPR_RV_FRAME_COURSE, 0, 0.0f, 0.0f},
    {-171.0f, 768.0f, 1.0f, content::SPR_RV_FRAME_FOOT_A, content::SPR_RV_FRAME_FOOT_B, 1023.0f, 0.0f},
};
const SpriteTarget kFrameIn[tmSeqRecordViewer::kFrames] = {{-171, 0, 1, 0}, {-171, 0, 1, 0}, {-171, 0, 1, 0},
                                                           {0, 96, 1, 10},  {0, 52, 1, 10},  {-171, 704, 1, 0}};
const SpriteTarget kFrameOut[tmSeqRecordViewer::kFrames] = {{-171, 0, 1, 0}, {-171, 0, 0, 0}, {-171, -64, 1, 0},
                                                            {0, 96, 0, 0},   {0, 52, 0, 0},   {-171, 768, 1, 0}};

uint32_t CourseTitle(uint32_t course) {
    static const uint32_t kTitles[14] = {0,
                                         0,
                                         content::SPR_RV_STR_COURSE_SPAIN2022,
                                         content::SPR_RV_STR_COURSE_NISEKO2022,
                                         content::SPR_RV_STR_COURSE_BERLIN2022,
                                         content::SPR_RV_STR_COURSE_QIR2022,
                                         content::SPR_RV_STR_COURSE_SYDNEY2022,
                                         content::SPR_RV_STR_COURSE_CANADA2022,
                                         content::SPR_RV_STR_COURSE_SPAIN2023,
                                         content::SPR_RV_STR_COURSE_NISEKO2023,
                                         content::SPR_RV_STR_COURSE_BERLIN2023,
                                         content::SPR_RV_STR_COURSE_QIR2023,
                                         content::SPR_RV_STR_COURSE_SYDNEY2023,
                                         content::SPR_RV_STR_COURSE_CANADA2023};
    return course < 14 ? kTitles[course] : 0;
}

static_assert(content::SPR_RV_STR_MACHINE_CUSTRELS == content::SPR_RV_STR_MACHINE_TORVIN + 10,
              "the machine labels run in machine id order");
uint32_t MachineLabel(uint32_t machine) {
    return machine >= 1 && machine <= 11 ? content::SPR_RV_STR_MACHINE_TORVIN + (machine - 1) : 0;
}
}  // namespace

void tmSeqRecordViewer::Init() {
    tmDraw::GetInstance()->SetClearColor(0xFFFFFFFFu);
    tmSpriteGroup::Load(kCommonGroup);
    tmSpriteGroup::Load(kRecordGroup);
    tmSpriteGroup::Load(kBackgroundGroup);
    loaded_ = true;
    for (int i = 0; i < kRows; ++i) {
        const float y = kRowY + kRowStep * i;
        rows_[i] = tmMenu::MakeTween({kRowOutX, y, 1.0f, content::SPR_RV_BAR_MACHINE_BASE, 0, 0.0f, 0.0f});
        tmMenu::Move(rows_[i], kRowX, y, 1.0f, kRowDelay);
    }
    for (int f = 0; f < kFrames; ++f) {
        frames_[f] = tmMenu::MakeTween(kFramePlaces[f]);
        frames_[f]->MoveTo(kFrameIn[f], static_cast<int32_t>(kFrameIn[f].delay));
    }
    frames_[kVeil]->scaleX = kVeilScaleX;
    frames_[kVeil]->scaleY = kVeilScaleY;
    font_.Setup(content::SPR_CM_FONT01, 512.0f, 128.0f, 20.0f, 20.0f, 16.0f);
    cursor_ = 0;
    for (int m = 0; m < 16; ++m) raceMark_[m] = lapMark_[m] = 0;
    next_ = 0;
    total_ = 0;
    waitCounter_ = 0;
    waitLimit_ = 60;
    tmMenu::StopMusic();
    tmMenu::PlayMusic(tmMusicStream::kViewers);
}

void tmSeqRecordViewer::Term() {
    tmMenu::DeleteTweens(frames_, kFrames);
    tmMenu::DeleteTweens(rows_, kRows + 1);
    if (!loaded_) return;
    tmSpriteGroup::Unload(kCommonGroup);
    tmSpriteGroup::Unload(kRecordGroup);
    tmSpriteGroup::Unload(kBackgroundGroup);
    tmMenu::StopMusic();
    loaded_ = false;
}

// Every machine at the smallest time of a column gets its mark; with no time at all, every machine does.
void tmSeqRecordViewer::ComputeMarks() {
    const tmConfig& cfg = tmConfig::GetInstance();
    const int course = static_cast<int>(GetCourse());
    int bestRace = tmConfig::kNoTime, bestLap = tmConfig::kNoTime;
    for (int m = 1; m <= 11; ++m) {
        bestRace = std::min(bestRace, cfg.GetModeRecord(kRecordLaps, course, m));
        bestLap = std::min(bestLap, cfg.GetModeCourseRecord(course, m));
    }
    for (int m = 1; m <= 11; ++m) {
        raceMark_[m] = cfg.GetModeRecord(kRecordLaps, course, m) == bestRace;
        lapMark_[m] = cfg.GetModeCourseRecord(course, m) == bestLap;
    }
}

uint32_t tmSeqRecordViewer::BarOf(uint32_t machine) const {
    const bool race = HasRaceMark(machine), lap = HasLapMark(machine);
    if (race && lap) return content::SPR_RV_BAR_MACHINE_BEST;
    if (race) return content::SPR_RV_BAR_MACHINE_TOTALBEST;
    if (lap) return content::SPR_RV_BAR_MACHINE_LAPBEST;
    return content::SPR_RV_BAR_MACHINE_BASE;
}

int tmSeqRecordViewer::Update() {
    ComputeMarks();
    tmMenu::UpdateTweens(frames_, kFrames);
    tmMenu::UpdateTweens(rows_, kRows);
    if (next_ == 0 && (tmMenu::Decide() || tmMenu::Cancel())) {
        tmMenu::PlaySound(tmMenuSound::kLeave);
        for (int f = 0; f < kFrames; ++f) frames_[f]->MoveTo(kFrameOut[f], static_cast<int32_t>(kFrameOut[f].delay));
        for (int i = 0; i < kRows; ++i) tmMenu::Move(rows_[i], kRowOutX, rows_[i]->y, 1.0f, i * 2);
        waitCounter_ = 0;
        waitLimit_ = 70;
        next_ = tmMenu::NextId(kSeqMainMenu);
    }
    if (tmMenu::Triggered(tmAction::kRight)) {
        cursor_ = (cursor_ + 1) % kCourseCount;
        tmMenu::PlaySound(tmMenuSound::kCursor);
    } else if (tmMenu::Triggered(tmAction::kLeft)) {
        cursor_ = (cursor_ + kCourseCount - 1) % kCourseCount;
        tmMenu::PlaySound(tmMenuSound::kCursor);
    }
    if (waitCounter_++ <= waitLimit_) return 0;
    ++total_;
    return next_;
}

void tmSeqRecordViewer::Draw() {
    tmConsole::SetCursor(1, 1, 0);
    tmConsole::Printf("Trophy Viewer. ( %d )", total_);
    if (!frames_[0]) return;
    for (int f = kBackground; f <= kColumns; ++f) frames_[f]->Draw();
    frames_[kCourse]->Draw();
    frames_[kCourse]->DrawPart({CourseTitle(GetCourse()), 256.0f, 4.0f, 1.0f}, 1.0f, 1.0f);
    frames_[kFoot]->Draw();
    const tmConfig& cfg = tmConfig::GetInstance();
    const int course = static_cast<int>(GetCourse());
    for (int i = 0; i < kRows; ++i) {
        tmSpriteTween* row = rows_[i];
        const uint32_t machine = kRowMachines[i];
        row->spriteId = BarOf(machine);
        if (!row->Draw()) continue;
        row->DrawPart({MachineLabel(machine), 144.0f, 16.0f, 1.0f}, 1.0f, 1.0f);
        const int race = cfg.GetModeRecord(kRecordLaps, course, static_cast<int>(machine));
        const int lap = cfg.GetModeCourseRecord(course, static_cast<int>(machine));
        font_.DrawTime(static_cast<uint32_t>(race), row->x + 512.0f, row->y + 14.0f, 1.0f,
                       tmSpritePlacement::kVirtualScreen, 0xFFFFFFFFu, 1);
        font_.DrawTime(static_cast<uint32_t>(lap), row->x + 716.0f, row->y + 14.0f, 1.0f,
                       tmSpritePlacement::kVirtualScreen, 0xFFFFFFFFu, 1);
    }
}
