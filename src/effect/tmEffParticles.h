// tmEffParticles.h -- the two particle kinds of the race: point flashes (sparks, debris) and smoke puffs.
#pragma once
#include <cstdint>

#include "effect/tyEffectManager.h"

// A camera-facing flash that flies, spins, grows and fades: the sparks of a
// boost and the debris of a high-speed burst. Lives in the effect manager's
// list; drawn into the additive or the plain billboard batch.
class tmEffPointFlash final : public ty_sEffect {
public:
    // The five sprites of sheet 16 a flash picks from.
    static constexpr int kFlashSprites[5] = {32, 4, 6, 10, 12};

    // Makes a flash and adds it to the effect manager (the result of Add).
    // sprites/spriteCount: the list one sprite is picked from; velocity and
    // acceleration may be null (zero); the jitters are ignored when not above 0.
    static bool Spawn(const int* sprites, int spriteCount, bool additive, const D3DXVECTOR3& position, float size,
                      uint32_t argb, int life, const D3DXVECTOR3* velocity, const D3DXVECTOR3* acceleration, int fadeIn,
                      int fadeOut, int lifeJitter, float sizeJitter, float positionJitter, float rotationJitter,
                      float damping, float growth);
    // A boost spark: small, straight-flying, additive.
    static bool SpawnSpark(const D3DXVECTOR3& position, const D3DXVECTOR3& baseVelocity, uint32_t argb);
    // A piece of debris: thrown up, slowed, spinning, additive.
    static bool SpawnDebris(const D3DXVECTOR3& position, uint32_t argb);

    void Update() override;
    void Draw() override;

    float size = 0.0f;
    float rotation = 0.0f;
    D3DXVECTOR3 position;
    D3DXVECTOR3 velocity;
    D3DXVECTOR3 acceleration;
    uint32_t sprite = 0;
    uint8_t additive = 0;  // 1: the additive batch
    float growth = 0.0f;
    float damping = 1.0f;
    float rotationSpeed = 0.0f;
    int32_t totalLife = 0;
    int32_t fadeIn = 0;
    int32_t fadeOut = 0;
    uint32_t rgb = 0xFFFFFF;
    float alpha = 1.0f;
};

// A tire-smoke puff: drifts up, turns slowly and swells while it fades; its
// top is white and its lowest corner dark. Drawn into the plain batch.
class tmEffSmoke final : public ty_sEffect {
public:
    static constexpr int kFirstSprite = 16;  // sheet 16 sprites 16..29
    static constexpr int kSpriteCount = 14;

    static bool Spawn(const D3DXVECTOR3& position);

    void Update() override;
    void Draw() override;

    float size = 0.0f;
    float rotation = 0.0f;
    float rotationSpeed = 0.0f;
    float growth = 0.0f;
    D3DXVECTOR3 position;
    D3DXVECTOR3 velocity;
    uint32_t sprite = 0;
    float velocityDamping = 1.0f;
    float rotationDamping = 1.0f;
    float growthDamping = 1.0f;
    int32_t totalLife = 0;
    int32_t fadeIn = 0;
    int32_t fadeOut = 0;
    uint32_t firstRgb = 0xFFFFFF;
    uint32_t secondRgb = 0x000000;
    float alpha = 1.0f;
};
