// tyBoostTail.h -- boost trails: rings of nozzle cross-sections turned into fading tubes, and their 32-slot manager.
#pragma once
#include <cstdint>

#include "sys/base/tmMath.h"

// A trail's look and pace, chosen by trail kind (the owning machine's id).
struct tyBoostTailPreset {
    int32_t interval;  // steps between stamped cross-sections
    int32_t nodeLife;  // frames a cross-section lives
    float width;
    float drift;
    uint32_t colour;  // ARGB
    uint32_t sprite;  // index on sheet 16
};

// One light trail behind a nozzle. Owns a ring of kRingSize cross-sections
// and the vertex arrays of the tube between them, allocated once by Create
// and reused. The machine's effect part hands it the nozzle matrix each step
// (through the manager); Update ages the sections and rebuilds the tube;
// Draw puts the tube into the effect manager's trail batch.
class tyBoostTail {
public:
    static constexpr int kRingSize = 180;
    static constexpr int kMaxPoints = 8;

    // One cross-section (116 bytes of data).
    struct Node {
        D3DXVECTOR3 points[kMaxPoints];
        D3DXVECTOR3 drift;
        float length = 0.0f;  // from the previous node's third point; 0 for the tail node
        int32_t life = 0;
    };

    tyBoostTail() = default;
    ~tyBoostTail() { Free(); }
    tyBoostTail(const tyBoostTail&) = delete;
    tyBoostTail& operator=(const tyBoostTail&) = delete;

    // Allocates the ring and arrays (4 points per section when lowDetail, else 8)
    // with the default look; false when the ring could not be allocated.
    bool Create(bool lowDetail);
    void Free();
    // Empties the ring.
    void Clear();
    void ApplyPreset(const tyBoostTailPreset& preset);
    // Stamps or moves the newest cross-section at the nozzle matrix m.
    // drift may be null; strengthSteps / 20 scales the width (at most 1).
    void AddPoint(const D3DXMATRIX& m, const D3DXVECTOR3* drift, int strengthSteps);
    // Ages the sections and rebuilds the tube's triangles.
    void Update();
    // The tube into the effect manager's trail batch: segments x points x 2 triangles.
    void Draw() const;
    // The most segments a trail of the preset holds at full strength, stepped and fed once per
    // logic step: a node lives nodeLife steps and a new one comes every interval steps, besides
    // the first three stamped at once and the head following the nozzle; never more than the ring.
    static constexpr int MaxSegments(const tyBoostTailPreset& p) {
        const int interval = p.interval > 0 ? p.interval : 1;
        const int nodes = (p.nodeLife + interval - 1) / interval + 4;
        return nodes - 1 < kRingSize - 1 ? nodes - 1 : kRingSize - 1;
    }

    int GetSegmentCount() const { return segments_; }
    void SetSegmentCount(int n) { segments_ = n; }
    int GetPointCount() const { return points_; }
    int GetNodeCount() const;  // sections held, tail to head
    float GetStrength() const { return strength_; }
    float GetTotalLength() const { return totalLength_; }
    uint32_t GetSprite() const { return sprite_; }
    int GetInterval() const { return interval_; }
    int GetNodeLife() const { return nodeLife_; }
    float GetWidth() const { return width_; }
    uint32_t GetColour() const { return colour_; }
    bool IsAllocated() const { return allocated_; }
    const Node* GetNewestNode() const;
    const float* GetPositions() const { return positions_; }
    const float* GetTexCoords() const { return texCoords_; }
    const uint32_t* GetColours() const { return colours_; }
    // Asks for a Clear before the next stamped section.
    void RequestReset() { resetPending_ = true; }

private:
    void BuildSegment(Node& a, const Node& b, int segment, float accumulated);
    int Next(int i) const { return i + 1 == ringSize_ ? 0 : i + 1; }
    int Previous(int i) const { return i == 0 ? ringSize_ - 1 : i - 1; }

    float* positions_ = nullptr;   // ring x points x 6 vertices x 3
    float* texCoords_ = nullptr;   // ring x points x 6 vertices x 2
    uint32_t* colours_ = nullptr;  // ring x points x 6 vertices
    int32_t interval_ = 1;
    int32_t nodeLife_ = 120;
    float width_ = 1.8f;
    float driftFactor_ = 0.0f;
    uint32_t colour_ = 0xFFFFFFFFu;
    uint32_t sprite_ = 0;
    Node* nodes_ = nullptr;
    int points_ = kMaxPoints;
    int emitTimer_ = -1;
    int ringSize_ = kRingSize;
    int head_ = 0;
    int segments_ = 0;
    int tail_ = 0;
    float totalLength_ = 0.0f;
    float strength_ = 0.0f;
    bool resetPending_ = false;
    bool allocated_ = false;
};

// The 32 trails of a race (one instance). Slots are none, free (a trail made,
// unused) or in use (handed to a machine's effect part by Acquire until Free).
// The race creates it at its start and releases it at its end; every call on
// a disabled manager is ignored.
class tyBoostTailManager {
public:
    static constexpr int kSlots = 32;
    static constexpr int kPresetCount = 12;
    enum State { kNone = 0, kFree = 1, kInUse = 2 };

    static tyBoostTailManager& Instance();
    // The preset of a trail kind; kinds outside 0..11 get the fallback (node life 40).
    static tyBoostTailPreset GetPreset(int kind);
    // Triangles of the longest trail any kind (or the fallback) makes, with eight-point sections.
    static int LongestTrailTriangles();

    ~tyBoostTailManager() { Release(); }

    // Releases everything, then, when enabled, makes the 32 trails (quality
    // below 2: 4-point sections; quality 0 doubles every interval). False when
    // disabled or when a trail could not be made (the manager is then disabled).
    bool Create(bool enable, int quality);
    void Release();
    // The first free slot, set up for the trail kind; -1 when disabled or none is free.
    int Acquire(int kind);
    void Free(int slot);
    void FreeAll();
    // False when disabled or slot is outside 0..31; true (nothing done) for a slot not in use.
    bool AddPoint(int slot, const D3DXMATRIX& nozzle, const D3DXVECTOR3* drift, int strengthSteps);
    void Update();
    void Draw();
    void Reset();
    // Forgets the last build of every trail in use (once per logic step).
    void ClearAll();

    bool IsEnabled() const { return enabled_; }
    int GetState(int slot) const { return slot >= 0 && slot < kSlots ? slots_[slot].state : kNone; }
    int GetKind(int slot) const { return slot >= 0 && slot < kSlots ? slots_[slot].kind : -1; }
    tyBoostTail* GetTrail(int slot) const { return slot >= 0 && slot < kSlots ? slots_[slot].trail : nullptr; }
    int GetIntervalMultiplier() const { return intervalMultiplier_; }

private:
    tyBoostTailManager() = default;

    struct Slot {
        tyBoostTail* trail = nullptr;  // owned
        int state = kNone;
        int kind = -1;
    };
    Slot slots_[kSlots];
    bool enabled_ = false;
    int intervalMultiplier_ = 1;
};
