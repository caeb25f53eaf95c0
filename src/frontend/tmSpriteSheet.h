// tmSpriteSheet.h -- a digit strip drawn as sprite rectangles placed by a caller's matrix.
#pragma once
#include <cstdint>

#include "sys/base/tmMath.h"

// Digits on the race display's world plane (the cockpit meters, the race
// time): each glyph is a sprite rectangle of one strip cell, placed by
// scaling x translation x the caller's matrix and seen through the HUD
// camera. Under that camera world -x is screen right, so numbers advance
// toward negative x. Owns nothing; the sprite is a slot of a loaded group.
class tmSpriteSheet {
public:
    tmSpriteSheet() = default;

    void SetGrid(uint32_t texture, float textureWidth, float textureHeight, float glyphWidth, float glyphHeight,
                 float spacing);
    void DrawGlyph(int code, const D3DXMATRIX& matrix, float x, float y, float scale, uint32_t colour) const;
    // Digits as tmNumberFont splits them; right-aligned numbers end at x.
    void DrawNumber(uint32_t value, int digits, const D3DXMATRIX& matrix, float x, float y, float scale,
                    bool rightAlign, uint32_t colour) const;
    // m:ss.mmm with one minute digit (minutes modulo 10).
    void DrawTime(uint32_t ms, const D3DXMATRIX& matrix, float x, float y, float scale, uint32_t colour) const;

    uint32_t texture = 0;
    float cellU = 0.0f, cellV = 0.0f;    // one texel
    float glyphU = 0.0f, glyphV = 0.0f;  // one glyph cell
    float unitX = 1.0f, unitY = 1.0f;    // the glyph rectangle's size
    float advance = 0.0f;                // pen advance per glyph at scale 1
};
