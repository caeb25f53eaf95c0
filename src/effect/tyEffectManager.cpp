// tyEffectManager.cpp -- particle list upkeep, the effect batches and the reference point of the cull.
#include "effect/tyEffectManager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "effect/tyBoostTail.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "sys/batch/tyBillboard.h"
#include "sys/batch/tyPolygon.h"
#include "sys/resource/tmResourceHolder.h"
#include "table/MachineParts.h"
#include "table/MachineTable.h"
#include "table/tmSpriteGroup.h"

namespace {

// Capacity and batch kind of each batch, in drawing order (the trail batch's capacity is worked out
// at Init).
struct BatchShape {
    int capacity;
    int kind;
};
constexpr BatchShape kBillboardShapes[ty_sEffectManager::kBillboardCount] = {{1024, 2}, {2048, 0}, {1024, 1}};
constexpr BatchShape kPolygonShapes[ty_sEffectManager::kPolygonCount] = {{2048, 3}, {2048, 0}};

constexpr float kCullDistance = 500.0f;

}  // namespace

// ---- the list ----------------------------------------------------------------------

bool ty_sEffectEventManager::Add(ty_sEffect* effect) {
    if (effect == nullptr) return false;
    if (count_ >= kCapacity) {
        effect->OnRemove();
        TM_DELETE(effect);
        return false;
    }
    effect->next = head_;
    head_ = effect;
    if (last_ == nullptr) last_ = effect;
    ++count_;
    ++added_;
    return true;
}

void ty_sEffectEventManager::Clear() {
    while (head_ != nullptr) {
        ty_sEffect* e = head_;
        head_ = e->next;
        e->next = nullptr;
        e->OnRemove();
        TM_DELETE(e);
        --count_;
    }
    last_ = nullptr;
    count_ = 0;
    added_ = 0;
}

void ty_sEffectEventManager::Update() {
    added_ = 0;
    ty_sEffect* previous = nullptr;
    ty_sEffect* e = head_;
    while (e != nullptr) {
        e->Update();
        ty_sEffect* following = e->next;
        if (e->life > 0) {
            previous = e;
        } else {
            if (previous != nullptr)
                previous->next = following;
            else
                head_ = following;
            if (last_ == e) last_ = previous;
            e->OnRemove();
            TM_DELETE(e);
            --count_;
        }
        e = following;
    }
}

void ty_sEffectEventManager::Draw() {
    for (ty_sEffect* e = head_; e != nullptr; e = e->next) e->Draw();
}

// ---- the manager -------------------------------------------------------------------

ty_sEffectManager& ty_sEffectManager::Instance() {
    static ty_sEffectManager instance;
    return instance;
}

ty_sEffectManager::~ty_sEffectManager() { Release(); }

void ty_sEffectManager::Init() {
    Clear();
    skipNextUpdate_ = false;
    if (!groupLoaded_) {
        groupLoaded_ = tmSpriteGroup::Load(kSpriteGroup);
        // Headless runs have no cache to load into; only a failure with one is news.
        if (!groupLoaded_ && tmGetResourceHolder() != nullptr)
            std::fprintf(stderr, "effects: sprite group %d did not load; particles draw without their sheet\n",
                         kSpriteGroup);
    }
    const tmSpriteGroupRecord* group = tmSpriteGroup::Get(kSpriteGroup);
    for (int i = 0; i < kBillboardCount; ++i)
        billboards_[i] = std::make_unique<tyBillboard>(group, kBillboardShapes[i].capacity, kBillboardShapes[i].kind);
    for (int i = 0; i < kPolygonCount; ++i) {
        const int capacity = i == kPolygonTrails ? TrailBatchCapacity() : kPolygonShapes[i].capacity;
        polygons_[i] = std::make_unique<tyPolygon>(group, capacity, kPolygonShapes[i].kind);
    }
}

int ty_sEffectManager::TrailBatchCapacity() {
    constexpr int kNozzleSlots = static_cast<int>(sizeof(FlameGroup::points) / sizeof(FlameGroup::points[0]));
    int nozzles = 0;
    for (int id = kFirstMachineId; id <= kLastMachineId; ++id) {
        const MachineSpec* spec = GetMachineSpec(id);
        if (!spec || !spec->emitterTable) continue;
        for (const FlameGroup& g : spec->emitterTable->groups)
            nozzles = std::max(nozzles, std::clamp(g.count, 0, kNozzleSlots));
    }
    const int trails = std::min(tyBoostTailManager::kSlots, kRaceEntrants * nozzles);
    return std::max(trails, 1) * tyBoostTailManager::LongestTrailTriangles();
}

void ty_sEffectManager::Release() {
    Clear();
    for (auto& b : billboards_) b.reset();
    for (auto& p : polygons_) p.reset();
    if (groupLoaded_) tmSpriteGroup::Unload(kSpriteGroup);
    groupLoaded_ = false;
    Clear();
}

void ty_sEffectManager::Update() {
    if (skipNextUpdate_) {
        skipNextUpdate_ = false;
        return;
    }
    ty_sEffectEventManager::Update();
}

void ty_sEffectManager::Draw() {
    ty_sEffectEventManager::Draw();
    for (auto& b : billboards_)
        if (b) b->Draw(view_);
    for (auto& p : polygons_)
        if (p) p->Draw(view_);
}

void ty_sEffectManager::DrawBatches() {
    for (auto& b : billboards_)
        if (b) b->Clear();
    for (auto& p : polygons_)
        if (p) p->Clear();
}

tyBillboard* ty_sEffectManager::GetBillboard(int index) const {
    return index >= 0 && index < kBillboardCount ? billboards_[index].get() : nullptr;
}

tyPolygon* ty_sEffectManager::GetPolygon(int index) const {
    return index >= 0 && index < kPolygonCount ? polygons_[index].get() : nullptr;
}

// ---- reference point ---------------------------------------------------------------

void tmEffectSetReferencePoint(const D3DXVECTOR3& point) { EffectFocusPosition = {point.x, point.y, point.z}; }

D3DXVECTOR3 tmEffectGetReferencePoint() {
    return D3DXVECTOR3(EffectFocusPosition.x, EffectFocusPosition.y, EffectFocusPosition.z);
}

bool tmEffectIsNear(const D3DXVECTOR3& position) {
    return std::fabs(position.x - EffectFocusPosition.x) <= kCullDistance &&
           std::fabs(position.z - EffectFocusPosition.z) <= kCullDistance;
}
