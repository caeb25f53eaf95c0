// tmSpriteTween.cpp -- easing, pulsing and drawing of one screen sprite.
#include "menu/tmSpriteTween.h"

#include <cmath>

#include "sys/render/tmDraw.h"

namespace {
// Remaining distances below these land exactly on the target.
constexpr float kPositionSnap = 0.5f;
constexpr float kAlphaSnap = 0.01f;

void Approach(float* value, float target, float ease, float snap) {
    *value += ease * (target - *value);
    if (std::fabs(*value - target) < snap) *value = target;
}
}  // namespace

void tmSpriteTween::SetTarget(const SpritePlacement& layout) {
    x = targetX = layout.x;
    y = targetY = layout.y;
    alpha = targetAlpha = layout.alpha;
    spriteId = layout.spriteId;
    secondSpriteId = layout.secondSpriteId;
    secondOffsetX = layout.secondOffsetX;
    secondOffsetY = layout.secondOffsetY;
    frame = 0;
}

void tmSpriteTween::MoveTo(const SpriteTarget& move, int32_t wait) {
    targetX = move.x;
    targetY = move.y;
    targetAlpha = move.alpha;
    delay = wait;
}

void tmSpriteTween::Update() {
    ++frame;
    if (delay >= 1) {
        --delay;
        return;
    }
    Approach(&x, targetX, ease, kPositionSnap);
    Approach(&y, targetY, ease, kPositionSnap);
    Approach(&alpha, targetAlpha, ease, kAlphaSnap);
}

bool tmSpriteTween::IsOnScreen() const {
    return alpha > 0.0f && x >= kLeftBound && x <= kRightBound && y >= kTopBound && y <= kBottomBound;
}

float tmSpriteTween::Pulse(float speed, float amplitude, float alpha, int32_t counter) {
    if (speed <= 0.0f || amplitude == 0.0f) return alpha;
    float v = alpha + std::fabs(std::sin(speed * static_cast<float>(counter))) * amplitude;
    if (v > 1.0f) v = 1.0f;
    if (v < 0.0f) v = 0.0f;
    return v;
}

bool tmSpriteTween::Draw() const {
    if (!IsOnScreen()) return false;
    const float a = Pulse(pulseSpeed, pulseAmplitude, alpha, frame);
    tmDraw* draw = tmDraw::GetInstance();
    if (spriteId != 0)
        draw->DrawSpriteScaledAlpha(static_cast<int>(spriteId), x, y, scaleX, scaleY, a,
                                    tmSpritePlacement::kVirtualScreen);
    if (secondSpriteId != 0)
        draw->DrawSpriteScaledAlpha(static_cast<int>(secondSpriteId), x + secondOffsetX, y + secondOffsetY, scaleX,
                                    scaleY, a, tmSpritePlacement::kVirtualScreen);
    return true;
}

void tmSpriteTween::DrawPart(const SpriteTweenPart& part, float sx, float sy) const {
    if (!IsOnScreen()) return;
    const float a = Pulse(pulseSpeed, pulseAmplitude, alpha * part.alphaFactor, frame);
    if (a <= 0.0f) return;
    tmDraw::GetInstance()->DrawSpriteScaledAlpha(static_cast<int>(part.spriteId), x + part.offsetX, y + part.offsetY,
                                                 sx, sy, a, tmSpritePlacement::kVirtualScreen);
}
