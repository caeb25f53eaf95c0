// tmMachineSound.cpp -- starting, driving and stopping the loops of the player's machine.
#include "machine/tmMachineSound.h"

#include <algorithm>
#include <cmath>

#include "content_tables.h"
#include "machine/tmMachineCore.h"
#include "machine/tmSimSound.h"
#include "race/tmLapTimer.h"
#include "race/tmRaceState.h"
#include "table/CourseTable.h"
#include "table/MachineParts.h"
#include "table/MachineTable.h"

namespace {

// A loop record: the sound, then the volume and the pitch curves (four control values, four outputs each).
constexpr LoopSoundRecord Loop(uint32_t id, float vx0, float vx1, float vx2, float vx3, float vy0, float vy1, float vy2,
                               float vy3, float px0, float px1, float px2, float px3, float py0, float py1, float py2,
                               float py3) {
    return LoopSoundRecord{id, {vx0, vx1, vx2, vx3, vy0, vy1, vy2, vy3}, {px0, px1, px2, px3, py0, py1, py2, py3}};
}

float Clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

// Below 100 km/h a level is scaled down with the speed.
float BySpeed(float level, float kmh) { return kmh < 100.0f ? level * kmh / 100.0f : level; }

}  // namespace

// The skid and ambient loops rise from silence at control value 0 to full
// volume at 1; the skid and the crowd also rise in pitch.
const LoopSoundRecord tmMachineSound::kSkidLoop =
    Loop(content::SND_SKID_01, 0, 1, 1, 1, 0, 1, 1, 1, 0, 1, 1, 1, 0.85f, 1.2f, 1.2f, 1.2f);
const LoopSoundRecord tmMachineSound::kAmbientLoops[kAmbientVoices] = {
    Loop(content::SND_CROWD_01, 0, 1, 1, 1, 0, 1.4f, 1.4f, 1.4f, 0, 1, 1, 1, 0.69f, 1, 1, 1),
    Loop(content::SND_WIND_01, 0, 1, 1, 1, 0, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1),
    Loop(content::SND_ROAD_BUMP_01, 0, 1, 1, 1, 0, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1),
    Loop(content::SND_ROAD_RUMBLE_01, 0, 1, 1, 1, 0, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1),
};

tmMachineSound::tmMachineSound() = default;

tmMachineSound::~tmMachineSound() { Stop(); }

void tmMachineSound::Init(tmMachineCore& core, tmMachineMove& /*move*/) {
    Stop();
    core_ = &core;
    table_ = core.spec ? core.spec->soundTable : nullptr;
    brakeLevel_ = skidLevel_ = 0.0f;
    Start();
}

void tmMachineSound::Start() {
    tmSimSound& sound = tmSimSound::Get();
    if (!engineStarted_ && table_) {
        for (int i = 0; i < kEngineVoices; ++i)
            if (table_->engineLoops[i].soundId > 0) engineVoices_[i] = sound.PlayLoop(&table_->engineLoops[i], 0.0f);
        engineStarted_ = true;
    }
    if (!brakeStarted_) {
        for (int i = 0; i < kBrakeVoices; ++i)
            if (LoopSoundParams[i].soundId > 0) brakeVoices_[i] = sound.PlayLoop(&LoopSoundParams[i], 0.0f);
        brakeStarted_ = true;
    }
    if (!skidStarted_) {
        skidVoice_ = sound.PlayLoop(&kSkidLoop, 0.0f);
        skidStarted_ = true;
    }
    if (!ambientStarted_) {
        for (int i = 0; i < kAmbientVoices; ++i) ambientVoices_[i] = sound.PlayLoop(&kAmbientLoops[i], 0.0f);
        ambientStarted_ = true;
    }
    Mute();
    frame_ = 0;
}

void tmMachineSound::Stop() {
    tmSimSound& sound = tmSimSound::Get();
    auto stop = [&](int& v) {
        if (v > 0) sound.Stop(v);
        v = 0;
    };
    for (int& v : engineVoices_) stop(v);
    for (int& v : brakeVoices_) stop(v);
    stop(skidVoice_);
    for (int& v : ambientVoices_) stop(v);
    engineStarted_ = brakeStarted_ = skidStarted_ = ambientStarted_ = false;
}

