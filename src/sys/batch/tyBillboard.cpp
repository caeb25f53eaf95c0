// tyBillboard.cpp -- view-space quads of the billboard batch, sorted and queued through the drawing seam.
#include "sys/batch/tyBillboard.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sys/batch/tyDepthSort.h"
#include "sys/render/tmDraw.h"
#include "sys/resource/tmSpriteGroupRecord.h"

namespace {

namespace L = tmRenderLayer;
namespace T = tmShaderType;
// Glowing (unsorted), faded near the camera, and plain blended.
constexpr tyBatch::Kind kKinds[3] = {{L::kGlow, T::kVertexColour, false},
                                     {L::kNoDepthWrite, T::kVertexColourDepthAlpha, true},
                                     {L::kBlended, T::kVertexColour, true}};

uint32_t Channel(float f) {
    const float v = std::clamp(f, 0.0f, 1.0f) * 255.0f;
    return static_cast<uint32_t>(v);
}

}  // namespace

tyBillboard::tyBillboard(const sys::tmSpriteRecord* sprites, int spriteCount, int capacity, int kind)
    : tyBatch(sprites, spriteCount, capacity, kKinds, 3, kind, 6), instances_(new Instance[size_t(capacity_)]) {}

tyBillboard::tyBillboard(const tmSpriteGroupRecord* group, int capacity, int kind)
    : tyBillboard(group ? group->sprites : nullptr, group ? static_cast<int>(group->spriteCount) : 0, capacity, kind) {}

tyBillboard::~tyBillboard() = default;

void tyBillboard::Release() {
    instances_.reset();
    tyBatch::Release();
}

void tyBillboard::SetColorF(float a, float r, float g, float b) {
    current_.colour = Channel(a) << 24 | Channel(r) << 16 | Channel(g) << 8 | Channel(b);
    current_.colour2 = current_.colour;
}

void tyBillboard::Add(int spriteIndex) {
    current_.sprite = spriteIndex;
    if (count_ >= capacity_ || !HasSprite(spriteIndex)) return;
    instances_[count_++] = current_;
}

void tyBillboard::Draw(const D3DXMATRIX& view) {
    if (count_ == 0) return;
    std::vector<Instance*> order(static_cast<size_t>(count_));
    for (int i = 0; i < count_; ++i) {
        Instance& in = instances_[i];
        D3DXVECTOR3 p(in.x, in.y, in.z), v;
        D3DXVec3TransformCoord(&v, &p, &view);
        in.x = v.x;
        in.y = v.y;
        in.z = v.z;
        order[size_t(i)] = &in;
    }
    if (IsSorted()) tyDepthSort(order.data(), count_, [](const Instance* in) { return in->z; });
    for (int i = 0; i < count_; ++i) Emit(*order[size_t(i)], i * 6);
    Queue(1, count_ * 2);  // view space
}

void tyBillboard::Emit(const Instance& in, int base) {
    const float hw = in.width * 0.5f, hh = in.height * 0.5f;
    float corner[4][2] = {{hw, hh}, {hw, -hh}, {-hw, hh}, {-hw, -hh}};
    if (in.rotation != 0.0f) {
        const float c = std::cos(-in.rotation), s = std::sin(-in.rotation);
        for (auto& k : corner) {
            const float x = k[0], y = k[1];
            k[0] = c * x + s * y;
            k[1] = -s * x + c * y;
        }
    }
    const sys::tmSpriteRecord& r = Sprite(in.sprite);
    const float uv[4][2] = {{r.u, r.v}, {r.u, r.v + r.height}, {r.u + r.width, r.v}, {r.u + r.width, r.v + r.height}};
    static const int kCorners[6] = {0, 2, 1, 3, 1, 2};

    float* pos = positions_.get() + size_t(base) * 3;
    float* tex = texCoords_.get() + size_t(base) * 2;
    uint32_t* col = colours_.get() + base;
    float lowest = 99999.0f;
    int lowestCorner = -1;
    for (int k = 0; k < 6; ++k) {
        const int c = kCorners[k];
        pos[k * 3 + 0] = corner[c][0] + in.x;
        pos[k * 3 + 1] = corner[c][1] + in.y;
        pos[k * 3 + 2] = in.z;
        tex[k * 2 + 0] = uv[c][0];
        tex[k * 2 + 1] = uv[c][1];
        col[k] = in.colour;
        if (pos[k * 3 + 1] < lowest) {
            lowest = pos[k * 3 + 1];
            lowestCorner = c;
        }
    }
    // A second colour tints the lowest corner (both vertices that use it).
    if (in.colour != in.colour2 && lowestCorner >= 0)
        for (int k = 0; k < 6; ++k)
            if (kCorners[k] == lowestCorner) col[k] = in.colour2;
}
