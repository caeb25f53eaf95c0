// tmSeqJoinRace.h -- screen 26: the network waiting room, where players gather, choose and get ready.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"
#include "frontend/tmNumberFont.h"
#include "race/tmRaceNetwork.h"

class tmCameraCtrl;
class tmCourse;
class tmSeqLoadingCourse;
class tmSpriteTween;

// The waiting room of a network race. Opens the race network session as host
// or guest, lets each player choose a machine and declare ready, lets the host
// rearrange the grid, waits for the host's start or cancel decision, loads the
// course when a guest learns it (through a loading screen of its own), and
// then sets the race up for the race (25) or gives up (13). Owns its sprites,
// fonts, course preview, camera and loading screen; the session is the
// process's (tmRaceNetwork::Get).
class tmSeqJoinRace : public tmSequence {
public:
    enum State : uint32_t { kFadeIn = 0, kWaiting = 1, kDeciding = 3 };
    enum Cursor : int32_t { kCursorLeave = 0, kCursorReady = 1, kCursorFirstRow = 2 };
    static constexpr int kChoices = 22;
    static constexpr int kTitleSprites = 6;
    static constexpr int kResendFrames = 6;
    static constexpr uint32_t kFadeInFrames = 8;
    static constexpr uint32_t kDecisionFrames = 180;
    static constexpr uint32_t kLeaveFrames = 60;
    static constexpr float kRowTop = 154.0f;
    static constexpr float kRowSpacing = 38.0f;
    static constexpr float kRowOut = 1366.0f;

    // The machine choice list: machine id and variant of each of the 22 entries.
    struct Choice {
        uint32_t machine;
        uint32_t variant;
    };
    static Choice GetChoice(int index);

    tmSeqJoinRace();
    ~tmSeqJoinRace() override;
    tmSeqJoinRace(const tmSeqJoinRace&) = delete;
    tmSeqJoinRace& operator=(const tmSeqJoinRace&) = delete;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    // ---- read by tests ----
    uint32_t GetState() const { return state_; }
    int32_t GetCursor() const { return cursor_; }
    int GetChoiceIndex() const { return choice_; }
    bool IsReady() const { return ready_ != 0; }
    bool IsLeaving() const { return leaving_ != 0; }
    bool IsPreviewReady() const { return previewReady_ != 0; }
    bool IsLoading() const { return loading_ != nullptr; }
    int32_t GetPicked() const { return picked_; }
    int32_t GetOwnIndex() const { return ownIndex_; }
    uint32_t GetDecisionCounter() const { return decision_; }
    const tmSpriteTween* GetRow(int i) const { return i >= 0 && i < kNetPlayers ? rows_[i] : nullptr; }
    const tmSpriteTween* GetTitle(int i) const { return i >= 0 && i < kTitleSprites ? titles_[i] : nullptr; }
    tmCourse* GetPreview() const { return preview_; }

private:
    void EnterState();
    void RunWaiting();
    void HandleInput();
    void HandleHostRows(const tmNetPlayerTable& table);
    void ChangeMachine(int step);
    void StartCourseLoad();
    void UpdateLoading();
    void MakePreview();
    void SyncEntryList();
    void Decide();
    void StartLeaving();
    void Leave();
    void SlideRowsIn(const tmNetPlayerTable& table);
    void SlideOut();
    bool IsReadyForStart(const tmNetPlayerTable& table, bool countSelf) const;
    tmRaceNetwork* Net() const;
    // Drawing (tmSeqJoinRaceDraw.cpp).
    void UpdateTitleSprites();
    void DrawRows(const tmNetPlayerTable& table) const;
    void DrawTitle() const;
    void DrawFade() const;
    void DrawDebug() const;

    tmNumberFont digits_;
    tmNumberFont names_;
    tmSpriteTween* titles_[kTitleSprites] = {};
    tmSpriteTween* rows_[kNetPlayers] = {};
    uint8_t previewReady_ = 0;
    tmSeqLoadingCourse* loading_ = nullptr;
    int32_t cursor_ = kCursorReady;
    int choice_ = 0;
    int resend_ = 0;
    int32_t ownIndex_ = -1;
    uint8_t ready_ = 0;
    uint8_t leaving_ = 0;
    uint32_t decision_ = 0;
    int32_t picked_ = -1;
    uint32_t state_ = kFadeIn;
    uint32_t previous_ = 0xFFFFFFFFu;
    uint32_t stateCounter_ = 0;
    uint32_t frames_ = 0;
    tmCameraCtrl* camera_ = nullptr;
    tmCourse* preview_ = nullptr;
    int nextId_ = 0;
    bool started_ = false;  // the session opened
};
