// tmSeqTest02.cpp -- the replay listing test: the folder read once, one line per header.
#include "test/tmSeqTest02.h"

#include <cstdio>
#include <cstring>

#include "app/tmCameraCtrl.h"
#include "race/tmRaceState.h"
#include "race/tmReplay.h"
#include "table/CourseTable.h"

namespace {

constexpr int kCameraMode = 5;  // free look
constexpr int kFontHeight = 14;

// The name after the folder.
const char* BaseName(const char* path) {
    if (!path) return "";
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

std::string Describe(int index, const tmReplayHeader& h, const char* path) {
    const CourseRecord* course = GetCourseRecord(static_cast<int>(h.setup.course));
    char time[24];
    if (h.totalMs >= kNoTimeMs)
        std::snprintf(time, sizeof time, "-:--.---");
    else
        std::snprintf(time, sizeof time, "%u:%02u.%03u", h.totalMs / 60000u, h.totalMs / 1000u % 60u,
                      h.totalMs % 1000u);
    char line[512];
    std::snprintf(line, sizeof line, "%3d %s  %-16s %-22s mode %u  cars %2u  %s", index, BaseName(path), h.playerName,
                  course ? course->name : "?", h.setup.mode, h.setup.count, time);
    return line;
}

}  // namespace

tmSeqTest02::tmSeqTest02() = default;

tmSeqTest02::~tmSeqTest02() {
    if (camera_) Term();
}

void tmSeqTest02::Init() {
    KeepDebugFont(kFontHeight, false);
    camera_ = std::make_unique<tmCameraCtrl>();
    camera_->Init();
    camera_->SetMode(kCameraMode);
    camera_->Update();
    ReadReplays();
    frameCount_ = 0;
}

void tmSeqTest02::ReadReplays() {
    lines_.clear();
    tmArray<tmReplayHeader> headers;
    tmArray<sys::tmVariant> names;
    if (!tmReplay::ListReplays(&headers, &names)) return;
    for (int i = 0; i < headers.GetCount(); ++i)
        lines_.push_back(Describe(i, headers[i], i < names.GetCount() ? names[i].GetString() : nullptr));
}

int tmSeqTest02::Update() {
    if (LeaveTriggered()) return kNextId;
    if (camera_) camera_->Update();
    ++frameCount_;
    return 0;
}

void tmSeqTest02::Draw() {
    PrintTitle("Test02 ( %4d )");
    if (camera_) camera_->UpdateView();
    PrintLine(1, "Replay files: %d", GetReplayCount());
    const int shown = GetReplayCount() < kShownLines ? GetReplayCount() : kShownLines;
    for (int i = 0; i < shown; ++i) PrintLine(2 + i, "%s", lines_[static_cast<size_t>(i)].c_str());
}

void tmSeqTest02::Term() {
    camera_.reset();
    lines_.clear();
    DropDebugFont();
}
