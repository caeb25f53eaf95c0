// MenuRig.h -- a menu screen driven step by step: scripted keys, the sound log, the draw log, a folder of its own.
#pragma once
#include <memory>

#include "app/tmSequence.h"
#include "harness/WorkFolder.h"
#include "menu/tmMenuFlow.h"
#include "race/PanelRig.h"
#include "sys/sound/tmSound.h"

// Runs one screen the way the sequence manager does (Init, one Update per
// step, Draw, Term) over PanelRig's input, sound and draw logs, in a fresh
// working folder, in normal play. `next` keeps the first id the screen returned.
class MenuRig : public PanelRig {
public:
    explicit MenuRig(bool runData = true) : folder(runData) { tmMenuFlow::SetNormalPlay(true); }

    // Runs the screen's Init.
    void Start(tmSequence& screen) {
        screen_ = &screen;
        screen.Init();
    }
    // One step (and a draw); the id the screen returned, also kept in `next` when it is the first.
    int Step() {
        int id = 0;
        PanelRig::Step([&] { id = screen_->Update(); });
        screen_->Draw();
        ++steps;
        if (id != 0 && next == 0) {
            next = id;
            nextStep = steps;
        }
        return id;
    }
    // n steps; the first id returned among them (0 when none).
    int Steps(int n) {
        int first = 0;
        for (int i = 0; i < n; ++i) {
            const int id = Step();
            if (id && !first) first = id;
        }
        return first;
    }
    // Holds a key for one step, then releases it for one step.
    int Tap(int key) {
        input.SetKey(key, true);
        const int a = Step();
        input.SetKey(key, false);
        const int b = Step();
        return a ? a : b;
    }
    // Steps until the screen returns an id; that id, or 0 when `limit` steps ran out.
    int RunToNext(int limit) {
        for (int i = 0; i < limit && next == 0; ++i) Step();
        return next;
    }
    bool MusicPlaying() const {
        tmSound* s = tmSound::GetInstance();
        return s && s->IsStreamPlaying();
    }
    int MusicRow() const {
        tmSound* s = tmSound::GetInstance();
        return s && s->IsStreamPlaying() && s->Stream() ? s->Stream()->Row() : 0;
    }
    void Finish() {
        if (screen_) screen_->Term();
        screen_ = nullptr;
    }

    harness::WorkFolder folder;
    int steps = 0;
    int next = 0;
    int nextStep = 0;  // the step (1-based) that returned `next`

private:
    tmSequence* screen_ = nullptr;
};
