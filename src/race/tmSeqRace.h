// tmSeqRace.h -- screen 25: one race from the fade-in to the results, the panels and the next screen.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"
#include "frontend/tmGaugeArray.h"
#include "race/tmRaceState.h"

class tmCameraCtrl;
class tmCommonWindow;
class tmCourse;
class tmFrontend;
class tmLevelUp;
class tmMachine;
class tmRaceChoiceMenu;
class tmRaceChoiceMenu2;
class tmRaceResultPanel;
class tmTrophyInfo;

// The race screen. Builds one race from the race state and owns for its
// length the course, one machine per entrant, the HUD, the camera control,
// the pause and post-race menus, the results, level-up and trophy panels and,
// while the save question is asked, a yes/no window; it starts, steps, draws
// and releases the particle and boost-trail managers. Runs the race through 13
// phases, keeps the standings and the result flags of the race state, counts
// the race in tmConfig, records the race into the replay service or plays a
// loaded replay back, offers retry and chooses the next screen. In network
// races (modes 5 and 6) the race network session carries the barriers, the
// machine states and the host's order.
class tmSeqRace : public tmSequence {
public:
    enum Phase : uint32_t {
        kFadeIn = 0,
        kIntro = 1,
        kCountdown = 2,
        kRacing = 3,
        kAfterFinish = 4,
        kResults = 5,
        kLevelUp = 6,
        kTrophies = 7,
        kPause = 8,
        kPostRace = 9,
        kSaveReplay = 10,
        kFadeOut = 11,
        kConnectionLost = 12,
    };
    static constexpr uint32_t kCountdownFrames = 240;
    static constexpr uint32_t kAfterFinishFrames = 360;
    static constexpr uint32_t kFadeFrames = 20;
    static constexpr uint32_t kIntroFrames = 40;
    static constexpr uint32_t kMusicFrame = 30;
    static constexpr uint32_t kConnectionLostFrames = 180;
    static constexpr uint32_t kSilenceLimit = 1801;

    // What a view shows: the camera mode, whether the HUD is on and whether the own machine is drawn.
    struct View {
        uint32_t camera;
        uint8_t hud;
        uint8_t drawOwn;
    };
    // The view of index `view` for the race mode and the local machine.
    static View GetView(uint32_t view, uint32_t mode, uint32_t machineId);
    // Views the view key cycles through: 5 in replay viewing and demos, else 4.
    static uint32_t ViewCount(uint32_t mode);

    // One machine's place in the race, built every frame.
    struct Standing {
        int32_t machine = -1;
        uint8_t finished = 0;
        uint32_t timeMs = 0;
        uint32_t laps = 0;
        int32_t progress = 0;
        float distance = 0.0f;
    };
    // a before b: both finished with different times: the smaller time;
    // finished before unfinished; more laps; more progress; more distance.
    static bool CompareStanding(const Standing& a, const Standing& b);
    // Orders by CompareStanding; up to 16 records exact ties keep their order.
    static void SortStandings(Standing** order, int count);

    tmSeqRace();
    ~tmSeqRace() override;
    tmSeqRace(const tmSeqRace&) = delete;
    tmSeqRace& operator=(const tmSeqRace&) = delete;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;
    // Restarts the race in place (the finishing order stays until the first new standings).
    void Retry();

    // ---- read by tests ----
    uint32_t GetPhase() const { return phase_; }
    uint32_t GetPhaseCounter() const { return phaseCounter_; }
    uint32_t GetViewIndex() const { return view_; }
    uint32_t GetCountdown() const { return countdown_; }
    uint32_t GetRaceFrame() const { return raceFrame_; }
    bool IsQuit() const { return quit_ != 0; }
    tmMachine* GetMachine(int i) const { return i >= 0 && i < kRaceEntrants ? machines_[i] : nullptr; }
    tmCourse* GetCourse() const { return course_; }
    tmCameraCtrl* GetCamera() const { return camera_; }
    const Standing& GetStanding(int position) const { return standings_[position % kRaceEntrants]; }
    tmRaceChoiceMenu* GetPauseMenu() const { return pause_; }
    tmRaceChoiceMenu2* GetPostRaceMenu() const { return postRace_; }
    tmRaceResultPanel* GetResults() const { return results_; }
    tmLevelUp* GetLevelUpPanel() const { return levelUp_; }
    tmTrophyInfo* GetTrophyPanel() const { return trophy_; }
    const tmGaugeArray& GetRows() const { return rows_; }
    float GetSpeedEffect() const { return speedEffect_; }

private:
    int Count() const;
    tmMachine* Local() const;
    void UpdatePhase();
    void EnterPhase();
    void RunPhase();
    void ChooseNextId();
    void UpdateSimulation();
    void ChangeView();
    void ApplyView();
    void UpdateStandings();
    void UpdateFrontend();
    void UpdateSpeedEffect();
    void SetHiddenByPhase();
    void StopMusic();
    // Network races: the session polled, the own state sent, the host's barrier
    // steps; a closed or silent session brings phase 12.
    void SyncNetwork();
    // The replay side (tmSeqRaceReplay.cpp): recording, saving, the demo's next replay and the
    // end of a viewing. The playback frame index follows replayFrame_.
    void StartReplayRecord();
    void RecordReplayFrame();
    void SaveRecordAnswer(bool keep);
    bool LoadRandomReplay();
    bool ReplayEnded() const;

    tmCameraCtrl* camera_ = nullptr;
    tmCourse* course_ = nullptr;
    tmFrontend* hud_ = nullptr;
    tmRaceChoiceMenu* pause_ = nullptr;
    tmRaceChoiceMenu2* postRace_ = nullptr;
    tmRaceResultPanel* results_ = nullptr;
    tmTrophyInfo* trophy_ = nullptr;
    tmLevelUp* levelUp_ = nullptr;
    tmMachine* machines_[kRaceEntrants] = {};
    tmCommonWindow* window_ = nullptr;
    uint32_t view_ = 0;
    uint32_t countdown_ = kCountdownFrames;
    uint32_t afterFinish_ = 0;
    uint32_t raceFrame_ = 0;
    uint8_t quit_ = 0;
    uint32_t phase_ = kFadeIn;
    uint32_t previousPhase_ = 0xFFFFFFFFu;
    uint32_t phaseCounter_ = 0;
    uint8_t retry_ = 0;
    uint32_t networkSends_ = 0;
    int nextId_ = 0;
    uint32_t replayFrame_ = 0;
    uint8_t hudShown_ = 1;
    uint8_t drawOwn_ = 1;
    bool musicStarted_ = false;
    bool group32Loaded_ = false;
    bool effectsStarted_ = false;  // the particle and trail managers are this race's
    float speedEffect_ = 0.0f;
    Standing standings_[kRaceEntrants];
    tmGaugeArray rows_;
};
