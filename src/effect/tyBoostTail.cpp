// tyBoostTail.cpp -- one boost trail: stamping cross-sections, ageing them and building the tube.
#include "effect/tyBoostTail.h"

#include <cmath>
#include <new>

#include "effect/tyEffectManager.h"
#include "sys/base/tmMemory.h"
#include "sys/batch/tyPolygon.h"

namespace {

constexpr float kR = 0.70710677f;
const D3DXVECTOR3 kOctagon[8] = {{1, 0, 0},  {kR, kR, 0},   {0, 1, 0},  {-kR, kR, 0},
                                 {-1, 0, 0}, {-kR, -kR, 0}, {0, -1, 0}, {kR, -kR, 0}};
const D3DXVECTOR3 kDiamond[4] = {{1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}};

// The point every segment length is measured between.
constexpr int kMeasurePoint = 2;

uint32_t AlphaOver(float alpha, uint32_t colour) {
    const float a = alpha < 0.0f ? 0.0f : (alpha > 255.0f ? 255.0f : alpha);
    return static_cast<uint32_t>(a) << 24 | (colour & 0xFFFFFFu);
}

}  // namespace

bool tyBoostTail::Create(bool lowDetail) {
    Free();
    points_ = lowDetail ? 4 : 8;
    ringSize_ = kRingSize;
    const size_t vertices = static_cast<size_t>(ringSize_) * static_cast<size_t>(points_) * 6;
    try {
        positions_ = TM_NEW float[vertices * 3];
        texCoords_ = TM_NEW float[vertices * 2];
        colours_ = TM_NEW uint32_t[vertices];
        nodes_ = TM_NEW Node[static_cast<size_t>(ringSize_)];
    } catch (const std::bad_alloc&) {
        Free();
        return false;
    }
    interval_ = 1;
    nodeLife_ = 120;
    width_ = 1.8f;
    driftFactor_ = 0.0f;
    Clear();
    allocated_ = true;
    return true;
}

void tyBoostTail::Free() {
    TM_DELETE_ARRAY(positions_);
    TM_DELETE_ARRAY(texCoords_);
    TM_DELETE_ARRAY(colours_);
    TM_DELETE_ARRAY(nodes_);
    positions_ = texCoords_ = nullptr;
    colours_ = nullptr;
    nodes_ = nullptr;
    allocated_ = false;
    segments_ = 0;
}

void tyBoostTail::Clear() {
    head_ = 0;
    segments_ = 0;
    tail_ = 0;
    totalLength_ = 0.0f;
    resetPending_ = false;
    emitTimer_ = -1;
}

void tyBoostTail::ApplyPreset(const tyBoostTailPreset& p) {
    interval_ = p.interval;
    nodeLife_ = p.nodeLife;
    width_ = p.width;
    driftFactor_ = p.drift;
    colour_ = p.colour;
    sprite_ = p.sprite;
}

int tyBoostTail::GetNodeCount() const { return (head_ - tail_ + ringSize_) % ringSize_; }

const tyBoostTail::Node* tyBoostTail::GetNewestNode() const {
    return nodes_ != nullptr && head_ != tail_ ? &nodes_[Previous(head_)] : nullptr;
}

void tyBoostTail::AddPoint(const D3DXMATRIX& m, const D3DXVECTOR3* drift, int strengthSteps) {
    if (nodes_ == nullptr) return;
    if (resetPending_) Clear();

    strength_ = strengthSteps < 20 ? static_cast<float>(strengthSteps) / 20.0f : 1.0f;
    if (strength_ < 0.0f) strength_ = 0.0f;

    // A new section while the ring has room and the timer allows; otherwise
    // the newest one follows the nozzle.
    const bool full = Next(head_) == tail_;
    int n;
    if (!full && emitTimer_ < 1) {
        n = head_;
        head_ = Next(head_);
    } else {
        n = Previous(head_);
        totalLength_ -= nodes_[n].length;
    }
    if (GetNodeCount() >= 3 && ++emitTimer_ >= interval_) emitTimer_ = 0;

    Node& node = nodes_[n];
    const D3DXVECTOR3* shape = points_ == 8 ? kOctagon : kDiamond;
    const float scale = strength_ * width_;
    for (int k = 0; k < points_; ++k) {
        const D3DXVECTOR3 p = shape[k] * scale;
        D3DXVec3TransformCoord(&node.points[k], &p, &m);
    }
    node.drift = drift != nullptr ? *drift * driftFactor_ : D3DXVECTOR3(0, 0, 0);
    node.life = nodeLife_;
    if (n == tail_) {
        node.length = 0.0f;
    } else {
        const D3DXVECTOR3 d = node.points[kMeasurePoint] - nodes_[Previous(n)].points[kMeasurePoint];
        node.length = D3DXVec3Length(&d);
    }
    totalLength_ += node.length;
}

