// tmEffParticles.cpp -- spawning, stepping and drawing of point flashes and smoke puffs.
#include "effect/tmEffParticles.h"

#include "effect/tmEffectRandom.h"
#include "sys/base/tmMemory.h"
#include "sys/batch/tyBillboard.h"

namespace {

uint32_t WithAlpha(float alpha, uint32_t rgb) {
    const float a = alpha < 0.0f ? 0.0f : (alpha > 1.0f ? 1.0f : alpha);
    return static_cast<uint32_t>(a * 255.0f) << 24 | (rgb & 0xFFFFFFu);
}

}  // namespace

// ---- point flash -------------------------------------------------------------------

bool tmEffPointFlash::Spawn(const int* sprites, int spriteCount, bool additive, const D3DXVECTOR3& position, float size,
                            uint32_t argb, int life, const D3DXVECTOR3* velocity, const D3DXVECTOR3* acceleration,
                            int fadeIn, int fadeOut, int lifeJitter, float sizeJitter, float positionJitter,
                            float rotationJitter, float damping, float growth) {
    tmEffPointFlash* f = TM_NEW tmEffPointFlash;
    f->additive = additive ? 1 : 0;
    f->position = position;
    f->velocity = velocity ? *velocity : D3DXVECTOR3(0, 0, 0);
    f->acceleration = acceleration ? *acceleration : D3DXVECTOR3(0, 0, 0);
    f->size = size;
    if (sizeJitter > 0.0f) f->size += tmEffectRandom::GetFloatRange(-sizeJitter, sizeJitter);
    f->rgb = argb & 0xFFFFFFu;
    f->alpha = static_cast<float>(argb >> 24) / 255.0f;
    f->life = life;
    if (lifeJitter > 0) f->life += tmEffectRandom::GetInt(-lifeJitter, lifeJitter);
    f->totalLife = f->life;
    f->rotation = tmEffectRandom::GetFloatRange(-D3DX_PI, D3DX_PI);
    f->rotationSpeed = rotationJitter != 0.0f ? tmEffectRandom::GetFloatRange(-rotationJitter, rotationJitter) : 0.0f;
    if (positionJitter > 0.0f) {
        for (float* c : {&f->position.x, &f->position.y, &f->position.z}) {
            const float r = static_cast<float>(tmEffectRandom::Rand()) / 32767.0f;
            *c += (2.0f * r - 1.0f) * positionJitter;
        }
    }
    f->sprite = sprites != nullptr && spriteCount > 0
                    ? static_cast<uint32_t>(sprites[tmEffectRandom::GetInt(0, spriteCount)])
                    : 0;
    f->fadeIn = fadeIn;
    f->fadeOut = fadeOut;
    f->damping = damping;
    f->growth = growth;
    return ty_sEffectManager::Instance().Add(f);
}

bool tmEffPointFlash::SpawnSpark(const D3DXVECTOR3& position, const D3DXVECTOR3& baseVelocity, uint32_t argb) {
    D3DXVECTOR3 v = baseVelocity;
    v.x += tmEffectRandom::GetFloatRange(-0.4f, 0.4f);
    v.y += tmEffectRandom::GetFloatRange(-0.4f, 0.4f);
    v.z += tmEffectRandom::GetFloatRange(-0.4f, 0.4f);
    return Spawn(kFlashSprites, 5, true, position, 1.0f, argb, 60, &v, nullptr, 8, 20, 10, 2.0f, 0.0f, 0.0f, 1.0f,
                 0.0f);
}

bool tmEffPointFlash::SpawnDebris(const D3DXVECTOR3& position, uint32_t argb) {
    D3DXVECTOR3 v;
    v.x = tmEffectRandom::GetFloatRange(-4.0f, 4.0f);
    v.y = tmEffectRandom::GetFloatRange(0.0f, 8.0f);
    v.z = tmEffectRandom::GetFloatRange(-4.0f, 4.0f);
    D3DXVECTOR3 a;
    a.x = tmEffectRandom::GetFloatRange(-0.06f, 0.06f);
    a.y = tmEffectRandom::GetFloatRange(-0.06f, 0.06f);
    a.z = tmEffectRandom::GetFloatRange(-0.06f, 0.06f);
    return Spawn(kFlashSprites, 5, true, position, 2.0f, argb, 60, &v, &a, 8, 30, 10, 1.0f, 0.0f, 0.31415927f, 0.9f,
                 0.0f);
}

