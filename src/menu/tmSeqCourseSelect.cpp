// tmSeqCourseSelect.cpp -- the course select's cursor, leave and race-state writes.
#include "menu/tmSeqCourseSelect.h"

#include "app/tmConfig.h"
#include "menu/tmCourseSelectFrontend.h"
#include "menu/tmMenuCommon.h"
#include "menu/tmMenuFlow.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmInputActions.h"
#include "sys/text/tmConsole.h"

const uint32_t tmSeqCourseSelect::kOrder[kCourseCount] = {3, 2, 4, 6, 7, 5, 9, 8, 10, 12, 13, 11};

tmSeqCourseSelect::tmSeqCourseSelect() = default;
tmSeqCourseSelect::~tmSeqCourseSelect() { Term(); }

void tmSeqCourseSelect::Init() {
    frontend_ = TM_NEW tmCourseSelectFrontend();
    frontend_->Init();
    cursor_ = 0;
    cancelled_ = 0;
    state_ = kEntering;
    previous_ = -1;
    steps_ = 0;
    total_ = 0;
    next_ = 0;
    tmMenu::PlayMusic(tmMusicStream::kSelect);
}

void tmSeqCourseSelect::Term() {
    TM_DELETE(frontend_);
    frontend_ = nullptr;
}

// The course under the cursor and the set-up: a direct network race takes the course only.
void tmSeqCourseSelect::WriteRaceState() const {
    tmRaceState& rs = tmRaceState::Get();
    rs.setup.course = kOrder[cursor_];
    if (rs.setup.mode == kRaceModeDirect) return;
    if (rs.setup.mode == kRaceModeSingle) rs.setup.count = 1;
    const tmConfig& cfg = tmConfig::GetInstance();
    rs.setup.difficulty = static_cast<uint32_t>(cfg.GetGameOption1());
    rs.setup.laps = static_cast<uint32_t>(cfg.GetGameOption2());
}

int tmSeqCourseSelect::Update() {
    if (state_ != previous_) {
        previous_ = state_;
        steps_ = 0;
    }
    switch (state_) {
        case kEntering: state_ = kChoosing; break;
        case kChoosing: {
            int move = 0;
            if (tmMenu::Repeated(tmAction::kRight)) move = 1;
            if (tmMenu::Repeated(tmAction::kLeft)) move = -1;
            if (move != 0) {
                cursor_ = (cursor_ + move + kCourseCount) % kCourseCount;
                tmMenu::PlaySound(tmMenuSound::kSkip);
                tmMenu::PlaySound(tmMenuSound::kCursor);
            }
            if (tmMenu::Cancel()) {
                state_ = kLeaving;
                cancelled_ = 1;
                tmMenu::PlaySound(tmMenuSound::kBack);
            } else if (tmMenu::Decide()) {
                state_ = kLeaving;
                tmMenu::PlaySound(tmMenuSound::kDecide);
            }
            break;
        }
        case kLeaving:
            if (steps_ == 0) frontend_->Leave();
            if (frontend_->IsDone() && next_ == 0) {
                WriteRaceState();
                const uint32_t mode = tmRaceState::Get().setup.mode;
                if (!tmMenuFlow::IsNormalPlay())
                    next_ = 1;
                else if (cancelled_)
                    next_ = kSeqMainMenu;
                else if (mode == kRaceModeLobby || mode == kRaceModeDirect)
                    next_ = kSeqLoading;
                else
                    next_ = kSeqMachineSelect;
                if (next_ != kSeqMachineSelect) tmMenu::StopMusic();
            }
            break;
        default: break;
    }
    frontend_->Update(kOrder[cursor_]);
    ++steps_;
    ++total_;
    return next_;
}

void tmSeqCourseSelect::Draw() {
    tmConsole::SetCursor(1, 1, 0);
    tmConsole::Printf("CourseSelect");
    tmConsole::SetCursor(1, 2, 0);
    tmConsole::Printf("Press Esc to Return. ( %d )", total_);
    if (frontend_) frontend_->Draw();
}
