// tmConsole.h -- the debug console: text placed on a 6 x 12 pixel grid from a corner of the screen.
#pragma once
#include <cstdint>

#include "sys/text/tmDebugFont.h"

// A debug text queue with a right-alignment flag. Created by the main loop at
// start-up without a font, so what is printed to it is dropped; debug and
// option screens call it all the same.
class tmConsole : public tmDebugFont {
public:
    static constexpr int kColumnWidth = 6;
    static constexpr int kRowHeight = 12;
    static constexpr int kFormatBytes = 4096;

    static void Create();
    static void Destroy();
    static tmConsole* GetInstance();

    // Corners 0 top-left, 1 bottom-left, 2 top-right (right-aligned), 3
    // bottom-right (right-aligned); any other corner puts the pen at (0, 0).
    static void SetCursor(int column, int row, int corner);
    static void SetColor(uint32_t colour);
    // Formats (truncated to 4095 bytes) and queues one line.
    static void Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static void OnLostDevice();
    static void OnResetDevice();

    bool IsRightAligned() const { return rightAligned_; }

private:
    tmConsole() = default;
    void Print(const char* text);

    bool rightAligned_ = false;
};