void tmEffPointFlash::Update() {
    --life;
    velocity += acceleration;
    position += velocity;
    velocity *= damping;
    size += growth;
    rotation += rotationSpeed;
    if (size <= 0.0f) life = 0;
}

void tmEffPointFlash::Draw() {
    if (!tmEffectIsNear(position)) return;
    ty_sEffectManager& manager = ty_sEffectManager::Instance();
    tyBillboard* batch =
        manager.GetBillboard(additive ? ty_sEffectManager::kBillboardAdditive : ty_sEffectManager::kBillboardPlain);
    if (batch == nullptr) return;
    float s = size, a = alpha;
    const int age = totalLife - life;
    if (age < fadeIn) {
        const float k = static_cast<float>(age) / static_cast<float>(fadeIn);
        s *= k;
        a *= k;
    } else if (life < fadeOut) {
        a *= static_cast<float>(life) / static_cast<float>(fadeOut);
    }
    batch->SetPosition(position);
    batch->SetSize(s, s);
    batch->SetRotation(rotation);
    batch->SetColor(WithAlpha(a, rgb));
    batch->Add(static_cast<int>(sprite));
}

// ---- smoke -------------------------------------------------------------------------

bool tmEffSmoke::Spawn(const D3DXVECTOR3& position) {
    tmEffSmoke* s = TM_NEW tmEffSmoke;
    s->life = tmEffectRandom::GetInt(10, 30) + 60;
    s->totalLife = s->life;
    s->fadeIn = static_cast<int32_t>(static_cast<float>(s->totalLife) * 0.1f);
    s->fadeOut = static_cast<int32_t>(static_cast<float>(s->totalLife) * 0.3f);
    s->position = position;
    s->velocity.x = tmEffectRandom::GetFloatRange(-1.0f, 1.0f) * 0.4f;
    s->velocity.y = tmEffectRandom::GetFloatRange(0.3f, 1.0f) * 0.2f;
    s->velocity.z = tmEffectRandom::GetFloatRange(-1.0f, 1.0f) * 0.4f;
    s->velocityDamping = 1.0f;
    s->rotation = tmEffectRandom::GetFloat(6.2831855f);
    s->rotationSpeed = 0.01f;
    s->rotationDamping = 1.0f;
    s->size = tmEffectRandom::GetFloatRange(18.0f, 24.0f);
    s->growth = tmEffectRandom::GetFloatRange(0.2f, 0.6f);
    s->growthDamping = 1.0f;
    s->sprite = static_cast<uint32_t>(kFirstSprite + tmEffectRandom::Rand() % kSpriteCount);
    s->firstRgb = 0xFFFFFF;
    s->secondRgb = 0x000000;
    s->alpha = 1.0f;
    return ty_sEffectManager::Instance().Add(s);
}

void tmEffSmoke::Update() {
    --life;
    position += velocity;
    velocity *= velocityDamping;
    rotation += rotationSpeed;
    rotationSpeed *= rotationDamping;
    size += growth;
    growth *= growthDamping;
    if (size <= 0.0f) life = 0;
}

void tmEffSmoke::Draw() {
    if (!tmEffectIsNear(position)) return;
    tyBillboard* batch = ty_sEffectManager::Instance().GetBillboard(ty_sEffectManager::kBillboardPlain);
    if (batch == nullptr) return;
    float a = alpha;
    const int age = totalLife - life;
    if (age < fadeIn)
        a *= static_cast<float>(age) / static_cast<float>(fadeIn);
    else if (life < fadeOut)
        a *= static_cast<float>(life) / static_cast<float>(fadeOut);
    batch->SetPosition(position);
    batch->SetSize(size, size);
    batch->SetRotation(rotation);
    batch->SetColor(WithAlpha(a, firstRgb));
    batch->SetRGB(secondRgb);
    batch->Add(static_cast<int>(sprite));
}
