// tmSeqMenuDebug.cpp -- rows, race set-up and drawing of the debug menu.
#include "test/tmSeqMenuDebug.h"

#include <ctime>

#include "app/tmConfig.h"
#include "menu/tmMenuFlow.h"
#include "race/tmRaceState.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmDxFont.h"
#include "table/CourseTable.h"
#include "table/MachineTable.h"

namespace {

constexpr int kSetupMin[tmSeqMenuDebug::kSetupRows] = {0, 0, kFirstMachineId, kFirstCircuitId};
constexpr int kSetupMax[tmSeqMenuDebug::kSetupRows] = {1, 1, kLastMachineId, kLastCourseId};
const char* const kSetupLabels[tmSeqMenuDebug::kSetupRows] = {"Mode    :", "Ai      :", "Machine :", "Course  :"};
constexpr uint32_t kQuickCup = 1;  // the cup a Mode 1 set-up starts
constexpr int kFontHeight = 14;
constexpr int kColumn = 7;  // pixels per character column of the menu
constexpr int kLine = 16;   // pixels per row
constexpr int kLabelColumn = 8, kCursorColumn = 6, kValueColumn = 16, kFirstRow = 5;

// Prints a line at a character cell of the debug font.
void Print(int column, int row, const char* text) {
    tmDxFont* font = tmDxFont::GetInstance();
    if (!font) return;
    font->SetPositionRaw(column * kColumn, row * kLine);
    font->DrawText(text);
}

}  // namespace

// F-VIEW's value is the race display viewer's machine id - 1, so it stops at the last machine.
const tmSeqMenuDebug::Row tmSeqMenuDebug::kRowTable[kRows] = {
    {9, "C-VIEW", 0, 0, 0, kGo}, {10, "F-VIEW", 0, kLastMachineId - 1, 0, kGo},
    {22, "C-SEL", 0, 0, 0, kGo}, {24, "LOAD ", 0, 0, 0, kRaceSetup},
    {13, "TITLE", 0, 0, 1, kGo}, {25, "MAIN", 0, 0, 0, kRaceSetup},
    {29, "EXIT", 0, 0, 0, kGo},
};

void tmSeqMenuDebug::Init() {
    page_ = kList;
    cursor_ = 0;
    for (int r = 0; r < kRows; ++r) values_[r] = kRowTable[r].minimum;
    setupCursor_ = 0;
    for (int r = 0; r < kSetupRows; ++r) setup_[r] = kSetupMin[r];
    tmDraw::GetInstance()->SetClearColor(0xFF000000u);
    // The menu is text only, laid out on a grid its font height fits, whoever made the font before.
    font_.Acquire(kFontHeight, false);
}

void tmSeqMenuDebug::Navigate(int* cursor, int rows, int32_t* value, int32_t minimum, int32_t maximum) {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    if (!in) return;
    if (in->IsRepeat(tmAction::kDown, tmPlayer::kOne)) *cursor = (*cursor + 1) % rows;
    if (in->IsRepeat(tmAction::kUp, tmPlayer::kOne)) *cursor = (*cursor + rows - 1) % rows;
    if (value && maximum > minimum) {
        if (in->IsRepeat(tmAction::kRight, tmPlayer::kOne)) *value = *value >= maximum ? minimum : *value + 1;
        if (in->IsRepeat(tmAction::kLeft, tmPlayer::kOne)) *value = *value <= minimum ? maximum : *value - 1;
    }
}