void tyBoostTail::Update() {
    if (nodes_ == nullptr || !allocated_) return;
    if (head_ == tail_) {
        segments_ = 0;
        return;
    }
    const int step = strength_ < 1.0f ? 8 : 1;

    while (nodes_[tail_].life <= 0) {
        nodes_[tail_].life = 0;
        tail_ = Next(tail_);
        if (tail_ == head_) {
            Clear();
            return;
        }
        totalLength_ -= nodes_[tail_].length;
        nodes_[tail_].length = 0.0f;
    }

    auto age = [&](Node& n) {
        n.life -= step;
        for (int k = 0; k < points_; ++k) n.points[k] += n.drift;
    };

    if (Next(tail_) == head_) {
        age(nodes_[tail_]);
        segments_ = 0;
        return;
    }

    float accumulated = 0.00390625f;
    int segment = 0;
    int i = tail_;
    for (; Next(i) != head_; i = Next(i)) {
        Node& a = nodes_[i];
        const Node& b = nodes_[Next(i)];
        BuildSegment(a, b, segment++, accumulated);
        accumulated += b.length;
        a.life -= step;
    }
    nodes_[i].life -= step;
    segments_ = segment;
}

void tyBoostTail::BuildSegment(Node& a, const Node& b, int segment, float accumulated) {
    float vA = 0.0f, vB = 0.0f;
    if (totalLength_ > 0.0f) {
        vA = accumulated * 0.9921875f / totalLength_;
        vB = (accumulated * 0.9921875f + b.length) / totalLength_;
    }
    const float base = static_cast<float>(colour_ >> 24) * strength_;
    auto alphaAt = [base](float v) { return v >= 0.99999f ? base * 0.7f : (v < 0.5f ? 2.0f * v * base : base); };
    const uint32_t cA = AlphaOver(alphaAt(vA), colour_);
    const uint32_t cB = AlphaOver(alphaAt(vB), colour_);

    for (int k = 0; k < points_; ++k) a.points[k] += a.drift;

    const float n = static_cast<float>(points_);
    for (int k = 0; k < points_; ++k) {
        const int k1 = (k + 1) % points_;
        const float u0 = static_cast<float>(k) / n * 0.98f + 0.01f;
        const float u1 = static_cast<float>(k + 1) / n * 0.98f + 0.01f;
        const D3DXVECTOR3* p[6] = {&a.points[k], &b.points[k],  &a.points[k1],
                                   &b.points[k], &b.points[k1], &a.points[k1]};
        const float uv[6][2] = {{u0, vA}, {u0, vB}, {u1, vA}, {u0, vB}, {u1, vB}, {u1, vA}};
        const uint32_t c[6] = {cA, cB, cA, cB, cB, cA};
        const size_t base6 = (static_cast<size_t>(segment) * static_cast<size_t>(points_) + static_cast<size_t>(k)) * 6;
        for (int v = 0; v < 6; ++v) {
            float* pos = positions_ + (base6 + static_cast<size_t>(v)) * 3;
            pos[0] = p[v]->x;
            pos[1] = p[v]->y;
            pos[2] = p[v]->z;
            texCoords_[(base6 + static_cast<size_t>(v)) * 2 + 0] = uv[v][0];
            texCoords_[(base6 + static_cast<size_t>(v)) * 2 + 1] = uv[v][1];
            colours_[base6 + static_cast<size_t>(v)] = c[v];
        }
    }
}

void tyBoostTail::Draw() const {
    if (positions_ == nullptr || segments_ <= 0) return;
    tyPolygon* batch = ty_sEffectManager::Instance().GetPolygon(ty_sEffectManager::kPolygonTrails);
    if (batch == nullptr) return;
    batch->AddTriangles(static_cast<int>(sprite_), segments_ * points_ * 2, positions_, texCoords_, colours_);
}
