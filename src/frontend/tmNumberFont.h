// tmNumberFont.h -- a digit or character font cut from one sprite and drawn as screen sprites.
#pragma once
#include <cstdint>

// A strip font (digits 0-9 then ":", "+", "-", "/", ".") or a grid font
// (printable ASCII from the space, 16 cells a row) on one sprite slot, drawn
// with the renderer's sprite calls during a screen's draw. The sprite is a
// slot of a sprite group its owner loads; the font owns nothing.
//
// Placements 2 and 3 anchor x at the screen's right edge, so the pen that
// moves toward larger x walks leftward on screen: numbers and texts on those
// placements are emitted last glyph first so that they read left to right.
class tmNumberFont {
public:
    static constexpr int kMaxDigits = 10;
    // Strip codes of the characters after the digits.
    enum : int { kColon = 10, kPlus = 11, kMinus = 12, kSlash = 13, kPoint = 14, kStripCodes = 15 };

    tmNumberFont() = default;

    // Cell sizes from the glyph and sprite pixel sizes; a sprite wider than
    // eight times its height is a strip, any other a grid.
    void Setup(uint32_t texture, float textureWidth, float textureHeight, float glyphWidth, float glyphHeight,
               float advance);

    void DrawDigit(int code, float x, float y, float scale, int layer, uint32_t colour) const;
    void DrawChar(int c, float x, float y, float scale, int layer, uint32_t colour) const;
    // The low `digits` digits (leading zeros added) when digits >= 1, else all
    // of them (at least one, at most ten).
    void DrawNumber(uint32_t value, int digits, float x, float y, float scale, int layer, uint32_t colour) const;
    // m:ss.mmm; one minute digit is capped at 9, minuteDigits <= 0 drops the minutes.
    void DrawTime(uint32_t ms, float x, float y, float scale, int layer, uint32_t colour, int minuteDigits) const;
    // "-:--.---" in the places DrawTime gives a time (no time to show).
    void DrawBlankTime(float x, float y, float scale, int layer, uint32_t colour, int minuteDigits) const;
    // The pen advances by `advance` (not scaled) per character.
    void DrawString(const char* text, float x, float y, float scale, int layer, uint32_t colour) const;

    // Splits value into its decimal digits, most significant first; returns the count.
    static int SplitDigits(uint32_t value, int digits, int out[kMaxDigits]);
    // True for the placements whose x is measured from the right edge.
    static bool IsRightAnchored(int layer);

    uint32_t texture = 0;
    float cellU = 0.0f, cellV = 0.0f;
    float advance = 0.0f;
    float height = 0.0f;
    uint32_t grid = 0;  // 0 strip, 1 grid

private:
    // Queues glyph `code` (a strip code for a strip font, an ASCII code for a grid font).
    void Queue(int code, float x, float y, float scale, int layer, uint32_t colour) const;
};