void tmSeqMenuDebug::ApplyRaceSetup() const {
    tmRaceState& rs = tmRaceState::Get();
    const tmConfig& cfg = tmConfig::GetInstance();
    const uint32_t machine = static_cast<uint32_t>(setup_[kMachine]);
    if (setup_[kMode] == 1) rs.StartCup(kQuickCup, machine, 0);
    if (setup_[kMode] != 1) {
        rs.setup.count = 1;
        rs.setup.local = 0;
        rs.setup.difficulty = static_cast<uint32_t>(cfg.GetGameOption1());
        rs.setup.laps = static_cast<uint32_t>(cfg.GetGameOption2());
    }
    rs.setup.mode = static_cast<uint32_t>(setup_[kMode]);
    rs.setup.course = static_cast<uint32_t>(setup_[kCourse]);
    tmEntrant e = rs.entrants[0];
    e.machineId = machine;
    e.controllerType = setup_[kAi] == 1 ? kControllerComputer : kControllerPlayer;
    rs.SetEntrant(0, e);
    rs.ValidateSetup();
}

int tmSeqMenuDebug::Update() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    // Alt+Enter belongs to the window, not to the menu.
    const bool modifier = in && (in->IsKeyDown(tmKey::kLeftAlt) || in->IsKeyDown(tmKey::kRightAlt));
    const bool decide = in && in->IsDecideTriggered() && !modifier;
    switch (page_) {
        case kList: {
            const Row& row = kRowTable[cursor_];
            Navigate(&cursor_, kRows, &values_[cursor_], row.minimum, row.maximum);
            if (decide) {
                page_ = kRowTable[cursor_].page;
            } else if (in && in->IsEscapeTriggered()) {
                return kSeqQuit;
            }
            return 0;
        }
        case kGo: {
            const Row& row = kRowTable[cursor_];
            tmMenuFlow::SetNormalPlay(row.normalPlay != 0);
            tmMenuFlow::SetDebugParameter(values_[cursor_]);
            return static_cast<int>(row.nextId);
        }
        case kRaceSetup:
            Navigate(&setupCursor_, kSetupRows, &setup_[setupCursor_], kSetupMin[setupCursor_],
                     kSetupMax[setupCursor_]);
            if (decide) {
                ApplyRaceSetup();
                page_ = kGo;
            } else if (in && (in->IsEscapeTriggered() || in->IsCancelTriggered())) {
                page_ = kList;
            }
            return 0;
        default: return 0;
    }
}

void tmSeqMenuDebug::DrawList() const {
    char text[64];
    for (int r = 0; r < kRows; ++r) {
        const Row& row = kRowTable[r];
        Print(kLabelColumn, kFirstRow + r, row.label);
        if (row.maximum > row.minimum) {
            std::snprintf(text, sizeof text, "[%2d]", values_[r]);
            Print(kValueColumn, kFirstRow + r, text);
        }
        if (row.normalPlay) Print(kValueColumn, kFirstRow + r, "[Sequence]");
    }
    Print(kCursorColumn, kFirstRow + cursor_, "\x81\xa8");  // the arrow mark in the program's text encoding
}

void tmSeqMenuDebug::DrawRaceSetup() const {
    char text[320];
    for (int r = 0; r < kSetupRows; ++r) {
        std::snprintf(text, sizeof text, "%s %2d", kSetupLabels[r], setup_[r]);
        if (r == kMachine) {
            const MachineSpec* spec = GetMachineSpec(setup_[r]);
            std::snprintf(text, sizeof text, "%s %2d [%s]", kSetupLabels[r], setup_[r], spec ? spec->displayName : "");
        } else if (r == kCourse) {
            const CourseRecord* course = GetCourseRecord(setup_[r]);
            std::snprintf(text, sizeof text, "%s %2d [%s]", kSetupLabels[r], setup_[r], course ? course->name : "");
        }
        Print(kLabelColumn, kFirstRow + r, text);
    }
    Print(kCursorColumn, kFirstRow + setupCursor_, "\x81\xa8");
}

void tmSeqMenuDebug::Draw() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[96];
    std::snprintf(text, sizeof text, "%d年%02d月%02d日 %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    Print(1, 1, text);
    if (page_ == kRaceSetup)
        DrawRaceSetup();
    else
        DrawList();
}

void tmSeqMenuDebug::Term() { font_.Release(); }
