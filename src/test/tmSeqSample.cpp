// tmSeqSample.cpp -- the sample test screen: wait for a leave key, then back to the debug menu.
#include "test/tmSeqSample.h"

namespace {
constexpr int kFontHeight = 14;
}

tmSeqSample::~tmSeqSample() {
    if (started_) Term();
}

void tmSeqSample::Init() {
    state_ = kWaiting;
    frameCount_ = 0;
    KeepDebugFont(kFontHeight, false);
    started_ = true;
}

int tmSeqSample::Update() {
    if (state_ == kLeaving) return kNextId;
    if (LeaveTriggered()) {
        state_ = kLeaving;
    } else {
        DisplayModeKeys();
    }
    ++frameCount_;
    return 0;
}

void tmSeqSample::Draw() { PrintTitle("Press Enter to Return. ( %d )"); }

void tmSeqSample::Term() {
    DropDebugFont();
    started_ = false;
}