void tmMachineSound::Mute() {
    tmSimSound& sound = tmSimSound::Get();
    auto mute = [&](int v) {
        if (v > 0) sound.Mute(v);
    };
    if (engineStarted_)
        for (int v : engineVoices_) mute(v);
    if (brakeStarted_)
        for (int v : brakeVoices_) mute(v);
    if (skidStarted_) mute(skidVoice_);
    if (ambientStarted_)
        for (int v : ambientVoices_) mute(v);
}

void tmMachineSound::SetHidden(bool hidden) {
    if (hidden) Mute();
}

// ---- per step --------------------------------------------------------------------------

void tmMachineSound::Update() {
    if (!core_) return;
    UpdateEngine();
    UpdateBrake();
    UpdateSkid();
    UpdateAmbient();
    ++frame_;
}

void tmMachineSound::UpdateEngine() {
    const tmMachineParams& p = core_->params;
    const float range = p.revLimit - p.revMin;
    // A zero rev range (a broken parameter row) gives the idle value rather than a division by zero.
    engineValue_ = range > 0.0f ? Clamp01((core_->rpm - p.revMin) / range) : 0.0f;
    tmSimSound& sound = tmSimSound::Get();
    for (int v : engineVoices_)
        if (v > 0) sound.SetVoiceParameter(v, engineValue_);
}

void tmMachineSound::UpdateBrake() {
    brakeLevel_ = Clamp01(core_->control.brake > 0.1f ? brakeLevel_ + 0.005f : brakeLevel_ - 0.1f);
    brakeValue_ = BySpeed(brakeLevel_, core_->kmh);
    tmSimSound& sound = tmSimSound::Get();
    for (int v : brakeVoices_)
        if (v > 0) sound.SetVoiceParameter(v, brakeValue_);
}

void tmMachineSound::UpdateSkid() {
    // The drift angle is wrapped to -pi..pi, so driving straight near +-pi makes no skid.
    const float drift = std::fabs(core_->GetDriftAngle());
    if (drift > 0.01f) {
        const float target = drift * 2.0f;
        skidLevel_ += skidLevel_ > target ? -0.03f : 0.025f;
    } else {
        skidLevel_ -= 0.03f;
    }
    skidLevel_ = Clamp01(skidLevel_);
    skidValue_ = BySpeed(skidLevel_, core_->kmh);
    if (skidVoice_ > 0) tmSimSound::Get().SetVoiceParameter(skidVoice_, skidValue_);
}

bool tmMachineSound::InCrowdStretch() const {
    const tmLapTimer* timer = core_->GetLapTimer();
    if (!timer || tmLapTimer::ToMilliseconds(timer->GetTotal()) < kCrowdAfterMs) return false;
    const CourseRecord* course = GetCourseRecord(static_cast<int>(tmRaceState::Get().setup.course));
    return course && IsOutsideSoundSections(*course, core_->section);
}

void tmMachineSound::UpdateAmbient() {
    const float kmh = core_->kmh;
    ambient_[kCrowd] = Clamp01(ambient_[kCrowd] + (InCrowdStretch() ? 0.01f : -0.01f));
    // Clamped before the body's share, so outside the normal body the wind never passes 0.7.
    float wind = Clamp01((kmh - 400.0f) / (600.0f - 400.0f));
    if (core_->bodyMode != 0) wind *= 0.7f;
    ambient_[kWind] = wind;
    const float rumble = Clamp01((kmh - 30.0f) / (100.0f - 30.0f));
    ambient_[kSurface4] = core_->floorState == 4 ? rumble : 0.0f;
    ambient_[kSurface3] = core_->floorState == 3 ? rumble : 0.0f;
    tmSimSound& sound = tmSimSound::Get();
    for (int i = 0; i < kAmbientVoices; ++i)
        if (ambientVoices_[i] > 0) sound.SetVoiceParameter(ambientVoices_[i], ambient_[i]);
}
