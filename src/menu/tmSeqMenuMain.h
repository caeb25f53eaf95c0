// tmSeqMenuMain.h -- screen 14: the main menu, the hub every road into a race starts from.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"

class tmCommonWindow;
class tmSpriteTween;

// A top page of six entries (circuit, replays, network, records, options,
// quit), a sub-page per entry, the cup choice and the lobby question. The
// final choice writes the race mode (and for some entries course, laps, cup
// and host flag) into the race state and returns the next screen. Owns its
// frame and entry sprites and the yes/no window; reads the previous screen's
// id to know whether its frames are already in place.
class tmSeqMenuMain : public tmSequence {
public:
    enum State : int32_t {
        kIntro = 0,
        kTop = 1,
        kSingle = 2,
        kReplay = 3,
        kNetwork = 4,
        kViewer = 5,
        kLobbyQuestion = 6,
        kOptions = 7,
        kCup = 8,
        kLeave = 9,
    };
    // Top entries (and their pages).
    enum Entry { kCircuit = 0, kStands = 1, kNet = 2, kRecord = 3, kOption = 4, kQuit = 5, kEntries = 6 };
    enum Frame { kHead = 0, kFoot = 1, kSubFrame = 2, kInfoFrame = 3, kBackground = 4, kCover = 5, kRaceSelect = 6 };
    static constexpr int kFrames = 7;
    static constexpr int kSubEntries = 5;
    static constexpr int kCupEntries = 3;
    static constexpr int kLeaveWait = 60;  // steps of the animated leaves before the dispatch

    // The sub-page entries by page.
    enum SingleEntry { kTimeAttack = 0, kCupRace = 1, kVsGhost = 2 };
    enum ReplayEntry { kWatch = 0, kDemo = 1 };
    enum NetworkEntry { kLobby = 0, kCreate = 1, kJoin = 2 };
    enum ViewerEntry { kGarage = 0, kTrophy = 1, kCourseRecord = 2 };

    tmSeqMenuMain();
    ~tmSeqMenuMain() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    int32_t GetState() const { return state_; }
    int GetTopCursor() const { return top_; }
    // The cursor of a page (its top entry), the cup cursor with kCup.
    int GetPageCursor(int entry) const;
    const tmSpriteTween* GetFrame(int f) const { return f >= 0 && f < kFrames ? frames_[f] : nullptr; }
    const tmSpriteTween* GetTopTween(int e) const { return e >= 0 && e < kEntries ? entries_[e] : nullptr; }
    float GetTopLevel(int e) const { return e >= 0 && e < kEntries ? topLevel_[e] : 0.0f; }
    const tmCommonWindow* GetWindow() const { return window_; }

private:
    // The cursor a page's up and down move, and the page's entry count.
    int* PageCursor(int entry);
    static int PageCount(int entry);
    void MoveCursor(int* cursor, int count, int page, uint32_t sound);
    void ClosePage();
    void StartLeave(bool keepBackground);
    void RunTop();
    void RunPage(int entry);
    void RunCup();
    void RunLobbyQuestion();
    void Dispatch();
    void DrawSubPage() const;
    void DrawInfo() const;
    void DrawCupChoice() const;

    int top_ = 0;
    int pageCursor_[kEntries] = {};  // by top entry; quit has none
    int cupCursor_ = 0;
    tmSpriteTween* frames_[kFrames] = {};
    tmSpriteTween* entries_[kEntries] = {};
    float topLevel_[kEntries] = {};
    float subLevel_[kSubEntries] = {};
    float cupLevel_[kCupEntries] = {};
    tmCommonWindow* window_ = nullptr;
    int32_t state_ = kIntro;
    int32_t previous_ = -1;
    int32_t steps_ = 0;
    int next_ = 0;
    int32_t waitCounter_ = 0;
    int32_t waitLimit_ = -1;
    int32_t total_ = 0;
    // The choice the leave dispatches: its top entry (kCup for a cup) and entry.
    int chosenPage_ = -1;
    int chosenEntry_ = 0;
};
