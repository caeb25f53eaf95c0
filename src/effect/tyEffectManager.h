// tyEffectManager.h -- the race's particle list and the five sprite batches its particles draw into.
#pragma once
#include <cstdint>
#include <memory>

#include "sys/base/tmMath.h"

class tyBillboard;
class tyPolygon;

// One short-lived effect of the particle list: its remaining life in frames
// and the link to the next effect. The list owns every effect it holds and
// deletes it (TM_DELETE) after OnRemove; effects are made with TM_NEW.
class ty_sEffect {
public:
    virtual ~ty_sEffect() = default;
    // One logic step; an effect whose life is 0 or less afterwards is removed.
    virtual void Update() = 0;
    // Runs once just before the list deletes the effect.
    virtual void OnRemove() {}
    // Appends the effect's instance to its batch (once per frame).
    virtual void Draw() = 0;

    int32_t life = 0;
    ty_sEffect* next = nullptr;
};

// A singly linked list of at most kCapacity effects, newest first. Add takes
// ownership whatever the result: a refused effect is removed and deleted at
// once, so nothing leaks when the list is full.
class ty_sEffectEventManager : public ty_sEffect {
public:
    static constexpr int kCapacity = 4096;

    ty_sEffectEventManager() = default;
    ~ty_sEffectEventManager() override { Clear(); }
    ty_sEffectEventManager(const ty_sEffectEventManager&) = delete;
    ty_sEffectEventManager& operator=(const ty_sEffectEventManager&) = delete;

    // Links the effect at the head; false (effect deleted) when kCapacity are held or it is null.
    bool Add(ty_sEffect* effect);
    // Removes and deletes every effect.
    void Clear();
    // Steps every effect and removes the dead ones.
    void Update() override;
    // Draws every effect in list order.
    void Draw() override;

    int GetCount() const { return count_; }
    int GetAddedCount() const { return added_; }
    const ty_sEffect* GetHead() const { return head_; }

protected:
    ty_sEffect* head_ = nullptr;
    ty_sEffect* last_ = nullptr;  // the oldest kept effect
    int count_ = 0;
    int added_ = 0;  // added since the last update
};

// The race's particle list (one instance) with the five batches of sprite
// group 16: three billboard batches (shared, additive flashes, plain flashes
// and smoke) and two polygon batches (shared strips, boost trails). The race
// screen and the machine viewer Init it at their start and Release it at their
// end; the machines' effect parts spawn into it and add to the shared
// batches. It draws only through the batches, which queue on the drawing seam.
class ty_sEffectManager final : public ty_sEffectEventManager {
public:
    // Batch indices.
    enum Billboard { kBillboardShared = 0, kBillboardAdditive = 1, kBillboardPlain = 2, kBillboardCount = 3 };
    enum Polygon { kPolygonShared = 0, kPolygonTrails = 1, kPolygonCount = 2 };
    static constexpr int kSpriteGroup = 16;

    static ty_sEffectManager& Instance();

    ~ty_sEffectManager() override;

    // Empties the list, loads sprite group 16 (a failed load is logged; the
    // batches are made from its record all the same) and makes the batches.
    void Init();
    // Empties the list, deletes the batches and unloads sprite group 16.
    void Release();
    void OnRemove() override { Release(); }
    // One step of every particle, unless a skip was asked for (then only the flag clears).
    void Update() override;
    // Every particle's instance, then the five batches queued in order.
    void Draw() override;
    // Empties the five batches (once per logic step, before the frame's draws).
    void DrawBatches();
    void SkipNextUpdate() { skipNextUpdate_ = true; }
    // The frame's view matrix, with which the billboards face the camera and the sorted batches order.
    void SetViewMatrix(const D3DXMATRIX& view) { view_ = view; }
    const D3DXMATRIX& GetViewMatrix() const { return view_; }

    // Triangles the boost-trail batch holds: every trail of the largest race at once (sixteen
    // entrants of the machine with the most nozzles, one trail a nozzle up to the trail manager's
    // slots, each as long as the longest preset makes it).
    static int TrailBatchCapacity();

    // Null before Init and after Release.
    tyBillboard* GetBillboard(int index) const;
    tyPolygon* GetPolygon(int index) const;

private:
    ty_sEffectManager() = default;

    bool skipNextUpdate_ = false;
    D3DXMATRIX view_ = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    bool groupLoaded_ = false;
    std::unique_ptr<tyBillboard> billboards_[kBillboardCount];
    std::unique_ptr<tyPolygon> polygons_[kPolygonCount];
};

// The effects' reference point: the local player's machine, stored by its
// effect part every logic step. Particles farther than 500 units from it in X
// or in Z are not drawn.
void tmEffectSetReferencePoint(const D3DXVECTOR3& point);
D3DXVECTOR3 tmEffectGetReferencePoint();
bool tmEffectIsNear(const D3DXVECTOR3& position);
