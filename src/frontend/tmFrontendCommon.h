// tmFrontendCommon.h -- what every race display shows whatever the machine.
#pragma once
#include <cstdint>

#include "frontend/tmFrontendMachine.h"
#include "frontend/tmGaugeArray.h"
#include "frontend/tmHudRecords.h"
#include "frontend/tmNumberFont.h"
#include "frontend/tmSpriteSheet.h"
#include "sys/text/tmDxFont.h"

// Rank and lap counter, race and lap times, course records, the start
// countdown with its sounds, the result banner, the lap-time popup, the mini
// map, the wide overlay, the message panel, the frame-rate readout, the
// notices of other entrants' laps and finishes, and the full-screen fade.
// Owned by the race HUD, which updates it every logic step and draws it every
// frame. It owns its fonts and the copies of the records it was given, and
// loads the common resource group and sprite groups 13 and 19 and holds the
// debug font (entrant names) while it lives (Init to Release). Places come from the race display's layout tables;
// records and options from the save image; sounds go through the
// simulation's sound seam.
class tmFrontendCommon : public tmFrontendBase {
public:
    static constexpr int kGroup = 12;
    static constexpr uint32_t kCountdownSound = 0x1006D;
    static constexpr uint32_t kStartSound = 0x1006C;
    static constexpr uint32_t kRecordColour = 0xFF3232u;  // with the panel's alpha
    static constexpr uint32_t kBestLapColour = 0xFF00FFFFu;
    static constexpr int kNoticeFrames = 120;
    static constexpr int kCountdownStepMs = 750;

    tmFrontendCommon();

    void Init();
    // The countdown's sound step back to 4 and the frame counter to 0.
    void Reset();
    void Update(const tmHudLapRecord& lap, const tmHudMachineRecord& machine, const tmGaugeArray& rows);
    void Draw();
    void DrawFade() const;
    void DrawViewer() const;
    void Release();

    void SetFadeTarget(bool show, bool immediate);
    void ShowMessage(int id);
    // The race is over (or the display starts its panels): the frame counter starts.
    void SetFinished();

    // ---- readers (the HUD and tests) ----
    int GetCountdownStep() const { return countdownStep_; }
    int32_t GetFrame() const { return frame_; }
    float GetFade() const { return fade_; }
    int GetMessage() const { return message_; }
    int GetNoticeTimer() const { return noticeTimer_; }
    const tmGaugeRow& GetNoticeRow() const { return noticeRow_; }
    int GetPopupTimer() const { return popupTimer_; }
    // Alpha of a panel with a fade after the frame counter: 0 before its start, then up to 1.
    float PanelAlpha(const HudSpriteLayout& layout) const;
    // The phase (0 to count - 1, or count when none) whose span holds t, and its v;
    // `starts` holds count + 1 running sums of the durations.
    static int Phase(const float* starts, const HudPhase* phases, int count, float t, float* v);

private:
    void UpdateCountdown();
    void UpdateNotice();
    void UpdatePopup();

    void DrawRankAndLap() const;
    void DrawTimes() const;
    void DrawRecords() const;
    void DrawCountdown() const;
    void DrawBanner() const;
    void DrawMiniMap() const;
    void DrawWideOverlay() const;
    void DrawPopup() const;
    void DrawMessage();
    void DrawFrameRate() const;
    void DrawNotice() const;
    void DrawSprite(const HudSpriteLayout& l, float alpha, float dx = 0.0f, float dy = 0.0f) const;
    // A time with the one-minute layout, or dashes for no time.
    void DrawTimeOrDashes(const tmNumberFont& font, uint32_t ms, float x, float y, float scale, int layer,
                          uint32_t colour) const;
    // The best of the completed laps the record holds; false when none is.
    bool BestLap(uint32_t* ms) const;

    int32_t group_ = kGroup;
    tmHudLapRecord lap_;
    tmSpriteSheet timeSheet_;                     // sprite 194: the race time on the HUD plane
    tmNumberFont smallFont_;                      // sprite 195
    tmNumberFont largeFont_;                      // sprite 198
    tmNumberFont gridFont_;                       // sprite 16
    float bannerStarts_[kBannerPhases + 1] = {};  // ms; the last entry ends the last phase
    float popupStarts_[kPopupPhases + 1] = {};    // frames
    float position_[3] = {0.0f, 0.0f, 0.0f};
    float heading_ = 0.0f;
    int32_t courseId_ = 0;
    int32_t machineId_ = 0;
    tmGaugeArray rows_;
    int countdownStep_ = 4;
    int32_t frame_ = 0;
    bool fadeTarget_ = false;
    float fade_ = 0.0f;
    int message_ = 0;
    int noticeTimer_ = 0;
    tmGaugeRow noticeRow_{};
    int popupTimer_ = 0;  // frames since the laps completed changed; 0 none
    int popupLap_ = 0;    // the lap the popup shows (1-based)
    int lastLapsDone_ = 0;
    uint8_t finished_ = 0;
    tmDxFont::Claim debugFont_;
};
