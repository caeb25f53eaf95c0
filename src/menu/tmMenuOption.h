// tmMenuOption.h -- the frame the four option screens share: rows of an item and its choice, RETURN, the leave.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"

class tmSpriteTween;

// Base of the game, controller, video and sound option screens (17 to 20):
// a head, a foot and the menu backdrop, one row per setting with its label and
// current choice, and a RETURN row. Up and down move the cursor, left and
// right change the choice; decide on RETURN (and cancel, where a screen
// allows it) applies the values to the settings and slides the rows out. A
// screen gives its rows, its head, its leave delays and how it reads and
// applies its values. Owns its sprites and loads the groups they are in.
class tmMenuOption : public tmSequence {
public:
    static constexpr int kMaxRows = 10;
    static constexpr int kOpenWait = 60;   // input is ignored for the first 61 steps
    static constexpr int kLeaveWait = 70;  // the next id follows 71 steps after the leave starts
    static constexpr float kRowX = 99.0f, kRowY = 74.0f, kRowStep = 62.0f, kRowOutX = 1408.0f;

    // The two sprites of a choice: highlighted on the cursor's row, dim elsewhere.
    struct Choice {
        uint32_t on, off;
    };
    // One row: its frame, its item label and its choices (none for RETURN).
    struct Row {
        uint32_t frame;
        uint32_t label;
        int choiceCount;
        const Choice* choices;
    };

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    int GetCursor() const { return cursor_; }
    int GetChoice(int row) const { return row >= 0 && row < kMaxRows ? choice_[row] : 0; }
    int RowCount() const { return rowCount_; }
    const tmSpriteTween* GetRow(int row) const { return row >= 0 && row < kMaxRows ? rows_[row] : nullptr; }
    // The foot bar; its second sprite is the key hint.
    const tmSpriteTween* GetFoot() const { return frames_[1]; }
    bool IsLeaving() const { return leaving_; }

protected:
    // ---- what each screen gives ----
    virtual const Row* Rows(int* count) const = 0;
    virtual uint32_t HeadSprite() const = 0;
    virtual int LeaveDelay(int row) const = 0;
    virtual const char* ConsoleText() const = 0;
    // Reads the settings into the choices (a value outside a row's choices shows its first).
    virtual void ReadValues() = 0;
    // Writes the choices into the settings and sets the next id.
    virtual void Apply() = 0;
    // ---- what a screen may change ----
    virtual bool CancelLeaves() const { return true; }
    // Up, down, left and right after the opening wait; the shared frame's rules by default.
    virtual void HandleInput();
    // A choice changed with left or right.
    virtual void OnChoiceChanged(int row) { (void)row; }
    // Whether the held left and right arrows show on a row (the rows with the arrow frame by default).
    virtual bool ShowsArrows(int row) const;
    // The choice pair drawn for a row (its current choice by default).
    virtual const Choice* ShownChoice(int row) const;

    // A setting's value as a choice index: the value when it is one of the row's choices, else 0.
    int ChoiceIndex(int row, int value) const;
    void MoveCursor(int dir);
    void StartLeave();
    // The row index of RETURN.
    int ReturnRow() const { return rowCount_ - 1; }

    int choice_[kMaxRows] = {};
    int cursor_ = 0;
    int next_ = 0;

private:
    void DrawRow(int row) const;

    tmSpriteTween* frames_[3] = {};
    tmSpriteTween* rows_[kMaxRows] = {};
    int rowCount_ = 0;
    int32_t total_ = 0;
    int32_t waitCounter_ = 0;
    int32_t waitLimit_ = kOpenWait;
    bool leaving_ = false;
    bool loaded_ = false;
};
