// tmTestScreen.h -- what the engine test screens share: the leave keys, the display-mode keys, their text lines.
#pragma once
#include <cstdint>

#include "app/tmSequence.h"
#include "sys/text/tmDxFont.h"

// Base of the test screens that the debug menu reaches by id. Every one of
// them goes back to the debug menu (id 1) on Enter, keypad Enter or Escape,
// whatever the menu-flow flag says, counts its logic steps, prints a title
// line with that count at the top right and keeps a debug font while it runs
// (its own, or one it found).
class tmTestScreen : public tmSequence {
public:
    static constexpr int kNextId = kSeqDebugMenu;

    int32_t GetFrameCount() const { return frameCount_; }

protected:
    // True when Enter, keypad Enter or Escape went down in this step.
    static bool LeaveTriggered();
    // Keys "1", "2" and "9": the display set up again at 1024 x 768, at 640 x 480 or at its
    // current size. Harmless without a renderer.
    static void DisplayModeKeys();
    // Makes the debug font when there is none; with `resize` also sets its height when one exists.
    void KeepDebugFont(int height, bool resize);
    // Destroys the debug font when this screen made it, or gives a resized one its height back.
    void DropDebugFont();
    // The title line, a printf format taking the frame counter: on the debug console and on
    // the debug font, both at the top right.
    void PrintTitle(const char* format) const;
    // One line on the debug font at text row `row` (0 at the top) from the left edge.
    static void PrintLine(int row, const char* format, ...) __attribute__((format(printf, 2, 3)));

    int32_t frameCount_ = 0;

private:
    tmDxFont::Claim font_;
};
