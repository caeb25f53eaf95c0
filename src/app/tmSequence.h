// tmSequence.h -- the screen interface and the table that makes a screen for each id.
#pragma once

// Base of every screen. The sequence manager constructs a screen for its id,
// calls Init once, Update once per logic step (the next screen's id, 0 to
// stay), Draw once per frame, and Term once before deleting it.
class tmSequence {
public:
    virtual ~tmSequence() = default;
    virtual void Init() = 0;
    virtual int Update() = 0;
    virtual void Term() = 0;
    virtual void Draw() = 0;
};

// Screen ids the program flow names.
enum tmSequenceId : int {
    kSeqDebugMenu = 1,
    kSeqTitle = 13,
    kSeqMainMenu = 14,
    kSeqMachineSelect = 21,
    kSeqCourseSelect = 22,
    kSeqReplaySelect = 23,
    kSeqLoading = 24,
    kSeqRace = 25,
    kSeqJoinRace = 26,
    kSeqLobby = 27,
    kSeqEnding = 28,
    kSeqQuit = 29,
};

// One constructor per screen id 1..28. Screens register themselves here;
// ids without an entry make no screen (which ends the program).
class tmSequenceFactory {
public:
    using Make = tmSequence* (*)();
    static constexpr int kFirstId = 1;
    static constexpr int kLastId = 28;

    void Set(int id, Make make) {
        if (id >= kFirstId && id <= kLastId) make_[id] = make;
    }
    Make Get(int id) const { return (id >= kFirstId && id <= kLastId) ? make_[id] : nullptr; }
    tmSequence* Construct(int id) const {
        const Make m = Get(id);
        return m ? m() : nullptr;
    }

private:
    Make make_[kLastId + 1] = {};
};

// The id of the screen left at the last switch (0 at start), read by a screen's Init
// (the sequence manager keeps it).
int tmGetPreviousSequenceId();

// The factory of the game: every screen of the program (see tmScreens.cpp).
tmSequenceFactory tmMakeScreenFactory();
