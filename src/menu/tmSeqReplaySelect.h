// tmSeqReplaySelect.h -- screen 23: the saved replays, to watch, to race against or to delete.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/tmSequence.h"
#include "frontend/tmNumberFont.h"
#include "race/tmReplayFormat.h"
#include "sys/text/tmDxFont.h"

class tmCommonWindow;
class tmSpriteTween;

// A scrolling list of the replay folder's files: race mode, machine, course,
// date, laps and times of each. Decide loads the chosen file (watching, or as
// a ghost to race against in race mode 4, which lists only time-attack
// replays); the delete key asks the yes/no question and removes the file. An
// empty list leaves by itself. Owns its sprites, rows, font and window.
class tmSeqReplaySelect : public tmSequence {
public:
    enum ScreenMode : int32_t { kList = 0, kDeleteQuestion = 1 };
    enum Frame { kHead = 0, kFoot = 1, kScrollBase = 2, kBackground = 3, kFrames = 4 };
    static constexpr int kMaxRows = 5120;
    static constexpr float kRowX = 189.0f, kRowY = 83.0f, kRowStep = 156.0f;
    static constexpr float kRightOutX = 1408.0f, kLeftOutX = -920.0f;
    static constexpr int kOpenWait = 60;
    static constexpr int kLeaveWait = 40;

    // One listed file.
    struct Row {
        tmReplayHeader header;
        std::string fileName;
        tmSpriteTween* tween = nullptr;
    };

    tmSeqReplaySelect();
    ~tmSeqReplaySelect() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const Row& GetRow(int i) const { return rows_[size_t(i)]; }
    int GetCursor() const { return cursor_; }
    float GetScroll() const { return scroll_; }
    float GetScrollMax() const { return scrollMax_; }
    int32_t GetScreenMode() const { return mode_; }
    bool IsRaceAgainst() const { return raceAgainst_ != 0; }

private:
    void BuildList();
    void StartLeave();
    void ChooseNext();
    void UpdateList();
    void UpdateDeleteQuestion();
    void DeleteRow(int i);
    void DrawRow(const Row& row, int index) const;

    uint8_t raceAgainst_ = 0;
    int32_t mode_ = kList;
    float scroll_ = 0.0f, scrollMax_ = 0.0f;
    int cursor_ = 0;
    tmSpriteTween* frames_[kFrames] = {};
    std::vector<Row> rows_;
    int next_ = 0;
    int32_t waitCounter_ = 0;
    int32_t waitLimit_ = kOpenWait;
    int32_t total_ = 0;
    uint8_t decided_ = 0;
    tmNumberFont font_;
    tmCommonWindow* window_ = nullptr;
    tmDxFont::Claim textFont_;  // the file names
    bool loaded_ = false;
};
