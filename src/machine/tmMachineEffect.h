// tmMachineEffect.h -- a machine's boost flames, sparks and trails, tire smoke, high-speed debris and contact sounds.
#pragma once
#include <cstdint>

#include "machine/tmMachinePart.h"
#include "sys/base/tmMath.h"

struct FlameGroup;
struct MachineSpec;

// The visible and audible side effects of one machine: sparks and a trail per
// boost emitter, a glow as a boost starts, the shrinking charge flame while a
// second stage may be called, flame models in the second stage, tire smoke on
// rough ground or when sliding, a burst of debris at very high speed and the
// contact sounds. Spawns into the effect manager and the trail manager (both
// owned by the race screen), holds its trail slots and the effect group while
// it lives, and draws only through the batches and the drawing seam. Made by
// the program's part factory for every machine of a race; machines more than
// 1000 units from the player's make no effects.
class tmMachineEffect final : public tmMachinePart {
public:
    static constexpr float kVisibleDistance = 1000.0f;
    static constexpr int kMaxEmitters = 4;
    enum State : uint32_t { kFirstBoost = 0, kSecondBoost = 1, kNoBoost = 2 };

    tmMachineEffect();
    ~tmMachineEffect() override;

    void Init(tmMachineCore& core, tmMachineMove& move) override;
    void Update() override;
    void Draw(bool extraPass) override;
    void Release();

    uint32_t GetState() const { return state_; }
    int GetElapsed() const { return elapsed_; }
    int GetTrailSlot(int emitter) const { return emitter >= 0 && emitter < kMaxEmitters ? trails_[emitter] : -1; }
    bool IsVisible() const { return visible_; }
    const D3DXVECTOR3& GetEmitterPosition(int emitter) const { return emitters_[emitter & 3]; }

private:
    const FlameGroup* Group() const;
    void UpdateBoost();
    void UpdateSmoke();
    void UpdateBurst();
    void UpdateContact();
    // Plays a sound for the player's machine while it is shown.
    void PlaySe(uint32_t soundId) const;
    // World x translation x scale x rotation about Z, applied to a point last to first.
    D3DXMATRIX EmitterMatrix(int emitter, float scale, float spin) const;

    tmMachineCore* core_ = nullptr;
    const MachineSpec* spec_ = nullptr;
    D3DXVECTOR3 emitters_[kMaxEmitters];
    int trails_[kMaxEmitters] = {-1, -1, -1, -1};
    uint32_t state_ = kNoBoost;
    int32_t elapsed_ = 0;
    int32_t frame_ = 0;
    bool visible_ = true;
    bool groupLoaded_ = false;
};
