// tyBoostTailManager.cpp -- the 32 trail slots of a race and the trail presets by kind.
#include <new>

#include "effect/tyBoostTail.h"
#include "sys/base/tmMemory.h"

namespace {

constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }

constexpr tyBoostTailPreset kPresets[tyBoostTailManager::kPresetCount] = {
    {1, 1, 1.0f, 0.0f, Argb(255, 255, 255, 255), 0},  {3, 80, 1.8f, 0.0f, Argb(224, 255, 255, 224), 11},
    {4, 80, 1.8f, 0.0f, Argb(240, 255, 80, 255), 5},  {2, 80, 1.0f, 0.0f, Argb(255, 255, 255, 255), 0},
    {2, 80, 1.0f, 0.0f, Argb(255, 255, 255, 255), 0}, {3, 80, 1.8f, 0.0f, Argb(255, 128, 128, 255), 5},
    {3, 80, 1.8f, 0.0f, Argb(255, 255, 160, 160), 5}, {4, 80, 1.8f, 0.0f, Argb(255, 128, 128, 255), 5},
    {4, 80, 1.8f, 0.0f, Argb(255, 128, 128, 255), 5}, {3, 80, 1.8f, 0.0f, Argb(224, 255, 255, 224), 11},
    {4, 80, 1.8f, 0.0f, Argb(224, 128, 128, 255), 5}, {4, 80, 1.8f, 0.0f, Argb(224, 128, 128, 255), 5},
};
constexpr tyBoostTailPreset kFallback = {1, 40, 1.8f, 0.0f, 0xFFFFFFFFu, 0};

}  // namespace

tyBoostTailManager& tyBoostTailManager::Instance() {
    static tyBoostTailManager instance;
    return instance;
}

tyBoostTailPreset tyBoostTailManager::GetPreset(int kind) {
    return kind >= 0 && kind < kPresetCount ? kPresets[kind] : kFallback;
}

int tyBoostTailManager::LongestTrailTriangles() {
    int segments = tyBoostTail::MaxSegments(kFallback);
    for (const tyBoostTailPreset& p : kPresets)
        segments = segments > tyBoostTail::MaxSegments(p) ? segments : tyBoostTail::MaxSegments(p);
    return segments * tyBoostTail::kMaxPoints * 2;
}

bool tyBoostTailManager::Create(bool enable, int quality) {
    Release();
    enabled_ = enable;
    if (!enabled_) return false;
    intervalMultiplier_ = quality != 0 ? 1 : 2;
    for (Slot& s : slots_) {
        tyBoostTail* trail = nullptr;
        try {
            trail = TM_NEW tyBoostTail;
        } catch (const std::bad_alloc&) {
            trail = nullptr;
        }
        if (trail == nullptr || !trail->Create(quality < 2)) {
            TM_DELETE(trail);
            enabled_ = false;
            return false;
        }
        s.trail = trail;
        s.state = kFree;
        s.kind = -1;
    }
    return true;
}

void tyBoostTailManager::Release() {
    for (Slot& s : slots_) {
        if (s.trail != nullptr) s.trail->Free();
        TM_DELETE(s.trail);
        s = Slot{};
    }
    enabled_ = false;
}

int tyBoostTailManager::Acquire(int kind) {
    if (!enabled_) return -1;
    for (int i = 0; i < kSlots; ++i) {
        Slot& s = slots_[i];
        if (s.state != kFree) continue;
        if (s.trail == nullptr) {
            s.state = kNone;
            continue;
        }
        s.trail->Clear();
        tyBoostTailPreset p = GetPreset(kind);
        if (intervalMultiplier_ >= 2) p.interval *= intervalMultiplier_;
        s.trail->ApplyPreset(p);
        s.kind = kind;
        s.state = kInUse;
        return i;
    }
    return -1;
}

void tyBoostTailManager::Free(int slot) {
    if (slot < 0 || slot >= kSlots) return;
    Slot& s = slots_[slot];
    if (s.state != kInUse) return;
    if (s.trail != nullptr) s.trail->Clear();
    s.state = kFree;
}

void tyBoostTailManager::FreeAll() {
    for (int i = 0; i < kSlots; ++i) Free(i);
}

bool tyBoostTailManager::AddPoint(int slot, const D3DXMATRIX& nozzle, const D3DXVECTOR3* drift, int strengthSteps) {
    if (!enabled_ || slot < 0 || slot >= kSlots) return false;
    Slot& s = slots_[slot];
    if (s.state != kInUse || s.trail == nullptr) return true;
    s.trail->AddPoint(nozzle, drift, strengthSteps);
    return true;
}

void tyBoostTailManager::Update() {
    for (Slot& s : slots_)
        if (s.state == kInUse && s.trail != nullptr) s.trail->Update();
}

void tyBoostTailManager::Draw() {
    for (Slot& s : slots_)
        if (s.state == kInUse && s.trail != nullptr) s.trail->Draw();
}

void tyBoostTailManager::Reset() {
    for (Slot& s : slots_)
        if (s.state == kInUse && s.trail != nullptr) s.trail->Clear();
}

void tyBoostTailManager::ClearAll() {
    for (Slot& s : slots_)
        if (s.state == kInUse && s.trail != nullptr) s.trail->SetSegmentCount(0);
}
