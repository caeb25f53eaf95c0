// tmSpriteTween.h -- a screen sprite whose position and alpha glide toward a target.
#pragma once
#include <cstdint>

#include "table/ScreenLayoutTables.h"

// One extra sprite drawn relative to a tween (a cursor, a label on a board).
struct SpriteTweenPart {
    uint32_t spriteId;
    float offsetX;
    float offsetY;
    float alphaFactor;  // multiplies the tween's alpha
};
static_assert(sizeof(SpriteTweenPart) == 16, "part records are four words");

// The drawing object of the menus, the yes/no window and the race panels: a
// sprite of the 1366 x 768 virtual screen (with an optional second sprite at
// a fixed offset) that eases toward its target a fifth of the way per logic
// step, optionally pulsing its alpha. It owns no resources: the sprites are
// slots of a sprite group its screen loads. Owners write the pulse and scale
// fields directly where a sprite needs them.
class tmSpriteTween {
public:
    static constexpr float kLeftBound = -1152.0f;  // -(128 + 1024)
    static constexpr float kRightBound = 1238.0f;  // 1366 - 128
    static constexpr float kTopBound = -1024.0f;
    static constexpr float kBottomBound = 768.0f;

    tmSpriteTween() = default;

    // Places the sprite at the record and keeps it there (target = current);
    // the delay keeps its value.
    void SetTarget(const SpritePlacement& layout);
    // Glides toward the record's position and alpha after `delay` logic steps.
    void MoveTo(const SpriteTarget& move, int32_t delay);
    void Update();
    // False (nothing drawn) when the sprite is off screen.
    bool Draw() const;
    void DrawPart(const SpriteTweenPart& part, float scaleX, float scaleY) const;
    bool IsOnScreen() const;
    // True when the current values equal the target values.
    bool IsAtRest() const { return x == targetX && y == targetY && alpha == targetAlpha; }

    // alpha + |sin(speed x counter)| x amplitude, within 0..1; alpha unchanged
    // when speed <= 0 or amplitude is 0.
    static float Pulse(float speed, float amplitude, float alpha, int32_t counter);

    float targetX = 0.0f, targetY = 0.0f, targetAlpha = 0.0f;
    float x = 0.0f, y = 0.0f, alpha = 0.0f;
    uint32_t spriteId = 0;        // 0 = none
    uint32_t secondSpriteId = 0;  // 0 = none
    float secondOffsetX = 0.0f, secondOffsetY = 0.0f;
    int32_t delay = 0;  // logic steps to wait before easing
    float ease = 0.2f;
    float pulseSpeed = 0.0f, pulseAmplitude = 0.0f;
    float scaleX = 1.0f, scaleY = 1.0f;
    int32_t frame = 0;
};
