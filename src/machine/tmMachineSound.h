// tmMachineSound.h -- the player's machine's running loops: engine by rpm, brake, skid, crowd, wind and rumbles.
#pragma once
#include <cstdint>

#include "machine/tmMachinePart.h"

struct LoopSoundRecord;
struct MachineSoundTable;

// Keeps four groups of looping voices running for the whole race and gives
// each its control value 0..1 every step: six engine loops by rpm, two brake
// loops by braking, a tire-skid loop by the drift angle, and four ambient
// loops (crowd near a stretch of the course, wind at very high speed, two
// surface rumbles). The loop records' curves turn a value into volume and
// pitch. Only the local player's machine has one (made by the program's part
// factory); it plays through the simulation's sound seam.
class tmMachineSound final : public tmMachinePart {
public:
    static constexpr int kEngineVoices = 6;
    static constexpr int kBrakeVoices = 2;
    static constexpr int kAmbientVoices = 4;
    enum Ambient { kCrowd = 0, kWind = 1, kSurface4 = 2, kSurface3 = 3 };
    static constexpr uint32_t kCrowdAfterMs = 15000;

    // The fixed loop records of the skid and ambient groups.
    static const LoopSoundRecord kSkidLoop;
    static const LoopSoundRecord kAmbientLoops[kAmbientVoices];

    tmMachineSound();
    ~tmMachineSound() override;

    // Binds the core and starts the loops (muted until the first update).
    void Init(tmMachineCore& core, tmMachineMove& move) override;
    void Update() override;
    void SetHidden(bool hidden) override;
    void Start();
    void Stop();
    // Mutes every voice of every started group; the next update gives them values again.
    void Mute();

    float GetEngineValue() const { return engineValue_; }
    float GetBrakeValue() const { return brakeValue_; }
    float GetSkidValue() const { return skidValue_; }
    float GetAmbientValue(int loop) const { return loop >= 0 && loop < kAmbientVoices ? ambient_[loop] : 0.0f; }

private:
    void UpdateEngine();
    void UpdateBrake();
    void UpdateSkid();
    void UpdateAmbient();
    bool InCrowdStretch() const;

    tmMachineCore* core_ = nullptr;
    const MachineSoundTable* table_ = nullptr;
    int engineVoices_[kEngineVoices] = {};
    float engineValue_ = 0.0f;
    bool engineStarted_ = false;
    int brakeVoices_[kBrakeVoices] = {};
    float brakeLevel_ = 0.0f;
    float brakeValue_ = 0.0f;
    bool brakeStarted_ = false;
    int skidVoice_ = 0;
    float skidLevel_ = 0.0f;
    float skidValue_ = 0.0f;
    bool skidStarted_ = false;
    int ambientVoices_[kAmbientVoices] = {};
    float ambient_[kAmbientVoices] = {};
    bool ambientStarted_ = false;
    int32_t frame_ = 0;
};
