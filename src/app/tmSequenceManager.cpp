// tmSequenceManager.cpp -- screen creation, per-step update, switching and play counters.
#include "app/tmSequenceManager.h"

#include "app/tmConfig.h"
#include "platform/clock/Clock.h"

namespace {
int g_previousId = 0;
bool ValidId(int id) { return id >= tmSequenceFactory::kFirstId && id <= tmSequenceFactory::kLastId; }
}  // namespace

int tmSequenceManager::GetPreviousId() { return g_previousId; }

tmSequenceManager::tmSequenceManager(const tmSequenceFactory& factory) : factory_(factory) {}

tmSequenceManager::~tmSequenceManager() { Release(); }

void tmSequenceManager::Reset(int first) {
    screen_.reset();
    currentId_ = 0;
    nextId_ = first;
    stepsInSequence_ = 0;
    updatesSinceDraw_ = 0;
}

void tmSequenceManager::Create() {
    g_previousId = currentId_;
    currentId_ = nextId_;
    nextId_ = 0;
    stepsInSequence_ = 0;
    if (ValidId(currentId_)) screen_.reset(factory_.Construct(currentId_));
    if (observer_) observer_(totalSteps_, g_previousId, currentId_);
}

bool tmSequenceManager::Update(int* steps) {
    if (nextId_ != 0) {
        if (updatesSinceDraw_ > 0) return false;  // the outgoing screen is drawn first
        if (screen_) {
            if (switchWaitMicros_) platform::GetClock().SleepMicros(switchWaitMicros_);
            screen_->Term();
            screen_.reset();
        }
        if (!ValidId(nextId_)) return true;
        Create();
        if (screen_) screen_->Init();
        stepsInSequence_ = 0;
    }
    if (!screen_) return true;
    if (stepsInSequence_ == 1 && steps) *steps = 1;
    nextId_ = screen_->Update();
    ++stepsInSequence_;
    ++updatesSinceDraw_;
    ++totalSteps_;
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.CountFrame();
    if (currentId_ == kSeqRace) {
        cfg.CountRaceFrame();
    } else if (currentId_ == kSeqLobby) {
        cfg.CountLobbyFrame();
    }
    return false;
}

void tmSequenceManager::Draw() {
    if (screen_) screen_->Draw();
    updatesSinceDraw_ = 0;
}

void tmSequenceManager::Release() {
    if (screen_) {
        screen_->Term();
        screen_.reset();
    }
    nextId_ = 0;
    currentId_ = 0;
}

int tmGetPreviousSequenceId() { return tmSequenceManager::GetPreviousId(); }
